// The toolkit's MDI frame with docking bars and two children: activation, the Window menu, the ring
// of places for docked views, bars floating as MDI children, the bar context menu and the routing of
// commands nobody handled; the bar state, the workspace manager and command help it shares with the
// single-document frame.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/tests/MenuTexts.h"
#include "platform/base/HomeFolder.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"
#include "toolkit/frames/tests/FramesTestGeometry.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECControlBarMDIChildWnd.h"
#include "toolkit/frames/SECControlBarManager.h"
#include "toolkit/frames/SECControlsLink.h"
#include "toolkit/frames/SECFrameHelp.h"
#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/SECMDIChildWnd.h"
#include "toolkit/frames/SECMDIFrameWnd.h"
#include "toolkit/frames/SECWndPlugIn.h"

namespace {

constexpr UINT ID_BAR_TOP = 0xE820;
constexpr UINT ID_BAR_LEFT = 0xE821;

// Records what reaches the default procedure as WM_COMMAND.
class RecordingMDIFrame : public SECMDIFrameWnd {
public:
    std::vector<UINT> m_defaultCommands;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_defaultCommands.push_back(LOWORD(wParam));
        return SECMDIFrameWnd::DefWindowProc(message, wParam, lParam);
    }
};

// Records the help contexts asked for.
class HelpApp : public CWinApp {
public:
    using CWinApp::CWinApp;
    void WinHelp(DWORD_PTR dwData, UINT) override { m_help.push_back(static_cast<DWORD>(dwData)); }
    std::vector<DWORD> m_help;
};

class MDIFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new RecordingMDIFrame;
        ASSERT_TRUE(m_frame->Create(nullptr, "Library", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400)));
        m_app.m_pMainWnd = m_frame;
        m_menuBar = ::CreateMenu();
        m_windowMenu = ::CreatePopupMenu();
        ::AppendMenu(m_windowMenu, MF_STRING, ID_WINDOW_CASCADE, "&Cascade");
        ::AppendMenu(m_menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(m_windowMenu), "&Window");
        m_frame->MDISetMenu(CMenu::FromHandle(m_menuBar), CMenu::FromHandle(m_windowMenu));
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        m_top = NewBar("Tools", CBRS_TOP, ID_BAR_TOP);
        m_left = NewBar("Outline", CBRS_LEFT, ID_BAR_LEFT);
        for (const char* title : { "Alpha", "Beta" }) {
            auto* child = new SECMDIChildWnd;
            ASSERT_TRUE(child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CMDIChildWnd::rectDefault, m_frame));
            m_children.push_back(child);
        }
        m_frame->RecalcLayout();
        m_screen.pump();
    }
    void TearDown() override
    {
        m_app.m_pMainWnd = nullptr;
        if (::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        m_screen.pump();
    }
    SECControlBar* NewBar(const char* title, DWORD dwSide, UINT nID)
    {
        auto* pBar = new SECControlBar;
        pBar->m_bAutoDelete = TRUE;
        EXPECT_TRUE(pBar->Create(m_frame, title, WS_CHILD | WS_VISIBLE | dwSide | CBRS_SIZE_DYNAMIC, 0, nID));
        pBar->m_szHorz = CSize(200, 40);
        pBar->m_szVert = CSize(80, 200);
        pBar->m_szFloat = CSize(120, 90);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(pBar);
        return pBar;
    }
    CRect ClientRectOf(HWND hWnd)
    {
        CRect rect;
        ::GetWindowRect(hWnd, &rect);
        ::ScreenToClient(m_frame->m_hWndMDIClient, reinterpret_cast<POINT*>(&rect.left));
        ::ScreenToClient(m_frame->m_hWndMDIClient, reinterpret_cast<POINT*>(&rect.right));
        return rect;
    }

    platform::user::TestScreen m_screen { 640, 480 };
    HelpApp m_app { "mdi" };
    RecordingMDIFrame* m_frame { nullptr };
    HMENU m_menuBar { nullptr };
    HMENU m_windowMenu { nullptr };
    SECControlBar* m_top { nullptr };
    SECControlBar* m_left { nullptr };
    std::vector<SECMDIChildWnd*> m_children;
};

} // namespace

