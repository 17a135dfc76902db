#include "fuzz/FuzzTargets.hpp"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "core/IniCodec.hpp"
#include "core/IniFile.hpp"
#include "core/ListSplit.hpp"
#include "core/Profile.hpp"
#include "core/TextNumber.hpp"
#include "platform/sim/SimSystem.hpp"
#include "tests/reliability/CorpusSupport.hpp"

namespace velarion::fuzz {
namespace {

// Reads lengths and pieces off the front of the input.
struct Pieces {
    std::string_view rest;
    unsigned byte() {
        if (rest.empty()) return 0;
        unsigned b = static_cast<unsigned char>(rest.front());
        rest.remove_prefix(1);
        return b;
    }
    std::string take(std::size_t n) {
        n = std::min(n, rest.size());
        std::string piece(rest.substr(0, n));
        rest.remove_prefix(n);
        return piece;
    }
};

bool roundTripsThroughUnicode(std::string_view gbk) {
    return ini::codesToGbk(ini::gbkToCodes(gbk)) == gbk;
}

bool isBlankCode(char32_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20; }

// A name the file's syntax cannot misread: printable, none of = [ ] ; quotes, not
// blank at either end, whole characters only.
bool cleanName(std::string_view name) {
    if (name.empty() || !roundTripsThroughUnicode(name)) return false;
    std::u32string codes = ini::gbkToCodes(name);
    for (char32_t c : codes)
        if (c < 0x21 || c == 0x7F || c == '=' || c == '[' || c == ']' || c == ';' || c == '"' || c == '\'' ||
            c == 0xFFFD || c == '?')
            return false;
    return true;
}

// A value that reads back exactly as written.
bool cleanValue(std::string_view value) {
    if (!roundTripsThroughUnicode(value)) return false;
    std::u32string codes = ini::gbkToCodes(value);
    for (char32_t c : codes)
        if (c < 0x20 || c == '?') return false;
    if (!codes.empty() && (isBlankCode(codes.front()) || isBlankCode(codes.back()))) return false;
    if (codes.size() >= 2 && codes.front() == codes.back() && (codes.front() == '"' || codes.front() == '\''))
        return false;
    return true;
}

char32_t fold(char32_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

std::u32string foldedName(std::string_view gbk) {
    std::u32string codes = ini::gbkToCodes(testing::trimmed(std::string(gbk)));
    for (char32_t& c : codes) c = fold(c);
    return codes;
}

// A half double-byte character at the very end of a file takes the line break
// written after it as its second byte: the value of that last line then ends in it.
bool completedHalfCharacter(std::string_view file, const std::string& old, const std::string& now) {
    return now == old + "\r" && !old.empty() && !file.empty() && file.back() == old.back() &&
           static_cast<unsigned char>(old.back()) >= 0x81;
}

}  // namespace

std::string iniRoundTrip(std::string_view input) {
    Pieces in{input};
    const unsigned lengths = in.byte();
    const std::string section = in.take(lengths & 7), key = in.take((lengths >> 3) & 7);
    const std::string value = in.take(in.byte() % 64);
    const std::string file(in.rest);

    // Reading never fails, whatever the names, and one reading of many keys agrees.
    const unsigned limit = in.byte() % 8;
    std::vector<std::string> decoded;
    const std::vector<std::string_view> views = iniViewMany(file, {{section, key}, {key, section}}, decoded);
    if (iniLimit(views[0], limit) != iniRead(file, section, key, limit) ||
        iniLimit(views[1], limit) != iniRead(file, key, section, limit))
        return "a reading of many keys differs from single reads";
    if (views[0] != iniRead(file, section, key) || views[1] != iniRead(file, key, section))
        return "a value looked at where it stands differs from the value read";
    const std::string written = iniWrite(file, section, key, value);
    if (!iniNamesWritable(section, key)) return written == file ? "" : "a write of unwritable names changed the file";
    // Keeping the start of the value (up to a character boundary) and writing a tail
    // after it reads as writing the two together, and touches nothing else.
    const std::string old = iniRead(file, section, key);
    std::size_t keep = 0;
    for (const std::size_t wanted = in.byte() % (old.size() + 1); keep < wanted;)
        keep += ini::isGbkLead(static_cast<unsigned char>(old[keep])) && keep + 1 < old.size() ? 2 : 1;
    keep = std::min(keep, old.size());
    std::string extended = file;
    iniExtendInPlace(extended, section, key, keep, value);
    const std::string together = iniWrite(file, section, key, old.substr(0, keep) + value);
    for (const auto& [s, k] : testing::probesOf(together))
        if (iniRead(extended, s, k) != iniRead(together, s, k))
            return "keeping the start of a value differs from writing it whole: [" + s + "] " + k;
    // Two items written in one store (their edits found in the file read where they
    // stay in values) give what they give written one after another.
    const std::vector<IniItem> items = {{std::string(skipLeadingControls(section)), std::string(skipLeadingControls(key)),
                                         value, keep},
                                        {std::string(skipLeadingControls(key)), std::string(skipLeadingControls(section)),
                                         old}};
    SimSystem system;
    system.putFile("C:\\f.ini", file);
    if (writeProfileStrings(system, "C:\\f.ini", items) && *system.file("C:\\f.ini") != iniWriteAll(file, items))
        return "items stored together differ from the items written one after another";
    if (!cleanName(section) || !cleanName(key) || !cleanValue(value)) return "";
    if (iniWrite(written, section, key, value) != written) return "a second write of the same item changed the file";
    if (ini::detectEncoding(file).encoding != ini::detectEncoding(written).encoding) return "the encoding changed";
    if (iniRead(written, section, key) != value) return "the written value does not read back";
    const std::u32string sectionName = foldedName(section), keyName = foldedName(key);
    for (const auto& [s, k] : testing::probesOf(file)) {
        if (foldedName(s) == sectionName && foldedName(k) == keyName) continue;
        const std::string old = iniRead(file, s, k), now = iniRead(written, s, k);
        if (old != now && !completedHalfCharacter(file, old, now)) return "another value changed: [" + s + "] " + k;
    }
    return "";
}

std::string catalogAppend(std::string_view input) {
    Pieces in{input};
    const Category category = AllCategories[in.byte() % 4];
    SimSystem system;
    system.putFile("C:\\WINDOWS\\kjfs.ini", std::string(in.rest));
    SettingsFile settings(system);
    Catalog catalog(settings);
    const std::string name = "名字", path = "C:\\新 目录\\a.exe";
    if (!catalog.append(category, name, path)) return "the append failed";
    (void)catalog.load(category);
    return testing::appendLosses(std::string(in.rest), *system.file("C:\\WINDOWS\\kjfs.ini"), category, name, path);
}

std::string listSplit(std::string_view input) {
    const std::vector<std::string> members = splitList(input);
    std::string rebuilt;
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (i > 0) rebuilt += ListSeparator;
        rebuilt += members[i];
    }
    if (endsWithSeparator(input)) rebuilt += ListSeparator;
    if (rebuilt != input) return "members and separators do not give the text back";
    for (std::size_t i = 0; i + 1 < members.size(); ++i)
        if (!members[i].empty() && splitList(members[i]).size() != 1) return "a member holds a separator";
    if (!input.empty() && members.empty()) return "a text gave no members";
    return "";
}

std::string textNumber(std::string_view input) {
    const double value = textToNumber(input);
    if (!std::isfinite(value)) return "not a finite number";
    const std::string text = numberToText(value);
    if (text.empty()) return "no text for a number";
    const double again = textToNumber(text);
    if (std::fabs(again - value) > std::fabs(value) * 1e-12) return "the number's text reads back as another number";
    if (textToNumber(" " + std::string(input)) != value) return "a leading blank changed the number";
    return "";
}

}  // namespace velarion::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static velarion::fuzz::Target target = [] {
        const char* wanted = std::getenv("VELARION_FUZZ_TARGET");
        for (const auto& t : velarion::fuzz::Targets)
            if (!wanted || std::strcmp(wanted, t.name) == 0) return t.run;
        return velarion::fuzz::Targets[0].run;
    }();
    const std::string failure = target(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!failure.empty()) std::abort();
    return 0;
}
