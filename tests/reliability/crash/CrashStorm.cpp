#include "tests/reliability/crash/CrashStorm.hpp"

#include <windows.h>

#include <random>

#include "core/IniFile.hpp"
#include "core/ListSplit.hpp"
#include "platform/sim/SimSystem.hpp"
#include "platform/win32/KernelHandles.hpp"
#include "platform/win32/Win32System.hpp"
#include "tests/reliability/crash/StormOps.hpp"

namespace velarion::crash {
namespace {

std::string readFile(const std::wstring& path, bool& exists) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    exists = file != INVALID_HANDLE_VALUE;
    if (!exists) return {};
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

void writeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

int temporaryFiles(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\kjfs.ini" + win32::ReplaceTempMarker + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do ++count;
    while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

// The storm in memory: the states the file goes through from a given content on.
class Model {
public:
    void reset(const std::string& content, long long next) {
        system_.putFile(Path, content);
        next_ = next;
    }
    std::string content() const { return *system_.file(Path); }
    std::string step() {
        applyStormOp(settings_, catalog_, next_++);
        return *system_.file(Path);
    }
    long long next() const { return next_; }

private:
    static constexpr const char* Path = "C:\\WINDOWS\\kjfs.ini";
    SimSystem system_;
    SettingsFile settings_{system_};
    Catalog catalog_{settings_};
    long long next_ = 0;
};

bool listsInStep(const std::string& content) {
    for (Category category : AllCategories) {
        const std::string key(categoryKey(category));
        if (splitList(iniRead(content, SectionNames, key)).size() != splitList(iniRead(content, SectionPaths, key)).size())
            return false;
    }
    return true;
}

}  // namespace

CrashReport runCrashStorm(const std::wstring& folder, const std::wstring& helper, int kills, std::uint64_t seed,
                          int maxDelayMs) {
    CrashReport report;
    const std::wstring file = folder + L"\\kjfs.ini";
    std::mt19937_64 random(seed);
    const std::string start = "; kept by the crash test\r\n[其他]\r\n保留=原样\r\n";
    writeFile(file, start);
    Model model;
    model.reset(start, 0);
    std::string known = start;  // the file as the last check found it

    auto problem = [&](const std::string& what) {
        if (report.firstProblem.empty()) report.firstProblem = "kill " + std::to_string(report.kills) + ": " + what;
    };

    for (int k = 0; k < kills; ++k) {
        // A file that has grown large starts over, so every cycle costs the same.
        if (known.size() > 32 * 1024) {
            known = start;
            writeFile(file, known);
            model.reset(known, model.next());
        }
        std::wstring commandLine = L"\"" + helper + L"\" \"" + folder + L"\" " + std::to_wstring(model.next());
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(helper.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &started)) {
            problem("the helper did not start");
            break;
        }
        win32::UniqueKernelHandle process(started.hProcess), thread(started.hThread);
        Sleep(static_cast<DWORD>(std::uniform_int_distribution<int>(0, maxDelayMs)(random)));
        TerminateProcess(process.get(), 9);
        WaitForSingleObject(process.get(), 10000);
        ++report.kills;

        bool exists = false;
        const std::string now = readFile(file, exists);
        if (!exists) {
            ++report.lost;
            problem("kjfs.ini is gone");
            break;
        }
        // Which state of the storm is it? Each helper can have done only so many writes.
        std::string state = model.content();
        long long steps = 0;
        const long long limit = 5000;
        while (state != now && steps < limit) {
            state = model.step();
            ++steps;
        }
        if (state != now) {
            ++report.torn;
            problem("kjfs.ini holds none of the states (" + std::to_string(now.size()) + " bytes)");
            break;
        }
        if (!listsInStep(now)) {
            ++report.torn;
            problem("names and paths out of step");
        }
        if (iniRead(now, "其他", "保留") != "原样") {
            ++report.lost;
            problem("a value the storm never writes was lost");
        }
        report.writes += steps;
        known = now;
        if (temporaryFiles(folder) > 1) {
            ++report.strayTemporaries;
            problem("more than one temporary file left");
        }
    }
    return report;
}

}  // namespace velarion::crash
