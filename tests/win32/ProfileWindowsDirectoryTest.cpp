// The settings file where the program keeps it: kjfs.ini in Wine's Windows
// directory, written by our engine through the Win32 services and read back by
// the system's own profile functions.

#include <gtest/gtest.h>

#include "core/SettingsFile.hpp"
#include "tests/win32/helpers/SystemTestSupport.hpp"

namespace velarion::testing {
namespace {

class ProfileWindowsDirectory : public ::testing::Test {
protected:
    win32::Win32System system{nullptr};
    SettingsFile settings{system};
    std::wstring file;
    std::string saved;
    bool existed = false;

    // The file belongs to the program: whatever was there is put back afterwards.
    void SetUp() override {
        wchar_t directory[MAX_PATH];
        const UINT n = GetWindowsDirectoryW(directory, MAX_PATH);
        file = std::wstring(directory, n) + L"\\kjfs.ini";
        existed = fileExists(file);
        if (existed) saved = readBytes(file);
        DeleteFileW(file.c_str());
    }
    void TearDown() override {
        if (existed) {
            writeBytes(file, saved);
        } else {
            DeleteFileW(file.c_str());
        }
    }
};

TEST_F(ProfileWindowsDirectory, FirstWriteCreatesTheFileThatTheSystemReads) {
    EXPECT_EQ(settings.path(), gbk(file));
    EXPECT_EQ(settings.read(SectionSettings, KeyOpacity), "");
    EXPECT_FALSE(fileExists(file));

    ASSERT_TRUE(settings.write(SectionSettings, KeyOpacity, "200"));
    EXPECT_EQ(readBytes(file), "[系统设置]\r\n透明度=200\r\n");
    ASSERT_TRUE(settings.write(SectionSettings, KeyTopmost, FlagOn));
    ASSERT_TRUE(settings.write(SectionSettings, KeyOpacity, "180"));
    EXPECT_EQ(settings.read(SectionSettings, KeyOpacity), "180");
    EXPECT_TRUE(flagIsOn(settings.read(SectionSettings, KeyTopmost)));

    if (GetACP() == 936) {
        char value[64];
        GetPrivateProfileStringA("系统设置", "透明度", "", value, sizeof value, gbk(file).c_str());
        EXPECT_STREQ(value, "180");
        GetPrivateProfileStringA("系统设置", "前端", "", value, sizeof value, gbk(file).c_str());
        EXPECT_STREQ(value, "真");
    }
}

TEST_F(ProfileWindowsDirectory, HandEditedLinesSurviveAWrite) {
    const std::string edited = "; 用户的注释\r\n[系统设置]\r\n前端=假\r\n\r\n[其他]\r\nx = 1\r\n";
    writeBytes(file, edited);
    ASSERT_TRUE(settings.write(SectionSettings, KeyTopmost, FlagOn));
    EXPECT_EQ(readBytes(file), "; 用户的注释\r\n[系统设置]\r\n前端=真\r\n\r\n[其他]\r\nx = 1\r\n");
}

}  // namespace
}  // namespace velarion::testing
