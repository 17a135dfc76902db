#include "core/IniFile.hpp"

#include <optional>

#include "core/IniCodec.hpp"

namespace velarion {

namespace {

using ini::Unit;

bool isBlank(char32_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20; }
bool isLineEnd(char32_t c) { return c == U'\r' || c == U'\n'; }

// Names compare without regard to the case of ASCII letters only (as the system does).
char32_t foldCase(char32_t c) { return c >= U'A' && c <= U'Z' ? c + 32 : c; }

struct Range {
    std::size_t first = 0, last = 0;  // unit indexes [first, last)
    bool empty() const { return first >= last; }
};

enum class LineKind { Blank, Header, Comment, Key };

struct Line {
    LineKind kind = LineKind::Blank;
    Range content;     // the whole line before its terminator, untrimmed
    std::size_t terminatorEnd = 0;  // unit index after its CR, LF or CR LF
    Range name;        // section name (header) or key (key line), trimmed
    bool hasValue = false;
    std::size_t equals = 0;  // unit index of '=' (key line with value)
    Range value;       // trimmed value
};

struct Section {
    std::size_t headerLine = 0;  // index of its header line; npos for the nameless one
    std::size_t lastKeyLine = 0; // index of its last key line, or the header's
    Range name;
    std::vector<std::size_t> keyLines;
};

constexpr std::size_t NoLine = static_cast<std::size_t>(-1);

Range trim(const std::vector<Unit>& units, Range range) {
    while (range.first < range.last && isBlank(units[range.first].code)) ++range.first;
    while (range.last > range.first && isBlank(units[range.last - 1].code)) --range.last;
    return range;
}

// The parsed file: its characters, lines and sections.
struct Document {
    std::string_view bytes;
    ini::FileEncoding encoding;
    std::vector<Unit> units;
    std::vector<Line> lines;
    std::vector<Section> sections;  // sections[0] is the nameless one

    explicit Document(std::string_view fileBytes)
        : bytes(fileBytes), encoding(ini::detectEncoding(fileBytes)), units(ini::decodeUnits(fileBytes, encoding)) {
        splitLines();
        collectSections();
    }

    void splitLines() {
        std::size_t at = 0;
        while (at < units.size()) {
            Line line;
            line.content.first = at;
            while (at < units.size() && !isLineEnd(units[at].code)) ++at;
            line.content.last = at;
            if (at < units.size()) {
                bool carriageReturn = units[at].code == U'\r';
                ++at;
                if (carriageReturn && at < units.size() && units[at].code == U'\n') ++at;
            }
            line.terminatorEnd = at;
            classify(line);
            lines.push_back(line);
        }
    }

    void classify(Line& line) const {
        Range text = trim(units, line.content);
        if (text.empty()) return;
        char32_t first = units[text.first].code;
        if (first == U'[') {
            std::size_t close = text.last;
            while (close > text.first + 1 && units[close - 1].code != U']') --close;
            if (close > text.first + 1) {
                line.kind = LineKind::Header;
                line.name = trim(units, {text.first + 1, close - 1});
                return;
            }
            // No closing bracket: an ordinary line.
        }
        if (first == U';') {
            line.kind = LineKind::Comment;
            return;
        }
        line.kind = LineKind::Key;
        std::size_t at = text.first;
        while (at < text.last && units[at].code != U'=') ++at;
        if (at == text.last) {
            line.name = text;
            return;
        }
        line.hasValue = true;
        line.equals = at;
        line.name = trim(units, {text.first, at});
        line.value = trim(units, {at + 1, text.last});
    }

    void collectSections() {
        sections.push_back({NoLine, NoLine, {}, {}});
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].kind == LineKind::Header) {
                sections.push_back({i, i, lines[i].name, {}});
            } else if (lines[i].kind == LineKind::Key) {
                sections.back().keyLines.push_back(i);
                sections.back().lastKeyLine = i;
            }
        }
    }

    bool nameEquals(Range range, const std::u32string& wanted) const {
        if (range.last - range.first != wanted.size()) return false;
        for (std::size_t i = 0; i < wanted.size(); ++i)
            if (foldCase(units[range.first + i].code) != foldCase(wanted[i])) return false;
        return true;
    }

    const Section* findSection(const std::u32string& name) const {
        for (const Section& section : sections)
            if (nameEquals(section.name, name)) return &section;
        return nullptr;
    }

    const Line* findKey(const Section& section, const std::u32string& key) const {
        for (std::size_t index : section.keyLines)
            if (nameEquals(lines[index].name, key)) return &lines[index];
        return nullptr;
    }

    std::size_t byteAt(std::size_t unitIndex) const {
        return unitIndex < units.size() ? units[unitIndex].begin : textEnd();
    }

    // Where the text ends: a last odd byte of a UTF-16 file is no character and stays
    // after everything written at the end, so that what is added keeps its alignment.
    std::size_t textEnd() const { return units.empty() ? encoding.markLength : units.back().end(); }

    // The GBK text of a range of characters.
    std::string gbkText(Range range) const {
        if (range.empty()) return {};
        if (encoding.encoding == ini::TextEncoding::Gbk)
            return std::string(bytes.substr(units[range.first].begin, units[range.last - 1].end() - units[range.first].begin));
        std::u32string codes;
        for (std::size_t i = range.first; i < range.last; ++i) codes += units[i].code;
        return ini::codesToGbk(codes);
    }

    std::string encode(std::string_view gbk) const { return ini::encodeGbkText(gbk, encoding.encoding); }
};

