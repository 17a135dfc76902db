#pragma once
// 标签: static text in the declared font, colour and alignment.

#include "platform/win32/Component.hpp"
#include "platform/win32/Handles.hpp"

namespace velarion::win32 {

class Label final : public Component {
public:
    using Component::Component;
    void create(HWND parent, int id) override;
    HBRUSH onColour(HDC dc) override;

private:
    UniqueBrush background_;
};

// Colours of a control that declares text and background colours of its own:
// the declared text colour (else the system's), no background of its own
// unless declared (the container's face shows through).
HBRUSH declaredColours(const ComponentDecl& decl, HDC dc, UniqueBrush& background);

}  // namespace velarion::win32
