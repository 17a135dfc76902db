#pragma once
// The window layer on real Win32 windows, and the window services.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/System.hpp"
#include "platform/WindowLayer.hpp"

namespace velarion::win32 {

class Win32Window;

// Told the window's declared name and a component name that the window does not
// hold. The program passes none (a wrong name then changes nothing on the screen,
// as in the stand-in's release); tests fail on it.
using UnknownComponent =
    std::function<void(const std::string& window, const std::string& component)>;

class Win32WindowLayer final : public WindowLayer {
public:
    // `system` opens the file dialogs of 通用对话框 components.
    explicit Win32WindowLayer(System& system, UnknownComponent onUnknown = {});
    ~Win32WindowLayer() override;
    Win32WindowLayer(const Win32WindowLayer&) = delete;
    Win32WindowLayer& operator=(const Win32WindowLayer&) = delete;

    Window* load(const WindowDecl& decl, const Behaviours& behaviours) override;
    void runModal(const WindowDecl& decl, const Behaviours& behaviours, Window& owner) override;
    int run() override;
    void postWork(Window& window, std::function<void()> work) override;

    void setWindowOpacity(Window& window, int alpha) override;
    void setWindowTopmost(Window& window, bool on) override;
    void setTrayIcon(Window& window, const std::string& tip) override;
    void setStatusPartText(Window& window, const std::string& statusBar, int index,
                           const std::string& text) override;

    System& system() { return system_; }
    // Handles one message: the keys of the entry buttons (EntryKeys.hpp) and the dialog
    // keys (Tab, Esc, Enter) of our windows, else dispatched.
    void dispatch(MSG& message);
    // A window of the layer is gone; the loop of run() ends with the last one.
    void windowDestroyed(Win32Window& window);
    // A window was asked for a component it does not hold.
    void unknownComponent(const std::string& window, const std::string& component) const {
        if (onUnknown_) onUnknown_(window, component);
    }

private:
    System& system_;
    UnknownComponent onUnknown_;
    std::vector<std::unique_ptr<Win32Window>> windows_;
    bool running_ = false;
};

}  // namespace velarion::win32
