// The album pages of the sheet docked in the main frame change what the library tree shows: a new
// title renames the album's nodes, a new artist rebuilds the artists, a new genre moves the album to
// its genre's group.
#include "app/CPelicanView.h"
#include "app/LibraryOpening.h"
#include "app/tests/LibraryTreeFixture.h"
#include "library/AppRoutines.h"
#include "platform/afx/AfxPriv.h"

using namespace tree_test;

namespace {

class DetailSheetTree : public LibraryTree {
protected:
    void SetUp() override
    {
        LibraryTree::SetUp();
        if (HasFatalFailure())
            return;
        LoadGenreTable();
        LoadMainFrame();
        m_view = new CPelicanView;
        ASSERT_TRUE(m_view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 300, 200), m_frame, AFX_IDW_PANE_FIRST));
        m_view->OnInitialUpdate();
        m_frame->SetLibraryTree(&tree);
        m_frame->ShowWindow(SW_SHOW);
        m_frame->RecalcLayout();
        screen.pump();
    }
    void TearDown() override
    {
        if (m_frame != nullptr)
            m_frame->SetLibraryTree(nullptr);
        LibraryTree::TearDown();
    }
    // Shows the album's node; its sheet brings the album page.
    CAlbumInfoBasicPage& ShowAlbum(const char* title)
    {
        const HTREEITEM item = Child(tree.m_hAlbums, title);
        EXPECT_NE(item, nullptr);
        tree.SelectItem(item);
        m_frame->ReloadViewForItem(tree, item);
        screen.pump();
        CMusicDetailInfoSheet& sheet = m_frame->m_wndDetailSheet;
        sheet.SetActivePage(&sheet.m_albumBasicPage);
        return sheet.m_albumBasicPage;
    }

    CPelicanView* m_view { nullptr };
};

} // namespace

TEST_F(DetailSheetTree, AlbumPageEditsReachTheTree)
{
    Import(u"Band", u"First", u"One");
    Import(u"Band", u"Second", u"Two");
    tree.BuildTree();
    const long second = AlbumId("Second");

    CAlbumInfoBasicPage& page = ShowAlbum("Second");
    page.SetDlgItemText(IDC_ALBUM_TITLE, "Second \"B-sides\" [live]");
    page.OnKillFocusField();
    screen.pump();
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicMain WHERE ModifyFlag = True AND Title = 'Second \"B-sides\" [live]'"), 1);
    EXPECT_EQ(Children(tree.m_hAlbums), Texts({ "First", "Second \"B-sides\" [live]" }));

    page.SetDlgItemText(IDC_ALBUM_ARTIST, "Other Band");
    page.OnKillFocusField();
    screen.pump();
    EXPECT_EQ(Sorted(Children(tree.m_hArtists)), Texts({ "Band", "Other Band" }));

    // A new genre: the album leaves its old genre's group for the new one's.
    const int rock = static_cast<int>(page.m_genre.FindStringExact(-1, "Rock"));
    ASSERT_GE(rock, 0);
    page.m_genre.SetCurSel(rock);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ALBUM_GENRE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(page.m_genre.m_hWnd));
    screen.pump();
    EXPECT_EQ(Number("SELECT QVGenreID FROM tMusicMain WHERE QVCDID = " + std::to_string(second)),
        Number("SELECT QVGenreID FROM tLookupGenre WHERE Genre = 'Rock'"));
    const HTREEITEM rockGroup = Child(tree.m_hGroups, "Rock");
    ASSERT_NE(rockGroup, nullptr);
    EXPECT_EQ(Children(rockGroup), Texts({ "Second \"B-sides\" [live]" }));
    EXPECT_TRUE(Boxes().empty());
}
