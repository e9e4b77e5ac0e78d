// The tree's items: insertion places, navigation, item fields and callbacks, deletion, expansion
// that owners fill or veto, selection and sorting.
#include <cstring>

#include "toolkit/controls/tests/TreeTestSupport.h"

using namespace treetest;

namespace {

using Texts = std::vector<std::string>;

HTREEITEM Insert(SECTreeBaseC& tree, const char* text, HTREEITEM hParent, HTREEITEM hAfter)
{
    TVINSERTSTRUCT insert;
    insert.hParent = hParent;
    insert.hInsertAfter = hAfter;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(text);
    return tree.InsertItem(&insert);
}

} // namespace

TEST_F(TreeWindow, InsertionPlacesGiveTheirOrder)
{
    Build();
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, HTREEITEM>> inserts;
        Texts expected;
    };
    const std::vector<Case> cases = {
        { "last", { { "c", TVI_LAST }, { "a", TVI_LAST }, { "b", nullptr } }, { "c", "a", "b" } },
        { "first", { { "c", TVI_FIRST }, { "a", TVI_FIRST }, { "b", TVI_FIRST } }, { "b", "a", "c" } },
        // Case-insensitive, equal texts in insertion order.
        { "sorted", { { "b", TVI_SORT }, { "a", TVI_SORT }, { "B", TVI_SORT } }, { "a", "b", "B" } },
        { "descending", { { "a", TVI_SORTDESCENDING }, { "c", TVI_SORTDESCENDING }, { "b", TVI_SORTDESCENDING } },
            { "c", "b", "a" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tree.DeleteAllItems();
        for (const auto& [text, after] : c.inserts)
            ASSERT_NE(Insert(tree, text, TVI_ROOT, after), nullptr);
        EXPECT_EQ(tree.ChildTexts(TVI_ROOT), c.expected);
        EXPECT_EQ(tree.RowTexts(), c.expected);
    }
    // After a sibling; a handle that is no child of the parent refuses the insertion.
    tree.DeleteAllItems();
    const HTREEITEM a = Insert(tree, "a", TVI_ROOT, TVI_LAST);
    const HTREEITEM c = Insert(tree, "c", TVI_ROOT, TVI_LAST);
    Insert(tree, "b", TVI_ROOT, a);
    const HTREEITEM child = Insert(tree, "child", c, TVI_LAST);
    EXPECT_EQ(tree.ChildTexts(TVI_ROOT), (Texts { "a", "b", "c" }));
    EXPECT_EQ(Insert(tree, "x", TVI_ROOT, child), nullptr);
    // A parent without children takes any handle as the end.
    const HTREEITEM y = Insert(tree, "y", a, c);
    EXPECT_EQ(tree.GetChildItem(a), y);
    EXPECT_EQ(Insert(tree, "z", a, c), nullptr);
    EXPECT_TRUE(tree.RowsMatchShownNodes());
}

TEST_F(TreeWindow, NavigationCodes)
{
    Build();
    Fill();
    tree.Expand(music, TVE_EXPAND);
    struct Case {
        HTREEITEM item;
        UINT code;
        HTREEITEM expected;
    };
    const Case cases[] = {
        { TVI_ROOT, TVGN_CHILD, music }, { nullptr, TVGN_CHILD, music }, { TVI_ROOT, TVGN_NEXT, nullptr },
        { TVI_ROOT, TVGN_PREVIOUS, nullptr }, { music, TVGN_PARENT, nullptr }, { rock, TVGN_PARENT, music },
        { rock, TVGN_NEXT, jazz }, { jazz, TVGN_PREVIOUS, rock }, { music, TVGN_ROOT, music },
        { music, TVGN_NEXTVISIBLE, rock }, { rock, TVGN_NEXTVISIBLE, jazz }, { podcasts, TVGN_NEXTVISIBLE, nullptr },
        { music, TVGN_PREVIOUSVISIBLE, nullptr }, { podcasts, TVGN_PREVIOUSVISIBLE, jazz },
        // Items without rows: the nearest shown node in depth-first order.
        { alpha, TVGN_NEXTVISIBLE, jazz }, { beta, TVGN_PREVIOUSVISIBLE, rock },
        { nullptr, TVGN_FIRSTVISIBLE, music }, { music, 99, nullptr },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code);
        EXPECT_EQ(tree.GetNextItem(c.item, c.code), c.expected);
    }
    EXPECT_EQ(tree.GetChildCount(music, FALSE), 2);
    EXPECT_EQ(tree.GetChildCount(music, TRUE), 4);
    EXPECT_EQ(tree.GetChildCount(music, TRUE, TRUE), 2);
    EXPECT_EQ(tree.GetChildCount(nullptr, TRUE), 6);
}

