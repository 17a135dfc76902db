#include "platform/win32/Controls.hpp"

namespace velarion::win32 {

std::unique_ptr<Component> makeComponent(Win32Window& window, const ComponentDecl& decl,
                                         Component* container) {
    switch (decl.kind) {
    case Kind::Label:
        if (decl.shading) return std::make_unique<EmptyPageLabel>(window, decl, container);
        return std::make_unique<Label>(window, decl, container);
    case Kind::Edit:
        return std::make_unique<EditBox>(window, decl, container);
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::Radio:
        return std::make_unique<Button>(window, decl, container);
    case Kind::Combo:
        return std::make_unique<ComboBox>(window, decl, container);
    case Kind::Slider:
        return std::make_unique<Trackbar>(window, decl, container);
    case Kind::Tabs:
        return std::make_unique<PageContainer>(window, decl, container);
    case Kind::PictureBox:
        return std::make_unique<PictureBox>(window, decl, container);
    case Kind::GroupBox:
        return std::make_unique<GroupBox>(window, decl, container);
    case Kind::Timer:
        return std::make_unique<TimerComponent>(window, decl, container);
    case Kind::FileDialog:
        return std::make_unique<FileDialogComponent>(window, decl, container);
    case Kind::FolderBar:
        return std::make_unique<FolderBar>(window, decl, container);
    case Kind::StatusBar:
        return std::make_unique<StatusBar>(window, decl, container);
    case Kind::Menu:
        break;
    }
    return std::make_unique<MenuItem>(window, decl, container);
}

}  // namespace velarion::win32
