#include "toolkit/frames/SECFrameWnd.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/AfxPriv.h"
#include "platform/afx/CPreviewView.h"
#include "platform/afx/CPrintPreviewState.h"
#include "platform/afx/CWinApp.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECControlsLink.h"
#include "toolkit/frames/SECDisplayCache.h"
#include "toolkit/frames/SECDockBar.h"
#include "toolkit/frames/SECFrameBarState.h"
#include "toolkit/frames/SECFrameCustomise.h"
#include "toolkit/frames/SECFrameDocking.h"
#include "toolkit/frames/SECFrameResources.h"
#include "toolkit/frames/SECMiniDockFrameWnd.h"
#include "toolkit/frames/SECFrameWorkspace.h"
#include "toolkit/frames/SECWndPlugIn.h"

const UINT WM_SECGETMENU = ::RegisterWindowMessage("WM_SECGETMENU");

IMPLEMENT_DYNCREATE(SECFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(SECFrameWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_NCPAINT()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_WM_NCHITTEST()
    ON_WM_ENABLE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_ENTERIDLE()
    ON_REGISTERED_MESSAGE(WM_SECGETMENU, OnSecGetMenu)
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
    SEC_ON_WORKSPACE_COMMANDS()
END_MESSAGE_MAP()


SECFrameWnd::SECFrameWnd() = default;

SECFrameWnd::~SECFrameWnd()
{
    if (m_hMenuStored)
        ::DestroyMenu(m_hMenuStored);
    SECFrameBarState::DeleteCreatedBars(m_listCreatedBars);
}

void SECFrameWnd::EnableBmpMenus(BOOL bEnable, BOOL bSecond)
{
    m_bBmpMenus = bEnable;
    m_bBmpMenusSecond = bSecond;
}

BOOL SECFrameWnd::InConfigMode() const { return SECFrameCustomise::InConfigMode(m_pControlBarManager); }

// Creation ------------------------------------------------------------------------------------------------

BOOL SECFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDMenuStored = nIDResource;
    return SECFrameResources::LoadFrame(*this, nIDResource, HasMenuBar(), m_hMenuStored, pContext, [&] {
        LPCTSTR lpszResource = MAKEINTRESOURCE(nIDResource);
        HICON hIcon = ::LoadIcon(AfxFindResourceHandle(lpszResource, RT_GROUP_ICON), lpszResource);
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), hIcon);
        return lpszClass && Create(lpszClass, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, lpszResource, 0, pContext);
    });
}

int SECFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pMenuPlugIn = SECAttachMenuPlugIn(this, m_pMenuBar, m_bBmpMenus, m_pControlBarManager);
    return 0;
}

SECFrameWnd::SECWndPlugIn* SECFrameWnd::InstallWorkspaceManager(LPCTSTR lpszKey, int nStorageMode, CRuntimeClass* pClass, BOOL bFlag)
{
    return SECFrameWorkspace::Install(*this, m_pWorkspaceMgr, lpszKey, nStorageMode, pClass, bFlag);
}

void SECFrameWnd::OnClose()
{
    CDocument* pDocument = GetActiveDocument();
    if (pDocument && !pDocument->CanCloseFrame(this))
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) {
        if (!pDocument && !pApp->SaveAllModified())
            return;
        ShowWindow(SW_HIDE);
        pApp->CloseAllDocuments(FALSE);
        if (!pApp->m_pMainWnd) {
            ::PostQuitMessage(0);
            return;
        }
        // Closing the documents may have taken the one this frame showed.
        pDocument = GetActiveDocument();
    }
    if (pDocument) {
        BOOL bOtherFrame = FALSE;
        for (POSITION pos = pDocument->GetFirstViewPosition(); pos;) {
            CFrameWnd* pFrame = pDocument->GetNextView(pos)->GetParentFrame();
            bOtherFrame = bOtherFrame || (pFrame && pFrame != this);
        }
        if (pDocument->m_bAutoDelete && !bOtherFrame) {
            pDocument->OnCloseDocument();
            return;
        }
        pDocument->PreCloseFrame(this);
    }
    // The plug-in never outlives the window it is attached to.
    m_pMenuPlugIn.reset();
    DestroyWindow();
}

