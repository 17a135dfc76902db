#pragma once
// One running copy per user session. The first copy records where a later start
// may reach it; a later start finds it, asks it to show its main window (also
// when it is hidden in the notification area) and ends.
//
// Both copies may run at different integrity levels (one started "as
// administrator"), and Windows enforces the difference: a normal copy cannot
// open the elevated copy's objects for full access, its messages to the elevated
// copy's windows are dropped unless let through, and it may not bring another
// process's window to the front. So the named objects are opened with only the
// access a later start needs, the request is a message the first copy lets
// through, and the first copy shows and activates its own window.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/win32/KernelHandles.hpp"

namespace velarion::win32 {

class ShowRequestReceiver;

class SingleInstance {
public:
    // `name` tells the program's objects apart from those of any other program
    // (tests use names of their own).
    explicit SingleInstance(const std::wstring& name = L"Velarion");
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another copy was already running when this one started.
    bool first() const { return first_; }
    // In the first copy: from now on a later start reaches this copy, which
    // then calls `show` and brings `mainWindow` to the front.
    void publish(HWND mainWindow, std::function<void()> show);
    // In a later copy: asks the first copy to show its main window; waits a
    // little while that copy is still creating it. True when the request went out.
    bool showRunning();

    // The message a later start posts to the first copy.
    static UINT showRequestMessage();

private:
    std::wstring name_;
    UniqueKernelHandle mutex_;
    UniqueKernelHandle mapping_;
    UniqueView view_;
    std::unique_ptr<ShowRequestReceiver> receiver_;
    bool first_ = true;
};

}  // namespace velarion::win32
