// Drawn layout nodes: border strips and their clamping, the bordered node's room and limits, the client
// edge's bands, counted visibility, and the gripper's strip, bars and buttons.

#include "toolkit/frames/SECDefHideableNode.h"
#include "toolkit/frames/SECLNBorderClientEdge.h"
#include "toolkit/frames/SECLNHwndContainer.h"
#include "toolkit/frames/SECLayoutNodeBorderSpace.h"
#include "toolkit/frames/SECLayoutNodeDC.h"
#include "toolkit/frames/SECLayoutNodeGripperEx.h"
#include "toolkit/frames/SECReparentableGripperEx.h"
#include "toolkit/frames/tests/LayoutWindowFixture.h"

#include <vector>

namespace {

bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

testing::AssertionResult IsRect(const RECT& actual, const RECT& expected)
{
    if (Same(actual, expected))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "(" << actual.left << "," << actual.top << "," << actual.right << ","
                                       << actual.bottom << ") instead of (" << expected.left << "," << expected.top
                                       << "," << expected.right << "," << expected.bottom << ")";
}

RECT Layout(SECLayoutNode& node, const RECT& rect)
{
    RECT out {};
    node.RecalcLayout(&out, rect, FALSE, TRUE);
    return out;
}

RECT Current(SECLayoutNode& node)
{
    RECT rc {};
    node.GetCurrentRect(&rc);
    return rc;
}

// Records what a border asks to have repainted instead of asking a window.
class RecordingBorder : public SECLayoutNodeBorderSpace {
public:
    void InvalidateArea(const RECT& rect) override { invalidated.push_back(rect); }
    std::vector<RECT> invalidated;
};

class ClickGripper : public SECLayoutNodeGripperEx {
public:
    void OnCloseButton() override { ++closes; }
    int closes { 0 };
};

} // namespace

TEST(SECLayoutNodeBorderSpace, StripsClampIntoNarrowRectanglesInBothCornerOrders)
{
    struct Case {
        RECT rect;
        BOOL verticalFirst;
        RECT left, right, top, bottom;
    };
    const Case cases[] = {
        { { 0, 0, 100, 50 }, TRUE, { 0, 0, 6, 50 }, { 94, 0, 100, 50 }, { 6, 0, 94, 3 }, { 6, 47, 94, 50 } },
        { { 0, 0, 100, 50 }, FALSE, { 0, 3, 6, 47 }, { 94, 3, 100, 47 }, { 0, 0, 100, 3 }, { 0, 47, 100, 50 } },
        // Narrower than both side widths: each side strip stops at the other edge, the strips between
        // them turn inside out.
        { { 10, 0, 18, 4 }, TRUE, { 10, 0, 16, 4 }, { 12, 0, 18, 4 }, { 16, 0, 12, 3 }, { 16, 1, 12, 4 } },
        { { 0, 0, 4, 2 }, FALSE, { 0, 2, 4, 0 }, { 0, 2, 4, 0 }, { 0, 0, 4, 2 }, { 0, 0, 4, 2 } },
    };
    SECLayoutNodeBorderSpace border;
    for (const Case& c : cases) {
        RECT left {}, right {}, top {}, bottom {};
        border.CalcBorderRects(c.rect, c.verticalFirst, left, right, top, bottom);
        EXPECT_TRUE(IsRect(left, c.left));
        EXPECT_TRUE(IsRect(right, c.right));
        EXPECT_TRUE(IsRect(top, c.top));
        EXPECT_TRUE(IsRect(bottom, c.bottom));
    }
}

