// Resource use under load with the real window layer and file layer under Wine:
// 10,000 (VELARION_LOAD_ROUNDS; 300 in the test run) clicks on an entry button, slider moves (each one a write of kjfs.ini)
// and timer ticks in a row leave the handle, GDI and USER object counts and the
// private memory flat.

#define PSAPI_VERSION 2
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/win32/WindowTestSupport.hpp"
#include "tests/win32/helpers/SystemTestSupport.hpp"
#include "ui/Behaviours.hpp"

namespace velarion::testing {
namespace {

// Wine gives no handle or GDI object counts; the value of a handle made now tells
// as much, since both tables hand out their lowest free slot.
struct Usage {
    DWORD handles = 0, gdi = 0, user = 0;
    std::uintptr_t newKernelHandle = 0, newGdiHandle = 0;
    SIZE_T privateBytes = 0;
};

Usage usageNow() {
    Usage usage;
    GetProcessHandleCount(GetCurrentProcess(), &usage.handles);
    usage.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    usage.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    usage.newKernelHandle = reinterpret_cast<std::uintptr_t>(event) & 0xFFFF;
    CloseHandle(event);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    usage.newGdiHandle = reinterpret_cast<std::uintptr_t>(brush) & 0xFFFF;
    DeleteObject(brush);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    usage.privateBytes = memory.PagefileUsage;
    return usage;
}

// Rounds of the load: 300 in the tests; VELARION_LOAD_ROUNDS=10000 for the full run.
int rounds() {
    const char* text = std::getenv("VELARION_LOAD_ROUNDS");
    return text && std::atoi(text) > 0 ? std::atoi(text) : 300;
}

TEST(ResourceUseWin32, TenThousandClicksSliderMovesAndTicksKeepTheCountsFlat) {
    ScratchFolder scratch;
    writeBytes(scratch / L"kjfs.ini", "[快捷方式]\r\n聊天通讯=甲%$\r\n[快捷链接]\r\n聊天通讯=C:\\vtr-missing\\a.exe%$\r\n");
    FolderSystem system(gbk(scratch.path() + L"\\"));
    win32::Win32WindowLayer layer(system, failOnUnknownComponent);
    AppContext ctx(system, layer);
    Window* main = startApplication(ctx);
    ASSERT_NE(main, nullptr);
    pump(layer);
    ASSERT_EQ(ctx.entryButtons[0].size(), 1u);
    const HWND button = handleOf(*main, ctx.entryButtons[0][0]);
    const HWND slider = handleOf(*main, "滑块条1");
    const HWND window = static_cast<HWND>(main->nativeHandle());
    ASSERT_TRUE(button && slider && window);

    // A countdown that never ends; its timer's id is the one whose message counts it down.
    main->setFlag("单选框2", Prop::Checked, true);
    main->setFlag("单选框1", Prop::Checked, false);
    main->setText("编辑框_秒计", Prop::Text, "1000000");
    const HWND arm = handleOf(*main, "按钮1");
    SendMessageW(GetParent(arm), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(arm), BN_CLICKED), reinterpret_cast<LPARAM>(arm));
    pump(layer);
    ASSERT_EQ(main->text("按钮1", Prop::Text), "停止") << "the countdown is not armed";
    WPARAM timer = 0;
    for (WPARAM id = 1000; id < 3000 && !timer; ++id) {
        SendMessageW(window, WM_TIMER, id, 0);
        if (main->text("编辑框_秒计", Prop::Text) != "1000000") timer = id;
    }
    ASSERT_NE(timer, 0u) << "no timer counts the countdown";

    auto oneRound = [&](int i) {
        SendMessageW(button, BM_CLICK, 0, 0);
        SendMessageW(slider, TBM_SETPOS, TRUE, 50 + i % 200);
        SendMessageW(GetParent(slider), WM_HSCROLL, TB_THUMBPOSITION, reinterpret_cast<LPARAM>(slider));
        SendMessageW(window, WM_TIMER, timer, 0);
        if (i % 100 == 0) pump(layer);
    };
    for (int i = 0; i < 500; ++i) oneRound(i);  // warmed up
    const Usage before = usageNow();
    const int load = rounds();
    for (int i = 0; i < load; ++i) oneRound(i);
    pump(layer);
    const Usage after = usageNow();

    std::printf("%d rounds: handles %lu -> %lu, GDI %lu -> %lu, USER %lu -> %lu, next kernel handle %#llx -> %#llx, "
                "next GDI handle %#llx -> %#llx, private %zu -> %zu KB\n",
                load, before.handles, after.handles, before.gdi, after.gdi, before.user, after.user,
                (unsigned long long)before.newKernelHandle, (unsigned long long)after.newKernelHandle,
                (unsigned long long)before.newGdiHandle, (unsigned long long)after.newGdiHandle,
                static_cast<size_t>(before.privateBytes / 1024), static_cast<size_t>(after.privateBytes / 1024));
    EXPECT_LE(after.newKernelHandle, before.newKernelHandle + 5 * 4);
    EXPECT_LE(after.newGdiHandle, before.newGdiHandle + 5);
    EXPECT_LE(after.handles, before.handles + 5);
    EXPECT_LE(after.gdi, before.gdi + 5);
    EXPECT_LE(after.user, before.user + 5);
    EXPECT_LE(after.privateBytes, before.privateBytes + 4 * 1024 * 1024);
    // Every tick counted, every move stored.
    // (The real one-second timer adds a few ticks of its own.)
    EXPECT_LE(std::stoi(main->text("编辑框_秒计", Prop::Text)), 1000000 - 501 - load);
    EXPECT_EQ(ctx.settings.read(SectionSettings, KeyOpacity), std::to_string(50 + (load - 1) % 200));
}

}  // namespace
}  // namespace velarion::testing
