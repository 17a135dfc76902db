#include "platform/win32/ProgramCommandLine.hpp"

#include <windows.h>

#include <cwchar>

namespace velarion::win32 {
namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool isExistingFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring fullPath(const std::wstring& path) {
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    size = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(size);
    return full;
}

// A bare program name found where the system looks for one (".exe" added when the
// name has no extension); "" when it is not there.
std::wstring searchBareName(const std::wstring& name) {
    wchar_t found[MAX_PATH * 4];
    const DWORD n = SearchPathW(nullptr, name.c_str(), L".exe", MAX_PATH * 4, found, nullptr);
    if (n == 0 || n >= MAX_PATH * 4) return {};
    const std::wstring path(found, n);
    return isExistingFile(path) ? path : std::wstring();
}

}  // namespace

std::optional<ProgramCommand> resolveUnquotedCommand(const std::wstring& text) {
    // The starts of the text that end before a blank, longest first.
    for (std::size_t end = text.size(); end > 0; --end) {
        if (end < text.size() && !isBlank(text[end])) continue;
        if (end == text.size() && !isBlank(text.back())) continue;  // the whole text is no file
        std::size_t last = end;
        while (last > 0 && isBlank(text[last - 1])) --last;
        if (last == 0) break;
        const std::wstring program = text.substr(0, last);
        std::wstring application;
        if (isExistingFile(program)) {
            application = fullPath(program);
        } else if (program.find_first_of(L"\\/: \t") == std::wstring::npos) {
            application = searchBareName(program);
        }
        if (!application.empty()) {
            std::size_t rest = last;
            while (rest < text.size() && isBlank(text[rest])) ++rest;
            return ProgramCommand{application, L"\"" + application + L"\"" + text.substr(last), text.substr(rest)};
        }
        end = last;  // past the run of blanks
    }
    return std::nullopt;
}

CommandParts splitCommandLine(const std::wstring& text) {
    std::size_t end = 0;
    std::wstring program;
    if (!text.empty() && text.front() == L'"') {
        const std::size_t close = text.find(L'"', 1);
        end = close == std::wstring::npos ? text.size() : close + 1;
        program = text.substr(1, (close == std::wstring::npos ? text.size() : close) - 1);
    } else {
        end = 0;
        while (end < text.size() && !isBlank(text[end])) ++end;
        program = text.substr(0, end);
    }
    while (end < text.size() && isBlank(text[end])) ++end;
    return {program, text.substr(end)};
}

std::wstring throughSysnative(const std::wstring& text, const std::wstring& windowsDirectory) {
    std::wstring folder = windowsDirectory;
    if (folder.empty()) return text;
    if (folder.back() != L'\\') folder += L'\\';
    const std::size_t start = !text.empty() && text.front() == L'"' ? 1 : 0;
    const std::wstring system32 = folder + L"System32\\";
    if (text.size() < start + system32.size() ||
        _wcsnicmp(text.c_str() + start, system32.c_str(), system32.size()) != 0)
        return text;
    return text.substr(0, start) + folder + L"Sysnative\\" + text.substr(start + system32.size());
}

}  // namespace velarion::win32
