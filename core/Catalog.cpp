#include "core/Catalog.hpp"

#include "core/ListSplit.hpp"

namespace velarion {

std::string_view categoryKey(Category category) {
    switch (category) {
        case Category::Chat: return "聊天通讯";
        case Category::Media: return "音乐影视";
        case Category::Games: return "游戏娱乐";
        case Category::Other: return "其他应用";
    }
    return {};
}

namespace {

std::size_t slot(Category category) { return static_cast<std::size_t>(category); }

bool isLead(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// The text without a last byte that is half a double-byte character: it would take
// the first byte of a separator written after it as its own (and it is no character).
std::string withoutDanglingLead(std::string text) {
    std::size_t at = 0;
    while (text.size() - at >= 2)
        at += text.compare(at, 2, ListSeparator) == 0 ? 2 : isLead(text[at]) ? 2 : 1;
    if (at + 1 == text.size() && isLead(text.back())) text.pop_back();
    return text;
}

// A list whose last member is followed by a separator that splitList finds, so a
// member added after it stays a member of its own (a list edited to end without the
// separator gets one).
std::string terminated(std::string list) {
    if (list.empty() || endsWithSeparator(list)) return list;
    list = withoutDanglingLead(std::move(list));
    if (!list.empty() && !endsWithSeparator(list)) list += ListSeparator;
    return list;
}

// The stored list with one more member.
std::string extended(std::string list, std::string_view member) {
    list = terminated(std::move(list));
    list.reserve(list.size() + member.size() + ListSeparator.size());
    list += member;
    list += ListSeparator;
    return list;
}

// The path list with the new path at `position` (from 0), the new name's: a list
// edited by hand to hold fewer paths than names gets empty ones before it (they
// start nothing, as the missing ones did); paths beyond the names stay after it.
std::string pathsWith(std::string list, std::size_t position, std::string_view path) {
    list = terminated(std::move(list));  // whole members, each with its separator
    const std::size_t count = listSize(list);
    if (count <= position) {
        for (std::size_t i = count; i < position; ++i) list += ListSeparator;
        return extended(std::move(list), path);
    }
    std::vector<std::string> members = splitList(list);
    members.insert(members.begin() + static_cast<std::ptrdiff_t>(position), std::string(path));
    std::string rebuilt;
    for (const std::string& member : members) rebuilt.append(member).append(ListSeparator);
    return rebuilt;
}

}  // namespace

CategoryListing Catalog::load(Category category) {
    // Lists are read whole: a category is never shortened by the read buffer of a value.
    // Names and paths from one reading, so that they always come from the same file.
    std::vector<std::string> lists = settings_.readWhole(
        {{SectionNames, categoryKey(category)}, {SectionPaths, categoryKey(category)}});
    return held(category, lists[0], lists[1]);
}

std::array<CategoryListing, 4> Catalog::loadAll() {
    // One reading for all: a kjfs.ini may be as long as 64 MB, and every reading reads it whole.
    std::vector<IniName> names;
    for (Category category : AllCategories) {
        names.push_back({SectionNames, categoryKey(category)});
        names.push_back({SectionPaths, categoryKey(category)});
    }
    std::vector<std::string> lists = settings_.readWhole(names);
    std::array<CategoryListing, 4> listings;
    for (Category category : AllCategories)
        listings[slot(category)] = held(category, lists[2 * slot(category)], lists[2 * slot(category) + 1]);
    return listings;
}

CategoryListing Catalog::held(Category category, const std::string& names, const std::string& paths) {
    if (names.empty()) return {};
    paths_[slot(category)] = splitList(paths);
    return {splitList(names)};
}

bool Catalog::append(Category category, std::string_view name, std::string_view path) {
    std::string_view key = categoryKey(category);
    std::vector<std::string> lists = settings_.readWhole({{SectionNames, key}, {SectionPaths, key}});
    std::string names = terminated(std::move(lists[0]));
    std::string paths = std::move(lists[1]);
    const std::size_t position = listSize(names);  // the new name's
    // Names and paths in one replacement of the file: both are stored or neither. The
    // lists are moved, never copied: each may be as long as the file.
    std::vector<IniItem> items;
    items.reserve(2);
    items.push_back({std::string(SectionNames), std::string(key), extended(std::move(names), name)});
    items.push_back({std::string(SectionPaths), std::string(key), pathsWith(std::move(paths), position, path)});
    return settings_.writeAll(items);
}

std::optional<std::string> Catalog::pathAt(Category category, int position) const {
    const std::vector<std::string>& paths = paths_[slot(category)];
    if (position < 1 || static_cast<std::size_t>(position) > paths.size()) return std::nullopt;
    return paths[static_cast<std::size_t>(position) - 1];
}

}  // namespace velarion
