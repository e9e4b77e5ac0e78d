// The whole program started on the headless screen against the test's own fresh home: the splash, the
// main frame with its menu and status bar, the About box, the settings it reads and writes, the window
// placement kept between runs and the installer's request to close.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/AppSettings.h"
#include "app/CLogoWnd.h"
#include "app/CMainFrame.h"
#include "app/CPelicanApp.h"
#include "app/StartupHelp.h"
#include "app/TuneStewardIds.h"
#include "platform/afx/CClientDC.h"
#include "platform/afx/CView.h"
#include "toolkit/controls/SECMenuBar.h"
#include "library/RegistryRoutines.h"
#include "platform/afx/tests/MenuTexts.h"
#include "platform/base/HomeFolder.h"
#include "platform/base/Modules.h"
#include "platform/base/Thread.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"

using platform::user::TestScreen;

namespace {

// The top-level windows of the thread that are visible, topmost and of the size given.
HWND FindTopmost(int width, int height)
{
    struct Search {
        int width, height;
        HWND found;
    } search { width, height, nullptr };
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM data) {
            auto* s = reinterpret_cast<Search*>(data);
            RECT r {};
            ::GetWindowRect(window, &r);
            if (::IsWindowVisible(window) && (::GetWindowLongPtr(window, GWL_EXSTYLE) & WS_EX_TOPMOST)
                && r.right - r.left == s->width && r.bottom - r.top == s->height)
                s->found = window;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What the frame's modal loops do when they run dry: the test's step, then Cancel.
std::function<void(HWND)> g_onIdleDialog;
WNDPROC g_frameProc = nullptr;

LRESULT CALLBACK AnswerModal(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE) {
        HWND modal = reinterpret_cast<HWND>(lParam);
        if (g_onIdleDialog) {
            auto step = std::move(g_onIdleDialog);
            g_onIdleDialog = nullptr;
            step(modal);
        }
        ::PostMessage(modal, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
    return ::CallWindowProc(g_frameProc, hWnd, message, wParam, lParam);
}

std::string WindowText(HWND window)
{
    char text[512] {};
    ::GetWindowText(window, text, sizeof(text));
    return text;
}

class Program : public ::testing::Test {
protected:
    void TearDown() override { Stop(); }

    void Start(int width = 1024, int height = 768)
    {
        m_screen = std::make_unique<TestScreen>(width, height);
        m_app = std::make_unique<CPelicanApp>();
        m_app->m_hInstance = ::GetModuleHandle(nullptr);
        m_app->SetCurrentHandles();
        ASSERT_TRUE(m_app->InitInstance());
        Run();
    }
    // Ends the program as its loop does after the main window closed.
    void Stop()
    {
        if (!m_app)
            return;
        if (FrameAlive()) {
            Frame()->m_bSyncRunning = FALSE;
            Frame()->SendMessage(WM_CLOSE);
        }
        m_app->ExitInstance();
        m_app.reset();
        m_screen.reset();
    }
    // The messages as the application's loop runs them, then its idle work.
    void Run()
    {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                break;
            if (!m_app->PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
        for (LONG count = 0; m_app->OnIdle(count); ++count) { }
        m_screen->pump();
    }
    void EndSplash()
    {
        m_screen->advance(std::chrono::milliseconds(2500));
        Run();
    }
    CMainFrame* Frame() const { return dynamic_cast<CMainFrame*>(m_app->m_pMainWnd); }
    HMENU MenuBarMenu() const
    {
        CMenu* menu = Frame()->GetCurrentMenu();
        return menu ? menu->GetSafeHmenu() : nullptr;
    }
    bool FrameAlive() const { return m_app->m_pMainWnd && ::IsWindow(m_app->m_pMainWnd->m_hWnd); }
    CRect FrameRect() const
    {
        CRect r;
        Frame()->GetWindowRect(&r);
        return r;
    }

    std::unique_ptr<TestScreen> m_screen;
    std::unique_ptr<CPelicanApp> m_app;
};

} // namespace

TEST_F(Program, ShowsTheSplashThenTheMainFrameWithItsMenuAndStatusBar)
{
    Start();
    EXPECT_TRUE(m_app->m_bSplashUp);
    HWND splash = FindTopmost(360, 220);
    ASSERT_NE(splash, nullptr);
    CRect splashRect;
    ::GetWindowRect(splash, &splashRect);
    EXPECT_EQ(splashRect.CenterPoint(), CPoint(512, 384));

    ASSERT_NE(Frame(), nullptr);
    EXPECT_TRUE(Frame()->IsWindowVisible());
    // The list view's first update names the maker in the caption.
    EXPECT_EQ(WindowText(Frame()->m_hWnd), "Aldercrest Tune Steward");
    // The menu bar takes the place of the window's menu.
    EXPECT_EQ(::GetMenu(Frame()->m_hWnd), nullptr);
    ASSERT_NE(Frame()->GetMenuBar(), nullptr);
    EXPECT_TRUE(Frame()->GetMenuBar()->IsWindowVisible());
    EXPECT_EQ(afx_test::MenuTexts(MenuBarMenu()),
        (std::vector<std::string> { "&File", "&Media", "&View", "&Tools", "&Help" }));
    // The default toolbar holds the buttons of the toolbar resource.
    const CControlBar* toolbar = Frame()->GetControlBar(AFX_IDW_TOOLBAR);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_TRUE(toolbar->IsWindowVisible());
    EXPECT_EQ(Frame()->m_defaultToolBarButtons,
        (std::vector<UINT> { ID_FILE_OPEN_LIBRARY, ID_FILE_CLOSE_LIBRARY, 0, ID_FILE_SYNCHRONIZE_LIBRARY, 0, 57607, 0,
            ID_VIEW_REFRESH, 0, ID_HELP_TUNE_STEWARD, 57664 }));
    EXPECT_TRUE(Frame()->GetWorkspaceManager() != nullptr);
    EXPECT_TRUE(Frame()->m_wndStatusBar.IsWindowVisible());
    // The detail sheet lies below the record list, above the status bar, beside the docking tab
    // window on the left.
    ASSERT_NE(Frame()->m_pListView, nullptr);
    ASSERT_TRUE(Frame()->m_wndDetailSheet.IsWindowVisible());
    CRect list, sheet, status;
    Frame()->m_pListView->GetWindowRect(&list);
    Frame()->m_wndDetailSheet.GetWindowRect(&sheet);
    Frame()->m_wndStatusBar.GetWindowRect(&status);
    EXPECT_GT(list.Height(), 100);
    EXPECT_GT(sheet.Height(), 100);
    EXPECT_LE(list.bottom, sheet.top);
    EXPECT_LE(sheet.bottom, status.top);
    CRect tabs;
    Frame()->m_wndDockingTabs.GetWindowRect(&tabs);
    EXPECT_EQ(tabs.Width(), 220);
    EXPECT_GE(sheet.left, tabs.right);
    EXPECT_GT(sheet.right, FrameRect().right - 20);
    EXPECT_EQ(Frame()->m_wndStatusBar.GetItemID(0), 0u);
    EXPECT_EQ(Frame()->m_wndStatusBar.GetItemID(1), static_cast<UINT>(IDS_STATUS_PROGRESS_PANE));
    // A window smaller than the least size grows to it.
    EXPECT_GE(FrameRect().Width(), 770);
    EXPECT_GE(FrameRect().Height(), 510);

    // The splash goes by its timer and leaves the main frame.
    EndSplash();
    EXPECT_FALSE(m_app->m_bSplashUp);
    EXPECT_EQ(FindTopmost(360, 220), nullptr);
    EXPECT_EQ(m_screen->compareWithGolden(FrameRect(), TS_APP_TEST_DIR "/golden/MainFrame.png"), "");
}

TEST_F(Program, APressOnTheSplashEndsItAtOnce)
{
    Start();
    HWND splash = FindTopmost(360, 220);
    ASSERT_NE(splash, nullptr);
    ASSERT_EQ(::WindowFromPoint(POINT { 512, 384 }), splash);
    // Input as the program's own loop sees it, each message offered for pre-translation.
    platform::user::InjectMouseMove(POINT { 512, 384 });
    platform::user::InjectMouseButton(platform::user::MouseButton::Left, true);
    platform::user::InjectMouseButton(platform::user::MouseButton::Left, false);
    Run();
    EXPECT_FALSE(m_app->m_bSplashUp);
    EXPECT_FALSE(::IsWindow(splash));
    EXPECT_TRUE(FrameAlive());
}

TEST_F(Program, AboutBoxOpensFromTheHelpMenu)
{
    Start();
    EndSplash();
    g_frameProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(Frame()->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AnswerModal)));
    std::string caption, notice, rights;
    g_onIdleDialog = [&](HWND box) {
        caption = WindowText(box);
        notice = WindowText(::GetDlgItem(box, IDC_ABOUT_NOTICE));
        rights = WindowText(::GetDlgItem(box, IDC_ABOUT_RIGHTS));
    };
    Frame()->SendMessage(WM_COMMAND, 57664);
    ::SetWindowLongPtr(Frame()->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_frameProc));
    EXPECT_EQ(caption, "Aldercrest Tune Steward");
    EXPECT_EQ(notice.rfind("Aldercrest Tune Steward 1.2.4.1048\n", 0), 0u) << notice;
    EXPECT_EQ(rights, "Copyright Aldercrest. All rights reserved.");

