#include <gtest/gtest.h>

#include <ostream>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CControlBar.h"
#include "platform/afx/CControlBarInfo.h"
#include "platform/afx/CDockBar.h"
#include "platform/afx/CDockState.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/CMiniDockFrameWnd.h"
#include "platform/afx/CView.h"
#include "platform/afx/CWinApp.h"
#include "platform/user/TestScreen.h"

using platform::user::TestScreen;

void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom << ")";
}

void PrintTo(const CPoint& point, std::ostream* os) { *os << "(" << point.x << "," << point.y << ")"; }

namespace {

constexpr UINT ID_TOP_BAR = 0xE850;
constexpr UINT ID_LEFT_BAR = 0xE851;
constexpr UINT ID_BOTTOM_BAR = 0xE852;

// A bar of a fixed thickness that stretches along its side.
class CTestBar : public CControlBar {
public:
    explicit CTestBar(int thickness, int length = 40)
        : m_thickness(thickness)
        , m_length(length)
    {
    }
    BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID)
    {
        m_dwStyle = dwStyle & CBRS_ALL;
        return CWnd::Create(nullptr, "bar", (dwStyle & ~CBRS_ALL) | WS_CHILD, CRect(0, 0, 0, 0), pParent, nID);
    }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        const int length = bStretch ? 32767 : m_length;
        return bHorz ? CSize(length, m_thickness) : CSize(m_thickness, length);
    }
    int m_thickness;
    int m_length;
};

// A bar that hides at once when asked for a delayed hide.
class CEagerBar : public CTestBar {
public:
    using CTestBar::CTestBar;
    void DelayShow(BOOL bShow) override
    {
        if (!bShow && (GetStyle() & WS_VISIBLE))
            ShowWindow(SW_HIDE);
        CTestBar::DelayShow(bShow);
    }
};

class CPane : public CView {
    DECLARE_DYNCREATE(CPane)
};
IMPLEMENT_DYNCREATE(CPane, CView)

CRect RectIn(CWnd& wnd, CWnd* parent)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    parent->ScreenToClient(&rect);
    return rect;
}

class Bars : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300)));
        pane = new CPane;
        ASSERT_TRUE(pane->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST));
        frame->GetClientRect(&client);
    }
    void TearDown() override
    {
        if (::IsWindow(frameHandle()))
            frame->DestroyWindow();
        screen.pump();
    }
    HWND frameHandle() const { return frame->m_hWnd; }

    TestScreen screen { 800, 600 };
    CWinApp app { "bars" };
    CFrameWnd* frame { nullptr };
    CPane* pane { nullptr };
    CRect client;
    CTestBar top { 20 };
    CTestBar left { 30 };
    CTestBar bottom { 16 };
    CTestBar tools { 20, 80 };
};

} // namespace

TEST_F(Bars, TheFrameLaysItsBarsOutThroughSizeParentAndGivesTheViewTheRest)
{
    ASSERT_TRUE(top.Create(frame, WS_VISIBLE | CBRS_TOP, ID_TOP_BAR));
    ASSERT_TRUE(left.Create(frame, WS_VISIBLE | CBRS_LEFT, ID_LEFT_BAR));
    EXPECT_EQ(frame->GetControlBar(ID_TOP_BAR), &top);
    EXPECT_EQ(top.m_pDockSite, frame);
    frame->RecalcLayout();
    EXPECT_EQ(RectIn(top, frame), CRect(0, 0, client.right, 20));
    EXPECT_EQ(RectIn(left, frame), CRect(0, 20, 30, client.bottom));
    EXPECT_EQ(RectIn(*pane, frame), CRect(30, 20, client.right, client.bottom));

    // A query measures without moving anything.
    CRect measured(0, 0, 32767, 32767);
    frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &measured, &measured, FALSE);
    // Unstretched: the top bar's 40x20 above the left bar's 30x40.
    EXPECT_EQ(measured, CRect(0, 0, 40 + 30, 40));

    // A delayed hide takes effect at the frame's next idle layout.
    frame->ShowControlBar(&top, FALSE, TRUE);
    EXPECT_TRUE(top.IsWindowVisible());
    EXPECT_FALSE(top.IsVisible());
    frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(top.IsWindowVisible());
    EXPECT_EQ(RectIn(*pane, frame), CRect(30, 0, client.right, client.bottom));

    // The standard toggle command shows it again at once.
    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_EQ(top.IsWindowVisible(), FALSE); // the toggle is for the bar with the toolbar's id
    EXPECT_TRUE(frame->OnBarCheck(ID_TOP_BAR));
    EXPECT_TRUE(top.IsWindowVisible());
    EXPECT_EQ(RectIn(*pane, frame), CRect(30, 20, client.right, client.bottom));
}

