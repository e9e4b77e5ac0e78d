// Views whose frames move between MDI children and control bars of the toolkit's MDI frame through
// the extended system commands; the docked views' activation, menus and filters; and the dialog bar
// made from a template with DLGINIT data.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/CDocument.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/CView.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/tests/MenuTexts.h"
#include "platform/user/TestScreen.h"
#include "toolkit/frames/SECControlBarInfo.h"
#include "toolkit/frames/SECControlBarMDIChildWnd.h"
#include "toolkit/frames/SECDialogBar.h"
#include "toolkit/frames/SECDockState.h"
#include "toolkit/frames/SECDockableFrame.h"
#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/SECMDIChildWnd.h"
#include "toolkit/frames/SECMDIFrameWnd.h"
#include "toolkit/frames/SECMultiDocTemplate.h"
#include "toolkit/frames/SECWorkspaceManagerEx.h"
#include "toolkit/frames/ScxInfo.h"

using namespace nsSysCommandEx;

class DockableTestDoc : public CDocument {
    DECLARE_DYNCREATE(DockableTestDoc)
};
IMPLEMENT_DYNCREATE(DockableTestDoc, CDocument)

class DockableTestView : public CView {
    DECLARE_DYNCREATE(DockableTestView)
};
IMPLEMENT_DYNCREATE(DockableTestView, CView)

namespace {

class DockableViews : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_template = new SECMultiDocTemplate(
            0, RUNTIME_CLASS(DockableTestDoc), RUNTIME_CLASS(SECMDIChildWnd), RUNTIME_CLASS(DockableTestView));
        m_app.AddDocTemplate(m_template);
        m_frame = new SECMDIFrameWnd;
        ASSERT_TRUE(m_frame->Create(nullptr, "Library", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 420)));
        m_app.m_pMainWnd = m_frame;
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        m_frameMenu = MenuWithWindowPopup("&File");
        m_template->m_hMenuShared = MenuWithWindowPopup("&Track");
        m_frame->m_hMenuDefault = m_frameMenu;
        m_frame->OnUpdateFrameMenu(nullptr);
        m_screen.pump();
    }
    void TearDown() override
    {
        m_app.m_pMainWnd = nullptr;
        if (::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        m_screen.pump();
        ::DestroyMenu(m_frameMenu);
    }
    static HMENU MenuWithWindowPopup(const char* first)
    {
        HMENU hMenu = ::CreateMenu();
        ::AppendMenu(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), first);
        HMENU hWindow = ::CreatePopupMenu();
        ::AppendMenu(hWindow, MF_STRING, ID_WINDOW_CASCADE, "&Cascade");
        ::AppendMenu(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hWindow), "&Window");
        return hMenu;
    }
    // A document shown in a new MDI child.
    CFrameWnd* OpenChild(const char* title)
    {
        CDocument* pDocument = m_template->CreateNewDocument();
        pDocument->SetTitle(title);
        CFrameWnd* pChild = m_template->CreateNewFrame(pDocument, nullptr);
        EXPECT_NE(pChild, nullptr);
        m_template->InitialUpdateFrame(pChild, pDocument, TRUE);
        m_screen.pump();
        return pChild;
    }
    // Sends a state change for the frame; the frame that then shows the view.
    CFrameWnd* ChangeState(CFrameWnd* pFrame, int nState)
    {
        ScxInfo info;
        info.m_hWnd = pFrame->m_hWnd;
        info.m_nState = nState;
        EXPECT_EQ(SendSysCommandEx(SCX_CHANGESTATE, info), TRUE) << nState;
        m_screen.pump();
        return ::IsWindow(info.m_hWnd) ? pFrame : m_template->GetMovedFrame();
    }
    static UINT DockBarOf(CFrameWnd* pFrame)
    {
        CControlBar* pBar = SECMultiDocTemplate::GetHostingBar(pFrame);
        return pBar && pBar->m_pDockBar && !pBar->IsFloating() ? static_cast<UINT>(pBar->m_pDockBar->GetDlgCtrlID()) : 0U;
    }
    int CurrentState(CFrameWnd* pFrame)
    {
        ScxInfo info;
        info.m_hWnd = pFrame->m_hWnd;
        info.m_nState = -2;
        // The state shows in the context menu: the checked state item.
        SendSysCommandEx(SCX_GETMENU, info);
        int nState = 0;
        for (int i = 0; i < ::GetMenuItemCount(info.m_hMenu); ++i)
            if (::GetMenuState(info.m_hMenu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED)
                nState = static_cast<int>(::GetMenuItemID(info.m_hMenu, i));
        ::DestroyMenu(info.m_hMenu);
        return nState;
    }

    platform::user::TestScreen m_screen { 640, 480 };
    CWinApp m_app { "dockable" };
    SECMultiDocTemplate* m_template { nullptr };
    SECMDIFrameWnd* m_frame { nullptr };
    HMENU m_frameMenu { nullptr };
};

} // namespace

