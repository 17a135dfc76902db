#pragma once
// What the program's handlers share while the process lives: the services,
// the stored state's gateways, the shutdown task, the slide-away switch and
// the main window with the entry buttons made on its pages so far.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/Catalog.hpp"
#include "core/SettingsFile.hpp"
#include "core/ShutdownScheduler.hpp"
#include "platform/System.hpp"
#include "platform/WindowLayer.hpp"

namespace velarion {

struct AppContext {
    AppContext(System& sys, WindowLayer& windows)
        : system(sys), layer(windows), settings(sys), catalog(settings), scheduler(sys) {}
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    System& system;
    WindowLayer& layer;
    SettingsFile settings;
    Catalog catalog;  // holds the four path lists of the last fill
    ShutdownScheduler scheduler;

    // True while the window sits in its normal place and slides away at the
    // top edge; false once it has slid away and waits for the status bar.
    bool edgeHideArmed = false;

    Window* main = nullptr;  // set when the main window has been created

    // Copies of each category's template button, in position order; a fill
    // reuses them and makes new ones only for positions not seen before.
    std::array<std::vector<std::string>, 4> entryButtons;
    // A category page gets its buttons once it has shown (CategoryPages.cpp);
    // until then the names of the last reading wait here, packed.
    std::array<bool, 4> pageHasShown{};
    std::array<std::optional<PackedList>, 4> namesWaiting;
};

}  // namespace velarion
