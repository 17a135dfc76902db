// The four category pages: one square button per catalog entry, in rows of
// four, or the "暂无应用" label when a category has none; a click starts the
// entry's path. A page gets its buttons once it shows: until then a fill gives
// it its label and extent and keeps its names, so the entries of pages never
// opened cost no component each.

#include <charconv>
#include <string>

#include "core/TextNumber.hpp"
#include "ui/Behaviours.hpp"
#include "ui/ComponentNames.hpp"

namespace velarion {
namespace {


constexpr int ButtonSize = 50;
constexpr int ButtonPitch = 58;
constexpr int Margin = 8;
constexpr int ColumnsPerRow = 4;
constexpr int EntriesOnOnePage = 16;

// Row tops of the first four rows; the third row sits 56 below the second.
constexpr int RowTops[] = {8, 66, 122, 180};

struct Place {
    int left, top;
};

// Where the button of position p (from 1) goes. Rows after the fourth go on
// downward at the button pitch; the page then scrolls.
Place placeOf(int position) {
    const int row = (position - 1) / ColumnsPerRow;
    const int column = (position - 1) % ColumnsPerRow;
    const int top = row < 4 ? RowTops[row] : RowTops[3] + ButtonPitch * (row - 3);
    return {Margin + ButtonPitch * column, top};
}

// Height of what a page holds with `count` buttons: down to the last row plus
// the margin; 0 when everything fits the page as declared.
int contentHeight(int count) {
    if (count <= EntriesOnOnePage) return 0;
    return placeOf(count).top + ButtonSize + Margin;
}

int pageOf(Category category) { return static_cast<int>(category); }

// The label, shown when the category holds no entry, and how far the page scrolls.
void placeLabelAndExtent(AppContext& ctx, Category category, std::size_t count) {
    ctx.main->setFlag(component::categoryPages[pageOf(category)].emptyLabel, Prop::Visible, count == 0);
    ctx.main->setPageExtent(component::tabs, pageOf(category), contentHeight(static_cast<int>(count)));
}

// `names`: the views of a reading, or the names kept packed for a page that had not shown.
template <typename Names>
void fillPage(AppContext& ctx, Category category, const Names& names) {
    Window& window = *ctx.main;
    const component::CategoryPage& parts = component::categoryPages[pageOf(category)];
    std::vector<std::string>& buttons = ctx.entryButtons[pageOf(category)];

    const int count = static_cast<int>(names.size());
    for (int p = 1; p <= count; ++p) {
        if (static_cast<int>(buttons.size()) < p) {
            std::string made = window.copyComponent(parts.templateButton);
            if (made.empty()) break;  // the system makes no more: the page shows what it could
            buttons.push_back(std::move(made));
        }
        const std::string& button = buttons[p - 1];
        const Place place = placeOf(p);
        window.setText(button, Prop::Text, names.at(static_cast<std::size_t>(p - 1)));
        window.setText(button, Prop::Tag, numberToText(p));
        window.setFlag(button, Prop::Visible, true);
        window.setNumber(button, Prop::Left, place.left);
        window.setNumber(button, Prop::Top, place.top);
    }
    // Buttons of entries that are no longer stored (a file edited by hand).
    for (std::size_t i = count; i < buttons.size(); ++i)
        window.setFlag(buttons[i], Prop::Visible, false);

    placeLabelAndExtent(ctx, category, names.size());
}

// The position written into a button's tag; 0 when the tag holds none.
int positionFromTag(const std::string& tag) {
    int value = 0;
    const auto [end, error] = std::from_chars(tag.data(), tag.data() + tag.size(), value);
    if (error != std::errc() || end != tag.data() + tag.size() || value < 1) return 0;
    return value;
}

}  // namespace

void fillPages(AppContext& ctx) {
    // The names are looked at where they were read: a list may be as long as the file.
    ctx.catalog.useAll([&](const std::array<Catalog::Names, 4>& names) { fillPages(ctx, names); });
}

void fillPages(AppContext& ctx, const std::array<Catalog::Names, 4>& names) {
    const int shown = ctx.main->number(component::tabs, Prop::CurrentPage);
    for (Category category : AllCategories) {
        const auto at = static_cast<std::size_t>(category);
        if (pageOf(category) == shown) ctx.pageHasShown[at] = true;
        if (ctx.pageHasShown[at]) {
            ctx.namesWaiting[at].reset();
            fillPage(ctx, category, names[at]);
        } else {
            placeLabelAndExtent(ctx, category, names[at].size());
            ctx.namesWaiting[at] = packMembers(names[at]);
        }
    }
}

void fillOnFirstShow(AppContext& ctx, int page) {
    if (page < 0 || page >= static_cast<int>(AllCategories.size())) return;
    const auto at = static_cast<std::size_t>(page);
    if (ctx.pageHasShown[at]) return;
    ctx.pageHasShown[at] = true;
    if (!ctx.namesWaiting[at]) return;  // no fill yet: the first one fills it
    const PackedList names = std::move(*ctx.namesWaiting[at]);
    ctx.namesWaiting[at].reset();
    fillPage(ctx, AllCategories[at], names);
}

bool launchEntry(AppContext& ctx, Category category, EventContext& ev) {
    const int position = positionFromTag(ev.window.text(ev.source, Prop::Tag));
    if (position == 0) return true;  // the template itself, never shown
    const std::optional<std::string> path = ctx.catalog.pathAt(category, position);
    if (path && !path->empty()) ctx.system.runProgram(*path);
    return true;
}

}  // namespace velarion
