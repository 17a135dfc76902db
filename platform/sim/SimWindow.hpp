#pragma once
// A stand-in window for tests: a declaration turned into property bags. It
// raises the bound behaviours for the user actions a test drives, and keeps
// what the window services did to it.

#include <deque>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "platform/WindowLayer.hpp"
#include "platform/sim/SimComponent.hpp"

namespace velarion {

class SimWindows;

struct SimTrayIcon {
    bool present = false;
    std::string tip;
    int adds = 0;      // NIM_ADD calls
    int modifies = 0;  // NIM_MODIFY calls
};

class SimWindow final : public Window {
public:
    SimWindow(SimWindows& layer, const WindowDecl& decl, const Behaviours& behaviours, int left,
              int top);

    // Window
    const WindowDecl& declaration() const override { return decl_; }
    bool has(const std::string& component) const override;
    std::string text(const std::string& component, Prop prop) const override;
    void setText(const std::string& component, Prop prop, std::string_view value) override;
    int number(const std::string& component, Prop prop) const override;
    void setNumber(const std::string& component, Prop prop, int value) override;
    bool flag(const std::string& component, Prop prop) const override;
    void setFlag(const std::string& component, Prop prop, bool value) override;
    std::string copyComponent(const std::string& original) override;
    bool openFileDialog(const std::string& component) override;
    void close() override;
    void setPageExtent(const std::string& tabs, int page, int contentHeight) override;
    void* nativeHandle() const override { return const_cast<SimWindow*>(this); }

    // User actions. Each answers whether the action reached the window: a
    // closed or hidden window, a window waiting for its modal dialog, and a
    // hidden or disabled component take none.
    bool click(const std::string& component);  // a check box toggles, a radio selects first
    // Keys typed into an edit box; '\b' is Backspace. A read-only box takes
    // nothing; a whole-number box drops printable characters other than 0-9 and '-'.
    bool type(const std::string& edit, const std::string& keys);
    bool paste(const std::string& edit, const std::string& text);  // not filtered
    bool chooseFolder(const std::string& folderBar, int index);
    bool chooseMenu(const std::string& menuItem);
    bool selectItem(const std::string& combo, int index);
    bool moveTo(int left, int top);  // dragged by the title bar
    bool mouseOver(const std::string& statusBar, int x, int y, int keys = 0);
    bool trayEvent(int code);  // one of the Tray... codes
    // Close box, Alt+F4 or the system asking: answers the handler's result
    // (true when nothing is bound) and closes the window when it is true.
    bool requestClose();
    // Track bar: arrow keys (+1/-1 per step), page keys or track clicks
    // (+-pageStep), or the thumb dragged to a position (one notification for
    // the move, one more when it is let go). Each notification raises SliderMoved.
    bool sliderLine(const std::string& slider, int steps);
    bool sliderPage(const std::string& slider, int pages);
    bool sliderDrag(const std::string& slider, int position);

    // What tests inspect.
    const std::string& name() const { return decl_.name; }
    bool isOpen() const { return open_; }
    bool takesInput() const { return open_ && visible_ && blocked_ == 0; }
    const SimComponent& component(const std::string& name) const;
    std::vector<std::string> componentNames() const;  // declared order, copies after
    std::vector<std::string> copiesOf(const std::string& original) const;
    std::string statusText(const std::string& statusBar, int index) const;
    int pageExtent(const std::string& tabs, int page) const;  // -1: never set
    bool layered() const { return layered_; }
    int alpha() const { return alpha_; }
    int opacityCalls() const { return opacityCalls_; }
    int topmostCalls() const { return topmostCalls_; }
    const SimTrayIcon& trayIcon() const { return tray_; }

    // Raises an event as the window layer does; answers the behaviour's result
    // (true when nothing is bound to it).
    bool raise(const std::string& source, Event event, EventArgs args = {});

private:
    friend class SimWindows;

    SimComponent& bag(const std::string& name);
    const SimComponent& bag(const std::string& name) const;
    SimComponent* userTarget(const std::string& name, std::initializer_list<Kind> kinds);
    void check(const std::string& component, Prop prop, PropType type) const;
    void moveWindow(int left, int top);
    void setInterval(SimComponent& timer, int interval);
    void selectRadio(SimComponent& radio);
    bool sliderTo(SimComponent& slider, int position, int notifications);
    bool sliderSteps(const std::string& slider, int count, bool pages);

    SimWindows& layer_;
    WindowDecl decl_;
    Behaviours behaviours_;
    std::deque<SimComponent> components_;  // stays put while copies are added
    std::map<std::string, std::size_t> index_;
    std::map<std::string, int> copyCount_;

    bool open_ = true;
    int blocked_ = 0;  // modal dialogs owned by this window that are open
    std::string title_, tag_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool topmost_ = false;

    bool layered_ = false;
    int alpha_ = 255;
    int opacityCalls_ = 0;
    int topmostCalls_ = 0;
    SimTrayIcon tray_;
};

}  // namespace velarion
