#include "fuzz/FuzzMutator.hpp"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace velarion::fuzz {
namespace {

// What the INI syntax, the list and the numbers are made of.
const char* const Tokens[] = {
    "%$", "%$%$", "[", "]", "=", ";", "\r\n", "\r", "\n", "\"", "'", " ", "\t", "\x1A", "",
    "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF", "\x81", "\xFE", "\x80", "\xFF", "\x81]", "\x81=", "\x81%", "\x81\r",
    "\xA3\xB1", "\xA3\xAB", "\xA3\xAD", "\xA3\xAE", "\xA3\xE5", "\xA1\xA1", "1e308", "1e-400", "-", "+", ".", "e",
    "9999999999999999999999", "0.0000001", "[快捷方式]\r\n", "[快捷链接]\r\n", "聊天通讯=", "[系统设置]\r\n", "透明度=",
};

}  // namespace

Mutator::Mutator(std::vector<std::string> seeds, std::uint64_t seed) : seeds_(std::move(seeds)), random_(seed) {
    if (seeds_.empty()) seeds_.push_back("");
}

std::string Mutator::next() {
    std::string input = seeds_[below(seeds_.size())];
    const std::size_t edits = 1 + below(8);
    for (std::size_t i = 0; i < edits; ++i) mutate(input);
    if (input.size() > 4096) input.resize(4096);
    return input;
}

void Mutator::mutate(std::string& input) {
    switch (below(8)) {
        case 0:  // flip a bit
            if (!input.empty()) input[below(input.size())] ^= static_cast<char>(1u << below(8));
            break;
        case 1:  // any byte
            if (!input.empty()) input[below(input.size())] = static_cast<char>(below(256));
            break;
        case 2:  // insert bytes
            input.insert(below(input.size() + 1), std::string(1 + below(4), static_cast<char>(below(256))));
            break;
        case 3: {  // remove a run
            if (input.empty()) break;
            const std::size_t at = below(input.size());
            input.erase(at, 1 + below(std::min<std::size_t>(16, input.size() - at)));
            break;
        }
        case 4:
        case 5: {  // a token of the syntax
            const std::size_t token = below(sizeof Tokens / sizeof Tokens[0]);
            const std::string text = token == 14 ? std::string("\0", 1) : std::string(Tokens[token]);
            input.insert(below(input.size() + 1), text);
            break;
        }
        case 6: {  // a piece of another seed
            const std::string& other = seeds_[below(seeds_.size())];
            if (other.empty()) break;
            const std::size_t from = below(other.size());
            input.insert(below(input.size() + 1), other.substr(from, 1 + below(64)));
            break;
        }
        case 7: {  // a repeated piece (long values, many lines)
            if (input.empty()) break;
            const std::size_t from = below(input.size());
            const std::string piece = input.substr(from, 1 + below(16));
            std::string repeated;
            for (std::size_t n = 1 + below(64); n > 0; --n) repeated += piece;
            input.insert(below(input.size() + 1), repeated);
            break;
        }
    }
}

std::vector<std::string> readSeeds(const std::vector<std::string>& folders) {
    std::vector<std::string> seeds;
    for (const std::string& folder : folders) {
        if (!std::filesystem::is_directory(folder)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (!entry.is_regular_file()) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    return seeds;
}

}  // namespace velarion::fuzz