TEST_F(MDIFrame, TheChildrenShareTheAreaTheBarsLeaveAndActivateByClickAndWindowMenu)
{
    // The bars dock at their sides, the MDI client takes what they leave.
    CRect rectClient;
    ::GetWindowRect(m_frame->m_hWndMDIClient, &rectClient);
    CRect rectTop;
    CRect rectLeft;
    m_top->GetWindowRect(&rectTop);
    m_left->GetWindowRect(&rectLeft);
    EXPECT_LE(rectTop.bottom, rectClient.top);
    EXPECT_LE(rectLeft.right, rectClient.left);

    EXPECT_EQ(afx_test::MenuTexts(m_windowMenu), (std::vector<std::string> { "&Cascade", "-", "&1 Alpha", "*&2 Beta" }));
    EXPECT_EQ(m_frame->MDIGetActive(), m_children[1]);
    EXPECT_EQ(m_frame->GetActiveFrame(), m_children[1]);

    // A click into the first child activates it.
    m_children[0]->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(m_frame->m_hWnd), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    m_screen.pump();
    EXPECT_EQ(m_frame->MDIGetActive(), m_children[0]);
    EXPECT_EQ(afx_test::MenuTexts(m_windowMenu).back(), "&2 Beta");

    // The Window menu's item activates its child; an id nobody handles from 0xF000 on goes to the
    // default procedure once, as it came.
    m_frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD + 1, 0);
    m_screen.pump();
    EXPECT_EQ(m_frame->MDIGetActive(), m_children[1]);
    m_frame->m_defaultCommands.clear();
    m_frame->SendMessage(WM_COMMAND, 0xF1F0, 0);
    EXPECT_EQ(m_frame->m_defaultCommands, std::vector<UINT> { 0xF1F0 });
}

TEST_F(MDIFrame, DockedViewsGoRoundTheSidesStartingNewRowsAfterTheSeparators)
{
    struct Expected {
        UINT nDockBarID;
        SECDockPlacement placement;
    };
    const Expected expected[] = {
        { AFX_IDW_DOCKBAR_BOTTOM, { 0, 1, 6 } },
        { AFX_IDW_DOCKBAR_LEFT, { 1, 1, 7 } },
        { AFX_IDW_DOCKBAR_RIGHT, { 0, 1, 6 } },
        { AFX_IDW_DOCKBAR_BOTTOM, { 0, 1, 2 } },
        { AFX_IDW_DOCKBAR_LEFT, { 0, 1, 3 } },
        { AFX_IDW_DOCKBAR_RIGHT, { 0, 1, 2 } },
        { AFX_IDW_DOCKBAR_BOTTOM, { 0, 1, 2 } },
        { AFX_IDW_DOCKBAR_LEFT, { 1, 1, 7 } },
    };
    for (const Expected& e : expected) {
        UINT nID = 0;
        SECDockPlacement placement { -1, -1, 99 };
        SECDockSize size;
        m_frame->GetNextDockPosition(nID, placement, size);
        EXPECT_EQ(nID, e.nDockBarID);
        EXPECT_EQ(placement.m_nRow, e.placement.m_nRow) << &e - expected;
        EXPECT_EQ(placement.m_nCol, e.placement.m_nCol) << &e - expected;
        EXPECT_EQ(placement.m_dwFlags, e.placement.m_dwFlags) << &e - expected;
        EXPECT_EQ(size.m_fPct, 1.0F);
        EXPECT_EQ(size.m_nLength, 150);
    }
}

