#pragma once
// 按钮, 选择框 and 单选框: push button, check box and radio button. The radio
// buttons of one container form one group.

#include <utility>

#include "platform/win32/Component.hpp"

namespace velarion::win32 {

class Button final : public SystemControl {
public:
    Button(Win32Window& window, ComponentDecl decl, Component* container)
        : SystemControl(window, std::move(decl), container), checked_(decl_.checked) {}
    void create(HWND parent, int id) override;
    void onCommand(int code) override;
    bool getFlag(Prop prop, bool& value) const override;
    bool setFlag(Prop prop, bool value) override;
    bool holdsUnmade(Prop prop) const override {
        return (prop == Prop::Checked && kind() == Kind::CheckBox) || Component::holdsUnmade(prop);
    }
    // Sets the check mark alone, without touching the rest of the group.
    void setCheck(bool on);

private:
    bool checked_;  // while there is no native control
};

}  // namespace velarion::win32
