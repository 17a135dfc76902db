#pragma once
// 组合框: a drop-down list the user cannot type into.

#include "platform/win32/Component.hpp"
#include "platform/win32/Handles.hpp"

namespace velarion::win32 {

class ComboBox final : public SystemControl {
public:
    using SystemControl::SystemControl;
    void create(HWND parent, int id) override;
    void layout(int dpi) override;
    bool getText(Prop prop, std::string& value) const override;
    bool getNumber(Prop prop, int& value) const override;
    bool setNumber(Prop prop, int value) override;
    HBRUSH onColour(HDC dc) override;

private:
    bool isItem(int index) const;

    UniqueBrush background_;
};

}  // namespace velarion::win32
