// The INI engine on large files, natively: the catalog's reads and an add on
// a kjfs.ini whose name list is one line of 64 MB, and on one holding 100,000
// entries. Each operation runs in a child process of its own, so that its peak
// resident memory (getrusage maxrss) is its own; the file is held by the
// stand-in system before the operation starts, and "added" is the peak above
// what the child held then.
//   bench_inifile [OPERATION] prints "file operation ms cpu_ms peak_MiB added_MiB" rows (every
//                            operation, or the one named: load, read, setting, add)

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/CatalogGenerator.hpp"
#include "core/Catalog.hpp"
#include "platform/sim/SimSystem.hpp"

namespace velarion::bench {
namespace {

constexpr std::size_t SingleLineBytes = 64u << 20;

// <chrono> does not compile with GBK literals: the monotonic clock directly.
double nowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// The processor time of this process (user and system), which a loaded machine
// stretches less than the time on the clock.
double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

long long peakKib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A name list of one line of 64 MB (Chinese and ASCII mixed), one short path.
std::string singleLineIni() {
    std::string name;
    name.reserve(SingleLineBytes);
    while (name.size() < SingleLineBytes) name += "名字name";
    std::string file;
    file.reserve(SingleLineBytes + 200);
    file.append("[系统设置]\r\n透明度=200\r\n[快捷方式]\r\n聊天通讯=").append(name);
    file.append("%$\r\n[快捷链接]\r\n聊天通讯=C:\\a.exe%$\r\n");
    return file;
}

std::string catalogIni() { return generatedCatalogIni({100000, 0, 0, 0}); }

struct Operation {
    const char* name;
    std::function<void(Catalog&, SettingsFile&)> run;
};

// One operation on a fresh copy of the file, in a child process; prints its row.
void measure(const char* fileName, std::string (*makeFile)(), const Operation& operation) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        SimSystem system;
        SettingsFile settings(system);
        system.putFile(settings.path(), makeFile());
        Catalog catalog(settings);
        const long long before = peakKib();
        const double start = nowMs(), startCpu = cpuMs();
        operation.run(catalog, settings);
        const double took = nowMs() - start, tookCpu = cpuMs() - startCpu;
        const long long peak = peakKib();
        std::printf("%-12s %-10s %9.1f %9.1f %9.1f %9.1f\n", fileName, operation.name, took, tookCpu, peak / 1024.0,
                    (peak - before) / 1024.0);
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::printf("%-12s %-10s failed (status %d)\n", fileName, operation.name, status);
}

}  // namespace
}  // namespace velarion::bench

int main(int argc, char** argv) {
    using namespace velarion;
    using namespace velarion::bench;
    const std::vector<Operation> operations = {
        {"load", [](Catalog& catalog, SettingsFile&) { catalog.load(Category::Chat); }},
        {"read", [](Catalog&, SettingsFile& settings) { settings.read(SectionNames, categoryKey(Category::Chat)); }},
        {"setting", [](Catalog&, SettingsFile& settings) { settings.read(SectionSettings, KeyOpacity); }},
        {"add", [](Catalog& catalog, SettingsFile&) { catalog.append(Category::Chat, "新的", "C:\\c.exe"); }},
    };
    std::printf("%-12s %-10s %9s %9s %9s %9s\n", "file", "operation", "ms", "cpu_ms", "peak_MiB", "added_MiB");
    auto chosen = [&](const Operation& operation) { return argc < 2 || std::string(argv[1]) == operation.name; };
    for (const Operation& operation : operations)
        if (chosen(operation)) measure("line-64MB", singleLineIni, operation);
    for (const Operation& operation : operations)
        if (chosen(operation)) measure("entries-100k", catalogIni, operation);
    return 0;
}
