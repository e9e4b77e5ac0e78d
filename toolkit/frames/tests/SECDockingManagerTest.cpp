// The docking manager: containers of registered trees, constraints, dock events through two trees while
// a node is docked and undocked, the undoable parent, and the listener that drives a tree from a window.

#include "toolkit/frames/ISECDockEventReceiver.h"
#include "toolkit/frames/SECClientWndNode.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLNHwndContainer.h"
#include "toolkit/frames/SECLayoutWndListener.h"
#include "toolkit/frames/SECReparentableGripperEx.h"
#include "toolkit/frames/tests/LayoutWindowFixture.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string>* g_events = nullptr;

// A container that says when it goes.
class CountedContainer : public SECLNHwndContainer {
public:
    CountedContainer(HWND hWnd, int& deleted)
        : SECLNHwndContainer(hWnd)
        , m_deleted(deleted)
    {
    }
    ~CountedContainer() override { ++m_deleted; }

private:
    int& m_deleted;
};

// A node that writes down every dock event it hears; answering FALSE keeps the event from its children.
class Receiver : public SECLayoutNode, public ISECDockEventReceiver {
public:
    explicit Receiver(const char* name, BOOL answer = TRUE)
        : m_answer(answer)
    {
        SetName(name);
    }
    BOOL OnDockEvent(SECLayoutNode*, SECLayoutNode*, SECLayoutNode*, ISECDockTarget*, SECLayoutNodePool*) override
    {
        g_events->push_back(static_cast<const char*>(GetName()));
        return m_answer;
    }

private:
    BOOL m_answer;
};

// The docked gripper also reports what it heard.
class LoggingGripper : public SECReparentableGripperEx {
public:
    BOOL OnDockEvent(SECLayoutNode* node, SECLayoutNode* source, SECLayoutNode* parent, ISECDockTarget* target,
        SECLayoutNodePool* pool) override
    {
        const BOOL answer = SECReparentableGripperEx::OnDockEvent(node, source, parent, target, pool);
        g_events->push_back(answer ? "gripper" : "gripper leaves");
        return answer;
    }
};

int g_procSizes = 0;

LRESULT CountingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE)
        ++g_procSizes;
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}

// A listener joined after the layout listener, counting the sizes it still sees.
class SizeCounter : public quorvale::foundation::SECWndListener {
public:
    int sizes { 0 };

protected:
    afx_msg void OnSize(UINT, int, int) { ++sizes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SizeCounter, quorvale::foundation::SECWndListener)
    ON_WM_SIZE()
END_MESSAGE_MAP()

std::string Names(SECLayoutNode& parent)
{
    std::string names;
    for (POSITION pos = parent.GetHeadPosition(); pos; pos = parent.GetNextPosition(pos))
        names += static_cast<const char*>(parent.GetChildAt(pos)->GetName());
    return names;
}

} // namespace

class DockingManagerTest : public LayoutWindowTest {
protected:
    void SetUp() override
    {
        LayoutWindowTest::SetUp();
        g_events = &m_events;
    }
    void TearDown() override
    {
        g_events = nullptr;
        LayoutWindowTest::TearDown();
    }
    std::vector<std::string> m_events;
};

TEST_F(DockingManagerTest, RegistersOneContainerPerRootAndFindsTheNearestOne)
{
    int deleted = 0;
    SECLayoutNode root, middle, leaf, subRoot, subLeaf;
    root.AddLayoutNode(&middle);
    middle.AddLayoutNode(&subRoot);
    subRoot.AddLayoutNode(&subLeaf);
    root.AddLayoutNode(&leaf);
    {
        SECLNDockingMgr manager;
        auto* first = new CountedContainer(Host(), deleted);
        EXPECT_FALSE(manager.RegisterContainer(&root, nullptr));
        EXPECT_TRUE(manager.RegisterContainer(&root, first));
        EXPECT_TRUE(manager.RegisterContainer(&root, first));
        EXPECT_EQ(deleted, 0) << "registering the same container again keeps it";
        auto* second = new CountedContainer(Host(), deleted);
        EXPECT_TRUE(manager.RegisterContainer(&root, second));
        EXPECT_EQ(deleted, 1) << "a different container replaces and deletes the first";

        auto* inner = new CountedContainer(Host(), deleted);
        manager.RegisterContainer(&subRoot, inner);
        EXPECT_EQ(manager.FindContainer(&subLeaf), inner);
        EXPECT_EQ(manager.FindContainer(&leaf), second);
        EXPECT_EQ(manager.GetRegisteredContainer(&middle), nullptr);
        EXPECT_FALSE(manager.IsInRegisteredTree(&root)) << "a root is not inside its own tree";
        EXPECT_TRUE(manager.IsInRegisteredTree(&leaf));

        SECLayoutNode stray;
        EXPECT_EQ(manager.FindContainer(&stray), nullptr);
        POINT offset { -1, -1 };
        EXPECT_FALSE(manager.GetScreenOffset({ 5, 5 }, &stray, offset));
        EXPECT_EQ(offset.x, -1);

        EXPECT_TRUE(manager.UnregisterContainer(&subRoot));
        EXPECT_FALSE(manager.UnregisterContainer(&subRoot));
        EXPECT_EQ(deleted, 2);
    }
    EXPECT_EQ(deleted, 3) << "the manager deletes the containers it still holds";
}

