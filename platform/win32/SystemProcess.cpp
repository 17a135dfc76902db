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

bool openThroughShell(const FileLocation& file) {
    const ComScope com(COINIT_DISABLE_OLE1DDE);  // the shell may hand the file to a COM server
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = file.path.c_str();
    info.lpDirectory = file.folder.empty() ? nullptr : file.folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    const auto shellExecute = lateBound<decltype(ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
    const bool opened = shellExecute && shellExecute(&info);
    if (opened && info.hProcess) {
        UniqueKernelHandle process(info.hProcess);
        WaitForInputIdle(process.get(), InputIdleWaitMs);
    }
    return opened;
}

}  // namespace

// The stored text is normally the full path of a program, unquoted, as the file
// dialog gave it. When it names an existing file, exactly that file is started
// (never a shorter path that happens to exist, as an unquoted command line with
// spaces would allow), in its own folder. Any other text is a command line of
// the user's own: quoted or a single word, it is handed over unchanged; unquoted
// with blanks, its program is found as resolveUnquotedCommand says.
bool Win32System::runProgram(const std::string& commandLine) {
    const std::wstring text = toWide(commandLine);
    if (text.empty()) return false;
    const DWORD attributes = GetFileAttributesW(text.c_str());
    DWORD error = 0;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // Quoted, or a single word: the system finds the program without guessing.
        if (text.front() == L'"' || text.find_first_of(L" \t") == std::wstring::npos)
            return startProcess(nullptr, text, nullptr, error);
        // Unquoted with blanks: never a shorter path that happens to exist.
        const std::optional<ProgramCommand> command = resolveUnquotedCommand(text);
        return command && startProcess(command->application.c_str(), command->commandLine, nullptr, error);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;

    const FileLocation file = locate(text);
    const wchar_t* folder = file.folder.empty() ? nullptr : file.folder.c_str();
    if (startProcess(file.path.c_str(), L"\"" + file.path + L"\"", folder, error)) return true;
    return shellCanOpenInstead(error) && openThroughShell(file);
}

}  // namespace velarion::win32
