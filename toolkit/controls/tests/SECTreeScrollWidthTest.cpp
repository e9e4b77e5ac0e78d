// The horizontal scroll range follows the widest label shown while rows come, change, go, collapse and
// expand: the list keeps the widest extent as rows change instead of measuring every row, and must end
// where a measure of every row from scratch ends.

#include "toolkit/controls/tests/TreeTestSupport.h"

#include <string>

namespace {

using treetest::TreeWindow;

class TreeScrollWidth : public TreeWindow {
protected:
    void SetUp() override
    {
        Build();
        Fill();
        tree.Expand(music, TVE_EXPAND);
        tree.Expand(rock, TVE_EXPAND);
        screen.pump();
        narrow = tree.GetTotalWidth();
    }
    // The width kept up to date, checked against every row measured again.
    int CheckedWidth()
    {
        const int kept = tree.GetTotalWidth();
        tree.InvalidateRowHeights();
        EXPECT_EQ(kept, tree.GetTotalWidth());
        return kept;
    }
    // The scroll bar's range as the list last set it.
    int ScrollRange()
    {
        tree.UpdateScrollBars();
        CScrollBar* pBar = tree.HorzBar();
        if (pBar == nullptr || !pBar->IsWindowVisible())
            return 0;
        SCROLLINFO info {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE;
        pBar->GetScrollInfo(&info, SIF_RANGE);
        return info.nMax;
    }

    const std::string wide = std::string(60, 'W');
    int narrow = 0;
};

TEST_F(TreeScrollWidth, FollowsInsertsLabelChangesAndDeletes)
{
    EXPECT_EQ(0, ScrollRange());
    const HTREEITEM hWide = tree.InsertItem(wide.c_str(), rock);
    const int cxWide = CheckedWidth();
    EXPECT_GT(cxWide, 220);
    EXPECT_EQ(cxWide, ScrollRange());

    // A second row as wide: losing one of them keeps the range.
    const HTREEITEM hTwin = tree.InsertItem(wide.c_str(), music);
    EXPECT_EQ(cxWide, CheckedWidth());
    ASSERT_TRUE(tree.DeleteItem(hTwin));
    EXPECT_EQ(cxWide, CheckedWidth());

    // The widest label shortened: the range comes back to the next widest.
    ASSERT_TRUE(tree.SetItemText(hWide, "Gamma"));
    EXPECT_EQ(narrow, CheckedWidth());
    EXPECT_EQ(0, ScrollRange());

    ASSERT_TRUE(tree.SetItemText(hWide, (wide + wide).c_str()));
    EXPECT_GT(CheckedWidth(), cxWide);
    ASSERT_TRUE(tree.DeleteItem(hWide));
    EXPECT_EQ(narrow, CheckedWidth());
    EXPECT_EQ(0, ScrollRange());
}

TEST_F(TreeScrollWidth, FollowsCollapseAndExpand)
{
    tree.InsertItem(wide.c_str(), alpha);
    // Many rows at once under a collapsed item, the widest among them.
    for (int i = 0; i < 300; ++i)
        tree.InsertItem(i == 150 ? (wide + wide).c_str() : ("Track " + std::to_string(i)).c_str(), jazz);
    EXPECT_EQ(narrow, CheckedWidth());

    tree.Expand(alpha, TVE_EXPAND);
    const int cxWide = CheckedWidth();
    EXPECT_GT(cxWide, 220);
    tree.Expand(jazz, TVE_EXPAND);
    const int cxWider = CheckedWidth();
    EXPECT_GT(cxWider, cxWide);
    EXPECT_EQ(cxWider, ScrollRange());

    tree.Expand(jazz, TVE_COLLAPSE);
    EXPECT_EQ(cxWide, CheckedWidth());
    tree.Expand(rock, TVE_COLLAPSE);
    EXPECT_EQ(narrow, CheckedWidth());
    EXPECT_EQ(0, ScrollRange());
    tree.Expand(music, TVE_COLLAPSE);
    tree.Expand(music, TVE_EXPAND);
    tree.Expand(jazz, TVE_EXPAND);
    EXPECT_EQ(cxWider, CheckedWidth());
    tree.DeleteAllItems();
    EXPECT_EQ(0, ScrollRange());
}

} // namespace
