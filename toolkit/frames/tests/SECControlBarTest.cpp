// The toolkit's control bar: unique ids, the sizes it remembers, the gripper and its buttons on a bar
// docked in a frame, their tooltips, the child layout it scales, and its context commands.

#include "toolkit/frames/SECControlBar.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <ostream>
#include <vector>

#include "platform/afx/CDockBar.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CToolTipCtrl.h"
#include "platform/afx/CWinApp.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"
#include "toolkit/frames/tests/FramesTestFixture.h"
#include "toolkit/frames/tests/FramesTestGeometry.h"
#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/SECDockBar.h"
#include "toolkit/frames/SECFrameWnd.h"

using platform::user::TestScreen;

void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom << ")";
}

namespace {

constexpr UINT ID_BAR = 0xE860;
// The desktop program's docking tab bar: margins, flat borders, gripper, close and expand buttons.
constexpr DWORD kTabBarExStyle = 0x0F10;

class ControlBars : public DockingFrameTest {
protected:
    // A bar docked at the top of the frame, 60 pixels high.
    void DockAtTop(SECControlBar& bar, DWORD dwExStyle)
    {
        ASSERT_TRUE(bar.Create(m_frame, "bar", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, dwExStyle, ID_BAR));
        bar.m_szHorz = CSize(200, 60);
        bar.EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(&bar);
        m_frame->RecalcLayout();
        m_screen.pump();
    }
};

// A plain bar window with an id, for the frame's list of bars.
class IdBar : public CControlBar {
public:
    BOOL Create(CWnd* pParent, UINT nID)
    {
        return CWnd::Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 0, 0), pParent, nID);
    }
};

TEST_F(ControlBars, FindUniqueBarIDTakesTheFirstFreeIdOfAThousand)
{
    EXPECT_EQ(SECControlBar::FindUniqueBarID(nullptr, 100), 0U);
    EXPECT_EQ(SECControlBar::FindUniqueBarID(m_frame, 100), 100U);

    std::vector<std::unique_ptr<IdBar>> bars;
    auto addBars = [&](UINT first, UINT last) {
        for (UINT nID = first; nID <= last; ++nID) {
            bars.push_back(std::make_unique<IdBar>());
            ASSERT_TRUE(bars.back()->Create(m_frame, nID));
            m_frame->m_listControlBars.AddTail(bars.back().get());
        }
    };
    addBars(100, 1098);
    EXPECT_EQ(SECControlBar::FindUniqueBarID(m_frame, 100), 1099U);
    addBars(1099, 1099);
    // 1100 is free but beyond the thousand ids from the base.
    EXPECT_EQ(SECControlBar::FindUniqueBarID(m_frame, 100), 0U);
    m_frame->m_listControlBars.RemoveAll();
}

TEST_F(ControlBars, CalcDynamicLayoutCommitsTheLengthToTheModesSize)
{
    struct Case {
        DWORD mode;
        int length;
        CSize horz, vert, floating;
        UINT mruWidth;
        CSize result;
    };
    const Case cases[] = {
        // Without LM_COMMIT nothing changes; a docked mode answers the docked size.
        { LM_HORZDOCK | LM_HORZ, 77, { 300, 180 }, { 300, 180 }, { 300, 180 }, 32767, { 300, 180 } },
        // The stretched length is scaled by the row share (0.5), truncating.
        { LM_COMMIT | LM_STRETCH | LM_HORZDOCK | LM_HORZ, 101, { 50, 180 }, { 300, 180 }, { 300, 180 }, 32767,
            { 50, 180 } },
        { LM_COMMIT | LM_HORZDOCK | LM_LENGTHY, 90, { 300, 90 }, { 300, 180 }, { 300, 180 }, 32767, { 300, 180 } },
        { LM_COMMIT | LM_VERTDOCK | LM_LENGTHY, 90, { 300, 180 }, { 300, 90 }, { 300, 180 }, 32767, { 300, 90 } },
        // A committed floating width is also the most recent floating width.
        { LM_COMMIT, 140, { 300, 180 }, { 300, 180 }, { 140, 180 }, 140, { 140, 180 } },
        { LM_COMMIT | LM_LENGTHY, 70, { 300, 180 }, { 300, 180 }, { 300, 70 }, 32767, { 300, 70 } },
    };
    for (const Case& c : cases) {
        SECControlBar bar;
        bar.m_szHorz = bar.m_szVert = bar.m_szFloat = CSize(300, 180);
        bar.m_fPctWidth = 0.5F;
        const CSize result = bar.CalcDynamicLayout(c.length, c.mode);
        EXPECT_EQ(bar.m_szHorz, c.horz) << c.mode;
        EXPECT_EQ(bar.m_szVert, c.vert) << c.mode;
        EXPECT_EQ(bar.m_szFloat, c.floating) << c.mode;
        EXPECT_EQ(bar.m_nMRUWidth, c.mruWidth) << c.mode;
        EXPECT_EQ(result, c.result) << c.mode;
    }
}

