// Brings the running program to one of its views for a screenshot, then ends:
//   e2e_show.exe <folder 0-4>   opens that folder of the folder bar
//   e2e_show.exe add            opens the add dialog from the menu
//   e2e_show.exe close          closes the add dialog again
// Exit code 0 when the program's main window was found.

#include "Inspector.hpp"

#include <cstdlib>
#include <cwchar>
#include <string>

int main(int argc, char** argv) {
    using namespace velarion::e2e;
    HWND main = nullptr;
    waitUntil([&] {
        HWND w = nullptr;
        while ((w = FindWindowExW(nullptr, w, L"VelarionWindow", nullptr))) {
            wchar_t title[16] = {};
            GetWindowTextW(w, title, 16);
            if (std::wcsncmp(title, L"Velarion", 8) == 0) main = w;
        }
        return main != nullptr;
    }, 20000);
    if (!main || argc < 2) return 1;

    const std::string what = argv[1];
    if (what == "add") {
        chooseMenu(main, 0, 0);
    } else if (what == "close") {
        if (HWND dialog = FindWindowW(L"VelarionWindow", L"添加应用"))
            PostMessageW(dialog, WM_CLOSE, 0, 0);
    } else {
        HWND bar = childrenOfClass(main, L"VelarionFolderBar").at(0);
        postKey(bar, VK_HOME);
        for (int i = 0; i < std::atoi(what.c_str()); ++i) postKey(bar, VK_DOWN);
    }
    return 0;
}
