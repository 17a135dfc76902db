#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace velarion {

inline constexpr std::string_view ListSeparator = "%$";

// Members of a stored list value "a%$b%$": split at "%$" on character
// boundaries only; a trailing separator gives no empty last member.
std::vector<std::string> splitList(std::string_view text);

// The members splitList finds, as views into `text`.
std::vector<std::string_view> listMembers(std::string_view text);

// The members splitList finds, held as one text: a list of a thousand paths is one
// allocation, not a thousand.
class PackedList {
public:
    std::size_t size() const { return ends_.size(); }
    // Member i (from 0); i < size().
    std::string_view at(std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(text_).substr(begin, ends_[i] - begin);
    }
    friend PackedList packList(std::string_view text);
    friend PackedList packMembers(const std::vector<std::string_view>& members);

private:
    std::string text_;               // the members one after another
    std::vector<std::size_t> ends_;  // where each member ends in text_
};

PackedList packList(std::string_view text);
// The members, already split, packed the same way.
PackedList packMembers(const std::vector<std::string_view>& members);

// How many members splitList finds, without copying them.
std::size_t listSize(std::string_view text);

// Whether a character starts at byte `at` of a GBK text read from its start, where
// a byte of 0x80 or more takes the byte after it and any other byte stands alone;
// at the text's size, whether its last character is whole.
bool startsCharacter(std::string_view text, std::size_t at);

// Whether a stored list ends in a separator that splitList finds (one at a character
// boundary), so that a member appended after it stays a member of its own.
bool endsWithSeparator(std::string_view text);

}  // namespace velarion