TEST_F(Bars, ABarsOwnDelayShowTakesTheFramesRequests)
{
    CEagerBar eager { 20 };
    ASSERT_TRUE(eager.Create(frame, WS_VISIBLE | CBRS_TOP, ID_TOP_BAR));
    frame->RecalcLayout();
    frame->ShowControlBar(&eager, FALSE, TRUE);
    EXPECT_FALSE(eager.IsWindowVisible()) << "hidden before any layout";
    EXPECT_FALSE(eager.IsVisible());
    frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(RectIn(*pane, frame), client);
}

TEST_F(Bars, BarsDockInRowsAndFloatInAMiniFrame)
{
    frame->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(top.Create(frame, WS_VISIBLE | CBRS_TOP, ID_TOP_BAR));
    ASSERT_TRUE(bottom.Create(frame, WS_VISIBLE | CBRS_TOP, ID_BOTTOM_BAR));
    top.EnableDocking(CBRS_ALIGN_ANY);
    bottom.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&top);
    frame->DockControlBar(&bottom);
    frame->RecalcLayout();

    auto* dockTop = static_cast<CDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
    ASSERT_NE(dockTop, nullptr);
    EXPECT_EQ(top.GetParent(), dockTop);
    EXPECT_EQ(top.m_pDockBar, dockTop);
    EXPECT_EQ(dockTop->GetDockedCount(), 2);
    // Two rows: each bar overlaps the row above by the border.
    const CRect topRect = RectIn(top, dockTop);
    const CRect secondRect = RectIn(bottom, dockTop);
    EXPECT_EQ(topRect.top, -2);
    EXPECT_EQ(secondRect.top, topRect.top + 20 - 2);
    // The rows overlap by the border, and the dock bar has its own border below them.
    EXPECT_EQ(RectIn(*dockTop, frame).Height(), -2 + (20 - 2) + (16 - 2) + 2);
    EXPECT_EQ(RectIn(*pane, frame).top, RectIn(*dockTop, frame).bottom);

    // Floating takes the bar into a mini frame; leaving it keeps a place holder in the row.
    ::SetActiveWindow(frame->m_hWnd);
    frame->FloatControlBar(&bottom, CPoint(200, 150));
    EXPECT_TRUE(bottom.IsFloating());
    EXPECT_EQ(dockTop->GetDockedCount(), 1);
    CFrameWnd* floating = bottom.GetParentFrame();
    ASSERT_NE(floating, nullptr);
    EXPECT_TRUE(floating->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    EXPECT_NE(dockTop->FindBar(reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(ID_BOTTOM_BAR))), -1);
    // Floated without a style, a bar lies along the top of its frame, as it was docked.
    EXPECT_EQ(bottom.m_dwStyle & CBRS_ALIGN_ANY, CBRS_ALIGN_TOP);
    EXPECT_GT(RectIn(bottom, floating).Width(), RectIn(bottom, floating).Height());
    // The palette's caption is active with its owner from the start.
    screen.pump();
    CRect palette;
    floating->GetWindowRect(&palette);
    EXPECT_EQ(::GetActiveWindow(), frame->m_hWnd);
    EXPECT_EQ(screen.pixel(palette.CenterPoint().x, palette.top + 6), ::GetSysColor(COLOR_ACTIVECAPTION));

    // Docking back fills the place holder and the floating frame goes.
    const HWND floatingHandle = floating->m_hWnd;
    frame->ReDockControlBar(&bottom, nullptr);
    EXPECT_FALSE(bottom.IsFloating());
    EXPECT_EQ(bottom.m_pDockBar, dockTop);
    EXPECT_EQ(dockTop->GetDockedCount(), 2);
    EXPECT_FALSE(::IsWindow(floatingHandle));
}

TEST_F(Bars, AFloatingBarRidesAboveItsFrameAndSharesItsActiveCaption)
{
    // A captioned main frame with the bar floated beside its view, and another program's window.
    frame->ModifyStyle(WS_POPUP, WS_OVERLAPPEDWINDOW, SWP_FRAMECHANGED);
    frame->MoveWindow(10, 10, 220, 150);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(tools.Create(frame, WS_VISIBLE | CBRS_TOP, ID_TOP_BAR));
    tools.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&tools);
    frame->FloatControlBar(&tools, CPoint(150, 90));
    CFrameWnd* palette = tools.GetParentFrame();
    ASSERT_NE(palette, nullptr);
    palette->SetWindowText("Tools");
    const HWND other = ::CreateWindowEx(0, AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_WINDOW)), "Other",
        WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 100, 200, 110, nullptr, nullptr, nullptr, nullptr);
    screen.pump();
    ASSERT_EQ(::GetActiveWindow(), other);
    const auto above = [](HWND upper, HWND lower) {
        for (HWND h = ::GetWindow(upper, GW_HWNDNEXT); h; h = ::GetWindow(h, GW_HWNDNEXT))
            if (h == lower)
                return true;
        return false;
    };
    ASSERT_TRUE(above(other, palette->m_hWnd));

    // A click on the main frame's caption brings the palette up with it, active as its owner is.
    screen.click(40, 18);
    EXPECT_EQ(::GetActiveWindow(), frameHandle());
    EXPECT_TRUE(above(palette->m_hWnd, frameHandle()));
    EXPECT_TRUE(above(frameHandle(), other));
    CRect bar;
    palette->GetWindowRect(&bar);
    EXPECT_EQ(::WindowFromPoint(CPoint(bar.left + 20, bar.top + 6)), palette->m_hWnd);
    EXPECT_EQ(screen.compareWithGolden(CRect(0, 0, 270, 220), TS_AFX_GOLDEN_DIR "/FloatingAboveOwner.png"), "");
    ::DestroyWindow(other);
}

