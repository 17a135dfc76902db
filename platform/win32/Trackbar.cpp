#include "platform/win32/Trackbar.hpp"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/Win32Window.hpp"

namespace velarion::win32 {

void Trackbar::create(HWND parent, int id) {
    const DWORD style = commonStyle() | TBS_HORZ | TBS_NOTICKS;
    if (!createControl(0, TRACKBAR_CLASSW, style, parent, id)) return;
    SendMessageW(hwnd_, TBM_SETRANGEMIN, FALSE, decl_.minimum);
    SendMessageW(hwnd_, TBM_SETRANGEMAX, FALSE, decl_.maximum);
    SendMessageW(hwnd_, TBM_SETLINESIZE, 0, decl_.lineStep);
    SendMessageW(hwnd_, TBM_SETPAGESIZE, 0, decl_.pageStep);
    SendMessageW(hwnd_, TBM_SETPOS, TRUE, position_);
}

void Trackbar::onScroll(int code) {
    if (code != TB_ENDTRACK) window_.raise(*this, Event::SliderMoved);
}

bool Trackbar::getNumber(Prop prop, int& value) const {
    if (prop != Prop::Position) return Component::getNumber(prop, value);
    value = hwnd_ ? static_cast<int>(SendMessageW(hwnd_, TBM_GETPOS, 0, 0)) : position_;
    return true;
}

bool Trackbar::setNumber(Prop prop, int value) {
    if (prop != Prop::Position) return Component::setNumber(prop, value);
    if (!hwnd_) {
        position_ = std::clamp(value, decl_.minimum, decl_.maximum);  // as the control keeps it
        return true;
    }
    SendMessageW(hwnd_, TBM_SETPOS, TRUE, value);  // kept within the range by the control
    return true;
}

}  // namespace velarion::win32
