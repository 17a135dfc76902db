#include "core/IniFile.hpp"

#include <algorithm>
#include <optional>
#include <span>

#include "core/IniCodec.hpp"

namespace velarion {

namespace {

using ini::Unit;

bool isBlank(char32_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20; }
bool isLineEnd(char32_t c) { return c == U'\r' || c == U'\n'; }

// Names compare without regard to the case of ASCII letters only (as the system does).
char32_t foldCase(char32_t c) { return c >= U'A' && c <= U'Z' ? c + 32 : c; }

constexpr std::size_t None = static_cast<std::size_t>(-1);

// Bytes [first, last) of the file, both on character boundaries.
struct Range {
    std::size_t first = 0, last = 0;
    bool empty() const { return first >= last; }
};

enum class LineKind { Blank, Header, Comment, Key };

struct Line {
    LineKind kind = LineKind::Blank;
    Range content;                  // the whole line before its terminator, untrimmed
    std::size_t terminatorEnd = 0;  // the byte after its CR, LF or CR LF
    Range name;                     // section name (header) or key (key line), trimmed
    bool hasValue = false;
    std::size_t afterEquals = 0;    // the byte after '=' (key line with value)
    Range value;                    // trimmed value
    std::size_t valueLastBegin = 0; // where its last character starts
    std::size_t valueZero = None;   // where its first zero character starts, or None
};

// Where a lookup found its section and key.
struct Place {
    bool sectionFound = false;
    std::optional<Line> key;  // the first key line of that name in the section
    Line lastKeyLine;         // the section's last key line, or its header
    bool endsUnended = false; // the last line seen has no terminator
};

// The characters of a file, decoded where they are looked at: memory for a read or a
// write is the file's bytes and a few lines, however long a line is.
class Text {
public:
    explicit Text(std::string_view fileBytes) : Text(fileBytes, ini::detectEncoding(fileBytes)) {}
    Text(std::string_view fileBytes, ini::FileEncoding encoding)
        : bytes_(fileBytes), encoding_(encoding), end_(ini::textEnd(fileBytes, encoding)) {}

    // Where the text ends: a last odd byte of a UTF-16 file is no character and stays
    // after everything written at the end, so that what is added keeps its alignment.
    std::size_t end() const { return end_; }
    Unit at(std::size_t byte) const { return ini::decodeAt(bytes_, byte, encoding_.encoding); }

    Range trim(Range range) const {
        range.first = skipBlanks(range);
        std::size_t last = range.first;
        for (std::size_t at = range.first; at < range.last;) {
            const Unit unit = this->at(at);
            at = unit.end();
            if (!isBlank(unit.code)) last = at;
        }
        range.last = last;
        return range;
    }

    // The first section of that name, and in it the first key of that name; the lines
    // after the key, or after the section, are not read.
    Place find(const std::u32string& section, const std::u32string& key) const {
        Place place;
        bool inSection = section.empty();  // the lines before the first header
        place.sectionFound = inSection;
        for (std::size_t at = encoding_.markLength; at < end_;) {
            // Lines that are only their terminator carry nothing.
            if (isLineEnd(this->at(at).code)) {
                at = this->at(at).end();
                place.endsUnended = false;
                continue;
            }
            const std::u32string* const keys[] = {&key};
            const Line line = lineAt(at, inSection ? keys : std::span<const std::u32string* const>());
            at = line.terminatorEnd;
            place.endsUnended = line.terminatorEnd == line.content.last;
            if (line.kind == LineKind::Header) {
                if (inSection) break;
                if (nameEquals(line.name, section)) {
                    inSection = place.sectionFound = true;
                    place.lastKeyLine = line;
                }
            } else if (line.kind == LineKind::Key && inSection) {
                place.lastKeyLine = line;
                if (nameEquals(line.name, key)) {
                    place.key = line;
                    break;
                }
            }
        }
        return place;
    }

