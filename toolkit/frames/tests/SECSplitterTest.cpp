// Splitters: the bar kinds and rectangles for each set of panes, the pane rectangles beside them, how a
// resize is shared between panes, and drags that drop, cancel or lose the capture in both tracking
// modes. Sizable borders: their bars, content rules and the collapse of a hidden dock side.

#include "toolkit/frames/SECLNSizableDockBorder.h"
#include "toolkit/frames/SECLNVirtualSplitter.h"
#include "toolkit/frames/SECLayoutNodeSplitter.h"

#include <gtest/gtest.h>

#include <vector>

#include "toolkit/frames/SECDefHideableNode.h"
#include "toolkit/frames/tests/CaptureTaker.h"
#include "toolkit/frames/tests/FramesTestGeometry.h"
#include "toolkit/frames/tests/LayoutWindowFixture.h"

namespace {

// A splitter without a window, over a given area, for the bar arithmetic.
class AreaSplitter : public SECSplitterBase {
public:
    explicit AreaSplitter(const RECT& area) { SetArea(area); }
    void SetPanes(const BOOL present[4], DWORD flags)
    {
        for (int i = 0; i < 4; ++i)
            m_bPane[i] = present[i];
        m_dwFlags = flags;
        ComputeBarKinds();
    }
};

class Splitters : public LayoutWindowTest { };

TEST_F(Splitters, BarKindsFollowThePresentPanes)
{
    struct Case {
        BOOL present[4]; // top-left, top-right, bottom-left, bottom-right
        int horz, vert; // horizontal bit clear
        int horzWins, vertWins; // horizontal bit set
    };
    const Case cases[] = {
        { { 0, 0, 0, 0 }, 3, 3, 3, 3 },
        { { 1, 0, 0, 0 }, 3, 3, 3, 3 },
        { { 1, 1, 0, 0 }, 3, 2, 3, 2 },
        { { 0, 1, 1, 0 }, 3, 2, 3, 2 },
        { { 1, 0, 0, 1 }, 3, 2, 3, 2 },
        { { 0, 0, 1, 1 }, 3, 2, 3, 2 },
        { { 1, 0, 1, 0 }, 2, 3, 2, 3 },
        { { 0, 1, 0, 1 }, 2, 3, 2, 3 },
        { { 1, 1, 1, 1 }, 2, 2, 2, 2 },
        { { 1, 1, 1, 0 }, 0, 2, 2, 0 },
        { { 1, 1, 0, 1 }, 1, 2, 2, 0 },
        { { 1, 0, 1, 1 }, 0, 2, 2, 1 },
        { { 0, 1, 1, 1 }, 1, 2, 2, 1 },
    };
    for (const Case& c : cases) {
        int h = -1;
        int v = -1;
        SECSplitterBase::BarKindsFor(c.present, FALSE, h, v);
        EXPECT_EQ(h, c.horz);
        EXPECT_EQ(v, c.vert);
        SECSplitterBase::BarKindsFor(c.present, TRUE, h, v);
        EXPECT_EQ(h, c.horzWins);
        EXPECT_EQ(v, c.vertWins);
    }
}

TEST_F(Splitters, BarRectanglesReachAsFarAsTheirKindAndStayInsideTheArea)
{
    struct Case {
        BOOL present[4];
        DWORD flags;
        int x, y;
        const char* horz;
        const char* vert;
        int clampedX, clampedY;
    };
    // Area 10,20-210,120 with 6-pixel bars: the bars may start from 10,20 up to 204,114.
    const Case cases[] = {
        { { 1, 1, 1, 1 }, 0, 50, 40, "10,60,210,66", "60,20,66,120", 50, 40 },
        { { 1, 1, 1, 0 }, 0, 50, 40, "10,60,66,66", "60,20,66,120", 50, 40 },
        { { 1, 1, 0, 1 }, 0, 50, 40, "60,60,210,66", "60,20,66,120", 50, 40 },
        { { 1, 0, 1, 1 }, SECSplitterBase::HorizontalWins, 50, 40, "10,60,210,66", "60,60,66,120", 50, 40 },
        { { 1, 1, 1, 1 }, 0, 500, -5, "10,20,210,26", "204,20,210,120", 194, 0 },
        { { 0, 0, 0, 0 }, 0, 50, 40, "10,60,10,66", "60,20,66,20", 50, 40 },
    };
    for (const Case& c : cases) {
        AreaSplitter splitter({ 10, 20, 210, 120 });
        splitter.SetPanes(c.present, c.flags);
        int x = c.x;
        int y = c.y;
        RECT h {};
        RECT v {};
        splitter.ComputeBarRects(x, y, &h, &v);
        EXPECT_EQ(RectText(h), c.horz);
        EXPECT_EQ(RectText(v), c.vert);
        EXPECT_EQ(x, c.clampedX);
        EXPECT_EQ(y, c.clampedY);
    }
}

TEST_F(Splitters, PanesFillTheAreaBesideTheBars)
{
    struct Case {
        int horzKind, vertKind;
        BOOL present[4];
        const char* panes[4]; // "" for an absent place
    };
    const Case cases[] = {
        { 2, 2, { 1, 1, 1, 1 }, { "0,0,50,50", "56,0,100,50", "0,56,50,100", "56,56,100,100" } },
        { 3, 2, { 1, 1, 0, 0 }, { "0,0,50,100", "56,0,100,100", "", "" } },
        { 2, 3, { 1, 0, 1, 0 }, { "0,0,100,50", "", "0,56,100,100", "" } },
        { 0, 2, { 1, 1, 1, 0 }, { "0,0,50,50", "56,0,100,100", "0,56,50,100", "" } },
        { 2, 0, { 1, 1, 1, 0 }, { "0,0,50,50", "56,0,100,50", "0,56,100,100", "" } },
    };
    const RECT area { 0, 0, 100, 100 };
    const RECT h { 0, 50, 100, 56 };
    const RECT v { 50, 0, 56, 100 };
    for (const Case& c : cases) {
        SECSplitterPaneInfo info;
        SECSplitterBase::ComputePaneRects(area, h, v, c.horzKind, c.vertKind, c.present, info);
        for (int i = 0; i < 4; ++i) {
            RECT rc {};
            const BOOL has = info.GetPane(i, &rc);
            EXPECT_EQ(has ? RectText(rc) : std::string(), c.panes[i]) << c.horzKind << "/" << c.vertKind << " pane " << i;
        }
    }
}

TEST_F(Splitters, AResizeIsSharedWithinThePanesLimits)
{
    using Extents = SECLayoutNodeSplitter::Extents;
    struct Case {
        int first, old, delta;
        Extents a, b;
        int mode;
        BOOL toggle;
        int expectFirst, expectLeft;
        BOOL expectToggle;
    };
    const Case cases[] = {
        // Without limits both sides share: the first takes half, truncated towards zero.
        { 40, 100, 10, { 0, 110, 0 }, { 0, 110, 0 }, 0, FALSE, 45, 0, FALSE },
        { 40, 100, -11, { 0, 89, 0 }, { 0, 89, 0 }, 0, FALSE, 35, 0, FALSE },
        // A side at its maximum takes nothing, the other side everything it can.
        { 40, 100, 10, { 0, 40, 0 }, { 0, 110, 0 }, 0, FALSE, 40, 0, FALSE },
        { 40, 100, 10, { 0, 110, 0 }, { 0, 60, 0 }, 0, FALSE, 50, 0, FALSE },
        // Growing a side up to its minimum comes first; the rest is then shared.
        { 10, 100, 20, { 25, 120, 0 }, { 0, 120, 0 }, 0, FALSE, 27, 0, FALSE },
        // What no limit absorbs is split; the odd pixel alternates sides in mode 0 ...
        { 50, 100, 5, { 0, 50, 0 }, { 0, 50, 0 }, 0, FALSE, 51, 0, TRUE },
        { 50, 100, 5, { 0, 50, 0 }, { 0, 50, 0 }, 0, TRUE, 53, 0, FALSE },
        // ... and is left over for the caller in any other mode.
        { 50, 100, 5, { 0, 50, 0 }, { 0, 50, 0 }, 1, FALSE, 50, 5, FALSE },
    };
    for (const Case& c : cases) {
        BOOL toggle = c.toggle;
        int left = -1;
        const int first = SECLayoutNodeSplitter::DistributeAxis(c.first, c.old, c.delta, c.a, c.b, c.mode, toggle, left);
        EXPECT_EQ(first, c.expectFirst) << c.first << " " << c.delta;
        EXPECT_EQ(left, c.expectLeft);
        EXPECT_EQ(toggle, c.expectToggle);
    }
}

// A two-pane splitter over the test window with its bar at x 94-100.
class SplitterDrags : public Splitters {
protected:
    enum class End { Drop, Escape, RightButton, LostCapture };

