// Docking by drag and drop: a gripper dragged by synthetic mouse input from the left side of a window
// to its right side, checked and drawn; drags cancelled by Escape, the right button or a lost capture
// leave the layout as it was. Also the hit testers' rules. Floating is tested beside this.

#include "toolkit/frames/SECDockingListener.h"

#include <gtest/gtest.h>

#include "platform/user/Input.h"
#include "toolkit/frames/SECDockInitiatorHitTester.h"
#include "toolkit/frames/SECLayoutTreeSearch.h"
#include "toolkit/frames/tests/CaptureTaker.h"
#include "toolkit/frames/tests/DragDockingFixture.h"

namespace {

using platform::user::InjectKey;
using platform::user::InjectMouseButton;
using platform::user::InjectMouseMove;
using platform::user::MouseButton;

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

TEST_F(DragDocking, CancelledDragsLeaveTheLayout)
{
    const std::string before = Layout();
    const POINT grip = Grip();
    CaptureTaker taker;
    ASSERT_TRUE(taker.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(230, 150, 240, 160), &m_host, 1));
    enum class End { Escape, RightButton, LostCapture };
    for (End end : { End::Escape, End::RightButton, End::LostCapture }) {
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
        }
        InjectMouseButton(MouseButton::Left, false);
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
