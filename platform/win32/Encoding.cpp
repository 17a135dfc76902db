#include "platform/win32/Encoding.hpp"

#include <windows.h>

namespace velarion::win32 {

std::wstring toWide(std::string_view gbk) {
    if (gbk.empty()) return {};
    const int n = MultiByteToWideChar(CodePageGbk, 0, gbk.data(), static_cast<int>(gbk.size()),
                                      nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CodePageGbk, 0, gbk.data(), static_cast<int>(gbk.size()), wide.data(), n);
    return wide;
}

std::string toGbk(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CodePageGbk, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string gbk(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CodePageGbk, 0, wide.data(), static_cast<int>(wide.size()), gbk.data(), n,
                        nullptr, nullptr);
    return gbk;
}

}  // namespace velarion::win32
