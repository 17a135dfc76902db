#pragma once
// What screen readers are told about the controls we draw ourselves. Windows
// describes its own controls; for ours it would only know "a client window".
// Each such control answers WM_GETOBJECT with an object of this family: the
// standard description of its window (from oleacc) with the parts that make it
// what it is told over it. oleacc is looked up when a reader first asks, so a
// start without one loads nothing more.

#include <windows.h>
#include <oleacc.h>

#include <memory>
#include <string>

#include "platform/win32/Handles.hpp"

namespace velarion::win32 {

// Held by a control: the objects handed to readers keep a weak reference to it,
// and a reader that asks after the control is gone is told it is not there.
template <typename Control>
class Lifeline {
public:
    explicit Lifeline(Control& control) : alive_(&control, [](Control*) {}) {}
    std::weak_ptr<Control> weak() const { return alive_; }

private:
    std::shared_ptr<Control> alive_;
};

// IAccessible for one window's client area. Everything the subclass does not
// answer is the standard object's answer (parent, navigation among child
// windows, focus, location of the whole window, ...).
class Accessible : public IAccessible {
public:
    explicit Accessible(HWND window);
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: no type information; readers call the methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO*, UINT*) override;
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

protected:
    virtual ~Accessible() = default;
    HWND window() const { return window_; }
    IAccessible* standard() const { return standard_.get(); }

    static bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
    // A new BSTR of `text` for a reader; E_OUTOFMEMORY when none can be made.
    static HRESULT giveText(const std::wstring& text, BSTR* out);
    static void giveNumber(LONG number, VARIANT* out);

private:
    LONG references_ = 1;
    HWND window_;
    ComPtr<IAccessible> standard_;
};

// A control without parts of its own: a role, a name and some states over the
// standard description.
class LeafAccessible : public Accessible {
public:
    using Accessible::Accessible;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;

protected:
    virtual bool connected() const = 0;
    virtual LONG role() const = 0;
    // False: the standard object's name.
    virtual bool name(std::wstring& value) const { return false; }
    virtual LONG addedState() const { return 0; }
};

// Whether WM_GETOBJECT asks for the description of the client area.
bool asksForClient(LPARAM objectId);
// The answer to WM_GETOBJECT with `object`, whose reference it takes over; 0
// when there is no object or it cannot be handed over.
LRESULT answerWith(WPARAM flags, Accessible* object);

}  // namespace velarion::win32
