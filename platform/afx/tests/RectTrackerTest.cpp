#include <gtest/gtest.h>

#include <string>

#include "platform/afx/CRectTracker.h"
#include "platform/afx/CWnd.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"

using platform::user::InjectMouseButton;
using platform::user::InjectMouseMove;
using platform::user::MouseButton;
using platform::user::TestScreen;

namespace {

// Notes what the screen showed each time the outline was drawn, and can drop the capture mid-drag.
class CProbeTracker : public CRectTracker {
public:
    using CRectTracker::CRectTracker;
    void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) override
    {
        CRectTracker::DrawTrackerRect(lpRect, pWndClipTo, pDC, pWnd);
        if (!m_bFinalErase)
            outlines.push_back(*lpRect);
    }
    void OnChangedRect(const CRect&) override
    {
        if (dropCapture)
            ::ReleaseCapture();
    }
    std::vector<CRect> outlines;
    bool dropCapture { false };
};

class Tracker : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "tracked", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 160), nullptr, 0));
        screen.pump();
    }
    void TearDown() override
    {
        wnd.DestroyWindow();
        screen.pump();
    }
    // Presses at the start and queues the moves and the release for the tracking loop to read.
    void queueDrag(CPoint from, std::initializer_list<CPoint> path, bool release = true)
    {
        InjectMouseMove(from);
        InjectMouseButton(MouseButton::Left, true);
        screen.pump();
        for (const CPoint& p : path)
            InjectMouseMove(p);
        if (release)
            InjectMouseButton(MouseButton::Left, false);
    }

    TestScreen screen { 200, 160 };
    CWnd wnd;
};

} // namespace

TEST_F(Tracker, EveryHandleTheMiddleAndTheOutsideHitAsDrawn)
{
    CRectTracker tracker(CRect(40, 40, 140, 120), CRectTracker::resizeOutside | CRectTracker::solidLine);
    // Outside handles of 7 pixels: the corners lie 7 pixels beyond the rectangle.
    const struct {
        CPoint point;
        int hit;
    } cases[] = {
        { { 35, 35 }, CRectTracker::hitTopLeft },
        { { 144, 35 }, CRectTracker::hitTopRight },
        { { 144, 124 }, CRectTracker::hitBottomRight },
        { { 35, 124 }, CRectTracker::hitBottomLeft },
        { { 90, 35 }, CRectTracker::hitTop },
        { { 144, 80 }, CRectTracker::hitRight },
        { { 90, 124 }, CRectTracker::hitBottom },
        { { 35, 80 }, CRectTracker::hitLeft },
        { { 90, 80 }, CRectTracker::hitMiddle },
        { { 10, 10 }, CRectTracker::hitNothing },
        { { 150, 80 }, CRectTracker::hitNothing },
    };
    for (const auto& c : cases)
        EXPECT_EQ(tracker.HitTest(c.point), c.hit) << c.point.x << "," << c.point.y;

    // An inverted rectangle hits by what is on screen.
    tracker.m_rect = CRect(140, 120, 40, 40);
    EXPECT_EQ(tracker.HitTest(CPoint(35, 35)), CRectTracker::hitTopLeft);
    EXPECT_EQ(tracker.NormalizeHit(CRectTracker::hitTopLeft), CRectTracker::hitBottomRight);

    // A short rectangle shows only its corner handles.
    tracker.m_rect = CRect(40, 40, 55, 50);
    EXPECT_EQ(tracker.GetHandleMask(), 0x0Fu);
    CRect trueRect;
    tracker.GetTrueRect(&trueRect);
    EXPECT_EQ(trueRect, CRect(33, 33, 62, 57));
}

TEST_F(Tracker, DraggingTheMiddleMovesTheRectangleWithAnInvertedOutlineThatIsErasedAfter)
{
    CProbeTracker tracker(CRect(40, 40, 100, 90), CRectTracker::solidLine);
    const COLORREF background = screen.pixel(40, 40);
    queueDrag({ 60, 60 }, { { 70, 65 }, { 90, 80 } });
    EXPECT_TRUE(tracker.Track(&wnd, CPoint(60, 60)));
    EXPECT_EQ(tracker.m_rect, CRect(70, 60, 130, 110));
    ASSERT_FALSE(tracker.outlines.empty());
    EXPECT_EQ(tracker.outlines.back(), CRect(70, 60, 130, 110));
    EXPECT_EQ(::GetCapture(), nullptr);
    // The outline went away with the loop.
    EXPECT_EQ(screen.pixel(69, 59), background);
    EXPECT_EQ(screen.pixel(130, 110), background);

    // Sizing by the bottom-right handle keeps the minimum size.
    CRectTracker sizer(CRect(40, 40, 100, 90), CRectTracker::resizeInside);
    sizer.m_sizeMin = CSize(20, 20);
    queueDrag({ 97, 87 }, { { 20, 20 } });
    EXPECT_TRUE(sizer.Track(&wnd, CPoint(97, 87)));
    EXPECT_EQ(sizer.m_rect, CRect(40, 40, 60, 60));
}

TEST_F(Tracker, EscapeAQuitMessageAndALostCaptureCancelTheLoop)
{
    CProbeTracker tracker(CRect(40, 40, 100, 90), CRectTracker::solidLine);
    const CRect start = tracker.m_rect;

    // A quit message ends the loop and is put back for the outer loop.
    queueDrag({ 60, 60 }, {}, false);
    ::PostQuitMessage(7);
    EXPECT_FALSE(tracker.Track(&wnd, CPoint(60, 60)));
    EXPECT_EQ(tracker.m_rect, start);
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    InjectMouseButton(MouseButton::Left, false);
    screen.pump();

    // Losing the capture (another window took it) cancels and restores the rectangle.
    tracker.dropCapture = true;
    queueDrag({ 60, 60 }, { { 70, 70 }, { 80, 80 } });
    EXPECT_FALSE(tracker.Track(&wnd, CPoint(60, 60)));
    EXPECT_EQ(tracker.m_rect, start);
    screen.pump();

    // Escape cancels too.
    tracker.dropCapture = false;
    queueDrag({ 60, 60 }, { { 70, 70 } }, false);
    platform::user::InjectKey(VK_ESCAPE, true);
    EXPECT_FALSE(tracker.Track(&wnd, CPoint(60, 60)));
    EXPECT_EQ(tracker.m_rect, start);
    EXPECT_EQ(::GetCapture(), nullptr);
    platform::user::InjectKey(VK_ESCAPE, false);
    InjectMouseButton(MouseButton::Left, false);
    screen.pump();
}

TEST(TrackerLook, HandlesAndBorderMatchTheGoldenPicture)
{
    TestScreen screen { 64, 48 };
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "look", WS_POPUP | WS_VISIBLE, CRect(0, 0, 64, 48), nullptr, 0));
    screen.pump();
    CRectTracker tracker(CRect(12, 10, 52, 38), CRectTracker::resizeOutside | CRectTracker::dottedLine);
    tracker.m_nHandleSize = 5;
    HDC hdc = ::GetDC(wnd.m_hWnd);
    CDC* dc = CDC::FromHandle(hdc);
    dc->FillSolidRect(CRect(0, 0, 64, 48), RGB(255, 255, 255));
    tracker.Draw(dc);
    ::ReleaseDC(wnd.m_hWnd, hdc);

    EXPECT_EQ(screen.compareWithGolden(RECT { 0, 0, 64, 48 }, TS_AFX_GOLDEN_DIR "/TrackerHandles.png"), "");
    wnd.DestroyWindow();
    screen.pump();
}