TEST_F(ControlBars, AGripperAtTheLeftOfATopBarCarriesItsButtonsAndTheCloseButtonHidesTheBar)
{
    SECControlBar bar;
    DockAtTop(bar, kTabBarExStyle);
    ASSERT_FALSE(bar.IsFloating());
    // Alone in a share row, the bar takes the row's length and keeps its height.
    EXPECT_EQ(bar.m_szHorz.cy, 60);

    // The strip is 17 wide, one pixel in from the bordered client edge; its buttons start 3 below its
    // top, the close square from the strip's left + 2 to its right - 4, the expand square 2 below it.
    const int x = 1 + ((bar.GetBarStyle() & CBRS_BORDER_LEFT) ? 1 : 0);
    const int y = 1 + ((bar.GetBarStyle() & CBRS_BORDER_TOP) ? 1 : 0);
    EXPECT_EQ(bar.GetCloseButtonRect(), CRect(x + 2, y + 3, x + 13, y + 14));
    EXPECT_EQ(bar.GetExpandButtonRect(), CRect(x + 2, y + 16, x + 13, y + 27));
    // Alone in its row, expanding means nothing: the button is inactive, and a click on it is a click
    // on the bar (a drag that goes nowhere), which leaves the bar docked and its face unchanged.
    EXPECT_FALSE(bar.IsExpandButtonEnabled());
    const CPoint expand = OnScreen(bar, bar.GetExpandButtonRect().CenterPoint());
    m_screen.click(expand.x, expand.y);
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_EQ(::GetCapture(), nullptr);

    const CPoint close = OnScreen(bar, bar.GetCloseButtonRect().CenterPoint());
    m_screen.click(close.x, close.y);
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ControlBars, AllowDockingTwiceGivesTheBarItsDockStyleBack)
{
    SECControlBar bar;
    DockAtTop(bar, kTabBarExStyle | BARX_CONTEXT_MENU);
    bar.SendMessage(WM_COMMAND, ID_SEC_ALLOWDOCKING);
    EXPECT_EQ(bar.m_dwDockStyle & CBRS_ALIGN_ANY, 0U);
    EXPECT_TRUE(bar.IsFloating());
    bar.SendMessage(WM_COMMAND, ID_SEC_ALLOWDOCKING);
    EXPECT_EQ(bar.m_dwDockStyle & CBRS_ALIGN_ANY, CBRS_ALIGN_ANY);
    m_screen.pump();
}

