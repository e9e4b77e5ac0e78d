// The main window's commands on a real library filled through the import: the rules that enable them
// over the tree's and the list's states, importing through the music file dialog, the overwrite prompt,
// tag writing, names that SQL or formatting could choke on, dropped files, files that vanish on the
// way, tagged albums and groups, and the program update.
#include <cctype>
#include <chrono>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/LibraryOpening.h"
#include "app/CMainTreeCtrl.h"
#include "app/CMFileSubClassWnd.h"
#include "app/CommandRules.h"
#include "app/tests/MainFrameListFixture.h"
#include "app/tests/TypedKeys.h"
#include "library/AppRoutines.h"
#include "library/GroupEdits.h"
#include "library/ImportCommands.h"
#include "library/PlaylistEdits.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/tests/DialogSteps.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Paths.h"
#include "platform/shell/ChooserWindow.h"
#include "platform/shell/ShellApi.h"
#include "platform/user/Input.h"

namespace {

using typed_keys::Key;
using typed_keys::Type;

// A main window whose dialogs answer from a script, whose modal prompts are driven by steps, and whose
// status texts a test can watch.
class ScriptedFrame : public afxtest::StepsOwner<CMainFrame> {
public:
    bool ChooseRecord(UINT captionId, LPCTSTR, long& id, CString* text, const long*) override
    {
        captions.push_back(captionId);
        if (choices.empty())
            return false;
        id = choices.front().first;
        if (text)
            *text = choices.front().second.c_str();
        choices.pop_front();
        return true;
    }
    bool AskNewName(UINT captionId, UINT, CString& name) override { return Name(captionId, name); }
    bool AskRename(UINT captionId, UINT, LPCTSTR, CString& name) override { return Name(captionId, name); }
    int AskSynchronizeBeforeUpdate() override
    {
        ++syncQuestions;
        return syncAnswer;
    }
    bool RunSync(bool) override
    {
        ++syncRuns;
        return true;
    }
    void OnLibraryRebuilt() override { }

    std::deque<std::pair<long, std::string>> choices;
    std::deque<std::string> names;
    std::vector<UINT> captions;
    std::function<void(const std::string&)> onStatus;
    int syncAnswer { IDNO };
    int syncQuestions { 0 };
    int syncRuns { 0 };

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETMESSAGESTRING && lParam != 0 && onStatus)
            onStatus(reinterpret_cast<LPCTSTR>(lParam));
        return StepsOwner::WindowProc(message, wParam, lParam);
    }

private:
    bool Name(UINT captionId, CString& name)
    {
        captions.push_back(captionId);
        if (names.empty())
            return false;
        name = names.front().c_str();
        names.pop_front();
        return true;
    }
};

class FrameCommands : public frame_test::MainFrameList<ScriptedFrame> {
protected:
    FrameCommands()
        : MainFrameList(640, 480)
    {
    }

