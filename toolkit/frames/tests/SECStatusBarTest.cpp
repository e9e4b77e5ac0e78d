// The frame's status bar: indicator panes and how they share the bar's width, lazy texts that reach
// the control once, disabled panes, the message pane behind the window text, the fixed size, the size
// grip, the update handlers, and a picture of the panes with a progress control in one of them.

#include "toolkit/frames/SECStatusBar.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/comctl/CommCtrl.h"
#include "toolkit/frames/SECStatusCmdUI.h"
#include "toolkit/frames/tests/FramesTestFixture.h"
#include "toolkit/frames/tests/FramesTestGeometry.h"

namespace {

// Ids without strings: their panes are as wide as two blanks.
constexpr UINT ID_PANE_A = 0xE870;
constexpr UINT ID_PANE_B = 0xE871;

// Counts the texts the bar gives its control.
class CountingStatusBar : public SECStatusBar {
public:
    int m_nSetTexts { 0 };
    std::vector<bool> m_nullTexts;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == SB_SETTEXT) {
            ++m_nSetTexts;
            m_nullTexts.push_back(lParam == 0);
        }
        return SECStatusBar::WindowProc(nMsg, wParam, lParam);
    }
};

class StatusBar : public DockingFrameTest {
protected:
    StatusBar() { m_dwDockSides = 0; }
    // A bar of the given width with the given indicators.
    void Make(std::vector<UINT> ids, int cx = 1000)
    {
        ASSERT_TRUE(m_bar.Create(m_frame));
        m_bar.MoveWindow(0, 0, cx, 24);
        ASSERT_TRUE(m_bar.SetIndicators(ids.data(), static_cast<int>(ids.size())));
        m_screen.pump();
    }
    std::vector<int> Rights()
    {
        std::vector<int> rights(static_cast<size_t>(m_bar.SendMessage(SB_GETPARTS, 0, 0)));
        m_bar.SendMessage(SB_GETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
        return rights;
    }
    std::vector<int> Borders()
    {
        std::vector<int> borders(3);
        m_bar.SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders.data()));
        return borders;
    }
    // The width of the panes that keep their text width: two blanks and the margin.
    int BlankWidth() { return m_bar.GetPaneWidth(m_bar.CommandToIndex(ID_PANE_A)) + 6; }

    CountingStatusBar m_bar;
};

TEST_F(StatusBar, TheMessagePaneStretchesOverTheSpareWidthAndTheOthersKeepTheirTextWidth)
{
    Make({ 0, ID_PANE_A, ID_PANE_B });
    EXPECT_EQ(m_bar.GetPaneStyle(0), SBPS_NOBORDERS | SBPS_STRETCH);
    EXPECT_EQ(m_bar.GetPaneStyle(1), 0U);
    EXPECT_EQ(m_bar.GetPaneText(1), "  ");
    EXPECT_GT(m_bar.GetPaneWidth(1), 0);
    const std::vector<int> rights = Rights();
    const std::vector<int> borders = Borders();
    ASSERT_EQ(rights.size(), 3U);
    CRect inside(0, 0, 1000, 24);
    m_bar.CalcInsideRect(inside, TRUE);
    // The last pane ends where the inside rectangle does, so pane 0 took all the spare width.
    EXPECT_EQ(rights[2], inside.right);
    EXPECT_EQ(rights[2] - rights[1] - borders[2], BlankWidth());
    EXPECT_EQ(rights[1] - rights[0] - borders[2], BlankWidth());
    EXPECT_EQ(m_bar.CommandToIndex(ID_PANE_B), 2);
    EXPECT_EQ(m_bar.CommandToIndex(0x1234), -1);
}

