// The menu bar in the toolkit's MDI frame: an MDI child switches the bar to its menu while it is
// active and the frame's own menu comes back when it goes; the bar's window-menu button acts on the
// frame's active child.

#include <gtest/gtest.h>

#include "platform/afx/CWinApp.h"
#include "platform/user/TestScreen.h"
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

} // namespace

TEST(MDIMenuBar, AChildSwitchesTheBarToItsMenuWhileActiveAndTheFramesMenuComesBack)
{
    platform::user::TestScreen screen { 640, 480 };
    CWinApp app { "mdimenubar" };
    auto* pFrame = new MDIFrameWithMenuBar;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_FRAME_MENU, WS_POPUP | WS_VISIBLE));
    pFrame->SetWindowPos(nullptr, 0, 0, 500, 300, SWP_NOZORDER);
    app.m_pMainWnd = pFrame;
    ASSERT_TRUE(pFrame->m_bar.CreateEx(0, pFrame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, SEC_IDW_MENUBAR));
    ASSERT_TRUE(pFrame->m_bar.LoadMenus({ IDR_FRAME_MENU, IDR_CHILD_MENU }));
    pFrame->SetMenuBarMenu(static_cast<UINT>(-1));
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

    app.m_pMainWnd = nullptr;
    pFrame->DestroyWindow();
    screen.pump();
}
