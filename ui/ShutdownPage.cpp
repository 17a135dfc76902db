// The timed-shutdown controls of the settings page, driving the shutdown
// scheduler. The page keeps no state of its own: whether a task is set is the
// button's caption, whether ticks come is the timer's interval.

#include <string>

#include "ui/Behaviours.hpp"

namespace velarion {
namespace {

constexpr const char* ClockRadio = "单选框1";
constexpr const char* CountdownRadio = "单选框2";
constexpr const char* HourBox = "编辑框_时";
constexpr const char* MinuteBox = "编辑框_分";
constexpr const char* SecondBox = "编辑框_秒";
constexpr const char* RemainingBox = "编辑框_秒计";
constexpr const char* TaskButton = "按钮1";
constexpr const char* Animation = "图片框2";
constexpr const char* Timer = "时钟1";
constexpr const char* StatusBar = "状态条1";
constexpr int StatusPart = 1;

constexpr const char* CaptionArm = "确定";
constexpr const char* CaptionStop = "停止";

// The scheduler's view of the page, read from the components at the moment
// it is asked.
class PageFields final : public ShutdownFields {
public:
    PageFields(WindowLayer& layer, Window& window) : layer_(layer), window_(window) {}

    ShutdownMode mode() const override {
        return window_.flag(ClockRadio, Prop::Checked) ? ShutdownMode::ClockTime
                                                       : ShutdownMode::Countdown;
    }
    std::string hourText() const override { return window_.text(HourBox, Prop::Text); }
    std::string minuteText() const override { return window_.text(MinuteBox, Prop::Text); }
    std::string secondText() const override { return window_.text(SecondBox, Prop::Text); }
    std::string remainingText() const override { return window_.text(RemainingBox, Prop::Text); }
    void setRemainingText(const std::string& text) override {
        window_.setText(RemainingBox, Prop::Text, text);
    }
    void setStatusText(const std::string& text) override {
        layer_.setStatusPartText(window_, StatusBar, StatusPart, text);
    }
    bool ticking() const override { return window_.number(Timer, Prop::Interval) > 0; }
    void setTicking(bool on) override {
        window_.setNumber(Timer, Prop::Interval, on ? TickPeriodMs : 0);
    }
    bool armedLook() const override { return window_.text(TaskButton, Prop::Text) == CaptionStop; }
    void setArmedLook(bool on) override {
        if (on) {
            if (window_.text(TaskButton, Prop::Text) != CaptionArm) return;
            window_.setText(TaskButton, Prop::Text, CaptionStop);
            window_.setFlag(Animation, Prop::PlayAnimation, true);
        } else {
            window_.setFlag(Animation, Prop::PlayAnimation, false);
            window_.setText(TaskButton, Prop::Text, CaptionArm);
        }
    }

private:
    WindowLayer& layer_;
    Window& window_;
};

// The clock row or the countdown row takes input, the other is greyed.
void enableRows(Window& window, bool clockTime) {
    window.setFlag(RemainingBox, Prop::Disabled, clockTime);
    window.setFlag(SecondBox, Prop::Disabled, !clockTime);
    window.setFlag(MinuteBox, Prop::Disabled, !clockTime);
    window.setFlag(HourBox, Prop::Disabled, !clockTime);
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
    if (ctx.main->flag(ClockRadio, Prop::Checked)) enableRows(*ctx.main, true);
    return true;
}

bool onCountdownModeClicked(AppContext& ctx, EventContext& ev) {
    if (ctx.main->flag(CountdownRadio, Prop::Checked)) enableRows(*ctx.main, false);
    return true;
}

bool onShutdownTick(AppContext& ctx, EventContext& ev) {
    PageFields fields(ctx.layer, *ctx.main);
    ctx.scheduler.tick(fields);
    return true;
}

}  // namespace velarion