TEST_F(TreeWindow, ItemFieldsAndCallbacks)
{
    Build();
    TVINSERTSTRUCT insert;
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE;
    insert.item.pszText = LPSTR_TEXTCALLBACK;
    insert.item.iImage = 3;
    insert.item.lParam = 77;
    // Expanded in the state but not in the mask: the item starts collapsed.
    insert.item.state = TVIS_EXPANDED | TVIS_BOLD;
    insert.item.stateMask = TVIS_BOLD;
    const HTREEITEM hItem = tree.InsertItem(&insert);
    ASSERT_NE(hItem, nullptr);
    EXPECT_EQ(tree.GetItemState(hItem, TVIS_EXPANDED | TVIS_BOLD), TVIS_BOLD);
    EXPECT_EQ(tree.GetItemData(hItem), 77);
    // The row answers with the node's data.
    EXPECT_EQ(tree.GetItemData(0), 77);

    TVITEM item;
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    EXPECT_TRUE(tree.GetItem(&item, FALSE, FALSE));
    EXPECT_EQ(item.pszText, LPSTR_TEXTCALLBACK);
    std::string answer = "from the owner";
    const int nAskedBefore = owner.count(TVN_GETDISPINFO);
    const int nToldBefore = owner.count(TVN_SETDISPINFO);
    owner.onNotify = [&](NMHDR* pHeader) -> LRESULT {
        if (pHeader->code == TVN_GETDISPINFO) {
            auto* pInfo = reinterpret_cast<NMTVDISPINFO*>(pHeader);
            EXPECT_EQ(pInfo->item.mask, TVIF_TEXT);
            EXPECT_EQ(pInfo->item.lParam, 77);
            pInfo->item.pszText = answer.data();
        }
        return 0;
    };
    EXPECT_EQ(std::string(tree.GetItemText(hItem)), answer);
    EXPECT_EQ(owner.count(TVN_GETDISPINFO) - nAskedBefore, 1);
    // Setting a callback text tells the owner instead.
    EXPECT_TRUE(tree.SetItemText(hItem, "new"));
    EXPECT_EQ(owner.count(TVN_SETDISPINFO) - nToldBefore, 1);
    TVITEM text;
    text.mask = TVIF_TEXT;
    text.hItem = hItem;
    text.pszText = const_cast<char*>("plain");
    tree.SetItem(&text);
    EXPECT_EQ(owner.count(TVN_SETDISPINFO) - nToldBefore, 2);

    // Plain texts are copied and owned by the node.
    std::string buffer = "temporary";
    const HTREEITEM hPlain = tree.InsertItem(buffer.c_str());
    buffer = "changed";
    EXPECT_STREQ(tree.GetItemText(hPlain), "temporary");
    // Texts of later columns live in the storage while it exists and survive collapse.
    tree.AddColumn("Year", LVCFMT_LEFT, 50);
    tree.EnableSubItemStorage(TRUE);
    const HTREEITEM hChild = tree.InsertItem("child", hPlain);
    EXPECT_TRUE(tree.SetItemText(hChild, 1, "1999"));
    EXPECT_FALSE(tree.SetItemText(hChild, 5, "no column"));
    tree.Expand(hPlain, TVE_EXPAND);
    tree.Expand(hPlain, TVE_COLLAPSE);
    EXPECT_STREQ(tree.GetItemText(hChild, 1), "1999");
}