    // The version resource says what the box says: file version 1.2.4.1048 in its fixed information,
    // which follows the 6-byte node header and the padded key "VS_VERSION_INFO".
    const HMODULE program = ::GetModuleHandle(nullptr);
    HRSRC found = ::FindResource(program, MAKEINTRESOURCE(1), RT_VERSION);
    ASSERT_NE(found, nullptr);
    const auto* data = static_cast<const std::uint8_t*>(::LockResource(::LoadResource(program, found)));
    ASSERT_GE(::SizeofResource(program, found), 92u);
    const auto dword = [data](std::size_t at) {
        return static_cast<std::uint32_t>(data[at] | data[at + 1] << 8 | data[at + 2] << 16 | data[at + 3] << 24);
    };
    EXPECT_EQ(dword(40), 0xFEEF04BDu);
    EXPECT_EQ(dword(48), (1u << 16) | 2u);
    EXPECT_EQ(dword(52), (4u << 16) | 1048u);
}

TEST(SplashPicture, UpToTwoHundredFiftySixColoursBringTheirOwnPaletteDeeperPicturesTheHalftone)
{
    platform::user::TestScreen screen { 640, 480 };
    BITMAPINFOHEADER header {};
    const struct {
        WORD bits;
        DWORD used;
        UINT colours;
    } counts[] = { { 1, 0, 2 }, { 4, 0, 16 }, { 8, 5, 5 }, { 8, 0, 256 }, { 24, 0, 1u << 24 } };
    for (const auto& c : counts) {
        header.biBitCount = c.bits;
        header.biClrUsed = c.used;
        EXPECT_EQ(CLogoWnd::ColorCount(header), c.colours) << c.bits << " bits, " << c.used << " used";
    }

    // The tree's 8-bit picture: its colour table, entry for entry.
    CBitmap tableBitmap;
    CPalette own;
    ASSERT_TRUE(CLogoWnd::LoadSplashBitmap(IDB_TREE_NODES, tableBitmap, own));
    DIBSECTION dib {};
    tableBitmap.GetObject(sizeof dib, &dib);
    std::vector<RGBQUAD> table(256);
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap* old = memory.SelectObject(&tableBitmap);
    ASSERT_EQ(GetDIBColorTable(memory.GetSafeHdc(), 0, 256, table.data()), 256u);
    memory.SelectObject(old);
    std::vector<PALETTEENTRY> entries(256);
    ASSERT_EQ(own.GetPaletteEntries(0, 256, entries.data()), 256u);
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_TRUE(entries[i].peRed == table[i].rgbRed && entries[i].peGreen == table[i].rgbGreen
            && entries[i].peBlue == table[i].rgbBlue && entries[i].peFlags == 0) << i;

    // The 24-bit splash: the screen's halftone palette.
    CBitmap splash;
    CPalette halftone;
    ASSERT_TRUE(CLogoWnd::LoadSplashBitmap(IDB_SPLASH, splash, halftone));
    CClientDC screenDc(nullptr);
    CPalette expected;
    expected.CreateHalftonePalette(screenDc.GetSafeHdc());
    const UINT count = expected.GetPaletteEntries(0, 0, nullptr);
    ASSERT_GT(count, 0u);
    ASSERT_EQ(halftone.GetPaletteEntries(0, 0, nullptr), count);
    std::vector<PALETTEENTRY> got(count), want(count);
    halftone.GetPaletteEntries(0, count, got.data());
    expected.GetPaletteEntries(0, count, want.data());
    EXPECT_EQ(std::memcmp(got.data(), want.data(), count * sizeof(PALETTEENTRY)), 0);
}

