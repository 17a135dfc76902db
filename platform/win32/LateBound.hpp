#pragma once
// Functions of system libraries looked up by name when first called, the one
// way the program binds late. Two kinds need it: those it uses only now and then
// (the notification icon, the Open dialog, the About box, opening a document
// through the shell; linked in the usual way, shell32 and comdlg32 would be
// loaded, with all they load, at every start), and those that older systems
// lack (the DPI functions), so that the program still starts there.

#include <windows.h>

namespace velarion::win32 {

// The system library, loaded on first use and kept until the program ends;
// nullptr when it cannot be loaded.
HMODULE systemLibrary(const wchar_t* name);

// The function `name` of the library, or nullptr.
template <typename Function>
Function* lateBound(const wchar_t* library, const char* name) {
    HMODULE module = systemLibrary(library);
    return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

}  // namespace velarion::win32
