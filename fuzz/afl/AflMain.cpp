// The fuzz targets under AFL++ (scripts/fuzz-afl builds this with afl-g++-fast,
// AddressSanitizer and UndefinedBehaviorSanitizer):
//   velarion_afl TARGET
//       persistent mode: afl-fuzz hands the inputs over in shared memory; built
//       with VELARION_AFL_STDIN (AFL++'s assembler instrumentation, which has
//       no persistent mode), one input from standard input per process
//   velarion_afl TARGET blind SECONDS SEED SEEDFOLDER...
//       the blind driver's mutations for SECONDS in this same instrumented
//       program, so that afl-showmap can compare what each way reaches (the
//       number of executions goes to the file VELARION_BLIND_REPORT names)
// A target on which something did not hold aborts, so AFL keeps the input as a
// crash, as it does for a sanitizer's finding.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>

#include <iostream>
#include <iterator>

#include <unistd.h>  // read(), which AFL's test-case macro uses outside afl-fuzz

#include "fuzz/FuzzMutator.hpp"
#include "fuzz/FuzzTargets.hpp"

using namespace velarion::fuzz;

#ifndef VELARION_AFL_STDIN
__AFL_FUZZ_INIT();
#endif

namespace {

void failed(const std::string& failure) {
    std::fprintf(stderr, "finding: %s\n", failure.c_str());
    std::abort();
}

int blind(Target target, int argc, char** argv) {
    if (argc < 5) return 2;
    const double seconds = std::strtod(argv[3], nullptr);
    Mutator mutator(readSeeds({argv + 5, argv + argc}), std::strtoull(argv[4], nullptr, 10));
    const std::time_t end = std::time(nullptr) + static_cast<std::time_t>(seconds);
    unsigned long long executions = 0;
    while (std::time(nullptr) < end) {
        for (int i = 0; i < 100; ++i, ++executions)
            if (std::string failure = target(mutator.next()); !failure.empty()) failed(failure);
    }
    // afl-showmap keeps the program's output to itself: the count goes to a file.
    if (const char* report = std::getenv("VELARION_BLIND_REPORT"))
        if (std::FILE* out = std::fopen(report, "w")) {
            std::fprintf(out, "%llu executions\n", executions);
            std::fclose(out);
        }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Target target = nullptr;
    for (const auto& t : Targets)
        if (argc > 1 && std::strcmp(t.name, argv[1]) == 0) target = t.run;
    if (!target) {
        std::fprintf(stderr, "usage: %s TARGET [blind SECONDS SEED SEEDFOLDER...]\n", argv[0]);
        return 2;
    }
    if (argc > 2 && std::strcmp(argv[2], "blind") == 0) return blind(target, argc, argv);

#ifdef VELARION_AFL_STDIN
    const std::string input((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    if (const std::string failure = target(input); !failure.empty()) failed(failure);
#else
    __AFL_INIT();
    const unsigned char* buffer = __AFL_FUZZ_TESTCASE_BUF;
    while (__AFL_LOOP(10000)) {
        const std::size_t length = __AFL_FUZZ_TESTCASE_LEN;
        const std::string failure = target(std::string_view(reinterpret_cast<const char*>(buffer), length));
        if (!failure.empty()) failed(failure);
    }
#endif
    return 0;
}
