// The label of a category page without entries ("暂无应用") to a screen reader:
// static text named by what it shows, to be read, never a place to stop.

#include "platform/win32/accessibility/ControlAccessibles.hpp"

namespace velarion::win32 {
namespace {

class EmptyPageLabelAccessible final : public ComponentAccessible {
public:
    using ComponentAccessible::ComponentAccessible;

private:
    LONG role() const override { return ROLE_SYSTEM_STATICTEXT; }
    LONG addedState() const override { return STATE_SYSTEM_READONLY; }
};

}  // namespace

Accessible* emptyPageLabelAccessible(HWND window, std::weak_ptr<const Component> label) {
    return new EmptyPageLabelAccessible(window, std::move(label));
}

}  // namespace velarion::win32