TEST(SECLayoutNodeBorderSpace, BorderedNodeGetsTheInsideAndLendsItsLimits)
{
    SECLayoutNodeBorderSpace border;
    SECLayoutNode inner;
    SECLayoutNode second;
    inner.SetMinMaxSize({ 20, 10 }, { 200, 100 }, 0);
    ASSERT_EQ(border.AddLayoutNode(&inner), 1);
    EXPECT_EQ(border.AddLayoutNode(&second), 1) << "a second child is refused";
    EXPECT_EQ(second.GetParent(), nullptr);

    EXPECT_TRUE(IsRect(Layout(border, { 0, 0, 100, 50 }), { 0, 0, 100, 50 }));
    EXPECT_TRUE(IsRect(Current(inner), { 6, 3, 94, 47 }));
    SIZE sizeMin {}, sizeMax {};
    int flags = -1;
    border.GetMinMaxSize(sizeMin, sizeMax, flags);
    EXPECT_EQ(sizeMin.cx, 32);
    EXPECT_EQ(sizeMin.cy, 16);
    EXPECT_EQ(sizeMax.cx, 212);
    EXPECT_EQ(sizeMax.cy, 106);
    EXPECT_EQ(flags, 0);

    // An inverted rectangle is made normal; the inside never leaves the node.
    EXPECT_TRUE(IsRect(Layout(border, { 50, 50, 40, 52 }), { 50, 50, 50, 52 }));
    EXPECT_TRUE(IsRect(Current(inner), { 50, 52, 50, 52 }));

    // Switched off, the bordered node fills the node, while the strips are still computed.
    border.EnableBorder(FALSE, FALSE);
    EXPECT_TRUE(IsRect(Layout(border, { 0, 0, 100, 50 }), { 0, 0, 100, 50 }));
    EXPECT_TRUE(IsRect(Current(inner), { 0, 0, 100, 50 }));
    EXPECT_TRUE(IsRect(border.GetBorderRect(SECLayoutNodeBorderSpace::SideLeft), { 0, 0, 6, 50 }));

    RECT preferred {};
    border.EnableBorder(TRUE, FALSE);
    border.SetPreferredRect({ 0, 0, 60, 40 });
    inner.GetPreferredRect(&preferred);
    EXPECT_TRUE(IsRect(preferred, { 6, 3, 54, 37 }));
    border.GetPreferredRect(&preferred);
    EXPECT_TRUE(IsRect(preferred, { 0, 0, 60, 40 }));
}

TEST(SECLayoutNodeBorderSpace, InvalidatesOnlyWhatANewRectangleAddsToTheOldOne)
{
    RecordingBorder border;
    RECT before { 0, 0, 10, 10 };
    EXPECT_FALSE(border.InvalidateChangedArea({ 0, 0, 10, 10 }, before));
    EXPECT_TRUE(border.invalidated.empty());

    before = { 0, 2, 10, 10 };
    EXPECT_TRUE(border.InvalidateChangedArea({ 0, 0, 11, 12 }, before));
    ASSERT_EQ(border.invalidated.size(), 4U);
    EXPECT_TRUE(IsRect(border.invalidated[0], { 0, 0, 11, 2 }));
    EXPECT_TRUE(IsRect(border.invalidated[1], { 0, 10, 11, 12 }));
    EXPECT_TRUE(IsRect(border.invalidated[3], { 10, 2, 11, 10 })) << "the right strip spans the common height";
    EXPECT_TRUE(IsRect(before, { 0, 0, 11, 12 }));
}

TEST(SECLNBorderClientEdge, EdgesTakeTwoPixelsAndBandsStayInside)
{
    SECLNBorderClientEdge edge;
    SECLayoutNode inner;
    edge.AddLayoutNode(&inner);
    int left = -1, top = -1, right = -1, bottom = -1;
    edge.GetBorderWidths(left, top, right, bottom);
    EXPECT_EQ(left + top + right + bottom, 0);
    edge.SetEdgeSides(FALSE, FALSE, FALSE, TRUE);
    edge.GetBorderWidths(left, top, right, bottom);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(right, 0);
    EXPECT_EQ(bottom, 2);
    Layout(edge, { 0, 0, 50, 30 });
    EXPECT_TRUE(IsRect(Current(inner), { 0, 0, 50, 28 }));

    BOOL horizontal = FALSE;
    EXPECT_TRUE(edge.GetEdgeOrientation(SECLayoutNodeBorderSpace::SideBottom, horizontal));
    EXPECT_TRUE(horizontal);
    EXPECT_FALSE(edge.GetEdgeOrientation(SECLayoutNodeBorderSpace::SideTop, horizontal));
    EXPECT_FALSE(edge.GetEdgeOrientation(7, horizontal));

    struct Case {
        int from, to, side;
        RECT band;
    };
    const RECT r { 10, 10, 20, 30 };
    const Case cases[] = {
        { 0, 2, SECLayoutNodeBorderSpace::SideLeft, { 10, 10, 12, 30 } },
        { 2, 4, SECLayoutNodeBorderSpace::SideTop, { 10, 12, 20, 14 } },
        { 0, 2, SECLayoutNodeBorderSpace::SideRight, { 18, 10, 20, 30 } },
        { 0, 2, SECLayoutNodeBorderSpace::SideBottom, { 10, 28, 20, 30 } },
        { 8, 15, SECLayoutNodeBorderSpace::SideLeft, { 18, 10, 20, 30 } },
        { 8, 15, SECLayoutNodeBorderSpace::SideRight, { 10, 10, 12, 30 } },
        { 0, 2, 9, r },
    };
    for (const Case& c : cases) {
        RECT band {};
        edge.CalcEdgeBand(band, r, c.from, c.to, c.side);
        EXPECT_TRUE(IsRect(band, c.band)) << "side " << c.side << " from " << c.from;
    }
}

