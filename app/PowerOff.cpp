#include "app/PowerOff.hpp"

namespace velarion::app {

win32::ExitWindowsCall powerOffRequest() { return win32::requestExitWindows; }

}  // namespace velarion::app
