// Late creation. What the first look at a window needs is made with it; the
// controls of pages not shown and the entry buttons out of view wait, because a
// thousand entries made at once would hold up the window's first showing by a
// second. The rule:
// - the declared controls of one page are made together, in declared order, when
//   that page shows or when one of them is needed (makeNow); a hidden one (an
//   entry template, a page's "no entries" label) waits until it is shown or
//   needed, and then goes where the declaration puts it among those made before,
//   so tab order and stacking stay as declared however late they are made;
// - copies (the entry buttons) have native windows only within reach of what a
//   shown page shows (one page height above and below the view): made when they
//   come within reach or are needed, a few at a time from the message queue
//   once the window shows, and let go again when a scroll leaves them far
//   behind. However long the catalog, the process holds a few hundred windows
//   (the system allows 10,000 to a process), and a page never shown costs none;
// - nothing else makes a control: until its native window exists, the component
//   keeps every property it is given and answers from there.

#include <algorithm>

#include "platform/win32/Controls.hpp"
#include "platform/win32/PrivateMessages.hpp"
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

// Whether what lies on the page is within the band from `above` page heights
// over the page's scroll position to `below` page heights under it.
bool inBand(const PageOf& where, int above, int below) {
    const int height = where.container->rect().height;
    const int scroll = where.container->scrollTop(where.page);
    const Rect& r = where.placed->rect();
    return r.top < scroll + below * height && r.top + r.height > scroll - above * height;
}

// In the part of its page that can be seen.
bool inView(const PageOf& where) { return inBand(where, 0, 1); }

// Within one page height of the view, above or below.
bool inReach(const PageOf& where) { return inBand(where, 1, 2); }

bool shownNow(const Component& c) {
    const PageOf where = pageOf(c);
    return pageShown(where) && inView(where);
}

bool hidden(const Component& c) {
    bool visible = true;
    c.getFlag(Prop::Visible, visible);
    return !visible;
}

// A declared control that a shown page shows now.
bool showsNow(const Component& c) { return !hidden(c) && shownNow(c); }

bool withinReach(const Component& c) {
    const PageOf where = pageOf(c);
    return pageShown(where) && inReach(where);
}

// Copies whose native control holds nothing the component does not also keep,
// so that it can be let go and made again: push buttons.
bool canLetGo(const Component& c) { return c.kind() == Kind::Button; }

// Controls with a native window of their own that is not part of the window's
// frame (a paged container's pages are its structure, made with it).
bool madeLate(Kind kind) {
    return kind != Kind::Menu && kind != Kind::Timer && kind != Kind::FileDialog && kind != Kind::Tabs;
}

