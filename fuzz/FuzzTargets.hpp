#pragma once
// Fuzz targets: each takes any bytes, runs one piece of the program on them and
// checks what must hold whatever the input. A target returns "" when everything
// held, or what did not; a crash or undefined behaviour is caught by the
// sanitizers the fuzz build adds.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velarion::fuzz {

using Target = std::string (*)(std::string_view input);

// The INI engine: a file and one item made from the input; the item written reads
// back, every other value reads as before, a second write changes nothing.
std::string iniRoundTrip(std::string_view input);
// Catalog::append on a kjfs.ini made of the input: nothing a reader saw is lost and
// the lists stay in step.
std::string catalogAppend(std::string_view input);
// splitList: the members and separators give back the text exactly.
std::string listSplit(std::string_view input);
// textToNumber: a finite number, which numberToText writes and textToNumber reads back.
std::string textNumber(std::string_view input);

struct NamedTarget {
    const char* name;
    Target run;
};
inline constexpr NamedTarget Targets[] = {
    {"ini", iniRoundTrip},
    {"catalog", catalogAppend},
    {"list", listSplit},
    {"number", textNumber},
};

}  // namespace velarion::fuzz

// The libFuzzer entry point (the target named by VELARION_FUZZ_TARGET, "ini" by default).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
