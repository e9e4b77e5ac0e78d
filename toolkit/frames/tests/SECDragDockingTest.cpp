// Docking by drag and drop: a gripper dragged by synthetic mouse input from the left side of a window
// to its right side, checked and drawn; drags cancelled by Escape, the right button, a lost capture or
// a drop outside every target leave the layout as it was. Also the hit testers' rules.

#include "toolkit/frames/SECDockingListener.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/user/Input.h"
#include "toolkit/frames/SECDockInitiatorHitTester.h"
#include "toolkit/frames/SECDynGridLineTarget.h"
#include "toolkit/frames/SECLNBorderClient.h"
#include "toolkit/frames/SECLNBorderClientEdge.h"
#include "toolkit/frames/SECLNHwndContainer.h"
#include "toolkit/frames/SECLNSizableDockBorder.h"
#include "toolkit/frames/SECLayoutDockFactory.h"
#include "toolkit/frames/SECLayoutTreeSearch.h"
#include "toolkit/frames/tests/CaptureTaker.h"
#include "toolkit/frames/tests/FramesTestGeometry.h"
#include "toolkit/frames/tests/LayoutWindowFixture.h"

namespace {

using platform::user::InjectKey;
using platform::user::InjectMouseButton;
using platform::user::InjectMouseMove;
using platform::user::MouseButton;

// A window whose left and right sides are dock targets in sizable borders around a centre, as a frame's
// sides are, with a list docked on the left.
class DragDocking : public LayoutWindowTest {
protected:
    void SetUp() override
    {
        LayoutWindowTest::SetUp();
        m_list = ::CreateWindow(WC_LISTBOX, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 10, 10, Host(), nullptr,
            nullptr, nullptr);
        for (const char* album : { "Blue Train", "Kind of Blue", "Giant Steps" })
            ::SendMessage(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(album));
        m_root = static_cast<SECLNBorderClient*>(m_factory.CreateNode(&m_clientFactory, "root"));
        m_left = static_cast<SECDynGridLineTarget*>(m_factory.CreateNode(&m_targetFactory, "left"));
        m_right = static_cast<SECDynGridLineTarget*>(m_factory.CreateNode(&m_targetFactory, "right"));
        m_centre = static_cast<SECLNBorderClientEdge*>(m_factory.CreateDrawnNode(&m_host, nullptr, &m_edgeFactory));
        m_node = m_factory.CreateDockableWndNodeDefault(CWnd::FromHandle(m_list), &m_host, "Albums");
        ASSERT_TRUE(m_root && m_left && m_right && m_centre && m_node);
        m_centre->SetEdgeSides(TRUE, TRUE, TRUE, TRUE);
        for (SECDynGridLineTarget* side : { m_left, m_right }) {
            side->SetLineWindow(Host(), FALSE);
            side->SetGrowMode(TRUE);
        }
        m_node->SetPreferredRect({ 0, 0, 90, 160 });
        SECDynGridInsertConstraints c;
        c.m_bNewRow = TRUE;
        c.m_nThickness = 90;
        ASSERT_GE(m_left->InsertNode(m_node, &c), 0);
        m_leftBorder.SetDockSide(SECLNSizableDockBorder::Left);
        m_rightBorder.SetDockSide(SECLNSizableDockBorder::Right);
        ASSERT_TRUE(m_leftBorder.SetSides(&m_host, TRUE, SECLNSizable::SideRight));
        ASSERT_TRUE(m_rightBorder.SetSides(&m_host, TRUE, SECLNSizable::SideLeft));
        ASSERT_GE(m_leftBorder.AddLayoutNode(m_left), 0);
        ASSERT_GE(m_rightBorder.AddLayoutNode(m_right), 0);
        ASSERT_NE(m_root->AddBorderNode(&m_leftBorder, SECLNBorderClient::Left), -1);
        ASSERT_NE(m_root->AddBorderNode(&m_rightBorder, SECLNBorderClient::Right), -1);
        ASSERT_NE(m_root->AddBorderNode(m_centre, SECLNBorderClient::Centre), -1);
        m_manager.RegisterContainer(m_root, new SECLNHwndContainer(Host()));
        ASSERT_TRUE(m_manager.PropagateContainer(m_root));
        m_listener = std::make_unique<SECDockingListener>();
        ASSERT_TRUE(m_listener->AttachDocking(m_root, &m_host, &m_manager, TRUE, TRUE, FALSE));
        ::InvalidateRect(Host(), nullptr, TRUE);
        m_screen.pump();
    }
    void TearDown() override
    {
        m_listener.reset();
        LayoutWindowTest::TearDown();
    }
    // A point on the gripper strip of the docked node (outside the list it wraps).
    POINT Grip() const
    {
        RECT node {};
        m_node->GetCurrentRect(&node);
        RECT list {};
        ::GetWindowRect(m_list, &list);
        return { (node.left + node.right) / 2, node.top + (list.top - node.top) / 2 };
    }
    std::string Layout() const
    {
        RECT rc {};
        std::string out = "left " + std::to_string(m_left->GetCellCount()) + " right "
            + std::to_string(m_right->GetCellCount()) + " node " + RectText(*m_node->GetCurrentRect(&rc));
        ::GetWindowRect(m_list, &rc);
        return out + " list " + RectText(rc);
    }