TEST(SECDefHideableNode, ShowsAndHidesOnlyAtTheCountsEdges)
{
    struct Step {
        BOOL show, force;
        BOOL changed, visible;
        int count;
    };
    const Step steps[] = {
        { FALSE, FALSE, FALSE, TRUE, -1 }, // not yet shown once: a plain hide does nothing
        { TRUE, FALSE, FALSE, TRUE, 0 },
        { TRUE, FALSE, FALSE, TRUE, 1 }, // already visible
        { TRUE, FALSE, FALSE, TRUE, 2 },
        { FALSE, FALSE, FALSE, TRUE, 1 },
        { FALSE, TRUE, TRUE, FALSE, 0 }, // forced: at once
        { TRUE, FALSE, TRUE, TRUE, 1 },
    };
    SECDefHideableNode node;
    for (const Step& step : steps) {
        EXPECT_EQ(node.ShowNode(step.show, step.force, FALSE), step.changed);
        EXPECT_EQ(node.IsNodeVisible(), step.visible);
        EXPECT_EQ(node.GetShowCount(), step.count);
    }
}

TEST_F(LayoutWindowTest, HiddenBorderedNodeGivesNoLimitsAndHidingReachesTheSubtree)
{
    SECLayoutNodeBorderSpace border;
    SECLayoutNodeDC drawn;
    SECLayoutNodeDC below;
    EXPECT_EQ(border.AddLayoutNode(&drawn), -1) << "a drawn node without a window cannot join";
    drawn.SetDrawWindow(Host());
    below.SetDrawWindow(Host());
    ASSERT_EQ(border.AddLayoutNode(&drawn), 1);
    ASSERT_EQ(drawn.AddLayoutNode(&below), 1);
    drawn.SetMinMaxSize({ 30, 30 }, { 90, 90 }, 0);

    drawn.ShowNode(TRUE, FALSE, FALSE);
    EXPECT_TRUE(drawn.ShowNode(FALSE, FALSE, TRUE));
    EXPECT_FALSE(below.IsNodeVisible());
    Layout(border, { 0, 0, 100, 100 });
    SIZE sizeMin {}, sizeMax {};
    int flags = -1;
    border.GetMinMaxSize(sizeMin, sizeMax, flags);
    EXPECT_EQ(sizeMin.cx + sizeMin.cy + sizeMax.cx + sizeMax.cy + flags, 0);
}

