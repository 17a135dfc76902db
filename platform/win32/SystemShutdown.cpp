// Power: enable the shutdown privilege, then ask the system to power off.

#include <windows.h>

#include "platform/win32/KernelHandles.hpp"
#include "platform/win32/Win32System.hpp"

namespace velarion::win32 {
namespace {

// True only when the process's token now really holds the shutdown privilege
// enabled: AdjustTokenPrivileges succeeds with ERROR_NOT_ALL_ASSIGNED when the
// token does not have it at all.
bool enableShutdownPrivilege() {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened))
        return false;
    UniqueKernelHandle token(opened);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        return false;
    SetLastError(ERROR_SUCCESS);
    if (!AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr)) return false;
    return GetLastError() == ERROR_SUCCESS;
}

bool isNtFamily() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&version)) return true;  // only the NT family lacks nothing here
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// A planned shutdown ("other" reason): it is the user's own timed request.
constexpr unsigned long PlannedShutdownReason =
    SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;

}  // namespace

bool requestExitWindows(unsigned flags, unsigned long reason) {
    return ExitWindowsEx(flags, reason);
}

bool Win32System::shutDownSystem(int mode, bool force) {
    if (mode != ShutdownPowerOff) return false;
    const bool nt = isNtFamily();
    if (nt && !enableShutdownPrivilege()) return false;
    const unsigned flags = (nt ? EWX_POWEROFF : EWX_SHUTDOWN) | (force ? EWX_FORCE : 0u);
    return exitWindows_ && exitWindows_(flags, PlannedShutdownReason);
}

}  // namespace velarion::win32
