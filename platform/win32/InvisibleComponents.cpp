#include "platform/win32/InvisibleComponents.hpp"

#include "platform/win32/Win32Window.hpp"

namespace velarion::win32 {

void TimerComponent::create(HWND parent, int id) {
    id_ = id;
    owner_ = window_.hwnd();
    interval_ = 0;
    setNumber(Prop::Interval, decl_.interval);
}

void TimerComponent::apply() {
    if (!owner_) return;
    if (interval_ > 0)
        SetTimer(owner_, static_cast<UINT_PTR>(id_), static_cast<UINT>(interval_), nullptr);
    else
        KillTimer(owner_, static_cast<UINT_PTR>(id_));
}

void TimerComponent::onTimer() {
    if (interval_ > 0) window_.raise(*this, Event::Tick);
}

bool TimerComponent::getNumber(Prop prop, int& value) const {
    if (prop != Prop::Interval) return Component::getNumber(prop, value);
    value = interval_;
    return true;
}

bool TimerComponent::setNumber(Prop prop, int value) {
    if (prop != Prop::Interval) return Component::setNumber(prop, value);
    if (value <= 0) value = 0;
    if (value == interval_) return true;  // running undisturbed (or still stopped)
    interval_ = value;
    apply();
    return true;
}

bool FileDialogComponent::open(System& system) {
    return system.openFileDialog(decl_.filter, decl_.dialogFlags, fileName_);
}

bool FileDialogComponent::getText(Prop prop, std::string& value) const {
    if (prop != Prop::FileName) return Component::getText(prop, value);
    value = fileName_;
    return true;
}

bool FileDialogComponent::setText(Prop prop, std::string_view value) {
    if (prop != Prop::FileName) return Component::setText(prop, value);
    fileName_ = value;
    return true;
}

}  // namespace velarion::win32