TEST(StartupHelp, TheHelpLibraryLetsStartUpGoOnAndAMissingOneStopsNothing)
{
    ASSERT_NE(LoadLibrary(kStartupHelpLibrary), nullptr) << "the program's help library is built beside it";
    EXPECT_TRUE(PrepareStartupHelp(kStartupHelpLibrary, "C:\\Help\\Tune Steward.chm"));
    EXPECT_TRUE(PrepareStartupHelp("NoSuchHelp.dll", "C:\\Help\\Tune Steward.chm"));
}

TEST_F(Program, WithoutSettingsTheDefaultsHoldAndTheInstallMessageIsPublishedWhileRunning)
{
    Start();
    EXPECT_TRUE(m_app->m_bSyncDialogOnExit);
    EXPECT_TRUE(m_app->m_bSaveWindowSettings);
    EXPECT_FALSE(m_app->m_bUseCDDBControl);
    EXPECT_FALSE(m_app->m_bIgnoreMp3Tags);
    EXPECT_FALSE(m_app->m_bCopyMusicFiles);
    EXPECT_EQ(m_app->m_hResourceDll, nullptr);
    for (BOOL confirm : m_app->m_bConfirmDelete)
        EXPECT_TRUE(confirm);
    const std::string help = m_app->m_strHelpFile.GetString();
    EXPECT_EQ(help.size() > 17 ? help.substr(help.size() - 17) : help, "\\Tune Steward.chm");
    EXPECT_STRNE(m_app->m_pszProfileName, "");
    EXPECT_STREQ(m_app->m_pszAppName, "Tune Steward");

    ASSERT_NE(m_app->m_nInstallMessage, 0u);
    EXPECT_EQ(m_app->m_nInstallMessage, ::RegisterWindowMessage(kInstallationMessageName));
    EXPECT_EQ(std::string(ReadRegistryValue("WM_INSTALL", kSettingsSection)), std::to_string(m_app->m_nInstallMessage));
    Stop();
    EXPECT_STREQ(ReadRegistryValue("WM_INSTALL", kSettingsSection), "");
}