// A name as the lookup sees it: code points, trimmed.
std::u32string lookupName(std::string_view gbk) {
    std::u32string codes = ini::gbkToCodes(gbk);
    std::size_t first = 0, last = codes.size();
    while (first < last && isBlank(codes[first])) ++first;
    while (last > first && isBlank(codes[last - 1])) --last;
    return codes.substr(first, last - first);
}

// A GBK name without its blanks at either end, as it is written into the file.
std::string_view trimGbk(std::string_view text) {
    std::vector<Unit> units = ini::decodeUnits(text, {});
    Range range = trim(units, {0, units.size()});
    if (range.empty()) return {};
    return text.substr(units[range.first].begin, units[range.last - 1].end() - units[range.first].begin);
}

// The longest start of a GBK text that fits `limit` bytes without splitting a character.
std::size_t fitGbk(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t width = ini::isGbkLead(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
        if (at + width > limit) break;
        at += width;
    }
    return at;
}

}  // namespace

namespace {

// The value of key in section of a parsed file (iniRead's rules).
std::string readFrom(const Document& document, std::string_view section, std::string_view key,
                     std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    std::u32string keyName = lookupName(key);
    if (keyName.empty()) return {};
    const Section* found = document.findSection(lookupName(section));
    if (!found) return {};
    const Line* line = document.findKey(*found, keyName);
    if (!line || !line->hasValue) return {};

    Range value = line->value;
    for (std::size_t i = value.first; i < value.last; ++i) {
        if (document.units[i].code == 0) {  // the text ends at a zero byte
            value.last = i;
            break;
        }
    }
    if (value.last - value.first >= 2) {
        char32_t open = document.units[value.first].code, close = document.units[value.last - 1].code;
        if (open == close && (open == U'"' || open == U'\'')) {
            ++value.first;
            --value.last;
        }
    }
    std::string text = document.gbkText(value);
    text.resize(fitGbk(text, bufferSize - 1));
    return text;
}

}  // namespace

std::string iniRead(std::string_view fileBytes, std::string_view section, std::string_view key,
                    std::size_t bufferSize) {
    if (bufferSize == 0 || lookupName(key).empty()) return {};
    return readFrom(Document(fileBytes), section, key, bufferSize);
}

std::vector<std::string> iniReadMany(std::string_view fileBytes, const std::vector<IniName>& names,
                                     std::size_t bufferSize) {
    const Document document(fileBytes);
    std::vector<std::string> values;
    values.reserve(names.size());
    for (const IniName& name : names) values.push_back(readFrom(document, name.section, name.key, bufferSize));
    return values;
}

bool iniNamesWritable(std::string_view section, std::string_view key) {
    return !lookupName(section).empty() && !lookupName(key).empty();
}

std::string iniWrite(std::string_view fileBytes, std::string_view section, std::string_view key,
                     std::string_view value) {
    if (!iniNamesWritable(section, key)) return std::string(fileBytes);
    while (!value.empty() && isBlank(static_cast<unsigned char>(value.front()))) value.remove_prefix(1);

    Document document(fileBytes);
    const std::string lineBreak = document.encode("\r\n");
    auto splice = [&](std::size_t from, std::size_t to, const std::string& inserted) {
        std::string result;
        result.reserve(fileBytes.size() + inserted.size());
        result.append(fileBytes.substr(0, from));
        result += inserted;
        result.append(fileBytes.substr(to));
        return result;
    };

    const Section* found = document.findSection(lookupName(section));
    std::string keyLine(trimGbk(key));
    keyLine.append("=").append(value).append("\r\n");
    if (!found) {
        // A new section at the end, on a line of its own.
        std::string added;
        if (!document.units.empty() && !isLineEnd(document.units.back().code)) added += lineBreak;
        std::string lines = "[";
        lines.append(trimGbk(section)).append("]\r\n").append(keyLine);
        added += document.encode(lines);
        return splice(document.textEnd(), document.textEnd(), added);
    }

    if (const Line* line = document.findKey(*found, lookupName(key))) {
        // Replace the rest of the line after '=' (or after the key when it has none).
        std::size_t from = line->hasValue ? document.units[line->equals].end() : document.units[line->name.last - 1].end();
        std::size_t to = document.units[line->content.last - 1].end();
        std::string replaced = line->hasValue ? "" : "=";
        replaced.append(value);
        return splice(from, to, document.encode(replaced));
    }

    // A new key after the last key of the section (or its header).
    const Line& after = document.lines[found->lastKeyLine];
    std::string added;
    if (after.terminatorEnd == after.content.last) added += lineBreak;  // the file's last line, unended
    added += document.encode(keyLine);
    std::size_t at = document.byteAt(after.terminatorEnd);
    return splice(at, at, added);
}

std::string iniWriteAll(std::string_view fileBytes, const std::vector<IniItem>& items) {
    std::string content(fileBytes);
    for (const IniItem& item : items) content = iniWrite(content, item.section, item.key, item.value);
    return content;
}

}  // namespace velarion
