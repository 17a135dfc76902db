// What the soak checks all the time: the program lives and answers within a
// second, kjfs.ini reads and keeps every hand-written line, a shutdown task
// asks for at most one power-off; and at the end: every entry added is stored
// in order, handles, GUI objects and resident memory stayed flat.

#include <algorithm>
#include <set>
#include <sstream>

#include "bench/ProcStat.hpp"
#include "core/Catalog.hpp"
#include "platform/win32/KernelHandles.hpp"
#include "platform/win32/Win32System.hpp"
#include "tests/soak/Soak.hpp"

namespace velarion::soak {
namespace {

std::set<std::string> linesOf(const std::string& bytes) {
    std::set<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.insert(line);
    }
    return lines;
}

void checkAnswer(Soak& soak) {
    const ULONGLONG before = GetTickCount64();
    DWORD_PTR ignored = 0;
    const bool answered = SendMessageTimeoutW(soak.main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored) != 0;
    const auto ms = static_cast<long long>(GetTickCount64() - before);
    soak.longestAnswerMs = std::max(soak.longestAnswerMs, ms);
    if (!answered) soak.fault("the window did not answer within 1 s");
}

void checkFile(Soak& soak) {
    if (GetFileAttributesW(e2e::settingsFilePath().c_str()) == INVALID_FILE_ATTRIBUTES && soak.handLines.empty()) return;
    std::string bytes;
    if (!readWholeFile(e2e::settingsFilePath(), bytes)) {
        ++soak.fileReadFailures;
        return soak.fault("kjfs.ini could not be read");
    }
    const auto lines = linesOf(bytes);
    for (const std::string& line : soak.handLines)
        if (!lines.count(line)) return soak.fault("a hand-written line is lost: " + line);
}

void checkPowerOff(Soak& soak) {
    std::string log;
    if (!readWholeFile(powerOffLog(), log)) return;
    const auto seen = static_cast<std::size_t>(std::count(log.begin(), log.end(), '\n'));
    if (seen <= soak.requestsSeen) return;
    const int fresh = static_cast<int>(seen - soak.requestsSeen);
    soak.requestsSeen = seen;
    soak.done["power-off request"] += fresh;
    if (!soak.taskArmed) return soak.fault("a power-off request without an armed task");
    soak.requestsOfTask += fresh;
    if (soak.requestsOfTask > 1)
        soak.fault("one task asked " + std::to_string(soak.requestsOfTask) + " times for a power-off");
}

std::size_t entriesAdded(const Soak& soak) {
    std::size_t n = 0;
    for (const auto& names : soak.added) n += names.size();
    return n;
}

}  // namespace

void checkStep(Soak& soak) {
    if (!soak.program->running()) return soak.fault("the program ended");
    checkAnswer(soak);
    checkFile(soak);
    checkPowerOff(soak);
    if (soak.samples.empty() || soak.seconds() - soak.samples.back().atSecond >= 5) sampleResources(soak);
}

void sampleResources(Soak& soak) {
    static const int linuxPid = bench::linuxPidOfImage(programPath());
    win32::UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, soak.program->id()));
    Resources r;
    r.atSecond = soak.seconds();
    r.entries = static_cast<long long>(entriesAdded(soak));
    if (process) {
        DWORD handles = 0;
        if (GetProcessHandleCount(process.get(), &handles)) r.handles = handles;
        r.gdiObjects = GetGuiResources(process.get(), GR_GDIOBJECTS);
        r.userObjects = GetGuiResources(process.get(), GR_USEROBJECTS);
    }
    if (linuxPid > 0) r.residentKib = bench::residentKib(linuxPid);
    soak.samples.push_back(r);
}

const Resources& warmedUp(const Soak& soak) {
    const double quarter = soak.samples.back().atSecond / 4;
    return *std::find_if(soak.samples.begin(), soak.samples.end(),
                         [&](const Resources& r) { return r.atSecond >= quarter; });
}

void checkEnd(Soak& soak) {
    settle(soak);
    checkStep(soak);

    win32::Win32System system{[](unsigned, unsigned long) { return false; }};
    SettingsFile settings(system);
    const auto listings = Catalog(settings).loadAll();
    for (int c = 0; c < 4; ++c) {
        if (listings[c].names == soak.added[c]) continue;
        std::string detail = "category " + std::to_string(c) + " holds";
        for (const auto& n : listings[c].names) detail += " [" + n + "]";
        detail += ", added were";
        for (const auto& n : soak.added[c]) detail += " [" + n + "]";
        soak.fault(detail);
    }

    // Flat: the last figures against those a quarter into the run (the start
    // loads what the first actions need). A window more per entry is not a leak.
    sampleResources(soak);
    const Resources& base = warmedUp(soak);
    const Resources& end = soak.samples.back();
    const long long newEntries = end.entries - base.entries;
    auto grew = [&](const char* what, long long from, long long to, long long allowed) {
        if (from >= 0 && to >= 0 && to - from > allowed)
            soak.fault(std::string(what) + " grew from " + std::to_string(from) + " to " + std::to_string(to));
    };
    grew("handles", base.handles, end.handles, 30);
    grew("GDI objects", base.gdiObjects, end.gdiObjects, 40 + 2 * newEntries);
    grew("USER objects", base.userObjects, end.userObjects, 40 + 2 * newEntries);
    grew("resident KiB", base.residentKib, end.residentKib, base.residentKib / 4 + 8192);
}

}  // namespace velarion::soak