    void BeforeFrame() override { afxtest::Steps().clear(); }
    void SetUp() override
    {
        MainFrameList::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(m_owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 260, 440), nullptr, 0));
        m_tree.emplace(m_frame);
        ASSERT_TRUE(m_tree->Create(&m_owner, CRect(0, 0, 260, 440)));
        m_tree->BuildTree();
        m_frame->SetLibraryTree(&*m_tree);
        m_screen.pump();
    }
    void TearDown() override
    {
        platform::SetChooserShownHook(nullptr);
        afxtest::Steps().clear();
        if (m_tree && m_tree->m_hWnd)
            m_tree->DestroyWindow();
        m_tree.reset();
        if (m_owner.m_hWnd)
            m_owner.DestroyWindow();
        MainFrameList::TearDown();
    }

    // A copy of one tone under the name, with the tags; its program path.
    std::string MakeFile(const std::string& name, const std::u16string& artist, const std::u16string& album,
        const std::u16string& title)
    {
        const std::filesystem::path target = std::filesystem::current_path() / name;
        std::filesystem::create_directories(target.parent_path());
        std::filesystem::copy_file(Tone(), target, std::filesystem::copy_options::overwrite_existing);
        const std::string path = platform::ToProgramPath(target.string());
        SetTags(path, { { u"TPE1", artist }, { u"TALB", album }, { u"TIT2", title } });
        return path;
    }
    long Import(const std::string& name, const std::u16string& album)
    {
        long track = 0;
        EXPECT_EQ(AddFileToLibrary(m_frame->ImportHost(), MakeFile(name, u"Artist", album, u"Title").c_str(),
                      kAlbumFromTags, &track),
            1);
        return track;
    }
    // What the frame's update handler decides for the command, as a menu would ask.
    bool Enabled(UINT id)
    {
        CCmdUI ui;
        ui.m_nID = id;
        ui.DoUpdate(m_frame, TRUE);
        return ui.m_bEnabled != FALSE;
    }
    void Command(UINT id)
    {
        m_frame->SendMessage(WM_COMMAND, id, 0);
        m_screen.pump();
    }
    std::vector<std::string> Children(HTREEITEM parent)
    {
        std::vector<std::string> labels;
        for (HTREEITEM h = m_tree->GetChildItem(parent); h != nullptr; h = m_tree->GetNextSiblingItem(h))
            labels.emplace_back(m_tree->GetItemText(h, 0));
        return labels;
    }
    std::string TagOf(const std::string& path, const char* frame)
    {
        ITagReaderPtr reader;
        EXPECT_EQ(reader.CreateInstance(CLSID_TagReader), S_OK);
        EXPECT_EQ(reader->LoadFile(_bstr_t(path.c_str()), 0), S_OK);
        BSTR text = nullptr;
        reader->GetFrame(_bstr_t(frame), &text);
        const std::string result = text ? static_cast<const char*>(_bstr_t(text, false)) : "";
        return result;
    }
    static std::string Contents(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::filesystem::path Native(const CString& programPath) const
    {
        return platform::ToNativePath(programPath.GetString());
    }

    CWnd m_owner;
    std::optional<CMainTreeCtrl> m_tree;
};

} // namespace

