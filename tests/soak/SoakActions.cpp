// The user's actions, driven from outside with posted input: folders, entry
// buttons, the slider, both check boxes, shutdown tasks, the tray and the
// slide-away (the add dialog: AddDialogActions.cpp). Each waits for what it
// should bring about and reports a fault when that does not come.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "core/SettingsFile.hpp"
#include "platform/win32/Win32System.hpp"
#include "tests/soak/ActionSupport.hpp"

namespace velarion::soak {
namespace {

constexpr UINT TrayCallback = 0x8064;
constexpr UINT TrayIconId = 100;

// The program's visible top-level window of that class and caption.
HWND programWindow(Soak& soak, const wchar_t* cls, const std::wstring& caption) {
    for (HWND w : e2e::topLevelWindows(soak.program->id(), cls))
        if (visible(w) && (caption.empty() || e2e::windowText(w) == caption)) return w;
    return nullptr;
}

}  // namespace

std::string stored(const char* section, const char* key) {
    win32::Win32System system{[](unsigned, unsigned long) { return false; }};
    return SettingsFile(system).read(section, key);
}

bool visible(HWND window) { return IsWindowVisible(window) != FALSE; }

HWND waitForWindow(Soak& soak, const wchar_t* cls, const std::wstring& caption, int ms) {
    HWND found = nullptr;
    e2e::waitUntil([&] { return (found = programWindow(soak, cls, caption)) != nullptr; }, ms);
    return found;
}

HWND control(HWND root, const wchar_t* cls, int left, int top) {
    for (HWND child : e2e::childrenOfClass(root, cls)) {
        const RECT r = e2e::placeInParent(child);
        if (r.left == left && r.top == top) return child;
    }
    return nullptr;
}

void showWindow(Soak& soak) {
    if (visible(soak.main)) return;
    PostMessageW(soak.main, TrayCallback, TrayIconId, WM_LBUTTONUP);
    if (!e2e::waitUntil([&] { return visible(soak.main); })) soak.fault("the tray icon did not bring the window back");
}

void openFolder(Soak& soak, int folder) {
    showWindow(soak);
    const auto bars = e2e::childrenOfClass(soak.main, L"VelarionFolderBar");
    if (bars.empty()) return soak.fault("no folder bar");
    e2e::postKey(bars[0], VK_HOME);
    for (int i = 0; i < folder; ++i) e2e::postKey(bars[0], VK_DOWN);
    soak.folder = folder;
    settle(soak);
}

bool openSettings(Soak& soak) {
    if (soak.folder != 4 || !visible(soak.main)) openFolder(soak, 4);
    if (!e2e::waitUntil([&] { return e2e::findChild(soak.main, L"Button", L"总在前端") != nullptr; })) {
        soak.fault("the settings page did not show its controls");
        return false;
    }
    return true;
}

namespace {

using e2e::childrenOfClass;
using e2e::findChild;
using e2e::postClick;
using e2e::postKey;
using e2e::waitUntil;
using e2e::windowText;

void folderChange(Soak& soak) {
    openFolder(soak, soak.pick(5));
    soak.count("folder");
}

void entryClick(Soak& soak) {
    std::vector<int> filled;
    for (int c = 0; c < 4; ++c)
        if (!soak.added[c].empty()) filled.push_back(c);
    if (filled.empty()) return folderChange(soak);
    const int category = filled[soak.pick(static_cast<int>(filled.size()))];
    if (soak.folder != category || !visible(soak.main)) openFolder(soak, category);
    // A page holds 16 buttons in view; the buttons of a longer list are made as
    // they come into reach and let go when far out of it, so only those of a
    // short list are all there. The folder keys are posted: on a loaded machine the
    // page before may still show for a moment, so the count is waited for.
    const std::size_t stored = soak.added[category].size();
    const std::size_t inView = std::min<std::size_t>(stored, 16);
    std::vector<HWND> entries;
    waitUntil([&] {
        entries.clear();
        for (HWND b : childrenOfClass(soak.main, L"Button"))
            if (visible(b)) entries.push_back(b);
        return entries.size() >= inView && entries.size() <= stored;
    });
    if (entries.size() < inView || entries.size() > stored) {
        soak.fault("category " + std::to_string(category) + " shows " + std::to_string(entries.size()) +
                   " entries of " + std::to_string(stored));
        if (entries.empty()) return;
    }
    DeleteFileW(launchedReport().c_str());
    postClick(entries[soak.pick(static_cast<int>(entries.size()))]);
    std::string report;
    if (!waitUntil([&] { return readWholeFile(launchedReport(), report) && !report.empty(); }, 10000))
        soak.fault("an entry button did not start its program");
    soak.count("entry button");
}

// The slider's position, the stored opacity and the window's alpha agree.
void checkOpacity(Soak& soak, HWND slider) {
    int position = 0;
    const bool agree = waitUntil([&] {
        position = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
        // Until the slider first moves, nothing is stored and the window is opaque.
        BYTE alpha = 255;
        DWORD flags = 0;
        if (!GetLayeredWindowAttributes(soak.main, nullptr, &alpha, &flags)) alpha = 255;
        const std::string value = stored("系统设置", "透明度");
        return (value == std::to_string(position) || (value.empty() && position == 255)) && alpha == position;
    });
    if (!agree) soak.fault("slider at " + std::to_string(position) + ", stored " + stored("系统设置", "透明度"));
    if (position < 50 || position > 255) soak.fault("slider outside 50..255: " + std::to_string(position));
}

void sliderKeys(Soak& soak) {
    if (!openSettings(soak)) return;
    HWND slider = childrenOfClass(soak.main, TRACKBAR_CLASSW).at(0);
    static constexpr UINT keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END};
    for (int i = 0, n = 1 + soak.pick(4); i < n; ++i) postKey(slider, keys[soak.pick(8)]);
    settle(soak);
    checkOpacity(soak, slider);
    soak.count("slider keys");
}

void sliderDrag(Soak& soak) {
    if (!openSettings(soak)) return;
    HWND slider = childrenOfClass(soak.main, TRACKBAR_CLASSW).at(0);
    // From the thumb to a random place, as a mouse drags it.
    RECT client{};
    GetClientRect(slider, &client);
    const int width = std::max<int>(1, client.right);
    const int y = client.bottom / 2;
    const int position = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
    const int from = 8 + (width - 16) * (position - 50) / 205;
    PostMessageW(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from, y));
    for (int i = 0, n = 1 + soak.pick(5); i < n; ++i)
        PostMessageW(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(soak.pick(width), y));
    PostMessageW(slider, WM_LBUTTONUP, 0, MAKELPARAM(soak.pick(width), y));
    settle(soak);
    checkOpacity(soak, slider);
    soak.count("slider drag");
}

