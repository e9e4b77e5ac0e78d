#include "toolkit/frames/SECMDIFrameWnd.h"

#include <algorithm>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CMemoryException.h"
#include "platform/afx/CMiniDockFrameWnd.h"
#include "platform/afx/CMultiDocTemplate.h"
#include "platform/afx/CView.h"
#include "platform/afx/CWinApp.h"
#include "toolkit/frames/SECCaptionControlListMsgFilter.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECControlBarMDIChildWnd.h"
#include "toolkit/frames/SECControlsLink.h"
#include "toolkit/frames/SECDockBar.h"
#include "toolkit/frames/SECFrameBarState.h"
#include "toolkit/frames/SECFrameCustomise.h"
#include "toolkit/frames/SECFrameDocking.h"
#include "toolkit/frames/SECFrameHelp.h"
#include "toolkit/frames/SECFrameWorkspace.h"
#include "toolkit/frames/SECFrameResources.h"
#include "toolkit/frames/SECFilterRouting.h"
#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/SECFrameWnd.h"
#include "toolkit/frames/SECMultiDocTemplate.h"
#include "toolkit/frames/SECWndPlugIn.h"
#include "toolkit/frames/ScxButtonMsgFilter.h"
#include "toolkit/frames/ScxInfo.h"
#include "toolkit/frames/ScxMsgFilter.h"
#include "toolkit/frames/ScxNCRDBLClkMDIMaxChildMsgFilter.h"

IMPLEMENT_DYNCREATE(SECMDIFrameWnd, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(SECMDIFrameWnd, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_NCACTIVATE()
    ON_WM_NCPAINT()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_WM_NCHITTEST()
    ON_WM_ENABLE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_ENTERIDLE()
    ON_MESSAGE(WM_SEC_BAR_CONTEXTMENU, OnBarContextMenu)
    ON_REGISTERED_MESSAGE(WM_SECGETMENU, OnSecGetMenu)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
    SEC_ON_WORKSPACE_COMMANDS()
END_MESSAGE_MAP()

namespace {

// The layout modes of a bar docked at a dock bar, chosen by the dock bar.
constexpr DWORD kModeHorzDock = LM_LENGTHY | LM_HORZDOCK | LM_HORZ;
constexpr DWORD kModeVertDock = LM_VERTDOCK;
constexpr DWORD kModeOther = LM_LENGTHY | LM_MRUWIDTH | LM_HORZ;

// The next MDI float place steps this far and starts again this far from the client's edges.
const CSize kMDIFloatStep { 20, 23 };
constexpr int kMDIFloatMargin = 30;

// The docked view's style while its bar floats comes from this frame, within these bits.
constexpr DWORD kFloatedViewStyleMask = 0x10CFFFFF;
constexpr DWORD kFloatedViewExStyleMask = 0x203A9;
constexpr DWORD kFloatingFrameKeptStyle = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr LPCTSTR kPropPreFloatStyle = "SECDockableFrame PreFloat Docked Style";
constexpr LPCTSTR kPropPreFloatExStyle = "SECDockableFrame PreFloat Docked ExStyle";

SECControlBar* AsSECBar(CControlBar* pBar)
{
    return pBar && pBar->IsKindOf(RUNTIME_CLASS(SECControlBar)) ? static_cast<SECControlBar*>(pBar) : nullptr;
}

// The view that a frame's activation concerns: its own active view, else its active frame's.
CView* ActivationView(CFrameWnd* pFrame)
{
    if (!pFrame)
        return nullptr;
    if (CView* pView = pFrame->GetActiveView())
        return pView;
    CFrameWnd* pActive = pFrame->GetActiveFrame();
    return pActive ? pActive->GetActiveView() : nullptr;
}

BOOL FocusIn(CWnd* pWnd)
{
    const HWND hFocus = ::GetFocus();
    return pWnd && hFocus && (hFocus == pWnd->m_hWnd || ::IsChild(pWnd->m_hWnd, hFocus));
}

} // namespace

SECMDIFrameWnd::SECMDIFrameWnd()
    : m_pMsgFilter(std::make_unique<SECMsgFilter>(this, -1))
{
    using namespace nsSysCommandEx;
    m_descriptors.Add(SEC_FILTER_SYSCOMMANDEX, -1, RUNTIME_CLASS(ScxMsgFilter));
    m_descriptors.Add(SEC_FILTER_CAPTIONCONTROLS, -1, RUNTIME_CLASS(SECCapConLstMDIMaxChildMsgFilter));
    m_descriptors.Add(SEC_FILTER_MDIMAX_SCXBUTTON, SEC_FILTER_CAPTIONCONTROLS,
        RUNTIME_CLASS(ScxButtonMDIMaxChildMsgFilter));
    m_descriptors.Add(SEC_FILTER_MDIMAX_SCXRDBLCLK, -1, RUNTIME_CLASS(ScxNCRDBLClkMDIMaxChildMsgFilter));
    // Round the bottom, left and right sides, a new row (the 0 entries) now and then.
    for (int i = 0; i < 6; ++i) {
        if (i % 3 == 0)
            m_dockRing.push_back(0);
        m_dockRing.push_back(AFX_IDW_DOCKBAR_BOTTOM);
        if (i % 2 == 0)
            m_dockRing.push_back(0);
        m_dockRing.push_back(AFX_IDW_DOCKBAR_LEFT);
        if (i % 2 == 0)
            m_dockRing.push_back(0);
        m_dockRing.push_back(AFX_IDW_DOCKBAR_RIGHT);
    }
    SetCaptionControls(SECMultiDocTemplate::AnyInApp() ? 1 : 0);
}

SECMDIFrameWnd::~SECMDIFrameWnd()
{
    m_pMenuPlugIn.reset();
    if (m_hMenuStored)
        ::DestroyMenu(m_hMenuStored);
    for (const auto& [nID, hMenu] : m_menuMap)
        ::DestroyMenu(hMenu);
    SECFrameBarState::DeleteCreatedBars(m_listCreatedBars);
}

// Creation --------------------------------------------------------------------------------------------------------

BOOL SECMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDDefaultMenu = nIDResource;
    m_nIDMenuStored = nIDResource;
    return SECFrameResources::LoadFrame(
        *this, nIDResource, HasMenuBar(), m_hMenuStored, pContext,
        [&] {
            return Create(nullptr, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd,
                HasMenuBar() ? nullptr : MAKEINTRESOURCE(nIDResource), 0, pContext);
        },
        [this] { SetMenuBarMenu(static_cast<UINT>(-1)); });
}

int SECMDIFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pMenuPlugIn = SECAttachMenuPlugIn(this, m_pMenuBar, FALSE, m_pControlBarManager);
    if (m_pMenuPlugIn && HasMenuBar())
        m_pMsgFilter->ApplyDescriptor(m_descriptors[1], TRUE);
    return 0;
}

