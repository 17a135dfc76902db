#pragma once
// The descriptions of the controls we draw that have no parts of their own,
// each made in its own file. Each holds a weak reference to its component.

#include <memory>
#include <string>

#include "platform/win32/Component.hpp"
#include "platform/win32/accessibility/Accessible.hpp"

namespace velarion::win32 {

// A leaf that describes one component, told it is not there once the component
// or its window is gone.
class ComponentAccessible : public LeafAccessible {
public:
    ComponentAccessible(HWND window, std::weak_ptr<const Component> component)
        : LeafAccessible(window), component_(std::move(component)) {}

protected:
    bool connected() const override;
    std::shared_ptr<const Component> component() const { return component_.lock(); }
    // The component's text (a caption, what a label shows).
    bool name(std::wstring& value) const override;

private:
    std::weak_ptr<const Component> component_;
};

// 分组框: a grouping named by its caption.
Accessible* groupBoxAccessible(HWND window, std::weak_ptr<const Component> box);
// The label a category page shows when it has no entries: static text, its text.
Accessible* emptyPageLabelAccessible(HWND window, std::weak_ptr<const Component> label);
// 图片框: a graphic; one whose animation plays says so.
Accessible* pictureBoxAccessible(HWND window, std::weak_ptr<const Component> picture);
// One page of a 选择夹: a property page named by the page's declared caption.
Accessible* pageAccessible(HWND window, std::wstring caption);

}  // namespace velarion::win32
