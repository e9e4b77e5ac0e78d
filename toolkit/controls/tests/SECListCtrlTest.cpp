// The list's data model: rows, cells, columns, caret and selection upkeep, row arithmetic and what
// bad indexes give.
#include <climits>

#include "toolkit/controls/tests/ListTestSupport.h"

using namespace listtest;

namespace {

TEST(ListModel, FirstRowBecomesCaretAndCaretFollowsDeletions)
{
    struct Case {
        int count, caret, deleteAt, deleteCount, wantCaret;
    };
    const Case cases[] = {
        { 5, 2, 2, 1, 2 },  // the next row takes the deleted caret's place
        { 5, 4, 3, 2, 2 },  // deleting the last rows moves the caret to the row before them
        { 5, 1, 0, 3, -1 }, // deleting from row 0 over the caret leaves none
        { 5, 4, 1, 2, 2 },  // a caret after the range moves up by the count
    };
    for (const Case& c : cases) {
        ProbeList list;
        for (int i = 0; i < c.count; ++i)
            list.InsertItem(i, "x");
        EXPECT_EQ(list.GetCaretIndex(), 0);
        EXPECT_EQ(Selected(list), std::vector<int> { 0 });
        list.SetCaret(c.caret, TRUE);
        list.DeselectAll(c.caret);
        ASSERT_TRUE(list.DeleteItems(c.deleteAt, c.deleteCount));
        EXPECT_EQ(list.GetCaretIndex(), c.wantCaret) << c.caret << " " << c.deleteAt;
        // Nothing selected after a deletion: the caret row is selected again.
        if (c.wantCaret >= 0) {
            EXPECT_EQ(Selected(list), std::vector<int> { c.wantCaret });
        }
    }
}

TEST(ListModel, SelectionStaysSortedAcrossInsertionsAndDeletions)
{
    ProbeList list;
    for (int i = 0; i < 20; ++i)
        list.InsertItem(i, "x");
    for (int n : { 15, 3, 9, 1, 12, 7, 18, 5 })
        list.SelectItem(n, TRUE);
    list.InsertItem(6, "new");
    EXPECT_EQ(list.m_selection, (std::vector<int> { 0, 1, 3, 5, 8, 10, 13, 16, 19 }));
    list.DeleteItems(2, 5);
    EXPECT_EQ(list.m_selection, (std::vector<int> { 0, 1, 3, 5, 8, 11, 14 }));
    // Under single selection one row stays selected.
    list.SetMultiSelect(FALSE);
    list.SelectItem(11, TRUE);
    EXPECT_EQ(list.m_selection, std::vector<int> { 11 });
}

TEST(ListModel, CellsReadThroughTheOwnerUntilSetAndStoredTextsAreNotCopied)
{
    ProbeList list;
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 80);
    list.InsertColumn(1, "Artist", LVCFMT_LEFT, 80);
    list.InsertItem(0, "first");
    LVITEM item;
    item.mask = LVIF_TEXT;
    item.iSubItem = 1;
    item.pszText = const_cast<LPSTR>("kept?");
    list.SetItem(&item, FALSE);
    EXPECT_EQ(list.setDispInfo, std::vector<std::string> { "kept?" });
    item.mask = LVIF_TEXT | LVIF_DI_SETITEM;
    list.SetItem(&item, FALSE);
    LVITEM read;
    read.mask = LVIF_TEXT;
    read.iSubItem = 1;
    ASSERT_TRUE(list.GetItem(&read, FALSE, FALSE));
    EXPECT_STREQ(read.pszText, "kept?");
    LVITEM again = read;
    list.GetItem(&again, FALSE, FALSE);
    EXPECT_EQ(read.pszText, again.pszText);
}

TEST(ListModel, ColumnsKeepTheFirstDataColumnAndTheirCells)
{
    ProbeList list;
    list.InsertColumn(0, "Name", LVCFMT_RIGHT, 80);
    list.AddColumn("Artist", LVCFMT_LEFT, 50);
    list.AddColumn("Album", LVCFMT_LEFT, 40);
    list.InsertItem(0, "row");
    // Cells start as callbacks: storing over one takes LVIF_DI_SETITEM.
    list.SetItem(0, 1, LVIF_TEXT | LVIF_DI_SETITEM, "artist", 0, 0, 0, 0);
    list.SetItem(0, 2, LVIF_TEXT | LVIF_DI_SETITEM, "album", 0, 0, 0, 0);
    EXPECT_EQ(list.GetColumnFormat(0), LVCFMT_LEFT);
    EXPECT_FALSE(list.MoveColumn(0, 2));
    EXPECT_FALSE(list.MoveColumn(2, 0));
    // A column inserted between others gets its own cells; the later column keeps its data.
    list.InsertColumn(1, "Year", LVCFMT_LEFT, 30);
    list.SetItem(0, 1, LVIF_TEXT | LVIF_DI_SETITEM, "1999", 0, 0, 0, 0);
    EXPECT_EQ(list.GetItemText(0, list.GetColumnSubItem(2)), CString("artist"));
    list.DeleteColumn("Year");
    // Deleting the first data column frees no cell and keeps the others bound to their columns.
    ASSERT_TRUE(list.DeleteColumn(0));
    EXPECT_EQ(list.GetSubItemColumnCount(), 2);
    EXPECT_EQ(list.GetItemText(0, 1), CString("artist"));
    EXPECT_EQ(list.GetItemText(0, 2), CString("album"));
    // Its width goes to the first data column, unless widths are kept.
    ProbeList kept;
    kept.InsertColumn(0, "Name", LVCFMT_LEFT, 80);
    kept.AddColumn("Artist", LVCFMT_LEFT, 50);
    kept.DeleteColumn("Artist");
    EXPECT_EQ(kept.GetColumnWidth(0), 130);
    kept.SetListStyleEx(LVXS_KEEPCOLUMNWIDTHS, FALSE);
    kept.AddColumn("Year", LVCFMT_LEFT, 30);
    kept.DeleteColumn(1);
    EXPECT_EQ(kept.GetColumnWidth(0), 130);
}

