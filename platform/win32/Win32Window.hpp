#pragma once
// A live window made from its declaration: the top-level window, its menu bar
// and its components. Messages are turned into events through one table; the
// behaviours bound in the declaration answer them.

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/WindowLayer.hpp"
#include "platform/win32/Component.hpp"
#include "platform/win32/Fonts.hpp"
#include "platform/win32/Handles.hpp"
#include "platform/win32/NativeWindow.hpp"
#include "platform/win32/Tray.hpp"

namespace velarion::win32 {

class Win32WindowLayer;
class StatusBar;

// The window class of every top-level window of the layer.
inline constexpr wchar_t WindowClassName[] = L"VelarionWindow";

class Win32Window final : public Window, private NativeWindow {
public:
    Win32Window(Win32WindowLayer& layer, const WindowDecl& decl, const Behaviours& behaviours);
    ~Win32Window() override;

    // Makes the window and all its components in their declared state, hidden.
    // False when the window cannot be made.
    bool create(HWND owner);
    // Raises Created; from then on events reach the behaviours.
    void raiseCreated();
    void show();
    // True once the window has been asked to close or is gone.
    bool closing() const { return closing_; }
    // A modal window: the owner it took the input from, given back when it closes.
    void setDisabledOwner(HWND owner) { disabledOwner_ = owner; }
    // Runs `work` from a message of this window posted now (WindowLayer::postWork).
    void postWork(std::function<void()> work);

    HWND hwnd() const { return handle(); }
    int dpi() const { return dpi_; }
    Fonts& fonts() { return fonts_; }
    Tray& tray() { return tray_; }
    StatusBar* statusBar(const std::string& name);
    // The component with its native window: one still waiting is made now, with
    // the rest of its page (LateCreation.cpp). nullptr for a name the window does not hold.
    Component* makeNow(const std::string& name);
    // makeNow(), and an unknown name is reported to the layer.
    Component* required(const std::string& name);
    // Makes the waiting controls that `container` shows on `page` (it is shown or scrolled).
    void makeShownPart(const Component& container, int page);

    // Raises `event` of a component; the result of its behaviour, or
    // `fallback` when nothing is bound.
    bool raise(const Component& source, Event event, const EventArgs& args = {},
               bool fallback = true);
    // A radio button was chosen: it is checked, the others of its container cleared.
    void selectRadio(Component& radio);
    // Places again the components that `container` holds on `page` (after a scroll).
    void relayoutChildren(const Component& container, int page);

    // Window.
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
    void* nativeHandle() const override { return handle(); }

    void setTopmost(bool on);

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT onClose(UINT, WPARAM, LPARAM);
    LRESULT onQueryEndSession(UINT, WPARAM, LPARAM);
    LRESULT onMove(UINT, WPARAM, LPARAM);
    LRESULT onCommand(UINT, WPARAM, LPARAM);
    LRESULT onScroll(UINT, WPARAM, LPARAM);
    LRESULT onTimer(UINT, WPARAM, LPARAM);
    LRESULT onColour(UINT, WPARAM, LPARAM);
    LRESULT onTrayCallback(UINT, WPARAM, LPARAM);
    LRESULT onDpiChanged(UINT, WPARAM, LPARAM);
    LRESULT onActivate(UINT, WPARAM, LPARAM);
    LRESULT onDestroy(UINT, WPARAM, LPARAM);
    LRESULT onDeferredClose(UINT, WPARAM, LPARAM);
    LRESULT onPostedWork(UINT, WPARAM, LPARAM);

    bool raiseWindow(Event event, const EventArgs& args = {}, bool fallback = true);
    bool dispatch(const std::vector<Binding>& bindings, const std::string& source, Event event,
                  const EventArgs& args, bool fallback);
    HMENU buildMenu();
    // Adds the declared component: made natively now, or waiting for its page.
    Component* addDeclared(const ComponentDecl& decl);
    // The component as it is, with or without its native window; never makes one.
    Component* lookup(const std::string& name) const;
    // lookup(), and an unknown name is reported to the layer.
    Component* known(const std::string& name) const;
    struct Unmade {
        Component* component;
        int id;
    };
    // The component object with its name and identifier, no native window yet.
    Unmade make(const ComponentDecl& decl, int copy);
    // The copy of that name ("original#n"); nullptr for another name.
    Component* copyNamed(const std::string& name) const;
    void makeNative(const Unmade& made);
    // Takes out of `waiting`, in list order, those that `pick` chooses (at most `most`).
    template <typename Pick>
    static std::vector<Unmade> takeWaiting(std::vector<Unmade>& waiting, Pick pick, std::size_t most);
    // Makes natively the waiting declared controls or copies that `pick` chooses;
    // how many.
    template <typename Pick>
    std::size_t makeDeclared(Pick pick, std::size_t most = SIZE_MAX);
    template <typename Pick>
    std::size_t makeCopies(Pick pick, std::size_t most = SIZE_MAX);
    void makeCopy(const Unmade& copy);
    // Moves a declared control made after others of its page into its declared place.
    void keepDeclaredOrder(const Unmade& declared);
    // A hidden declared control just shown: made now if its page shows.
    void makeShownDeclared(const Component& component);
    // Lets go of the native windows of the page's copies that lie far from its view.
    void letGoFarCopies(const Component& container, int page);
    // Before the window shows: what it shows is made now, the rest from the queue.
    void makeWhatShows();
    // Posts the message that makes waiting components a few at a time.
    void scheduleWaiting();
    LRESULT onMakeWaiting(UINT, WPARAM, LPARAM);
    Component* ensureCreated(const ComponentDecl& decl, int depth);
    // The window's place on screen at `dpi`: as declared, or centred in the
    // work area of `monitor`.
    RECT screenPlace(int dpi, HMONITOR monitor) const;
    void placeWindow();
    void layoutAll();
    void loadIcons();

    Win32WindowLayer& layer_;
    WindowDecl decl_;
    Behaviours behaviours_;
    Fonts fonts_;
    Tray tray_;
    std::vector<std::unique_ptr<Component>> components_;  // containers before their children
    // Declared components by name; copies are found by their number among the
    // copies of their original (a thousand entries need no thousand map nodes).
    std::map<std::string, Component*> byName_;
    std::map<HWND, Component*> byHandle_;
    std::map<std::string, std::vector<Component*>, std::less<>> copies_;  // the n-th at [n - 1]
    // Components not made natively yet (LateCreation.cpp), each list in the order
    // the components were added: declared controls of pages not shown, and copies
    // (also those let go again, far from their page's view).
    std::vector<Unmade> waitingDeclared_;
    std::vector<Unmade> waitingCopies_;
    std::vector<Unmade> madeCopies_;  // copies with a native window now
    bool makePosted_ = false;  // the message that makes them is in the queue
    // Work posted by postWork, oldest first; each piece has its message in the queue.
    std::deque<std::function<void()>> postedWork_;
    std::string tag_;
    UniqueIcon bigIcon_, smallIcon_;
    HWND lastFocus_ = nullptr;  // a child of this window, to refocus on activation
    POINT lastPlace_{0, 0};  // screen place at the last PositionChanged
    static constexpr int FirstId = 1000;
    // The component made with that identifier; nullptr for none.
    Component* byId(int id) const {
        const auto at = static_cast<std::size_t>(id - FirstId);
        return id >= FirstId && at < components_.size() ? components_[at].get() : nullptr;
    }
    int dpi_ = 96;
    bool ready_ = false;
    bool closing_ = false;
    HWND disabledOwner_ = nullptr;
};

}  // namespace velarion::win32
