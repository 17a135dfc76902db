#pragma once
// 标签: static text in the declared font, colour and alignment.

#include "platform/win32/Component.hpp"
#include "platform/win32/Handles.hpp"

namespace velarion::win32 {

class Label final : public SystemControl {
public:
    using SystemControl::SystemControl;
    void create(HWND parent, int id) override;
    HBRUSH onColour(HDC dc) override;

private:
    UniqueBrush background_;
};

}  // namespace velarion::win32
