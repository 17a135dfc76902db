#include <gtest/gtest.h>

#include "platform/sim/SimSystem.hpp"

using namespace velarion;

namespace {
constexpr auto Machine = RegistryRoot::LocalMachine;
const std::string RunKey = "software\\microsoft\\windows\\CurrentVersion\\RunKey";
}  // namespace

TEST(SimSystemRegistry, WritesAndDeletesWithTheSplitRules) {
    SimSystem system;
    EXPECT_TRUE(system.writeRegistryText(Machine, RunKey + "\\Velarion", "C:\\Program Files\\Velarion\\velarion.exe"));
    EXPECT_TRUE(system.registryKeyExists(Machine, "SOFTWARE\\Microsoft"));  // parents made, case ignored
    EXPECT_EQ(system.registryText(Machine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunKey\\velarion"),
              "C:\\Program Files\\Velarion\\velarion.exe");
    EXPECT_EQ(system.registryText(RegistryRoot::CurrentUser, RunKey + "\\Velarion"), std::nullopt);

    EXPECT_TRUE(system.deleteRegistryItem(Machine, RunKey + "\\Velarion"));
    EXPECT_EQ(system.registryText(Machine, RunKey + "\\Velarion"), std::nullopt);
    EXPECT_TRUE(system.registryKeyExists(Machine, RunKey));  // only the value went
    EXPECT_FALSE(system.deleteRegistryItem(Machine, RunKey + "\\Velarion"));
}

TEST(SimSystemRegistry, ASplitNeverFallsInsideADoubleByteCharacter) {
    SimSystem system;
    // 昞 ends in the byte 0x5C: the value name is "名昞", under the key "k".
    ASSERT_TRUE(system.writeRegistryText(Machine, "k\\名昞", "v"));
    EXPECT_TRUE(system.registryKeyExists(Machine, "k"));
    EXPECT_FALSE(system.registryKeyExists(Machine, "k\\名\x95"));
    EXPECT_EQ(system.registryText(Machine, "k\\名昞"), "v");
    // Without a backslash the whole text names a value of the root itself.
    ASSERT_TRUE(system.writeRegistryText(Machine, "top", "t"));
    EXPECT_EQ(system.registryText(Machine, "top"), "t");
    EXPECT_EQ(system.registryValueCount(), 2u);
}

TEST(SimSystemRegistry, DeleteFallsBackToTheKeyNamedByTheWholePath) {
    SimSystem system;
    system.putRegistryKey(Machine, "a\\b\\c");
    EXPECT_FALSE(system.deleteRegistryItem(Machine, "a\\b"));  // b has the subkey c
    EXPECT_TRUE(system.deleteRegistryItem(Machine, "a\\b\\c"));
    EXPECT_FALSE(system.registryKeyExists(Machine, "a\\b\\c"));
    EXPECT_TRUE(system.registryKeyExists(Machine, "a\\b"));
}

TEST(SimSystemRegistry, ARefusedRootChangesNothing) {
    SimSystem system;
    ASSERT_TRUE(system.writeRegistryText(Machine, RunKey + "\\x", "1"));
    system.refusedRoots.insert(Machine);
    EXPECT_FALSE(system.writeRegistryText(Machine, RunKey + "\\x", "2"));
    EXPECT_FALSE(system.deleteRegistryItem(Machine, RunKey + "\\x"));
    EXPECT_EQ(system.registryText(Machine, RunKey + "\\x"), "1");
    EXPECT_TRUE(system.writeRegistryText(RegistryRoot::CurrentUser, RunKey + "\\x", "3"));
}

TEST(SimSystemClock, CarriesIntoMinutesHoursDaysMonthsAndYears) {
    SimSystem system;
    system.setClock({2023, 12, 31, 23, 59, 58});
    system.advance(999);
    LocalClock clock = system.readLocalClock();
    EXPECT_EQ(clock.second, 58);
    system.advance(2001);  // three seconds after the base
    clock = system.readLocalClock();
    EXPECT_EQ((std::vector<int>{clock.year, clock.month, clock.day, clock.hour, clock.minute, clock.second}),
              (std::vector<int>{2024, 1, 1, 0, 0, 1}));
    system.setClock({2024, 2, 28, 12, 0, 0});
    system.advance(86400 * 1000LL);
    clock = system.readLocalClock();
    EXPECT_EQ((std::vector<int>{clock.month, clock.day}), (std::vector<int>{2, 29}));  // leap year
    system.advance(86400 * 1000LL);
    clock = system.readLocalClock();
    EXPECT_EQ((std::vector<int>{clock.month, clock.day}), (std::vector<int>{3, 1}));
}

TEST(SimSystemClock, WaitMovesTimeOrHandsOverToTheHook) {
    SimSystem system;
    system.waitWithEvents(0);
    system.waitWithEvents(-5);
    EXPECT_EQ(system.nowMs, 0);
    system.waitWithEvents(1000);
    EXPECT_EQ(system.nowMs, 1001);
    std::vector<int> seen;
    system.waitHook = [&](int ms) {
        seen.push_back(ms);
        system.advance(ms + 1);
    };
    system.waitWithEvents(1);
    system.waitWithEvents(0);
    EXPECT_EQ(seen, std::vector<int>{1});
    EXPECT_EQ(system.nowMs, 1003);
    EXPECT_EQ(system.waits, (std::vector<int>{0, -5, 1000, 1, 0}));
}

TEST(SimSystemFeedback, RecordsAndAnswersFromTheScript) {
    SimSystem system;
    system.messageBoxAnswers = {7};
    EXPECT_EQ(system.showMessageBox("text", MbIconExclamation, "title"), 7);
    EXPECT_EQ(system.showMessageBox("again", MbOk, "t"), 1);
    ASSERT_EQ(system.messageBoxes.size(), 2u);
    EXPECT_EQ(system.messageBoxes[0].flags, MbIconExclamation);

    system.fileDialogAnswers = {std::string("C:\\x.exe"), std::nullopt};
    std::string name = "start";
    EXPECT_TRUE(system.openFileDialog("任何文件都可以|*.*", 0, name));
    EXPECT_EQ(name, "C:\\x.exe");
    EXPECT_FALSE(system.openFileDialog("任何文件都可以|*.*", 0, name));
    EXPECT_EQ(name, "C:\\x.exe");
    EXPECT_FALSE(system.openFileDialog("f", 0, name));  // no answer left: cancel
    EXPECT_EQ(system.fileDialogs[1].initialName, "C:\\x.exe");

    int modal = 0;
    system.modalHook = [&] { ++modal; };
    system.showAboutBox("Velarion", "text");
    EXPECT_EQ(modal, 1);

    system.launchResult = false;
    EXPECT_FALSE(system.runProgram("notepad.exe a.txt"));
    EXPECT_EQ(system.launches, std::vector<std::string>{"notepad.exe a.txt"});
    EXPECT_TRUE(system.shutDownSystem(ShutdownPowerOff, true));
    EXPECT_EQ(system.shutdowns.size(), 1u);
}

TEST(SimSystemFiles, RelativeNamesLieInTheCurrentDirectory) {
    SimSystem system;
    ASSERT_TRUE(system.setCurrentDirectory(system.executable.directory));
    ASSERT_TRUE(system.replaceFile("kjfs.ini", "x"));
    EXPECT_EQ(system.filePaths(), std::vector<std::string>{"C:\\Program Files\\Velarion\\kjfs.ini"});
    EXPECT_EQ(system.readWholeFile("c:\\program files\\velarion\\KJFS.INI").bytes, "x");
    system.failWritesTo.insert("kjfs.ini");
    EXPECT_FALSE(system.replaceFile("C:\\Program Files\\Velarion\\kjfs.ini", "y"));
    EXPECT_EQ(system.readWholeFile("kjfs.ini").status, FileReadStatus::Ok);
    EXPECT_EQ(system.readWholeFile("other.ini").status, FileReadStatus::Missing);
}