    // find() for several names in one walk over the file: for each, its key line, or none.
    std::vector<std::optional<Line>> findMany(const std::vector<std::pair<std::u32string, std::u32string>>& names) const {
        const std::size_t count = names.size();
        std::vector<std::optional<Line>> found(count);
        std::vector<char> over(count, 0);     // found, or past its section
        std::vector<char> entered(count, 0);  // its section has begun (only the first counts)
        std::vector<char> inside(count, 0);   // the lines are in its section now
        std::size_t left = 0;
        for (std::size_t i = 0; i < count; ++i) {
            if (names[i].second.empty()) over[i] = 1;  // no key is never found
            else ++left;
            entered[i] = inside[i] = names[i].first.empty();  // the lines before the first header
        }
        std::vector<const std::u32string*> keys;  // those that the next key line may be
        auto lookFor = [&] {
            keys.clear();
            for (std::size_t i = 0; i < count; ++i)
                if (inside[i] && !over[i]) keys.push_back(&names[i].second);
        };
        lookFor();
        for (std::size_t at = encoding_.markLength; at < end_ && left > 0;) {
            if (isLineEnd(this->at(at).code)) {
                at = this->at(at).end();
                continue;
            }
            const Line line = lineAt(at, keys);
            at = line.terminatorEnd;
            if (line.kind == LineKind::Header) {
                for (std::size_t i = 0; i < count; ++i) {
                    if (inside[i] && !over[i]) {
                        over[i] = 1;
                        --left;
                    }
                    inside[i] = 0;
                    if (!entered[i] && !over[i] && nameEquals(line.name, names[i].first)) entered[i] = inside[i] = 1;
                }
                lookFor();
            } else if (line.kind == LineKind::Key && !keys.empty()) {
                bool any = false;
                for (std::size_t i = 0; i < count; ++i) {
                    if (inside[i] && !over[i] && nameEquals(line.name, names[i].second)) {
                        found[i] = line;
                        over[i] = 1;
                        --left;
                        any = true;
                    }
                }
                if (any) lookFor();
            }
        }
        return found;
    }

    bool anyNameEquals(Range range, std::span<const std::u32string* const> wanted) const {
        for (const std::u32string* name : wanted)
            if (nameEquals(range, *name)) return true;
        return false;
    }

    bool nameEquals(Range range, const std::u32string& wanted) const {
        std::size_t i = 0;
        for (std::size_t at = range.first; at < range.last; ++i) {
            const Unit unit = this->at(at);
            if (i == wanted.size() || foldCase(unit.code) != foldCase(wanted[i])) return false;
            at = unit.end();
        }
        return i == wanted.size();
    }

    // The GBK text of a range, at least `limit` + 1 bytes of it when it is longer.
    std::string gbkText(Range range, std::size_t limit) const {
        if (range.empty()) return {};
        if (encoding_.encoding == ini::TextEncoding::Gbk)
            return std::string(bytes_.substr(range.first, std::min(range.last - range.first, limit + 1)));
        ini::GbkBuilder text;
        for (std::size_t at = range.first; at < range.last && text.size() <= limit;) {
            const Unit unit = this->at(at);
            text.add(unit.code);
            at = unit.end();
        }
        return text.take();
    }

    std::string encode(std::string_view gbk) const { return ini::encodeGbkText(gbk, encoding_.encoding); }
    bool isGbk() const { return encoding_.encoding == ini::TextEncoding::Gbk; }

private:
    std::size_t skipBlanks(Range range) const {
        while (range.first < range.last) {
            const Unit unit = at(range.first);
            if (!isBlank(unit.code)) break;
            range.first = unit.end();
        }
        return range.first;
    }

    // Where the line that has a character at `at` ends (before its terminator).
    std::size_t lineEndFrom(std::size_t at) const {
        const bool gbk = encoding_.encoding == ini::TextEncoding::Gbk;
        if (gbk || encoding_.encoding == ini::TextEncoding::Utf8) {
            // CR and LF are never part of a longer character in these two.
            while (at < end_) {
                const auto byte = static_cast<unsigned char>(bytes_[at]);
                if (byte == '\r' || byte == '\n') break;
                at += gbk && ini::isGbkLead(byte) && at + 1 < end_ ? 2 : 1;
            }
            return at;
        }
        while (at < end_) {
            const Unit unit = this->at(at);
            if (isLineEnd(unit.code)) break;
            at = unit.end();
        }
        return at;
    }