TEST(SECLayoutNodeGripper, GripperSideTakesTheThicknessAndFollowsOrientation)
{
    SECLayoutNodeGripper gripper;
    SECLayoutNode inner;
    gripper.AddLayoutNode(&inner);
    int left = 0, top = 0, right = 0, bottom = 0;
    gripper.GetBorderWidths(left, top, right, bottom);
    EXPECT_EQ(std::vector<int>({ left, top, right, bottom }), std::vector<int>({ 18, 3, 6, 3 }));
    SIZE sizeMin {}, sizeMax {};
    int flags = 0;
    gripper.GetMinMaxSize(sizeMin, sizeMax, flags);
    EXPECT_EQ(sizeMin.cx, 18);
    EXPECT_EQ(flags, SECLayoutNode::NoMaxSize);

    Layout(gripper, { 0, 0, 100, 60 });
    EXPECT_TRUE(IsRect(Current(inner), { 18, 3, 94, 57 }));
    const SECGripperLayout* layout = gripper.GetGripperLayout();
    ASSERT_NE(layout, nullptr);
    // Bars 3 wide at 6 and 10 across the strip, from the top inset (3) to the bottom inset (3).
    EXPECT_TRUE(IsRect(layout->m_rcBar1, { 6, 3, 9, 57 }));
    EXPECT_TRUE(IsRect(layout->m_rcBar2, { 10, 3, 13, 57 }));

    gripper.SetOrientation(FALSE, FALSE);
    EXPECT_EQ(gripper.GetGripperSide(), SECLayoutNodeBorderSpace::SideTop);
    gripper.GetBorderWidths(left, top, right, bottom);
    EXPECT_EQ(std::vector<int>({ left, top, right, bottom }), std::vector<int>({ 6, 18, 6, 3 }));
    Layout(gripper, { 0, 0, 100, 60 });
    EXPECT_TRUE(IsRect(layout->m_rcBar1, { 6, 6, 94, 9 }));
    EXPECT_TRUE(IsRect(layout->m_rcBar2, { 6, 10, 94, 13 }));

    // A node only 7 wide has a 7-pixel strip: the bars sit at 0 and 4.
    gripper.SetOrientation(TRUE, FALSE);
    Layout(gripper, { 0, 0, 7, 60 });
    EXPECT_EQ(layout->m_rcBar1.left, 0);
    EXPECT_EQ(layout->m_rcBar2.left, 4);
}

TEST(SECLayoutNodeGripperEx, ButtonsShortenTheBarsAndCarryTheirStates)
{
    SECLayoutNodeGripperEx gripper;
    RECT rc {};
    EXPECT_FALSE(gripper.GetCloseButtonRect(rc)) << "no layout yet";
    gripper.m_bShowClose = TRUE;
    gripper.m_bShowExpand = TRUE;
    Layout(gripper, { 0, 0, 100, 80 });
    const SECGripperLayout* layout = gripper.GetGripperLayout();
    ASSERT_NE(layout, nullptr);
    // Vertical strip 18 wide: buttons 11 wide at offset (18-11)%2 + 3 = 4, close first below the inset.
    EXPECT_TRUE(IsRect(layout->m_rcClose, { 4, 3, 15, 14 }));
    EXPECT_TRUE(IsRect(layout->m_rcExpand, { 3, 15, 15, 27 }));
    EXPECT_EQ(layout->m_rcBar1.top, 3 + 11 + 2 + 11 + 1 + 1);

    gripper.SetOrientation(FALSE, FALSE);
    Layout(gripper, { 0, 0, 100, 80 });
    EXPECT_TRUE(IsRect(layout->m_rcClose, { 83, 4, 94, 15 }));
    EXPECT_TRUE(IsRect(layout->m_rcExpand, { 69, 3, 81, 15 }));
    EXPECT_EQ(layout->m_rcBar1.right, 94 - 25 - 1);

    struct Case {
        int side;
        BOOL expanded, enabled, pressed;
        UINT state;
    };
    const Case cases[] = {
        { SECLayoutNodeBorderSpace::SideLeft, TRUE, TRUE, FALSE, DFCS_SCROLLLEFT },
        { SECLayoutNodeBorderSpace::SideRight, FALSE, TRUE, FALSE, DFCS_SCROLLRIGHT },
        { SECLayoutNodeBorderSpace::SideTop, TRUE, FALSE, FALSE, DFCS_SCROLLUP | DFCS_INACTIVE },
        { SECLayoutNodeBorderSpace::SideBottom, FALSE, TRUE, TRUE, DFCS_SCROLLDOWN | DFCS_PUSHED },
    };
    for (const Case& c : cases) {
        gripper.m_bExpanded = c.expanded;
        gripper.m_bExpandEnabled = c.enabled;
        gripper.m_bExpandPressed = c.pressed;
        EXPECT_EQ(gripper.GetExpandButtonState(c.side), c.state) << "side " << c.side;
    }
    gripper.m_bClosePressed = TRUE;
    EXPECT_EQ(gripper.GetCloseButtonState(), static_cast<UINT>(DFCS_PUSHED));
}

