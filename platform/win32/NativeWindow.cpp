#include "platform/win32/NativeWindow.hpp"

#include "platform/win32/LateBound.hpp"

namespace velarion::win32 {
namespace {

// A per-monitor (v1) program's caption and menu bar keep the size of the first
// monitor unless the window asks, while it is being created, to have them
// rescaled (Windows 10 1607; per-monitor v2 does it by itself, earlier systems
// cannot).
void askForNonClientScaling(HWND window, const CREATESTRUCTW& create) {
    if (create.style & WS_CHILD) return;
    using Enable = BOOL WINAPI(HWND);
    static const auto enable = lateBound<Enable>(L"user32.dll", "EnableNonClientDpiScaling");
    if (enable) enable(window);
}

}  // namespace

NativeWindow::~NativeWindow() { destroyNative(); }

void NativeWindow::registerClass(const wchar_t* className, HBRUSH background, UINT style,
                                 HICON icon, HICON smallIcon) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, className, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &NativeWindow::trampoline;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
}

HWND NativeWindow::createNative(DWORD exStyle, const wchar_t* className, const std::wstring& title,
                                DWORD style, int x, int y, int width, int height, HWND parent,
                                HMENU menuOrId) {
    destroyNative();
    CreateWindowExW(exStyle, className, title.c_str(), style, x, y, width, height, parent,
                    menuOrId, GetModuleHandleW(nullptr), this);
    return hwnd_;
}

void NativeWindow::destroyNative() {
    if (hwnd_) DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
    hwnd_ = nullptr;
}

LRESULT NativeWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return defaultProc(message, wParam, lParam);
}

bool NativeWindow::forwardToRoot(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam == 0) return false;  // the window's own scroll bar
        break;
    default:
        return false;
    }
    HWND root = GetAncestor(hwnd_, GA_ROOT);
    if (!root || root == hwnd_) return false;
    result = SendMessageW(root, message, wParam, lParam);
    return true;
}

LRESULT CALLBACK NativeWindow::trampoline(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
    NativeWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        self = static_cast<NativeWindow*>(create->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (self) self->hwnd_ = window;
        askForNonClientScaling(window, *create);
    } else {
        self = reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = self->handleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace velarion::win32
