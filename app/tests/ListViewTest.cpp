// The record list on a real library filled through the import and edit code: each node kind's columns
// and rows, sorting by a column, tags and the walk over them, row drags, sources that fail, and its
// print preview.
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/CMainTreeCtrl.h"
#include "app/tests/MainFrameListFixture.h"
#include "library/GroupEdits.h"
#include "library/LibraryLocations.h"
#include "library/PlaylistEdits.h"
#include "library/RegistryRoutines.h"
#include "platform/afx/CDialogBar.h"
#include "platform/afx/CPreviewView.h"
#include "platform/afx/tests/PreviewLayout.h"

namespace {

// A list view whose drags are recorded instead of run.
class DragRecordingView : public CPelicanView {
public:
    CLIPFORMAT draggedFormat { 0 };
    DROPEFFECT draggedEffects { DROPEFFECT_NONE };
    int drags { 0 };

protected:
    DROPEFFECT DoDragRows(CLIPFORMAT format, DROPEFFECT effects) override
    {
        draggedFormat = format;
        draggedEffects = effects;
        ++drags;
        return DROPEFFECT_NONE;
    }
};

struct Track {
    const char* title;
    const char* artist;
    const char* album;
};

class ListView : public frame_test::MainFrameList<CMainFrame, DragRecordingView> {
protected:
    // Imports one file a track, each a copy of one tone with its own tags.
    void Import(const std::vector<Track>& tracks)
    {
        for (const Track& track : tracks)
            m_trackIds[track.title] = ImportTrack(Utf16(track.title), Utf16(track.artist), Utf16(track.album));
    }

    // The captions of the shown columns, in order.
    std::vector<std::string> ShownColumns() const
    {
        std::vector<std::string> shown;
        for (const auto& [caption, width] : Headings())
            if (width > 0)
                shown.push_back(caption);
        return shown;
    }
    std::vector<std::string> Column(const std::string& caption) const
    {
        std::vector<std::string> texts;
        const int column = ColumnOf(caption);
        for (int row = 0; row < Rows(); ++row)
            texts.push_back(Cell(row, column));
        return texts;
    }

    std::map<std::string, long> m_trackIds;
};

const std::vector<Track> kTracks = {
    { "Cold Water", "Band A", "First" },
    { "Apple Tree", "Band A", "First" },
    { "Blue Moon", "Band B", "Second" },
};

} // namespace

TEST_F(ListView, EachNodeKindShowsItsColumnsAndRows)
{
    Import(kTracks);
    long playlist = 0;
    ASSERT_TRUE(AddPlaylist("Evening", &playlist));
    ASSERT_TRUE(AddTrackToPlaylist(playlist, m_trackIds["Blue Moon"]));
    long group = 0;
    ASSERT_TRUE(AddGroup("Favourites", &group));
    const long second = Number("SELECT QVCDID FROM tMusicMain WHERE Title = 'Second'");
    ASSERT_TRUE(AddToGroup(group, 0, second, 0));

    struct Case {
        ViewNode node;
        int rows;
        const char* column;
        std::vector<std::string> texts;
    } cases[] = {
        { Node(kindAll), 3, "Track", { "Cold Water", "Apple Tree", "Blue Moon" } },
        { Node(kindArtists), 2, "Artist", { "Band A", "Band B" } },
        { Node(kindAlbums), 2, "Album Title", { "First", "Second" } },
        { Node(kindArtist, "Band A"), 2, "Track", { "Cold Water", "Apple Tree" } },
        { Node(kindAlbum, "Second", second), 1, "Track", { "Blue Moon" } },
        { Node(kindPlaylists), 1, "PlaylistName", { "Evening" } },
        { Node(kindPlaylist, "Evening"), 1, "Track", { "Blue Moon" } },
        { Node(kindMusicGroups), 1, "GroupName", { "Favourites" } },
        { Node(kindMusicGroup, "Favourites", group), 1, "Album Title", { "Second" } },
        { Node(kindStations), 0, nullptr, {} },
        { Node(kindFolder, "", 0), 4, "File Name", { "tone.mp3", "track0.mp3", "track1.mp3", "track2.mp3" } },
    };
    cases[10].node.folder = (m_folder + "\\").c_str();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node.kind);
        Show(c.node);
        EXPECT_EQ(Rows(), c.rows);
        EXPECT_EQ(m_view->IsEmpty(), c.rows == 0);
        if (c.column) {
            EXPECT_EQ(Column(c.column), c.texts);
            // Ids, flags and computed columns are never shown.
            const std::vector<std::string> shown = ShownColumns();
            for (const char* hidden : { "AlbumTrackID", "QVCDID", "ModifyFlag", "Expr1000", "Expr1001" })
                EXPECT_EQ(std::count(shown.begin(), shown.end(), hidden), 0) << hidden;
        }
    }
    // A branch with nothing to list clears the list.
    Show(Node(kindMusic));
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(ShownColumns().size(), 0u);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ListView, TheSelectedTreeItemDecidesTheRows)
{
    Import(kTracks);
    DeleteRegistryKey(GetLibraryFolderName() + "\\TreeState");
    CMainTreeCtrl tree(m_frame);
    ASSERT_TRUE(tree.Create(m_frame, CRect(0, 0, 200, 400)));
    tree.BuildTree();
    struct Case {
        HTREEITEM item;
        int rows;
        int selection;
    } cases[] = {
        { tree.m_hAll, 3, selectionTracks },
        { tree.FindChildItem(tree.m_hArtists, "Band B"), 1, selectionTracks },
        { tree.FindChildItem(tree.m_hAlbums, "First"), 2, selectionTracks },
        { tree.m_hAlbums, 2, selectionAlbums },
        { tree.m_hMusic, 0, selectionNone },
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.item, nullptr);
        SCOPED_TRACE(std::string(tree.GetItemText(c.item, 0)));
        m_frame->ReloadViewForItem(tree, c.item);
        EXPECT_EQ(Rows(), c.rows);
        EXPECT_EQ(m_frame->GetSelectionKind(), c.selection);
    }
    tree.DestroyWindow();
}

