#pragma once
// The fonts of one window: the declared fonts and the window's default font
// (the system's message font), each made once per DPI and kept as long as the
// window, so that a control never holds a deleted font.

#include <windows.h>

#include <map>
#include <optional>
#include <tuple>

#include "platform/Declaration.hpp"
#include "platform/win32/Handles.hpp"

namespace velarion::win32 {

class Fonts {
public:
    // The declared font, or the default font when none is declared.
    HFONT get(const std::optional<Font>& font, int dpi);
    HFONT defaultFont(int dpi);

    // What a declared font asks of the system at that DPI.
    static LOGFONTW describe(const Font& font, int dpi);

private:
    using Key = std::tuple<std::string, int, bool, int, bool, int>;  // face, height, bold, charset, cell, dpi
    std::map<Key, UniqueFont> declared_;
    std::map<int, UniqueFont> defaults_;
};

}  // namespace velarion::win32
