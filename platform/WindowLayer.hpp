#pragma once
// What the behaviour of ui/ expects of a window layer, and the window services
// that go past the layer's own properties. Implemented by platform/win32 on real
// windows and by platform/sim on property bags.

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/Declaration.hpp"

namespace velarion {

// Run-time properties, by component name. The window itself is the component "".
enum class Prop {
    Text,           // edit content, button/check/radio caption, label caption
    Tag,            // free text stored with any component
    Left, Top,      // int; window: screen coordinates, component: in its container
    Height,         // int; window: outer height
    Visible,        // bool
    Disabled,       // bool
    Checked,        // bool: check box, radio button
    AlwaysOnTop,    // bool: window
    Interval,       // int ms: timer; 0 stops, same value leaves it running, other value restarts
    PlayAnimation,  // bool: picture box
    Position,       // int: slider, within its range
    CurrentPage,    // int: 选择夹, from 0
    Selection,      // int: combo box, -1 none
    FileName,       // text: file dialog
};

// What happened to the notification-area icon: EventArgs::code of TrayIcon.
inline constexpr int TrayLeftButtonUp = 1;
inline constexpr int TrayLeftDoubleClick = 2;
inline constexpr int TrayRightButtonUp = 3;  // or the context-menu key

struct EventArgs {
    int code = 0;   // tray icon operation code, one of the Tray... codes
    int index = 0;  // folder index
    int x = 0, y = 0, keys = 0;
};

class Window;

struct EventContext {
    Window& window;
    std::string source;  // name of the component that raised the event ("" = the window)
    EventArgs args;
};

// A behaviour answers an event; the result matters only for CloseRequested
// (true lets the window close).
using Behaviour = std::function<bool(EventContext&)>;
using Behaviours = std::map<std::string, Behaviour>;

class Window {
public:
    virtual ~Window() = default;

    virtual const WindowDecl& declaration() const = 0;
    virtual bool has(const std::string& component) const = 0;

    virtual std::string text(const std::string& component, Prop prop) const = 0;
    virtual void setText(const std::string& component, Prop prop, std::string_view value) = 0;
    virtual int number(const std::string& component, Prop prop) const = 0;
    virtual void setNumber(const std::string& component, Prop prop, int value) = 0;
    virtual bool flag(const std::string& component, Prop prop) const = 0;
    virtual void setFlag(const std::string& component, Prop prop, bool value) = 0;

    // A new component of the same kind, container, page, size, look and bindings
    // as the declared one; returns its name. Copies live as long as the window.
    virtual std::string copyComponent(const std::string& original) = 0;

    // Opens the 通用对话框 modally with its filter and file name. True when a file
    // was chosen; its FileName is then the full path. False on cancel.
    virtual bool openFileDialog(const std::string& component) = 0;

    // Closes the window (a modal window: ends its loop, then it is destroyed).
    virtual void close() = 0;

    // The height (96-DPI pixels) of what one page of a 选择夹 holds. When it is
    // taller than the page, the page gets a vertical scroll bar and scrolls with
    // the mouse wheel; component positions stay in page coordinates.
    virtual void setPageExtent(const std::string& tabs, int page, int contentHeight) {}

    // The system's handle of the window, for the window services.
    virtual void* nativeHandle() const = 0;
};

class WindowLayer {
public:
    virtual ~WindowLayer() = default;

    // Makes the window from its declaration in its declared state, raises Created,
    // then returns it (owned by the layer, alive until the process ends).
    // nullptr when the window cannot be made.
    virtual Window* load(const WindowDecl& decl, const Behaviours& behaviours) = 0;
    // Makes the window modal to `owner`, raises Created and returns only after it
    // has closed; the window is destroyed before this returns.
    virtual void runModal(const WindowDecl& decl, const Behaviours& behaviours, Window& owner) = 0;
    // Runs the message loop until the process is told to end; returns the exit code.
    virtual int run() = 0;
    // Queues `work` to run on the UI thread as a message of `window`'s own, after
    // the messages already waiting, so that a long piece of work does not hold
    // them in the same message. Work posted to one window runs in the order it
    // was posted; work for a window that has closed or is gone is dropped.
    virtual void postWork(Window& window, std::function<void()> work) = 0;

    // Window services.
    virtual void setWindowOpacity(Window& window, int alpha) = 0;
    virtual void setWindowTopmost(Window& window, bool on) = 0;
    // Adds the notification-area icon on the first call, replaces it afterwards.
    virtual void setTrayIcon(Window& window, const std::string& tip) = 0;
    virtual void setStatusPartText(Window& window, const std::string& statusBar, int index,
                                   const std::string& text) = 0;
};

}  // namespace velarion
