#pragma once
// 按钮, 选择框 and 单选框: push button, check box and radio button. The radio
// buttons of one container form one group.

#include <utility>

#include "platform/win32/Component.hpp"

namespace velarion::win32 {

class Button final : public SystemControl {
public:
    using SystemControl::SystemControl;
    void create(HWND parent, int id) override;
    void onCommand(int code) override;
    bool getFlag(Prop prop, bool& value) const override;
    bool setFlag(Prop prop, bool value) override;
    // Sets the check mark alone, without touching the rest of the group.
    void setCheck(bool on);
};

}  // namespace velarion::win32
