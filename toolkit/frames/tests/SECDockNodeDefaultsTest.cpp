// The default dock roles of the floatable gripper: a drag takes it out of its parent and a cancelled one
// puts it back, hiding and showing keep its place, a drop on its own place is no dock, the outline, and
// frames not relaid out while a drag runs.

#include "platform/afx/CFrameWnd.h"
#include "toolkit/frames/SECClientWndNode.h"
#include "toolkit/frames/SECDefDockTargetBase.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLNHwndContainer.h"
#include "toolkit/frames/SECLayoutDockFactory.h"
#include "toolkit/frames/tests/LayoutWindowFixture.h"

#include <string>

namespace {

using Floatable = SECLayoutDockFactory::FloatableGripper;

std::string Names(SECLayoutNode& parent)
{
    std::string names;
    for (POSITION pos = parent.GetHeadPosition(); pos; pos = parent.GetNextPosition(pos))
        names += static_cast<const char*>(parent.GetChildAt(pos)->GetName());
    return names;
}

class TargetNode : public SECLayoutNode, public SECDefDockTargetBase { };

class CountingFrame : public CFrameWnd {
public:
    void RecalcLayout(BOOL bNotify) override
    {
        ++layouts;
        CFrameWnd::RecalcLayout(bNotify);
    }
    int layouts { 0 };
};

} // namespace

class DockNodeDefaultsTest : public LayoutWindowTest {
protected:
    void SetUp() override
    {
        LayoutWindowTest::SetUp();
        for (const char* name : { "a", "b", "c" }) {
            auto* node = new Floatable;
            node->SetName(name);
            node->SetDrawWindow(Host());
            node->SetNodePool(&m_pool, FALSE);
            m_client.AddLayoutNode(node);
        }
        m_client.SetInitialRect({ 0, 0, 90, 30 });
        m_manager.RegisterContainer(&m_client, new SECLNHwndContainer(Host()));
    }
    Floatable* Child(int index)
    {
        POSITION pos = m_client.GetHeadPosition();
        while (index-- > 0)
            pos = m_client.GetNextPosition(pos);
        return dynamic_cast<Floatable*>(m_client.GetChildAt(pos));
    }

    SECLayoutNodePool m_pool;
    SECClientWndNode m_client;
    SECLNDockingMgr m_manager;
};

TEST_F(DockNodeDefaultsTest, HidingAndShowingKeepsTheNodesPlace)
{
    Floatable* first = Child(0);
    first->ShowNode(TRUE, FALSE, FALSE);
    EXPECT_TRUE(first->ShowNode(FALSE, FALSE, FALSE));
    EXPECT_EQ(Names(m_client), "bc");
    EXPECT_TRUE(first->ShowNode(TRUE, FALSE, FALSE));
    EXPECT_EQ(Names(m_client), "abc");

    // A parent that cannot put the node back refuses to hide it.
    SECLayoutNode plain;
    Floatable* last = Child(2);
    m_client.RemoveLayoutNode(last);
    plain.AddLayoutNode(last);
    EXPECT_FALSE(last->SetNodeVisible(FALSE));
    EXPECT_TRUE(last->IsNodeVisible());
    EXPECT_EQ(last->GetParentNode(), &plain);
    plain.RemoveLayoutNode(last);
}