BOOL SECMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    // Without a menu of its own and without a menu bar, the Window menu is the one before the last.
    CMenu* pWindowMenu = nullptr;
    if (!m_hMenuDefault && !HasMenuBar()) {
        if (HMENU hMenu = ::GetMenu(m_hWnd); hMenu && ::GetMenuItemCount(hMenu) >= 2)
            if (HMENU hPopup = ::GetSubMenu(hMenu, ::GetMenuItemCount(hMenu) - 2))
                pWindowMenu = CMenu::FromHandle(hPopup);
    } else if (HMENU hPopup = GetWindowMenuPopup(m_hMenuDefault)) {
        pWindowMenu = CMenu::FromHandle(hPopup);
    }
    return CreateClient(lpcs, pWindowMenu);
}

void SECMDIFrameWnd::OnClose()
{
    // The plug-in never outlives the window it is attached to.
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this && !pApp->SaveAllModified())
        return;
    m_pMenuPlugIn.reset();
    if (pApp && pApp->m_pMainWnd == this)
        pApp->CloseAllDocuments(FALSE);
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

// Filters ---------------------------------------------------------------------------------------------------------

void SECMDIFrameWnd::SetCaptionControls(DWORD dwFlags)
{
    m_pMsgFilter->ApplyDescriptors(m_descriptors, (dwFlags & 1) | 0xE);
    if (auto* pList = dynamic_cast<SECCaptionControlListMsgFilter*>(m_pMsgFilter->FindFilter(SEC_FILTER_CAPTIONCONTROLS))) {
        // In the menu-bar row only the maximised child's docking-state button is the frame's to draw.
        pList->ApplyDescriptorsAll(pList->GetStandardControls(), FALSE);
        if (m_hWnd)
            pList->LayoutControls();
    }
}

BOOL SECMDIFrameWnd::FilterCurrentMessage(LRESULT* pResult)
{
    return (m_pMsgFilter->FilterMessage(nullptr, pResult) & SECMsgFilter::kHandled) != 0;
}

LRESULT SECMDIFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pMenuPlugIn) {
        LRESULT result = 0;
        const BOOL bHandled = m_pMenuPlugIn->OnWndMsg(message, wParam, lParam, &result);
        if (m_pMenuPlugIn->m_bConsumed || (message == WM_HELP && bHandled))
            return result;
    }
    static const SECFilterRoutes kRoutes { { WM_MOUSEMOVE, WM_LBUTTONUP, WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCRBUTTONDBLCLK }, { WM_NCPAINT, WM_SETTEXT } };
    return SECRouteThroughFilters(*m_pMsgFilter, m_hWnd, kRoutes, message, wParam, lParam,
        [&] { return CMDIFrameWnd::WindowProc(message, wParam, lParam); });
}

