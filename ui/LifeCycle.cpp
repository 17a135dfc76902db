// Process start and the main window's life: created, hidden to the
// notification area on close, shown again from the icon, slid away at the top
// edge of the screen and revealed over the status bar, folder → page, About.

#include <string>

#include "ui/Behaviours.hpp"
#include "ui/ComponentNames.hpp"
#include "ui/Declarations.hpp"

namespace velarion {
namespace {

namespace c = component;

constexpr int SlideStepPixels = 10;
constexpr int SlideStepWaitMs = 1;
constexpr int RevealTop = 1;

constexpr const char* TrayTip = "Velarion正在运行，实时保护您的计算机";
constexpr const char* AboutName = "Velarion";
constexpr const char* AboutText =
    "本软件可更好的为您使用计算机提供方便快捷简单的打开方式，可整合分类已有软件！"
    "             作者：Morvane";

constexpr const char* LoadFailedText = "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n";
constexpr const char* LoadFailedTitle = "错误";


}  // namespace

Window* startApplication(AppContext& ctx) {
    ctx.system.enterProgramFolder();
    Window* window = ctx.layer.load(mainWindowDecl(), makeBehaviours(ctx));
    if (!window) ctx.system.showMessageBox(LoadFailedText, MbIconStop, LoadFailedTitle);
    return window;
}

int runApplication(AppContext& ctx) {
    if (!startApplication(ctx)) return 1;
    return ctx.layer.run();
}

bool onMainWindowCreated(AppContext& ctx, EventContext& ev) {
    ctx.main = &ev.window;
    ctx.edgeHideArmed = true;
    // The pages and the settings from one reading: kjfs.ini may be tens of megabytes.
    ctx.catalog.useAll(restoredSettings(), [&](const std::array<Catalog::Names, 4>& names, const ProfileViews& stored) {
        fillPages(ctx, names);
        restoreSettings(ctx, stored);
    });
    return true;
}

bool onCloseRequested(AppContext& ctx, EventContext& ev) {
    ev.window.setFlag(c::window, Prop::Visible, false);
    ctx.layer.setTrayIcon(ev.window, TrayTip);
    return false;  // the window only hides; nothing ends the program from here
}

bool onTrayEvent(AppContext& ctx, EventContext& ev) {
    if (ev.args.code == TrayLeftButtonUp) ev.window.setFlag(c::window, Prop::Visible, true);
    return true;
}

bool onWindowMoved(AppContext& ctx, EventContext& ev) {
    if (!ctx.edgeHideArmed) return true;
    Window& window = ev.window;
    if (window.number(c::window, Prop::Top) != 0) return true;

    // Each step moves the window again, which comes back here nested and finds
    // the top edge below 0.
    const int steps = window.number(c::window, Prop::Height) / SlideStepPixels;
    for (int i = 0; i < steps; ++i) {
        window.setNumber(c::window, Prop::Top, window.number(c::window, Prop::Top) - SlideStepPixels);
        ctx.system.waitWithEvents(SlideStepWaitMs);
    }
    ctx.edgeHideArmed = false;
    return true;
}

bool onStatusBarMouseMove(AppContext& ctx, EventContext& ev) {
    if (ctx.edgeHideArmed) return true;
    // The move comes back to onWindowMoved while the switch is still off, so
    // it does not start a slide.
    ctx.main->setNumber(c::window, Prop::Top, RevealTop);
    ctx.edgeHideArmed = true;
    return true;
}

bool onFolderChanged(AppContext& ctx, EventContext& ev) {
    fillOnFirstShow(ctx, ev.args.index);
    ev.window.setNumber(c::tabs, Prop::CurrentPage, ev.args.index);
    return true;
}

bool onAboutCommand(AppContext& ctx, EventContext& ev) {
    ctx.system.showAboutBox(AboutName, AboutText);
    return true;
}

}  // namespace velarion
