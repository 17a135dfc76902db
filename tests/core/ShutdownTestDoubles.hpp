#pragma once
// A shutdown page in miniature: a clock under the test's control, a one-second
// timer on that clock, fields that are plain values, and one log of everything
// the scheduler did, in order.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/ShutdownScheduler.hpp"

namespace velarion::fakes {

inline const std::string Beep = "beep";
inline const std::string Wait1000 = "wait 1000";
inline const std::string PowerOff = "power off, forced";
inline std::string status(std::string_view text) { return "status " + std::string(text); }
inline std::string remainingStatus(std::string_view seconds) {
    return status(std::string(StatusRemainingPrefix) + std::string(seconds) +
                  std::string(StatusRemainingSuffix));
}

// Virtual time. waitWithEvents moves the clock and runs whatever falls due inside
// the wait: timer ticks and queued actions, possibly nesting.
class FakeSystem : public System {
public:
    std::vector<std::string> log;
    bool shutdownAccepted = false;
    int shutdownRequests = 0;

    // The wall clock now reads this; timers and queued actions keep their distance.
    void setClock(int year, int month, int day, int hour, int minute, int second) {
        date_ = {year, month, day, 0, 0, 0};
        clockBaseMs_ = nowMs_ - (hour * 3600LL + minute * 60LL + second) * 1000;
    }
    void setClock(int hour, int minute, int second) { setClock(2024, 5, 17, hour, minute, second); }

    void startTimer(std::function<void()> onTick) {
        onTick_ = std::move(onTick);
        timerDue_ = nowMs_ + TickPeriodMs;
    }
    void stopTimer() { onTick_ = nullptr; }
    // Runs `action` once `afterMs` have passed from now.
    void after(long long afterMs, std::function<void()> action) {
        actions_.emplace(nowMs_ + afterMs, std::move(action));
    }

    void advance(long long ms) {
        const long long until = nowMs_ + ms;
        for (;;) {
            const bool timerDue = onTick_ && timerDue_ <= until;
            const bool actionDue = !actions_.empty() && actions_.begin()->first <= until;
            if (!timerDue && !actionDue) break;
            if (actionDue && (!timerDue || actions_.begin()->first <= timerDue_)) {
                auto node = actions_.extract(actions_.begin());
                nowMs_ = std::max(nowMs_, node.key());
                node.mapped()();
            } else {
                nowMs_ = std::max(nowMs_, timerDue_);
                timerDue_ = nowMs_ + TickPeriodMs;
                auto onTick = onTick_;
                onTick();
            }
        }
        nowMs_ = std::max(nowMs_, until);
    }

    LocalClock readLocalClock() override {
        LocalClock clock = date_;
        const long long seconds = (nowMs_ - clockBaseMs_) / 1000;
        for (long long day = 0; day < seconds / 86400; ++day) nextDay(clock);
        const long long inDay = seconds % 86400;
        clock.hour = int(inDay / 3600), clock.minute = int(inDay / 60 % 60), clock.second = int(inDay % 60);
        return clock;
    }
    void waitWithEvents(int milliseconds) override {
        log.push_back("wait " + std::to_string(milliseconds));
        advance(milliseconds);
    }
    void soundBeep() override { log.push_back(Beep); }
    bool shutDownSystem(int mode, bool force) override {
        ++shutdownRequests;
        log.push_back(mode == ShutdownPowerOff && force ? PowerOff : "other shutdown");
        return shutdownAccepted;
    }

    // Not used by the scheduler.
    std::string windowsDirectory() override { return {}; }
    ExecutablePath executablePath() override { return {}; }
    bool setCurrentDirectory(const std::string&) override { return false; }
    bool enterProgramFolder() override { return false; }
    FileContents readWholeFile(const std::string&) override { return {}; }
    bool replaceFileWith(const std::string&, std::span<const std::string_view>, FileContents) override { return false; }
    bool writeRegistryText(RegistryRoot, const std::string&, const std::string&) override { return false; }
    bool deleteRegistryItem(RegistryRoot, const std::string&) override { return false; }
    bool registryValueExists(RegistryRoot, const std::string&) override { return false; }
    bool writeRegistryProgramPath(RegistryRoot, const std::string&) override { return false; }
    bool runProgram(const std::string&) override { return false; }
    int showMessageBox(const std::string&, unsigned, const std::string&) override { return 0; }
    bool openFileDialog(const std::string&, unsigned, std::string&) override { return false; }
    void showAboutBox(const std::string&, const std::string&) override {}

private:
    static void nextDay(LocalClock& date) {
        const bool leap = date.year % 4 == 0 && (date.year % 100 != 0 || date.year % 400 == 0);
        const int lengths[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        if (++date.day <= lengths[date.month - 1]) return;
        date.day = 1;
        if (++date.month <= 12) return;
        date.month = 1;
        ++date.year;
    }

    LocalClock date_{2024, 5, 17, 0, 0, 0};
    long long clockBaseMs_ = 0;  // virtual time at which date_ began
    long long nowMs_ = 0;
    std::function<void()> onTick_;
    long long timerDue_ = 0;
    std::multimap<long long, std::function<void()>> actions_;
};

// The page: its fields, its timer driving `tick`, and its button.
class FakePage : public ShutdownFields {
public:
    FakeSystem system;
    ShutdownScheduler scheduler{system};

    ShutdownMode modeValue = ShutdownMode::ClockTime;
    std::string hour, minute, second, remaining;
    std::string statusValue{StatusNoTask};
    bool tickingOn = false, armedLookOn = false;
    // Off: ticks come only from the test calling tickNow.
    bool timerConnected = true;

    ShutdownMode mode() const override { return modeValue; }
    std::string hourText() const override { return hour; }
    std::string minuteText() const override { return minute; }
    std::string secondText() const override { return second; }
    std::string remainingText() const override { return remaining; }
    void setRemainingText(const std::string& text) override { remaining = text; }
    void setStatusText(const std::string& text) override {
        statusValue = text;
        system.log.push_back(status(text));
    }
    bool ticking() const override { return tickingOn; }
    void setTicking(bool on) override {
        if (timerConnected && on && !tickingOn) system.startTimer([this] { scheduler.tick(*this); });
        if (!on) system.stopTimer();
        tickingOn = on;
    }
    bool armedLook() const override { return armedLookOn; }
    void setArmedLook(bool on) override { armedLookOn = on; }

    void clockTarget(std::string h, std::string m, std::string s) {
        modeValue = ShutdownMode::ClockTime;
        hour = std::move(h), minute = std::move(m), second = std::move(s);
    }
    void countdownFrom(std::string seconds) {
        modeValue = ShutdownMode::Countdown;
        remaining = std::move(seconds);
    }
    // The button: "停止" stops, "确定" validates and arms. Returns the refusal, if any.
    std::optional<std::string> press() {
        if (armedLookOn) {
            scheduler.stop(*this);
            return std::nullopt;
        }
        auto refusal = scheduler.validateTask(*this);
        if (!refusal) scheduler.arm(*this);
        return refusal;
    }
    void tickNow() { scheduler.tick(*this); }
    void tickAt(int h, int m, int s) {
        system.setClock(h, m, s);
        tickNow();
    }
};

}  // namespace velarion::fakes
