// 图片框 to a screen reader: a graphic. The busy picture of the shutdown group
// is animated while a shutdown counts down, and says so.

#include "platform/win32/accessibility/ControlAccessibles.hpp"

namespace velarion::win32 {
namespace {

class PictureBoxAccessible final : public ComponentAccessible {
public:
    using ComponentAccessible::ComponentAccessible;

private:
    LONG role() const override { return ROLE_SYSTEM_GRAPHIC; }
    // A picture box has no text: the standard object's name.
    bool name(std::wstring&) const override { return false; }
    LONG addedState() const override {
        bool playing = false;
        if (auto picture = component()) picture->getFlag(Prop::PlayAnimation, playing);
        return playing ? STATE_SYSTEM_ANIMATED : 0;
    }
};

}  // namespace

Accessible* pictureBoxAccessible(HWND window, std::weak_ptr<const Component> picture) {
    return new PictureBoxAccessible(window, std::move(picture));
}

}  // namespace velarion::win32
