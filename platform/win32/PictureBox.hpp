#pragma once
// 图片框: a picture box with an optional border and picture, scaled into the box
// or not; an animated picture plays or stands on its frame. Also a container.

#include <optional>

#include "platform/win32/AnimatedPicture.hpp"
#include "platform/win32/Component.hpp"
#include "platform/win32/NativeWindow.hpp"
#include "platform/win32/accessibility/Accessible.hpp"

namespace velarion::win32 {

class PictureBox final : public Component, private NativeWindow {
public:
    using Component::Component;
    HWND handle() const override { return NativeWindow::handle(); }
    void create(HWND parent, int id) override;
    void layout(int dpi) override;
    bool getFlag(Prop prop, bool& value) const override;
    bool setFlag(Prop prop, bool value) override;

    int currentFrame() const { return frame_; }
    // Whether it has a picture (decoded now if it was not yet).
    bool hasPicture() { return picture() != nullptr; }

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void play(bool on);
    AnimatedPicture* picture();
    // Renders the picture at the box's present size.
    void renderPicture();

    std::optional<AnimatedPicture> picture_;
    bool decoded_ = false;
    int frame_ = 0;
    Lifeline<Component> lifeline_{*this};  // for screen readers
};

}  // namespace velarion::win32
