#include "platform/win32/EmptyPageLabel.hpp"

#include "platform/win32/Colours.hpp"
#include "platform/win32/Encoding.hpp"
#include "platform/win32/Handles.hpp"
#include "platform/win32/accessibility/ControlAccessibles.hpp"

namespace velarion::win32 {
namespace {
constexpr wchar_t kClass[] = L"VelarionShadedLabel";
}

void EmptyPageLabel::create(HWND parent, int id) {
    id_ = id;
    registerClass(kClass, nullptr, CS_HREDRAW | CS_VREDRAW);
    createNative(0, kClass, toWide(text_), commonStyle(), placement(), parent,
                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

bool EmptyPageLabel::setText(Prop prop, std::string_view value) {
    const bool handled = Component::setText(prop, value);
    if (handle()) InvalidateRect(handle(), nullptr, TRUE);
    return handled;
}

COLORREF EmptyPageLabel::ringColour(const Shading& shading, int ring, int width) {
    const auto& colours = shading.colours;
    if (colours.empty()) return RGB(128, 128, 128);
    if (colours.size() == 1 || width <= 1) return colourRef(colours[0]);
    // The colours stand at even steps from the outer ring (0) to the inner one (width - 1).
    const int segments = static_cast<int>(colours.size()) - 1;
    const int span = width - 1;
    const int scaled = ring * segments;  // position in segment units times span
    const int segment = scaled / span >= segments ? segments - 1 : scaled / span;
    const int within = scaled - segment * span;  // 0 .. span
    const Rgb& a = colours[static_cast<std::size_t>(segment)];
    const Rgb& b = colours[static_cast<std::size_t>(segment) + 1];
    auto mix = [&](int x, int y) { return x + (y - x) * within / span; };
    return RGB(mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b));
}

void EmptyPageLabel::paint(HDC dc, const RECT& client) {
    // No background of its own unless declared: the container's face.
    UniqueBrush back;
    if (decl_.backColour)
        back.reset(CreateSolidBrush(colourRef(*decl_.backColour)));
    FillRect(dc, &client, back ? back.get() : GetSysColorBrush(COLOR_BTNFACE));
    RECT inner = client;
    if (decl_.shading && decl_.shading->width > 0) {
        const int width = scaled(decl_.shading->width);
        for (int ring = 0; ring < width && inner.right - inner.left > 0 && inner.bottom - inner.top > 0;
             ++ring) {
            UniqueBrush brush(CreateSolidBrush(ringColour(*decl_.shading, ring, width)));
            FrameRect(dc, &inner, brush.get());
            InflateRect(&inner, -1, -1);
        }
    }
    SelectScope useFont(dc, font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colourOr(decl_.textColour, COLOR_WINDOWTEXT));
    UINT format = DT_NOPREFIX;
    format |= decl_.align == HAlign::Center ? DT_CENTER : decl_.align == HAlign::Right ? DT_RIGHT : DT_LEFT;
    if (decl_.singleLine) format |= DT_SINGLELINE | (decl_.vCenter ? DT_VCENTER : 0);
    else format |= DT_WORDBREAK;
    const std::wstring text = toWide(text_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &inner, format);
}

LRESULT EmptyPageLabel::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return paintClient([this](HDC dc, const RECT& client) { paint(dc, client); });
    case WM_GETOBJECT:
        if (asksForClient(lParam)) return answerWith(wParam, emptyPageLabelAccessible(handle(), lifeline_.weak()));
        return defaultProc(message, wParam, lParam);
    case WM_SETFONT:
        InvalidateRect(handle(), nullptr, TRUE);
        return 0;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    default:
        return defaultProc(message, wParam, lParam);
    }
}

}  // namespace velarion::win32