TEST_F(StatusBar, TwoStretchPanesShareTheSpareWidthTheFirstTakingTheIntegerHalf)
{
    Make({ 0, ID_PANE_A, ID_PANE_B }, 1001);
    m_bar.SetPaneStyle(2, SBPS_STRETCH);
    const std::vector<int> rights = Rights();
    const std::vector<int> borders = Borders();
    CRect inside(0, 0, 1001, 24);
    m_bar.CalcInsideRect(inside, TRUE);
    int spare = inside.Width() + borders[2];
    for (int i = 0; i < 3; ++i)
        spare -= m_bar.GetPaneWidth(i) + 6 + borders[2];
    ASSERT_GT(spare, 1);
    EXPECT_EQ(rights[0], borders[0] + m_bar.GetPaneWidth(0) + 6 + spare / 2);
    EXPECT_EQ(rights[2] - rights[1] - borders[2], BlankWidth() + spare - spare / 2);
    EXPECT_EQ(rights[2], inside.right);
}

TEST_F(StatusBar, TextsReachTheControlOnceAndADisabledPaneShowsNothingButKeepsItsText)
{
    Make({ 0, ID_PANE_A });
    m_bar.m_nSetTexts = 0;
    EXPECT_TRUE(m_bar.SetPaneText(1, "NUM"));
    EXPECT_TRUE(m_bar.SetPaneText(1, "NUM"));
    EXPECT_EQ(m_bar.m_nSetTexts, 1);
    // Without update the text waits for the next paint.
    EXPECT_TRUE(m_bar.SetPaneText(1, "CAP", FALSE));
    EXPECT_EQ(m_bar.m_nSetTexts, 1);
    m_bar.UpdateAllPanes(FALSE, TRUE);
    EXPECT_EQ(m_bar.m_nSetTexts, 2);
    char text[16] {};
    m_bar.SendMessage(SB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "CAP");

    SECStatusCmdUI state(m_bar);
    state.m_nIndex = 1;
    state.Enable(FALSE);
    EXPECT_TRUE(m_bar.m_nullTexts.back());
    EXPECT_EQ(m_bar.GetPaneText(1), "CAP");
    state.Enable(TRUE);
    EXPECT_FALSE(m_bar.m_nullTexts.back());
    m_bar.SendMessage(SB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "CAP");
    state.SetCheck(1);
    EXPECT_EQ(m_bar.GetPaneStyle(1), SBPS_POPOUT);
    state.SetCheck(0);
    EXPECT_EQ(m_bar.GetPaneStyle(1), 0U);
    // Panes that do not exist are refused, not touched.
    EXPECT_FALSE(m_bar.SetPaneText(7, "x"));
    m_bar.SetPaneStyle(-1, SBPS_STRETCH);
    EXPECT_EQ(m_bar.GetPaneStyle(-1), 0U);
}

