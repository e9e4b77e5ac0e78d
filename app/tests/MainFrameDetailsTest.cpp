// The detail sheet docked in the main frame over a library filled through the music import: it follows
// the list's current row, writes a page's edit into that row and the list shows it, an album's rows
// bring the album pages, and a row a synchronisation deleted leaves the pages empty.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "app/CMainFrame.h"
#include "app/CPelicanView.h"
#include "app/TreeNodeKind.h"
#include "app/TuneStewardIds.h"
#include "library/AppRoutines.h"
#include "library/MusicImport.h"
#include "library/tests/support/MusicLibrary.h"
#include "platform/afx/AfxPriv.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/user/TestScreen.h"

namespace {

class FrameDetails : public MusicLibrary {
protected:
    void SetUp() override
    {
        MusicLibrary::SetUp();
        m_frame = new CMainFrame;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        App().m_pMainWnd = m_frame;
        m_view = new CPelicanView;
        ASSERT_TRUE(m_view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 600, 400), m_frame, AFX_IDW_PANE_FIRST));
        m_view->OnInitialUpdate();
        m_frame->ShowWindow(SW_SHOW);
        m_frame->RecalcLayout();
        m_screen.pump();
        ASSERT_NE(m_frame->m_wndDetailSheet.m_hWnd, nullptr);
        ASSERT_EQ(m_frame->m_wndDetailSheet.Host(), &m_frame->m_detailHost);
    }
    void TearDown() override
    {
        if (::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        m_screen.pump();
        MusicLibrary::TearDown();
    }

    long Import(const char* title, const char* album)
    {
        const std::string tone = mp3fixtures::MakeMp3("tone.mp3", "-b 32 --add-id3v2 --tt x");
        const std::string name = "track" + std::to_string(m_imported++) + ".mp3";
        std::filesystem::copy_file(tone, mp3fixtures::HerePath(name));
        SetTags(Here(name), { { u"TIT2", Utf16(title) }, { u"TPE1", u"Band" }, { u"TALB", Utf16(album) } });
        long id = 0;
        EXPECT_EQ(AddFileToLibrary(m_host, Here(name).c_str(), kAlbumFromTags, &id), 1);
        return id;
    }
    static std::u16string Utf16(const char* text) { return std::u16string(text, text + std::strlen(text)); }

    void Show(int kind, const char* text = "", long recordId = 0)
    {
        ViewNode node;
        node.kind = kind;
        node.text = text;
        node.recordId = recordId;
        m_frame->ReloadView(node);
        m_screen.pump();
    }
    // A click on the row's text, as the list reports it to the frame.
    void Click(int row)
    {
        NMITEMACTIVATE notify;
        notify.hdr.hwndFrom = m_view->m_hWnd;
        notify.hdr.idFrom = AFX_IDW_PANE_FIRST;
        notify.hdr.code = NM_CLICK;
        notify.iItem = row;
        notify.iSubItem = 1;
        notify.ptAction = POINT { 200, 0 };
        m_frame->SendMessage(WM_NOTIFY, AFX_IDW_PANE_FIRST, reinterpret_cast<LPARAM>(&notify));
        m_screen.pump();
    }
    int TrackColumn() const
    {
        const HWND header = reinterpret_cast<HWND>(m_view->SendMessage(LVM_GETHEADER));
        const int count = static_cast<int>(::SendMessage(header, HDM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[256] {};
            HDITEM item;
            item.mask = HDI_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            ::SendMessage(header, HDM_GETITEM, i, reinterpret_cast<LPARAM>(&item));
            if (std::string(text) == "Track")
                return i;
        }
        return -1;
    }
    std::string Cell(int row) { return m_view->GetCellText(row, TrackColumn()).GetString(); }
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

    platform::user::TestScreen m_screen { 1024, 768 };
    CMainFrame* m_frame { nullptr };
    CPelicanView* m_view { nullptr };
    int m_imported { 0 };
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
