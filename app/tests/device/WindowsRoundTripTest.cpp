// The whole program as a person meets it, driven only by input into its windows against an emulated
// device on this machine: the sample library opened through the menu and the chooser, the device's
// library opened, a folder of music imported through the file dialog, a playlist and a group made
// through the tree and the menus, the library synchronised to the device and a change made there
// brought back into the tree and the list.

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CMainTreeCtrl.h"
#include "app/CPelicanApp.h"
#include "app/CPelicanView.h"
#include "app/CSyncProgressDlg.h"
#include "app/SampleLibrary.h"
#include "app/AppSettings.h"
#include "library/AppRoutines.h"
#include "app/TuneStewardIds.h"
#include "app/tests/TypedKeys.h"
#include "app/tests/device/EmulatorStart.h"
#include "app/tests/device/FileFingerprints.h"
#include "library/RegistryRoutines.h"
#include "library/tests/support/MessageBoxRecorder.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/base/HomeFolder.h"
#include "platform/base/Modules.h"
#include "platform/base/Paths.h"
#include "platform/cddb/tests/Mp3Fixtures.h"
#include "platform/shell/ChooserWindow.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"
#include "tools/device-emulator/DeviceEmulator.h"
#include "tools/device-emulator/DeviceLibrary.h"

using platform::user::InjectKey;

namespace {

// What the test does at a modal moment of the program (a dialog's or a menu's loop run dry): true
// once done; false when the moment is not the one the step waits for (the loop then goes on).
using Step = std::function<bool(WPARAM loop, HWND modal)>;

std::string WindowText(HWND window)
{
    char text[512] {};
    ::GetWindowText(window, text, sizeof(text));
    return text;
}

std::deque<Step> g_steps;
std::map<HWND, WNDPROC> g_procs;
std::vector<std::string> g_unexpected;

LRESULT CALLBACK Hand(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE) {
        HWND modal = reinterpret_cast<HWND>(lParam);
        if (!g_steps.empty() && g_steps.front()(wParam, modal)) {
            g_steps.pop_front();
        } else if (wParam == MSGF_MENU) {
            // A menu or dialog no step waits for would wait for ever; the progress dialog runs by itself.
            g_unexpected.emplace_back("a menu no step expected");
            ::EndMenu();
        } else if (g_steps.empty() && !dynamic_cast<CSyncProgressDlg*>(CWnd::FromHandlePermanent(modal))) {
            g_unexpected.push_back("a dialog no step expected: " + WindowText(modal));
            ::PostMessage(modal, WM_COMMAND, IDCANCEL, 0);
        }
        return 0;
    }
    return ::CallWindowProc(g_procs.at(window), window, message, wParam, lParam);
}

void Subclass(HWND window)
{
    if (g_procs.count(window) == 0)
        g_procs[window] = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Hand)));
}

void Unsubclass()
{
    for (const auto& [window, proc] : g_procs)
        if (::IsWindow(window))
            ::SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    g_procs.clear();
}

using typed_keys::Key;
using typed_keys::Type;

// A menu of the menu bar by its mnemonic, then the items by theirs, one at each idle moment of the menu.
void MenuKeys(char menu, std::string items)
{
    for (char item : items)
        g_steps.push_back([item](WPARAM loop, HWND) {
            if (loop != MSGF_MENU)
                return false;
            Key(item);
            return true;
        });
    InjectKey(VK_MENU, true);
    Key(menu);
    InjectKey(VK_MENU, false);
}

void Click(POINT screen, platform::user::MouseButton button = platform::user::MouseButton::Left)
{
    platform::user::InjectMouseMove(screen);
    platform::user::InjectMouseButton(button, true);
    platform::user::InjectMouseButton(button, false);
}