TEST_F(TreeWindow, HiddenNodesHaveNoRowsNorDoTheirDescendants)
{
    Build();
    Fill();
    tree.ExpandBranch(music);
    ASSERT_EQ(tree.GetItemCount(), 6);
    SECListItemEx hide { 1, SECTreeBaseC::exHidden, SECTreeBaseC::exHidden };
    tree.SetItemEx(rock, &hide);
    EXPECT_EQ(tree.RowTexts(), (Texts { "Music", "Jazz", "Podcasts" }));
    SECListItemEx state { 1, 0, SECTreeBaseC::exHidden };
    tree.GetItemEx(alpha, &state);
    EXPECT_EQ(state.state, SECTreeBaseC::exHidden);
    hide.state = 0;
    tree.SetItemEx(rock, &hide);
    EXPECT_EQ(tree.RowTexts(), (Texts { "Music", "Rock", "Alpha", "Beta", "Jazz", "Podcasts" }));
}

TEST_F(TreeWindow, DeletionTellsTheOwnerOfEveryNodeLeavesFirst)
{
    Build();
    Fill();
    tree.ExpandBranch(music);
    std::vector<LPARAM> told;
    tree.SetItemData(alpha, 1);
    tree.SetItemData(beta, 2);
    tree.SetItemData(rock, 3);
    owner.onNotify = [&](NMHDR* pHeader) -> LRESULT {
        if (pHeader->code == TVN_DELETEITEM)
            told.push_back(reinterpret_cast<NMTREEVIEW*>(pHeader)->itemOld.lParam);
        return 0;
    };
    // The caret sits in the branch that goes.
    tree.SelectItem(beta);
    EXPECT_TRUE(tree.DeleteItem(rock));
    EXPECT_EQ(told, (std::vector<LPARAM> { 1, 2, 3 }));
    EXPECT_EQ(tree.RowTexts(), (Texts { "Music", "Jazz", "Podcasts" }));
    EXPECT_TRUE(tree.RowsMatchShownNodes());
    EXPECT_NE(tree.GetCaretItem(), nullptr);
    // Deleting an item elsewhere leaves the selection where it is.
    tree.SelectItem(jazz);
    const HTREEITEM extra = tree.InsertItem("Extra");
    tree.DeleteItem(extra);
    EXPECT_EQ(tree.GetFirstSelectedItem(), jazz);
    EXPECT_EQ(tree.GetCaretItem(), jazz);
    told.clear();
    // Collapsing deletes rows, never items.
    told.clear();
    tree.Expand(music, TVE_COLLAPSE);
    EXPECT_TRUE(told.empty());
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(told.size(), 4U); // Music, Jazz, Podcasts and the hidden root
    EXPECT_EQ(tree.GetItemCount(), 0);
    EXPECT_EQ(tree.GetRootItem(), nullptr);
    EXPECT_NE(tree.InsertItem("again"), nullptr);
}