TEST_F(ListView, OptionalColumnsFollowTheLayoutSettingsExactly)
{
    Import(kTracks);
    WriteRegistryValue("t", "Year", "GridViews");
    WriteRegistryValue("f", "TrackNumber", "GridViews");
    FieldDisplayMap lower;
    lower.Fill();
    EXPECT_FALSE(lower.ColumnFor("Year").shown);
    EXPECT_TRUE(lower.ColumnFor("TrackNumber").shown);
    EXPECT_EQ(lower.ColumnFor("TrackNumber").caption, "Track Number");
    EXPECT_FALSE(lower.ColumnFor("Expr1001").shown);
    EXPECT_EQ(lower.ColumnFor("Unmapped").caption, "Unmapped");

    WriteRegistryValue("T", "Year", "GridViews");
    WriteRegistryValue("F", "TrackNumber", "GridViews");
    FieldDisplayMap exact;
    exact.Fill();
    EXPECT_TRUE(exact.ColumnFor("Year").shown);
    EXPECT_EQ(exact.ColumnFor("Year").caption, "Release Year");
    EXPECT_FALSE(exact.ColumnFor("TrackNumber").shown);
    DeleteRegistryValue("Year", "GridViews");
    DeleteRegistryValue("TrackNumber", "GridViews");
}

TEST_F(ListView, AColumnClickSortsByItsFieldAndAnotherNodeForgetsTheOrder)
{
    Import(kTracks);
    Show(Node(kindAll));
    const std::vector<std::string> unsorted = Column("Track");
    Notify(LVN_COLUMNCLICK, -1, ColumnOf("Track"));
    EXPECT_EQ(Column("Track"), (std::vector<std::string> { "Apple Tree", "Blue Moon", "Cold Water" }));
    EXPECT_EQ(m_view->GetCurrentRow(), 0);
    EXPECT_EQ(m_frame->GetCurrentTrackTitle(), "Apple Tree");

    Show(Node(kindArtist, "Band A"));
    Show(Node(kindAll));
    EXPECT_EQ(Column("Track"), unsorted);
}

