// The detail sheet over the list's record set: the pages of the list's kind, loading the current row,
// writing edits back with their change flags, the guard against a nested rebind, and the free track
// number search.
#include <set>

#include "app/CMusicDetailInfoSheet.h"
#include "app/CRadioStationInfoDlg.h"
#include "app/TuneStewardIds.h"
#include "app/tests/LibraryPageFixture.h"
#include "library/AppRoutines.h"
#include "library/_ADORecordsetHelper.h"

using afxtest::Steps;

namespace {

// The list as the sheet sees it: a kind and a record set of the library's own detail query.
class FakeList : public DetailSheetHost {
public:
    int GetSelectionKind() override
    {
        ++m_kindQueries;
        return m_kind;
    }
    _ADORecordsetHelper* GetListRecordset() override { return &m_rows; }
    void RefreshListView() override { ++m_refreshes; }
    void RenameAlbumNodes(long, LPCTSTR, LPCTSTR) override { }
    void RefreshArtists() override { }
    void MoveAlbumToGenreGroup(long, long, LPCTSTR) override { }
    void InsertRadioGroupNode(long, LPCTSTR name) override { m_newGroups.emplace_back(name); }

    bool Open(const char* query) { return theLibraryConnection.ExecuteSql(query, m_rows.ReceivePointer(), 2); }

    int m_kind { DetailSheetHost::NoRows };
    _ADORecordsetHelper m_rows;
    int m_kindQueries { 0 };
    int m_refreshes { 0 };
    std::vector<std::string> m_newGroups;
};

class DetailSheet : public LibraryPageFixture {
protected:
    void TearDown() override
    {
        if (m_sheet.m_hWnd)
            m_sheet.DestroyWindow();
        m_sheet.ReleaseBinding();
        m_list.m_rows.Release();
        LibraryPageFixture::TearDown();
    }
    void AddStation(const char* name, const char* category)
    {
        CRadioStationInfoDlg dialog(&m_owner);
        Steps().push_back([&](HWND d) {
            SetDlgItemText(d, IDC_RADIO_STATION, name);
            SetDlgItemText(d, IDC_RADIO_CALL_SIGN, "KJZZ");
            HWND combo = GetDlgItem(d, IDC_RADIO_DLG_CATEGORY);
            SendMessage(combo, CB_SETCURSEL,
                static_cast<WPARAM>(SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(category))), 0);
            SendMessage(d, WM_COMMAND, IDOK, 0);
        });
        ASSERT_EQ(dialog.DoModal(), IDOK);
        ASSERT_TRUE(dialog.m_bAdded);
    }
    void ShowList(int kind, const char* query)
    {
        m_list.m_kind = kind;
        ASSERT_TRUE(m_list.Open(query));
        m_sheet.SetHost(&m_list);
        if (!m_sheet.m_hWnd) {
            ASSERT_TRUE(m_sheet.Create(&m_owner));
        }
        m_sheet.SendMessage(WM_COMMAND, ID_DETAIL_REBIND, 0);
    }
    static long StationGroupRows(const char* group)
    {
        return Number(std::string("SELECT COUNT(*) FROM tIRadioGroupList INNER JOIN tIRadioGroup ON "
                                  "tIRadioGroupList.RadioGroupID = tIRadioGroup.GroupID WHERE tIRadioGroup.GroupName = '")
            + group + "'");
    }

    FakeList m_list;
    CMusicDetailInfoSheet m_sheet { "Details" };
};

} // namespace