TEST_F(StatusBar, TheWindowTextIsTheMessagePane)
{
    Make({ ID_PANE_A, 0 });
    EXPECT_EQ(m_bar.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Ready")), 0);
    EXPECT_EQ(m_bar.GetPaneText(1), "Ready");
    EXPECT_EQ(m_bar.SendMessage(WM_GETTEXTLENGTH, 0, 0), 5);
    char text[4] { 'x', 'x', 'x', 'x' };
    // At most the buffer less one, terminated; the answer counts the terminator.
    EXPECT_EQ(m_bar.SendMessage(WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 4);
    EXPECT_STREQ(text, "Rea");
    EXPECT_EQ(m_bar.SendMessage(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(text)), 0);

    ASSERT_TRUE(m_bar.SetIndicators(std::vector<UINT> { ID_PANE_A }.data(), 1));
    EXPECT_EQ(m_bar.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Ready")), -1);
    EXPECT_EQ(m_bar.SendMessage(WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_EQ(m_bar.SendMessage(WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 1);
    EXPECT_STREQ(text, "");
}

TEST_F(StatusBar, OnlyAHorizontalBarHasAFixedSizeAndTheMinimumHeightHolds)
{
    Make({ 0 });
    EXPECT_EQ(m_bar.CalcFixedLayout(TRUE, FALSE), CSize(0, 0));
    const CSize size = m_bar.CalcFixedLayout(TRUE, TRUE);
    EXPECT_EQ(size.cx, 32767);
    EXPECT_GT(size.cy, 0);
    m_bar.SendMessage(SB_SETMINHEIGHT, static_cast<WPARAM>(size.cy + 20), 0);
    EXPECT_EQ(m_bar.CalcFixedLayout(TRUE, TRUE).cy, size.cy + 20);
}

class StatusBarInSizableFrame : public StatusBar {
protected:
    StatusBarInSizableFrame() { m_dwFrameStyle = WS_POPUP | WS_VISIBLE | WS_THICKFRAME; }
};

TEST_F(StatusBarInSizableFrame, TheSizeGripShortensTheInsideRectangle)
{
    Make({ 0 });
    ASSERT_TRUE(m_bar.GetStyle() & SBARS_SIZEGRIP);
    CRect inside(0, 0, 400, 24);
    m_bar.CalcInsideRect(inside, TRUE);
    EXPECT_EQ(inside.right, 400 - Borders()[0] - ::GetSystemMetrics(SM_CXVSCROLL) - 2 * ::GetSystemMetrics(SM_CXBORDER));
}

TEST_F(StatusBar, WithoutASizeGripTheInsideRectangleKeepsItsWidth)
{
    Make({ 0 });
    EXPECT_FALSE(m_bar.GetStyle() & SBARS_SIZEGRIP);
    CRect inside(0, 0, 400, 24);
    m_bar.CalcInsideRect(inside, TRUE);
    EXPECT_EQ(inside.right, 400);
}

// A frame that answers the update of one pane: it disables it.
class UpdatingFrame : public SECFrameWnd {
public:
    afx_msg void OnUpdatePaneA(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(UpdatingFrame, SECFrameWnd)
ON_UPDATE_COMMAND_UI(ID_PANE_A, OnUpdatePaneA)
END_MESSAGE_MAP()

TEST(StatusBarUpdate, TheFramesUpdateHandlersSetThePaneStates)
{
    platform::user::TestScreen screen { 640, 480 };
    CWinApp app { "status" };
    auto* frame = new UpdatingFrame;
    ASSERT_TRUE(frame->Create(nullptr, "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300)));
    SECStatusBar bar;
    ASSERT_TRUE(bar.Create(frame));
    const UINT ids[] = { 0, ID_PANE_A, ID_PANE_B };
    ASSERT_TRUE(bar.SetIndicators(ids, 3));
    // The frame's idle update asks to disable what no one handles; panes without a handler still keep
    // their text, or the message pane would never show its prompt.
    for (BOOL disableIfNoHandler : { FALSE, TRUE }) {
        bar.OnUpdateCmdUI(frame, disableIfNoHandler);
        EXPECT_EQ(bar.GetPaneStyle(0), SBPS_NOBORDERS | SBPS_STRETCH);
        EXPECT_EQ(bar.GetPaneStyle(1), SBPS_DISABLED);
        EXPECT_EQ(bar.GetPaneStyle(2), 0u);
    }
    frame->DestroyWindow();
    screen.pump();
}

TEST_F(StatusBar, PanesAndAProgressPaneMatchTheGolden)
{
    Make({ 0, ID_PANE_A, 0 }, 400);
    m_bar.SetWindowText("Importing albums");
    m_bar.SetPaneText(1, "NUM");
    m_frame->RecalcLayout();
    m_screen.pump();
    CRect rectPane;
    m_bar.GetItemRect(2, rectPane);
    ASSERT_FALSE(rectPane.IsRectEmpty());
    CWnd progress;
    ASSERT_TRUE(progress.Create(PROGRESS_CLASS, nullptr, WS_CHILD | WS_VISIBLE, rectPane, &m_bar, 1));
    progress.SendMessage(PBM_SETPOS, 60, 0);
    m_screen.pump();
    CRect rectBar;
    m_bar.GetWindowRect(rectBar);
    EXPECT_EQ(m_screen.compareWithGolden(rectBar, Golden("status-bar.png")), "");
    progress.DestroyWindow();
}

} // namespace
