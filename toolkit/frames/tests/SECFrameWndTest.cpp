// The toolkit's docking frame: a frame with bars on every side and two floating ones laid out and
// drawn, sized docking at a row and column, floating kept inside the work area, the plug-ins that see
// messages and commands first, the frame's manners while toolbars are customised, its menus, the
// gradient caption and the context-help loop.

#include "toolkit/frames/SECFrameWnd.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CPrintPreviewState.h"
#include "platform/afx/CWinApp.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECControlBarManager.h"
#include "toolkit/frames/SECControlsLink.h"
#include "toolkit/frames/SECDockBar.h"
#include "toolkit/frames/SECMiniDockFrameWnd.h"
#include "toolkit/frames/SECWndPlugIn.h"
#include "toolkit/frames/tests/FramesTestFixture.h"
#include "toolkit/frames/tests/FramesTestGeometry.h"

using platform::user::TestScreen;
using quorvale::foundation::SECWndPlugIn;

namespace {

constexpr UINT ID_FIRST_BAR = 0xE860;
// The desktop program's docking tab bar: margins, flat borders, gripper, close and expand buttons.
constexpr DWORD kTabBarExStyle = 0x0F10;


// Undoes what a test put into the link table of the controls.
struct LinkReset {
    ~LinkReset() { SECControlsLink::Get() = SECControlsLink {}; }
};

class Frames : public DockingFrameTest {
protected:
    SECControlBar* NewBar(DWORD dwAlign, DWORD dwExStyle = kTabBarExStyle, LPCTSTR lpszTitle = "bar")
    {
        auto& bar = m_bars.emplace_back(std::make_unique<SECControlBar>());
        EXPECT_TRUE(bar->Create(m_frame, lpszTitle, WS_CHILD | WS_VISIBLE | dwAlign | CBRS_SIZE_DYNAMIC, dwExStyle,
            ID_FIRST_BAR + static_cast<UINT>(m_bars.size())));
        bar->EnableDocking(CBRS_ALIGN_ANY);
        return bar.get();
    }
    SECDockBar* DockBar(UINT nID) { return static_cast<SECDockBar*>(m_frame->GetControlBar(nID)); }

    std::vector<std::unique_ptr<SECControlBar>> m_bars;
};

TEST(FramePicture, BarsDockedOnEverySideAndTwoFloatingOnesMatchTheGolden)
{
    TestScreen screen { 480, 300 };
    CWinApp app { "picture" };
    auto* frame = new SECFrameWnd;
    // Without a view over its middle, the frame must not erase its bars when its first paint comes late.
    ASSERT_TRUE(frame->Create(nullptr, "frame", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 300, 240)));
    app.m_pMainWnd = frame;
    frame->EnableDocking(CBRS_ALIGN_ANY);
    struct Placement {
        DWORD align;
        UINT dockBar;
        int nRow;
    };
    // Two bars share the top row; the others have a side each.
    const Placement placements[] = { { CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP, 0 }, { CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP, 0 },
        { CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM, 0 }, { CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT, 0 },
        { CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT, 0 } };
    std::vector<std::unique_ptr<SECControlBar>> bars;
    UINT nID = ID_FIRST_BAR;
    int nCol = 0;
    for (const Placement& p : placements) {
        auto& bar = bars.emplace_back(std::make_unique<SECControlBar>());
        ASSERT_TRUE(bar->Create(frame, "bar", WS_CHILD | WS_VISIBLE | p.align | CBRS_SIZE_DYNAMIC, kTabBarExStyle, nID++));
        bar->EnableDocking(CBRS_ALIGN_ANY);
        const BOOL bHorz = (p.align & CBRS_ORIENT_HORZ) != 0;
        frame->DockSizedControlBar(bar.get(), p.dockBar, p.dockBar == AFX_IDW_DOCKBAR_TOP ? nCol++ : 0, p.nRow,
            p.dockBar == AFX_IDW_DOCKBAR_TOP ? 0.5F : 1.0F, bHorz ? 40 : 60);
    }
    for (int i = 0; i < 2; ++i) {
        auto& bar = bars.emplace_back(std::make_unique<SECControlBar>());
        ASSERT_TRUE(bar->Create(frame, "float", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, kTabBarExStyle, nID++));
        bar->m_szFloat = CSize(120, 60);
        bar->EnableDocking(CBRS_ALIGN_ANY);
        frame->FloatControlBar(bar.get(), CPoint(330, 20 + 120 * i), CBRS_ALIGN_TOP);
    }
    frame->RecalcLayout();
    screen.pump();
    EXPECT_EQ(screen.compareWithGolden(CRect(0, 0, 480, 300), Golden("docked-bars.png")), "");
    app.m_pMainWnd = nullptr;
    bars.clear();
    frame->DestroyWindow();
    screen.pump();
}

