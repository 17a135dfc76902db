#pragma once
// The last step of a timed shutdown. The program asks the system itself; the
// end-to-end build records the request instead, because under Wine a real one
// ends every program of the prefix.

#include "platform/win32/Win32System.hpp"

namespace velarion::app {

win32::ExitWindowsCall powerOffRequest();

}  // namespace velarion::app
