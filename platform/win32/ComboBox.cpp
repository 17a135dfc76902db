#include "platform/win32/ComboBox.hpp"

#include <algorithm>

#include "platform/win32/Encoding.hpp"
#include "platform/win32/Colours.hpp"

namespace velarion::win32 {

void ComboBox::create(HWND parent, int id) {
    const DWORD style = commonStyle() | CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL;
    if (!createControl(0, L"COMBOBOX", style, parent, id)) return;
    for (const auto& item : decl_.items)
        SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(item).c_str()));
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(selection_), 0);
    layout(dpi_);  // the closed box's height is set through its item height
}

void ComboBox::layout(int dpi) {
    dpi_ = dpi;
    if (!hwnd_) return;
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    // The window's height is that of the open list; the closed box is sized by
    // its item height, set so that the closed box has the declared height.
    const int shown = std::clamp(static_cast<int>(decl_.items.size()), 1, 10);
    const int listHeight = shown * scaled(18) + scaled(4);
    const int scroll = container_ ? container_->scrollTop(decl_.page) : 0;
    SetWindowPos(hwnd_, nullptr, scaled(rect_.left), scaled(rect_.top - scroll), scaled(rect_.width),
                 scaled(rect_.height) + listHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT closed{};
    GetWindowRect(hwnd_, &closed);
    const int item = static_cast<int>(SendMessageW(hwnd_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    const int frame = (closed.bottom - closed.top) - item;
    const int wanted = scaled(rect_.height) - frame;
    if (wanted > 0 && wanted != item) {
        SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), wanted);
        // Placed again so that the closed box takes its new height.
        SetWindowPos(hwnd_, nullptr, 0, 0, scaled(rect_.width), scaled(rect_.height) + listHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

bool ComboBox::isItem(int index) const {
    return index >= 0 && index < static_cast<int>(decl_.items.size());
}

bool ComboBox::getText(Prop prop, std::string& value) const {
    if (prop != Prop::Text) return Component::getText(prop, value);
    value.clear();
    if (!hwnd_) {
        if (isItem(selection_)) value = decl_.items[static_cast<std::size_t>(selection_)];
        return true;
    }
    const auto index = SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return true;
    const auto length = SendMessageW(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return true;
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(static_cast<std::size_t>(length));
    value = toGbk(wide);
    return true;
}

bool ComboBox::getNumber(Prop prop, int& value) const {
    if (prop != Prop::Selection) return Component::getNumber(prop, value);
    if (!hwnd_) {
        value = isItem(selection_) ? selection_ : -1;
        return true;
    }
    const auto index = SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
    value = index == CB_ERR ? -1 : static_cast<int>(index);
    return true;
}

bool ComboBox::setNumber(Prop prop, int value) {
    if (prop != Prop::Selection) return Component::setNumber(prop, value);
    // -1 clears the selection; an index past the items does the same, as the control does.
    selection_ = isItem(value) ? value : -1;
    if (hwnd_) SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
    return true;
}

HBRUSH ComboBox::onColour(HDC dc) {
    if (!decl_.backColour) return nullptr;
    return declaredColours(decl_, dc, background_);
}

}  // namespace velarion::win32
