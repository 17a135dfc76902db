#pragma once
// Window declarations as plain data: a window and the tree of its named
// components. ui/ holds the two declarations of the program; the window layer
// (platform/win32 or platform/sim) turns one into a live window.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velarion {

enum class Kind {
    Menu,        // 菜单
    Edit,        // 编辑框
    Label,       // 标签
    Button,      // 按钮
    CheckBox,    // 选择框
    Radio,       // 单选框
    Combo,       // 组合框
    Slider,      // 滑块条
    Tabs,        // 选择夹
    PictureBox,  // 图片框
    GroupBox,    // 分组框
    Timer,       // 时钟
    FileDialog,  // 通用对话框
    FolderBar,   // 卷帘式菜单
    StatusBar,   // 状态条
};

// Events the program binds. The window's own events use the empty component name.
enum class Event {
    Created,            // window: after all components exist, before load returns
    CloseRequested,     // window: handler answers true to let it close
    PositionChanged,    // window
    TrayIcon,           // window: args.code is one of the Tray... codes of WindowLayer.hpp
    Chosen,             // menu item
    Clicked,            // button, check box, radio button
    SliderMoved,        // track bar, every position change by the user
    Tick,               // timer
    FolderChanged,      // folder bar: args.index = new folder
    MouseMove,          // status bar: args.x, args.y, args.keys
};

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr int CharsetDefault = 1;
inline constexpr int CharsetGb2312 = 134;

struct Font {
    std::string face;       // "" = the system's default face for the charset
    int height = 0;         // character height in pixels (96 DPI)
    bool bold = false;
    int charset = CharsetDefault;
    bool cellHeight = false;  // height is the whole cell (internal leading included)
    friend bool operator==(const Font&, const Font&) = default;
};

enum class HAlign { Left, Center, Right };
enum class Border { None, Single, Sunken };

struct Binding {
    Event event;
    std::string behaviour;  // name of a behaviour of ui/
};

struct StatusPart {
    int width = -1;  // -1: the rest of the bar
    std::string text;
};

struct Shading {  // a frame drawn inside a component's rectangle
    int width = 0;
    std::vector<Rgb> colours;  // blended from the outer edge inwards and back
};

struct ComponentDecl {
    std::string name;
    Kind kind = Kind::Label;
    std::string container;  // "" = the window itself; else a group box, picture box or 选择夹
    int page = -1;          // page of the container when it is a 选择夹
    Rect rect;
    bool visible = true;
    bool disabled = false;
    bool tabStop = false;
    bool copiesTabStop = false;  // copies made at run time are tab stops, whatever tabStop says

    std::string text;                 // caption, content, menu caption
    std::optional<Font> font;         // none: the window's default font
    std::optional<Rgb> textColour;
    std::optional<Rgb> backColour;    // none: no background of its own
    HAlign align = HAlign::Left;
    bool vCenter = false;
    bool singleLine = true;
    Border border = Border::None;
    std::optional<Shading> shading;

    bool checked = false;             // check box, radio button
    bool numbersOnly = false;         // edit: only digits and '-' may be typed
    bool readOnly = false;            // edit
    std::vector<std::string> items;   // combo items, folder captions, page captions
    int selection = 0;                // combo selection, open folder, current page
    int minimum = 0, maximum = 100, position = 0, lineStep = 1, pageStep = 1;  // slider
    int interval = 0;                 // timer, ms
    std::vector<StatusPart> parts;    // status bar
    std::string filter;               // file dialog, "description|pattern"
    unsigned dialogFlags = 0;         // file dialog OFN_* flags
    std::string picture;              // picture box: asset name, "" = none
    bool stretch = false;             // picture box: scale the picture into the box
    bool playAnimation = false;       // picture box
    int menuLevel = 0;                // menu item: 0 = menu bar, 1 = drop-down

    std::vector<Binding> bindings;
};

struct WindowDecl {
    std::string name;   // identifies the declaration ("main", "add")
    std::string title;
    Rect rect;          // outer size; left/top unused when centred
    bool centred = true;
    bool toolWindow = false;   // narrow title bar, no taskbar button
    bool resizable = false;
    bool controlBox = true;
    bool minimizeBox = false;
    bool maximizeBox = false;
    bool escCloses = false;
    bool alwaysOnTop = false;
    bool modal = false;
    std::vector<ComponentDecl> components;  // menu items in menu order
    std::vector<Binding> bindings;          // the window's own events

    const ComponentDecl* find(const std::string& componentName) const {
        for (const auto& c : components)
            if (c.name == componentName) return &c;
        return nullptr;
    }
};

}  // namespace velarion
