// No kjfs.ini makes the window stop answering: with the real window and file
// layers under Wine, a catalog holding a very long name shows, fills and
// repaints within a second, and the stored name stays whole.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win32/WindowTestSupport.hpp"
#include "tests/win32/helpers/SystemTestSupport.hpp"
#include "ui/Behaviours.hpp"

namespace velarion::testing {
namespace {

// Milliseconds that `work` takes.
template <typename Work>
ULONGLONG timed(Work work) {
    const ULONGLONG start = GetTickCount64();
    work();
    return GetTickCount64() - start;
}

std::string repeated(const std::string& piece, std::size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(LargeFileWin32, AVeryLongNameShowsAndRepaintsWithinASecondAndStaysWhole) {
    ScratchFolder scratch;
    const std::string name = repeated("很长很长", 75000);  // 300,000 characters
    writeBytes(scratch / L"kjfs.ini", "[快捷方式]\r\n聊天通讯=" + name + "%$短名%$\r\n[快捷链接]\r\n聊天通讯=C:\\a.exe%$C:\\b.exe%$\r\n");
    FolderSystem system(gbk(scratch.path() + L"\\"));
    win32::Win32WindowLayer layer(system, failOnUnknownComponent);
    AppContext ctx(system, layer);
    Window* main = nullptr;
    const ULONGLONG start = timed([&] { main = startApplication(ctx); pump(layer); });
    ASSERT_NE(main, nullptr);
    const HWND window = static_cast<HWND>(main->nativeHandle());
    const ULONGLONG paint = timed([&] {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASE);
    });
    std::printf("start %llu ms, repaint %llu ms\n", start, paint);
    EXPECT_LT(start, 1000u);
    EXPECT_LT(paint, 1000u);

    // The button is given a bounded part of the name; the name itself is kept
    // whole: in the caption, for the launch, and through a later add.
    ASSERT_EQ(ctx.entryButtons[0].size(), 2u);
    const std::string& button = ctx.entryButtons[0][0];
    EXPECT_LE(GetWindowTextLengthW(handleOf(*main, button)), 256);
    EXPECT_EQ(main->text(button, Prop::Text), name);
    EXPECT_TRUE(ctx.catalog.append(Category::Chat, "新的", "C:\\c.exe"));
    EXPECT_EQ(ctx.catalog.load(Category::Chat).names,
              (std::vector<std::string>{name, "短名", "新的"}));
    EXPECT_EQ(ctx.catalog.pathAt(Category::Chat, 1), "C:\\a.exe");
}

}  // namespace
}  // namespace velarion::testing
