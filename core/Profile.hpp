#pragma once
// Private-profile strings on a file reached through System: one read of the whole file
// per read, one atomic replacement of the whole file per write.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/IniFile.hpp"
#include "platform/System.hpp"

namespace velarion {

// The value of key in section of the file, at most bufferSize - 1 bytes long. Leading
// bytes of 32 or less are skipped in the file name, the section and the key; when one of
// them is then empty the file is not read and the result is "". A missing or unreadable
// file, section or key gives "".
std::string readProfileString(System& system, std::string_view file, std::string_view section,
                              std::string_view key, std::size_t bufferSize);

// Several values of the file, each as readProfileString gives it, from one reading.
std::vector<std::string> readProfileStrings(System& system, std::string_view file,
                                            const std::vector<IniName>& names, std::size_t bufferSize);

// Stores value under key in section, creating the file and the section when missing.
// True when the new content is in the file.
bool writeProfileString(System& system, std::string_view file, std::string_view section,
                        std::string_view key, std::string_view value);

// Several items in one replacement of the file: all of them are stored, or none.
bool writeProfileStrings(System& system, std::string_view file, const std::vector<IniItem>& items);

// A text without its leading bytes of 32 or less (blanks and control characters).
std::string_view skipLeadingControls(std::string_view text);

}  // namespace velarion