TEST_F(Bars, DockStateSurvivesTheArchiveAndTheProfile)
{
    frame->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(top.Create(frame, WS_VISIBLE | CBRS_TOP, ID_TOP_BAR));
    ASSERT_TRUE(left.Create(frame, WS_VISIBLE | CBRS_LEFT, ID_LEFT_BAR));
    top.EnableDocking(CBRS_ALIGN_ANY);
    left.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&top);
    frame->DockControlBar(&left);
    frame->RecalcLayout();
    frame->ShowControlBar(&left, FALSE, FALSE);

    CDockState saved;
    frame->GetDockState(saved);
    ASSERT_GT(saved.m_arrBarInfo.GetSize(), 0);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        saved.Serialize(ar);
    }
    file.SeekToBegin();
    CDockState loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    ASSERT_EQ(loaded.m_arrBarInfo.GetSize(), saved.m_arrBarInfo.GetSize());
    for (INT_PTR i = 0; i < saved.m_arrBarInfo.GetSize(); ++i) {
        auto* a = static_cast<CControlBarInfo*>(saved.m_arrBarInfo[i]);
        auto* b = static_cast<CControlBarInfo*>(loaded.m_arrBarInfo[i]);
        EXPECT_EQ(a->m_nBarID, b->m_nBarID);
        EXPECT_EQ(a->m_bVisible, b->m_bVisible);
        EXPECT_EQ(a->m_pointPos, b->m_pointPos);
        EXPECT_EQ(a->m_bDocking, b->m_bDocking);
        EXPECT_EQ(a->m_rectMRUDockPos, b->m_rectMRUDockPos);
        ASSERT_EQ(a->m_arrBarID.GetSize(), b->m_arrBarID.GetSize());
        for (INT_PTR j = 0; j < a->m_arrBarID.GetSize(); ++j)
            EXPECT_EQ(a->m_arrBarID[j], b->m_arrBarID[j]);
    }

    // A cut archive throws and keeps nothing half read.
    CMemFile cut;
    {
        CArchive ar(&cut, CArchive::store);
        saved.Serialize(ar);
    }
    cut.SetLength(cut.GetLength() - 3);
    cut.SeekToBegin();
    CDockState damaged;
    {
        CArchive ar(&cut, CArchive::load);
        bool thrown = false;
        try {
            damaged.Serialize(ar);
        } catch (CArchiveException* e) {
            e->Delete();
            thrown = true;
        }
        EXPECT_TRUE(thrown);
    }
    EXPECT_EQ(damaged.m_arrBarInfo.GetSize(), 0);

    // Through the profile: the hidden bar comes back hidden after it was shown.
    frame->SaveBarState("Bars");
    EXPECT_GT(app.GetProfileInt("Bars-Summary", "Bars", 0), 0u);
    frame->ShowControlBar(&left, TRUE, FALSE);
    EXPECT_TRUE(left.IsWindowVisible());
    frame->LoadBarState("Bars");
    EXPECT_FALSE(left.IsWindowVisible());
    EXPECT_TRUE(top.IsWindowVisible());
    EXPECT_EQ(top.m_pDockBar, frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
}

TEST(DockState, ScalesPositionsFromTheStoredScreen)
{
    TestScreen screen { 800, 600 };
    CDockState state;
    CSize stored(400, 300);
    state.SetScreenSize(stored);
    CPoint pt(100, 150);
    state.ScalePoint(pt);
    EXPECT_EQ(pt, CPoint(200, 300));
    CRect rect(100, 100, 150, 120);
    state.ScaleRectPos(rect);
    EXPECT_EQ(rect, CRect(200, 200, 250, 220));
    // A point off the screen is kept where the bar can still be reached.
    CPoint far(1000, 1000);
    state.ScalePoint(far);
    EXPECT_LT(far.x, 800);
    EXPECT_LT(far.y, 600);
}
