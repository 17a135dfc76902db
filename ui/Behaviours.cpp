// Binds every behaviour name of the declarations to its handler.

#include "ui/Behaviours.hpp"
#include "ui/BehaviourNames.hpp"

namespace velarion {
namespace {

using Handler = bool (*)(AppContext&, EventContext&);

Behaviour bind(AppContext& ctx, Handler handler) {
    return [&ctx, handler](EventContext& ev) { return handler(ctx, ev); };
}

Behaviour launcher(AppContext& ctx, Category category) {
    return [&ctx, category](EventContext& ev) { return launchEntry(ctx, category, ev); };
}

}  // namespace

Behaviours makeBehaviours(AppContext& ctx) {
    namespace b = behaviour;
    return {
        {b::onMainWindowCreated, bind(ctx, onMainWindowCreated)},
        {b::onCloseRequested, bind(ctx, onCloseRequested)},
        {b::onWindowMoved, bind(ctx, onWindowMoved)},
        {b::onTrayEvent, bind(ctx, onTrayEvent)},
        {b::onStatusBarMouseMove, bind(ctx, onStatusBarMouseMove)},
        {b::onFolderChanged, bind(ctx, onFolderChanged)},
        {b::onAboutCommand, bind(ctx, onAboutCommand)},
        {b::onAddCommand, bind(ctx, onAddCommand)},
        {b::launchEntryChat, launcher(ctx, Category::Chat)},
        {b::launchEntryMedia, launcher(ctx, Category::Media)},
        {b::launchEntryGames, launcher(ctx, Category::Games)},
        {b::launchEntryOther, launcher(ctx, Category::Other)},
        {b::onOpacityChanged, bind(ctx, onOpacityChanged)},
        {b::onAutostartClicked, bind(ctx, onAutostartClicked)},
        {b::onTopmostClicked, bind(ctx, onTopmostClicked)},
        {b::onClockModeClicked, bind(ctx, onClockModeClicked)},
        {b::onCountdownModeClicked, bind(ctx, onCountdownModeClicked)},
        {b::onShutdownButtonClicked, bind(ctx, onShutdownButtonClicked)},
        {b::onShutdownTick, bind(ctx, onShutdownTick)},
        {b::onBrowseClicked, bind(ctx, onBrowseClicked)},
        {b::onConfirmClicked, bind(ctx, onConfirmClicked)},
    };
}

}  // namespace velarion