TEST(CommandRules, EachRuleFollowsTheStateItNames)
{
    CommandState open;
    open.open = true;
    CommandState trackRow = open;
    trackRow.rows = trackRow.notEmpty = trackRow.playableRow = true;
    trackRow.selection = 1;
    trackRow.kind = kindAll;
    auto with = [](CommandState s, auto change) {
        change(s);
        return s;
    };
    struct Case {
        const char* what;
        UINT id;
        CommandState state;
        bool enabled;
    } cases[] = {
        { "open library needs none open", ID_FILE_OPEN_LIBRARY, CommandState {}, true },
        { "nor one while the splash shows", ID_FILE_OPEN_LIBRARY, with(CommandState {}, [](auto& s) { s.splashShowing = true; }), false },
        { "nor while one is open", ID_FILE_OPEN_LIBRARY, open, false },
        { "import music needs a library", ID_FILE_IMPORT_MUSIC_FILE, CommandState {}, false },
        { "import music", ID_FILE_IMPORT_MUSIC_FILE, open, true },
        { "delete track on All", ID_MEDIA_DELETE_TRACK, trackRow, true },
        { "delete track on an artist", ID_MEDIA_DELETE_TRACK, with(trackRow, [](auto& s) { s.kind = kindArtist; }), true },
        { "delete track on an album", ID_MEDIA_DELETE_TRACK, with(trackRow, [](auto& s) { s.kind = kindAlbum; }), true },
        { "delete track on a CD album", ID_MEDIA_DELETE_TRACK, with(trackRow, [](auto& s) { s.kind = kindCDAlbum; }), true },
        { "delete track on kind 10", ID_MEDIA_DELETE_TRACK, with(trackRow, [](auto& s) { s.kind = kindUnused; }), true },
        { "delete track not on a playlist", ID_MEDIA_DELETE_TRACK, with(trackRow, [](auto& s) { s.kind = kindPlaylist; }), false },
        { "delete track not on Artists", ID_MEDIA_DELETE_TRACK, with(trackRow, [](auto& s) { s.kind = kindArtists; }), false },
        { "delete track not on Playlists", ID_MEDIA_DELETE_TRACK, with(trackRow, [](auto& s) { s.kind = kindPlaylists; }), false },
        { "delete track not on a CD or hidden row", ID_MEDIA_DELETE_TRACK, with(trackRow, [](auto& s) { s.playableRow = false; }), false },
        { "delete track needs rows", ID_MEDIA_DELETE_TRACK, with(trackRow, [](auto& s) { s.rows = false; }), false },
        { "change album on a playable track", ID_MEDIA_CHANGE_ALBUM, trackRow, true },
        { "change album not on stations", ID_MEDIA_CHANGE_ALBUM, with(trackRow, [](auto& s) { s.selection = 2; }), false },
        { "add to playlist needs a playlist", ID_PLAYLIST_ADD_TRACK, trackRow, false },
        { "add to playlist", ID_PLAYLIST_ADD_TRACK, with(trackRow, [](auto& s) { s.playlistsExist = true; }), true },
        { "add tagged needs tags", ID_PLAYLIST_ADD_TAGGED_TRACKS, with(trackRow, [](auto& s) { s.playlistsExist = true; }), false },
        { "add tagged", ID_PLAYLIST_ADD_TAGGED_TRACKS, with(trackRow, [](auto& s) { s.playlistsExist = true; s.tagCount = 1; }), true },
        { "move up needs a playlist node", ID_PLAYLIST_MOVE_UP, trackRow, false },
        { "move up in a playlist", ID_PLAYLIST_MOVE_UP, with(trackRow, [](auto& s) { s.kind = kindPlaylist; }), true },
        { "move down not in an empty list", ID_PLAYLIST_MOVE_DOWN, with(trackRow, [](auto& s) { s.kind = kindPlaylist; s.notEmpty = false; }), false },
        { "delete station on Stations", ID_MEDIA_DELETE_STATION, with(open, [](auto& s) { s.kind = kindStations; s.rows = true; }), true },
        { "delete station on a radio group", ID_MEDIA_DELETE_STATION, with(open, [](auto& s) { s.kind = kindRadioGroup; s.rows = true; }), true },
        { "delete station not without rows", ID_MEDIA_DELETE_STATION, with(open, [](auto& s) { s.kind = kindStations; }), false },
        { "the row menu's delete needs a non-empty list", ID_STATION_DELETE, with(open, [](auto& s) { s.notEmpty = true; }), true },
        { "rename album on an album", ID_MEDIA_RENAME_ALBUM, with(open, [](auto& s) { s.kind = kindCDAlbum; }), true },
        { "rename artist only on an artist", ID_MEDIA_RENAME_ARTIST, with(open, [](auto& s) { s.kind = kindAlbum; }), false },
        { "add album to group needs groups", ID_MUSICGROUP_ADD_ALBUM, with(trackRow, [](auto& s) { s.kind = kindAlbum; }), false },
        { "add album to group", ID_MUSICGROUP_ADD_ALBUM, with(trackRow, [](auto& s) { s.kind = kindAlbum; s.musicGroupsExist = true; }), true },
        { "remove album from group needs a group above", ID_MUSICGROUP_REMOVE_ALBUM, with(open, [](auto& s) { s.kind = kindAlbum; }), false },
        { "remove album from group", ID_MUSICGROUP_REMOVE_ALBUM, with(open, [](auto& s) { s.kind = kindAlbum; s.inGroup = true; }), true },
        { "remove playlist from group", ID_MUSICGROUP_REMOVE_PLAYLIST, with(open, [](auto& s) { s.kind = kindPlaylist; s.inGroup = true; }), true },
        { "station to group needs radio groups", ID_RADIOGROUP_ADD_STATION, with(open, [](auto& s) { s.rows = true; s.selection = 2; }), false },
        { "station to group", ID_STATION_ADD_TO_GROUP, with(open, [](auto& s) { s.rows = true; s.selection = 2; s.radioGroupsExist = true; }), true },
        { "update tags needs a playlist", ID_TRACK_UPDATE_MP3_TAGS, with(trackRow, [](auto& s) { s.trackFileWritable = true; }), false },
        { "update tags needs a writable file", ID_TRACK_UPDATE_MP3_TAGS, with(trackRow, [](auto& s) { s.playlistsExist = true; }), false },
        { "update tags", ID_TRACK_UPDATE_MP3_TAGS, with(trackRow, [](auto& s) { s.playlistsExist = s.trackFileWritable = true; }), true },
        { "update tags not while busy", ID_TRACK_UPDATE_MP3_TAGS, with(trackRow, [](auto& s) { s.playlistsExist = s.trackFileWritable = s.busy = true; }), false },
        { "import folder file", ID_FOLDERS_IMPORT_FILE, CommandState {}, true },
        { "import folder file not while busy", ID_FOLDERS_ADD_FILE_TO_ALBUM, with(CommandState {}, [](auto& s) { s.busy = true; }), false },
        { "tagged files need tags", ID_FOLDERS_IMPORT_TAGGED, CommandState {}, false },
        { "tagged files", ID_FOLDERS_ALBUM_FROM_TAGGED, with(CommandState {}, [](auto& s) { s.tagCount = 2; }), true },
        { "clear tags needs tags", ID_TAGS_CLEAR_ALL, with(CommandState {}, [](auto& s) { s.tagsOn = true; }), false },
        { "set tags needs tag marks", ID_TAGS_SET_ALL, with(CommandState {}, [](auto& s) { s.tagsOn = true; }), true },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CommandEnabled(c.id, c.state), c.enabled) << c.what;
    EXPECT_FALSE(CommandEnabled(ID_VIEW_REFRESH, open).has_value()) << "always enabled: no rule";
}

