// What a user does to a stand-in window, as the real controls would report it.

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <stdexcept>

#include "base/Gbk.hpp"
#include "platform/sim/SimWindow.hpp"

namespace velarion {

namespace {

// Removes the last character, both bytes of a double-byte one.
void eraseLastCharacter(std::string& text) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < text.size();) {
        last = i;
        i += gbk::isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    }
    if (last != std::string::npos) text.erase(last);
}

}  // namespace

// The component a user action goes to, or nullptr when the window takes no
// input or the component is hidden or disabled. Naming a component of another
// kind is a mistake of the test.
SimComponent* SimWindow::userTarget(const std::string& name, std::initializer_list<Kind> kinds) {
    auto& c = bag(name);
    if (std::find(kinds.begin(), kinds.end(), c.decl.kind) == kinds.end())
        throw std::logic_error("'" + name + "' cannot take that action");
    if (!takesInput() || !c.visible || c.disabled) return nullptr;
    return &c;
}

bool SimWindow::click(const std::string& component) {
    auto* c = userTarget(component, {Kind::Button, Kind::CheckBox, Kind::Radio});
    if (!c) return false;
    if (c->decl.kind == Kind::CheckBox) c->checked = !c->checked;
    if (c->decl.kind == Kind::Radio) selectRadio(*c);
    raise(component, Event::Clicked);
    return true;
}

bool SimWindow::type(const std::string& edit, const std::string& keys) {
    auto* c = userTarget(edit, {Kind::Edit});
    if (!c || c->decl.readOnly) return false;
    for (std::size_t i = 0; i < keys.size();) {
        const unsigned char key = static_cast<unsigned char>(keys[i]);
        const std::size_t length = gbk::isLeadByte(key) && i + 1 < keys.size() ? 2 : 1;
        if (key == '\b') {
            eraseLastCharacter(c->text);
        } else if (key >= 0x20 && key != 0x7F) {
            const bool accepted =
                !c->decl.numbersOnly || (length == 1 && ((key >= '0' && key <= '9') || key == '-'));
            if (accepted) c->text.append(keys, i, length);
        }
        i += length;
    }
    return true;
}

bool SimWindow::paste(const std::string& edit, const std::string& text) {
    auto* c = userTarget(edit, {Kind::Edit});
    if (!c || c->decl.readOnly) return false;
    c->text += text;
    return true;
}

bool SimWindow::chooseFolder(const std::string& folderBar, int index) {
    auto* c = userTarget(folderBar, {Kind::FolderBar});
    if (!c || index < 0 || index >= static_cast<int>(c->decl.items.size())) return false;
    if (index == c->selection) return true;  // already open: nothing changes
    c->selection = index;
    EventArgs args;
    args.index = index;
    raise(folderBar, Event::FolderChanged, args);
    return true;
}

bool SimWindow::chooseMenu(const std::string& menuItem) {
    if (!userTarget(menuItem, {Kind::Menu})) return false;
    raise(menuItem, Event::Chosen);
    return true;
}

bool SimWindow::selectItem(const std::string& combo, int index) {
    auto* c = userTarget(combo, {Kind::Combo});
    if (!c || index < 0 || index >= static_cast<int>(c->decl.items.size())) return false;
    c->selection = index;
    return true;
}

bool SimWindow::moveTo(int left, int top) {
    if (!takesInput()) return false;
    moveWindow(left, top);
    return true;
}

bool SimWindow::mouseOver(const std::string& statusBar, int x, int y, int keys) {
    if (!userTarget(statusBar, {Kind::StatusBar})) return false;
    EventArgs args;
    args.x = x;
    args.y = y;
    args.keys = keys;
    raise(statusBar, Event::MouseMove, args);
    return true;
}

// The icon's callback reaches the window even while a modal dialog disables it.
bool SimWindow::trayEvent(int code) {
    if (!open_ || !tray_.present || code < 1 || code > 3) return false;
    EventArgs args;
    args.code = code;
    raise("", Event::TrayIcon, args);
    return true;
}

bool SimWindow::requestClose() {
    if (!open_) return false;
    const bool answer = raise("", Event::CloseRequested);
    if (answer) close();
    return answer;
}

bool SimWindow::sliderTo(SimComponent& slider, int position, int notifications) {
    slider.position = std::clamp(position, slider.decl.minimum, slider.decl.maximum);
    const std::string name = slider.decl.name;
    for (int i = 0; i < notifications; ++i) raise(name, Event::SliderMoved);
    return true;
}

bool SimWindow::sliderSteps(const std::string& slider, int count, bool pages) {
    auto* c = userTarget(slider, {Kind::Slider});
    if (!c) return false;
    const int size = pages ? c->decl.pageStep : c->decl.lineStep;
    const int step = count < 0 ? -size : size;
    for (int i = 0; i < std::abs(count); ++i) sliderTo(*c, c->position + step, 1);
    return true;
}

bool SimWindow::sliderLine(const std::string& slider, int steps) {
    return sliderSteps(slider, steps, false);
}

bool SimWindow::sliderPage(const std::string& slider, int pages) {
    return sliderSteps(slider, pages, true);
}

bool SimWindow::sliderDrag(const std::string& slider, int position) {
    auto* c = userTarget(slider, {Kind::Slider});
    if (!c) return false;
    return sliderTo(*c, position, 2);  // the move, then the release
}

}  // namespace velarion
