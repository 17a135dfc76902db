#include "bench/BenchSupport.hpp"

#include <windows.h>

#include <algorithm>

#include "core/IniFile.hpp"
#include "core/SettingsFile.hpp"
#include "platform/win32/Win32System.hpp"

namespace velarion::bench {
namespace {

long long counterNow() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double counterFrequency() {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart);
}

}  // namespace

Stopwatch::Stopwatch() : start_(counterNow()) {}

double Stopwatch::ms() const {
    static const double frequency = counterFrequency();
    return static_cast<double>(counterNow() - start_) * 1000.0 / frequency;
}

double median(std::vector<double> values) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string storedSettingsIni(const std::string& catalogIni) {
    const std::string section(SectionSettings);
    return iniWriteAll(catalogIni, {
        {section, std::string(KeyOpacity), "255"},
        {section, std::string(KeyAutostart), std::string(FlagOff)},
        {section, std::string(KeyTopmost), std::string(FlagOn)},
    });
}

bool writeSettingsFile(const std::string& bytes) {
    win32::Win32System system([](unsigned, unsigned long) { return false; });
    const SettingsFile settings(system);
    return system.replaceFile(settings.path(), bytes);
}

}  // namespace velarion::bench
