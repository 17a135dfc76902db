#pragma once
// Declared colours as the GDI takes them.

#include <windows.h>

#include <optional>

#include "platform/Declaration.hpp"
#include "platform/win32/Handles.hpp"

namespace velarion::win32 {

inline COLORREF colourRef(const Rgb& colour) { return RGB(colour.r, colour.g, colour.b); }

// The declared colour, else the system colour `fallback` (a COLOR_ index).
inline COLORREF colourOr(const std::optional<Rgb>& declared, int fallback) {
    return declared ? colourRef(*declared) : GetSysColor(fallback);
}

// Colours of a control that declares text and background colours of its own:
// the declared text colour (else the system's), no background of its own
// unless declared (the container's face shows through).
HBRUSH declaredColours(const ComponentDecl& decl, HDC dc, UniqueBrush& background);

}  // namespace velarion::win32
