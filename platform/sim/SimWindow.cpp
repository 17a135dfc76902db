// Run-time properties of a stand-in window and its components. Writes take
// effect at once and raise no event, except a move of the window itself, which
// raises PositionChanged as a real window does.

#include "platform/sim/SimWindow.hpp"

#include <algorithm>
#include <stdexcept>

#include "platform/sim/SimSystem.hpp"
#include "platform/sim/SimWindows.hpp"

namespace velarion {

namespace {

[[noreturn]] void misuse(const std::string& what) { throw std::logic_error(what); }

}  // namespace

SimWindow::SimWindow(SimWindows& layer, const WindowDecl& decl, const Behaviours& behaviours,
                     int left, int top)
    : layer_(layer), decl_(decl), behaviours_(behaviours), title_(decl.title), left_(left),
      top_(top), width_(decl.rect.width), height_(decl.rect.height),
      topmost_(decl.alwaysOnTop) {
    for (const auto& c : decl.components) {
        if (c.name.empty() || index_.count(c.name))
            misuse("window '" + decl.name + "' declares the name '" + c.name + "' twice or empty");
        index_[c.name] = components_.size();
        components_.push_back(SimComponent::fromDeclaration(c));
        auto& made = components_.back();
        if (made.decl.kind == Kind::Timer && made.interval > 0) {
            made.interval = 0;
            setInterval(made, c.interval);
        }
    }
}

bool SimWindow::has(const std::string& component) const {
    return component.empty() || index_.count(component) != 0;
}

SimComponent& SimWindow::bag(const std::string& name) {
    auto it = index_.find(name);
    if (it == index_.end()) misuse("no component '" + name + "' in window '" + decl_.name + "'");
    return components_[it->second];
}

const SimComponent& SimWindow::bag(const std::string& name) const {
    return const_cast<SimWindow*>(this)->bag(name);
}

const SimComponent& SimWindow::component(const std::string& name) const { return bag(name); }

void SimWindow::check(const std::string& component, Prop prop, PropType type) const {
    if (propType(prop) != type)
        misuse(std::string("property ") + propName(prop) + " read or written with the wrong type");
    bool ok = component.empty() ? windowHas(prop) : componentHas(bag(component).decl.kind, prop);
    if (!ok)
        misuse(std::string("'") + (component.empty() ? decl_.name : component) + "' has no " +
               propName(prop));
}

std::string SimWindow::text(const std::string& component, Prop prop) const {
    check(component, prop, PropType::Text);
    if (component.empty()) return prop == Prop::Text ? title_ : tag_;
    const auto& c = bag(component);
    switch (prop) {
    case Prop::Text: return c.text;
    case Prop::Tag: return c.tag;
    default: return c.fileName;
    }
}

void SimWindow::setText(const std::string& component, Prop prop, std::string_view value) {
    check(component, prop, PropType::Text);
    if (component.empty()) {
        (prop == Prop::Text ? title_ : tag_) = value;
        return;
    }
    auto& c = bag(component);
    switch (prop) {
    case Prop::Text: c.text = value; break;
    case Prop::Tag: c.tag = value; break;
    default: c.fileName = value; break;
    }
}

int SimWindow::number(const std::string& component, Prop prop) const {
    check(component, prop, PropType::Number);
    if (component.empty()) {
        switch (prop) {
        case Prop::Left: return left_;
        case Prop::Top: return top_;
        default: return height_;
        }
    }
    const auto& c = bag(component);
    switch (prop) {
    case Prop::Left: return c.left;
    case Prop::Top: return c.top;
    case Prop::Height: return c.height;
    case Prop::Interval: return c.interval;
    case Prop::Position: return c.position;
    case Prop::CurrentPage: return c.currentPage;
    default: return c.selection;
    }
}

void SimWindow::setNumber(const std::string& component, Prop prop, int value) {
    check(component, prop, PropType::Number);
    if (component.empty()) {
        switch (prop) {
        case Prop::Left: moveWindow(value, top_); break;
        case Prop::Top: moveWindow(left_, value); break;
        default: height_ = value; break;
        }
        return;
    }
    auto& c = bag(component);
    const int count = static_cast<int>(c.decl.items.size());
    switch (prop) {
    case Prop::Left: c.left = value; break;
    case Prop::Top: c.top = value; break;
    case Prop::Height: c.height = value; break;
    case Prop::Interval: setInterval(c, value); break;
    case Prop::Position: c.position = std::clamp(value, c.decl.minimum, c.decl.maximum); break;
    case Prop::CurrentPage:
        if (value >= 0 && value < count) c.currentPage = value;
        break;
    default:  // Selection
        if (c.decl.kind == Kind::Combo)
            c.selection = value >= 0 && value < count ? value : -1;  // out of range clears it
        else if (value >= 0 && value < count)
            c.selection = value;
        break;
    }
}

bool SimWindow::flag(const std::string& component, Prop prop) const {
    check(component, prop, PropType::Flag);
    if (component.empty()) return prop == Prop::Visible ? visible_ : topmost_;
    const auto& c = bag(component);
    switch (prop) {
    case Prop::Visible: return c.visible;
    case Prop::Disabled: return c.disabled;
    case Prop::Checked: return c.checked;
    default: return c.playAnimation;
    }
}

void SimWindow::setFlag(const std::string& component, Prop prop, bool value) {
    check(component, prop, PropType::Flag);
    if (component.empty()) {
        (prop == Prop::Visible ? visible_ : topmost_) = value;
        return;
    }
    auto& c = bag(component);
    switch (prop) {
    case Prop::Visible: c.visible = value; break;
    case Prop::Disabled: c.disabled = value; break;
    case Prop::Checked:
        if (value && c.decl.kind == Kind::Radio)
            selectRadio(c);
        else
            c.checked = value;
        break;
    default: c.playAnimation = value; break;
    }
}

void SimWindow::selectRadio(SimComponent& radio) {
    for (auto& other : components_)
        if (other.decl.kind == Kind::Radio && other.decl.container == radio.decl.container &&
            other.decl.page == radio.decl.page)
            other.checked = false;
    radio.checked = true;
}

// Same value: the timer runs on with its phase. 0 or less: stopped. Any other
// value: restarted with that period from now.
void SimWindow::setInterval(SimComponent& timer, int interval) {
    if (interval <= 0) {
        timer.interval = 0;
        timer.nextTick = -1;
        return;
    }
    if (interval == timer.interval && timer.nextTick >= 0) return;
    timer.interval = interval;
    timer.nextTick = layer_.now() + interval;
    timer.tickOrder = layer_.nextOrder();
}

void SimWindow::moveWindow(int left, int top) {
    if (left == left_ && top == top_) return;
    left_ = left;
    top_ = top;
    raise("", Event::PositionChanged);
}

std::string SimWindow::copyComponent(const std::string& original) {
    const SimComponent& source = bag(original);
    if (layer_.copiesAllowed == 0) return {};
    if (layer_.copiesAllowed > 0) --layer_.copiesAllowed;
    const std::string root = source.original.empty() ? original : source.original;
    std::string name;
    do {
        name = root + "#" + std::to_string(++copyCount_[root]);
    } while (index_.count(name));
    SimComponent copy = SimComponent::fromDeclaration(bag(root).decl);
    copy.decl.name = name;
    copy.original = root;
    index_[name] = components_.size();
    components_.push_back(std::move(copy));
    return name;
}

std::vector<std::string> SimWindow::componentNames() const {
    std::vector<std::string> names;
    for (const auto& c : components_) names.push_back(c.decl.name);
    return names;
}

std::vector<std::string> SimWindow::copiesOf(const std::string& original) const {
    std::vector<std::string> names;
    for (const auto& c : components_)
        if (c.original == original) names.push_back(c.decl.name);
    return names;
}

bool SimWindow::openFileDialog(const std::string& component) {
    auto& c = bag(component);
    if (c.decl.kind != Kind::FileDialog) misuse("'" + component + "' is not a file dialog");
    std::string fileName = c.fileName;
    if (!layer_.system().openFileDialog(c.decl.filter, c.decl.dialogFlags, fileName)) return false;
    c.fileName = fileName;
    return true;
}

void SimWindow::close() {
    if (!open_) return;
    open_ = false;
    visible_ = false;
    for (auto& c : components_) c.nextTick = -1;
}

void SimWindow::setPageExtent(const std::string& tabs, int page, int contentHeight) {
    auto& c = bag(tabs);
    if (c.decl.kind != Kind::Tabs) misuse("'" + tabs + "' is not a paged container");
    c.pageExtents[page] = contentHeight;
}

int SimWindow::pageExtent(const std::string& tabs, int page) const {
    const auto& extents = bag(tabs).pageExtents;
    auto it = extents.find(page);
    return it == extents.end() ? -1 : it->second;
}

std::string SimWindow::statusText(const std::string& statusBar, int index) const {
    return bag(statusBar).partTexts.at(static_cast<std::size_t>(index));
}

bool SimWindow::raise(const std::string& source, Event event, EventArgs args) {
    const auto& bindings = source.empty() ? decl_.bindings : bag(source).decl.bindings;
    Behaviour behaviour;
    for (const auto& binding : bindings) {
        if (binding.event != event) continue;
        auto it = behaviours_.find(binding.behaviour);
        if (it != behaviours_.end()) behaviour = it->second;
        break;
    }
    layer_.record({decl_.name, source, event, static_cast<bool>(behaviour)});
    if (!behaviour) return true;
    EventContext context{*this, source, args};
    return behaviour(context);
}

}  // namespace velarion
