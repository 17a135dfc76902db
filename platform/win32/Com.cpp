#include "platform/win32/Com.hpp"

#include <objbase.h>

#include "platform/win32/LateBound.hpp"

namespace velarion::win32 {
namespace {

constexpr wchar_t Ole32[] = L"ole32.dll";

}  // namespace

ComScope::ComScope(DWORD extraFlags) : entered_(false) {
    const auto initialise = lateBound<decltype(CoInitializeEx)>(Ole32, "CoInitializeEx");
    entered_ = initialise && SUCCEEDED(initialise(nullptr, COINIT_APARTMENTTHREADED | extraFlags));
}

ComScope::~ComScope() {
    if (!entered_) return;
    if (const auto uninitialise = lateBound<decltype(CoUninitialize)>(Ole32, "CoUninitialize"))
        uninitialise();
}

HRESULT createInProcess(REFCLSID type, REFIID wanted, void** object) {
    *object = nullptr;
    const auto create = lateBound<decltype(CoCreateInstance)>(Ole32, "CoCreateInstance");
    return create ? create(type, nullptr, CLSCTX_INPROC_SERVER, wanted, object) : E_FAIL;
}

void clearPropVariant(PROPVARIANT* value) {
    if (const auto clear = lateBound<decltype(PropVariantClear)>(Ole32, "PropVariantClear")) clear(value);
}

}  // namespace velarion::win32