TEST_F(DockNodeDefaultsTest, DragTakesTheNodeOutAndACancelPutsItBack)
{
    Floatable* middle = Child(1);
    SECDockInProgressInfo info;
    RECT out {};
    m_client.RecalcLayout(&out, { 0, 0, 90, 30 }, FALSE, TRUE);
    middle->SetCurrentRect({ 30, 0, 60, 30 });
    EXPECT_EQ(middle->BeginDockDrag(&m_manager, TRUE, info), &m_client);
    EXPECT_EQ(Names(m_client), "ac");
    EXPECT_EQ(middle->GetStartRoot(), &m_client);
    EXPECT_EQ(middle->GetStartContainer(), m_manager.GetRegisteredContainer(&m_client));
    EXPECT_EQ(info.m_rect.left, 30) << "the start rectangle on screen";
    EXPECT_EQ(info.m_rect.right, 60);

    // A drop on its own place is no dock; the target shows the start rectangle there.
    TargetNode target;
    RECT dockRect {};
    EXPECT_FALSE(target.Dock(middle, { 40, 10 }, &m_manager, info));
    EXPECT_TRUE(target.GetDockRect({ 40, 10 }, dockRect, &m_manager, info));
    EXPECT_EQ(dockRect.left, 30);
    EXPECT_FALSE(target.GetDockRect({ 40, 10 }, dockRect, nullptr, info));

    middle->OnDragCancelled();
    middle->EndDockDrag();
    EXPECT_EQ(Names(m_client), "abc");

    // Without an undoable parent the drag does not begin; a root starts a drag of itself.
    SECLayoutNode plain;
    Floatable loose;
    loose.SetDrawWindow(Host());
    plain.AddLayoutNode(&loose);
    EXPECT_EQ(loose.BeginDockDrag(&m_manager, TRUE, info), nullptr);
    plain.RemoveLayoutNode(&loose);
    EXPECT_EQ(loose.BeginDockDrag(&m_manager, FALSE, info), &loose);
}

TEST_F(DockNodeDefaultsTest, DockedNodeJoinsItsNewTreesPoolAndOutlines)
{
    SECLayoutNodePool otherPool;
    SECLayoutNode other;
    other.SetNodePool(&otherPool, FALSE);
    Floatable* node = Child(0);
    SECLayoutNode inner;
    node->AddLayoutNode(&inner);
    m_client.RemoveLayoutNode(node);
    other.AddLayoutNode(node);
    node->OnDockedIn(&m_manager, nullptr);
    EXPECT_EQ(node->GetNodePool(), &otherPool);
    EXPECT_EQ(inner.GetNodePool(), &otherPool) << "the whole subtree moves";
    EXPECT_EQ(node->FindInitiator(), static_cast<ISECDockInitiator*>(node));
    node->RemoveLayoutNode(&inner);
    inner.SetNodePool(nullptr, FALSE);

    // The floating outline is a pixel smaller on each side than the docked one.
    SIZE size {};
    CBrush* last = nullptr;
    RECT docked { 10, 10, 50, 40 };
    RECT floating = docked;
    node->GetOutlineStyle(FALSE, size, docked, last);
    node->GetOutlineStyle(TRUE, size, floating, last);
    EXPECT_EQ(floating.left, docked.left + 1);
    EXPECT_EQ(floating.bottom, docked.bottom - 1);
    EXPECT_EQ(last, CDC::GetHalftoneBrush());

    const HDC dc = ::GetDC(Host());
    node->DrawOutline(dc, { 10, 10, 50, 40 }, nullptr);
    EXPECT_EQ(node->GetLastOutline().left, 11);
    node->EraseOutline(dc);
    const RECT erased = node->GetLastOutline();
    EXPECT_TRUE(::IsRectEmpty(&erased));
    ::ReleaseDC(Host(), dc);
}

TEST_F(LayoutWindowTest, FramesAreNotRelaidOutWhileADragRuns)
{
    auto* frame = new CountingFrame;
    ASSERT_TRUE(frame->Create(nullptr, "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 80)));
    SECLNHwndContainer container(frame);
    const int before = frame->layouts;
    SECLNHwndContainer::SetContainerDragFlag(TRUE);
    container.RecalcFrameLayout(TRUE);
    SECLNHwndContainer::RecalcAllFrames(TRUE);
    SECLNHwndContainer::SetContainerDragFlag(FALSE);
    EXPECT_EQ(frame->layouts, before);
    container.RecalcFrameLayout(TRUE);
    EXPECT_EQ(frame->layouts, before + 1);
    frame->DestroyWindow();
}
