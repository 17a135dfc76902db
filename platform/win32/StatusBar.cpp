#include "platform/win32/StatusBar.hpp"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/win32/Encoding.hpp"
#include "platform/win32/Win32Window.hpp"

namespace velarion::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x5342;  // 'SB'

LRESULT CALLBACK mouseProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data) {
    if (message == WM_MOUSEMOVE)
        reinterpret_cast<StatusBar*>(data)->mouseMoved(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                                                       static_cast<int>(wParam));
    if (message == WM_NCDESTROY) RemoveWindowSubclass(bar, &mouseProc, kSubclassId);
    return DefSubclassProc(bar, message, wParam, lParam);
}

}  // namespace

void StatusBar::create(HWND parent, int id) {
    // Placed by the window, not by the control itself.
    const DWORD style = commonStyle() | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
    const RECT at = alongBottom(parent);
    if (!createControl(0, STATUSCLASSNAMEW, style, parent, id, &at)) return;
    SetWindowSubclass(hwnd_, &mouseProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    for (const auto& part : decl_.parts) texts_.push_back(part.text);
    showParts();
}

void StatusBar::layout(int dpi) {
    dpi_ = dpi;
    if (!hwnd_) return;
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    const RECT at = alongBottom(GetParent(hwnd_));
    SetWindowPos(hwnd_, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    showParts();
}

// Kept along the bottom of the client area, as wide as it, in the declared height.
RECT StatusBar::alongBottom(HWND parent) const {
    RECT client{};
    GetClientRect(parent, &client);
    return {0, client.bottom - scaled(rect_.height), client.right, client.bottom};
}

void StatusBar::showParts() {
    std::vector<int> edges;
    int right = 0;
    for (const auto& part : decl_.parts) {
        right = part.width < 0 ? -1 : right + scaled(part.width);
        edges.push_back(right);
        if (right < 0) break;
    }
    if (!edges.empty())
        SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (std::size_t i = 0; i < edges.size(); ++i)
        SendMessageW(hwnd_, SB_SETTEXTW, i, reinterpret_cast<LPARAM>(toWide(texts_[i]).c_str()));
}

void StatusBar::setPartText(int index, const std::string& text) {
    if (index < 0 || index >= static_cast<int>(texts_.size())) return;
    texts_[static_cast<std::size_t>(index)] = text;
    // The part's index with the declared border style (the default, sunken).
    if (hwnd_) SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(toWide(text).c_str()));
}

std::string StatusBar::partText(int index) const {
    if (index < 0 || index >= static_cast<int>(texts_.size())) return {};
    return texts_[static_cast<std::size_t>(index)];
}

void StatusBar::mouseMoved(int x, int y, int keys) {
    EventArgs args;
    args.x = x;
    args.y = y;
    args.keys = keys;
    window_.raise(*this, Event::MouseMove, args);
}

}  // namespace velarion::win32
