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

// The stored list with one more member. A list edited to end without the separator gets
// it first, so the new member is not glued to the last one.
std::string extended(std::string list, std::string_view member) {
    if (!list.empty() && !endsWithSeparator(list)) list += ListSeparator;
    list += member;
    list += ListSeparator;
    return list;
}

}  // namespace

CategoryListing Catalog::load(Category category) {
    // Lists are read whole: a category is never shortened by the read buffer of a value.
    std::string names = settings_.readWhole(SectionNames, categoryKey(category));
    if (names.empty()) return {};
    paths_[slot(category)] = splitList(settings_.readWhole(SectionPaths, categoryKey(category)));
    return {splitList(names)};
}

bool Catalog::append(Category category, std::string_view name, std::string_view path) {
    std::string_view key = categoryKey(category);
    std::string names = settings_.readWhole(SectionNames, key);
    std::string paths = settings_.readWhole(SectionPaths, key);
    // Names and paths in one replacement of the file: both are stored or neither.
    return settings_.writeAll({
        {std::string(SectionNames), std::string(key), extended(std::move(names), name)},
        {std::string(SectionPaths), std::string(key), extended(std::move(paths), path)},
    });
}

std::optional<std::string> Catalog::pathAt(Category category, int position) const {
    const std::vector<std::string>& paths = paths_[slot(category)];
    if (position < 1 || static_cast<std::size_t>(position) > paths.size()) return std::nullopt;
    return paths[static_cast<std::size_t>(position) - 1];
}

}  // namespace velarion
