// The main window's declaration: every component with its place, declared state,
// look and bindings. Fields left out keep the defaults of ComponentDecl.

#include "ui/BehaviourNames.hpp"
#include "ui/ComponentNames.hpp"
#include "ui/Declarations.hpp"

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace velarion {
namespace {

namespace b = behaviour;
namespace c = component;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{128, 128, 128};

// Pages 0 to 3 of 选择夹1 each hold an empty-page label and a hidden template
// button; the buttons of a page are copies of its template. The template stays
// out of the tab order; the copies, which the user works with, are in it.
void addCategoryPage(std::vector<ComponentDecl>& out, int page, const char* launch) {
    const c::CategoryPage& parts = c::categoryPages[page];
    out.push_back({
        .name = parts.emptyLabel, .kind = Kind::Label, .container = c::tabs, .page = page,
        .rect = {7, 77, 224, 80}, .visible = false,
        .text = "暂无应用",
        .font = Font{"方正姚体", 48, true, CharsetGb2312},
        .textColour = Rgb{0, 136, 255},
        .align = HAlign::Center, .vCenter = true, .singleLine = true,
        .shading = Shading{8, {kGrey, kWhite, kGrey}},
    });
    out.push_back({
        .name = parts.templateButton, .kind = Kind::Button, .container = c::tabs, .page = page,
        .rect = {8, 8, 50, 50}, .visible = false, .tabStop = false,
        .copiesTabStop = true,
        .bindings = {{Event::Clicked, launch}},
    });
}

// A caption of the shutdown rows: default font, left-aligned, centred vertically.
ComponentDecl rowLabel(const char* name, Rect rect, const char* text) {
    return {.name = name, .kind = Kind::Label, .container = c::shutdownGroup, .rect = rect,
            .text = text, .vCenter = true, .singleLine = true};
}

// A whole-number box of the shutdown rows.
ComponentDecl numberBox(const char* name, Rect rect, bool disabled = false) {
    return {.name = name, .kind = Kind::Edit, .container = c::shutdownGroup, .rect = rect,
            .disabled = disabled, .tabStop = true,
            .backColour = kWhite, .border = Border::Sunken, .numbersOnly = true};
}

WindowDecl makeMainWindow() {
    WindowDecl w{
        .name = "main",
        .title = "Velarion - 系统辅助 - 工程测试版",
        .rect = {50, 50, 343, 314},
        .centred = true,
        .toolWindow = false,
        .resizable = false,
        .controlBox = true,
        .minimizeBox = true,
        .maximizeBox = false,
        .escCloses = false,
        .alwaysOnTop = true,
        .modal = false,
        .bindings = {
            {Event::Created, b::onMainWindowCreated},
            {Event::CloseRequested, b::onCloseRequested},
            {Event::PositionChanged, b::onWindowMoved},
            {Event::TrayIcon, b::onTrayEvent},
        },
    };
    auto& out = w.components;

    // Menu bar, in menu order.
    out.push_back({.name = c::menuFile, .kind = Kind::Menu, .text = "文件", .menuLevel = 0});
    out.push_back({.name = c::menuAdd, .kind = Kind::Menu, .text = "添加", .menuLevel = 1,
                   .bindings = {{Event::Chosen, b::onAddCommand}}});
    out.push_back({.name = c::menuAbout, .kind = Kind::Menu, .text = "关于", .menuLevel = 0});
    out.push_back({.name = c::menuAboutAuthor, .kind = Kind::Menu, .text = "关于作者",
                   .menuLevel = 1,
                   .bindings = {{Event::Chosen, b::onAboutCommand}}});
    out.push_back({.name = c::menuHelp, .kind = Kind::Menu, .text = "帮助", .menuLevel = 1});

    // On the window itself.
    out.push_back({
        .name = c::folderBar, .kind = Kind::FolderBar, .rect = {2, 2, 88, 240}, .tabStop = true,
        .font = Font{"SimSun", 12, false, CharsetGb2312},
        .backColour = Rgb{236, 236, 236},
        .items = {"聊天通讯", "音乐影视", "游戏娱乐", "其它应用", "系统设置"},
        .selection = 0,
        .bindings = {{Event::FolderChanged, b::onFolderChanged}},
    });
    out.push_back({.name = c::pageFrame, .kind = Kind::PictureBox, .rect = {93, 2, 240, 240},
                   .border = Border::Single});
    out.push_back({
        .name = c::statusBar, .kind = Kind::StatusBar, .rect = {0, 255, 337, 20},
        .parts = {{200, "欢迎使用Velarion！"}, {-1, "暂无定时关机任务"}},
        .bindings = {{Event::MouseMove, b::onStatusBarMouseMove}},
    });

    // The paged container; it shows no tab headers.
    out.push_back({
        .name = c::tabs, .kind = Kind::Tabs, .container = c::pageFrame, .rect = {0, 0, 242, 253},
        .items = {"聊天通讯", "音乐影视", "游戏娱乐", "其它图标", "系统设置"},
        .selection = 0,
    });

    addCategoryPage(out, 0, b::launchEntryChat);
    addCategoryPage(out, 1, b::launchEntryMedia);
    addCategoryPage(out, 2, b::launchEntryGames);
    addCategoryPage(out, 3, b::launchEntryOther);

    // Page 4: settings.
    out.push_back({.name = c::opacityGroup, .kind = Kind::GroupBox, .container = c::tabs,
                   .page = 4, .rect = {3, 11, 232, 66}, .text = "透明度："});
    out.push_back({.name = c::shutdownGroup, .kind = Kind::GroupBox, .container = c::tabs,
                   .page = 4, .rect = {3, 85, 232, 112}, .text = "定时关机："});
    out.push_back({.name = c::optionsGroup, .kind = Kind::GroupBox, .container = c::tabs,
                   .page = 4, .rect = {3, 197, 232, 32}});

    out.push_back({
        .name = c::opacitySlider, .kind = Kind::Slider, .container = c::opacityGroup,
        .rect = {1, 24, 223, 32}, .tabStop = true,
        .minimum = OpacityMinimum, .maximum = OpacityMaximum, .position = OpacityMaximum,
        .lineStep = 1, .pageStep = 5,
        .bindings = {{Event::SliderMoved, b::onOpacityChanged}},
    });

    out.push_back({.name = c::clockRadio, .kind = Kind::Radio, .container = c::shutdownGroup,
                   .rect = {7, 24, 16, 16}, .tabStop = true, .text = "单选框", .checked = true,
                   .bindings = {{Event::Clicked, b::onClockModeClicked}}});
    out.push_back(numberBox(c::hourBox, {38, 24, 33, 16}));
    out.push_back(rowLabel(c::hourCaption, {79, 24, 24, 16}, "时"));
    out.push_back(numberBox(c::minuteBox, {101, 24, 33, 16}));
    out.push_back(rowLabel(c::minuteCaption, {137, 24, 24, 16}, "分"));
    out.push_back(numberBox(c::secondBox, {160, 24, 33, 16}));
    out.push_back(rowLabel(c::secondCaption, {200, 24, 24, 16}, "秒"));
    out.push_back({.name = c::countdownRadio, .kind = Kind::Radio, .container = c::shutdownGroup,
                   .rect = {7, 40, 16, 16}, .tabStop = true, .text = "单选框", .checked = false,
                   .bindings = {{Event::Clicked, b::onCountdownModeClicked}}});
    out.push_back(numberBox(c::remainingBox, {38, 40, 64, 16}, /*disabled=*/true));
    out.push_back(rowLabel(c::remainingCaption, {107, 39, 96, 16}, "秒后将自动关机"));
    out.push_back({.name = c::busyAnimation, .kind = Kind::PictureBox,
                   .container = c::shutdownGroup, .rect = {120, 63, 40, 40}, .border = Border::None,
                   .picture = "busy", .stretch = true, .playAnimation = false});
    out.push_back({.name = c::shutdownTimer, .kind = Kind::Timer, .container = c::shutdownGroup,
                   .rect = {7, 72, 32, 32}, .visible = false, .interval = 0,
                   .bindings = {{Event::Tick, b::onShutdownTick}}});
    out.push_back({.name = c::shutdownButton, .kind = Kind::Button, .container = c::shutdownGroup,
                   .rect = {161, 80, 56, 24}, .tabStop = true, .text = "确定",
                   .align = HAlign::Center,
                   .bindings = {{Event::Clicked, b::onShutdownButtonClicked}}});

    out.push_back({.name = c::autostartBox, .kind = Kind::CheckBox, .container = c::optionsGroup,
                   .rect = {6, 13, 97, 16}, .tabStop = true, .text = "开机自动启动",
                   .bindings = {{Event::Clicked, b::onAutostartClicked}}});
    out.push_back({.name = c::topmostBox, .kind = Kind::CheckBox, .container = c::optionsGroup,
                   .rect = {121, 13, 97, 16}, .tabStop = true, .text = "总在前端",
                   .bindings = {{Event::Clicked, b::onTopmostClicked}}});
    return w;
}

}  // namespace

const WindowDecl& mainWindowDecl() {
    static const WindowDecl decl = makeMainWindow();
    return decl;
}

}  // namespace velarion
