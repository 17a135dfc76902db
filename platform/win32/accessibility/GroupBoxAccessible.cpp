// 分组框 to a screen reader: a grouping named by its caption; the controls in it
// are its children (the standard object's child windows).

#include "platform/win32/Encoding.hpp"
#include "platform/win32/accessibility/ControlAccessibles.hpp"

namespace velarion::win32 {
namespace {

class GroupBoxAccessible final : public LeafAccessible {
public:
    GroupBoxAccessible(HWND window, std::weak_ptr<const Component> box)
        : LeafAccessible(window), box_(std::move(box)) {}

private:
    bool connected() const override {
        auto component = box_.lock();
        return component && component->handle();
    }
    LONG role() const override { return ROLE_SYSTEM_GROUPING; }
    bool name(std::wstring& value) const override {
        std::string caption;
        if (auto box = box_.lock()) box->getText(Prop::Text, caption);
        value = toWide(caption);
        return true;
    }

    std::weak_ptr<const Component> box_;
};

}  // namespace

Accessible* groupBoxAccessible(HWND window, std::weak_ptr<const Component> box) {
    return new GroupBoxAccessible(window, std::move(box));
}

}  // namespace velarion::win32
