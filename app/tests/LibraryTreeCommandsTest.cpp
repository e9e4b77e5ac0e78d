// The library tree's commands on a real library: label edits that name new groups and playlists and
// rename objects, the delete commands with their confirmation, taking members out of groups with the
// genre that follows, the arrow-key rule and the update of the context menus.
#include "app/CGenericConfirmationDlg.h"
#include "app/LibraryOpening.h"
#include "app/tests/LibraryTreeFixture.h"
#include "library/AppRoutines.h"
#include "library/GroupEdits.h"
#include "library/PlaylistEdits.h"
#include "platform/afx/CMenu.h"
#include "platform/user/Input.h"
#include "toolkit/controls/SECListEdit.h"

using namespace tree_test;
using afxtest::Steps;

namespace {

class TreeCommands : public LibraryTree {
protected:
    void SetUp() override
    {
        LibraryTree::SetUp();
        if (HasFatalFailure())
            return;
        LoadGenreTable();
        for (BOOL& confirm : App().m_bConfirmDelete)
            confirm = FALSE;
    }

    // Opens the label's edit on the item, types the text and ends the edit (Enter, or Escape for null).
    void EditTo(HTREEITEM item, const char* text)
    {
        tree.EnsureVisible(item);
        ASSERT_NE(tree.EditLabel(item, 0), nullptr);
        Finish(text);
    }
    // Ends the edit that a command opened.
    void Finish(const char* text)
    {
        SECListEdit* edit = tree.GetEditControl();
        ASSERT_TRUE(edit != nullptr && edit->m_hWnd != nullptr);
        if (text != nullptr)
            edit->SetWindowText(text);
        tree.EndLabelEdit(text != nullptr);
    }
    void Command(UINT id) { tree.SendMessage(WM_COMMAND, id); }
    static std::string ControlText(HWND dialog, int id)
    {
        char text[512] {};
        GetDlgItemText(dialog, id, text, sizeof text);
        return text;
    }
    static std::string Quoted(const std::string& text)
    {
        std::string quoted;
        for (char c : text)
            quoted += c == '\'' ? std::string("''") : std::string(1, c);
        return "'" + quoted + "'";
    }
    static long GroupId(const std::string& name) { return Number("SELECT GroupID FROM tGroup WHERE GroupName = " + Quoted(name)); }
    // Clears the change tracking, so that a test sees what an edit writes.
    static void ForgetChanges()
    {
        for (const char* table : { "tGroup", "tPlaylists", "tMusicMain", "tGroupList", "tPlaylistTracks" }) {
            const std::string sql = std::string("UPDATE ") + table + " SET ModifyFlag = False, TimeStamp = Null";
            theLibraryConnection.ExecuteSql(sql.c_str(), nullptr, adCmdText);
        }
        SetLibraryModified(false);
    }
};

} // namespace

TEST_F(TreeCommands, NewGroupsAreNamedByTheirLabelEditHoweverTheEditEnds)
{
    long jazz = 0;
    ASSERT_TRUE(AddGroup("Jazz", &jazz));
    tree.BuildTree();
    struct Case {
        const char* typed; // null: Escape
        const char* label;
    } cases[] = {
        { "  Rock [Live] \"B-sides\"  ", "Rock [Live] \"B-sides\"" },
        { "   ", "New Group" },
        { nullptr, "New Group 1" },
        { "jazz", "New Group 2" }, // taken: the generated name names a record of its own
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SetLibraryModified(false);
        Command(ID_TREE_MUSIC_GROUP_NEW);
        Finish(c.typed);
        const HTREEITEM item = Child(tree.m_hGroups, c.label);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(tree.GetNodeKind(item), kindMusicGroup);
        EXPECT_EQ(tree.GetNodeRecordId(item), GroupId(c.label));
        EXPECT_EQ(Number("SELECT COUNT(*) FROM tGroup WHERE ModifyFlag = True AND GroupName = " + Quoted(c.label)), 1);
        EXPECT_TRUE(IsLibraryModified());
    }
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tGroup"), 5);

    // The naming is over: the next label edit renames and makes no record.
    EditTo(Child(tree.m_hGroups, "Jazz"), "Blues & Jazz");
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tGroup"), 5);
    EXPECT_EQ(GroupId("Blues & Jazz"), jazz);
    EXPECT_NE(Child(tree.m_hGroups, "Blues & Jazz"), nullptr);

    // Playlists and radio groups are named the same way.
    Command(ID_TREE_PLAYLIST_NEW);
    Finish("Road [Trip]");
    EXPECT_EQ(tree.GetNodeRecordId(Child(tree.m_hPlaylists, "Road [Trip]")),
        Number("SELECT PlaylistID FROM tPlaylists WHERE PlaylistName = 'Road [Trip]'"));
}

