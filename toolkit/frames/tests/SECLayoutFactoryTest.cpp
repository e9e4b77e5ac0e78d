// Layout factories and window nodes: what a factory makes, names and keeps, what it destroys when a step
// fails, child windows that keep their proportions, and window nodes moving real windows.

#include "toolkit/frames/SECLayoutDockFactory.h"
#include "toolkit/frames/SECLayoutNodeWnd.h"
#include "toolkit/frames/tests/LayoutWindowFixture.h"

#include <vector>

namespace {

class NullFactory : public quorvale::foundation::SECClassFactory<SECLayoutNode> {
public:
    SECLayoutNode* CreateObject() override { return nullptr; }
};

class RefusingParent : public SECLayoutNode {
public:
    int AddLayoutNode(SECLayoutNode*) override { return -1; }
};

// A window object of its own class, for the class filter.
class MarkedWnd : public CWnd {
    DECLARE_DYNAMIC(MarkedWnd)
};
IMPLEMENT_DYNAMIC(MarkedWnd, CWnd)

RECT WindowRectIn(HWND hWnd, HWND hParent)
{
    RECT rc {};
    ::GetWindowRect(hWnd, &rc);
    auto* corners = reinterpret_cast<POINT*>(&rc);
    ::ScreenToClient(hParent, &corners[0]);
    ::ScreenToClient(hParent, &corners[1]);
    return rc;
}

} // namespace

class LayoutFactoryTest : public LayoutWindowTest {
protected:
    HWND Child(int x, int y, int cx, int cy, LPCSTR cls = WC_STATIC)
    {
        return ::CreateWindow(cls, "", WS_CHILD | WS_VISIBLE, x, y, cx, cy, Host(), nullptr, nullptr, nullptr);
    }
};

TEST_F(LayoutFactoryTest, NamesAndKeepsWhatItMakesAndLeavesNoTraceOfFailures)
{
    SECLayoutDockFactory factory;
    NullFactory nothing;
    EXPECT_EQ(factory.CreateNode(&nothing, "none"), nullptr);
    EXPECT_EQ(factory.CreateNode(nullptr), nullptr);
    EXPECT_EQ(factory.GetNodePool().GetObjectCount(), 0);

    factory.SetDefaultMinMaxSize({ 10, 20 }, { 300, 400 }, 0);
    SECLayoutNode* node = factory.CreateNode(factory.GetPlainNodeFactory(), "plain");
    ASSERT_NE(node, nullptr);
    EXPECT_STREQ(static_cast<const char*>(node->GetName()), "plain");
    EXPECT_EQ(node->GetNodePool(), &factory.GetNodePool());
    SIZE sizeMin {}, sizeMax {};
    int flags = -1;
    node->GetMinMaxSize(sizeMin, sizeMax, flags);
    EXPECT_EQ(sizeMin.cy, 20);
    EXPECT_EQ(sizeMax.cx, 300);

    EXPECT_EQ(factory.CreateDockableDCNode(nullptr, "no window"), nullptr);
    RefusingParent refusing;
    SECLayoutNode* inner = node;
    EXPECT_EQ(factory.CreateDockableNodeIn(&refusing, &m_host, factory.GetPlainNodeFactory(), "x", &inner), nullptr);
    EXPECT_EQ(inner, nullptr);
    EXPECT_EQ(factory.GetNodePool().GetObjectCount(), 1) << "the gripper and its inner node are gone again";
    factory.DestroyNode(node);
    EXPECT_EQ(factory.GetNodePool().GetObjectCount(), 0);
}

TEST_F(LayoutFactoryTest, DockableWindowNodeIsAWindowNodeInsideAFloatableGripper)
{
    const HWND edit = Child(30, 20, 80, 40, WC_EDIT);
    auto factory = std::make_unique<SECLayoutDockFactory>();
    SECLayoutNode* inner = nullptr;
    SECLayoutNodeDCBase* gripper =
        factory->CreateDockableWndNodeDefault(CWnd::FromHandle(edit), &m_host, "Edit", FALSE, &inner);
    ASSERT_NE(gripper, nullptr);
    EXPECT_NE(dynamic_cast<SECLayoutDockFactory::FloatableGripper*>(gripper), nullptr);
    EXPECT_EQ(gripper->GetChildCount(TRUE), 1);
    auto* wndNode = dynamic_cast<SECLayoutNodeWnd*>(gripper->GetChildAt(gripper->GetHeadPosition()));
    ASSERT_NE(wndNode, nullptr);
    EXPECT_EQ(wndNode, inner);
    EXPECT_EQ(wndNode->GetWindowHandle(), edit);
    EXPECT_EQ(gripper->GetDrawWindow(), Host());
    EXPECT_TRUE(dynamic_cast<ISECBorderWrapper*>(gripper)->IsBorderEnabled());
    EXPECT_EQ(factory->GetNodePool().GetObjectCount(), 2);
    factory.reset(); // deletes both; the sanitizer reports what stays behind
    EXPECT_TRUE(::IsWindow(edit)) << "the window is not the node's";

    SECLayoutDockFactory other;
    EXPECT_EQ(other.CreateDockableWndNodeByIdDefault(4711, &m_host), nullptr) << "no child with that id";
    EXPECT_EQ(other.CreateDockableWndNodeDefault(CWnd::FromHandle(edit), nullptr), nullptr);
    EXPECT_EQ(other.GetNodePool().GetObjectCount(), 0);
}

