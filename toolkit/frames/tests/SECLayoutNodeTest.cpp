// The layout tree: child-list edits, the children-first walk, recalculation with limits and style bits,
// and realization of a subtree.

#include "toolkit/frames/SECLayoutNode.h"

#include "toolkit/frames/IteratorPreOrder_T.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A node that counts its own layout passes and window realizations.
class CountingNode : public SECLayoutNode {
public:
    explicit CountingNode(const char* name, int windows = 0)
        : m_windows(windows)
    {
        SetName(name);
    }
    int GetDeferWindowCount() override { return m_windows; }
    BOOL RealizeNode(HDWP* /*batch*/, UINT /*value*/) override
    {
        ++realized;
        return TRUE;
    }
    RECT* OnRecalcLayout(RECT* out, const RECT& rect, BOOL clamp, BOOL force) override
    {
        ++recalcs;
        return SECLayoutNode::OnRecalcLayout(out, rect, clamp, force);
    }
    int recalcs { 0 };
    int realized { 0 };

private:
    int m_windows;
};

std::string Names(SECLayoutNode& parent)
{
    std::string names;
    for (POSITION pos = parent.GetHeadPosition(); pos; pos = parent.GetNextPosition(pos))
        names += static_cast<const char*>(parent.GetChildAt(pos)->GetName());
    return names;
}

std::string Walk(SECLayoutNode* start)
{
    std::string names;
    quorvale::foundation::IteratorPreOrder_T<SECLayoutNode*> it(start);
    for (it.First(); !it.IsDone(); it.Next())
        names += std::string(static_cast<const char*>(it.Current()->GetName())) + " ";
    return names;
}

// root: a (a1, a2), b
struct Tree {
    Tree()
    {
        root.AddLayoutNode(&a);
        root.AddLayoutNode(&b);
        a.AddLayoutNode(&a1);
        a.AddLayoutNode(&a2);
    }
    CountingNode a1 { "a1" }, a2 { "a2" }, a { "a" }, b { "b" }, root { "root" };
};

TEST(SECLayoutNode, WalksChildrenBeforeParentsAndTheStartNodeLast)
{
    Tree t;
    EXPECT_EQ(Walk(&t.root), "a1 a2 a b root ");
    EXPECT_EQ(Walk(&t.a), "a1 a2 a ");
    EXPECT_EQ(Walk(&t.b), "");
    EXPECT_EQ(t.root.GetChildCount(TRUE), 4);
    EXPECT_EQ(t.root.GetChildCount(FALSE), 2);
    EXPECT_EQ(t.a2.GetRootNode(), &t.root);

    quorvale::foundation::IteratorPreOrder_T<SECLayoutNode*> it(&t.root);
    it.Last();
    std::string back;
    for (; !it.IsDone(); it.Prev())
        back += std::string(static_cast<const char*>(it.Current()->GetName())) + " ";
    EXPECT_EQ(back, "root b a a2 a1 ");
}

TEST(SECLayoutNode, RemovingTheCurrentItemEndsTheWalk)
{
    Tree t;
    quorvale::foundation::IteratorPreOrder_T<SECLayoutNode*> it(&t.root);
    int visited = 0;
    for (it.First(); SECLayoutNode* node = it.Current(); it.Next()) {
        ++visited;
        node->GetParent()->RemoveLayoutNode(node);
    }
    EXPECT_EQ(visited, 1);
    EXPECT_EQ(Names(t.a), "a2");
}

TEST(SECLayoutNode, AddMoveAndRemoveKeepTheOrderRules)
{
    Tree t;
    EXPECT_EQ(t.root.AddLayoutNode(&t.a), 2); // already a child: nothing moves
    EXPECT_EQ(Names(t.root), "ab");
    EXPECT_EQ(t.root.AddLayoutNode(&t.a1), 3); // taken from its other parent to the tail
    EXPECT_EQ(Names(t.root), "aba1");
    EXPECT_EQ(Names(t.a), "a2");
    EXPECT_EQ(t.root.AddLayoutNode(nullptr), -1);
    EXPECT_EQ(t.root.RemoveLayoutNode(&t.a2), -1);

    struct Case {
        SECLayoutNode* reference;
        BOOL after;
        const char* order;
    };
    CountingNode outsider { "x" };
    const Case cases[] = {
        { nullptr, FALSE, "a1ab" },
        { nullptr, TRUE, "aba1" },
        { &outsider, TRUE, "a1ab" },
        { &t.b, FALSE, "aa1b" },
        { &t.a, FALSE, "a1ab" },
        { &t.a, TRUE, "aa1b" },
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(t.root.MoveLayoutNode(&t.a1, c.reference, c.after));
        EXPECT_EQ(Names(t.root), c.order) << c.after;
    }
    EXPECT_FALSE(t.root.MoveLayoutNode(nullptr, &t.a, TRUE));
    EXPECT_EQ(t.root.RemoveLayoutNode(&t.a1), 2);
    EXPECT_EQ(t.a1.GetParent(), nullptr);
}

TEST(SECLayoutNode, RecursiveStyleReachesTheSubtreeOnly)
{
    Tree t;
    t.b.SetNodeStyle(0x20, TRUE);
    EXPECT_EQ(t.b.GetNodeStyle(), 0x20u);
    t.a.ModifyNodeStyle(0, 0x01, TRUE);
    EXPECT_EQ(t.a1.GetNodeStyle(), 0x01u);
    EXPECT_EQ(t.root.GetNodeStyle(), 0u);
    t.root.LockLayout(TRUE, TRUE);
    EXPECT_TRUE(t.a2.IsLocked());
    EXPECT_TRUE(t.root.IsLocked());
}

