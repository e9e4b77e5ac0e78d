// Drag and drop on the library tree, with synthetic drags carrying the list's and the tree's private
// formats: the effect each node offers, and what dropping list rows, nodes and disk files does to the
// library and the tree.
#include <fstream>

#include "app/CMainTreeDropTarget.h"
#include "app/tests/LibraryTreeFixture.h"
#include "library/ChangeTracking.h"
#include "library/GroupEdits.h"
#include "library/PlaylistEdits.h"
#include "platform/afx/COleDataObject.h"
#include "platform/afx/COleDataSource.h"
#include "platform/afx/CStringList.h"
#include "platform/base/GlobalMemory.h"

using namespace tree_test;

namespace {

// A main frame that also answers the import's questions, as the program's frame does.
class ImportingFrame : public CMainFrame, public RecordingImportHost { };

class TreeDrops : public LibraryTree {
protected:
    void SetUp() override
    {
        LibraryTree::SetUp();
        if (HasFatalFailure())
            return;
        LoadMainFrame(new ImportingFrame);
    }

    // A drag of the list's rows (rows) or of the tree's selected node.
    struct Drag {
        Drag(CLIPFORMAT format)
        {
            source.CacheGlobalData(format, GlobalAlloc(GHND, 2));
            data.Attach(source.GetInterface(), FALSE);
        }
        COleDataSource source;
        COleDataObject data;
    };
    CPoint At(HTREEITEM item)
    {
        tree.EnsureVisible(item);
        CRect rect;
        tree.GetCellRect(tree.RowOfItem(item), 0, rect, LVIR_LABEL);
        return rect.CenterPoint();
    }
    DROPEFFECT Over(CLIPFORMAT format, HTREEITEM item, DWORD keys = 0)
    {
        Drag drag(format);
        return target.OnDragOver(&tree, &drag.data, keys, At(item));
    }
    DROPEFFECT Drop(CLIPFORMAT format, HTREEITEM item, DWORD keys = 0)
    {
        Drag drag(format);
        const CPoint point = At(item);
        const DROPEFFECT effect = target.OnDragOver(&tree, &drag.data, keys, point);
        if (effect != DROPEFFECT_NONE) {
            EXPECT_TRUE(target.OnDrop(&tree, &drag.data, effect, point));
        }
        return effect;
    }
    CLIPFORMAT Rows() const { return m_frame->m_cfGridRecord; }
    CLIPFORMAT Node() const { return m_frame->m_cfTreeNode; }
    // Selects the node; the frame's list follows it. The list's current row is the row given.
    void Select(HTREEITEM item, long row = 0)
    {
        ASSERT_NE(item, nullptr);
        tree.SelectItem(item);
        m_frame->ReloadViewForItem(tree, item);
        m_frame->m_viewRecordset.MoveToRow(row);
    }
    long LiveEntries(long playlist)
    {
        return Number("SELECT COUNT(*) FROM tPlaylistTracks WHERE DeleteFlag <> True AND PlaylistID = " + std::to_string(playlist));
    }
    long Members(long group)
    {
        return Number("SELECT COUNT(*) FROM tGroupList WHERE DeleteFlag <> True AND GroupID = " + std::to_string(group));
    }

    CMainTreeDropTarget target;
};

} // namespace

