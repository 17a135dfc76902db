#pragma once
// The INI engine: reads and edits the bytes of a profile file the way the Windows
// private-profile functions read them, without touching anything it was not asked to.
//
// Reading
// - Lines end at CR, LF or CR LF; each line is trimmed at both ends of the blanks
//   0x09-0x0D, 0x1A and 0x20. Blank lines carry nothing.
// - "[name]" (the name between '[' and the last ']', trimmed) starts a section; lines
//   before the first header form a section without name. A line starting with ';' is a
//   comment. Any other line is "key=value" split at its first '=' (a line without '=' is a
//   key without value, read as "").
// - Section and key names are trimmed and compare without regard to the case of ASCII
//   letters (other letters, full-width ones included, compare exactly); the
//   first matching section is the one, and in it the first matching key.
// - A value enclosed in a pair of the same quote (" or ') loses the quotes.
// - A double-byte character is one character: its trail byte is never syntax.
// - A file starting with a UTF-8 or UTF-16 byte-order mark is read in that encoding and
//   the value comes back as GBK ('?' for a character GBK lacks). In a GBK file the value's
//   bytes come back as they stand.
//
// Writing returns the whole new content. Every other line stays byte for byte; an existing
// key gets its new value in place, a new key goes after the last key of its section, a new
// section at the end of the file; new lines end in CR LF; a file with a byte-order mark
// stays in its encoding. An item whose section or key is empty (after trimming) is not
// written.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velarion {

struct IniItem {
    std::string section, key, value;
    // When not 0, the stored value's first `keep` bytes stay and `value` follows them
    // (a list may be as long as the file: what it keeps is not written anew).
    std::size_t keep = 0;
};

// No limit on the length of a value read.
inline constexpr std::size_t IniWholeValue = static_cast<std::size_t>(-1);

// The value of key in section, or "" when the section, the key or its value is missing.
// bufferSize works as the caller's buffer of the Windows call: the value is cut to at most
// bufferSize - 1 bytes, never inside a double-byte character; 0 gives "".
std::string iniRead(std::string_view fileBytes, std::string_view section, std::string_view key,
                    std::size_t bufferSize = IniWholeValue);

// A key of a section, for reading several at once.
struct IniName {
    std::string_view section, key;
};

// A whole value (as iniViewMany gives it) as a read with a buffer of bufferSize bytes
// gives it: cut to at most bufferSize - 1 bytes, never inside a double-byte character.
std::string iniLimit(std::string_view whole, std::size_t bufferSize);

// The whole values of several keys, without copying them where the file is GBK: there
// each view is into fileBytes, else into a text decoded into `decoded` (emptied first;
// left alone while the views are used). A missing value is an empty view.
std::vector<std::string_view> iniViewMany(std::string_view fileBytes, const std::vector<IniName>& names,
                                          std::vector<std::string>& decoded);

// The file content with key in section set to value (leading blanks of the value are not
// stored; they could not be read back).
std::string iniWrite(std::string_view fileBytes, std::string_view section, std::string_view key,
                     std::string_view value);

// iniWrite on the content itself: only what follows the edit moves (a content may be
// tens of megabytes). True when the content changed.
bool iniWriteInPlace(std::string& content, std::string_view section, std::string_view key,
                     std::string_view value);

// iniWriteInPlace of the value's first `keep` bytes followed by `tail`; where the file is
// GBK and the value is there, only the bytes after the kept ones are replaced.
bool iniExtendInPlace(std::string& content, std::string_view section, std::string_view key, std::size_t keep,
                      std::string_view tail);

// An edit of a content: its bytes [from, to) become text().
struct IniEdit {
    std::size_t from = 0, to = 0;
    std::string made;        // the new bytes, where they had to be made
    std::string_view given;  // or the caller's own, where they go in as they stand
    bool usesGiven = false;
    bool changes = true;     // false: the bytes are what they would become
    // The edit stays in the value of one key line of a GBK file (which starts at `line`)
    // and adds no line break and no broken character: every other line reads as before,
    // so further edits can be found in the content before it.
    bool inValue = false;
    std::size_t line = 0;

    std::string_view text() const { return usesGiven ? given : std::string_view(made); }
};

// The edit iniExtendInPlace makes of the content (which is not touched: it may be a
// view of the file itself), or none when the names cannot be written.
std::optional<IniEdit> iniExtendEdit(std::string_view content, std::string_view section, std::string_view key,
                                     std::size_t keep, std::string_view tail);

// Several items, in order, as one new content.
std::string iniWriteAll(std::string_view fileBytes, const std::vector<IniItem>& items);

// Whether an item with these names can be written (both non-empty after trimming).
bool iniNamesWritable(std::string_view section, std::string_view key);

}  // namespace velarion