    // The line that starts at `at`, read in one pass (then a few blanks at most). A line
    // that is no header is only read to its end unless it may be one of `keys` (outside
    // the sections looked for there are none): its kind and end are right, the rest is not.
    Line lineAt(std::size_t at, std::span<const std::u32string* const> keys) const {
        Line line;
        line.content.first = at;
        Range text{None, at};       // trimmed: the first non-blank and the end of the last
        char32_t first = 0;         // the first non-blank
        std::size_t equals = None;  // the first '='
        Range beforeEquals;         // the trimmed text before it
        std::size_t close = None;   // the last ']'
        std::size_t beforeClose = 0; // the end of the last non-blank before it
        std::size_t lastBegin = 0;  // where the last non-blank starts
        std::size_t zero = None;    // the first zero character after the first '='
        while (at < end_) {
            const Unit unit = this->at(at);
            if (isLineEnd(unit.code)) break;
            if (!isBlank(unit.code)) {
                if (text.first == None) {
                    text.first = at;
                    first = unit.code;
                }
                if (unit.code == U'=' && equals == None) {
                    equals = at;
                    line.afterEquals = unit.end();
                    beforeEquals = {text.first, std::max(text.first, text.last)};
                }
                if (unit.code == U']') {
                    close = at;
                    beforeClose = text.last;
                }
                if (unit.code == 0 && zero == None && equals != None) zero = at;
                lastBegin = at;
                text.last = unit.end();
                const bool startsKey = text.first == at && first != U'[';
                if ((startsKey && (keys.empty() || first == U';')) ||
                    (equals == at && first != U'[' && !anyNameEquals(beforeEquals, keys))) {
                    at = lineEndFrom(unit.end());
                    break;
                }
            }
            at = unit.end();
            if (equals != None && isGbk()) {
                // The rest of a GBK line after its '=': only single bytes are syntax, so its
                // characters need no decoding (a value may be as long as the file).
                while (at < end_) {
                    const auto byte = static_cast<unsigned char>(bytes_[at]);
                    if (byte == '\r' || byte == '\n') break;
                    const std::size_t width = ini::isGbkLead(byte) && at + 1 < end_ ? 2 : 1;
                    if (width == 2 || !isBlank(byte)) {
                        if (byte == ']') {
                            close = at;
                            beforeClose = text.last;
                        }
                        if (byte == 0 && zero == None) zero = at;
                        lastBegin = at;
                        text.last = at + width;
                    }
                    at += width;
                }
                break;
            }
        }
        line.content.last = at;
        if (at < end_) {
            const bool carriageReturn = this->at(at).code == U'\r';
            at = this->at(at).end();
            if (carriageReturn && at < end_ && this->at(at).code == U'\n') at = this->at(at).end();
        }
        line.terminatorEnd = at;
        if (text.first == None) return line;  // blank

        if (first == U'[' && close != None && close > text.first) {
            line.kind = LineKind::Header;
            const std::size_t afterOpen = this->at(text.first).end();
            line.name.first = skipBlanks({afterOpen, close});
            line.name.last = std::max(line.name.first, beforeClose);
            return line;
        }
        // A '[' line without a closing bracket is an ordinary line.
        if (first == U';') {
            line.kind = LineKind::Comment;
            return line;
        }
        line.kind = LineKind::Key;
        if (equals == None) {
            line.name = text;
            return line;
        }
        line.hasValue = true;
        line.name = beforeEquals;
        line.value = {skipBlanks({line.afterEquals, text.last}), text.last};
        line.valueLastBegin = lastBegin;
        line.valueZero = zero;
        return line;
    }

