// The program's own handlers through the real Win32 window layer, in process,
// timed without the cost of reaching the program from another process:
// - adds: the main window is loaded with a catalog of 250 entries (a quarter in
//   each category), then 100 entries are added one by one as the add dialog's
//   "ＯＫ" adds them (append to kjfs.ini, then the refill of the pages posted to
//   the main window and run from its message); the window count before and
//   after must grow by exactly one window per entry;
// - the slider: a drag from 255 to 50 in single steps as the trackbar reports
//   it (206 notifications), each applied and written.
// Prints "name value" lines for scripts/bench.

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/BenchSupport.hpp"
#include "bench/CatalogGenerator.hpp"
#include "platform/win32/Win32System.hpp"
#include "platform/win32/Win32WindowLayer.hpp"
#include "tests/e2e/Inspector.hpp"
#include "core/SettingsFile.hpp"
#include "ui/Behaviours.hpp"

namespace velarion::bench {
namespace {

constexpr int StartEntries = 250;
constexpr int Adds = 100;

void print(const char* name, double value) { std::printf("%s %.3f\n", name, value); }

// Hands every pending message to its window (the refill, the paint after it).
void drainMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Every window of this process: top-level windows and all their descendants.
int windowCount() {
    int count = 0;
    for (HWND top : e2e::topLevelWindows(GetCurrentProcessId())) {
        count += 1 + static_cast<int>(e2e::descendants(top).size());
    }
    return count;
}

// What the trackbar sends its parent during a drag: a position for every step,
// the last once more when the thumb is let go, then the end of tracking.
void slider(HWND main, const SettingsFile& settings) {
    e2e::openFolder(main, 4);
    const auto bars = e2e::childrenOfClass(main, TRACKBAR_CLASSW);
    if (bars.empty()) return;
    HWND bar = bars.front();
    HWND parent = GetParent(bar);
    const auto notify = [&](int code, int position) {
        SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(bar));
    };
    int notifications = 0;
    const Stopwatch clock;
    for (int position = 254; position >= 50; --position, ++notifications) {
        SendMessageW(bar, TBM_SETPOS, TRUE, position);
        notify(TB_THUMBTRACK, position);
    }
    notify(TB_THUMBPOSITION, 50);
    ++notifications;
    const double totalMs = clock.ms();
    notify(TB_ENDTRACK, 0);
    BYTE alpha = 0;
    GetLayeredWindowAttributes(main, nullptr, &alpha, nullptr);
    print("slider.inprocess.notifications", notifications);
    print("slider.inprocess.per_second", notifications / (totalMs / 1000.0));
    print("slider.inprocess.stored", std::atof(settings.read(SectionSettings, KeyOpacity).c_str()));
    print("slider.inprocess.alpha", alpha);
}

int run() {
    std::vector<int> counts(AllCategories.size(), StartEntries / 4);
    for (int i = 0; i < StartEntries % 4; ++i) ++counts[i];
    if (!writeSettingsFile(storedSettingsIni(generatedCatalogIni(counts)))) {
        std::fprintf(stderr, "bench_inprocess: kjfs.ini could not be written\n");
        return 1;
    }

    win32::Win32System system([](unsigned, unsigned long) { return false; });
    win32::Win32WindowLayer layer(system);
    AppContext context(system, layer);
    if (!startApplication(context)) {
        std::fprintf(stderr, "bench_inprocess: the main window did not load\n");
        return 1;
    }
    drainMessages();
    const int windowsBefore = windowCount();

    std::vector<double> append, refill, add, paint;
    for (int i = 0; i < Adds; ++i) {
        const std::size_t slot = static_cast<std::size_t>(i) % AllCategories.size();
        const GeneratedEntry entry = generatedEntries(AllCategories[slot], 1, counts[slot]++).front();
        const Stopwatch clock;
        if (!context.catalog.append(AllCategories[slot], entry.name, entry.path)) {
            std::fprintf(stderr, "bench_inprocess: an append failed\n");
            return 1;
        }
        const double appended = clock.ms();
        double filled = -1;
        layer.postWork(*context.main, [&] {
            fillPages(context);
            filled = clock.ms();
        });
        drainMessages();
        if (filled < 0) {
            std::fprintf(stderr, "bench_inprocess: the posted refill did not run\n");
            return 1;
        }
        append.push_back(appended);
        refill.push_back(filled - appended);
        add.push_back(filled);
        paint.push_back(clock.ms() - filled);
    }
    const int windowsAfter = windowCount();

    slider(static_cast<HWND>(context.main->nativeHandle()), context.settings);

    print("add.first_ms", add.front());
    print("add.median_ms", median(add));
    print("add.first20_median_ms", median({add.begin(), add.begin() + 20}));
    print("add.append_median_ms", median(append));
    print("add.refill_median_ms", median(refill));
    print("add.paint_median_ms", median(paint));
    print("windows.entries_before", StartEntries);
    print("windows.before", windowsBefore);
    print("windows.entries_after", StartEntries + Adds);
    print("windows.after", windowsAfter);
    print("windows.constant_before", windowsBefore - StartEntries);
    print("windows.constant_after", windowsAfter - StartEntries - Adds);
    return 0;
}

}  // namespace
}  // namespace velarion::bench

int main() { return velarion::bench::run(); }
