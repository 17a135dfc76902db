#pragma once
// One running copy per user session. The first copy records its main window;
// a later start finds it, shows it (also when it is hidden in the notification
// area) and ends.

namespace velarion::win32 {

class SingleInstance {
public:
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another copy was already running when this one started.
    bool first() const { return first_; }
    // Records this copy's main window for later starts.
    void publish(void* mainWindow);
    // Shows the first copy's main window; waits a little while that copy is
    // still creating it. True when a window was found.
    bool showRunning() const;

private:
    void* mutex_ = nullptr;
    void* mapping_ = nullptr;
    void* view_ = nullptr;
    bool first_ = true;
};

}  // namespace velarion::win32
