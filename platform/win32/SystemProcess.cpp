// Starting a program from its stored command line.

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/win32/Com.hpp"
#include "platform/win32/Encoding.hpp"
#include "platform/win32/KernelHandles.hpp"
#include "platform/win32/LateBound.hpp"
#include "platform/win32/ProgramCommandLine.hpp"
#include "platform/win32/Win32System.hpp"

namespace velarion::win32 {
namespace {

constexpr DWORD InputIdleWaitMs = 1000;
constexpr DWORD ErrorElevationRequired = 740;  // not in every SDK's headers

// The absolute form of a path and its folder (a drive root keeps its backslash).
struct FileLocation {
    std::wstring path;
    std::wstring folder;
};

FileLocation locate(const std::wstring& file) {
    DWORD size = GetFullPathNameW(file.c_str(), 0, nullptr, nullptr);
    if (size == 0) return {file, L""};
    std::wstring full(size, L'\0');
    size = GetFullPathNameW(file.c_str(), size, full.data(), nullptr);
    full.resize(size);
    const std::size_t slash = full.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {full, L""};
    std::wstring folder = full.substr(0, slash);
    if (folder.empty() || folder.back() == L':') folder += L'\\';
    return {full, folder};
}

bool startProcess(const wchar_t* application, std::wstring commandLine, const wchar_t* folder,
                  DWORD& error) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(application, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder, &startup, &started)) {
        error = GetLastError();
        return false;
    }
    UniqueKernelHandle process(started.hProcess);
    UniqueKernelHandle thread(started.hThread);
    WaitForInputIdle(process.get(), InputIdleWaitMs);
    return true;
}

// CreateProcess refuses a file that is no program (a document, a shortcut, a
// script) or one that asks for elevation; the shell can still open those.
bool shellCanOpenInstead(DWORD error) {
    switch (error) {
        case ERROR_BAD_EXE_FORMAT:
        case ERROR_BAD_FORMAT:
        case ERROR_INVALID_EXE_SIGNATURE:
        case ERROR_EXE_MARKED_INVALID:
        case ERROR_EXE_MACHINE_TYPE_MISMATCH:
        case ErrorElevationRequired:
            return true;
        default:
            return false;
    }
}

// The shell's "open" of a file or program, with arguments; the shell asks for
// elevation where the program needs it.
bool openThroughShell(const std::wstring& file, const std::wstring& arguments, const std::wstring& folder) {
    const ComScope com(COINIT_DISABLE_OLE1DDE);  // the shell may hand the file to a COM server
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    const auto shellExecute = lateBound<decltype(ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
    const bool opened = shellExecute && shellExecute(&info);
    if (opened && info.hProcess) {
        UniqueKernelHandle process(info.hProcess);
        WaitForInputIdle(process.get(), InputIdleWaitMs);
    }
    return opened;
}

// A 32-bit copy on 64-bit Windows sees SysWOW64 under the name System32: a tool
// that exists only in the real System32 is not found, the others start as their
// 32-bit builds. A stored text that names System32 means the real one. Sysnative
// names it for 32-bit programs (Vista and later); where there is none, file
// redirection is switched off for this thread while the file is looked at and
// started, and on again before the shell (which loads libraries) is asked.
class RealSystemFolder {
public:
    explicit RealSystemFolder(std::wstring& text) {
        using IsWow64 = BOOL WINAPI(HANDLE, BOOL*);
        BOOL wow64 = FALSE;
        const auto isWow64 = lateBound<IsWow64>(L"kernel32.dll", "IsWow64Process");
        if (!isWow64 || !isWow64(GetCurrentProcess(), &wow64) || !wow64) return;
        wchar_t windows[MAX_PATH];
        const UINT n = GetSystemWindowsDirectoryW(windows, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) return;
        const std::wstring native = throughSysnative(text, windows);
        if (native == text) return;
        const std::wstring sysnative = std::wstring(windows) + (windows[n - 1] == L'\\' ? L"" : L"\\") + L"Sysnative";
        if (GetFileAttributesW(sysnative.c_str()) != INVALID_FILE_ATTRIBUTES) {
            text = native;
            return;
        }
        using Disable = BOOL WINAPI(void**);
        const auto disable = lateBound<Disable>(L"kernel32.dll", "Wow64DisableWow64FsRedirection");
        off_ = disable && disable(&previous_);
    }
    RealSystemFolder(const RealSystemFolder&) = delete;
    RealSystemFolder& operator=(const RealSystemFolder&) = delete;
    ~RealSystemFolder() { restore(); }

    void restore() {
        if (!off_) return;
        using Revert = BOOL WINAPI(void*);
        if (const auto revert = lateBound<Revert>(L"kernel32.dll", "Wow64RevertWow64FsRedirection"))
            revert(previous_);
        off_ = false;
    }

private:
    void* previous_ = nullptr;
    bool off_ = false;
};

}  // namespace

// The stored text is normally the full path of a program, unquoted, as the file
// dialog gave it. When it names an existing file, exactly that file is started
// (never a shorter path that happens to exist, as an unquoted command line with
// spaces would allow), in its own folder. Any other text is a command line of
// the user's own: quoted or a single word, it is handed over unchanged; unquoted
// with blanks, its program is found as resolveUnquotedCommand says. A program
// that needs elevation is refused by CreateProcess (error 740) and opened
// through the shell instead, which asks the user.
bool Win32System::runProgram(const std::string& commandLine) {
    std::wstring text = toWide(commandLine);
    if (text.empty()) return false;
    RealSystemFolder systemFolder(text);
    const DWORD attributes = GetFileAttributesW(text.c_str());
    DWORD error = 0;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        CommandParts parts;
        if (text.front() == L'"' || text.find_first_of(L" \t") == std::wstring::npos) {
            // Quoted, or a single word: the system finds the program without guessing.
            if (startProcess(nullptr, text, nullptr, error)) return true;
            parts = splitCommandLine(text);
        } else {
            // Unquoted with blanks: never a shorter path that happens to exist.
            const std::optional<ProgramCommand> command = resolveUnquotedCommand(text);
            if (!command) return false;
            if (startProcess(command->application.c_str(), command->commandLine, nullptr, error)) return true;
            parts = {command->application, command->arguments};
        }
        systemFolder.restore();
        return error == ErrorElevationRequired && openThroughShell(parts.program, parts.arguments, L"");
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;

    const FileLocation file = locate(text);
    const wchar_t* folder = file.folder.empty() ? nullptr : file.folder.c_str();
    if (startProcess(file.path.c_str(), L"\"" + file.path + L"\"", folder, error)) return true;
    systemFolder.restore();
    return shellCanOpenInstead(error) && openThroughShell(file.path, L"", file.folder);
}

}  // namespace velarion::win32