TEST(ListModel, BadIndexesGiveDefinedResults)
{
    ProbeList list;
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 80);
    for (int i = 0; i < 3; ++i)
        list.InsertItem(i, "x");
    char buffer[8] = "junk";
    for (int nRow : { -1, 3, INT_MAX, INT_MIN }) {
        EXPECT_FALSE(list.SetItemText(nRow, 0, "no")) << nRow;
        EXPECT_EQ(list.GetItemText(nRow, 0, buffer, sizeof(buffer)), 0) << nRow;
        EXPECT_STREQ(buffer, "");
        EXPECT_EQ(list.GetItemState(nRow, LVIS_SELECTED), 0U);
        EXPECT_EQ(list.GetItemData(nRow), 0);
        EXPECT_FALSE(list.DeleteItems(nRow, 1));
        EXPECT_EQ(list.EditLabel(nRow, 0), nullptr);
        CRect rect;
        EXPECT_FALSE(list.GetItemRect(nRow, rect, LVIR_BOUNDS));
    }
    EXPECT_EQ(list.GetNextItem(INT_MAX, LVNI_BELOW), -1);
    EXPECT_EQ(list.GetNextItem(INT_MIN, LVNI_ABOVE), -1);
    EXPECT_EQ(list.GetNextItem(-1, 0), 0);
    EXPECT_FALSE(list.DeleteColumn(7));
    EXPECT_FALSE(list.MoveColumn(5, 1));
    EXPECT_FALSE(list.SetColumnWidth(-1, 10));
    EXPECT_EQ(list.GetColumnHeading(9), CString());
    EXPECT_EQ(list.GetItemText(0, 9), CString()); // a cell past the columns reads empty
    EXPECT_FALSE(list.EnsureRangeVisible(2, 1));
    EXPECT_EQ(list.GetImageList(7), nullptr);
    EXPECT_EQ(list.SetImageList(nullptr, -2), nullptr);
    // An index past the end inserts at the end.
    EXPECT_EQ(list.InsertItem(1000, "last"), 3);
}

// A list whose rows are 10, 20 and 30 pixels high in turn, in an item area 80 pixels high.
class SteppedList : public ProbeList {
protected:
    void MeasureItem(SECListPaintContext* pContext) override
    {
        pContext->m_pItem->m_cy = 10 * (1 + pContext->m_lvi.iItem % 3);
        pContext->m_pItem->m_bMeasure = FALSE;
    }
};

TEST(ListRows, ArithmeticOverRowsOfDifferentHeights)
{
    TestScreen screen { 320, 200 };
    Owner owner;
    SteppedList list;
    CreateOwned(owner, list, CRect(0, 0, 200, 100), LVS_REPORT | LVS_NOSCROLL);
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    for (int i = 0; i < 10; ++i)
        list.InsertItem(i, "x");
    // Heights from row 0: 10 20 30 10 20 30 10 20 30 10.
    struct Case {
        int top, perPage, perPageAbove, lastFullyVisible, visibleEnd, pageUpTop;
    };
    const Case cases[] = {
        { 0, 4, 0, 3, 5, -1 },
        { 2, 3, 2, 4, 6, -1 },
        { 6, 4, 3, 9, 10, 2 }, // the last rows leave room, so a row above the top counts too
    };
    for (const Case& c : cases) {
        list.SetTopIndex(c.top);
        ASSERT_EQ(list.GetTopIndex(), c.top);
        EXPECT_EQ(list.GetCountPerPage(), c.perPage) << c.top;
        EXPECT_EQ(list.GetCountPerPageAbove(), c.perPageAbove) << c.top;
        EXPECT_EQ(list.GetLastFullyVisible(nullptr), c.lastFullyVisible) << c.top;
        EXPECT_EQ(list.GetVisibleEnd(), c.visibleEnd) << c.top;
        EXPECT_EQ(list.GetPageUpTop(), c.pageUpTop) << c.top;
    }
    EXPECT_EQ(list.GetLastTopIndex(), 6);
    EXPECT_EQ(list.RowFromY(CPoint(0, 30)), 1);
    EXPECT_EQ(list.RowFromY(CPoint(0, 35)), 2);
    EXPECT_EQ(list.GetHeightBetween(1, 4, FALSE), 60);
    EXPECT_EQ(list.GetHeightBetween(1, 4, TRUE), 80);
    EXPECT_EQ(list.GetHeightBetween(4, 1, FALSE), -60);
    EXPECT_EQ(list.GetRowsInHeight(50, 0, TRUE), 3);
    EXPECT_EQ(list.GetRowsInHeight(50, 5, FALSE), 2);
    // Scrolling to a row keeps one neighbour in view on the side it came from.
    list.SetTopIndex(0);
    list.EnsureVisible(5);
    EXPECT_EQ(list.GetLastFullyVisible(nullptr), 6);
    list.EnsureVisible(2);
    EXPECT_EQ(list.GetTopIndex(), 1);
    owner.DestroyWindow();
}

} // namespace
