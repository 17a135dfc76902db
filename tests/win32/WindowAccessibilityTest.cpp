// The real windows as a screen reader reads them, through oleacc: the controls
// we draw ourselves describe themselves (roles, names, states, parts, places,
// the folder bar's default action), the system's controls keep the system's
// description, and a change of folder is announced.

#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "platform/win32/Com.hpp"
#include "platform/win32/Encoding.hpp"
#include "platform/win32/FolderBar.hpp"
#include "platform/win32/Handles.hpp"
#include "tests/win32/WindowTestSupport.hpp"

namespace velarion::testing {
namespace {

using win32::ComPtr;

VARIANT child(LONG id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// What a reader gets for one object or one of its elements.
struct Read {
    std::wstring name;
    LONG role = -1;
    LONG state = 0;
    long children = -1;  // objects only
};

Read read(IAccessible* object, LONG id = CHILDID_SELF) {
    Read r;
    BSTR name = nullptr;
    if (object->get_accName(child(id), &name) == S_OK && name) r.name = name;
    SysFreeString(name);
    VARIANT v;
    VariantInit(&v);
    if (SUCCEEDED(object->get_accRole(child(id), &v)) && v.vt == VT_I4) r.role = v.lVal;
    VariantClear(&v);
    if (SUCCEEDED(object->get_accState(child(id), &v)) && v.vt == VT_I4) r.state = v.lVal;
    VariantClear(&v);
    if (id == CHILDID_SELF) object->get_accChildCount(&r.children);
    return r;
}

ComPtr<IAccessible> readerOf(HWND window) {
    ComPtr<IAccessible> object;
    EXPECT_EQ(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), object.putVoid()), S_OK);
    return object;
}

std::string describe(const Read& r) {
    wchar_t role[64] = {};
    GetRoleTextW(static_cast<DWORD>(r.role), role, 64);
    std::string line = "[" + win32::toGbk(role) + "] \"" + win32::toGbk(r.name) + "\"";
    for (DWORD bit = 1; bit != 0 && bit <= STATE_SYSTEM_VALID; bit <<= 1) {
        if (!(r.state & static_cast<LONG>(bit))) continue;
        wchar_t state[64] = {};
        GetStateTextW(bit, state, 64);
        line += " " + win32::toGbk(state) + ",";
    }
    if (r.children >= 0) line += " children=" + std::to_string(r.children);
    return line;
}

// The tree of visible windows below `window` as a reader reads each of them;
// the folder bar's elements below it.
void tree(HWND window, int depth, std::string& out) {
    auto object = readerOf(window);
    if (!object) return;
    const Read self = read(object.get());
    out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + describe(self) + "\n";
    if (self.role == ROLE_SYSTEM_PAGETABLIST)
        for (LONG i = 1; i <= self.children; ++i)
            out += std::string(static_cast<std::size_t>(depth + 1) * 2, ' ') + describe(read(object.get(), i)) + "\n";
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c)) tree(c, depth + 1, out);
}

struct WinEvent {
    DWORD event;
    HWND window;
    LONG object, child;
    bool operator==(const WinEvent&) const = default;
};
std::vector<WinEvent>* heard = nullptr;

void CALLBACK hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG id, DWORD, DWORD) {
    if (heard && object == OBJID_CLIENT) heard->push_back({event, window, object, id});
}

class WindowAccessibilityTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        pump(layer, 100);
        bar = handleOf(*main, "卷帘式菜单1");
    }
    win32::ComScope com;
    HWND bar = nullptr;
};

