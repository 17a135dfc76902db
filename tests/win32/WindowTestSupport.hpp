#pragma once
// What the window-layer tests share: a System that answers the file dialog
// from a script, behaviours that record every event, a message pump, and the
// place of a control in its container.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/System.hpp"
#include "platform/WindowLayer.hpp"
#include "platform/win32/Dpi.hpp"
#include "platform/win32/Win32Window.hpp"
#include "platform/win32/Win32WindowLayer.hpp"
#include "ui/BehaviourNames.hpp"
#include "ui/Declarations.hpp"

namespace velarion::testing {

class ScriptedSystem : public System {
public:
    std::vector<std::string> dialogAnswers;  // "" = cancel
    std::vector<std::string> dialogFilters;
    std::vector<unsigned> dialogFlags;

    std::string windowsDirectory() override { return "C:\\windows\\"; }
    ExecutablePath executablePath() override { return {"C:\\", "test.exe"}; }
    bool setCurrentDirectory(const std::string&) override { return true; }
    bool enterProgramFolder() override { return true; }
    FileContents readWholeFile(const std::string&) override { return {}; }
    bool replaceFileWith(const std::string&, std::span<const std::string_view>, FileContents) override { return false; }
    bool writeRegistryText(RegistryRoot, const std::string&, const std::string&) override { return false; }
    bool deleteRegistryItem(RegistryRoot, const std::string&) override { return false; }
    bool registryValueExists(RegistryRoot, const std::string&) override { return false; }
    bool writeRegistryProgramPath(RegistryRoot, const std::string&) override { return false; }
    bool runProgram(const std::string&) override { return false; }
    bool shutDownSystem(int, bool) override { return false; }
    LocalClock readLocalClock() override { return {}; }
    void waitWithEvents(int) override {}
    int showMessageBox(const std::string&, unsigned, const std::string&) override { return 1; }
    void soundBeep() override {}
    bool openFileDialog(const std::string& filter, unsigned flags, std::string& fileName) override {
        dialogFilters.push_back(filter);
        dialogFlags.push_back(flags);
        if (dialogAnswers.empty()) return false;
        std::string answer = dialogAnswers.front();
        dialogAnswers.erase(dialogAnswers.begin());
        if (answer.empty()) return false;
        fileName = answer;
        return true;
    }
    void showAboutBox(const std::string&, const std::string&) override {}
};

// The layers of the tests fail the test on a component name their window does
// not hold (the program's layer ignores it).
inline void failOnUnknownComponent(const std::string& window, const std::string& component) {
    ADD_FAILURE() << "window '" << window << "' holds no component '" << component << "'";
}

struct Raised {
    std::string behaviour;
    std::string source;
    EventArgs args;
};

// A behaviour under every name the declarations bind, recording each call.
class Recorder {
public:
    std::vector<Raised> calls;
    bool allowClose = false;
    std::function<void(EventContext&)> onCreated;  // runs inside Created, after recording

    Behaviours behaviours() {
        Behaviours all;
        for (const char* name : behaviour::all) {
            const std::string behaviourName = name;
            all[behaviourName] = [this, behaviourName](EventContext& context) {
                calls.push_back({behaviourName, context.source, context.args});
                if (behaviourName == behaviour::onMainWindowCreated && onCreated) onCreated(context);
                return behaviourName == behaviour::onCloseRequested ? allowClose : true;
            };
        }
        return all;
    }
    int count(const std::string& name) const {
        int n = 0;
        for (const auto& call : calls) n += call.behaviour == name;
        return n;
    }
    const Raised* last(const std::string& name) const {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it)
            if (it->behaviour == name) return &*it;
        return nullptr;
    }
};

// Handles the messages waiting now and those that arrive within `ms` milliseconds.
inline void pump(win32::Win32WindowLayer& layer, int ms = 0) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) layer.dispatch(message);
        if (ms > 0) Sleep(5);
    } while (static_cast<LONG>(GetTickCount() - end) < 0);
}

inline win32::Win32Window& native(Window& window) { return dynamic_cast<win32::Win32Window&>(window); }

inline HWND handleOf(Window& window, const std::string& component) {
    auto* c = native(window).makeNow(component);
    return c ? c->handle() : nullptr;
}

// The control's rectangle in its parent's client area.
inline Rect placeOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

inline Rect scaled(const Rect& r, int dpi) {
    using win32::scaleForDpi;
    return {scaleForDpi(r.left, dpi), scaleForDpi(r.top, dpi), scaleForDpi(r.width, dpi),
            scaleForDpi(r.height, dpi)};
}

inline std::wstring classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

inline std::wstring textOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// The DPI this run is meant to check (VELARION_EXPECT_DPI), 0 when any will do.
inline int expectedDpi() {
    const char* value = std::getenv("VELARION_EXPECT_DPI");
    return value ? std::atoi(value) : 0;
}

// A fixture with the real main window loaded, its Created event recorded.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        main = layer.load(mainWindowDecl(), recorder.behaviours());
        ASSERT_NE(main, nullptr);
        hwnd = static_cast<HWND>(main->nativeHandle());
    }
    int dpi() { return native(*main).dpi(); }

    ScriptedSystem system;
    Recorder recorder;
    win32::Win32WindowLayer layer{system, failOnUnknownComponent};
    Window* main = nullptr;
    HWND hwnd = nullptr;
};

}  // namespace velarion::testing
