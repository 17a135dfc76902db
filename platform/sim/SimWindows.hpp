#pragma once
// The stand-in window layer for tests. Windows are property bags made from
// their declarations; a test drives user actions on them (SimWindow) and
// virtual time here. Time is SimSystem's clock: advance() moves it and fires
// the timers that fall due, in order; waitWithEvents inside a handler does the
// same, so timer ticks and posted actions run nested in the wait, always in
// the same order. A modal window runs the script a test queued for its
// declaration and is closed afterwards if the script left it open.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/WindowLayer.hpp"
#include "platform/sim/SimWindow.hpp"

namespace velarion {

class SimSystem;

struct SimModalRun {
    std::string window;           // the declaration's name
    bool scripted = false;        // a script was queued for this opening
    bool closedByScript = false;  // closed while open (by behaviour or the script's actions);
                                  // false: the stand-in closed it afterwards, as Esc would
};

struct SimEventRecord {
    std::string window;  // the declaration's name
    std::string source;  // component, "" for the window
    Event event;
    bool handled = false;  // a behaviour was bound and given
};

class SimWindows final : public WindowLayer {
public:
    explicit SimWindows(SimSystem& system);
    ~SimWindows() override;
    SimWindows(const SimWindows&) = delete;
    SimWindows& operator=(const SimWindows&) = delete;

    // WindowLayer
    Window* load(const WindowDecl& decl, const Behaviours& behaviours) override;
    void runModal(const WindowDecl& decl, const Behaviours& behaviours, Window& owner) override;
    // Delivers the posted actions (and the ticks that fall due meanwhile), then returns 0.
    int run() override;
    // Posted now, as post(work) is; dropped if the window has closed by its turn.
    void postWork(Window& window, std::function<void()> work) override;
    void setWindowOpacity(Window& window, int alpha) override;
    void setWindowTopmost(Window& window, bool on) override;
    void setTrayIcon(Window& window, const std::string& tip) override;
    void setStatusPartText(Window& window, const std::string& statusBar, int index,
                           const std::string& text) override;

    // For tests.
    // The open window made from the declaration of that name (the latest one), or nullptr.
    SimWindow* window(const std::string& declarationName) const;
    // The next modal opening of that declaration runs `script`; scripts queue up in order.
    void queueModalScript(const std::string& declarationName,
                          std::function<void(SimWindow&)> script);
    // An action (a user action, usually) delivered `delayMs` from now by the next
    // wait or advance that reaches it.
    void post(std::function<void()> action, int delayMs = 0);
    // Moves virtual time on by `ms`, firing due ticks and posted actions in order;
    // advance(0) delivers what is due now, as the message loop would next.
    void advance(long long ms);
    long long now() const;
    SimSystem& system() { return system_; }

    const std::vector<std::string>& loads() const { return loads_; }
    const std::vector<SimModalRun>& modalRuns() const { return modalRuns_; }
    const std::vector<SimEventRecord>& events() const { return events_; }

    bool failLoads = false;  // load answers nullptr, as when a window cannot be made
    // Copies made past this many are refused (copyComponent answers ""), as when the
    // system makes no more windows for the process; -1: no limit.
    int copiesAllowed = -1;
    int screenWidth = 1024;
    int screenHeight = 768;

private:
    friend class SimWindow;

    struct Posted {
        long long due;
        unsigned long long order;
        std::function<void()> action;
        SimWindow* window = nullptr;  // postWork's window
    };

    std::unique_ptr<SimWindow> make(const WindowDecl& decl, const Behaviours& behaviours);
    void forget(SimWindow* window);
    void runUntil(long long target);
    unsigned long long nextOrder() { return ++order_; }
    void record(SimEventRecord event) { events_.push_back(std::move(event)); }
    static SimWindow& sim(Window& window);

    SimSystem& system_;
    std::function<void(int)> previousHook_;
    std::vector<std::unique_ptr<SimWindow>> loaded_;  // alive as long as the layer
    std::vector<SimWindow*> live_;                    // loaded and modal, in order of making
    std::vector<std::pair<std::string, std::function<void(SimWindow&)>>> scripts_;
    std::vector<Posted> posted_;
    unsigned long long order_ = 0;

    std::vector<std::string> loads_;
    std::vector<SimModalRun> modalRuns_;
    std::vector<SimEventRecord> events_;
};

}  // namespace velarion
