#include "platform/win32/Controls.hpp"

#include <utility>

namespace velarion::win32 {

std::unique_ptr<Component> makeComponent(Win32Window& window,
                                         std::shared_ptr<const ComponentDecl> decl,
                                         std::string name, Component* container) {
    switch (decl->kind) {
    case Kind::Label:
        if (decl->shading) return std::make_unique<EmptyPageLabel>(window, std::move(decl), std::move(name), container);
        return std::make_unique<Label>(window, std::move(decl), std::move(name), container);
    case Kind::Edit:
        return std::make_unique<EditBox>(window, std::move(decl), std::move(name), container);
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::Radio:
        return std::make_unique<Button>(window, std::move(decl), std::move(name), container);
    case Kind::Combo:
        return std::make_unique<ComboBox>(window, std::move(decl), std::move(name), container);
    case Kind::Slider:
        return std::make_unique<Trackbar>(window, std::move(decl), std::move(name), container);
    case Kind::Tabs:
        return std::make_unique<PageContainer>(window, std::move(decl), std::move(name), container);
    case Kind::PictureBox:
        return std::make_unique<PictureBox>(window, std::move(decl), std::move(name), container);
    case Kind::GroupBox:
        return std::make_unique<GroupBox>(window, std::move(decl), std::move(name), container);
    case Kind::Timer:
        return std::make_unique<TimerComponent>(window, std::move(decl), std::move(name), container);
    case Kind::FileDialog:
        return std::make_unique<FileDialogComponent>(window, std::move(decl), std::move(name), container);
    case Kind::FolderBar:
        return std::make_unique<FolderBar>(window, std::move(decl), std::move(name), container);
    case Kind::StatusBar:
        return std::make_unique<StatusBar>(window, std::move(decl), std::move(name), container);
    case Kind::Menu:
        break;
    }
    return std::make_unique<MenuItem>(window, std::move(decl), std::move(name), container);
}

}  // namespace velarion::win32