TEST_F(ListView, TagAllTagsEveryRowAndTheTaggedTracksGoToAPlaylistOnceEach)
{
    std::vector<Track> tracks;
    std::vector<std::string> titles;
    for (int i = 0; i < 17; ++i)
        titles.push_back("Song " + std::to_string(100 + i));
    for (const std::string& title : titles)
        tracks.push_back({ title.c_str(), "Band", "Many" });
    Import(tracks);
    Show(Node(kindAll));
    ASSERT_EQ(Rows(), 17);
    ASSERT_TRUE(m_view->AreTagsOn());

    m_frame->SendMessage(WM_COMMAND, ID_TAGS_SET_ALL);
    EXPECT_EQ(m_view->GetTagCount(), 17);
    for (int row = 0; row < 17; ++row) {
        LVITEM item;
        item.mask = LVIF_STATE;
        item.iItem = row;
        item.stateMask = LVIS_STATEIMAGEMASK;
        m_view->SendMessage(LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(item.state & LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(2)) << row;
    }

    // Every tagged track once: the bits past the 17th row are no rows.
    long playlist = 0;
    ASSERT_TRUE(AddPlaylist("All of them", &playlist));
    std::vector<long> added;
    for (long id = m_frame->GetFirstTaggedId("AlbumTrackID"); id != -1; id = m_frame->GetNextTaggedId("AlbumTrackID")) {
        ASSERT_TRUE(AddTrackToPlaylist(playlist, id));
        added.push_back(id);
    }
    EXPECT_EQ(added.size(), 17u);
    EXPECT_EQ(std::set<long>(added.begin(), added.end()).size(), 17u);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tPlaylistTracks WHERE PlaylistID = " + std::to_string(playlist)), 17);

    m_frame->SendMessage(WM_COMMAND, ID_TAGS_CLEAR_ALL);
    EXPECT_EQ(m_view->GetTagCount(), 0);
    EXPECT_EQ(m_frame->GetFirstTaggedId("AlbumTrackID"), -1);
}

TEST_F(ListView, AClickOnTheTagBoxOnlyTagsAndAClickOnTheRowMakesItCurrent)
{
    Import(kTracks);
    Show(Node(kindAll));
    const int rebinds = m_frame->m_nRebindsPosted;
    Notify(NM_CLICK, 2, 0, POINT { 2, 0 });
    EXPECT_EQ(m_view->GetTagCount(), 1);
    EXPECT_TRUE(m_view->IsRowTagged(2));
    EXPECT_EQ(m_view->GetCurrentRow(), 0);
    EXPECT_EQ(m_frame->m_nRebindsPosted, rebinds);

    Notify(NM_CLICK, 1, 1, POINT { 200, 0 });
    EXPECT_EQ(m_view->GetCurrentRow(), 1);
    EXPECT_EQ(m_frame->m_nRebindsPosted, rebinds + 1);
    EXPECT_EQ(m_frame->m_nRebindRow, 1);
    EXPECT_EQ(std::string(m_frame->GetCurrentTrackTitle()), Cell(1, ColumnOf("Track")));
    // The same row again asks nothing more of the detail sheet.
    Notify(NM_CLICK, 1, 1, POINT { 200, 0 });
    EXPECT_EQ(m_frame->m_nRebindsPosted, rebinds + 1);
}

TEST_F(ListView, ADraggedRowBecomesCurrentAndOffersTheRowFormatWithTheNodesEffects)
{
    Import(kTracks);
    const long first = Number("SELECT QVCDID FROM tMusicMain WHERE Title = 'First'");
    Show(Node(kindAlbum, "First", first));
    Notify(LVN_BEGINDRAG, 1);
    EXPECT_EQ(m_view->drags, 1);
    EXPECT_EQ(m_view->draggedFormat, m_frame->m_cfGridRecord);
    EXPECT_EQ(m_view->draggedEffects, static_cast<DROPEFFECT>(DROPEFFECT_MOVE | DROPEFFECT_COPY));
    EXPECT_EQ(m_frame->GetCurrentAlbumTrackId(), m_trackIds[Cell(1, ColumnOf("Track"))]);

    Show(Node(kindAll));
    Notify(LVN_BEGINDRAG, 2);
    EXPECT_EQ(m_view->draggedEffects, static_cast<DROPEFFECT>(DROPEFFECT_COPY));
    EXPECT_EQ(m_frame->GetCurrentAlbumTrackId(), m_trackIds[Cell(2, ColumnOf("Track"))]);

    // Albums are not dragged out of the list.
    Show(Node(kindAlbums));
    Notify(LVN_BEGINDRAG, 0);
    EXPECT_EQ(m_view->drags, 2);
}

TEST_F(ListView, ASourceThatGoesAwayLeavesEmptyTextsAndAClosedLibraryAnEmptyList)
{
    Import(kTracks);
    Show(Node(kindAll));
    ASSERT_EQ(Rows(), 3);
    // The record set closes under the list while it scrolls: rows it no longer gives are empty, and
    // a click or a sort on it changes nothing.
    m_frame->m_viewRecordset.Get()->Close();
    EXPECT_EQ(m_view->GetCellText(5, ColumnOf("Track")), "");
    m_view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    m_view->Invalidate();
    m_screen.pump();
    Notify(NM_CLICK, 2, 1, POINT { 200, 0 });
    EXPECT_EQ(m_view->GetCurrentRow(), 0);

    Show(Node(kindAll));
    ASSERT_EQ(Rows(), 3);
    ASSERT_TRUE(m_frame->CloseLibrary());
    EXPECT_EQ(Rows(), 0);
    EXPECT_TRUE(m_view->IsEmpty());
    Notify(NM_CLICK, 1, 1, POINT { 200, 0 });
    Notify(LVN_BEGINDRAG, 1);
    EXPECT_EQ(m_view->drags, 0);
    m_view->Invalidate();
    m_screen.pump();
}

TEST_F(ListView, AnEmptySourceShowsTheEmptyListText)
{
    Show(Node(kindAll));
    EXPECT_TRUE(m_view->IsEmpty());
    m_view->Invalidate();
    m_screen.pump();
    CRect list;
    m_view->GetWindowRect(&list);
    EXPECT_EQ(m_screen.compareWithGolden(list, TS_APP_TEST_DIR "/golden/EmptyList.png"), "");
}

TEST_F(ListView, TypicalTitlesArtistsAndAlbumsShowInFull)
{
    Import({ { "The Winding Road Home", "Ella and the Lights", "Songs from the Harbour" },
        { "Blue Moon", "Band B", "Second" } });
    Show(Node(kindAll));
    ASSERT_EQ(Rows(), 2);
    m_view->Invalidate();
    m_screen.pump();
    CRect list;
    m_view->GetWindowRect(&list);
    EXPECT_EQ(m_screen.compareWithGolden(list, TS_APP_TEST_DIR "/golden/TrackList.png"), "");
}

TEST_F(ListView, ResizingAColumnKeepsHiddenOnesHiddenAndRefreshesThroughTheFrame)
{
    Import(kTracks);
    Show(Node(kindAll));
    const HWND header = reinterpret_cast<HWND>(m_view->SendMessage(LVM_GETHEADER));
    const auto changing = [&](int column, int width) {
        HDITEM item;
        item.mask = HDI_WIDTH;
        item.cxy = width;
        NMHEADER notify;
        notify.hdr.hwndFrom = header;
        notify.hdr.code = HDN_ITEMCHANGING;
        notify.iItem = column;
        notify.pitem = &item;
        m_view->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
        return item.cxy;
    };
    EXPECT_EQ(changing(ColumnOf(""), 80), 0);
    EXPECT_EQ(changing(ColumnOf("Track"), 3), 10);
    EXPECT_EQ(changing(ColumnOf("Track"), 120), 120);

    // The end of a resize asks the frame for View / Refresh, which reads the list again.
    const int rebinds = m_frame->m_nRebindsPosted;
    NMHEADER end;
    end.hdr.hwndFrom = header;
    end.hdr.code = HDN_ENDTRACK;
    m_view->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&end));
    m_screen.pump();
    EXPECT_EQ(m_frame->m_nRebindsPosted, rebinds + 1);
    EXPECT_EQ(Rows(), 3);
}

