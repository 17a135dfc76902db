#include "platform/win32/EntryKeys.hpp"

#include <algorithm>
#include <vector>

#include "platform/win32/PageContainer.hpp"
#include "platform/win32/PrivateMessages.hpp"

namespace velarion::win32 {
namespace {

bool hasClass(HWND window, const wchar_t* name) {
    wchar_t found[32] = {};
    return window && GetClassNameW(window, found, 32) && lstrcmpiW(found, name) == 0;
}

// An entry button: a push button in the tab order, standing right on a page.
bool isEntryButton(HWND window) {
    if (!hasClass(window, L"Button") || !hasClass(GetParent(window), PageContainer::PageClassName))
        return false;
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR type = style & BS_TYPEMASK;
    return (style & WS_TABSTOP) && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

struct Entry {
    HWND window;
    RECT place;  // in the page
};

// The entry buttons of the page that can be reached now, in position order:
// row by row from the top, left to right.
std::vector<Entry> reachableEntries(HWND page) {
    std::vector<Entry> entries;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!isEntryButton(child) || !IsWindowVisible(child) || !IsWindowEnabled(child)) continue;
        Entry entry{child, {}};
        GetWindowRect(child, &entry.place);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&entry.place), 2);
        entries.push_back(entry);
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.place.top != b.place.top ? a.place.top < b.place.top : a.place.left < b.place.left;
    });
    return entries;
}

// In the row above (`step` -1) or below (+1) the entry `from`: the one in the
// same column, or the last of a shorter row. -1 when there is no such row.
int inNextRow(const std::vector<Entry>& entries, int from, int step) {
    const LONG top = entries[static_cast<std::size_t>(from)].place.top;
    const LONG left = entries[static_cast<std::size_t>(from)].place.left;
    int i = from;
    while (i >= 0 && i < static_cast<int>(entries.size()) && entries[static_cast<std::size_t>(i)].place.top == top)
        i += step;
    if (i < 0 || i >= static_cast<int>(entries.size())) return -1;
    const LONG rowTop = entries[static_cast<std::size_t>(i)].place.top;
    int best = -1;
    for (int j = 0; j < static_cast<int>(entries.size()); ++j) {
        const Entry& e = entries[static_cast<std::size_t>(j)];
        if (e.place.top != rowTop) continue;
        if (best < 0 || e.place.left <= left) best = j;  // the row is sorted by left
    }
    return best;
}

}  // namespace

bool handleEntryKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.hwnd != GetFocus() || !isEntryButton(message.hwnd))
        return false;
    const UINT key = static_cast<UINT>(message.wParam);
    if (key == VK_RETURN) {
        // What Space and a click do: the button's Clicked, which starts the entry.
        SendMessageW(message.hwnd, BM_CLICK, 0, 0);
        return true;
    }
    if (key != VK_LEFT && key != VK_RIGHT && key != VK_UP && key != VK_DOWN) return false;
    const std::vector<Entry> entries = reachableEntries(GetParent(message.hwnd));
    const auto at = std::find_if(entries.begin(), entries.end(),
                                 [&](const Entry& e) { return e.window == message.hwnd; });
    if (at == entries.end()) return false;
    const int from = static_cast<int>(at - entries.begin());
    int to = -1;
    switch (key) {
    case VK_LEFT: to = from - 1; break;
    case VK_RIGHT: to = from + 1; break;
    case VK_UP: to = inNextRow(entries, from, -1); break;
    default: to = inNextRow(entries, from, +1); break;
    }
    // At an edge the focus stays where it is (it never leaves the page by an arrow).
    if (to < 0 || to >= static_cast<int>(entries.size())) return true;
    HWND target = entries[static_cast<std::size_t>(to)].window;
    // As Tab does: the focused push button is the one drawn as the default.
    if ((GetWindowLongPtrW(message.hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        SendMessageW(message.hwnd, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        SendMessageW(target, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
    SetFocus(target);
    return true;
}

void followKeyboardFocus(HWND root, const MSG& message) {
    if (message.message != WM_KEYDOWN) return;
    switch (message.wParam) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        // A keyboard user sees where the focus is, however the window was opened.
        SendMessageW(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        break;
    default:
        break;
    }
    HWND focus = GetFocus();
    HWND page = focus ? GetParent(focus) : nullptr;
    if (hasClass(page, PageContainer::PageClassName) && GetAncestor(page, GA_ROOT) == root)
        SendMessageW(page, message::RevealChild, reinterpret_cast<WPARAM>(focus), 0);
}

}  // namespace velarion::win32