TEST_F(Program, SettingsAreReadInTheirOwnForms)
{
    WriteRegistryValue("t", "UseLCID", kSettingsSection);
    WriteRegistryValue("f", "SaveWindowSettings", kSettingsSection);
    WriteRegistryValue("F", "SyncDialogOnExit", kSettingsSection);
    WriteRegistryValue("t", "UseCDDBControl", kSettingsSection);
    WriteRegistryValue("T", "CopyMusicFiles", kSettingsSection);
    WriteRegistryValue("yes", "IgnoreMp3Tags", kSettingsSection);
    WriteRegistryValue("Z:\\covers", "DefaultArtDirectory", kSettingsSection);
    WriteRegistryValue("C:\\Help\\", "HelpFileDirectory", kSettingsSection);
    WriteRegistryValue("F", "ConfirmDeleteArtist", kConfirmationSection);
    WriteRegistryValue("f", "ConfirmDeleteTrack", kConfirmationSection);
    setenv("LANG", "en_GB.UTF-8", 1);
    Start();
    EXPECT_FALSE(m_app->m_bSaveWindowSettings);
    EXPECT_FALSE(m_app->m_bSyncDialogOnExit);
    EXPECT_TRUE(m_app->m_bUseCDDBControl);
    EXPECT_TRUE(m_app->m_bCopyMusicFiles);
    EXPECT_FALSE(m_app->m_bIgnoreMp3Tags);
    EXPECT_STREQ(m_app->m_strDefaultArtDirectory, "Z:\\covers");
    EXPECT_STREQ(m_app->m_strHelpFile, "C:\\Help\\Tune Steward.chm");
    EXPECT_FALSE(m_app->m_bConfirmDelete[CPelicanApp::ConfirmArtist]);
    EXPECT_TRUE(m_app->m_bConfirmDelete[CPelicanApp::ConfirmTrack]);
    // The English language library takes the place of the program's own resources.
    ASSERT_NE(m_app->m_hResourceDll, nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), m_app->m_hResourceDll);
    EXPECT_TRUE(FrameAlive());
    Stop();
    EXPECT_NE(AfxGetResourceHandle(), nullptr);
}

TEST_F(Program, PlacementComesBackAtTheNextStart)
{
    // Saved as top, left, bottom, right.
    WriteRegistryValue("100,50,700,850", "MainWindowRect", kSettingsSection);
    Start();
    EXPECT_EQ(FrameRect(), CRect(50, 100, 850, 700));
    Frame()->MoveWindow(30, 40, 900, 600);
    Frame()->SendMessage(WM_CLOSE);
    Run();
    EXPECT_FALSE(FrameAlive());
    EXPECT_STREQ(ReadRegistryValue("MainWindowRect", kSettingsSection), "40,30,640,930");
    Stop();

    Start();
    EXPECT_EQ(FrameRect(), CRect(30, 40, 930, 640));
}

