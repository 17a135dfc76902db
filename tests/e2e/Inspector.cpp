#include "Inspector.hpp"

#include <commctrl.h>

#include <cstddef>
#include <cstdint>


namespace velarion::e2e {

std::wstring ownFolder() {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self, length);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return folder;
}

std::wstring settingsFilePath() {
    wchar_t directory[MAX_PATH];
    GetWindowsDirectoryW(directory, MAX_PATH);
    return std::wstring(directory) + L"\\kjfs.ini";
}

bool waitUntil(const std::function<bool()>& done, int ms) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    for (;;) {
        if (done()) return true;
        if (GetTickCount64() > end) return false;
        Sleep(20);
    }
}

Program::Program(const std::wstring& exe, const std::wstring& workingFolder) {
    const std::wstring folder = workingFolder.empty() ? exe.substr(0, exe.find_last_of(L'\\')) : workingFolder;
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info_))
        info_ = {};
}

Program::~Program() {
    if (!info_.hProcess) return;
    if (running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Program::running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Program::waitForIdle(int ms) const {
    return info_.hProcess && WaitForInputIdle(info_.hProcess, static_cast<DWORD>(ms)) == 0;
}

int Program::waitForExit(int ms) {
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, static_cast<DWORD>(ms)) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<int>(code);
}

namespace {

struct TopLevelSearch {
    DWORD processId;
    const wchar_t* cls;
    std::vector<HWND> found;
};

BOOL CALLBACK collectTopLevel(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<TopLevelSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && (!search.cls || className(window) == search.cls))
        search.found.push_back(window);
    return TRUE;
}

BOOL CALLBACK collectChild(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> topLevelWindows(DWORD processId, const wchar_t* cls) {
    TopLevelSearch search{processId, cls, {}};
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> descendants(HWND root) {
    std::vector<HWND> found;
    EnumChildWindows(root, collectChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring className(HWND window) {
    wchar_t name[256];
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? length : 0);
}

std::wstring windowText(HWND window) {
    // WM_GETTEXT is carried across processes; GetWindowText would not ask the control.
    wchar_t text[512] = {};
    const auto length = SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return std::wstring(text, static_cast<std::size_t>(length));
}

RECT placeInParent(HWND window) {
    RECT rect = screenRect(window);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT screenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

HWND findChild(HWND root, const wchar_t* cls, const std::wstring& text) {
    for (HWND child : descendants(root))
        if (className(child) == cls && windowText(child) == text) return child;
    return nullptr;
}

std::vector<HWND> childrenOfClass(HWND root, const wchar_t* cls) {
    std::vector<HWND> found;
    for (HWND child : descendants(root))
        if (className(child) == cls) found.push_back(child);
    return found;
}

RemoteMemory::RemoteMemory(HWND windowOfProcess, std::size_t size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(windowOfProcess, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                           processId);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
}

RemoteMemory::~RemoteMemory() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
}

bool RemoteMemory::write(std::size_t offset, const void* data, std::size_t size) {
    SIZE_T done = 0;
    return address_ && WriteProcessMemory(process_, at(offset), data, size, &done) && done == size;
}

bool RemoteMemory::read(std::size_t offset, void* data, std::size_t size) const {
    SIZE_T done = 0;
    return address_ && ReadProcessMemory(process_, at(offset), data, size, &done) && done == size;
}

std::wstring statusPartText(HWND statusBar, int part) {
    // SB_GETTEXTW writes into the caller's buffer, so the buffer must lie in
    // the status bar's own process. It writes characters only: the same in a
    // 32- and a 64-bit status bar.
    constexpr std::size_t capacity = 1024;
    RemoteMemory remote(statusBar, capacity * sizeof(wchar_t));
    if (!remote) return L"<no access>";
    const LRESULT result = SendMessageW(statusBar, SB_GETTEXTW, part,
                                        reinterpret_cast<LPARAM>(remote.at(0)));
    const std::size_t length = LOWORD(result);
    wchar_t buffer[capacity] = {};
    if (length >= capacity || !remote.read(0, buffer, sizeof buffer)) return L"<unreadable>";
    return std::wstring(buffer, length);
}

namespace {

// TTTOOLINFOW as a process of the given pointer width lays it out. A tooltip
// reads the structure in its own process, so what is written there must have
// that process's layout, whatever the width of this program.
template <typename Pointer>
struct ToolInfo {
    UINT cbSize;
    UINT uFlags;
    Pointer hwnd;
    Pointer uId;
    RECT rect;
    Pointer hinst;
    Pointer lpszText;
    Pointer lParam;
    Pointer lpReserved;
};
static_assert(sizeof(ToolInfo<std::uint32_t>) == 48 && offsetof(ToolInfo<std::uint32_t>, lpszText) == 36);
static_assert(sizeof(ToolInfo<std::uint64_t>) == 72 && offsetof(ToolInfo<std::uint64_t>, lpszText) == 48);
static_assert(sizeof(ToolInfo<std::uintptr_t>) == sizeof(TTTOOLINFOW));

// The texts of the tools of one tooltip window of another process.
template <typename Pointer>
void collectToolTexts(HWND tooltip, std::vector<std::wstring>& tips) {
    constexpr std::size_t textChars = 256;
    using Info = ToolInfo<Pointer>;
    RemoteMemory remote(tooltip, sizeof(Info) + textChars * sizeof(wchar_t));
    if (!remote) return;
    const auto textAddress = reinterpret_cast<std::uintptr_t>(remote.at(sizeof(Info)));
    // A 32-bit process cannot name memory above 4 GB of the other process.
    if (static_cast<std::uint64_t>(static_cast<Pointer>(textAddress)) != textAddress) return;
    const auto count = SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        Info info{};
        info.cbSize = sizeof info;
        info.lpszText = static_cast<Pointer>(textAddress);
        wchar_t text[textChars] = {};
        if (!remote.write(0, &info, sizeof info) || !remote.write(sizeof info, text, sizeof text))
            continue;
        if (!SendMessageW(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(remote.at(0))))
            continue;
        if (!remote.read(sizeof info, text, sizeof text)) continue;
        text[textChars - 1] = L'\0';
        tips.emplace_back(text);
    }
}

}  // namespace

bool is64BitProcess(DWORD processId) {
    BOOL selfUnderWow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &selfUnderWow64);
    if (sizeof(void*) == 4 && !selfUnderWow64) return false;  // a 32-bit system
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return sizeof(void*) == 8;
    BOOL underWow64 = FALSE;
    const BOOL known = IsWow64Process(process, &underWow64);
    CloseHandle(process);
    return known ? !underWow64 : sizeof(void*) == 8;
}

std::vector<std::wstring> trayIconTips() {
    // Wine's shell gives every icon a tooltip window of its own, owned by the tray.
    std::vector<std::wstring> tips;
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!tray) return tips;
    DWORD shell = 0;
    GetWindowThreadProcessId(tray, &shell);
    const bool wide = is64BitProcess(shell);
    for (HWND tooltip : topLevelWindows(shell, TOOLTIPS_CLASSW)) {
        if (wide) collectToolTexts<std::uint64_t>(tooltip, tips);
        else collectToolTexts<std::uint32_t>(tooltip, tips);
    }
    return tips;
}

void chooseMenu(HWND window, int menu, int item) {
    // Menus belong to their process, so the item is reached with the keyboard:
    // the menu bar as F10 opens it, then arrows and Enter.
    PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, 0);
    for (int i = 0; i < menu; ++i) postKey(window, VK_RIGHT);
    postKey(window, VK_DOWN);
    for (int i = 0; i < item; ++i) postKey(window, VK_DOWN);
    postKey(window, VK_RETURN);
}

void postClick(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void postKey(HWND control, UINT virtualKey) {
    PostMessageW(control, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(control, WM_KEYUP, virtualKey, 0xC0000001);
}

void openFolder(HWND main, int folder) {
    const std::vector<HWND> bars = childrenOfClass(main, L"VelarionFolderBar");
    if (bars.empty()) return;
    DWORD_PTR result = 0;
    for (int i = 0; i <= folder; ++i)
        SendMessageTimeoutW(bars[0], WM_KEYDOWN, i == 0 ? VK_HOME : VK_DOWN, 1, SMTO_NORMAL, 5000, &result);
}

}  // namespace velarion::e2e