TEST_F(MDIFrame, BarsFloatAsMDIChildrenStepByStepAndClosingOneOnlyHidesItsBar)
{
    std::vector<SECControlBar*> bars { m_top, m_left, NewBar("Third", CBRS_BOTTOM, 0xE822) };
    std::vector<CPoint> places;
    for (SECControlBar* pBar : bars) {
        m_frame->FloatControlBarInMDIChild(pBar, -1, -1);
        m_screen.pump();
        ASSERT_TRUE(pBar->IsFloating());
        ASSERT_TRUE(pBar->IsMDIChild());
        places.push_back(ClientRectOf(pBar->GetParentFrame()->m_hWnd).TopLeft());
    }
    EXPECT_EQ(places, (std::vector<CPoint> { { 30, 30 }, { 50, 53 }, { 70, 76 } }));

    // Floating again at a screen point only moves the child.
    CFrameWnd* pChild = m_top->GetParentFrame();
    CPoint at(200, 150);
    ::ClientToScreen(m_frame->m_hWndMDIClient, &at);
    m_frame->FloatControlBarInMDIChild(m_top, at.x, at.y, CBRS_ALIGN_LEFT);
    EXPECT_EQ(m_top->GetParentFrame(), pChild);
    EXPECT_EQ(ClientRectOf(pChild->m_hWnd).TopLeft(), CPoint(200, 150));

    // Sizing the child sizes its bar with it.
    const auto sizeAt = [&](int cx, int cy) {
        pChild->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
        m_screen.pump();
        return m_top->CalcDynamicLayout(-1, LM_MRUWIDTH);
    };
    const CSize sizeSmall = sizeAt(260, 180);
    const CSize sizeLarge = sizeAt(300, 230);
    EXPECT_EQ(sizeLarge - sizeSmall, CSize(40, 50));

    // Closing hides the bar, keeps the window and activates the next child.
    m_frame->MDIActivate(pChild);
    m_screen.pump();
    pChild->SendMessage(WM_CLOSE);
    m_screen.pump();
    EXPECT_TRUE(::IsWindow(pChild->m_hWnd));
    EXPECT_FALSE(m_top->IsWindowVisible());
    EXPECT_NE(m_frame->MDIGetActive(), pChild);
}

TEST_F(MDIFrame, TheBarContextMenuOffersFloatingInTheMainWindowToBarsThatAskForIt)
{
    const auto menuOf = [&](SECControlBar* pBar) {
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, ID_SEC_ALLOWDOCKING, "Allow Docking");
        m_frame->SendMessage(WM_SEC_BAR_CONTEXTMENU, reinterpret_cast<WPARAM>(pBar), reinterpret_cast<LPARAM>(&menu));
        std::vector<std::string> texts = afx_test::MenuTexts(menu.m_hMenu);
        if (::GetMenuState(menu.m_hMenu, ID_SEC_ALLOWDOCKING, MF_BYCOMMAND) & MF_GRAYED)
            texts[0] += " (grayed)";
        menu.DestroyMenu();
        return texts;
    };
    EXPECT_EQ(menuOf(m_top), std::vector<std::string> { "Allow Docking" });
    m_top->m_dwExStyle |= BARX_MDI_FLOAT_ITEM;
    EXPECT_EQ(menuOf(m_top), (std::vector<std::string> { "Allow Docking", "-", "Float In Main Window" }));
    m_frame->FloatControlBarInMDIChild(m_top, -1, -1);
    EXPECT_EQ(menuOf(m_top), (std::vector<std::string> { "Allow Docking (grayed)", "-", "*Float In Main Window" }));
}

TEST_F(MDIFrame, TheBarStateComesBackFromTheProfileWithAHiddenBarStillHidden)
{
    m_app.SetCurrentHandles();
    std::free(const_cast<char*>(m_app.m_pszProfileName));
    m_app.m_pszProfileName = ::strdup("mdi-bars.ini");
    const auto profile = platform::HomeFolder() / "mdi-bars.ini";
    std::filesystem::remove(profile);
    m_frame->ShowControlBar(m_left, FALSE, FALSE);
    m_frame->SaveBarState("MDIBars");
    ASSERT_TRUE(std::filesystem::exists(profile));

    m_frame->ShowControlBar(m_left, TRUE, FALSE);
    m_frame->FloatControlBar(m_top, CPoint(300, 200));
    ASSERT_TRUE(m_top->IsFloating());
    m_frame->LoadBarState("MDIBars");
    m_screen.pump();
    EXPECT_FALSE(m_left->IsWindowVisible());
    EXPECT_FALSE(m_top->IsFloating());
    EXPECT_TRUE(m_top->IsWindowVisible());
    ASSERT_NE(m_top->m_pDockBar, nullptr);
    EXPECT_EQ(m_top->m_pDockBar->GetDlgCtrlID(), static_cast<int>(AFX_IDW_DOCKBAR_TOP));
    std::filesystem::remove(profile);
}