    void SetUp() override
    {
        Splitters::SetUp();
        ASSERT_TRUE(m_taker.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(230, 0, 240, 10), &m_host, 1));
    }
    void TearDown() override
    {
        m_taker.DestroyWindow();
        Splitters::TearDown();
    }
    // Posts a move of the pointer to client x and the end of the drag, then runs the drag.
    void Drag(CWnd& wnd, SECSplitterBase& splitter, int fromX, int toX, End end)
    {
        wnd.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(toX, 50));
        switch (end) {
        case End::Drop:
            wnd.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(toX, 50));
            break;
        case End::Escape:
            wnd.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
            break;
        case End::RightButton:
            wnd.PostMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(toX, 50));
            break;
        case End::LostCapture:
            m_taker.PostMessage(CaptureTaker::WM_TAKE, 0, 0);
            wnd.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(toX, 50));
            break;
        }
        splitter.StartTracking(fromX, 50, FALSE, TRUE);
        ::ReleaseCapture();
        m_screen.pump();
    }

    CaptureTaker m_taker;
};

TEST_F(SplitterDrags, OnlyADropMovesThePanesInEitherTrackingMode)
{
    struct Case {
        DWORD flags;
        End end;
        int splitX;
    };
    const Case cases[] = {
        { 0, End::Drop, 120 },
        { 0, End::Escape, 94 },
        { 0, End::RightButton, 94 },
        { 0, End::LostCapture, 94 },
        { SECSplitterBase::LiveTracking, End::Drop, 120 },
        { SECSplitterBase::LiveTracking, End::Escape, 94 },
        { SECSplitterBase::LiveTracking, End::RightButton, 94 },
        { SECSplitterBase::LiveTracking, End::LostCapture, 94 },
    };
    for (const Case& c : cases) {
        SECLayoutNode left;
        SECLayoutNode right;
        SECLayoutNodeSplitter splitter;
        ASSERT_TRUE(splitter.Create(&m_host, 0, 0, 200, 100, WS_CHILD | WS_VISIBLE, 7, c.flags));
        ASSERT_TRUE(splitter.AddPaneNode(0, 0, &left));
        ASSERT_TRUE(splitter.AddPaneNode(0, 1, &right));
        splitter.SetSplitPosition(94, 0);
        RECT rc {};
        ASSERT_EQ(RectText(*left.GetCurrentRect(&rc)), "0,0,94,100");

        Drag(splitter, splitter, 97, 123, c.end);

        EXPECT_EQ(splitter.GetSplitPosition().x, c.splitX) << static_cast<int>(c.end) << " live " << c.flags;
        EXPECT_EQ(left.GetCurrentRect(&rc)->right, c.splitX);
        EXPECT_EQ(right.GetCurrentRect(&rc)->left, c.splitX + 6);
        EXPECT_FALSE(splitter.IsTracking());
    }
}

