// Floating by drag and drop: a docked list dropped where no target takes it (or with Ctrl held over a
// target) floats in a mini frame of its own, which is checked and drawn; dragged by its caption onto a
// side of the window it docks there again and the emptied mini frame goes. A node destroyed in the
// middle of a drag leaves the layout working.

#include "toolkit/frames/SECDockFloatingNode.h"

#include <gtest/gtest.h>

#include "platform/user/Input.h"
#include "toolkit/frames/SECLNDockHitTester.h"
#include "toolkit/frames/SECLNFloatingHwndContainer.h"
#include "toolkit/frames/SECLayoutMiniFloatWnd.h"
#include "toolkit/frames/tests/CaptureTaker.h"
#include "toolkit/frames/tests/DragDockingFixture.h"

namespace {

using platform::user::InjectKey;
using platform::user::InjectMouseButton;
using platform::user::InjectMouseMove;
using platform::user::MouseButton;

class FloatingDrag : public DragDocking {
protected:
    SECDockFloatingNode* FloatingRoot() const { return dynamic_cast<SECDockFloatingNode*>(m_node->GetRootNode()); }
    SECLayoutMiniFloatWnd* Frame() const
    {
        SECDockFloatingNode* root = FloatingRoot();
        auto* container = root ? dynamic_cast<SECLNFloatingHwndContainer*>(m_manager.GetRegisteredContainer(root))
                               : nullptr;
        return container ? container->GetFrame() : nullptr;
    }
    // A new list docked in a row of its own on the side, laid out and drawn; null when it cannot be made.
    SECLayoutNodeDCBase* DockNewList(SECDynGridLineTarget* side, const char* name, HWND& list)
    {
        list = ::CreateWindow(WC_LISTBOX, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 10, 10, Host(), nullptr, nullptr,
            nullptr);
        SECLayoutNodeDCBase* node = m_factory.CreateDockableWndNodeDefault(CWnd::FromHandle(list), &m_host, name);
        SECDynGridInsertConstraints c;
        c.m_bNewRow = TRUE;
        c.m_nThickness = 90;
        if (!node || side->InsertNode(node, &c) < 0)
            return nullptr;
        m_manager.PropagateContainer(m_root);
        RECT out {};
        m_root->RecalcInPlace(&out);
        m_root->RealizeLayout(0);
        m_screen.pump();
        return node;
    }
    // A point on the gripper strip of a node, above the window it wraps, wherever the node is shown.
    POINT GripOf(SECLayoutNode* node, HWND inner) const
    {
        RECT rc {};
        node->GetCurrentRect(&rc);
        m_manager.FindContainer(node)->NodeToScreenRect(rc);
        RECT window {};
        ::GetWindowRect(inner, &window);
        return { (rc.left + rc.right) / 2, (rc.top + window.top) / 2 };
    }
    // A point in the middle of the mini frame's caption.
    POINT Caption() const
    {
        RECT window {};
        RECT client {};
        ::GetWindowRect(Frame()->m_hWnd, &window);
        ::GetClientRect(Frame()->m_hWnd, &client);
        ::ClientToScreen(Frame()->m_hWnd, reinterpret_cast<POINT*>(&client));
        return { (window.left + window.right) / 2, (window.top + client.top) / 2 };
    }
};

TEST_F(FloatingDrag, ADropOutsideEveryTargetFloatsTheNodeAndItsCaptionDocksItBack)
{
    const POINT drop { 300, 40 };
    enum class How { Nowhere, ControlOverTarget };
    for (How how : { How::Nowhere, How::ControlOverTarget }) {
        const POINT grip = Grip();
        if (how == How::Nowhere) {
            m_screen.drag(grip.x, grip.y, drop.x, drop.y);
        } else {
            // Ctrl refuses every target: the list floats where the right side would have taken it.
            m_screen.moveTo(grip.x, grip.y);
            InjectMouseButton(MouseButton::Left, true);
            InjectKey(VK_CONTROL, true);
            InjectMouseMove({ m_size.cx - 10, 80 });
            InjectMouseMove({ drop.x, drop.y });
            InjectMouseButton(MouseButton::Left, false);
            InjectKey(VK_CONTROL, false);
            m_screen.pump();
        }

        EXPECT_EQ(m_left->GetCellCount(), 0);
        EXPECT_EQ(m_right->GetCellCount(), 0);
        SECDockFloatingNode* root = FloatingRoot();
        ASSERT_NE(root, nullptr) << static_cast<int>(how);
        SECLayoutMiniFloatWnd* frame = Frame();
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(frame->IsWindowVisible());
        EXPECT_EQ(::GetParent(m_list), frame->m_hWnd);
        EXPECT_EQ(root->GetGridTarget()->GetFirstNode(), m_node);
        RECT window {};
        frame->GetWindowRect(&window);
        EXPECT_TRUE(::PtInRect(&window, drop)) << RectText(window);
        // One node: its own strip is off, the frame's caption stands for it.
        auto* border = dynamic_cast<ISECBorderWrapper*>(m_node);
        ASSERT_NE(border, nullptr);
        EXPECT_FALSE(border->IsBorderEnabled());
        EXPECT_EQ(SECDragDropDockingFeature::GetDraggedNode(), nullptr);
        EXPECT_FALSE(SECLNHwndContainer::GetContainerDragFlag());
        m_screen.pump();
        if (how == How::Nowhere) {
            const std::string diff = m_screen.compareWithGolden({ 0, 0, 480, 320 }, Golden("drag_floated.png"));
            EXPECT_TRUE(diff.empty()) << diff;
        }

        const POINT caption = Caption();
        m_screen.drag(caption.x, caption.y, m_size.cx - 10, 80);
        ASSERT_EQ(m_right->GetCellCount(), 1) << static_cast<int>(how);
        EXPECT_EQ(m_right->GetFirstNode(), m_node);
        EXPECT_EQ(m_node->GetRootNode(), m_root);
        EXPECT_EQ(::GetParent(m_list), Host());
        EXPECT_TRUE(border->IsBorderEnabled());
        EXPECT_FALSE(::IsWindowVisible(frame->m_hWnd));
        RECT rc {};
        m_node->GetCurrentRect(&rc);
        EXPECT_EQ(rc.right, m_size.cx);

        // Back to the left for the next round.
        const POINT back = Grip();
        m_screen.drag(back.x, back.y, 10, 80);
        ASSERT_EQ(m_left->GetCellCount(), 1);
    }
}

// A second node docked into a floating window: both show their strips, and the window's caption no
// longer stands for one node. When it leaves again, the one left hides its strip.
TEST_F(FloatingDrag, NodesDockedIntoAFloatingWindowShowTheirStripsWhileThereAreSeveral)
{
    POINT grip = Grip();
    m_screen.drag(grip.x, grip.y, 300, 40);
    SECDockFloatingNode* root = FloatingRoot();
    ASSERT_NE(root, nullptr);
    HWND list = nullptr;
    SECLayoutNodeDCBase* second = DockNewList(m_right, "Artists", list);
    ASSERT_NE(second, nullptr);

    RECT frame {};
    Frame()->GetWindowRect(&frame);
    grip = GripOf(second, list);
    m_screen.drag(grip.x, grip.y, (frame.left + frame.right) / 2, frame.bottom - 20);
    ASSERT_EQ(root->GetGridTarget()->GetCellCount(), 2);
    EXPECT_EQ(m_right->GetCellCount(), 0);
    EXPECT_EQ(::GetParent(list), Frame()->m_hWnd);
    for (SECLayoutNode* node : { static_cast<SECLayoutNode*>(m_node), static_cast<SECLayoutNode*>(second) })
        EXPECT_TRUE(dynamic_cast<ISECBorderWrapper*>(node)->IsBorderEnabled());
    EXPECT_EQ(root->HookDockSourceHitTest({}, nullptr), 0);

    grip = GripOf(second, list);
    m_screen.drag(grip.x, grip.y, m_size.cx - 10, 80);
    EXPECT_EQ(m_right->GetFirstNode(), second);
    ASSERT_EQ(root->GetGridTarget()->GetCellCount(), 1);
    EXPECT_FALSE(dynamic_cast<ISECBorderWrapper*>(m_node)->IsBorderEnabled());
    EXPECT_TRUE(dynamic_cast<ISECBorderWrapper*>(second)->IsBorderEnabled());
}

// While a floating window is dragged by its caption, the targets inside it are inside the dragged node
// (the window's own target still takes the drop, which the drag then refuses as the window's own place);
// the frame's targets are not. A drag called off, by Escape or a lost capture too, leaves the window
// where it was, holding its node.
TEST_F(FloatingDrag, TargetsInsideTheDraggedWindowAreKnownAndACancelLeavesTheWindow)
{
    const POINT grip = Grip();
    m_screen.drag(grip.x, grip.y, 300, 40);
    SECDockFloatingNode* root = FloatingRoot();
    ASSERT_NE(root, nullptr);
    RECT before {};
    Frame()->GetWindowRect(&before);
    auto expectUnchanged = [&](const char* how) {
        EXPECT_EQ(FloatingRoot(), root) << how;
        EXPECT_EQ(m_right->GetCellCount(), 0) << how;
        EXPECT_EQ(root->GetGridTarget()->GetFirstNode(), m_node) << how;
        RECT after {};
        Frame()->GetWindowRect(&after);
        EXPECT_EQ(RectText(after), RectText(before)) << how;
        EXPECT_TRUE(Frame()->IsWindowVisible()) << how;
        EXPECT_EQ(SECDragDropDockingFeature::GetDraggedNode(), nullptr) << how;
        EXPECT_FALSE(SECLNHwndContainer::GetContainerDragFlag()) << how;
    };

    SECDragDropDockingFeature feature;
    feature.SetDockingMgr(&m_manager);
    POINT caption = Caption();
    ASSERT_TRUE(feature.BeginDrag(0, caption));
    EXPECT_EQ(SECDragDropDockingFeature::GetDraggedNode(), root);
    SECFloatDynGridLineTarget* own = root->GetGridTarget();
    EXPECT_TRUE(own->IsInsideDraggedNode());
    EXPECT_EQ(own->HookDockTargetHitTest(caption, nullptr), SECLNDockHitTester<ISECDockTarget>::HookTake);
    EXPECT_FALSE(m_right->IsInsideDraggedNode());
    EXPECT_FALSE(m_left->IsInsideDraggedNode());
    EXPECT_EQ(m_right->HookDockTargetHitTest(caption, nullptr), 0);
    EXPECT_TRUE(feature.DragOver(0, { m_size.cx - 10, 80 }));
    ASSERT_TRUE(feature.EndDrag(0, { m_size.cx - 10, 80 }, FALSE));
    expectUnchanged("not committed");

    CaptureTaker taker;
    ASSERT_TRUE(taker.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(230, 150, 240, 160), &m_host, 1));
    for (const bool escape : { true, false }) {
        caption = Caption();
        m_screen.moveTo(caption.x, caption.y);
        InjectMouseButton(MouseButton::Left, true);
        InjectMouseMove({ m_size.cx - 10, 80 });
        if (escape) {
            InjectKey(VK_ESCAPE, true);
            InjectKey(VK_ESCAPE, false);
        } else {
            taker.PostMessage(CaptureTaker::WM_TAKE, 0, 0);
            InjectMouseMove({ m_size.cx - 12, 80 });
        }
        InjectMouseButton(MouseButton::Left, false);
        m_screen.pump();
        ::ReleaseCapture();
        m_screen.pump();
        expectUnchanged(escape ? "escape" : "lost capture");
    }
}

