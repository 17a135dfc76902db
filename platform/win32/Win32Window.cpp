#include "platform/win32/Win32Window.hpp"

#include <climits>

#include "assets/resource.h"
#include "platform/win32/Controls.hpp"
#include "platform/win32/Dpi.hpp"
#include "platform/win32/Encoding.hpp"
#include "platform/win32/PrivateMessages.hpp"
#include "platform/win32/StartMarks.hpp"
#include "platform/win32/Win32WindowLayer.hpp"

namespace velarion::win32 {

Win32Window::Win32Window(Win32WindowLayer& layer, const WindowDecl& decl,
                         const Behaviours& behaviours)
    : layer_(layer), decl_(decl), behaviours_(behaviours) {}

Win32Window::~Win32Window() {
    ready_ = false;
    destroyNative();  // destroys every child window too
}

// ---------------------------------------------------------------- making

namespace {

// The program's icon at the system's size for `metric`; one copy kept by the system.
HICON programIcon(int metricX, int metricY) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VELARION),
                                         IMAGE_ICON, GetSystemMetrics(metricX),
                                         GetSystemMetrics(metricY), LR_SHARED));
}

}  // namespace

bool Win32Window::create(HWND owner) {
    // The class carries the icons, so a window shows them from its creation on;
    // setting them on the window afterwards costs the X11 driver two more
    // conversions of the icons (5 ms of a start).
    registerClass(WindowClassName, GetSysColorBrush(COLOR_BTNFACE), 0,
                  programIcon(SM_CXICON, SM_CYICON), programIcon(SM_CXSMICON, SM_CYSMICON));
    startmarks::mark("class");
    DWORD style = WS_CLIPCHILDREN | WS_CAPTION;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (decl_.toolWindow) {
        style |= WS_POPUP;
        exStyle |= WS_EX_TOOLWINDOW;
    } else {
        style |= WS_OVERLAPPED;
        exStyle |= WS_EX_APPWINDOW;
    }
    if (decl_.controlBox) style |= WS_SYSMENU;
    if (decl_.minimizeBox) style |= WS_MINIMIZEBOX;
    if (decl_.maximizeBox) style |= WS_MAXIMIZEBOX;
    if (decl_.resizable) style |= WS_THICKFRAME;
    if (decl_.alwaysOnTop) exStyle |= WS_EX_TOPMOST;

    // Made in its place at the DPI it most likely gets: moving it afterwards would
    // cost a configure request to the X11 driver and a round of position messages.
    const RECT declared{decl_.rect.left, decl_.rect.top, decl_.rect.left + decl_.rect.width,
                        decl_.rect.top + decl_.rect.height};
    const int likelyDpi = systemDpi();
    const RECT at = screenPlace(likelyDpi, MonitorFromRect(&declared, MONITOR_DEFAULTTOPRIMARY));
    UniqueMenu menu(buildMenu());
    if (!createNative(exStyle, WindowClassName, toWide(decl_.title), style, at.left, at.top,
                      at.right - at.left, at.bottom - at.top, owner, menu.get()))
        return false;
    menu.release();  // the window owns its menu bar now
    startmarks::mark("window");
    tray_.attach(handle());
    dpi_ = dpiOfWindow(handle());
    if (dpi_ != likelyDpi) {  // its place and the class's icons were for the system's DPI
        placeWindow();
        loadIcons();
    }

    // Each control is made in its place, at this DPI and with its font: nothing
    // is left for a layout pass to do.
    for (const auto& c : decl_.components)
        if (c.kind != Kind::Menu) ensureCreated(c, 0);
    startmarks::mark("declared");
    return true;
}

HMENU Win32Window::buildMenu() {
    HMENU bar = nullptr;
    HMENU dropDown = nullptr;
    UniqueMenu refused;  // a drop-down the bar did not take: destroyed with its items
    for (std::size_t i = 0; i < decl_.components.size(); ++i) {
        const ComponentDecl& c = decl_.components[i];
        if (c.kind != Kind::Menu) continue;
        if (!bar) bar = CreateMenu();
        Component* item = addDeclared(c);
        const std::wstring caption = toWide(c.text);
        const UINT_PTR id = static_cast<UINT_PTR>(item->id());
        if (c.menuLevel == 0) {
            const bool hasItems = i + 1 < decl_.components.size() &&
                                  decl_.components[i + 1].kind == Kind::Menu &&
                                  decl_.components[i + 1].menuLevel > 0;
            if (hasItems) {
                UniqueMenu popup(CreatePopupMenu());
                dropDown = popup.get();
                if (popup && AppendMenuW(bar, MF_STRING | MF_POPUP,
                                         reinterpret_cast<UINT_PTR>(popup.get()), caption.c_str()))
                    popup.release();  // the bar owns it now
                refused = std::move(popup);
            } else {
                dropDown = nullptr;
                AppendMenuW(bar, MF_STRING, id, caption.c_str());
            }
        } else {
            AppendMenuW(dropDown ? dropDown : bar, MF_STRING, id, caption.c_str());
        }
    }
    return bar;
}

