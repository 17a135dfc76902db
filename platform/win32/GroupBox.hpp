#pragma once
// 分组框: a group frame with its caption in the top edge. It really contains
// its components: they are child windows of the frame.

#include "platform/win32/Component.hpp"
#include "platform/win32/NativeWindow.hpp"
#include "platform/win32/accessibility/Accessible.hpp"

namespace velarion::win32 {

class GroupBox final : public Component, private NativeWindow {
public:
    using Component::Component;
    HWND handle() const override { return NativeWindow::handle(); }
    void create(HWND parent, int id) override;
    bool setText(Prop prop, std::string_view value) override;

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void paint(HDC dc, const RECT& client);
    Lifeline<Component> lifeline_{*this};  // for screen readers
};

}  // namespace velarion::win32