TEST_F(Frames, SizedDockingOnTheBarsOwnSideGivesTheDockBarOneRowWithTheBar)
{
    // The desktop program's docking tab bar: left side, row 0, column 0, the whole row, 220 wide.
    SECControlBar* bar = NewBar(CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT | CBRS_TOOLTIPS);
    m_frame->DockSizedControlBar(bar, 0, 0, 0, 1.0F, 220);
    SECDockBar* left = DockBar(AFX_IDW_DOCKBAR_LEFT);
    ASSERT_EQ(left->m_arrBars.GetSize(), 3);
    EXPECT_EQ(left->m_arrBars[0], nullptr);
    EXPECT_EQ(left->m_arrBars[1], bar);
    EXPECT_EQ(left->m_arrBars[2], nullptr);
    Layout();
    EXPECT_EQ(bar->m_pDockBar, left);
    EXPECT_EQ(ChildRect(*bar, *left).Width(), 220);
    // The last bar of the row reaches the row's end.
    CRect client;
    left->GetClientRect(&client);
    EXPECT_EQ(ChildRect(*bar, *left).bottom, client.bottom);
    // The view gets what the bars leave.
    EXPECT_EQ(m_frame->GetLastPaneRect().left, ChildRect(*left, *m_frame).right);
}

TEST_F(Frames, AFloatingBarKeepsTenPixelsInsideTheWorkAreaAndALoneBarMovesItsFrame)
{
    SECControlBar* bar = NewBar(CBRS_ALIGN_TOP);
    bar->m_szFloat = CSize(100, 50);
    m_frame->DockControlBar(bar);
    Layout();
    CRect barRect;
    bar->GetWindowRect(&barRect);
    // The far corner is measured with the bar as it was when asked to float.
    m_frame->FloatControlBar(bar, CPoint(5000, -5000), CBRS_ALIGN_TOP);
    ASSERT_TRUE(bar->IsFloating());
    CFrameWnd* floating = bar->GetParentFrame();
    ASSERT_TRUE(floating->IsKindOf(RUNTIME_CLASS(SECMiniDockFrameWnd)));
    CRect work;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    CRect rect;
    floating->GetWindowRect(&rect);
    EXPECT_EQ(rect.left, work.right - 10);
    EXPECT_EQ(rect.top + barRect.Height(), work.top + 10);

    // Floated again, the bar alone in its frame moves that frame.
    m_frame->FloatControlBar(bar, CPoint(100, 120), CBRS_ALIGN_TOP);
    EXPECT_EQ(bar->GetParentFrame(), floating);
    floating->GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(100, 120));
}

// A manager whose toolbars are being customised, as far as the frame can tell.
TEST_F(Frames, APreviewHidesTheDockedWindowsAndBarsAndGivesBackOnlyThoseItHid)
{
    SECControlBar* bar = NewBar(CBRS_ALIGN_LEFT);
    m_frame->DockControlBar(bar, DockBar(AFX_IDW_DOCKBAR_LEFT));
    // A window the docking feature placed (no control bar), one the program had hidden, and the pane.
    const auto child = [&](UINT nID, DWORD dwVisible) {
        return ::CreateWindowEx(0, "Static", "", WS_CHILD | dwVisible, 0, 0, 40, 40, m_frame->m_hWnd,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), nullptr, nullptr);
    };
    const HWND docked = child(0xE870, WS_VISIBLE);
    const HWND hidden = child(0xE871, 0);
    const HWND pane = child(AFX_IDW_PANE_FIRST, WS_VISIBLE);
    Layout();

    CPrintPreviewState state;
    m_frame->OnSetPreviewMode(TRUE, &state);
    EXPECT_FALSE(::IsWindowVisible(docked));
    EXPECT_FALSE(bar->IsVisible());
    EXPECT_TRUE(::IsWindowVisible(pane)) << "the pane is the preview's to put aside";
    m_frame->OnSetPreviewMode(FALSE, &state);
    EXPECT_TRUE(::IsWindowVisible(docked));
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_FALSE(::IsWindowVisible(hidden));
    for (HWND hWnd : { docked, hidden, pane })
        ::DestroyWindow(hWnd);
}

