// User feedback: message box, beep, the Open dialog and the system's About box.

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <string>

#include "platform/win32/Com.hpp"
#include "platform/win32/Encoding.hpp"
#include "platform/win32/LateBound.hpp"
#include "platform/win32/Win32System.hpp"

namespace velarion::win32 {

int Win32System::showMessageBox(const std::string& text, unsigned flags, const std::string& title) {
    if (!(flags & MbSystemModal)) flags |= MbTaskModal;
    return MessageBoxW(nullptr, toWide(text).c_str(), toWide(title).c_str(), flags);
}

void Win32System::soundBeep() { MessageBeep(0); }

bool Win32System::openFileDialog(const std::string& filter, unsigned flags, std::string& fileName) {
    // "description|pattern|..." becomes the zero-separated list the dialog takes.
    // Converted first: in GBK a '|' byte can be the trail of a Chinese character.
    std::wstring filters = toWide(filter);
    std::replace(filters.begin(), filters.end(), L'|', L'\0');
    filters.append(2, L'\0');

    const std::wstring initial = toWide(fileName);
    std::wstring buffer(std::max<std::size_t>(initial.size() + 1, 32768), L'\0');
    std::copy(initial.begin(), initial.end(), buffer.begin());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.Flags = OFN_HIDEREADONLY | flags;
    const ComScope com;  // the dialog's folder views are COM objects
    const auto getOpenFileName =
        lateBound<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    if (!getOpenFileName || !getOpenFileName(&dialog)) return false;
    fileName = toGbk(buffer.c_str());
    return true;
}

void Win32System::showAboutBox(const std::string& applicationName, const std::string& otherText) {
    // Looked up at run time: shell32 is loaded only when the box is asked for.
    const auto shellAbout = lateBound<decltype(ShellAboutW)>(L"shell32.dll", "ShellAboutW");
    if (shellAbout) shellAbout(nullptr, toWide(applicationName).c_str(), toWide(otherText).c_str(), nullptr);
}

}  // namespace velarion::win32
