// The search tab and the docking tab window on a real library filled through the import: library
// searches by each field and match mode, typed texts that hold the database's quote and wildcard
// characters, disk searches under a folder of the test's own, and the tab window's two tabs.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/AppSettings.h"
#include "app/SearchDlgIds.h"
#include "app/SearchPatterns.h"
#include "app/tests/MainFrameListFixture.h"
#include "library/LibraryLocations.h"
#include "library/RegistryRoutines.h"
#include "library/TrackEdits.h"
#include "platform/user/Dbt.h"
#include "toolkit/controls/SEC3DTabControl.h"

namespace fs = std::filesystem;

namespace {

// A search dialog whose folder walk lets a test act between two folders.
class SteppedSearchDlg : public CSearchDlg {
public:
    using CSearchDlg::CSearchDlg;
    std::function<void(const CString&)> m_betweenFolders;
    std::vector<std::string> m_folders;
    int m_shown { 0 };

protected:
    void AfterFolderSearched(const CString& folder) override
    {
        m_folders.emplace_back(folder.GetString());
        if (m_betweenFolders)
            m_betweenFolders(folder);
        CSearchDlg::AfterFolderSearched(folder);
    }
    void ShowResults() override { ++m_shown; }
};

class Search : public frame_test::MainFrameList<> {
protected:
    void BeforeFrame() override
    {
        DeleteRegistryKey(GetLibraryFolderName() + "\\TreeState");
        WriteRegistryValue("", "LastMusicSearchPath", kSettingsSection);
        WriteRegistryValue("F", "LastMusicSearchRecursive", kSettingsSection);
    }
    void SetUp() override
    {
        MainFrameList::SetUp();
        if (HasFatalFailure())
            return;
        // The view joined the frame after it was made: paint the whole window as the program shows it.
        m_frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        m_screen.pump();
    }

    CDockingTabWnd& Tabs() { return m_frame->m_wndDockingTabs; }
    CSearchDlg& Dialog() { return Tabs().m_dlgSearch; }

    // Imports one file a track, each a copy of one tone with its own tags; the disk searches do not
    // meet the tone.
    void Import(const std::vector<std::vector<std::u16string>>& tracks)
    {
        for (const auto& tags : tracks)
            ImportTrack(tags[0], tags[1], tags[2]);
        fs::remove(m_tone);
        m_tone.clear();
    }
    void OpenLibrary()
    {
        m_frame->OnLibraryOpened();
        m_screen.pump();
    }