TEST_F(Program, BarsHiddenOrMovedComeBackAtTheNextStart)
{
    struct Case {
        const char* name;
        std::function<void(CMainFrame&, CControlBar&)> change;
        bool visible;
        bool floating;
    };
    const Case cases[] = {
        { "hidden", [](CMainFrame& frame, CControlBar& bar) { frame.ShowControlBar(&bar, FALSE, FALSE); }, false, false },
        // After the case before, the bar starts hidden.
        { "floated",
            [](CMainFrame& frame, CControlBar& bar) {
                frame.ShowControlBar(&bar, TRUE, FALSE);
                frame.FloatControlBar(&bar, CPoint(300, 300));
            },
            true, true },
    };
    for (const Case& c : cases) {
        Start();
        EndSplash();
        CControlBar* toolbar = Frame()->GetControlBar(AFX_IDW_TOOLBAR);
        ASSERT_NE(toolbar, nullptr) << c.name;
        c.change(*Frame(), *toolbar);
        Frame()->RecalcLayout();
        Run();
        Frame()->SendMessage(WM_CLOSE);
        Run();
        ASSERT_FALSE(FrameAlive()) << c.name;
        Stop();

        Start();
        toolbar = Frame()->GetControlBar(AFX_IDW_TOOLBAR);
        ASSERT_NE(toolbar, nullptr) << c.name;
        EXPECT_EQ(toolbar->IsVisible() != FALSE, c.visible) << c.name;
        EXPECT_EQ(toolbar->IsFloating() != FALSE, c.floating) << c.name;
        // The menu bar and the status bar stay where they were.
        EXPECT_TRUE(Frame()->GetMenuBar()->IsWindowVisible()) << c.name;
        EXPECT_TRUE(Frame()->m_wndStatusBar.IsWindowVisible()) << c.name;
        Stop();
    }
}

TEST_F(Program, ABadOrUnusableSavedPlacementFallsBackToTheDefault)
{
    for (const char* saved : { "5000,5000,5600,5800", "garbage", "1,2", ",,,", "" }) {
        WriteRegistryValue(saved, "MainWindowRect", kSettingsSection);
        Start();
        EXPECT_GE(FrameRect().Width(), 770) << saved;
        EXPECT_GE(FrameRect().Height(), 510) << saved;
        CRect screen(0, 0, 1024, 768), visible;
        EXPECT_TRUE(visible.IntersectRect(FrameRect(), &screen)) << saved;
        Stop();
    }
}

TEST_F(Program, OnASmallScreenTheWindowFillsIt)
{
    Start(640, 480);
    EXPECT_EQ(FrameRect(), CRect(0, 0, 640, 480));
}

TEST_F(Program, NothingClosesWhileASynchronisationRuns)
{
    Start();
    EndSplash();
    Frame()->m_bSyncRunning = TRUE;
    Frame()->SendMessage(WM_CLOSE);
    Frame()->SendMessage(WM_COMMAND, ID_INSTALLATION_REQUEST);
    ::PostThreadMessage(::GetCurrentThreadId(), m_app->m_nInstallMessage, 0, 0);
    Run();
    EXPECT_TRUE(FrameAlive());
    Frame()->m_bSyncRunning = FALSE;
}

TEST_F(Program, TheInstallersMessageClosesTheProgramWhereverItIsPosted)
{
    struct Case {
        const char* where;
        bool toThread;
    };
    for (const Case& c : { Case { "frame", false }, Case { "thread", true } }) {
        Start();
        EndSplash();
        if (c.toThread)
            ::PostThreadMessage(::GetCurrentThreadId(), m_app->m_nInstallMessage, 0, 0);
        else
            Frame()->PostMessage(m_app->m_nInstallMessage);
        Run();
        Run();
        EXPECT_FALSE(FrameAlive()) << c.where;
        Stop();
    }
}

TEST_F(Program, ADamagedSettingsHiveGivesTheDefaultsAndStaysAsItIs)
{
    const std::filesystem::path hive = platform::HomeFolder() / "user.reg";
    const std::string damaged = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Corvane\\Tune Steward\\Settings\n\"SaveWindowSettings\"=\"F\n\x01\x02";
    {
        std::ofstream out(hive, std::ios::binary);
        out << damaged;
    }
    Start();
    EXPECT_TRUE(m_app->m_bSaveWindowSettings);
    EXPECT_TRUE(m_app->m_bSyncDialogOnExit);
    EXPECT_TRUE(FrameAlive());
    EndSplash();
    Stop();
    std::ifstream in(hive, std::ios::binary);
    const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(after, damaged);
}

TEST_F(Program, AMissingLanguageLibraryLeavesTheProgramsOwnResources)
{
    WriteRegistryValue("T", "UseLCID", kSettingsSection);
    setenv("LANG", "de_DE.UTF-8", 1);
    Start();
    EXPECT_EQ(m_app->m_hResourceDll, nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), m_app->m_hInstance);
    ASSERT_TRUE(FrameAlive());
    EXPECT_EQ(afx_test::MenuTexts(MenuBarMenu()).size(), 5u);
}
