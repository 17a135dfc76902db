#include "platform/win32/Fonts.hpp"

#include <cwchar>

#include "platform/win32/Dpi.hpp"
#include "platform/win32/Encoding.hpp"

namespace velarion::win32 {

LOGFONTW Fonts::describe(const Font& font, int dpi) {
    LOGFONTW lf{};
    // CreateFont takes a cell height as a positive number and a character
    // height as a negative one.
    const int height = scaleForDpi(font.height, dpi);
    lf.lfHeight = font.cellHeight ? height : -height;
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = static_cast<BYTE>(font.charset);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring face = toWide(font.face);
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return lf;
}

HFONT Fonts::get(const std::optional<Font>& font, int dpi) {
    if (!font) return defaultFont(dpi);
    Key key{font->face, font->height, font->bold, font->charset, font->cellHeight, dpi};
    auto it = declared_.find(key);
    if (it == declared_.end()) {
        const LOGFONTW lf = describe(*font, dpi);
        it = declared_.emplace(key, UniqueFont(CreateFontIndirectW(&lf))).first;
    }
    return it->second ? it->second.get() : defaultFont(dpi);
}

HFONT Fonts::defaultFont(int dpi) {
    auto it = defaults_.find(dpi);
    if (it == defaults_.end()) {
        const LOGFONTW lf = messageFontForDpi(dpi);
        it = defaults_.emplace(dpi, UniqueFont(CreateFontIndirectW(&lf))).first;
    }
    return it->second ? it->second.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace velarion::win32
