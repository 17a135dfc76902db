#include "core/ListSplit.hpp"

namespace velarion {

namespace {

bool isLead(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Walks the text as splitList does, calling found(position) for every separator at a
// character boundary.
template <typename Found>
void scanSeparators(std::string_view text, Found found) {
    std::size_t at = 0;
    while (text.size() - at >= 2) {
        if (text[at] == ListSeparator[0] && text[at + 1] == ListSeparator[1]) {
            found(at);
            at += 2;
        } else {
            at += isLead(text[at]) ? 2 : 1;
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

std::size_t listSize(std::string_view text) {
    std::size_t count = 0;
    forEachMember(text, [&](std::string_view) { ++count; });
    return count;
}

bool endsWithSeparator(std::string_view text) {
    bool ends = false;
    scanSeparators(text, [&](std::size_t at) { ends = at + 2 == text.size(); });
    return ends;
}

}  // namespace velarion
