#include <gtest/gtest.h>

#include "platform/afx/CDC.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CScrollBar.h"
#include "platform/afx/CScrollView.h"
#include "platform/afx/CWinApp.h"
#include "platform/user/TestScreen.h"

using platform::user::TestScreen;

namespace {

// A document twice the window's size with one black band across it at logical y 300-310.
class CBandView : public CScrollView {
public:
    void OnDraw(CDC* pDC) override { pDC->FillSolidRect(0, 300, 1000, 10, RGB(0, 0, 0)); }
};

// A window that draws its vertical bar as a child control, as the toolkit's list does.
class COwnBarWnd : public CWnd {
public:
    CScrollBar* GetScrollBarCtrl(int nBar) const override { return nBar == SB_VERT ? const_cast<CScrollBar*>(&m_bar) : nullptr; }
    CScrollBar m_bar;
};

} // namespace

TEST(ScrollView, TheBarsMoveTheOriginTheViewDrawsAt)
{
    TestScreen screen { 640, 480 };
    CWinApp app { "scrolling" };
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200)));
    auto* view = new CBandView;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST));
    frame->RecalcLayout();
    view->SetScrollSizes(MM_TEXT, CSize(1000, 1000), CSize(100, 100), CSize(10, 10));
    screen.pump();
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 0));

    // Below the window at first; a page and some lines down it shows 40 pixels from the top.
    view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    for (int i = 0; i < 6; ++i)
        view->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    screen.pump();
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 260));
    CPoint band(20, 45);
    view->ClientToScreen(&band);
    EXPECT_EQ(screen.pixel(band.x, band.y), RGB(0, 0, 0));
    EXPECT_NE(screen.pixel(band.x, band.y + 20), RGB(0, 0, 0));

    // Never past the end: the last position leaves a window's height of the document.
    view->ScrollToPosition(CPoint(0, 5000));
    CRect client;
    view->GetClientRect(&client);
    EXPECT_EQ(view->GetScrollPosition().y, 1000 - client.Height());
    frame->DestroyWindow();
}

TEST(ScrollView, AWindowsScrollCallsReachTheBarControlItNames)
{
    TestScreen screen { 320, 200 };
    COwnBarWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "list", WS_POPUP | WS_VISIBLE | WS_HSCROLL, CRect(0, 0, 200, 100), nullptr, 0));
    ASSERT_TRUE(wnd.m_bar.Create(SBS_VERT | WS_CHILD | WS_VISIBLE, CRect(180, 0, 196, 80), &wnd, 0xEA10));
    SCROLLINFO info {};
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = 99;
    info.nPage = 10;
    info.nPos = 30;
    wnd.SetScrollInfo(SB_VERT, &info);
    EXPECT_EQ(wnd.m_bar.GetScrollPos(), 30);
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 30);
    EXPECT_EQ(wnd.SetScrollPos(SB_VERT, 50), 30);
    EXPECT_EQ(wnd.m_bar.GetScrollPos(), 50);
    int low = -1, high = -1;
    wnd.GetScrollRange(SB_VERT, &low, &high);
    EXPECT_EQ(high, 99);
    // The horizontal bar is still the window's own.
    wnd.SetScrollRange(SB_HORZ, 0, 40);
    wnd.SetScrollPos(SB_HORZ, 12);
    EXPECT_EQ(::GetScrollPos(wnd.m_hWnd, SB_HORZ), 12);
    EXPECT_EQ(::GetScrollPos(wnd.m_hWnd, SB_VERT), 0);
    wnd.DestroyWindow();
}
