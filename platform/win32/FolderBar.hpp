#pragma once
// 卷帘式菜单: a vertical stack of folder buttons. The folders up to the open one
// stand at the top, the others at the bottom, and the open folder's space lies
// between; choosing another folder slides the buttons to their new places.

#include <vector>

#include "platform/win32/Component.hpp"
#include "platform/win32/NativeWindow.hpp"
#include "platform/win32/accessibility/Accessible.hpp"

namespace velarion::win32 {

class FolderBar final : public Component, private NativeWindow {
public:
    using Component::Component;
    HWND handle() const override { return NativeWindow::handle(); }
    void create(HWND parent, int id) override;
    void layout(int dpi) override;
    bool getNumber(Prop prop, int& value) const override;
    bool setNumber(Prop prop, int value) override;

    static constexpr int HeaderHeight = 22;  // 96-DPI pixels
    // Where the header of `folder` stands (top, 96-DPI pixels from the bar's top)
    // when `open` is the open folder of `count` in a bar `height` high.
    static int headerTop(int folder, int open, int count, int height);

    // What a screen reader is told (accessibility/FolderBarAccessible.cpp).
    int folderCount() const { return static_cast<int>(decl_.items.size()); }
    int openFolder() const { return open_; }
    std::wstring caption(int folder) const;
    // Where the folder's header stands now, in screen coordinates.
    RECT headerOnScreen(int folder) const;
    // Opens the folder as a click on its header does.
    void openAsClicked(int folder);

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The header's top at this moment of the slide (device pixels).
    int currentTop(int folder) const;
    int hitTest(int y) const;
    void choose(int folder);
    void finishSlide();
    void paint(HDC dc, const RECT& client);

    int open_ = 0;
    int previous_ = 0;
    int step_ = 0;  // of SlideSteps; SlideSteps when at rest
    int hover_ = -1;
    bool tracking_ = false;
    static constexpr int SlideSteps = 8;
    Lifeline<FolderBar> lifeline_{*this};
};

}  // namespace velarion::win32
