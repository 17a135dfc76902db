// 分组框 to a screen reader: a grouping named by its caption; the controls in it
// are its children (the standard object's child windows).

#include "platform/win32/accessibility/ControlAccessibles.hpp"

namespace velarion::win32 {
namespace {

class GroupBoxAccessible final : public ComponentAccessible {
public:
    using ComponentAccessible::ComponentAccessible;

private:
    LONG role() const override { return ROLE_SYSTEM_GROUPING; }
};

}  // namespace

Accessible* groupBoxAccessible(HWND window, std::weak_ptr<const Component> box) {
    return new GroupBoxAccessible(window, std::move(box));
}

}  // namespace velarion::win32
