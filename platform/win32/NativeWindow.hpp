#pragma once
// Base of every window whose messages the program handles itself: the one
// window-proc trampoline stores the object at WM_NCCREATE and hands each
// message to handleMessage. The object owns its window: destroying the object
// destroys the window, and a window destroyed first (with its parent) is
// forgotten at WM_NCDESTROY.

#include <windows.h>

#include <string>

#include "platform/win32/Handles.hpp"

namespace velarion::win32 {

class NativeWindow {
public:
    NativeWindow() = default;
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;
    virtual ~NativeWindow();

    HWND handle() const { return hwnd_; }

    // Registers a class served by the trampoline; registering a name again does nothing.
    static void registerClass(const wchar_t* className, HBRUSH background,
                              UINT style = CS_DBLCLKS, HICON icon = nullptr,
                              HICON smallIcon = nullptr);

protected:
    HWND createNative(DWORD exStyle, const wchar_t* className, const std::wstring& title,
                      DWORD style, int x, int y, int width, int height, HWND parent,
                      HMENU menuOrId);
    HWND createNative(DWORD exStyle, const wchar_t* className, const std::wstring& title,
                      DWORD style, const RECT& place, HWND parent, HMENU menuOrId) {
        return createNative(exStyle, className, title, style, place.left, place.top,
                            place.right - place.left, place.bottom - place.top, parent, menuOrId);
    }
    // Destroys the window now (the object stays).
    void destroyNative();

    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT defaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }

    // Answers WM_PAINT by calling paint(dc, clientRect).
    template <typename Paint>
    LRESULT paintClient(Paint&& paint) {
        PaintScope scope(hwnd_);
        RECT client{};
        GetClientRect(hwnd_, &client);
        paint(scope.dc(), client);
        return 0;
    }

    // Hands the notifications that a container's children send to their parent
    // on to the top-level window, where the components are known. True when
    // the message was one of them.
    bool forwardToRoot(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static LRESULT CALLBACK trampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

}  // namespace velarion::win32