TEST(SECLayoutNode, RecalculatesOnlyWhenDirtyMovedOrForced)
{
    CountingNode node { "n" };
    RECT out {};
    const RECT r { 0, 0, 40, 30 };
    node.RecalcLayout(&out, r, FALSE, FALSE);
    node.RecalcLayout(&out, r, FALSE, FALSE);
    EXPECT_EQ(node.recalcs, 1);
    EXPECT_TRUE(node.IsRectChanged());
    node.RecalcLayout(&out, r, FALSE, TRUE);
    EXPECT_EQ(node.recalcs, 2);
    node.InvalidateLayout(FALSE);
    node.RecalcLayout(&out, r, FALSE, FALSE);
    EXPECT_EQ(node.recalcs, 3);
}

TEST(SECLayoutNode, LayoutsFromSizesAndLimits)
{
    struct Case {
        const char* what;
        DWORD style;
        SIZE min, max;
        int flags;
        RECT before, asked, expected;
    };
    const Case cases[] = {
        { "keep width", 0x01, {}, {}, 2, { 0, 0, 50, 20 }, { 10, 0, 90, 20 }, { 10, 0, 60, 20 } },
        { "keep width and left", 0x05, {}, {}, 2, { 0, 0, 50, 20 }, { 10, 0, 90, 20 }, { 0, 0, 60, 20 } },
        { "keep height and top", 0x0A, {}, {}, 2, { 0, 5, 50, 25 }, { 0, 0, 50, 60 }, { 0, 5, 50, 20 } },
        { "minimum wins", 0, { 50, 0 }, { 30, 100 }, 0, {}, { 0, 0, 100, 20 }, { 0, 0, 50, 20 } },
        { "maximum", 0, {}, { 30, 10 }, 1, {}, { 5, 5, 100, 100 }, { 5, 5, 35, 15 } },
        { "no maximum", 0, {}, { 30, 10 }, 2, {}, { 5, 5, 100, 100 }, { 5, 5, 100, 100 } },
        { "negative size grows to the minimum", 0, { 10, 10 }, { 90, 90 }, 0, {}, { 50, 50, 20, 20 },
            { 50, 50, 60, 60 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SECLayoutNode node;
        node.SetCurrentRect(c.before);
        node.SetNodeStyle(c.style, FALSE);
        node.SetMinMaxSize(c.min, c.max, c.flags);
        RECT out {};
        node.RecalcLayout(&out, c.asked, TRUE, TRUE);
        EXPECT_TRUE(Same(out, c.expected)) << out.left << "," << out.top << "," << out.right << "," << out.bottom;
    }
}

TEST(SECLayoutNode, ChildrenKeepTheirOffsetsFromTheInitialRect)
{
    SECLayoutNode root, child;
    root.SetInitialRect({ 0, 0, 100, 100 });
    child.SetInitialRect({ 10, 20, 30, 50 });
    root.AddLayoutNode(&child);
    RECT out {};
    root.RecalcLayout(&out, { 5, 7, 205, 107 }, FALSE, FALSE);
    child.GetCurrentRect(&out);
    EXPECT_TRUE(Same(out, { 15, 27, 35, 57 }));
    root.GetChildrenRect(&out);
    EXPECT_TRUE(Same(out, { 15, 27, 35, 57 }));

    SECLayoutNode limited;
    limited.SetMinMaxSize({ 200, 5 }, { 20, 20 }, 0);
    limited.SetInitialRect({ 0, 0, 100, 10 });
    SIZE mn {}, mx {};
    int flags = 0;
    limited.GetMinMaxSize(mn, mx, flags);
    EXPECT_EQ(mn.cx, 100);
    EXPECT_EQ(mn.cy, 5);
    EXPECT_EQ(mx.cx, 100);
    EXPECT_EQ(mx.cy, 20);
}

TEST(SECLayoutNode, RealizesASubtreeAndALeafOnItsOwn)
{
    Tree t;
    EXPECT_TRUE(t.root.RealizeLayout(0));
    EXPECT_EQ(t.a1.realized, 0); // no windows, no batch

    CountingNode leaf { "leaf", 1 };
    RECT out {};
    leaf.RecalcLayout(&out, { 0, 0, 8, 8 }, FALSE, FALSE);
    EXPECT_TRUE(leaf.RealizeLayout(0));
    EXPECT_EQ(leaf.realized, 1);
    leaf.GetRealizedRect(&out);
    EXPECT_TRUE(Same(out, { 0, 0, 8, 8 }));

    leaf.LockLayout(TRUE, FALSE);
    EXPECT_FALSE(leaf.RealizeLayout(0));
    EXPECT_EQ(leaf.realized, 1);
}

TEST(SECLayoutNode, PoolOwnsNodesAndDeletionUnlinksThem)
{
    auto* pool = new SECLayoutNodePool;
    auto* root = new SECLayoutNode;
    auto* child = new SECLayoutNode;
    root->AddLayoutNode(child);
    root->SetNodePool(pool, TRUE);
    EXPECT_EQ(pool->GetObjectCount(), 2);
    EXPECT_FALSE(pool->AddObject(child));

    SECLayoutNodePool other;
    child->SetNodePool(&other, FALSE);
    EXPECT_EQ(pool->GetObjectCount(), 1);
    delete pool; // the root goes while the child still names it as parent
    EXPECT_EQ(child->GetParent(), nullptr);
}

} // namespace