TEST_F(DockableViews, AViewMovesFromAnMDIChildToADockedBarToAFloatingOneAndBack)
{
    CFrameWnd* pChild = OpenChild("Queue");
    ASSERT_TRUE(pChild->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)));
    EXPECT_EQ(CurrentState(pChild), kMDIChild);

    // Toggled: the view docks at the frame's first place round the sides, the bottom, and is active.
    CFrameWnd* pDocked = ChangeState(pChild, -1);
    ASSERT_NE(pDocked, nullptr);
    ASSERT_TRUE(pDocked->IsKindOf(RUNTIME_CLASS(SECDockableFrame)));
    EXPECT_EQ(DockBarOf(pDocked), AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(m_frame->GetActiveFrame(), pDocked);
    EXPECT_EQ(m_frame->MDIGetActive(), nullptr);
    EXPECT_EQ(CurrentState(pDocked), kDocked);

    // Floated: the bar floats and the view takes the MDI frame's caption style.
    EXPECT_EQ(ChangeState(pDocked, kFloating), pDocked);
    CControlBar* pBar = SECMultiDocTemplate::GetHostingBar(pDocked);
    ASSERT_NE(pBar, nullptr);
    EXPECT_TRUE(pBar->IsFloating());
    EXPECT_EQ(pDocked->GetStyle() & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_NE(::GetProp(pDocked->m_hWnd, "SECDockableFrame PreFloat Docked Style"), nullptr);

    // Docked at a side: the saved style comes back whole.
    const DWORD dwSaved = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(::GetProp(pDocked->m_hWnd, "SECDockableFrame PreFloat Docked Style")));
    EXPECT_EQ(ChangeState(pDocked, kDockedLeft), pDocked);
    EXPECT_EQ(DockBarOf(pDocked), AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(pDocked->GetStyle() & ~WS_VISIBLE, dwSaved & ~WS_VISIBLE);
    EXPECT_EQ(::GetProp(pDocked->m_hWnd, "SECDockableFrame PreFloat Docked Style"), nullptr);

    // Back to an MDI child, maximised; docking it again goes back to the side it was docked at.
    CFrameWnd* pBack = ChangeState(pDocked, kMDIMaximized);
    ASSERT_NE(pBack, nullptr);
    EXPECT_TRUE(pBack->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)));
    EXPECT_TRUE(::IsZoomed(pBack->m_hWnd));
    EXPECT_EQ(m_frame->GetActiveDockedView(), nullptr);
    CFrameWnd* pAgain = ChangeState(pBack, kDocked);
    EXPECT_EQ(DockBarOf(pAgain), AFX_IDW_DOCKBAR_LEFT);

    // An MDI child floats in one step: docked first, then floated.
    CFrameWnd* pOther = OpenChild("History");
    CFrameWnd* pFloating = ChangeState(pOther, kFloating);
    ASSERT_NE(pFloating, nullptr);
    EXPECT_TRUE(SECMultiDocTemplate::GetHostingBar(pFloating)->IsFloating());
}

