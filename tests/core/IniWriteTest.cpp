#include <gtest/gtest.h>

#include <vector>

#include "core/IniFile.hpp"
#include "core/Profile.hpp"
#include "platform/sim/SimSystem.hpp"

using velarion::iniRead;
using velarion::iniWrite;
using velarion::iniWriteAll;

namespace {
// A byte string that may hold zero bytes.
template <std::size_t N>
std::string bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}
}  // namespace

TEST(IniWrite, CreatesSectionsAndKeysLikeTheSystem) {
    std::string file = iniWrite("", "App", "key", "");
    EXPECT_EQ(file, "[App]\r\nkey=\r\n");

    file = "";
    file = iniWrite(file, "App1", "key1", "string1");
    file = iniWrite(file, "App1", "key2", "string2");
    file = iniWrite(file, "App2", "key3", "string3");
    file = iniWrite(file, "App1", "key4", "string4");
    EXPECT_EQ(file,
              "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey4=string4\r\n"
              "[App2]\r\nkey3=string3\r\n");
}

TEST(IniWrite, KeepsEveryOtherByte) {
    const std::string file =
        "; settings of the launcher\n"
        "[系统设置]\n"
        "透明度 = 180 \n"
        "\n"
        "   unknown line\n"
        "[快捷方式]\r\n"
        "聊天通讯=QQ%$\r\n"
        "; old=entry\r\n"
        "\r\n"
        "[其他]\r"
        "x=1";
    // Replace in place: the key's spelling and spacing before '=' stay, the line break too.
    EXPECT_EQ(iniWrite(file, "系统设置", "透明度", "200"),
              "; settings of the launcher\n[系统设置]\n透明度 =200\n\n   unknown line\n[快捷方式]\r\n"
              "聊天通讯=QQ%$\r\n; old=entry\r\n\r\n[其他]\rx=1");
    // A new key goes right after the last key of its section.
    EXPECT_EQ(iniWrite(file, "快捷方式", "游戏娱乐", "G%$"),
              "; settings of the launcher\n[系统设置]\n透明度 = 180 \n\n   unknown line\n[快捷方式]\r\n"
              "聊天通讯=QQ%$\r\n游戏娱乐=G%$\r\n; old=entry\r\n\r\n[其他]\rx=1");
    // After the last line of the file, which had no line break, and as a new section.
    EXPECT_EQ(iniWrite(file, "其他", "y", "2"),
              "; settings of the launcher\n[系统设置]\n透明度 = 180 \n\n   unknown line\n[快捷方式]\r\n"
              "聊天通讯=QQ%$\r\n; old=entry\r\n\r\n[其他]\rx=1\r\ny=2\r\n");
    EXPECT_EQ(iniWrite(file, "新", "k", "v"), file + "\r\n[新]\r\nk=v\r\n");
}

TEST(IniWrite, WritesWhereReadsLook) {
    const std::string file =
        "[s]\r\n"
        "K\r\n"             // a key without value comes first: it is the one replaced
        "k=second\r\n"
        "[S]\r\n"
        "k=other copy\r\n";
    std::string written = iniWrite(file, " s ", "k", "new");
    EXPECT_EQ(written, "[s]\r\nK=new\r\nk=second\r\n[S]\r\nk=other copy\r\n");
    EXPECT_EQ(iniRead(written, "s", "k"), "new");

    // A header-only section gets its first key right after the header.
    EXPECT_EQ(iniWrite("[a]\r\n[b]\r\n", "a", "k", "v"), "[a]\r\nk=v\r\n[b]\r\n");
}

TEST(IniWrite, ValuesReadBackAsWritten) {
    const std::string values[] = {"", "plain", "QQ%$微信%$", "a=b", "C:\\Program Files\\x y\\z.exe",
                                  "乚]丄", "trailing'", std::string(12000, 'x'), "；全角"};
    std::string file = "[s]\r\n";
    for (const std::string& value : values) {
        file = iniWrite(file, "s", "k", value);
        EXPECT_EQ(iniRead(file, "s", "k"), value);
        file = iniWrite(file, "new", "k", value);
        EXPECT_EQ(iniRead(file, "new", "k"), value);
    }
    // Leading blanks are not stored: they could not be read back.
    EXPECT_EQ(iniWrite("", "s", "k", "  v"), "[s]\r\nk=v\r\n");
}

TEST(IniWrite, EmptyNamesAreNotWritten) {
    EXPECT_EQ(iniWrite("[s]\r\n", "", "k", "v"), "[s]\r\n");
    EXPECT_EQ(iniWrite("[s]\r\n", "s", " \t", "v"), "[s]\r\n");
}

