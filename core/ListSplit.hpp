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

// Whether a stored list ends in a separator that splitList finds (one at a character
// boundary), so that a member appended after it stays a member of its own.
bool endsWithSeparator(std::string_view text);

}  // namespace velarion
