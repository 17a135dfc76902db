#pragma once
// The operating-system services the program uses, one operation each.
// core/ and ui/ reach the system only through this interface; platform/win32
// implements it on the real Win32 API, platform/sim in memory for tests.
// Every text is a GBK byte string.

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace velarion {

enum class RegistryRoot : int {
    ClassesRoot = 1,
    CurrentConfig = 2,
    CurrentUser = 3,
    LocalMachine = 4,
    Users = 5,
};

struct ExecutablePath {
    std::string directory;  // without a trailing backslash
    std::string fileName;
};

struct LocalClock {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};

enum class FileReadStatus { Ok, Missing, Failed };

// What keeps the bytes of a file read: memory they were read into, or a view of
// the file itself.
class FileKeeper {
public:
    virtual ~FileKeeper() = default;
};

// A file's content as read. The bytes stay where they are while this lives (it may
// be moved); while it lives the file may be impossible to replace (a mapped file is).
struct FileContents {
    FileReadStatus status = FileReadStatus::Missing;
    std::string_view bytes;
    std::unique_ptr<FileKeeper> keeper;
};

// Message box flags the program uses.
inline constexpr unsigned MbOk = 0x0;
inline constexpr unsigned MbIconExclamation = 0x30;
inline constexpr unsigned MbIconStop = 0x10;
inline constexpr unsigned MbSystemModal = 0x1000;
inline constexpr unsigned MbTaskModal = 0x2000;

// Shutdown modes of shutDownSystem.
inline constexpr int ShutdownPowerOff = 1;

class System {
public:
    virtual ~System() = default;

    // Files and directories.
    // The Windows directory, with a trailing backslash; "" when the system does not give it.
    virtual std::string windowsDirectory() = 0;
    virtual ExecutablePath executablePath() = 0;
    virtual bool setCurrentDirectory(const std::string& directory) = 0;
    // Makes the running program's own folder the current directory, as the system names
    // the folder: a name with characters GBK does not have would not survive a GBK text.
    virtual bool enterProgramFolder() = 0;
    // Whole-file access for the INI engine. A replacement is atomic: afterwards the
    // file holds either its old bytes or the new ones, never a mixture, whatever happens.
    virtual FileContents readWholeFile(const std::string& path) = 0;
    // The new content is `pieces` one after another. They may lie in `source`, the
    // file's content as read: it is let go after they are written and before the new
    // file takes the old one's place (an edit of a long file writes the bytes it keeps
    // from where they were read).
    virtual bool replaceFileWith(const std::string& path, std::span<const std::string_view> pieces,
                                 FileContents source) = 0;
    bool replaceFile(const std::string& path, std::string_view bytes) {
        const std::string_view whole[] = {bytes};
        return replaceFileWith(path, whole, {});
    }

    // Registry. fullPath is "key\path\valueName", split at its last backslash
    // (a trail byte of a double-byte character never counts).
    virtual bool writeRegistryText(RegistryRoot root, const std::string& fullPath,
                                   const std::string& text) = 0;
    virtual bool deleteRegistryItem(RegistryRoot root, const std::string& fullPath) = 0;
    // Whether the value named by fullPath exists: deleteRegistryItem's false
    // cannot tell "nothing was there" from "removal refused".
    virtual bool registryValueExists(RegistryRoot root, const std::string& fullPath) = 0;
    // Sets the value to the running program's full path in quotes, as the system
    // names the file: a folder name with characters GBK does not have would not
    // survive a trip through a GBK text, and the value would name no file.
    virtual bool writeRegistryProgramPath(RegistryRoot root, const std::string& fullPath) = 0;

    // Processes: starts the stored command line, waits up to 1000 ms for input idle.
    virtual bool runProgram(const std::string& commandLine) = 0;

    // Power: enable the shutdown privilege, then ask the system to shut down.
    virtual bool shutDownSystem(int mode, bool force) = 0;

    // Time.
    virtual LocalClock readLocalClock() = 0;
    // Keeps handling window events until more than `milliseconds` have passed.
    virtual void waitWithEvents(int milliseconds) = 0;

    // User feedback. None has an owner window.
    virtual int showMessageBox(const std::string& text, unsigned flags, const std::string& title) = 0;
    virtual void soundBeep() = 0;
    // filter: "description|pattern|description|pattern..."; flags: the OFN_* flags
    // of the dialog component, on top of hiding the read-only box. On OK returns
    // true and sets fileName to the chosen file's full path; on cancel leaves it
    // unchanged.
    virtual bool openFileDialog(const std::string& filter, unsigned flags,
                                std::string& fileName) = 0;
    virtual void showAboutBox(const std::string& applicationName, const std::string& otherText) = 0;
};

}  // namespace velarion