    SECLayoutDockFactory m_factory;
    quorvale::foundation::SECClassFactory_T<SECLNBorderClient, SECLayoutNode> m_clientFactory;
    quorvale::foundation::SECClassFactory_T<SECDynGridLineTarget, SECLayoutNode> m_targetFactory;
    quorvale::foundation::SECClassFactory_T<SECLNBorderClientEdge, SECLayoutNodeDCBase> m_edgeFactory;
    SECLNDockingMgr m_manager;
    SECLNSizableDockBorder m_leftBorder;
    SECLNSizableDockBorder m_rightBorder;
    HWND m_list { nullptr };
    SECLNBorderClient* m_root { nullptr };
    SECDynGridLineTarget* m_left { nullptr };
    SECDynGridLineTarget* m_right { nullptr };
    SECLNBorderClientEdge* m_centre { nullptr };
    SECLayoutNodeDCBase* m_node { nullptr };
    std::unique_ptr<SECDockingListener> m_listener;
};

TEST_F(DragDocking, AGripperDraggedToTheOtherSideDocksThere)
{
    const POINT grip = Grip();
    ASSERT_EQ(m_left->GetCellCount(), 1);
    m_screen.drag(grip.x, grip.y, m_size.cx - 10, 80);

    EXPECT_EQ(m_left->GetCellCount(), 0);
    ASSERT_EQ(m_right->GetCellCount(), 1);
    EXPECT_EQ(m_right->GetFirstNode(), m_node);
    EXPECT_EQ(SECDragDropDockingFeature::GetDraggedNode(), nullptr);
    EXPECT_FALSE(SECLNHwndContainer::GetContainerDragFlag());
    RECT rc {};
    m_node->GetCurrentRect(&rc);
    EXPECT_EQ(rc.right, m_size.cx);
    ::InvalidateRect(Host(), nullptr, TRUE);
    m_screen.pump();
    const std::string diff =
        m_screen.compareWithGolden({ 0, 0, m_size.cx, m_size.cy }, Golden("drag_docked_right.png"));
    EXPECT_TRUE(diff.empty()) << diff;
}

TEST_F(DragDocking, CancelledDragsAndDropsOutsideEveryTargetLeaveTheLayout)
{
    const std::string before = Layout();
    const POINT grip = Grip();
    CaptureTaker taker;
    ASSERT_TRUE(taker.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(230, 150, 240, 160), &m_host, 1));
    enum class End { Escape, RightButton, LostCapture, ControlDrop, Nowhere };
    for (End end : { End::Escape, End::RightButton, End::LostCapture, End::ControlDrop, End::Nowhere }) {
        m_screen.moveTo(grip.x, grip.y);
        InjectMouseButton(MouseButton::Left, true);
        InjectMouseMove({ m_size.cx - 10, 80 });
        switch (end) {
        case End::Escape:
            InjectKey(VK_ESCAPE, true);
            InjectKey(VK_ESCAPE, false);
            break;
        case End::RightButton:
            InjectMouseButton(MouseButton::Right, true);
            InjectMouseButton(MouseButton::Right, false);
            break;
        case End::LostCapture:
            taker.PostMessage(CaptureTaker::WM_TAKE, 0, 0);
            InjectMouseMove({ m_size.cx - 12, 80 });
            break;
        case End::ControlDrop:
            // Ctrl refuses every target; the float that follows is not possible here, so nothing moves.
            InjectKey(VK_CONTROL, true);
            InjectMouseMove({ m_size.cx - 11, 80 });
            break;
        case End::Nowhere:
            InjectMouseMove({ 500, 400 });
            break;
        }
        InjectMouseButton(MouseButton::Left, false);
        if (end == End::ControlDrop)
            InjectKey(VK_CONTROL, false);
        m_screen.pump();
        ::ReleaseCapture();
        m_screen.pump();
        EXPECT_EQ(Layout(), before) << static_cast<int>(end);
        EXPECT_EQ(SECDragDropDockingFeature::GetDraggedNode(), nullptr);
        EXPECT_FALSE(SECLNHwndContainer::GetContainerDragFlag());
    }
}

TEST_F(DragDocking, OnlyTheGripperStripStartsADrag)
{
    SECDockInitiatorHitTester tester;
    const POINT grip = Grip();
    EXPECT_EQ(dynamic_cast<SECLayoutNode*>(tester.HitTest(&m_manager, grip, FALSE)), m_node);
    RECT list {};
    ::GetWindowRect(m_list, &list);
    EXPECT_EQ(tester.HitTest(&m_manager, { (list.left + list.right) / 2, (list.top + list.bottom) / 2 }, FALSE),
        nullptr);
    EXPECT_EQ(tester.HitTest(&m_manager, { m_size.cx / 2, m_size.cy / 2 }, FALSE), nullptr);
    EXPECT_EQ(tester.HitTest(nullptr, grip, FALSE), nullptr);
    EXPECT_TRUE(IsDescendantNode(m_root, m_node));
    EXPECT_FALSE(IsDescendantNode(m_node, m_root));
    EXPECT_FALSE(IsDescendantNode(m_node, m_node));
    EXPECT_EQ(FindNodeAt(m_root, grip), &m_leftBorder);
}

} // namespace
