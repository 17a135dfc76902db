#include "platform/sim/SimComponent.hpp"

namespace velarion {

SimComponent SimComponent::fromDeclaration(const ComponentDecl& decl) {
    SimComponent c;
    c.decl = decl;
    c.text = decl.text;
    c.left = decl.rect.left;
    c.top = decl.rect.top;
    c.height = decl.rect.height;
    c.visible = decl.visible;
    c.disabled = decl.disabled;
    c.checked = decl.checked;
    c.playAnimation = decl.playAnimation;
    c.position = decl.position;
    c.currentPage = decl.selection;
    c.selection = decl.selection;
    c.interval = decl.interval;
    for (const auto& part : decl.parts) c.partTexts.push_back(part.text);
    return c;
}

PropType propType(Prop prop) {
    switch (prop) {
    case Prop::Text:
    case Prop::Tag:
    case Prop::FileName:
        return PropType::Text;
    case Prop::Left:
    case Prop::Top:
    case Prop::Height:
    case Prop::Interval:
    case Prop::Position:
    case Prop::CurrentPage:
    case Prop::Selection:
        return PropType::Number;
    case Prop::Visible:
    case Prop::Disabled:
    case Prop::Checked:
    case Prop::AlwaysOnTop:
    case Prop::PlayAnimation:
        return PropType::Flag;
    }
    return PropType::Flag;
}

bool componentHas(Kind kind, Prop prop) {
    switch (prop) {
    case Prop::Tag:
    case Prop::Left:
    case Prop::Top:
    case Prop::Height:
    case Prop::Visible:
    case Prop::Disabled:
        return true;
    case Prop::Text:
        return kind == Kind::Edit || kind == Kind::Label || kind == Kind::Button ||
               kind == Kind::CheckBox || kind == Kind::Radio || kind == Kind::GroupBox ||
               kind == Kind::Menu;
    case Prop::Checked:
        return kind == Kind::CheckBox || kind == Kind::Radio;
    case Prop::Interval:
        return kind == Kind::Timer;
    case Prop::PlayAnimation:
        return kind == Kind::PictureBox;
    case Prop::Position:
        return kind == Kind::Slider;
    case Prop::CurrentPage:
        return kind == Kind::Tabs;
    case Prop::Selection:
        return kind == Kind::Combo || kind == Kind::FolderBar;
    case Prop::FileName:
        return kind == Kind::FileDialog;
    case Prop::AlwaysOnTop:
        return false;
    }
    return false;
}

bool windowHas(Prop prop) {
    switch (prop) {
    case Prop::Text:  // the title
    case Prop::Tag:
    case Prop::Left:
    case Prop::Top:
    case Prop::Height:
    case Prop::Visible:
    case Prop::AlwaysOnTop:
        return true;
    default:
        return false;
    }
}

const char* propName(Prop prop) {
    switch (prop) {
    case Prop::Text: return "Text";
    case Prop::Tag: return "Tag";
    case Prop::Left: return "Left";
    case Prop::Top: return "Top";
    case Prop::Height: return "Height";
    case Prop::Visible: return "Visible";
    case Prop::Disabled: return "Disabled";
    case Prop::Checked: return "Checked";
    case Prop::AlwaysOnTop: return "AlwaysOnTop";
    case Prop::Interval: return "Interval";
    case Prop::PlayAnimation: return "PlayAnimation";
    case Prop::Position: return "Position";
    case Prop::CurrentPage: return "CurrentPage";
    case Prop::Selection: return "Selection";
    case Prop::FileName: return "FileName";
    }
    return "?";
}

}  // namespace velarion
