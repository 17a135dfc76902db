#pragma once
// Private-profile strings on a file reached through System: one read of the whole file
// per read, one atomic replacement of the whole file per write.

#include <cstddef>
#include <functional>
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

// The whole values of several keys from one reading, handed to `use` as views that
// live as long as the call (not copied where the file is GBK: a list may be as long as
// the file). Names that are empty after skipping, and a file that cannot be read, give
// empty views.
using ProfileViews = std::vector<std::string_view>;
void useProfileValues(System& system, std::string_view file, const std::vector<IniName>& names,
                      const std::function<void(const ProfileViews&)>& use);

// One reading and one replacement: the items `change` makes of the whole values of
// names (as useProfileValues gives them) are written into the content read. True when
// they are in the file; a file that exists but cannot be read is left alone.
bool updateProfileValues(System& system, std::string_view file, const std::vector<IniName>& names,
                         const std::function<std::vector<IniItem>(const ProfileViews&)>& change);

// Stores value under key in section, creating the file and the section when missing.
// True when the new content is in the file.
bool writeProfileString(System& system, std::string_view file, std::string_view section,
                        std::string_view key, std::string_view value);

// Several items in one replacement of the file: all of them are stored, or none.
bool writeProfileStrings(System& system, std::string_view file, const std::vector<IniItem>& items);

// A text without its leading bytes of 32 or less (blanks and control characters).
std::string_view skipLeadingControls(std::string_view text);

}  // namespace velarion
