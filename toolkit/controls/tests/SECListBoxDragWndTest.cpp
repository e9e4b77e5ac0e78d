#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/afx/CWinApp.h"
#include "platform/user/TestScreen.h"
#include "toolkit/controls/SECListBoxEditorHelper.h"
#include "toolkit/controls/tests/ListBoxTestSupport.h"

using namespace listbox_test;
using namespace std::chrono_literals;
using platform::user::MouseButton;
using platform::user::TestScreen;

namespace {

using Strings = std::vector<std::string>;

constexpr int kListID = 20;

// Gives a drag its input from inside its loop: each time the loop has nothing to do, the next step
// runs (moving the clock, the pointer or the button).
class ScriptedApp : public CWinApp {
public:
    ScriptedApp()
        : CWinApp("drag")
    {
    }
    BOOL OnIdle(LONG) override
    {
        MSG msg;
        if (!steps.empty() && !::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            const std::function<void()> step = std::move(steps.front());
            steps.pop_front();
            step();
        }
        return !steps.empty();
    }
    std::deque<std::function<void()>> steps;
};

// Twelve items Item 0 to Item 11 (item data 100 + n) in a list that shows about seven, with the
// editor's drag reordering and its empty last item.
class ListBoxDrag : public ::testing::Test {
protected:
    void SetUp() override
    {
        LPCTSTR className = AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE));
        ASSERT_TRUE(owner.CreateEx(0, className, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 220, 160), nullptr, 0));
        const HWND hList = ::CreateWindowEx(0, "listbox", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, 10, 10, 150, 120,
            owner.GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListID)), nullptr, nullptr);
        for (int i = 0; i < 12; ++i) {
            const std::string text = "Item " + std::to_string(i);
            const LRESULT n = ::SendMessage(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            ::SendMessage(hList, LB_SETITEMDATA, static_cast<WPARAM>(n), 100 + i);
        }
    }
    void TearDown() override
    {
        owner.DestroyWindow();
        screen.pump();
    }
    void init(DWORD flags = 0)
    {
        ASSERT_TRUE(editor.Initialize(&owner, kListID, SEC_LBE_DRAGTOMOVE | flags));
        screen.pump();
        owner.notes.clear();
    }
    CListBox& list() { return *editor.GetListBox(); }
    // The steps that move the pointer, with the clock moved on first.
    void later(std::chrono::milliseconds wait, CPoint to)
    {
        app.steps.push_back([this, wait, to] {
            screen.clock().Advance(wait);
            platform::user::InjectMouseMove(to);
        });
    }
    void wait(std::chrono::milliseconds step)
    {
        app.steps.push_back([this, step] { screen.clock().Advance(step); });
    }
    void release()
    {
        app.steps.push_back([] { platform::user::InjectMouseButton(MouseButton::Left, false); });
    }
    // Presses on item nFrom (long enough after any earlier click to be no double click); the steps
    // queued before run inside the drag. Steps the drag did not take (it ended first) run afterwards.
    void drag(int nFrom)
    {
        screen.advance(1s);
        const CPoint from = ItemPoint(list(), nFrom);
        screen.moveTo(from.x, from.y);
        screen.press();
        while (!app.steps.empty()) {
            const std::function<void()> step = std::move(app.steps.front());
            app.steps.pop_front();
            step();
        }
        screen.pump();
    }
    CPoint below() const
    {
        CRect rect;
        editor.GetListBox()->GetWindowRect(rect);
        return CPoint(rect.left + 30, rect.bottom + 10);
    }
    std::string item(int n) { return Items(list())[static_cast<size_t>(n)]; }

    TestScreen screen { 240, 180 };
    ScriptedApp app;
    Owner owner;
    RecordingEditor editor;
};

TEST_F(ListBoxDrag, TheItemLandsOnTheSideOfTheItemThePointerIsOn)
{
    init();
    struct Case {
        int from;
        int onto;
        int dy; // pixels below the item's top
        int landed;
    } const cases[] = {
        { 1, 3, 10, 3 }, // lower half: after the item (which moved up one place)
        { 1, 3, 2, 2 }, // upper half: before it
        { 4, 0, 2, 0 },
        { 4, 6, 2, 5 },
    };
    for (const Case& c : cases) {
        const std::string text = item(c.from);
        const DWORD_PTR data = list().GetItemData(c.from);
        list().SetCurSel(-1);
        later(300ms, ItemPoint(list(), c.onto, c.dy));
        release();
        drag(c.from);
        EXPECT_EQ(item(c.landed), text) << c.from << " onto " << c.onto;
        EXPECT_EQ(list().GetItemData(c.landed), data);
        EXPECT_EQ(list().GetCurSel(), c.landed);
    }
    EXPECT_EQ(editor.hooks, (Strings { "dragged 1>3 Item 1", "dragged 1>2 Item 2", "dragged 4>0 Item 4", "dragged 4>5 Item 1" }));
    EXPECT_EQ(owner.take(kListID), (std::vector<int> { 11, 1, 11, 1, 11, 1, 11, 1 }));
}