TEST_F(DockableViews, ADockedViewTakesTheActivationAndShowsItsTemplatesMenuAndGivesItBackWhenClosed)
{
    CFrameWnd* pChild = OpenChild("Queue");
    CFrameWnd* pFirst = ChangeState(OpenChild("Artists"), -1);
    CFrameWnd* pSecond = ChangeState(OpenChild("Albums"), -1);
    ASSERT_TRUE(pFirst && pSecond);
    EXPECT_EQ(m_frame->GetActiveFrame(), pSecond);
    // No document menu: the template's shared menu, with the children listed in its Window menu.
    EXPECT_EQ(::GetMenu(m_frame->m_hWnd), m_template->m_hMenuShared);

    // A click in the MDI child takes the activation back.
    pChild->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(m_frame->m_hWnd), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    m_screen.pump();
    EXPECT_EQ(m_frame->GetActiveFrame(), pChild);
    EXPECT_EQ(m_frame->GetActiveDockedView(), nullptr);

    // Closing the active docked view while an MDI child shows leaves no docked view active.
    pFirst->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(m_frame->m_hWnd), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(m_frame->GetActiveFrame(), pFirst);
    pFirst->DestroyWindow();
    m_screen.pump();
    EXPECT_EQ(m_frame->GetActiveDockedView(), nullptr);

    // Without a visible MDI child the other docked view takes it.
    CFrameWnd* pThird = ChangeState(OpenChild("Genres"), -1);
    pChild->DestroyWindow();
    m_screen.pump();
    ASSERT_EQ(m_frame->GetActiveFrame(), pThird);
    pThird->DestroyWindow();
    m_screen.pump();
    EXPECT_EQ(m_frame->GetActiveDockedView(), pSecond);
}

TEST_F(DockableViews, TheFlagsSwitchTheDockedViewsFiltersOnAndOff)
{
    auto* pDocked = dynamic_cast<SECDockableFrame*>(ChangeState(OpenChild("Queue"), -1));
    ASSERT_NE(pDocked, nullptr);
    const auto enabled = [&](int nID) {
        const SECMsgFilter* pFilter = pDocked->GetRootMsgFilter()->FindFilter(nID, nullptr, -1);
        return pFilter && pFilter->IsEnabled();
    };
    pDocked->EnableSysCommandEx(1 | 4);
    EXPECT_TRUE(enabled(SEC_FILTER_SYSCOMMANDEX));
    EXPECT_TRUE(enabled(SEC_FILTER_SCXBUTTON));
    EXPECT_TRUE(enabled(SEC_FILTER_SCXCONTEXTMENU));
    EXPECT_FALSE(enabled(SEC_FILTER_SCXRDBLCLK));
    // A right double click on the caption then changes nothing.
    pDocked->SendMessage(WM_NCRBUTTONDBLCLK, HTCAPTION, 0);
    m_screen.pump();
    EXPECT_TRUE(::IsWindow(pDocked->m_hWnd));
    EXPECT_EQ(DockBarOf(pDocked), AFX_IDW_DOCKBAR_BOTTOM);

    pDocked->EnableSysCommandEx(0);
    EXPECT_FALSE(enabled(SEC_FILTER_SYSCOMMANDEX));
    EXPECT_FALSE(enabled(SEC_FILTER_SCXBUTTON));
    // The caption-control list is never switched off.
    EXPECT_TRUE(enabled(SEC_FILTER_CAPTIONCONTROLS));
}

