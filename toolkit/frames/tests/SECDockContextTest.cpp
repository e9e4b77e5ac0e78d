// Dragging, docking, floating and resizing bars: Ctrl floats, a floating bar shows where it would dock
// only after 5 pixels and docks only past 4, sizes keep their limits, a double click docks a bar back
// where it was with its share, closing a floating frame hides its bars, and every way a drag can end
// early (Escape, the right button, lost capture, a quit, the bar going away) leaves things whole.

#include "toolkit/frames/SECDockContext.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/afx/CWinApp.h"
#include "platform/user/TestScreen.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECDockBar.h"
#include "toolkit/frames/SECFrameWnd.h"
#include "toolkit/frames/SECMiniDockFrameWnd.h"
#include "toolkit/frames/tests/FramesTestFixture.h"
#include "toolkit/frames/tests/FramesTestGeometry.h"

using platform::user::TestScreen;

namespace {

constexpr UINT ID_FIRST_BAR = 0xE860;
constexpr DWORD kTabBarExStyle = 0x0F10;

// A window that runs a step when a posted message reaches it: it looks at a drag from inside its loop,
// or changes the world under it.
class Probe : public CWnd {
public:
    static constexpr UINT WM_PROBE = WM_APP + 3;
    std::vector<std::function<void()>> m_steps;

    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_PROBE) {
            m_steps[wParam]();
            return 0;
        }
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
    // Queues a step behind the messages posted so far.
    void Queue(std::function<void()> step)
    {
        m_steps.push_back(std::move(step));
        PostMessage(WM_PROBE, m_steps.size() - 1);
    }
};

class Dragging : public DockingFrameTest {
protected:
    Dragging() { m_dwFrameStyle |= WS_CLIPCHILDREN; }
    void SetUp() override
    {
        DockingFrameTest::SetUp();
        ASSERT_TRUE(m_probe.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 1, 1), m_frame, 1));
    }
    void TearDown() override
    {
        m_bars.clear();
        DockingFrameTest::TearDown();
    }
    SECControlBar* NewBar(DWORD dwExStyle = kTabBarExStyle)
    {
        auto& bar = m_bars.emplace_back(std::make_unique<SECControlBar>());
        EXPECT_TRUE(bar->Create(m_frame, "bar", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, dwExStyle,
            ID_FIRST_BAR + static_cast<UINT>(m_bars.size())));
        bar->m_szHorz = CSize(100, 40);
        bar->m_szVert = CSize(40, 100);
        bar->m_szFloat = CSize(120, 60);
        bar->EnableDocking(CBRS_ALIGN_ANY);
        return bar.get();
    }
    SECControlBar* DockedBar()
    {
        SECControlBar* bar = NewBar();
        m_frame->DockControlBar(bar);
        Layout();
        return bar;
    }
    SECControlBar* FloatingBar(CPoint at)
    {
        SECControlBar* bar = NewBar();
        m_frame->FloatControlBar(bar, at, CBRS_ALIGN_TOP);
        Layout();
        return bar;
    }
    SECDockBar* Top() { return static_cast<SECDockBar*>(m_frame->GetControlBar(AFX_IDW_DOCKBAR_TOP)); }
    // Queues a move of the mouse to a screen point, for the drag loop the test starts next.
    void QueueMove(CControlBar* bar, CPoint pt)
    {
        ::SetCursorPos(pt.x, pt.y);
        bar->PostMessage(WM_MOUSEMOVE);
    }
    static SECDockContext* Context(CControlBar* bar) { return static_cast<SECDockContext*>(bar->m_pDockContext); }
    static CPoint Centre(CWnd* wnd)
    {
        CRect rect;
        wnd->GetWindowRect(&rect);
        return rect.CenterPoint();
    }

    Probe m_probe;
    std::vector<std::unique_ptr<SECControlBar>> m_bars;
};

