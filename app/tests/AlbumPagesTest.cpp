// The detail sheet over track rows of a library filled by the music import: the album and track pages
// show the current row, write their edits back, keep required texts, step the track number past taken
// numbers, keep a disc's place in its set, and take a new cover file.
#include <filesystem>
#include <fstream>

#include "app/CMusicDetailInfoSheet.h"
#include "app/TuneStewardIds.h"
#include "library/AppRoutines.h"
#include "library/LibraryLocations.h"
#include "library/MusicImport.h"
#include "library/tests/support/MusicLibrary.h"
#include "platform/afx/tests/BmpFile.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/user/TestScreen.h"

using mp3fixtures::MakeMp3;

namespace {

class TrackList : public DetailSheetHost {
public:
    int GetSelectionKind() override { return TrackRows; }
    _ADORecordsetHelper* GetListRecordset() override { return &m_rows; }
    void RefreshListView() override { ++m_refreshes; }
    void RenameAlbumNodes(long, LPCTSTR oldTitle, LPCTSTR newTitle) override
    {
        m_renames.push_back(std::string(oldTitle) + " > " + newTitle);
    }
    void RefreshArtists() override { ++m_artistRefreshes; }
    void MoveAlbumToGenreGroup(long genreId, long, LPCTSTR) override { m_genreMoves.push_back(genreId); }
    void InsertRadioGroupNode(long, LPCTSTR) override { }

    _ADORecordsetHelper m_rows;
    int m_refreshes { 0 };
    int m_artistRefreshes { 0 };
    std::vector<std::string> m_renames;
    std::vector<long> m_genreMoves;
};

class AlbumPages : public MusicLibrary {
protected:
    void SetUp() override
    {
        MusicLibrary::SetUp();
        for (const char* name : { "Rock", "Jazz" }) {
            CGenre genre;
            genre.m_strGenre = name;
            genre.m_nGenreId = Number(std::string("SELECT QVGenreID FROM tLookupGenre WHERE Genre = '") + name + "'");
            App().m_genres.Add(genre);
        }
        ASSERT_TRUE(m_owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr));
    }
    void TearDown() override
    {
        if (m_sheet.m_hWnd)
            m_sheet.DestroyWindow();
        m_sheet.ReleaseBinding();
        m_list.m_rows.Release();
        m_owner.DestroyWindow();
        MusicLibrary::TearDown();
    }
    long AddTrack(const std::string& name, const std::string& tags)
    {
        MakeMp3(name, "-b 128 --add-id3v2 --ta 'The Band' --tl 'Long Player' " + tags);
        SetTags(Here(name), { { u"TCON", u"(8)Jazz" } });
        long trackId = 0;
        EXPECT_EQ(AddFileToLibrary(m_host, Here(name).c_str(), kAlbumFromTags, &trackId), 1);
        return trackId;
    }
    void ShowTracks()
    {
        ASSERT_TRUE(theLibraryConnection.ExecuteSql("qMusicTrackDetail", m_list.m_rows.ReceivePointer(), 2));
        m_sheet.SetHost(&m_list);
        ASSERT_TRUE(m_sheet.Create(&m_owner));
        m_sheet.SendMessage(WM_COMMAND, ID_DETAIL_REBIND, 0);
    }
    static std::string ControlText(CWnd& page, int id)
    {
        CString text;
        page.GetDlgItemText(id, text);
        return text.GetString();
    }
    // Presses an up-down control's arrow as the control reports it.
    static LRESULT Step(CWnd& page, int id, int delta)
    {
        NMUPDOWN change {};
        change.hdr.hwndFrom = page.GetDlgItem(id)->m_hWnd;
        change.hdr.idFrom = static_cast<UINT_PTR>(id);
        change.hdr.code = UDN_DELTAPOS;
        change.iPos = static_cast<int>(page.SendDlgItemMessage(id, UDM_GETPOS32));
        change.iDelta = delta;
        return page.SendMessage(WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&change));
    }

    platform::user::TestScreen m_screen { 640, 480 };
    CWnd m_owner;
    TrackList m_list;
    CMusicDetailInfoSheet m_sheet { "Details" };
};

} // namespace