// The component object with its name and identifier, not yet made natively.
Win32Window::Unmade Win32Window::make(const ComponentDecl& decl, int copy) {
    Component* container = decl.container.empty() ? nullptr : lookup(decl.container);
    auto component = makeComponent(*this, decl, copy, container);
    Component* raw = component.get();
    // Identifiers follow the order of making: a component's is its place in components_.
    const int id = FirstId + static_cast<int>(components_.size());
    components_.push_back(std::move(component));
    return {raw, id};
}

// Makes the component's native window in the state its properties hold now.
void Win32Window::makeNative(const Unmade& made) {
    Component& component = *made.component;
    HWND parent = component.container() ? component.container()->childParent(component.page()) : nullptr;
    if (!parent) parent = handle();
    component.useDpi(dpi_);
    component.create(parent, made.id);
    if (HWND own = component.handle()) byHandle_[own] = &component;
}

Component* Win32Window::ensureCreated(const ComponentDecl& decl, int depth) {
    if (Component* made = lookup(decl.name)) return made;
    // Containers first, whatever the order of the declaration.
    if (!decl.container.empty() && depth < 16)
        if (const ComponentDecl* container = decl_.find(decl.container))
            ensureCreated(*container, depth + 1);
    return addDeclared(decl);
}

RECT Win32Window::screenPlace(int dpi, HMONITOR monitor) const {
    const int width = scaleForDpi(decl_.rect.width, dpi);
    const int height = scaleForDpi(decl_.rect.height, dpi);
    int x = decl_.rect.left;
    int y = decl_.rect.top;
    if (decl_.centred) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(monitor, &info);
        const RECT& area = info.rcWork;
        x = area.left + (area.right - area.left - width) / 2;
        y = area.top + (area.bottom - area.top - height) / 2;
    }
    return {x, y, x + width, y + height};
}

