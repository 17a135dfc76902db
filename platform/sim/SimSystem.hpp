#pragma once
// SimSystem: the system services in memory, for tests. Nothing here touches the real
// machine. Everything a test sets up or inspects is a public member or a small helper;
// every text is a GBK byte string, stored as it is.
//
// Files: full path -> bytes. A path without a drive or folder ("kjfs.ini") lies in the
// current directory. Paths compare without regard to ASCII letter case, as on Windows.
// A replacement swaps in the whole new content at once, or fails and leaves the old one;
// it fails while a content read of that file is still held, as a replacement of a
// mapped file does on Windows (the source it is given is let go first);
// writes fail for every path (failAllWrites) or for chosen ones (failWritesTo), and a file
// can be made unreadable (unreadable) to stand for a file that exists but cannot be read.
//
// Registry: keys (root, key path) holding named text values, names compared without regard
// to ASCII case. writeRegistryText / deleteRegistryItem split the full path at its last real
// backslash (a trail byte of a double-byte character never counts): key path before it,
// value name after it; without a backslash the whole text is the value name under the
// root itself. Write: open the key or create it (with its parents), set the value. Delete:
// delete the value when the key opens; when no value was deleted, delete the key named by
// the whole path (only when it has no subkeys). refusedRoots refuses every change there.
// writeRegistryProgramPath writes the executable's path, quoted, as a text value.
//
// Records: launches (command lines), message boxes (text, flags as passed, title), beeps,
// shutdown requests (mode, force), About boxes and file dialogs (filter, initial name),
// each in order. Results: launchResult, shutdownResult, setCurrentDirectoryResult; message
// box answers and file dialog answers come from queues (then a default: OK / cancel).
// modalHook, when set, runs while a message box, file dialog or About box is open, as the
// system's modal loop would deliver events.
//
// Time: virtual. nowMs counts milliseconds from the start; readLocalClock is the base date
// and time (baseClock, set with setClock) plus the whole seconds since it was set, with
// carries into minutes, hours, days, months and years. advance(ms) moves nowMs on.
// waitWithEvents(ms): returns at once for ms <= 0; otherwise calls waitHook(ms) when one is
// installed (the window stand-in uses it to move time and deliver timer ticks and queued
// actions inside the wait); without a hook it moves nowMs on by ms + 1.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "platform/System.hpp"

namespace velarion {

class SimSystem : public System {
public:
    // ---- Files and directories
    std::string windowsDir = "C:\\WINDOWS\\";  // "" stands for a failing system call
    ExecutablePath executable{"C:\\Program Files\\Velarion", "velarion.exe"};
    std::string currentDirectory = "C:\\";
    bool setCurrentDirectoryResult = true;
    std::vector<std::string> directoryChanges;  // every setCurrentDirectory call

    bool failAllWrites = false;
    std::set<std::string> failWritesTo;  // paths as given (compared without case)
    std::set<std::string> unreadable;    // paths whose read fails
    int replacements = 0;                // successful replacements
    int wholeFileReads = 0;              // readWholeFile calls

    // The full path a file name stands for (relative names lie in the current directory).
    std::string resolvePath(const std::string& path) const;
    void putFile(const std::string& path, std::string bytes);
    std::optional<std::string> file(const std::string& path) const;
    bool hasFile(const std::string& path) const { return file(path).has_value(); }
    void removeFile(const std::string& path);
    // Full paths of all files, as first written.
    std::vector<std::string> filePaths() const;

    // ---- Registry
    std::set<RegistryRoot> refusedRoots;
    // The text of the value named by a full path (split as the operations split it).
    std::optional<std::string> registryText(RegistryRoot root, const std::string& fullPath) const;
    bool registryKeyExists(RegistryRoot root, const std::string& keyPath) const;
    void putRegistryKey(RegistryRoot root, const std::string& keyPath);
    // Number of values under all keys of all roots.
    std::size_t registryValueCount() const;

    // ---- Processes, power, feedback
    std::vector<std::string> launches;
    bool launchResult = true;

    struct ShutdownRequest {
        int mode;
        bool force;
    };
    std::vector<ShutdownRequest> shutdowns;
    bool shutdownResult = true;

    struct MessageBoxRecord {
        std::string text;
        unsigned flags;
        std::string title;
    };
    std::vector<MessageBoxRecord> messageBoxes;
    std::deque<int> messageBoxAnswers;  // buttons pressed, in order
    int defaultMessageBoxAnswer = 1;    // IDOK

    int beeps = 0;

    struct AboutRecord {
        std::string applicationName, otherText;
    };
    std::vector<AboutRecord> aboutBoxes;

    struct FileDialogRecord {
        std::string filter, initialName;
        unsigned flags = 0;
    };
    std::vector<FileDialogRecord> fileDialogs;
    std::deque<std::optional<std::string>> fileDialogAnswers;  // a chosen path, or nullopt: cancel

    std::function<void()> modalHook;

    // ---- Time
    long long nowMs = 0;
    std::function<void(int)> waitHook;
    std::vector<int> waits;  // every waitWithEvents call

    void advance(long long milliseconds) { nowMs += milliseconds; }
    // From now on readLocalClock counts from this date and time.
    void setClock(const LocalClock& now);
    const LocalClock& baseClock() const { return baseClock_; }

    // ---- System
    std::string windowsDirectory() override { return windowsDir; }
    ExecutablePath executablePath() override { return executable; }
    bool setCurrentDirectory(const std::string& directory) override;
    // setCurrentDirectory(executable.directory), recorded as such a call.
    bool enterProgramFolder() override { return setCurrentDirectory(executable.directory); }
    FileContents readWholeFile(const std::string& path) override;
    bool replaceFileWith(const std::string& path, std::span<const std::string_view> pieces,
                         FileContents source) override;
    bool writeRegistryText(RegistryRoot root, const std::string& fullPath, const std::string& text) override;
    bool deleteRegistryItem(RegistryRoot root, const std::string& fullPath) override;
    bool registryValueExists(RegistryRoot root, const std::string& fullPath) override {
        return registryText(root, fullPath).has_value();
    }
    bool writeRegistryProgramPath(RegistryRoot root, const std::string& fullPath) override;
    bool runProgram(const std::string& commandLine) override;
    bool shutDownSystem(int mode, bool force) override;
    LocalClock readLocalClock() override;
    void waitWithEvents(int milliseconds) override;
    int showMessageBox(const std::string& text, unsigned flags, const std::string& title) override;
    void soundBeep() override { ++beeps; }
    bool openFileDialog(const std::string& filter, unsigned flags, std::string& fileName) override;
    void showAboutBox(const std::string& applicationName, const std::string& otherText) override;

private:
    struct StoredFile {
        std::string path;  // as first written
        std::string bytes;
    };
    struct RegistryKey {
        std::string path;
        std::map<std::string, std::pair<std::string, std::string>> values;  // folded name -> (name, text)
    };
    using KeyId = std::pair<int, std::string>;  // root, folded key path

    bool writeFails(const std::string& path) const;
    bool refuses(RegistryRoot root) const { return refusedRoots.count(root) != 0; }
    static KeyId keyId(RegistryRoot root, const std::string& keyPath);

    std::map<std::string, StoredFile> files_;  // by folded full path
    // By folded full path: one share for every content read still held.
    std::map<std::string, std::shared_ptr<int>> heldReads_;
    std::map<KeyId, RegistryKey> keys_;
    LocalClock baseClock_{2024, 5, 20, 12, 0, 0};
    long long clockOriginMs_ = 0;
};

}  // namespace velarion
