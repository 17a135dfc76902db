// Our INI engine against the system's own profile functions (Wine's
// GetPrivateProfileStringA / WritePrivateProfileStringA under code page 936):
// files written by one are read identically by the other, and a table of
// awkward files reads the same. Where Wine is known to differ from Windows, our
// engine follows Windows and the case says so.

#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "core/IniFile.hpp"
#include "tests/win32/helpers/SystemTestSupport.hpp"

namespace velarion::testing {
namespace {

#define REQUIRE_CODE_PAGE_936()                                                              \
    if (GetACP() != 936)                                                                     \
    GTEST_SKIP() << "the system's ANSI code page is " << GetACP()                            \
                 << ", not 936: run under a GBK locale (LC_ALL=zh_CN.GBK) to compare with it"

// The system's read of one value, with the program's 10240-byte buffer.
std::string systemRead(const std::wstring& file, const std::string& section, const std::string& key,
                       DWORD bufferSize = 10240) {
    std::string buffer(bufferSize, '\0');
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), bufferSize,
                                             gbk(file).c_str());
    // The program takes the buffer's text, up to its first zero. (Wine counts a
    // half character it cut off at the end as a zero byte of the value.)
    return std::string(buffer.c_str(), strnlen(buffer.c_str(), n));
}

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    if (bytes.size() > 64)  // a long value: its length and both ends tell where it was cut
        return std::to_string(bytes.size()) + " bytes: " + hex(bytes.substr(0, 8)) + " ... " +
               hex(bytes.substr(bytes.size() - 8));
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    }
    return out;
}

struct ReadCase {
    const char* name;
    std::string content;
    std::string section, key;
    std::string expected;        // what Windows gives, and so our engine
    const char* wineDiffers = nullptr;  // why Wine gives something else, when it does
};

std::string repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