TEST_F(WindowAccessibilityTest, FolderBarIsAPageTabListOfItsFolders) {
    auto reader = readerOf(bar);
    ASSERT_TRUE(reader);
    const wchar_t* captions[] = {L"聊天通讯", L"音乐影视", L"游戏娱乐", L"其它应用", L"系统设置"};
    SetFocus(bar);
    const Read list = read(reader.get());
    EXPECT_EQ(list.role, ROLE_SYSTEM_PAGETABLIST);
    EXPECT_EQ(list.name, captions[0]);  // the open folder
    EXPECT_EQ(list.children, 5);
    POINT origin{0, 0};
    ClientToScreen(bar, &origin);
    RECT client{};
    GetClientRect(bar, &client);
    for (LONG i = 1; i <= 5; ++i) {
        const Read item = read(reader.get(), i);
        EXPECT_EQ(item.name, captions[i - 1]);
        EXPECT_EQ(item.role, ROLE_SYSTEM_PAGETAB);
        const LONG chosen = STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED;
        EXPECT_EQ(item.state & (chosen | STATE_SYSTEM_SELECTABLE), (i == 1 ? chosen : 0) | STATE_SYSTEM_SELECTABLE);
        long left = 0, top = 0, width = 0, height = 0;
        ASSERT_EQ(reader->accLocation(&left, &top, &width, &height, child(i)), S_OK);
        const int headerTop = win32::FolderBar::headerTop(i - 1, 0, 5, 240);
        EXPECT_EQ(left, origin.x);
        EXPECT_EQ(top, origin.y + win32::scaleForDpi(headerTop, dpi())) << i;
        EXPECT_EQ(width, client.right);
        EXPECT_EQ(height, win32::scaleForDpi(win32::FolderBar::HeaderHeight, dpi()));
        VARIANT hit;
        VariantInit(&hit);
        ASSERT_EQ(reader->accHitTest(left + width / 2, top + height / 2, &hit), S_OK);
        EXPECT_EQ(hit.vt, VT_I4);
        EXPECT_EQ(hit.lVal, i);
    }
    VARIANT focus, selection;
    ASSERT_EQ(reader->get_accFocus(&focus), S_OK);
    ASSERT_EQ(reader->get_accSelection(&selection), S_OK);
    EXPECT_EQ(focus.lVal, 1);
    EXPECT_EQ(selection.lVal, 1);
    long none = 0;
    EXPECT_EQ(read(reader.get(), 6).role, -1);
    EXPECT_TRUE(FAILED(reader->accLocation(&none, &none, &none, &none, child(6))));

    // The default action opens the folder as a click does.
    BSTR action = nullptr;
    ASSERT_EQ(reader->get_accDefaultAction(child(3), &action), S_OK);
    EXPECT_STREQ(action, L"切换");
    SysFreeString(action);
    recorder.calls.clear();
    ASSERT_EQ(reader->accDoDefaultAction(child(3)), S_OK);
    EXPECT_EQ(main->number("卷帘式菜单1", Prop::Selection), 2);
    ASSERT_EQ(recorder.count(behaviour::onFolderChanged), 1);
    EXPECT_EQ(recorder.last(behaviour::onFolderChanged)->args.index, 2);
    EXPECT_EQ(read(reader.get()).name, captions[2]);
    EXPECT_TRUE(read(reader.get(), 3).state & STATE_SYSTEM_SELECTED);
    EXPECT_FALSE(read(reader.get(), 1).state & STATE_SYSTEM_SELECTED);
    // Without the focus the open folder is selected, not focused.
    SetFocus(hwnd);
    EXPECT_FALSE(read(reader.get(), 3).state & STATE_SYSTEM_FOCUSED);
    ASSERT_EQ(reader->get_accFocus(&focus), S_FALSE);
}