TEST_F(FrameCommands, TheRulesSeeTheTreeAndTheList)
{
    Import("a.mp3", u"First");
    Show(kindAll);
    EXPECT_TRUE(Enabled(ID_MEDIA_DELETE_TRACK));
    EXPECT_FALSE(Enabled(ID_PLAYLIST_ADD_TRACK)) << "no playlist yet";
    ASSERT_TRUE(AddPlaylist("Mix"));
    m_tree->RefreshCategory(kindPlaylists);
    EXPECT_TRUE(Enabled(ID_PLAYLIST_ADD_TRACK));
    EXPECT_FALSE(Enabled(ID_TAGS_CLEAR_ALL));
    m_view->TagAll();
    EXPECT_TRUE(Enabled(ID_TAGS_CLEAR_ALL));
    EXPECT_TRUE(Enabled(ID_PLAYLIST_ADD_TAGGED_TRACKS));

    // A hidden track can be neither deleted nor moved to another album.
    theLibraryConnection.ExecuteSql("UPDATE tMusicMain SET HideFlag = True", nullptr, adCmdText);
    m_frame->RequeryView();
    EXPECT_FALSE(Enabled(ID_MEDIA_DELETE_TRACK));
    EXPECT_FALSE(Enabled(ID_MEDIA_CHANGE_ALBUM));

    Show(kindArtists);
    EXPECT_FALSE(Enabled(ID_MEDIA_DELETE_TRACK));
    theLibraryConnection.Close();
    EXPECT_TRUE(Enabled(ID_FILE_OPEN_LIBRARY));
    EXPECT_FALSE(Enabled(ID_FILE_IMPORT_MUSIC_FILE));
}

