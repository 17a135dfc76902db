#include <gtest/gtest.h>

#include "core/Catalog.hpp"
#include "platform/sim/SimSystem.hpp"

using namespace velarion;
using List = std::vector<std::string>;

namespace {

struct CatalogTest : ::testing::Test {
    SimSystem system;
    SettingsFile settings{system};
    Catalog catalog{settings};
    const std::string path = "C:\\WINDOWS\\kjfs.ini";

    std::string names(Category c) { return settings.readWhole(SectionNames, categoryKey(c)); }
    std::string paths(Category c) { return settings.readWhole(SectionPaths, categoryKey(c)); }
};

}  // namespace

TEST(CategoryKey, FixedKeysInPageOrder) {
    List keys;
    for (Category c : AllCategories) keys.emplace_back(categoryKey(c));
    EXPECT_EQ(keys, (List{"聊天通讯", "音乐影视", "游戏娱乐", "其他应用"}));
}

TEST_F(CatalogTest, NoFileMeansEveryCategoryIsEmpty) {
    for (Category c : AllCategories) {
        EXPECT_TRUE(catalog.load(c).empty());
        EXPECT_EQ(catalog.pathAt(c, 1), std::nullopt);
    }
    EXPECT_FALSE(system.hasFile(path));
}

TEST_F(CatalogTest, AppendStoresBothListsAndLoadReadsThem) {
    EXPECT_TRUE(catalog.append(Category::Games, "扫雷", "C:\\Games\\mine.exe"));
    EXPECT_EQ(system.file(path), "[快捷方式]\r\n游戏娱乐=扫雷%$\r\n[快捷链接]\r\n游戏娱乐=C:\\Games\\mine.exe%$\r\n");
    EXPECT_TRUE(catalog.append(Category::Games, "扫雷", ""));  // duplicates and empty paths as given
    EXPECT_EQ(names(Category::Games), "扫雷%$扫雷%$");
    EXPECT_EQ(paths(Category::Games), "C:\\Games\\mine.exe%$%$");
    EXPECT_EQ(system.replacements, 2);  // one replacement per append

    EXPECT_EQ(catalog.load(Category::Games).names, (List{"扫雷", "扫雷"}));
    EXPECT_EQ(catalog.pathAt(Category::Games, 1), "C:\\Games\\mine.exe");
    EXPECT_EQ(catalog.pathAt(Category::Games, 2), "");
    EXPECT_TRUE(catalog.load(Category::Chat).empty());
}

TEST_F(CatalogTest, AppendAfterAListWithoutFinalSeparatorKeepsNamesApart) {
    system.putFile(path, "[快捷方式]\r\n聊天通讯=a%$b\r\n[快捷链接]\r\n聊天通讯=pa%$pb\r\n");
    EXPECT_EQ(catalog.load(Category::Chat).names, (List{"a", "b"}));
    ASSERT_TRUE(catalog.append(Category::Chat, "new", "pnew"));
    EXPECT_EQ(names(Category::Chat), "a%$b%$new%$");
    EXPECT_EQ(paths(Category::Chat), "pa%$pb%$pnew%$");
    EXPECT_EQ(catalog.load(Category::Chat).names, (List{"a", "b", "new"}));
    EXPECT_EQ(catalog.pathAt(Category::Chat, 3), "pnew");
}

TEST_F(CatalogTest, LongListsAreNeverCut) {
    // Far beyond the 10239 bytes a settings value is read with.
    std::string storedNames, storedPaths;
    for (int i = 0; i < 800; ++i) {
        storedNames += "程序" + std::to_string(i) + "%$";
        storedPaths += "C:\\Programs\\program" + std::to_string(i) + ".exe%$";
    }
    ASSERT_GT(storedPaths.size(), 20000u);
    system.putFile(path, "[快捷方式]\r\n其他应用=" + storedNames + "\r\n[快捷链接]\r\n其他应用=" + storedPaths + "\r\n");

    EXPECT_EQ(catalog.load(Category::Other).names.size(), 800u);
    EXPECT_EQ(catalog.pathAt(Category::Other, 800), "C:\\Programs\\program799.exe");
    ASSERT_TRUE(catalog.append(Category::Other, "最后", "C:\\last.exe"));
    EXPECT_EQ(names(Category::Other), storedNames + "最后%$");
    EXPECT_EQ(paths(Category::Other), storedPaths + "C:\\last.exe%$");
    EXPECT_EQ(catalog.load(Category::Other).names.size(), 801u);
    EXPECT_EQ(catalog.pathAt(Category::Other, 801), "C:\\last.exe");
}

TEST_F(CatalogTest, AFailedAppendStoresNeitherList) {
    ASSERT_TRUE(catalog.append(Category::Media, "one", "p1"));
    std::string before = *system.file(path);
    system.failAllWrites = true;
    EXPECT_FALSE(catalog.append(Category::Media, "two", "p2"));
    EXPECT_EQ(system.file(path), before);
    system.failAllWrites = false;
    system.unreadable.insert(path);
    EXPECT_FALSE(catalog.append(Category::Media, "two", "p2"));
    system.unreadable.clear();
    EXPECT_EQ(catalog.load(Category::Media).names, List{"one"});
}

TEST_F(CatalogTest, PathAtOutsideTheHeldListGivesNone) {
    // A name with the separator inside makes the names list longer than the paths list.
    ASSERT_TRUE(catalog.append(Category::Chat, "a%$b", "only"));
    EXPECT_EQ(catalog.load(Category::Chat).names, (List{"a", "b"}));
    EXPECT_EQ(catalog.pathAt(Category::Chat, 1), "only");
    EXPECT_EQ(catalog.pathAt(Category::Chat, 2), std::nullopt);
    EXPECT_EQ(catalog.pathAt(Category::Chat, 0), std::nullopt);
    EXPECT_EQ(catalog.pathAt(Category::Chat, -1), std::nullopt);
}

TEST_F(CatalogTest, LoadingAnEmptyCategoryKeepsItsHeldPaths) {
    ASSERT_TRUE(catalog.append(Category::Chat, "QQ", "qq.exe"));
    catalog.load(Category::Chat);
    system.putFile(path, "");  // the file emptied by hand
    EXPECT_TRUE(catalog.load(Category::Chat).empty());
    EXPECT_EQ(catalog.pathAt(Category::Chat, 1), "qq.exe");
}

// All four from one reading: the same listings and held paths as four loads, and
// an empty category still keeps the paths it held.
TEST_F(CatalogTest, LoadAllIsFourLoadsFromOneReading) {
    ASSERT_TRUE(catalog.append(Category::Other, "calc", "calc.exe"));
    ASSERT_TRUE(catalog.append(Category::Chat, "QQ", "qq.exe"));
    ASSERT_TRUE(catalog.append(Category::Chat, "mail", "mail.exe"));
    catalog.load(Category::Games);
    const int reads = system.wholeFileReads;
    const auto all = catalog.loadAll();
    EXPECT_EQ(system.wholeFileReads, reads + 1);
    EXPECT_EQ(all[0].names, (List{"QQ", "mail"}));
    EXPECT_TRUE(all[1].empty() && all[2].empty());
    EXPECT_EQ(all[3].names, List{"calc"});
    EXPECT_EQ(catalog.pathAt(Category::Chat, 2), "mail.exe");
    system.putFile(path, "");
    catalog.loadAll();
    EXPECT_EQ(catalog.pathAt(Category::Other, 1), "calc.exe");
}
