#pragma once
// 滑块条: a horizontal track bar. Every position notification except the end of
// tracking is a change of position by the user.

#include <utility>

#include "platform/win32/Component.hpp"

namespace velarion::win32 {

class Trackbar final : public SystemControl {
public:
    Trackbar(Win32Window& window, ComponentDecl decl, Component* container)
        : SystemControl(window, std::move(decl), container), position_(decl_.position) {}
    void create(HWND parent, int id) override;
    void onScroll(int code) override;
    bool getNumber(Prop prop, int& value) const override;
    bool setNumber(Prop prop, int value) override;
    bool holdsUnmade(Prop prop) const override {
        return prop == Prop::Position || Component::holdsUnmade(prop);
    }

private:
    int position_;  // while there is no native control
};

}  // namespace velarion::win32