LRESULT SECMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LRESULT lResult = 0; SECFilterSysCommandEx(*m_pMsgFilter, message, wParam, lParam, &lResult))
        return lResult;
    return CMDIFrameWnd::DefWindowProc(message, wParam, lParam);
}

// Commands --------------------------------------------------------------------------------------------------------

CFrameWnd* SECMDIFrameWnd::GetCommandFrame()
{
    if (m_pActiveDockedView)
        return m_pActiveDockedView;
    return MDIGetActive();
}

BOOL SECMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // Context help is this frame's: only its loop lets the menu bar open menus in help mode, and a
    // child's loop would hold help mode where the frame's commands cannot see it.
    CFrameWnd* pFrame = nID == ID_CONTEXT_HELP ? nullptr : GetCommandFrame();
    if (pFrame && pFrame->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (BOOL bResult = FALSE; SECFrameWorkspace::RouteCommand(m_pWorkspaceMgr.get(), nID, nCode, pExtra, pHandlerInfo, bResult))
        return bResult;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT SECMDIFrameWnd::OnCommandHelp(WPARAM wParam, LPARAM lParam)
{
    // Help for the menu item being tracked, else the docked view's or the child's own, else ours.
    if (lParam == 0 && m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_IDLEMESSAGE)
        lParam = static_cast<LPARAM>(m_nIDTracking) + 0x10000;
    if (CFrameWnd* pFrame = GetCommandFrame(); pFrame && pFrame->m_hWnd
        && ::SendMessage(pFrame->m_hWnd, WM_COMMANDHELP, wParam, lParam))
        return TRUE;
    return CFrameWnd::OnCommandHelp(wParam, lParam);
}

void SECMDIFrameWnd::OnContextHelp() { SECFrameHelp::RunContextHelp(*this, m_pMenuBar); }

BOOL SECMDIFrameWnd::ProcessHelpMsg(MSG& msg, DWORD* pContext) { return SECFrameHelp::ProcessHelpMsg(*this, m_pMenuBar, msg, pContext); }

SECMDIFrameWnd::SECWndPlugIn* SECMDIFrameWnd::InstallWorkspaceManager(LPCTSTR lpszKey, int nStorageMode, CRuntimeClass* pClass, BOOL bFlag)
{
    return SECFrameWorkspace::Install(*this, m_pWorkspaceMgr, lpszKey, nStorageMode, pClass, bFlag);
}

BOOL SECMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // In help mode a command chosen from the menu bar asks for its help here instead of running in
    // the child; context help itself is this frame's (see OnCmdMsg).
    const BOOL bOwn = m_bHelpMode || LOWORD(wParam) == ID_CONTEXT_HELP;
    if (CFrameWnd* pFrame = bOwn ? nullptr : GetCommandFrame(); pFrame && pFrame->m_hWnd
        && ::SendMessage(pFrame->m_hWnd, WM_COMMAND, wParam, lParam))
        return TRUE;
    if (CFrameWnd::OnCommand(wParam, lParam))
        return TRUE;
    // A system command nobody handled (a Window-menu child, a system-menu item) goes on as such.
    if (lParam == 0 && LOWORD(wParam) >= 0xF000) {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

void SECMDIFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    CMDIFrameWnd::OnSetPreviewMode(bPreview, pState);
    if (!bPreview)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

CFrameWnd* SECMDIFrameWnd::GetActiveFrame()
{
    return m_pActiveDockedView ? m_pActiveDockedView : CMDIFrameWnd::GetActiveFrame();
}

void SECMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CFrameWnd* pActive = GetActiveFrame();
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pChild = MDIGetActive(&bMaximized);
    if (bAddToTitle && pActive && pActive == pChild && !bMaximized) {
        CDocument* pDocument = GetActiveDocument();
        if (!pDocument)
            pDocument = pChild->GetActiveDocument();
        if (pDocument) {
            UpdateFrameTitleForDocument(pDocument->GetTitle());
            return;
        }
    }
    if (bAddToTitle && pActive && pActive != this) {
        CString strTitle;
        pActive->GetWindowText(strTitle);
        if (!strTitle.IsEmpty()) {
            UpdateFrameTitleForDocument(strTitle);
            return;
        }
    }
    UpdateFrameTitleForDocument(nullptr);
}

void SECMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (auto* pDocked = dynamic_cast<SECFrameWnd*>(m_pActiveDockedView)) {
        pDocked->OnUpdateFrameMenu(TRUE, pDocked, hMenuAlt);
        return;
    }
    if (CMDIChildWnd* pChild = MDIGetActive()) {
        pChild->OnUpdateFrameMenu(TRUE, pChild, hMenuAlt);
        return;
    }
    HMENU hMenu = hMenuAlt ? hMenuAlt : m_hMenuDefault;
    if (m_hWndMDIClient)
        ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenu),
            reinterpret_cast<LPARAM>(GetWindowMenuPopup(hMenu)));
    if (HasMenuBar())
        RefreshWindowMenu();
}

