// The floor for "start to visible window" on this platform: a program built
// with the same toolchain and flags that registers a class, creates one
// 343 x 314 window, shows it and runs its message loop.

#include <windows.h>

#include "platform/win32/StartMarks.hpp"

namespace marks = velarion::win32::startmarks;

namespace {

LRESULT CALLBACK baselineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    marks::mark("entered");
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = baselineProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"VelarionBaseline";
    if (!RegisterClassExW(&windowClass)) return 1;
    marks::mark("class");

    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Baseline", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 343, 314, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return 1;
    marks::mark("window");
    ShowWindow(window, SW_SHOW);
    marks::mark("shown");
    UpdateWindow(window);
    marks::mark("painted");
    marks::writeIfAsked();

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
