#pragma once
// kjfs.ini in the Windows directory: the only place the program keeps state.
// No cache: every read goes to the file and every write reaches the file
// (atomically replaced) before the call returns.

#include <string>
#include <string_view>
#include <vector>

#include "core/IniFile.hpp"
#include "core/Profile.hpp"
#include "platform/System.hpp"

namespace velarion {

inline constexpr std::string_view SettingsFileName = "kjfs.ini";
inline constexpr std::string_view SectionSettings = "系统设置";
inline constexpr std::string_view KeyOpacity = "透明度";
inline constexpr std::string_view KeyAutostart = "开机启动";
inline constexpr std::string_view KeyTopmost = "前端";
inline constexpr std::string_view FlagOn = "真";
inline constexpr std::string_view FlagOff = "假";

// The read buffer of a profile read: a value arrives cut to ReadLimit - 1 bytes.
inline constexpr std::size_t ReadLimit = 10240;

class SettingsFile {
public:
    explicit SettingsFile(System& system) : system_(system) {}

    // Windows directory + "kjfs.ini", worked out anew on every call.
    std::string path() const;
    // The value, cut to 10239 bytes; "" when the file, section or key is missing.
    std::string read(std::string_view section, std::string_view key) const;
    // Several values, each cut as read cuts it, from one reading of the file.
    std::vector<std::string> read(const std::vector<IniName>& names) const;
    // A whole value from useWhole as read() gives it.
    static std::string asRead(std::string_view whole) { return iniLimit(whole, ReadLimit); }
    // The whole value, without the cut (the catalog lists).
    std::string readWhole(std::string_view section, std::string_view key) const;
    // Several whole values from one reading, as views for the length of the call
    // (a list may be as long as the file, and is not copied to be looked at).
    void useWhole(const std::vector<IniName>& names, const std::function<void(const ProfileViews&)>& use) const;
    // One reading and one atomic replacement: the items made of the whole values read.
    bool update(const std::vector<IniName>& names,
                const std::function<std::vector<IniItem>(const ProfileViews&)>& change);
    bool write(std::string_view section, std::string_view key, std::string_view value);
    // Several items in one atomic replacement of the file: all or none.
    bool writeAll(const std::vector<IniItem>& items);

private:
    System& system_;
};

// A flag reads as on only when it is exactly "真".
inline bool flagIsOn(std::string_view stored) { return stored == FlagOn; }

}  // namespace velarion