namespace {

using quorvale::foundation::SECWndPlugIn;

// A workspace manager that takes one command.
class TakingPlugIn : public SECWndPlugIn {
    DECLARE_DYNCREATE(TakingPlugIn)
public:
    static constexpr UINT ID_TAKEN = 0x7F11;
    static inline int s_nTaken = 0;

protected:
    afx_msg void OnTaken()
    {
        ++s_nTaken;
        m_bConsumed = TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(TakingPlugIn, SECWndPlugIn)
BEGIN_MESSAGE_MAP(TakingPlugIn, SECWndPlugIn)
    ON_COMMAND(ID_TAKEN, OnTaken)
END_MESSAGE_MAP()

} // namespace

TEST_F(MDIFrame, TheWorkspaceManagerTakesTheCommandsTheActiveChildLeaves)
{
    EXPECT_EQ(m_frame->InstallWorkspaceManager("key", 0, nullptr, 0), nullptr);
    TakingPlugIn::s_nTaken = 0;
    SECWndPlugIn* workspace = m_frame->InstallWorkspaceManager("key", 0, RUNTIME_CLASS(TakingPlugIn), 0);
    ASSERT_NE(workspace, nullptr);
    EXPECT_EQ(m_frame->GetWorkspaceManager(), workspace);
    ASSERT_NE(m_frame->MDIGetActive(), nullptr);
    m_frame->SendMessage(WM_COMMAND, TakingPlugIn::ID_TAKEN);
    m_frame->SendMessage(WM_COMMAND, TakingPlugIn::ID_TAKEN);
    EXPECT_EQ(TakingPlugIn::s_nTaken, 2);
    EXPECT_FALSE(workspace->m_bConsumed);
    // What the manager leaves goes on as before: a system command to the default procedure.
    m_frame->m_defaultCommands.clear();
    m_frame->SendMessage(WM_COMMAND, 0xF1F0);
    EXPECT_EQ(m_frame->m_defaultCommands, std::vector<UINT> { 0xF1F0 });
}

TEST_F(MDIFrame, CommandHelpAsksForTheTrackedItemTheActiveChildOrTheFrame)
{
    // Nothing to ask for: no help, FALSE.
    EXPECT_EQ(m_frame->SendMessage(WM_COMMANDHELP, 0, 0), FALSE);
    EXPECT_TRUE(m_app.m_help.empty());
    // A context given goes straight to the help.
    EXPECT_EQ(m_frame->SendMessage(WM_COMMANDHELP, 0, 0x1234), TRUE);
    // The menu item being tracked.
    m_frame->m_nIDTracking = 0x7F02;
    EXPECT_EQ(m_frame->SendMessage(WM_COMMANDHELP, 0, 0), TRUE);
    m_frame->m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    // The active child's own help, before the frame's.
    m_frame->m_nIDHelp = 0x81;
    m_frame->MDIGetActive()->m_nIDHelp = 0x82;
    EXPECT_EQ(m_frame->SendMessage(WM_COMMANDHELP, 0, 0), TRUE);
    EXPECT_EQ(m_app.m_help, (std::vector<DWORD> { 0x1234, 0x17F02, 0x20082 }));
}

namespace {

// An application whose idle time inside the help loop is the moment a person acts: it notes the
// pointer shown and then gives the next input.
class HelpIdleApp : public HelpApp {
public:
    using HelpApp::HelpApp;
    BOOL OnIdle(LONG lCount) override
    {
        if (m_next) {
            m_cursors.push_back(::GetCursor());
            auto next = std::move(m_next);
            m_next = nullptr;
            next();
            return TRUE;
        }
        return HelpApp::OnIdle(lCount);
    }
    std::function<void()> m_next;
    std::vector<HCURSOR> m_cursors;
};

// A child that carries out one command of its own.
class CommandChild : public SECMDIChildWnd {
public:
    static constexpr UINT ID_CHILD_COMMAND = 0x7F10;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID == ID_CHILD_COMMAND && nCode == CN_COMMAND) {
            ++m_nRuns;
            return TRUE;
        }
        return SECMDIChildWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    int m_nRuns { 0 };
};

// Runs the frame's queue as the program's loop does, accelerators included.
void PumpTranslated(CWinApp& app)
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!app.PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}

} // namespace