POINT CentreOf(HWND window)
{
    RECT r {};
    ::GetWindowRect(window, &r);
    return POINT { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
}


bool IsChooser(HWND modal) { return ::GetDlgItem(modal, IDC_CLIENT_DEVICES) != nullptr; }

// The steps that follow the running one, before those queued after it.
void Then(std::vector<Step> next) { g_steps.insert(g_steps.begin() + 1, next.begin(), next.end()); }

// The next idle moment of a dialog: the action, given the dialog.
Step OnDialog(std::function<void(HWND)> act)
{
    return [act](WPARAM loop, HWND modal) {
        if (loop != MSGF_DIALOGBOX)
            return false;
        act(modal);
        return true;
    };
}

// Down from the first entry to the index by the keyboard; then Return.
void KeysTo(int index)
{
    Key(VK_HOME);
    for (int i = 0; i < index; ++i)
        Key(VK_DOWN);
}

// The library chooser once its search is over: the entry with the text taken from its drop-down list by
// the keyboard, then OK clicked; Cancel clicked for an empty text. The entries it offered are kept.
Step ChooseLibrary(std::string entry, std::vector<std::string>* offered = nullptr)
{
    return [entry, offered](WPARAM loop, HWND modal) {
        if (loop != MSGF_DIALOGBOX || !IsChooser(modal) || !::IsWindowEnabled(::GetDlgItem(modal, IDOK)))
            return false;
        HWND box = ::GetDlgItem(modal, IDC_CLIENT_DEVICES);
        const int count = static_cast<int>(::SendMessage(box, CB_GETCOUNT, 0, 0));
        int index = -1;
        for (int i = 0; i < count; ++i) {
            char text[256] {};
            ::SendMessage(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            if (offered)
                offered->emplace_back(text);
            if (entry == text)
                index = i;
        }
        if (index < 0) {
            if (!entry.empty())
                g_unexpected.push_back("the chooser does not offer " + entry);
            Click(CentreOf(::GetDlgItem(modal, IDCANCEL)));
            return true;
        }
        // The field, not the middle of the window, which holds the dropped list's place too.
        RECT field {};
        ::GetWindowRect(box, &field);
        Click(POINT { (field.left + field.right) / 2, field.top + 6 });
        Then({ OnDialog([index](HWND) {
                  KeysTo(index);
                  Key(VK_RETURN);
              }),
            OnDialog([](HWND chooser) { Click(CentreOf(::GetDlgItem(chooser, IDOK))); }) });
        return true;
    };
}

// A selection dialog's row that starts with the text, chosen by the keyboard, then OK clicked.
Step ChooseRow(std::string row)
{
    return [row](WPARAM loop, HWND modal) {
        HWND list = loop == MSGF_DIALOGBOX ? ::FindWindowEx(modal, nullptr, "ListBox", nullptr) : nullptr;
        if (!list)
            return false;
        const int index = static_cast<int>(::SendMessage(list, LB_FINDSTRING, static_cast<WPARAM>(-1),
            reinterpret_cast<LPARAM>(row.c_str())));
        if (index < 0) {
            g_unexpected.push_back("no row " + row);
            Click(CentreOf(::GetDlgItem(modal, IDCANCEL)));
            return true;
        }
        Click(CentreOf(list));
        Then({ OnDialog([index](HWND) { KeysTo(index); }),
            OnDialog([](HWND dialog) { Click(CentreOf(::GetDlgItem(dialog, IDOK))); }) });
        return true;
    };
}

class WindowsRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The program runs in its home folder, where the installer placed the sample library; the
        // emulated device keeps its library there too, since the component resolves its transfer paths
        // against the current folder.
        m_previousFolder = std::filesystem::current_path();
        std::filesystem::current_path(platform::HomeFolder());
        ASSERT_EQ(PlaceSampleLibrary(), SampleLibraryPlacement::Placed);
        // Discovery asks this machine only.
        WriteRegistryValue("T", "CustomBroadcastMask", kSettingsSection);
        WriteRegistryValue("127.0.0.1", "CustomBroadcastMaskList", kSettingsSection);

        std::string error;
        ASSERT_TRUE(StartEmulator(m_emulator, error)) << error;
    }
    void TearDown() override
    {
        platform::SetChooserShownHook(nullptr);
        g_steps.clear();
        if (m_app) {
            if (FrameAlive()) {
                Frame()->m_bSyncRunning = FALSE;
                m_app->m_bSyncDialogOnExit = FALSE;
                Unsubclass();
                Frame()->SendMessage(WM_CLOSE);
            }
            m_app->ExitInstance();
            m_app.reset();
        }
        Unsubclass();
        m_emulator.Stop();
        std::filesystem::current_path(m_previousFolder);
    }

    void Start()
    {
        m_app = std::make_unique<CPelicanApp>();
        m_app->m_hInstance = ::GetModuleHandle(nullptr);
        m_app->SetCurrentHandles();
        ASSERT_TRUE(m_app->InitInstance());
        Subclass(Frame()->m_hWnd);
        Subclass(Tree().m_hWnd);
        Run();
    }
    // The messages as the application's loop runs them, then its idle work.
    void Run()
    {
        for (int round = 0; round < 3; ++round) {
            MSG msg;
            while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT)
                    return;
                if (!m_app->PreTranslateMessage(&msg)) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessage(&msg);
                }
            }
            for (LONG count = 0; m_app->OnIdle(count); ++count) { }
            m_screen.pump();
        }
    }
    CMainFrame* Frame() const { return dynamic_cast<CMainFrame*>(m_app->m_pMainWnd); }
    bool FrameAlive() const { return m_app->m_pMainWnd && ::IsWindow(m_app->m_pMainWnd->m_hWnd); }
    CMainTreeCtrl& Tree() const { return Frame()->m_wndDockingTabs.m_wndTree; }
    HWND List() const { return Frame()->GetListView()->m_hWnd; }

    std::vector<std::string> Children(HTREEITEM parent) const
    {
        std::vector<std::string> labels;
        for (HTREEITEM h = Tree().GetChildItem(parent); h != nullptr; h = Tree().GetNextSiblingItem(h))
            labels.emplace_back(Tree().GetItemText(h, 0));
        return labels;
    }
    HTREEITEM Child(HTREEITEM parent, const std::string& label) const
    {
        for (HTREEITEM h = Tree().GetChildItem(parent); h != nullptr; h = Tree().GetNextSiblingItem(h))
            if (label == static_cast<const char*>(Tree().GetItemText(h, 0)))
                return h;
        return nullptr;
    }
    // A press on the item's label: the left button selects it, the right one opens its menu.
    void ClickItem(HTREEITEM item, platform::user::MouseButton button = platform::user::MouseButton::Left)
    {
        ASSERT_NE(item, nullptr);
        Tree().EnsureVisible(item);
        Run();
        CRect rect;
        Tree().GetCellRect(Tree().RowOfItem(item), 0, rect, LVIR_LABEL);
        POINT point = rect.CenterPoint();
        ::ClientToScreen(Tree().m_hWnd, &point);
        Click(point, button);
        Run();
    }
    // The item's context menu, its command by mnemonic, then the steps of what the command shows.
    void ItemCommand(HTREEITEM item, char mnemonic, std::vector<Step> then = {})
    {
        g_steps.push_back([mnemonic](WPARAM loop, HWND) {
            if (loop != MSGF_MENU)
                return false;
            Key(mnemonic);
            return true;
        });
        g_steps.insert(g_steps.end(), then.begin(), then.end());
        ClickItem(item, platform::user::MouseButton::Right);
    }
    // The label edit a new node opened (its text selected), typed over and ended with Return.
    void NameNewNode(const std::string& name)
    {
        Type(name);
        Key(VK_RETURN);
        Run();
    }
    // A press on a row of the list.
    void ClickRow(int row)
    {
        RECT rect {};
        rect.left = LVIR_LABEL;
        ::SendMessage(List(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
        POINT point { rect.left + 10, (rect.top + rect.bottom) / 2 };
        ::ClientToScreen(List(), &point);
        Click(point);
        Run();
    }
    // The list's rows as its window shows them: the texts of the column with the heading.
    std::vector<std::string> ListColumn(const std::string& heading) const
    {
        HWND header = reinterpret_cast<HWND>(::SendMessage(List(), LVM_GETHEADER, 0, 0));
        int column = -1;
        for (int i = 0; header && i < static_cast<int>(::SendMessage(header, HDM_GETITEMCOUNT, 0, 0)); ++i) {
            char text[128] {};
            HDITEM item {};
            item.mask = HDI_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            ::SendMessage(header, HDM_GETITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            if (heading == text)
                column = i;
        }
        std::vector<std::string> texts;
        if (column < 0)
            return { "no column " + heading };
        const int rows = static_cast<int>(::SendMessage(List(), LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < rows; ++row) {
            char text[256] {};
            LVITEM item {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            ::SendMessage(List(), LVM_GETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            texts.emplace_back(text);
        }
        return texts;
    }
    void ExpectStepsDone(const char* what)
    {
        EXPECT_TRUE(g_steps.empty()) << what << ": " << g_steps.size() << " steps left";
        g_steps.clear();
        EXPECT_TRUE(g_unexpected.empty()) << what << ": " << ::testing::PrintToString(g_unexpected);
        g_unexpected.clear();
        EXPECT_TRUE(m_boxes.Texts().empty()) << what << ": " << ::testing::PrintToString(m_boxes.Texts());
        m_boxes.Clear();
    }

    // Tagged MP3 files in a folder of the home; their fingerprints.
    std::multiset<std::string> MakeMusicFolder(const std::string& folder, const std::vector<std::string>& names)
    {
        std::multiset<std::string> files;
        const std::filesystem::path home = std::filesystem::current_path();
        std::filesystem::create_directories(home / folder);
        std::filesystem::current_path(home / folder);
        for (size_t i = 0; i < names.size(); ++i) {
            const std::string album = i < 3 ? "Harbour Lights" : "Night Trains";
            const std::string artist = i < 3 ? "Ada Lane" : "Bo Reed";
            const std::string title = "Song " + std::to_string(i + 1);
            const std::string path = mp3fixtures::MakeMp3(names[i],
                "--tt '" + title + "' --ta '" + artist + "' --tl '" + album + "' --tn " + std::to_string(i % 3 + 1));
            files.insert(fingerprints::Fingerprint(fingerprints::Bytes(path)));
        }
        std::filesystem::current_path(home);
        return files;
    }

    // The test screen keeps its standing clock for the windows; the emulated device and the component
    // wait in real time, so the real clock is in force while the emulator lives and goes after it.
    platform::user::TestScreen m_screen { 1024, 768 };
    platform::ScopedClock m_realTime { std::make_shared<platform::SystemClock>() };
    emulator::DeviceEmulator m_emulator { emulator::EmulatorOptions {} };
    MessageBoxRecorder m_boxes;
    std::unique_ptr<CPelicanApp> m_app;
    std::filesystem::path m_previousFolder;
};

} // namespace

TEST_F(WindowsRoundTrip, TheLibraryGoesThroughTheWindowsToTheDeviceAndTheDevicesChangeComesBack)
{
    Start();
    ASSERT_TRUE(FrameAlive());

    // A press on the splash ends it, and its end opens the chooser; this first time the user cancels.
    std::vector<std::string> offered;
    g_steps.push_back(ChooseLibrary("", &offered));
    Click(POINT { 512, 384 });
    Run();
    EXPECT_FALSE(m_app->m_bSplashUp);
    EXPECT_EQ(offered, (std::vector<std::string> { "Emulated Music Server", "Local Library" }));
    ExpectStepsDone("the chooser after the splash");
    EXPECT_EQ(WindowText(Frame()->m_hWnd), "Aldercrest Tune Steward");

    // File / Open Library: the sample library.
    MenuKeys('F', "O");
    g_steps.push_back(ChooseLibrary("Local Library"));
    Run();
    ExpectStepsDone("opening the local library");
    ASSERT_TRUE(IsLibraryOpen());
    EXPECT_EQ(WindowText(Frame()->m_hWnd), "Aldercrest Tune Steward(Local Library )");
    EXPECT_NE(Tree().m_hPlaylists, nullptr);
    EXPECT_NE(Tree().m_hGroups, nullptr);
    CRect window;
    Frame()->GetWindowRect(&window);
    // The pointer rests on the status bar, where it changes nothing on the picture.
    platform::user::InjectMouseMove(POINT { window.left + 100, window.bottom - 12 });
    Run();
    EXPECT_EQ(m_screen.compareWithGolden(window, TS_APP_TEST_DIR "/golden/LibraryOpen.png"), "");

    // The sample library closes, and the device's library opens: a device met for the first time gets a
    // library of its own, brought up to date with the device as it opens.
    MenuKeys('F', "C");
    Run();
    EXPECT_FALSE(IsLibraryOpen());
    MenuKeys('F', "O");
    g_steps.push_back(ChooseLibrary("Emulated Music Server"));
    Run();
    ExpectStepsDone("opening the device's library");
    ASSERT_TRUE(IsLibraryOpen());
    EXPECT_EQ(WindowText(Frame()->m_hWnd), "Aldercrest Tune Steward(Emulated Music Server )");
    EXPECT_NE(Frame()->m_pDevice, nullptr);

    // A folder of music imported through File / Import Music File and its file dialog.
    const std::multiset<std::string> files
        = MakeMusicFolder("Incoming", { "h1.mp3", "h2.mp3", "h3.mp3", "n1.mp3", "n2.mp3", "n3.mp3" });
    platform::SetChooserShownHook([](HWND) {
        Type("Incoming");
        Key(VK_RETURN);
        Type("\"h1.mp3\" \"h2.mp3\" \"h3.mp3\" \"n1.mp3\" \"n2.mp3\" \"n3.mp3\"");
        Key(VK_RETURN);
    });
    MenuKeys('F', "M");
    Run();
    platform::SetChooserShownHook(nullptr);
    ExpectStepsDone("the import");
    const std::vector<std::string> albums { "Harbour Lights", "Night Trains" };
    EXPECT_EQ(Children(Tree().m_hAlbums), albums);

    // A playlist and a group made through the tree's menus and named in their labels.
    ItemCommand(Tree().m_hPlaylists, 'N');
    NameNewNode("Evening");
    ItemCommand(Tree().m_hGroups, 'N');
    NameNewNode("Late Night");
    ExpectStepsDone("the new nodes");
    EXPECT_EQ(Children(Tree().m_hPlaylists), std::vector<std::string> { "Evening" });
    ASSERT_NE(Child(Tree().m_hGroups, "Late Night"), nullptr);

    // An album into the group through its node's menu and the selection dialog.
    ItemCommand(Child(Tree().m_hAlbums, "Night Trains"), 'A', { ChooseRow("Late Night") });
    ExpectStepsDone("the album into the group");
    EXPECT_EQ(Children(Child(Tree().m_hGroups, "Late Night")), std::vector<std::string> { "Night Trains" });

    // Two tracks of the other album into the playlist through Media / Playlist / Add Track To Playlist.
    ClickItem(Child(Tree().m_hAlbums, "Harbour Lights"));
    ASSERT_EQ(ListColumn("Track").size(), 3u);
    for (int row : { 0, 2 }) {
        ClickRow(row);
        MenuKeys('M', "PA");
        g_steps.push_back(ChooseRow("Evening"));
        Run();
        ExpectStepsDone("a track into the playlist");
    }
    ClickItem(Child(Tree().m_hPlaylists, "Evening"));
    EXPECT_EQ(ListColumn("Track"), (std::vector<std::string> { "Song 1", "Song 3" }));

    // File / Synchronize Library: everything goes to the device, the files byte for byte.
    MenuKeys('F', "S");
    Run();
    ExpectStepsDone("the first synchronisation");
    ASSERT_TRUE(IsLibraryOpen());
    EXPECT_EQ(m_emulator.Library().Count(emulator::ItemKind::Mp3Album), 2u);
    EXPECT_EQ(m_emulator.Library().Count(emulator::ItemKind::Playlist), 1u);
    EXPECT_EQ(fingerprints::FileContents(m_emulator.Options().folder, ".mp3"), files);
    std::vector<std::string> deviceGroups;
    for (const emulator::LibraryItem& item : m_emulator.Library().Items()) {
        if (item.kind == emulator::ItemKind::MusicGroup)
            deviceGroups.push_back(item.primaryKey);
    }
    EXPECT_NE(std::find(deviceGroups.begin(), deviceGroups.end(), "Late Night"), deviceGroups.end())
        << ::testing::PrintToString(deviceGroups);

    // On the device the playlist loses its first track and is renamed; here a new playlist with a track
    // is made, which gives the library the change that Synchronize Library waits for.
    for (const emulator::LibraryItem& item : m_emulator.Library().Items()) {
        if (item.kind != emulator::ItemKind::Playlist)
            continue;
        std::string document = item.document;
        document.replace(document.find("<title>Evening"), 14, "<title>Late Evening");
        const size_t first = document.find("<track number=\"1\"");
        ASSERT_NE(first, std::string::npos) << document;
        document.erase(first, document.find("</track>", first) + 8 - first);
        const size_t second = document.find("<track number=\"2\"");
        ASSERT_NE(second, std::string::npos) << document;
        document.replace(second, 17, "<track number=\"1\"");
        const emulator::DocumentFacts facts { item.kind, item.path, item.primaryKey, "Late Evening", item.groups,
            item.identifier };
        ASSERT_TRUE(m_emulator.Library().Change(item.path, facts, document));
    }
    ItemCommand(Tree().m_hPlaylists, 'N');
    NameNewNode("Morning");
    ExpectStepsDone("the second playlist");
    EXPECT_EQ(Children(Tree().m_hPlaylists), (std::vector<std::string> { "Evening", "Morning" }));
    ClickItem(Child(Tree().m_hAlbums, "Night Trains"));
    ClickRow(1);
    MenuKeys('M', "PA");
    g_steps.push_back(ChooseRow("Morning"));
    Run();
    ExpectStepsDone("a track into the second playlist");
    MenuKeys('F', "S");
    Run();
    EXPECT_FALSE(IsLibraryModified());
    ExpectStepsDone("the second synchronisation");
    ASSERT_TRUE(IsLibraryOpen());
    EXPECT_EQ(Children(Tree().m_hPlaylists), (std::vector<std::string> { "Late Evening", "Morning" }));
    ClickItem(Child(Tree().m_hPlaylists, "Late Evening"));
    EXPECT_EQ(ListColumn("Track"), std::vector<std::string> { "Song 3" });
    EXPECT_EQ(m_emulator.Library().Count(emulator::ItemKind::Playlist), 2u);
    EXPECT_EQ(fingerprints::FileContents(m_emulator.Options().folder, ".mp3"), files);
}
