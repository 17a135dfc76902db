#include <gtest/gtest.h>

#include "core/IniFile.hpp"

using velarion::iniRead;

namespace {

struct ReadCase {
    const char* what;
    std::string file;
    std::string section, key;
    std::string expected;
};

// A byte string that may hold zero bytes.
template <std::size_t N>
std::string bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

void expectReads(const std::vector<ReadCase>& cases) {
    for (const ReadCase& c : cases) EXPECT_EQ(iniRead(c.file, c.section, c.key), c.expected) << c.what;
}

}  // namespace

TEST(IniRead, LinesSectionsAndKeys) {
    const std::string file =
        "top=before any header\r\n"
        "[s]\r\n"
        "k=v\r\n"
        "  spaced key   =   spaced value  \r\n"
        "novalue\r\n"
        "empty=\r\n"
        "eq=a=b\r\n"
        "; comment=not a key\r\n"
        "[ t ]\r\n"
        "k=in t\r\n"
        "[u] trailing text\r\n"
        "k=in u\r\n";
    expectReads({
        {"plain", file, "s", "k", "v"},
        {"blanks around key and value", file, "s", "spaced key", "spaced value"},
        {"key without '='", file, "s", "novalue", ""},
        {"empty value", file, "s", "empty", ""},
        {"split at the first '='", file, "s", "eq", "a=b"},
        {"comment is no key", file, "s", "; comment", ""},
        {"missing key", file, "s", "nokey", ""},
        {"missing section", file, "nosection", "k", ""},
        {"section name trimmed", file, "t", "k", "in t"},
        {"text after ']' ignored", file, "u", "k", "in u"},
        {"lines before the first header", file, "", "top", "before any header"},
        {"requested names trimmed", file, " s\t", "\tk ", "v"},
        {"empty key", file, "s", "", ""},
    });
}

TEST(IniRead, CaseDuplicatesAndQuotes) {
    const std::string file =
        "[Sec]\r\n"
        "Key=first\r\n"
        "KEY=second\r\n"
        "dq=\"quoted\"\r\n"
        "sq='single'\r\n"
        "mixed=\"mixed'\r\n"
        "lone=\"\r\n"
        "pair=\"\"\r\n"
        "inner=a\"b\"\r\n"
        "shadow\r\n"
        "shadow=hidden\r\n"
        "[sec]\r\n"
        "other=in the second copy\r\n";
    expectReads({
        {"names ignore ASCII case", file, "sEC", "kEy", "first"},
        {"first duplicate key wins", file, "Sec", "key", "first"},
        {"first duplicate section wins", file, "sec", "other", ""},
        {"double quotes stripped", file, "Sec", "dq", "quoted"},
        {"single quotes stripped", file, "Sec", "sq", "single"},
        {"different quotes kept", file, "Sec", "mixed", "\"mixed'"},
        {"a lone quote kept", file, "Sec", "lone", "\""},
        {"an empty pair of quotes", file, "Sec", "pair", ""},
        {"quote only at the end", file, "Sec", "inner", "a\"b\""},
        {"key without value shadows a later one", file, "Sec", "shadow", ""},
    });
}

TEST(IniRead, AnyLineBreak) {
    expectReads({
        {"CR only", "[s]\rk=v\rj=w\r", "s", "j", "w"},
        {"LF only", "[s]\nk=v\nj=w", "s", "j", "w"},
        {"mixed and blank lines", "[s]\r\n\r\n\n\rk=v\n\r\n", "s", "k", "v"},
        {"no final line break", "[s]\r\nk=v", "s", "k", "v"},
        {"control blanks trimmed", "[s]\r\n\x1Ak=v\x0B\x0C\x1A\r\n", "s", "k", "v"},
        {"tabs", "\t[s]\t\r\n\tk\t=\tv\t\r\n", "s", "k", "v"},
    });
}

TEST(IniRead, DoubleByteCharactersAreNeverSyntax) {
    // 乚 = 81 5D (trail byte ']'), 丄 = 81 41 (trail 'A'), 乤 = 81 61 (trail 'a'),
    // 昞 = 95 5C (trail '\').
    const std::string file =
        "[乚]\r\n"
        "a=in 乚\r\n"
        "[x乚\r\n"
        "[快捷方式]\r\n"
        "丄=upper trail\r\n"
        "乤=lower trail\r\n"
        "昞=路径\\昞\r\n"
        "聊天通讯=QQ%$微信%$\r\n";
    expectReads({
        {"a trail byte ']' is part of the name", file, "乚", "a", "in 乚"},
        {"no header without a real ']'", file, "x乚", "a", ""},
        {"trail bytes are not case-folded (A)", file, "快捷方式", "丄", "upper trail"},
        {"trail bytes are not case-folded (a)", file, "快捷方式", "乤", "lower trail"},
        {"trail byte backslash", file, "快捷方式", "昞", "路径\\昞"},
        {"GBK value", file, "快捷方式", "聊天通讯", "QQ%$微信%$"},
    });
    // A lead byte takes the byte after it whatever it is, even a line break.
    EXPECT_EQ(iniRead("[s]\nk=\x81\nj=v\n", "s", "j"), "");
    EXPECT_EQ(iniRead("[s]\nk=\x81\nj=v\n", "s", "k"), "\x81\nj=v");
}

