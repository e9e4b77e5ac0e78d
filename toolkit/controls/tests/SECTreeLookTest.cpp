// How the tree looks: lines, buttons, images, a bold item, the selection and a wrapped label with a
// heading; the button box sizes; and a drag image.
#include "toolkit/controls/tests/TreeTestSupport.h"

using namespace treetest;

using listtest::MakeIcons;

TEST_F(TreeWindow, LooksAsTheGoldenPicture)
{
    Build();
    CImageList images;
    MakeIcons(images, tree);
    tree.SetImageList(&images, TVSIL_NORMAL);
    music = tree.InsertItem("Music", 0, 0);
    rock = tree.InsertItem("Rock", 0, 0, music);
    tree.InsertItem("Alpha", 1, 1, rock);
    beta = tree.InsertItem("Beta", 1, 1, rock);
    jazz = tree.InsertItem("Jazz", 0, 0, music);
    TVINSERTSTRUCT insert;
    insert.hParent = jazz;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>("Blue");
    insert.item.iImage = insert.item.iSelectedImage = 1;
    tree.InsertItem(&insert);
    podcasts = tree.InsertItem("Podcasts", 0, 0);
    tree.InsertItem("Episode", 1, 1, podcasts);
    tree.SetItemState(podcasts, TVIS_BOLD, TVIS_BOLD);
    tree.ExpandBranch(music);
    tree.SetFocus();
    tree.SelectItem(beta);
    screen.pump();
    EXPECT_EQ(screen.compareWithGolden(CRect(0, 0, 220, 200), listtest::GoldenPath("TreeLinesImages.png")), "");
}

TEST_F(TreeWindow, ButtonBoxesAreOddSoTheyHaveACentre)
{
    Build();
    Fill();
    tree.Expand(music, TVE_EXPAND);
    screen.pump();
    // Without images the box of Rock is 9 by 9 around (28, the row's middle made even): its top edge is
    // a run of nine frame pixels.
    CRect row;
    ASSERT_TRUE(tree.GetItemRect(tree.RowOfItem(rock), row, LVIR_BOUNDS));
    int y = row.top + row.Height() / 2;
    y += y & 1;
    const COLORREF frame = ::GetSysColor(COLOR_BTNSHADOW);
    for (int x = 24; x <= 32; ++x)
        EXPECT_EQ(screen.pixel(x, y - 4), frame) << x;
    EXPECT_NE(screen.pixel(23, y - 4), frame);
    EXPECT_NE(screen.pixel(33, y - 4), frame);
    EXPECT_EQ(screen.pixel(24, y + 4), frame);
    EXPECT_EQ(screen.pixel(24, y + 5), ::GetSysColor(COLOR_WINDOW));
}

TEST_F(TreeWindow, ALabelWithAHeadingWrapsItsBodyBesideTheHeading)
{
    Build(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0);
    tree.ModifyTreeStyleEx(0, TVXS_WORDWRAP);
    const HTREEITEM item =
        tree.InsertItem("Head:\\{HI}a body long enough to wrap over more than one line of this narrow tree");
    tree.InsertItem("Plain");
    screen.pump();
    CRect label;
    ASSERT_TRUE(tree.GetItemRect(tree.RowOfItem(item), label, LVIR_LABEL));
    EXPECT_GT(label.Height(), 30);
    // Single-line mode shows the marker as it is, on one line.
    tree.ModifyTreeStyleEx(TVXS_WORDWRAP, 0);
    tree.RecalcLayout();
    screen.pump();
    ASSERT_TRUE(tree.GetItemRect(tree.RowOfItem(item), label, LVIR_LABEL));
    EXPECT_LT(label.Height(), 24);
}

TEST_F(TreeWindow, ADragImageHoldsTheIconAndTheLabel)
{
    Build();
    Fill();
    EXPECT_EQ(tree.CreateDragImage(music), nullptr); // no image list
    CImageList images;
    MakeIcons(images, tree);
    tree.SetImageList(&images, TVSIL_NORMAL);
    tree.SetItemImage(music, 1, 1);
    screen.pump();
    const auto pDrag = tree.CreateDragImage(music);
    ASSERT_NE(pDrag, nullptr);
    int cx = 0;
    int cy = 0;
    ::ImageList_GetIconSize(*pDrag, &cx, &cy);
    EXPECT_GT(cx, 16 + 6 + 20);
    EXPECT_GE(cy, 16);
}
