#include "platform/win32/NumberFilter.hpp"

#include <commctrl.h>

namespace velarion::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x4E55;  // 'NU'

LRESULT CALLBACK filterProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
        if (!numberFilterAccepts(static_cast<wchar_t>(wParam))) return 0;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, &filterProc, kSubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

bool numberFilterAccepts(wchar_t typed) {
    if (typed < 0x20 || typed == 0x7F) return true;  // control keys
    return (typed >= L'0' && typed <= L'9') || typed == L'-';
}

void installNumberFilter(HWND edit) { SetWindowSubclass(edit, &filterProc, kSubclassId, 0); }

}  // namespace velarion::win32
