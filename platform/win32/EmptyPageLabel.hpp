#pragma once
// A 标签 with a shaded frame: the frame is drawn inside the label's rectangle,
// blending its colours from the outer edge inwards, and the text is centred in
// what remains (the "暂无应用" labels of the category pages).

#include "platform/win32/Component.hpp"
#include "platform/win32/NativeWindow.hpp"
#include "platform/win32/accessibility/Accessible.hpp"

namespace velarion::win32 {

class EmptyPageLabel final : public Component, private NativeWindow {
public:
    using Component::Component;
    HWND handle() const override { return NativeWindow::handle(); }
    void create(HWND parent, int id) override;
    bool setText(Prop prop, std::string_view value) override;

    // The colour of ring `ring` (0 = outermost) of a frame `width` rings wide.
    static COLORREF ringColour(const Shading& shading, int ring, int width);

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void paint(HDC dc, const RECT& client);
    Lifeline<Component> lifeline_{*this};  // for screen readers
};

}  // namespace velarion::win32
