// The hostile kjfs.ini corpus through the real file layer under Wine: the system's
// own reader and ours agree on what the program reads, an append keeps everything,
// and a folder named kjfs.ini or a write-protected file refuses the append and
// stays as it was.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <thread>
#include <utility>

#include "core/Profile.hpp"
#include "tests/reliability/CorpusSupport.hpp"
#include "tests/win32/helpers/SystemTestSupport.hpp"

namespace velarion::testing {
namespace {

std::string systemRead(const std::wstring& file, const std::string& section, const std::string& key) {
    std::string buffer(ReadLimit, '\0');
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), ReadLimit,
                                             gbk(file).c_str());
    return std::string(buffer.c_str(), strnlen(buffer.c_str(), n));
}

// Files where Wine's reader is known to differ from Windows' (and so from ours).
bool wineDiffers(const std::string& name) {
    for (const char* known : {"lead-byte", "nul-bytes", "binary", "utf8-bom-invalid", "utf16le-odd-byte",
                              "control-characters", "end-of-file-mark", "trail-byte-like-bracket", "utf8-without-bom"})
        if (name.find(known) != std::string::npos) return true;
    return false;
}

TEST(HostileFileWin32, TheCatalogKeysReadAsTheSystemReadsThemAndAnAppendKeepsEverything) {
    if (GetACP() != 936) GTEST_SKIP() << "not under code page 936";
    ScratchFolder scratch;
    const std::wstring file = scratch / L"kjfs.ini";
    FolderSystem system(gbk(scratch.path() + L"\\"));
    SettingsFile settings(system);
    Catalog catalog(settings);
    int compared = 0;
    for (const CorpusFile& corpus : corpusFiles()) {
        writeBytes(file, corpus.bytes);
        if (!wineDiffers(corpus.name)) {
            for (const auto& [section, key] : probesOf(corpus.bytes)) {
                // (Keys starting with ";" are comments to our reader; the system has no comments.)
                if (section.empty() || key.empty() || key[0] == ';') continue;
                EXPECT_EQ(settings.read(section, key), systemRead(file, section, key))
                    << corpus.name << " [" << section << "] " << key;
                ++compared;
            }
        }
        const Category category = AllCategories[corpus.name.size() % 4];
        EXPECT_TRUE(catalog.append(category, "新程序", "C:\\新 目录\\工具.exe")) << corpus.name;
        EXPECT_EQ(appendLosses(corpus.bytes, readBytes(file), category, "新程序", "C:\\新 目录\\工具.exe"), "")
            << corpus.name;
    }
    EXPECT_GT(compared, 100);
}

TEST(HostileFileWin32, AFolderOrAWriteProtectedFileRefusesTheAppendAndStaysAsItWas) {
    ScratchFolder scratch;
    const std::wstring file = scratch / L"kjfs.ini";
    FolderSystem system(gbk(scratch.path() + L"\\"));
    SettingsFile settings(system);
    Catalog catalog(settings);

    ASSERT_TRUE(CreateDirectoryW(file.c_str(), nullptr));
    EXPECT_FALSE(catalog.append(Category::Chat, "甲", "C:\\a.exe"));
    EXPECT_FALSE(settings.write(SectionSettings, KeyOpacity, "100"));
    EXPECT_NE(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_TRUE(catalog.load(Category::Chat).empty());
    RemoveDirectoryW(file.c_str());

    const std::string bytes = "[快捷方式]\r\n聊天通讯=甲%$\r\n[快捷链接]\r\n聊天通讯=C:\\a.exe%$\r\n";
    writeBytes(file, bytes);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(catalog.append(Category::Chat, "乙", "C:\\b.exe"));
    EXPECT_FALSE(settings.write(SectionSettings, KeyOpacity, "100"));
    EXPECT_EQ(readBytes(file), bytes);
    EXPECT_EQ(catalog.load(Category::Chat).names, std::vector<std::string>{"甲"});
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Holds a file open as a scanner or an editor does: reading, writing and
// reading shared, no delete sharing, so no rename may replace it meanwhile.
class HeldOpen {
public:
    explicit HeldOpen(const std::wstring& file)
        : handle_(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr)) {}
    ~HeldOpen() {
        if (letGo_.joinable()) letGo_.join();
        release();
    }
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void releaseAfter(int ms) {
        letGo_ = std::thread([this, ms] {
            Sleep(static_cast<DWORD>(ms));
            release();
        });
    }

private:
    void release() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
    }
    HANDLE handle_;
    std::thread letGo_;
};

TEST(HostileFileWin32, AFileHeldOpenForAMomentLosesNothingAndOneHeldOnFailsInBoundedTime) {
    ScratchFolder scratch;
    const std::wstring file = scratch / L"kjfs.ini";
    FolderSystem system(gbk(scratch.path() + L"\\"));
    SettingsFile settings(system);
    Catalog catalog(settings);
    writeBytes(file, "[快捷方式]\r\n聊天通讯=甲%$\r\n[快捷链接]\r\n聊天通讯=C:\\a.exe%$\r\n");

    // A write and an add, each while a scanner holds the file for 300 ms.
    const std::function<bool()> writes[] = {
        [&] { return settings.write(SectionSettings, KeyOpacity, "123"); },
        [&] { return catalog.append(Category::Chat, "乙", "C:\\b.exe"); },
    };
    for (const auto& write : writes) {
        HeldOpen scanner(file);
        ASSERT_TRUE(scanner.held());
        scanner.releaseAfter(300);
        EXPECT_TRUE(write());
    }
    EXPECT_EQ(settings.read(SectionSettings, KeyOpacity), "123");
    EXPECT_EQ(catalog.load(Category::Chat).names, (std::vector<std::string>{"甲", "乙"}));
    EXPECT_EQ(catalog.pathAt(Category::Chat, 2), "C:\\b.exe");

    const std::string before = readBytes(file);
    HeldOpen holder(file);
    ASSERT_TRUE(holder.held());
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(catalog.append(Category::Chat, "丙", "C:\\c.exe"));
    EXPECT_LT(GetTickCount64() - start, 2000u);
    EXPECT_EQ(readBytes(file), before);
}

}  // namespace
}  // namespace velarion::testing
