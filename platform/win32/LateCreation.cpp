// Late creation. What the first look at a window needs is made with it; the
// controls of pages not shown and the entry buttons out of view wait, because a
// thousand entries made at once would hold up the window's first showing by a
// second. The rule:
// - the declared controls of one page are made together, in declared order, when
//   that page shows or when one of them is needed (makeNow), so tab order and
//   stacking stay as declared however late they are made;
// - copies (the entry buttons) are made when they come into view, when one is
//   needed, and otherwise a few at a time from the message queue;
// - nothing else makes a control: until its native window exists, the component
//   keeps every property it is given and answers from there.

#include <algorithm>

#include "platform/win32/Controls.hpp"
#include "platform/win32/Win32Window.hpp"
#include "platform/win32/Win32WindowLayer.hpp"

namespace velarion::win32 {
namespace {

constexpr std::size_t kPerMessage = 16;

// One page of a paged container (a 选择夹).
struct PageOf {
    const Component* container = nullptr;  // nullptr: on no page
    int page = -1;
    const Component* placed = nullptr;  // what lies on the page: the component or a container of it
    bool operator==(const PageOf& other) const {
        return container == other.container && page == other.page;
    }
};

PageOf pageOf(const Component& c) {
    int shown = -1;
    for (const Component* at = &c; at->container(); at = at->container())
        if (at->container()->getNumber(Prop::CurrentPage, shown)) return {at->container(), at->page(), at};
    return {};
}

bool pageShown(const PageOf& where) {
    int shown = -1;
    return where.container && where.container->getNumber(Prop::CurrentPage, shown) && shown == where.page;
}

// Whether what lies on the page is in the part of it that can be seen: from the
// page's scroll position down one container height.
bool inView(const PageOf& where) {
    const int top = where.container->scrollTop(where.page);
    const int bottom = top + where.container->rect().height;
    const Rect& r = where.placed->rect();
    return r.top < bottom && r.top + r.height > top;
}

bool shownNow(const Component& c) {
    const PageOf where = pageOf(c);
    return pageShown(where) && inView(where);
}

// Controls with a native window of their own that is not part of the window's
// frame (a paged container's pages are its structure, made with it).
bool madeLate(Kind kind) {
    return kind != Kind::Menu && kind != Kind::Timer && kind != Kind::FileDialog && kind != Kind::Tabs;
}

}  // namespace

Component* Win32Window::addDeclared(const ComponentDecl& decl) {
    const Unmade made = make(decl);
    const PageOf where = pageOf(*made.component);
    if (madeLate(decl.kind) && where.container && !pageShown(where))
        waitingDeclared_.push_back(made);
    else
        makeNative(made);
    return made.component;
}

Component* Win32Window::makeNow(const std::string& name) {
    Component* target = lookup(name);
    if (!target || target->handle()) return target;
    const auto waits = [&](const Unmade& u) { return u.component == target; };
    if (std::any_of(waitingDeclared_.begin(), waitingDeclared_.end(), waits)) {
        const PageOf where = pageOf(*target);
        makeWaiting(waitingDeclared_, [&](const Component& c) { return pageOf(c) == where; });
    } else {
        makeWaiting(waitingCopies_, [&](const Component& c) { return &c == target; }, 1);
    }
    return target;
}

void Win32Window::makeShownPart(const Component& container, int page) {
    const PageOf shown{&container, page};
    makeWaiting(waitingDeclared_, [&](const Component& c) { return pageOf(c) == shown; });
    makeWaiting(waitingCopies_, [&](const Component& c) {
        const PageOf where = pageOf(c);
        return where == shown && inView(where);
    });
}

template <typename Pick>
void Win32Window::makeWaiting(std::vector<Unmade>& waiting, Pick pick, std::size_t most) {
    // Taken out first: making a window sends messages, and whatever they lead to
    // finds a consistent list (anything added meanwhile goes after what stays).
    std::vector<Unmade> list = std::move(waiting);
    waiting.clear();
    std::vector<Unmade> kept;
    std::size_t made = 0;
    for (const Unmade& pending : list) {
        if (made < most && pick(*pending.component)) {
            makeNative(pending);
            pending.component->layout(dpi_);
            ++made;
        } else {
            kept.push_back(pending);
        }
    }
    kept.insert(kept.end(), waiting.begin(), waiting.end());
    waiting = std::move(kept);
}

void Win32Window::makeWhatShows() {
    makeWaiting(waitingDeclared_, shownNow);
    makeWaiting(waitingCopies_, shownNow);
    scheduleWaiting();
}

LRESULT Win32Window::onMakeWaiting(UINT, WPARAM, LPARAM) {
    makePosted_ = false;
    makeWaiting(waitingDeclared_, shownNow);
    makeWaiting(waitingCopies_, shownNow);
    // Declared controls in declared order, so that a page made in parts keeps its order.
    const auto any = [](const Component&) { return true; };
    makeWaiting(waitingDeclared_, any, kPerMessage);
    makeWaiting(waitingCopies_, any, kPerMessage);
    scheduleWaiting();
    return 0;
}

void Win32Window::scheduleWaiting() {
    const bool waiting = !waitingDeclared_.empty() || !waitingCopies_.empty();
    if (waiting && !makePosted_ && PostMessageW(handle(), MakeWaitingMessage, 0, 0)) makePosted_ = true;
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
    // A copy on a page waits, in the state the caller gives it next, until it is in
    // view of a shown page, needed, or its turn in the queue comes.
    if (pageOf(*copy.component).container && handle()) {
        waitingCopies_.push_back(copy);
        scheduleWaiting();
    } else {
        makeNative(copy);
        copy.component->layout(dpi_);
    }
    return copy.component->name();
}

}  // namespace velarion::win32
