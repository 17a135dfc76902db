#include <gtest/gtest.h>

#include "core/Profile.hpp"
#include "core/SettingsFile.hpp"
#include "platform/sim/SimSystem.hpp"

using namespace velarion;

namespace {

struct SettingsFileTest : ::testing::Test {
    SimSystem system;
    SettingsFile settings{system};
    const std::string path = "C:\\WINDOWS\\kjfs.ini";
};

}  // namespace

TEST_F(SettingsFileTest, PathIsTheWindowsDirectoryPlusTheName) {
    EXPECT_EQ(settings.path(), path);
    system.windowsDir = "C:\\WINDOWS";
    EXPECT_EQ(settings.path(), path);
    system.windowsDir = "C:\\";
    EXPECT_EQ(settings.path(), "C:\\kjfs.ini");
    system.windowsDir = "D:\\昞";  // ends in a trail byte 0x5C, not in a backslash
    EXPECT_EQ(settings.path(), "D:\\昞\\kjfs.ini");
    system.windowsDir = "";
    EXPECT_EQ(settings.path(), "kjfs.ini");
}

TEST_F(SettingsFileTest, NoWindowsDirectoryMeansTheCurrentDirectory) {
    system.windowsDir = "";
    system.currentDirectory = "C:\\Program Files\\Velarion";
    EXPECT_TRUE(settings.write(SectionSettings, KeyTopmost, std::string(FlagOn)));
    EXPECT_TRUE(system.hasFile("C:\\Program Files\\Velarion\\kjfs.ini"));
    EXPECT_EQ(settings.read(SectionSettings, KeyTopmost), FlagOn);
}

TEST_F(SettingsFileTest, FirstWriteCreatesTheFile) {
    EXPECT_EQ(settings.read(SectionSettings, KeyOpacity), "");
    EXPECT_FALSE(system.hasFile(path));
    EXPECT_TRUE(settings.write(SectionSettings, KeyOpacity, "200"));
    EXPECT_EQ(system.file(path), "[系统设置]\r\n透明度=200\r\n");
    EXPECT_TRUE(settings.write(SectionSettings, KeyOpacity, "180"));
    EXPECT_TRUE(settings.write(SectionSettings, KeyAutostart, std::string(FlagOff)));
    EXPECT_EQ(system.file(path), "[系统设置]\r\n透明度=180\r\n开机启动=假\r\n");
    EXPECT_EQ(settings.read(SectionSettings, KeyOpacity), "180");
}

TEST_F(SettingsFileTest, OnlyTheExactFlagTextIsOn) {
    for (const char* stored : {"1", "true", "", "真 x", "假"}) {
        system.putFile(path, std::string("[系统设置]\r\n前端=") + stored + "\r\n");
        EXPECT_FALSE(flagIsOn(settings.read(SectionSettings, KeyTopmost))) << stored;
    }
    system.putFile(path, "[系统设置]\r\n前端=真\r\n");
    EXPECT_TRUE(flagIsOn(settings.read(SectionSettings, KeyTopmost)));
}

TEST_F(SettingsFileTest, LeadingControlBytesAreSkippedAndEmptyNamesReadNothing) {
    system.putFile(path, "[系统设置]\r\n透明度=150\r\n");
    EXPECT_EQ(settings.read("\x01 系统设置", "\t透明度"), "150");
    system.unreadable.insert(path);  // any access to the file would now show
    EXPECT_EQ(settings.read(" \x1F", KeyOpacity), "");
    EXPECT_EQ(settings.read(SectionSettings, "   "), "");
    EXPECT_EQ(readProfileString(system, " \x02", SectionSettings, KeyOpacity, ReadLimit), "");
    EXPECT_EQ(settings.read(SectionSettings, KeyOpacity), "");  // unreadable reads as ""
}

TEST_F(SettingsFileTest, ReadCutsAtTheBufferAndReadWholeDoesNot) {
    std::string longValue(12000, 'a');
    ASSERT_TRUE(settings.write(SectionSettings, KeyOpacity, longValue));
    EXPECT_EQ(settings.read(SectionSettings, KeyOpacity), std::string(10239, 'a'));
    EXPECT_EQ(settings.readWhole(SectionSettings, KeyOpacity), longValue);
    ASSERT_TRUE(settings.write(SectionSettings, KeyTopmost, "真"));
    EXPECT_EQ(settings.read({{SectionSettings, KeyOpacity}, {SectionSettings, KeyTopmost}, {SectionSettings, KeyAutostart}}),
              (std::vector<std::string>{std::string(10239, 'a'), "真", ""}));
}

TEST_F(SettingsFileTest, AFailedWriteLeavesTheFileAsItWas) {
    ASSERT_TRUE(settings.write(SectionSettings, KeyOpacity, "200"));
    std::string before = *system.file(path);
    system.failWritesTo.insert(path);
    EXPECT_FALSE(settings.write(SectionSettings, KeyOpacity, "100"));
    EXPECT_FALSE(settings.writeAll({{std::string(SectionSettings), std::string(KeyTopmost), "真"},
                                    {std::string(SectionSettings), std::string(KeyOpacity), "90"}}));
    EXPECT_EQ(system.file(path), before);
    EXPECT_EQ(settings.read(SectionSettings, KeyOpacity), "200");
}

TEST_F(SettingsFileTest, AnUnreadableFileIsNeverOverwritten) {
    system.putFile(path, "[系统设置]\r\n透明度=200\r\n[快捷方式]\r\n聊天通讯=QQ%$\r\n");
    system.unreadable.insert(path);
    EXPECT_FALSE(settings.write(SectionSettings, KeyOpacity, "100"));
    EXPECT_EQ(system.replacements, 0);
}

TEST_F(SettingsFileTest, WriteAllIsOneReplacement) {
    EXPECT_TRUE(settings.writeAll({{std::string(SectionSettings), std::string(KeyOpacity), "200"},
                                   {std::string(SectionSettings), std::string(KeyTopmost), "真"}}));
    EXPECT_EQ(system.replacements, 1);
    EXPECT_EQ(system.file(path), "[系统设置]\r\n透明度=200\r\n前端=真\r\n");
    // Writing what is already there does not touch the file.
    EXPECT_TRUE(settings.write(SectionSettings, KeyOpacity, "200"));
    EXPECT_EQ(system.replacements, 1);
    // An item that cannot be written spoils the whole batch.
    EXPECT_FALSE(settings.writeAll({{std::string(SectionSettings), std::string(KeyOpacity), "1"}, {"", "k", "v"}}));
    EXPECT_EQ(settings.read(SectionSettings, KeyOpacity), "200");
}