// Another part of the program destroying a node while the user drags it, when a key is let go (the drag
// passes that on, in order with the mouse input).
class NodeDestroyer : public CWnd {
public:
    SECLayoutDockFactory* m_pFactory { nullptr };
    SECLayoutNode* m_pNode { nullptr };
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_KEYUP && wParam == VK_F5 && m_pNode) {
            m_pFactory->DestroyNode(m_pNode);
            m_pNode = nullptr;
            return 0;
        }
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
};

TEST_F(FloatingDrag, ANodeDestroyedWhileDraggedEndsTheDragAndLeavesTheRestWorking)
{
    // The list moves to the right side and stays there; each round drags a new node from the left.
    POINT grip = Grip();
    m_screen.drag(grip.x, grip.y, m_size.cx - 10, 80);
    ASSERT_EQ(m_right->GetFirstNode(), m_node);
    NodeDestroyer destroyer;
    ASSERT_TRUE(destroyer.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 1, 1), &m_host, 2));
    destroyer.m_pFactory = &m_factory;

    struct Case {
        const char* name;
        POINT over;
    };
    // Over a target (the dock outline is showing) and over no target (the floating outline is showing).
    for (const Case& when : { Case { "over the right side", { m_size.cx - 10, 120 } }, Case { "nowhere", { 300, 40 } } }) {
        HWND list = nullptr;
        SECLayoutNodeDCBase* node = DockNewList(m_left, "Genres", list);
        ASSERT_NE(node, nullptr);
        destroyer.m_pNode = node;
        const POINT press = GripOf(node, list);
        m_screen.moveTo(press.x, press.y);
        InjectMouseButton(MouseButton::Left, true);
        InjectMouseMove(when.over);
        destroyer.SetFocus();
        InjectKey(VK_F5, false);
        InjectMouseMove({ when.over.x + 1, when.over.y });
        InjectMouseButton(MouseButton::Left, false);
        m_screen.pump();
        ::ReleaseCapture();
        m_screen.pump();

        EXPECT_EQ(destroyer.m_pNode, nullptr) << when.name;
        EXPECT_EQ(m_left->GetCellCount(), 0) << when.name;
        EXPECT_EQ(m_right->GetCellCount(), 1) << when.name;
        EXPECT_EQ(SECDragDropDockingFeature::GetDraggedNode(), nullptr);
        EXPECT_EQ(SECDragDropDockingFeature::GetCurrentInitiator(), nullptr);
        EXPECT_FALSE(SECLNHwndContainer::GetContainerDragFlag());
        ::DestroyWindow(list);
    }
    // The rest still docks by drag.
    grip = Grip();
    m_screen.drag(grip.x, grip.y, 10, 80);
    EXPECT_EQ(m_left->GetFirstNode(), m_node);
    EXPECT_EQ(m_right->GetCellCount(), 0);
}

} // namespace
