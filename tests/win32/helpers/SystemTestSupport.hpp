#pragma once
// What the tests of the Windows system services share: a scratch folder that is
// removed afterwards, whole-file helpers, the stand-in for the last step of a
// shutdown, and the way to the helper programs built next to the tests.

#include <windows.h>

#include <string>

#include "platform/win32/Encoding.hpp"
#include "platform/win32/Win32System.hpp"

namespace velarion::testing {

inline std::wstring folderOfThisProgram() {
    wchar_t path[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    std::wstring text(path, n);
    return text.substr(0, text.find_last_of(L'\\'));
}

inline std::wstring helperProgram() { return folderOfThisProgram() + L"\\report_helper.exe"; }

inline bool fileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string readBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

inline void writeBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// Waits until a file exists (a started program writing its report).
inline bool waitForFile(const std::wstring& path, int milliseconds = 10000) {
    for (int waited = 0; waited < milliseconds; waited += 50) {
        if (fileExists(path)) return true;
        Sleep(50);
    }
    return fileExists(path);
}

inline void removeTree(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(path.c_str());
        return;
    }
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") removeTree(path + L"\\" + name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

// A fresh folder for one test, removed with everything in it afterwards.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& path) : path_(path) {
        removeTree(path_);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ScratchFolder() : ScratchFolder(defaultPath()) {}
    ~ScratchFolder() { removeTree(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    static std::wstring defaultPath() {
        wchar_t temp[MAX_PATH + 1];
        const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
        return std::wstring(temp, n) + L"velarion-test-" + std::to_wstring(GetCurrentProcessId());
    }
    std::wstring path_;
};

inline std::string gbk(const std::wstring& wide) { return win32::toGbk(wide); }

// The Win32 services with kjfs.ini in a folder of the test's (GBK, with its
// trailing backslash) instead of the Windows directory; no power-off is made.
class FolderSystem : public win32::Win32System {
public:
    explicit FolderSystem(std::string folder)
        : Win32System([](unsigned, unsigned long) { return false; }), folder_(std::move(folder)) {}
    std::string windowsDirectory() override { return folder_; }

private:
    std::string folder_;
};

// The last step of a shutdown, recorded instead of done.
struct RecordedExitWindows {
    int calls = 0;
    unsigned flags = 0;
    unsigned long reason = 0;
    bool privilegeHeld = false;  // the shutdown privilege was enabled at the call

    win32::ExitWindowsCall call() {
        return [this](unsigned f, unsigned long r) {
            ++calls;
            flags = f;
            reason = r;
            privilegeHeld = shutdownPrivilegeEnabled();
            return true;
        };
    }

    static bool shutdownPrivilegeEnabled() {
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
        LUID shutdown{};
        LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &shutdown);
        DWORD size = 0;
        GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
        std::string buffer(size, '\0');
        bool enabled = false;
        if (GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
            const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
            for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
                const LUID_AND_ATTRIBUTES& p = privileges->Privileges[i];
                if (p.Luid.LowPart == shutdown.LowPart && p.Luid.HighPart == shutdown.HighPart)
                    enabled = (p.Attributes & SE_PRIVILEGE_ENABLED) != 0;
            }
        }
        CloseHandle(token);
        return enabled;
    }
};

}  // namespace velarion::testing
