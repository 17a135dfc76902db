// The fuzz driver: velarion_fuzz TARGET EXECUTIONS SEED SEEDFOLDER...
// Runs the target on EXECUTIONS inputs made from the files of the seed folders
// and stops at the first input on which something did not hold (written to
// fuzz-finding-TARGET-SEED.bin, exit code 1). Sanitizer findings end the run
// at once with the sanitizer's report.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>

#include "fuzz/FuzzMutator.hpp"
#include "fuzz/FuzzTargets.hpp"

using namespace velarion::fuzz;

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s TARGET EXECUTIONS SEED [SEEDFOLDER...]\n", argv[0]);
        return 2;
    }
    Target target = nullptr;
    for (const auto& t : Targets)
        if (std::strcmp(t.name, argv[1]) == 0) target = t.run;
    if (!target) {
        std::fprintf(stderr, "no target %s\n", argv[1]);
        return 2;
    }
    const unsigned long long executions = std::strtoull(argv[2], nullptr, 10);
    const unsigned long long seed = std::strtoull(argv[3], nullptr, 10);
    const std::vector<std::string> seeds = readSeeds({argv + 4, argv + argc});
    Mutator mutator(seeds, seed);
    const std::clock_t began = std::clock();
    for (unsigned long long n = 1; n <= executions; ++n) {
        const std::string input = mutator.next();
        const std::string failure = target(input);
        if (!failure.empty()) {
            const std::string file = std::string("fuzz-finding-") + argv[1] + "-" + argv[3] + ".bin";
            std::ofstream(file, std::ios::binary) << input;
            std::printf("%s: finding after %llu executions: %s (input in %s)\n", argv[1], n, failure.c_str(),
                        file.c_str());
            return 1;
        }
        if (n % 1000000 == 0) {
            std::printf("%s: %llu executions, %.0f s\n", argv[1], n, double(std::clock() - began) / CLOCKS_PER_SEC);
            std::fflush(stdout);
        }
    }
    std::printf("%s: %llu executions, 0 findings, seed %llu, %.0f s\n", argv[1], executions, seed,
                double(std::clock() - began) / CLOCKS_PER_SEC);
    return 0;
}
