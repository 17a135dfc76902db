#include "platform/win32/Label.hpp"

#include "platform/win32/Colours.hpp"

namespace velarion::win32 {

void Label::create(HWND parent, int id) {
    DWORD style = commonStyle() | SS_NOPREFIX;
    if (decl_.align == HAlign::Center) style |= SS_CENTER;
    else if (decl_.align == HAlign::Right) style |= SS_RIGHT;
    else style |= decl_.singleLine ? SS_LEFTNOWORDWRAP : SS_LEFT;
    // A single line centred vertically.
    if (decl_.vCenter && decl_.singleLine) style |= SS_CENTERIMAGE;
    if (decl_.border == Border::Single) style |= WS_BORDER;
    createControl(decl_.border == Border::Sunken ? WS_EX_STATICEDGE : 0, L"STATIC", style, parent, id);
}

HBRUSH Label::onColour(HDC dc) { return declaredColours(decl_, dc, background_); }

}  // namespace velarion::win32
