// The detail sheet docked in the main frame over a library filled through the music import: it follows
// the list's current row, writes a page's edit into that row and the list shows it, an album's rows
// bring the album pages, a row a synchronisation deleted leaves the pages empty, and the pages' album
// and station edits reach the library tree; files dropped on the window are imported into the list.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/CMainTreeCtrl.h"
#include "app/CRadioStationInfoDlg.h"
#include "app/LibraryOpening.h"
#include "app/tests/MainFrameListFixture.h"
#include "library/AppRoutines.h"
#include "platform/afx/tests/DialogSteps.h"
#include "platform/user/Input.h"

namespace {

// The main frame, playing a test's steps in the dialogs it runs.
using StepFrame = afxtest::StepsOwner<CMainFrame>;

class FrameDetails : public frame_test::MainFrameList<StepFrame> {
protected:
    void SetUp() override
    {
        MainFrameList::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_NE(m_frame->m_wndDetailSheet.m_hWnd, nullptr);
        ASSERT_EQ(m_frame->m_wndDetailSheet.Host(), &m_frame->m_detailHost);
    }

    long Import(const char* title, const char* album) { return ImportTrack(Utf16(title), u"Band", Utf16(album)); }
    // A tagged copy of the tone in the test's folder, not imported; its path.
    std::string TaggedFile(const std::string& name, const char* title, const char* album)
    {
        std::filesystem::copy_file(Tone(), mp3fixtures::HerePath(name));
        SetTags(Here(name), { { u"TIT2", Utf16(title) }, { u"TPE1", u"Band" }, { u"TALB", Utf16(album) } });
        return Here(name);
    }
    // A click on the row's text, as the list reports it to the frame.
    void Click(int row) { Notify(NM_CLICK, row, 1, POINT { 200, 0 }); }
    std::string Cell(int row) { return m_view->GetCellText(row, ColumnOf("Track")).GetString(); }
    static std::string ControlText(CWnd& page, int id)
    {
        CString text;
        page.GetDlgItemText(id, text);
        return text.GetString();
    }
    CMusicDetailInfoSheet& Sheet() { return m_frame->m_wndDetailSheet; }
    CMainTreeCtrl& Tree() { return m_frame->m_wndDockingTabs.m_wndTree; }
    std::vector<std::string> Children(HTREEITEM parent)
    {
        std::vector<std::string> texts;
        for (HTREEITEM h = Tree().GetChildItem(parent); h != nullptr; h = Tree().GetNextSiblingItem(h))
            texts.push_back(Tree().GetItemText(h, 0).GetString());
        return texts;
    }
    HTREEITEM Child(HTREEITEM parent, const std::string& label)
    {
        for (HTREEITEM h = Tree().GetChildItem(parent); h != nullptr; h = Tree().GetNextSiblingItem(h))
            if (label == Tree().GetItemText(h, 0).GetString())
                return h;
        return nullptr;
    }
    // Picks the item of the page's combo box with that text, as a click in its list does.
    static void Choose(CWnd& page, int combo, const char* text)
    {
        const HWND box = page.GetDlgItem(combo)->m_hWnd;
        const LRESULT item = ::SendMessage(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
        ASSERT_GE(item, 0) << text;
        ::SendMessage(box, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    }
    CTrackInfoPage& TrackPage()
    {
        Sheet().SetActivePage(&Sheet().m_trackPage);
        return Sheet().m_trackPage;
    }
};

} // namespace

TEST_F(FrameDetails, TheSheetFollowsTheCurrentRowAndItsEditsReachTheRowAndTheList)
{
    Import("Cold Water", "First");
    Import("Apple Tree", "First");
    Show(kindAll);
    ASSERT_EQ(Sheet().GetPageCount(), 2);
    EXPECT_EQ(Sheet().GetPage(1), &Sheet().m_trackPage);
    EXPECT_EQ(ControlText(TrackPage(), IDC_TRACK_TITLE), Cell(0));

    Click(1);
    const std::string title = Cell(1);
    ASSERT_FALSE(title.empty());
    EXPECT_NE(title, Cell(0));
    CTrackInfoPage& track = TrackPage();
    EXPECT_EQ(ControlText(track, IDC_TRACK_TITLE), title);
    EXPECT_FALSE(track.m_bReadOnly);

    SetLibraryModified(false);
    track.SetDlgItemText(IDC_TRACK_TITLE, "Renamed");
    track.OnKillFocusField();
    m_screen.pump();
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks WHERE TrackTitle = 'Renamed' AND ModifyFlag = True"), 1);
    EXPECT_EQ(Text("SELECT TrackTitle FROM tMusicTracks WHERE TrackTitle <> 'Renamed'"), Cell(0));
    // The list shows the new title on the row the user stays on.
    EXPECT_EQ(m_view->GetCurrentRow(), 1);
    EXPECT_EQ(Cell(1), "Renamed");
    EXPECT_EQ(ControlText(TrackPage(), IDC_TRACK_TITLE), "Renamed");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FrameDetails, AnAlbumShowsTheAlbumPagesAndOtherNodesTheEmptyPage)
{
    Import("Cold Water", "First");
    Import("Blue Moon", "Second");
    const long second = Number("SELECT QVCDID FROM tMusicMain WHERE Title = 'Second'");
    Show(kindAlbum, "Second", second);
    ASSERT_EQ(Sheet().GetPageCount(), 2);
    EXPECT_EQ(Sheet().GetPage(0), &Sheet().m_albumBasicPage);
    Sheet().SetActivePage(&Sheet().m_albumBasicPage);
    EXPECT_EQ(ControlText(Sheet().m_albumBasicPage, IDC_ALBUM_TITLE), "Second");
    EXPECT_EQ(ControlText(TrackPage(), IDC_TRACK_TITLE), "Blue Moon");

    // The albums' list has no row the sheet shows.
    Show(kindAlbums);
    ASSERT_EQ(Sheet().GetPageCount(), 1);
    EXPECT_EQ(Sheet().GetPage(0), &Sheet().m_emptyPage);
}

TEST_F(FrameDetails, CloseLibraryLeavesTheEmptyPageAndNoRowToEdit)
{
    Import("Cold Water", "First");
    Show(kindAll);
    ASSERT_EQ(Sheet().GetPageCount(), 2);
    App().m_bLocalLibrary = TRUE; // no device to ask about
    m_frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE_LIBRARY);
    m_screen.pump();
    ASSERT_FALSE(IsLibraryOpen());
    ASSERT_EQ(Sheet().GetPageCount(), 1);
    EXPECT_EQ(Sheet().GetPage(0), &Sheet().m_emptyPage);
    EXPECT_EQ(m_view->GetRowCount(), 0);
}

TEST_F(FrameDetails, ARowDeletedWhileShownLeavesThePagesEmpty)
{
    const long track = Import("Cold Water", "First");
    const long first = Number("SELECT QVCDID FROM tMusicMain WHERE Title = 'First'");
    Show(kindAlbum, "First", first);
    ASSERT_EQ(ControlText(TrackPage(), IDC_TRACK_TITLE), "Cold Water");

    // A synchronisation takes the track away under the page; an edit of it writes nothing.
    ASSERT_TRUE(theLibraryConnection.ExecuteSql(
        ("DELETE FROM tMusicTracks WHERE AlbumTrackID = " + std::to_string(track)).c_str(), nullptr, adCmdText));
    CTrackInfoPage& page = TrackPage();
    page.SetDlgItemText(IDC_TRACK_TITLE, "Ghost");
    page.OnKillFocusField();
    m_screen.pump();
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 0);

