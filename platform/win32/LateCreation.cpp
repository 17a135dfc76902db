// Late creation. What the first look at a window needs is made with it; the
// controls of pages not shown and the entry buttons out of view wait, because a
// thousand entries made at once would hold up the window's first showing by a
// second. A waiting control is made when something needs its native window, when
// its page comes into view, or from the message queue a few at a time once the
// window shows. However late, a declared control is made together with its
// containers and with what was declared before it in the same place, so tab order
// and stacking stay as declared. The state a control is given before it exists
// is kept by the component and handed to the window it makes.

#include <algorithm>

#include "platform/win32/Controls.hpp"
#include "platform/win32/Win32Window.hpp"
#include "platform/win32/Win32WindowLayer.hpp"

namespace velarion::win32 {
namespace {

constexpr std::size_t kCopiesPerMessage = 16;

// Whether a component lies in the part of its container's page that can be seen:
// from the page's scroll position down one container height.
bool inView(const Component& c, const Component& container, int page) {
    if (c.container() != &container || c.page() != page) return false;
    const int top = container.scrollTop(page);
    const int bottom = top + container.rect().height;
    return c.rect().top < bottom && c.rect().top + c.rect().height > top;
}

// The component itself or the container it sits in that lies on a page of a
// paged container (a 选择夹); nullptr when it is on no page.
const Component* onPage(const Component& c) {
    int current = -1;
    for (const Component* at = &c; at->container(); at = at->container())
        if (at->container()->getNumber(Prop::CurrentPage, current)) return at;
    return nullptr;
}

// Whether the component lies on that page of the container, in view.
bool onShownPart(const Component& c, const Component& container, int page) {
    const Component* placed = onPage(c);
    return placed && inView(*placed, container, page);
}

// Whether the component's page is shown now and the component is in view.
bool shownNow(const Component& c) {
    const Component* placed = onPage(c);
    int shown = -1;
    return placed && placed->container()->getNumber(Prop::CurrentPage, shown) &&
           inView(*placed, *placed->container(), shown);
}

// Whether the component has a native window of its own to make.
bool hasOwnWindow(Kind kind) { return kind != Kind::Menu && kind != Kind::Timer && kind != Kind::FileDialog; }

bool sameParent(const Component& a, const Component& b) {
    return a.container() == b.container() && a.page() == b.page();
}

}  // namespace

Component* Win32Window::makeAndCreate(const ComponentDecl& decl) {
    Unmade made = make(decl);
    // While the window is being made, what lies on a page not shown is made natively
    // later: when something asks for it, when its page is shown, or from the message
    // queue once the window shows.
    if (deferHidden_ && hasOwnWindow(decl.kind) && !shownNow(*made.component) && onPage(*made.component)) {
        made.declared = true;
        unmade_.push_back(made);
        ++declaredUnmade_;
    } else {
        makeNative(made);
    }
    return made.component;
}

Component* Win32Window::makeNow(const std::string& name) {
    Component* component = lookup(name);
    if (component && !unmade_.empty()) makeWaiting(*component);
    return component;
}

Component* Win32Window::makeForProperty(const std::string& name, Prop prop) const {
    Component* component = lookup(name);
    if (!component) layer_.unknownComponent(decl_.name, name);
    if (component && !component->handle() && declaredUnmade_ > 0 && hasOwnWindow(component->kind()) &&
        !component->holdsUnmade(prop))
        const_cast<Win32Window*>(this)->makeWaiting(*component, true);
    return component;
}

// A declared component is made with its containers and with what was declared
// before it in the same place, so that the native windows keep the declared order
// (tab order, stacking) however late they are made. A copy is made alone.
void Win32Window::makeWaiting(Component& target, bool declaredOnly) {
    auto pending = std::find_if(unmade_.begin(), unmade_.end(),
                                [&](const Unmade& p) { return p.component == &target; });
    if (pending == unmade_.end() || (declaredOnly && !pending->declared)) return;
    if (!pending->declared) {
        makeUnmade([&](const Component& c) { return &c == &target; }, 1);
        return;
    }
    std::vector<const Component*> chain{&target};  // the target and its containers
    for (const Component* at = target.container(); at; at = at->container()) chain.push_back(at);
    std::vector<const Component*> waiting = chain;  // those not passed yet in the list
    makeUnmade(
        [&](const Component& c) {
            const bool inChain = std::find(chain.begin(), chain.end(), &c) != chain.end();
            bool before = false;
            for (const Component* node : waiting) before = before || (node != &c && sameParent(c, *node));
            waiting.erase(std::remove(waiting.begin(), waiting.end(), &c), waiting.end());
            return inChain || before;
        },
        unmade_.size());
}

template <typename Pick>
void Win32Window::makeUnmade(Pick pick, std::size_t most) {
    // Taken out first: making a window sends messages, and whatever they lead to
    // finds a consistent list (anything added meanwhile goes after what stays).
    std::vector<Unmade> list = std::move(unmade_);
    unmade_.clear();
    std::vector<Unmade> kept;
    std::size_t made = 0;
    for (const Unmade& pending : list) {
        if (made < most && pick(*pending.component)) {
            if (pending.declared) --declaredUnmade_;
            makeNative(pending);
            pending.component->layout(dpi_);
            ++made;
        } else {
            kept.push_back(pending);
        }
    }
    kept.insert(kept.end(), unmade_.begin(), unmade_.end());
    unmade_ = std::move(kept);
}

void Win32Window::makeUnmadeShown(const Component& container, int page) {
    if (unmade_.empty()) return;
    makeUnmade([&](const Component& c) { return onShownPart(c, container, page); },
                   unmade_.size());
}

LRESULT Win32Window::onMakeUnmade(UINT, WPARAM, LPARAM) {
    makePosted_ = false;
    makeUnmade(shownNow, unmade_.size());
    makeUnmade([](const Component&) { return true; }, kCopiesPerMessage);
    scheduleUnmade();
    return 0;
}

void Win32Window::makeWhatShows() {
    makeUnmade(shownNow, unmade_.size());
    scheduleUnmade();
}

void Win32Window::scheduleUnmade() {
    if (!unmade_.empty() && !makePosted_ && PostMessageW(handle(), MakeUnmadeMessage, 0, 0))
        makePosted_ = true;
}

std::string Win32Window::copyComponent(const std::string& original) {
    Component* source = lookup(original);
    if (!source) layer_.unknownComponent(decl_.name, original);
    if (!source || source->kind() == Kind::Menu) return {};
    ComponentDecl decl = source->decl();
    // Copies of a copy are numbered with the declared component's copies.
    const std::string root = original.substr(0, original.find('#'));
    int& count = copies_[root];
    do {
        decl.name = root + "#" + std::to_string(++count);
    } while (lookup(decl.name));
    const Unmade copy = make(std::move(decl));
    // A copy on a page is made natively later, in the state the caller gives it
    // next: when the window is shown or from the message queue if it is in view,
    // else from the queue a few at a time, or when its page comes into view or
    // makeNow() hands it out. Made at once, a thousand entries would hold up the
    // window's first showing by a second.
    const Component* container = copy.component->container();
    int page = -1;
    const bool paged = container && container->getNumber(Prop::CurrentPage, page);
    unmade_.push_back(copy);
    if (!paged || !handle()) {
        makeUnmade([&](const Component& c) { return &c == copy.component; }, 1);
    } else {
        scheduleUnmade();
    }
    return copy.component->name();
}

}  // namespace velarion::win32
