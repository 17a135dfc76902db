#pragma once
// 选择夹: a paged container without tab headers. Each page is a child window
// filling the container; one page shows at a time. A page whose content is
// taller than the page scrolls vertically (scroll bar and mouse wheel). A page's
// window is made when it first shows or something is made on it: pages never
// shown cost none.

#include <memory>
#include <vector>

#include "platform/win32/Component.hpp"
#include "platform/win32/NativeWindow.hpp"

namespace velarion::win32 {

class PageContainer final : public Component, private NativeWindow {
public:
    PageContainer(Win32Window& window, const ComponentDecl& decl, int copy, Component* container);
    // The window class of a page (message::RevealChild scrolls a child into sight).
    static constexpr wchar_t PageClassName[] = L"VelarionPage";
    ~PageContainer() override;
    HWND handle() const override { return NativeWindow::handle(); }
    void create(HWND parent, int id) override;
    void layout(int dpi) override;
    HWND childParent(int page) const override;
    int scrollTop(int page) const override;

    bool getNumber(Prop prop, int& value) const override;
    bool setNumber(Prop prop, int value) override;
    // The height (96-DPI pixels) of what `page` holds.
    void setExtent(int page, int contentHeight);
    // The caption declared for `page`, as screen readers name it.
    std::wstring caption(int page) const;

private:
    class Page;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void showPage(int page);
    // The page, its window made (and placed) when it has none yet.
    Page& madePage(int page) const;
    // The size every page is given.
    SIZE pageSize() const;
    void placePages();
    // Moves every component of `page` to its place, after a scroll.
    void placeChildren(int page);

    std::vector<std::unique_ptr<Page>> pages_;
    int current_ = 0;
};

}  // namespace velarion::win32
