// The main frame on its own: closing a library with each answer to the synchronise question, the
// status bar's progress, the device's hold on suspending, a command chosen on the menu bar, and the
// placement rules.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "toolkit/controls/SECToolBarManager.h"
#include "app/CPelicanApp.h"
#include "app/TuneStewardIds.h"
#include "app/WindowPlacement.h"
#include "library/AppRoutines.h"
#include "library/_ADOConnectionHelper.h"
#include "library/tests/support/LibraryFile.h"
#include "library/tests/support/TestFolder.h"
#include "platform/afx/CPropertySheet.h"
#include "platform/afx/CTabCtrl.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"
#include "sync/QVSyncDevice.h"

using platform::user::TestScreen;

namespace {

// A frame whose synchronise question is answered by the test and whose synchronisation and refresh
// commands are counted; the first idle moment of a menu loop runs the test's step, later ones end the
// menu so that no test waits on a menu left open.
class RecordingFrame : public CMainFrame {
public:
    int answer { IDYES };
    int asked { 0 };
    int synchronised { 0 };
    int refreshes { 0 };
    std::function<void()> onMenuIdle;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID == ID_VIEW_REFRESH && nCode == CN_COMMAND && !pHandlerInfo)
            ++refreshes;
        return CMainFrame::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_ENTERIDLE)
            return CMainFrame::WindowProc(message, wParam, lParam);
        if (auto step = std::move(onMenuIdle)) {
            onMenuIdle = nullptr;
            step();
        } else {
            ::EndMenu();
        }
        return 0;
    }

protected:
    int AskSynchronizeOnClose() override
    {
        ++asked;
        return answer;
    }
    void SynchronizeOnClose() override { ++synchronised; }
};

class MainFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(nullptr);
        m_app = std::make_unique<CPelicanApp>();
        m_app->SetRegistryKey("Corvane");
        m_frame = new RecordingFrame;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        m_frame->RecalcLayout();
        m_app->m_pMainWnd = m_frame;
    }
    void TearDown() override
    {
        if (::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        theLibraryConnection.Close();
        m_app.reset();
        CoUninitialize();
    }
    // A device object of the synchronisation component; the test keeps a reference of its own.
    IQVClientDevice* NewDevice()
    {
        CComObject<QVSyncDevice>* object = nullptr;
        EXPECT_EQ(CComObject<QVSyncDevice>::CreateInstance(&object), S_OK);
        object->AddRef();
        return object;
    }
    void OpenDeviceLibrary()
    {
        ASSERT_EQ(platform::EnsureDataAccessRegistered(), S_OK);
        const std::string path = testing_support::CurrentDirectory() + "\\lib.mdb";
        if (!m_made)
            testing_support::MakeLibraryFile(path, true);
        m_made = true;
        ASSERT_TRUE(theLibraryConnection.OpenDatabase(path.c_str()));
        m_app->m_bLocalLibrary = FALSE;
    }

    TestScreen m_screen { 1024, 768 };
    std::unique_ptr<CPelicanApp> m_app;
    RecordingFrame* m_frame { nullptr };
    bool m_made { false };
};

} // namespace

TEST_F(MainFrame, ClosingADeviceLibraryFollowsTheAnswer)
{
    struct Case {
        const char* name;
        bool modified;
        BOOL askOnExit;
        int answer;
        bool closes;
        int asked;
        int synchronised;
    };
    const Case cases[] = {
        { "cancel keeps it open", true, TRUE, IDCANCEL, false, 1, 0 },
        { "yes synchronises", true, TRUE, IDYES, true, 1, 1 },
        { "no closes without", true, TRUE, IDNO, true, 1, 0 },
        { "unchanged asks nothing", false, TRUE, IDYES, true, 0, 0 },
        { "prompt off synchronises unasked", true, FALSE, IDCANCEL, true, 0, 1 },
    };
    for (const Case& c : cases) {
        OpenDeviceLibrary();
        IQVClientDevice* device = NewDevice();
        device->AddRef();
        m_frame->m_pDevice = device;
        m_frame->m_nSelectedKind = 7;
        SetLibraryModified(c.modified);
        m_app->m_bSyncDialogOnExit = c.askOnExit;
        m_frame->answer = c.answer;
        m_frame->asked = m_frame->synchronised = 0;

        EXPECT_EQ(m_frame->CloseLibrary(), c.closes) << c.name;
        EXPECT_EQ(m_frame->asked, c.asked) << c.name;
        EXPECT_EQ(m_frame->synchronised, c.synchronised) << c.name;
        EXPECT_EQ(IsLibraryOpen(), !c.closes) << c.name;
        EXPECT_EQ(m_frame->m_pDevice == nullptr, c.closes) << c.name;
        EXPECT_EQ(IsLibraryModified(), !c.closes && c.modified) << c.name;
        if (c.closes) {
            EXPECT_EQ(m_frame->m_nSelectedKind, 0) << c.name;
            CString caption;
            m_frame->GetWindowText(caption);
            EXPECT_STREQ(caption, "Aldercrest Tune Steward") << c.name;
        }
        m_frame->ReleaseDevice();
        // Only the test's own reference is left: the frame released exactly the one it held.
        EXPECT_EQ(device->Release(), 0u) << c.name;
        theLibraryConnection.Close();
    }
}