// Activation ------------------------------------------------------------------------------------------------------

void SECMDIFrameWnd::ActivateDockedView(CFrameWnd* pFrame, BOOL bForce)
{
    if (pFrame == m_pActiveDockedView && !bForce)
        return;
    if (m_pActiveDockedView)
        DeactivateDockedView(pFrame == nullptr);
    if (CView* pOld = ActivationView(GetActiveFrame()); pOld && FocusIn(pOld))
        pOld->OnActivateView(FALSE, pOld, pOld);
    if (pFrame) {
        pFrame->SendMessage(WM_NCACTIVATE, TRUE);
        m_pActiveDockedView = pFrame;
        if (m_hWndMDIClient) {
            ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, 0, 0);
            ::SendMessage(m_hWndMDIClient, WM_NCACTIVATE, 0, 0);
        }
    }
    CFrameWnd* pActive = GetActiveFrame();
    if (CView* pNew = pActive ? pActive->GetActiveView() : nullptr; pNew && !FocusIn(pNew))
        pNew->OnActivateView(TRUE, pNew, pNew);
    OnUpdateFrameTitle(TRUE);
    if (!HasMenuBar()) {
        OnUpdateFrameMenu(nullptr);
        DrawMenuBar();
        return;
    }
    UINT nID = static_cast<UINT>(-1);
    if (pActive && pActive != this && pActive->m_nIDHelp)
        nID = pActive->m_nIDHelp;
    SetMenuBarMenu(nID);
}

void SECMDIFrameWnd::DeactivateDockedView(BOOL bActivateMDIChild)
{
    if (CFrameWnd* pDocked = m_pActiveDockedView) {
        if (CView* pView = pDocked->GetActiveView())
            pView->OnActivateView(FALSE, pView, pView);
        pDocked->SendMessage(WM_NCACTIVATE, FALSE);
        m_pActiveDockedView = nullptr;
        ::SetFocus(nullptr);
    }
    if (bActivateMDIChild && m_hWndMDIClient) {
        ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, 0, 0);
        ::SendMessage(m_hWndMDIClient, WM_NCACTIVATE, 1, 0);
    }
}

void SECMDIFrameWnd::ActivateView(UINT nState, BOOL bMinimized, CWnd* pWndOther)
{
    if (m_bActivationGuard)
        return;
    CView* pView = ActivationView(this);
    if (!pView)
        return;
    const HWND hForeground = ::GetForegroundWindow();
    if (nState != WA_INACTIVE && !bMinimized && !FocusIn(pView))
        pView->OnActivateView(TRUE, pView, pView);
    if (::GetForegroundWindow() != hForeground) {
        // Telling the view moved the foreground; give it back without reacting to that activation.
        m_bActivationGuard = TRUE;
        const HWND hBack = ::IsWindow(hForeground) ? hForeground : m_hWnd;
        ::SetActiveWindow(hBack);
        ::SetForegroundWindow(hBack);
        m_bActivationGuard = FALSE;
    }
    (void)pWndOther;
    pView->OnActivateFrame(nState, this);
}

void SECMDIFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    ActivateView(nState, bMinimized, pWndOther);
}

void SECMDIFrameWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    if (m_pActiveDockedView && m_hWndMDIClient) {
        ::PostMessage(m_hWndMDIClient, WM_MDIACTIVATE, 0, 0);
        ::PostMessage(m_hWndMDIClient, WM_NCACTIVATE, 0, 0);
        m_pActiveDockedView->PostMessage(WM_NCACTIVATE, bActive, 0);
    }
    CMDIFrameWnd::OnActivateApp(bActive, dwThreadID);
}

BOOL SECMDIFrameWnd::OnNcActivate(BOOL bActive)
{
    // While toolbars are customised the caption follows the real activation.
    if (SECFrameCustomise::InConfigMode(m_pControlBarManager))
        m_nFlags &= ~WF_STAYACTIVE;
    // A docked view keeps the frame's caption active while it has the keyboard.
    if (m_pActiveDockedView) {
        const HWND hForeground = ::GetForegroundWindow();
        if (hForeground == m_hWnd || (hForeground && ::GetAncestor(hForeground, GA_ROOTOWNER) == m_hWnd))
            m_nFlags |= WF_STAYACTIVE;
    }
    const BOOL bResult = IsGradientCaptionActive() ? m_caption.OnNcActivate(bActive) : CMDIFrameWnd::OnNcActivate(bActive);
    LRESULT lResult = 0;
    FilterCurrentMessage(&lResult);
    return bResult;
}

