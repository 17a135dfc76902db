// Resource use under load on the stand-in layer: 10,000 clicks on an entry, slider
// moves and timer ticks in a row make no components, files or stored bytes pile up.

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/AppHarness.hpp"

namespace velarion::testing {
namespace {

class ResourceUse : public AppHarness {};

TEST_F(ResourceUse, TenThousandClicksSliderMovesAndTicksLeaveNothingBehind) {
    givenIni({"[快捷方式]", "聊天通讯=甲%$乙%$", "[快捷链接]", "聊天通讯=C:\\a.exe%$C:\\b.exe%$"});
    start();
    const std::string button = main->copiesOf("按钮_聊天").at(1);
    main->chooseFolder("卷帘式菜单1", 4);
    main->click("单选框2");
    main->type("编辑框_秒计", "100000");
    main->click("按钮1");

    auto oneRound = [&](int i) {
        main->chooseFolder("卷帘式菜单1", 0);
        main->click(button);
        main->chooseFolder("卷帘式菜单1", 4);
        main->sliderDrag("滑块条1", 50 + i % 200);
        windows.advance(1000);
    };
    for (int i = 0; i < 100; ++i) oneRound(i);  // warmed up
    const std::size_t components = main->componentNames().size();
    const std::size_t files = sys.filePaths().size();
    const std::size_t fileSize = sys.file(IniPath)->size();
    sys.launches.clear();

    for (int i = 100; i < 10100; ++i) oneRound(i);
    EXPECT_EQ(sys.launches.size(), 10000u);
    EXPECT_EQ(sys.launches.back(), "C:\\b.exe");
    EXPECT_EQ(main->componentNames().size(), components);
    EXPECT_EQ(sys.filePaths().size(), files);
    EXPECT_LE(sys.file(IniPath)->size(), fileSize + 2);  // "50".."249": one more digit at most
    EXPECT_EQ(main->text("编辑框_秒计", Prop::Text), "89900");
    EXPECT_TRUE(sys.shutdowns.empty());
}

TEST_F(ResourceUse, RepeatedFillsMakeOneButtonPerEntry) {
    givenIni({"[快捷方式]", "游戏娱乐=甲%$乙%$丙%$", "[快捷链接]", "游戏娱乐=C:\\a.exe%$C:\\b.exe%$C:\\c.exe%$"});
    start();
    main->chooseFolder("卷帘式菜单1", 2);
    for (int i = 0; i < 10000; ++i) fillPages(ctx);
    EXPECT_EQ(main->copiesOf("按钮_游戏").size(), 3u);
}

}  // namespace
}  // namespace velarion::testing
