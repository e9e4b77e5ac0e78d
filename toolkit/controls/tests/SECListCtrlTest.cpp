#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/user/TestScreen.h"
#include "toolkit/controls/SECListCtrl.h"

using platform::user::TestScreen;

namespace {

// The owner: records notifications and answers text requests for callback rows.
class Owner : public CWnd {
public:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
        codes.push_back(pHeader->code);
        if (pHeader->code == LVN_GETDISPINFO) {
            auto* pInfo = reinterpret_cast<NMLVDISPINFO*>(lParam);
            asked.insert(pInfo->item.iItem);
            text = "row " + std::to_string(pInfo->item.iItem);
            pInfo->item.pszText = text.data();
        }
        if (pHeader->code == LVN_DELETEITEM)
            deleted.push_back(reinterpret_cast<NMLISTVIEW*>(lParam)->iItem);
        *pResult = 0;
        return TRUE;
    }
    std::vector<UINT> codes;
    std::set<int> asked;
    std::vector<int> deleted;
    std::string text;
};

// A list that notes the texts an owner was told to store for callback fields.
class ProbeList : public SECListCtrl {
public:
    void NotifySetDispInfo(LVITEM* pItem) override
    {
        if (pItem->pszText != LPSTR_TEXTCALLBACK)
            setDispInfo.push_back(pItem->pszText ? pItem->pszText : "");
    }
    std::vector<std::string> setDispInfo;
    using SECListBaseC::m_selection;
};

std::vector<int> Selected(SECListBaseC& list)
{
    std::vector<int> rows;
    for (int n = list.GetNextItem(-1, LVNI_SELECTED); n >= 0; n = list.GetNextItem(n, LVNI_SELECTED))
        rows.push_back(n);
    return rows;
}

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
    EXPECT_FALSE(list.DeleteItems(40, 1));
    EXPECT_FALSE(list.SetItemText(-1, 0, "no"));
    EXPECT_EQ(list.GetItemState(99, LVIS_SELECTED), 0U);
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
    EXPECT_FALSE(kept.DeleteColumn(7));
}

// A report list of a few rows in a window of its own.
class ListWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 240, 140), nullptr, 0));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOLABELWRAP, CRect(0, 0, 240, 140), &owner, 7));
        list.InsertColumn(0, "Title", LVCFMT_LEFT, 120);
        list.AddColumn("Artist", LVCFMT_LEFT, 100);
        const char* titles[] = { "Alpha", "Bravo", "Banjo", "Charlie", "Delta" };
        for (int i = 0; i < 5; ++i) {
            list.InsertItem(i, titles[i]);
            list.SetItem(i, 1, LVIF_TEXT | LVIF_DI_SETITEM, "Someone", 0, 0, 0, 0);
        }
        list.RecalcLayout();
        screen.pump();
    }
    void TearDown() override
    {
        owner.DestroyWindow();
        screen.pump();
    }
    // A type-ahead run ends between one and two ticks after the last key.
    void endRun()
    {
        for (int i = 0; i < 3; ++i)
            screen.advance(std::chrono::milliseconds(260));
    }
    CPoint RowPoint(int nRow)
    {
        CRect rect;
        EXPECT_TRUE(list.GetItemRect(nRow, rect, LVIR_LABEL));
        CPoint pt = rect.CenterPoint();
        list.CWnd::ClientToScreen(&pt);
        return pt;
    }
    TestScreen screen { 320, 200 };
    Owner owner;
    ProbeList list;
};

TEST_F(ListWindow, ClicksSelectWithShiftRangesAndCtrlToggles)
{
    screen.click(RowPoint(1).x, RowPoint(1).y);
    EXPECT_EQ(Selected(list), std::vector<int> { 1 });
    EXPECT_EQ(list.GetCaretIndex(), 1);
    screen.keyDown(VK_SHIFT);
    screen.click(RowPoint(3).x, RowPoint(3).y);
    screen.keyUp(VK_SHIFT);
    EXPECT_EQ(Selected(list), (std::vector<int> { 1, 2, 3 }));
    screen.keyDown(VK_CONTROL);
    screen.click(RowPoint(2).x, RowPoint(2).y);
    screen.keyUp(VK_CONTROL);
    EXPECT_EQ(Selected(list), (std::vector<int> { 1, 3 }));
    screen.key(VK_DOWN);
    EXPECT_EQ(Selected(list), std::vector<int> { 3 });
    EXPECT_EQ(list.GetCaretIndex(), 3);
    EXPECT_NE(std::find(owner.codes.begin(), owner.codes.end(), static_cast<UINT>(NM_CLICK)), owner.codes.end());
    EXPECT_NE(std::find(owner.codes.begin(), owner.codes.end(), static_cast<UINT>(LVN_KEYDOWN)), owner.codes.end());
}

TEST_F(ListWindow, TypeAheadFindsByPrefixAndEndsWithTheRun)
{
    list.SetFocus();
    screen.type("b");
    EXPECT_EQ(list.GetCaretIndex(), 1);
    screen.type("an");
    EXPECT_EQ(list.GetCaretIndex(), 2);
    endRun();
    screen.type("b");
    EXPECT_EQ(list.GetCaretIndex(), 1); // a new run searches after the caret and wraps
    endRun();
    // With no caret (the rows were emptied and refilled without one), a miss ends after one cycle.
    list.SetCaret(-1, FALSE);
    list.DeselectAll(-1);
    screen.type("z");
    EXPECT_EQ(list.GetCaretIndex(), -1);
    endRun();
}

TEST_F(ListWindow, EveryDeletedRowIsTold)
{
    list.DeleteItems(1, 3);
    EXPECT_EQ(owner.deleted, (std::vector<int> { 3, 2, 1 }));
    EXPECT_EQ(list.GetItemCount(), 2);
}

TEST_F(ListWindow, ReportLooksAsTheGoldenPicture)
{
    list.SetFocus();
    screen.click(RowPoint(2).x, RowPoint(2).y);
    screen.pump();
    const std::string dir = std::string(TS_CONTROLS_TEST_DIR) + "/golden/";
    const std::string actual = (std::filesystem::temp_directory_path() / "ListReport.png").string();
    ASSERT_TRUE(screen.savePng(actual));
    const auto read = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const std::string got = read(actual);
    std::filesystem::remove(actual);
    if (got != read(dir + "ListReport.png")) {
        std::ofstream(dir + "ListReport.actual.png", std::ios::binary) << got;
        FAIL() << "the list's look differs from " << dir << "ListReport.png; the picture drawn is beside it";
    }
}

TEST(ListOwnerData, ScrollingAHundredThousandRowsAsksOnlyForTheRowsShown)
{
    TestScreen screen { 320, 200 };
    Owner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 240, 140), nullptr, 0));
    ProbeList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOLABELWRAP, CRect(0, 0, 240, 140), &owner, 7));
    list.InsertColumn(0, "Title", LVCFMT_LEFT, 120);
    list.AddColumn("Artist", LVCFMT_LEFT, 100);
    for (int i = 0; i < 100000; ++i)
        list.InsertItem(i, LPSTR_TEXTCALLBACK);
    list.RecalcLayout();
    screen.pump();
    list.SetTopIndex(50000);
    owner.asked.clear();
    list.Invalidate();
    screen.pump();
    ASSERT_FALSE(owner.asked.empty());
    EXPECT_GE(*owner.asked.begin(), 50000);
    EXPECT_LT(*owner.asked.rbegin(), 50000 + 20);
    owner.DestroyWindow();
    screen.pump();
}

} // namespace