// Messages and commands ---------------------------------------------------------------------------------------

LRESULT SECFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const SECControlsLink& link = SECControlsLink::Get();
    if (m_pMenuPlugIn) {
        LRESULT result = 0;
        const BOOL bHandled = m_pMenuPlugIn->OnWndMsg(message, wParam, lParam, &result);
        // A menu loop run by the message may have closed the frame, which let its plug-in go.
        if (!m_pMenuPlugIn)
            return result;
        if (m_pMenuPlugIn->m_bConsumed || (message == WM_HELP && bHandled))
            return result;
    }
    const BOOL bBmpPopup = message == WM_INITMENUPOPUP && m_pMenuPlugIn && m_bBmpMenus;
    if (bBmpPopup && link.isTrackingMenu && link.isTrackingMenu())
        lParam = MAKELPARAM(LOWORD(lParam), 1);
    const LRESULT result = CFrameWnd::WindowProc(message, wParam, lParam);
    if (bBmpPopup && m_pMenuPlugIn && link.bmpMenuInitPopup)
        link.bmpMenuInitPopup(m_pMenuPlugIn.get(), wParam, lParam);
    return result;
}

BOOL SECFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    CView* pView = GetActiveView();
    if (m_pMenuPlugIn && !(pView && pView->IsKindOf(RUNTIME_CLASS(CPreviewView))) && m_pMenuPlugIn->PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message == WM_SYSCOMMAND && (pMsg->wParam & 0xFFF0) == SC_CLOSE && InConfigMode())
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

BOOL SECFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    SECWndPlugIn* pPlugIn = m_pWorkspaceMgr.get();
    if (!pPlugIn) {
        CFrameWnd* pTop = GetTopLevelFrame();
        if (pTop && pTop != this && pTop->IsKindOf(RUNTIME_CLASS(SECFrameWnd)))
            pPlugIn = static_cast<SECFrameWnd*>(pTop)->GetWorkspaceManager();
    }
    if (BOOL bResult = FALSE; SECFrameWorkspace::RouteCommand(pPlugIn, nID, nCode, pExtra, pHandlerInfo, bResult))
        return bResult;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void SECFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CFrameWnd::OnActivate(nState, pWndOther, bMinimized);
}

LRESULT SECFrameWnd::OnNcHitTest(CPoint point)
{
    // While toolbars are customised the frame itself takes no clicks.
    if (InConfigMode())
        return HTERROR;
    return CFrameWnd::OnNcHitTest(point);
}

void SECFrameWnd::OnEnable(BOOL bEnable)
{
    if (InConfigMode())
        m_nFlags &= ~WF_STAYACTIVE;
    CFrameWnd::OnEnable(bEnable);
}

void SECFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    SECFrameCustomise::LayoutOnDialogIdle(*this, m_pControlBarManager, nWhy);
    CFrameWnd::OnEnterIdle(nWhy, pWho);
}

void SECFrameWnd::OnSysColorChange()
{
    SECFrameCustomise::SysColorChanged(*this, [this] { CFrameWnd::OnSysColorChange(); });
}

LRESULT SECFrameWnd::OnSecGetMenu(WPARAM wParam, LPARAM lParam)
{
    HMENU hMenu = GetResourceMenu(static_cast<UINT>(wParam));
    return hMenu ? reinterpret_cast<LRESULT>(::GetSubMenu(hMenu, static_cast<int>(lParam))) : 0;
}

// Context help ---------------------------------------------------------------------------------------------------

void SECFrameWnd::OnContextHelp() { SECFrameHelp::RunContextHelp(*this, m_pMenuBar); }

BOOL SECFrameWnd::ProcessHelpMsg(MSG& msg, DWORD* pContext) { return SECFrameHelp::ProcessHelpMsg(*this, m_pMenuBar, msg, pContext); }