TEST_F(TreeWindow, ExpansionThatTheOwnerFillsVetoesOrLeavesEmpty)
{
    Build();
    TVINSERTSTRUCT insert;
    insert.hParent = TVI_ROOT;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
    insert.item.pszText = const_cast<char*>("Lazy");
    insert.item.cChildren = 1;
    const HTREEITEM lazy = tree.InsertItem(&insert);
    const HTREEITEM leaf = tree.InsertItem("Leaf");
    // A leaf that declares nothing: TRUE at once, nobody asked.
    EXPECT_TRUE(tree.Expand(leaf, TVE_EXPAND));
    EXPECT_EQ(owner.count(TVN_ITEMEXPANDING), 0);
    // Declared but not filled: FALSE.
    EXPECT_FALSE(tree.Expand(lazy, TVE_EXPAND));
    EXPECT_EQ(owner.count(TVN_ITEMEXPANDING), 1);
    // Filled from inside the notification.
    owner.onNotify = [&](NMHDR* pHeader) -> LRESULT {
        if (pHeader->code == TVN_ITEMEXPANDING && reinterpret_cast<NMTREEVIEW*>(pHeader)->action == TVE_EXPAND) {
            tree.InsertItem("one", lazy);
            tree.InsertItem("two", lazy);
        }
        return 0;
    };
    EXPECT_TRUE(tree.Expand(lazy, TVE_EXPAND));
    EXPECT_EQ(tree.RowTexts(), (Texts { "Lazy", "one", "two", "Leaf" }));
    EXPECT_EQ(owner.count(TVN_ITEMEXPANDED), 1);
    EXPECT_TRUE(tree.RowsMatchShownNodes());
    // A veto keeps the branch open.
    owner.onNotify = [](NMHDR* pHeader) -> LRESULT { return pHeader->code == TVN_ITEMEXPANDING ? 1 : 0; };
    EXPECT_FALSE(tree.Expand(lazy, TVE_COLLAPSE));
    EXPECT_EQ(tree.GetItemCount(), 4);
    // Collapse and reset deletes the children, telling the owner of each.
    owner.onNotify = nullptr;
    const int nDeletedBefore = owner.count(TVN_DELETEITEM);
    EXPECT_TRUE(tree.Expand(lazy, TVE_COLLAPSE | TVE_COLLAPSERESET));
    EXPECT_EQ(owner.count(TVN_DELETEITEM) - nDeletedBefore, 2);
    EXPECT_EQ(tree.GetChildItem(lazy), nullptr);
    EXPECT_EQ(tree.RowTexts(), (Texts { "Lazy", "Leaf" }));
}

TEST_F(TreeWindow, ExpandedFlagsBelowACollapsedBranchAreKept)
{
    Build();
    Fill();
    tree.ExpandBranch(music);
    tree.Expand(music, TVE_COLLAPSE);
    EXPECT_EQ(tree.RowTexts(), (Texts { "Music", "Podcasts" }));
    tree.Expand(music, TVE_TOGGLE);
    EXPECT_EQ(tree.RowTexts(), (Texts { "Music", "Rock", "Alpha", "Beta", "Jazz", "Podcasts" }));
    // Making a deep item visible opens its ancestors.
    tree.Expand(music, TVE_COLLAPSE);
    tree.Expand(rock, TVE_COLLAPSE);
    EXPECT_TRUE(tree.EnsureVisible(beta));
    EXPECT_GE(tree.RowOfItem(beta), 0);
    EXPECT_TRUE(tree.RowsMatchShownNodes());
}

TEST_F(TreeWindow, CollapsingMovesTheCaretOutOfTheBranchEvenAgainstAVeto)
{
    Build();
    Fill();
    tree.ExpandBranch(music);
    tree.SelectItem(alpha);
    ASSERT_EQ(tree.GetCaretItem(), alpha);
    owner.onNotify = [](NMHDR* pHeader) -> LRESULT { return pHeader->code == TVN_SELCHANGING ? 1 : 0; };
    EXPECT_TRUE(tree.Expand(music, TVE_COLLAPSE));
    EXPECT_EQ(tree.GetCaretItem(), music);
    EXPECT_EQ(tree.GetFirstSelectedItem(), music);
    // Elsewhere the veto holds.
    EXPECT_FALSE(tree.SelectItem(podcasts));
    EXPECT_EQ(tree.GetCaretItem(), music);
}