    // Types into the dialog's controls and presses Search, as the user does.
    void SearchLibrary(int field, int match, const std::string& text)
    {
        Dialog().SetSearchIn(CSearchDlg::searchLibrary, TRUE);
        Dialog().SendDlgItemMessage(IDC_SEARCH_FIELD, CB_SETCURSEL, field);
        Dialog().SendDlgItemMessage(IDC_SEARCH_MATCH, CB_SETCURSEL, match);
        Dialog().SetDlgItemText(IDC_SEARCH_STRING, text.c_str());
        PressSearch();
    }
    void SearchDisk(const std::string& location, const std::string& text, int fileType, bool recursive)
    {
        Dialog().SetSearchIn(CSearchDlg::searchDisk, TRUE);
        Dialog().SetDlgItemText(IDC_SEARCH_LOCATION, location.c_str());
        Dialog().SendDlgItemMessage(IDC_SEARCH_FILE_TYPE, CB_SETCURSEL, fileType);
        Dialog().CheckDlgButton(IDC_SEARCH_RECURSIVE, recursive ? BST_CHECKED : BST_UNCHECKED);
        Dialog().SetDlgItemText(IDC_SEARCH_STRING, text.c_str());
        PressSearch();
    }
    void PressSearch()
    {
        Dialog().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEARCH_START, BN_CLICKED),
            reinterpret_cast<LPARAM>(Dialog().GetDlgItem(IDC_SEARCH_START)->m_hWnd));
        m_screen.pump();
    }

    // The texts of a field over the rows the list shows, sorted.
    std::vector<std::string> Shown(const char* field)
    {
        std::vector<std::string> texts;
        CStringList list;
        if (m_frame->m_viewRecordset.HasRecordset())
            m_frame->m_viewRecordset.GetColumnText(_variant_t(field), list);
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
            texts.emplace_back(list.GetNext(pos).GetString());
        std::sort(texts.begin(), texts.end());
        EXPECT_EQ(static_cast<size_t>(m_view->SendMessage(LVM_GETITEMCOUNT)), texts.size());
        return texts;
    }
    std::vector<std::string> FoundFiles() const
    {
        std::vector<std::string> names;
        const CStringList& files = m_frame->m_wndDockingTabs.m_dlgSearch.m_files;
        for (POSITION pos = files.GetHeadPosition(); pos != nullptr;)
            names.emplace_back(files.GetNext(pos).GetString());
        return names;
    }
    bool ResultsNodeSelected()
    {
        CMainTreeCtrl& tree = Tabs().m_wndTree;
        return tree.m_hSearchResults != nullptr && tree.GetSelectedItem() == tree.m_hSearchResults
            && m_frame->m_nSelectedKind == kindSearchResults;
    }
    int ActiveTab()
    {
        int active = -1;
        Tabs().m_wndTabs.GetActiveTab(active);
        return active;
    }
    // A click in the middle of a tab, as the tab strip receives it.
    void ClickTab(int index)
    {
        auto* strip = dynamic_cast<SEC3DTabControl*>(Tabs().m_wndTabs.GetTabControl());
        ASSERT_NE(strip, nullptr);
        CRect rect;
        strip->GetTabRect(index, rect);
        const LPARAM at = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
        strip->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        strip->SendMessage(WM_LBUTTONUP, 0, at);
        m_screen.pump();
    }
    // A file of the test's folder, made with its parent folders.
    void MakeFile(const std::string& relative)
    {
        const fs::path path = fs::current_path() / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "x";
    }
    std::string Program(const std::string& relative) const
    {
        std::string path = m_folder + "\\" + relative;
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    }
};

} // namespace

