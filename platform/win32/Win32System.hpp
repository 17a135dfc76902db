#pragma once
// The system services on the real Win32 API. Every text is converted between
// GBK and UTF-16 at the call (code page 936, see Encoding.hpp) and the W
// functions are used, so paths and texts are right on any Windows locale.

#include <functional>
#include <set>
#include <string>

#include "platform/System.hpp"

struct tagMSG;

namespace velarion::win32 {

// The last step of a shutdown: ExitWindowsEx(flags, reason). Replaceable,
// because a real request ends every program of a Wine prefix.
using ExitWindowsCall = std::function<bool(unsigned flags, unsigned long reason)>;

// The full path of the running program, as the system names it.
std::wstring programFilePath();

// ExitWindowsEx itself.
bool requestExitWindows(unsigned flags, unsigned long reason);

class Win32System : public System {
public:
    explicit Win32System(ExitWindowsCall exitWindows) : exitWindows_(std::move(exitWindows)) {}

    std::string windowsDirectory() override;
    ExecutablePath executablePath() override;
    bool setCurrentDirectory(const std::string& directory) override;
    bool enterProgramFolder() override;
    FileContents readWholeFile(const std::string& path) override;
    bool replaceFileWith(const std::string& path, std::span<const std::string_view> pieces,
                         FileContents source) override;

    bool writeRegistryText(RegistryRoot root, const std::string& fullPath,
                           const std::string& text) override;
    bool deleteRegistryItem(RegistryRoot root, const std::string& fullPath) override;
    bool registryValueExists(RegistryRoot root, const std::string& fullPath) override;
    bool writeRegistryProgramPath(RegistryRoot root, const std::string& fullPath) override;

    bool runProgram(const std::string& commandLine) override;
    bool shutDownSystem(int mode, bool force) override;

    LocalClock readLocalClock() override;
    void waitWithEvents(int milliseconds) override;
    // How waitWithEvents hands on each message: the window layer's dispatch, so
    // the dialog keys (Tab, Esc, Enter) and the entry keys work during a wait
    // as in the message loop. Plain dispatch when none is set.
    void setMessageDispatch(std::function<void(tagMSG&)> dispatch) { dispatch_ = std::move(dispatch); }

    int showMessageBox(const std::string& text, unsigned flags, const std::string& title) override;
    void soundBeep() override;
    bool openFileDialog(const std::string& filter, unsigned flags, std::string& fileName) override;
    void showAboutBox(const std::string& applicationName, const std::string& otherText) override;

private:
    ExitWindowsCall exitWindows_;
    std::function<void(tagMSG&)> dispatch_;
    std::set<std::wstring> swept_;  // files whose stale temporaries were removed
};

// Temporary files of replaceFile are named "<file name>" + this + "<unique part>.tmp"
// in the folder of the file; leftovers of an interrupted write are removed by the next one.
inline constexpr wchar_t ReplaceTempMarker[] = L".~vltmp";

}  // namespace velarion::win32