TEST_F(TreeDrops, NodesOfferTheirEffectAndDropIntoGroupsAndPlaylists)
{
    const long one = Import(u"Band", u"First", u"One");
    Import(u"Band", u"First", u"Two");
    long a = 0, b = 0, evening = 0, morning = 0;
    ASSERT_TRUE(AddGroup("Group [A]", &a));
    ASSERT_TRUE(AddGroup("Group \"B\"", &b));
    ASSERT_TRUE(AddPlaylist("Evening", &evening));
    ASSERT_TRUE(AddPlaylist("Morning", &morning));
    ASSERT_TRUE(AddTrackToPlaylist(evening, one));
    ASSERT_TRUE(AddToGroup(a, evening, 0, 0));
    tree.BuildTree();
    const HTREEITEM groupA = Child(tree.m_hGroups, "Group [A]");
    const HTREEITEM groupB = Child(tree.m_hGroups, "Group \"B\"");
    const HTREEITEM album = Child(tree.m_hAlbums, "First");

    // An album from Albums moves by default, yet stays under Albums; a second drop adds nothing.
    Select(album);
    EXPECT_EQ(Over(Node(), album), DROPEFFECT_NONE);
    EXPECT_EQ(Over(Node(), tree.m_hAll), DROPEFFECT_NONE);
    EXPECT_EQ(Over(Node(), groupB, MK_CONTROL), DROPEFFECT_COPY);
    EXPECT_EQ(Drop(Node(), groupB), DROPEFFECT_MOVE);
    EXPECT_EQ(Drop(Node(), groupB), DROPEFFECT_MOVE);
    EXPECT_EQ(Children(groupB), Texts({ "First" }));
    EXPECT_NE(Child(tree.m_hAlbums, "First"), nullptr);
    EXPECT_EQ(Members(b), 1);

    // A playlist from one group to another: with Ctrl it stays in both, without it moves.
    Select(Child(groupA, "Evening"));
    EXPECT_EQ(Drop(Node(), groupB, MK_CONTROL), DROPEFFECT_COPY);
    EXPECT_EQ(Members(a), 1);
    Select(Child(groupA, "Evening"));
    long b2 = 0;
    ASSERT_TRUE(AddGroup("Third", &b2));
    tree.RefreshMusicGroups();
    EXPECT_EQ(Drop(Node(), Child(tree.m_hGroups, "Third")), DROPEFFECT_MOVE);
    EXPECT_EQ(Members(a), 0);
    EXPECT_TRUE(Children(Child(tree.m_hGroups, "Group [A]")).empty());
    EXPECT_EQ(Children(Child(tree.m_hGroups, "Third")), Texts({ "Evening" }));

    // A playlist on itself is refused; on another playlist it appends its tracks, as does an album.
    Select(Child(tree.m_hPlaylists, "Evening"));
    EXPECT_EQ(Over(Node(), Child(Child(tree.m_hGroups, "Third"), "Evening")), DROPEFFECT_NONE);
    EXPECT_EQ(Drop(Node(), Child(tree.m_hPlaylists, "Morning")), DROPEFFECT_COPY);
    EXPECT_EQ(LiveEntries(morning), 1);
    Select(Child(tree.m_hAlbums, "First"));
    EXPECT_EQ(Drop(Node(), Child(tree.m_hPlaylists, "Morning")), DROPEFFECT_COPY);
    EXPECT_EQ(LiveEntries(morning), 3);
    EXPECT_EQ(Number("SELECT MAX(PlayOrder) FROM tPlaylistTracks WHERE PlaylistID = " + std::to_string(morning)), 3);

    // Nothing can be dropped while the program is busy.
    App().m_bBusy = TRUE;
    EXPECT_EQ(Over(Node(), groupA), DROPEFFECT_NONE);
    App().m_bBusy = FALSE;
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(TreeDrops, TrackRowsLeaveTheirPlaylistOnlyOnceTheOtherHasThem)
{
    const long one = Import(u"Band", u"First", u"One");
    const long two = Import(u"Band", u"Second", u"Two");
    long evening = 0, morning = 0, gone = 0;
    ASSERT_TRUE(AddPlaylist("Evening", &evening));
    ASSERT_TRUE(AddPlaylist("Morning", &morning));
    ASSERT_TRUE(AddPlaylist("Gone", &gone));
    ASSERT_TRUE(AddTrackToPlaylist(evening, one));
    ASSERT_TRUE(AddTrackToPlaylist(evening, two));
    tree.BuildTree();
    const HTREEITEM eveningItem = Child(tree.m_hPlaylists, "Evening");
    const HTREEITEM morningItem = Child(tree.m_hPlaylists, "Morning");
    const HTREEITEM goneItem = Child(tree.m_hPlaylists, "Gone");

    Select(eveningItem);
    EXPECT_EQ(Over(Rows(), eveningItem), DROPEFFECT_NONE);
    EXPECT_EQ(Over(Rows(), morningItem, MK_CONTROL), DROPEFFECT_COPY);
    EXPECT_EQ(Over(Rows(), Child(tree.m_hAlbums, "Second")), DROPEFFECT_MOVE);
    EXPECT_EQ(Over(Rows(), tree.m_hAll), DROPEFFECT_NONE);

    // The playlist went behind the tree's back: the add fails and the rows stay where they were.
    theLibraryConnection.ExecuteSql(("UPDATE tPlaylists SET DeleteFlag = True WHERE PlaylistID = " + std::to_string(gone)).c_str(),
        nullptr, adCmdText);
    EXPECT_EQ(Drop(Rows(), goneItem), DROPEFFECT_MOVE);
    EXPECT_EQ(LiveEntries(evening), 2);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tPlaylistTracks WHERE PlaylistID = " + std::to_string(gone)), 0);

    Select(eveningItem, 0);
    EXPECT_EQ(Drop(Rows(), morningItem), DROPEFFECT_MOVE);
    EXPECT_EQ(LiveEntries(morning), 1);
    EXPECT_EQ(LiveEntries(evening), 1);
    EXPECT_EQ(Number("SELECT AlbumTrackID FROM tPlaylistTracks WHERE DeleteFlag <> True AND PlaylistID = " + std::to_string(morning)),
        one);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tPlaylistTracks WHERE DeleteFlag = True AND TimeStamp IS NOT NULL"), 1);

    // A track row moves to the album it is dropped on; rows of a CD album cannot.
    Select(Child(tree.m_hAlbums, "Second"));
    EXPECT_EQ(Drop(Rows(), Child(tree.m_hAlbums, "First")), DROPEFFECT_MOVE);
    EXPECT_EQ(Number("SELECT QVCDID FROM tMusicTracks WHERE AlbumTrackID = " + std::to_string(two)), AlbumId("First"));
    theLibraryConnection.ExecuteSql("UPDATE tMusicMain SET IsCD = True", nullptr, adCmdText);
    Select(Child(tree.m_hAlbums, "First"));
    EXPECT_EQ(Over(Rows(), Child(tree.m_hAlbums, "Second")), DROPEFFECT_NONE);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(TreeDrops, DiskFilesDroppedOnMusicAreImportedAndOtherFilesAreLeftAlone)
{
    tree.BuildTree();
    std::filesystem::copy_file(mp3fixtures::MakeMp3("tone.mp3", "-b 32"), std::filesystem::current_path() / "song.mp3");
    std::ofstream(std::filesystem::current_path() / "notes [draft].txt") << "not music";
    CStringList found;
    found.AddTail(Here("notes [draft].txt").c_str());
    found.AddTail(Here("song.mp3").c_str());
    ViewNode node;
    node.kind = kindSearchResults;
    node.searchMode = 1;
    node.foundFiles = &found;
    // The rows come from a disk search; the tree's selection is elsewhere than the targets.
    tree.SelectItem(tree.m_hMyComputer);
    ASSERT_TRUE(m_frame->OpenViewForNode(node));
    const auto rowOf = [&](const char* name) {
        for (long row = 0; m_frame->m_viewRecordset.MoveToRow(row); ++row)
            if (m_frame->GetCurrentFilePath().Right(static_cast<int>(strlen(name))) == name)
                return true;
        return false;
    };

    ASSERT_TRUE(rowOf("notes [draft].txt"));
    EXPECT_EQ(Over(Rows(), Child(tree.m_hMusic, "Albums")), DROPEFFECT_NONE);
    EXPECT_EQ(Drop(Rows(), tree.m_hAll), DROPEFFECT_COPY);
    EXPECT_FALSE(tree.DropRows(tree.m_hMusic, DROPEFFECT_COPY));
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 0);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::current_path() / "notes [draft].txt"));
    EXPECT_TRUE(Boxes().empty());

    ASSERT_TRUE(rowOf("song.mp3"));
    EXPECT_TRUE(tree.DropRows(tree.m_hAll, DROPEFFECT_COPY));
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 1);
}

