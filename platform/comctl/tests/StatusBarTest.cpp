#include <gtest/gtest.h>

#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/tests/ComctlTestSupport.h"
#include "platform/user/TestScreen.h"

using comctltest::parentLog;

namespace {

class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override { parent = comctltest::MakeParent(400, 300); }

    // The windows outlive the fixture's members (the screen goes last), so nothing may answer for them.
    void TearDown() override { comctltest::parentLog() = comctltest::ParentLog {}; }

    HWND make(DWORD style, int x = 0, int y = 0, int w = 0, int h = 0)
    {
        return CreateWindowEx(0, STATUSCLASSNAME, "ready", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
            reinterpret_cast<HMENU>(100), nullptr, nullptr);
    }
    RECT placed(HWND bar) const
    {
        RECT r {};
        GetWindowRect(bar, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    RECT part(HWND bar, int i) const
    {
        RECT r { -1, -1, -1, -1 };
        EXPECT_TRUE(SendMessage(bar, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)));
        return r;
    }

    platform::user::TestScreen screen { 640, 480 };
    HWND parent { nullptr };
};

} // namespace

TEST_F(StatusBarTest, DocksAtTheBottomAndLaysOutItsParts)
{
    HWND bar = make(SBARS_SIZEGRIP);
    ASSERT_NE(bar, nullptr);
    RECT r = placed(bar);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 400);
    EXPECT_EQ(r.bottom, 300);
    const int height = r.bottom - r.top;

    const int rights[] = { 100, 200, -1 };
    ASSERT_TRUE(SendMessage(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rights)));
    int borders[3] {};
    SendMessage(bar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    EXPECT_EQ(borders[1], 2);
    EXPECT_EQ(borders[2], 2);
    struct {
        int left, right;
    } expected[] = { { 0, 100 }, { 100 + borders[2], 200 }, { 200 + borders[2], 400 } };
    for (int i = 0; i < 3; ++i) {
        RECT p = part(bar, i);
        EXPECT_EQ(p.left, expected[i].left) << i;
        EXPECT_EQ(p.right, expected[i].right) << i;
        EXPECT_EQ(p.top, borders[1]);
        EXPECT_EQ(p.bottom, height - borders[1]);
    }
    RECT none {};
    EXPECT_FALSE(SendMessage(bar, SB_GETRECT, 3, reinterpret_cast<LPARAM>(&none)));
    EXPECT_EQ(SendMessage(bar, SB_GETPARTS, 0, 0), 3);

    // A taller minimum takes effect at the next size the parent passes on.
    SendMessage(bar, SB_SETMINHEIGHT, 40, 0);
    SetWindowPos(parent, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    SendMessage(bar, WM_SIZE, 0, 0);
    r = placed(bar);
    EXPECT_EQ(r.bottom - r.top, 40 + 2 * borders[1]);
    EXPECT_EQ(r.right, 300);
    EXPECT_EQ(r.bottom, 200);
}

TEST_F(StatusBarTest, TheOwnersLayoutStylesKeepItWhereItWasPut)
{
    // No moving, no resizing, no parent alignment: the frame lays the bar out itself.
    HWND bar = make(CCS_NOMOVEY | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 10, 20, 150, 25);
    SendMessage(bar, WM_SIZE, 0, 0);
    RECT r = placed(bar);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 160);
    EXPECT_EQ(r.bottom, 45);
}

TEST_F(StatusBarTest, TextsKindsAndOwnerDrawnParts)
{
    HWND bar = make(0);
    const int rights[] = { 100, 200, -1 };
    SendMessage(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rights));

    char text[32] {};
    LRESULT got = SendMessage(bar, SB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "ready"); // the window name is the first part's text
    EXPECT_EQ(LOWORD(got), 5);

    EXPECT_TRUE(SendMessage(bar, SB_SETTEXT, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>("left\tmiddle")));
    got = SendMessage(bar, SB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "left\tmiddle");
    EXPECT_EQ(LOWORD(got), 11);
    EXPECT_EQ(HIWORD(got), SBT_POPOUT);
    EXPECT_EQ(SendMessage(bar, SB_GETTEXTLENGTH, 1, 0), MAKELRESULT(11, SBT_POPOUT));
    EXPECT_FALSE(SendMessage(bar, SB_SETTEXT, 3, reinterpret_cast<LPARAM>("nowhere")));

    SendMessage(bar, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("busy"));
    EXPECT_EQ(GetWindowTextLength(bar), 4);

    // An owner-drawn part hands its value to the parent's WM_DRAWITEM with the part's place.
    std::vector<DRAWITEMSTRUCT> drawn;
    parentLog().other = [&](UINT m, WPARAM, LPARAM l) {
        if (m == WM_DRAWITEM)
            drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(l));
    };
    SendMessage(bar, SB_SETTEXT, 2 | SBT_OWNERDRAW, 1234);
    EXPECT_EQ(SendMessage(bar, SB_GETTEXT, 2, 0), 1234);
    screen.pump();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].CtlID, 100u);
    EXPECT_EQ(drawn[0].itemID, 2u);
    EXPECT_EQ(drawn[0].itemData, 1234u);
    EXPECT_GE(drawn[0].rcItem.left, 200);
    parentLog().other = nullptr;

    SendMessage(bar, SB_SIMPLE, TRUE, 0);
    EXPECT_TRUE(SendMessage(bar, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(comctltest::codes(), std::vector<UINT> { SBN_SIMPLEMODECHANGE });
}
