#include "platform/win32/GroupBox.hpp"

#include "platform/win32/Encoding.hpp"
#include "platform/win32/Handles.hpp"
#include "platform/win32/accessibility/ControlAccessibles.hpp"

namespace velarion::win32 {
namespace {
constexpr wchar_t kClass[] = L"VelarionGroup";
}

void GroupBox::create(HWND parent, int id) {
    id_ = id;
    registerClass(kClass, GetSysColorBrush(COLOR_BTNFACE), CS_HREDRAW | CS_VREDRAW);
    createNative(WS_EX_CONTROLPARENT, kClass, toWide(text_), commonStyle() | WS_CLIPCHILDREN,
                 placement(), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

bool GroupBox::setText(Prop prop, std::string_view value) {
    const bool handled = Component::setText(prop, value);
    if (handle()) InvalidateRect(handle(), nullptr, TRUE);
    return handled;
}

void GroupBox::paint(HDC dc, const RECT& client) {
    SelectScope useFont(dc, font());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const std::wstring caption = toWide(text_);
    // The frame runs through the middle of the caption's line.
    RECT frame = client;
    frame.top += caption.empty() ? 0 : metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (caption.empty()) return;
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    const int pad = scaled(2);
    RECT text{client.left + scaled(6), client.top, 0, client.top + metrics.tmHeight};
    text.right = std::min<LONG>(text.left + extent.cx + 2 * pad, client.right - scaled(2));
    FillRect(dc, &text, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(handle()) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    text.left += pad;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX | DT_END_ELLIPSIS);
}

LRESULT GroupBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT forwarded = 0;
    if (forwardToRoot(message, wParam, lParam, forwarded)) return forwarded;
    switch (message) {
    case WM_PAINT:
        return paintClient([this](HDC dc, const RECT& client) { paint(dc, client); });
    case WM_GETOBJECT:
        if (asksForClient(lParam)) return answerWith(wParam, groupBoxAccessible(handle(), lifeline_.weak()));
        return defaultProc(message, wParam, lParam);
    case WM_SETFONT:
        InvalidateRect(handle(), nullptr, TRUE);
        return 0;
    default:
        return defaultProc(message, wParam, lParam);
    }
}

}  // namespace velarion::win32