class CustomisingManager : public SECControlBarManager {
public:
    BOOL m_bCustomising { TRUE };
};

TEST_F(Frames, WhileToolbarsAreCustomisedTheFrameIgnoresCloseHitsAndStayingActive)
{
    LinkReset reset;
    CustomisingManager manager;
    SECControlsLink::Get().inConfigMode = [](SECControlBarManager* p) {
        return static_cast<CustomisingManager*>(p)->m_bCustomising;
    };
    m_frame->SetControlBarManager(&manager);
    MSG close { m_frame->m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0 };
    EXPECT_TRUE(m_frame->PreTranslateMessage(&close));
    EXPECT_EQ(m_frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(10, 10)), HTERROR);
    m_frame->m_nFlags |= WF_STAYACTIVE;
    m_frame->SendMessage(WM_ENABLE, TRUE);
    EXPECT_FALSE(m_frame->m_nFlags & WF_STAYACTIVE);

    manager.m_bCustomising = FALSE;
    EXPECT_FALSE(m_frame->PreTranslateMessage(&close));
    EXPECT_NE(m_frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(10, 10)), HTERROR);
    m_frame->SetControlBarManager(nullptr);
}

// A frame whose stored menu a test can set, as LoadFrame does for a frame with a menu bar.
class MenuFrame : public SECFrameWnd {
public:
    void StoreMenu(HMENU hMenu, UINT nID)
    {
        m_hMenuStored = hMenu;
        m_nIDMenuStored = nID;
    }
};

TEST_F(Frames, GetMenuAnswersTheStoredMenusPopupsOnlyForItsId)
{
    auto* frame = new MenuFrame;
    ASSERT_TRUE(frame->Create(nullptr, "menus", WS_POPUP, CRect(0, 0, 100, 100)));
    EXPECT_EQ(frame->SendMessage(WM_SECGETMENU, 128, 0), 0);
    HMENU hMenu = ::CreateMenu();
    HMENU hPopup = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup), "&File");
    frame->StoreMenu(hMenu, 128);
    EXPECT_EQ(frame->SendMessage(WM_SECGETMENU, 128, 0), reinterpret_cast<LRESULT>(hPopup));
    EXPECT_EQ(frame->SendMessage(WM_SECGETMENU, 129, 0), 0);
    EXPECT_EQ(frame->GetResourceMenu(128), hMenu);
    EXPECT_EQ(frame->GetResourceMenu(129), nullptr);
    frame->DestroyWindow(); // the frame destroys its stored menu
    m_screen.pump();
}

