#pragma once
// The hand-edited and hostile kjfs.ini files of tests/corpus, and the check that
// an append keeps everything a reader could see in the file before it.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/Catalog.hpp"
#include "core/IniCodec.hpp"
#include "core/IniFile.hpp"
#include "core/ListSplit.hpp"

#ifndef VELARION_CORPUS_DIR
#define VELARION_CORPUS_DIR ""  // a build that only uses the checks, not the files
#endif

namespace velarion::testing {

struct CorpusFile {
    std::string name;
    std::string bytes;
};

// The folder of the kept files; under Wine the build machine's root is drive Z:.
inline std::filesystem::path corpusFolder() {
    std::string folder = VELARION_CORPUS_DIR;
#ifdef _WIN32
    if (!folder.empty() && folder.front() == '/') {
        std::replace(folder.begin(), folder.end(), '/', '\\');
        folder = "Z:" + folder;
    }
#endif
    return std::filesystem::path(folder);
}

inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every kept file, by name.
inline std::vector<CorpusFile> corpusFiles() {
    std::vector<CorpusFile> files;
    for (const auto& entry : std::filesystem::directory_iterator(corpusFolder()))
        if (entry.path().extension() == ".ini")
            files.push_back({entry.path().filename().string(), fileBytes(entry.path())});
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return files;
}

// The file's text as GBK, whatever its encoding.
inline std::string asGbk(const std::string& bytes) {
    const ini::FileEncoding encoding = ini::detectEncoding(bytes);
    if (encoding.encoding == ini::TextEncoding::Gbk) return bytes;
    std::u32string codes;
    for (const ini::Unit& unit : ini::decodeUnits(bytes, encoding)) codes += unit.code;
    return ini::codesToGbk(codes);
}

// The members of a stored list as an append keeps them: a last byte that is half a
// double-byte character is no character and does not survive.
inline std::vector<std::string> membersOf(const std::string& list) {
    std::vector<std::string> members = splitList(list);
    if (!members.empty() && !endsWithSeparator(list)) {
        std::string& last = members.back();
        std::size_t at = 0;
        while (last.size() - at >= 2) at += static_cast<unsigned char>(last[at]) >= 0x80 ? 2 : 1;
        if (at + 1 == last.size() && static_cast<unsigned char>(last.back()) >= 0x80) last.pop_back();
        if (last.empty()) members.pop_back();
    }
    return members;
}

inline std::string trimmed(const std::string& text) {
    const char* blanks = " \t\r\n\x0B\x0C\x1A";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

using Probe = std::pair<std::string, std::string>;  // section, key

// Every section and key name a reader might look for in the file (a rough scan: a
// name that is no real one reads as "" before and after alike), and the catalog's.
inline std::set<Probe> probesOf(const std::string& bytes) {
    std::set<Probe> probes;
    for (std::string_view section : {SectionNames, SectionPaths})
        for (Category category : AllCategories) probes.insert({std::string(section), std::string(categoryKey(category))});
    const std::string text = asGbk(bytes);
    std::string section;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        const auto first = line.find_first_not_of(" \t\x0B\x0C\x1A");
        if (first == std::string::npos) continue;
        line.erase(0, first);
        if (line[0] == '[' && line.rfind(']') != std::string::npos && line.rfind(']') > 0) {
            section = trimmed(line.substr(1, line.rfind(']') - 1));
            continue;
        }
        probes.insert({section, trimmed(line.substr(0, line.find('=')))});
    }
    return probes;
}

// What an append of (name, path) to `category` must leave: every value a reader saw
// before reads the same, and the category's lists are the old members plus the new one.
// Returns the differences, "" when there are none.
inline std::string appendLosses(const std::string& before, const std::string& after, Category category,
                                const std::string& name, const std::string& path) {
    std::string losses;
    const std::string key(categoryKey(category));
    for (const Probe& probe : probesOf(before)) {
        const bool appended = (probe.first == SectionNames || probe.first == SectionPaths) && probe.second == key;
        if (appended) continue;
        const std::string old = iniRead(before, probe.first, probe.second);
        const std::string now = iniRead(after, probe.first, probe.second);
        // A file that ends in half a double-byte character: the line break written
        // after it becomes that character's second byte (it was no character before
        // and is none now).
        if (old != now && now == old + "\r" && !old.empty() && static_cast<unsigned char>(old.back()) >= 0x81 &&
            before.size() >= 1 && before.back() == old.back())
            continue;
        if (old != now) losses += "[" + probe.first + "] " + probe.second + ": '" + old + "' became '" + now + "'\n";
    }
    std::vector<std::string> names = membersOf(iniRead(before, SectionNames, key));
    const std::vector<std::string> paths = membersOf(iniRead(before, SectionPaths, key));
    const std::vector<std::string> newNames = splitList(iniRead(after, SectionNames, key));
    const std::vector<std::string> newPaths = splitList(iniRead(after, SectionPaths, key));
    const std::size_t position = names.size();
    names.push_back(name);
    if (newNames != names) losses += "names of " + key + " are not the old ones plus the new one\n";
    // The new path belongs to the new name: at its position, every old path kept in order
    // (those of earlier names before it, any beyond the names after it), empty ones
    // standing in for paths the names lacked.
    std::vector<std::string> expected(paths.begin(), paths.begin() + std::min(paths.size(), position));
    expected.resize(position);
    expected.push_back(path);
    if (paths.size() > position) expected.insert(expected.end(), paths.begin() + position, paths.end());
    if (newPaths != expected) losses += "paths of " + key + " are not in step with the names\n";
    return losses;
}

}  // namespace velarion::testing
