#include "core/Profile.hpp"

#include <algorithm>
#include <optional>

namespace velarion {

std::string_view skipLeadingControls(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
    return text;
}

namespace {

// The names as a read looks them up: "" where one is empty after skipping.
std::vector<IniName> cleanedNames(const std::vector<IniName>& names, bool& any) {
    std::vector<IniName> wanted;
    any = false;
    for (const IniName& name : names) {
        IniName cleaned{skipLeadingControls(name.section), skipLeadingControls(name.key)};
        if (cleaned.section.empty() || cleaned.key.empty()) cleaned = {};
        any = any || !cleaned.key.empty();
        wanted.push_back(cleaned);
    }
    return wanted;
}

// The edits of the items, all found in the content read, in the order they stand
// in it; none when one of them could change where a later one goes (a line added,
// the same line twice): then each must be found in the content the one before it made.
std::optional<std::vector<IniEdit>> editsInValues(std::string_view content, const std::vector<IniItem>& items) {
    std::vector<IniEdit> edits;
    for (const IniItem& item : items) {
        std::optional<IniEdit> edit = iniExtendEdit(content, skipLeadingControls(item.section),
                                                    skipLeadingControls(item.key), item.keep, item.value);
        if (!edit) continue;
        if (!edit->inValue) return std::nullopt;
        auto at = edits.begin();  // in the order they stand (a few: no sort needed)
        while (at != edits.end() && at->from <= edit->from) ++at;
        edits.insert(at, std::move(*edit));
    }
    // Two items of one line: the second must see what the first made of it (a value
    // it left as it was may be another one by then).
    for (std::size_t i = 1; i < edits.size(); ++i)
        if (edits[i].line == edits[i - 1].line) return std::nullopt;
    return edits;
}

// The items written into the content read (its status is the file's), then the file
// replaced by it when anything changed.
bool writeInto(System& system, const std::string& path, FileContents old, const std::vector<IniItem>& items) {
    // The names as a read finds them again; all of them writable, or nothing is written.
    for (const IniItem& item : items)
        if (!iniNamesWritable(skipLeadingControls(item.section), skipLeadingControls(item.key))) return false;
    // A file that exists but cannot be read is never replaced by one built without it.
    if (old.status == FileReadStatus::Failed) return false;
    if (items.empty()) return true;
    // A file may be tens of megabytes. Where every edit stays in a value, the new file
    // is written from the old bytes where they were read and the edits' own; else the
    // items go one after another into a copy.
    if (const std::optional<std::vector<IniEdit>> edits = editsInValues(old.bytes, items)) {
        const bool changes = std::any_of(edits->begin(), edits->end(), [](const IniEdit& e) { return e.changes; });
        if (old.status == FileReadStatus::Ok && !changes) return true;  // nothing changes
        std::vector<std::string_view> pieces;
        std::size_t at = 0;
        for (const IniEdit& edit : *edits) {
            pieces.push_back(old.bytes.substr(at, edit.from - at));
            pieces.push_back(edit.text());
            at = edit.to;
        }
        pieces.push_back(old.bytes.substr(at));
        return system.replaceFileWith(path, pieces, std::move(old));
    }
    const bool existed = old.status == FileReadStatus::Ok;
    std::string content;
    content.reserve(old.bytes.size() + 64 * 1024);  // room for the edits: nothing moves but what follows one
    content = old.bytes;
    old = {};  // a file held cannot be replaced
    bool changed = false;
    for (const IniItem& item : items)
        changed = iniExtendInPlace(content, skipLeadingControls(item.section), skipLeadingControls(item.key), item.keep,
                                   item.value) || changed;
    if (existed && !changed) return true;  // nothing changes
    return system.replaceFile(path, content);
}

}  // namespace

std::string readProfileString(System& system, std::string_view file, std::string_view section,
                              std::string_view key, std::size_t bufferSize) {
    file = skipLeadingControls(file);
    section = skipLeadingControls(section);
    key = skipLeadingControls(key);
    if (file.empty() || section.empty() || key.empty()) return {};
    FileContents contents = system.readWholeFile(std::string(file));
    if (contents.status != FileReadStatus::Ok) return {};
    return iniRead(contents.bytes, section, key, bufferSize);
}

void useProfileValues(System& system, std::string_view file, const std::vector<IniName>& names,
                      const std::function<void(const ProfileViews&)>& use) {
    file = skipLeadingControls(file);
    bool any = false;
    const std::vector<IniName> wanted = cleanedNames(names, any);
    FileContents contents;
    if (!file.empty() && any) contents = system.readWholeFile(std::string(file));
    if (contents.status != FileReadStatus::Ok) contents.bytes = {};
    std::vector<std::string> decoded;
    ProfileViews values = iniViewMany(contents.bytes, wanted, decoded);
    use(values);
}

bool updateProfileValues(System& system, std::string_view file, const std::vector<IniName>& names,
                         const std::function<std::vector<IniItem>(const ProfileViews&)>& change) {
    file = skipLeadingControls(file);
    if (file.empty()) return false;
    const std::string path(file);
    bool any = false;
    const std::vector<IniName> wanted = cleanedNames(names, any);
    FileContents old = system.readWholeFile(path);
    if (old.status == FileReadStatus::Failed) return false;
    std::vector<IniItem> items;
    {
        std::vector<std::string> decoded;
        const std::string_view bytes = old.status == FileReadStatus::Ok ? std::string_view(old.bytes) : "";
        const ProfileViews values = iniViewMany(bytes, wanted, decoded);
        items = change(values);  // the views end here: the content is written into next
    }
    return writeInto(system, path, std::move(old), items);
}

bool writeProfileStrings(System& system, std::string_view file, const std::vector<IniItem>& items) {
    file = skipLeadingControls(file);
    if (file.empty()) return false;
    if (items.empty()) return true;
    const std::string path(file);
    return writeInto(system, path, system.readWholeFile(path), items);
}

bool writeProfileString(System& system, std::string_view file, std::string_view section,
                        std::string_view key, std::string_view value) {
    return writeProfileStrings(system, file, {IniItem{std::string(section), std::string(key), std::string(value)}});
}

}  // namespace velarion