TEST_F(LayoutWindowTest, CloseButtonFiresOnlyOnAReleaseInsideIt)
{
    ClickGripper gripper;
    gripper.m_bShowClose = TRUE;
    gripper.m_bShowExpand = TRUE;
    gripper.m_bExpandEnabled = FALSE;
    gripper.SetDrawWindow(Host());
    Layout(gripper, { 0, 0, 100, 80 });
    // Close button (4, 3, 15, 14), expand button (3, 15, 15, 27) in the window's client area.
    m_screen.drag(9, 8, 60, 60);
    EXPECT_EQ(gripper.closes, 0) << "released outside";
    EXPECT_FALSE(gripper.m_bClosePressed);

    m_screen.moveTo(9, 8);
    m_screen.press();
    EXPECT_TRUE(gripper.m_bClosePressed);
    EXPECT_EQ(::GetCapture(), Host());
    m_screen.moveTo(60, 60);
    EXPECT_FALSE(gripper.m_bClosePressed);
    m_screen.moveTo(10, 9);
    EXPECT_TRUE(gripper.m_bClosePressed);
    m_screen.release();
    EXPECT_EQ(gripper.closes, 1);
    EXPECT_FALSE(gripper.m_bCloseTracking);

    // A disabled expand button takes no press and leaves the mouse alone.
    m_screen.moveTo(9, 20);
    m_screen.press();
    EXPECT_FALSE(gripper.m_bExpandTracking);
    EXPECT_EQ(::GetCapture(), nullptr);
    m_screen.release();
}

TEST_F(LayoutWindowTest, EmptiedGripperLeavesItsTreeForTheDragPool)
{
    SECLayoutNode root;
    SECLayoutNodePool dragPool;
    SECLayoutNodePool treePool;
    auto* gripper = new SECReparentableGripperEx;
    auto* full = new SECReparentableGripperEx;
    SECLayoutNode content;
    gripper->SetDrawWindow(Host());
    full->SetDrawWindow(Host());
    gripper->SetNodePool(&treePool, FALSE);
    full->SetNodePool(&treePool, FALSE);
    root.AddLayoutNode(gripper);
    root.AddLayoutNode(full);
    full->AddLayoutNode(&content);
    full->EnableBorder(FALSE, FALSE);

    EXPECT_FALSE(gripper->OnDockEvent(&content, nullptr, nullptr, nullptr, &dragPool));
    EXPECT_EQ(gripper->GetParentNode(), nullptr);
    EXPECT_EQ(gripper->GetNodePool(), &dragPool);
    EXPECT_EQ(treePool.GetObjectCount(), 1);

    EXPECT_TRUE(full->OnDockEvent(&content, nullptr, nullptr, nullptr, &dragPool));
    EXPECT_TRUE(full->IsBorderEnabled());
    EXPECT_EQ(full->GetParentNode(), &root);
    EXPECT_EQ(dragPool.DeleteAllObjects(), 1);
}

namespace {

class CountingRoot : public SECLayoutNode {
public:
    RECT* OnRecalcLayout(RECT* out, const RECT& rect, BOOL clamp, BOOL force) override
    {
        ++layouts;
        return SECLayoutNode::OnRecalcLayout(out, rect, clamp, force);
    }
    int layouts { 0 };
};

class CountingContainer : public SECLNHwndContainer {
public:
    using SECLNHwndContainer::SECLNHwndContainer;
    void RecalcFrameLayout(BOOL) override { ++frameLayouts; }
    int frameLayouts { 0 };
};

} // namespace

TEST_F(LayoutWindowTest, SizeRequestClimbsToTheTopmostNegotiatingParent)
{
    CountingRoot root;
    SECLNBorderClientEdge outer;
    SECLNBorderClientEdge inner;
    SECLayoutNode leaf;
    outer.SetDrawWindow(Host());
    inner.SetDrawWindow(Host());
    root.AddLayoutNode(&outer);
    outer.AddLayoutNode(&inner);
    inner.AddLayoutNode(&leaf);
    CountingContainer container(Host());

    EXPECT_TRUE(inner.OnChildSizeChanged(TRUE, &container));
    EXPECT_EQ(container.frameLayouts, 1);
    EXPECT_EQ(root.layouts, 2) << "the parent of the topmost negotiator, then the root in place";

    // Without propagation the node's own parent lays out; without a parent the node itself.
    SECLNBorderClientEdge alone;
    EXPECT_TRUE(alone.OnChildSizeChanged(FALSE, nullptr));
    EXPECT_TRUE(inner.OnChildSizeChanged(FALSE, nullptr));
    EXPECT_EQ(root.layouts, 3);
}
