#pragma once
// The program's behaviour: every handler the window declarations bind, one
// area per file, and the map that binds them by name.

#include "ui/AppContext.hpp"

namespace velarion {

// Every behaviour of both windows, by the names the declarations bind.
Behaviours makeBehaviours(AppContext& ctx);

// Process start after the services exist: the executable's folder becomes the
// current directory and the main window is loaded (created, filled, restored).
// When it cannot be loaded the user is told and nullptr comes back.
Window* startApplication(AppContext& ctx);
// startApplication, then the message loop. Returns the process's exit code.
int runApplication(AppContext& ctx);

// The handlers, one area per file.
// LifeCycle.cpp
bool onMainWindowCreated(AppContext& ctx, EventContext& ev);
bool onCloseRequested(AppContext& ctx, EventContext& ev);
bool onTrayEvent(AppContext& ctx, EventContext& ev);
bool onWindowMoved(AppContext& ctx, EventContext& ev);
bool onStatusBarMouseMove(AppContext& ctx, EventContext& ev);
bool onFolderChanged(AppContext& ctx, EventContext& ev);
bool onAboutCommand(AppContext& ctx, EventContext& ev);

// CategoryPages.cpp
void fillPages(AppContext& ctx);
// The same from the lists of a reading the caller made.
void fillPages(AppContext& ctx, const std::array<Catalog::Names, 4>& names);
// Before folder `page` shows: a category page not shown before gets its buttons.
void fillOnFirstShow(AppContext& ctx, int page);
bool launchEntry(AppContext& ctx, Category category, EventContext& ev);

// AddDialog.cpp
bool onAddCommand(AppContext& ctx, EventContext& ev);
bool onBrowseClicked(AppContext& ctx, EventContext& ev);
bool onConfirmClicked(AppContext& ctx, EventContext& ev);

// SettingsPage.cpp
// The stored settings the start restores, and their restoring from the whole values
// read (the start reads them with the pages' lists).
const std::vector<IniName>& restoredSettings();
void restoreSettings(AppContext& ctx, const ProfileViews& stored);
void applyOpacity(AppContext& ctx, Window& window, int opacity);
bool onOpacityChanged(AppContext& ctx, EventContext& ev);
bool onTopmostClicked(AppContext& ctx, EventContext& ev);
bool onAutostartClicked(AppContext& ctx, EventContext& ev);

// ShutdownPage.cpp
bool onShutdownButtonClicked(AppContext& ctx, EventContext& ev);
bool onClockModeClicked(AppContext& ctx, EventContext& ev);
bool onCountdownModeClicked(AppContext& ctx, EventContext& ev);
bool onShutdownTick(AppContext& ctx, EventContext& ev);

}  // namespace velarion
