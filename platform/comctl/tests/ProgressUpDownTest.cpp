#include <gtest/gtest.h>

#include <chrono>

#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/tests/ComctlTestSupport.h"
#include "platform/user/TestScreen.h"

using comctltest::parentLog;
using namespace std::chrono_literals;

namespace {

class Controls : public ::testing::Test {
protected:
    void SetUp() override { parent = comctltest::MakeParent(300, 200); }

    // The windows outlive the fixture's members (the screen goes last), so nothing may answer for them.
    void TearDown() override { comctltest::parentLog() = comctltest::ParentLog {}; }

    HWND make(LPCSTR cls, DWORD style, int x, int y, int w, int h, int id)
    {
        return CreateWindowEx(0, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    std::string text(HWND h) const
    {
        char buffer[64] {};
        GetWindowText(h, buffer, sizeof buffer);
        return buffer;
    }

    platform::user::TestScreen screen { 640, 480 };
    HWND parent { nullptr };
};

} // namespace

TEST_F(Controls, ProgressBarKeepsItsPositionInRange)
{
    HWND bar = make(PROGRESS_CLASS, PBS_SMOOTH, 10, 10, 102, 12, 1);
    EXPECT_EQ(SendMessage(bar, PBM_SETRANGE32, 0, 50), MAKELRESULT(0, 100));
    EXPECT_EQ(SendMessage(bar, PBM_SETPOS, 80, 0), 0);
    EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 50); // clamped to the new top
    EXPECT_EQ(SendMessage(bar, PBM_DELTAPOS, static_cast<WPARAM>(-60), 0), 50);
    EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 0);
    SendMessage(bar, PBM_SETSTEP, 20, 0);
    for (int i = 0; i < 3; ++i)
        SendMessage(bar, PBM_STEPIT, 0, 0);
    EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 10); // 60 wraps round to 10
    PBRANGE range;
    EXPECT_EQ(SendMessage(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 0);
    EXPECT_EQ(range.iHigh, 50);

    // Half way: the left half of the well is in the bar colour, the right half is not.
    SendMessage(bar, PBM_SETPOS, 25, 0);
    screen.pump();
    EXPECT_EQ(screen.pixel(10 + 30, 16), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_NE(screen.pixel(10 + 80, 16), GetSysColor(COLOR_HIGHLIGHT));
    // An empty range draws no bar rather than dividing by zero.
    SendMessage(bar, PBM_SETRANGE32, 5, 5);
    screen.pump();
    EXPECT_NE(screen.pixel(10 + 30, 16), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(Controls, UpDownStepsTheBuddyAndTheParentCanRefuse)
{
    HWND buddy = make("ComctlTestParent", 0, 10, 10, 60, 20, 10);
    HWND spin = make(UPDOWN_CLASS, UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0, 16, 20, 11);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(spin, UDM_GETBUDDY, 0, 0)), buddy);
    SendMessage(spin, UDM_SETRANGE32, 1, 3);
    SendMessage(spin, UDM_SETPOS32, 0, 2);
    EXPECT_EQ(text(buddy), "2");

    // Beside the buddy, in the space it had.
    RECT b {};
    RECT s {};
    GetWindowRect(buddy, &b);
    GetWindowRect(spin, &s);
    EXPECT_EQ(b.right, s.left);
    EXPECT_EQ(s.right, 70);

    // The up arrow: one step, announced first, then the scroll message.
    std::vector<NMUPDOWN> asked;
    bool refuse = false;
    parentLog().answer = [&](NMHDR* h) -> LRESULT {
        if (h->code == UDN_DELTAPOS)
            asked.push_back(*reinterpret_cast<NMUPDOWN*>(h));
        return refuse;
    };
    screen.click(s.left + 8, s.top + 3);
    EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, 0), 3);
    EXPECT_EQ(text(buddy), "3");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].iPos, 2);
    EXPECT_EQ(asked[0].iDelta, 1);

    // A refused step keeps the position, from the mouse and from the buddy's arrow keys.
    refuse = true;
    screen.click(s.left + 8, s.bottom - 3);
    SetFocus(buddy);
    screen.key(VK_DOWN);
    EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, 0), 3);
    EXPECT_EQ(text(buddy), "3");
    EXPECT_EQ(asked.size(), 3u);

    refuse = false;
    screen.key(VK_DOWN);
    EXPECT_EQ(text(buddy), "2");

    // Text typed into the buddy is what the position reads; no number is an error.
    SetWindowText(buddy, "1");
    EXPECT_EQ(SendMessage(spin, UDM_GETPOS, 0, 0), MAKELRESULT(1, 0));
    SetWindowText(buddy, "x");
    EXPECT_EQ(HIWORD(SendMessage(spin, UDM_GETPOS, 0, 0)), 1);
}

TEST_F(Controls, UpDownAcceleratesWhileHeld)
{
    HWND spin = make(UPDOWN_CLASS, 0, 100, 100, 16, 30, 12);
    SendMessage(spin, UDM_SETRANGE32, 0, 1000);
    const UDACCEL accel[] = { { 0, 1 }, { 2, 2 }, { 2, 4 }, { 6, 100 } };
    ASSERT_TRUE(SendMessage(spin, UDM_SETACCEL, 4, reinterpret_cast<LPARAM>(accel)));
    std::vector<int> deltas;
    parentLog().answer = [&](NMHDR* h) -> LRESULT {
        if (h->code == UDN_DELTAPOS)
            deltas.push_back(reinterpret_cast<NMUPDOWN*>(h)->iDelta);
        return 0;
    };
    screen.moveTo(108, 105);
    screen.press();
    screen.advance(500ms); // first repeat
    screen.advance(1600ms); // 2.1 s held: the last entry for 2 s wins
    screen.advance(4000ms); // 6.1 s held
    screen.release();
    ASSERT_GE(deltas.size(), 4u);
    EXPECT_EQ(deltas[0], 1);
    EXPECT_EQ(deltas[1], 1);
    EXPECT_EQ(deltas[2], 4);
    EXPECT_EQ(deltas.back(), 100);
    const size_t after = deltas.size();
    screen.advance(1000ms);
    EXPECT_EQ(deltas.size(), after); // released: no more steps
}

TEST_F(Controls, UpDownRangeEndsClampOrWrap)
{
    struct Case {
        DWORD style;
        int from;
        bool up;
        int expected;
    } cases[] = {
        { 0, 5, true, 5 },
        { 0, 0, false, 0 },
        { UDS_WRAP, 5, true, 0 },
        { UDS_WRAP, 0, false, 5 },
    };
    int id = 20;
    for (const auto& c : cases) {
        HWND spin = make(UPDOWN_CLASS, c.style, 200, 10, 16, 30, id++);
        SendMessage(spin, UDM_SETRANGE, 0, MAKELPARAM(5, 0));
        SendMessage(spin, UDM_SETPOS, 0, MAKELPARAM(c.from, 0));
        screen.click(208, c.up ? 12 : 37);
        EXPECT_EQ(LOWORD(SendMessage(spin, UDM_GETPOS, 0, 0)), c.expected) << c.style << " " << c.from;
        DestroyWindow(spin);
    }
}
