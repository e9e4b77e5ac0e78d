// The tree under the mouse and the keyboard: hit testing each part of a row, buttons, double clicks,
// single-expand mode, the expand and collapse keys, and hover expansion of a drop target.
#include "toolkit/controls/tests/TreeTestSupport.h"

using namespace treetest;

namespace {

using Texts = std::vector<std::string>;

} // namespace

TEST_F(TreeWindow, HitTestNamesEachPartOfARow)
{
    Build();
    Fill();
    tree.Expand(music, TVE_EXPAND);
    screen.pump();
    CRect label;
    ASSERT_TRUE(tree.GetItemRect(tree.RowOfItem(rock), label, LVIR_LABEL));
    const int y = label.CenterPoint().y;
    // Rock is at level 2 with lines at root: its label starts two indents and 6 pixels in, its button
    // sits in the indent before it, 8 pixels on.
    ASSERT_EQ(label.left, 20 + 20 + 6);
    const int xButton = 20 + 8;
    struct Case {
        const char* name;
        CPoint point;
        UINT flags;
        HTREEITEM item;
    };
    const Case cases[] = {
        { "label", label.CenterPoint(), 0x4000 | TVHT_ONITEMLABEL, rock },
        { "button", CPoint(xButton, y), 0x4000 | TVHT_ONITEMBUTTON, rock },
        { "indent", CPoint(3, y), 0x4000 | TVHT_ONITEMINDENT, rock },
        { "right of the label", CPoint(label.right + 20, y), 0x4000 | TVHT_ONITEMRIGHT, rock },
        { "below the rows", CPoint(20, 190), TVHT_NOWHERE, nullptr },
        { "left of the window", CPoint(-5, y), TVHT_TOLEFT, nullptr },
        { "below the window", CPoint(20, 250), TVHT_BELOW, nullptr },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UINT flags = 0;
        EXPECT_EQ(tree.HitTest(c.point, &flags), c.item);
        EXPECT_EQ(flags, c.flags);
    }
    // Without buttons the button's place is indentation.
    tree.ModifyTreeStyle(TVS_HASBUTTONS, 0);
    UINT flags = 0;
    EXPECT_EQ(tree.HitTest(CPoint(xButton, y), &flags), rock);
    EXPECT_EQ(flags, 0x4000U | TVHT_ONITEMINDENT);
}

TEST_F(TreeWindow, EmptyPartsOfARowNameTheItemOnlyInFullRowMode)
{
    Build();
    Fill();
    tree.AddColumn("Year", LVCFMT_LEFT, 60);
    tree.SetColumnWidth(0, 120);
    tree.RecalcLayout();
    screen.pump();
    CRect label;
    ASSERT_TRUE(tree.GetItemRect(0, label, LVIR_LABEL));
    const CPoint inYear(tree.GetColumnLeft(1) + 30, label.CenterPoint().y);
    UINT flags = 0;
    EXPECT_EQ(tree.HitTest(inYear, &flags), nullptr);
    EXPECT_EQ(flags, 0x4000U);
    tree.ModifyListStyleEx(0, LVXS_FULLROWSELECT);
    EXPECT_EQ(tree.HitTest(inYear, &flags), music);
    EXPECT_EQ(flags, 0x4000U);
}

TEST_F(TreeWindow, ClicksOnButtonsAndDoubleClicksToggle)
{
    Build();
    Fill();
    CRect label;
    ASSERT_TRUE(tree.GetItemRect(0, label, LVIR_LABEL));
    // Music's button, at level 1 with lines at root.
    screen.click(8, label.CenterPoint().y);
    EXPECT_EQ(tree.RowTexts(), (Texts { "Music", "Rock", "Jazz", "Podcasts" }));
    screen.click(8, label.CenterPoint().y);
    EXPECT_EQ(tree.RowTexts(), (Texts { "Music", "Podcasts" }));
    // A double click on the label toggles, unless the owner answers the double click.
    const CPoint onLabel = LabelPoint(music);
    screen.doubleClick(onLabel.x, onLabel.y);
    EXPECT_EQ(tree.GetItemCount(), 4);
    owner.onNotify = [](NMHDR* pHeader) -> LRESULT { return pHeader->code == NM_DBLCLK ? 1 : 0; };
    screen.doubleClick(onLabel.x, onLabel.y);
    EXPECT_EQ(tree.GetItemCount(), 4);
}

TEST_F(TreeWindow, SingleExpandOpensTheClickedBranchAndClosesTheOldOne)
{
    Build(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SINGLEEXPAND);
    Fill();
    tree.SelectItem(podcasts);
    const CPoint onMusic = LabelPoint(music);
    screen.click(onMusic.x, onMusic.y);
    EXPECT_EQ(tree.GetCaretItem(), music);
    EXPECT_EQ(tree.RowTexts(), (Texts { "Music", "Rock", "Jazz", "Podcasts" }));
    // Rock lies inside Music: Music stays open.
    const CPoint onRock = LabelPoint(rock);
    screen.click(onRock.x, onRock.y);
    EXPECT_EQ(tree.RowTexts(), (Texts { "Music", "Rock", "Alpha", "Beta", "Jazz", "Podcasts" }));
    // Podcasts does not: Rock closes.
    const CPoint onPodcasts = LabelPoint(podcasts);
    screen.click(onPodcasts.x, onPodcasts.y);
    EXPECT_EQ(tree.RowTexts(), (Texts { "Music", "Rock", "Jazz", "Podcasts" }));
    // Clicking the caret item again toggles it.
    screen.click(onMusic.x, onMusic.y);
    screen.click(onMusic.x, onMusic.y);
    EXPECT_EQ(tree.RowTexts(), (Texts { "Music", "Podcasts" }));
}

