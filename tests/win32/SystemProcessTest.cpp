// Starting programs: the helper program reports the command line and working
// folder it was given, so the tests see exactly what was started and where.

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/ProgramCommandLine.hpp"
#include "tests/win32/helpers/SystemTestSupport.hpp"

namespace velarion::testing {
namespace {

struct Report {
    std::wstring commandLine;
    std::wstring folder;
};

std::wstring fromUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

// The report of the helper copy at `program`, once it has been written.
Report reportOf(const std::wstring& program) {
    const std::wstring path = program + L".report";
    if (!waitForFile(path)) return {L"<no report>", L""};
    const std::string text = readBytes(path);
    const std::size_t newline = text.find('\n');
    return {fromUtf8(text.substr(0, newline)), fromUtf8(text.substr(newline + 1, text.size() - newline - 2))};
}

// Nothing appears within a while: no program was started.
bool staysAbsent(const std::wstring& path) {
    Sleep(500);
    return !fileExists(path);
}

class SystemProcess : public ::testing::Test {
protected:
    // A folder whose name has a space, and a program named by the part of its
    // path before the space: the classic trap of unquoted command lines.
    const std::wstring decoy = L"C:\\vtdecoy.exe";
    ScratchFolder folder{L"C:\\vtdecoy dir"};
    const std::wstring program = folder / L"helper.exe";
    win32::Win32System system{nullptr};
    wchar_t launcherFolder[MAX_PATH * 4]{};

    void SetUp() override {
        ASSERT_TRUE(CopyFileW(helperProgram().c_str(), program.c_str(), FALSE)) << "helper missing";
        ASSERT_TRUE(CopyFileW(helperProgram().c_str(), decoy.c_str(), FALSE));
        DeleteFileW((decoy + L".report").c_str());
        GetCurrentDirectoryW(MAX_PATH * 4, launcherFolder);
    }
    void TearDown() override {
        DeleteFileW(decoy.c_str());
        DeleteFileW((decoy + L".report").c_str());
    }
};

TEST_F(SystemProcess, TheDecoyIsRealForAnUnquotedCommandLine) {
    // What the system itself does with the unquoted path: it starts the decoy.
    // This is the fault runProgram must not have.
    std::wstring commandLine = program;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &started));
    WaitForSingleObject(started.hProcess, 10000);
    CloseHandle(started.hProcess);
    CloseHandle(started.hThread);
    EXPECT_TRUE(fileExists(decoy + L".report"));
}

TEST_F(SystemProcess, AnExistingFileStartsExactlyThatFileInItsFolder) {
    EXPECT_TRUE(system.runProgram(gbk(program)));
    const Report report = reportOf(program);
    EXPECT_EQ(report.commandLine, L"\"" + program + L"\"");
    EXPECT_EQ(report.folder, folder.path());
    EXPECT_TRUE(staysAbsent(decoy + L".report"));
}

TEST_F(SystemProcess, ChineseFolderNames) {
    ScratchFolder chinese{L"C:\\vt 程序 目录"};
    const std::wstring copy = chinese / L"工具.exe";
    ASSERT_TRUE(CopyFileW(helperProgram().c_str(), copy.c_str(), FALSE));
    EXPECT_TRUE(system.runProgram(gbk(copy)));
    const Report report = reportOf(copy);
    EXPECT_EQ(report.commandLine, L"\"" + copy + L"\"");
    EXPECT_EQ(report.folder, chinese.path());
}

TEST_F(SystemProcess, ACommandLineWithArgumentsIsHandedOverUnchanged) {
    const std::wstring commandLine = L"\"" + program + L"\" 参数 two";
    EXPECT_TRUE(system.runProgram(gbk(commandLine)));
    const Report report = reportOf(program);
    EXPECT_EQ(report.commandLine, commandLine);
    EXPECT_EQ(report.folder, std::wstring(launcherFolder));  // the launcher's own
}

TEST_F(SystemProcess, ACommandLineSplitsIntoWhatTheShellIsHandedWhenElevationIsNeeded) {
    using Parts = std::pair<std::wstring, std::wstring>;
    auto split = [](const std::wstring& text) {
        const win32::CommandParts parts = win32::splitCommandLine(text);
        return Parts{parts.program, parts.arguments};
    };
    EXPECT_EQ(split(L"\"C:\\a b\\x.exe\"  -s \"1 2\""), (Parts{L"C:\\a b\\x.exe", L"-s \"1 2\""}));
    EXPECT_EQ(split(L"\"C:\\a b\\x.exe\""), (Parts{L"C:\\a b\\x.exe", L""}));
    EXPECT_EQ(split(L"\"C:\\unclosed x"), (Parts{L"C:\\unclosed x", L""}));
    EXPECT_EQ(split(L"regedit"), (Parts{L"regedit", L""}));
    const auto command = win32::resolveUnquotedCommand(program + L" \t参数  two");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->application, program);
    EXPECT_EQ(command->arguments, L"参数  two");
}

