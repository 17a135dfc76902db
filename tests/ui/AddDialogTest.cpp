// The add dialog: what is stored under which key, the refusals in their
// order, browsing, and a fresh dialog on every opening.

#include <string>

#include "AppHarness.hpp"

namespace velarion::testing {
namespace {

class AddDialogTest : public AppHarness {
protected:
    void SetUp() override { start(); }

    // The dialog's inputs as the user left them, read inside the script.
    struct Inputs {
        bool open = false;
        std::string name, path;
        int category = -1;
    };
    static Inputs inputsOf(SimWindow& dialog) {
        return {dialog.isOpen(), dialog.text("编辑框2", Prop::Text),
                dialog.text("编辑框1", Prop::Text), dialog.number("组合框1", Prop::Selection)};
    }
};

TEST_F(AddDialogTest, ListItemsMapToTheFixedKeys) {
    addEntry("qq", "C:\\qq.exe", 1);
    addEntry("player", "C:\\player.exe", 2);  // "音乐影音"
    addEntry("tool", "C:\\tool.exe", 4);      // "其它应用"

    EXPECT_EQ(stored("快捷方式", "聊天通讯"), "qq%$");
    EXPECT_EQ(stored("快捷方式", "音乐影视"), "player%$");
    EXPECT_EQ(stored("快捷链接", "音乐影视"), "C:\\player.exe%$");
    EXPECT_EQ(stored("快捷方式", "其他应用"), "tool%$");
    EXPECT_EQ(stored("快捷链接", "其他应用"), "C:\\tool.exe%$");
    EXPECT_EQ(stored("快捷方式", "其它应用"), "");

    // The new button is on its page at the first place once it shows, and starts its program.
    main->chooseFolder("卷帘式菜单1", 3);
    const auto buttons = main->copiesOf("按钮_其他");
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(main->text(buttons[0], Prop::Text), "tool");
    EXPECT_EQ(main->number(buttons[0], Prop::Left), 8);
    EXPECT_EQ(main->number(buttons[0], Prop::Top), 8);
    EXPECT_FALSE(main->flag("标签_其他", Prop::Visible));
    main->click(buttons[0]);
    EXPECT_EQ(sys.launches, std::vector<std::string>{"C:\\tool.exe"});

    ASSERT_EQ(windows.modalRuns().size(), 3u);
    for (const auto& run : windows.modalRuns()) EXPECT_TRUE(run.closedByScript);
    EXPECT_TRUE(sys.messageBoxes.empty());
}

TEST_F(AddDialogTest, RefusalsComeInOrderAndKeepTheDialogWithItsInputs) {
    Inputs afterName, afterCategory;
    addThroughDialog([&](SimWindow& dialog) {
        dialog.click("按钮2");  // neither name nor category
        dialog.type("编辑框2", "qq");
        dialog.click("按钮2");  // a name, but "-请选择-"
        afterCategory = inputsOf(dialog);
        dialog.selectItem("组合框1", 3);
        dialog.type("编辑框2", "\b\b");
        dialog.click("按钮2");  // a category, but no name
        afterName = inputsOf(dialog);
    });

    ASSERT_EQ(sys.messageBoxes.size(), 3u);
    EXPECT_EQ(sys.messageBoxes[0].text, "您还没有输入文件名");
    EXPECT_EQ(sys.messageBoxes[0].title, "未输入");
    EXPECT_EQ(sys.messageBoxes[0].flags, MbIconExclamation);
    EXPECT_EQ(sys.messageBoxes[1].text, "您还没有选择应用类型");
    EXPECT_EQ(sys.messageBoxes[1].title, "请先选择");
    EXPECT_EQ(sys.messageBoxes[1].flags, MbIconExclamation);
    EXPECT_EQ(sys.messageBoxes[2].title, "未输入");

    EXPECT_TRUE(afterCategory.open);
    EXPECT_EQ(afterCategory.name, "qq");
    EXPECT_TRUE(afterName.open);
    EXPECT_EQ(afterName.category, 3);
    EXPECT_FALSE(sys.hasFile(IniPath));
    EXPECT_FALSE(windows.modalRuns()[0].closedByScript);
}

TEST_F(AddDialogTest, TheListSeparatorIsRefusedInANameOrAPath) {
    sys.fileDialogAnswers.push_back("C:\\odd%$dir\\x.exe");
    Inputs afterName, afterPath;
    addThroughDialog([&](SimWindow& dialog) {
        dialog.type("编辑框2", "a%$b");
        dialog.selectItem("组合框1", 1);
        dialog.click("按钮2");
        afterName = inputsOf(dialog);
        dialog.type("编辑框2", "\b\b\b\bab");
        dialog.click("按钮1");
        dialog.click("按钮2");
        afterPath = inputsOf(dialog);
    });

    ASSERT_EQ(sys.messageBoxes.size(), 2u);
    for (const auto& box : sys.messageBoxes) {
        EXPECT_EQ(box.text, "应用名称和路径中不能含有“%$”");
        EXPECT_EQ(box.title, "无法添加");
        EXPECT_EQ(box.flags, MbIconExclamation);
    }
    EXPECT_TRUE(afterName.open);
    EXPECT_EQ(afterName.name, "a%$b");
    EXPECT_TRUE(afterPath.open);
    EXPECT_EQ(afterPath.path, "C:\\odd%$dir\\x.exe");
    EXPECT_FALSE(sys.hasFile(IniPath));
}

TEST_F(AddDialogTest, AnEntryThatWasNotStoredIsReportedAndTheDialogStays) {
    sys.failAllWrites = true;
    Inputs after;
    sys.fileDialogAnswers.push_back("C:\\qq.exe");
    addThroughDialog([&](SimWindow& dialog) {
        dialog.type("编辑框2", "qq");
        dialog.click("按钮1");
        dialog.selectItem("组合框1", 1);
        dialog.click("按钮2");
        after = inputsOf(dialog);
    });

    ASSERT_EQ(sys.messageBoxes.size(), 1u);
    EXPECT_EQ(sys.messageBoxes[0].text, "无法写入kjfs.ini，应用未添加");
    EXPECT_EQ(sys.messageBoxes[0].title, "保存失败");
    EXPECT_EQ(sys.messageBoxes[0].flags, MbIconExclamation);
    EXPECT_TRUE(after.open);
    EXPECT_EQ(after.name, "qq");
    EXPECT_EQ(after.path, "C:\\qq.exe");
    EXPECT_EQ(after.category, 1);
    EXPECT_TRUE(main->copiesOf("按钮_聊天").empty());
}

TEST_F(AddDialogTest, BrowseKeepsThePathWhenCancelled) {
    sys.fileDialogAnswers = {std::string("C:\\a.exe"), std::nullopt};
    std::string afterChoice, afterCancel;
    addThroughDialog([&](SimWindow& dialog) {
        dialog.click("按钮1");
        afterChoice = dialog.text("编辑框1", Prop::Text);
        dialog.click("按钮1");
        afterCancel = dialog.text("编辑框1", Prop::Text);
    });
    EXPECT_EQ(afterChoice, "C:\\a.exe");
    EXPECT_EQ(afterCancel, "C:\\a.exe");
    ASSERT_EQ(sys.fileDialogs.size(), 2u);
    EXPECT_EQ(sys.fileDialogs[0].filter, "任何文件都可以|*.*");
    EXPECT_EQ(sys.fileDialogs[0].flags, 0x1806u);
    EXPECT_EQ(sys.fileDialogs[0].initialName, "");
    EXPECT_EQ(sys.fileDialogs[1].initialName, "C:\\a.exe");
}

// The click stores and closes; the page is refilled by a message of its own
// after it, not inside the click.
TEST_F(AddDialogTest, AnEmptyPathIsStoredByTheClickAndItsButtonComesAfterAndStartsNothing) {
    std::string storedInTheClick;
    bool closedInTheClick = false, refilledInTheClick = true;
    main->chooseFolder("卷帘式菜单1", 2);  // a page shown once is refilled with the others
    addThroughDialog([&](SimWindow& dialog) {
        dialog.type("编辑框2", "nothing");
        dialog.selectItem("组合框1", 3);
        dialog.click("按钮2");
        storedInTheClick = stored("快捷方式", "游戏娱乐");
        closedInTheClick = !dialog.isOpen();
        refilledInTheClick = !main->copiesOf("按钮_游戏").empty();
    });
    EXPECT_EQ(storedInTheClick, "nothing%$");
    EXPECT_TRUE(closedInTheClick);
    EXPECT_FALSE(refilledInTheClick);
    EXPECT_EQ(stored("快捷链接", "游戏娱乐"), "%$");
    const auto buttons = main->copiesOf("按钮_游戏");
    ASSERT_EQ(buttons.size(), 1u);
    main->click(buttons[0]);
    EXPECT_TRUE(sys.launches.empty());
}

TEST_F(AddDialogTest, EveryOpeningStartsFresh) {
    addEntry("qq", "C:\\qq.exe", 1);
    Inputs fresh;
    std::string fileName = "unset";
    addThroughDialog([&](SimWindow& dialog) {
        fresh = inputsOf(dialog);
        fileName = dialog.text("通用对话框1", Prop::FileName);
    });
    EXPECT_TRUE(fresh.open);
    EXPECT_EQ(fresh.name, "");
    EXPECT_EQ(fresh.path, "");
    EXPECT_EQ(fresh.category, 0);
    EXPECT_EQ(fileName, "");
    // Closed without ＯＫ: nothing more stored.
    EXPECT_EQ(stored("快捷方式", "聊天通讯"), "qq%$");
}

}  // namespace
}  // namespace velarion::testing
