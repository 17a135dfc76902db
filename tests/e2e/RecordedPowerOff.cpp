// The end-to-end build's power-off request: instead of asking the system (which
// under Wine would end every program of the prefix) it appends one line with
// the flags to "power-off-requests.txt" beside the executable.

#include <windows.h>

#include <cstdio>
#include <string>

#include "app/PowerOff.hpp"

namespace velarion::app {

win32::ExitWindowsCall powerOffRequest() {
    return [](unsigned flags, unsigned long reason) {
        wchar_t self[MAX_PATH];
        const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring record(self, length);
        record.resize(record.find_last_of(L'\\') + 1);
        record += L"power-off-requests.txt";
        FILE* out = _wfopen(record.c_str(), L"a");
        if (!out) return false;
        std::fprintf(out, "flags=%u reason=0x%lx\n", flags, reason);
        std::fclose(out);
        return true;
    };
}

}  // namespace velarion::app
