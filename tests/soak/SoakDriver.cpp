// The soak driver: starts the end-to-end build of the program under Wine and,
// for a set time, drives it with random user actions and hand edits of
// kjfs.ini, checking after every step. Prints the seed first (give it again to
// replay a run), what was done and what was measured at the end.
//   velarion_soak.exe SECONDS [SEED]
// Exit code 0 when no check failed, 1 when one did, 2 for bad arguments.

#include <cstdlib>
#include <memory>

#include "platform/win32/KernelHandles.hpp"
#include "tests/soak/Soak.hpp"

namespace velarion::soak {
namespace {

constexpr wchar_t RunKey[] = L"software\\microsoft\\windows\\CurrentVersion\\Run";
constexpr std::size_t MaxFaults = 20;

std::wstring fullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::wstring(full, length) : path;
}

// A fault's text in UTF-8 (the Linux terminal's), whatever Wine's code page is.
std::string utf8(const std::string& gbkText) {
    const std::wstring text = wide(gbkText);
    std::string out(text.size() * 3, '\0');
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                      static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(n > 0 ? n : 0);
    return out;
}

std::wstring e2eFolder() { return fullPath(e2e::ownFolder() + L"..\\e2e\\"); }

HWND waitForMainWindow(const e2e::Program& program) {
    HWND found = nullptr;
    e2e::waitUntil([&] {
        for (HWND w : e2e::topLevelWindows(program.id(), L"VelarionWindow"))
            if (IsWindowVisible(w) && e2e::windowText(w).rfind(L"Velarion", 0) == 0) found = w;
        return found != nullptr;
    }, 30000);
    return found;
}

// A figure, or "n/a" where Wine gives none (it answers 0 for handle and GUI counts).
std::string figure(long long value) { return value > 0 ? std::to_string(value) : "n/a"; }

void printResources(const char* label, const Resources& r) {
    std::printf("  %-6s at %6.1f s: handles %s, GDI objects %s, USER objects %s, resident %s KiB\n", label,
                r.atSecond, figure(r.handles).c_str(), figure(r.gdiObjects).c_str(), figure(r.userObjects).c_str(),
                figure(r.residentKib).c_str());
}

void report(const Soak& soak) {
    std::printf("velarion_soak: %.0f s\n", soak.seconds());
    for (const auto& [kind, count] : soak.done) std::printf("  %-32s %d\n", kind.c_str(), count);
    std::printf("  longest answer to WM_NULL: %lld ms\n", soak.longestAnswerMs);
    std::printf("  kjfs.ini read failures: %d\n", soak.fileReadFailures);
    if (!soak.samples.empty()) {
        printResources("first", soak.samples.front());
        printResources("warm", warmedUp(soak));
        printResources("last", soak.samples.back());
    }
    // Again at the end, where a log's tail shows them (they went to stderr as they came).
    for (const auto& f : soak.faults) std::printf("  fault: %s\n", utf8(f).c_str());
    std::printf("velarion_soak: %zu fault(s)\n", soak.faults.size());
    std::fflush(stdout);
}

}  // namespace

std::wstring programPath() { return e2eFolder() + L"velarion_e2e.exe"; }
std::wstring helperPath() { return e2eFolder() + L"e2e_helper.exe"; }
std::wstring powerOffLog() { return e2eFolder() + L"power-off-requests.txt"; }
std::wstring launchedReport() { return e2eFolder() + L"launched.txt"; }

bool readWholeFile(const std::wstring& path, std::string& bytes) {
    win32::UniqueKernelHandle file(win32::validOrNull(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file) return false;
    bytes.clear();
    char buffer[65536];
    DWORD got = 0;
    for (;;) {
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return false;
        if (got == 0) return true;
        bytes.append(buffer, got);
    }
}

std::wstring wide(const std::string& text) {
    std::wstring out(text.size(), L'\0');
    const int n = MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                      static_cast<int>(out.size()));
    out.resize(n > 0 ? n : 0);
    return out;
}

std::string gbk(const std::wstring& text) {
    std::string out(text.size() * 2, '\0');
    const int n = WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                      static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(n > 0 ? n : 0);
    return out;
}

void Soak::fault(const std::string& what) {
    faults.push_back(what);
    std::fprintf(stderr, "velarion_soak: FAULT at %.1f s: %s\n", seconds(), utf8(what).c_str());
    std::fflush(stderr);
}

}  // namespace velarion::soak

int main(int argc, char** argv) {
    using namespace velarion::soak;
    if (argc < 2 || std::atoi(argv[1]) <= 0) {
        std::fprintf(stderr, "usage: velarion_soak.exe SECONDS [SEED]\n");
        return 2;
    }
    const double limit = std::atof(argv[1]);
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10))
                                   : static_cast<unsigned>(GetTickCount64() ^ (GetCurrentProcessId() << 16));
    std::printf("velarion_soak: seed %u, %.0f s (replay: scripts/soak MINUTES %u)\n", seed, limit, seed);
    std::fflush(stdout);

    Soak soak;
    soak.random.seed(seed);
    DeleteFileW(velarion::e2e::settingsFilePath().c_str());
    DeleteFileW(powerOffLog().c_str());
    DeleteFileW(launchedReport().c_str());
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) RegDeleteKeyValueW(root, RunKey, L"Velarion");

    auto program = std::make_unique<velarion::e2e::Program>(programPath());
    soak.program = program.get();
    soak.begun = GetTickCount64();
    soak.main = waitForMainWindow(*program);
    if (!soak.main) {
        std::fprintf(stderr, "velarion_soak: the main window did not show\n");
        return 1;
    }
    program->waitForIdle();
    sampleResources(soak);

    int step = 0;
    while (soak.seconds() < limit && soak.faults.size() < MaxFaults) {
        randomAction(soak);
        answerMessageBoxes(soak);
        checkStep(soak);
        if (!program->running()) break;
        if (++step % 50 == 0) {
            std::fprintf(stderr, "velarion_soak: %d steps, %.0f s\n", step, soak.seconds());
            std::fflush(stderr);
        }
    }
    if (program->running()) checkEnd(soak);
    report(soak);
    return soak.faults.empty() ? 0 : 1;
}
