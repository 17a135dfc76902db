#include "platform/win32/LateBound.hpp"

#include <map>
#include <string>

#include "platform/win32/KernelHandles.hpp"

namespace velarion::win32 {

HMODULE systemLibrary(const wchar_t* name) {
    // The UI thread is the only caller.
    static std::map<std::wstring, UniqueLibrary> loaded;
    UniqueLibrary& module = loaded[name];
    if (!module) module.reset(LoadLibraryW(name));
    return module.get();
}

}  // namespace velarion::win32