TEST_F(LayoutFactoryTest, CollectsChildWindowsInZOrderOfTheFilteredClass)
{
    std::vector<HWND> children { Child(0, 0, 10, 10), Child(10, 0, 10, 10), Child(20, 0, 10, 10) };
    MarkedWnd first, third;
    first.Attach(children[0]);
    third.Attach(children[2]);
    SECLayoutFactory factory;
    CList<CWnd*> all;
    CList<CWnd*> marked;
    EXPECT_FALSE(factory.CollectChildWindows(all, nullptr, nullptr));
    ASSERT_TRUE(factory.CollectChildWindows(all, &m_host, nullptr));
    ASSERT_TRUE(factory.CollectChildWindows(marked, &m_host, RUNTIME_CLASS(MarkedWnd)));
    std::vector<HWND> expected;
    for (POSITION pos = all.GetHeadPosition(); pos;) {
        const HWND hWnd = all.GetNext(pos)->m_hWnd;
        if (hWnd != children[1])
            expected.push_back(hWnd);
    }
    std::vector<HWND> actual;
    for (POSITION pos = marked.GetHeadPosition(); pos;)
        actual.push_back(marked.GetNext(pos)->m_hWnd);
    EXPECT_EQ(all.GetCount(), 3);
    EXPECT_EQ(actual, expected);
    first.Detach();
    third.Detach();
}

TEST_F(LayoutFactoryTest, ScaledChildWindowsKeepTheirProportions)
{
    const HWND left = Child(0, 0, 60, 40);
    const HWND right = Child(120, 80, 60, 40);
    SECLayoutDockFactory factory;
    EXPECT_FALSE(factory.ScaleChildWindows(nullptr));
    ASSERT_TRUE(factory.ScaleChildWindows(&m_host));
    ::SetWindowPos(Host(), nullptr, 0, 0, m_size.cx * 3 / 2, m_size.cy * 2, SWP_NOZORDER | SWP_NOMOVE);
    m_screen.pump();
    const RECT l = WindowRectIn(left, Host());
    const RECT r = WindowRectIn(right, Host());
    EXPECT_EQ(std::vector<LONG>({ l.left, l.top, l.right, l.bottom }), std::vector<LONG>({ 0, 0, 90, 80 }));
    EXPECT_EQ(std::vector<LONG>({ r.left, r.top, r.right, r.bottom }), std::vector<LONG>({ 180, 160, 270, 240 }));
}

TEST_F(LayoutFactoryTest, WindowNodeTakesClientCoordinatesAndMovesItsWindow)
{
    ::SetWindowPos(Host(), nullptr, 50, 40, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    const HWND a = Child(30, 20, 40, 30);
    const HWND b = Child(80, 20, 40, 30);
    SECLayoutNodeWnd nodeA, nodeB, unattached;
    EXPECT_FALSE(nodeA.AttachWindow(a, nullptr));
    EXPECT_FALSE(nodeA.AttachWindow(static_cast<CWnd*>(nullptr), &m_host));
    ASSERT_TRUE(nodeA.AttachWindow(a, &m_host));
    ASSERT_TRUE(nodeB.AttachWindow(b, &m_host));
    RECT rc {};
    nodeA.GetInitialRect(&rc);
    EXPECT_EQ(std::vector<LONG>({ rc.left, rc.top, rc.right, rc.bottom }), std::vector<LONG>({ 30, 20, 70, 50 }));

    SECLayoutNode root;
    EXPECT_EQ(root.AddLayoutNode(&unattached), -1) << "a node without a window stays out";
    root.AddLayoutNode(&nodeA);
    root.AddLayoutNode(&nodeB);
    root.SetInitialRect({ 0, 0, 200, 100 });
    RECT out {};
    root.RecalcLayout(&out, { 10, 5, 210, 105 }, FALSE, TRUE);
    EXPECT_TRUE(root.RealizeLayout(FALSE));
    rc = WindowRectIn(a, Host());
    EXPECT_EQ(std::vector<LONG>({ rc.left, rc.top }), std::vector<LONG>({ 40, 25 }));

    // A window that went away ends the batch; the nodes after it move on their own.
    ::DestroyWindow(a);
    root.RecalcLayout(&out, { 20, 5, 220, 105 }, FALSE, TRUE);
    EXPECT_TRUE(root.RealizeLayout(FALSE));
    rc = WindowRectIn(b, Host());
    EXPECT_EQ(rc.left, 100);

    // Counted hiding: a forced hide reaches the window, the next hide and one show do not.
    EXPECT_TRUE(nodeB.ShowNode(FALSE, TRUE, FALSE));
    EXPECT_FALSE(::IsWindowVisible(b));
    EXPECT_FALSE(nodeB.ShowNode(FALSE, FALSE, FALSE));
    EXPECT_FALSE(nodeB.ShowNode(TRUE, FALSE, FALSE));
    EXPECT_FALSE(::IsWindowVisible(b));
    EXPECT_TRUE(nodeB.ShowNode(TRUE, FALSE, FALSE));
    EXPECT_TRUE(::IsWindowVisible(b));
}
