#pragma once
// COM for the few places that need it (decoding the busy picture, opening a
// document through the shell, the Open dialog). ole32 is looked up on first use,
// so a start of the program that needs none of it does not load it and all it
// brings along.

#include <windows.h>
#include <objidl.h>

namespace velarion::win32 {

// A single-threaded apartment on the calling thread for the lifetime of the
// scope. Nesting is fine: COM counts the entries. When the thread is already in
// another kind of apartment, COM still works there and this scope leaves it alone.
class ComScope {
public:
    explicit ComScope(DWORD extraFlags = 0);
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope();

private:
    bool entered_;
};

// CoCreateInstance for an in-process server; E_FAIL when ole32 cannot be had.
HRESULT createInProcess(REFCLSID type, REFIID wanted, void** object);

// PropVariantClear.
void clearPropVariant(PROPVARIANT* value);

}  // namespace velarion::win32
