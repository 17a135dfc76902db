#include "platform/win32/Button.hpp"

#include "platform/win32/Win32Window.hpp"

namespace velarion::win32 {

void Button::create(HWND parent, int id) {
    DWORD style = commonStyle();
    switch (kind()) {
    case Kind::CheckBox:
        style |= BS_AUTOCHECKBOX;
        break;
    case Kind::Radio:
        // Checked by the window, which clears the others of the container.
        style |= BS_RADIOBUTTON;
        break;
    default:
        style |= BS_PUSHBUTTON;
        break;
    }
    if (kind() == Kind::Button) {
        // A push button's caption is centred (or right-aligned when declared so)
        // and wraps when it is wider than the button.
        style |= (decl_.align == HAlign::Right ? BS_RIGHT : BS_CENTER) | BS_VCENTER | BS_MULTILINE;
    } else if (decl_.align != HAlign::Left) {
        style |= decl_.align == HAlign::Right ? BS_RIGHT : BS_CENTER;
    }
    if (createControl(0, L"BUTTON", style, parent, id) && checked_)
        SendMessageW(hwnd_, BM_SETCHECK, BST_CHECKED, 0);
}

void Button::onCommand(int code) {
    if (code != BN_CLICKED) return;
    if (kind() == Kind::Radio) window_.selectRadio(*this);
    window_.raise(*this, Event::Clicked);
}

bool Button::getFlag(Prop prop, bool& value) const {
    if (prop != Prop::Checked) return Component::getFlag(prop, value);
    value = hwnd_ ? SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED : checked_;
    return true;
}

bool Button::setFlag(Prop prop, bool value) {
    if (prop != Prop::Checked) return Component::setFlag(prop, value);
    // Selecting a radio button clears the others of its group.
    if (kind() == Kind::Radio && value) window_.selectRadio(*this);
    else setCheck(value);
    return true;
}

void Button::setCheck(bool on) {
    checked_ = on;
    if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace velarion::win32