TEST_F(ListView, ThePrintPreviewShowsTheListsPageUnderItsBarAndClosesBackToTheList)
{
    Import(kTracks);
    Show(Node(kindAll));
    CRect listBefore;
    m_view->GetWindowRect(&listBefore);
    // File / Print Preview reaches the list as the frame's active view, as in the program.
    m_frame->SetActiveView(m_view);
    m_frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    m_screen.pump();
    auto* preview = dynamic_cast<CPreviewView*>(m_frame->GetActiveView());
    ASSERT_NE(preview, nullptr);
    // The program's resources carry the preview's bar. Bar and pages have the whole client area: the
    // docked tree, search and detail sheet make room for them.
    CDialogBar* bar = preview->GetToolBar();
    ASSERT_NE(bar, nullptr);
    const HWND barWnd = bar->m_hWnd;
    const afxtest::PreviewLayout layout = afxtest::MeasurePreview(*m_frame, *preview);
    EXPECT_EQ(layout.bar.TopLeft(), layout.client.TopLeft());
    EXPECT_EQ(layout.bar.Width(), layout.client.Width());
    EXPECT_EQ(layout.pages, CRect(layout.client.left, layout.bar.bottom, layout.client.right, layout.client.bottom));
    EXPECT_FALSE(m_view->IsWindowVisible());
    // The page the list prints on, landscape; three tracks fill one: nothing before or after it.
    EXPECT_GT(preview->GetPageRect().Width(), preview->GetPageRect().Height());
    EXPECT_EQ(preview->GetPageCount(), 1u);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(barWnd, AFX_ID_PREVIEW_NEXT)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(barWnd, AFX_ID_PREVIEW_PREV)));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(barWnd, AFX_ID_PREVIEW_PRINT)));

    CRect close;
    ::GetWindowRect(::GetDlgItem(barWnd, AFX_ID_PREVIEW_CLOSE), &close);
    m_screen.click(close.CenterPoint().x, close.CenterPoint().y);
    EXPECT_FALSE(::IsWindow(barWnd));
    EXPECT_EQ(m_frame->GetActiveView(), m_view);
    EXPECT_TRUE(m_view->IsWindowVisible());
    CRect listAfter;
    m_view->GetWindowRect(&listAfter);
    EXPECT_EQ(listAfter, listBefore);
}