TEST_F(MainFrame, ClosingTheLocalLibraryOrNothingNeverAsks)
{
    EXPECT_TRUE(m_frame->CloseLibrary());
    OpenDeviceLibrary();
    m_app->m_bLocalLibrary = TRUE;
    SetLibraryModified(true);
    EXPECT_TRUE(m_frame->CloseLibrary());
    EXPECT_EQ(m_frame->asked, 0);
    EXPECT_FALSE(IsLibraryOpen());
}

TEST_F(MainFrame, ProgressBarIsMadeOnFirstUseAndKeptWithinItsRange)
{
    EXPECT_EQ(m_frame->SendMessage(WM_PROGRESS_RESET), 1);
    EXPECT_FALSE(m_frame->m_bProgressVisible);
    struct Case {
        WPARAM asked;
        int shown;
    };
    for (const Case& c : { Case { 0, 1 }, Case { 37, 37 }, Case { 100, 100 }, Case { 5000, 100 },
             Case { static_cast<WPARAM>(-3), 1 } }) {
        EXPECT_EQ(m_frame->SendMessage(WM_PROGRESS_SETPOS, c.asked), 1);
        EXPECT_EQ(m_frame->m_wndProgress.GetPos(), c.shown) << c.asked;
    }
    EXPECT_TRUE(m_frame->m_bProgressVisible);
    CRect pane, bar;
    m_frame->m_wndStatusBar.GetItemRect(CMainFrame::kProgressPane, &pane);
    m_frame->m_wndProgress.GetWindowRect(&bar);
    m_frame->m_wndStatusBar.ScreenToClient(&bar);
    EXPECT_EQ(bar, pane);
    m_frame->SendMessage(WM_PROGRESS_RESET);
    EXPECT_EQ(m_frame->m_wndProgress.GetPos(), 0);
}

TEST_F(MainFrame, SuspendIsDeniedOnlyWhileTheDeviceIsHeld)
{
    EXPECT_NE(m_frame->SendMessage(WM_POWERBROADCAST, PBT_APMQUERYSUSPEND), BROADCAST_QUERY_DENY);
    IQVClientDevice* device = NewDevice();
    m_frame->m_pDevice = device;
    EXPECT_EQ(m_frame->SendMessage(WM_POWERBROADCAST, PBT_APMQUERYSUSPEND), BROADCAST_QUERY_DENY);
    EXPECT_NE(m_frame->SendMessage(WM_POWERBROADCAST, 7 /* resume */), BROADCAST_QUERY_DENY);
    device->AddRef();
    EXPECT_EQ(m_frame->SendMessage(WM_RELEASE_DEVICE), 1);
    EXPECT_EQ(m_frame->m_pDevice, nullptr);
    EXPECT_NE(m_frame->SendMessage(WM_POWERBROADCAST, PBT_APMQUERYSUSPEND), BROADCAST_QUERY_DENY);
    EXPECT_EQ(device->Release(), 0u);
}

TEST_F(MainFrame, AMenuBarCommandReachesTheFrameOnce)
{
    m_frame->ShowWindow(SW_SHOW);
    m_frame->SetActiveWindow();
    m_frame->SetFocus();
    const auto pump = [&] {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!m_app->PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
    };
    const auto key = [](int vk) {
        platform::user::InjectKey(vk, true);
        platform::user::InjectKey(vk, false);
    };
    pump();
    // View, then Refresh by its mnemonic in the open popup.
    m_frame->onMenuIdle = [&] { key('R'); };
    platform::user::InjectKey(VK_MENU, true);
    key('V');
    platform::user::InjectKey(VK_MENU, false);
    pump();
    pump();
    EXPECT_FALSE(m_frame->onMenuIdle) << "the popup never opened";
    EXPECT_EQ(m_frame->refreshes, 1);
}

