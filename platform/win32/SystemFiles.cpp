// Files and directories: the Windows directory, the program's own path, the
// current directory, and whole-file reads and atomic replacements for the INI engine.

#include <windows.h>

#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "platform/win32/Encoding.hpp"
#include "platform/win32/KernelHandles.hpp"
#include "platform/win32/Win32System.hpp"

namespace velarion::win32 {
namespace {

// A path split after its last separator: the folder keeps the separator ("" for
// a bare name), the name is the rest. Split in UTF-16, where a backslash is never
// part of another character.
std::pair<std::wstring, std::wstring> splitFolder(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {L"", path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// A buffer-filling call of the GetModuleFileNameW kind, retried with a larger
// buffer while the result does not fit.
template <typename Fill>
std::wstring fillGrowing(Fill fill) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (int tries = 0; tries < 8; ++tries) {
        const DWORD n = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return buffer.substr(0, n);
        buffer.assign(buffer.size() * 2 > n ? buffer.size() * 2 : n + 1, L'\0');
    }
    return {};
}

// A number in decimal digits (not std::to_wstring: that brings the wide printf
// into the program for three file names).
std::wstring decimal(unsigned long long value) {
    wchar_t digits[24];
    wchar_t* first = digits + 24;
    do {
        *--first = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value);
    return std::wstring(first, digits + 24);
}

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t chunk = bytes.size() > (1u << 30) ? (1u << 30) : bytes.size();
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), static_cast<DWORD>(chunk), &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// Temporary files left behind by a write that was cut short. One still being
// written by another process is open without delete sharing and stays.
void removeStaleTemporaries(const std::wstring& folder, const std::wstring& name) {
    const std::wstring pattern = folder + name + ReplaceTempMarker + L"*.tmp";
    WIN32_FIND_DATAW found{};
    UniqueFind search(validOrNull(FindFirstFileW(pattern.c_str(), &found)));
    if (!search) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search.get(), &found));
}

// A new temporary file next to the target, holding the pieces one after another,
// flushed to the disk. Returns its path, or "" when it could not be made.
std::wstring writeTemporary(const std::wstring& folder, const std::wstring& name,
                            std::span<const std::string_view> pieces) {
    static unsigned counter = 0;
    for (int tries = 0; tries < 16; ++tries) {
        const std::wstring temp = folder + name + ReplaceTempMarker +
                                  decimal(GetCurrentProcessId()) + L"-" + decimal(GetTickCount64()) + L"-" +
                                  decimal(++counter) + L".tmp";
        UniqueKernelHandle file(validOrNull(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr,
                                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)));
        if (!file) {
            if (GetLastError() == ERROR_FILE_EXISTS) continue;
            return {};
        }
        bool stored = true;
        for (const std::string_view piece : pieces) stored = stored && writeAll(file.get(), piece);
        stored = stored && FlushFileBuffers(file.get());
        file.reset();
        if (stored) return temp;
        DeleteFileW(temp.c_str());
        return {};
    }
    return {};
}

// Another program may hold the file open for a moment: an editor saving it, a
// backup tool, a virus scanner taking a look. Without read sharing, opening the
// file then fails with a sharing violation; without delete sharing, a rename
// over it fails with access denied. Careful writers try such a call again for a
// short while before they give up; so do we, long enough for a brief look and
// short enough for the window to keep answering. Then it fails as before, and
// nothing stored is lost. (An open refused with access denied is a folder or a
// file we may not read: that does not pass, and is not waited for.)
constexpr ULONGLONG InUseRetryMs = 800;
constexpr DWORD InUseStepMs = 20;

enum class InUseMeans { SharingOnly, SharingOrAccessDenied };

bool inUse(DWORD error, InUseMeans means) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           (means == InUseMeans::SharingOrAccessDenied && error == ERROR_ACCESS_DENIED);
}

// Calls `attempt` until it succeeds, fails for another reason than the file
// being in use, or the time is up. The last error is the last attempt's.
template <typename Attempt>
bool retryWhileInUse(InUseMeans means, Attempt attempt) {
    const ULONGLONG end = GetTickCount64() + InUseRetryMs;
    for (;;) {
        if (attempt()) return true;
        const DWORD error = GetLastError();
        if (!inUse(error, means) || GetTickCount64() >= end) {
            SetLastError(error);
            return false;
        }
        Sleep(InUseStepMs);
    }
}

}  // namespace

std::string Win32System::windowsDirectory() {
    std::wstring directory = fillGrowing(
        [](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); });
    if (directory.empty()) return {};
    if (directory.back() != L'\\') directory += L'\\';
    return toGbk(directory);
}

