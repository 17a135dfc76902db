#include "platform/win32/Tray.hpp"

#include <shellapi.h>

#include <cwchar>

#include "platform/win32/LateBound.hpp"
#include "platform/win32/MessageFilter.hpp"
#include "platform/WindowLayer.hpp"

namespace velarion::win32 {
namespace {

BOOL notifyIcon(DWORD operation, NOTIFYICONDATAW* data) {
    static const auto call = lateBound<decltype(Shell_NotifyIconW)>(L"shell32.dll", "Shell_NotifyIconW");
    return call && call(operation, data);
}

}  // namespace

Tray::~Tray() { remove(); }

void Tray::attach(HWND window) {
    window_ = window;
    // Explorer runs at medium integrity; an elevated copy's window would not get
    // its TaskbarCreated broadcast, and the icon would be gone after a restart.
    allowFromLowerIntegrity(window, taskbarCreatedMessage());
}

NOTIFYICONDATAW Tray::describe(HICON icon, const std::wstring& tip) const {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;  // the first version's fields are all it uses
    data.hWnd = window_;
    data.uID = TrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = TrayCallbackMessage;
    data.hIcon = icon;
    // The first version's tip holds 63 characters and the terminating zero.
    wcsncpy(data.szTip, tip.c_str(), 63);
    data.szTip[63] = L'\0';
    return data;
}

bool Tray::set(UniqueIcon icon, const std::wstring& tip) {
    if (!window_ || !icon) return false;
    NOTIFYICONDATAW data = describe(icon.get(), tip);
    bool ok = added_ && notifyIcon(NIM_MODIFY, &data);
    // The first call adds; so does a later one whose entry the shell has lost.
    if (!ok) ok = notifyIcon(NIM_ADD, &data);
    if (!ok) return false;
    added_ = true;
    icon_ = std::move(icon);  // destroys the previous icon
    tip_ = tip;
    return true;
}

void Tray::restore() {
    if (!added_ || !window_) return;
    NOTIFYICONDATAW data = describe(icon_.get(), tip_);
    notifyIcon(NIM_ADD, &data);
}

void Tray::remove() {
    if (!added_ || !window_) return;
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window_;
    data.uID = TrayIconId;
    notifyIcon(NIM_DELETE, &data);
    added_ = false;
}

int Tray::eventCode(LPARAM lParam) {
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONUP:
        return TrayLeftButtonUp;
    case WM_LBUTTONDBLCLK:
        return TrayLeftDoubleClick;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
        return TrayRightButtonUp;
    default:
        return 0;
    }
}

UINT Tray::taskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

}  // namespace velarion::win32