// Puts a child window right after `previous` among its siblings, or first when
// `previous` is null, unless it stands there already: a move costs round trips
// and messages. (HWND_TOP is itself a null handle.)
void stackAfter(HWND own, HWND previous) {
    if (GetWindow(own, GW_HWNDPREV) == previous) return;
    SetWindowPos(own, previous ? previous : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

Component* Win32Window::addDeclared(const ComponentDecl& decl) {
    const Unmade made = make(decl, 0);
    byName_[decl.name] = made.component;
    const PageOf where = pageOf(*made.component);
    if (madeLate(decl.kind) && where.container && (!pageShown(where) || hidden(*made.component)))
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
        makeDeclared([&](const Component& c) { return pageOf(c) == where; });
    } else {
        makeCopies([&](const Component& c) { return &c == target; }, 1);
    }
    return target;
}

void Win32Window::makeShownPart(const Component& container, int page) {
    const PageOf shown{&container, page};
    makeDeclared([&](const Component& c) { return pageOf(c) == shown && !hidden(c); });
    letGoFarCopies(container, page);
    makeCopies([&](const Component& c) {
        const PageOf where = pageOf(c);
        return where == shown && inView(where);
    });
    scheduleWaiting();
}

void Win32Window::letGoFarCopies(const Component& container, int page) {
    const PageOf scrolled{&container, page};
    std::vector<Unmade> kept;
    for (const Unmade& copy : madeCopies_) {
        Component& c = *copy.component;
        const PageOf where = pageOf(c);
        if (where == scrolled && canLetGo(c) && !inReach(where) && c.handle() != GetFocus()) {
            byHandle_.erase(c.handle());
            c.destroy();
            waitingCopies_.push_back(copy);
        } else {
            kept.push_back(copy);
        }
    }
    madeCopies_ = std::move(kept);
}

template <typename Pick>
std::vector<Win32Window::Unmade> Win32Window::takeWaiting(std::vector<Unmade>& waiting, Pick pick,
                                                          std::size_t most) {
    // Taken out of the list before any is made: making a window sends messages,
    // and whatever they lead to finds a consistent list. The list is closed up in
    // place: it may hold a copy for every entry of a long catalog.
    std::vector<Unmade> taken;
    auto kept = waiting.begin();
    for (const Unmade& pending : waiting) {
        if (taken.size() < most && pick(*pending.component)) taken.push_back(pending);
        else *kept++ = pending;
    }
    waiting.erase(kept, waiting.end());
    return taken;
}

template <typename Pick>
std::size_t Win32Window::makeDeclared(Pick pick, std::size_t most) {
    const std::vector<Unmade> taken = takeWaiting(waitingDeclared_, pick, most);
    for (const Unmade& declared : taken) {
        makeNative(declared);
        keepDeclaredOrder(declared);
    }
    return taken.size();
}

void Win32Window::keepDeclaredOrder(const Unmade& declared) {
    HWND own = declared.component->handle();
    if (!own) return;
    const auto sibling = [&](const Component& o) {
        return &o != declared.component && o.handle() && o.container() == declared.component->container() &&
               o.page() == declared.component->page();
    };
    // The declared components come first in components_, in declared order, and
    // the copies after them. The system makes a child window at the bottom of its
    // siblings: in place, unless one that comes after it was made before it.
    const auto at = static_cast<std::size_t>(declared.id - FirstId);
    bool laterMade = std::any_of(madeCopies_.begin(), madeCopies_.end(),
                                 [&](const Unmade& copy) { return sibling(*copy.component); });
    for (std::size_t i = at + 1; !laterMade && i < components_.size() && components_[i]->copyNumber() == 0; ++i)
        laterMade = sibling(*components_[i]);
    if (!laterMade) return;
    HWND previous = nullptr;
    for (std::size_t i = at; i-- > 0 && !previous;)
        if (sibling(*components_[i])) previous = components_[i]->handle();
    stackAfter(own, previous);
}

void Win32Window::makeShownDeclared(const Component& component) {
    makeDeclared([&](const Component& c) { return &c == &component && shownNow(c); });
}

template <typename Pick>
std::size_t Win32Window::makeCopies(Pick pick, std::size_t most) {
    const std::vector<Unmade> taken = takeWaiting(waitingCopies_, pick, most);
    for (const Unmade& copy : taken) makeCopy(copy);
    return taken.size();
}

void Win32Window::makeCopy(const Unmade& copy) {
    makeNative(copy);
    madeCopies_.push_back(copy);
    HWND own = copy.component->handle();
    if (!own) return;  // refused by the system: the page shows what it could
    // Stacking and Tab follow the entries however they were made: the copy goes
    // after the made copy just before it in reading order, or else before the one
    // just after it. The system makes a child window at the bottom of its
    // siblings, so a page made in reading order is in order already; moving a
    // window costs round trips and messages, so only a copy out of place moves.
    const Component& made = *copy.component;
    const Rect& r = made.rect();
    const auto readsBefore = [](const Rect& a, const Rect& b) {
        return a.top < b.top || (a.top == b.top && a.left < b.left);
    };
    const Component *before = nullptr, *after = nullptr;  // the neighbours in reading order
    for (const Unmade& other : madeCopies_) {
        const Component& o = *other.component;
        // Copies of one page share a parent window.
        if (&o == &made || !o.handle() || o.container() != made.container() || o.page() != made.page()) continue;
        if (readsBefore(o.rect(), r)) {
            if (!before || readsBefore(before->rect(), o.rect())) before = &o;
        } else if (!after || readsBefore(o.rect(), after->rect())) {
            after = &o;
        }
    }
    if (before) {
        stackAfter(own, before->handle());
    } else if (after) {
        const HWND aboveAfter = GetWindow(after->handle(), GW_HWNDPREV);
        if (aboveAfter != own) stackAfter(own, aboveAfter);
    }
}

void Win32Window::makeWhatShows() {
    makeDeclared(showsNow);
    makeCopies(shownNow);
    scheduleWaiting();
}

LRESULT Win32Window::onMakeWaiting(UINT, WPARAM, LPARAM) {
    makePosted_ = false;
    makeDeclared(showsNow);
    makeCopies(shownNow);
    // The rest of the shown page's reach, a few at a time; what lies further
    // down, and the pages not shown, wait until a scroll or a change of page
    // brings them near.
    if (makeCopies(withinReach, kPerMessage) == kPerMessage) scheduleWaiting();
    return 0;
}

void Win32Window::scheduleWaiting() {
    const bool waiting = !waitingDeclared_.empty() || !waitingCopies_.empty();
    if (waiting && !makePosted_ && PostMessageW(handle(), message::MakeWaiting, 0, 0)) makePosted_ = true;
}

std::string Win32Window::copyComponent(const std::string& original) {
    Component* source = lookup(original);
    if (!source) layer_.unknownComponent(decl_.name, original);
    if (!source || source->kind() == Kind::Menu) return {};
    // Copies of a copy are numbered with the declared component's copies.
    const std::string& root = source->decl().name;
    std::vector<Component*>& numbered = copies_[root];
    do {  // a number whose name a declared component has is skipped
        numbered.push_back(nullptr);
    } while (byName_.count(root + "#" + std::to_string(numbered.size())));
    const Unmade copy = make(source->decl(), static_cast<int>(numbered.size()));
    numbered.back() = copy.component;
    // A copy on a page waits, in the state the caller gives it next, until it is in
    // view of a shown page, needed, or its turn in the queue comes.
    if (pageOf(*copy.component).container && handle()) {
        waitingCopies_.push_back(copy);
        scheduleWaiting();
    } else {
        makeCopy(copy);
    }
    return copy.component->name();
}

}  // namespace velarion::win32
