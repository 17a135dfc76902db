// Hand-edited and hostile kjfs.ini files (tests/corpus, and a few made here) with
// the program on the stand-in layer: it starts and shows what the file's reader
// gives, and the next add keeps everything that was there. A file that cannot be
// written leaves the add refused, the user told, and the file as it was.

#include <gtest/gtest.h>

#include <string>

#include "tests/reliability/CorpusSupport.hpp"
#include "tests/ui/AppHarness.hpp"

namespace velarion::testing {
namespace {

const char* const TemplateButtons[] = {"按钮_聊天", "按钮_音乐", "按钮_游戏", "按钮_其他"};
const char* const EmptyLabels[] = {"标签_聊天", "标签_音乐", "标签_游戏", "标签_其他"};

class HostileFile : public AppHarness {
public:
    // What the pages show: the names of the visible entry buttons, in position order.
    std::vector<std::string> shownNames(Category category) {
        std::vector<std::string> names;
        for (const std::string& button : main->copiesOf(TemplateButtons[static_cast<int>(category)]))
            if (main->flag(button, Prop::Visible)) names.push_back(main->text(button, Prop::Text));
        return names;
    }

    // Starts the program on `bytes` and checks every page against the file's reader.
    void startOn(const std::string& bytes, const std::string& label) {
        sys.putFile(IniPath, bytes);
        start();
        for (Category category : AllCategories) {
            main->chooseFolder("卷帘式菜单1", static_cast<int>(category));  // its buttons are made as it shows
            const auto expected = splitList(iniRead(bytes, SectionNames, categoryKey(category)));
            EXPECT_EQ(shownNames(category), expected) << label << ": " << categoryKey(category);
            EXPECT_EQ(main->flag(EmptyLabels[static_cast<int>(category)], Prop::Visible), expected.empty()) << label;
        }
    }

    // Adds an entry through the dialog and checks that nothing of `before` was lost.
    void addAndCheck(const std::string& before, Category category, const std::string& label) {
        const std::string name = "新程序", path = "C:\\新 目录\\工具.exe";
        addEntry(name, path, static_cast<int>(category) + 1);
        EXPECT_TRUE(sys.messageBoxes.empty()) << label;
        const std::string after = *sys.file(IniPath);
        EXPECT_EQ(appendLosses(before, after, category, name, path), "") << label;
        // The page shows the new entry last, and its button starts its own path.
        const auto shown = shownNames(category);
        ASSERT_FALSE(shown.empty()) << label;
        EXPECT_EQ(shown.back(), name) << label;
        const auto buttons = main->copiesOf(TemplateButtons[static_cast<int>(category)]);
        sys.launches.clear();
        main->click(buttons[shown.size() - 1]);
        EXPECT_EQ(sys.launches, std::vector<std::string>{path}) << label;
    }
};

TEST(HostileCorpus, HoldsTheKeptFiles) { EXPECT_GE(corpusFiles().size(), 30u); }

// Every kept file, an add to each category in turn (a fresh start each time).
TEST(HostileCorpus, EveryFileStartsAndKeepsEverythingThroughAnAdd) {
    for (const CorpusFile& file : corpusFiles()) {
        for (Category category : AllCategories) {
            struct Run : HostileFile {
                void TestBody() override {}
            } run;
            run.startOn(file.bytes, file.name);
            run.addAndCheck(file.bytes, category, file.name + " / " + std::string(categoryKey(category)));
        }
    }
}

TEST_F(HostileFile, AOneMegabyteValueIsKeptWholeThroughAnAdd) {
    std::string big;
    while (big.size() < (1u << 20)) big += "很长的名字%$";
    const std::string bytes = "[快捷方式]\r\n聊天通讯=" + big + "\r\n[快捷链接]\r\n聊天通讯=C:\\a.exe%$\r\n"
                              "[系统设置]\r\n透明度=150\r\n";
    startOn(bytes, "1 MB");
    addAndCheck(bytes, Category::Chat, "1 MB");
    EXPECT_EQ(ctx.settings.read(SectionSettings, KeyOpacity), "150");
}

TEST_F(HostileFile, FiftyThousandEntriesLoadAndKeepEverythingThroughAnAdd) {
    std::string names, paths;
    for (int i = 1; i <= 50000; ++i) {
        names += "程序" + std::to_string(i) + "%$";
        paths += "C:\\目录 " + std::to_string(i) + "\\p.exe%$";
    }
    const std::string bytes = "[快捷方式]\r\n游戏娱乐=" + names + "\r\n[快捷链接]\r\n游戏娱乐=" + paths + "\r\n";
    startOn(bytes, "50000");
    addAndCheck(bytes, Category::Games, "50000");
}

TEST_F(HostileFile, AThousandKeysInManySectionsAreKeptThroughAnAdd) {
    std::string bytes;
    for (int s = 0; s < 20; ++s) {
        bytes += "[节" + std::to_string(s) + "]\r\n";
        for (int k = 0; k < 50; ++k) bytes += "键" + std::to_string(k) + "=值" + std::to_string(s * 100 + k) + "\r\n";
    }
    bytes += "[快捷方式]\r\n其他应用=甲%$\r\n[快捷链接]\r\n其他应用=C:\\a.exe%$\r\n";
    startOn(bytes, "1000 keys");
    addAndCheck(bytes, Category::Other, "1000 keys");
}

// A folder named kjfs.ini or a write-protected file: the file cannot be read or
// written. The add is refused with the dialog's message and nothing changes.
TEST_F(HostileFile, AFileThatCannotBeWrittenRefusesTheAddAndLosesNothing) {
    const std::string bytes = "[快捷方式]\r\n聊天通讯=甲%$\r\n[快捷链接]\r\n聊天通讯=C:\\a.exe%$\r\n";
    for (bool readable : {true, false}) {
        SCOPED_TRACE(readable ? "write-protected file" : "a folder of that name");
        sys.putFile(IniPath, bytes);
        sys.failWritesTo = {IniPath};
        sys.unreadable.clear();
        if (!readable) sys.unreadable = {IniPath};
        sys.messageBoxes.clear();
        if (!main) start();
        fillPages(ctx);
        bool stayedOpen = false;
        sys.fileDialogAnswers.push_back("C:\\新.exe");
        addThroughDialog([&](SimWindow& dialog) {
            dialog.type("编辑框2", "新");
            dialog.click("按钮1");
            dialog.selectItem("组合框1", 1);
            dialog.click("按钮2");
            stayedOpen = dialog.isOpen();
        });
        ASSERT_EQ(sys.messageBoxes.size(), 1u);
        EXPECT_EQ(sys.messageBoxes[0].text, "无法写入kjfs.ini，应用未添加");
        EXPECT_EQ(sys.messageBoxes[0].title, "保存失败");
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(*sys.file(IniPath), bytes);
        // A setting changed meanwhile is not stored either, and nothing is lost.
        main->sliderDrag("滑块条1", 120);
        EXPECT_EQ(*sys.file(IniPath), bytes);
    }
}

}  // namespace
}  // namespace velarion::testing
