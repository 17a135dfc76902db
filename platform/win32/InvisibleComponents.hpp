#pragma once
// The components without a window of their own: 时钟 (timer), 通用对话框 (the
// open-file dialog) and 菜单 (a menu item; the menu bar belongs to the window).

#include <string>

#include "platform/System.hpp"
#include "platform/win32/Component.hpp"

namespace velarion::win32 {

// A timer ticks through the window's WM_TIMER with the component's identifier.
// Setting the interval it already has leaves it running undisturbed; 0 or
// less stops it; any other value restarts it with that period.
class TimerComponent final : public Component {
public:
    using Component::Component;
    void create(HWND parent, int id) override;
    void onTimer() override;
    bool getNumber(Prop prop, int& value) const override;
    bool setNumber(Prop prop, int value) override;

private:
    void apply();
    HWND owner_ = nullptr;
    int interval_ = 0;
};

class FileDialogComponent final : public Component {
public:
    using Component::Component;
    // Opens the dialog modally with the declared filter; true when a file was chosen.
    bool open(System& system);
    bool getText(Prop prop, std::string& value) const override;
    bool setText(Prop prop, std::string_view value) override;

private:
    std::string fileName_;
};

class MenuItem final : public Component {
public:
    using Component::Component;
};

}  // namespace velarion::win32