std::wstring programFilePath() {
    return fillGrowing([](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
}

namespace {

// The program's folder (no trailing backslash; "" when the path has none) and file name.
std::pair<std::wstring, std::wstring> programFolderAndName() {
    const std::wstring path = programFilePath();
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return {L"", path};
    return {path.substr(0, slash), path.substr(slash + 1)};
}

}  // namespace

ExecutablePath Win32System::executablePath() {
    const auto [folder, name] = programFolderAndName();
    return {toGbk(folder), toGbk(name)};
}

bool Win32System::setCurrentDirectory(const std::string& directory) {
    const std::wstring wide = toWide(directory);
    return !wide.empty() && SetCurrentDirectoryW(wide.c_str());
}

bool Win32System::enterProgramFolder() {
    const std::wstring folder = programFolderAndName().first;
    return !folder.empty() && SetCurrentDirectoryW(folder.c_str());
}

namespace {

// Bytes read into the program's own memory.
class ReadBytes final : public FileKeeper {
public:
    std::string bytes;
};

// A read-only view of a whole file.
class MappedBytes final : public FileKeeper {
public:
    UniqueView view;
};

// From this size on a file is read through a view of it rather than copied: its
// pages are in the system's file cache already, a view shows them where they are,
// while a copy costs fresh memory, and fresh memory a page fault for every 4 KB
// (64 MB take a quarter of a second on a slow machine before a byte is copied).
// A small file is read faster than it is mapped.
constexpr LONGLONG MapFrom = 1 << 20;

FileContents mapped(HANDLE file, std::size_t size) {
    UniqueKernelHandle mapping(CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping) return {FileReadStatus::Failed, {}, nullptr};
    auto keeper = std::make_unique<MappedBytes>();
    keeper->view.reset(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, size));
    if (!keeper->view) return {FileReadStatus::Failed, {}, nullptr};
    const std::string_view bytes(static_cast<const char*>(keeper->view.get()), size);
    return {FileReadStatus::Ok, bytes, std::move(keeper)};
}

FileContents readInto(HANDLE file, std::size_t size) {
    auto keeper = std::make_unique<ReadBytes>();
    std::string& bytes = keeper->bytes;
    bytes.resize(size);
    // The file is read into a text of its size; what it grew by meanwhile arrives in a
    // small buffer and is appended (growing the text itself to look for more would
    // copy it whole into one twice its size).
    std::size_t done = 0;
    char more[4096];
    for (;;) {
        const bool inPlace = done < bytes.size();
        DWORD read = 0;
        if (!ReadFile(file, inPlace ? bytes.data() + done : more,
                      inPlace ? static_cast<DWORD>(bytes.size() - done) : DWORD{sizeof more}, &read, nullptr))
            return {FileReadStatus::Failed, {}, nullptr};
        if (read == 0) break;
        if (!inPlace) bytes.append(more, read);
        done += read;
    }
    bytes.resize(done);
    return {FileReadStatus::Ok, bytes, std::move(keeper)};
}

}  // namespace

FileContents Win32System::readWholeFile(const std::string& path) {
    const std::wstring wide = toWide(path);
    if (wide.empty()) return {FileReadStatus::Missing, {}, nullptr};
    UniqueKernelHandle file;
    retryWhileInUse(InUseMeans::SharingOnly, [&] {
        file.reset(validOrNull(CreateFileW(wide.c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
        return static_cast<bool>(file);
    });
    if (!file) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? FileReadStatus::Missing : FileReadStatus::Failed, {}, nullptr};
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x40000000) return {FileReadStatus::Failed, {}, nullptr};
    const auto bytes = static_cast<std::size_t>(size.QuadPart);
    if (size.QuadPart >= MapFrom) {
        // Where the file cannot be mapped (it shrank meanwhile, say) it is read.
        FileContents view = mapped(file.get(), bytes);
        if (view.status == FileReadStatus::Ok) return view;
    }
    return readInto(file.get(), bytes);
}

// The new content goes to a temporary file in the same folder, is flushed, and
// then takes the file's place in one step: a rename over the old name
// (MoveFileExW with MOVEFILE_REPLACE_EXISTING), which the file system does at
// once. ReplaceFileW is not used: it may move the old file out of the way first
// and the new one in afterwards (Wine does), and a crash between the two leaves
// no file at all. The old file's attributes are given to the new one; its
// security is the folder's, as for any file made there. Whatever happens, the
// file holds either its old or its new content.
bool Win32System::replaceFileWith(const std::string& path, std::span<const std::string_view> pieces,
                                  FileContents source) {
    const std::wstring target = toWide(path);
    if (target.empty()) return false;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // A folder of that name or a write-protected file is not ours to replace.
    if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) return false;

    const auto [folder, name] = splitFolder(target);
    if (name.empty()) return false;
    // Leftovers can only come from an earlier process (a failed write of this one
    // removes its own), so one look per file and process is enough.
    if (swept_.insert(folder + name).second) removeStaleTemporaries(folder, name);
    const std::wstring temp = writeTemporary(folder, name, pieces);
    // A file that is mapped cannot be replaced: the view of the old content goes first.
    source = {};
    if (temp.empty()) return false;

    constexpr DWORD Kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                           FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (exists && (attributes & Kept)) SetFileAttributesW(temp.c_str(), attributes & Kept);
    const bool replaced = retryWhileInUse(InUseMeans::SharingOrAccessDenied, [&] {
        return MoveFileExW(temp.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    });
    if (!replaced) DeleteFileW(temp.c_str());
    return replaced;
}

}  // namespace velarion::win32
