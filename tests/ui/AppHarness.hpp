#pragma once
// The program on the stand-in layer: a SimSystem, the SimWindows over it, the
// shared state of the handlers, and the main window once it is loaded.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/sim/SimSystem.hpp"
#include "platform/sim/SimWindows.hpp"
#include "ui/Behaviours.hpp"
#include "ui/Declarations.hpp"

namespace velarion::testing {

inline const std::string IniPath = "C:\\WINDOWS\\kjfs.ini";

class AppHarness : public ::testing::Test {
protected:
    SimSystem sys;
    SimWindows windows{sys};
    AppContext ctx{sys, windows};
    SimWindow* main = nullptr;

    // Loads the main window as the program does at start.
    SimWindow& start() {
        windows.load(mainWindowDecl(), makeBehaviours(ctx));
        main = windows.window("main");
        if (!main) throw std::logic_error("the main window did not load");
        return *main;
    }

    // kjfs.ini before the program starts; `lines` joined with CRLF.
    void givenIni(std::initializer_list<std::string> lines) {
        std::string bytes;
        for (const auto& line : lines) bytes += line + "\r\n";
        sys.putFile(IniPath, bytes);
    }

    std::string stored(std::string_view section, std::string_view key) {
        return ctx.settings.readWhole(section, key);
    }

    // The add dialog opened from the menu, with `script` as what the user does in
    // it; then the loop delivers what the dialog posted (the refill).
    void addThroughDialog(std::function<void(SimWindow&)> script) {
        windows.queueModalScript("add", std::move(script));
        main->chooseMenu("菜单_添加");
        windows.advance(0);
    }

    // Adds one entry the way a user does: name, browse to `path`, category, ＯＫ.
    void addEntry(const std::string& name, const std::string& path, int categoryIndex) {
        sys.fileDialogAnswers.push_back(path);
        addThroughDialog([&](SimWindow& dialog) {
            dialog.type("编辑框2", name);
            dialog.click("按钮1");
            dialog.selectItem("组合框1", categoryIndex);
            dialog.click("按钮2");
        });
    }

    int eventsOf(Event event) const {
        int count = 0;
        for (const auto& e : windows.events()) count += e.event == event ? 1 : 0;
        return count;
    }
};

}  // namespace velarion::testing
