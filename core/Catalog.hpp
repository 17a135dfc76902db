#pragma once
// The user's programs in four fixed categories, stored in kjfs.ini as two
// parallel lists per category: names under "快捷方式", paths under "快捷链接".

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ListSplit.hpp"
#include "core/SettingsFile.hpp"

namespace velarion {

enum class Category { Chat = 0, Media = 1, Games = 2, Other = 3 };

inline constexpr std::array<Category, 4> AllCategories = {Category::Chat, Category::Media,
                                                          Category::Games, Category::Other};
inline constexpr std::string_view SectionNames = "快捷方式";
inline constexpr std::string_view SectionPaths = "快捷链接";

// The fixed key of a category in both sections.
std::string_view categoryKey(Category category);

struct CategoryListing {
    std::vector<std::string> names;  // entry i + 1 is names[i]
    bool empty() const { return names.empty(); }
};

class Catalog {
public:
    explicit Catalog(SettingsFile& settings) : settings_(settings) {}

    // The category's names; when it is not empty, its held path list is replaced.
    CategoryListing load(Category category);
    // load() for the four categories, in their order, from one reading of the file.
    std::array<CategoryListing, 4> loadAll();
    // The same, with the names as views into the bytes read, valid while `use` runs:
    // a list may be as long as the file, and its names are not copied on the way.
    using Names = std::vector<std::string_view>;
    void useAll(const std::function<void(const std::array<Names, 4>&)>& use);
    // The same, with other whole values of the file from the same reading.
    void useAll(const std::vector<IniName>& others,
                const std::function<void(const std::array<Names, 4>&, const ProfileViews& others)>& use);
    // Appends one entry at the end of its category in kjfs.ini, names and paths
    // in one atomic replacement. True when it was stored.
    bool append(Category category, std::string_view name, std::string_view path);
    // The path at a position (from 1) of the held list; none beyond the list.
    std::optional<std::string> pathAt(Category category, int position) const;

private:
    // Whether the stored name list has names; when it has, the paths are held from it.
    bool holdPaths(Category category, std::string_view names, std::string_view paths);

    SettingsFile& settings_;
    std::array<PackedList, 4> paths_;
};

}  // namespace velarion
