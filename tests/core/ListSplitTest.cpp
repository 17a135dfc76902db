#include <gtest/gtest.h>

#include "core/ListSplit.hpp"

using velarion::endsWithSeparator;
using velarion::listSize;
using velarion::splitList;
using List = std::vector<std::string>;

TEST(SplitList, SplitsAtSeparatorsWithoutATrailingEmptyMember) {
    EXPECT_EQ(splitList(""), List{});
    EXPECT_EQ(splitList("name1%$name2%$"), (List{"name1", "name2"}));
    EXPECT_EQ(splitList("name1%$name2"), (List{"name1", "name2"}));
    EXPECT_EQ(splitList("%$"), List{""});
    EXPECT_EQ(splitList("a%$%$b%$"), (List{"a", "", "b"}));
    EXPECT_EQ(splitList("%"), List{"%"});
    EXPECT_EQ(splitList("a%%$b"), (List{"a%", "b"}));
    EXPECT_EQ(splitList("QQ%$微信%$"), (List{"QQ", "微信"}));
}

TEST(SplitList, NeverSplitsInsideADoubleByteCharacter) {
    // 0x81 0x25 is a lead byte with '%' as its second byte: "%$" starting there is no separator.
    EXPECT_EQ(splitList("a\x81%$b%$"), (List{"a\x81%$b"}));
    EXPECT_EQ(splitList("\x81"), List{"\x81"});            // a lone lead byte at the end
    EXPECT_EQ(splitList("a%$\x81"), (List{"a", "\x81"}));
}

TEST(EndsWithSeparator, OnlyASeparatorSplitListWouldFind) {
    EXPECT_TRUE(endsWithSeparator("a%$"));
    EXPECT_TRUE(endsWithSeparator("%$"));
    EXPECT_FALSE(endsWithSeparator("a%$b"));
    EXPECT_FALSE(endsWithSeparator(""));
    EXPECT_FALSE(endsWithSeparator("a\x81%$"));  // the '%' is a trail byte
}

TEST(ListSize, CountsWhatSplitListFinds) {
    for (const char* list : {"", "name1%$name2%$", "name1%$name2", "%$", "a%$%$b%$", "a%%$b", "a\x81%$b%$",
                             "\x81", "a%$\x81", "%$%$%$"})
        EXPECT_EQ(listSize(list), splitList(list).size()) << list;
}
