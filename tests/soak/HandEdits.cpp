// Edits of kjfs.ini as a user makes them in an editor while the program runs:
// comments, keys of our own in the program's sections and sections of our own.
// Every line written is remembered; the checks require each one to stay.

#include <string>

#include "tests/soak/Soak.hpp"
#include "platform/win32/KernelHandles.hpp"

namespace velarion::soak {
namespace {

bool writeWholeFile(const std::wstring& path, const std::string& bytes) {
    win32::UniqueKernelHandle file(win32::validOrNull(CreateFileW(
        path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// Inserts `line` just below the header of `section` (the section is added at
// the end when the file has none), as an editor saves: the whole file rewritten.
bool insertBelowHeader(const std::string& section, const std::string& line) {
    std::string bytes;
    if (!readWholeFile(e2e::settingsFilePath(), bytes)) bytes.clear();
    const std::string header = "[" + section + "]";
    std::size_t at = bytes.find(header);
    if (at == std::string::npos) {
        if (!bytes.empty() && bytes.back() != '\n') bytes += "\r\n";
        bytes += header + "\r\n" + line + "\r\n";
    } else {
        at = bytes.find('\n', at);
        if (at == std::string::npos) bytes += "\r\n" + line + "\r\n";
        else bytes.insert(at + 1, line + "\r\n");
    }
    return writeWholeFile(e2e::settingsFilePath(), bytes);
}

bool appendLines(const std::vector<std::string>& lines) {
    std::string bytes;
    if (!readWholeFile(e2e::settingsFilePath(), bytes)) bytes.clear();
    if (!bytes.empty() && bytes.back() != '\n') bytes += "\r\n";
    for (const std::string& line : lines) bytes += line + "\r\n";
    return writeWholeFile(e2e::settingsFilePath(), bytes);
}

}  // namespace

void randomHandEdit(Soak& soak) {
    settle(soak);
    const std::string n = std::to_string(soak.handLines.size());
    bool written = false;
    std::vector<std::string> lines;
    switch (soak.pick(4)) {
    case 0:  // a comment, with what the lists use as separator
        lines = {"; 手写注释" + n + " %$ [不是段]"};
        written = appendLines(lines);
        soak.count("hand edit: comment");
        break;
    case 1:  // a section of our own
        lines = {"[手写段" + n + "]", "键" + n + "=值 " + n + " 齄丂", "无等号的行" + n};
        written = appendLines(lines);
        soak.count("hand edit: section");
        break;
    case 2:  // a key of our own among the settings
        lines = {"手写键" + n + "=真" + n};
        written = insertBelowHeader("系统设置", lines[0]);
        soak.count("hand edit: settings key");
        break;
    default:  // a key of our own beside the catalog's names
        lines = {"备注" + n + "=说明" + n};
        written = insertBelowHeader("快捷方式", lines[0]);
        soak.count("hand edit: catalog key");
        break;
    }
    if (!written) soak.fault("a hand edit could not be written");
    else soak.handLines.insert(soak.handLines.end(), lines.begin(), lines.end());
}

}  // namespace velarion::soak
