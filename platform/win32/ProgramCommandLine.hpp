#pragma once
// Which program an unquoted command line with blanks names. The system would try
// every start of it that ends before a blank, shortest first, adding ".exe": for
// C:\Program Files\App\app.exe that is C:\Program.exe first, a file anyone may plant
// (CWE-428). Here the program is the longest start that names an existing file as
// written; only a first word without any folder ("notepad") is looked up the way the
// system looks up a bare program name. Nothing found: nothing is started.

#include <optional>
#include <string>

namespace velarion::win32 {

struct ProgramCommand {
    std::wstring application;  // full path of the program
    std::wstring commandLine;  // the program quoted, then the rest of the text unchanged
    std::wstring arguments;    // the rest of the text, without the blanks before it
};

std::optional<ProgramCommand> resolveUnquotedCommand(const std::wstring& text);

// A quoted or single-word command line split the way the system reads it: the
// program is the text between the first two quotes, or the text up to the first
// blank; the arguments are what follows, without the blanks before them.
struct CommandParts {
    std::wstring program;
    std::wstring arguments;
};
CommandParts splitCommandLine(const std::wstring& text);

// On 64-bit Windows a 32-bit program sees SysWOW64 under the name System32, and
// reaches the real System32 as "Sysnative". A text (path or command line,
// quoted or not) that starts with `windowsDirectory`\System32\ gets Sysnative
// there instead; any other text comes back unchanged. Letter case is ignored.
std::wstring throughSysnative(const std::wstring& text, const std::wstring& windowsDirectory);

}  // namespace velarion::win32