TEST_F(AlbumPages, TrackRowsShowTheAlbumAndTrackPagesAndWriteEditsBack)
{
    AddTrack("one.mp3", "--tt First --tn 1");
    ShowTracks();
    ASSERT_EQ(m_sheet.GetPageCount(), 2);
    EXPECT_EQ(m_sheet.GetPage(0), &m_sheet.m_albumBasicPage);
    EXPECT_EQ(m_sheet.GetPage(1), &m_sheet.m_trackPage);
    CAlbumInfoBasicPage& album = m_sheet.m_albumBasicPage;
    EXPECT_EQ(ControlText(album, IDC_ALBUM_ARTIST), "The Band");
    EXPECT_EQ(ControlText(album, IDC_ALBUM_TITLE), "Long Player");
    EXPECT_EQ(ControlText(album, IDC_ALBUM_GENRE), "Jazz");
    EXPECT_FALSE(album.m_bReadOnly);

    // An emptied title comes back and nothing is written.
    album.SetDlgItemText(IDC_ALBUM_TITLE, "");
    album.OnKillFocusField();
    EXPECT_EQ(ControlText(album, IDC_ALBUM_TITLE), "Long Player");
    EXPECT_TRUE(m_list.m_renames.empty());

    SetLibraryModified(false);
    album.SetDlgItemText(IDC_ALBUM_TITLE, "Longer Player");
    album.SetDlgItemText(IDC_ALBUM_YEAR, std::string(70, '1').c_str());
    EXPECT_TRUE(IsLibraryModified());
    album.OnKillFocusField();
    EXPECT_EQ(Text("SELECT Title FROM tMusicMain"), "Longer Player");
    EXPECT_EQ(Text("SELECT [Year] FROM tMusicMain"), std::string(50, '1'));
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicMain WHERE ModifyFlag = True"), 1);
    ASSERT_EQ(m_list.m_renames.size(), 1u);
    EXPECT_EQ(m_list.m_renames[0], "Long Player > Longer Player");
    EXPECT_EQ(m_list.m_artistRefreshes, 0);
    EXPECT_EQ(m_list.m_refreshes, 1);

    CTrackInfoPage& track = m_sheet.m_trackPage;
    m_sheet.SetActivePage(&track);
    EXPECT_EQ(ControlText(track, IDC_TRACK_TITLE), "First");
    track.SetDlgItemText(IDC_TRACK_TITLE, "");
    track.OnKillFocusField();
    EXPECT_EQ(ControlText(track, IDC_TRACK_TITLE), "First");
    track.SetDlgItemText(IDC_TRACK_TITLE, "Opening");
    track.OnKillFocusField();
    EXPECT_EQ(Text("SELECT TrackTitle FROM tMusicTracks"), "Opening");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(AlbumPages, TheTrackNumberStepsPastTheAlbumsOtherTracks)
{
    for (const char* number : { "1", "2", "3" })
        AddTrack(std::string("t") + number + ".mp3", std::string("--tt T") + number + " --tn " + number);
    ShowTracks();
    CTrackInfoPage& track = m_sheet.m_trackPage;
    m_sheet.SetActivePage(&track);
    ASSERT_EQ(track.m_nTrackNumber, 1);
    EXPECT_EQ(Step(track, IDC_TRACK_NUMBER_SPIN, 1), 1);
    EXPECT_EQ(track.m_nTrackNumber, 4);
    EXPECT_EQ(ControlText(track, IDC_TRACK_NUMBER), "4");
    EXPECT_EQ(Number("SELECT TrackNumber FROM tMusicTracks WHERE TrackTitle = 'T1'"), 4);
    EXPECT_EQ(Step(track, IDC_TRACK_NUMBER_SPIN, -1), 1);
    EXPECT_EQ(track.m_nTrackNumber, 1);
}

TEST_F(AlbumPages, ADiscKeepsItsPlaceInItsSet)
{
    int total = 0, number = 0;
    NormaliseSetNumbers(total, number);
    EXPECT_EQ(total, 1);
    EXPECT_EQ(number, 1);
    total = 2;
    number = 5;
    NormaliseSetNumbers(total, number);
    EXPECT_EQ(number, 2);

    AddTrack("one.mp3", "--tt First --tn 1");
    ShowTracks();
    CAlbumInfoExtraPage& extra = m_sheet.m_albumExtraPage;
    // The sheet shows the page for no kind; here it is made to look at the rules.
    ASSERT_TRUE(extra.Create(IDD_ALBUM_EXTRA_PAGE, &m_owner));
    extra.Load(FALSE);
    EXPECT_EQ(Step(extra, IDC_ALBUM_NUMBER_SPIN, 1), 1);
    EXPECT_EQ(Step(extra, IDC_ALBUM_TOTAL_SPIN, 2), 0);
    EXPECT_EQ(Number("SELECT TotalInset FROM tMusicMain"), 3);
    extra.SendDlgItemMessage(IDC_ALBUM_TOTAL_SPIN, UDM_SETPOS32, 0, 3);
    EXPECT_EQ(Step(extra, IDC_ALBUM_NUMBER_SPIN, 2), 0);
    EXPECT_EQ(Number("SELECT NumberInSet FROM tMusicMain"), 3);
    extra.SendDlgItemMessage(IDC_ALBUM_NUMBER_SPIN, UDM_SETPOS32, 0, 3);
    // Number 3 of 3: neither a step up nor a smaller total is taken.
    EXPECT_EQ(Step(extra, IDC_ALBUM_NUMBER_SPIN, 1), 1);
    EXPECT_EQ(Step(extra, IDC_ALBUM_TOTAL_SPIN, -1), 1);
    EXPECT_EQ(Number("SELECT TotalInset FROM tMusicMain"), 3);
    extra.DestroyWindow();
}

TEST_F(AlbumPages, ANewCoverIsCopiedUnderASafeNameAndStoredRelative)
{
    AddTrack("one.mp3", "--tt First --tn 1");
    ShowTracks();
    // A picture file is known by its content, whatever its name says.
    const std::string source = Here("My Song #1.jpg");
    afxtest::WriteFile(platform::ToNativePath(source), afxtest::Bmp(8, 8));
    ASSERT_TRUE(CreateDirectory(GetCoversPath(), nullptr) || GetFileAttributes(GetCoversPath()) != INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(m_sheet.m_albumBasicPage.UseCoverFile(source.c_str()));
    EXPECT_NE(GetFileAttributes(GetCoversPath() + "My_Song_a1.jpg"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Text("SELECT CoverArt FROM tMusicMain"), std::string(MakeRelativePath(GetCoversPath() + "My_Song_a1.jpg")));
    EXPECT_STREQ(m_sheet.m_albumBasicPage.m_strCoverPath, GetCoversPath() + "My_Song_a1.jpg");
    EXPECT_TRUE(m_sheet.m_albumBasicPage.m_cover.IsBitmap());

    // A file that is no picture leaves the album as it was.
    std::ofstream(platform::ToNativePath(Here("notes.jpg"))) << "text";
    EXPECT_FALSE(m_sheet.m_albumBasicPage.UseCoverFile(Here("notes.jpg").c_str()));
    EXPECT_EQ(Text("SELECT CoverArt FROM tMusicMain"), std::string(MakeRelativePath(GetCoversPath() + "My_Song_a1.jpg")));
}