    ASSERT_TRUE(m_frame->RequeryView());
    m_screen.pump();
    EXPECT_EQ(m_view->GetRowCount(), 0);
    EXPECT_TRUE(TrackPage().m_bReadOnly);
    EXPECT_EQ(ControlText(TrackPage(), IDC_TRACK_TITLE), "");
    EXPECT_FALSE(Sheet().UpdateCurrentRow());
}

TEST_F(FrameDetails, AlbumEditsOnThePagesReachTheLibraryTree)
{
    Import("Cold Water", "First");
    Import("Blue Moon", "Second");
    LoadGenreTable();
    Tree().BuildTree();
    m_screen.pump();
    ASSERT_EQ(Children(Tree().m_hArtists), std::vector<std::string> { "Band" });
    Tree().SelectItem(Child(Tree().m_hAlbums, "First"));
    m_screen.pump();
    ASSERT_EQ(Sheet().GetPage(0), &Sheet().m_albumBasicPage);
    CAlbumInfoBasicPage& page = Sheet().m_albumBasicPage;
    Sheet().SetActivePage(&page);
    ASSERT_EQ(ControlText(page, IDC_ALBUM_TITLE), "First");

    // A new title renames the album's item, which keeps its place in the sorted branch.
    page.SetDlgItemText(IDC_ALBUM_TITLE, "Third");
    page.OnKillFocusField();
    m_screen.pump();
    EXPECT_EQ(Children(Tree().m_hAlbums), (std::vector<std::string> { "Second", "Third" }));

    // A new artist rebuilds the Artists branch from the library, in the library's order.
    page.SetDlgItemText(IDC_ALBUM_ARTIST, "Other Band");
    page.OnKillFocusField();
    m_screen.pump();
    std::vector<std::string> artists = Children(Tree().m_hArtists);
    std::sort(artists.begin(), artists.end());
    EXPECT_EQ(artists, (std::vector<std::string> { "Band", "Other Band" }));

    // A new genre moves the album into that genre's music group, made for it; a second move leaves the
    // first group without it.
    Choose(page, IDC_ALBUM_GENRE, "Jazz");
    m_screen.pump();
    ASSERT_NE(Child(Tree().m_hGroups, "Jazz"), nullptr);
    EXPECT_EQ(Children(Child(Tree().m_hGroups, "Jazz")), std::vector<std::string> { "Third" });
    Choose(page, IDC_ALBUM_GENRE, "Blues-Folk");
    m_screen.pump();
    EXPECT_TRUE(Children(Child(Tree().m_hGroups, "Jazz")).empty());
    ASSERT_NE(Child(Tree().m_hGroups, "Blues-Folk"), nullptr);
    EXPECT_EQ(Children(Child(Tree().m_hGroups, "Blues-Folk")), std::vector<std::string> { "Third" });
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tGroupList WHERE QVCDID = " + std::to_string(Number("SELECT QVCDID FROM tMusicMain WHERE Title = 'Third'"))), 1);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FrameDetails, AStationMovedToANewCategoryGetsItsRadioGroupInTheTree)
{
    App().m_bRadioSupported = TRUE;
    CRadioStationInfoDlg dialog(m_frame);
    afxtest::Steps().push_back([](HWND d) {
        SetDlgItemText(d, IDC_RADIO_STATION, "Night Owl");
        SetDlgItemText(d, IDC_RADIO_CALL_SIGN, "KJZZ");
        HWND combo = GetDlgItem(d, IDC_RADIO_DLG_CATEGORY);
        SendMessage(combo, CB_SETCURSEL,
            static_cast<WPARAM>(SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Jazz"))), 0);
        SendMessage(d, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    Tree().BuildTree();
    m_screen.pump();
    ASSERT_NE(Tree().m_hRadioGroups, nullptr);
    ASSERT_EQ(Children(Tree().m_hRadioGroups), std::vector<std::string> { "Jazz" });
    Show(kindStations);
    ASSERT_EQ(Sheet().GetPage(0), &Sheet().m_stationPage);
    Sheet().SetActivePage(&Sheet().m_stationPage);

    Choose(Sheet().m_stationPage, IDC_RADIO_PAGE_CATEGORY, "Classical");
    m_screen.pump();
    EXPECT_EQ(Children(Tree().m_hRadioGroups), (std::vector<std::string> { "Jazz", "Classical" }));
    // Back to a group that exists: no second item.
    Choose(Sheet().m_stationPage, IDC_RADIO_PAGE_CATEGORY, "Jazz");
    m_screen.pump();
    EXPECT_EQ(Children(Tree().m_hRadioGroups), (std::vector<std::string> { "Jazz", "Classical" }));
    App().m_bRadioSupported = FALSE;
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FrameDetails, FilesDroppedOnTheWindowAreImportedOneByOneAndListedOnce)
{
    Show(kindAll);
    ASSERT_EQ(m_view->GetRowCount(), 0);
    const std::string first = TaggedFile("first.mp3", "Cold Water", "First");
    const std::string quoted = TaggedFile("it's \"here\".mp3", "Apple Tree", "Second");
    const std::string notes = Here("notes.txt");
    std::ofstream(mp3fixtures::HerePath("notes.txt")) << "not music\n";
    // Longer than a dropped path may be: left out, not cut to another file's name.
    const std::string tooLong = Here(std::string(300, 'x') + ".mp3");
    m_frame->DragAcceptFiles();
    CRect list;
    m_view->GetWindowRect(&list);
    platform::user::InjectDropFiles(list.CenterPoint(), { notes, first, tooLong, quoted });
    m_screen.pump();
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 2);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks WHERE TrackTitle = 'Apple Tree'"), 1);
    EXPECT_EQ(m_view->GetRowCount(), 2) << "the list is read again after the drop";
    EXPECT_TRUE(Boxes().empty());

    // With no library open a drop imports nothing and the library file is not touched.
    App().m_bLocalLibrary = TRUE; // no device to ask about
    ASSERT_TRUE(m_frame->CloseLibrary());
    ASSERT_FALSE(IsLibraryOpen());
    const std::string another = TaggedFile("another.mp3", "Blue Moon", "Third");
    platform::user::InjectDropFiles(list.CenterPoint(), { another });
    m_screen.pump();
    ASSERT_TRUE(theLibraryConnection.OpenDatabase(GetDatabasePath()));
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 2);
}