TEST(IniRead, OnlyAsciiLettersIgnoreCase) {
    const std::string file = "[ＡΑ]\r\nЯ=v\r\n";  // full-width A, Greek Alpha, Cyrillic Ya
    EXPECT_EQ(iniRead(file, "ＡΑ", "Я"), "v");
    EXPECT_EQ(iniRead(file, "ａΑ", "Я"), "");
    EXPECT_EQ(iniRead(file, "ＡΑ", "я"), "");
}

TEST(IniRead, ByteOrderMarksSelectTheEncoding) {
    // UTF-8: "[系统设置]\r\n前端=真\r\n"
    std::string utf8 = "\xEF\xBB\xBF[\xE7\xB3\xBB\xE7\xBB\x9F\xE8\xAE\xBE\xE7\xBD\xAE]\r\n"
                       "\xE5\x89\x8D\xE7\xAB\xAF=\xE7\x9C\x9F\r\n";
    EXPECT_EQ(iniRead(utf8, "系统设置", "前端"), "真");

    // UTF-16 LE and BE: "[s]\r\nk=中\r\n"
    std::string le = bytes("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\x2D\x4E\r\0\n\0");
    std::string be = bytes("\xFE\xFF\0[\0s\0]\0\r\0\n\0k\0=\x4E\x2D\0\r\0\n");
    EXPECT_EQ(iniRead(le, "s", "k"), "中");
    EXPECT_EQ(iniRead(be, "s", "k"), "中");

    // A character GBK lacks comes back as '?'.
    std::string emoji = "\xEF\xBB\xBF[s]\nk=a\xF0\x9F\x98\x80z\n";
    EXPECT_EQ(iniRead(emoji, "s", "k"), "a?z");
    // Without a mark the bytes are GBK: a UTF-8 file reads as the GBK bytes it holds.
    EXPECT_EQ(iniRead("[s]\nk=\xE7\x9C\x9F\xE5\xAE\x9E\n", "s", "k"), "\xE7\x9C\x9F\xE5\xAE\x9E");
}

TEST(IniRead, BufferSizeCutsTheValue) {
    std::string file = "[s]\r\nk=" + std::string(20000, 'x') + "\r\ng=中文字\r\nq=\"abc\"\r\n";
    EXPECT_EQ(iniRead(file, "s", "k", 10240), std::string(10239, 'x'));
    EXPECT_EQ(iniRead(file, "s", "k").size(), 20000u);
    EXPECT_EQ(iniRead(file, "s", "k", 1), "");
    EXPECT_EQ(iniRead(file, "s", "k", 0), "");
    // Never half a character: 4 bytes fit "中文" and 5 do too.
    EXPECT_EQ(iniRead(file, "s", "g", 5), "中文");
    EXPECT_EQ(iniRead(file, "s", "g", 6), "中文");
    EXPECT_EQ(iniRead(file, "s", "g", 7), "中文字");
    EXPECT_EQ(iniRead(file, "s", "q", 3), "ab");
}

TEST(IniRead, AValueEndsAtAZeroByte) {
    std::string file = bytes("[s]\r\nk=ab\0cd\r\n");
    EXPECT_EQ(iniRead(file, "s", "k"), "ab");
}

TEST(IniRead, ManyKeysFromOneReadingGiveWhatEachReadGives) {
    const std::string file = "[s]\r\nk=\"quoted\"\r\nK2=中文字\r\n[t]\r\nk=other\r\n[S]\r\nk=later\r\n";
    const std::vector<velarion::IniName> names{{"s", "k"}, {"t", "k"}, {"s", "k2"}, {"s", "gone"},
                                                {"none", "k"}, {"", "k"}, {"s", ""}};
    std::vector<std::string> decoded;
    const std::vector<std::string_view> many = velarion::iniViewMany(file, names, decoded);
    ASSERT_EQ(many.size(), names.size());
    for (std::size_t limit : {velarion::IniWholeValue, std::size_t{6}, std::size_t{1}})
        for (std::size_t i = 0; i < names.size(); ++i)
            EXPECT_EQ(velarion::iniLimit(many[i], limit), iniRead(file, names[i].section, names[i].key, limit))
                << i << " at " << limit;
    EXPECT_EQ(many[0], "quoted");
    EXPECT_EQ(many[1], "other");
}
