#pragma once
// Names of the behaviours that the window declarations bind to events. ui/
// registers one handler under each name; the window layer looks them up.

#include <array>

namespace velarion::behaviour {

// Main window life cycle.
inline constexpr char onMainWindowCreated[] = "onMainWindowCreated";
inline constexpr char onCloseRequested[] = "onCloseRequested";
inline constexpr char onWindowMoved[] = "onWindowMoved";
inline constexpr char onTrayEvent[] = "onTrayEvent";
inline constexpr char onStatusBarMouseMove[] = "onStatusBarMouseMove";
inline constexpr char onFolderChanged[] = "onFolderChanged";
inline constexpr char onAboutCommand[] = "onAboutCommand";

// Menu command that opens the add dialog.
inline constexpr char onAddCommand[] = "onAddCommand";

// Entry buttons of the four category pages (templates and all their copies).
inline constexpr char launchEntryChat[] = "launchEntryChat";
inline constexpr char launchEntryMedia[] = "launchEntryMedia";
inline constexpr char launchEntryGames[] = "launchEntryGames";
inline constexpr char launchEntryOther[] = "launchEntryOther";

// Settings page.
inline constexpr char onOpacityChanged[] = "onOpacityChanged";
inline constexpr char onAutostartClicked[] = "onAutostartClicked";
inline constexpr char onTopmostClicked[] = "onTopmostClicked";

// Shutdown page.
inline constexpr char onClockModeClicked[] = "onClockModeClicked";
inline constexpr char onCountdownModeClicked[] = "onCountdownModeClicked";
inline constexpr char onShutdownButtonClicked[] = "onShutdownButtonClicked";
inline constexpr char onShutdownTick[] = "onShutdownTick";

// Add dialog.
inline constexpr char onBrowseClicked[] = "onBrowseClicked";
inline constexpr char onConfirmClicked[] = "onConfirmClicked";

inline constexpr std::array<const char*, 21> all = {
    onMainWindowCreated, onCloseRequested,   onWindowMoved,           onTrayEvent,
    onStatusBarMouseMove, onFolderChanged,   onAboutCommand,          onAddCommand,
    launchEntryChat,     launchEntryMedia,   launchEntryGames,        launchEntryOther,
    onOpacityChanged,    onAutostartClicked, onTopmostClicked,        onClockModeClicked,
    onCountdownModeClicked, onShutdownButtonClicked, onShutdownTick,  onBrowseClicked,
    onConfirmClicked,
};

}  // namespace velarion::behaviour
