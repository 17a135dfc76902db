#include "platform/win32/Win32WindowLayer.hpp"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "assets/resource.h"
#include "platform/win32/Dpi.hpp"
#include "platform/win32/Encoding.hpp"
#include "platform/win32/EntryKeys.hpp"
#include "platform/win32/LateBound.hpp"
#include "platform/win32/StartMarks.hpp"
#include "platform/win32/StatusBar.hpp"
#include "platform/win32/Win32Window.hpp"

namespace velarion::win32 {
namespace {

constexpr wchar_t User32[] = L"user32.dll";

Win32Window* asWin32(Window& window) { return dynamic_cast<Win32Window*>(&window); }

bool isLayerWindow(HWND window) {
    wchar_t name[32] = {};
    return window && GetClassNameW(window, name, 32) && wcscmp(name, WindowClassName) == 0;
}

}  // namespace

Win32WindowLayer::Win32WindowLayer(System& system, UnknownComponent onUnknown)
    : system_(system), onUnknown_(std::move(onUnknown)) {
    enablePerMonitorDpiAwareness();
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

Win32WindowLayer::~Win32WindowLayer() {
    // Owned windows before their owners.
    while (!windows_.empty()) windows_.pop_back();
}

Window* Win32WindowLayer::load(const WindowDecl& decl, const Behaviours& behaviours) {
    auto window = std::make_unique<Win32Window>(*this, decl, behaviours);
    if (!window->create(nullptr)) return nullptr;
    Win32Window* raw = window.get();
    windows_.push_back(std::move(window));
    raw->raiseCreated();
    startmarks::mark("filled");
    raw->show();
    startmarks::writeIfAsked();
    return raw;
}

void Win32WindowLayer::runModal(const WindowDecl& decl, const Behaviours& behaviours,
                                Window& owner) {
    HWND ownerHandle = static_cast<HWND>(owner.nativeHandle());
    WindowDecl modalDecl = decl;
    modalDecl.modal = true;
    auto dialog = std::make_unique<Win32Window>(*this, modalDecl, behaviours);
    if (!dialog->create(ownerHandle)) return;
    // The owner takes no input while the dialog is open.
    const bool ownerWasEnabled = ownerHandle && IsWindowEnabled(ownerHandle);
    if (ownerWasEnabled) {
        EnableWindow(ownerHandle, FALSE);
        dialog->setDisabledOwner(ownerHandle);
    }
    dialog->raiseCreated();
    dialog->show();
    MSG message;
    while (!dialog->closing()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
            break;
        }
        if (got < 0) break;
        dispatch(message);
    }
    // The owner is enabled again before the dialog goes, so it gets the activation back.
    if (ownerWasEnabled) EnableWindow(ownerHandle, TRUE);
    if (ownerHandle && IsWindowVisible(ownerHandle)) SetActiveWindow(ownerHandle);
    dialog.reset();
}

int Win32WindowLayer::run() {
    running_ = true;
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got < 0) break;
        dispatch(message);
    }
    running_ = false;
    return got < 0 ? 1 : static_cast<int>(message.wParam);
}

void Win32WindowLayer::postWork(Window& window, std::function<void()> work) {
    if (auto* w = asWin32(window)) w->postWork(std::move(work));
}

void Win32WindowLayer::dispatch(MSG& message) {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (isLayerWindow(root) && (handleEntryKey(message) || IsDialogMessageW(root, &message))) {
        followKeyboardFocus(root, message);
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void Win32WindowLayer::windowDestroyed(Win32Window& window) {
    if (!running_) return;
    const bool anyLeft = std::any_of(windows_.begin(), windows_.end(), [&](const auto& w) {
        return w.get() != &window && w->hwnd() != nullptr && !w->closing();
    });
    if (!anyLeft) PostQuitMessage(0);
}

// ---------------------------------------------------------------- window services

void Win32WindowLayer::setWindowOpacity(Window& window, int alpha) {
    HWND handle = static_cast<HWND>(window.nativeHandle());
    if (!handle) return;
    // Looked up at run time, not bound when the program loads. A 64-bit user32
    // exports the style functions under their pointer-sized names; in 32 bits
    // LONG_PTR is LONG and the plain names are the same functions.
    constexpr bool wide = sizeof(LONG_PTR) == 8;
    using GetLong = LONG_PTR WINAPI(HWND, int);
    using SetLong = LONG_PTR WINAPI(HWND, int, LONG_PTR);
    using SetLayered = BOOL WINAPI(HWND, COLORREF, BYTE, DWORD);
    const auto getLong = lateBound<GetLong>(User32, wide ? "GetWindowLongPtrW" : "GetWindowLongW");
    const auto setLong = lateBound<SetLong>(User32, wide ? "SetWindowLongPtrW" : "SetWindowLongW");
    const auto setLayered = lateBound<SetLayered>(User32, "SetLayeredWindowAttributes");
    if (!getLong || !setLong || !setLayered) return;
    const auto style = getLong(handle, GWL_EXSTYLE);
    // An opaque window stays an ordinary one: layered, it would be drawn off the
    // screen first and copied, for the same look (and the start pays a round trip
    // to the server for it when the stored opacity is full).
    if (!(style & WS_EX_LAYERED) && alpha >= 255) return;
    if (!(style & WS_EX_LAYERED)) setLong(handle, GWL_EXSTYLE, style | WS_EX_LAYERED);
    // Brought into the range an alpha has, rather than keeping its low byte.
    setLayered(handle, 0, static_cast<BYTE>(std::clamp(alpha, 0, 255)), LWA_ALPHA);
}

void Win32WindowLayer::setWindowTopmost(Window& window, bool on) {
    if (auto* w = asWin32(window)) w->setTopmost(on);
}

void Win32WindowLayer::setTrayIcon(Window& window, const std::string& tip) {
    auto* w = asWin32(window);
    if (!w || !w->hwnd()) return;
    // A new icon handle each time; the tray destroys the one it replaces.
    const int dpi = dpiOfWindow(w->hwnd());
    UniqueIcon icon(static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VELARION), IMAGE_ICON,
        systemMetricForDpi(SM_CXSMICON, dpi), systemMetricForDpi(SM_CYSMICON, dpi), 0)));
    if (!icon) icon.reset(CopyIcon(LoadIconW(nullptr, MAKEINTRESOURCEW(32512))));  // IDI_APPLICATION
    w->tray().set(std::move(icon), toWide(tip));
}

void Win32WindowLayer::setStatusPartText(Window& window, const std::string& statusBar, int index,
                                         const std::string& text) {
    auto* w = asWin32(window);
    if (!w) return;
    if (StatusBar* bar = w->statusBar(statusBar)) bar->setPartText(index, text);
}

}  // namespace velarion::win32
