// Grid lines and the two-dimensional grid: how a line shares its length among its nodes, where splitters
// go and how far they may be dragged, where inserted nodes land and how a removed node finds its place
// again, and how a grid makes and drops rows as nodes come and go.

#include "toolkit/frames/SECLNDynamicGrid2d.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/frames/SECLNVirtualSplitter.h"
#include "toolkit/frames/tests/FramesTestGeometry.h"
#include "toolkit/frames/tests/LayoutWindowFixture.h"

namespace {

// A node with optional length limits along a horizontal line.
class Cell : public SECLayoutNode {
public:
    explicit Cell(int nMinLength = 0, int nMaxLength = 0)
    {
        const int nFlags = (nMinLength ? 0 : NoMinSize) | (nMaxLength ? 0 : NoMaxSize);
        SetMinMaxSize({ nMinLength, 0 }, { nMaxLength, 10000 }, nFlags);
    }
};

class GridLines : public LayoutWindowTest {
protected:
    // A horizontal line over the test window holding the cells, each inserted with the given length.
    void Fill(SECLNDynamicGridLine& line, int nLength, const std::vector<SECLayoutNode*>& cells,
        const std::vector<BOOL>& sizable = {})
    {
        line.SetLineWindow(Host(), TRUE);
        RECT out {};
        line.RecalcLayout(&out, { 0, 0, nLength, 40 }, FALSE, TRUE);
        for (size_t i = 0; i < cells.size(); ++i) {
            SECDynGridInsertConstraints c;
            c.m_nLength = 100;
            c.m_bSizable = i < sizable.size() ? sizable[i] : TRUE;
            ASSERT_GE(line.InsertNode(cells[i], &c), 1);
        }
    }
    static std::vector<int> Lengths(SECLNDynamicGridLine& line)
    {
        std::vector<SECLayoutNode*> nodes;
        line.CollectNodes(nodes);
        std::vector<int> lengths;
        for (SECLayoutNode* node : nodes)
            lengths.push_back(line.NodeLength(node));
        return lengths;
    }
    static void SetLengths(SECLNDynamicGridLine& line, const std::vector<int>& lengths)
    {
        std::vector<SECLayoutNode*> nodes;
        line.CollectNodes(nodes);
        for (size_t i = 0; i < nodes.size(); ++i)
            nodes[i]->SetCurrentRect({ 0, 0, lengths[i], 40 });
    }
};

TEST_F(GridLines, TheLineSharesItsLengthLessTheSplittersWithinTheNodesLimits)
{
    struct Case {
        int lineLength;
        int firstMax; // 0: no maximum
        std::vector<int> expect;
    };
    // Three nodes of 100 with two 6-pixel splitters between them.
    const Case cases[] = {
        { 300, 0, { 96, 96, 96 } },
        { 323, 0, { 105, 103, 103 } },
        { 301, 0, { 95, 97, 97 } },
        // A node stopped by its maximum passes the rest of its share on.
        { 323, 98, { 98, 107, 106 } },
        // Too short for anything: nothing goes below zero.
        { 6, 0, { 0, 0, 0 } },
    };
    for (const Case& c : cases) {
        SECLNDynamicGridLine line;
        Cell a(0, c.firstMax);
        Cell b;
        Cell d;
        Fill(line, c.lineLength, { &a, &b, &d });
        SetLengths(line, { 100, 100, 100 });
        line.DistributeLength(c.lineLength, nullptr);
        EXPECT_EQ(Lengths(line), c.expect) << c.lineLength << " max " << c.firstMax;
    }
}

TEST_F(GridLines, SplittersJoinSizableNeighboursOnlyAndStopAtTheirRunsMinimums)
{
    SECLNDynamicGridLine line;
    Cell a(20);
    Cell b(30);
    Cell fixed;
    Cell c(10);
    Cell d(10);
    Fill(line, 500, { &a, &b, &fixed, &c, &d }, { TRUE, TRUE, FALSE, TRUE, TRUE });
    EXPECT_EQ(line.GetChildCount(FALSE), 5 + 2);
    EXPECT_NE(line.GetCell(&a)->m_pAfter, nullptr);
    EXPECT_EQ(line.GetCell(&b)->m_pAfter, nullptr);
    EXPECT_EQ(line.GetCell(&fixed)->m_pBefore, nullptr);
    EXPECT_EQ(line.GetCell(&fixed)->m_pAfter, nullptr);
    ASSERT_NE(line.GetCell(&c)->m_pAfter, nullptr);

    RECT out {};
    line.RecalcLayout(&out, { 0, 0, 500, 40 }, FALSE, TRUE);
    RECT ra {};
    RECT rb {};
    RECT rc {};
    RECT rd {};
    a.GetCurrentRect(&ra);
    b.GetCurrentRect(&rb);
    c.GetCurrentRect(&rc);
    d.GetCurrentRect(&rd);
    // Each run's splitter stays between its own first node's minimum and its last node's.
    const RECT& first = line.GetCell(&a)->m_pAfter->GetTrackingRect();
    EXPECT_EQ(first.left, ra.left + 20);
    EXPECT_EQ(first.right, rb.right - 30);
    const RECT& second = line.GetCell(&c)->m_pAfter->GetTrackingRect();
    EXPECT_EQ(second.left, rc.left + 10);
    EXPECT_EQ(second.right, rd.right - 10);

    // Taking the fixed node out joins the runs with one splitter; putting it back splits them again.
    ASSERT_GE(line.RemoveLayoutNode(&fixed), 0);
    EXPECT_EQ(line.GetChildCount(FALSE), 4 + 3);
    EXPECT_EQ(line.GetCell(&b)->m_pAfter, line.GetCell(&c)->m_pBefore);
    SECDynGridInsertConstraints back;
    back.SetInsertIndex(1, TRUE, TRUE);
    back.m_bSizable = FALSE;
    ASSERT_GE(line.InsertNode(&fixed, &back), 0);
    EXPECT_EQ(line.GetChildCount(FALSE), 5 + 2);
    EXPECT_EQ(line.GetNeighbour(&fixed, FALSE), &b);
}

TEST_F(GridLines, InsertedNodesLandWhereTheConstraintsSay)
{
    struct Case {
        const char* name;
        int index; // -1: no index
        int reference; // index into the line, -1: none
        BOOL after;
        std::vector<int> expect; // order of cells by number, the new one is 9
    };
    const Case cases[] = {
        { "index beyond the end appends", 7, -1, FALSE, { 0, 1, 2, 9 } },
        { "index 0 before goes first", 0, -1, FALSE, { 9, 0, 1, 2 } },
        { "index 1 after", 1, -1, TRUE, { 0, 1, 9, 2 } },
        { "before a reference", -1, 2, FALSE, { 0, 1, 9, 2 } },
        { "after a reference", -1, 0, TRUE, { 0, 9, 1, 2 } },
        { "nothing given, after", -1, -1, TRUE, { 0, 1, 2, 9 } },
        { "nothing given, before", -1, -1, FALSE, { 9, 0, 1, 2 } },
    };
    for (const Case& c : cases) {
        SECLNDynamicGridLine line;
        Cell cells[3];
        Cell added;
        Fill(line, 400, { &cells[0], &cells[1], &cells[2] });
        SECDynGridInsertConstraints k;
        if (c.index >= 0)
            k.SetInsertIndex(c.index, c.after, TRUE);
        k.m_bAfter = c.after;
        k.m_pReference = c.reference >= 0 ? &cells[c.reference] : nullptr;
        ASSERT_GE(line.InsertNode(&added, &k), 0) << c.name;
        std::vector<SECLayoutNode*> nodes;
        line.CollectNodes(nodes);
        std::vector<int> order;
        for (SECLayoutNode* node : nodes)
            order.push_back(node == &added ? 9 : static_cast<int>(static_cast<Cell*>(node) - cells));
        EXPECT_EQ(order, c.expect) << c.name;
    }
}

TEST_F(GridLines, ARemovedNodeComesBackToItsPlace)
{
    SECLNDynamicGridLine line;
    Cell cells[3];
    Fill(line, 400, { &cells[0], &cells[1], &cells[2] });
    SECDynGridInsertConstraints k;
    ASSERT_TRUE(line.GetInsertConstraintsOf(&cells[0], &k));
    int index = -1;
    EXPECT_TRUE(k.GetInsertIndex(index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(k.m_bAfter);
    ASSERT_TRUE(line.GetInsertConstraintsOf(&cells[2], &k));
    EXPECT_TRUE(k.GetInsertIndex(index));
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(k.m_bAfter);
    EXPECT_FALSE(line.GetInsertConstraintsOf(nullptr, &k));

    for (int i = 0; i < 3; ++i) {
        ASSERT_GE(line.RemoveChildUndoable(&cells[i]), 0);
        EXPECT_FALSE(line.IsInLine(&cells[i]));
        ASSERT_GE(line.UndoChildRemovalOf(&cells[i]), 0);
        std::vector<SECLayoutNode*> nodes;
        line.CollectNodes(nodes);
        EXPECT_EQ(nodes, (std::vector<SECLayoutNode*> { &cells[0], &cells[1], &cells[2] })) << i;
        // The place is used up.
        EXPECT_EQ(line.UndoChildRemovalOf(&cells[i]), -1);
    }
    EXPECT_EQ(line.GetChildCount(FALSE), 3 + 2);
}

TEST_F(GridLines, ADraggedSplitterMovesOnlyAsFarAsTheNodesBehindItCanGive)
{
    SECLNDynamicGridLine line;
    Cell before;
    Cell after(92);
    Fill(line, 206, { &before, &after });
    RECT out {};
    line.RecalcLayout(&out, { 0, 0, 206, 40 }, FALSE, TRUE);
    ASSERT_EQ(Lengths(line), (std::vector<int> { 100, 100 }));
    SECLNVirtualSplitter* splitter = line.GetCell(&before)->m_pAfter;
    ASSERT_NE(splitter, nullptr);
    line.OnSplitterMoved(splitter, 20, 0);
    EXPECT_EQ(Lengths(line), (std::vector<int> { 108, 92 }));
    RECT rc {};
    EXPECT_EQ(RectText(*splitter->GetCurrentRect(&rc)), "108,0,114,40");
    line.OnSplitterMoved(splitter, -50, 0);
    EXPECT_EQ(Lengths(line), (std::vector<int> { 58, 142 }));
}

TEST_F(GridLines, ANewNodeTakesItsGivenCurrentOrPreferredLength)
{
    struct Case {
        int given;
        RECT current;
        RECT preferred;
        int expect;
    };
    const Case cases[] = {
        { 70, { 0, 0, 30, 10 }, { 0, 0, 40, 10 }, 70 },
        { -1, { 0, 0, 30, 10 }, { 0, 0, 40, 10 }, 30 },
        { -1, {}, { 0, 0, 40, 10 }, 40 },
        { -1, {}, {}, SECLNDynamicGridLine::DefaultLength },
    };
    for (const Case& c : cases) {
        SECLNDynamicGridLine line;
        line.SetLineWindow(Host(), TRUE);
        line.SetGrowMode(TRUE);
        Cell cell;
        cell.SetCurrentRect(c.current);
        cell.SetPreferredRect(c.preferred);
        SECDynGridInsertConstraints k;
        k.m_nLength = c.given;
        ASSERT_GE(line.InsertNode(&cell, &k), 0);
        EXPECT_EQ(line.NodeLength(&cell), c.expect);
        // In grow mode the line grows with the node.
        RECT rc {};
        EXPECT_EQ(line.Length(*line.GetCurrentRect(&rc)), c.expect);
    }
}

// A grid of horizontal rows stacked downwards, as on the top or bottom of a frame.
class Grids : public GridLines {
protected:
    void SetUp() override
    {
        GridLines::SetUp();
        m_grid.SetLineWindow(Host(), TRUE);
        RECT out {};
        m_grid.RecalcLayout(&out, { 0, 0, 200, 300 }, FALSE, TRUE);
    }
    int Insert(Cell& cell, BOOL newRow, SECLayoutNode* reference = nullptr, BOOL after = TRUE)
    {
        SECDynGridInsertConstraints k;
        k.m_bNewRow = newRow;
        k.m_pReference = reference;
        k.m_bAfter = after;
        k.m_nThickness = 50;
        return m_grid.InsertNode(&cell, &k);
    }

    SECLNDynamicGrid2d m_grid;
};

TEST_F(Grids, RowsComeWithTheirFirstNodeAndGoWithTheirLast)
{
    EXPECT_EQ(m_grid.GetCellCount(), 0);
    EXPECT_EQ(m_grid.GetFirstNode(), nullptr);
    EXPECT_EQ(m_grid.GetFirstOrLastRow(FALSE), nullptr);
    EXPECT_EQ(m_grid.GetFirstOrLastRow(TRUE), nullptr);

    Cell a;
    Cell b;
    Cell c;
    ASSERT_GE(Insert(a, FALSE), 0); // no row yet: one is made
    ASSERT_GE(Insert(b, FALSE, &a), 0); // beside a, in its row
    ASSERT_GE(Insert(c, TRUE, &a), 0); // a row of its own even though a's row is there
    EXPECT_EQ(m_grid.GetRowCount(), 2);
    EXPECT_EQ(m_grid.GetCellCount(), 3);
    EXPECT_EQ(m_grid.FindRowOf(&a), m_grid.FindRowOf(&b));
    EXPECT_EQ(m_grid.GetRow(1), m_grid.FindRowOf(&c));
    EXPECT_EQ(m_grid.GetFirstNode(), &a);
    // Rows run across the grid and hand their orientation to their nodes.
    EXPECT_TRUE(m_grid.GetRow(0)->IsHorizontal());
    EXPECT_FALSE(m_grid.IsHorizontal());
    EXPECT_TRUE(a.IsHorizontal());

    RECT out {};
    m_grid.RecalcLayout(&out, { 0, 0, 200, 300 }, FALSE, TRUE);
    RECT rc {};
    // The new row is as thick as asked and the first row gives way; a and b share the first row's
    // width with a splitter between them.
    EXPECT_EQ(RectText(*m_grid.GetRow(0)->GetCurrentRect(&rc)), "0,0,200,244");
    EXPECT_EQ(RectText(*m_grid.GetRow(1)->GetCurrentRect(&rc)), "0,250,200,300");
    EXPECT_EQ(RectText(*a.GetCurrentRect(&rc)), "0,0,94,244");
    EXPECT_EQ(RectText(*b.GetCurrentRect(&rc)), "100,0,200,244");

    // Removing the last node of a row removes the row; the next layout takes the result as preferred.
    m_grid.SetPreferredRect({ 0, 0, 1, 1 });
    ASSERT_GE(m_grid.RemoveLayoutNode(&c), 0);
    EXPECT_EQ(m_grid.GetRowCount(), 1);
    EXPECT_TRUE(m_grid.IsRelayoutPending());
    m_grid.RecalcLayout(&out, { 0, 0, 200, 300 }, FALSE, TRUE);
    EXPECT_FALSE(m_grid.IsRelayoutPending());
    m_grid.GetPreferredRect(&rc);
    EXPECT_EQ(RectText(rc), "0,0,200,300");
    EXPECT_EQ(m_grid.GetChildCount(FALSE), 1);
    EXPECT_EQ(m_grid.RemoveLayoutNode(&c), -1);
}

TEST_F(Grids, ANodeTakenOutOfTheGridGoesBackToItsRowOrToARowOfItsOwn)
{
    Cell a;
    Cell b;
    Cell c;
    ASSERT_GE(Insert(a, TRUE), 0);
    ASSERT_GE(Insert(b, FALSE, &a), 0);
    ASSERT_GE(Insert(c, TRUE, &a), 0);
    RECT out {};
    m_grid.RecalcLayout(&out, { 0, 0, 200, 300 }, FALSE, TRUE);
    for (Cell* cell : { &a, &b, &c }) {
        SECLNDynamicGridLine* row = m_grid.FindRowOf(cell);
        const int rowIndex = row == m_grid.GetRow(0) ? 0 : 1;
        const int rowSize = row->GetCellCount();
        ASSERT_GE(m_grid.RemoveChildUndoable(cell), 0);
        EXPECT_EQ(m_grid.FindRowOf(cell), nullptr);
        ASSERT_GE(m_grid.UndoChildRemovalOf(cell), 0);
        ASSERT_NE(m_grid.FindRowOf(cell), nullptr);
        EXPECT_EQ(m_grid.FindRowOf(cell), m_grid.GetRow(rowIndex)) << "cell " << (cell - &a);
        EXPECT_EQ(m_grid.FindRowOf(cell)->GetCellCount(), rowSize);
        EXPECT_EQ(m_grid.GetRowCount(), 2);
    }
    std::vector<SECLayoutNode*> nodes;
    m_grid.CollectNodes(nodes);
    EXPECT_EQ(nodes, (std::vector<SECLayoutNode*> { &a, &b, &c }));
}

} // namespace