LRESULT SECMDIFrameWnd::OnNcHitTest(CPoint point)
{
    // While toolbars are customised the frame itself takes no clicks.
    if (SECFrameCustomise::InConfigMode(m_pControlBarManager))
        return HTERROR;
    return CMDIFrameWnd::OnNcHitTest(point);
}

void SECMDIFrameWnd::OnEnable(BOOL bEnable)
{
    if (SECFrameCustomise::InConfigMode(m_pControlBarManager))
        m_nFlags &= ~WF_STAYACTIVE;
    CMDIFrameWnd::OnEnable(bEnable);
}

void SECMDIFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    SECFrameCustomise::LayoutOnDialogIdle(*this, m_pControlBarManager, nWhy);
    CMDIFrameWnd::OnEnterIdle(nWhy, pWho);
}

void SECMDIFrameWnd::OnSysColorChange()
{
    SECFrameCustomise::SysColorChanged(*this, [this] { CMDIFrameWnd::OnSysColorChange(); });
}

void SECMDIFrameWnd::OnNcPaint()
{
    if (IsGradientCaptionActive())
        m_caption.OnNcPaint();
    else
        Default();
}

LRESULT SECMDIFrameWnd::OnSetText(WPARAM, LPARAM lParam)
{
    return IsGradientCaptionActive() ? m_caption.OnSetText(lParam) : Default();
}

void SECMDIFrameWnd::DrawCaption()
{
    CFont fontPlain;
    CFont fontItalic;
    CreateCaptionFont(fontPlain);
    CreateCaptionFontItalic(fontItalic);
    m_caption.DrawCaption(fontPlain, fontItalic);
}

// Menus -----------------------------------------------------------------------------------------------------------

HMENU SECMDIFrameWnd::GetDefaultMenu() { return HasMenuBar() ? m_hMenuStored : m_hMenuDefault; }

HMENU SECMDIFrameWnd::GetResourceMenu(UINT nID)
{
    if (m_hMenuStored && nID == m_nIDMenuStored)
        return m_hMenuStored;
    CWinApp* pApp = AfxGetApp();
    for (POSITION pos = pApp ? pApp->GetFirstDocTemplatePosition() : nullptr; pos;) {
        auto* pTemplate = dynamic_cast<CMultiDocTemplate*>(pApp->GetNextDocTemplate(pos));
        if (pTemplate && pTemplate->m_nIDResource == nID)
            return pTemplate->m_hMenuShared;
    }
    if (auto found = m_menuMap.find(nID); found != m_menuMap.end())
        return found->second;
    HMENU hMenu = SECFrameResources::LoadMenuOf(nID);
    if (hMenu)
        m_menuMap[nID] = hMenu;
    return hMenu;
}

LRESULT SECMDIFrameWnd::OnSecGetMenu(WPARAM wParam, LPARAM lParam)
{
    HMENU hMenu = GetResourceMenu(static_cast<UINT>(wParam));
    return hMenu ? reinterpret_cast<LRESULT>(::GetSubMenu(hMenu, static_cast<int>(lParam))) : 0;
}

CMenu* SECMDIFrameWnd::GetCurrentMenu()
{
    HMENU hMenu = nullptr;
    if (HasMenuBar()) {
        const auto& menuBarMenuId = SECControlsLink::Get().menuBarMenuId;
        const UINT nID = menuBarMenuId ? menuBarMenuId(m_pMenuBar) : 0;
        hMenu = GetResourceMenu(nID);
        if (!hMenu && nID == IDR_SEC_MDIFLOAT)
            hMenu = m_hMenuStored;
    } else {
        hMenu = ::GetMenu(m_hWnd);
    }
    return hMenu ? CMenu::FromHandle(hMenu) : nullptr;
}

void SECMDIFrameWnd::SetMenuBarMenu(UINT nID)
{
    const SECControlsLink& link = SECControlsLink::Get();
    if (HasMenuBar() && m_pMenuPlugIn) {
        if (nID == 0)
            nID = static_cast<UINT>(-1);
        if (nID != static_cast<UINT>(-1)) {
            if (link.switchMenu)
                link.switchMenu(m_pMenuPlugIn.get(), nID);
        } else {
            if (link.switchMenu)
                link.switchMenu(m_pMenuPlugIn.get(), m_nIDDefaultMenu);
            RefreshMDIButtons();
        }
    }
    RefreshWindowMenu();
}