TEST_F(ListBoxDrag, NothingMovesBelowTheEmptyLastItem)
{
    init();
    list().SetTopIndex(6);
    screen.pump();
    // Onto the empty last item: in front of it.
    later(300ms, ItemPoint(list(), 12, 10));
    release();
    drag(10);
    EXPECT_EQ(item(11), "Item 10");
    EXPECT_EQ(item(12), "");
    // The empty item itself does not move.
    later(300ms, ItemPoint(list(), 8));
    release();
    drag(12);
    EXPECT_EQ(item(12), "");
    EXPECT_EQ(editor.hooks, (Strings { "dragged 10>11 Item 10" }));
}

TEST_F(ListBoxDrag, ShortCancelledOrLostDragsMoveNothing)
{
    init();
    const Strings before = Items(list());
    // Quicker than the drop delay.
    later(100ms, ItemPoint(list(), 4));
    release();
    drag(1);
    // Esc.
    later(300ms, ItemPoint(list(), 4));
    app.steps.push_back([] { platform::user::InjectKey(VK_ESCAPE, true); });
    release();
    drag(1);
    platform::user::InjectKey(VK_ESCAPE, false);
    // Another window takes the mouse.
    later(300ms, ItemPoint(list(), 4));
    app.steps.push_back([this] { owner.SetCapture(); });
    app.steps.push_back([] { ::ReleaseCapture(); });
    release();
    drag(1);
    EXPECT_EQ(Items(list()), before);
    EXPECT_TRUE(editor.hooks.empty());
}

TEST_F(ListBoxDrag, HoldingThePointerBelowTheListScrollsItFasterAndFaster)
{
    init(SEC_LBE_NOPLACEHOLDER);
    CRect client, first;
    list().GetClientRect(client);
    list().GetItemRect(0, first);
    const int shown = client.Height() / first.Height();
    const auto topIs = [this](int top) { app.steps.push_back([this, top] { EXPECT_EQ(list().GetTopIndex(), top); }); };
    later(300ms, ItemPoint(list(), 2));
    // The first step comes at once (its delay of 300 ms has passed since the press), the next after
    // 250 ms, the one after that after 200 ms; the pointer rests meanwhile.
    later(0ms, below());
    topIs(1);
    wait(200ms);
    topIs(1);
    wait(50ms);
    topIs(2);
    wait(200ms);
    topIs(3);
    release();
    drag(1);
    // The item lands under the last item that was wholly shown before the last step (the items
    // above it moved up one place when it left).
    EXPECT_EQ(list().GetTopIndex(), 3);
    EXPECT_EQ(item(shown + 1), "Item 1");
    EXPECT_EQ(editor.hooks, (Strings { "dragged 1>" + std::to_string(shown + 1) + " Item 1" }));
}

TEST_F(ListBoxDrag, TheInsertionLineLooksAsTheGoldenPicture)
{
    init();
    CRect item;
    list().GetItemRect(3, item);
    list().ClientToScreen(item);
    later(300ms, ItemPoint(list(), 3, 10));
    std::string difference;
    COLORREF during = 0;
    app.steps.push_back([&] {
        screen.pump();
        during = screen.pixel(item.left + 20, item.bottom);
        const std::string golden = std::string(TS_CONTROLS_TEST_DIR) + "/golden/ListBoxDragLine.png";
        difference = screen.compareWithGolden(CRect(0, 0, 170, 140), golden);
    });
    app.steps.push_back([] { platform::user::InjectKey(VK_ESCAPE, true); });
    release();
    drag(1);
    platform::user::InjectKey(VK_ESCAPE, false);
    EXPECT_EQ(difference, "");
    // Grey over the white list while it shows, gone with the drag.
    EXPECT_EQ(during, RGB(128, 128, 128));
    EXPECT_EQ(screen.pixel(item.left + 20, item.bottom), ::GetSysColor(COLOR_WINDOW));
}

} // namespace
