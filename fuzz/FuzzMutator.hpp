#pragma once
// A seeded mutation driver: inputs are made from seed files by stacking random
// edits (bit flips, byte changes, insertions and removals, pieces of other seeds,
// and the tokens that matter to the file's syntax). The same seed gives the same
// inputs, so every finding can be replayed.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace velarion::fuzz {

// The contents of the regular files directly in each of the folders (folders
// that do not exist give nothing).
std::vector<std::string> readSeeds(const std::vector<std::string>& folders);

class Mutator {
public:
    Mutator(std::vector<std::string> seeds, std::uint64_t seed);
    // The next input.
    std::string next();

private:
    void mutate(std::string& input);
    std::size_t below(std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

    std::vector<std::string> seeds_;
    std::mt19937_64 random_;
};

}  // namespace velarion::fuzz