TEST_F(DockingManagerTest, ContainerAtAPointClimbsChildWindowsButStopsAtTopLevelOnes)
{
    SECLNDockingMgr manager;
    SECLayoutNode root;
    manager.RegisterContainer(&root, new SECLNHwndContainer(Host()));
    const HWND child = ::CreateWindow(WC_STATIC, "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 40, Host(), nullptr, nullptr,
        nullptr);
    const HWND owned = ::CreateWindow(WC_STATIC, "", WS_POPUP | WS_VISIBLE, 100, 100, 40, 40, Host(), nullptr, nullptr,
        nullptr);
    m_screen.pump();
    EXPECT_EQ(manager.FindContainerAtPoint({ 20, 20 }), manager.GetRegisteredContainer(&root));
    EXPECT_EQ(manager.FindContainerAtPoint({ 110, 110 }), nullptr) << "an owned top-level window has none";
    EXPECT_EQ(manager.FindContainerAtPoint({ 300, 230 }), nullptr);
    ::DestroyWindow(owned);
    ::DestroyWindow(child);
}

TEST_F(DockingManagerTest, ConstraintsAreMadeOnDemandAndSettingTheSameRecordKeepsIt)
{
    SECLNDockingMgr manager;
    SECLayoutNode node;
    EXPECT_EQ(manager.GetNodeConstraints(&node, FALSE), nullptr);
    EXPECT_EQ(manager.GetNodeConstraints(nullptr, TRUE), nullptr);
    SECDockingNodeConstraints* made = manager.GetNodeConstraints(&node, TRUE);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->m_bSizable);
    EXPECT_TRUE(manager.SetNodeConstraints(&node, made));
    made->m_bSizable = FALSE; // would be freed memory if the record had been replaced by itself
    EXPECT_EQ(manager.GetNodeConstraints(&node, FALSE), made);
    EXPECT_TRUE(manager.SetNodeConstraints(&node, new SECDockingNodeConstraints));
    EXPECT_NE(manager.GetNodeConstraints(&node, FALSE), made);
    EXPECT_TRUE(manager.RemoveNodeConstraints(&node));
    EXPECT_FALSE(manager.RemoveNodeConstraints(&node));
}

TEST_F(DockingManagerTest, DockingAndUndockingANodeIsHeardThroughBothTreesInOrder)
{
    SECLNDockingMgr manager;
    SECLayoutNodePool* treePool = manager.CreateNodePool();
    // The tree the node comes from: a receiver that refuses keeps the event from its child.
    auto* from = new Receiver("from");
    auto* open = new Receiver("open");
    auto* openChild = new Receiver("openChild");
    auto* closed = new Receiver("closed", FALSE);
    auto* hidden = new Receiver("hidden");
    // The tree it goes to.
    auto* to = new Receiver("to");
    auto* neighbour = new Receiver("neighbour");
    auto* gripper = new LoggingGripper;
    auto* content = new Receiver("content");
    for (SECLayoutNode* node :
        std::initializer_list<SECLayoutNode*> { from, open, openChild, closed, hidden, to, neighbour, gripper, content })
        node->SetNodePool(treePool, FALSE);
    from->AddLayoutNode(open);
    open->AddLayoutNode(openChild);
    from->AddLayoutNode(closed);
    closed->AddLayoutNode(hidden);
    to->AddLayoutNode(neighbour);
    gripper->SetDrawWindow(Host());
    gripper->AddLayoutNode(content);
    from->AddLayoutNode(gripper);
    manager.RegisterContainer(from, new SECLNHwndContainer(Host()));
    manager.RegisterContainer(to, new SECLNHwndContainer(Host()));

    // Docking: the gripper moves from one tree to the other; the source tree hears first.
    gripper->EnableBorder(FALSE, FALSE);
    ASSERT_NE(to->AddLayoutNode(gripper), -1);
    SECLayoutNodePool* dragPool = manager.CreateNodePool();
    EXPECT_TRUE(manager.FireDockEvent(gripper, from, nullptr, dragPool));
    EXPECT_EQ(m_events, (std::vector<std::string> { "from", "open", "openChild", "closed", "to", "neighbour",
                            "gripper", "content" }));
    EXPECT_TRUE(gripper->IsBorderEnabled()) << "a docked gripper shows its border again";
    EXPECT_TRUE(manager.PropagateContainer(content));
    EXPECT_EQ(gripper->GetContainer(), manager.GetRegisteredContainer(to));

    // Undocking the content back into the first tree: the tree it leaves hears first, and the emptied
    // gripper goes with the drag's pool.
    m_events.clear();
    gripper->RemoveLayoutNode(content);
    from->AddLayoutNode(content);
    EXPECT_TRUE(manager.FireDockEvent(content, gripper, nullptr, dragPool));
    EXPECT_EQ(m_events, (std::vector<std::string> { "to", "neighbour", "gripper leaves", "from", "open",
                            "openChild", "closed", "content" }));
    EXPECT_EQ(Names(*to), "neighbour");
    EXPECT_EQ(manager.GetNodePools().FindPoolOf(gripper), dragPool);
    EXPECT_TRUE(manager.DestroyNodePool(dragPool));
    EXPECT_EQ(manager.GetNodePools().CountEmptyPools(), 0);
    EXPECT_FALSE(manager.FireDockEvent(nullptr, nullptr, nullptr, nullptr));
}