// The toolbar and the bitmap menus draw from one image store: a painted toolbar must leave its images
// free for the menus.
TEST_F(MainFrame, TheMenuBarsPopupsShowTheToolbarsImages)
{
    m_frame->MoveWindow(0, 0, 800, 600);
    m_frame->ShowWindow(SW_SHOW);
    m_frame->SetActiveWindow();
    m_frame->SetFocus();
    m_screen.pump();
    std::string diff = "the popup never opened";
    m_frame->onMenuIdle = [&] {
        m_screen.pump();
        CRect popup;
        ::GetWindowRect(::FindWindowEx(nullptr, nullptr, "#32768", nullptr), &popup);
        diff = m_screen.compareWithGolden(popup, TS_APP_TEST_DIR "/golden/FileMenu.png");
        ::EndMenu();
    };
    platform::user::InjectKey(VK_MENU, true);
    platform::user::InjectKey('F', true);
    platform::user::InjectKey('F', false);
    platform::user::InjectKey(VK_MENU, false);
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!m_app->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    EXPECT_EQ(diff, "");
}

TEST(WindowPlacementRules, DefaultPlacementOnLargeAndSmallScreens)
{
    struct Case {
        CRect window;
        CSize screen;
        CRect placed;
        bool changed;
    };
    const Case cases[] = {
        { CRect(10, 20, 900, 700), CSize(1024, 768), CRect(10, 20, 900, 700), false },
        { CRect(10, 20, 310, 220), CSize(1024, 768), CRect(10, 20, 780, 530), true },
        // Grown past the screen's edge: centred along that side.
        { CRect(600, 400, 700, 500), CSize(1024, 768), CRect(127, 129, 897, 639), true },
        { CRect(10, 20, 900, 700), CSize(640, 480), CRect(0, 0, 640, 480), true },
        { CRect(10, 20, 900, 700), CSize(800, 600), CRect(10, 20, 900, 700), false },
    };
    for (const Case& c : cases) {
        bool changed = false;
        EXPECT_EQ(WindowPlacement::Adjust(c.window, c.screen, changed), c.placed);
        EXPECT_EQ(changed, c.changed);
    }
}

TEST(WindowPlacementRules, SavedRectangleIsReadFromTheRight)
{
    struct Case {
        const char* text;
        bool counts;
        CRect rect;
    };
    const CRect start(1, 2, 3, 4);
    const Case cases[] = {
        { "100,50,700,850", true, CRect(50, 100, 850, 700) },
        { "700,850,100,50", true, CRect(50, 100, 850, 700) }, // normalised
        { "9,700,850", false, CRect(1, 2, 850, 700) },       // no left or top: not a change; right and bottom taken
        { "", false, start },
        { "a,b,c,d", true, CRect(0, 0, 0, 0) },
    };
    for (const Case& c : cases) {
        CRect rect = start;
        EXPECT_EQ(WindowPlacement::ReadSaved(c.text, rect), c.counts) << c.text;
        EXPECT_EQ(rect, c.rect) << c.text;
    }
    EXPECT_STREQ(WindowPlacement::Format(CRect(50, 100, 850, 700)), "100,50,700,850");
}

TEST_F(MainFrame, CustomizeShowsTheToolbarsAndCommandsOfTheFramesBars)
{
    m_frame->ShowWindow(SW_SHOW);
    std::string caption;
    std::vector<std::string> tabs;
    bool applyShown = true;
    bool helpShown = true;
    m_frame->onMenuIdle = [&] {
        auto* sheet = dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
        ASSERT_NE(sheet, nullptr);
        CString text;
        sheet->GetWindowText(text);
        caption = text.GetString();
        CTabCtrl* tab = sheet->GetTabControl();
        for (int i = 0; tab && i < tab->GetItemCount(); ++i) {
            char label[64] {};
            TCITEM item {};
            item.mask = TCIF_TEXT;
            item.pszText = label;
            item.cchTextMax = sizeof label;
            tab->GetItem(i, &item);
            tabs.emplace_back(label);
        }
        const auto shown = [&](int id) {
            HWND button = ::GetDlgItem(sheet->m_hWnd, id);
            return button != nullptr && ::IsWindowVisible(button);
        };
        applyShown = shown(ID_APPLY_NOW);
        helpShown = shown(IDHELP);
        sheet->PressButton(PSBTN_CANCEL);
    };
    m_frame->SendMessage(WM_COMMAND, ID_VIEW_CUSTOMIZE_TOOLBAR, 0);
    EXPECT_FALSE(m_frame->onMenuIdle) << "the sheet never showed";
    EXPECT_EQ(caption, "Customize");
    EXPECT_EQ(tabs, (std::vector<std::string> { "Toolbars", "Command" }));
    EXPECT_FALSE(applyShown);
    EXPECT_FALSE(helpShown);
}
