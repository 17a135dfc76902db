#include "platform/win32/Component.hpp"

#include "platform/win32/Dpi.hpp"
#include "platform/win32/Encoding.hpp"
#include "platform/win32/ShownText.hpp"
#include "platform/win32/Win32Window.hpp"

namespace velarion::win32 {
namespace {

// The field of the place that a number property names; nullptr for the others.
template <typename Place>
auto placeField(Place& place, Prop prop) -> decltype(&place.left) {
    switch (prop) {
    case Prop::Left:
        return &place.left;
    case Prop::Top:
        return &place.top;
    case Prop::Height:
        return &place.height;
    default:
        return nullptr;
    }
}

}  // namespace

Component::Component(Win32Window& window, const ComponentDecl& decl, int copy, Component* container)
    : window_(window),
      decl_(decl),
      container_(container),
      rect_(decl_.rect),
      text_(decl_.text),
      position_(decl_.position),
      selection_(decl_.selection),
      copy_(copy),
      visible_(decl_.visible),
      disabled_(decl_.disabled),
      checked_(decl_.checked),
      playing_(decl_.playAnimation) {}

std::string Component::name() const {
    return copy_ == 0 ? decl_.name : decl_.name + "#" + std::to_string(copy_);
}

void Component::create(HWND parent, int id) { id_ = id; }

void Component::layout(int dpi) {
    dpi_ = dpi;
    HWND own = handle();
    if (!own) return;
    place();
    // Each message to a control costs a round trip or a repaint: only what changed is sent.
    const HFONT wanted = font();
    if (wanted != appliedFont_) {
        SendMessageW(own, WM_SETFONT, reinterpret_cast<WPARAM>(wanted), TRUE);
        appliedFont_ = wanted;
    }
}

DWORD Component::commonStyle() const {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (visible_) style |= WS_VISIBLE;
    if (disabled_) style |= WS_DISABLED;
    // A copy has a number of its own; its declaration is the template's.
    const bool copy = decl_.copiesTabStop && copy_ != 0;
    if (decl_.tabStop || copy) style |= WS_TABSTOP;
    return style;
}

HWND SystemControl::createControl(DWORD exStyle, const wchar_t* className, DWORD style,
                                  HWND parent, int id, const RECT* at) {
    id_ = id;
    // Made in its place and with its font: no layout has to follow.
    const RECT place = at ? *at : placement();
    hwnd_ = CreateWindowExW(exStyle, className, nativeText().c_str(), style, place.left, place.top,
                            place.right - place.left, place.bottom - place.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_) {
        appliedFont_ = font();
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(appliedFont_), FALSE);
    }
    return hwnd_;
}

void SystemControl::destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    appliedFont_ = nullptr;
}

std::wstring Component::nativeText() const {
    return kind() == Kind::Button ? shownCaption(text_) : toWide(text_);
}

int Component::scaled(int value) const { return scaleForDpi(value, dpi_); }

RECT Component::placement() const {
    const int scroll = container_ ? container_->scrollTop(decl_.page) : 0;
    const int left = scaled(rect_.left), top = scaled(rect_.top - scroll);
    return {left, top, left + scaled(rect_.width), top + scaled(rect_.height)};
}

void Component::place() {
    HWND own = handle();
    if (!own) return;
    const RECT wanted = placement();
    RECT now{};
    GetWindowRect(own, &now);
    MapWindowPoints(nullptr, GetParent(own), reinterpret_cast<POINT*>(&now), 2);
    if (EqualRect(&now, &wanted)) return;
    SetWindowPos(own, nullptr, wanted.left, wanted.top, wanted.right - wanted.left,
                 wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT Component::font() const { return window_.fonts().get(decl_.font, dpi_); }

bool Component::getText(Prop prop, std::string& value) const {
    switch (prop) {
    case Prop::Tag:
        value = tag_;
        return true;
    case Prop::Text:
        // A push button's caption is ours alone and is given to the control
        // shortened when long: the caption is what was set.
        if (HWND own = handle(); own && kind() != Kind::Button) {
            const int length = GetWindowTextLengthW(own);
            std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
            const int got = GetWindowTextW(own, wide.data(), length + 1);
            wide.resize(static_cast<std::size_t>(got > 0 ? got : 0));
            value = toGbk(wide);
        } else {
            value = text_;
        }
        return true;
    default:
        return false;
    }
}

bool Component::setText(Prop prop, std::string_view value) {
    switch (prop) {
    case Prop::Tag:
        tag_ = value;
        return true;
    case Prop::Text:
        // A button's caption changes only here, so an unchanged one needs no
        // new text (and no repaint): a refill sets every entry's caption again.
        if (kind() == Kind::Button && value == text_) return true;
        text_ = value;
        if (HWND own = handle()) SetWindowTextW(own, nativeText().c_str());
        return true;
    default:
        return false;
    }
}

bool Component::getNumber(Prop prop, int& value) const {
    const int* field = placeField(rect_, prop);
    if (field) value = *field;
    return field != nullptr;
}

bool Component::setNumber(Prop prop, int value) {
    int* field = placeField(rect_, prop);
    if (!field) return false;
    // The native window is always at rect_: an unchanged place needs no move.
    if (*field == value) return true;
    *field = value;
    place();
    return true;
}

bool Component::getFlag(Prop prop, bool& value) const {
    switch (prop) {
    case Prop::Visible:
        value = visible_;
        return true;
    case Prop::Disabled:
        value = handle() ? !IsWindowEnabled(handle()) : disabled_;
        return true;
    default:
        return false;
    }
}

bool Component::setFlag(Prop prop, bool value) {
    switch (prop) {
    case Prop::Visible:
        if (value == visible_) return true;  // only changed here, so the window agrees
        visible_ = value;
        if (HWND own = handle()) ShowWindow(own, value ? SW_SHOWNA : SW_HIDE);
        return true;
    case Prop::Disabled:
        disabled_ = value;
        if (HWND own = handle()) EnableWindow(own, !value);
        return true;
    default:
        return false;
    }
}

}  // namespace velarion::win32
