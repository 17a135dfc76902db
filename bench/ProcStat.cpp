#include "bench/ProcStat.hpp"

#include <windows.h>

#include <cstdlib>
#include <cwctype>
#include <sstream>
#include <vector>

#include "platform/win32/KernelHandles.hpp"

namespace velarion::bench {
namespace {

std::wstring onDriveZ(const std::string& linuxPath) {
    std::wstring path = L"Z:";
    for (char c : linuxPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

std::vector<int> processIds() {
    std::vector<int> ids;
    WIN32_FIND_DATAW found{};
    win32::UniqueFind search(win32::validOrNull(FindFirstFileW(L"Z:\\proc\\*", &found)));
    if (!search) return ids;
    do {
        wchar_t* end = nullptr;
        const long id = std::wcstol(found.cFileName, &end, 10);
        if (id > 0 && end && *end == L'\0') ids.push_back(static_cast<int>(id));
    } while (FindNextFileW(search.get(), &found));
    return ids;
}

// The arguments of a command line or the entries of an environment, NUL-separated.
std::vector<std::string> fields(const std::string& bytes) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        if (i == bytes.size() || bytes[i] == '\0') {
            if (i > start) out.push_back(bytes.substr(start, i - start));
            start = i + 1;
        }
    }
    return out;
}

bool sameIgnoringCase(const std::string& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towlower(static_cast<unsigned char>(a[i])) != std::towlower(b[i])) return false;
    return true;
}

// The numbers after the command name of /proc/<pid>/stat, from field 3 on.
std::vector<long long> statNumbers(int pid) {
    const std::string stat = readLinuxFile("/proc/" + std::to_string(pid) + "/stat");
    std::vector<long long> numbers;
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) return numbers;
    std::istringstream in(stat.substr(close + 2));
    std::string state;
    in >> state;  // field 3
    for (long long value; in >> value;) numbers.push_back(value);
    return numbers;
}

}  // namespace

std::string readLinuxFile(const std::string& path) {
    // Files of /proc report no size: read until the end.
    win32::UniqueKernelHandle file(win32::validOrNull(
        CreateFileW(onDriveZ(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file) return {};
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    return content;
}

int linuxPidOfImage(const std::wstring& windowsPath) {
    for (int pid : processIds()) {
        const auto args = fields(readLinuxFile("/proc/" + std::to_string(pid) + "/cmdline"));
        if (!args.empty() && sameIgnoringCase(args[0], windowsPath)) return pid;
    }
    return 0;
}

int linuxPidOfWineserver(const std::string& prefix) {
    const std::string wanted = "WINEPREFIX=" + prefix;
    for (int pid : processIds()) {
        const auto args = fields(readLinuxFile("/proc/" + std::to_string(pid) + "/cmdline"));
        if (args.empty() || args[0].find("wineserver") == std::string::npos) continue;
        for (const std::string& entry : fields(readLinuxFile("/proc/" + std::to_string(pid) + "/environ")))
            if (entry == wanted) return pid;
    }
    return 0;
}

long long cpuTicks(int linuxPid) {
    // Fields 14 (utime) and 15 (stime); the vector starts at field 4.
    const auto numbers = statNumbers(linuxPid);
    if (numbers.size() < 12) return -1;
    return numbers[10] + numbers[11];
}

long long residentKib(int linuxPid) {
    std::istringstream in(readLinuxFile("/proc/" + std::to_string(linuxPid) + "/status"));
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atoll(line.c_str() + 6);
    return -1;
}

}  // namespace velarion::bench
