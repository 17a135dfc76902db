#pragma once
// 滑块条: a horizontal track bar. Every position notification except the end of
// tracking is a change of position by the user.

#include <utility>

#include "platform/win32/Component.hpp"

namespace velarion::win32 {

class Trackbar final : public SystemControl {
public:
    using SystemControl::SystemControl;
    void create(HWND parent, int id) override;
    void onScroll(int code) override;
    bool getNumber(Prop prop, int& value) const override;
    bool setNumber(Prop prop, int value) override;
};

}  // namespace velarion::win32
