#pragma once
// Owning wrappers for the kernel, registry, search, view and module handles that
// the system services open.

#include <windows.h>

#include "platform/win32/Handles.hpp"

namespace velarion::win32 {

struct KernelHandleTraits {
    using Type = HANDLE;
    static void close(HANDLE handle) { CloseHandle(handle); }
};
struct RegistryKeyTraits {
    using Type = HKEY;
    static void close(HKEY key) { RegCloseKey(key); }
};
struct FindTraits {
    using Type = HANDLE;
    static void close(HANDLE search) { FindClose(search); }
};
struct ViewTraits {
    using Type = void*;
    static void close(void* view) { UnmapViewOfFile(view); }
};
struct LibraryTraits {
    using Type = HMODULE;
    static void close(HMODULE module) { FreeLibrary(module); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
using UniqueLibrary = UniqueHandle<LibraryTraits>;
using UniqueView = UniqueHandle<ViewTraits>;  // a mapped view of a file mapping

// CreateFileW and FindFirstFileW report failure as INVALID_HANDLE_VALUE; the
// wrappers hold nothing then.
inline HANDLE validOrNull(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

}  // namespace velarion::win32
