#pragma once
// 状态条: the status bar along the bottom of the window's client area, divided
// into its declared parts; the mouse moving over it is an event.

#include <string>
#include <vector>

#include "platform/win32/Component.hpp"

namespace velarion::win32 {

class StatusBar final : public SystemControl {
public:
    using SystemControl::SystemControl;
    void create(HWND parent, int id) override;
    void layout(int dpi) override;

    // Keeps the part's text and shows it; an index outside the parts does nothing.
    void setPartText(int index, const std::string& text);
    std::string partText(int index) const;
    void mouseMoved(int x, int y, int keys);

private:
    RECT alongBottom(HWND parent) const;
    void showParts();  // the declared parts at this DPI, with their texts

    std::vector<std::string> texts_;
};

}  // namespace velarion::win32