// A plug-in that consumes one message and one command, counting what it sees.
class CountingPlugIn : public SECWndPlugIn {
    DECLARE_DYNCREATE(CountingPlugIn)
public:
    static inline int s_nMessages = 0;
    static inline int s_nCommands = 0;
    static constexpr UINT WM_CONSUMED = WM_APP + 7;
    static constexpr UINT ID_CONSUMED = 0x7F01;

protected:
    afx_msg LRESULT OnConsumed(WPARAM, LPARAM)
    {
        ++s_nMessages;
        m_bConsumed = TRUE;
        return 42;
    }
    afx_msg void OnCommandConsumed()
    {
        ++s_nCommands;
        m_bConsumed = TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CountingPlugIn, SECWndPlugIn)
BEGIN_MESSAGE_MAP(CountingPlugIn, SECWndPlugIn)
    ON_MESSAGE(WM_CONSUMED, OnConsumed)
    ON_COMMAND(ID_CONSUMED, OnCommandConsumed)
END_MESSAGE_MAP()

// A frame that counts the command and message when they reach it.
class CountingFrame : public SECFrameWnd {
public:
    int m_nMessages { 0 };
    int m_nCommands { 0 };

protected:
    afx_msg LRESULT OnConsumed(WPARAM, LPARAM)
    {
        ++m_nMessages;
        return 0;
    }
    afx_msg void OnCommandConsumed() { ++m_nCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingFrame, SECFrameWnd)
    ON_MESSAGE(CountingPlugIn::WM_CONSUMED, OnConsumed)
    ON_COMMAND(CountingPlugIn::ID_CONSUMED, OnCommandConsumed)
END_MESSAGE_MAP()

TEST_F(Frames, PlugInsSeeTheFramesMessagesAndCommandsFirst)
{
    LinkReset reset;
    SECControlsLink::Get().newBmpMenuPlugIn = [] { return new CountingPlugIn; };
    CountingPlugIn::s_nMessages = CountingPlugIn::s_nCommands = 0;
    auto* frame = new CountingFrame;
    frame->EnableBmpMenus(TRUE, TRUE);
    ASSERT_TRUE(frame->Create(nullptr, "plug-ins", WS_POPUP, CRect(0, 0, 100, 100)));
    ASSERT_NE(frame->GetMenuPlugIn(), nullptr);
    EXPECT_TRUE(frame->GetMenuPlugIn()->IsAttached());

    // The menu plug-in consumes the message: its result comes back and the frame never sees it.
    EXPECT_EQ(frame->SendMessage(CountingPlugIn::WM_CONSUMED), 42);
    EXPECT_EQ(CountingPlugIn::s_nMessages, 1);
    EXPECT_EQ(frame->m_nMessages, 0);

    // Commands reach the workspace plug-in first; its consumed flag is cleared after each.
    EXPECT_EQ(frame->InstallWorkspaceManager("key", 0, nullptr, 0), nullptr);
    SECWndPlugIn* workspace = frame->InstallWorkspaceManager("key", 0, RUNTIME_CLASS(CountingPlugIn), 0);
    ASSERT_NE(workspace, nullptr);
    frame->SendMessage(WM_COMMAND, CountingPlugIn::ID_CONSUMED);
    frame->SendMessage(WM_COMMAND, CountingPlugIn::ID_CONSUMED);
    EXPECT_EQ(CountingPlugIn::s_nCommands, 2);
    EXPECT_EQ(frame->m_nCommands, 0);
    EXPECT_FALSE(workspace->m_bConsumed);

    // Closing deletes the menu plug-in before the window goes.
    frame->SendMessage(WM_CLOSE);
    m_screen.pump();
}

TEST(FrameCaption, AGradientHasOneBandPerPixelBelowSixtyAndNoneWithoutWidth)
{
    TestScreen screen { 200, 100 };
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(200, 10, 1, 32, nullptr));
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 200, 10, RGB(1, 2, 3));
    // 30 pixels: 30 bands, blue rising by 240/30 a band.
    SECFrameWnd::FillGradient(&dc, CRect(0, 0, 30, 10), 60, RGB(0, 0, 0), RGB(0, 0, 240));
    for (int x : { 0, 1, 15, 29 })
        EXPECT_EQ(dc.GetPixel(x, 5), RGB(0, 0, 8 * x)) << x;
    // 120 pixels: 60 bands of 2, the last one reaching the right edge.
    SECFrameWnd::FillGradient(&dc, CRect(40, 0, 160, 10), 60, RGB(0, 0, 0), RGB(0, 240, 0));
    EXPECT_EQ(dc.GetPixel(40, 5), dc.GetPixel(41, 5));
    EXPECT_EQ(dc.GetPixel(42, 5), RGB(0, 4, 0));
    EXPECT_EQ(dc.GetPixel(159, 5), RGB(0, 236, 0));
    EXPECT_EQ(dc.GetPixel(160, 5), RGB(1, 2, 3));
    // No width, no paint.
    SECFrameWnd::FillGradient(&dc, CRect(170, 0, 170, 10), 60, RGB(0, 0, 0), RGB(255, 255, 255));
    SECFrameWnd::FillGradient(&dc, CRect(180, 0, 175, 10), 60, RGB(0, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(170, 5), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetPixel(177, 5), RGB(1, 2, 3));
    dc.SelectObject(pOld);
}

TEST(FrameCaption, TheCaptionLeavesRoomForTheSystemButtons)
{
    TestScreen screen { 640, 480 };
    auto* frame = new SECFrameWnd;
    const DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    ASSERT_TRUE(frame->Create(nullptr, "caption", dwStyle, CRect(0, 0, 300, 200)));
    CRect rect;
    EXPECT_TRUE(frame->GetCaptionRect(rect));
    const int cxFrame = ::GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(rect, CRect(cxFrame, ::GetSystemMetrics(SM_CYFRAME),
        300 - cxFrame - 3 * ::GetSystemMetrics(SM_CXSIZE) - ::GetSystemMetrics(SM_CXBORDER),
        ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYSIZE)));
    // A greyed Close takes no room either.
    frame->GetSystemMenu(FALSE)->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_FALSE(frame->GetCaptionRect(rect));
    EXPECT_EQ(rect.right, 300 - cxFrame - 2 * ::GetSystemMetrics(SM_CXSIZE) - ::GetSystemMetrics(SM_CXBORDER));
    frame->DestroyWindow();
}