// Menus ----------------------------------------------------------------------------------------------------------

HMENU SECFrameWnd::GetResourceMenu(UINT nID) const { return m_hMenuStored && nID == m_nIDMenuStored ? m_hMenuStored : nullptr; }

void SECFrameWnd::OnUpdateFrameMenu(BOOL, CWnd*, HMENU) { }

HMENU SECFrameWnd::GetDefaultMenu() { return HasMenuBar() ? m_hMenuStored : m_hMenuDefault; }

CMenu* SECFrameWnd::GetCurrentMenu()
{
    HMENU hMenu = nullptr;
    if (HasMenuBar()) {
        if (const auto& menuBarMenuId = SECControlsLink::Get().menuBarMenuId)
            hMenu = GetResourceMenu(menuBarMenuId(m_pMenuBar));
    } else {
        hMenu = ::GetMenu(m_hWnd);
    }
    return hMenu ? CMenu::FromHandle(hMenu) : nullptr;
}

// Docking --------------------------------------------------------------------------------------------------------

SECDockBar* SECFrameWnd::CreateDockBar() { return new SECDockBar; }

void SECFrameWnd::EnableDocking(DWORD dwDockStyle, DWORD)
{
    SECFrameDocking::EnableDocking(*this, dwDockStyle, [this] { return CreateDockBar(); });
}

void SECFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    SECFrameDocking::DockControlBar(*this, pBar, pDockBar, lpRect);
}

void SECFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    SECFrameDocking::ReDockControlBar(*this, pBar, pDockBar, lpRect);
}

void SECFrameWnd::DockSizedControlBar(CControlBar* pBar, UINT nDockBarID, int nCol, int nRow, float fPctWidth, int nSize)
{
    if (!pBar)
        return;
    DWORD dwMode = LM_VERTDOCK;
    if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
        dwMode = LM_LENGTHY | LM_MRUWIDTH | LM_HORZ;
    else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
        dwMode = LM_LENGTHY | LM_HORZDOCK | LM_HORZ;
    SECFrameDocking::DockSizedControlBar(*this, pBar, nDockBarID, dwMode, fPctWidth, nSize, SECDockPos { nRow, nCol, 0 });
}

void SECFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    SECFrameDocking::FloatControlBar(*this, pBar, point, dwStyle);
}

// Layout ----------------------------------------------------------------------------------------------------------

void SECFrameWnd::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
    if (m_rectLastPane.Width() > 0 && m_rectLastPane.Height() > 0) {
        for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            CWnd* pChild = CWnd::FromHandlePermanent(hChild);
            if (pChild && pChild->IsKindOf(RUNTIME_CLASS(SECDockBar)))
                static_cast<SECDockBar*>(pChild)->RedrawPendingBars();
        }
    } else {
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    CRect rect;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect);
    m_rectLastPane = rect;
}

void SECFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    // Windows docked by the frame's docking feature are children of the frame but no control bars:
    // the preview hides them too, or they would show over and beside the pages.
    if (pState && bPreview) {
        for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            const CWnd* pChild = CWnd::FromHandlePermanent(hChild);
            const bool bar = pChild && pChild->IsKindOf(RUNTIME_CLASS(CControlBar));
            if (!bar && ::GetDlgCtrlID(hChild) != static_cast<int>(AFX_IDW_PANE_FIRST) && ::IsWindowVisible(hChild))
                pState->hiddenWindows.push_back(hChild);
        }
        for (HWND hWnd : pState->hiddenWindows)
            ::ShowWindow(hWnd, SW_HIDE);
    } else if (pState) {
        for (HWND hWnd : pState->hiddenWindows)
            if (::IsWindow(hWnd))
                ::ShowWindow(hWnd, SW_SHOWNA);
        pState->hiddenWindows.clear();
    }
    CFrameWnd::OnSetPreviewMode(bPreview, pState);
    if (!bPreview)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
