// Unquoted paths with blanks (CWE-428) under Wine: a decoy program named by the
// part of a stored path before its first blank is never started, whether the
// stored path names an existing program, a program with arguments, or a file that
// is gone; and the start-with-Windows value, as the system runs it, starts the
// program itself.

#include <gtest/gtest.h>

#include <string>

#include "tests/win32/helpers/SystemTestSupport.hpp"

namespace velarion::testing {
namespace {

std::string utf8(const std::wstring& wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, text.data(), n, nullptr, nullptr);
    text.pop_back();
    return text;
}

// Nothing appears within a while: no program wrote it.
bool staysAbsent(const std::wstring& path) {
    Sleep(500);
    return !fileExists(path);
}

class UnsafePath : public ::testing::Test {
protected:
    // C:\vtrdecoy.exe is what the system would start for any unquoted
    // C:\vtrdecoy dir\... command line.
    const std::wstring decoy = L"C:\\vtrdecoy.exe";
    ScratchFolder folder{L"C:\\vtrdecoy dir"};
    const std::wstring program = folder / L"helper.exe";
    win32::Win32System system{nullptr};

    void SetUp() override {
        ASSERT_TRUE(CopyFileW(helperProgram().c_str(), program.c_str(), FALSE)) << "helper missing";
        ASSERT_TRUE(CopyFileW(helperProgram().c_str(), decoy.c_str(), FALSE));
        DeleteFileW((decoy + L".report").c_str());
    }
    void TearDown() override {
        DeleteFileW(decoy.c_str());
        DeleteFileW((decoy + L".report").c_str());
    }
    std::string report(const std::wstring& of) {
        if (!waitForFile(of + L".report")) return "<none>";
        return readBytes(of + L".report");
    }
};

TEST_F(UnsafePath, AMissingFileStartsNothing) {
    for (const std::wstring& stored : std::initializer_list<std::wstring>{folder / L"gone.exe", folder / L"gone", folder / L"sub dir\\gone.exe",
                                       L"C:\\vtrdecoy dir", L"C:\\vtrdecoy  dir\\helper.exe"}) {
        EXPECT_FALSE(system.runProgram(gbk(stored))) << gbk(stored);
    }
    EXPECT_TRUE(staysAbsent(decoy + L".report"));
}

TEST_F(UnsafePath, AProgramWithArgumentsStartsThatProgram) {
    const std::wstring arguments = L" 参数 C:\\x y.txt";
    EXPECT_TRUE(system.runProgram(gbk(program + arguments)));
    const std::string started = report(program);
    EXPECT_EQ(started.substr(0, started.find('\n')), utf8(L"\"" + program + L"\"" + arguments));
    EXPECT_TRUE(staysAbsent(decoy + L".report"));
}

TEST_F(UnsafePath, ABareProgramNameWithArgumentsIsStillLookedUp) {
    // A first word without a folder is found where the system finds programs
    // (here: the launcher's own folder, where the helper lies).
    EXPECT_TRUE(system.runProgram("report_helper 1 2"));
    EXPECT_NE(report(helperProgram()).find("report_helper.exe\" 1 2"), std::string::npos);
    DeleteFileW((helperProgram() + L".report").c_str());
    EXPECT_FALSE(system.runProgram("vtr_no_such_program 1 2"));
}

TEST_F(UnsafePath, TheStartWithWindowsValueStartsTheProgramItself) {
    // The value as the settings page writes it (the program's path, quoted), run
    // the way the system runs the values of a Run key: as a command line.
    const std::string valuePath = "software\\VelarionReliabilityTest\\Run\\Velarion";
    ASSERT_TRUE(system.writeRegistryText(RegistryRoot::CurrentUser, valuePath, gbk(L"\"" + program + L"\"")));
    wchar_t stored[MAX_PATH * 4];
    DWORD size = sizeof stored;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"software\\VelarionReliabilityTest\\Run", L"Velarion", RRF_RT_REG_SZ,
                           nullptr, stored, &size),
              ERROR_SUCCESS);
    std::wstring commandLine = stored;
    EXPECT_EQ(commandLine, L"\"" + program + L"\"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &started));
    WaitForSingleObject(started.hProcess, 10000);
    CloseHandle(started.hProcess);
    CloseHandle(started.hThread);
    EXPECT_NE(report(program), "<none>");
    EXPECT_TRUE(staysAbsent(decoy + L".report"));
    RegDeleteTreeW(HKEY_CURRENT_USER, L"software\\VelarionReliabilityTest");
}

}  // namespace
}  // namespace velarion::testing