TEST_F(TreeCommands, RenamesWriteOnlyWhatChangedAndTrimTheLabel)
{
    Import(u"O'Brien", u"First", u"One");
    Import(u"O'Brien", u"Second", u"Two");
    long playlist = 0;
    ASSERT_TRUE(AddPlaylist("Road Trip", &playlist));
    tree.BuildTree();
    ForgetChanges();

    EditTo(Child(tree.m_hPlaylists, "Road Trip"), "  Road Trip  ");
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tPlaylists WHERE ModifyFlag = True"), 0);
    EXPECT_FALSE(IsLibraryModified());
    EXPECT_EQ(Children(tree.m_hPlaylists), Texts({ "Road Trip" }));

    struct Case {
        HTREEITEM branch;
        const char* from;
        const char* to;
        const char* sql;
    } cases[] = {
        { tree.m_hPlaylists, "Road Trip", "Summer's \"Best\" [2001]", "SELECT PlaylistName FROM tPlaylists WHERE ModifyFlag = True" },
        { tree.m_hAlbums, "First", "First, Again", "SELECT Title FROM tMusicMain WHERE ModifyFlag = True" },
        { tree.m_hArtists, "O'Brien", "O'Brien & Co", "SELECT DISTINCT Artist FROM tMusicMain WHERE ModifyFlag = True" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to);
        ForgetChanges();
        EditTo(Child(c.branch, c.from), (std::string(" ") + c.to + " ").c_str());
        EXPECT_NE(Child(c.branch, c.to), nullptr);
        EXPECT_EQ(Text(c.sql), c.to);
        EXPECT_TRUE(IsLibraryModified());
    }
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicMain WHERE Artist = 'O''Brien & Co'"), 2);
    EXPECT_EQ(Text("SELECT TitleSort FROM tMusicMain WHERE Title = 'First, Again'"), "First, Again");
    // Nodes that name no record cannot be edited.
    tree.EnsureVisible(tree.m_hAll);
    EXPECT_EQ(tree.EditLabel(tree.m_hAll, 0), nullptr);
}

