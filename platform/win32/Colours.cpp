#include "platform/win32/Colours.hpp"

namespace velarion::win32 {

HBRUSH declaredColours(const ComponentDecl& decl, HDC dc, UniqueBrush& background) {
    SetTextColor(dc, colourOr(decl.textColour, COLOR_WINDOWTEXT));
    if (decl.backColour) {
        const COLORREF colour = colourRef(*decl.backColour);
        if (!background) background.reset(CreateSolidBrush(colour));
        SetBkColor(dc, colour);
        return background.get();
    }
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace velarion::win32
