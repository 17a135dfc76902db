#pragma once
// 编辑框: a single-line edit box; read-only or whole-number entry as declared.

#include "platform/win32/Component.hpp"
#include "platform/win32/Handles.hpp"

namespace velarion::win32 {

class EditBox final : public SystemControl {
public:
    using SystemControl::SystemControl;
    void create(HWND parent, int id) override;
    HBRUSH onColour(HDC dc) override;

private:
    UniqueBrush background_;
};

}  // namespace velarion::win32