void checkBox(Soak& soak, const wchar_t* caption, const char* key, const char* label) {
    if (!openSettings(soak)) return;
    HWND box = findChild(soak.main, L"Button", caption);
    postClick(box);
    settle(soak);
    bool checked = false;
    const bool agree = waitUntil([&] {
        checked = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
        return stored("系统设置", key) == (checked ? "真" : "假");
    }, 10000);
    if (!agree) soak.fault(gbk(caption) + " is " + (checked ? "on" : "off") + ", stored " + stored("系统设置", key));
    if (std::wstring(caption) == L"总在前端" &&
        ((GetWindowLongPtrW(soak.main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) != checked)
        soak.fault("always on top and the window's topmost style differ");
    soak.count(std::string("check box ") + label);
}

void autostartBox(Soak& soak) { checkBox(soak, L"开机自动启动", "开机启动", "start with Windows"); }
void topmostBox(Soak& soak) { checkBox(soak, L"总在前端", "前端", "always on top"); }

void stopTask(Soak& soak, HWND button) {
    postClick(button);
    if (!waitUntil([&] { return windowText(button) == L"确定"; })) return soak.fault("a task did not stop");
    settle(soak);
    // Any request from here on would belong to a stopped task.
    soak.requestsSeen = 0;
    std::string log;
    if (readWholeFile(powerOffLog(), log)) soak.requestsSeen = std::count(log.begin(), log.end(), '\n');
    soak.taskArmed = false;
    soak.count("task stopped");
}

void shutdownTask(Soak& soak, bool clockTime) {
    if (!openSettings(soak)) return;
    HWND button = findChild(soak.main, L"Button", L"确定");
    if (!button) button = findChild(soak.main, L"Button", L"停止");
    if (windowText(button) == L"停止") return stopTask(soak, button);

    std::vector<HWND> radios;
    for (HWND b : childrenOfClass(soak.main, L"Button"))
        if (windowText(b) == L"单选框") radios.push_back(b);
    if (radios.size() != 2) return soak.fault("the settings page has not two mode buttons");
    std::sort(radios.begin(), radios.end(), [](HWND a, HWND b) { return e2e::placeInParent(a).top < e2e::placeInParent(b).top; });
    postClick(radios[clockTime ? 0 : 1]);
    settle(soak);
    if (clockTime) {
        // Soon (the ten-second warning and one request follow) or in an hour.
        SYSTEMTIME now{};
        GetLocalTime(&now);
        const int ahead = soak.chance(50) ? 2 + soak.pick(4) : 3600;
        const int at = (now.wHour * 3600 + now.wMinute * 60 + now.wSecond + ahead) % 86400;
        const int fields[] = {at / 3600, at / 60 % 60, at % 60};
        const int lefts[] = {38, 101, 160};
        for (int i = 0; i < 3; ++i) {
            const std::wstring text = std::to_wstring(fields[i]);
            SendMessageW(control(soak.main, L"Edit", lefts[i], 24), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
    } else {
        const std::wstring text = std::to_wstring(soak.chance(60) ? 1 + soak.pick(5) : 60 + soak.pick(600));
        SendMessageW(control(soak.main, L"Edit", 38, 40), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    postClick(button);
    if (!waitUntil([&] { return windowText(button) == L"停止"; })) {
        answerMessageBoxes(soak, {L"错误"});
        return soak.fault("a task was not armed");
    }
    soak.taskArmed = true;
    soak.requestsOfTask = 0;
    soak.count(clockTime ? "clock task armed" : "countdown armed");
}

void countdownTask(Soak& soak) { shutdownTask(soak, false); }
void clockTask(Soak& soak) { shutdownTask(soak, true); }

void trayRoundTrip(Soak& soak) {
    showWindow(soak);
    PostMessageW(soak.main, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (!waitUntil([&] { return !visible(soak.main); })) return soak.fault("close did not hide the window");
    Sleep(static_cast<DWORD>(soak.pick(1000)));
    checkStep(soak);
    PostMessageW(soak.main, TrayCallback, TrayIconId, WM_RBUTTONUP);
    PostMessageW(soak.main, TrayCallback, TrayIconId, WM_LBUTTONUP);
    if (!waitUntil([&] { return visible(soak.main); })) soak.fault("the tray icon did not bring the window back");
    soak.count("tray and back");
}

void slideAway(Soak& soak) {
    showWindow(soak);
    const RECT before = e2e::screenRect(soak.main);
    SetWindowPos(soak.main, nullptr, before.left, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!waitUntil([&] { return e2e::screenRect(soak.main).top < -300; }))
        return soak.fault("the window did not slide away at the top edge");
    HWND status = childrenOfClass(soak.main, STATUSCLASSNAMEW).at(0);
    PostMessageW(status, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    if (!waitUntil([&] { return e2e::screenRect(soak.main).top >= 0; }))
        soak.fault("the status bar did not bring the window back");
    SetWindowPos(soak.main, nullptr, before.left, std::max<LONG>(before.top, 40), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    soak.count("slide away and back");
}

struct Action {
    int weight;
    void (*run)(Soak&);
};

const Action actions[] = {
    {10, folderChange}, {12, entryClick},   {8, sliderKeys},    {5, sliderDrag},
    {5, autostartBox},  {5, topmostBox},    {16, addDialog},    {6, countdownTask},
    {5, clockTask},     {6, trayRoundTrip}, {3, slideAway},     {10, randomHandEdit},
};

// The report's name of a message box, by its title.
std::string boxLabel(const std::wstring& title) {
    static const std::pair<const wchar_t*, const char*> known[] = {
        {L"未输入", "no name"}, {L"请先选择", "no category"}, {L"无法添加", "separator in name"},
        {L"错误", "task refused"}, {L"保存失败", "not stored"}};
    for (const auto& [caption, label] : known)
        if (title == caption) return label;
    return "other";
}

}  // namespace

void settle(Soak& soak) {
    // Sent messages overtake posted ones: a short pause lets the posted input
    // through first, the answer shows the queue has come round.
    Sleep(150);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(soak.main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    soak.program->waitForIdle(2000);
}

bool answerMessageBoxes(Soak& soak, const std::vector<std::wstring>& expected) {
    bool allExpected = true;
    for (HWND box : e2e::topLevelWindows(soak.program->id(), L"#32770")) {
        if (!visible(box)) continue;
        const std::wstring title = windowText(box);
        if (std::find(expected.begin(), expected.end(), title) == expected.end()) {
            allExpected = false;
            soak.fault("an unexpected message box: " + gbk(title) + ": " +
                       gbk(windowText(GetDlgItem(box, 0xFFFF))));
        }
        soak.count("message box: " + boxLabel(title));
        postClick(GetDlgItem(box, IDOK));
        waitUntil([&] { return !IsWindow(box); });
    }
    return allExpected;
}

void randomAction(Soak& soak) {
    int total = 0;
    for (const Action& a : actions) total += a.weight;
    int chosen = soak.pick(total);
    for (const Action& a : actions) {
        if (chosen < a.weight) return a.run(soak);
        chosen -= a.weight;
    }
}

}  // namespace velarion::soak
