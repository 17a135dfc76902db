#include "platform/sim/SimWindows.hpp"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "base/Gbk.hpp"
#include "platform/sim/SimSystem.hpp"

namespace velarion {

namespace {

// A notification-area tip holds at most 62 bytes; a double-byte character is
// never cut in half.
std::string clipTip(const std::string& tip) {
    constexpr std::size_t limit = 62;
    std::size_t end = 0;
    while (end < tip.size()) {
        const std::size_t next =
            end + (gbk::isLeadByte(static_cast<unsigned char>(tip[end])) ? 2 : 1);
        if (next > limit) break;
        end = next;
    }
    return tip.substr(0, end);
}

}  // namespace

SimWindows::SimWindows(SimSystem& system) : system_(system) {
    previousHook_ = system_.waitHook;
    // "More than ms have passed": the wait ends one millisecond after the
    // interval, having delivered everything that fell due on the way.
    system_.waitHook = [this](int ms) {
        if (ms > 0) runUntil(now() + ms + 1);
    };
}

SimWindows::~SimWindows() { system_.waitHook = previousHook_; }

long long SimWindows::now() const { return system_.nowMs; }

SimWindow& SimWindows::sim(Window& window) {
    auto* sim = dynamic_cast<SimWindow*>(&window);
    if (!sim) throw std::logic_error("not a window of the stand-in layer");
    return *sim;
}

std::unique_ptr<SimWindow> SimWindows::make(const WindowDecl& decl, const Behaviours& behaviours) {
    const int left = decl.centred ? (screenWidth - decl.rect.width) / 2 : decl.rect.left;
    const int top = decl.centred ? (screenHeight - decl.rect.height) / 2 : decl.rect.top;
    auto window = std::make_unique<SimWindow>(*this, decl, behaviours, left, top);
    live_.push_back(window.get());
    return window;
}

void SimWindows::forget(SimWindow* window) {
    live_.erase(std::remove(live_.begin(), live_.end(), window), live_.end());
    posted_.erase(std::remove_if(posted_.begin(), posted_.end(),
                                 [&](const Posted& p) { return p.window == window; }),
                  posted_.end());
}

Window* SimWindows::load(const WindowDecl& decl, const Behaviours& behaviours) {
    loads_.push_back(decl.name);
    if (failLoads) return nullptr;
    loaded_.push_back(make(decl, behaviours));
    SimWindow* window = loaded_.back().get();
    window->raise("", Event::Created);
    return window;
}

void SimWindows::runModal(const WindowDecl& decl, const Behaviours& behaviours, Window& owner) {
    SimWindow& ownerWindow = sim(owner);
    // Undone whatever happens, so that no dangling window stays registered.
    struct Opening {
        SimWindows& layer;
        SimWindow& owner;
        std::unique_ptr<SimWindow> window;
        ~Opening() {
            --owner.blocked_;
            layer.forget(window.get());
        }
    } opening{*this, ownerWindow, make(decl, behaviours)};
    ++ownerWindow.blocked_;
    SimWindow& dialog = *opening.window;

    SimModalRun run;
    run.window = decl.name;
    const std::size_t runIndex = modalRuns_.size();
    modalRuns_.push_back(run);

    dialog.raise("", Event::Created);
    auto script = std::find_if(scripts_.begin(), scripts_.end(),
                               [&](const auto& s) { return s.first == decl.name; });
    if (script != scripts_.end()) {
        auto body = std::move(script->second);
        scripts_.erase(script);
        modalRuns_[runIndex].scripted = true;
        if (dialog.isOpen()) body(dialog);
    }
    modalRuns_[runIndex].closedByScript = !dialog.isOpen();
    dialog.close();  // Esc, as a user who is done with it would
}

void SimWindows::queueModalScript(const std::string& declarationName,
                                  std::function<void(SimWindow&)> script) {
    scripts_.emplace_back(declarationName, std::move(script));
}

SimWindow* SimWindows::window(const std::string& declarationName) const {
    for (auto it = live_.rbegin(); it != live_.rend(); ++it)
        if ((*it)->name() == declarationName && (*it)->isOpen()) return *it;
    return nullptr;
}

void SimWindows::post(std::function<void()> action, int delayMs) {
    posted_.push_back({now() + std::max(delayMs, 0), nextOrder(), std::move(action)});
}

void SimWindows::postWork(Window& window, std::function<void()> work) {
    posted_.push_back({now(), nextOrder(), std::move(work), &sim(window)});
}

void SimWindows::advance(long long ms) {
    if (ms >= 0) runUntil(now() + ms);
}

int SimWindows::run() {
    while (!posted_.empty()) {
        long long last = now();
        for (const auto& p : posted_) last = std::max(last, p.due);
        runUntil(last);
    }
    return 0;
}

// Delivers, in order of time and then of scheduling, every tick and posted
// action due up to `target`, then leaves the clock at `target`. A handler that
// waits runs a nested round of this loop, which may carry the clock past
// `target`; the clock never goes back.
void SimWindows::runUntil(long long target) {
    for (;;) {
        long long due = std::numeric_limits<long long>::max();
        unsigned long long order = std::numeric_limits<unsigned long long>::max();
        SimWindow* timerWindow = nullptr;
        std::string timerName;
        std::size_t postedIndex = posted_.size();
        for (SimWindow* window : live_) {
            if (!window->isOpen()) continue;
            for (const auto& c : window->components_) {
                if (c.decl.kind != Kind::Timer || c.nextTick < 0) continue;
                if (c.nextTick < due || (c.nextTick == due && c.tickOrder < order)) {
                    due = c.nextTick;
                    order = c.tickOrder;
                    timerWindow = window;
                    timerName = c.decl.name;
                }
            }
        }
        for (std::size_t i = 0; i < posted_.size(); ++i) {
            const auto& p = posted_[i];
            if (p.due < due || (p.due == due && p.order < order)) {
                due = p.due;
                order = p.order;
                postedIndex = i;
                timerWindow = nullptr;
            }
        }
        if (due > target) break;
        if (due > now()) system_.advance(due - now());
        if (timerWindow) {
            // The next tick is due one period on, whatever the handler does meanwhile.
            auto& timer = timerWindow->bag(timerName);
            timer.nextTick = due + timer.interval;
            timer.tickOrder = nextOrder();
            timerWindow->raise(timerName, Event::Tick);
        } else {
            auto action = std::move(posted_[postedIndex].action);
            SimWindow* window = posted_[postedIndex].window;
            posted_.erase(posted_.begin() + static_cast<std::ptrdiff_t>(postedIndex));
            if (!window || window->isOpen()) action();
        }
    }
    if (target > now()) system_.advance(target - now());
}

void SimWindows::setWindowOpacity(Window& window, int alpha) {
    auto& w = sim(window);
    w.layered_ = true;
    w.alpha_ = alpha;
    ++w.opacityCalls_;
}

void SimWindows::setWindowTopmost(Window& window, bool on) {
    auto& w = sim(window);
    w.topmost_ = on;
    ++w.topmostCalls_;
}

void SimWindows::setTrayIcon(Window& window, const std::string& tip) {
    auto& tray = sim(window).tray_;
    if (tray.present)
        ++tray.modifies;
    else
        ++tray.adds;
    tray.present = true;
    tray.tip = clipTip(tip);
}

void SimWindows::setStatusPartText(Window& window, const std::string& statusBar, int index,
                                   const std::string& text) {
    auto& bar = sim(window).bag(statusBar);
    if (bar.decl.kind != Kind::StatusBar)
        throw std::logic_error("'" + statusBar + "' is not a status bar");
    if (index >= 0 && index < static_cast<int>(bar.partTexts.size()))
        bar.partTexts[static_cast<std::size_t>(index)] = text;
}

}  // namespace velarion