TEST_F(SplitterDrags, AVirtualBarReportsTheWholeDistanceToItsObserver)
{
    struct Observer : ISECVirtualSplitterObserver {
        void OnSplitterMoved(SECLNVirtualSplitter*, int dx, int dy) override { moves.push_back({ dx, dy }); }
        std::vector<POINT> moves;
    };
    struct Case {
        DWORD flags;
        End end;
        int net; // sum of the reported distances
    };
    const Case cases[] = {
        { 0, End::Drop, 30 },
        { 0, End::Escape, 0 },
        { 0, End::LostCapture, 0 },
        // Beyond the tracking rectangle the bar stops 6 pixels before its end.
        { SECSplitterBase::LiveTracking, End::Drop, 30 },
        { SECSplitterBase::LiveTracking, End::Escape, 0 },
    };
    for (const Case& c : cases) {
        Observer observer;
        SECLNVirtualSplitter bar;
        ASSERT_TRUE(bar.Create(&m_host, 0, 0, 0, 0, WS_CHILD | WS_VISIBLE, SECSplitterBase::DefaultId, c.flags));
        bar.SetObserver(&observer);
        bar.SetNodeOrientation(1);
        RECT out {};
        bar.RecalcLayout(&out, { 100, 0, 106, 100 }, FALSE, TRUE);
        bar.RealizeLayout(0);
        bar.SetTrackingRect({ 0, 0, 200, 100 });

        Drag(bar, bar, 3, 33, c.end);

        int net = 0;
        for (const POINT& move : observer.moves) {
            EXPECT_EQ(move.y, 0);
            net += move.x;
        }
        EXPECT_EQ(net, c.net) << static_cast<int>(c.end) << " live " << c.flags;
    }
    // A drop past the end of the tracking rectangle stops at its end less the bar.
    Observer observer;
    SECLNVirtualSplitter bar;
    ASSERT_TRUE(bar.Create(&m_host, 0, 0, 0, 0, WS_CHILD | WS_VISIBLE, SECSplitterBase::DefaultId, 0));
    bar.SetObserver(&observer);
    bar.SetNodeOrientation(1);
    RECT out {};
    bar.RecalcLayout(&out, { 100, 0, 106, 100 }, FALSE, TRUE);
    bar.RealizeLayout(0);
    bar.SetTrackingRect({ 0, 0, 200, 100 });
    Drag(bar, bar, 3, 150, End::Drop);
    ASSERT_EQ(observer.moves.size(), 1U);
    EXPECT_EQ(observer.moves[0].x, 94);
}

