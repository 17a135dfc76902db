#include "platform/win32/FolderBar.hpp"

#include <algorithm>

#include <windowsx.h>

#include "platform/win32/Colours.hpp"
#include "platform/win32/Encoding.hpp"
#include "platform/win32/Handles.hpp"
#include "platform/win32/Win32Window.hpp"
#include "platform/win32/accessibility/FolderBarAccessible.hpp"

namespace velarion::win32 {
namespace {

constexpr wchar_t kClass[] = L"VelarionFolderBar";
constexpr UINT_PTR kSlideTimer = 1;
constexpr UINT kSlideTickMs = 15;

COLORREF mix(COLORREF a, COLORREF b, int part, int whole) {
    if (whole <= 0) return a;
    auto channel = [&](int x, int y) { return x + (y - x) * part / whole; };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

void fill(HDC dc, const RECT& rect, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void verticalGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom) {
    const int height = rect.bottom - rect.top;
    for (int y = 0; y < height; ++y) {
        RECT line{rect.left, rect.top + y, rect.right, rect.top + y + 1};
        fill(dc, line, mix(top, bottom, y, std::max(1, height - 1)));
    }
}

}  // namespace

int FolderBar::headerTop(int folder, int open, int count, int height) {
    return folder <= open ? folder * HeaderHeight : height - (count - folder) * HeaderHeight;
}

void FolderBar::create(HWND parent, int id) {
    id_ = id;
    registerClass(kClass, nullptr, CS_HREDRAW | CS_VREDRAW);
    open_ = previous_ = std::clamp(decl_.selection, 0, std::max(0, folderCount() - 1));
    step_ = SlideSteps;
    createNative(0, kClass, L"", commonStyle(), placement(), parent,
                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void FolderBar::layout(int dpi) {
    Component::layout(dpi);
    if (handle()) InvalidateRect(handle(), nullptr, FALSE);
}

int FolderBar::currentTop(int folder) const {
    const int to = headerTop(folder, open_, folderCount(), rect_.height);
    const int from = headerTop(folder, previous_, folderCount(), rect_.height);
    // Eased: quick at first, settling at the end.
    const int done = SlideSteps * SlideSteps - (SlideSteps - step_) * (SlideSteps - step_);
    return scaled(from + (to - from) * done / (SlideSteps * SlideSteps));
}

int FolderBar::hitTest(int y) const {
    const int height = scaled(HeaderHeight);
    for (int i = 0; i < folderCount(); ++i) {
        const int top = currentTop(i);
        if (y >= top && y < top + height) return i;
    }
    return -1;
}

void FolderBar::finishSlide() {
    if (step_ == SlideSteps) return;
    step_ = SlideSteps;
    previous_ = open_;
    KillTimer(handle(), kSlideTimer);
    InvalidateRect(handle(), nullptr, FALSE);
}

void FolderBar::choose(int folder) {
    if (folder < 0 || folder >= folderCount() || folder == open_) return;
    finishSlide();
    previous_ = open_;
    open_ = folder;
    step_ = 0;
    SetTimer(handle(), kSlideTimer, kSlideTickMs, nullptr);
    InvalidateRect(handle(), nullptr, FALSE);
    announceOpenFolder(handle(), open_);
    EventArgs args;
    args.index = folder;
    window_.raise(*this, Event::FolderChanged, args);
}

std::wstring FolderBar::caption(int folder) const {
    if (folder < 0 || folder >= folderCount()) return {};
    return toWide(decl_.items[static_cast<std::size_t>(folder)]);
}

RECT FolderBar::headerOnScreen(int folder) const {
    RECT client{};
    GetClientRect(handle(), &client);
    const int top = currentTop(folder);
    RECT header{client.left, top, client.right, top + scaled(HeaderHeight)};
    MapWindowPoints(handle(), nullptr, reinterpret_cast<POINT*>(&header), 2);
    return header;
}

void FolderBar::openAsClicked(int folder) {
    if (decl_.tabStop) SetFocus(handle());
    finishSlide();
    choose(folder);
}

bool FolderBar::getNumber(Prop prop, int& value) const {
    if (prop != Prop::Selection) return Component::getNumber(prop, value);
    value = open_;
    return true;
}

bool FolderBar::setNumber(Prop prop, int value) {
    if (prop != Prop::Selection) return Component::setNumber(prop, value);
    if (value < 0 || value >= folderCount()) return true;
    const bool changed = value != open_;
    open_ = previous_ = value;
    step_ = SlideSteps;
    if (handle()) {
        KillTimer(handle(), kSlideTimer);
        InvalidateRect(handle(), nullptr, FALSE);
        if (changed) announceOpenFolder(handle(), open_);
    }
    return true;
}

void FolderBar::paint(HDC dc, const RECT& client) {
    const COLORREF back = colourOr(decl_.backColour, COLOR_BTNFACE);
    fill(dc, client, back);
    SelectScope useFont(dc, font());
    SetBkMode(dc, TRANSPARENT);
    const int height = scaled(HeaderHeight);
    const bool focused = GetFocus() == handle();
    for (int i = 0; i < folderCount(); ++i) {
        const int top = currentTop(i);
        RECT header{client.left, top, client.right, top + height};
        COLORREF upper = RGB(252, 252, 252), lower = RGB(218, 218, 218);
        if (i == open_) {
            upper = RGB(232, 240, 252);
            lower = RGB(196, 214, 240);
        } else if (i == hover_) {
            upper = RGB(255, 255, 255);
            lower = RGB(232, 232, 232);
        }
        verticalGradient(dc, header, upper, lower);
        RECT line{header.left, header.top, header.right, header.top + 1};
        fill(dc, line, RGB(255, 255, 255));
        line = {header.left, header.bottom - 1, header.right, header.bottom};
        fill(dc, line, RGB(160, 160, 160));
        SetTextColor(dc, GetSysColor(IsWindowEnabled(handle()) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        const std::wstring caption = toWide(decl_.items[static_cast<std::size_t>(i)]);
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &header,
                  DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (focused && i == open_) {
            RECT focus = header;
            InflateRect(&focus, -scaled(2), -scaled(2));
            DrawFocusRect(dc, &focus);
        }
    }
    // A thin frame round the whole bar.
    UniqueBrush frame(CreateSolidBrush(RGB(160, 160, 160)));
    FrameRect(dc, &client, frame.get());
}

LRESULT FolderBar::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintScope paintScope(handle());
        RECT client{};
        GetClientRect(handle(), &client);
        // Drawn off screen first, so the slide does not flicker.
        UniqueDc memory(CreateCompatibleDC(paintScope.dc()));
        UniqueBitmap bitmap(CreateCompatibleBitmap(paintScope.dc(), client.right, client.bottom));
        if (memory && bitmap) {
            SelectScope use(memory.get(), bitmap.get());
            paint(memory.get(), client);
            BitBlt(paintScope.dc(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
        } else {
            paint(paintScope.dc(), client);
        }
        return 0;
    }
    case WM_TIMER:
        if (wParam == kSlideTimer) {
            if (++step_ >= SlideSteps) finishSlide();
            InvalidateRect(handle(), nullptr, FALSE);
        }
        return 0;
    case WM_LBUTTONDOWN:
        if (decl_.tabStop) SetFocus(handle());
        finishSlide();  // the header is looked for where it stands at rest
        choose(hitTest(GET_Y_LPARAM(lParam)));
        return 0;
    case WM_MOUSEMOVE: {
        if (!tracking_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle(), 0};
            tracking_ = TrackMouseEvent(&track) != FALSE;
        }
        const int hover = hitTest(GET_Y_LPARAM(lParam));
        if (hover != hover_) {
            hover_ = hover;
            InvalidateRect(handle(), nullptr, FALSE);
        }
        return 0;
    }
    case WM_MOUSELEAVE:
        tracking_ = false;
        hover_ = -1;
        InvalidateRect(handle(), nullptr, FALSE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_UP: choose(open_ - 1); return 0;
        case VK_DOWN: choose(open_ + 1); return 0;
        case VK_HOME: choose(0); return 0;
        case VK_END: choose(folderCount() - 1); return 0;
        default: break;
        }
        break;
    case WM_GETOBJECT:
        if (asksForClient(lParam)) return answerWith(wParam, folderBarAccessible(handle(), lifeline_.weak()));
        break;
    case WM_SETFOCUS:
        announceFocusedFolder(handle(), open_);
        InvalidateRect(handle(), nullptr, FALSE);
        break;
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETFONT:
        InvalidateRect(handle(), nullptr, FALSE);
        break;
    default:
        break;
    }
    return defaultProc(message, wParam, lParam);
}

}  // namespace velarion::win32