void SECMDIFrameWnd::RefreshMDIButtons()
{
    const SECControlsLink& link = SECControlsLink::Get();
    if (HasMenuBar() && link.refreshMDIButtons && link.refreshMDIButtons(m_pMenuBar)) {
        if (CControlBar* pBar = link.menuBarWindow ? link.menuBarWindow(m_pMenuBar) : nullptr) {
            pBar->Invalidate();
            if (CFrameWnd* pParent = pBar->GetParentFrame())
                pParent->RecalcLayout();
        }
    }
}

void SECMDIFrameWnd::RefreshWindowMenu()
{
    if (!HasMenuBar() || !m_hWndMDIClient)
        return;
    CMenu* pMenu = GetCurrentMenu();
    HMENU hPopup = pMenu ? GetWindowMenuPopup(pMenu->m_hMenu) : nullptr;
    // The list of children lives in the menu bar's Window menu unless the window shows a menu.
    if (!::GetMenu(m_hWnd))
        ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(hPopup));
}

void SECMDIFrameWnd::UpdateMenuBarMenu()
{
    const auto& menuBarMenuId = SECControlsLink::Get().menuBarMenuId;
    if (!HasMenuBar() || !menuBarMenuId || !m_hWndMDIClient)
        return;
    HMENU hMenu = GetResourceMenu(menuBarMenuId(m_pMenuBar));
    if (hMenu && !::GetMenu(AfxGetMainWnd() ? AfxGetMainWnd()->m_hWnd : m_hWnd))
        ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(GetWindowMenuPopup(hMenu)));
}

LRESULT SECMDIFrameWnd::OnBarContextMenu(WPARAM wParam, LPARAM lParam)
{
    auto* pBar = reinterpret_cast<CControlBar*>(wParam);
    auto* pMenu = reinterpret_cast<CMenu*>(lParam);
    SECControlBar* pSEC = AsSECBar(pBar);
    if (!pSEC || !pMenu)
        return 0;
    const BOOL bMDIChild = pSEC->IsMDIChild();
    if (bMDIChild)
        pMenu->EnableMenuItem(ID_SEC_ALLOWDOCKING, MF_BYCOMMAND | MF_GRAYED);
    if (pSEC->m_dwExStyle & BARX_MDI_FLOAT_ITEM) {
        CString strText;
        if (!strText.LoadString(ID_SEC_MDIFLOAT))
            strText = "Float In Main Window";
        pMenu->AppendMenu(MF_SEPARATOR);
        pMenu->AppendMenu(MF_STRING | (bMDIChild ? MF_CHECKED : 0), ID_SEC_MDIFLOAT, strText);
    }
    return 0;
}

void SECMDIFrameWnd::GetNextDockPosition(UINT& nDockBarID, SECDockPlacement& placement, SECDockSize& size)
{
    size = SECDockSize { 1.0F, 150, 0 };
    const int nCount = static_cast<int>(m_dockRing.size());
    for (int nStep = 0; nStep < nCount; ++nStep) {
        const int i = (m_nRingIndex + nStep) % nCount;
        if (m_dockRing[static_cast<size_t>(i)] == 0)
            continue;
        nDockBarID = m_dockRing[static_cast<size_t>(i)];
        placement = SECDockPlacement { 0, 1, 2 };
        if (nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_LEFT)
            placement.m_dwFlags = 3;
        // After a 0 entry the view starts a new row.
        const UINT nBefore = m_dockRing[static_cast<size_t>(i == 0 ? nCount - 1 : i - 1)];
        if (nCount > 1 && nBefore == 0) {
            placement.m_dwFlags += 4;
            if (placement.m_dwFlags & 1)
                placement.m_nRow = 1;
        }
        m_nRingIndex = (i + 1) % nCount;
        return;
    }
    nDockBarID = AFX_IDW_DOCKBAR_BOTTOM;
    placement = SECDockPlacement { 0, 0, 4 };
}

// Docking ---------------------------------------------------------------------------------------------------------

SECDockBar* SECMDIFrameWnd::CreateDockBar()
{
    if (m_pDockBarClass)
        if (auto* pDockBar = dynamic_cast<SECDockBar*>(m_pDockBarClass->CreateObject()))
            return pDockBar;
    return new SECDockBar;
}

void SECMDIFrameWnd::EnableDocking(DWORD dwDockStyle, DWORD)
{
    SECFrameDocking::EnableDocking(*this, dwDockStyle, [this] { return CreateDockBar(); });
}

SECFrameWnd* SECMDIFrameWnd::GetDockedView(CControlBar* pBar)
{
    if (!pBar || !pBar->m_hWnd)
        return nullptr;
    const HWND hChild = ::GetWindow(pBar->m_hWnd, GW_CHILD);
    return dynamic_cast<SECFrameWnd*>(CWnd::FromHandlePermanent(hChild));
}

void SECMDIFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pBar && pBar->IsFloating())
        if (SECFrameWnd* pView = GetDockedView(pBar))
            FloatMDIChild(pView, FALSE);
    SECFrameDocking::DockControlBar(*this, pBar, pDockBar, lpRect);
}

void SECMDIFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pBar && pBar->IsFloating())
        if (SECFrameWnd* pView = GetDockedView(pBar))
            FloatMDIChild(pView, FALSE);
    SECFrameDocking::ReDockControlBar(*this, pBar, pDockBar, lpRect);
}

void SECMDIFrameWnd::DockSizedControlBarEx(
    CControlBar* pBar, const SECDockPlacement& placement, UINT nDockBarID, const SECDockSize& size)
{
    if (!pBar)
        return;
    if (pBar->IsFloating())
        if (SECFrameWnd* pView = GetDockedView(pBar))
            FloatMDIChild(pView, FALSE);
    DWORD dwMode = kModeOther;
    if (nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_BOTTOM)
        dwMode = kModeHorzDock;
    else if (nDockBarID == AFX_IDW_DOCKBAR_LEFT || nDockBarID == AFX_IDW_DOCKBAR_RIGHT)
        dwMode = kModeVertDock;
    SECFrameDocking::DockSizedControlBar(*this, pBar, nDockBarID, dwMode, size.m_fPct, size.m_nLength,
        SECDockPos { placement.m_nRow, placement.m_nCol, placement.m_dwFlags });
}

void SECMDIFrameWnd::DockSizedControlBar(CControlBar* pBar, UINT nDockBarID, int nCol, int nRow, float fPctWidth, int nSize)
{
    DockSizedControlBarEx(pBar, SECDockPlacement { nRow, nCol, 0 }, nDockBarID, SECDockSize { fPctWidth, nSize, 0 });
}

void SECMDIFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    SECFrameWnd* pView = GetDockedView(pBar);
    SECFrameDocking::FloatHooks hooks;
    if (pView) {
        hooks.afterMove = [this, pView] { FitDockedView(pView); };
        hooks.afterDock = [this, pView](CMiniDockFrameWnd*) { FloatMDIChild(pView, TRUE); };
        hooks.afterPlace = [this, pView] { FitDockedView(pView); };
    }
    SECFrameDocking::FloatControlBar(*this, pBar, point, dwStyle, hooks);
}

void SECMDIFrameWnd::ReFloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    SECFrameWnd* pView = GetDockedView(pBar);
    CMiniDockFrameWnd* pFloating = CreateFloatingFrame(dwStyle);
    if (!pFloating)
        return;
    if (!pFloating->m_hWndOwner)
        pFloating->m_hWndOwner = pBar->m_hWnd;
    pFloating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto* pFloatDockBar = dynamic_cast<CDockBar*>(CWnd::FromHandlePermanent(::GetDlgItem(pFloating->m_hWnd, AFX_IDW_DOCKBAR_FLOAT)));
    if (!pFloatDockBar)
        pFloatDockBar = &pFloating->m_wndDockBar;
    pFloatDockBar->ReDockControlBar(pBar, nullptr);
    SECFrameDocking::ApplySizableStyle(pBar, pFloating);
    if (pView)
        FloatMDIChild(pView, TRUE);
    pFloating->RecalcLayout(TRUE);
    if (pView)
        FitDockedView(pView);
    pFloating->ShowWindow(SW_SHOWNA);
    pFloating->UpdateWindow();
}

