#include "platform/win32/accessibility/Accessible.hpp"

#include <objbase.h>

#include "platform/win32/LateBound.hpp"

namespace velarion::win32 {
namespace {

constexpr wchar_t Oleacc[] = L"oleacc.dll";
constexpr wchar_t Oleaut32[] = L"oleaut32.dll";

// The standard object cannot be had (no oleacc): the answer of a window that
// says nothing more than what is asked of it directly.
constexpr HRESULT kNothing = DISP_E_MEMBERNOTFOUND;

}  // namespace

Accessible::Accessible(HWND window) : window_(window) {
    if (const auto create = lateBound<decltype(CreateStdAccessibleObject)>(Oleacc, "CreateStdAccessibleObject"))
        create(window, OBJID_CLIENT, __uuidof(IAccessible), standard_.putVoid());
}

HRESULT Accessible::QueryInterface(REFIID id, void** object) {
    if (!object) return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG Accessible::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG Accessible::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT Accessible::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT Accessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}
HRESULT Accessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT Accessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

// Everything else: the standard object's answer.
#define VELARION_STANDARD(call) \
    return standard_ ? standard_->call : kNothing

HRESULT Accessible::get_accParent(IDispatch** parent) { VELARION_STANDARD(get_accParent(parent)); }
HRESULT Accessible::get_accChildCount(long* count) { VELARION_STANDARD(get_accChildCount(count)); }
HRESULT Accessible::get_accChild(VARIANT child, IDispatch** object) { VELARION_STANDARD(get_accChild(child, object)); }
HRESULT Accessible::get_accName(VARIANT child, BSTR* name) { VELARION_STANDARD(get_accName(child, name)); }
HRESULT Accessible::get_accValue(VARIANT child, BSTR* value) { VELARION_STANDARD(get_accValue(child, value)); }
HRESULT Accessible::get_accDescription(VARIANT child, BSTR* text) { VELARION_STANDARD(get_accDescription(child, text)); }
HRESULT Accessible::get_accRole(VARIANT child, VARIANT* role) { VELARION_STANDARD(get_accRole(child, role)); }
HRESULT Accessible::get_accState(VARIANT child, VARIANT* state) { VELARION_STANDARD(get_accState(child, state)); }
HRESULT Accessible::get_accHelp(VARIANT child, BSTR* help) { VELARION_STANDARD(get_accHelp(child, help)); }
HRESULT Accessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    VELARION_STANDARD(get_accHelpTopic(file, child, topic));
}
HRESULT Accessible::get_accKeyboardShortcut(VARIANT child, BSTR* keys) {
    VELARION_STANDARD(get_accKeyboardShortcut(child, keys));
}
HRESULT Accessible::get_accFocus(VARIANT* child) { VELARION_STANDARD(get_accFocus(child)); }
HRESULT Accessible::get_accSelection(VARIANT* children) { VELARION_STANDARD(get_accSelection(children)); }
HRESULT Accessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    VELARION_STANDARD(get_accDefaultAction(child, action));
}
HRESULT Accessible::accSelect(long flags, VARIANT child) { VELARION_STANDARD(accSelect(flags, child)); }
HRESULT Accessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    VELARION_STANDARD(accLocation(left, top, width, height, child));
}
HRESULT Accessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    VELARION_STANDARD(accNavigate(direction, start, end));
}
HRESULT Accessible::accHitTest(long x, long y, VARIANT* child) { VELARION_STANDARD(accHitTest(x, y, child)); }
HRESULT Accessible::accDoDefaultAction(VARIANT child) { VELARION_STANDARD(accDoDefaultAction(child)); }
HRESULT Accessible::put_accName(VARIANT child, BSTR name) { VELARION_STANDARD(put_accName(child, name)); }
HRESULT Accessible::put_accValue(VARIANT child, BSTR value) { VELARION_STANDARD(put_accValue(child, value)); }

#undef VELARION_STANDARD

HRESULT Accessible::giveText(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    using Allocate = BSTR WINAPI(const OLECHAR*, UINT);
    const auto allocate = lateBound<Allocate>(Oleaut32, "SysAllocStringLen");
    if (allocate) *out = allocate(text.c_str(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

void Accessible::giveNumber(LONG number, VARIANT* out) {
    out->vt = VT_I4;
    out->lVal = number;
}

// ---------------------------------------------------------------- leaf

HRESULT LeafAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!isSelf(child)) return Accessible::get_accName(child, name);
    if (!connected()) return CO_E_OBJNOTCONNECTED;
    std::wstring value;
    if (!this->name(value)) return Accessible::get_accName(child, name);
    return giveText(value, name);
}

HRESULT LeafAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!isSelf(child)) return Accessible::get_accRole(child, role);
    if (!role) return E_POINTER;
    if (!connected()) return CO_E_OBJNOTCONNECTED;
    giveNumber(this->role(), role);
    return S_OK;
}

HRESULT LeafAccessible::get_accState(VARIANT child, VARIANT* state) {
    const HRESULT result = Accessible::get_accState(child, state);
    if (!isSelf(child) || !state) return result;
    if (!connected()) return CO_E_OBJNOTCONNECTED;
    const LONG standardState = SUCCEEDED(result) && state->vt == VT_I4 ? state->lVal : 0;
    giveNumber(standardState | addedState(), state);
    return S_OK;
}

// ---------------------------------------------------------------- WM_GETOBJECT

bool asksForClient(LPARAM objectId) {
    return static_cast<DWORD>(objectId) == static_cast<DWORD>(OBJID_CLIENT);
}

LRESULT answerWith(WPARAM flags, Accessible* object) {
    if (!object) return 0;
    using FromObject = LRESULT WINAPI(REFIID, WPARAM, LPUNKNOWN);
    const auto fromObject = lateBound<FromObject>(Oleacc, "LresultFromObject");
    if (!fromObject) {
        object->Release();
        return 0;
    }
    LRESULT result = fromObject(__uuidof(IAccessible), flags, object);
    if (result < 0) {
        // Handing the object over needs COM on this thread. The thread serves
        // readers for as long as it runs, so it stays in the apartment.
        const auto initialise = lateBound<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        if (initialise && SUCCEEDED(initialise(nullptr, COINIT_APARTMENTTHREADED)))
            result = fromObject(__uuidof(IAccessible), flags, object);
    }
    object->Release();  // the reader holds its own reference now, if it got one
    return result;  // an error code as it is, as readers expect
}

}  // namespace velarion::win32