TEST(SECDefUndoableNode, PutsARemovedChildBackWhereItWas)
{
    struct Case {
        const char* removed;
        const char* after;
    };
    const Case cases[] = { { "a", "abc" }, { "b", "abc" }, { "c", "abc" } };
    for (const Case& c : cases) {
        SECClientWndNode parent;
        SECLayoutNode a, b, c2;
        a.SetName("a");
        b.SetName("b");
        c2.SetName("c");
        for (SECLayoutNode* node : { &a, &b, &c2 })
            parent.AddLayoutNode(node);
        SECLayoutNode* removed = *c.removed == 'a' ? &a : *c.removed == 'b' ? &b : &c2;
        EXPECT_EQ(parent.RemoveChildUndoable(removed), 2);
        EXPECT_EQ(parent.UndoChildRemovalOf(&a == removed ? &b : &a), -1) << "only the removed child comes back";
        EXPECT_EQ(parent.UndoChildRemoval(), 3);
        EXPECT_EQ(Names(parent), c.after) << "removed " << c.removed;
        EXPECT_EQ(parent.UndoChildRemoval(), -1) << "nothing left to undo";
    }
    SECClientWndNode parent;
    SECLayoutNode stranger;
    EXPECT_EQ(parent.RemoveChildUndoable(&stranger), -1);
    EXPECT_EQ(parent.RemoveChildUndoable(nullptr), -1);
}

TEST_F(LayoutWindowTest, ListenerLaysTheTreeOutWhenTheWindowIsSizedAndLendsItsLimits)
{
    ::SetWindowLongPtr(Host(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc));
    g_procSizes = 0;
    SECLayoutNode root;
    SECLayoutWndListener listener;
    EXPECT_FALSE(listener.AttachLayoutToWindow(&root, nullptr, TRUE, TRUE, FALSE));
    ASSERT_TRUE(listener.AttachLayoutToWindow(&root, &m_host, TRUE, TRUE, FALSE));
    SizeCounter later;
    ASSERT_TRUE(later.AttachToWindow(&m_host));
    RECT rc {};
    root.GetCurrentRect(&rc);
    EXPECT_EQ(rc.right, m_size.cx);
    EXPECT_EQ(rc.bottom, m_size.cy);

    ::SetWindowPos(Host(), nullptr, 0, 0, 200, 100, SWP_NOZORDER | SWP_NOMOVE);
    root.GetCurrentRect(&rc);
    EXPECT_EQ(rc.right, 200);
    EXPECT_EQ(rc.bottom, 100);
    EXPECT_EQ(g_procSizes, 1) << "the window's own procedure runs once, before the tree is laid out";
    EXPECT_EQ(later.sizes, 1) << "a later listener still sees the message";
    listener.SetAutoLayout(FALSE);
    ::SetWindowPos(Host(), nullptr, 0, 0, 150, 90, SWP_NOZORDER | SWP_NOMOVE);
    root.GetCurrentRect(&rc);
    EXPECT_EQ(rc.right, 200);

    root.SetMinMaxSize({ 40, 30 }, { 7, 7 }, SECLayoutNode::NoMaxSize);
    MINMAXINFO info {};
    ::SendMessage(Host(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 40);
    EXPECT_EQ(info.ptMinTrackSize.y, 30);
    EXPECT_NE(info.ptMaxTrackSize.x, 7) << "without a maximum only the minimum is set";
    later.DetachFromWindow();
    listener.DetachFromWindow();
}
