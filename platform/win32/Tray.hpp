#pragma once
// The window's icon in the notification area: identifier 100, callback
// message 0x8064. Added on the first call, replaced afterwards (the previous
// icon handle destroyed), added again when Explorer restarts, removed with
// the window.

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/win32/Handles.hpp"

namespace velarion::win32 {

inline constexpr UINT TrayIconId = 100;
inline constexpr UINT TrayCallbackMessage = 0x8064;

class Tray {
public:
    Tray() = default;
    Tray(const Tray&) = delete;
    Tray& operator=(const Tray&) = delete;
    ~Tray();

    // The icon belongs to `window`, which from now on also hears of an Explorer
    // restart when this copy runs at a higher integrity level than Explorer.
    void attach(HWND window);
    // Shows `icon` with `tip`; false (and nothing changed) when the shell refused.
    bool set(UniqueIcon icon, const std::wstring& tip);
    // Explorer has restarted: the icon is added again.
    void restore();
    // Removes the icon from the notification area.
    void remove();

    bool shown() const { return added_; }
    HICON icon() const { return icon_.get(); }

    // The event code of a callback message (1 left button up, 2 left double
    // click, 3 right button up or context menu); 0 for messages that are ignored.
    static int eventCode(LPARAM lParam);
    // The message Explorer broadcasts when it has (re)created the taskbar.
    static UINT taskbarCreatedMessage();

private:
    NOTIFYICONDATAW describe(HICON icon, const std::wstring& tip) const;

    HWND window_ = nullptr;
    UniqueIcon icon_;
    std::wstring tip_;
    bool added_ = false;
};

}  // namespace velarion::win32
