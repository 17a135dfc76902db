// Loading each declaration in the stand-in layer gives every component in its
// declared state, read back through the window contract.

#include <gtest/gtest.h>

#include "platform/sim/SimSystem.hpp"
#include "platform/sim/SimWindows.hpp"
#include "ui/BehaviourNames.hpp"
#include "ui/Declarations.hpp"

namespace velarion {
namespace {

void expectDeclaredState(const Window& w, const ComponentDecl& d) {
    SCOPED_TRACE(d.name);
    ASSERT_TRUE(w.has(d.name));
    EXPECT_EQ(w.number(d.name, Prop::Left), d.rect.left);
    EXPECT_EQ(w.number(d.name, Prop::Top), d.rect.top);
    EXPECT_EQ(w.number(d.name, Prop::Height), d.rect.height);
    EXPECT_EQ(w.flag(d.name, Prop::Visible), d.visible);
    EXPECT_EQ(w.flag(d.name, Prop::Disabled), d.disabled);
    EXPECT_EQ(w.text(d.name, Prop::Tag), "");
    switch (d.kind) {
    case Kind::Edit:
    case Kind::Label:
    case Kind::Button:
    case Kind::GroupBox:
    case Kind::Menu:
        EXPECT_EQ(w.text(d.name, Prop::Text), d.text);
        break;
    case Kind::CheckBox:
    case Kind::Radio:
        EXPECT_EQ(w.text(d.name, Prop::Text), d.text);
        EXPECT_EQ(w.flag(d.name, Prop::Checked), d.checked);
        break;
    case Kind::Slider: EXPECT_EQ(w.number(d.name, Prop::Position), d.position); break;
    case Kind::Tabs: EXPECT_EQ(w.number(d.name, Prop::CurrentPage), d.selection); break;
    case Kind::Combo:
    case Kind::FolderBar: EXPECT_EQ(w.number(d.name, Prop::Selection), d.selection); break;
    case Kind::Timer: EXPECT_EQ(w.number(d.name, Prop::Interval), d.interval); break;
    case Kind::PictureBox: EXPECT_EQ(w.flag(d.name, Prop::PlayAnimation), d.playAnimation); break;
    case Kind::FileDialog: EXPECT_EQ(w.text(d.name, Prop::FileName), ""); break;
    case Kind::StatusBar: break;
    }
}

TEST(SimLoad, MainWindowHasEveryComponentInDeclaredStateBeforeCreatedReturns) {
    SimSystem system;
    SimWindows windows(system);
    int created = 0;
    bool complete = false;
    Behaviours behaviours{{behaviour::onMainWindowCreated, [&](EventContext& e) {
                               ++created;
                               EXPECT_EQ(e.source, "");
                               complete = e.window.has("时钟1") && e.window.has("菜单_帮助");
                               return true;
                           }}};
    Window* w = windows.load(mainWindowDecl(), behaviours);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(created, 1);
    EXPECT_TRUE(complete);

    for (const auto& d : mainWindowDecl().components) expectDeclaredState(*w, d);
    auto& sim = static_cast<SimWindow&>(*w);
    EXPECT_EQ(sim.componentNames().size(), mainWindowDecl().components.size());
    EXPECT_EQ(sim.statusText("状态条1", 0), "欢迎使用Velarion！");
    EXPECT_EQ(sim.statusText("状态条1", 1), "暂无定时关机任务");

    EXPECT_EQ(w->text("", Prop::Text), "Velarion - 系统辅助 - 工程测试版");
    EXPECT_EQ(w->number("", Prop::Left), (1024 - 343) / 2);  // centred, declared 50 unused
    EXPECT_EQ(w->number("", Prop::Top), (768 - 314) / 2);
    EXPECT_EQ(w->number("", Prop::Height), 314);
    EXPECT_TRUE(w->flag("", Prop::Visible));
    EXPECT_TRUE(w->flag("", Prop::AlwaysOnTop));
    EXPECT_FALSE(sim.layered());
    EXPECT_FALSE(sim.trayIcon().present);
    EXPECT_EQ(windows.loads(), std::vector<std::string>{"main"});
}

TEST(SimLoad, AddDialogOpensFreshInDeclaredStateEachTime) {
    SimSystem system;
    SimWindows windows(system);
    Window* main = windows.load(mainWindowDecl(), {});
    ASSERT_NE(main, nullptr);
    for (int opening = 0; opening < 2; ++opening) {
        windows.queueModalScript("add", [&](SimWindow& dialog) {
            for (const auto& d : addDialogDecl().components) expectDeclaredState(dialog, d);
            EXPECT_EQ(dialog.text("", Prop::Text), "添加应用");
            EXPECT_FALSE(dialog.type("编辑框1", "x")) << "read-only";
            EXPECT_TRUE(dialog.type("编辑框2", "QQ"));
            EXPECT_TRUE(dialog.selectItem("组合框1", 2));
        });
        windows.runModal(addDialogDecl(), {}, *main);
    }
    ASSERT_EQ(windows.modalRuns().size(), 2u);
    EXPECT_TRUE(windows.modalRuns()[1].scripted);
}

}  // namespace
}  // namespace velarion
