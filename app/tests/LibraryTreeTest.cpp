// The library tree on a real library, made and filled through the library's own creation, import and
// edit code: what each branch shows, the menus a product leaves out, the saved expansion, refreshes
// after edits made behind the tree's back, and the drive and folder branch.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CMainTreeCtrl.h"
#include "app/TuneStewardIds.h"
#include "app/WindowHelpers.h"
#include "library/GroupEdits.h"
#include "library/LibraryEditHost.h"
#include "library/MusicImport.h"
#include "library/PlaylistEdits.h"
#include "library/RegistryRoutines.h"
#include "library/TrackEdits.h"
#include "library/tests/support/MusicLibrary.h"
#include "platform/user/TestScreen.h"

using platform::user::TestScreen;

#include "app/tests/LibraryTreeFixture.h"

using namespace tree_test;

namespace {

TEST_F(LibraryTree, EachBranchShowsTheLibraryAsStored)
{
    const std::u16string oddArtist = u"O'Brien \"Live\" & 100% [Remix]";
    const std::u16string longTitle(300, u'L');
    const long one = Import(u"Alpha", u"First", u"One");
    Import(u"Alpha", u"Second", u"Two");
    const long three = Import(oddArtist, u"Tom, Dick, Harry", longTitle);
    long playlist = 0;
    ASSERT_TRUE(AddPlaylist("Road, Trip", &playlist));
    ASSERT_TRUE(AddTrackToPlaylist(playlist, one));
    long group = 0;
    ASSERT_TRUE(AddGroup("Mix", &group));
    ASSERT_TRUE(AddToGroup(group, 0, 0, three));
    ASSERT_TRUE(AddToGroup(group, playlist, 0, 0));
    ASSERT_TRUE(AddToGroup(group, 0, AlbumId("First"), 0));

    tree.BuildTree();
    EXPECT_EQ(Children(nullptr), Texts({ "Music", "My Computer" }));
    EXPECT_EQ(tree.m_hRadio, nullptr);
    EXPECT_EQ(Children(tree.m_hMusic), Texts({ "All", "Artists", "Albums", "Groups", "Playlists" }));
    EXPECT_EQ(tree.GetSelectedItem(), tree.m_hAll);

    const std::string odd = Text("SELECT Artist FROM tMusicMain WHERE Title = 'Tom, Dick, Harry'");
    EXPECT_EQ(odd, "O'Brien \"Live\" & 100% [Remix]");
    EXPECT_EQ(Sorted(Children(tree.m_hArtists)), Sorted({ "Alpha", odd }));
    for (HTREEITEM h = tree.GetChildItem(tree.m_hArtists); h != nullptr; h = tree.GetNextSiblingItem(h))
        EXPECT_EQ(tree.GetNodeKind(h), kindArtist);

    EXPECT_EQ(Sorted(Children(tree.m_hAlbums)), Texts({ "First", "Second", "Tom, Dick, Harry" }));
    for (const char* title : { "First", "Second", "Tom, Dick, Harry" }) {
        const HTREEITEM album = Child(tree.m_hAlbums, title);
        EXPECT_EQ(tree.GetNodeKind(album), kindAlbum) << title;
        EXPECT_EQ(tree.GetNodeRecordId(album), AlbumId(title)) << title;
    }
    const HTREEITEM road = Child(tree.m_hPlaylists, "Road, Trip");
    ASSERT_NE(road, nullptr) << "a name with a comma is shown whole";
    EXPECT_EQ(tree.GetNodeRecordId(road), playlist);

    const HTREEITEM mix = Child(tree.m_hGroups, "Mix");
    ASSERT_NE(mix, nullptr);
    EXPECT_EQ(tree.GetNodeRecordId(mix), group);
    const std::string stored = Text("SELECT TrackTitle FROM tMusicTracks WHERE AlbumTrackID = " + std::to_string(three));
    EXPECT_EQ(Children(mix), Texts({ stored, "Road, Trip", "First" }));
    const HTREEITEM member = tree.GetChildItem(mix);
    EXPECT_EQ(tree.GetNodeKind(member), kindGroupTrack);
    EXPECT_EQ(tree.GetNodeRecordId(member), three);
    EXPECT_EQ(tree.GetNodeKind(tree.GetNextSiblingItem(member)), kindPlaylist);
    EXPECT_EQ(tree.GetNodeKind(Child(mix, "First")), kindAlbum);

    // Each kind with its image, the branches open, My Computer closed with its button.
    tree.Expand(tree.m_hArtists, TVE_COLLAPSE);
    screen.pump();
    EXPECT_EQ(screen.compareWithGolden(CRect(0, 0, 260, 300), TS_APP_TEST_DIR "/golden/LibraryTree.png"), "");
}

TEST_F(LibraryTree, ProductAndSettingsDecideTheBranchesAndMenus)
{
    LoadMainFrame();
    App().m_strProduct = "songvault";
    tree.BuildTree();
    EXPECT_EQ(tree.m_hMyComputer, nullptr);
    EXPECT_EQ(Children(nullptr), Texts({ "Music" }));
    CMenu* file = SubMenu("&File");
    CMenu* media = SubMenu("&Media");
    CMenu* tools = SubMenu("&Tools");
    ASSERT_TRUE(file && media && tools);
    const auto has = [](CMenu* menu, UINT id) { return FindMenuItemById(menu, id) >= 0; };
    for (UINT id : { ID_FILE_IMPORT_PLAYLIST, ID_FILE_IMPORT_MUSIC_FILE })
        EXPECT_FALSE(has(file, id)) << id;
    for (UINT id : { ID_MEDIA_CHANGE_ALBUM, ID_MEDIA_DELETE_TRACK, ID_MEDIA_ADD_STATION, ID_MEDIA_DELETE_STATION })
        EXPECT_FALSE(has(media, id)) << id;
    EXPECT_LT(FindMenuItemByText(media, "&Radio Group"), 0);
    for (UINT id : { ID_TOOLS_SEARCH_FOR_MUSIC_FILE, ID_TOOLS_ACCOUNT_MANAGEMENT })
        EXPECT_FALSE(has(tools, id)) << id;
    const UINT fileCount = file->GetMenuItemCount();
    const UINT mediaCount = media->GetMenuItemCount();
    const UINT toolsCount = tools->GetMenuItemCount();

    // A second build finds nothing more to take out.
    tree.RebuildTree();
    EXPECT_EQ(file->GetMenuItemCount(), fileCount);
    EXPECT_EQ(media->GetMenuItemCount(), mediaCount);
    EXPECT_EQ(tools->GetMenuItemCount(), toolsCount);
    EXPECT_TRUE(has(media, ID_MEDIA_RENAME_ALBUM));
    EXPECT_TRUE(has(tools, ID_TOOLS_SEARCH_LIBRARY));
    EXPECT_TRUE(has(file, 57607));

    // With radio on, the radio branch and its groups are there.
    App().m_strProduct = "Tune Steward";
    App().m_bRadioSupported = TRUE;
    long talk = 0;
    ASSERT_TRUE(AddRadioGroup("Talk", &talk));
    tree.RebuildTree();
    EXPECT_EQ(Children(nullptr), Texts({ "Music", "Radio", "My Computer" }));
    EXPECT_EQ(Children(tree.m_hRadio), Texts({ "Stations", "Groups" }));
    const HTREEITEM radioGroup = Child(tree.m_hRadioGroups, "Talk");
    ASSERT_NE(radioGroup, nullptr);
    EXPECT_EQ(tree.GetNodeKind(radioGroup), kindRadioGroup);
    EXPECT_EQ(tree.GetNodeRecordId(radioGroup), talk);
}

TEST_F(LibraryTree, ExpandedBranchesAreSavedPerLibraryAndRestored)
{
    Import(u"Alpha", u"First", u"One");
    long group = 0;
    ASSERT_TRUE(AddGroup("Mix", &group));
    ASSERT_TRUE(AddToGroup(group, 0, AlbumId("First"), 0));
    tree.BuildTree();
    const CString section = GetLibraryFolderName() + "\\TreeState";
    tree.Expand(tree.m_hAlbums, TVE_COLLAPSE);
    tree.SaveTreeState();
    EXPECT_STREQ(ReadRegistryValue("Albums", section), "C");
    EXPECT_STREQ(ReadRegistryValue("Artists", section), "E");
    EXPECT_STREQ(ReadRegistryValue("Music", section), "E");
    EXPECT_STREQ(ReadRegistryValue("Mix", section), "E");

    // A synchronisation changed the library while the tree was open: the rebuild shows the new album
    // and keeps the user's expansion.
    Import(u"Alpha", u"Second", u"Two");
    tree.RebuildTree();
    EXPECT_FALSE(Expanded(tree.m_hAlbums));
    EXPECT_TRUE(Expanded(tree.m_hArtists));
    EXPECT_EQ(Sorted(Children(tree.m_hAlbums)), Texts({ "First", "Second" }));

    // A value written in lower case counts the same; a group keeps its own state.
    ASSERT_TRUE(WriteRegistryValue("c", "Artists", section));
    ASSERT_TRUE(WriteRegistryValue("C", "Mix", section));
    tree.DeleteAllNodes();
    tree.BuildTree();
    EXPECT_FALSE(Expanded(tree.m_hArtists));
    EXPECT_FALSE(Expanded(Child(tree.m_hGroups, "Mix")));
    EXPECT_TRUE(Expanded(tree.m_hGroups));
}

TEST_F(LibraryTree, RefreshesFollowEditsMadeBehindTheTree)
{
    Import(u"Alpha", u"First", u"One");
    Import(u"Beta", u"Second", u"Two");
    long mix = 0;
    ASSERT_TRUE(AddGroup("Mix", &mix));
    ASSERT_TRUE(AddToGroup(mix, 0, AlbumId("First"), 0));
    tree.BuildTree();

    // Groups: renamed in place with children and expansion kept; a new one in sorted place, empty.
    HTREEITEM mixItem = Child(tree.m_hGroups, "Mix");
    EXPECT_TRUE(Expanded(mixItem));
    ASSERT_TRUE(RenameGroup("Mix", "Blend"));
    ASSERT_TRUE(AddGroup("Ambient"));
    tree.SelectItem(tree.m_hGroups);
    EXPECT_TRUE(tree.RefreshSelectedNode());
    EXPECT_EQ(Children(tree.m_hGroups), Texts({ "Ambient", "Blend" }));
    EXPECT_EQ(Child(tree.m_hGroups, "Blend"), mixItem);
    EXPECT_EQ(Children(mixItem), Texts({ "First" }));
    EXPECT_TRUE(Expanded(mixItem));
    EXPECT_EQ(Children(Child(tree.m_hGroups, "Ambient")), Texts());

    // A music group merges its members: an album added elsewhere appears.
    ASSERT_TRUE(AddToGroup(mix, 0, AlbumId("Second"), 0));
    tree.SelectItem(mixItem);
    EXPECT_TRUE(tree.RefreshSelectedNode());
    EXPECT_EQ(Sorted(Children(mixItem)), Texts({ "First", "Second" }));

    // Albums: a new album appears and the selected one is selected again.
    tree.SelectItem(Child(tree.m_hAlbums, "Second"));
    Import(u"Alpha", u"Third", u"Three");
    EXPECT_TRUE(tree.RefreshCategory(kindAlbums));
    EXPECT_EQ(Sorted(Children(tree.m_hAlbums)), Texts({ "First", "Second", "Third" }));
    EXPECT_EQ(Label(tree.GetSelectedItem()), "Second");
    EXPECT_EQ(tree.GetParentItem(tree.GetSelectedItem()), tree.m_hAlbums);

    // Artists: the selected artist renamed away gives the selection to the artist after it.
    const HTREEITEM alpha = Child(tree.m_hArtists, "Alpha");
    const HTREEITEM after = tree.GetNextSiblingItem(alpha) ? tree.GetNextSiblingItem(alpha) : nullptr;
    const std::string next = after ? Label(after) : "";
    tree.SelectItem(alpha);
    ASSERT_TRUE(RenameArtist("Alpha", "Zed"));
    EXPECT_TRUE(tree.RefreshCategory(kindArtists));
    EXPECT_EQ(Sorted(Children(tree.m_hArtists)), Texts({ "Beta", "Zed" }));
    if (!next.empty()) {
        EXPECT_EQ(Label(tree.GetSelectedItem()), next);
    }

    // One artist node whose artist is gone leaves the tree.
    ASSERT_TRUE(RenameArtist("Beta", "Gamma"));
    EXPECT_EQ(tree.RefreshArtistNode(Child(tree.m_hArtists, "Beta")), CMainTreeCtrl::refreshDeleted);
    EXPECT_EQ(tree.RefreshArtistNode(Child(tree.m_hArtists, "Zed")), CMainTreeCtrl::refreshUnchanged);
    EXPECT_FALSE(tree.RefreshCategory(kindMusicGroup));
}

TEST_F(LibraryTree, GroupMembersAreCheckedByMemberThenGroup)
{
    // Ids chosen apart: the group is 2, the track 3 and the playlist 3.
    Import(u"Alpha", u"First", u"One");
    Import(u"Alpha", u"First", u"Two");
    const long three = Import(u"Alpha", u"First", u"Three");
    ASSERT_TRUE(AddGroup("Spare"));
    long group = 0;
    ASSERT_TRUE(AddGroup("Mix", &group));
    long playlist = 0;
    for (const char* name : { "P1", "P2", "P3" })
        ASSERT_TRUE(AddPlaylist(name, &playlist));
    ASSERT_NE(group, three);
    ASSERT_NE(group, playlist);
    ASSERT_TRUE(AddToGroup(group, 0, 0, three));
    ASSERT_TRUE(AddToGroup(group, playlist, 0, 0));
    ASSERT_TRUE(AddToGroup(group, 0, AlbumId("First"), 0));
    tree.BuildTree();
    const HTREEITEM mix = Child(tree.m_hGroups, "Mix");
    const HTREEITEM track = Child(mix, "Three");
    const HTREEITEM list = Child(mix, "P3");
    const HTREEITEM album = Child(mix, "First");
    ASSERT_TRUE(track && list && album);

    EXPECT_EQ(tree.RefreshGroupTrackNode(track), CMainTreeCtrl::refreshUnchanged);
    EXPECT_EQ(tree.RefreshPlaylistNode(list), CMainTreeCtrl::refreshUnchanged);
    EXPECT_EQ(tree.RefreshAlbumNode(album), CMainTreeCtrl::refreshUnchanged);
    tree.SelectItem(track);
    EXPECT_TRUE(tree.RefreshSelectedNode());
    EXPECT_EQ(Child(mix, "Three"), track);

    // The track deleted from the library leaves the group.
    ASSERT_TRUE(DeleteTrackFromLibrary(m_edits, three, false));
    EXPECT_EQ(tree.RefreshGroupTrackNode(track), CMainTreeCtrl::refreshDeleted);
    EXPECT_EQ(Children(mix), Texts({ "P3", "First" }));
}

TEST_F(LibraryTree, AnAlbumStaysWhenItsQueryFailsAndGoesWhenItHasNoRow)
{
    Import(u"Alpha", u"First", u"One");
    Import(u"Alpha", u"Second", u"Two");
    tree.BuildTree();
    const HTREEITEM first = Child(tree.m_hAlbums, "First");
    const HTREEITEM second = Child(tree.m_hAlbums, "Second");

    theLibraryConnection.Close();
    EXPECT_EQ(tree.RefreshAlbumNode(first), CMainTreeCtrl::refreshFailed);
    EXPECT_EQ(Child(tree.m_hAlbums, "First"), first);
    ASSERT_TRUE(theLibraryConnection.OpenDatabase(GetDatabasePath()));

    tree.SetNodeRecordId(second, 99999);
    tree.SelectItem(second);
    EXPECT_TRUE(tree.RefreshSelectedNode());
    EXPECT_EQ(Children(tree.m_hAlbums), Texts({ "First" }));
    EXPECT_NE(tree.GetSelectedItem(), nullptr);
}

TEST_F(LibraryTree, AMergeOfRowsSharingAnIdUnderTwoNamesEnds)
{
    long group = 0;
    ASSERT_TRUE(AddGroup("Mix", &group));
    tree.BuildTree();
    const std::string sql = "SELECT 'Jazz' AS GroupName, " + std::to_string(group) + " AS GroupID UNION ALL SELECT 'Blues', "
        + std::to_string(group);
    _ADORecordsetHelper rows;
    ASSERT_TRUE(theLibraryConnection.ExecuteSql(sql.c_str(), rows.ReceivePointer(), adCmdText));
    EXPECT_TRUE(tree.MergeChildren(tree.m_hGroups, kindMusicGroup, rows.Get()));
    EXPECT_EQ(Sorted(Children(tree.m_hGroups)), Texts({ "Blues", "Jazz" }));
}

TEST_F(LibraryTree, DriveFoldersHaveNodesOfTheirOwnAndAResetReadsThemAgain)
{
    tree.BuildTree();
    ASSERT_NE(tree.m_hMyComputer, nullptr);
    const HTREEITEM drive = Child(tree.m_hMyComputer, "z:");
    ASSERT_NE(drive, nullptr) << "the root of the file system is drive z:";
    EXPECT_EQ(tree.GetNodeKind(drive), kindFixedDrive);
    EXPECT_TRUE(tree.GetItemChildrenFlag(drive));
    EXPECT_FALSE(Expanded(tree.m_hMyComputer));

    // A drive that sorts before z: holding a folder named like the drive letter.
    const HTREEITEM other = tree.InsertNode("a:", tree.m_hMyComputer, TVI_FIRST, kindFixedDrive, 0);
    const HTREEITEM namesake = tree.InsertNode("z", other, TVI_LAST, kindFolder, 0);
    tree.InsertNode("inner", namesake, TVI_LAST, kindFolder, 0);

    tree.Expand(drive, TVE_EXPAND);
    std::set<LPARAM> nodes;
    int count = 0;
    for (HTREEITEM h = tree.GetChildItem(drive); h != nullptr; h = tree.GetNextSiblingItem(h), ++count) {
        nodes.insert(tree.GetItemData(h));
        EXPECT_EQ(tree.GetNodeKind(h), kindFolder);
    }
    ASSERT_GT(count, 1);
    EXPECT_EQ(static_cast<int>(nodes.size()), count) << "one node per folder";

    // The reset deletes the folders one by one (each frees its own node) and leaves the namesake alone.
    tree.SelectItem(tree.GetChildItem(drive));
    tree.ResetDriveNode("z");
    EXPECT_EQ(tree.GetChildItem(drive), nullptr);
    EXPECT_EQ(Children(namesake), Texts({ "inner" }));
    EXPECT_NE(tree.GetSelectedItem(), nullptr);
    tree.Expand(drive, TVE_EXPAND);
    EXPECT_NE(tree.GetChildItem(drive), nullptr);
    EXPECT_TRUE(Expanded(drive));

    // A folder without subfolders loses its button when it is expanded.
    const HTREEITEM leaf = tree.InsertNode("leaf", drive, TVI_LAST, kindFolder, 0);
    EXPECT_TRUE(tree.GetItemChildrenFlag(leaf));
    tree.Expand(leaf, TVE_EXPAND);
    EXPECT_FALSE(tree.GetItemChildrenFlag(leaf));
}

} // namespace
