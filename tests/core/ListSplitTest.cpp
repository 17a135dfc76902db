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

// The lists are scanned by looking up the separator's bytes, not walked a
// character at a time; every short text of the bytes that matter gives what the
// walk gives: lead bytes before a '%' in runs of each length, lone leads at the end.
TEST(SplitList, FindsWhatACharacterByCharacterWalkFinds) {
    const std::string alphabet = "%$a\x81\x40";
    unsigned seed = 12345;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int n = round % 14; n > 0; --n) text += alphabet[((seed = seed * 1103515245 + 12345) >> 16) % 5];
        List expected;
        std::size_t start = 0, at = 0;
        bool ends = false;
        while (text.size() - at >= 2) {
            ends = text.compare(at, 2, "%$") == 0;
            if (ends) {
                expected.push_back(text.substr(start, at - start));
                start = at += 2;
            } else {
                at += static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1;
            }
        }
        ends = ends && at == text.size();
        if (start < text.size()) expected.push_back(text.substr(start));
        ASSERT_EQ(splitList(text), expected) << text;
        ASSERT_EQ(listSize(text), expected.size()) << text;
        ASSERT_EQ(endsWithSeparator(text), ends) << text;
        const velarion::PackedList packed = velarion::packList(text);
        ASSERT_EQ(packed.size(), expected.size()) << text;
        for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(packed.at(i), expected[i]) << text;
    }
}
