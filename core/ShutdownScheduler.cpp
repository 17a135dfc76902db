#include "core/ShutdownScheduler.hpp"

#include <cmath>
#include <utility>

#include "base/Gbk.hpp"
#include "core/TextNumber.hpp"

namespace velarion {

namespace {

constexpr std::string_view ZeroText = "0";
// A clock-time target whose second no tick fell into is still taken by the next
// tick, provided the tick before it came at most this long before.
constexpr long long CatchUpWindowSeconds = 60;
constexpr long long SecondsPerDay = 24 * 60 * 60;

bool sameClockValue(double typed, int clockValue) {
    return std::fabs(typed - clockValue) <= ClockTolerance;
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
long long daysFromCivil(long long year, unsigned month, unsigned day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The local date and time as seconds on one continuous scale; none when the
// clock gives no plausible date.
std::optional<long long> localSeconds(const LocalClock& clock) {
    if (clock.month < 1 || clock.month > 12 || clock.day < 1 || clock.day > 31) return std::nullopt;
    const long long days = daysFromCivil(clock.year, static_cast<unsigned>(clock.month),
                                         static_cast<unsigned>(clock.day));
    return days * SecondsPerDay + clock.hour * 3600LL + clock.minute * 60LL + clock.second;
}

// A typed value as a clock field, when it is a whole number within 0..highest.
std::optional<long long> clockField(double typed, int highest) {
    if (!(typed >= 0 && typed <= highest) || std::floor(typed) != typed) return std::nullopt;
    return static_cast<long long>(typed);
}

long long floorDiv(long long a, long long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

std::string remainingStatus(const std::string& seconds) {
    return std::string(StatusRemainingPrefix) + seconds + std::string(StatusRemainingSuffix);
}

}  // namespace

std::optional<std::string> ShutdownScheduler::validateTask(const ShutdownFields& fields) const {
    const bool missing = fields.mode() == ShutdownMode::ClockTime
                             ? fields.secondText().empty() || fields.hourText().empty() ||
                                   fields.minuteText().empty()
                             : fields.remainingText().empty();
    if (missing) return std::string(TaskRefused);
    return std::nullopt;
}

void ShutdownScheduler::arm(ShutdownFields& fields) {
    beginTask();
    fields.setTicking(true);
    fields.setArmedLook(true);
}

void ShutdownScheduler::stop(ShutdownFields& fields) {
    beginTask();
    fields.setTicking(false);
    fields.setArmedLook(false);
    fields.setStatusText(std::string(StatusNoTask));
}

void ShutdownScheduler::beginTask() {
    ++task_;
    previousTick_.reset();
}

bool ShutdownScheduler::warningRunning() const { return warningTask_ == task_; }

void ShutdownScheduler::tick(ShutdownFields& fields) {
    const LocalClock now = system_.readLocalClock();
    const std::optional<long long> previous = std::exchange(previousTick_, localSeconds(now));
    if (fields.mode() == ShutdownMode::Countdown)
        countDown(fields);
    else
        compareClock(fields, now, previous);
}

void ShutdownScheduler::countDown(ShutdownFields& fields) {
    fields.setRemainingText(numberToText(textToNumber(fields.remainingText()) - 1.0));
    const std::string remaining = fields.remainingText();
    // A tick inside the clock-time warning leaves the request to the warning.
    if (remaining == ZeroText && !warningRunning()) system_.shutDownSystem(ShutdownPowerOff, true);
    fields.setStatusText(remainingStatus(remaining));
}

void ShutdownScheduler::compareClock(ShutdownFields& fields, const LocalClock& now,
                                     std::optional<long long> previous) {
    // A tick inside this task's own warning never starts another one.
    if (!warningRunning() && targetReached(fields, now, previous)) {
        if (!warnAndShutDown(fields)) return;  // stopped during the warning
    }
    fields.setStatusText(std::string(StatusClockArmed));
}

bool ShutdownScheduler::targetReached(const ShutdownFields& fields, const LocalClock& now,
                                      std::optional<long long> previous) const {
    const double hour = textToNumber(fields.hourText());
    const double minute = textToNumber(fields.minuteText());
    const double second = textToNumber(fields.secondText());
    if (sameClockValue(hour, now.hour) && sameClockValue(minute, now.minute) &&
        sameClockValue(second, now.second))
        return true;

    // Catch-up: the target second fell between the previous tick and this one.
    const std::optional<long long> nowSeconds = localSeconds(now);
    if (!previous || !nowSeconds || *nowSeconds <= *previous ||
        *nowSeconds - *previous > CatchUpWindowSeconds)
        return false;
    const auto h = clockField(hour, 23), m = clockField(minute, 59), s = clockField(second, 59);
    if (!h || !m || !s) return false;
    const long long target = *h * 3600 + *m * 60 + *s;
    const long long today = floorDiv(*nowSeconds, SecondsPerDay) * SecondsPerDay;
    for (const long long dayStart : {today, today - SecondsPerDay}) {
        const long long when = dayStart + target;
        if (*previous < when && when <= *nowSeconds) return true;
    }
    return false;
}

bool ShutdownScheduler::warnAndShutDown(ShutdownFields& fields) {
    const unsigned long long task = task_;
    struct WarningScope {
        std::optional<unsigned long long>& slot;
        std::optional<unsigned long long> outer;
        ~WarningScope() { slot = outer; }
    } scope{warningTask_, std::exchange(warningTask_, task)};

    for (int step = 1; step <= WarningSteps; ++step) {
        system_.soundBeep();
        system_.waitWithEvents(1000);
        // "停止" pressed (or a new task armed) while waiting: the shutdown is off.
        if (task_ != task) return false;
        fields.setStatusText(remainingStatus(numberToText(WarningSteps - step)));
    }
    system_.shutDownSystem(ShutdownPowerOff, true);
    fields.setTicking(false);
    return true;
}

}  // namespace velarion
