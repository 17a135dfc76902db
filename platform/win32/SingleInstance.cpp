#include "platform/win32/SingleInstance.hpp"

#include <windows.h>

#include <cstdint>

namespace velarion::win32 {
namespace {

constexpr const wchar_t* MutexName = L"Local\\Velarion.Instance";
constexpr const wchar_t* MappingName = L"Local\\Velarion.MainWindow";

// How long a second start waits for the first copy's window to appear.
constexpr int WaitSteps = 50;
constexpr DWORD WaitStepMs = 100;

struct SharedBlock {
    volatile std::uint64_t mainWindow;
};

}  // namespace

SingleInstance::SingleInstance() {
    mutex_ = CreateMutexW(nullptr, FALSE, MutexName);
    first_ = !(mutex_ && GetLastError() == ERROR_ALREADY_EXISTS);
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                  sizeof(SharedBlock), MappingName);
    if (mapping_) view_ = MapViewOfFile(mapping_, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0,
                                        sizeof(SharedBlock));
}

SingleInstance::~SingleInstance() {
    if (view_) UnmapViewOfFile(view_);
    if (mapping_) CloseHandle(mapping_);
    if (mutex_) CloseHandle(mutex_);
}

void SingleInstance::publish(void* mainWindow) {
    if (!view_) return;
    static_cast<SharedBlock*>(view_)->mainWindow =
        static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(mainWindow));
}

bool SingleInstance::showRunning() const {
    if (!view_) return false;
    for (int i = 0; i < WaitSteps; ++i) {
        const auto stored = static_cast<const SharedBlock*>(view_)->mainWindow;
        HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(stored));
        if (window && IsWindow(window)) {
            ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
            SetForegroundWindow(window);
            return true;
        }
        Sleep(WaitStepMs);
    }
    return false;
}

}  // namespace velarion::win32