TEST_F(TreeDrops, StationRowsJoinTheRadioGroupTheyAreDroppedOn)
{
    App().m_bRadioSupported = TRUE;
    for (const char* name : { "Night Owl", "O''Brien \"Live\"" }) {
        const std::string sql = std::string("INSERT INTO tIRadioMain (CustomerID, Station, URL) VALUES (1, '") + name
            + "', 'http://radio.example/')";
        ASSERT_TRUE(theLibraryConnection.ExecuteSql(sql.c_str(), nullptr, adCmdText));
    }
    Import(u"Band", u"First", u"One");
    long jazz = 0, talk = 0;
    ASSERT_TRUE(AddRadioGroup("Jazz [late]", &jazz));
    ASSERT_TRUE(AddRadioGroup("Talk", &talk));
    tree.BuildTree();
    App().m_bRadioSupported = FALSE;
    const HTREEITEM jazzItem = Child(tree.m_hRadioGroups, "Jazz [late]");
    const HTREEITEM talkItem = Child(tree.m_hRadioGroups, "Talk");
    ASSERT_NE(jazzItem, nullptr);
    const auto members = [](long group, const std::string& where = "") {
        return Number("SELECT COUNT(*) FROM tIRadioGroupList WHERE RadioGroupID = " + std::to_string(group) + where);
    };
    const long owl = Number("SELECT QVRadioID FROM tIRadioMain WHERE Station = 'Night Owl'");

    // Station rows copy into a group; track rows and a group dropped on itself offer nothing.
    Select(tree.m_hStations, 0);
    ASSERT_EQ(m_frame->StationIdOfRow(), owl);
    EXPECT_EQ(Over(Rows(), jazzItem, MK_CONTROL), DROPEFFECT_COPY);
    EXPECT_EQ(Drop(Rows(), jazzItem), DROPEFFECT_COPY);
    EXPECT_EQ(members(jazz, " AND QVRadioID = " + std::to_string(owl) + " AND ModifyFlag = True AND TimeStamp IS NOT NULL"), 1);
    // A station already in the group is not added twice.
    EXPECT_EQ(Drop(Rows(), jazzItem), DROPEFFECT_COPY);
    EXPECT_EQ(members(jazz), 1);

    // From one radio group to another: a move (copy with Ctrl) that leaves the station in its old group too.
    Select(jazzItem, 0);
    ASSERT_EQ(m_frame->StationIdOfRow(), owl);
    EXPECT_EQ(Over(Rows(), jazzItem), DROPEFFECT_NONE);
    EXPECT_EQ(Over(Rows(), talkItem, MK_CONTROL), DROPEFFECT_COPY);
    EXPECT_EQ(Drop(Rows(), talkItem), DROPEFFECT_MOVE);
    EXPECT_EQ(members(talk), 1);
    EXPECT_EQ(members(jazz), 1);

    // The second station, its name with quotes, from Stations.
    Select(tree.m_hStations, 1);
    EXPECT_EQ(Drop(Rows(), talkItem), DROPEFFECT_COPY);
    EXPECT_EQ(members(talk), 2);

    Select(Child(tree.m_hAlbums, "First"));
    EXPECT_EQ(Over(Rows(), jazzItem), DROPEFFECT_NONE);
    EXPECT_TRUE(Boxes().empty());
}