TEST_F(FrameCommands, ImportMusicFileTakesTheChosenFilesIntoOneNewAlbum)
{
    const std::string first = MakeFile("in/one.mp3", u"Ann", u"Tags Album", u"One");
    MakeFile("in/two.mp3", u"Bob", u"Other Album", u"Two");
    App().WriteProfileString("Settings", "LastMusicImportPath", first.substr(0, first.rfind('\\') + 1).c_str());
    platform::SetChooserShownHook([this](HWND dialog) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_IMPORT_ALBUM_LIST)));
        SendMessage(GetDlgItem(dialog, IDC_IMPORT_CREATE_NEW_ALBUM), BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessage(GetDlgItem(dialog, IDC_IMPORT_CREATE_NEW_ALBUM), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(SendMessage(GetDlgItem(dialog, IDC_IMPORT_USE_ORIGINAL_ALBUM), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        m_screen.pump();
        Type("\"one.mp3\" \"two.mp3\"");
        Key(VK_RETURN);
    });
    LoadGenreTable();
    Command(ID_FILE_IMPORT_MUSIC_FILE);

    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 2);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicMain"), 1);
    EXPECT_EQ(Text("SELECT Title FROM tMusicMain"), "New Album");
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks WHERE ModifyFlag = True"), 2);
    EXPECT_EQ(Children(m_tree->m_hAlbums), std::vector<std::string> { "New Album" });
    // The new album joins the music group of its genre.
    const HTREEITEM genreGroup = m_tree->GetChildItem(m_tree->m_hGroups);
    ASSERT_NE(genreGroup, nullptr);
    EXPECT_EQ(Children(genreGroup), std::vector<std::string> { "New Album" });
    EXPECT_EQ(std::string(App().GetProfileString("Settings", "LastMusicImportPath", "")),
        first.substr(0, first.rfind('\\') + 1));

    // The second time the files keep their own albums, and the library holds each file once.
    platform::SetChooserShownHook([](HWND) {
        Type("\"one.mp3\" \"two.mp3\"");
        Key(VK_RETURN);
    });
    Command(ID_FILE_IMPORT_MUSIC_FILE);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 2);
    ASSERT_EQ(Boxes().size(), 2u) << "each file is already in the library" << ::testing::PrintToString(Boxes());

    // Cancel imports nothing.
    platform::SetChooserShownHook([](HWND) { Key(VK_ESCAPE); });
    Command(ID_FILE_IMPORT_MUSIC_FILE);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 2);
}

TEST_F(FrameCommands, TheOverwritePromptDecidesFileByFile)
{
    App().m_bCopyMusicFiles = TRUE;
    struct Case {
        const char* what;
        std::vector<int> answers; // button per prompt
        int prompts;
        int imported;
        bool firstReplaced;
    } cases[] = {
        { "Yes replaces each file", { IDYES, IDYES }, 2, 2, true },
        { "No leaves the first out", { IDNO, IDYES }, 2, 1, false },
        { "Yes on All asks once", { IDYESTOALL }, 1, 2, true },
        { "Cancel ends the import", { IDCANCEL }, 1, 0, false },
    };
    int round = 0;
    for (const Case& c : cases) {
        std::vector<CString> paths;
        std::vector<std::filesystem::path> held;
        for (int i = 0; i < 2; ++i) {
            const std::string name = "r" + std::to_string(round) + "-" + std::to_string(i) + ".mp3";
            paths.emplace_back(MakeFile(name, u"Ann", u"Album", u"T").c_str());
            held.push_back(Native(GetMp3Path() + name.c_str()));
            std::ofstream(held.back(), std::ios::binary) << "old";
        }
        ++round;
        int prompts = 0;
        for (size_t i = 0; i < c.answers.size(); ++i)
            afxtest::Steps().push_back([&prompts, answer = c.answers[i], name = paths[i].Mid(paths[i].ReverseFind('\\') + 1)](HWND dialog) {
                char shown[MAX_PATH] {};
                GetDlgItemText(dialog, IDC_OVERWRITE_FILE_NAME, shown, MAX_PATH);
                EXPECT_EQ(CString(shown), name);
                ++prompts;
                SendMessage(dialog, WM_COMMAND, answer, 0);
            });
        const long before = Number("SELECT COUNT(*) FROM tMusicTracks");
        ImportMusicFiles(m_frame->ImportHost(), paths, ImportAlbumMode::UseOriginalAlbum, -1);
        m_screen.pump();
        EXPECT_EQ(prompts, c.prompts) << c.what;
        EXPECT_TRUE(afxtest::Steps().empty()) << c.what;
        afxtest::Steps().clear();
        EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks") - before, c.imported) << c.what;
        EXPECT_EQ(Contents(held[0]) != "old", c.firstReplaced) << c.what;
    }
}