void SECMDIFrameWnd::FloatControlBarInMDIChild(CControlBar* pBar, int x, int y, DWORD dwStyle)
{
    if (!pBar || !pBar->m_hWnd || !m_hWndMDIClient)
        return;
    SECControlBar* pSEC = AsSECBar(pBar);
    if (pSEC)
        pSEC->PrepareMDIFloat();
    CRect rectClient;
    ::GetClientRect(m_hWndMDIClient, &rectClient);
    CPoint point(x, y);
    if (x < 0 || y < 0) {
        point = m_ptNextMDIFloat;
        m_ptNextMDIFloat += kMDIFloatStep;
        if (m_ptNextMDIFloat.x > rectClient.right - kMDIFloatMargin)
            m_ptNextMDIFloat.x = kMDIFloatMargin;
        if (m_ptNextMDIFloat.y > rectClient.bottom - kMDIFloatMargin)
            m_ptNextMDIFloat.y = kMDIFloatMargin;
    } else {
        ::ScreenToClient(m_hWndMDIClient, &point);
    }
    point.x = std::max(0, std::min(static_cast<int>(point.x), rectClient.Width()));
    point.y = std::max(0, std::min(static_cast<int>(point.y), rectClient.Height() - kMDIFloatMargin));

    // A bar alone in its MDI child, keeping its orientation, only moves the child.
    if (CDockBar* pDockBar = pBar->m_pDockBar; pDockBar && pDockBar->m_bFloating && pDockBar->GetDockedCount() == 1
        && (pDockBar->m_dwStyle & dwStyle & CBRS_ALIGN_ANY)) {
        if (auto* pChild = dynamic_cast<CMDIChildWnd*>(pDockBar->GetParentFrame())) {
            pChild->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pChild->RecalcLayout();
            pChild->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            return;
        }
    }
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT)
            dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }
    CFrameWnd* pChild = CreateMDIFloatFrame(dwStyle, pBar);
    if (!pChild)
        return;
    if (!pChild->m_hWndOwner)
        pChild->m_hWndOwner = pBar->m_hWnd;
    // The child's dock bar is listed with this frame's bars, so it is found as the child's window.
    if (auto* pFloatDockBar = dynamic_cast<CDockBar*>(CWnd::FromHandlePermanent(::GetDlgItem(pChild->m_hWnd, AFX_IDW_DOCKBAR_FLOAT))))
        pFloatDockBar->DockControlBar(pBar, nullptr);
    pChild->RecalcLayout();
    pChild->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pChild->ShowWindow(SW_SHOWNA);
    pChild->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    if (HICON hIcon = reinterpret_cast<HICON>(pBar->SendMessage(WM_GETICON, ICON_BIG, 0)))
        pChild->SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
    if (pSEC)
        pSEC->OnMDIFloatFinished();
}

CFrameWnd* SECMDIFrameWnd::CreateMDIFloatFrame(DWORD, CControlBar*)
{
    CRuntimeClass* pClass = m_pMDIFloatClass ? m_pMDIFloatClass : RUNTIME_CLASS(SECControlBarMDIChildWnd);
    auto* pChild = dynamic_cast<CMDIChildWnd*>(pClass->CreateObject());
    if (!pChild)
        AfxThrowMemoryException();
    if (!pChild->LoadFrame(IDR_SEC_MDIFLOAT,
            WS_CHILD | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX
                | FWS_ADDTOTITLE | FWS_SNAPTOBARS,
            this, nullptr)) {
        // A frame whose window failed has deleted itself.
        return nullptr;
    }
    return pChild;
}

void SECMDIFrameWnd::FloatMDIChild(CFrameWnd* pFrame, BOOL bFloat)
{
    if (!pFrame || !pFrame->m_hWnd)
        return;
    CFrameWnd* pFloating = pFrame->GetParentFrame();
    if (bFloat) {
        ::SetProp(pFrame->m_hWnd, kPropPreFloatStyle, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(pFrame->GetStyle())));
        ::SetProp(pFrame->m_hWnd, kPropPreFloatExStyle, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(pFrame->GetExStyle())));
        const DWORD dwStyle = GetStyle();
        const DWORD dwExStyle = GetExStyle();
        if (pFloating && pFloating != this) {
            pFloating->ModifyStyle(dwStyle, kFloatingFrameKeptStyle);
            pFloating->ModifyStyleEx(dwExStyle, 0);
        }
        pFrame->ModifyStyle(0, (dwStyle & kFloatedViewStyleMask) | WS_CAPTION);
        pFrame->ModifyStyleEx(0, dwExStyle & kFloatedViewExStyleMask);
    } else {
        const HANDLE hStyle = ::GetProp(pFrame->m_hWnd, kPropPreFloatStyle);
        const HANDLE hExStyle = ::GetProp(pFrame->m_hWnd, kPropPreFloatExStyle);
        if (!hStyle)
            return;
        ::SetWindowLong(pFrame->m_hWnd, GWL_STYLE, static_cast<LONG>(reinterpret_cast<UINT_PTR>(hStyle)));
        ::SetWindowLong(pFrame->m_hWnd, GWL_EXSTYLE, static_cast<LONG>(reinterpret_cast<UINT_PTR>(hExStyle)));
        ::RemoveProp(pFrame->m_hWnd, kPropPreFloatStyle);
        ::RemoveProp(pFrame->m_hWnd, kPropPreFloatExStyle);
    }
    pFrame->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void SECMDIFrameWnd::FitDockedView(CFrameWnd* pFrame)
{
    CFrameWnd* pFloating = pFrame ? pFrame->GetParentFrame() : nullptr;
    CWnd* pParent = pFrame ? pFrame->GetParent() : nullptr;
    if (!pFloating || !pParent)
        return;
    CRect rect;
    pFloating->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    pFrame->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}