TEST_F(SystemProcess, AProgramOnlyInTheRealSystem32StartsFromA32BitCopy) {
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) GTEST_SKIP() << "System32 is not redirected here";
    wchar_t windows[MAX_PATH];
    GetSystemWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring real = std::wstring(windows) + L"\\Sysnative\\vt_native_only.exe";
    const std::wstring stored = std::wstring(windows) + L"\\System32\\vt_native_only.exe";
    ASSERT_TRUE(CopyFileW(helperProgram().c_str(), real.c_str(), FALSE));
    EXPECT_FALSE(fileExists(stored));  // this copy sees SysWOW64 there
    EXPECT_TRUE(system.runProgram(gbk(stored)));
    // The helper reports beside itself, in whichever folder it takes for its own.
    EXPECT_TRUE(waitForFile(stored + L".report", 3000) || fileExists(real + L".report"));
    for (const std::wstring& path : {real, real + L".report", stored + L".report"}) DeleteFileW(path.c_str());
}

TEST(ProgramCommandLine, APathUnderSystem32IsReadAsTheRealSystem32) {
    const std::wstring windows = L"C:\\Windows";
    for (const auto& [stored, started] : std::initializer_list<std::pair<std::wstring, std::wstring>>{
             {L"C:\\Windows\\System32\\tool.exe", L"C:\\Windows\\Sysnative\\tool.exe"},
             {L"c:\\WINDOWS\\system32\\sub dir\\t.exe -a", L"C:\\Windows\\Sysnative\\sub dir\\t.exe -a"},
             {L"\"C:\\Windows\\System32\\t.exe\" -a", L"\"C:\\Windows\\Sysnative\\t.exe\" -a"},
             {L"C:\\Windows\\System32", L"C:\\Windows\\System32"},  // the folder itself
             {L"C:\\Windows\\System32x\\t.exe", L"C:\\Windows\\System32x\\t.exe"},
             {L"D:\\Windows\\System32\\t.exe", L"D:\\Windows\\System32\\t.exe"},
             {L"C:\\Windows\\SysWOW64\\t.exe", L"C:\\Windows\\SysWOW64\\t.exe"},
             {L"notepad", L"notepad"}}) {
        EXPECT_EQ(win32::throughSysnative(stored, windows), started) << gbk(stored);
        EXPECT_EQ(win32::throughSysnative(stored, windows + L"\\"), started) << gbk(stored);
    }
}

TEST_F(SystemProcess, NothingStartsForEmptyMissingOrFolder) {
    EXPECT_FALSE(system.runProgram(""));
    EXPECT_FALSE(system.runProgram("C:\\vtmissing\\absent.exe"));
    // Unquoted, the folder's name would start the decoy.
    EXPECT_FALSE(system.runProgram(gbk(folder.path())));
    EXPECT_TRUE(staysAbsent(decoy + L".report"));
    EXPECT_FALSE(fileExists(program + L".report"));
}

TEST_F(SystemProcess, ADocumentOpensWithItsProgramThroughTheShell) {
    // A file type of our own whose "open" command is the helper. (Wine's class
    // root does not show the user's own classes, so it goes there directly.)
    const HKEY classes = HKEY_CLASSES_ROOT;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(classes, L".vtdoc", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring type = L"VelarionTest.Document";
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(type.c_str()),
                   static_cast<DWORD>((type.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyExW(classes, (type + L"\\shell\\open\\command").c_str(),
                              0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring command = L"\"" + program + L"\" \"%1\"";
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);

    const std::wstring document = folder / L"说明.vtdoc";
    writeBytes(document, "text");
    EXPECT_TRUE(system.runProgram(gbk(document)));
    const Report report = reportOf(program);
    EXPECT_NE(report.commandLine.find(document), std::wstring::npos) << gbk(report.commandLine);
    EXPECT_TRUE(staysAbsent(decoy + L".report"));

    RegDeleteTreeW(classes, L".vtdoc");
    RegDeleteTreeW(classes, type.c_str());
}

}  // namespace
}  // namespace velarion::testing