void Win32Window::placeWindow() {
    const RECT at = screenPlace(dpi_, MonitorFromWindow(handle(), MONITOR_DEFAULTTOPRIMARY));
    SetWindowPos(handle(), nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::layoutAll() {
    for (auto& component : components_) component->layout(dpi_);
}

void Win32Window::loadIcons() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto load = [&](int metricX, int metricY) {
        return UniqueIcon(static_cast<HICON>(LoadImageW(
            instance, MAKEINTRESOURCEW(IDI_VELARION), IMAGE_ICON,
            systemMetricForDpi(metricX, dpi_), systemMetricForDpi(metricY, dpi_), 0)));
    };
    // The window lets go of the old icons before they are destroyed.
    UniqueIcon big = load(SM_CXICON, SM_CYICON);
    UniqueIcon small = load(SM_CXSMICON, SM_CYSMICON);
    if (big) SendMessageW(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    if (small) SendMessageW(handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    if (big) bigIcon_ = std::move(big);
    if (small) smallIcon_ = std::move(small);
}

void Win32Window::raiseCreated() {
    RECT r{};
    GetWindowRect(handle(), &r);
    lastPlace_ = {r.left, r.top};
    ready_ = true;
    raiseWindow(Event::Created);
}

void Win32Window::show() {
    if (!handle() || closing_) return;
    makeWhatShows();
    startmarks::mark("controls");
    ShowWindow(handle(), SW_SHOW);
    startmarks::mark("shown");
    UpdateWindow(handle());
    startmarks::mark("painted");
    if (HWND first = GetNextDlgTabItem(handle(), nullptr, FALSE)) SetFocus(first);
}

// ---------------------------------------------------------------- events

bool Win32Window::dispatch(const std::vector<Binding>& bindings, const std::string& source,
                           Event event, const EventArgs& args, bool fallback) {
    if (!ready_) return fallback;
    for (const Binding& binding : bindings) {
        if (binding.event != event) continue;
        auto it = behaviours_.find(binding.behaviour);
        if (it == behaviours_.end() || !it->second) return fallback;
        EventContext context{*this, source, args};
        return it->second(context);
    }
    return fallback;
}

bool Win32Window::raise(const Component& source, Event event, const EventArgs& args,
                        bool fallback) {
    return dispatch(source.decl().bindings, source.name(), event, args, fallback);
}

bool Win32Window::raiseWindow(Event event, const EventArgs& args, bool fallback) {
    return dispatch(decl_.bindings, "", event, args, fallback);
}

LRESULT Win32Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    using Handler = LRESULT (Win32Window::*)(UINT, WPARAM, LPARAM);
    struct Route {
        UINT message;
        Handler handler;
    };
    // Which message becomes which event (or which piece of the window's upkeep).
    static const Route routes[] = {
        {WM_CLOSE, &Win32Window::onClose},                // CloseRequested
        {WM_QUERYENDSESSION, &Win32Window::onQueryEndSession},
        {WM_MOVE, &Win32Window::onMove},                  // PositionChanged
        {WM_COMMAND, &Win32Window::onCommand},            // Chosen, Clicked
        {WM_HSCROLL, &Win32Window::onScroll},             // SliderMoved
        {WM_VSCROLL, &Win32Window::onScroll},
        {WM_TIMER, &Win32Window::onTimer},                // Tick
        {TrayCallbackMessage, &Win32Window::onTrayCallback},  // TrayIcon
        {WM_CTLCOLORSTATIC, &Win32Window::onColour},
        {WM_CTLCOLOREDIT, &Win32Window::onColour},
        {WM_CTLCOLORBTN, &Win32Window::onColour},
        {WM_CTLCOLORLISTBOX, &Win32Window::onColour},
        {WM_DPICHANGED, &Win32Window::onDpiChanged},
        {WM_ACTIVATE, &Win32Window::onActivate},
        {WM_DESTROY, &Win32Window::onDestroy},
        {message::DeferredClose, &Win32Window::onDeferredClose},
        {message::PostedWork, &Win32Window::onPostedWork},
        {message::MakeWaiting, &Win32Window::onMakeWaiting},
    };
    for (const Route& route : routes)
        if (route.message == message) return (this->*route.handler)(message, wParam, lParam);
    if (message == Tray::taskbarCreatedMessage() && message != 0) {
        tray_.restore();
        return 0;
    }
    return defaultProc(message, wParam, lParam);
}

LRESULT Win32Window::onClose(UINT message, WPARAM, LPARAM) {
    // The close box, the system menu's Close and Alt+F4 all arrive here.
    if (raiseWindow(Event::CloseRequested, {}, true)) close();
    return 0;
}

LRESULT Win32Window::onQueryEndSession(UINT message, WPARAM, LPARAM) {
    // Windows asks whether it may log off or shut down: never stand in its way.
    // Hiding to the notification area is for the user's own close request.
    return TRUE;
}

LRESULT Win32Window::onMove(UINT message, WPARAM wParam, LPARAM lParam) {
    // Only a real change of place is an event (showing the window first also sends WM_MOVE).
    RECT r{};
    GetWindowRect(handle(), &r);
    const POINT now{r.left, r.top};
    const bool moved = now.x != lastPlace_.x || now.y != lastPlace_.y;
    lastPlace_ = now;
    if (moved) raiseWindow(Event::PositionChanged);
    return defaultProc(message, wParam, lParam);
}

LRESULT Win32Window::onCommand(UINT message, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (lParam == 0 && (id == IDCANCEL || id == IDOK)) {
        // From the dialog keys: Esc closes only a window declared so; Enter does nothing.
        if (id == IDCANCEL && decl_.escCloses) onClose(WM_CLOSE, 0, 0);
        return 0;
    }
    // A control is known by its window: the message carries only 16 bits of its
    // identifier, and a long catalog has more components than that. Menu items
    // (no window) are the first components made, with small identifiers.
    Component* source = nullptr;
    if (lParam != 0) {
        auto it = byHandle_.find(reinterpret_cast<HWND>(lParam));
        if (it != byHandle_.end()) source = it->second;
    } else {
        source = byId(id);
    }
    if (!source) return defaultProc(message, wParam, lParam);
    if (lParam == 0 && source->kind() == Kind::Menu) {
        raise(*source, Event::Chosen);
        return 0;
    }
    source->onCommand(code);
    return 0;
}

LRESULT Win32Window::onScroll(UINT message, WPARAM wParam, LPARAM lParam) {
    auto it = byHandle_.find(reinterpret_cast<HWND>(lParam));
    if (lParam != 0 && it != byHandle_.end()) {
        it->second->onScroll(LOWORD(wParam));
        return 0;
    }
    return defaultProc(message, wParam, lParam);
}

LRESULT Win32Window::onTimer(UINT message, WPARAM wParam, LPARAM) {
    if (Component* timer = wParam <= INT_MAX ? byId(static_cast<int>(wParam)) : nullptr) timer->onTimer();
    return 0;
}

LRESULT Win32Window::onColour(UINT message, WPARAM wParam, LPARAM lParam) {
    auto it = byHandle_.find(reinterpret_cast<HWND>(lParam));
    if (it != byHandle_.end())
        if (HBRUSH brush = it->second->onColour(reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
    // The system's colours for a control that declares none.
    return defaultProc(message, wParam, lParam);
}

LRESULT Win32Window::onTrayCallback(UINT message, WPARAM, LPARAM lParam) {
    EventArgs args;
    args.code = Tray::eventCode(lParam);
    if (args.code != 0) raiseWindow(Event::TrayIcon, args);
    return 0;
}

LRESULT Win32Window::onDpiChanged(UINT message, WPARAM wParam, LPARAM lParam) {
    dpi_ = HIWORD(wParam);
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(handle(), nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    loadIcons();
    layoutAll();
    InvalidateRect(handle(), nullptr, TRUE);
    return 0;
}

LRESULT Win32Window::onActivate(UINT message, WPARAM wParam, LPARAM lParam) {
    // The keyboard focus comes back to the control that had it, as in a dialog.
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(handle(), focus)) lastFocus_ = focus;
        return defaultProc(message, wParam, lParam);
    }
    if (lastFocus_ && IsWindow(lastFocus_) && IsChild(handle(), lastFocus_) &&
        IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
    }
    return defaultProc(message, wParam, lParam);
}

LRESULT Win32Window::onDestroy(UINT message, WPARAM, LPARAM) {
    closing_ = true;
    ready_ = false;
    tray_.remove();
    postedWork_.clear();  // its messages went with the window
    layer_.windowDestroyed(*this);
    return 0;
}

LRESULT Win32Window::onDeferredClose(UINT message, WPARAM, LPARAM) {
    destroyNative();
    return 0;
}

void Win32Window::postWork(std::function<void()> work) {
    if (closing_ || !handle() || !work) return;
    postedWork_.push_back(std::move(work));
    if (PostMessageW(handle(), message::PostedWork, 0, 0)) return;
    // A full queue: the piece runs now rather than with the message of a later one.
    auto now = std::move(postedWork_.back());
    postedWork_.pop_back();
    now();
}

LRESULT Win32Window::onPostedWork(UINT message, WPARAM, LPARAM) {
    if (postedWork_.empty()) return 0;
    auto work = std::move(postedWork_.front());
    postedWork_.pop_front();  // first: the work may post more
    if (!closing_) work();
    return 0;
}

void Win32Window::close() {
    if (closing_) return;
    closing_ = true;
    // Never destroyed under a running handler: a modal window's loop ends and
    // then destroys it; any other window is destroyed from the message queue.
    if (decl_.modal || !handle()) {
        // Its loop ends when the handler that runs it returns, which a wait inside
        // another handler (the shutdown warning) may hold for seconds: until then
        // the window is already gone for the user and the owner takes input again.
        if (disabledOwner_) EnableWindow(disabledOwner_, TRUE);
        if (handle()) ShowWindow(handle(), SW_HIDE);
        if (handle()) PostMessageW(handle(), WM_NULL, 0, 0);
    } else {
        PostMessageW(handle(), message::DeferredClose, 0, 0);
    }
}

void Win32Window::selectRadio(Component& radio) {
    for (auto& other : components_) {
        if (other->kind() != Kind::Radio || other->container() != radio.container() ||
            other->page() != radio.page())
            continue;
        if (auto* button = dynamic_cast<Button*>(other.get())) button->setCheck(button == &radio);
    }
}

void Win32Window::relayoutChildren(const Component& container, int page) {
    makeShownPart(container, page);
    for (auto& component : components_)
        if (component->container() == &container && component->page() == page)
            component->layout(dpi_);
}

}  // namespace velarion::win32
