// The run-time properties of a window, by component name: the window's own
// (the name "") and those of its components.

#include <charconv>

#include "platform/win32/Controls.hpp"
#include "platform/win32/Encoding.hpp"
#include "platform/win32/Win32Window.hpp"
#include "platform/win32/Win32WindowLayer.hpp"

namespace velarion::win32 {

Component* Win32Window::lookup(const std::string& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? copyNamed(name) : it->second;
}

Component* Win32Window::copyNamed(const std::string& name) const {
    const std::size_t mark = name.rfind('#');
    if (mark == std::string::npos) return nullptr;
    const auto copies = copies_.find(std::string_view(name).substr(0, mark));
    if (copies == copies_.end()) return nullptr;
    // The number as copyComponent writes it: digits only, no leading zero.
    const std::string_view digits = std::string_view(name).substr(mark + 1);
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || digits[0] == '0') return nullptr;
    return number <= copies->second.size() ? copies->second[number - 1] : nullptr;
}

Component* Win32Window::known(const std::string& name) const {
    Component* component = lookup(name);
    if (!component) layer_.unknownComponent(decl_.name, name);
    return component;
}

Component* Win32Window::required(const std::string& name) {
    Component* component = makeNow(name);
    if (!component) layer_.unknownComponent(decl_.name, name);
    return component;
}

StatusBar* Win32Window::statusBar(const std::string& name) {
    return dynamic_cast<StatusBar*>(required(name));
}

bool Win32Window::has(const std::string& component) const {
    return component.empty() || lookup(component) != nullptr;
}

std::string Win32Window::text(const std::string& component, Prop prop) const {
    std::string value;
    if (component.empty()) {
        if (prop == Prop::Tag) return tag_;
        if (prop == Prop::Text && handle()) {
            wchar_t title[512] = {};
            GetWindowTextW(handle(), title, 512);
            return toGbk(title);
        }
        return {};
    }
    if (Component* c = known(component)) c->getText(prop, value);
    return value;
}

void Win32Window::setText(const std::string& component, Prop prop, std::string_view value) {
    if (component.empty()) {
        if (prop == Prop::Tag) tag_ = value;
        if (prop == Prop::Text && handle()) SetWindowTextW(handle(), toWide(value).c_str());
        return;
    }
    if (Component* c = known(component)) c->setText(prop, value);
}

int Win32Window::number(const std::string& component, Prop prop) const {
    if (component.empty()) {
        RECT r{};
        if (!handle() || !GetWindowRect(handle(), &r)) return 0;
        switch (prop) {
        case Prop::Left:
            return r.left;
        case Prop::Top:
            return r.top;
        case Prop::Height:
            return r.bottom - r.top;
        default:
            return 0;
        }
    }
    int value = 0;
    if (Component* c = known(component)) c->getNumber(prop, value);
    return value;
}

void Win32Window::setNumber(const std::string& component, Prop prop, int value) {
    if (component.empty()) {
        RECT r{};
        if (!handle() || !GetWindowRect(handle(), &r)) return;
        switch (prop) {
        case Prop::Left:
            // WM_MOVE follows and raises PositionChanged.
            SetWindowPos(handle(), nullptr, value, r.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        case Prop::Top:
            SetWindowPos(handle(), nullptr, r.left, value, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        case Prop::Height:
            SetWindowPos(handle(), nullptr, 0, 0, r.right - r.left, value,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        default:
            break;
        }
        return;
    }
    if (Component* c = known(component)) c->setNumber(prop, value);
}

bool Win32Window::flag(const std::string& component, Prop prop) const {
    if (component.empty()) {
        if (!handle()) return false;
        switch (prop) {
        case Prop::Visible:
            return IsWindowVisible(handle()) != FALSE;
        case Prop::AlwaysOnTop:
            return (GetWindowLongPtrW(handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        case Prop::Disabled:
            return !IsWindowEnabled(handle());
        default:
            return false;
        }
    }
    bool value = false;
    if (Component* c = known(component)) c->getFlag(prop, value);
    return value;
}

void Win32Window::setFlag(const std::string& component, Prop prop, bool value) {
    if (component.empty()) {
        if (!handle()) return;
        switch (prop) {
        case Prop::Visible:
            ShowWindow(handle(), value ? SW_SHOW : SW_HIDE);
            break;
        case Prop::AlwaysOnTop:
            setTopmost(value);
            break;
        case Prop::Disabled:
            EnableWindow(handle(), !value);
            break;
        default:
            break;
        }
        return;
    }
    if (Component* c = known(component)) {
        c->setFlag(prop, value);
        if (prop == Prop::Visible && value && !c->handle() && c->copyNumber() == 0) makeShownDeclared(*c);
    }
}

void Win32Window::setTopmost(bool on) {
    if (!handle()) return;
    // A window not yet shown that is already in the band asked for stays where it
    // is: showing it puts it at the top of its band anyway.
    const bool topmost = GetWindowLongPtrW(handle(), GWL_EXSTYLE) & WS_EX_TOPMOST;
    if (topmost == on && !IsWindowVisible(handle())) return;
    SetWindowPos(handle(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool Win32Window::openFileDialog(const std::string& component) {
    auto* dialog = dynamic_cast<FileDialogComponent*>(required(component));
    return dialog && dialog->open(layer_.system());
}

void Win32Window::setPageExtent(const std::string& tabs, int page, int contentHeight) {
    if (auto* pages = dynamic_cast<PageContainer*>(required(tabs)))
        pages->setExtent(page, contentHeight);
}

}  // namespace velarion::win32