TEST_F(TreeCommands, DeletesAskFirstAndFlagTheRecordWithItsRows)
{
    const long track = Import(u"Band", u"Album", u"Song");
    long playlist = 0, group = 0;
    ASSERT_TRUE(AddPlaylist("Late \"Night\"", &playlist));
    ASSERT_TRUE(AddTrackToPlaylist(playlist, track));
    ASSERT_TRUE(AddGroup("Mix", &group));
    ASSERT_TRUE(AddToGroup(group, playlist, 0, 0));
    tree.BuildTree();
    App().m_bConfirmDelete[CPelicanApp::ConfirmPlaylist] = TRUE;
    ForgetChanges();

    std::string message;
    tree.SelectItem(Child(tree.m_hPlaylists, "Late \"Night\""));
    Steps().push_back([&](HWND d) {
        message = ControlText(d, IDC_CONFIRM_MESSAGE);
        SendDlgItemMessage(d, IDC_CONFIRM_FLAG, BM_CLICK, 0, 0);
        SendMessage(d, WM_COMMAND, IDCANCEL, 0);
    });
    Command(ID_TREE_PLAYLIST_DELETE);
    EXPECT_EQ(message, "Do you want to delete the playlist: \"Late \"Night\"\" from library?");
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tPlaylists WHERE DeleteFlag = True"), 0);
    EXPECT_TRUE(App().m_bConfirmDelete[CPelicanApp::ConfirmPlaylist]);
    EXPECT_NE(Child(tree.m_hPlaylists, "Late \"Night\""), nullptr);

    Steps().push_back([](HWND d) {
        SendDlgItemMessage(d, IDC_CONFIRM_FLAG, BM_CLICK, 0, 0);
        SendMessage(d, WM_COMMAND, IDOK, 0);
    });
    Command(ID_TREE_PLAYLIST_DELETE);
    EXPECT_FALSE(App().m_bConfirmDelete[CPelicanApp::ConfirmPlaylist]);
    for (const char* table : { "tPlaylists", "tPlaylistTracks", "tGroupList" })
        EXPECT_EQ(Number(std::string("SELECT COUNT(*) FROM ") + table + " WHERE DeleteFlag = True AND TimeStamp IS NOT NULL"), 1) << table;
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tPlaylists WHERE TimeStamp IS NULL"), 0);
    EXPECT_TRUE(Children(tree.m_hPlaylists).empty());
    EXPECT_TRUE(Children(Child(tree.m_hGroups, "Mix")).empty());
    EXPECT_TRUE(IsLibraryModified());

    // The confirmation is off now: the group goes at once, with its memberships.
    ASSERT_TRUE(AddToGroup(group, 0, AlbumId("Album"), 0));
    tree.SelectItem(Child(tree.m_hGroups, "Mix"));
    Command(ID_TREE_MUSIC_GROUP_DELETE);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tGroup WHERE DeleteFlag = True"), 1);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tGroupList WHERE DeleteFlag <> True"), 0);
    EXPECT_TRUE(Children(tree.m_hGroups).empty());
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicMain WHERE DeleteFlag = True"), 0);
}

TEST_F(TreeCommands, DeletingAnAlbumTakesEveryNodeOfItButNoOtherRecordsNodes)
{
    Import(u"Solo", u"Only", u"Song");
    const long album = AlbumId("Only");
    Import(u"Duo", u"Left", u"A");
    Import(u"Duo", u"Right", u"B");
    // A playlist that carries the album's number stands for another record.
    long playlist = 0;
    for (int i = 0; i < 20 && playlist != album; ++i)
        ASSERT_TRUE(AddPlaylist(("List " + std::to_string(i)).c_str(), &playlist));
    ASSERT_EQ(playlist, album);
    long mix = 0, best = 0;
    ASSERT_TRUE(AddGroup("Mix", &mix));
    ASSERT_TRUE(AddGroup("Best", &best));
    ASSERT_TRUE(AddToGroup(mix, 0, album, 0));
    ASSERT_TRUE(AddToGroup(mix, playlist, 0, 0));
    ASSERT_TRUE(AddToGroup(best, 0, album, 0));
    tree.BuildTree();

    tree.SelectItem(Child(tree.m_hAlbums, "Only"));
    Command(ID_TREE_ALBUM_DELETE);
    EXPECT_EQ(Sorted(Children(tree.m_hAlbums)), Texts({ "Left", "Right" }));
    EXPECT_EQ(Children(Child(tree.m_hGroups, "Mix")), Texts({ "List " + std::to_string(album - 1) }));
    EXPECT_TRUE(Children(Child(tree.m_hGroups, "Best")).empty());
    EXPECT_NE(Child(tree.m_hPlaylists, "List " + std::to_string(album - 1)), nullptr);
    EXPECT_EQ(Child(tree.m_hArtists, "Solo"), nullptr);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicMain WHERE DeleteFlag = True AND QVCDID = " + std::to_string(album)), 1);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks WHERE DeleteFlag = True AND QVCDID = " + std::to_string(album)), 1);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tGroupList WHERE DeleteFlag = True"), 2);

    tree.SelectItem(Child(tree.m_hArtists, "Duo"));
    Command(ID_TREE_ARTIST_DELETE);
    EXPECT_TRUE(Children(tree.m_hAlbums).empty());
    EXPECT_TRUE(Children(tree.m_hArtists).empty());
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicMain WHERE DeleteFlag <> True"), 0);
}

