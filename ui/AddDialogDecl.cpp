// The add dialog's declaration. It has no window-level binding: its close button
// and Esc close it without any behaviour of the program.

#include "ui/BehaviourNames.hpp"
#include "ui/ComponentNames.hpp"
#include "ui/Declarations.hpp"

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace velarion {
namespace {

namespace b = behaviour;
namespace c = component::add;

// OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST
constexpr unsigned kOpenFlags = 0x1806;

// The captions of the left column: a font 16 pixels high (the whole cell, so
// five characters fit the 72-pixel label), the default face of the charset.
ComponentDecl caption(const char* name, int top, const char* text) {
    return {.name = name, .kind = Kind::Label, .rect = {24, top, 72, 24}, .text = text,
            .font = Font{"", 16, false, CharsetGb2312, true}, .vCenter = true,
            .singleLine = true};
}

WindowDecl makeAddDialog() {
    WindowDecl w{
        .name = "add",
        .title = "添加应用",
        .rect = {0, 0, 303, 204},
        .centred = true,
        .toolWindow = true,
        .resizable = false,
        .controlBox = true,
        .minimizeBox = false,
        .maximizeBox = false,
        .escCloses = true,
        .alwaysOnTop = false,
        .modal = true,
    };
    auto& out = w.components;

    out.push_back(caption(c::nameCaption, 16, "应用名称："));
    out.push_back({.name = c::nameBox, .kind = Kind::Edit, .rect = {96, 16, 152, 24},
                   .tabStop = true, .border = Border::Single});
    out.push_back(caption(c::pathCaption, 48, "应用路径："));
    out.push_back({.name = c::pathBox, .kind = Kind::Edit, .rect = {96, 48, 96, 24},
                   .tabStop = true, .border = Border::Single, .readOnly = true});
    out.push_back({.name = c::browseButton, .kind = Kind::Button, .rect = {193, 48, 56, 24},
                   .tabStop = true, .text = "浏览", .align = HAlign::Center,
                   .bindings = {{Event::Clicked, b::onBrowseClicked}}});
    out.push_back(caption(c::categoryCaption, 80, "应用类型："));
    out.push_back({.name = c::categoryList, .kind = Kind::Combo, .rect = {96, 84, 152, 20},
                   .tabStop = true, .backColour = Rgb{255, 255, 255},
                   .items = {"-请选择-", "聊天通讯", "音乐影音", "游戏娱乐", "其它应用"},
                   .selection = 0});
    out.push_back({.name = c::confirmButton, .kind = Kind::Button, .rect = {112, 128, 80, 32},
                   .tabStop = true, .text = "ＯＫ", .align = HAlign::Center,
                   .bindings = {{Event::Clicked, b::onConfirmClicked}}});
    out.push_back({.name = c::fileDialog, .kind = Kind::FileDialog, .rect = {240, 120, 32, 32},
                   .visible = false, .filter = "任何文件都可以|*.*", .dialogFlags = kOpenFlags});
    return w;
}

}  // namespace

const WindowDecl& addDialogDecl() {
    static const WindowDecl decl = makeAddDialog();
    return decl;
}

}  // namespace velarion
