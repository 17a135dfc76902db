#pragma once
// When each phase of the start was reached, for the start-up benchmark: the
// performance counter (one clock for all processes of the machine) read at each
// phase's first arrival and kept in a fixed table, then written out once the
// main window has painted, and only when VELARION_START_MARKS names a file.
// The cost in an ordinary start is one counter read a phase and one look at
// the environment. Header only: the bench's floors, which link nothing of the
// program, mark the same phases with it.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace velarion::win32::startmarks {

struct Mark {
    const char* phase;
    LONGLONG counter;
};

struct Table {
    Mark marks[16] = {};
    int count = 0;
    bool written = false;
};

inline Table& table() {
    static Table t;
    return t;
}

// Records `phase` (a literal) the first time it is reached; later arrivals
// (another window's creation) change nothing.
inline void mark(const char* phase) {
    Table& t = table();
    if (t.written || t.count == 16) return;
    for (int i = 0; i < t.count; ++i)
        if (std::strcmp(t.marks[i].phase, phase) == 0) return;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    t.marks[t.count++] = {phase, now.QuadPart};
}

// Writes "phase counter" lines and a "frequency" line to the file named by
// VELARION_START_MARKS, once; without it, nothing. The file appears whole: it is
// written beside and then renamed, as its reader may look at any moment.
inline void writeIfAsked() {
    Table& t = table();
    if (t.written) return;
    t.written = true;
    wchar_t path[MAX_PATH], part[MAX_PATH + 8];
    const DWORD length = GetEnvironmentVariableW(L"VELARION_START_MARKS", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    std::wmemcpy(part, path, length);
    std::wmemcpy(part + length, L".part", 6);
    FILE* file = _wfopen(part, L"w");
    if (!file) return;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::fprintf(file, "frequency %lld\n", static_cast<long long>(frequency.QuadPart));
    for (int i = 0; i < t.count; ++i)
        std::fprintf(file, "%s %lld\n", t.marks[i].phase, static_cast<long long>(t.marks[i].counter));
    std::fclose(file);
    MoveFileExW(part, path, MOVEFILE_REPLACE_EXISTING);
}

}  // namespace velarion::win32::startmarks
