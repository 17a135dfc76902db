// The four category pages: one square button per catalog entry, in rows of
// four, or the "暂无应用" label when a category has none; a click starts the
// entry's path.

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

void fillPage(AppContext& ctx, Category category, const Catalog::Names& names) {
    Window& window = *ctx.main;
    const component::CategoryPage& parts = component::categoryPages[pageOf(category)];
    std::vector<std::string>& buttons = ctx.entryButtons[pageOf(category)];

    window.setFlag(parts.emptyLabel, Prop::Visible, names.empty());

    const int count = static_cast<int>(names.size());
    for (int p = 1; p <= count; ++p) {
        if (static_cast<int>(buttons.size()) < p) {
            std::string made = window.copyComponent(parts.templateButton);
            if (made.empty()) break;  // the system makes no more: the page shows what it could
            buttons.push_back(std::move(made));
        }
        const std::string& button = buttons[p - 1];
        const Place place = placeOf(p);
        window.setText(button, Prop::Text, names[p - 1]);
        window.setText(button, Prop::Tag, numberToText(p));
        window.setFlag(button, Prop::Visible, true);
        window.setNumber(button, Prop::Left, place.left);
        window.setNumber(button, Prop::Top, place.top);
    }
    // Buttons of entries that are no longer stored (a file edited by hand).
    for (std::size_t i = count; i < buttons.size(); ++i)
        window.setFlag(buttons[i], Prop::Visible, false);

    window.setPageExtent(component::tabs, pageOf(category), contentHeight(count));
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
    ctx.catalog.useAll([&](const std::array<Catalog::Names, 4>& names) {
        for (Category category : AllCategories) fillPage(ctx, category, names[static_cast<std::size_t>(category)]);
    });
}

bool launchEntry(AppContext& ctx, Category category, EventContext& ev) {
    const int position = positionFromTag(ev.window.text(ev.source, Prop::Tag));
    if (position == 0) return true;  // the template itself, never shown
    const std::optional<std::string> path = ctx.catalog.pathAt(category, position);
    if (path && !path->empty()) ctx.system.runProgram(*path);
    return true;
}

}  // namespace velarion