TEST_F(ControlBars, ChildrenScaleFromTheLayoutRecordedOnceTheBarHasASize)
{
    // Created with an empty rectangle, the recorded client size is 0: scaling from it used to divide
    // by zero. The first real size becomes the reference instead.
    SECControlBar bar;
    ASSERT_TRUE(bar.Create(m_frame, "bar", WS_CHILD | WS_VISIBLE | CBRS_NOALIGN, BARX_SCALE_CHILDREN, ID_BAR));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(10, 20, 50, 40), &bar, 1));
    bar.SetWindowPos(nullptr, 0, 0, 100, 80, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(ChildRect(child, bar), CRect(10, 20, 50, 40));

    bar.SetWindowPos(nullptr, 0, 0, 200, 40, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(ChildRect(child, bar), CRect(20, 10, 100, 20));

    // Switching the style off frees the records: sizing no longer moves the child.
    bar.SetExBarStyle(0, FALSE);
    bar.SetWindowPos(nullptr, 0, 0, 100, 80, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(ChildRect(child, bar), CRect(20, 10, 100, 20));
}

TEST_F(ControlBars, AFilledChildTakesTheInsideOfAMarginedBar)
{
    SECControlBar bar;
    ASSERT_TRUE(bar.Create(m_frame, "bar", WS_CHILD | WS_VISIBLE | CBRS_NOALIGN, BARX_MARGINS | BARX_FILL_CHILD, ID_BAR));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5), &bar, 1));
    bar.SetWindowPos(nullptr, 0, 0, 120, 90, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(ChildRect(child, bar), CRect(10, 10, 110, 80));
    CRect inside;
    bar.GetInsideRect(inside);
    EXPECT_EQ(inside, CRect(10, 10, 110, 80));
    // Too small for the margins: the child gets no size rather than a negative one.
    bar.SetWindowPos(nullptr, 0, 0, 15, 15, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_TRUE(ChildRect(child, bar).IsRectEmpty());
}

// Moves the pointer and runs the messages as the application's loop does, pre-translation included,
// which is where the bars' tools are looked up.
void HoverThroughApp(CWinApp& app, CPoint point)
{
    platform::user::InjectMouseMove(point);
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!app.PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}

std::string ShownTip(TestScreen& screen, CWnd& bar, UINT_PTR nTool)
{
    screen.advance(std::chrono::milliseconds(1000));
    HWND hTip = screen.find(TOOLTIPS_CLASS);
    if (!hTip || !::IsWindowVisible(hTip))
        return {};
    char text[80] {};
    TOOLINFO ti;
    ti.hwnd = bar.m_hWnd;
    ti.uId = nTool;
    ti.lpszText = text;
    ::SendMessage(hTip, TTM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(&ti));
    return text;
}

TEST_F(ControlBars, GripperButtonsShowTheirTipsWhileTheBarIsDocked)
{
    SECControlBar first;
    SECControlBar second;
    DockAtTop(first, kTabBarExStyle);
    first.SetBarStyle(first.GetBarStyle() | CBRS_TOOLTIPS);
    ASSERT_TRUE(second.Create(m_frame, "second", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC,
        kTabBarExStyle, ID_BAR + 1));
    second.EnableDocking(CBRS_ALIGN_ANY);
    first.GetSECDockBar()->DockControlBar(&second, 1, 0);
    m_frame->RecalcLayout();
    m_screen.pump();
    ASSERT_TRUE(first.IsExpandButtonEnabled());

    HoverThroughApp(m_app, OnScreen(first, first.GetCloseButtonRect().CenterPoint()));
    EXPECT_EQ(ShownTip(m_screen, first, SEC_TOOLID_CLOSE), "Hide docked window");
    HoverThroughApp(m_app, OnScreen(first, first.GetExpandButtonRect().CenterPoint()));
    EXPECT_EQ(ShownTip(m_screen, first, SEC_TOOLID_EXPAND), "Expand docked window");

    // Expanded, the same button offers to contract the bar again.
    const CPoint expand = OnScreen(first, first.GetExpandButtonRect().CenterPoint());
    m_screen.click(expand.x, expand.y);
    m_frame->RecalcLayout();
    m_screen.pump();
    EXPECT_TRUE(first.GetSECDockBar()->IsBarExpanded(&first));
    HoverThroughApp(m_app, OnScreen(*m_frame, CPoint(200, 250)));
    HoverThroughApp(m_app, OnScreen(first, first.GetExpandButtonRect().CenterPoint()));
    EXPECT_EQ(ShownTip(m_screen, first, SEC_TOOLID_EXPAND), "Contract docked window");

    // A floating bar has no gripper and so no button tips.
    m_frame->FloatControlBar(&second, CPoint(450, 50), CBRS_ALIGN_TOP);
    m_screen.pump();
    TOOLINFO ti;
    EXPECT_EQ(second.OnToolHitTest(second.GetCloseButtonRect().CenterPoint(), &ti), -1);
}

} // namespace