TEST(TrackNumberSearch, StepsToTheNextFreeNumberAndWraps)
{
    struct Case {
        int position;
        int step;
        std::set<int> taken;
        int found;
    };
    std::set<int> all;
    for (int n = 1; n <= 999; ++n)
        all.insert(n);
    const Case cases[] = {
        { 999, 1, {}, 1 },
        { 1, 1, { 1, 2, 3 }, 4 },
        { 1, -1, {}, 999 },
        { 5, -1, { 4, 3 }, 2 },
        { 950, 100, { 1 }, 2 },
        // Every number taken: the search ends back where it began.
        { 7, 1, all, 7 },
        { 7, -1, all, 7 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindFreeTrackNumber(c.position, c.step, [&](int n) { return c.taken.count(n) != 0; }), c.found)
            << c.position << " " << c.step;
}

TEST_F(DetailSheet, StationRowsShowTheStationPageAndWriteEditsBack)
{
    AddStation("Night Owl", "Jazz");
    ShowList(DetailSheetHost::StationRows, "qIRadioDetail");
    ASSERT_EQ(m_sheet.GetPageCount(), 1);
    EXPECT_EQ(m_sheet.GetPage(0), &m_sheet.m_stationPage);
    HWND page = m_sheet.m_stationPage.m_hWnd;
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ControlText(page, IDC_RADIO_STATION), "Night Owl");
    EXPECT_EQ(ControlText(page, IDC_RADIO_PAGE_CATEGORY), "Jazz");
    EXPECT_FALSE(m_sheet.m_stationPage.m_bReadOnly);
    SetLibraryModified(false);

    // An emptied name comes back and nothing is written.
    SetDlgItemText(page, IDC_RADIO_STATION, "");
    m_sheet.m_stationPage.OnKillFocusField();
    EXPECT_EQ(ControlText(page, IDC_RADIO_STATION), "Night Owl");
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tIRadioMain WHERE ModifyFlag = True AND Station = 'Night Owl'"), 1);

    SetDlgItemText(page, IDC_RADIO_CALL_SIGN, "KNOW");
    SetDlgItemText(page, IDC_RADIO_BANDWIDTH, std::string(60, '9').c_str());
    EXPECT_TRUE(m_sheet.m_stationPage.m_bDirty);
    EXPECT_TRUE(IsLibraryModified());
    m_sheet.m_stationPage.OnKillFocusField();
    EXPECT_FALSE(m_sheet.m_stationPage.m_bDirty);
    EXPECT_EQ(Text("SELECT RadioCallSign FROM tIRadioMain"), "KNOW");
    EXPECT_EQ(Text("SELECT Bandwidth FROM tIRadioMain"), std::string(50, '9'));
    EXPECT_EQ(Text("SELECT Station FROM tIRadioMain"), "Night Owl");

    // A whole number field refuses other text: nothing is written and the page stays dirty.
    SetDlgItemText(page, IDC_RADIO_STREAM_TYPE, "mp3");
    m_sheet.m_stationPage.OnKillFocusField();
    EXPECT_TRUE(m_sheet.m_stationPage.m_bDirty);
    EXPECT_EQ(Number("SELECT StreamType FROM tIRadioMain"), 0);
    SetDlgItemText(page, IDC_RADIO_STREAM_TYPE, "2");
    m_sheet.m_stationPage.OnKillFocusField();
    EXPECT_EQ(Number("SELECT StreamType FROM tIRadioMain"), 2);
    ASSERT_EQ(Boxes().size(), 1u);
}

TEST_F(DetailSheet, ANewCategoryMovesTheStationToItsGroup)
{
    AddStation("Night Owl", "Jazz");
    ShowList(DetailSheetHost::StationRows, "qIRadioDetail");
    HWND page = m_sheet.m_stationPage.m_hWnd;
    HWND combo = GetDlgItem(page, IDC_RADIO_PAGE_CATEGORY);
    SendMessage(combo, CB_SETCURSEL,
        static_cast<WPARAM>(SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Classical"))), 0);
    SendMessage(page, WM_COMMAND, MAKEWPARAM(IDC_RADIO_PAGE_CATEGORY, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(Number("SELECT Category FROM tIRadioMain"),
        Number("SELECT QVGenreID FROM tLookupRadioGenre WHERE Genre = 'Classical'"));
    EXPECT_EQ(StationGroupRows("Classical"), 1);
    EXPECT_EQ(StationGroupRows("Jazz"), 0);
    ASSERT_EQ(m_list.m_newGroups.size(), 1u);
    EXPECT_EQ(m_list.m_newGroups[0], "Classical");
}

TEST_F(DetailSheet, AnEmptyListShowsThePagesClearedAndANestedRebindIsIgnored)
{
    ShowList(DetailSheetHost::StationRows, "qIRadioDetail");
    EXPECT_TRUE(m_sheet.m_stationPage.m_bReadOnly);
    EXPECT_EQ(ControlText(m_sheet.m_stationPage.m_hWnd, IDC_RADIO_STATION), "");
    EXPECT_FALSE(m_sheet.UpdateCurrentRow());

    const int queries = m_list.m_kindQueries;
    App().m_bUpdatingDetails = TRUE;
    m_sheet.SendMessage(WM_COMMAND, ID_DETAIL_REBIND, 0);
    EXPECT_EQ(m_list.m_kindQueries, queries);
    App().m_bUpdatingDetails = FALSE;
    m_sheet.SendMessage(WM_COMMAND, ID_DETAIL_REBIND, 0);
    EXPECT_EQ(m_list.m_kindQueries, queries + 1);
    EXPECT_FALSE(App().m_bUpdatingDetails);

    // Another kind replaces the pages; no kind shows the empty page.
    m_list.m_kind = DetailSheetHost::NoRows;
    m_sheet.SendMessage(WM_COMMAND, ID_DETAIL_REBIND, 0);
    ASSERT_EQ(m_sheet.GetPageCount(), 1);
    EXPECT_EQ(m_sheet.GetPage(0), &m_sheet.m_emptyPage);
}
