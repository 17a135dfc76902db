#pragma once
// Crash consistency: starts the storm helper on a kjfs.ini again and again, kills it
// (TerminateProcess) at a random moment, and after every kill checks that the file
// is there, parses, and holds exactly one of the states the storm goes through (the
// state before or after one complete write), with every category's names and paths
// in step, and that no more than the one temporary file of the interrupted write is
// left (the next write removes it).

#include <cstdint>
#include <string>

namespace velarion::crash {

struct CrashReport {
    int kills = 0;
    int torn = 0;          // a file that is none of the states
    int lost = 0;          // no file, or fewer writes in it than before the kill
    int strayTemporaries = 0;  // kills after which more than one temporary file lay there
    long long writes = 0;  // complete writes seen in the file over all kills
    std::string firstProblem;
};

// `folder` (wide, a Windows path) must exist and be empty; `helper` is storm_helper.exe.
CrashReport runCrashStorm(const std::wstring& folder, const std::wstring& helper, int kills, std::uint64_t seed,
                          int maxDelayMs = 200);

}  // namespace velarion::crash