TEST(MDIFrameHelp, ShiftF1ShowsTheHelpCursorAndAClickOrACommandAsksForTheirHelpNotTheChilds)
{
    platform::user::TestScreen screen { 640, 480 };
    HelpIdleApp app { "mdihelp" };
    auto* frame = new SECMDIFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Library", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400)));
    app.m_pMainWnd = frame;
    ACCEL shiftF1 { FVIRTKEY | FSHIFT, VK_F1, ID_CONTEXT_HELP };
    frame->m_hAccelTable = ::CreateAcceleratorTable(&shiftF1, 1);
    auto* child = new CommandChild;
    ASSERT_TRUE(child->Create(nullptr, "Alpha", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(10, 10, 300, 200), frame));
    child->m_nIDHelp = 0x82;
    screen.pump();
    ASSERT_EQ(frame->MDIGetActive(), child);
    CRect rectChild;
    child->GetWindowRect(&rectChild);
    const CPoint inChild = rectChild.CenterPoint();

    // Shift+F1 with the pointer over the child, then a click there: the child's help.
    platform::user::InjectMouseMove(inChild);
    screen.pump();
    ::SetFocus(child->m_hWnd);
    auto pressShiftF1 = [] {
        platform::user::InjectKey(VK_SHIFT, true);
        platform::user::InjectKey(VK_F1, true);
        platform::user::InjectKey(VK_F1, false);
        platform::user::InjectKey(VK_SHIFT, false);
    };
    pressShiftF1();
    app.m_next = [&] {
        platform::user::InjectMouseButton(platform::user::MouseButton::Left, true);
        platform::user::InjectMouseButton(platform::user::MouseButton::Left, false);
    };
    PumpTranslated(app);
    EXPECT_EQ(app.m_cursors, std::vector<HCURSOR> { ::LoadCursor(nullptr, IDC_HELP) });
    EXPECT_EQ(app.m_help, std::vector<DWORD> { 0x20082 });
    EXPECT_EQ(frame->m_bHelpMode, SECFrameHelp::kHelpInactive);
    EXPECT_EQ(::GetCapture(), nullptr);

    // A command chosen in help mode (as from a menu of the bar) asks for its help; the child does not
    // carry it out.
    app.m_help.clear();
    screen.advance(std::chrono::seconds(1));
    pressShiftF1();
    app.m_next = [&] { frame->SendMessage(WM_COMMAND, CommandChild::ID_CHILD_COMMAND); };
    PumpTranslated(app);
    EXPECT_EQ(app.m_help, std::vector<DWORD> { 0x10000 + CommandChild::ID_CHILD_COMMAND });
    EXPECT_EQ(child->m_nRuns, 0);
    EXPECT_EQ(frame->m_bHelpMode, SECFrameHelp::kHelpInactive);
    // Out of help mode the child carries it out again.
    frame->SendMessage(WM_COMMAND, CommandChild::ID_CHILD_COMMAND);
    EXPECT_EQ(child->m_nRuns, 1);

    // Escape leaves help mode without help.
    app.m_help.clear();
    pressShiftF1();
    app.m_next = [] { platform::user::InjectKey(VK_ESCAPE, true); };
    PumpTranslated(app);
    platform::user::InjectKey(VK_ESCAPE, false);
    PumpTranslated(app);
    EXPECT_TRUE(app.m_help.empty());
    EXPECT_EQ(frame->m_bHelpMode, SECFrameHelp::kHelpInactive);
    EXPECT_EQ(::GetCapture(), nullptr);

    app.m_pMainWnd = nullptr;
    ::DestroyAcceleratorTable(frame->m_hAccelTable);
    frame->m_hAccelTable = nullptr;
    frame->DestroyWindow();
    screen.pump();
}

