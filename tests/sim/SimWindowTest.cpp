// Properties, copies, user actions, modal dialogs and window services of the
// stand-in layer.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sim/SimSystem.hpp"
#include "platform/sim/SimWindows.hpp"
#include "ui/BehaviourNames.hpp"
#include "ui/Declarations.hpp"

namespace velarion {
namespace {

namespace b = behaviour;

class SimWindowTest : public ::testing::Test {
protected:
    SimSystem system;
    SimWindows windows{system};
    std::vector<std::string> log;

    // Behaviours that note their source, and the check state a click left.
    Behaviour note(const std::string& what) {
        return [this, what](EventContext& e) {
            log.push_back(what + ":" + e.source);
            return true;
        };
    }
    Behaviour noteChecked(const std::string& what) {
        return [this, what](EventContext& e) {
            log.push_back(what + ":" + e.source +
                          (e.window.flag(e.source, Prop::Checked) ? "+" : "-"));
            return true;
        };
    }
    SimWindow& loadMain(Behaviours behaviours = {}) {
        auto* w = static_cast<SimWindow*>(windows.load(mainWindowDecl(), behaviours));
        if (!w) throw std::runtime_error("main window not loaded");
        return *w;
    }
};

TEST_F(SimWindowTest, WritesTakeEffectAtOnceWithoutEvents) {
    SimWindow& w = loadMain({{b::onClockModeClicked, noteChecked("clock")},
                             {b::onCountdownModeClicked, noteChecked("count")},
                             {b::onOpacityChanged, note("slider")}});
    const auto eventsBefore = windows.events().size();
    w.setFlag("单选框2", Prop::Checked, true);
    EXPECT_FALSE(w.flag("单选框1", Prop::Checked)) << "radios of one group exclude each other";
    w.setNumber("滑块条1", Prop::Position, 10);
    EXPECT_EQ(w.number("滑块条1", Prop::Position), 50);
    w.setNumber("滑块条1", Prop::Position, 999);
    EXPECT_EQ(w.number("滑块条1", Prop::Position), 255);
    w.setText("编辑框_时", Prop::Text, "abc");  // writes are not filtered
    EXPECT_EQ(w.text("编辑框_时", Prop::Text), "abc");
    w.setNumber("选择夹1", Prop::CurrentPage, 4);
    w.setNumber("选择夹1", Prop::CurrentPage, 5);  // no such page
    EXPECT_EQ(w.number("选择夹1", Prop::CurrentPage), 4);
    EXPECT_EQ(windows.events().size(), eventsBefore);
    EXPECT_TRUE(log.empty());

    EXPECT_TRUE(w.click("单选框1"));
    EXPECT_FALSE(w.flag("单选框2", Prop::Checked));
    EXPECT_EQ(log, std::vector<std::string>{"clock:单选框1+"});
}

TEST_F(SimWindowTest, MisnamedComponentOrPropertyIsRefusedLoudly) {
    SimWindow& w = loadMain();
    EXPECT_THROW(w.text("按钮9", Prop::Text), std::logic_error);
    EXPECT_THROW(w.number("按钮1", Prop::Position), std::logic_error);
    EXPECT_THROW(w.flag("按钮1", Prop::Position), std::logic_error);
    EXPECT_THROW(w.setNumber("", Prop::Interval, 1), std::logic_error);
    EXPECT_THROW(w.click("编辑框_时"), std::logic_error);
}

TEST_F(SimWindowTest, CopiesShareTheTemplateBindingAndNameThemselvesAsSource) {
    SimWindow& w = loadMain({{b::launchEntryChat, [&](EventContext& e) {
        log.push_back(e.source + "=" + e.window.text(e.source, Prop::Tag));
        return true;
    }}});
    const std::string first = w.copyComponent("按钮_聊天");
    const std::string second = w.copyComponent("按钮_聊天");
    EXPECT_EQ(first, "按钮_聊天#1");
    EXPECT_EQ(second, "按钮_聊天#2");
    EXPECT_EQ(w.copyComponent(second), "按钮_聊天#3") << "a copy of a copy counts on the template";

    const SimComponent& copy = w.component(second);
    EXPECT_EQ(copy.decl.container, "选择夹1");
    EXPECT_EQ(copy.decl.page, 0);
    EXPECT_EQ(copy.decl.rect, (Rect{8, 8, 50, 50}));
    EXPECT_FALSE(copy.visible);
    EXPECT_FALSE(w.click(second)) << "hidden buttons take no click";

    for (const auto& name : {first, second}) {
        w.setFlag(name, Prop::Visible, true);
        w.setText(name, Prop::Tag, name == first ? "1" : "2");
    }
    w.click(second);
    w.click(first);
    EXPECT_EQ(log, (std::vector<std::string>{"按钮_聊天#2=2", "按钮_聊天#1=1"}));
    EXPECT_EQ(w.copiesOf("按钮_聊天").size(), 3u);
    EXPECT_TRUE(w.copiesOf("按钮_音乐").empty());
}

TEST_F(SimWindowTest, UserInputGoesThroughTheControlsRules) {
    SimWindow& w = loadMain({{b::onAutostartClicked, noteChecked("auto")},
                             {b::onOpacityChanged, note("slider")},
                             {b::onFolderChanged, [&](EventContext& e) {
                                  log.push_back("folder" + std::to_string(e.args.index));
                                  return true;
                              }}});
    EXPECT_TRUE(w.click("选择框1"));
    EXPECT_TRUE(w.click("选择框1"));
    EXPECT_EQ(log, (std::vector<std::string>{"auto:选择框1+", "auto:选择框1-"}));
    log.clear();

    EXPECT_TRUE(w.type("编辑框_时", "1a2 -3.\b１"));
    EXPECT_EQ(w.text("编辑框_时", Prop::Text), "12-");
    EXPECT_TRUE(w.paste("编辑框_时", "x"));
    EXPECT_EQ(w.text("编辑框_时", Prop::Text), "12-x");
    EXPECT_TRUE(w.type("编辑框_时", "\b\b\b\b\b"));
    EXPECT_EQ(w.text("编辑框_时", Prop::Text), "");
    EXPECT_FALSE(w.type("编辑框_秒计", "5")) << "declared disabled";
    w.setFlag("编辑框_秒计", Prop::Disabled, false);
    EXPECT_TRUE(w.type("编辑框_秒计", "5"));

    EXPECT_TRUE(w.sliderLine("滑块条1", -3));
    EXPECT_EQ(w.number("滑块条1", Prop::Position), 252);
    EXPECT_TRUE(w.sliderPage("滑块条1", 1));
    EXPECT_EQ(w.number("滑块条1", Prop::Position), 255);
    EXPECT_TRUE(w.sliderDrag("滑块条1", 10));
    EXPECT_EQ(w.number("滑块条1", Prop::Position), 50);
    EXPECT_EQ(log.size(), 3u + 1u + 2u);
    log.clear();

    EXPECT_TRUE(w.chooseFolder("卷帘式菜单1", 4));
    EXPECT_TRUE(w.chooseFolder("卷帘式菜单1", 4));
    EXPECT_FALSE(w.chooseFolder("卷帘式菜单1", 5));
    EXPECT_EQ(log, std::vector<std::string>{"folder4"});
    EXPECT_EQ(w.number("卷帘式菜单1", Prop::Selection), 4);

    EXPECT_TRUE(w.chooseMenu("菜单_帮助"));
    EXPECT_FALSE(windows.events().back().handled);
}

TEST_F(SimWindowTest, CloseRequestAnswersTheHandlerAndTrayNeedsItsIcon) {
    SimWindow& w = loadMain({{b::onCloseRequested,
                              [&](EventContext& e) {
                                  e.window.setFlag("", Prop::Visible, false);
                                  return false;
                              }},
                             {b::onTrayEvent, [&](EventContext& e) {
                                  log.push_back("tray" + std::to_string(e.args.code));
                                  return true;
                              }}});
    EXPECT_FALSE(w.trayEvent(1)) << "no icon yet";
    EXPECT_FALSE(w.requestClose());
    EXPECT_TRUE(w.isOpen());
    EXPECT_FALSE(w.flag("", Prop::Visible));
    EXPECT_FALSE(w.click("按钮1")) << "a hidden window takes no clicks";

    windows.setTrayIcon(w, "first");
    windows.setTrayIcon(w, std::string(41, 'a') + "正在运行，实时保护您的计算机");
    EXPECT_EQ(w.trayIcon().adds, 1);
    EXPECT_EQ(w.trayIcon().modifies, 1);
    EXPECT_EQ(w.trayIcon().tip, std::string(41, 'a') + "正在运行，实时保护您")
        << "at most 62 bytes, never half a character";
    EXPECT_TRUE(w.trayEvent(3));
    EXPECT_FALSE(w.trayEvent(4));
    EXPECT_EQ(log, std::vector<std::string>{"tray3"});
}

TEST_F(SimWindowTest, WindowServicesAndStatusParts) {
    SimWindow& w = loadMain();
    windows.setWindowOpacity(w, 200);
    windows.setWindowOpacity(w, 60);
    EXPECT_TRUE(w.layered());
    EXPECT_EQ(w.alpha(), 60);
    EXPECT_EQ(w.opacityCalls(), 2);
    windows.setWindowTopmost(w, false);
    EXPECT_FALSE(w.flag("", Prop::AlwaysOnTop));

    windows.setStatusPartText(w, "状态条1", 1, "距离关机还有9秒");
    windows.setStatusPartText(w, "状态条1", 2, "nowhere");
    EXPECT_EQ(w.statusText("状态条1", 0), "欢迎使用Velarion！");
    EXPECT_EQ(w.statusText("状态条1", 1), "距离关机还有9秒");
}

TEST_F(SimWindowTest, ModalDialogRunsItsScriptBlocksItsOwnerAndIsDestroyed) {
    Behaviours dialog{{b::onConfirmClicked, [&](EventContext& e) {
        log.push_back("confirm:" + e.window.text("编辑框2", Prop::Text));
        e.window.close();
        return true;
    }}};
    SimWindow& w = loadMain({{b::onAddCommand, [&](EventContext& e) {
        windows.runModal(addDialogDecl(), dialog, e.window);
        log.push_back("returned");
        return true;
    }}});
    windows.queueModalScript("add", [&](SimWindow& d) {
        EXPECT_EQ(windows.window("add"), &d);
        EXPECT_FALSE(w.takesInput());
        EXPECT_FALSE(w.click("按钮1")) << "the owner takes no input";
        d.type("编辑框2", "QQ");
    });
    windows.queueModalScript("add", [&](SimWindow& d) {
        d.type("编辑框2", "Foxmail");
        EXPECT_TRUE(d.click("按钮2"));
        EXPECT_FALSE(d.isOpen());
    });

    w.chooseMenu("菜单_添加");  // left open by its script: closed like Esc
    w.chooseMenu("菜单_添加");  // closed by its confirm
    w.chooseMenu("菜单_添加");  // no script: closed at once

    EXPECT_EQ(log, (std::vector<std::string>{"returned", "confirm:Foxmail", "returned",
                                             "returned"}));
    ASSERT_EQ(windows.modalRuns().size(), 3u);
    EXPECT_FALSE(windows.modalRuns()[0].closedByScript);
    EXPECT_TRUE(windows.modalRuns()[1].closedByScript);
    EXPECT_FALSE(windows.modalRuns()[2].scripted);
    EXPECT_EQ(windows.window("add"), nullptr);
    EXPECT_TRUE(w.takesInput());
}

}  // namespace
}  // namespace velarion
