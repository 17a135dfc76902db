// 图片框 to a screen reader: a graphic. The busy picture of the shutdown group
// is animated while a shutdown counts down, and says so.

#include "platform/win32/accessibility/ControlAccessibles.hpp"

namespace velarion::win32 {
namespace {

class PictureBoxAccessible final : public LeafAccessible {
public:
    PictureBoxAccessible(HWND window, std::weak_ptr<const Component> picture)
        : LeafAccessible(window), picture_(std::move(picture)) {}

private:
    bool connected() const override {
        auto component = picture_.lock();
        return component && component->handle();
    }
    LONG role() const override { return ROLE_SYSTEM_GRAPHIC; }
    LONG addedState() const override {
        bool playing = false;
        if (auto picture = picture_.lock()) picture->getFlag(Prop::PlayAnimation, playing);
        return playing ? STATE_SYSTEM_ANIMATED : 0;
    }

    std::weak_ptr<const Component> picture_;
};

}  // namespace

Accessible* pictureBoxAccessible(HWND window, std::weak_ptr<const Component> picture) {
    return new PictureBoxAccessible(window, std::move(picture));
}

}  // namespace velarion::win32
