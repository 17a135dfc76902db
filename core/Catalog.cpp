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

// The text without a last byte that is half a double-byte character: it would take
// the first byte of a separator written after it as its own (and it is no character).
std::string_view withoutDanglingLead(std::string_view text) {
    if (!startsCharacter(text, text.size())) text.remove_suffix(1);
    return text;
}

// A list whose last member is followed by a separator that splitList finds, so a
// member added after it stays a member of its own (a list edited to end without the
// separator gets one): the part of the stored list that stays, and whether a
// separator follows it.
struct Terminated {
    std::string_view kept;
    bool separate = false;
};

Terminated terminatedParts(std::string_view list) {
    if (list.empty() || endsWithSeparator(list)) return {list, false};
    list = withoutDanglingLead(list);
    return {list, !list.empty() && !endsWithSeparator(list)};
}

// The terminated list, built once with `room` for what follows.
std::string terminated(std::string_view list, std::size_t room = 0) {
    const Terminated parts = terminatedParts(list);
    std::string out;
    out.reserve(parts.kept.size() + ListSeparator.size() + room);
    out.append(parts.kept);
    if (parts.separate) out += ListSeparator;
    return out;
}

// The path list with the new path at `position` (from 0), the new name's: a list
// edited by hand to hold fewer paths than names gets empty ones before it (they
// start nothing, as the missing ones did); paths beyond the names stay after it.
std::string pathsWith(std::string_view stored, std::size_t position, std::string_view path) {
    // Whole members, each with its separator.
    std::string list = terminated(stored, path.size() + ListSeparator.size());
    const std::size_t count = listSize(list);
    if (count <= position) {
        for (std::size_t i = count; i < position; ++i) list += ListSeparator;
        return list.append(path).append(ListSeparator);
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
    CategoryListing listing;
    settings_.useWhole({{SectionNames, categoryKey(category)}, {SectionPaths, categoryKey(category)}},
                       [&](const ProfileViews& lists) {
                           if (holdPaths(category, lists[0], lists[1])) listing.names = splitList(lists[0]);
                       });
    return listing;
}

std::array<CategoryListing, 4> Catalog::loadAll() {
    std::array<CategoryListing, 4> listings;
    useAll([&](const std::array<Names, 4>& names) {
        for (std::size_t i = 0; i < names.size(); ++i) listings[i].names.assign(names[i].begin(), names[i].end());
    });
    return listings;
}

void Catalog::useAll(const std::function<void(const std::array<Names, 4>&)>& use) {
    useAll({}, [&](const std::array<Names, 4>& names, const ProfileViews&) { use(names); });
}

void Catalog::useAll(const std::vector<IniName>& others,
                     const std::function<void(const std::array<Names, 4>&, const ProfileViews&)>& use) {
    // One reading for all: a kjfs.ini may be as long as 64 MB, and every reading reads it whole.
    std::vector<IniName> keys;
    for (Category category : AllCategories) {
        keys.push_back({SectionNames, categoryKey(category)});
        keys.push_back({SectionPaths, categoryKey(category)});
    }
    keys.insert(keys.end(), others.begin(), others.end());
    settings_.useWhole(keys, [&](const ProfileViews& values) {
        std::array<Names, 4> names;
        for (Category category : AllCategories) {
            const std::size_t at = 2 * slot(category);
            if (holdPaths(category, values[at], values[at + 1])) names[slot(category)] = listMembers(values[at]);
        }
        use(names, ProfileViews(values.begin() + 2 * AllCategories.size(), values.end()));
    });
}

bool Catalog::holdPaths(Category category, std::string_view names, std::string_view paths) {
    if (names.empty()) return false;
    paths_[slot(category)] = packList(paths);
    return true;
}

bool Catalog::append(Category category, std::string_view name, std::string_view path) {
    const std::string_view key = categoryKey(category);
    // Names and paths in one replacement of the file, made of one reading: both are
    // stored or neither. Each list may be as long as the file: it is looked at where
    // it was read and built anew once.
    return settings_.update({{SectionNames, key}, {SectionPaths, key}}, [&](const ProfileViews& lists) {
        // The names stay where they stand; the new one is written after them.
        const Terminated names = terminatedParts(lists[0]);
        const std::size_t position = listSize(names.kept);  // the new name's
        std::string added(names.separate ? ListSeparator : "");
        added.append(name).append(ListSeparator);
        std::vector<IniItem> items;
        items.reserve(2);
        items.push_back({std::string(SectionNames), std::string(key), std::move(added), names.kept.size()});
        items.push_back({std::string(SectionPaths), std::string(key), pathsWith(lists[1], position, path)});
        return items;
    });
}

std::optional<std::string> Catalog::pathAt(Category category, int position) const {
    const PackedList& paths = paths_[slot(category)];
    if (position < 1 || static_cast<std::size_t>(position) > paths.size()) return std::nullopt;
    return std::string(paths.at(static_cast<std::size_t>(position) - 1));
}

}  // namespace velarion