TEST_F(TreeCommands, AnAlbumLeavingItsGenresGroupTakesAnotherGroupsGenreWhenTheLibraryHasOne)
{
    const long rock = GenreIdForName("Rock");
    const long jazz = GenreIdForName("Jazz");
    ASSERT_GT(rock, 0);
    ASSERT_GT(jazz, 0);
    struct Case {
        std::vector<std::string> groups;
        bool otherKnown;
        long genreAfter;
    } cases[] = {
        { { "Rock", "Mix", "Jazz" }, true, jazz },
        { { "Rock", "Mix" }, true, GenreIdForName("Other") },
        // No "Other" in the genre table: no genre id to write, the album keeps its own.
        { { "Rock" }, false, rock },
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(n);
        const std::string title = "Album " + std::to_string(++n);
        Import(u"Band", std::u16string(title.begin(), title.end()), u"Song");
        const long album = AlbumId(title);
        const std::string where = " WHERE QVCDID = " + std::to_string(album);
        theLibraryConnection.ExecuteSql(("UPDATE tMusicMain SET QVGenreID = " + std::to_string(rock) + where).c_str(), nullptr, adCmdText);
        for (const std::string& name : c.groups) {
            long group = 0;
            AddGroup(name.c_str(), &group);
            ASSERT_TRUE(AddToGroup(group, 0, album, 0));
        }
        CArray<CGenre, CGenre> kept;
        kept.Copy(App().m_genres);
        if (!c.otherKnown)
            for (INT_PTR i = App().m_genres.GetSize() - 1; i >= 0; --i)
                if (App().m_genres[i].m_strGenre == "Other")
                    App().m_genres.RemoveAt(i);
        tree.DeleteAllNodes();
        tree.BuildTree();
        ForgetChanges();
        HTREEITEM member = nullptr;
        for (HTREEITEM h = tree.GetChildItem(Child(tree.m_hGroups, "Rock")); h; h = tree.GetNextSiblingItem(h))
            if (tree.GetNodeRecordId(h) == album)
                member = h;
        ASSERT_NE(member, nullptr);
        EXPECT_TRUE(tree.RemoveFromGroup(member));
        App().m_genres.Copy(kept);
        EXPECT_EQ(Number("SELECT QVGenreID FROM tMusicMain" + where), c.genreAfter);
        EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicMain" + where + " AND ModifyFlag = True"), c.genreAfter == rock ? 0 : 1);
        EXPECT_EQ(Number("SELECT COUNT(*) FROM tGroupList WHERE DeleteFlag = True AND QVCDID = " + std::to_string(album)), 1);
        EXPECT_TRUE(IsLibraryModified());
    }
    // An album under Albums is in no group, even beside a group named "Albums".
    long albums = 0;
    ASSERT_TRUE(AddGroup("Albums", &albums));
    ASSERT_TRUE(AddToGroup(albums, 0, AlbumId("Album 1"), 0));
    EXPECT_FALSE(tree.RemoveFromGroup(Child(tree.m_hAlbums, "Album 1")));
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tGroupList WHERE DeleteFlag = True AND GroupID = " + std::to_string(albums)), 0);
}

