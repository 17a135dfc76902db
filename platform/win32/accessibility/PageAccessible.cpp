// A page of a 选择夹 to a screen reader: a property page named by the caption
// declared for it ("聊天通讯", ..., "系统设置"); the controls on it are its
// children. The page window lives as long as its container, which outlives
// nothing the description needs: the caption is copied.

#include "platform/win32/accessibility/ControlAccessibles.hpp"

namespace velarion::win32 {
namespace {

class PageAccessible final : public LeafAccessible {
public:
    PageAccessible(HWND window, std::wstring caption)
        : LeafAccessible(window), caption_(std::move(caption)) {}

private:
    bool connected() const override { return IsWindow(window()) != FALSE; }
    LONG role() const override { return ROLE_SYSTEM_PROPERTYPAGE; }
    bool name(std::wstring& value) const override {
        value = caption_;
        return true;
    }

    std::wstring caption_;
};

}  // namespace

Accessible* pageAccessible(HWND window, std::wstring caption) {
    return new PageAccessible(window, std::move(caption));
}

}  // namespace velarion::win32
