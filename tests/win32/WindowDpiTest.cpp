// The window tests run once at the prefix's DPI and once more with
// VELARION_EXPECT_DPI=144 in a prefix of their own. The DPI is the prefix's
// LogPixels, read when a process starts: when it differs, this run sets it and
// runs itself again, and the window tests check every place at that DPI.

#include <gtest/gtest.h>

#include <string>

#include "tests/win32/WindowTestSupport.hpp"
#include "ui/Declarations.hpp"

namespace velarion::testing {
namespace {

constexpr wchar_t kRerun[] = L"VELARION_DPI_RERUN";

bool writeLogPixels(int dpi) {
    const DWORD value = static_cast<DWORD>(dpi);
    bool ok = false;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
        ok = RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof value) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    if (RegCreateKeyExW(HKEY_CURRENT_CONFIG, L"Software\\Fonts", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof value);
        RegCloseKey(key);
    }
    return ok;
}

// Runs this test program again with the same command line; its exit code ends this run.
[[noreturn]] void rerunSelf() {
    SetEnvironmentVariableW(kRerun, L"1");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = GetCommandLineW();
    DWORD code = 1;
    fflush(stdout);
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    ExitProcess(code);
}

class DpiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const int wanted = expectedDpi();
        if (wanted == 0) return;
        win32::enablePerMonitorDpiAwareness();
        if (win32::systemDpi() == wanted) return;
        if (GetEnvironmentVariableW(kRerun, nullptr, 0) != 0) return;  // the test below reports it
        if (writeLogPixels(wanted)) rerunSelf();
    }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new DpiEnvironment);

TEST(WindowDpiTest, WindowsTakeTheDpiThisRunIsMeantFor) {
    ScriptedSystem system;
    Recorder recorder;
    win32::Win32WindowLayer layer{system, failOnUnknownComponent};
    Window* main = layer.load(mainWindowDecl(), recorder.behaviours());
    ASSERT_NE(main, nullptr);
    const int dpi = native(*main).dpi();
    if (expectedDpi()) {
        EXPECT_EQ(dpi, expectedDpi());
    }
    // Re-laid at another DPI: every place scaled anew from the declared pixels.
    HWND hwnd = static_cast<HWND>(main->nativeHandle());
    RECT outer{};
    GetWindowRect(hwnd, &outer);
    const int other = dpi == 96 ? 120 : 96;
    RECT suggested{outer.left, outer.top, outer.left + win32::scaleForDpi(343, other),
                   outer.top + win32::scaleForDpi(314, other)};
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(native(*main).dpi(), other);
    EXPECT_EQ(placeOf(handleOf(*main, "图片框1")), scaled(Rect{93, 2, 240, 240}, other));
    EXPECT_EQ(placeOf(handleOf(*main, "编辑框_秒计")), scaled(Rect{38, 40, 64, 16}, other));
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(handleOf(*main, "编辑框_时"), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_EQ(font.lfHeight, win32::messageFontForDpi(other).lfHeight);
}

}  // namespace
}  // namespace velarion::testing
