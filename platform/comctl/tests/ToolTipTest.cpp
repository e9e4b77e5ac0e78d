#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/tests/ComctlTestSupport.h"
#include "platform/user/TestScreen.h"

using comctltest::codes;
using comctltest::parentLog;
using namespace std::chrono_literals;

namespace {

class ToolTipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent = comctltest::MakeParent(400, 300);
        child = CreateWindowEx(0, "ComctlTestParent", "child", WS_CHILD | WS_VISIBLE, 50, 50, 100, 40, parent,
            reinterpret_cast<HMENU>(3), nullptr, nullptr);
        parentLog().answer = [](NMHDR* h) -> LRESULT {
            if (h->code == TTN_GETDISPINFO)
                std::strcpy(reinterpret_cast<NMTTDISPINFO*>(h)->szText, "Dynamic");
            return 0;
        };
    }
    void TearDown() override { parentLog() = comctltest::ParentLog {}; }

    HWND makeTip(DWORD style)
    {
        return CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | style, 0, 0, 0, 0, parent, nullptr,
            nullptr, nullptr);
    }
    static BOOL addTool(HWND tip, HWND owner, UINT flags, UINT_PTR id, RECT rect, LPSTR text)
    {
        TOOLINFO ti;
        ti.uFlags = flags;
        ti.hwnd = owner;
        ti.uId = id;
        ti.rect = rect;
        ti.lpszText = text;
        return static_cast<BOOL>(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
    }
    static void relayMove(HWND tip, HWND over, int x, int y)
    {
        MSG msg {};
        msg.hwnd = over;
        msg.message = WM_MOUSEMOVE;
        msg.lParam = MAKELPARAM(x, y);
        SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    std::string shownText(HWND tip, HWND owner, UINT_PTR id) const
    {
        char text[80] {};
        TOOLINFO ti;
        ti.hwnd = owner;
        ti.uId = id;
        ti.lpszText = text;
        SendMessage(tip, TTM_GETTEXT, 0, reinterpret_cast<LPARAM>(&ti));
        return text;
    }

    platform::user::TestScreen screen { 640, 480 };
    HWND parent { nullptr };
    HWND child { nullptr };
};

} // namespace

TEST_F(ToolTipTest, ASubclassedToolShowsAfterTheInitialDelayAndPopsByItself)
{
    HWND tip = makeTip(TTS_ALWAYSTIP);
    ASSERT_TRUE(addTool(tip, parent, TTF_IDISHWND | TTF_SUBCLASS, reinterpret_cast<UINT_PTR>(child), {},
        const_cast<LPSTR>("Hello")));
    EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    const int initial = static_cast<int>(SendMessage(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
    const int autopop = static_cast<int>(SendMessage(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0));

    screen.moveTo(60, 60);
    screen.advance(std::chrono::milliseconds(initial - 10));
    EXPECT_FALSE(IsWindowVisible(tip));
    screen.advance(20ms);
    EXPECT_TRUE(IsWindowVisible(tip));
    RECT r {};
    GetWindowRect(tip, &r);
    EXPECT_GT(r.top, 60); // below the pointer
    EXPECT_EQ(screen.pixel(r.left + 1, r.top + 1), GetSysColor(COLOR_INFOBK));

    screen.advance(std::chrono::milliseconds(autopop));
    EXPECT_FALSE(IsWindowVisible(tip));
    EXPECT_EQ(codes(), (std::vector<UINT> { TTN_SHOW, TTN_POP }));

    // Moving within the same tool does not bring it back; a click on it takes a tip away at once.
    screen.moveTo(70, 62);
    screen.advance(std::chrono::milliseconds(initial * 2));
    EXPECT_FALSE(IsWindowVisible(tip));
    DestroyWindow(tip);
}

TEST_F(ToolTipTest, CallbackTextsRectanglesAndTheReshowDelay)
{
    HWND tip = makeTip(TTS_ALWAYSTIP);
    addTool(tip, parent, 0, 5, { 200, 50, 260, 90 }, LPSTR_TEXTCALLBACK);
    addTool(tip, parent, 0, 6, { 270, 50, 330, 90 }, const_cast<LPSTR>("Fixed"));
    SendMessage(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 300);

    relayMove(tip, parent, 10, 10); // no tool there
    screen.advance(1000ms);
    EXPECT_FALSE(IsWindowVisible(tip));

    relayMove(tip, parent, 210, 60);
    screen.advance(300ms);
    ASSERT_TRUE(IsWindowVisible(tip));
    EXPECT_EQ(codes(), (std::vector<UINT> { TTN_GETDISPINFO, TTN_SHOW }));
    TOOLINFO current;
    EXPECT_TRUE(SendMessage(tip, TTM_GETCURRENTTOOL, 0, reinterpret_cast<LPARAM>(&current)));
    EXPECT_EQ(current.uId, 5u);

    // Straight from one tip to the next tool: the short reshow delay, not the initial one.
    relayMove(tip, parent, 280, 60);
    EXPECT_FALSE(IsWindowVisible(tip));
    screen.advance(std::chrono::milliseconds(SendMessage(tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0)));
    EXPECT_TRUE(IsWindowVisible(tip));

    // A new text while shown.
    TOOLINFO ti;
    ti.hwnd = parent;
    ti.uId = 6;
    ti.lpszText = const_cast<LPSTR>("Changed");
    SendMessage(tip, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(shownText(tip, parent, 6), "Changed");
    EXPECT_TRUE(IsWindowVisible(tip));

    SendMessage(tip, TTM_POP, 0, 0);
    EXPECT_FALSE(IsWindowVisible(tip));
    SendMessage(tip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    DestroyWindow(tip);
}

TEST_F(ToolTipTest, InactiveTipsAndInactiveWindowsShowNothing)
{
    struct Case {
        const char* name;
        DWORD style;
        bool activate;
        bool otherWindowActive;
        bool shown;
    } cases[] = {
        { "deactivated", TTS_ALWAYSTIP, false, false, false },
        { "owner not active", 0, true, true, false },
        { "owner not active, always tip", TTS_ALWAYSTIP, true, true, true },
        { "owner active", 0, true, false, true },
    };
    HWND other = CreateWindowEx(0, "ComctlTestParent", "other", WS_POPUP | WS_VISIBLE, 450, 0, 50, 50, nullptr,
        nullptr, nullptr, nullptr);
    for (const auto& c : cases) {
        SetActiveWindow(c.otherWindowActive ? other : parent);
        HWND tip = makeTip(c.style);
        addTool(tip, parent, 0, 1, { 0, 0, 40, 40 }, const_cast<LPSTR>("Tip"));
        SendMessage(tip, TTM_ACTIVATE, c.activate, 0);
        relayMove(tip, parent, 10, 10);
        screen.advance(1000ms);
        EXPECT_EQ(IsWindowVisible(tip) != FALSE, c.shown) << c.name;
        DestroyWindow(tip);
    }
    DestroyWindow(other);
}