TEST(FrameCaption, TheGradientCaptionSplitsTheTitleAndMatchesTheGolden)
{
    TestScreen screen { 320, 110 };
    CWinApp app { "caption" };
    const DWORD dwStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    // Wide enough for both parts, centred; too narrow for the application part.
    auto* wide = new SECFrameWnd;
    ASSERT_TRUE(wide->Create(nullptr, "Albums.mdb - Tune Steward", dwStyle, CRect(0, 0, 320, 50)));
    wide->m_caption.m_nCaptionAlign = 1;
    auto* narrow = new SECFrameWnd;
    ASSERT_TRUE(narrow->Create(nullptr, "A very long document name - Tune Steward", dwStyle, CRect(0, 60, 120, 110)));
    EXPECT_FALSE(wide->SetGradientCaption(TRUE, TRUE));
    EXPECT_FALSE(narrow->SetGradientCaption(TRUE, TRUE));
    EXPECT_TRUE(wide->SetGradientCaption(TRUE, TRUE));
    screen.pump();
    wide->SendMessage(WM_NCACTIVATE, TRUE);
    screen.pump();
    EXPECT_EQ(screen.compareWithGolden(CRect(0, 0, 320, 110), Golden("gradient-caption.png")), "");
    wide->DestroyWindow();
    narrow->DestroyWindow();
}

// Records the help asked for.
class HelpApp : public CWinApp {
public:
    HelpApp()
        : CWinApp("help")
    {
    }
    void WinHelp(DWORD_PTR dwData, UINT) override { m_contexts.push_back(static_cast<DWORD>(dwData)); }
    std::vector<DWORD> m_contexts;
};

// A menu bar whose items are tools, as the frame's help loop sees it: the left half an ordinary item,
// the right half a caption button reporting a hit-test code.
class HelpMenuBar : public CControlBar {
public:
    UINT m_nButtonCode { 20 };
    int m_nPresses { 0 };
    HWND m_hWndFrame { nullptr };
    BOOL Create(CWnd* pParent)
    {
        m_hWndFrame = pParent->m_hWnd;
        return CWnd::Create(nullptr, "menu bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 20), pParent, 0xE8FF);
    }
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
    {
        pTI->uFlags = point.x < 100 ? 0 : m_nButtonCode;
        pTI->lpszText = nullptr;
        return point.x < 100 ? 1 : 2;
    }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_LBUTTONDOWN) {
            // The menu opens; here the press is counted and help mode is left.
            ++m_nPresses;
            ::PostMessage(m_hWndFrame, WM_EXITHELPMODE, 0, 0);
            return 0;
        }
        return CControlBar::WindowProc(nMsg, wParam, lParam);
    }
};

