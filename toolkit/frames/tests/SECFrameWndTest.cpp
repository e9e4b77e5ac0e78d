// The toolkit's docking frame: a frame with bars on every side and two floating ones laid out and
// drawn, sized docking at a row and column, floating kept inside the work area, the plug-ins that see
// messages and commands first, the frame's manners while toolbars are customised, and its menus.

#include "toolkit/frames/SECFrameWnd.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/afx/CWinApp.h"
#include "platform/user/TestScreen.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECControlBarManager.h"
#include "toolkit/frames/SECControlsLink.h"
#include "toolkit/frames/SECDockBar.h"
#include "toolkit/frames/SECMiniDockFrameWnd.h"
#include "toolkit/frames/SECWndPlugIn.h"
#include "toolkit/frames/tests/FramesTestGeometry.h"

using platform::user::TestScreen;
using quorvale::foundation::SECWndPlugIn;

namespace {

constexpr UINT ID_FIRST_BAR = 0xE860;
// The desktop program's docking tab bar: margins, flat borders, gripper, close and expand buttons.
constexpr DWORD kTabBarExStyle = 0x0F10;

std::string Golden(const char* name) { return (std::filesystem::path(TS_FRAMES_TEST_DIR) / "golden" / name).string(); }

// Undoes what a test put into the link table of the controls.
struct LinkReset {
    ~LinkReset() { SECControlsLink::Get() = SECControlsLink {}; }
};

class Frames : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new SECFrameWnd;
        ASSERT_TRUE(m_frame->Create(nullptr, "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300)));
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        m_app.m_pMainWnd = m_frame;
    }
    void TearDown() override
    {
        m_app.m_pMainWnd = nullptr;
        if (::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        m_screen.pump();
    }
    SECControlBar* NewBar(DWORD dwAlign, DWORD dwExStyle = kTabBarExStyle, LPCTSTR lpszTitle = "bar")
    {
        auto& bar = m_bars.emplace_back(std::make_unique<SECControlBar>());
        EXPECT_TRUE(bar->Create(m_frame, lpszTitle, WS_CHILD | WS_VISIBLE | dwAlign | CBRS_SIZE_DYNAMIC, dwExStyle,
            ID_FIRST_BAR + static_cast<UINT>(m_bars.size())));
        bar->EnableDocking(CBRS_ALIGN_ANY);
        return bar.get();
    }
    SECDockBar* DockBar(UINT nID) { return static_cast<SECDockBar*>(m_frame->GetControlBar(nID)); }
    void Layout()
    {
        m_frame->RecalcLayout();
        m_screen.pump();
    }

    TestScreen m_screen { 640, 480 };
    CWinApp m_app { "frames" };
    SECFrameWnd* m_frame { nullptr };
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

} // namespace
