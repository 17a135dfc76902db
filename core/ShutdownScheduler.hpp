#pragma once
// The timed shutdown: at a clock time or after a number of seconds. The mode,
// the entered values and the remaining seconds live in the page's fields and
// are read anew whenever the logic needs them.

#include <optional>
#include <string>
#include <string_view>

#include "platform/System.hpp"

namespace velarion {

enum class ShutdownMode { ClockTime, Countdown };

inline constexpr int TickPeriodMs = 1000;
inline constexpr int WarningSteps = 10;
inline constexpr double ClockTolerance = 0.0000001;

inline constexpr std::string_view StatusNoTask = "暂无定时关机任务";
inline constexpr std::string_view StatusClockArmed = "正在定时关机";
inline constexpr std::string_view StatusRemainingPrefix = "距离关机还有";
inline constexpr std::string_view StatusRemainingSuffix = "秒";
inline constexpr std::string_view TaskRefused = "您还没有设定时间，或您选择的模式错误！";
inline constexpr std::string_view TaskRefusedTitle = "错误";

// The page values the scheduler reads and writes.
class ShutdownFields {
public:
    virtual ~ShutdownFields() = default;
    virtual ShutdownMode mode() const = 0;
    virtual std::string hourText() const = 0;
    virtual std::string minuteText() const = 0;
    virtual std::string secondText() const = 0;
    virtual std::string remainingText() const = 0;
    virtual void setRemainingText(const std::string& text) = 0;
    virtual void setStatusText(const std::string& text) = 0;
    virtual bool ticking() const = 0;
    virtual void setTicking(bool on) = 0;
    // On: the button reads "停止" and the animation plays.
    virtual bool armedLook() const = 0;
    virtual void setArmedLook(bool on) = 0;
};

class ShutdownScheduler {
public:
    explicit ShutdownScheduler(System& system) : system_(system) {}

    // The error message when the task cannot be armed, none when it can.
    std::optional<std::string> validateTask(const ShutdownFields& fields) const;
    void arm(ShutdownFields& fields);
    void stop(ShutdownFields& fields);
    void tick(ShutdownFields& fields);

private:
    void beginTask();
    bool warningRunning() const;
    void countDown(ShutdownFields& fields);
    void compareClock(ShutdownFields& fields, const LocalClock& now,
                      std::optional<long long> previous);
    bool targetReached(const ShutdownFields& fields, const LocalClock& now,
                       std::optional<long long> previous) const;
    // The ten one-second warning steps, then the power-off request. False when
    // the task was stopped during the warning: then nothing more is done.
    bool warnAndShutDown(ShutdownFields& fields);

    System& system_;
    // Every arm and stop begins a new task; a warning whose task has ended goes quiet.
    unsigned long long task_ = 0;
    // The task whose warning is running, if one is.
    std::optional<unsigned long long> warningTask_;
    // When this task's previous tick fell, in seconds of local time.
    std::optional<long long> previousTick_;
};

}  // namespace velarion
