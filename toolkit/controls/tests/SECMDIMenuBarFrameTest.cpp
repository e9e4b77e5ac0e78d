// The menu bar in the toolkit's MDI frame: an MDI child switches the bar to its menu while it is
// active and the frame's own menu comes back when it goes; a maximised child's buttons come onto the
// bar, answer help mode and act on the child.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CWinApp.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"
#include "toolkit/controls/SECBtnCaption.h"
#include "toolkit/controls/SECCapMenuBtn.h"
#include "toolkit/controls/SECMDIMenuBar.h"
#include "toolkit/controls/SECToolBarManager.h"
#include "toolkit/frames/SECMDIChildWnd.h"
#include "toolkit/frames/SECMDIFrameWnd.h"

namespace {

constexpr UINT IDR_FRAME_MENU = 120;
constexpr UINT IDR_CHILD_MENU = 121;

class MDIFrameWithMenuBar : public SECMDIFrameWnd {
public:
    MDIFrameWithMenuBar() { m_pMenuBar = &m_bar; }
    SECMDIMenuBar m_bar;
};

// The application's main frame, its bar showing the frame's menu and knowing the child's; null when it
// cannot be made.
MDIFrameWithMenuBar* NewFrame(CWinApp& app)
{
    auto* pFrame = new MDIFrameWithMenuBar;
    if (!pFrame->LoadFrame(IDR_FRAME_MENU, WS_POPUP | WS_VISIBLE)) {
        ADD_FAILURE() << "the frame";
        return nullptr;
    }
    pFrame->SetWindowPos(nullptr, 0, 0, 500, 300, SWP_NOZORDER);
    app.m_pMainWnd = pFrame;
    const BOOL bBar = pFrame->m_bar.CreateEx(0, pFrame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, SEC_IDW_MENUBAR)
        && pFrame->m_bar.LoadMenus({ IDR_FRAME_MENU, IDR_CHILD_MENU });
    EXPECT_TRUE(bBar) << "the menu bar";
    pFrame->SetMenuBarMenu(static_cast<UINT>(-1));
    return pFrame;
}

} // namespace

TEST(MDIMenuBar, AChildSwitchesTheBarToItsMenuWhileActiveAndTheFramesMenuComesBack)
{
    platform::user::TestScreen screen { 640, 480 };
    CWinApp app { "mdimenubar" };
    MDIFrameWithMenuBar* pFrame = NewFrame(app);
    ASSERT_NE(pFrame, nullptr);
    EXPECT_EQ(pFrame->m_bar.GetCurrentMenuId(), IDR_FRAME_MENU);

    // A child made without a template still shows its resource's menu in the bar.
    auto* pChild = new SECMDIChildWnd;
    ASSERT_TRUE(pChild->LoadFrame(IDR_CHILD_MENU, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, pFrame));
    screen.pump();
    EXPECT_TRUE(pChild->m_bUsesMenuBar);
    EXPECT_EQ(pFrame->m_bar.GetCurrentMenuId(), IDR_CHILD_MENU);
    EXPECT_EQ(::GetMenu(pFrame->m_hWnd), nullptr) << "the bar shows the menu, the window none";
    EXPECT_EQ(SECMDIMenuBar::ActiveChildOf(&pFrame->m_bar), pChild);

    pChild->MDIDestroy();
    screen.pump();
    EXPECT_EQ(pFrame->m_bar.GetCurrentMenuId(), IDR_FRAME_MENU);

    // With the delayed-layout flag a switch leaves the layout to the frame's next idle time.
    for (const BOOL bDelayed : { FALSE, TRUE }) {
        pFrame->m_bDelayedLayout = bDelayed;
        pFrame->m_nIdleFlags = 0;
        pFrame->SetMenuBarMenu(IDR_CHILD_MENU);
        EXPECT_EQ(pFrame->m_bar.GetCurrentMenuId(), IDR_CHILD_MENU);
        EXPECT_EQ(pFrame->m_nIdleFlags & (CFrameWnd::idleLayout | CFrameWnd::idleNotify),
            bDelayed ? CFrameWnd::idleLayout | CFrameWnd::idleNotify : 0U);
        pFrame->SetMenuBarMenu(IDR_FRAME_MENU);
    }

    app.m_pMainWnd = nullptr;
    pFrame->DestroyWindow();
    screen.pump();
}

