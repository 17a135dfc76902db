#include "platform/win32/PageContainer.hpp"

#include <algorithm>
#include <utility>

#include "platform/win32/Dpi.hpp"
#include "platform/win32/Encoding.hpp"
#include "platform/win32/PrivateMessages.hpp"
#include "platform/win32/Win32Window.hpp"
#include "platform/win32/accessibility/ControlAccessibles.hpp"

namespace velarion::win32 {
namespace {
constexpr wchar_t kContainerClass[] = L"VelarionPages";
constexpr int kWheelStep = 40;  // 96-DPI pixels per notch of the wheel
constexpr int kRevealMargin = 8;  // 96-DPI pixels kept above or below a control scrolled into sight
}  // namespace

class PageContainer::Page final : public NativeWindow {
public:
    Page(PageContainer& owner, int index) : owner_(owner), index_(index) {}

    void create(HWND parent, SIZE size) {
        registerClass(PageClassName, GetSysColorBrush(COLOR_BTNFACE), CS_HREDRAW | CS_VREDRAW);
        if (createNative(WS_EX_CONTROLPARENT, PageClassName, L"", WS_CHILD | WS_CLIPCHILDREN,
                         RECT{0, 0, size.cx, size.cy}, parent, nullptr))
            size_ = size;
    }

    // Sizes the page to what of the container can be seen and sets its scroll bar
    // (a page without its window yet only notes the size).
    void place(int width, int height, int dpi) {
        dpi_ = dpi;
        viewHeight_ = unscaleForDpi(height, dpi);
        const int oldScroll = scroll_;
        scroll_ = std::clamp(scroll_, 0, std::max(0, extent_ - viewHeight_));
        if (!handle()) return;
        // Each call below is a round trip to the server: a page that neither
        // scrolls nor scrolled and keeps its size has nothing to tell.
        const bool scrolls = extent_ > viewHeight_;
        if (scrolls || barSet_) {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
            if (!scrolls) info.fMask &= ~SIF_DISABLENOSCROLL;
            info.nMin = 0;
            info.nMax = scrolls ? extent_ - 1 : 0;
            info.nPage = scrolls ? static_cast<UINT>(viewHeight_) : 0;
            info.nPos = scroll_;
            SetScrollInfo(handle(), SB_VERT, &info, TRUE);
            ShowScrollBar(handle(), SB_VERT, scrolls);
            barSet_ = scrolls;
        }
        if (width != size_.cx || height != size_.cy) {
            SetWindowPos(handle(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
            size_ = {width, height};
        }
        if (oldScroll != scroll_) owner_.placeChildren(index_);
    }

    // False when the page held that much already.
    bool setExtent(int extent) {
        const int old = std::exchange(extent_, std::max(0, extent));
        return old != extent_;
    }
    int scroll() const { return scroll_; }

private:
    // Scrolls so that the child window stands wholly in sight, with a little room.
    void reveal(HWND child) {
        if (!child || GetParent(child) != handle()) return;
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, handle(), reinterpret_cast<POINT*>(&place), 2);
        const int top = unscaleForDpi(place.top, dpi_) + scroll_;
        const int bottom = unscaleForDpi(place.bottom, dpi_) + scroll_;
        if (top - kRevealMargin < scroll_) scrollTo(top - kRevealMargin);
        else if (bottom + kRevealMargin > scroll_ + viewHeight_) scrollTo(bottom + kRevealMargin - viewHeight_);
    }

    void scrollTo(int position) {
        const int limit = std::max(0, extent_ - viewHeight_);
        position = std::clamp(position, 0, limit);
        if (position == scroll_) return;
        scroll_ = position;
        SetScrollPos(handle(), SB_VERT, scroll_, TRUE);
        owner_.placeChildren(index_);
        InvalidateRect(handle(), nullptr, TRUE);
    }

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        LRESULT forwarded = 0;
        if (forwardToRoot(message, wParam, lParam, forwarded)) return forwarded;
        if (message == WM_VSCROLL) {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_ALL;
            GetScrollInfo(handle(), SB_VERT, &info);
            int position = scroll_;
            switch (LOWORD(wParam)) {
            case SB_LINEUP: position -= 10; break;
            case SB_LINEDOWN: position += 10; break;
            case SB_PAGEUP: position -= viewHeight_; break;
            case SB_PAGEDOWN: position += viewHeight_; break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION: position = info.nTrackPos; break;
            case SB_TOP: position = 0; break;
            case SB_BOTTOM: position = extent_; break;
            default: break;
            }
            scrollTo(position);
            return 0;
        }
        if (message == WM_MOUSEWHEEL && extent_ > viewHeight_) {
            const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
            scrollTo(scroll_ - notches * kWheelStep);
            return 0;
        }
        if (message == message::RevealChild) {
            reveal(reinterpret_cast<HWND>(wParam));
            return 0;
        }
        if (message == WM_GETOBJECT && asksForClient(lParam))
            return answerWith(wParam, pageAccessible(handle(), owner_.caption(index_)));
        return defaultProc(message, wParam, lParam);
    }

