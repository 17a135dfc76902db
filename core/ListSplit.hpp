#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace velarion {

inline constexpr std::string_view ListSeparator = "%$";

// Members of a stored list value "a%$b%$": split at "%$" on character
// boundaries only; a trailing separator gives no empty last member.
std::vector<std::string> splitList(std::string_view text);

// How many members splitList finds, without copying them.
std::size_t listSize(std::string_view text);

// Whether a character starts at byte `at` of a GBK text read from its start, where
// a byte of 0x80 or more takes the byte after it and any other byte stands alone.
bool startsCharacter(std::string_view text, std::size_t at);

// Whether a stored list ends in a separator that splitList finds (one at a character
// boundary), so that a member appended after it stays a member of its own.
bool endsWithSeparator(std::string_view text);

}  // namespace velarion
