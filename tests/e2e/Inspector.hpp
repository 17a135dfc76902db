#pragma once
// Looks at and drives the windows of another process from outside, as a user
// or the shell would: by window class, caption and place, with posted input.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace velarion::e2e {

// The folder of this test executable, with a trailing backslash.
std::wstring ownFolder();
// kjfs.ini in the Windows directory, where the program keeps everything.
std::wstring settingsFilePath();

// Waits until `done` holds, checking every 20 ms; false when `ms` passed first.
bool waitUntil(const std::function<bool()>& done, int ms = 5000);

// A started program, ended by TerminateProcess when it goes out of scope.
class Program {
public:
    // Started in its own folder, or in `workingFolder` when one is given.
    explicit Program(const std::wstring& exe, const std::wstring& workingFolder = L"");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD id() const { return info_.dwProcessId; }
    bool running() const;
    // Waits for the process to end; its exit code, or -1 when it did not end in time.
    int waitForExit(int ms);
    // Waits until the program has worked off its queue and waits for input (the
    // controls of pages not shown are made from the queue after the window shows).
    bool waitForIdle(int ms = 5000) const;

private:
    PROCESS_INFORMATION info_{};
};

// Memory in another process, for messages that write through a pointer.
class RemoteMemory {
public:
    RemoteMemory(HWND windowOfProcess, std::size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    explicit operator bool() const { return address_ != nullptr; }
    void* at(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    bool write(std::size_t offset, const void* data, std::size_t size);
    bool read(std::size_t offset, void* data, std::size_t size) const;

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

// Visible or not, the top-level windows of a process with that class (or any class).
std::vector<HWND> topLevelWindows(DWORD processId, const wchar_t* className = nullptr);
// All windows below `root`, depth first.
std::vector<HWND> descendants(HWND root);

std::wstring className(HWND window);
std::wstring windowText(HWND window);
// The window's rectangle in its parent's client coordinates.
RECT placeInParent(HWND window);
RECT screenRect(HWND window);

// The first descendant of that class whose text is `text`; nullptr when none.
HWND findChild(HWND root, const wchar_t* cls, const std::wstring& text);
// All descendants of that class, in the order of descendants().
std::vector<HWND> childrenOfClass(HWND root, const wchar_t* cls);

// The text of one part of a status bar of another process.
std::wstring statusPartText(HWND statusBar, int part);

// Whether a process is a 64-bit one (the layout its structures have).
bool is64BitProcess(DWORD processId);

// The notification-area icons the shell shows, by the tips of their tooltips,
// read in the shell's own structure layout (it may be 32- or 64-bit).
std::vector<std::wstring> trayIconTips();

// A menu command of the window's menu bar: item `item` of drop-down `menu`.
void chooseMenu(HWND window, int menu, int item);
// A click on a button as the user makes it, without waiting for its handler.
void postClick(HWND button);
// A key pressed and let go in a control.
void postKey(HWND control, UINT virtualKey);
// Opens a folder of the main window's folder bar with the keys a user has
// (0 聊天通讯 … 4 系统设置), sent, so that the page and its controls (made when
// it first shows) are there when this returns.
void openFolder(HWND main, int folder);

}  // namespace velarion::e2e