namespace {

// Records the help contexts asked for.
class HelpApp : public CWinApp {
public:
    using CWinApp::CWinApp;
    void WinHelp(DWORD_PTR dwData, UINT) override { m_help.push_back(static_cast<DWORD>(dwData)); }
    std::vector<DWORD> m_help;
};

int IndexOfKind(const SECMenuBar& bar, int nKind)
{
    for (int i = 0; i < bar.GetBtnCount(); ++i)
        if (bar.GetBtn(i)->m_nType == nKind)
            return i;
    return -1;
}

} // namespace

TEST(MDIMenuBar, AMaximisedChildsButtonsComeAndGoWithItAnswerHelpAndCloseIt)
{
    platform::user::TestScreen screen { 640, 480 };
    HelpApp app { "mdibuttons" };
    MDIFrameWithMenuBar* pFrame = NewFrame(app);
    ASSERT_NE(pFrame, nullptr);
    auto* pChild = new SECMDIChildWnd;
    ASSERT_TRUE(pChild->LoadFrame(IDR_CHILD_MENU, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, pFrame));
    screen.pump();
    SECMDIMenuBar& bar = pFrame->m_bar;
    const int nMenuButtons = bar.GetBtnCount();
    EXPECT_EQ(IndexOfKind(bar, SECStdBtn::kindSysMenu), -1);
    EXPECT_EQ(IndexOfKind(bar, SECStdBtn::kindCaption), -1);

    // Maximised: its window-menu button first, its caption buttons last; restored: both gone.
    auto maximise = [&] {
        pFrame->MDIMaximize(pChild);
        screen.pump();
        ASSERT_EQ(bar.GetBtnCount(), nMenuButtons + 2);
        EXPECT_EQ(IndexOfKind(bar, SECStdBtn::kindSysMenu), 0);
        EXPECT_EQ(IndexOfKind(bar, SECStdBtn::kindCaption), bar.GetBtnCount() - 1);
    };
    const HICON hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    pChild->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
    maximise();
    EXPECT_EQ(static_cast<SECCapMenuBtn*>(bar.GetBtn(0))->m_hIcon, hIcon) << "the child's own icon";
    const std::string diff = screen.compareWithGolden(CRect(0, 0, 500, 24),
        std::string(TS_CONTROLS_TEST_DIR) + "/golden/MDIMenuBarMaximised.png");
    EXPECT_EQ(diff, "");
    EXPECT_FALSE(bar.RefreshMDIButtons()) << "nothing changes a second time";
    pFrame->MDIRestore(pChild);
    screen.pump();
    EXPECT_EQ(bar.GetBtnCount(), nMenuButtons);
    EXPECT_EQ(IndexOfKind(bar, SECStdBtn::kindCaption), -1);

    // In help mode a click on the close part asks for the help of closing; the child stays.
    maximise();
    auto* pCaption = static_cast<SECBtnCaption*>(bar.GetBtn(bar.GetBtnCount() - 1));
    CPoint close(pCaption->m_x + 2 * pCaption->m_nBtnWidth + 2 + pCaption->m_nBtnWidth / 2,
        pCaption->m_y + pCaption->m_nBtnHeight / 2);
    bar.ClientToScreen(&close);
    auto clickClose = [&] {
        platform::user::InjectMouseMove(close);
        platform::user::InjectMouseButton(platform::user::MouseButton::Left, true);
        platform::user::InjectMouseButton(platform::user::MouseButton::Left, false);
    };
    pFrame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
    clickClose();
    screen.pump();
    EXPECT_EQ(app.m_help, std::vector<DWORD> { 0x1EF06 });
    ASSERT_TRUE(::IsWindow(pChild->m_hWnd));

    // Out of help mode the same click closes the child, and its buttons leave the bar.
    screen.advance(std::chrono::seconds(1));
    clickClose();
    screen.pump();
    EXPECT_EQ(pFrame->MDIGetActive(), nullptr);
    EXPECT_EQ(bar.GetBtnCount(), nMenuButtons);
    EXPECT_EQ(bar.GetCurrentMenuId(), IDR_FRAME_MENU);

    app.m_pMainWnd = nullptr;
    pFrame->DestroyWindow();
    screen.pump();
}