TEST_F(FrameCommands, UpdateMp3TagsWritesTheLibraryFieldsIntoACopiedFile)
{
    App().m_bCopyMusicFiles = TRUE;
    const long track = Import("song.mp3", u"Album");
    ASSERT_GT(track, 0);
    ASSERT_TRUE(AddPlaylist("Mix"));
    m_tree->RefreshCategory(kindPlaylists);
    theLibraryConnection.ExecuteScalar(
        "UPDATE tMusicTracks SET TrackTitle = 'It''s \"Live\" [1] (%s)'", -1);
    theLibraryConnection.ExecuteScalar("UPDATE tMusicMain SET Language = 'Welsh'", -1);
    Show(kindAll);
    const std::string copy = (GetMp3Path() + "song.mp3").GetString();

    ASSERT_TRUE(Enabled(ID_TRACK_UPDATE_MP3_TAGS));
    Command(ID_TRACK_UPDATE_MP3_TAGS);
    EXPECT_EQ(TagOf(copy, "TIT2"), "It's \"Live\" [1] (%s)");
    EXPECT_EQ(TagOf(copy, "TLAN"), "Welsh");

    // A read-only file is never written: the command is off, and run anyway it leaves the file alone.
    theLibraryConnection.ExecuteScalar("UPDATE tMusicTracks SET TrackTitle = 'Changed'", -1);
    m_frame->RequeryView();
    const std::filesystem::path native = Native(copy.c_str());
    std::filesystem::permissions(native, std::filesystem::perms::owner_write | std::filesystem::perms::group_write
            | std::filesystem::perms::others_write, std::filesystem::perm_options::remove);
    const std::string before = Contents(native);
    EXPECT_FALSE(Enabled(ID_TRACK_UPDATE_MP3_TAGS));
    Command(ID_TRACK_UPDATE_MP3_TAGS);
    EXPECT_EQ(Contents(native), before);
    std::filesystem::permissions(native, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);

    // A track stored with its full path is out of reach.
    App().m_bCopyMusicFiles = FALSE;
    Import("other.mp3", u"Album 2");
    m_frame->RequeryView();
    m_view->SelectRow(1);
    EXPECT_FALSE(Enabled(ID_TRACK_UPDATE_MP3_TAGS));
}

TEST_F(FrameCommands, NamesWithQuotesBracketsAndFormatsArriveAsTyped)
{
    const std::string name = "Bob's \"Best\" [Live] (1999) %s %1!s! 100%";
    m_frame->names = { name, name, name + " 2" };
    Command(ID_PLAYLIST_NEW);
    Command(ID_MUSICGROUP_NEW);
    Command(ID_RADIOGROUP_NEW);
    EXPECT_EQ(Text("SELECT PlaylistName FROM tPlaylists"), name);
    EXPECT_EQ(Text("SELECT GroupName FROM tGroup"), name);
    EXPECT_EQ(Text("SELECT GroupName FROM tIRadioGroup"), name + " 2");
    EXPECT_EQ(Children(m_tree->m_hPlaylists), std::vector<std::string> { name });
    EXPECT_EQ(Children(m_tree->m_hGroups), std::vector<std::string> { name });
    EXPECT_EQ(m_frame->captions, (std::vector<UINT> { IDS_CREATE_PLAYLIST_CAPTION, IDS_CREATE_GROUP_CAPTION, IDS_CREATE_GROUP_CAPTION }));

    // The same name again makes no second playlist or node.
    m_frame->names = { name };
    Command(ID_PLAYLIST_NEW);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tPlaylists"), 1);
    EXPECT_EQ(Children(m_tree->m_hPlaylists).size(), 1u);

    // An artist renamed to such a name, then its track added to the playlist chosen.
    Import("a.mp3", u"Album");
    m_tree->RefreshCategory(kindArtists);
    Show(kindArtist, "Artist");
    m_frame->names = { name };
    Command(ID_MEDIA_RENAME_ARTIST);
    EXPECT_EQ(Text("SELECT Artist FROM tMusicMain"), name);
    EXPECT_EQ(Children(m_tree->m_hArtists), std::vector<std::string> { name });
    Show(kindAll);
    m_frame->choices = { { Number("SELECT PlaylistID FROM tPlaylists"), name } };
    Command(ID_PLAYLIST_ADD_TRACK);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tPlaylistTracks WHERE PlayOrder = 1"), 1);
    EXPECT_EQ(m_frame->captions.back(), static_cast<UINT>(IDS_SELECT_PLAYLIST));
}