class HideableNode : public SECLayoutNode, public SECDefHideableNode { };

// A parent that lays each child out where the child is, as a grid line does between drags.
class KeepingParent : public SECLayoutNode {
public:
    RECT* OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bClamp, BOOL bForce) override
    {
        SetCurrentRect(rect);
        for (POSITION pos = GetHeadPosition(); pos; pos = GetNextPosition(pos)) {
            RECT rc {};
            RECT out {};
            GetChildAt(pos)->GetCurrentRect(&rc);
            GetChildAt(pos)->RecalcLayout(&out, rc, bClamp, bForce);
        }
        *pOut = rect;
        return pOut;
    }
};

TEST_F(Splitters, SizableBarsSitOnTheRequestedSidesAndNeverCountAsContent)
{
    struct Case {
        int sides;
        RECT rect;
        const char* bars[4]; // top, bottom, left, right; "" for none
        const char* content;
    };
    const Case cases[] = {
        { 0xF, { 10, 10, 110, 60 }, { "10,10,110,16", "10,54,110,60", "10,16,16,54", "104,16,110,54" }, "16,16,104,54" },
        { 0x4 | 0x8, { 10, 10, 110, 60 }, { "", "", "10,10,16,60", "104,10,110,60" }, "16,10,104,60" },
        // A node thinner than a bar gets a bar of its own thickness, not one that pokes out.
        { 0x1, { 0, 0, 100, 4 }, { "0,0,100,4", "", "", "" }, "0,4,100,4" },
        // A node of no size at all: every bar and the content shrink to a point.
        { 0xF, { 5, 5, 5, 5 }, { "5,5,5,5", "5,5,5,5", "5,5,5,5", "5,5,5,5" }, "5,5,5,5" },
    };
    for (const Case& c : cases) {
        SECLNSizable sizable;
        SECLayoutNode content;
        SECLayoutNode second;
        EXPECT_EQ(sizable.AddLayoutNode(&content), 1);
        ASSERT_TRUE(sizable.SetSides(&m_host, FALSE, c.sides));
        EXPECT_EQ(sizable.AddLayoutNode(&second), -1);
        EXPECT_EQ(sizable.GetContentCount(), 1);
        RECT out {};
        sizable.RecalcLayout(&out, c.rect, FALSE, TRUE);
        const int bits[4] = { SECLNSizable::SideTop, SECLNSizable::SideBottom, SECLNSizable::SideLeft,
            SECLNSizable::SideRight };
        for (int i = 0; i < 4; ++i) {
            SECLNVirtualSplitter* bar = sizable.GetSideBar(bits[i]);
            RECT rc {};
            EXPECT_EQ(bar ? RectText(*bar->GetCurrentRect(&rc)) : std::string(), c.bars[i]) << c.sides << " bar " << i;
        }
        EXPECT_EQ(RectText(*content.GetCurrentRect(&out)), c.content);
        // Switching the bars off and on again brings the same sides back.
        sizable.EnableSides(FALSE, FALSE, FALSE);
        EXPECT_EQ(sizable.GetContentCount(), 1);
        EXPECT_EQ(sizable.GetChildCount(FALSE), 1);
        sizable.EnableSides(TRUE, FALSE, FALSE);
        EXPECT_EQ(sizable.GetRequestedSides(), c.sides);
        for (int bit : bits)
            EXPECT_EQ(sizable.GetSideBar(bit) != nullptr, (c.sides & bit) != 0);
    }
}

