// The settings page: the window's opacity, always on top and start with
// Windows. Every change takes effect at once and is written to kjfs.ini.

#include <cmath>
#include <string>

#include "core/TextNumber.hpp"
#include "ui/Behaviours.hpp"
#include "ui/ComponentNames.hpp"
#include "ui/Declarations.hpp"

namespace velarion {
namespace {

namespace c = component;


constexpr double OpacityThreshold = 0.0000001;

constexpr const char* AutostartValueName = "Velarion";
constexpr const char* RunKey = "software\\microsoft\\windows\\CurrentVersion\\Run\\";
constexpr const char* AutostartFailed = "无法设置开机自动启动";
constexpr const char* AutostartRemovalFailed = "无法取消开机自动启动";
constexpr const char* AutostartFailedTitle = "错误";

// A stored opacity brought into the slider's range (a hand-edited file may
// hold anything); the value is cut toward zero first.
int sliderPositionFor(double stored) {
    const double whole = std::trunc(stored);
    return static_cast<int>(whole < OpacityMinimum ? OpacityMinimum
                            : whole > OpacityMaximum ? OpacityMaximum
                                                     : whole);
}

std::string autostartValuePath() { return std::string(RunKey) + AutostartValueName; }

// The machine-wide Run key first; a user who may not write there gets the
// value under the per-user Run key instead. The value is the running program's
// path, quoted so that a path with blanks starts as one.
bool writeAutostartValue(System& system) {
    return system.writeRegistryProgramPath(RegistryRoot::LocalMachine, autostartValuePath()) ||
           system.writeRegistryProgramPath(RegistryRoot::CurrentUser, autostartValuePath());
}

// True when no Run value is left. A value that an elevated run wrote under the
// machine-wide key cannot be removed by a normal run: deleting then fails, and
// the program would go on starting at logon.
bool removeAutostartValue(System& system) {
    bool left = false;
    for (RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
        // A key of that name under Run (or its default value), then the value itself.
        system.deleteRegistryItem(root, autostartValuePath() + "\\");
        system.deleteRegistryItem(root, autostartValuePath());
        left = left || system.registryValueExists(root, autostartValuePath());
    }
    return !left;
}

}  // namespace

void applyOpacity(AppContext& ctx, Window& window, int opacity) {
    ctx.layer.setWindowOpacity(window, opacity);
}

const std::vector<IniName>& restoredSettings() {
    static const std::vector<IniName> names = {
        {SectionSettings, KeyOpacity}, {SectionSettings, KeyAutostart}, {SectionSettings, KeyTopmost}};
    return names;
}

void restoreSettings(AppContext& ctx, const ProfileViews& stored) {
    Window& window = *ctx.main;

    // Each value as a read with the program's buffer gives it.
    const double opacity = textToNumber(SettingsFile::asRead(stored[0]));
    if (std::fabs(opacity) > OpacityThreshold) {
        window.setNumber(c::opacitySlider, Prop::Position, sliderPositionFor(opacity));
        applyOpacity(ctx, window, window.number(c::opacitySlider, Prop::Position));
    }

    window.setFlag(c::autostartBox, Prop::Checked, flagIsOn(SettingsFile::asRead(stored[1])));

    const bool topmost = flagIsOn(SettingsFile::asRead(stored[2]));
    ctx.layer.setWindowTopmost(window, topmost);
    window.setFlag(c::topmostBox, Prop::Checked, topmost);
}

bool onOpacityChanged(AppContext& ctx, EventContext& ev) {
    Window& window = *ctx.main;
    applyOpacity(ctx, window, window.number(c::opacitySlider, Prop::Position));
    ctx.settings.write(SectionSettings, KeyOpacity,
                       numberToText(window.number(c::opacitySlider, Prop::Position)));
    return true;
}

bool onTopmostClicked(AppContext& ctx, EventContext& ev) {
    Window& window = *ctx.main;
    if (window.flag(c::topmostBox, Prop::Checked)) {
        ctx.layer.setWindowTopmost(window, true);
        ctx.settings.write(SectionSettings, KeyTopmost, FlagOn);
    } else {
        ctx.settings.write(SectionSettings, KeyTopmost, FlagOff);
        ctx.layer.setWindowTopmost(window, false);
    }
    return true;
}

bool onAutostartClicked(AppContext& ctx, EventContext& ev) {
    Window& window = *ctx.main;
    if (window.flag(c::autostartBox, Prop::Checked)) {
        ctx.settings.write(SectionSettings, KeyAutostart, FlagOn);
        if (!writeAutostartValue(ctx.system)) {
            // Neither Run key took the value: say so rather than show a setting
            // that does nothing.
            window.setFlag(c::autostartBox, Prop::Checked, false);
            ctx.settings.write(SectionSettings, KeyAutostart, FlagOff);
            ctx.system.showMessageBox(AutostartFailed, MbIconExclamation, AutostartFailedTitle);
        }
    } else if (removeAutostartValue(ctx.system)) {
        ctx.settings.write(SectionSettings, KeyAutostart, FlagOff);
    } else {
        // The program still starts with Windows: the box and the file say so.
        window.setFlag(c::autostartBox, Prop::Checked, true);
        ctx.settings.write(SectionSettings, KeyAutostart, FlagOn);
        ctx.system.showMessageBox(AutostartRemovalFailed, MbIconExclamation, AutostartFailedTitle);
    }
    return true;
}

}  // namespace velarion
