#pragma once
// The one place where the program's GBK texts meet the system's UTF-16.
// Code page 936 is named explicitly, so the texts are right on any Windows locale.

#include <string>
#include <string_view>

namespace velarion::win32 {

inline constexpr unsigned CodePageGbk = 936;

std::wstring toWide(std::string_view gbk);
std::string toGbk(std::wstring_view wide);

}  // namespace velarion::win32
