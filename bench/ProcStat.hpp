#pragma once
// What Linux knows of the Wine processes around a benchmark: their CPU time and
// resident memory from /proc, read from inside Wine through the Z: drive (which
// maps the root folder). Clock ticks are the kernel's USER_HZ, 100 a second.

#include <string>

namespace velarion::bench {

inline constexpr double ClockTicksPerSecond = 100.0;

// The whole content of a Linux file ("/proc/1/stat"); "" when it cannot be read.
std::string readLinuxFile(const std::string& path);

// The Linux process id of the running Wine process of that executable (its full
// Windows path, as Wine shows it in the command line); 0 when none.
int linuxPidOfImage(const std::wstring& windowsPath);
// The wineserver of the Wine prefix (its Linux path); 0 when none was found.
int linuxPidOfWineserver(const std::string& prefix);

// User + system time of every thread of the process so far, in clock ticks; -1 when gone.
long long cpuTicks(int linuxPid);
// VmRSS in KiB; -1 when gone.
long long residentKib(int linuxPid);

}  // namespace velarion::bench