TEST(MDIFrameCaption, TheGradientCaptionPaintsActiveAndInactiveAndMatchesTheGolden)
{
    platform::user::TestScreen screen { 320, 170 };
    CWinApp app { "mdicaption" };
    // The same caption as the single-document frame's: document part in italics, application part plain.
    auto* active = new SECMDIFrameWnd;
    ASSERT_TRUE(active->Create(nullptr, "Albums.mdb - Library", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 320, 80)));
    auto* inactive = new SECMDIFrameWnd;
    ASSERT_TRUE(inactive->Create(nullptr, "Tracks.mdb - Library", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 90, 320, 170)));
    inactive->m_caption.m_nCaptionAlign = 1;
    for (SECMDIFrameWnd* frame : { active, inactive }) {
        EXPECT_FALSE(frame->SetGradientCaption(TRUE, TRUE));
        EXPECT_TRUE(frame->IsGradientCaptionActive());
    }
    screen.pump();
    active->SendMessage(WM_NCACTIVATE, TRUE);
    inactive->SendMessage(WM_NCACTIVATE, FALSE);
    screen.pump();
    EXPECT_TRUE(active->m_caption.m_bCaptionActive);
    EXPECT_FALSE(inactive->m_caption.m_bCaptionActive);
    EXPECT_EQ(screen.compareWithGolden(CRect(0, 0, 320, 170), Golden("mdi-gradient-caption.png")), "");
    active->DestroyWindow();
    inactive->DestroyWindow();
    screen.pump();
}

namespace {

// A manager whose toolbars are being customised, as far as the frame can tell.
class CustomisingManager : public SECControlBarManager {
public:
    BOOL m_bCustomising { TRUE };
};

} // namespace

TEST_F(MDIFrame, WhileToolbarsAreCustomisedTheFrameTakesNoHitsStaysActiveNoLongerAndLaysOutWhenTheDialogIdles)
{
    CustomisingManager manager;
    SECControlsLink::Get().inConfigMode = [](SECControlBarManager* p) {
        return static_cast<CustomisingManager*>(p)->m_bCustomising;
    };
    m_frame->SetControlBarManager(&manager);
    EXPECT_EQ(m_frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(10, 10)), HTERROR);
    for (UINT message : { WM_ENABLE, WM_NCACTIVATE }) {
        m_frame->m_nFlags |= WF_STAYACTIVE;
        m_frame->SendMessage(message, TRUE);
        EXPECT_FALSE(m_frame->m_nFlags & WF_STAYACTIVE) << message;
    }
    // A bar hidden by the dialog is laid out when the dialog idles, not at the program's idle time.
    m_top->ShowWindow(SW_HIDE);
    m_frame->DelayRecalcLayout();
    m_frame->SendMessage(WM_ENTERIDLE, MSGF_DIALOGBOX, 0);
    EXPECT_EQ(m_frame->m_nIdleFlags & CFrameWnd::idleLayout, 0U);
    CRect client;
    ::GetWindowRect(m_frame->m_hWndMDIClient, &client);
    m_frame->ScreenToClient(&client);
    EXPECT_EQ(client.top, 0) << "the client takes the hidden bar's room";

    manager.m_bCustomising = FALSE;
    EXPECT_NE(m_frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(10, 10)), HTERROR);
    m_frame->SetControlBarManager(nullptr);
    SECControlsLink::Get().inConfigMode = nullptr;
}
