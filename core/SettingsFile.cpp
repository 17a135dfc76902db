#include "core/SettingsFile.hpp"

#include "base/Gbk.hpp"
#include "core/Profile.hpp"

namespace velarion {

std::string SettingsFile::path() const {
    std::string directory = system_.windowsDirectory();
    // The last byte may be the trail byte of a double-byte character: only a real
    // backslash counts.
    if (!directory.empty() && gbk::findLastAscii(directory, '\\') != directory.size() - 1) directory += '\\';
    return directory + std::string(SettingsFileName);
}

std::string SettingsFile::read(std::string_view section, std::string_view key) const {
    return readProfileString(system_, path(), section, key, ReadLimit);
}

std::vector<std::string> SettingsFile::read(const std::vector<IniName>& names) const {
    std::vector<std::string> values;
    values.reserve(names.size());
    useWhole(names, [&](const ProfileViews& whole) {
        for (std::string_view value : whole) values.push_back(asRead(value));
    });
    return values;
}

std::string SettingsFile::readWhole(std::string_view section, std::string_view key) const {
    return readProfileString(system_, path(), section, key, IniWholeValue);
}

void SettingsFile::useWhole(const std::vector<IniName>& names,
                            const std::function<void(const ProfileViews&)>& use) const {
    useProfileValues(system_, path(), names, use);
}

bool SettingsFile::update(const std::vector<IniName>& names,
                          const std::function<std::vector<IniItem>(const ProfileViews&)>& change) {
    return updateProfileValues(system_, path(), names, change);
}

bool SettingsFile::write(std::string_view section, std::string_view key, std::string_view value) {
    return writeProfileString(system_, path(), section, key, value);
}

bool SettingsFile::writeAll(const std::vector<IniItem>& items) {
    return writeProfileStrings(system_, path(), items);
}

}  // namespace velarion