TEST_F(TreeWindow, ExpansionHandlersThatDeleteTheirItemLeaveNothingDangling)
{
    Build();
    // Which notification deletes what: the item itself or its parent, before or after the change.
    struct Case {
        const char* name;
        UINT code;
        bool parent;
        UINT expand;
    };
    const Case cases[] = {
        { "item when expanded", TVN_ITEMEXPANDED, false, TVE_EXPAND },
        { "parent when expanding", TVN_ITEMEXPANDING, true, TVE_EXPAND },
        { "parent when collapsing", TVN_ITEMEXPANDING, true, TVE_COLLAPSE },
        { "item on the caret's move", TVN_SELCHANGING, false, TVE_COLLAPSE },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        owner.onNotify = nullptr;
        tree.DeleteAllItems();
        Fill();
        tree.ExpandBranch(music);
        tree.SelectItem(alpha);
        if (c.expand == TVE_EXPAND)
            tree.Expand(rock, TVE_COLLAPSE);
        owner.onNotify = [&](NMHDR* pHeader) -> LRESULT {
            if (pHeader->code == c.code)
                tree.DeleteItem(c.parent ? music : rock);
            return 0;
        };
        tree.Expand(rock, c.expand);
        owner.onNotify = nullptr;
        EXPECT_TRUE(tree.RowsMatchShownNodes());
        EXPECT_EQ(tree.GetChildItem(c.parent ? TVI_ROOT : music), c.parent ? podcasts : jazz);
        screen.pump();
    }
}

TEST_F(TreeWindow, SortChildrenKeepsRowsAndCaretWithTheirItems)
{
    Build();
    const HTREEITEM top = tree.InsertItem("top");
    for (const char* text : { "b", "C", "a", "B" })
        tree.InsertItem(text, top);
    tree.Expand(top, TVE_EXPAND);
    const HTREEITEM c = tree.GetNextSiblingItem(tree.GetChildItem(top));
    tree.SelectItem(c);
    struct Case {
        BOOL ascending;
        Texts expected;
    };
    for (const Case& test : { Case { TRUE, { "a", "b", "B", "C" } }, Case { FALSE, { "C", "b", "B", "a" } } }) {
        tree.SortChildren(top, FALSE, test.ascending);
        EXPECT_EQ(tree.ChildTexts(top), test.expected);
        Texts rows = test.expected;
        rows.insert(rows.begin(), "top");
        EXPECT_EQ(tree.RowTexts(), rows);
        EXPECT_EQ(tree.GetCaretItem(), c);
        EXPECT_EQ(tree.GetFirstSelectedItem(), c);
    }
}

TEST_F(TreeWindow, LabelEditsAskTheOwnerAndStoreWhatItAccepts)
{
    Build();
    Fill();
    EXPECT_EQ(tree.EditLabel(jazz), nullptr); // labels are not editable yet
    tree.ModifyTreeStyle(0, TVS_EDITLABELS);
    EXPECT_EQ(tree.GetTreeStyle() & TVS_EDITLABELS, TVS_EDITLABELS);
    owner.onNotify = [](NMHDR* pHeader) -> LRESULT { return pHeader->code == TVN_BEGINLABELEDIT ? 1 : 0; };
    EXPECT_EQ(tree.EditLabel(music), nullptr);
    // The owner takes the edit and rewrites the text as it is stored.
    owner.onNotify = [](NMHDR* pHeader) -> LRESULT {
        if (pHeader->code != TVN_ENDLABELEDIT)
            return 0;
        auto* pInfo = reinterpret_cast<NMTVDISPINFO*>(pHeader);
        EXPECT_STREQ(pInfo->item.pszText, "Sounds");
        std::strcpy(pInfo->item.pszText, "Sound");
        return 1;
    };
    SECListEdit* pEdit = tree.EditLabel(music);
    ASSERT_NE(pEdit, nullptr);
    pEdit->SetWindowText("Sounds");
    tree.EndLabelEdit(TRUE);
    EXPECT_STREQ(tree.GetItemText(music), "Sound");
    // Refused: the text stays.
    owner.onNotify = nullptr;
    pEdit = tree.EditLabel(music);
    ASSERT_NE(pEdit, nullptr);
    pEdit->SetWindowText("Noise");
    tree.EndLabelEdit(TRUE);
    EXPECT_STREQ(tree.GetItemText(music), "Sound");
}
