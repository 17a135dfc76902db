// Registry values written and deleted by full path, against Wine's registry.

#include <gtest/gtest.h>

#include "tests/win32/helpers/SystemTestSupport.hpp"

namespace velarion::testing {
namespace {

const wchar_t* const TestKey = L"Software\\VelarionTest";

// The text of a value, or "<none>".
std::wstring valueText(HKEY root, const std::wstring& key, const std::wstring& name) {
    wchar_t data[1024];
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS)
        return L"<none>";
    if (type != REG_SZ) return L"<type " + std::to_wstring(type) + L">";
    return std::wstring(data, size / sizeof(wchar_t) - 1);  // size includes the final zero
}

bool keyExists(HKEY root, const std::wstring& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

DWORD subkeyCount(HKEY root, const std::wstring& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return 0;
    DWORD count = 0;
    RegQueryInfoKeyW(opened, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(opened);
    return count;
}

class SystemRegistry : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, TestKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, TestKey); }
    win32::Win32System system{nullptr};
};

TEST_F(SystemRegistry, WriteCreatesTheKeyAndStoresText) {
    ASSERT_TRUE(system.writeRegistryText(RegistryRoot::CurrentUser,
                                         "Software\\VelarionTest\\深\\层\\启动项", "C:\\程序\\a.exe"));
    EXPECT_EQ(valueText(HKEY_CURRENT_USER, L"Software\\VelarionTest\\深\\层", L"启动项"),
              L"C:\\程序\\a.exe");
    // An existing value is replaced; an empty text is stored as such.
    ASSERT_TRUE(system.writeRegistryText(RegistryRoot::CurrentUser,
                                         "Software\\VelarionTest\\深\\层\\启动项", ""));
    EXPECT_EQ(valueText(HKEY_CURRENT_USER, L"Software\\VelarionTest\\深\\层", L"启动项"), L"");
}

TEST_F(SystemRegistry, SplitNeverFallsInsideADoubleByteCharacter) {
    // 昞 is 0x95 0x5C in GBK: its trail byte is a backslash.
    const std::string name = "Software\\VelarionTest\\昞";
    ASSERT_EQ(name.substr(name.size() - 2), "\x95\x5C");
    ASSERT_TRUE(system.writeRegistryText(RegistryRoot::CurrentUser, name, "v1"));
    EXPECT_EQ(valueText(HKEY_CURRENT_USER, TestKey, L"昞"), L"v1");
    EXPECT_EQ(subkeyCount(HKEY_CURRENT_USER, TestKey), 0u);  // nothing split off at the trail byte

    // In the key part as well: the key is "昞键", the value "值昞".
    ASSERT_TRUE(system.writeRegistryText(RegistryRoot::CurrentUser,
                                         "Software\\VelarionTest\\昞键\\值昞", "v2"));
    EXPECT_EQ(valueText(HKEY_CURRENT_USER, L"Software\\VelarionTest\\昞键", L"值昞"), L"v2");

    EXPECT_TRUE(system.deleteRegistryItem(RegistryRoot::CurrentUser, name));
    EXPECT_EQ(valueText(HKEY_CURRENT_USER, TestKey, L"昞"), L"<none>");
}

TEST_F(SystemRegistry, DeleteRemovesTheValueOrElseAKeyOfThatPath) {
    ASSERT_TRUE(system.writeRegistryText(RegistryRoot::CurrentUser, "Software\\VelarionTest\\a", "1"));
    ASSERT_TRUE(system.writeRegistryText(RegistryRoot::CurrentUser, "Software\\VelarionTest\\b", "2"));
    EXPECT_TRUE(system.deleteRegistryItem(RegistryRoot::CurrentUser, "Software\\VelarionTest\\a"));
    EXPECT_EQ(valueText(HKEY_CURRENT_USER, TestKey, L"a"), L"<none>");
    EXPECT_EQ(valueText(HKEY_CURRENT_USER, TestKey, L"b"), L"2");
    EXPECT_FALSE(system.deleteRegistryItem(RegistryRoot::CurrentUser, "Software\\VelarionTest\\a"));

    // No value of that name, but an empty key: the key goes.
    HKEY created = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\VelarionTest\\子键", 0, nullptr, 0, KEY_WRITE,
                    nullptr, &created, nullptr);
    RegCloseKey(created);
    EXPECT_TRUE(system.deleteRegistryItem(RegistryRoot::CurrentUser, "Software\\VelarionTest\\子键"));
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, L"Software\\VelarionTest\\子键"));
    EXPECT_FALSE(system.deleteRegistryItem(RegistryRoot::CurrentUser, ""));
}

TEST_F(SystemRegistry, APathWithoutBackslashIsAValueOfTheRoot) {
    ASSERT_TRUE(system.writeRegistryText(RegistryRoot::CurrentUser, "VelarionTestRootValue", "r"));
    EXPECT_EQ(valueText(HKEY_CURRENT_USER, L"", L"VelarionTestRootValue"), L"r");
    EXPECT_TRUE(system.deleteRegistryItem(RegistryRoot::CurrentUser, "VelarionTestRootValue"));
    EXPECT_EQ(valueText(HKEY_CURRENT_USER, L"", L"VelarionTestRootValue"), L"<none>");
}

TEST_F(SystemRegistry, StartWithWindowsValueOnTheMachineRunKey) {
    const std::string runValue = "software\\microsoft\\windows\\CurrentVersion\\Run\\VelarionTest";
    ASSERT_TRUE(system.writeRegistryText(RegistryRoot::LocalMachine, runValue, "C:\\工具\\velarion.exe"));
    EXPECT_EQ(valueText(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                        L"VelarionTest"),
              L"C:\\工具\\velarion.exe");
    EXPECT_TRUE(system.registryValueExists(RegistryRoot::LocalMachine, runValue));
    EXPECT_TRUE(system.deleteRegistryItem(RegistryRoot::LocalMachine, runValue));
    EXPECT_EQ(valueText(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                        L"VelarionTest"),
              L"<none>");
    EXPECT_FALSE(system.registryValueExists(RegistryRoot::LocalMachine, runValue));

    // The program's own path, quoted, as the system names it.
    ASSERT_TRUE(system.writeRegistryProgramPath(RegistryRoot::LocalMachine, runValue));
    wchar_t self[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    EXPECT_EQ(valueText(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                        L"VelarionTest"),
              L"\"" + std::wstring(self, n) + L"\"");
    EXPECT_TRUE(system.deleteRegistryItem(RegistryRoot::LocalMachine, runValue));
}

}  // namespace
}  // namespace velarion::testing
