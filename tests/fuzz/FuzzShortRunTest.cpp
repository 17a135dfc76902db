// A short run of every fuzz target: its kept seeds, then a few thousand inputs
// made from them (always the same ones). The long runs are scripts/fuzz.

#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/FuzzMutator.hpp"
#include "fuzz/FuzzTargets.hpp"
#include "tests/reliability/CorpusSupport.hpp"

namespace velarion::testing {
namespace {

std::vector<std::string> seedsOf(const std::string& target) {
    std::filesystem::path folder = corpusFolder().parent_path() / "fuzz" / "corpus" / target;
    std::vector<std::string> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) seeds.push_back(fileBytes(entry.path()));
    if (target == "ini" || target == "catalog")
        for (const CorpusFile& file : corpusFiles()) seeds.push_back("\x01" + file.bytes);
    return seeds;
}

struct ShortRun {
    const char* target;
    int executions;
};

class FuzzShortRun : public ::testing::TestWithParam<ShortRun> {};

TEST_P(FuzzShortRun, SeedsAndMutationsHoldEverything) {
    const ShortRun run = GetParam();
    fuzz::Target target = nullptr;
    for (const auto& t : fuzz::Targets)
        if (std::string(t.name) == run.target) target = t.run;
    ASSERT_NE(target, nullptr);
    const std::vector<std::string> seeds = seedsOf(run.target);
    ASSERT_FALSE(seeds.empty());
    for (const std::string& seed : seeds) ASSERT_EQ(target(seed), "") << "a seed of " << run.target;
    fuzz::Mutator mutator(seeds, 20261208);
    for (int i = 0; i < run.executions; ++i) {
        const std::string input = mutator.next();
        ASSERT_EQ(target(input), "") << run.target << " input " << i << " of " << input.size() << " bytes";
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzShortRun,
                         ::testing::Values(ShortRun{"ini", 3000}, ShortRun{"catalog", 300}, ShortRun{"list", 50000},
                                           ShortRun{"number", 50000}),
                         [](const auto& info) { return std::string(info.param.target); });

}  // namespace
}  // namespace velarion::testing
