// Registry: one text value written, deleted or looked for by its full path.

#include <windows.h>

#include <string>

#include "base/Gbk.hpp"
#include "platform/win32/Encoding.hpp"
#include "platform/win32/KernelHandles.hpp"
#include "platform/win32/Win32System.hpp"

namespace velarion::win32 {
namespace {

HKEY rootKey(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
        case RegistryRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
        case RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
        case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
        case RegistryRoot::Users: return HKEY_USERS;
    }
    return nullptr;
}

struct RegistryPath {
    std::wstring key;    // "" for the root itself
    std::wstring value;
};

// "key\path\valueName" split at its last backslash; the search steps over
// double-byte characters, so a trail byte 0x5C is never taken for one. Without
// a backslash the whole text names a value of the root.
RegistryPath splitRegistryPath(const std::string& fullPath) {
    const std::size_t slash = gbk::findLastAscii(fullPath, '\\');
    if (slash == std::string::npos) return {L"", toWide(fullPath)};
    return {toWide(std::string_view(fullPath).substr(0, slash)),
            toWide(std::string_view(fullPath).substr(slash + 1))};
}

UniqueRegistryKey openForWriting(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_WRITE, &key) == ERROR_SUCCESS)
        return UniqueRegistryKey(key);
    return UniqueRegistryKey();
}

// Opens the key for writing, or creates it, and sets the value as REG_SZ with
// its final zero.
bool writeText(RegistryRoot root, const std::string& fullPath, const std::wstring& data) {
    const HKEY base = rootKey(root);
    if (!base) return false;
    const RegistryPath path = splitRegistryPath(fullPath);
    UniqueRegistryKey key = openForWriting(base, path.key);
    if (!key) {
        HKEY created = nullptr;
        if (RegCreateKeyExW(base, path.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                            nullptr, &created, nullptr) != ERROR_SUCCESS)
            return false;
        key.reset(created);
    }
    const DWORD size = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), path.value.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()), size) == ERROR_SUCCESS;
}

}  // namespace

bool Win32System::writeRegistryText(RegistryRoot root, const std::string& fullPath,
                                    const std::string& text) {
    return writeText(root, fullPath, toWide(text));
}

bool Win32System::writeRegistryProgramPath(RegistryRoot root, const std::string& fullPath) {
    const std::wstring program = programFilePath();
    return !program.empty() && writeText(root, fullPath, L"\"" + program + L"\"");
}

bool Win32System::registryValueExists(RegistryRoot root, const std::string& fullPath) {
    const HKEY base = rootKey(root);
    if (!base) return false;
    const RegistryPath path = splitRegistryPath(fullPath);
    HKEY key = nullptr;
    if (RegOpenKeyExW(base, path.key.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    const UniqueRegistryKey owned(key);
    return RegQueryValueExW(key, path.value.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool Win32System::deleteRegistryItem(RegistryRoot root, const std::string& fullPath) {
    const HKEY base = rootKey(root);
    if (!base || fullPath.empty()) return false;
    const RegistryPath path = splitRegistryPath(fullPath);
    bool deleted = false;
    if (UniqueRegistryKey key = openForWriting(base, path.key))
        deleted = RegDeleteValueW(key.get(), path.value.c_str()) == ERROR_SUCCESS;
    if (deleted) return true;
    // No such value: the full path may name a key instead.
    return RegDeleteKeyW(base, toWide(fullPath).c_str()) == ERROR_SUCCESS;
}

}  // namespace velarion::win32
