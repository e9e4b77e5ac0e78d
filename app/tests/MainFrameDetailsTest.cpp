// The detail sheet docked in the main frame over a library filled through the music import: it follows
// the list's current row, writes a page's edit into that row and the list shows it, an album's rows
// bring the album pages, and a row a synchronisation deleted leaves the pages empty.
#include <string>

#include "app/tests/MainFrameListFixture.h"
#include "library/AppRoutines.h"

namespace {

class FrameDetails : public frame_test::MainFrameList<> {
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