TEST(SearchPatterns, TypedTextStandsForItselfInTheLikeLiteral)
{
    using namespace SearchPatterns;
    struct Case {
        const char* typed;
        int match;
        const char* pattern;
    } cases[] = {
        { "Bea", matchBeginsWith, "Bea%" },
        { "Bea", matchIs, "Bea" },
        { "Bea", matchContains, "%Bea%" },
        { "Bea", matchEndsWith, "%Bea" },
        { "Bea", 7, "" },
        { "*", matchIs, "%" },
        { "*", matchEndsWith, "%" },
        { "Rock 'n' Roll", matchIs, "Rock ''n'' Roll" },
        { "100% a_b [x]", matchIs, "100[%] a[_]b [[]x]" },
        { "*?#", matchContains, "%[*][?][#]%" },
        { "' OR 1=1 --", matchIs, "'' OR 1=1 --" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(LibraryPattern(c.typed, c.match)), c.pattern) << c.typed;
    EXPECT_EQ(std::string(DiskPattern("d:\\", "", ".mp3 ")), "d:\\*.mp3");
    EXPECT_EQ(std::string(DiskPattern("c:\\Music\\", "Be*", ".m3u ")), "c:\\Music\\Be*.m3u");
    EXPECT_EQ(std::string(SavedSearchPath("c:\\Music\\Rock")), "c:\\Music\\");
    EXPECT_EQ(std::string(SavedSearchPath("c:\\Music\\Rock\\")), "c:\\Music\\Rock\\");
    EXPECT_EQ(std::string(SavedSearchPath("Rock")), "");
}

TEST_F(Search, EachFieldAndMatchModeListsTheMatchingTracks)
{
    Import({ { u"Beach Walk", u"Beatrice", u"Sunbeams" }, { u"Night Bea", u"The Bears", u"Beatific" },
        { u"Abeam", u"Zebedee", u"Label Bea" } });
    // A deleted track is never found.
    Import({ { u"Bea Gone", u"Beatrice", u"Sunbeams" } });
    ASSERT_TRUE(theLibraryConnection.ExecuteSql(
        "UPDATE tMusicTracks SET DeleteFlag = True WHERE TrackTitle = 'Bea Gone'", nullptr, adCmdText));
    OpenLibrary();
    using namespace SearchPatterns;
    struct Case {
        int field;
        int match;
        const char* text;
        std::vector<std::string> titles;
    } cases[] = {
        { fieldTrackTitle, matchIs, "beach walk", { "Beach Walk" } },
        { fieldTrackTitle, matchContains, "Bea", { "Abeam", "Beach Walk", "Night Bea" } },
        { fieldTrackTitle, matchBeginsWith, "Bea", { "Beach Walk" } },
        { fieldTrackTitle, matchEndsWith, "Bea", { "Night Bea" } },
        { fieldArtist, matchIs, "Beatrice", { "Beach Walk" } },
        { fieldArtist, matchContains, "bea", { "Beach Walk", "Night Bea" } },
        { fieldArtist, matchBeginsWith, "Bea", { "Beach Walk" } },
        { fieldArtist, matchEndsWith, "ee", { "Abeam" } },
        { fieldAlbumTitle, matchIs, "Sunbeams", { "Beach Walk" } },
        { fieldAlbumTitle, matchContains, "bea", { "Abeam", "Beach Walk", "Night Bea" } },
        { fieldAlbumTitle, matchBeginsWith, "Bea", { "Night Bea" } },
        { fieldAlbumTitle, matchEndsWith, "Bea", { "Abeam" } },
        { fieldArtist, matchIs, "*", { "Abeam", "Beach Walk", "Night Bea" } },
        { fieldArtist, matchContains, "nobody", {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.field) + "/" + std::to_string(c.match) + " " + c.text);
        SearchLibrary(c.field, c.match, c.text);
        EXPECT_EQ(Dialog().m_nResultKind, CSearchDlg::resultTracks);
        EXPECT_EQ(m_frame->GetSearchMode(), 0);
        EXPECT_TRUE(ResultsNodeSelected());
        EXPECT_EQ(ActiveTab(), CDockingTabWnd::treeTab);
        EXPECT_EQ(m_frame->GetSelectionKind(), selectionTracks);
        EXPECT_EQ(Shown("TrackTitle"), c.titles);
        // The buttons are back for the next search.
        EXPECT_TRUE(Dialog().GetDlgItem(IDC_SEARCH_START)->IsWindowEnabled());
        EXPECT_FALSE(Dialog().GetDlgItem(IDC_SEARCH_STOP)->IsWindowEnabled());
    }
    // One Search Results node, first at the top, whatever the number of searches.
    CMainTreeCtrl& tree = Tabs().m_wndTree;
    EXPECT_EQ(tree.GetRootItem(), tree.m_hSearchResults);
    EXPECT_EQ(tree.GetItemText(tree.m_hSearchResults, 0), CString("Search Results"));
    EXPECT_EQ(tree.GetNextSiblingItem(tree.m_hSearchResults), tree.m_hMusic);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Search, ATitleWithQuotesAndWildcardsIsFoundExactly)
{
    // Each decoy matches the title when one of its characters is read as a wildcard.
    const std::u16string title = u"It's 100% a_b [x] *";
    Import({ { title, u"A", u"One" }, { u"It's 1000 aXb xx] Z", u"B", u"Two" }, { u"Its 100% a_b [x] *", u"C", u"Three" },
        { u"It's 100% a_b x] *", u"D", u"Four" }, { u"*", u"E", u"Five" } });
    OpenLibrary();
    using namespace SearchPatterns;
    struct Case {
        int match;
        const char* text;
        std::vector<std::string> titles;
    } cases[] = {
        { matchIs, "It's 100% a_b [x] *", { "It's 100% a_b [x] *" } },
        { matchContains, "0%", { "It's 100% a_b [x] *", "It's 100% a_b x] *", "Its 100% a_b [x] *" } },
        { matchContains, "a_b", { "It's 100% a_b [x] *", "It's 100% a_b x] *", "Its 100% a_b [x] *" } },
        { matchContains, "[x]", { "It's 100% a_b [x] *", "Its 100% a_b [x] *" } },
        { matchBeginsWith, "It's", { "It's 100% a_b [x] *", "It's 100% a_b x] *", "It's 1000 aXb xx] Z" } },
        { matchEndsWith, "[x] *", { "It's 100% a_b [x] *", "Its 100% a_b [x] *" } },
        { matchIs, "' OR ''='", {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SearchLibrary(fieldTrackTitle, c.match, c.text);
        EXPECT_EQ(Shown("TrackTitle"), c.titles);
    }
    // "*" alone stays everything; within a text it is a character like any other.
    SearchLibrary(fieldTrackTitle, matchIs, "*");
    EXPECT_EQ(Shown("TrackTitle").size(), 5u);
    SearchLibrary(fieldTrackTitle, matchEndsWith, " *");
    EXPECT_EQ(Shown("TrackTitle").size(), 3u);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Search, ADiskSearchFindsTheMusicFilesAndOnlyThem)
{
    for (const char* file : { "songs/a.mp3", "songs/B.MP3", "songs/list.m3u", "songs/notes.txt", "songs/a.mp3.bak",
             "songs/inner/c.mp3", "songs/inner/deeper/d.mp3", "songs/inner/e.wav", "elsewhere/f.mp3" })
        MakeFile(file);
    fs::create_directories(fs::current_path() / "songs" / "folder.mp3");
    OpenLibrary();
    struct Case {
        std::string location;
        const char* text;
        int type;
        bool recursive;
        std::vector<std::string> files;
    } cases[] = {
        { Program("songs\\"), "", 0, false, { "songs/B.MP3", "songs/a.mp3" } },
        { Program("songs\\"), "*", 0, true,
            { "songs/B.MP3", "songs/a.mp3", "songs/inner/c.mp3", "songs/inner/deeper/d.mp3" } },
        { Program("songs\\"), "", 1, true, { "songs/list.m3u" } },
        { Program("songs\\"), "c", 0, true, { "songs/inner/c.mp3" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.location + " " + c.text);
        SearchDisk(c.location, c.text, c.type, c.recursive);
        std::vector<std::string> expected;
        for (const std::string& file : c.files)
            expected.push_back(Program(file));
        std::vector<std::string> found = FoundFiles();
        std::sort(found.begin(), found.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(found, expected);
        EXPECT_EQ(Dialog().m_nResultKind, CSearchDlg::resultFiles);
        EXPECT_EQ(m_frame->GetSearchMode(), 1);
        EXPECT_TRUE(ResultsNodeSelected());
        EXPECT_EQ(m_frame->GetSelectionKind(), selectionFiles);
        EXPECT_EQ(Shown("Name").size(), expected.size());
    }
    // The next search starts where this one did.
    EXPECT_EQ(std::string(ReadRegistryValue("LastMusicSearchPath", kSettingsSection)), Program("songs\\"));
    EXPECT_EQ(std::string(ReadRegistryValue("LastMusicSearchRecursive", kSettingsSection)), "T");
    EXPECT_TRUE(Boxes().empty());
    // Without a closing "\" the location's last part begins the file names: "inner*.mp3" in songs.
    SearchDisk(Program("songs\\inner"), "", 0, false);
    EXPECT_EQ(std::string(ReadRegistryValue("LastMusicSearchPath", kSettingsSection)), Program("songs\\"));
    EXPECT_EQ(std::string(ReadRegistryValue("LastMusicSearchRecursive", kSettingsSection)), "F");
    EXPECT_EQ(Boxes(), std::vector<std::string> { "This file does not exist!" });
    // Media leaving another drive changes nothing; leaving the searched one empties the results.
    SearchDisk(Program("songs\\"), "", 0, true);
    ASSERT_EQ(FoundFiles().size(), 4u);
    const int drive = std::toupper(static_cast<unsigned char>(m_folder[0])) - 'A';
    for (const int removed : { (drive + 1) % 26, drive }) {
        DEV_BROADCAST_VOLUME volume;
        volume.dbcv_size = sizeof volume;
        volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
        volume.dbcv_unitmask = 1U << removed;
        volume.dbcv_flags = DBTF_MEDIA;
        m_frame->SendMessage(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&volume));
        EXPECT_EQ(FoundFiles().size(), removed == drive ? 0u : 4u);
        EXPECT_EQ(Shown("Name").size(), removed == drive ? 0u : 4u);
    }
    // The data source's folder is the current one again.
    char current[MAX_PATH] {};
    GetCurrentDirectory(MAX_PATH, current);
    EXPECT_EQ(std::string(current) + "\\", std::string(GetDataSourceDirectory()));
}

TEST_F(Search, MissingLocationsVanishingFoldersStopsAndLongTextsEndWithAMessageOrWhatWasFound)
{
    for (const char* file : { "tree/a.mp3", "tree/one/b.mp3", "tree/two/c.mp3", "tree/three/d.mp3" })
        MakeFile(file);
    // A dialog of its own beside the frame's, whose walk the test steps through.
    SteppedSearchDlg stepped(&Tabs().m_wndTabs);
    ASSERT_TRUE(stepped.Create(IDD_SEARCH, &Tabs().m_wndTabs));
    OpenLibrary();
    auto press = [&] {
        stepped.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEARCH_START, BN_CLICKED),
            reinterpret_cast<LPARAM>(stepped.GetDlgItem(IDC_SEARCH_START)->m_hWnd));
        m_screen.pump();
    };
    auto search = [&](const std::string& location, const std::string& text) {
        stepped.m_folders.clear();
        stepped.SetSearchIn(CSearchDlg::searchDisk, TRUE);
        stepped.SetDlgItemText(IDC_SEARCH_LOCATION, location.c_str());
        stepped.CheckDlgButton(IDC_SEARCH_RECURSIVE, BST_CHECKED);
        stepped.SetDlgItemText(IDC_SEARCH_STRING, text.c_str());
        press();
    };
    auto found = [&] { return static_cast<size_t>(stepped.m_files.GetCount()); };

    // No location: the example message, nothing searched.
    search("", "");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], "Please specify search location. For instance: \nc:\\ or d:\\ or c:\\Program Files\\");
    EXPECT_EQ(stepped.m_nResultKind, CSearchDlg::resultNone);
    EXPECT_TRUE(stepped.m_folders.empty());

    // A sub-folder that goes while the walk is in its parent: the others are still found.
    stepped.m_betweenFolders = [&](const CString& folder) {
        if (std::string(folder) == Program("tree\\"))
            fs::remove_all(fs::current_path() / "tree" / "two");
    };
    search(Program("tree\\"), "");
    EXPECT_EQ(found(), 3u);
    EXPECT_EQ(stepped.m_folders.size(), 4u);

    // The whole folder gone before the walk reaches it: nothing found, the Part's message.
    stepped.m_betweenFolders = nullptr;
    fs::remove_all(fs::current_path() / "tree");
    search(Program("tree\\"), "");
    EXPECT_EQ(found(), 0u);
    EXPECT_EQ(stepped.m_nResultKind, CSearchDlg::resultFiles);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1], "This file does not exist!");

    // Stop clicked while the first folder is searched: what was found so far stands.
    for (const char* file : { "tree/a.mp3", "tree/one/b.mp3", "tree/two/c.mp3" })
        MakeFile(file);
    stepped.m_betweenFolders = [&](const CString&) {
        if (stepped.m_folders.size() != 1)
            return;
        CWnd* stop = stepped.GetDlgItem(IDC_SEARCH_STOP);
        EXPECT_TRUE(stop->IsWindowEnabled());
        stop->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        stop->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    };
    search(Program("tree\\"), "");
    EXPECT_EQ(stepped.m_folders.size(), 1u);
    EXPECT_EQ(found(), 1u);
    EXPECT_TRUE(stepped.GetDlgItem(IDC_SEARCH_START)->IsWindowEnabled());
    EXPECT_FALSE(stepped.GetDlgItem(IDC_SEARCH_STOP)->IsWindowEnabled());
    EXPECT_EQ(stepped.m_shown, 2);

    // A very long text, on the disks and in the library: nothing found, no failure.
    stepped.m_betweenFolders = nullptr;
    const std::string longText(20000, 'x');
    search(Program("tree\\"), longText);
    EXPECT_EQ(found(), 0u);
    ASSERT_EQ(Boxes().size(), 3u);
    EXPECT_EQ(Boxes()[2], "This file does not exist!");
    stepped.DestroyWindow();
    SearchLibrary(SearchPatterns::fieldTrackTitle, SearchPatterns::matchContains, longText + "'%");
    EXPECT_TRUE(ResultsNodeSelected());
    EXPECT_TRUE(Shown("TrackTitle").empty());
    EXPECT_EQ(Boxes().size(), 3u);
}

