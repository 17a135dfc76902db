#pragma once
// Small pieces the benchmark programs share: a stopwatch, the median, and the
// kjfs.ini a run starts from.

#include <string>
#include <vector>

namespace velarion::bench {

// Milliseconds since construction, from the performance counter.
class Stopwatch {
public:
    Stopwatch();
    double ms() const;

private:
    long long start_;
};

// The median; -1 for no values.
double median(std::vector<double> values);

// The catalog's INI bytes with the three settings stored too (opacity 255,
// no autostart, always on top), so that a start restores all of them.
std::string storedSettingsIni(const std::string& catalogIni);

// Replaces kjfs.ini in the Windows directory with these bytes. False on failure.
bool writeSettingsFile(const std::string& bytes);

}  // namespace velarion::bench
