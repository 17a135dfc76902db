#include "platform/win32/EditBox.hpp"

#include "platform/win32/Colours.hpp"
#include "platform/win32/NumberFilter.hpp"

namespace velarion::win32 {

void EditBox::create(HWND parent, int id) {
    DWORD style = commonStyle() | ES_AUTOHSCROLL;
    style |= decl_.align == HAlign::Center ? ES_CENTER : decl_.align == HAlign::Right ? ES_RIGHT : ES_LEFT;
    if (decl_.readOnly) style |= ES_READONLY;
    if (decl_.border == Border::Single) style |= WS_BORDER;
    const DWORD exStyle = decl_.border == Border::Sunken ? WS_EX_CLIENTEDGE : 0;
    if (createControl(exStyle, L"EDIT", style, parent, id) && decl_.numbersOnly)
        installNumberFilter(hwnd_);
}

HBRUSH EditBox::onColour(HDC dc) {
    // A disabled or read-only box keeps the system's greyed look.
    if (!decl_.backColour || decl_.readOnly || !IsWindowEnabled(hwnd_)) return nullptr;
    return declaredColours(decl_, dc, background_);
}

}  // namespace velarion::win32
