// Files and directories through the Win32 system services, against Wine's real
// file system: paths with Chinese names, whole-file reads, atomic replacement.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/win32/helpers/SystemTestSupport.hpp"

namespace velarion::testing {
namespace {

std::wstring windowsDirectoryWide() {
    wchar_t buffer[MAX_PATH];
    const UINT n = GetWindowsDirectoryW(buffer, MAX_PATH);
    return std::wstring(buffer, n);
}

TEST(SystemFiles, WindowsDirectoryAndOwnPath) {
    win32::Win32System system(nullptr);
    const std::string directory = system.windowsDirectory();
    EXPECT_EQ(directory, gbk(windowsDirectoryWide() + L"\\"));

    const ExecutablePath self = system.executablePath();
    EXPECT_EQ(self.fileName, "win32_tests.exe");
    EXPECT_EQ(self.directory, gbk(folderOfThisProgram()));
    EXPECT_NE(self.directory.back(), '\\');
}

TEST(SystemFiles, CurrentDirectoryWithChineseName) {
    win32::Win32System system(nullptr);
    ScratchFolder scratch;
    const std::wstring folder = scratch / L"启动目录";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    wchar_t before[MAX_PATH * 4];
    GetCurrentDirectoryW(MAX_PATH * 4, before);

    EXPECT_TRUE(system.setCurrentDirectory(gbk(folder)));
    wchar_t now[MAX_PATH * 4];
    GetCurrentDirectoryW(MAX_PATH * 4, now);
    EXPECT_EQ(std::wstring(now), folder);
    EXPECT_FALSE(system.setCurrentDirectory(gbk(scratch / L"没有")));
    EXPECT_FALSE(system.setCurrentDirectory(""));
    SetCurrentDirectoryW(before);
}

TEST(SystemFiles, ReadWholeFileTellsMissingFromUnreadable) {
    win32::Win32System system(nullptr);
    ScratchFolder scratch;
    const std::string bytes("[系统设置]\r\n透明度=200\r\n\0tail\xFF", 30);
    writeBytes(scratch / L"设置.ini", bytes);
    CreateDirectoryW((scratch / L"folder.ini").c_str(), nullptr);

    FileContents read = system.readWholeFile(gbk(scratch / L"设置.ini"));
    EXPECT_EQ(read.status, FileReadStatus::Ok);
    EXPECT_EQ(read.bytes, bytes);
    EXPECT_EQ(system.readWholeFile(gbk(scratch / L"none.ini")).status, FileReadStatus::Missing);
    EXPECT_EQ(system.readWholeFile(gbk(scratch / L"none\\x.ini")).status, FileReadStatus::Missing);
    EXPECT_EQ(system.readWholeFile(gbk(scratch / L"folder.ini")).status, FileReadStatus::Failed);

    writeBytes(scratch / L"empty.ini", "");
    read = system.readWholeFile(gbk(scratch / L"empty.ini"));
    EXPECT_EQ(read.status, FileReadStatus::Ok);
    EXPECT_EQ(read.bytes, "");
}

// Every file in a folder, to see that no temporary file is left behind.
std::vector<std::wstring> filesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

TEST(SystemFiles, ReplaceFileCreatesAndReplacesLeavingNothingElse) {
    win32::Win32System system(nullptr);
    ScratchFolder scratch;
    const std::wstring file = scratch / L"配置.ini";

    EXPECT_TRUE(system.replaceFile(gbk(file), "first\r\n"));
    EXPECT_EQ(readBytes(file), "first\r\n");
    EXPECT_TRUE(system.replaceFile(gbk(file), "[中]\r\nsecond=值\r\n"));
    EXPECT_EQ(readBytes(file), "[中]\r\nsecond=值\r\n");
    EXPECT_TRUE(system.replaceFile(gbk(file), ""));
    EXPECT_EQ(readBytes(file), "");
    EXPECT_EQ(filesIn(scratch.path()), std::vector<std::wstring>{L"配置.ini"});
}

// A long file is read through a view of it, and a replacement may be written from
// pieces of that view: it lets the view go before the new file takes the old one's
// place (a mapped file cannot be replaced).
TEST(SystemFiles, ALongFileIsReplacedFromPiecesOfItsRead) {
    win32::Win32System system(nullptr);
    ScratchFolder scratch;
    const std::wstring file = scratch / L"配置.ini";
    std::string old(3u << 20, 'a');
    old.replace(1u << 20, 4, "中文");
    writeBytes(file, old);

    FileContents read = system.readWholeFile(gbk(file));
    ASSERT_EQ(read.bytes, old);
    const std::string_view kept = read.bytes;
    FileContents held = system.readWholeFile(gbk(file));
    EXPECT_FALSE(system.replaceFile(gbk(file), "x"));  // while a view of it is held
    held = {};
    const std::string_view pieces[] = {kept.substr(0, 5), "新", kept.substr(old.size() - 5)};
    EXPECT_TRUE(system.replaceFileWith(gbk(file), pieces, std::move(read)));
    EXPECT_EQ(readBytes(file), "aaaaa新aaaaa");
    EXPECT_TRUE(system.replaceFile(gbk(file), "new"));
    EXPECT_EQ(filesIn(scratch.path()), std::vector<std::wstring>{L"配置.ini"});
}

TEST(SystemFiles, ReplaceFileRemovesTemporariesOfAnInterruptedWrite) {
    win32::Win32System system(nullptr);
    ScratchFolder scratch;
    const std::wstring file = scratch / L"kjfs.ini";
    writeBytes(file, "old");
    // What a write cut short by a crash leaves: the old file and a temporary one.
    writeBytes(file + win32::ReplaceTempMarker + L"123-456-1.tmp", "torn");
    writeBytes(scratch / L"other.tmp", "not ours");

    EXPECT_EQ(readBytes(file), "old");  // the file itself was never touched
    EXPECT_TRUE(system.replaceFile(gbk(file), "new"));
    EXPECT_EQ(readBytes(file), "new");
    auto names = filesIn(scratch.path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"kjfs.ini", L"other.tmp"}));
}