class ContextHelp : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new SECFrameWnd;
        ASSERT_TRUE(m_frame->Create(nullptr, "help", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200)));
        m_app.m_pMainWnd = m_frame;
        ASSERT_TRUE(m_menuBar.Create(m_frame));
        // The frame knows its menu bar only through the link the menu classes fill.
        m_frame->m_pMenuBar = reinterpret_cast<SECMenuBar*>(&m_menuBar);
        SECControlsLink::Get().menuBarWindow = [this](SECMenuBar*) { return &m_menuBar; };
    }
    void TearDown() override
    {
        m_app.m_pMainWnd = nullptr;
        if (::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        m_screen.pump();
    }
    // Starts help mode as the menu command does; the command comes round again and the loop runs.
    void EnterHelpMode()
    {
        // Apart in time from the last one, so that no two clicks make a double click.
        m_screen.advance(std::chrono::seconds(1));
        m_frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
    }
    void ClickAt(CPoint client)
    {
        const CPoint screen = OnScreen(*m_frame, client);
        platform::user::InjectMouseMove(screen);
        platform::user::InjectMouseButton(platform::user::MouseButton::Left, true);
        platform::user::InjectMouseButton(platform::user::MouseButton::Left, false);
    }

    LinkReset m_reset;
    TestScreen m_screen { 640, 480 };
    HelpApp m_app;
    SECFrameWnd* m_frame { nullptr };
    HelpMenuBar m_menuBar;
};

TEST_F(ContextHelp, EscapeTheExitMessageAndAQuitLeaveHelpModeWithoutHelp)
{
    enum class End { Escape, ExitBeforeTheLoop, Quit };
    for (End end : { End::Escape, End::ExitBeforeTheLoop, End::Quit }) {
        EnterHelpMode();
        EXPECT_EQ(m_frame->m_bHelpMode, SECFrameWnd::kHelpEntering);
        switch (end) {
        case End::Escape:
            m_frame->PostMessage(WM_KEYDOWN, VK_ESCAPE);
            m_screen.pump();
            break;
        case End::ExitBeforeTheLoop:
            // Help mode left before it began must not stay half entered.
            m_frame->PostMessage(WM_EXITHELPMODE);
            m_screen.pump();
            break;
        case End::Quit: {
            // The loop leaves WM_QUIT for the program's own loop.
            MSG msg {};
            ASSERT_TRUE(::PeekMessage(&msg, m_frame->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
            ::PostQuitMessage(4);
            EnterHelpMode();
            ASSERT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
            EXPECT_EQ(msg.wParam, 4U);
            break;
        }
        }
        EXPECT_EQ(m_frame->m_bHelpMode, SECFrameWnd::kHelpInactive) << static_cast<int>(end);
        EXPECT_TRUE(m_app.m_contexts.empty()) << static_cast<int>(end);
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

TEST_F(ContextHelp, TheMenuBarOpensItsMenusAndItsCaptionButtonsHaveTheirOwnHelp)
{
    // An ordinary item gets the press and help mode goes on (here the item itself leaves it).
    EnterHelpMode();
    ClickAt(CPoint(20, 10));
    m_screen.pump();
    EXPECT_EQ(m_menuBar.m_nPresses, 1);
    EXPECT_TRUE(m_app.m_contexts.empty());

    struct Case {
        UINT nCode;
        DWORD dwContext;
    };
    const Case cases[] = { { 20, 0x1EF06 }, { 8, 0x1EF02 }, { 9, 0x1EF12 }, { 5, 0x40005 } };
    for (const Case& c : cases) {
        m_menuBar.m_nButtonCode = c.nCode;
        m_app.m_contexts.clear();
        EnterHelpMode();
        ClickAt(CPoint(150, 10));
        m_screen.pump();
        EXPECT_EQ(m_app.m_contexts, std::vector<DWORD>({ c.dwContext })) << c.nCode;
        EXPECT_EQ(m_frame->m_bHelpMode, SECFrameWnd::kHelpInactive);
    }
    EXPECT_EQ(m_menuBar.m_nPresses, 1);
}

} // namespace
