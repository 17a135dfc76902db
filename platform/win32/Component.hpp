#pragma once
// One component of a live window: the base of the C++ type per component kind.
// It keeps the component's declaration, its place in 96-DPI pixels and the
// common run-time properties; each kind adds its own.

#include <windows.h>

#include <memory>
#include <string>

#include "platform/Declaration.hpp"
#include "platform/WindowLayer.hpp"

namespace velarion::win32 {

class Win32Window;

class Component {
public:
    // `decl` is the window's declaration of the component, which its copies
    // share (they outlive none of it); `copy` is 0 for the declared component,
    // n for its n-th copy.
    Component(Win32Window& window, const ComponentDecl& decl, int copy, Component* container);
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    virtual ~Component() = default;

    // The declared name; a copy's is "name#n".
    std::string name() const;
    int copyNumber() const { return copy_; }
    const ComponentDecl& decl() const { return decl_; }
    Kind kind() const { return decl_.kind; }
    Component* container() const { return container_; }
    int page() const { return decl_.page; }
    int id() const { return id_; }
    const Rect& rect() const { return rect_; }

    // The component's own window; nullptr for components without one.
    virtual HWND handle() const { return nullptr; }
    // Makes the native window under `parent` with the control identifier `id`.
    virtual void create(HWND parent, int id);
    // Destroys the native window; the component keeps what it shows and can be made again.
    virtual void destroy() {}
    // Places the component at its declared place for `dpi`, with its font.
    virtual void layout(int dpi);
    // The DPI the component is made for (before create; layout changes it later).
    void useDpi(int dpi) { dpi_ = dpi; }

    // Containers: the window that holds the children on `page`, and how far
    // that page is scrolled (96-DPI pixels).
    virtual HWND childParent(int page) const { return handle(); }
    virtual int scrollTop(int page) const { return 0; }

    // Notifications the window routes to the component.
    virtual void onCommand(int code) {}
    virtual void onScroll(int code) {}
    virtual void onTimer() {}
    // WM_CTLCOLOR*: a brush for the control's background, nullptr for the system's.
    virtual HBRUSH onColour(HDC dc) { return nullptr; }

    // Run-time properties; false when the component has no such property.
    virtual bool getText(Prop prop, std::string& value) const;
    virtual bool setText(Prop prop, std::string_view value);
    virtual bool getNumber(Prop prop, int& value) const;
    virtual bool setNumber(Prop prop, int value);
    virtual bool getFlag(Prop prop, bool& value) const;
    virtual bool setFlag(Prop prop, bool value);

protected:
    // The styles every child control shares: child, visible, disabled, tab stop.
    DWORD commonStyle() const;
    // Where the component's window belongs in its parent at the current DPI.
    RECT placement() const;
    // Moves the component's window to its place at the current DPI.
    void place();
    HFONT font() const;
    int dpi() const { return dpi_; }
    int scaled(int value) const;
    // The text as the native control gets it.
    std::wstring nativeText() const;

    Win32Window& window_;
    // The declaration, one for a declared component and all its copies: a
    // thousand entries are copies of one template, each keeping only its name
    // and what it shows.
    const ComponentDecl& decl_;
    Component* container_;
    // What the component shows, kept here for every kind: the native control is
    // made with it, and until that control exists it answers every property (a
    // control may be made long after the window, see LateCreation.cpp). Once it
    // exists, what the user can change (text, check mark, position, selection) is
    // read from the control.
    // (Ordered so that no padding falls between them: there is one per entry.)
    Rect rect_;
    std::string text_;
    std::string tag_;
    int position_;   // slider
    int selection_;  // combo box, -1 none
    int id_ = 0;
    int dpi_ = 96;
    int copy_;
    bool visible_;
    bool disabled_;
    bool checked_;   // check box, radio button
    bool playing_;   // picture box
    HFONT appliedFont_ = nullptr;  // the font the control was last given
};

// A component that is one of the system's controls (edit, static, button, combo
// box, track bar, status bar). The kinds that are windows of their own keep
// their handle in NativeWindow instead.
class SystemControl : public Component {
public:
    using Component::Component;
    HWND handle() const override { return hwnd_; }
    void destroy() override;

protected:
    // Made at `at`, or where placement() puts it.
    HWND createControl(DWORD exStyle, const wchar_t* className, DWORD style, HWND parent, int id,
                       const RECT* at = nullptr);

    HWND hwnd_ = nullptr;  // a child window: destroyed with its parent
};

// The C++ type for the component's kind.
std::unique_ptr<Component> makeComponent(Win32Window& window, const ComponentDecl& decl, int copy,
                                         Component* container);

}  // namespace velarion::win32