TEST_F(Search, TheTabWindowHoldsTheTreeAndTheSearchWhichWaitsForALibrary)
{
    Import({ { u"Beach Walk", u"Beatrice", u"Sunbeams" } });
    CRect bar;
    Tabs().GetWindowRect(&bar);
    EXPECT_EQ(bar.Width(), 220);
    EXPECT_TRUE(Tabs().m_wndTree.IsWindowVisible());
    // No library yet: the search tab does not answer.
    ClickTab(CDockingTabWnd::searchTab);
    EXPECT_EQ(ActiveTab(), CDockingTabWnd::treeTab);
    EXPECT_FALSE(Dialog().IsWindowVisible());

    OpenLibrary();
    EXPECT_NE(Tabs().m_wndTree.m_hAll, nullptr);
    EXPECT_EQ(m_screen.compareWithGolden(bar, TS_APP_TEST_DIR "/golden/LibraryTab.png"), "");
    // With a library the tab shows the search, its controls set up again from the settings.
    WriteRegistryValue("T", "LastMusicSearchRecursive", kSettingsSection);
    ClickTab(CDockingTabWnd::searchTab);
    EXPECT_EQ(ActiveTab(), CDockingTabWnd::searchTab);
    EXPECT_TRUE(Dialog().IsWindowVisible());
    EXPECT_FALSE(Tabs().m_wndTree.IsWindowVisible());
    EXPECT_EQ(Dialog().IsDlgButtonChecked(IDC_SEARCH_RECURSIVE), BST_CHECKED);
    EXPECT_EQ(Dialog().SendDlgItemMessage(IDC_SEARCH_IN, CB_GETCOUNT), 2);
    EXPECT_EQ(m_screen.compareWithGolden(bar, TS_APP_TEST_DIR "/golden/SearchTab.png"), "");

    // The search commands bring the tab to the front in their mode; the typed text stays.
    Dialog().SetDlgItemText(IDC_SEARCH_STRING, "Bea");
    ClickTab(CDockingTabWnd::treeTab);
    m_frame->SendMessage(WM_COMMAND, ID_TOOLS_SEARCH_FOR_MUSIC_FILE);
    EXPECT_EQ(ActiveTab(), CDockingTabWnd::searchTab);
    EXPECT_TRUE(Dialog().GetDlgItem(IDC_SEARCH_LOCATION)->IsWindowVisible());
    EXPECT_FALSE(Dialog().GetDlgItem(IDC_SEARCH_FIELD)->IsWindowVisible());
    CString text;
    Dialog().GetDlgItemText(IDC_SEARCH_STRING, text);
    EXPECT_EQ(text, CString("Bea"));
    // Floating, the docking window has no close button.
    m_frame->FloatControlBar(&Tabs(), CPoint(300, 200));
    m_screen.pump();
    CFrameWnd* floating = Tabs().GetParentFrame();
    ASSERT_NE(floating, m_frame);
    EXPECT_EQ(floating->GetStyle() & WS_SYSMENU, 0u);
    // A device of the product without disks searches the library only.
    App().m_strProduct = "SONGVAULT";
    Dialog().InitControls();
    EXPECT_EQ(Dialog().SendDlgItemMessage(IDC_SEARCH_IN, CB_GETCOUNT), 1);

    // Closing the library with the search in front leaves the (empty) tree in front, not the form
    // under a tab that no longer answers.
    m_frame->DockControlBar(&Tabs());
    ClickTab(CDockingTabWnd::searchTab);
    ASSERT_EQ(ActiveTab(), CDockingTabWnd::searchTab);
    m_frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE_LIBRARY);
    m_screen.pump();
    EXPECT_EQ(ActiveTab(), CDockingTabWnd::treeTab);
    EXPECT_FALSE(Dialog().IsWindowVisible());
    EXPECT_TRUE(Tabs().m_wndTree.IsWindowVisible());
    ClickTab(CDockingTabWnd::searchTab);
    EXPECT_EQ(ActiveTab(), CDockingTabWnd::treeTab);
}