TEST_F(WindowAccessibilityTest, DrawnControlsDescribeThemselvesAndSystemOnesAsTheSystemDoes) {
    main->setFlag("标签_聊天", Prop::Visible, true);
    const Read empty = read(readerOf(handleOf(*main, "标签_聊天")).get());
    EXPECT_EQ(empty.role, ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(empty.name, L"暂无应用");

    HWND tabs = handleOf(*main, "选择夹1");
    const wchar_t* pages[] = {L"聊天通讯", L"音乐影视", L"游戏娱乐", L"其它图标", L"系统设置"};
    for (int page = 0; page < 5; ++page) {
        const Read r = read(readerOf(native(*main).makeNow("选择夹1")->childParent(page)).get());
        EXPECT_EQ(r.role, ROLE_SYSTEM_PROPERTYPAGE);
        EXPECT_EQ(r.name, pages[page]);
        EXPECT_EQ((r.state & STATE_SYSTEM_INVISIBLE) != 0, page != 0) << page;
    }
    EXPECT_EQ(read(readerOf(handleOf(*main, "图片框1")).get()).role, ROLE_SYSTEM_GRAPHIC);

    main->setNumber("选择夹1", Prop::CurrentPage, 4);
    const Read group = read(readerOf(handleOf(*main, "分组框2")).get());
    EXPECT_EQ(group.role, ROLE_SYSTEM_GROUPING);
    EXPECT_EQ(group.name, L"定时关机：");
    EXPECT_GE(group.children, 10);  // the shutdown row's controls
    main->setText("分组框1", Prop::Text, "透明度：");
    EXPECT_EQ(read(readerOf(handleOf(*main, "分组框1")).get()).name, L"透明度：");

    auto busy = readerOf(handleOf(*main, "图片框2"));
    EXPECT_EQ(read(busy.get()).role, ROLE_SYSTEM_GRAPHIC);
    EXPECT_FALSE(read(busy.get()).state & STATE_SYSTEM_ANIMATED);
    main->setFlag("图片框2", Prop::PlayAnimation, true);
    EXPECT_TRUE(read(busy.get()).state & STATE_SYSTEM_ANIMATED);

    // The system's controls, and the window itself, keep the system's description.
    for (HWND own : {handleOf(*main, "按钮1"), handleOf(*main, "选择框1"), handleOf(*main, "滑块条1"),
                     handleOf(*main, "编辑框_时"), hwnd}) {
        ComPtr<IAccessible> system;
        ASSERT_EQ(CreateStdAccessibleObject(own, OBJID_CLIENT, __uuidof(IAccessible), system.putVoid()), S_OK);
        const Read asRead = read(readerOf(own).get()), asSystem = read(system.get());
        EXPECT_EQ(asRead.role, asSystem.role);
        EXPECT_EQ(asRead.name, asSystem.name);
        EXPECT_EQ(asRead.children, asSystem.children);
    }
    (void)tabs;
}

// A reader may hold an object for as long as it likes: once the control's
// window or the whole window is gone, it is told so, and nothing is touched.
TEST_F(WindowAccessibilityTest, ReadersHoldingOnAfterTheWindowIsGoneAreToldSo) {
    ComPtr<IAccessible> bars[2], groups[2];
    {
        ScriptedSystem otherSystem;
        win32::Win32WindowLayer other{otherSystem, failOnUnknownComponent};
        for (int i = 0; i < 2; ++i) {
            Window* window = other.load(mainWindowDecl(), recorder.behaviours());
            ASSERT_NE(window, nullptr);
            bars[i] = readerOf(handleOf(*window, "卷帘式菜单1"));
            groups[i] = readerOf(handleOf(*window, "分组框2"));
            if (i == 0) DestroyWindow(static_cast<HWND>(window->nativeHandle()));  // the window only
        }
    }  // the layer, its windows and their components
    recorder.calls.clear();
    for (int i = 0; i < 2; ++i) {
        BSTR name = nullptr;
        EXPECT_TRUE(FAILED(bars[i]->get_accName(child(1), &name))) << i;
        EXPECT_TRUE(FAILED(groups[i]->get_accName(child(CHILDID_SELF), &name))) << i;
        EXPECT_TRUE(FAILED(bars[i]->accDoDefaultAction(child(2)))) << i;
        long count = 0;
        EXPECT_TRUE(FAILED(bars[i]->get_accChildCount(&count))) << i;
        SysFreeString(name);
    }
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_EQ(GetFocus(), bar);
}

TEST_F(WindowAccessibilityTest, AChangeOfFolderIsAnnounced) {
    std::vector<WinEvent> events;
    heard = &events;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, hear,
                                         GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    SetFocus(hwnd);
    SetFocus(bar);
    pump(layer, 50);
    auto has = [&](DWORD event, LONG id) {
        for (const auto& e : events)
            if (e.event == event && e.window == bar && e.child == id) return true;
        return false;
    };
    EXPECT_TRUE(has(EVENT_OBJECT_FOCUS, 1));  // the open folder has the focus
    events.clear();
    PostMessageW(bar, WM_KEYDOWN, VK_DOWN, 1);
    pump(layer, 50);
    EXPECT_TRUE(has(EVENT_OBJECT_SELECTION, 2));
    EXPECT_TRUE(has(EVENT_OBJECT_NAMECHANGE, CHILDID_SELF));
    EXPECT_TRUE(has(EVENT_OBJECT_FOCUS, 2));
    // Opened by the program, without the focus: selected, not focused.
    SetFocus(hwnd);
    pump(layer, 20);
    events.clear();
    main->setNumber("卷帘式菜单1", Prop::Selection, 4);
    pump(layer, 50);
    EXPECT_TRUE(has(EVENT_OBJECT_SELECTION, 5));
    EXPECT_FALSE(has(EVENT_OBJECT_FOCUS, 5));
    // The busy picture, made with its page, says when it starts to play.
    handleOf(*main, "图片框2");
    events.clear();
    main->setFlag("图片框2", Prop::PlayAnimation, true);
    pump(layer, 50);
    bool stateChanged = false;
    for (const auto& e : events) stateChanged |= e.event == EVENT_OBJECT_STATECHANGE && e.window == handleOf(*main, "图片框2");
    EXPECT_TRUE(stateChanged);
    UnhookWinEvent(hook);
    heard = nullptr;
}

// The tree of a category page with entries and of the settings page. Set
// VELARION_PRINT_ACCESSIBILITY to see it (GBK text).
TEST_F(WindowAccessibilityTest, TreeOfACategoryPageAndOfTheSettingsPage) {
    for (int p = 1; p <= 2; ++p) {
        const std::string name = main->copyComponent("按钮_聊天");
        main->setText(name, Prop::Text, p == 1 ? "记事本" : "计算器");
        main->setFlag(name, Prop::Visible, true);
        main->setNumber(name, Prop::Left, 8 + 58 * (p - 1));
    }
    pump(layer, 50);
    std::string category, settings;
    tree(hwnd, 0, category);
    main->setNumber("卷帘式菜单1", Prop::Selection, 4);
    main->setNumber("选择夹1", Prop::CurrentPage, 4);
    pump(layer, 50);
    tree(hwnd, 0, settings);
    if (std::getenv("VELARION_PRINT_ACCESSIBILITY"))
        std::cout << "-- category page\n" << category << "-- settings page\n" << settings;
    EXPECT_NE(category.find("\"记事本\""), std::string::npos);
    EXPECT_NE(category.find("\"计算器\""), std::string::npos);
    EXPECT_NE(settings.find("\"系统设置\""), std::string::npos);
    EXPECT_NE(settings.find("\"定时关机：\""), std::string::npos);
    EXPECT_EQ(settings.find("\"记事本\""), std::string::npos);  // hidden pages are not read
}

}  // namespace
}  // namespace velarion::testing