std::string utf16(const std::wstring& text, bool bigEndian) {
    std::string bytes;
    for (wchar_t c : text) {
        const char low = static_cast<char>(c & 0xFF), high = static_cast<char>((c >> 8) & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

std::string utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr,
                        nullptr);
    return bytes;
}

std::vector<ReadCase> readCases() {
    const std::string longValue = repeat("ab", 6000);
    const std::string longChinese = repeat("值", 6000);
    return {
        {"plain", "[s]\r\nk=v\r\n", "s", "k", "v"},
        {"Chinese names and value", "[系统设置]\r\n透明度=200\r\n开机启动=真\r\n", "系统设置", "开机启动", "真"},
        {"double quotes", "[s]\r\nk=\"quoted value\"\r\n", "s", "k", "quoted value"},
        {"single quotes", "[s]\r\nk='quoted'\r\n", "s", "k", "quoted"},
        {"quotes that differ", "[s]\r\nk=\"abc'\r\n", "s", "k", "\"abc'"},
        {"a lone quote", "[s]\r\nk=\"\r\n", "s", "k", "\""},
        {"quotes inside", "[s]\r\nk=a\"b\"\r\n", "s", "k", "a\"b\""},
        {"blanks around everything", "  [  s  ]  \r\n \t k \t =  v v \t \r\n", "s", "k", "v v"},
        {"case of ASCII letters", "[SeCtIoN]\r\nKeY=v\r\n", "section", "kEy", "v"},
        {"comment line", "[s]\r\n;k=hidden\r\nk=shown\r\n", "s", "k", "shown"},
        {"duplicate keys: the first", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "1"},
        {"duplicate sections: the first", "[s]\r\nk=1\r\n[t]\r\nk=x\r\n[s]\r\nk=2\r\n", "s", "k", "1"},
        {"blank lines", "\r\n\r\n[s]\r\n\r\n   \r\nk=v\r\n\r\n", "s", "k", "v"},
        {"key without equals sign", "[s]\r\nk\r\nj=w\r\n", "s", "k", ""},
        {"empty value", "[s]\r\nk=\r\n", "s", "k", ""},
        {"equals sign in the value", "[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
        {"key with inner blanks", "[s]\r\nmy key = v\r\n", "s", "my key", "v"},
        {"text after the header", "[s] note\r\nk=v\r\n", "s", "k", "v"},
        {"bracket inside a header", "[s]]\r\nk=v\r\n", "s]", "k", "v"},
        {"end-of-file mark trimmed", "[s]\r\nk=v\x1A\r\n", "s", "k", "v"},
        {"full-width letters keep their case", "[Ａ]\r\nk=v\r\n", "ａ", "k", ""},
        {"CR only", "[s]\rk=v\rj=w\r", "s", "j", "w"},
        {"LF only", "[s]\nk=v\nj=w\n", "s", "j", "w"},
        {"no final line end", "[s]\r\nk=v", "s", "k", "v"},
        {"missing key", "[s]\r\nk=v\r\n", "s", "x", ""},
        {"missing section", "[s]\r\nk=v\r\n", "t", "k", ""},
        {"UTF-8 mark", "\xEF\xBB\xBF" + utf8(L"[节]\r\n键=值\r\n"), "节", "键", "值"},
        {"UTF-16 LE mark", "\xFF\xFE" + utf16(L"[节]\r\n键=值\r\n", false), "节", "键", "值"},
        {"UTF-16 BE mark", "\xFE\xFF" + utf16(L"[节]\r\n键=值\r\n", true), "节", "键", "值"},
        // 乚 is 0x81 0x5D: its trail byte looks like ']'.
        {"trail byte like ] in a header", "[乚一]\r\nk=v\r\n", "乚一", "k", "v"},
        {"trail byte like ] ending a header", "[一乚]\r\nk=v\r\n", "一乚", "k", "v"},
        {"trail byte like ] is no header", "[s]\r\n[乚\r\nk=v\r\n", "s", "k", "v"},
        // 丄 is 0x81 0x41 and 乤 is 0x81 0x61: trail bytes 'A' and 'a'.
        {"trail bytes are not case-folded", "[丄]\r\nk=v\r\n", "乤", "k", ""},
        {"trail byte like \\ in a value", "[s]\r\nk=昞\\\r\n", "s", "k", "昞\\"},
        {"trail byte like ] in a key", "[s]\r\n乚键=v\r\n", "s", "乚键", "v"},
        {"long value cut by the buffer", "[s]\r\nk=" + longValue + "\r\n", "s", "k", longValue.substr(0, 10239)},
        {"long Chinese value cut at a character", "[s]\r\nk=" + longChinese + "\r\n", "s", "k",
         longChinese.substr(0, 10238)},
    };
}

TEST(ProfileCompat, TrickyFilesReadAsTheSystemReadsThem) {
    REQUIRE_CODE_PAGE_936();
    ScratchFolder scratch;
    int index = 0;
    for (const ReadCase& c : readCases()) {
        SCOPED_TRACE(c.name);
        // A file of its own per case: the system caches profile files it has read.
        const std::wstring file = scratch / (L"case" + std::to_wstring(++index) + L".ini");
        writeBytes(file, c.content);
        const std::string ours = iniRead(c.content, c.section, c.key, 10240);
        const std::string wine = systemRead(file, c.section, c.key);
        EXPECT_EQ(hex(ours), hex(c.expected));
        if (c.wineDiffers) {
            EXPECT_NE(hex(wine), hex(c.expected)) << "Wine now agrees; drop the note: " << c.wineDiffers;
            std::cout << "  Wine differs from Windows (" << c.name << "): " << c.wineDiffers << "\n";
        } else {
            EXPECT_EQ(hex(wine), hex(ours));
        }
    }
}

struct Item {
    std::string section, key, value;
};

std::vector<Item> writtenItems() {
    return {
        {"系统设置", "透明度", "200"},
        {"系统设置", "开机启动", "真"},
        {"快捷方式", "聊天通讯", "工具%$昞乚%$丄乤%$"},
        {"快捷链接", "聊天通讯", "C:\\程序\\昞\\a.exe%$D:\\x y\\b.exe%$"},
        {"系统设置", "前端", "假"},
        {"快捷方式", "其他应用", "a = b ; c"},
        {"系统设置", "透明度", "180"},  // replaces the first
        {"新节", "键", ""},
    };
}

TEST(ProfileCompat, FilesTheSystemWritesReadTheSameWithOurEngine) {
    REQUIRE_CODE_PAGE_936();
    ScratchFolder scratch;
    const std::wstring file = scratch / L"by-system.ini";
    for (const Item& item : writtenItems())
        ASSERT_TRUE(WritePrivateProfileStringA(item.section.c_str(), item.key.c_str(), item.value.c_str(),
                                               gbk(file).c_str()));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, gbk(file).c_str());  // flush the cache
    const std::string bytes = readBytes(file);
    for (const Item& item : writtenItems()) {
        SCOPED_TRACE(item.section + "/" + item.key);
        EXPECT_EQ(hex(iniRead(bytes, item.section, item.key, 10240)),
                  hex(systemRead(file, item.section, item.key)));
    }
    EXPECT_EQ(iniRead(bytes, "系统设置", "透明度", 10240), "180");
}

TEST(ProfileCompat, FilesOurEngineWritesReadTheSameWithTheSystem) {
    REQUIRE_CODE_PAGE_936();
    ScratchFolder scratch;
    std::string bytes = "; kept as it is\r\n[系统设置]\r\n透明度=100\r\n";
    for (const Item& item : writtenItems()) bytes = iniWrite(bytes, item.section, item.key, item.value);
    const std::wstring file = scratch / L"by-engine.ini";
    writeBytes(file, bytes);
    for (const Item& item : writtenItems()) {
        SCOPED_TRACE(item.section + "/" + item.key);
        EXPECT_EQ(hex(systemRead(file, item.section, item.key)),
                  hex(iniRead(bytes, item.section, item.key, 10240)));
    }
    EXPECT_EQ(systemRead(file, "系统设置", "透明度"), "180");
    EXPECT_EQ(bytes.rfind("; kept as it is\r\n", 0), 0u);

    // And the other way round once more: the system edits our file, we read it.
    ASSERT_TRUE(WritePrivateProfileStringA("快捷方式", "聊天通讯", "改", gbk(file).c_str()));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, gbk(file).c_str());
    EXPECT_EQ(iniRead(readBytes(file), "快捷方式", "聊天通讯", 10240), "改");
    EXPECT_EQ(iniRead(readBytes(file), "快捷链接", "聊天通讯", 10240),
              "C:\\程序\\昞\\a.exe%$D:\\x y\\b.exe%$");
}

}  // namespace
}  // namespace velarion::testing