TEST_F(Dragging, HoldingCtrlShowsTheFloatingOutlineAndFloatsTheBar)
{
    SECControlBar* bar = DockedBar();
    const CPoint start = Centre(bar);
    SECDockContext* context = Context(bar);
    DWORD overWithoutCtrl = 0;
    DWORD overWithCtrl = 1;
    CSize outlineWithCtrl;
    QueueMove(bar, start + CPoint(8, 0));
    m_probe.Queue([&] { overWithoutCtrl = context->m_dwOverDockStyle; });
    bar->PostMessage(WM_KEYDOWN, VK_CONTROL);
    QueueMove(bar, start + CPoint(10, 0));
    m_probe.Queue([&] {
        overWithCtrl = context->m_dwOverDockStyle;
        outlineWithCtrl = context->m_sizeLast;
    });
    bar->PostMessage(WM_LBUTTONUP);
    context->StartDrag(start);
    m_screen.pump();

    EXPECT_EQ(overWithoutCtrl, CBRS_ALIGN_TOP);
    EXPECT_EQ(overWithCtrl, 0U);
    EXPECT_EQ(outlineWithCtrl, CSize(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1));
    EXPECT_TRUE(bar->IsFloating());
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(Dragging, AFloatingBarShowsTheDockOutlineFromFivePixelsAndDocksOnlyPastFour)
{
    DockedBar();
    struct Case {
        int travel;
        BOOL thinOutline;
        BOOL docks;
    };
    const Case cases[] = { { 3, FALSE, FALSE }, { 5, TRUE, TRUE } };
    for (const Case& c : cases) {
        // The floating bar lies over the top dock bar.
        SECControlBar* bar = FloatingBar(CPoint(120, 5));
        ASSERT_TRUE(bar->IsFloating());
        const CPoint start = Centre(bar) - CPoint(0, 20);
        SECDockContext* context = Context(bar);
        CSize outline;
        DWORD over = 0;
        QueueMove(bar, start + CPoint(c.travel, 0));
        m_probe.Queue([&] {
            outline = context->m_sizeLast;
            over = context->m_dwOverDockStyle;
        });
        bar->PostMessage(WM_LBUTTONUP);
        context->StartDrag(start);
        m_screen.pump();
        EXPECT_EQ(over, CBRS_ALIGN_TOP) << c.travel;
        EXPECT_EQ(outline == CSize(1, 1), c.thinOutline) << c.travel;
        EXPECT_EQ(!bar->IsFloating(), c.docks) << c.travel;
        if (c.docks) {
            EXPECT_EQ(bar->m_pDockBar, Top());
        }
    }
}

TEST_F(Dragging, SizingAFloatingBarBelowItsLeastWidthKeepsTheWidthItHad)
{
    SECControlBar* bar = FloatingBar(CPoint(100, 100));
    SECDockContext* context = Context(bar);
    CRect rect;
    bar->GetWindowRect(&rect);
    const CPoint edge(rect.right, rect.CenterPoint().y);
    // Far too narrow: the width stays; wider: the width follows.
    QueueMove(bar, CPoint(rect.left + context->m_nMinWidth - 5, edge.y));
    bar->PostMessage(WM_LBUTTONUP);
    context->StartResize(HTRIGHT, edge);
    m_screen.pump();
    EXPECT_EQ(bar->m_szFloat.cx, 120);

    bar->GetWindowRect(&rect);
    QueueMove(bar, CPoint(rect.right + 30, edge.y));
    bar->PostMessage(WM_LBUTTONUP);
    context->StartResize(HTRIGHT, CPoint(rect.right, edge.y));
    m_screen.pump();
    EXPECT_EQ(bar->m_szFloat.cx, 150);
    EXPECT_EQ(bar->m_szFloat.cy, 60);
}

TEST_F(Dragging, ADoubleClickedCaptionDocksTheBarBackWhereItWasWithItsShare)
{
    SECControlBar* first = DockedBar();
    SECControlBar* second = NewBar();
    Top()->DockControlBar(second, 1, 0);
    first->m_fPctWidth = 0.3F;
    second->m_fPctWidth = 0.7F;
    Layout();
    ASSERT_NEAR(first->m_fPctWidth, 0.3F, 1e-4);
    const int nPos = Top()->FindBar(first);

    // Floating keeps the bar's share and leaves its placeholder in the row.
    first->m_pDockContext->ToggleDocking();
    m_screen.pump();
    ASSERT_TRUE(first->IsFloating());
    EXPECT_EQ(Top()->FindBar(reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(first->GetDlgCtrlID()))), nPos);
    first->m_fPctWidth = 1.0F;

    const HWND hFloating = first->GetParentFrame()->m_hWnd;
    ::SendMessage(hFloating, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    Layout();
    EXPECT_EQ(first->m_pDockBar, Top());
    EXPECT_EQ(Top()->FindBar(first), nPos);
    EXPECT_NEAR(first->m_fPctWidth, 0.3F, 1e-4);
    EXPECT_NEAR(second->m_fPctWidth, 0.7F, 1e-4);
    // The floating frame went with its last bar.
    EXPECT_FALSE(::IsWindow(hFloating));
}

TEST_F(Dragging, ClosingAFloatingFrameHidesItsBarsAndKeepsTheFrame)
{
    SECControlBar* bar = FloatingBar(CPoint(100, 100));
    CFrameWnd* floating = bar->GetParentFrame();
    floating->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    m_screen.pump();
    EXPECT_TRUE(::IsWindow(floating->m_hWnd));
    EXPECT_FALSE(bar->IsVisible());
    EXPECT_FALSE(floating->IsWindowVisible());
}

TEST_F(Dragging, AFloatingFrameWhoseBarWentAnswersPressesLikeAnyMiniFrame)
{
    SECControlBar* bar = FloatingBar(CPoint(100, 100));
    CFrameWnd* floating = bar->GetParentFrame();
    CRect rect;
    floating->GetWindowRect(&rect);
    bar->DestroyWindow();
    floating->ShowWindow(SW_SHOWNA);
    m_screen.pump();
    // A press on the caption and one on the border find no bar to drag or size.
    m_screen.click(rect.CenterPoint().x, rect.top + 8);
    m_screen.click(rect.right - 1, rect.CenterPoint().y);
    floating->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_TRUE(::IsWindow(floating->m_hWnd));
    EXPECT_EQ(::GetCapture(), nullptr);
}

// Takes the mouse capture from the drag.
class CaptureTaker : public CWnd {
public:
    void Take() { SetCapture(); }
};

TEST_F(Dragging, ADragEndedEarlyLeavesTheBarWhereItWas)
{
    SECControlBar* bar = DockedBar();
    CaptureTaker taker;
    ASSERT_TRUE(taker.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5), m_frame, 2));
    enum class End { Escape, RightButton, LostCapture, Quit };
    for (End end : { End::Escape, End::RightButton, End::LostCapture, End::Quit }) {
        const CRect before = ChildRect(*bar, *Top());
        const CPoint start = Centre(bar);
        // Far below the frame: released there the bar would float.
        QueueMove(bar, start + CPoint(0, 200));
        switch (end) {
        case End::Escape:
            bar->PostMessage(WM_KEYDOWN, VK_ESCAPE);
            break;
        case End::RightButton:
            bar->PostMessage(WM_RBUTTONDOWN);
            break;
        case End::LostCapture:
            m_probe.Queue([&] { taker.Take(); });
            QueueMove(bar, start + CPoint(0, 220));
            break;
        case End::Quit:
            ::PostQuitMessage(3);
            break;
        }
        Context(bar)->StartDrag(start);
        ::ReleaseCapture();
        if (end == End::Quit) {
            MSG msg {};
            ASSERT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
            EXPECT_EQ(msg.wParam, 3U);
        }
        // What the drag left in the queue goes; a release it did not take starts nothing.
        bar->PostMessage(WM_LBUTTONUP);
        m_screen.pump();
        EXPECT_FALSE(bar->IsFloating()) << static_cast<int>(end);
        EXPECT_EQ(bar->m_pDockBar, Top()) << static_cast<int>(end);
        EXPECT_EQ(ChildRect(*bar, *Top()), before) << static_cast<int>(end);
    }
}

TEST_F(Dragging, ABarDestroyedDuringItsDragLeavesNoDanglingEntry)
{
    auto* bar = new SECControlBar;
    ASSERT_TRUE(bar->Create(m_frame, "gone", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, kTabBarExStyle, ID_FIRST_BAR));
    bar->m_bAutoDelete = TRUE;
    bar->EnableDocking(CBRS_ALIGN_ANY);
    m_frame->DockControlBar(bar);
    Layout();
    const CPoint start = Centre(bar);
    SECDockContext* context = Context(bar);
    QueueMove(bar, start + CPoint(0, 30));
    m_probe.Queue([bar] { bar->DestroyWindow(); });
    QueueMove(bar, start + CPoint(0, 60));
    context->StartDrag(start);
    m_screen.pump();
    EXPECT_EQ(Top()->GetDockedCount(), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    Layout();
}

} // namespace
