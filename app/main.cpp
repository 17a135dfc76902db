// The program's entry: one running copy, the real system services and window
// layer, the main window, and the message loop for as long as the process lives.

#include <windows.h>

#include "app/PowerOff.hpp"
#include "platform/win32/SingleInstance.hpp"
#include "platform/win32/StartMarks.hpp"
#include "platform/win32/Win32System.hpp"
#include "platform/win32/Win32WindowLayer.hpp"
#include "ui/Behaviours.hpp"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace velarion;
    win32::startmarks::mark("entered");

    // A second start shows the window of the first (also from the tray) and ends.
    win32::SingleInstance instance;
    if (!instance.first()) {
        instance.showRunning();
        return 0;
    }
    win32::startmarks::mark("single");

    win32::Win32System system(app::powerOffRequest());
    win32::Win32WindowLayer layer(system);
    system.setMessageDispatch([&layer](tagMSG& message) { layer.dispatch(message); });
    AppContext context(system, layer);
    win32::startmarks::mark("layer");

    Window* mainWindow = startApplication(context);
    if (!mainWindow) return 1;
    // A later start asks this copy to show its window, as a click on the icon does.
    instance.publish(static_cast<HWND>(mainWindow->nativeHandle()),
                     [mainWindow] { mainWindow->setFlag("", Prop::Visible, true); });
    return layer.run();
}
