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
};

std::optional<ProgramCommand> resolveUnquotedCommand(const std::wstring& text);

}  // namespace velarion::win32
