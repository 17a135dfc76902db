// The label of a category page without entries ("暂无应用") to a screen reader:
// static text named by what it shows.

#include "platform/win32/Encoding.hpp"
#include "platform/win32/accessibility/ControlAccessibles.hpp"

namespace velarion::win32 {
namespace {

class EmptyPageLabelAccessible final : public LeafAccessible {
public:
    EmptyPageLabelAccessible(HWND window, std::weak_ptr<const Component> label)
        : LeafAccessible(window), label_(std::move(label)) {}

private:
    bool connected() const override {
        auto component = label_.lock();
        return component && component->handle();
    }
    LONG role() const override { return ROLE_SYSTEM_STATICTEXT; }
    bool name(std::wstring& value) const override {
        std::string text;
        if (auto label = label_.lock()) label->getText(Prop::Text, text);
        value = toWide(text);
        return true;
    }
    // Text to read, never a place to stop.
    LONG addedState() const override { return STATE_SYSTEM_READONLY; }

    std::weak_ptr<const Component> label_;
};

}  // namespace

Accessible* emptyPageLabelAccessible(HWND window, std::weak_ptr<const Component> label) {
    return new EmptyPageLabelAccessible(window, std::move(label));
}

}  // namespace velarion::win32