    std::string_view bytes_;
    ini::FileEncoding encoding_;
    std::size_t end_;
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
    const Range range = Text(text, {}).trim({0, text.size()});
    return text.substr(range.first, range.last - range.first);
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

// Where the value of a key line stands in the file (iniRead's rules), or none.
std::optional<Range> valueOf(const Text& text, const std::optional<Line>& key) {
    if (!key || !key->hasValue) return std::nullopt;
    // The text ends at a zero character; a value in a pair of the same quote loses them.
    const Line& line = *key;
    Range value = line.value;
    std::size_t lastBegin = line.valueLastBegin;
    if (line.valueZero != None) {
        value.last = line.valueZero;
        for (std::size_t at = value.first; at < value.last; at = text.at(at).end()) lastBegin = at;
    }
    if (!value.empty()) {
        const Unit open = text.at(value.first);
        const char32_t close = text.at(lastBegin).code;
        if (open.end() < value.last && open.code == close && (close == U'"' || close == U'\''))
            value = {open.end(), lastBegin};
    }
    return value;
}

// Where the value of key in section stands in the file, or none.
std::optional<Range> valueRange(const Text& text, std::string_view section, std::string_view key) {
    std::u32string keyName = lookupName(key);
    if (keyName.empty()) return std::nullopt;
    return valueOf(text, text.find(lookupName(section), keyName).key);
}

// A value's GBK text as the caller's buffer of bufferSize (> 0) bytes holds it.
std::string limitedText(const Text& text, const std::optional<Range>& value, std::size_t bufferSize) {
    if (!value) return {};
    return iniLimit(text.gbkText(*value, bufferSize - 1), bufferSize);
}

// The value of key in section (iniRead's rules).
std::string readFrom(const Text& text, std::string_view section, std::string_view key, std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    return limitedText(text, valueRange(text, section, key), bufferSize);
}

// The key lines of several names, found in one walk over the file (it may be 64 MB).
std::vector<std::optional<Line>> keyLinesOf(const Text& text, const std::vector<IniName>& names) {
    std::vector<std::pair<std::u32string, std::u32string>> lookups;
    for (const IniName& name : names) lookups.emplace_back(lookupName(name.section), lookupName(name.key));
    return text.findMany(lookups);
}

}  // namespace

std::string iniRead(std::string_view fileBytes, std::string_view section, std::string_view key,
                    std::size_t bufferSize) {
    if (bufferSize == 0 || lookupName(key).empty()) return {};
    return readFrom(Text(fileBytes), section, key, bufferSize);
}

std::string iniLimit(std::string_view whole, std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    return std::string(whole.substr(0, fitGbk(whole, bufferSize - 1)));
}

std::vector<std::string_view> iniViewMany(std::string_view fileBytes, const std::vector<IniName>& names,
                                          std::vector<std::string>& decoded) {
    const Text text(fileBytes);
    std::vector<std::string_view> values;
    values.reserve(names.size());
    decoded.clear();
    decoded.reserve(names.size());  // never moved: a short text stands inside its string
    for (const std::optional<Line>& keyLine : keyLinesOf(text, names)) {
        const std::optional<Range> value = valueOf(text, keyLine);
        if (!value || value->empty()) {
            values.emplace_back();
        } else if (text.isGbk()) {
            values.push_back(fileBytes.substr(value->first, value->last - value->first));
        } else {
            decoded.push_back(text.gbkText(*value, IniWholeValue - 1));
            values.push_back(decoded.back());
        }
    }
    return values;
}

bool iniNamesWritable(std::string_view section, std::string_view key) {
    return !lookupName(section).empty() && !lookupName(key).empty();
}

namespace {

// Whether a character starts at byte `at` of a GBK text read from its start. A byte
// that is no lead byte always ends a character (alone, or as a trail byte), so it
// depends on the lead bytes right before `at` only: an even number of them.
bool startsGbkCharacter(std::string_view text, std::size_t at) {
    std::size_t leads = 0;
    while (at > leads && ini::isGbkLead(static_cast<unsigned char>(text[at - leads - 1]))) ++leads;
    return leads % 2 == 0;
}

// An edit whose bytes stay in the value of a key line: marks it as one that moves
// no line and changes no other line of a GBK file, when it is so.
void markInValue(IniEdit& edit, std::string_view content, const Line& line) {
    const std::string_view text = edit.text();
    edit.line = line.content.first;
    edit.inValue = line.hasValue && edit.from >= line.afterEquals && edit.to <= line.content.last &&
                   content[line.name.first] != '[' &&  // a ']' added would make it a header
                   startsGbkCharacter(content, edit.from) && startsGbkCharacter(text, text.size()) &&
                   text.find_first_of("\r\n") == std::string_view::npos;
}

// What iniWriteInPlace changes, or none when the names cannot be written.
std::optional<IniEdit> writeEdit(std::string_view content, std::string_view section, std::string_view key,
                                 std::string_view value) {
    if (!iniNamesWritable(section, key)) return std::nullopt;
    while (!value.empty() && isBlank(static_cast<unsigned char>(value.front()))) value.remove_prefix(1);

    IniEdit edit;
    const Text text(content);
    const Place place = text.find(lookupName(section), lookupName(key));
    const std::string lineBreak = text.encode("\r\n");
    // Made only where a line is added: the value may be as long as the file.
    auto keyLine = [&] {
        std::string line(trimGbk(key));
        line.reserve(line.size() + value.size() + 3);
        return line.append("=").append(value).append("\r\n");
    };
    if (!place.sectionFound) {
        // A new section at the end, on a line of its own.
        if (place.endsUnended) edit.made += lineBreak;
        std::string lines = "[";
        lines.append(trimGbk(section)).append("]\r\n").append(keyLine());
        edit.made += text.encode(lines);
        edit.from = edit.to = text.end();
    } else if (place.key) {
        // Replace the rest of the line after '=' (or after the key when it has none).
        const Line& line = *place.key;
        edit.from = line.hasValue ? line.afterEquals : line.name.last;
        edit.to = line.content.last;
        if (line.hasValue && text.isGbk()) {
            edit.given = value;  // a value that may be as long as the file is not copied
            edit.usesGiven = true;
        } else {
            edit.made = text.encode((line.hasValue ? "" : "=") + std::string(value));
        }
        if (text.isGbk()) markInValue(edit, content, line);
    } else {
        // A new key after the last key of the section (or its header).
        const Line& after = place.lastKeyLine;
        if (after.terminatorEnd == after.content.last) edit.made += lineBreak;  // the file's last line, unended
        edit.made += text.encode(keyLine());
        edit.from = edit.to = after.terminatorEnd;
    }
    edit.changes = content.substr(edit.from, edit.to - edit.from) != edit.text();
    return edit;
}

bool applyEdit(std::string& content, const std::optional<IniEdit>& edit) {
    if (!edit || !edit->changes) return false;
    content.replace(edit->from, edit->to - edit->from, edit->text());
    return true;
}

}  // namespace

std::optional<IniEdit> iniExtendEdit(std::string_view content, std::string_view section, std::string_view key,
                                     std::size_t keep, std::string_view tail) {
    if (!iniNamesWritable(section, key)) return std::nullopt;
    if (keep == 0) return writeEdit(content, section, key, tail);
    const Text text(content);
    if (text.isGbk()) {
        const std::optional<Line> line = text.find(lookupName(section), lookupName(key)).key;
        const std::optional<Range> value = valueOf(text, line);
        if (value && keep <= value->last - value->first) {
            // Quotes around the value, and what follows a zero character, stay where they
            // are: the value reads as the kept bytes and the tail.
            IniEdit edit;
            edit.from = value->first + keep;
            edit.to = value->last;
            edit.given = tail;
            edit.usesGiven = true;
            edit.changes = content.substr(edit.from, edit.to - edit.from) != tail;
            markInValue(edit, content, *line);
            return edit;
        }
    }
    std::string whole = iniRead(content, section, key);
    whole.resize(std::min(keep, whole.size()));
    std::optional<IniEdit> edit = writeEdit(content, section, key, whole.append(tail));
    if (edit && edit->usesGiven) {  // it would point into `whole`
        edit->made = std::string(edit->given);
        edit->usesGiven = false;
    }
    return edit;
}

bool iniWriteInPlace(std::string& content, std::string_view section, std::string_view key, std::string_view value) {
    return applyEdit(content, writeEdit(content, section, key, value));
}

bool iniExtendInPlace(std::string& content, std::string_view section, std::string_view key, std::size_t keep,
                      std::string_view tail) {
    return applyEdit(content, iniExtendEdit(content, section, key, keep, tail));
}

std::string iniWrite(std::string_view fileBytes, std::string_view section, std::string_view key,
                     std::string_view value) {
    std::string content(fileBytes);
    iniWriteInPlace(content, section, key, value);
    return content;
}

std::string iniWriteAll(std::string_view fileBytes, const std::vector<IniItem>& items) {
    std::string content(fileBytes);
    for (const IniItem& item : items) iniExtendInPlace(content, item.section, item.key, item.keep, item.value);
    return content;
}

}  // namespace velarion