TEST(IniWrite, ABomFileStaysInItsEncoding) {
    // UTF-8 with mark: "[s]\nk=旧\n" (旧 = E6 97 A7).
    std::string utf8 = "\xEF\xBB\xBF[s]\nk=\xE6\x97\xA7\n";
    std::string written = iniWrite(utf8, "s", "k", "真");
    EXPECT_EQ(written, "\xEF\xBB\xBF[s]\nk=\xE7\x9C\x9F\n");
    written = iniWrite(written, "系", "键", "值");
    EXPECT_EQ(written, "\xEF\xBB\xBF[s]\nk=\xE7\x9C\x9F\n[\xE7\xB3\xBB]\r\n\xE9\x94\xAE=\xE5\x80\xBC\r\n");
    EXPECT_EQ(iniRead(written, "系", "键"), "值");

    // UTF-16 LE with mark.
    std::string le = bytes("\xFF\xFE[\0s\0]\0\n\0");
    written = iniWrite(le, "s", "k", "中");
    EXPECT_EQ(written, bytes("\xFF\xFE[\0s\0]\0\n\0k\0=\0\x2D\x4E\r\0\n\0"));
    EXPECT_EQ(iniRead(written, "s", "k"), "中");
    // An unrelated character outside GBK elsewhere in the file is left alone.
    std::string withEmoji = "\xEF\xBB\xBF; \xF0\x9F\x98\x80\n[s]\nk=1\n";
    EXPECT_EQ(iniWrite(withEmoji, "s", "k", "2"), "\xEF\xBB\xBF; \xF0\x9F\x98\x80\n[s]\nk=2\n");
}

TEST(IniWrite, SeveralItemsInOrder) {
    std::string file = iniWriteAll("[快捷方式]\r\n聊天通讯=a%$\r\n", {
                                                                  {"快捷方式", "聊天通讯", "a%$b%$"},
                                                                  {"快捷链接", "聊天通讯", "pa%$pb%$"},
                                                              });
    EXPECT_EQ(file, "[快捷方式]\r\n聊天通讯=a%$b%$\r\n[快捷链接]\r\n聊天通讯=pa%$pb%$\r\n");
}

// A store writes a long file from the bytes it read and the edits found in them,
// when every edit stays in a value; that must give what the items give written one
// after another. Short files of the bytes that matter: line breaks in the values,
// a ']' after a line that starts with '[', lead bytes at either end of an edit, the
// same key twice, keys that are missing, kept parts longer than the value.
TEST(IniWrite, EditsFoundInTheFileReadGiveWhatOneAfterAnotherGives) {
    const std::vector<std::string> pieces = {"[s]", "[t]", "k", "K", "j", "=", "\r\n", "\n", "\r", ";", "\"",
                                             "]",   "[",   "\x81", "中", " ", "%$", std::string(1, '\0')};
    const std::vector<std::string> names = {"s", "t", "k", "K", "j"};
    unsigned seed = 2024;
    auto next = [&](std::size_t below) { return ((seed = seed * 1103515245 + 12345) >> 16) % below; };
    auto text = [&](std::size_t length) {
        std::string made;
        for (std::size_t n = next(length); n > 0; --n) made += pieces[next(pieces.size())];
        return made;
    };
    const std::vector<std::string> starts = {"[s]", "[t]", "[s", "k=", " K =", "j=\"", "k=", "j=", "k", ";k=", "", "["};
    const std::vector<std::string> breaks = {"\r\n", "\n", "\r"};
    int fromTheRead = 0;
    for (int round = 0; round < 10000; ++round) {
        std::string file = next(4) ? "[s]\r\n" : "";
        for (std::size_t lines = next(7); lines > 0; --lines)
            file += starts[next(starts.size())] + text(4) + breaks[next(3)];
        if (next(2)) file += starts[next(starts.size())] + text(3);  // the last line unended
        std::vector<velarion::IniItem> items;
        for (std::size_t n = 1 + next(3); n > 0; --n)
            items.push_back({names[next(4) / 3], names[2 + next(3)], text(4), next(3) == 0 ? 0 : next(6)});
        velarion::SimSystem system;
        system.putFile("f.ini", file);
        ASSERT_TRUE(velarion::writeProfileStrings(system, "f.ini", items));
        const std::string expected = iniWriteAll(file, items);
        ASSERT_EQ(*system.file("f.ini"), expected) << "round " << round;
        bool inValues = true;
        for (const velarion::IniItem& item : items) {
            const auto edit = velarion::iniExtendEdit(file, item.section, item.key, item.keep, item.value);
            inValues = inValues && (!edit || edit->inValue);
        }
        fromTheRead += inValues && expected != file;
    }
    EXPECT_GT(fromTheRead, 500);  // the edits found in the file read were tried often

    // What the random files meet too seldom: an edit that leaves a lead byte before a
    // lone CR (the next line joins its own), one after half of a kept character, a ']'
    // that makes a key line a header.
    const struct {
        std::string file;
        std::vector<velarion::IniItem> items;
    } cases[] = {
        {"[s]\rk=a\r[t]\rk=b\r", {{"s", "k", "\x81"}, {"t", "k", "c"}}},
        {"[s]\rk=中\r[t]\rk=b\r", {{"s", "k", "\x81\x81", 1}, {"t", "k", "c"}}},
        {"[s]\r\n[k=v\r\nj=1\r\n", {{"s", "[k", "]"}, {"s", "j", "2"}}},
    };
    for (const auto& [file, items] : cases) {
        velarion::SimSystem system;
        system.putFile("f.ini", file);
        ASSERT_TRUE(velarion::writeProfileStrings(system, "f.ini", items));
        EXPECT_EQ(*system.file("f.ini"), iniWriteAll(file, items)) << file;
    }
}
