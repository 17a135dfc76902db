// The main window's declaration: every component with its place, declared state,
// look and bindings. Fields left out keep the defaults of ComponentDecl.

#include "ui/BehaviourNames.hpp"
#include "ui/Declarations.hpp"

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace velarion {
namespace {

namespace b = behaviour;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{128, 128, 128};

// Pages 0 to 3 of 选择夹1 each hold an empty-page label and a hidden template
// button; the buttons of a page are copies of its template.
void addCategoryPage(std::vector<ComponentDecl>& out, int page, const char* label,
                     const char* button, const char* launch) {
    out.push_back({
        .name = label, .kind = Kind::Label, .container = "选择夹1", .page = page,
        .rect = {7, 77, 224, 80}, .visible = false,
        .text = "暂无应用",
        .font = Font{"方正姚体", 48, true, CharsetGb2312},
        .textColour = Rgb{0, 136, 255},
        .align = HAlign::Center, .vCenter = true, .singleLine = true,
        .shading = Shading{8, {kGrey, kWhite, kGrey}},
    });
    out.push_back({
        .name = button, .kind = Kind::Button, .container = "选择夹1", .page = page,
        .rect = {8, 8, 50, 50}, .visible = false, .tabStop = false,
        .bindings = {{Event::Clicked, launch}},
    });
}

// A caption of the shutdown rows: default font, left-aligned, centred vertically.
ComponentDecl rowLabel(const char* name, Rect rect, const char* text) {
    return {.name = name, .kind = Kind::Label, .container = "分组框2", .rect = rect,
            .text = text, .vCenter = true, .singleLine = true};
}

// A whole-number box of the shutdown rows.
ComponentDecl numberBox(const char* name, Rect rect, bool disabled = false) {
    return {.name = name, .kind = Kind::Edit, .container = "分组框2", .rect = rect,
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
    auto& c = w.components;

    // Menu bar, in menu order.
    c.push_back({.name = "菜单_文件", .kind = Kind::Menu, .text = "文件", .menuLevel = 0});
    c.push_back({.name = "菜单_添加", .kind = Kind::Menu, .text = "添加", .menuLevel = 1,
                 .bindings = {{Event::Chosen, b::onAddCommand}}});
    c.push_back({.name = "菜单_关于", .kind = Kind::Menu, .text = "关于", .menuLevel = 0});
    c.push_back({.name = "菜单_关于作者", .kind = Kind::Menu, .text = "关于作者", .menuLevel = 1,
                 .bindings = {{Event::Chosen, b::onAboutCommand}}});
    c.push_back({.name = "菜单_帮助", .kind = Kind::Menu, .text = "帮助", .menuLevel = 1});

    // On the window itself.
    c.push_back({
        .name = "卷帘式菜单1", .kind = Kind::FolderBar, .rect = {2, 2, 88, 240}, .tabStop = true,
        .font = Font{"SimSun", 12, false, CharsetGb2312},
        .backColour = Rgb{236, 236, 236},
        .items = {"聊天通讯", "音乐影视", "游戏娱乐", "其它应用", "系统设置"},
        .selection = 0,
        .bindings = {{Event::FolderChanged, b::onFolderChanged}},
    });
    c.push_back({.name = "图片框1", .kind = Kind::PictureBox, .rect = {93, 2, 240, 240},
                 .border = Border::Single});
    c.push_back({
        .name = "状态条1", .kind = Kind::StatusBar, .rect = {0, 255, 337, 20},
        .parts = {{200, "欢迎使用Velarion！"}, {-1, "暂无定时关机任务"}},
        .bindings = {{Event::MouseMove, b::onStatusBarMouseMove}},
    });

    // The paged container; it shows no tab headers.
    c.push_back({
        .name = "选择夹1", .kind = Kind::Tabs, .container = "图片框1", .rect = {0, 0, 242, 253},
        .items = {"聊天通讯", "音乐影视", "游戏娱乐", "其它图标", "系统设置"},
        .selection = 0,
    });

    addCategoryPage(c, 0, "标签_聊天", "按钮_聊天", b::launchEntryChat);
    addCategoryPage(c, 1, "标签_音乐", "按钮_音乐", b::launchEntryMedia);
    addCategoryPage(c, 2, "标签_游戏", "按钮_游戏", b::launchEntryGames);
    addCategoryPage(c, 3, "标签_其他", "按钮_其他", b::launchEntryOther);

    // Page 4: settings.
    c.push_back({.name = "分组框1", .kind = Kind::GroupBox, .container = "选择夹1", .page = 4,
                 .rect = {3, 11, 232, 66}, .text = "透明度："});
    c.push_back({.name = "分组框2", .kind = Kind::GroupBox, .container = "选择夹1", .page = 4,
                 .rect = {3, 85, 232, 112}, .text = "定时关机："});
    c.push_back({.name = "分组框3", .kind = Kind::GroupBox, .container = "选择夹1", .page = 4,
                 .rect = {3, 197, 232, 32}});

    c.push_back({
        .name = "滑块条1", .kind = Kind::Slider, .container = "分组框1", .rect = {1, 24, 223, 32},
        .tabStop = true,
        .minimum = 50, .maximum = 255, .position = 255, .lineStep = 1, .pageStep = 5,
        .bindings = {{Event::SliderMoved, b::onOpacityChanged}},
    });

    c.push_back({.name = "单选框1", .kind = Kind::Radio, .container = "分组框2",
                 .rect = {7, 24, 16, 16}, .tabStop = true, .text = "单选框", .checked = true,
                 .bindings = {{Event::Clicked, b::onClockModeClicked}}});
    c.push_back(numberBox("编辑框_时", {38, 24, 33, 16}));
    c.push_back(rowLabel("标签1", {79, 24, 24, 16}, "时"));
    c.push_back(numberBox("编辑框_分", {101, 24, 33, 16}));
    c.push_back(rowLabel("标签2", {137, 24, 24, 16}, "分"));
    c.push_back(numberBox("编辑框_秒", {160, 24, 33, 16}));
    c.push_back(rowLabel("标签3", {200, 24, 24, 16}, "秒"));
    c.push_back({.name = "单选框2", .kind = Kind::Radio, .container = "分组框2",
                 .rect = {7, 40, 16, 16}, .tabStop = true, .text = "单选框", .checked = false,
                 .bindings = {{Event::Clicked, b::onCountdownModeClicked}}});
    c.push_back(numberBox("编辑框_秒计", {38, 40, 64, 16}, /*disabled=*/true));
    c.push_back(rowLabel("标签4", {107, 39, 96, 16}, "秒后将自动关机"));
    c.push_back({.name = "图片框2", .kind = Kind::PictureBox, .container = "分组框2",
                 .rect = {120, 63, 40, 40}, .border = Border::None,
                 .picture = "busy", .stretch = true, .playAnimation = false});
    c.push_back({.name = "时钟1", .kind = Kind::Timer, .container = "分组框2",
                 .rect = {7, 72, 32, 32}, .visible = false, .interval = 0,
                 .bindings = {{Event::Tick, b::onShutdownTick}}});
    c.push_back({.name = "按钮1", .kind = Kind::Button, .container = "分组框2",
                 .rect = {161, 80, 56, 24}, .tabStop = true, .text = "确定",
                 .align = HAlign::Center,
                 .bindings = {{Event::Clicked, b::onShutdownButtonClicked}}});

    c.push_back({.name = "选择框1", .kind = Kind::CheckBox, .container = "分组框3",
                 .rect = {6, 13, 97, 16}, .tabStop = true, .text = "开机自动启动",
                 .bindings = {{Event::Clicked, b::onAutostartClicked}}});
    c.push_back({.name = "选择框2", .kind = Kind::CheckBox, .container = "分组框3",
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