TEST(SECDialogBar, ABarFromATemplateTakesItsSizeAndItsListsAndAFailedOneLeavesNoWindow)
{
    platform::user::TestScreen screen { 640, 480 };
    CWinApp app { "dialogbar" };
    auto* pFrame = new SECMDIFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 300)));
    app.m_pMainWnd = pFrame;
    pFrame->EnableDocking(CBRS_ALIGN_ANY);

    auto* pBar = new SECDialogBar;
    pBar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pBar->Create(pFrame, 30101, CBRS_TOP, 0, 0xE830));
    EXPECT_EQ(pBar->GetDlgCtrlID(), 0xE830);
    EXPECT_FALSE(pBar->IsWindowVisible()) << "made without WS_VISIBLE";
    CRect rect;
    pBar->GetWindowRect(&rect);
    EXPECT_EQ(pBar->m_sizeDefault, rect.Size());
    EXPECT_GT(rect.Width(), 0);
    EXPECT_EQ(pBar->GetStyle() & WS_CAPTION, 0U);
    EXPECT_EQ(::SendDlgItemMessage(pBar->m_hWnd, 30112, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(::SendDlgItemMessage(pBar->m_hWnd, 30113, LB_GETCOUNT, 0, 0), 1);

    // Its bar information records the template, so that a saved layout makes the bar again from it.
    pFrame->DockControlBar(pBar);
    EXPECT_EQ(pFrame->GetControlBar(0xE830), pBar) << "the frame knows its bar";
    SECDockState state;
    pFrame->GetDockState(state);
    SECControlBarInfo* pInfo = nullptr;
    for (INT_PTR i = 0; i < state.GetBarCount(); ++i) {
        if (state.GetBarInfo(i)->m_nBarID == 0xE830)
            pInfo = state.GetBarInfo(i);
    }
    ASSERT_NE(pInfo, nullptr);
    EXPECT_EQ(pInfo->m_dwResourceID, 30101U);
    EXPECT_STREQ(pInfo->m_strClassName, "SECDialogBar");
    auto* pOther = new SECMDIFrameWnd;
    ASSERT_TRUE(pOther->Create(nullptr, "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 300)));
    pOther->EnableDocking(CBRS_ALIGN_ANY);
    pOther->SetDockState(state);
    auto* pMade = dynamic_cast<SECDialogBar*>(pOther->GetControlBar(0xE830));
    ASSERT_NE(pMade, nullptr);
    EXPECT_EQ(::SendDlgItemMessage(pMade->m_hWnd, 30112, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(pMade->m_sizeDefault, pBar->m_sizeDefault);
    pOther->DestroyWindow();

    // DLGINIT data naming a missing control: FALSE, and the half-made window is gone.
    SECDialogBar broken;
    EXPECT_FALSE(broken.Create(pFrame, 30102, WS_VISIBLE | CBRS_TOP, 0, 0xE831));
    EXPECT_EQ(broken.m_hWnd, nullptr);
    EXPECT_EQ(::GetDlgItem(pFrame->m_hWnd, 0xE831), nullptr);

    app.m_pMainWnd = nullptr;
    pFrame->DestroyWindow();
    screen.pump();
}

TEST_F(DockableViews, AfterLoadingAWorkspaceTheActiveDockedViewOrTheChildHoldingFloatingBarsIsActivated)
{
    auto* pManager = new SECWorkspaceManagerEx;
    ASSERT_TRUE(pManager->AttachToWindow(m_frame));
    CFrameWnd* pChild = OpenChild("Queue");
    CFrameWnd* pDocked = ChangeState(OpenChild("Artists"), -1);
    auto* pBar = new SECControlBar;
    pBar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pBar->Create(m_frame, "Tools", WS_CHILD | WS_VISIBLE | CBRS_TOP, 0, 0xE840));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_frame->DockControlBar(pBar);
    m_frame->FloatControlBarInMDIChild(pBar, -1, -1);
    CFrameWnd* pBarChild = pBar->GetParentFrame();
    m_frame->MDIActivate(pChild);
    m_screen.pump();

    // A docked view that was active takes the activation through the MDI frame.
    pManager->ActivateLoadedFrame(pDocked);
    EXPECT_EQ(m_frame->GetActiveFrame(), pDocked);
    // None: the child holding the floating bar is activated.
    m_frame->SetActiveFrame(nullptr);
    pManager->ActivateLoadedFrame(nullptr);
    m_screen.pump();
    EXPECT_EQ(m_frame->MDIGetActive(), pBarChild);
    pManager->DetachFromWindow();
    delete pManager;
}
