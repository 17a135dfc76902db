// 卷帘式菜单 to a screen reader. The bar is a page tab list and each folder a page
// tab (children 1 to 5, simple elements), named by its caption. The open folder
// is selected, and focused while the bar has the focus; its default action opens
// the folder as a click does. The bar itself is named by the open folder, so a
// reader that lands on it hears which page is shown.

#include "platform/win32/accessibility/FolderBarAccessible.hpp"

#include "platform/win32/Encoding.hpp"
#include "platform/win32/FolderBar.hpp"

namespace velarion::win32 {
namespace {

// The action a folder offers ("Switch" on a system with an English interface).
constexpr char kSwitch[] = "切换";

class FolderBarAccessible final : public Accessible {
public:
    FolderBarAccessible(HWND window, std::weak_ptr<FolderBar> bar)
        : Accessible(window), bar_(std::move(bar)) {}

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        auto bar = live();
        if (!bar) return CO_E_OBJNOTCONNECTED;
        *count = bar->folderCount();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        auto bar = live();
        if (!bar) return CO_E_OBJNOTCONNECTED;
        return folderOf(*bar, child) >= 0 ? S_FALSE : E_INVALIDARG;  // simple elements
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        auto bar = live();
        if (!bar) return CO_E_OBJNOTCONNECTED;
        const int folder = isSelf(child) ? bar->openFolder() : folderOf(*bar, child);
        if (folder < 0) return E_INVALIDARG;
        return giveText(bar->caption(folder), name);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        auto bar = live();
        if (!bar) return CO_E_OBJNOTCONNECTED;
        if (isSelf(child)) giveNumber(ROLE_SYSTEM_PAGETABLIST, role);
        else if (folderOf(*bar, child) >= 0) giveNumber(ROLE_SYSTEM_PAGETAB, role);
        else return E_INVALIDARG;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (isSelf(child)) return Accessible::get_accState(child, state);
        if (!state) return E_POINTER;
        auto bar = live();
        if (!bar) return CO_E_OBJNOTCONNECTED;
        const int folder = folderOf(*bar, child);
        if (folder < 0) return E_INVALIDARG;
        LONG value = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
        if (!IsWindowVisible(window())) value |= STATE_SYSTEM_INVISIBLE;
        if (!IsWindowEnabled(window())) value |= STATE_SYSTEM_UNAVAILABLE;
        if (folder == bar->openFolder()) {
            value |= STATE_SYSTEM_SELECTED;
            if (GetFocus() == window()) value |= STATE_SYSTEM_FOCUSED;
        }
        giveNumber(value, state);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        if (!child) return E_POINTER;
        auto bar = live();
        if (!bar) return CO_E_OBJNOTCONNECTED;
        if (GetFocus() != window()) {
            child->vt = VT_EMPTY;
            return S_FALSE;
        }
        giveNumber(bar->openFolder() + 1, child);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        if (!children) return E_POINTER;
        auto bar = live();
        if (!bar) return CO_E_OBJNOTCONNECTED;
        giveNumber(bar->openFolder() + 1, children);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (isSelf(child)) return Accessible::get_accDefaultAction(child, action);
        auto bar = live();
        if (!bar) return CO_E_OBJNOTCONNECTED;
        if (folderOf(*bar, child) < 0) return E_INVALIDARG;
        return giveText(toWide(kSwitch), action);
    }

    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (isSelf(child)) return Accessible::accDoDefaultAction(child);
        auto bar = live();
        if (!bar) return CO_E_OBJNOTCONNECTED;
        const int folder = folderOf(*bar, child);
        if (folder < 0) return E_INVALIDARG;
        if (!IsWindowEnabled(window())) return E_FAIL;
        bar->openAsClicked(folder);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        if (isSelf(child)) return Accessible::accSelect(flags, child);
        auto bar = live();
        if (!bar) return CO_E_OBJNOTCONNECTED;
        const int folder = folderOf(*bar, child);
        if (folder < 0) return E_INVALIDARG;
        // One folder is always open: it can be chosen, never taken away.
        if (flags & (SELFLAG_REMOVESELECTION | SELFLAG_EXTENDSELECTION)) return E_INVALIDARG;
        if (flags & SELFLAG_TAKEFOCUS) SetFocus(window());
        if (flags & (SELFLAG_TAKESELECTION | SELFLAG_ADDSELECTION)) bar->openAsClicked(folder);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (isSelf(child)) return Accessible::accLocation(left, top, width, height, child);
        if (!left || !top || !width || !height) return E_POINTER;
        auto bar = live();
        if (!bar) return CO_E_OBJNOTCONNECTED;
        const int folder = folderOf(*bar, child);
        if (folder < 0) return E_INVALIDARG;
        const RECT header = bar->headerOnScreen(folder);
        *left = header.left;
        *top = header.top;
        *width = header.right - header.left;
        *height = header.bottom - header.top;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        auto bar = live();
        if (!bar) return CO_E_OBJNOTCONNECTED;
        const int count = bar->folderCount();
        int to = -1;  // 0-based folder, -1: none
        if (isSelf(start)) {
            if (direction == NAVDIR_FIRSTCHILD) to = 0;
            else if (direction == NAVDIR_LASTCHILD) to = count - 1;
            else return Accessible::accNavigate(direction, start, end);  // among windows
        } else {
            const int folder = folderOf(*bar, start);
            if (folder < 0) return E_INVALIDARG;
            if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) to = folder + 1;
            else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) to = folder - 1;
        }
        if (to < 0 || to >= count) {
            end->vt = VT_EMPTY;
            return S_FALSE;
        }
        giveNumber(to + 1, end);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        if (!child) return E_POINTER;
        auto bar = live();
        if (!bar) return CO_E_OBJNOTCONNECTED;
        const POINT at{x, y};
        for (int folder = 0; folder < bar->folderCount(); ++folder) {
            const RECT header = bar->headerOnScreen(folder);
            if (PtInRect(&header, at)) {
                giveNumber(folder + 1, child);
                return S_OK;
            }
        }
        return Accessible::accHitTest(x, y, child);
    }

private:
    // The bar while it has its window; nullptr once a reader holds on longer.
    std::shared_ptr<FolderBar> live() const {
        auto bar = bar_.lock();
        return bar && bar->handle() ? bar : nullptr;
    }

    // The folder (from 0) a child id names; -1 for any other.
    static int folderOf(const FolderBar& bar, const VARIANT& child) {
        if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > bar.folderCount()) return -1;
        return child.lVal - 1;
    }

    std::weak_ptr<FolderBar> bar_;
};

}  // namespace

Accessible* folderBarAccessible(HWND window, std::weak_ptr<FolderBar> bar) {
    return new FolderBarAccessible(window, std::move(bar));
}

void announceOpenFolder(HWND bar, int open) {
    NotifyWinEvent(EVENT_OBJECT_SELECTION, bar, OBJID_CLIENT, open + 1);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, bar, OBJID_CLIENT, CHILDID_SELF);
    if (GetFocus() == bar) announceFocusedFolder(bar, open);
}

void announceFocusedFolder(HWND bar, int open) {
    NotifyWinEvent(EVENT_OBJECT_FOCUS, bar, OBJID_CLIENT, open + 1);
}

}  // namespace velarion::win32
