// Measures the real program from outside, as the shell and a user see it, under
// Wine: start to visible window against the baseline, resident memory, CPU in
// the tray and during the ten-second warning, and the slider. The program is
// its end-to-end build, whose power-off request is recorded instead of made.
// Prints one "name value" line per figure (scripts/bench makes the table):
//   bench_driver.exe start <runs>      start to visible window, interleaved
//   bench_driver.exe phases <runs>     when each phase of the start is reached, interleaved
//   bench_driver.exe memory <runs>     resident memory after start
//   bench_driver.exe idle <seconds>    CPU while hidden in the tray
//   bench_driver.exe warning           CPU during the ten-second warning
//   bench_driver.exe slider            206 slider notifications
//   bench_driver.exe large             10,000 and 100,000 entries: start, answers, windows, memory
//   bench_driver.exe all <runs> <idle seconds>   all of the above (phases with the starts)
//   bench_driver.exe probe <runs> <exe> <window class>   any program against the baseline

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/BenchSupport.hpp"
#include "bench/CatalogGenerator.hpp"
#include "bench/ProcStat.hpp"
#include "core/SettingsFile.hpp"
#include "platform/win32/Win32System.hpp"
#include "tests/e2e/Inspector.hpp"

namespace velarion::bench {
namespace {

using e2e::Program;

constexpr wchar_t ProgramClass[] = L"VelarionWindow";
constexpr wchar_t BaselineClass[] = L"VelarionBaseline";
constexpr wchar_t SameWorkClass[] = L"VelarionSameWork";

std::wstring fullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::wstring(full, length) : path;
}

// The program as it ships, for every figure but the warning's; that one needs the
// end-to-end build, whose power-off request is only written down.
std::wstring programPath() { return fullPath(e2e::ownFolder() + L"..\\app\\velarion.exe"); }
std::wstring recordingProgramPath() { return fullPath(e2e::ownFolder() + L"..\\tests\\e2e\\velarion_e2e.exe"); }
std::wstring baselinePath() { return e2e::ownFolder() + L"bench_baseline.exe"; }
std::wstring sameWorkPath() { return e2e::ownFolder() + L"bench_samework.exe"; }
std::wstring sameWorkButtonsPath() { return e2e::ownFolder() + L"bench_samework_buttons.exe"; }
std::wstring powerOffLog() { return fullPath(e2e::ownFolder() + L"..\\tests\\e2e\\power-off-requests.txt"); }

std::string winePrefix() {
    const char* prefix = std::getenv("WINEPREFIX");
    return prefix ? prefix : "";
}

void print(const std::string& name, double value) { std::printf("%s %.3f\n", name.c_str(), value); std::fflush(stdout); }
void progress(const char* text) { std::fprintf(stderr, "bench_driver: %s\n", text); }

// One program to start: which executable, which window shows it, which kjfs.ini it finds.
struct Subject {
    const char* label;
    std::wstring exe;
    const wchar_t* windowClass;
    std::string ini;
    int marksWaitMs = 3000;  // how long its start marks may take to be written
};

// An earlier build of the program (its velarion.exe), measured in the same run
// when VELARION_BENCH_EARLIER_EXE names it: scripts/bench builds it from a commit.
std::optional<std::wstring> earlierProgramPath() {
    const char* path = std::getenv("VELARION_BENCH_EARLIER_EXE");
    if (!path || !*path) return std::nullopt;
    return fullPath(std::wstring(path, path + std::strlen(path)));
}

std::vector<Subject> startSubjects() {
    std::vector<Subject> subjects = {
        {"baseline", baselinePath(), BaselineClass, storedSettingsIni("")},
        {"samework", sameWorkPath(), SameWorkClass, storedSettingsIni("")},
        {"samework_buttons", sameWorkButtonsPath(), SameWorkClass, storedSettingsIni("")},
        {"empty", programPath(), ProgramClass, storedSettingsIni("")},
        {"full", programPath(), ProgramClass, storedSettingsIni(generatedCatalogIni(250))},
    };
    if (const std::optional<std::wstring> earlier = earlierProgramPath()) {
        // A build from before the marks were written may write none.
        subjects.push_back({"earlier_empty", *earlier, ProgramClass, storedSettingsIni(""), 1000});
        subjects.push_back({"earlier_full", *earlier, ProgramClass, storedSettingsIni(generatedCatalogIni(250)), 1000});
    }
    return subjects;
}

Subject startSubject(const char* label) {
    for (const Subject& s : startSubjects())
        if (std::strcmp(s.label, label) == 0) return s;
    return {};
}

// A top-level window's caption as the system keeps it. Not WM_GETTEXT: that waits
// for the program to reach its message loop, which the baseline is never asked to.
std::wstring captionOf(HWND window) {
    wchar_t text[256] = {};
    const int length = GetWindowTextW(window, text, 256);
    return std::wstring(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

// The shown top-level window of that class (the main window, for the program).
HWND visibleWindow(DWORD processId, const wchar_t* cls) {
    for (HWND w : e2e::topLevelWindows(processId, cls))
        if (IsWindowVisible(w) && (std::wcscmp(cls, ProgramClass) != 0 || captionOf(w).rfind(L"Velarion", 0) == 0))
            return w;
    return nullptr;
}

long long counterNow() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

struct Started {
    std::unique_ptr<Program> program;
    HWND window = nullptr;
    double ms = -1;  // from process creation to the window being visible
    long long createdAt = 0;  // the performance counter just before the process was created
};

// Starts the subject and waits, looking every millisecond, for its window to show.
Started start(const Subject& subject) {
    writeSettingsFile(subject.ini);
    Started started;
    const Stopwatch clock;
    started.createdAt = counterNow();
    started.program = std::make_unique<Program>(subject.exe);
    const double timeoutMs = 30000;
    while (clock.ms() < timeoutMs && started.program->running()) {
        if ((started.window = visibleWindow(started.program->id(), subject.windowClass))) {
            started.ms = clock.ms();
            break;
        }
        Sleep(1);
    }
    return started;
}

// Ends a started program and lets the prefix settle before the next start.
void finish(Started& started) {
    started.program.reset();
    Sleep(150);
}

// The subject that starts k-th in a round. A start pays for what the one before it
// left to clean up (its windows, its icon in the tray), so the rounds follow a
// balanced Latin square (Williams' design): over every `count` rounds each subject
// comes right after each other one equally often. (Turning one fixed order round
// made each subject follow the same other one in almost every round.)
std::size_t subjectAt(std::size_t k, int round, std::size_t count) {
    // The first round: 0, 1, n-1, 2, n-2, ...; each further round adds one.
    const std::size_t first = k == 0 ? 0 : (k % 2 == 1 ? (k + 1) / 2 : count - k / 2);
    return (first + static_cast<std::size_t>(round + 1)) % count;
}

void startTimes(int runs, const std::vector<Subject>& subjects) {
    progress("start to visible window (one unrecorded round first)");
    std::vector<std::vector<double>> times(subjects.size());
    for (int round = -1; round < runs; ++round) {
        for (std::size_t k = 0; k < subjects.size(); ++k) {
            const std::size_t i = subjectAt(k, round, subjects.size());
            Started started = start(subjects[i]);
            if (started.ms < 0) std::fprintf(stderr, "bench_driver: %s did not show its window\n", subjects[i].label);
            else if (round >= 0) times[i].push_back(started.ms);
            finish(started);
        }
    }
    print("start.runs", runs);
    for (std::size_t i = 0; i < subjects.size(); ++i) {
        const std::string name = std::string("start.") + subjects[i].label;
        print(name + ".median_ms", median(times[i]));
        print(name + ".min_ms", times[i].empty() ? -1 : *std::min_element(times[i].begin(), times[i].end()));
        print(name + ".max_ms", times[i].empty() ? -1 : *std::max_element(times[i].begin(), times[i].end()));
        print(name + ".count", static_cast<double>(times[i].size()));
    }
}

// Each subject's marks (platform/win32/StartMarks.hpp), as milliseconds from process creation, and when the
// driver saw the window: medians over interleaved starts.
void startPhases(int runs, const std::vector<Subject>& subjects) {
    progress("phases of the start (marks written by the programs)");
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring marksFile = std::wstring(folder) + L"velarion-start-marks.txt";
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    const double perMs = static_cast<double>(frequency.QuadPart) / 1000.0;
    SetEnvironmentVariableW(L"VELARION_START_MARKS", marksFile.c_str());
    std::vector<std::map<std::string, std::vector<double>>> times(subjects.size());
    for (int round = -1; round < runs; ++round) {
        for (std::size_t k = 0; k < subjects.size(); ++k) {
            const std::size_t i = subjectAt(k, round, subjects.size());
            DeleteFileW(marksFile.c_str());
            Started started = start(subjects[i]);
            FILE* file = nullptr;
            e2e::waitUntil([&] { return (file = _wfopen(marksFile.c_str(), L"r")) != nullptr; },
                           subjects[i].marksWaitMs);
            if (round >= 0 && started.ms >= 0) {
                times[i]["visible"].push_back(started.ms);
                char phase[32];
                long long counter = 0;
                while (file && std::fscanf(file, "%31s %lld", phase, &counter) == 2)
                    if (std::strcmp(phase, "frequency") != 0)
                        times[i][phase].push_back(static_cast<double>(counter - started.createdAt) / perMs);
            }
            if (file) std::fclose(file);
            finish(started);
        }
    }
    SetEnvironmentVariableW(L"VELARION_START_MARKS", nullptr);
    DeleteFileW(marksFile.c_str());
    for (std::size_t i = 0; i < subjects.size(); ++i)
        for (const auto& [phase, values] : times[i])
            print(std::string("phase.") + subjects[i].label + "." + phase + "_ms", median(values));
}

void memory(int runs) {
    const auto subjects = startSubjects();
    progress("resident memory after start");
    std::vector<std::vector<double>> kib(subjects.size());
    for (int round = 0; round < runs; ++round) {
        for (std::size_t i = 0; i < subjects.size(); ++i) {
            Started started = start(subjects[i]);
            if (started.window) {
                Sleep(1500);  // painted and idle
                const int pid = linuxPidOfImage(subjects[i].exe);
                const long long resident = pid ? residentKib(pid) : -1;
                if (resident > 0) kib[i].push_back(static_cast<double>(resident));
            }
            finish(started);
        }
    }
    for (std::size_t i = 0; i < subjects.size(); ++i)
        print(std::string("memory.") + subjects[i].label + ".rss_kib", median(kib[i]));
}

// CPU of the program and of the prefix's wineserver over a stretch of time.
class CpuMeter {
public:
    explicit CpuMeter(const std::wstring& exe)
        : program_(linuxPidOfImage(exe)), server_(linuxPidOfWineserver(winePrefix())) {}
    bool ok() const { return program_ != 0; }
    void begin() {
        programStart_ = cpuTicks(program_);
        serverStart_ = server_ ? cpuTicks(server_) : -1;
        clock_ = Stopwatch();
    }
    void end(const std::string& name) {
        const double seconds = clock_.ms() / 1000.0;
        const long long programTicks = cpuTicks(program_) - programStart_;
        print(name + ".seconds", seconds);
        print(name + ".program_pct", 100.0 * programTicks / ClockTicksPerSecond / seconds);
        if (server_ && serverStart_ >= 0)
            print(name + ".wineserver_pct", 100.0 * (cpuTicks(server_) - serverStart_) / ClockTicksPerSecond / seconds);
    }

private:
    int program_, server_;
    long long programStart_ = 0, serverStart_ = 0;
    Stopwatch clock_;
};

void idle(int seconds) {
    progress("CPU while hidden in the tray");
    Started started = start(startSubject("full"));
    if (!started.window) return progress("the program did not start");
    PostMessageW(started.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (!e2e::waitUntil([&] { return !IsWindowVisible(started.window); }))
        return progress("the window did not hide");
    Sleep(3000);  // the tray icon is in place, the last paint done
    CpuMeter meter(programPath());
    if (!meter.ok()) return progress("no Linux process found for the program");
    meter.begin();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    meter.end("idle");
    finish(started);
}

// An edit box of the shutdown rows, by its declared place in its group box.
HWND editAt(HWND main, int left, int top) {
    for (HWND edit : e2e::childrenOfClass(main, L"Edit")) {
        const RECT r = e2e::placeInParent(edit);
        if (r.left == left && r.top == top) return edit;
    }
    return nullptr;
}

void setText(HWND control, const std::wstring& text) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Returns when the program has used no CPU for a quarter of a second (at most 10 s).
void waitUntilSettled(const std::wstring& exe) {
    const int pid = linuxPidOfImage(exe);
    if (!pid) return;
    long long before = cpuTicks(pid);
    for (int i = 0; i < 40; ++i) {
        Sleep(250);
        const long long now = cpuTicks(pid);
        if (now == before) return;
        before = now;
    }
}

void warning() {
    progress("CPU during the ten-second warning");
    DeleteFileW(powerOffLog().c_str());
    Started started = start({"warning", recordingProgramPath(), ProgramClass, storedSettingsIni("")});
    if (!started.window) return progress("the program did not start");
    HWND main = started.window;
    waitUntilSettled(recordingProgramPath());
    e2e::openFolder(main, 4);  // the settings page's controls are made when it first shows
    HWND hour = editAt(main, 38, 24), minute = editAt(main, 101, 24), second = editAt(main, 160, 24);
    HWND confirm = e2e::findChild(main, L"Button", L"确定");
    HWND status = e2e::childrenOfClass(main, STATUSCLASSNAMEW).at(0);
    if (!hour || !minute || !second || !confirm) return progress("the shutdown rows were not found");

    // The clock time three seconds from now (the clock-time mode is the declared one).
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER when{{now.dwLowDateTime, now.dwHighDateTime}};
    when.QuadPart += 3ULL * 10000000ULL;
    const FILETIME target{when.LowPart, when.HighPart};
    FILETIME local{};
    SYSTEMTIME clock{};
    FileTimeToLocalFileTime(&target, &local);
    FileTimeToSystemTime(&local, &clock);
    setText(hour, std::to_wstring(clock.wHour));
    setText(minute, std::to_wstring(clock.wMinute));
    setText(second, std::to_wstring(clock.wSecond));
    e2e::postClick(confirm);

    // The first warning step has passed when the status counts 9.
    if (!e2e::waitUntil([&] { return e2e::statusPartText(status, 1) == L"距离关机还有9秒"; }, 10000))
        return progress("the warning did not start");
    CpuMeter meter(recordingProgramPath());
    if (!meter.ok()) return progress("no Linux process found for the program");
    meter.begin();
    if (!e2e::waitUntil([] { return GetFileAttributesW(powerOffLog().c_str()) != INVALID_FILE_ATTRIBUTES; },
                        15000))
        return progress("no power-off request was recorded");
    meter.end("warning");
    finish(started);
}

// A drag of the slider from 255 to 50 in single steps, as the trackbar reports
// it to its parent: a position for every step, the last once more when the
// thumb is let go (206 notifications), then the end of tracking.
void slider(const char* name, const std::string& ini) {
    progress("slider notifications");
    Started started = start({"slider", programPath(), ProgramClass, ini});
    if (!started.window) return progress("the program did not start");
    HWND main = started.window;
    // A user reaches the slider after the start has settled: the entry buttons
    // still being made in the background are not the slider's cost.
    waitUntilSettled(programPath());
    e2e::openFolder(main, 4);
    const std::vector<HWND> bars = e2e::childrenOfClass(main, TRACKBAR_CLASSW);
    if (bars.empty()) return progress("the slider was not found");
    HWND bar = bars[0];
    HWND parent = GetParent(bar);
    const auto notify = [&](int code, int position) {
        SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(bar));
    };
    std::vector<double> each;
    int notifications = 0;
    const Stopwatch clock;
    for (int position = 254; position >= 50; --position) {
        const Stopwatch one;
        SendMessageW(bar, TBM_SETPOS, TRUE, position);
        notify(TB_THUMBTRACK, position);
        each.push_back(one.ms());
        ++notifications;
    }
    notify(TB_THUMBPOSITION, 50);
    ++notifications;
    const double totalMs = clock.ms();
    notify(TB_ENDTRACK, 0);

    win32::Win32System system([](unsigned, unsigned long) { return false; });
    const SettingsFile settings(system);
    BYTE alpha = 0;
    GetLayeredWindowAttributes(main, nullptr, &alpha, nullptr);
    const std::string prefix = std::string("slider.") + name;
    print(prefix + ".notifications", notifications);
    print(prefix + ".per_second", notifications / (totalMs / 1000.0));
    print(prefix + ".median_ms", median(each));
    print(prefix + ".stored", std::atof(settings.read(SectionSettings, KeyOpacity).c_str()));
    print(prefix + ".alpha", alpha);
    print(prefix + ".file_bytes", static_cast<double>(ini.size()));
    finish(started);
}

// Long catalogs: start to visible, the time until the window first answers a
// message and the longest it then keeps one waiting (sent every 20 ms for three
// seconds while the buttons are being made), the process's windows and its
// resident memory once it has settled.
void large(int entries) {
    const std::string prefix = "large." + std::to_string(entries);
    progress(prefix.c_str());
    Started started = start({"large", programPath(), ProgramClass, storedSettingsIni(generatedCatalogIni(entries / 4))});
    if (!started.window) return progress("the program did not show its window");
    const Stopwatch clock;
    const auto answer = [&](UINT timeoutMs) {
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(started.window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
    };
    while (!answer(60000) && clock.ms() < 60000) {}
    const double answered = started.ms + clock.ms();
    double longest = 0;
    for (const Stopwatch stretch; stretch.ms() < 3000; Sleep(20)) {
        const Stopwatch one;
        answer(60000);
        longest = std::max(longest, one.ms());
    }
    waitUntilSettled(programPath());
    const int pid = linuxPidOfImage(programPath());
    print(prefix + ".visible_ms", started.ms);
    print(prefix + ".answers_ms", answered);
    print(prefix + ".longest_wait_ms", longest);
    print(prefix + ".windows", static_cast<double>(1 + e2e::descendants(started.window).size()));
    print(prefix + ".rss_kib", pid ? static_cast<double>(residentKib(pid)) : -1);
    finish(started);
}

void sliders() {
    slider("small", storedSettingsIni(""));
    slider("full", storedSettingsIni(generatedCatalogIni(250)));
}

}  // namespace
}  // namespace velarion::bench

int main(int argc, char** argv) {
    using namespace velarion::bench;
    const std::string what = argc > 1 ? argv[1] : "all";
    const int count = argc > 2 ? std::atoi(argv[2]) : 15;
    if (what == "start") startTimes(count, startSubjects());
    else if (what == "phases") startPhases(count, startSubjects());
    else if (what == "probe" && argc > 4) {
        // Any program with a window of that class, against the baseline (for profiling).
        const std::wstring exe(argv[3], argv[3] + std::strlen(argv[3]));
        const std::wstring cls(argv[4], argv[4] + std::strlen(argv[4]));
        static const std::wstring windowClass = cls;
        startTimes(count, {startSubject("baseline"), {"probe", exe, windowClass.c_str(), storedSettingsIni("")}});
    }
    else if (what == "memory") memory(count);
    else if (what == "idle") idle(count);
    else if (what == "warning") warning();
    else if (what == "slider") sliders();
    else if (what == "large") {
        large(10000);
        large(100000);
    }
    else if (what == "all") {
        startTimes(count, startSubjects());
        startPhases(count, startSubjects());
        memory(5);
        sliders();
        large(10000);
        large(100000);
        warning();
        idle(argc > 3 ? std::atoi(argv[3]) : 60);
    } else {
        std::fprintf(stderr, "usage: bench_driver.exe start|phases|memory|idle|warning|slider|large|all [count] [idle seconds]\n");
        return 2;
    }
    return 0;
}
