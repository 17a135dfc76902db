#include "platform/win32/MessageFilter.hpp"

#include "platform/win32/LateBound.hpp"

namespace velarion::win32 {
namespace {

// Not in every SDK's headers.
constexpr DWORD FilterAllow = 1;  // MSGFLT_ALLOW, per window
constexpr DWORD FilterAdd = 1;    // MSGFLT_ADD, per process

using PerWindow = BOOL WINAPI(HWND, UINT, DWORD, void*);
using PerProcess = BOOL WINAPI(UINT, DWORD);

}  // namespace

bool allowFromLowerIntegrity(HWND window, UINT message) {
    if (!window || message == 0) return false;
    if (const auto perWindow = lateBound<PerWindow>(L"user32.dll", "ChangeWindowMessageFilterEx"))
        return perWindow(window, message, FilterAllow, nullptr) != FALSE;
    if (const auto perProcess = lateBound<PerProcess>(L"user32.dll", "ChangeWindowMessageFilter"))
        return perProcess(message, FilterAdd) != FALSE;
    return true;  // before Vista nothing is filtered
}

}  // namespace velarion::win32
