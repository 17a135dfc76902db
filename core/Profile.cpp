#include "core/Profile.hpp"

namespace velarion {

std::string_view skipLeadingControls(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
    return text;
}

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

std::vector<std::string> readProfileStrings(System& system, std::string_view file,
                                            const std::vector<IniName>& names, std::size_t bufferSize) {
    std::vector<std::string> values(names.size());
    file = skipLeadingControls(file);
    std::vector<IniName> wanted;  // names left after skipping, "" where one is empty
    bool any = false;
    for (const IniName& name : names) {
        IniName cleaned{skipLeadingControls(name.section), skipLeadingControls(name.key)};
        if (cleaned.section.empty() || cleaned.key.empty()) cleaned = {};
        any = any || !cleaned.key.empty();
        wanted.push_back(cleaned);
    }
    if (file.empty() || !any) return values;
    FileContents contents = system.readWholeFile(std::string(file));
    if (contents.status != FileReadStatus::Ok) return values;
    std::vector<std::string> found = iniReadMany(contents.bytes, wanted, bufferSize);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!wanted[i].key.empty()) values[i] = std::move(found[i]);
    return values;
}

bool writeProfileStrings(System& system, std::string_view file, const std::vector<IniItem>& items) {
    file = skipLeadingControls(file);
    if (file.empty()) return false;
    if (items.empty()) return true;
    // The names as a read finds them again; all of them writable, or nothing is written.
    for (const IniItem& item : items)
        if (!iniNamesWritable(skipLeadingControls(item.section), skipLeadingControls(item.key))) return false;

    std::string path(file);
    FileContents old = system.readWholeFile(path);
    // A file that exists but cannot be read is never replaced by one built without it.
    if (old.status == FileReadStatus::Failed) return false;
    // One content at a time beside the next: a file may be tens of megabytes.
    std::string content = std::move(old.bytes);
    bool changed = false;
    for (const IniItem& item : items) {
        std::string next = iniWrite(content, skipLeadingControls(item.section), skipLeadingControls(item.key), item.value);
        changed = changed || next != content;
        content = std::move(next);
    }
    if (old.status == FileReadStatus::Ok && !changed) return true;  // nothing changes
    return system.replaceFile(path, content);
}

bool writeProfileString(System& system, std::string_view file, std::string_view section,
                        std::string_view key, std::string_view value) {
    return writeProfileStrings(system, file, {IniItem{std::string(section), std::string(key), std::string(value)}});
}

}  // namespace velarion
