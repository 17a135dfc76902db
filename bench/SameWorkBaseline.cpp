// The second floor for "start to visible window": the same visible work as the
// program's first look, done by hand with plain Win32 calls and nothing of ours
// (no declarations, no kjfs.ini): the same manifest (Common Controls 6, per-
// monitor DPI), a 343 x 314 window with the program's icon and its menu bar,
// the folder bar's five headers, the framed page with the empty label's 48-pixel
// bold text, and the status bar with its two parts. What the program spends beyond this is ours.
// Built with ENTRY_BUTTONS=n (bench_samework_buttons), the page holds instead what
// a long first category shows: a page with a vertical scroll bar and its first n
// entry buttons (push buttons of 50 x 50 with the catalog's names, in rows of four).

#include <windows.h>

#include <commctrl.h>

#include "platform/win32/StartMarks.hpp"

namespace {

constexpr wchar_t kClass[] = L"VelarionSameWork";
constexpr wchar_t kFolderClass[] = L"VelarionSameWorkFolders";
constexpr wchar_t kLabelClass[] = L"VelarionSameWorkLabel";
constexpr const wchar_t* kFolders[] = {L"聊天通讯", L"音乐影视", L"游戏娱乐", L"其它应用", L"系统设置"};
constexpr int kRowTops[] = {8, 66, 122, 180, 238};  // the program's first five rows
// The names of the benchmark catalog's first 20 chat entries, so that the same
// characters are drawn.
constexpr const wchar_t* kCaptions[] = {
    L"微信", L"QQ", L"钉钉", L"企业微信", L"飞书", L"腾讯会议", L"阿里旺旺", L"YY语音", L"新浪微博", L"腾讯TIM",
    L"千牛工作台", L"网易邮箱大师", L"Foxmail", L"易信", L"Skype", L"陌陌", L"随心聊", L"同事通讯录", L"语音聊天室", L"家庭群聊"};
#ifndef ENTRY_BUTTONS
#define ENTRY_BUTTONS 0
#endif

int scaled(int value, int dpi) { return MulDiv(value, dpi, 96); }

HFONT font(const wchar_t* face, int pixels, bool bold, int dpi) {
    return CreateFontW(-scaled(pixels, dpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH, face);
}

// The folder bar: the open folder's header at the top, the other four at the bottom.
LRESULT CALLBACK folderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH back = CreateSolidBrush(RGB(236, 236, 236));
    FillRect(dc, &client, back);
    DeleteObject(back);
    const int dpi = GetDpiForWindow(window);
    HFONT face = font(L"SimSun", 12, false, dpi);
    HGDIOBJ old = SelectObject(dc, face);
    SetBkMode(dc, TRANSPARENT);
    const int header = scaled(22, dpi);
    for (int i = 0; i < 5; ++i) {
        const int top = i == 0 ? 0 : client.bottom - (5 - i) * header;
        RECT r{0, top, client.right, top + header};
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
        DrawTextW(dc, kFolders[i], -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    SelectObject(dc, old);
    DeleteObject(face);
    EndPaint(window, &paint);
    return 0;
}

// The empty page's label: a shaded frame and "暂无应用" in a 48-pixel bold face.
LRESULT CALLBACK labelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT r;
    GetClientRect(window, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    HBRUSH frame = CreateSolidBrush(RGB(128, 128, 128));
    for (int ring = 0; ring < scaled(8, GetDpiForWindow(window)); ++ring) {
        FrameRect(dc, &r, frame);
        InflateRect(&r, -1, -1);
    }
    DeleteObject(frame);
    HFONT face = font(L"方正姚体", 48, true, GetDpiForWindow(window));
    HGDIOBJ old = SelectObject(dc, face);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 136, 255));
    DrawTextW(dc, L"暂无应用", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(face);
    EndPaint(window, &paint);
    return 0;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The program's icon at the system's size for `metric`, as the program loads it.
HICON programIcon(HINSTANCE instance, int metricX, int metricY) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(metricX),
                                         GetSystemMetrics(metricY), LR_SHARED));
}

bool registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, bool icons = false) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = instance;
    if (icons) {
        windowClass.hIcon = programIcon(instance, SM_CXICON, SM_CYICON);
        windowClass.hIconSm = programIcon(instance, SM_CXSMICON, SM_CYSMICON);
    }
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass) != 0;
}

HMENU menuBar() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 1, L"添加");
    HMENU about = CreatePopupMenu();
    AppendMenuW(about, MF_STRING, 2, L"关于作者");
    AppendMenuW(about, MF_STRING, 3, L"帮助");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"文件");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(about), L"关于");
    return bar;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    namespace marks = velarion::win32::startmarks;
    marks::mark("entered");
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    marks::mark("layer");
    if (!registerClass(instance, kClass, windowProc, true) || !registerClass(instance, kFolderClass, folderProc) ||
        !registerClass(instance, kLabelClass, labelProc))
        return 1;
    marks::mark("class");

    HWND window = CreateWindowExW(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, kClass, L"Velarion - 系统辅助 - 工程测试版",
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 343, 314, nullptr, menuBar(), instance, nullptr);
    if (!window) return 1;
    marks::mark("window");
    const int dpi = GetDpiForWindow(window);
    const auto at = [&](int v) { return scaled(v, dpi); };
    SetWindowPos(window, nullptr, 0, 0, at(343), at(314), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CreateWindowExW(0, kFolderClass, L"", WS_CHILD | WS_VISIBLE, at(2), at(2), at(88), at(240), window, nullptr,
                    instance, nullptr);
    HWND frame = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, at(93), at(2), at(240),
                                 at(240), window, nullptr, instance, nullptr);
    if (ENTRY_BUTTONS == 0) {
        CreateWindowExW(0, kLabelClass, L"", WS_CHILD | WS_VISIBLE, at(7), at(77), at(224), at(80), frame,
                        nullptr, instance, nullptr);
    } else {
        RECT inside;
        GetClientRect(frame, &inside);
        HWND page = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, inside.right,
                                    inside.bottom, frame, nullptr, instance, nullptr);
        SCROLLINFO scroll{sizeof scroll, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 3700, static_cast<UINT>(inside.bottom), 0, 0};
        SetScrollInfo(page, SB_VERT, &scroll, FALSE);
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
        HFONT face = CreateFontIndirectW(&metrics.lfMessageFont);
        for (int i = 0; i < ENTRY_BUTTONS; ++i) {
            const wchar_t* caption = kCaptions[i % 20];
            HWND button = CreateWindowExW(0, L"BUTTON", caption,
                                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER |
                                              BS_VCENTER | BS_MULTILINE,
                                          at(8 + 58 * (i % 4)), at(kRowTops[i / 4 % 5]), at(50), at(50), page,
                                          nullptr, instance, nullptr);
            SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(face), FALSE);
        }
    }
    HWND status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window, nullptr,
                                  instance, nullptr);
    int parts[] = {at(200), -1};
    SendMessageW(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"欢迎使用Velarion！"));
    SendMessageW(status, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"暂无定时关机任务"));
    marks::mark("controls");

    ShowWindow(window, SW_SHOW);
    marks::mark("shown");
    UpdateWindow(window);
    marks::mark("painted");
    marks::writeIfAsked();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
