#pragma once
// The soak: the real program (its end-to-end build) under Wine for a set time,
// driven from outside by seeded random user actions and hand edits of kjfs.ini,
// and checked after every step.

#include <windows.h>

#include <array>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "tests/e2e/Inspector.hpp"

namespace velarion::soak {

std::wstring programPath();
std::wstring helperPath();
std::wstring powerOffLog();
std::wstring launchedReport();

// The whole content of a file; false when it cannot be opened or read.
bool readWholeFile(const std::wstring& path, std::string& bytes);
// Our GBK text as UTF-16 and back.
std::wstring wide(const std::string& gbk);
std::string gbk(const std::wstring& text);

// One figure of the program's resources.
struct Resources {
    double atSecond = 0;
    long long entries = 0;  // added through the dialog by then
    long long handles = -1, gdiObjects = -1, userObjects = -1, residentKib = -1;
};

// What the driver did, knows and expects.
struct Soak {
    std::mt19937 random;
    e2e::Program* program = nullptr;
    HWND main = nullptr;
    ULONGLONG begun = 0;

    int folder = 0;  // the folder opened last
    // The names stored through the dialog, per category, in order.
    std::array<std::vector<std::string>, 4> added;
    // Lines written into kjfs.ini by hand; every one must stay.
    std::vector<std::string> handLines;

    // Shutdown tasks: whether one is armed, its requests, the requests seen so far.
    bool taskArmed = false;
    int requestsOfTask = 0;
    std::size_t requestsSeen = 0;

    std::map<std::string, int> done;  // per action kind (and outcome)
    std::vector<std::string> faults;
    long long longestAnswerMs = 0;
    std::vector<Resources> samples;
    int fileReadFailures = 0;

    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }
    bool chance(int percent) { return pick(100) < percent; }
    double seconds() const { return static_cast<double>(GetTickCount64() - begun) / 1000.0; }
    void count(const std::string& kind) { ++done[kind]; }
    void fault(const std::string& what);
};

// One random user action or hand edit (SoakActions.cpp, HandEdits.cpp).
void randomAction(Soak& soak);
void randomHandEdit(Soak& soak);
// Closes the program's message boxes, counting them by title; false for one
// whose title is not among `expected` (then it is a fault too).
bool answerMessageBoxes(Soak& soak, const std::vector<std::wstring>& expected = {});
// Waits until the program has worked off what was posted to it.
void settle(Soak& soak);

// The checks of every step and of the end (SoakChecks.cpp).
void checkStep(Soak& soak);
void sampleResources(Soak& soak);
void checkEnd(Soak& soak);
// The figures a quarter into the run (the start loads what the first actions
// need): what the end is held against. There must be a sample.
const Resources& warmedUp(const Soak& soak);

}  // namespace velarion::soak
