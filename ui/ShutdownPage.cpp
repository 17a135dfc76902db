// The timed-shutdown controls of the settings page, driving the shutdown
// scheduler. The page keeps no state of its own: whether a task is set is the
// button's caption, whether ticks come is the timer's interval.

#include <string>

#include "ui/Behaviours.hpp"
#include "ui/ComponentNames.hpp"

namespace velarion {
namespace {

namespace c = component;

constexpr int StatusPart = 1;

constexpr const char* CaptionArm = "确定";
constexpr const char* CaptionStop = "停止";

// The scheduler's view of the page, read from the components at the moment
// it is asked.
class PageFields final : public ShutdownFields {
public:
    PageFields(WindowLayer& layer, Window& window) : layer_(layer), window_(window) {}

    ShutdownMode mode() const override {
        return window_.flag(c::clockRadio, Prop::Checked) ? ShutdownMode::ClockTime
                                                          : ShutdownMode::Countdown;
    }
    std::string hourText() const override { return window_.text(c::hourBox, Prop::Text); }
    std::string minuteText() const override { return window_.text(c::minuteBox, Prop::Text); }
    std::string secondText() const override { return window_.text(c::secondBox, Prop::Text); }
    std::string remainingText() const override {
        return window_.text(c::remainingBox, Prop::Text);
    }
    void setRemainingText(const std::string& text) override {
        window_.setText(c::remainingBox, Prop::Text, text);
    }
    void setStatusText(const std::string& text) override {
        layer_.setStatusPartText(window_, c::statusBar, StatusPart, text);
    }
    bool ticking() const override { return window_.number(c::shutdownTimer, Prop::Interval) > 0; }
    void setTicking(bool on) override {
        window_.setNumber(c::shutdownTimer, Prop::Interval, on ? TickPeriodMs : 0);
    }
    bool armedLook() const override {
        return window_.text(c::shutdownButton, Prop::Text) == CaptionStop;
    }
    void setArmedLook(bool on) override {
        if (on) {
            if (window_.text(c::shutdownButton, Prop::Text) != CaptionArm) return;
            window_.setText(c::shutdownButton, Prop::Text, CaptionStop);
            window_.setFlag(c::busyAnimation, Prop::PlayAnimation, true);
        } else {
            window_.setFlag(c::busyAnimation, Prop::PlayAnimation, false);
            window_.setText(c::shutdownButton, Prop::Text, CaptionArm);
        }
    }

private:
    WindowLayer& layer_;
    Window& window_;
};

// The clock row or the countdown row takes input, the other is greyed.
void enableRows(Window& window, bool clockTime) {
    window.setFlag(c::remainingBox, Prop::Disabled, clockTime);
    window.setFlag(c::secondBox, Prop::Disabled, !clockTime);
    window.setFlag(c::minuteBox, Prop::Disabled, !clockTime);
    window.setFlag(c::hourBox, Prop::Disabled, !clockTime);
}

}  // namespace

bool onShutdownButtonClicked(AppContext& ctx, EventContext& ev) {
    PageFields fields(ctx.layer, *ctx.main);
    if (fields.armedLook()) {
        ctx.scheduler.stop(fields);
        return true;
    }
    if (const auto refusal = ctx.scheduler.validateTask(fields)) {
        ctx.system.showMessageBox(*refusal, MbOk, std::string(TaskRefusedTitle));
        return true;
    }
    ctx.scheduler.arm(fields);
    return true;
}

bool onClockModeClicked(AppContext& ctx, EventContext& ev) {
    if (ctx.main->flag(c::clockRadio, Prop::Checked)) enableRows(*ctx.main, true);
    return true;
}

bool onCountdownModeClicked(AppContext& ctx, EventContext& ev) {
    if (ctx.main->flag(c::countdownRadio, Prop::Checked)) enableRows(*ctx.main, false);
    return true;
}

bool onShutdownTick(AppContext& ctx, EventContext& ev) {
    PageFields fields(ctx.layer, *ctx.main);
    ctx.scheduler.tick(fields);
    return true;
}

}  // namespace velarion