TEST_F(FrameCommands, DroppedFilesThatAreNotMusicAreLeftAlone)
{
    const std::string song = MakeFile("drop/song.mp3", u"Ann", u"Dropped", u"Song");
    std::ofstream("drop/notes.txt") << "not music";
    std::ofstream("drop/clip.wma") << "wma";
    const std::string folder = song.substr(0, song.rfind('\\') + 1);
    const std::vector<std::string> names = { folder + "notes.txt", folder + "clip.wma", folder + std::string(300, 'x') + ".mp3",
        song };
    auto drop = [&] {
        HGLOBAL memory = platform::user::MakeDropFiles(names);
        m_frame->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    };
    Show(kindAll);
    drop();
    m_screen.pump();
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks"), 1);
    EXPECT_EQ(Text("SELECT FilePath FROM tMusicTracks"), song);
    EXPECT_EQ(m_view->SendMessage(LVM_GETITEMCOUNT), 1) << "the list was requeried";
    EXPECT_EQ(Contents("drop/notes.txt"), "not music");
    EXPECT_EQ(Contents("drop/clip.wma"), "wma");
    EXPECT_TRUE(Boxes().empty());

    // Without a library a drop does nothing.
    theLibraryConnection.Close();
    drop();
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FrameCommands, AFileThatVanishesAfterTheDialogIsNotAdded)
{
    for (const bool copy : { false, true }) {
        App().m_bCopyMusicFiles = copy ? TRUE : FALSE;
        const std::string prefix = copy ? "c" : "p";
        MakeFile("gone/" + prefix + "1.mp3", u"Ann", u"Album", u"One");
        const std::string second = MakeFile("gone/" + prefix + "2.mp3", u"Ann", u"Album", u"Two");
        App().WriteProfileString("Settings", "LastMusicImportPath", second.substr(0, second.rfind('\\') + 1).c_str());
        platform::SetChooserShownHook([prefix](HWND) {
            Type("\"" + prefix + "1.mp3\" \"" + prefix + "2.mp3\"");
            Key(VK_RETURN);
        });
        // The second file goes while the first is imported.
        m_frame->onStatus = [&](const std::string& text) {
            if (text.find(prefix + "1.mp3") != std::string::npos)
                std::filesystem::remove(Native(second.c_str()));
        };
        const long before = Number("SELECT COUNT(*) FROM tMusicTracks");
        Command(ID_FILE_IMPORT_MUSIC_FILE);
        m_frame->onStatus = nullptr;
        EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks") - before, 1) << copy;
        EXPECT_EQ(Number(("SELECT COUNT(*) FROM tMusicTracks WHERE FilePath LIKE '%" + prefix + "2.mp3'").c_str()), 0);
    }
    // The copy says so in its message; without a copy the file is passed over.
    ASSERT_EQ(Boxes().size(), 1u) << ::testing::PrintToString(Boxes());
    EXPECT_NE(Boxes()[0].find("Failed to copy the music file"), std::string::npos);
}

TEST_F(FrameCommands, TaggedAlbumsGoToTheChosenGroupAndMovingOntoTheirOwnGroupOnlyClearsTags)
{
    Import("a.mp3", u"Alpha");
    Import("b.mp3", u"Beta");
    long home = 0;
    long other = 0;
    ASSERT_TRUE(AddGroup("Home", &home));
    ASSERT_TRUE(AddGroup("Other", &other));
    m_tree->RebuildTree();
    Show(kindAlbums);
    m_view->TagAll();
    m_frame->choices = { { home, "Home" } };
    Command(ID_ALBUM_ADD_TAGGED_TO_GROUP);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tGroupList WHERE GroupID = " + std::to_string(home)), 2);
    EXPECT_EQ(m_view->GetTagCount(), 0);
    HTREEITEM homeNode = m_tree->GetChildItem(m_tree->m_hGroups);
    ASSERT_EQ(std::string(m_tree->GetItemText(homeNode, 0)), "Home");
    EXPECT_EQ(Children(homeNode), (std::vector<std::string> { "Alpha", "Beta" }));

    // In the group's own list, moving its albums onto the group itself changes nothing.
    m_tree->SelectItem(homeNode);
    Show(kindMusicGroup, "Home", home);
    m_view->TagAll();
    ASSERT_GT(m_view->GetTagCount(), 0);
    m_frame->choices = { { home, "HOME" } };
    Command(ID_ALBUM_MOVE_TAGGED_TO_GROUP);
    EXPECT_EQ(m_view->GetTagCount(), 0);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tGroupList WHERE GroupID = " + std::to_string(home) + " AND DeleteFlag = False"), 2);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tGroupList WHERE GroupID = " + std::to_string(other)), 0);
}

