// A program for the process tests: writes its command line and working folder
// (UTF-8, one per line) to "<its own path>.report", then ends.

#include <windows.h>

#include <string>

namespace {

std::string utf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                        nullptr, nullptr);
    return text;
}

}  // namespace

int main() {
    wchar_t self[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    wchar_t folder[MAX_PATH * 4];
    const DWORD folderLength = GetCurrentDirectoryW(MAX_PATH * 4, folder);
    const std::string report =
        utf8(GetCommandLineW()) + "\n" + utf8(std::wstring(folder, folderLength)) + "\n";

    // Written under another name first, so a reader never sees half a report.
    const std::wstring target = std::wstring(self, length) + L".report";
    const std::wstring partial = target + L".part";
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
    CloseHandle(file);
    return MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