TEST_F(Splitters, DraggingABorderBarResizesTheBorderAndAHiddenDockSideCollapses)
{
    KeepingParent root;
    SECLNSizableDockBorder border;
    HideableNode content;
    root.AddLayoutNode(&border);
    border.AddLayoutNode(&content);
    border.SetDockSide(SECLNSizableDockBorder::Bottom);
    ASSERT_TRUE(border.SetSides(&m_host, FALSE, SECLNSizable::SideTop));
    RECT out {};
    border.RecalcLayout(&out, { 0, 100, 200, 150 }, FALSE, TRUE);
    root.RecalcLayout(&out, { 0, 0, 200, 150 }, FALSE, TRUE);
    ASSERT_EQ(RectText(*border.GetCurrentRect(&out)), "0,100,200,150");

    // Dragging the top bar up by 20 grows the border upwards and keeps the content's size as its wish.
    border.OnSplitterMoved(border.GetSideBar(SECLNSizable::SideTop), 0, -20);
    EXPECT_EQ(RectText(*border.GetCurrentRect(&out)), "0,80,200,150");
    content.GetPreferredRect(&out);
    EXPECT_EQ(RectText(out), "0,106,200,150");

    // Hiding the content leaves the border no room at all in its parent's next negotiation.
    content.ShowNode(FALSE, TRUE, FALSE);
    EXPECT_TRUE(border.OnDockEvent(nullptr, nullptr, nullptr, nullptr, nullptr));
    SIZE sizeMin {};
    SIZE sizeMax {};
    int flags = -1;
    border.GetMinMaxSize(sizeMin, sizeMax, flags);
    EXPECT_EQ(sizeMax.cx, 0);
    EXPECT_EQ(sizeMax.cy, 0);
    EXPECT_EQ(flags & SECLayoutNode::NoMaxSize, 0);
}

} // namespace
