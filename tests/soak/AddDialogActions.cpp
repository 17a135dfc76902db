// The add dialog as a user works it: a name (odd GBK characters, the lists'
// separator, blanks or nothing), the program file typed in or chosen in the
// file dialog (or the file dialog cancelled), a category or none; then OK, the
// close box or Esc. What is stored is remembered for the end's check.

#include <windows.h>

#include <string>

#include "tests/soak/ActionSupport.hpp"

namespace velarion::soak {
namespace {

// A name as a user may type it: Chinese (with GBK's edge characters and
// characters whose second byte is '\', '[', ']' or '|'), the lists' separator,
// blanks, nothing at all.
std::wstring randomName(Soak& soak) {
    static const std::wstring pieces[] = {L"聊天", L"音乐", L"丂", L"齄", L"癩", L"表", L"功", L"圼",
                                          L"乗", L"ab", L"x;y", L"[a]", L"=", L"%", L"$", L"　", L"é"};
    switch (soak.pick(12)) {
    case 0: return L"";
    case 1: return L"   ";
    case 2: return L"名" + std::to_wstring(soak.pick(1000)) + L"%$";
    case 3: return L"  前后空格 ";
    default: {
        std::wstring name;
        for (int i = 0, n = 1 + soak.pick(6); i < n; ++i) name += pieces[soak.pick(17)];
        return name + std::to_wstring(soak.pick(100));
    }
    }
}

void chooseFileInDialog(Soak& soak, HWND dialog, bool answer) {
    e2e::postClick(e2e::findChild(dialog, L"Button", L"浏览"));
    HWND open = waitForWindow(soak, L"#32770", L"");
    if (!open) return soak.fault("the file dialog did not open");
    if (!answer) {
        PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
    } else {
        HWND fileName = GetDlgItem(open, 0x480);
        if (!fileName) fileName = GetDlgItem(open, 0x47c);
        SendMessageW(fileName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(helperPath().c_str()));
        e2e::postClick(GetDlgItem(open, IDOK));
    }
    if (!e2e::waitUntil([&] { return !IsWindow(open); })) soak.fault("the file dialog did not close");
    soak.count(answer ? "file dialog answered" : "file dialog cancelled");
}

}  // namespace

void addDialog(Soak& soak) {
    showWindow(soak);
    e2e::chooseMenu(soak.main, 0, 0);
    HWND dialog = waitForWindow(soak, L"VelarionWindow", L"添加应用");
    if (!dialog) return soak.fault("the add dialog did not open");
    HWND nameBox = control(dialog, L"Edit", 96, 16);
    HWND pathBox = control(dialog, L"Edit", 96, 48);
    const std::wstring name = randomName(soak);
    SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    const int chooser = soak.pick(10);
    if (chooser < 3) chooseFileInDialog(soak, dialog, chooser > 0);
    if (e2e::windowText(pathBox).empty() || chooser >= 3)
        SendMessageW(pathBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(helperPath().c_str()));
    const int category = soak.pick(5);  // 0 is "-请选择-"
    SendMessageW(e2e::childrenOfClass(dialog, L"ComboBox").at(0), CB_SETCURSEL, category, 0);

    const int ending = soak.pick(10);
    if (ending == 0) {
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        soak.count("add: closed");
    } else if (ending == 1) {
        e2e::postKey(nameBox, VK_ESCAPE);
        soak.count("add: Esc");
    } else {
        e2e::postClick(e2e::findChild(dialog, L"Button", L"ＯＫ"));
        std::wstring refusal;
        if (name.empty()) refusal = L"未输入";
        else if (category == 0) refusal = L"请先选择";
        else if (name.find(L"%$") != std::wstring::npos) refusal = L"无法添加";
        if (!refusal.empty()) {
            if (!waitForWindow(soak, L"#32770", refusal)) soak.fault("no message box " + gbk(refusal));
            answerMessageBoxes(soak, {refusal});
            e2e::postKey(nameBox, VK_ESCAPE);
            soak.count("add: refused");
        } else {
            // A value's leading blanks are not kept (the profile rules): those of a
            // list's first name go.
            std::string stored = gbk(name);
            if (soak.added[category - 1].empty()) stored.erase(0, stored.find_first_not_of(" \t"));
            soak.added[category - 1].push_back(stored);
            soak.count("add: stored");
        }
    }
    // Gone for the user; the window itself goes when the handler under its loop
    // returns (a shutdown warning inside a message box holds it up to ten seconds).
    if (!e2e::waitUntil([&] { return !visible(dialog) && IsWindowEnabled(soak.main); })) {
        soak.fault("the add dialog did not close (name [" + gbk(name) + "], category " + std::to_string(category) +
                   ", ending " + std::to_string(ending) + ")");
        answerMessageBoxes(soak);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        e2e::waitUntil([&] { return !visible(dialog); });
    }
}

}  // namespace velarion::soak