TEST_F(FrameCommands, CheckForUpdateAsksAboutUnsentChangesThenStartsTheUpdater)
{
    EXPECT_STREQ(CMainFrame::kUpdaterCommandLine,
        "\"C:\\Program Files\\Common Files\\InstallShield\\WebUpdate\\WebUpdate.exe\" CorvaneTuneSteward");
    // A stand-in updater that leaves its arguments behind.
    const std::filesystem::path script = std::filesystem::current_path() / "updater.sh";
    const std::filesystem::path out = std::filesystem::current_path() / "updater.out";
    std::ofstream(script) << "#!/bin/sh\necho \"$@\" > '" << out.string() << ".tmp' && mv '" << out.string() << ".tmp' '"
                          << out.string() << "'\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    m_frame->m_strUpdaterCommandLine
        = ("\"" + platform::ToProgramPath(script.string()) + "\" CorvaneTuneSteward").c_str();
    auto started = [&] {
        // The updater runs on its own; its trace appears once it has run.
        for (int i = 0; i < 500 && !std::filesystem::exists(out); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const bool ran = std::filesystem::exists(out);
        if (ran) {
            EXPECT_EQ(Contents(out), "CorvaneTuneSteward\n");
        }
        std::filesystem::remove(out);
        return ran;
    };
    struct Case {
        bool modified;
        int answer;
        int questions;
        int syncs;
    } cases[] = {
        { false, IDCANCEL, 0, 0 },
        { true, IDNO, 1, 0 },
        { true, IDYES, 1, 1 },
    };
    for (const Case& c : cases) {
        SetLibraryModified(c.modified);
        m_frame->syncAnswer = c.answer;
        m_frame->syncQuestions = m_frame->syncRuns = 0;
        Command(ID_HELP_CHECK_FOR_UPDATE);
        EXPECT_EQ(m_frame->syncQuestions, c.questions);
        EXPECT_EQ(m_frame->syncRuns, c.syncs);
        EXPECT_TRUE(started());
    }
    // Cancel with unsent changes starts nothing.
    SetLibraryModified(true);
    m_frame->syncAnswer = IDCANCEL;
    m_frame->syncRuns = 0;
    Command(ID_HELP_CHECK_FOR_UPDATE);
    EXPECT_EQ(m_frame->syncRuns, 0);
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(FrameCommands, DeleteTrackAsksThroughTheConfirmationAndThenAboutTheEmptyAlbum)
{
    // The real dialogs of the frame, not the script.
    auto* frame = new afxtest::StepsOwner<CMainFrame>;
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
    frame->SetLibraryTree(&*m_tree);
    const long track = Import("a.mp3", u"Lonely");
    m_frame->SetLibraryTree(nullptr);
    ViewNode all;
    all.kind = kindAll;
    frame->OpenViewForNode(all);
    App().m_bConfirmDelete[CPelicanApp::ConfirmTrack] = TRUE;

    // Cancel keeps the track.
    std::string question;
    afxtest::Steps().push_back([&](HWND dialog) {
        char text[256] {};
        GetDlgItemText(dialog, IDC_CONFIRM_MESSAGE, text, sizeof text);
        question = text;
        SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    frame->SendMessage(WM_COMMAND, ID_MEDIA_DELETE_TRACK, 0);
    EXPECT_EQ(question, "Do you want to delete the track: \"Title\" from library?");
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks WHERE DeleteFlag = False"), 1);

    // OK deletes it; the album left empty is asked about (No is the recorder's answer).
    afxtest::Steps().push_back([](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
    frame->SendMessage(WM_COMMAND, ID_MEDIA_DELETE_TRACK, 0);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM tMusicTracks WHERE DeleteFlag = False AND AlbumTrackID = " + std::to_string(track)), 0);
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes().back(), "The album: Lonely is now empty. Do you want to delete the album?");
    frame->SetLibraryTree(nullptr);
    frame->DestroyWindow();
    m_screen.pump();
}
