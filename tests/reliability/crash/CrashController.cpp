// crash_test [KILLS [SEED [MAXDELAYMS]]]: the crash consistency run (scripts/crash-test).
// Prints kills / torn / lost and exits non-zero when anything was torn or lost.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/reliability/crash/CrashStorm.hpp"

int main(int argc, char** argv) {
    const int kills = argc > 1 ? std::atoi(argv[1]) : 1000;
    const unsigned long long seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    const int maxDelay = argc > 3 ? std::atoi(argv[3]) : 200;
    wchar_t self[MAX_PATH * 4];
    std::wstring folder(self, GetModuleFileNameW(nullptr, self, MAX_PATH * 4));
    folder.resize(folder.find_last_of(L'\\'));
    const std::wstring helper = folder + L"\\storm_helper.exe";
    wchar_t temp[MAX_PATH + 1];
    const std::wstring work = std::wstring(temp, GetTempPathW(MAX_PATH + 1, temp)) + L"velarion-crash-" +
                              std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(work.c_str(), nullptr);
    const velarion::crash::CrashReport report = velarion::crash::runCrashStorm(work, helper, kills, seed, maxDelay);
    std::printf("kills %d / torn %d / lost %d; complete writes seen %lld; stray temporary files %d; seed %llu\n",
                report.kills, report.torn, report.lost, report.writes, report.strayTemporaries, seed);
    if (!report.firstProblem.empty()) std::printf("first problem: %s\n", report.firstProblem.c_str());
    std::fflush(stdout);
    for (const wchar_t* name : {L"\\kjfs.ini", L"\\kjfs.ini.~vltmp*"}) {
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((work + name).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do DeleteFileW((work + L"\\" + found.cFileName).c_str());
        while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(work.c_str());
    return report.torn == 0 && report.lost == 0 && report.strayTemporaries == 0 && report.kills == kills ? 0 : 1;
}
