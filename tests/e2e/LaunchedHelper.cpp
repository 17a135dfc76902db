// A program for the catalog to start: it writes its command line and working
// directory to "launched.txt" in its own folder, one line each, and ends.

#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring report(self, length);
    report.resize(report.find_last_of(L'\\') + 1);
    report += L"launched.txt";

    wchar_t directory[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, directory);

    if (FILE* out = _wfopen(report.c_str(), L"w, ccs=UTF-8")) {
        std::fwprintf(out, L"%ls\n%ls\n", GetCommandLineW(), directory);
        std::fclose(out);
    }
    return 0;
}
