// Self-check of the two window declarations: names, containers, pages, the
// bindings against the behaviours ui/ provides, and the texts that must stay
// exactly as declared.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "ui/BehaviourNames.hpp"
#include "ui/Declarations.hpp"

namespace velarion {
namespace {

const std::vector<const WindowDecl*>& bothWindows() {
    static const std::vector<const WindowDecl*> windows{&mainWindowDecl(), &addDialogDecl()};
    return windows;
}

bool isContainer(Kind kind) {
    return kind == Kind::GroupBox || kind == Kind::PictureBox || kind == Kind::Tabs;
}

bool isWindowEvent(Event event) {
    return event == Event::Created || event == Event::CloseRequested ||
           event == Event::PositionChanged || event == Event::TrayIcon;
}

// Which component kinds can raise which events.
bool canRaise(Kind kind, Event event) {
    switch (event) {
    case Event::Chosen: return kind == Kind::Menu;
    case Event::Clicked:
        return kind == Kind::Button || kind == Kind::CheckBox || kind == Kind::Radio;
    case Event::SliderMoved: return kind == Kind::Slider;
    case Event::Tick: return kind == Kind::Timer;
    case Event::FolderChanged: return kind == Kind::FolderBar;
    case Event::MouseMove: return kind == Kind::StatusBar;
    default: return false;  // the window's own events
    }
}

TEST(Declarations, NamesAreUniqueAndContainersAndPagesExist) {
    for (const WindowDecl* w : bothWindows()) {
        SCOPED_TRACE(w->name);
        std::set<std::string> names;
        for (const auto& c : w->components) {
            SCOPED_TRACE(c.name);
            EXPECT_FALSE(c.name.empty());
            EXPECT_TRUE(names.insert(c.name).second) << "name used twice";
            if (c.container.empty()) {
                EXPECT_EQ(c.page, -1);
                continue;
            }
            const ComponentDecl* container = w->find(c.container);
            ASSERT_NE(container, nullptr) << "container missing";
            EXPECT_TRUE(isContainer(container->kind));
            if (container->kind == Kind::Tabs) {
                EXPECT_GE(c.page, 0);
                EXPECT_LT(c.page, static_cast<int>(container->items.size()));
            } else {
                EXPECT_EQ(c.page, -1);
            }
        }
    }
}

TEST(Declarations, EveryBindingNamesABehaviourAndEveryBehaviourIsBoundOnce) {
    const std::set<std::string> known(behaviour::all.begin(), behaviour::all.end());
    EXPECT_EQ(known.size(), behaviour::all.size()) << "a behaviour name is listed twice";
    std::map<std::string, int> bound;
    for (const WindowDecl* w : bothWindows()) {
        for (const auto& b : w->bindings) {
            EXPECT_TRUE(known.count(b.behaviour)) << b.behaviour;
            EXPECT_TRUE(isWindowEvent(b.event)) << "a component's event bound on the window";
            ++bound[b.behaviour];
        }
        for (const auto& c : w->components) {
            for (const auto& b : c.bindings) {
                EXPECT_TRUE(known.count(b.behaviour)) << b.behaviour;
                EXPECT_TRUE(canRaise(c.kind, b.event)) << c.name << " cannot raise that event";
                ++bound[b.behaviour];
            }
        }
    }
    for (const char* name : behaviour::all) EXPECT_EQ(bound[name], 1) << name;
}

using BindingRow = std::tuple<std::string, std::string, Event, std::string>;

std::set<BindingRow> declaredBindings() {
    std::set<BindingRow> rows;
    for (const WindowDecl* w : bothWindows()) {
        for (const auto& b : w->bindings) rows.insert({w->name, "", b.event, b.behaviour});
        for (const auto& c : w->components)
            for (const auto& b : c.bindings) rows.insert({w->name, c.name, b.event, b.behaviour});
    }
    return rows;
}

TEST(Declarations, BindingsAreExactlyTheAgreedTable) {
    namespace b = behaviour;
    const std::set<BindingRow> expected{
        {"main", "", Event::Created, b::onMainWindowCreated},
        {"main", "", Event::CloseRequested, b::onCloseRequested},
        {"main", "", Event::PositionChanged, b::onWindowMoved},
        {"main", "", Event::TrayIcon, b::onTrayEvent},
        {"main", "状态条1", Event::MouseMove, b::onStatusBarMouseMove},
        {"main", "卷帘式菜单1", Event::FolderChanged, b::onFolderChanged},
        {"main", "菜单_添加", Event::Chosen, b::onAddCommand},
        {"main", "菜单_关于作者", Event::Chosen, b::onAboutCommand},
        {"main", "按钮_聊天", Event::Clicked, b::launchEntryChat},
        {"main", "按钮_音乐", Event::Clicked, b::launchEntryMedia},
        {"main", "按钮_游戏", Event::Clicked, b::launchEntryGames},
        {"main", "按钮_其他", Event::Clicked, b::launchEntryOther},
        {"main", "滑块条1", Event::SliderMoved, b::onOpacityChanged},
        {"main", "选择框1", Event::Clicked, b::onAutostartClicked},
        {"main", "选择框2", Event::Clicked, b::onTopmostClicked},
        {"main", "单选框1", Event::Clicked, b::onClockModeClicked},
        {"main", "单选框2", Event::Clicked, b::onCountdownModeClicked},
        {"main", "按钮1", Event::Clicked, b::onShutdownButtonClicked},
        {"main", "时钟1", Event::Tick, b::onShutdownTick},
        {"add", "按钮1", Event::Clicked, b::onBrowseClicked},
        {"add", "按钮2", Event::Clicked, b::onConfirmClicked},
    };
    EXPECT_EQ(declaredBindings(), expected);
}

// The three lists say the same categories in different words on purpose;
// behaviour goes by index, so none of them may be "corrected" to match another.
TEST(Declarations, CategoryTextsDifferAsDeclared) {
    const WindowDecl& main = mainWindowDecl();
    const WindowDecl& add = addDialogDecl();
    using Items = std::vector<std::string>;
    EXPECT_EQ(main.find("卷帘式菜单1")->items,
              (Items{"聊天通讯", "音乐影视", "游戏娱乐", "其它应用", "系统设置"}));
    EXPECT_EQ(main.find("选择夹1")->items,
              (Items{"聊天通讯", "音乐影视", "游戏娱乐", "其它图标", "系统设置"}));
    EXPECT_EQ(add.find("组合框1")->items,
              (Items{"-请选择-", "聊天通讯", "音乐影音", "游戏娱乐", "其它应用"}));
    EXPECT_EQ(main.title, "Velarion - 系统辅助 - 工程测试版");
    EXPECT_EQ(add.title, "添加应用");
    // Full-width letters, not "OK".
    EXPECT_EQ(add.find("按钮2")->text, "\xA3\xCF\xA3\xCB");
}

TEST(Declarations, CategoryPagesShareOnePattern) {
    const WindowDecl& main = mainWindowDecl();
    const char* labels[] = {"标签_聊天", "标签_音乐", "标签_游戏", "标签_其他"};
    const char* buttons[] = {"按钮_聊天", "按钮_音乐", "按钮_游戏", "按钮_其他"};
    const ComponentDecl& firstLabel = *main.find(labels[0]);
    for (int page = 0; page < 4; ++page) {
        const ComponentDecl* label = main.find(labels[page]);
        const ComponentDecl* button = main.find(buttons[page]);
        ASSERT_TRUE(label && button);
        EXPECT_EQ(label->page, page);
        EXPECT_EQ(button->page, page);
        EXPECT_FALSE(label->visible);
        EXPECT_FALSE(button->visible);
        EXPECT_FALSE(button->tabStop);
        EXPECT_TRUE(button->copiesTabStop);  // the entries a keyboard user reaches
        EXPECT_EQ(button->rect, (Rect{8, 8, 50, 50}));
        EXPECT_EQ(label->rect, firstLabel.rect);
        EXPECT_EQ(label->text, "暂无应用");
        EXPECT_EQ(label->font, firstLabel.font);
    }
    EXPECT_EQ(firstLabel.font, (Font{"方正姚体", 48, true, CharsetGb2312}));
}

}  // namespace
}  // namespace velarion