TEST(SystemFiles, ReplaceFileRefusesFoldersAndProtectedFilesCleanly) {
    win32::Win32System system(nullptr);
    ScratchFolder scratch;
    const std::wstring folder = scratch / L"kjfs.ini";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    EXPECT_FALSE(system.replaceFile(gbk(folder), "x"));
    EXPECT_NE(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);

    const std::wstring locked = scratch / L"locked.ini";
    writeBytes(locked, "keep");
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(system.replaceFile(gbk(locked), "lost"));
    EXPECT_EQ(readBytes(locked), "keep");

    EXPECT_FALSE(system.replaceFile(gbk(scratch / L"missing\\kjfs.ini"), "x"));
    auto names = filesIn(scratch.path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"kjfs.ini", L"locked.ini"}));
}

TEST(SystemFiles, ReplaceFileKeepsTheOldContentWhileTheFileIsHeldOpen) {
    win32::Win32System system(nullptr);
    ScratchFolder scratch;
    const std::wstring file = scratch / L"kjfs.ini";
    writeBytes(file, "old");
    // Another program holds the file open without sharing: no replacement is
    // possible, and the old content must survive whole.
    HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(system.replaceFile(gbk(file), "new"));
    CloseHandle(held);
    EXPECT_EQ(readBytes(file), "old");
    // (Wine's ReplaceFileW leaves a temporary file of its own behind here; none of ours may stay.)
    for (const std::wstring& name : filesIn(scratch.path()))
        EXPECT_EQ(name.find(win32::ReplaceTempMarker), std::wstring::npos) << gbk(name);
}

}  // namespace
}  // namespace velarion::testing