    PageContainer& owner_;
    int index_;
    int extent_ = 0;
    int scroll_ = 0;
    int viewHeight_ = 0;
    int dpi_ = 96;
    SIZE size_{};          // the window's size as last set
    bool barSet_ = false;  // the scroll bar holds a range (a new window's holds none)
};

PageContainer::PageContainer(Win32Window& window, const ComponentDecl& decl, int copy, Component* container)
    : Component(window, decl, copy, container) {}

PageContainer::~PageContainer() = default;

void PageContainer::create(HWND parent, int id) {
    id_ = id;
    registerClass(kContainerClass, GetSysColorBrush(COLOR_BTNFACE), CS_HREDRAW | CS_VREDRAW);
    if (!createNative(WS_EX_CONTROLPARENT, kContainerClass, L"", commonStyle() | WS_CLIPCHILDREN,
                      placement(), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))))
        return;
    const int count = std::max<int>(1, static_cast<int>(decl_.items.size()));
    for (int i = 0; i < count; ++i) pages_.push_back(std::make_unique<Page>(*this, i));
    current_ = std::clamp(decl_.selection, 0, count - 1);
    placePages();  // a page's window is made when it first shows; each notes its size now
    showPage(current_);
}

PageContainer::Page& PageContainer::madePage(int page) const {
    Page& made = *pages_[static_cast<std::size_t>(page)];
    if (!made.handle() && handle()) {
        const SIZE size = pageSize();
        made.create(handle(), size);
        made.place(size.cx, size.cy, dpi_);
    }
    return made;
}

void PageContainer::layout(int dpi) {
    Component::layout(dpi);
    if (handle()) placePages();
}

void PageContainer::placePages() {
    const SIZE size = pageSize();
    for (auto& page : pages_) page->place(size.cx, size.cy, dpi_);
}

// A page is as large as what of the container its own container leaves visible,
// so that a page's scroll bar is never cut off.
SIZE PageContainer::pageSize() const {
    RECT own{};
    GetWindowRect(handle(), &own);
    HWND parent = GetParent(handle());
    RECT parentClient{};
    GetClientRect(parent, &parentClient);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&own), 2);
    return {std::max(0L, std::min(own.right, parentClient.right) - own.left),
            std::max(0L, std::min(own.bottom, parentClient.bottom) - own.top)};
}

HWND PageContainer::childParent(int page) const {
    if (page < 0 || page >= static_cast<int>(pages_.size())) return handle();
    return madePage(page).handle();
}

int PageContainer::scrollTop(int page) const {
    if (page < 0 || page >= static_cast<int>(pages_.size())) return 0;
    return pages_[static_cast<std::size_t>(page)]->scroll();
}

void PageContainer::showPage(int page) {
    for (int i = 0; i < static_cast<int>(pages_.size()); ++i) {
        if (i == page) ShowWindow(madePage(i).handle(), SW_SHOWNA);
        else if (HWND other = pages_[static_cast<std::size_t>(i)]->handle()) ShowWindow(other, SW_HIDE);
    }
}

bool PageContainer::getNumber(Prop prop, int& value) const {
    if (prop != Prop::CurrentPage) return Component::getNumber(prop, value);
    value = current_;
    return true;
}

bool PageContainer::setNumber(Prop prop, int value) {
    if (prop != Prop::CurrentPage) return Component::setNumber(prop, value);
    if (value < 0 || value >= static_cast<int>(pages_.size())) return true;
    current_ = value;
    window_.makeShownPart(*this, current_);
    showPage(current_);
    return true;
}

void PageContainer::setExtent(int page, int contentHeight) {
    if (page < 0 || page >= static_cast<int>(pages_.size())) return;
    // A refill sets every page's extent again, mostly unchanged: then nothing moves.
    Page& changed = *pages_[static_cast<std::size_t>(page)];
    if (!changed.setExtent(contentHeight) || !changed.handle()) return;
    const SIZE size = pageSize();
    changed.place(size.cx, size.cy, dpi_);  // the other pages stay as they are
}

std::wstring PageContainer::caption(int page) const {
    if (page < 0 || page >= static_cast<int>(decl_.items.size())) return {};
    return toWide(decl_.items[static_cast<std::size_t>(page)]);
}

void PageContainer::placeChildren(int page) { window_.relayoutChildren(*this, page); }

LRESULT PageContainer::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT forwarded = 0;
    if (forwardToRoot(message, wParam, lParam, forwarded)) return forwarded;
    return defaultProc(message, wParam, lParam);
}

}  // namespace velarion::win32
