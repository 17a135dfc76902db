#include "platform/win32/Encoding.hpp"
#include "platform/win32/accessibility/ControlAccessibles.hpp"

namespace velarion::win32 {

bool ComponentAccessible::connected() const {
    auto described = component();
    return described && described->handle();
}

bool ComponentAccessible::name(std::wstring& value) const {
    std::string text;
    if (auto described = component()) described->getText(Prop::Text, text);
    value = toWide(text);
    return true;
}

}  // namespace velarion::win32
