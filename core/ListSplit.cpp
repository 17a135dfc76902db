#include "core/ListSplit.hpp"

#include <cstring>

namespace velarion {

namespace {

bool isLead(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Calls found(position) for every separator at a character boundary. A list may be
// as long as the file (tens of megabytes), so it is not walked a character at a
// time: the separator's bytes are below 0x80, so every place they stand is looked
// up with memchr, and startsCharacter tells the separators from the pairs whose
// second byte is a '%'. Each look back stops at the byte below 0x80 before it, so
// the whole scan reads every byte at most twice.
template <typename Found>
void scanSeparators(std::string_view text, Found found) {
    std::size_t at = 0;
    while (text.size() - at >= 2) {
        const void* percent = std::memchr(text.data() + at, ListSeparator[0], text.size() - at - 1);
        if (!percent) return;
        at = static_cast<std::size_t>(static_cast<const char*>(percent) - text.data());
        if (text[at + 1] == ListSeparator[1] && startsCharacter(text, at)) {
            found(at);
            at += 2;
        } else {
            ++at;
        }
    }
}

// Calls member(text) for every member, as splitList finds them.
template <typename Member>
void forEachMember(std::string_view text, Member member) {
    std::size_t start = 0;
    scanSeparators(text, [&](std::size_t at) {
        member(text.substr(start, at - start));
        start = at + 2;
    });
    if (start < text.size()) member(text.substr(start));
}

}  // namespace

std::vector<std::string> splitList(std::string_view text) {
    std::vector<std::string> members;
    forEachMember(text, [&](std::string_view member) { members.emplace_back(member); });
    return members;
}

std::vector<std::string_view> listMembers(std::string_view text) {
    std::vector<std::string_view> members;
    forEachMember(text, [&](std::string_view member) { members.push_back(member); });
    return members;
}

PackedList packList(std::string_view text) {
    PackedList list;
    list.text_.reserve(text.size());  // the members are the text less its separators
    forEachMember(text, [&](std::string_view member) {
        list.text_.append(member);
        list.ends_.push_back(list.text_.size());
    });
    return list;
}

PackedList packMembers(const std::vector<std::string_view>& members) {
    PackedList list;
    std::size_t bytes = 0;
    for (std::string_view member : members) bytes += member.size();
    list.text_.reserve(bytes);
    list.ends_.reserve(members.size());
    for (std::string_view member : members) {
        list.text_.append(member);
        list.ends_.push_back(list.text_.size());
    }
    return list;
}

std::size_t listSize(std::string_view text) {
    std::size_t count = 0;
    forEachMember(text, [&](std::string_view) { ++count; });
    return count;
}

bool endsWithSeparator(std::string_view text) {
    return text.ends_with(ListSeparator) && startsCharacter(text, text.size() - ListSeparator.size());
}

bool startsCharacter(std::string_view text, std::size_t at) {
    // A byte below 0x80 always ends a character (alone or as the second of a pair),
    // so only the bytes of 0x80 and more right before `at` decide: whole pairs when
    // there is an even number of them.
    std::size_t high = 0;
    while (high < at && isLead(text[at - 1 - high])) ++high;
    return high % 2 == 0;
}

}  // namespace velarion
