#include "platform/win32/Controls.hpp"

#include <utility>

namespace velarion::win32 {

std::unique_ptr<Component> makeComponent(Win32Window& window,
                                         const ComponentDecl& decl,
                                         int copy, Component* container) {
    switch (decl.kind) {
    case Kind::Label:
        if (decl.shading) return std::make_unique<EmptyPageLabel>(window, decl, copy, container);
        return std::make_unique<Label>(window, decl, copy, container);
    case Kind::Edit:
        return std::make_unique<EditBox>(window, decl, copy, container);
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::Radio:
        return std::make_unique<Button>(window, decl, copy, container);
    case Kind::Combo:
        return std::make_unique<ComboBox>(window, decl, copy, container);
    case Kind::Slider:
        return std::make_unique<Trackbar>(window, decl, copy, container);
    case Kind::Tabs:
        return std::make_unique<PageContainer>(window, decl, copy, container);
    case Kind::PictureBox:
        return std::make_unique<PictureBox>(window, decl, copy, container);
    case Kind::GroupBox:
        return std::make_unique<GroupBox>(window, decl, copy, container);
    case Kind::Timer:
        return std::make_unique<TimerComponent>(window, decl, copy, container);
    case Kind::FileDialog:
        return std::make_unique<FileDialogComponent>(window, decl, copy, container);
    case Kind::FolderBar:
        return std::make_unique<FolderBar>(window, decl, copy, container);
    case Kind::StatusBar:
        return std::make_unique<StatusBar>(window, decl, copy, container);
    case Kind::Menu:
        break;
    }
    return std::make_unique<MenuItem>(window, decl, copy, container);
}

}  // namespace velarion::win32