TEST_F(TreeCommands, HeldArrowKeysMoveTheSelectionOnlyOnce)
{
    struct Case {
        WPARAM key;
        LPARAM data;
        BOOL busy;
        BOOL swallowed;
    } cases[] = {
        { VK_DOWN, 1, FALSE, FALSE },
        { VK_DOWN, 1 | (LPARAM(1) << 30), FALSE, TRUE },
        { VK_UP, 1, TRUE, TRUE },
        { VK_LEFT, 1 | (LPARAM(1) << 30), FALSE, FALSE },
    };
    for (const Case& c : cases) {
        MSG msg { tree.m_hWnd, WM_KEYDOWN, c.key, c.data, 0, {} };
        App().m_bBusy = c.busy;
        EXPECT_EQ(tree.PreTranslateMessage(&msg), c.swallowed) << c.key << " " << c.data;
    }
    App().m_bBusy = FALSE;
}

TEST_F(TreeCommands, ContextMenusEnableTheTreesCommandsAndAskTheFrameForTheGroupOnes)
{
    tree.BuildTree();
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TREE_ALBUM_MENU));
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    for (UINT id : { ID_TREE_ALBUM_RENAME, ID_TREE_ALBUM_DELETE, ID_TREE_ALBUM_ADD_TO_GROUP })
        popup->EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
    tree.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup->m_hMenu), 0);
    // Without a main frame the group commands have no rule that enables them.
    EXPECT_EQ(popup->GetMenuState(ID_TREE_ALBUM_RENAME, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(popup->GetMenuState(ID_TREE_ALBUM_DELETE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_NE(popup->GetMenuState(ID_TREE_ALBUM_ADD_TO_GROUP, MF_BYCOMMAND) & MF_GRAYED, 0u);
    menu.DestroyMenu();
}

namespace {

// A tree whose context menu is answered by keys at its first idle moments and ended at its next, so a
// menu that does not take them never waits for input that will not come.
class MenuTree : public CMainTreeCtrl {
public:
    int menuIdles { 0 };
    std::vector<UINT> commands;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
            if (menuIdles++ < 2) {
                // Down to the first item, then Return.
                const int key = menuIdles == 1 ? VK_DOWN : VK_RETURN;
                platform::user::InjectKey(key, true);
                platform::user::InjectKey(key, false);
            } else {
                EndMenu();
            }
            return 0;
        }
        if (message == WM_COMMAND && lParam == 0) // a menu's, not a control's notification
            commands.push_back(LOWORD(wParam));
        return CMainTreeCtrl::WindowProc(message, wParam, lParam);
    }
};

} // namespace

TEST_F(TreeCommands, ARightClickSelectsTheNodeAndItsMenuCommandActsOnIt)
{
    Import(u"Band", u"First", u"One");
    Import(u"Band", u"Second", u"Two");
    tree.DestroyWindow();
    MenuTree menuTree;
    ASSERT_TRUE(menuTree.Create(&owner, CRect(0, 0, 260, 440)));
    menuTree.BuildTree();
    HTREEITEM second = nullptr;
    for (HTREEITEM h = menuTree.GetChildItem(menuTree.m_hAlbums); h != nullptr; h = menuTree.GetNextSiblingItem(h))
        if (menuTree.GetItemText(h, 0) == "Second")
            second = h;
    ASSERT_NE(second, nullptr);
    RightClickNode(menuTree, second);
    screen.pump();
    EXPECT_GE(menuTree.menuIdles, 1);
    EXPECT_EQ(menuTree.commands, std::vector<UINT> { ID_TREE_ALBUM_RENAME });
    EXPECT_EQ(menuTree.GetSelectedItem(), second);
    SECListEdit* edit = menuTree.GetEditControl();
    ASSERT_TRUE(edit != nullptr && edit->m_hWnd != nullptr);
    CString text;
    edit->GetWindowText(text);
    EXPECT_STREQ(text, "Second");
    EXPECT_EQ(edit->SendMessage(EM_GETLIMITTEXT), 50);
    edit->SetWindowText("Second Side");
    menuTree.EndLabelEdit(TRUE);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicMain WHERE Title = 'Second Side'"), 1);
    menuTree.DestroyWindow();
}