TEST_F(TreeWindow, KeysOpenCloseAndWalkTheBranches)
{
    Build();
    Fill();
    tree.SetFocus();
    tree.SelectItem(music);
    struct Step {
        int key;
        HTREEITEM caret;
        int rows;
    };
    const Step steps[] = {
        { VK_RIGHT, music, 4 },    // opens
        { VK_RIGHT, rock, 4 },     // to the first child
        { VK_ADD, rock, 6 },       // opens
        { VK_LEFT, rock, 4 },      // closes
        { VK_LEFT, music, 4 },     // to the parent
        { VK_SUBTRACT, music, 2 }, // closes
        { VK_MULTIPLY, music, 6 }, // opens the whole branch
        { VK_DOWN, rock, 6 },
        { VK_BACK, rock, 4 },      // an open item closes first
        { VK_BACK, music, 4 },     // then the caret goes up
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "key " << step.key);
        screen.key(step.key);
        EXPECT_EQ(tree.GetCaretItem(), step.caret);
        EXPECT_EQ(tree.GetItemCount(), step.rows);
    }
    EXPECT_GT(owner.count(TVN_KEYDOWN), 0);
    // "+" types nothing into the search; a letter does (once the search the keys above began is over).
    for (int i = 0; i < 3; ++i)
        screen.advance(std::chrono::milliseconds(260));
    tree.SendMessage(WM_CHAR, '+', 0);
    EXPECT_EQ(tree.GetCaretItem(), music);
    tree.SendMessage(WM_CHAR, 'p', 0);
    EXPECT_EQ(tree.GetCaretItem(), podcasts);
}

TEST_F(TreeWindow, KeyboardSelectionReportsItsCause)
{
    Build();
    Fill();
    tree.SetFocus();
    tree.SelectItem(music);
    std::vector<UINT> actions;
    owner.onNotify = [&](NMHDR* pHeader) -> LRESULT {
        if (pHeader->code == TVN_SELCHANGED)
            actions.push_back(reinterpret_cast<NMTREEVIEW*>(pHeader)->action);
        return 0;
    };
    screen.key(VK_DOWN);
    const CPoint onMusic = LabelPoint(music);
    screen.click(onMusic.x, onMusic.y);
    ASSERT_FALSE(actions.empty());
    EXPECT_EQ(actions.front(), TVC_BYKEYBOARD);
    EXPECT_EQ(actions.back(), TVC_BYMOUSE);
}

TEST_F(TreeWindow, AHoveredDropTargetExpandsAfterTheDelay)
{
    Build();
    Fill();
    tree.ModifyTreeStyleEx(0, TVXS_HOVEREXPAND);
    EXPECT_TRUE(tree.SelectDropTarget(music));
    const UINT_PTR first = tree.hoverTimerId();
    ASSERT_NE(first, 0U);
    for (int i = 0; i < 3; ++i)
        screen.advance(std::chrono::milliseconds(260));
    // The same row again does not restart the wait.
    tree.SelectDropTarget(music);
    screen.advance(std::chrono::milliseconds(500));
    EXPECT_EQ(tree.GetItemCount(), 4);
    EXPECT_EQ(tree.hoverTimerId(), 0U);
    // Another row does; the item expands only after the whole delay.
    tree.SelectDropTarget(rock);
    screen.advance(std::chrono::milliseconds(900));
    EXPECT_EQ(tree.GetItemCount(), 4);
    tree.SelectDropTarget(podcasts);
    tree.SelectDropTarget(rock);
    screen.advance(std::chrono::milliseconds(900));
    EXPECT_EQ(tree.GetItemCount(), 4);
    screen.advance(std::chrono::milliseconds(200));
    EXPECT_EQ(tree.GetItemCount(), 6);
    EXPECT_EQ(tree.GetDropHilightItem(), rock);
    // Clearing the target stops the wait; an item without a row is refused.
    tree.SelectDropTarget(jazz);
    tree.SelectDropTarget(nullptr);
    EXPECT_EQ(tree.hoverTimerId(), 0U);
    EXPECT_EQ(tree.GetDropHilightItem(), nullptr);
    tree.Expand(music, TVE_COLLAPSE);
    EXPECT_FALSE(tree.SelectDropTarget(alpha));
}

TEST_F(TreeWindow, DeletingTheCaretOrTheDropTargetLeavesRowsInStep)
{
    Build();
    Fill();
    tree.ExpandBranch(music);
    tree.ModifyTreeStyleEx(0, TVXS_HOVEREXPAND);
    tree.SelectItem(beta);
    tree.SelectDropTarget(alpha);
    tree.DeleteItem(rock);
    EXPECT_EQ(tree.hoverTimerId(), 0U);
    EXPECT_EQ(tree.GetDropHilightItem(), nullptr);
    EXPECT_TRUE(tree.RowsMatchShownNodes());
    screen.advance(std::chrono::milliseconds(1500));
    screen.key(VK_DOWN);
    EXPECT_NE(tree.GetCaretItem(), nullptr);
}
