#include "toolkit/frames/SECDockableFrame.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CCreateContext.h"
#include "platform/afx/CDockContext.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CMDIChildWnd.h"
#include "platform/afx/CMultiDocTemplate.h"
#include "platform/afx/CView.h"
#include "platform/afx/CWinApp.h"
#include "toolkit/frames/SECCaptionControlListMsgFilter.h"
#include "toolkit/frames/SECControlsLink.h"
#include "toolkit/frames/SECFilterRouting.h"
#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/SECMDIFrameWnd.h"
#include "toolkit/frames/SECMultiDocTemplate.h"
#include "toolkit/frames/ScxButtonMsgFilter.h"
#include "toolkit/frames/ScxCaptionNCRDBLClkFilter.h"
#include "toolkit/frames/ScxContextMenuFilter.h"
#include "toolkit/frames/ScxInfo.h"
#include "toolkit/frames/ScxMsgFilter.h"

IMPLEMENT_DYNCREATE(SECDockableFrame, SECFrameWnd)

BEGIN_MESSAGE_MAP(SECDockableFrame, SECFrameWnd)
    ON_WM_CREATE()
    ON_WM_ACTIVATE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_PARENTNOTIFY()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

SECDockableFrame::SECDockableFrame()
    : m_pMsgFilter(std::make_unique<SECMsgFilter>(this, -1))
{
    using namespace nsSysCommandEx;
    m_descriptors.Add(SEC_FILTER_SYSCOMMANDEX, -1, RUNTIME_CLASS(ScxMsgFilter));
    m_descriptors.Add(SEC_FILTER_CAPTIONCONTROLS, -1, RUNTIME_CLASS(SECCaptionControlListMsgFilter),
        SECMsgFilter::Descriptor::kNeverDisable);
    m_descriptors.Add(SEC_FILTER_SCXBUTTON, SEC_FILTER_CAPTIONCONTROLS, RUNTIME_CLASS(ScxButtonMsgFilter));
    m_descriptors.Add(SEC_FILTER_SCXRDBLCLK, -1, RUNTIME_CLASS(ScxCaptionNCRDBLClkFilter));
    m_descriptors.Add(SEC_FILTER_SCXCONTEXTMENU, -1, RUNTIME_CLASS(ScxContextMenuFilter));
}

SECDockableFrame::~SECDockableFrame() = default;

SECMDIFrameWnd* SECDockableFrame::GetMDIFrame()
{
    if (auto* pParent = dynamic_cast<SECMDIFrameWnd*>(GetParentFrame()))
        return pParent;
    if (auto* pMain = dynamic_cast<SECMDIFrameWnd*>(AfxGetMainWnd()))
        return pMain;
    // A floating bar's frame is owned by the MDI frame, also while the program closes.
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd; hWnd = ::GetParent(hWnd))
        if (auto* pMDI = dynamic_cast<SECMDIFrameWnd*>(CWnd::FromHandlePermanent(hWnd)))
            return pMDI;
    return nullptr;
}

CControlBar* SECDockableFrame::GetHostingBar() { return SECMultiDocTemplate::GetHostingBar(this); }

BOOL SECDockableFrame::IsFloating()
{
    CControlBar* pBar = GetHostingBar();
    return pBar && pBar->IsFloating();
}

// Creation and destruction ----------------------------------------------------------------------------------------

BOOL SECDockableFrame::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (auto* pTemplate = pContext ? dynamic_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate) : nullptr) {
        m_hMenuShared = pTemplate->m_hMenuShared;
        m_hAccelTable = pTemplate->m_hAccelTable;
    }
    return SECFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

BOOL SECDockableFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!SECFrameWnd::PreCreateWindow(cs))
        return FALSE;
    if (LOBYTE(LOWORD(::GetVersion())) >= 4)
        cs.dwExStyle |= WS_EX_TOOLWINDOW;
    cs.style &= ~FWS_PREFIXTITLE;
    return TRUE;
}

int SECDockableFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (SECFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    EnableSysCommandEx(1);
    return 0;
}

BOOL SECDockableFrame::DestroyWindow()
{
    if (m_hWnd)
        if (CControlBar* pBar = GetHostingBar(); pBar && pBar->m_hWnd)
            return pBar->DestroyWindow();
    return SECFrameWnd::DestroyWindow();
}

void SECDockableFrame::OnDestroy()
{
    // The activation goes to another visible dockable frame only when no MDI child shows.
    if (SECMDIFrameWnd* pMDI = GetMDIFrame(); pMDI && pMDI->GetActiveDockedView() == this)
        if (IsOtherMDIChildVisible(this) || !ActivateOtherDockableFrame(this))
            pMDI->SetActiveFrame(nullptr);
    SECFrameWnd::OnDestroy();
}

// Filters ---------------------------------------------------------------------------------------------------------

void SECDockableFrame::EnableSysCommandEx(DWORD dwFlags)
{
    m_pMsgFilter->ApplyDescriptors(m_descriptors, nsSysCommandEx::ViewFrameFilterMask(dwFlags));
    // The caption shows the docking-state button alone; the frame's bar closes it.
    if (auto* pList = dynamic_cast<SECCaptionControlListMsgFilter*>(m_pMsgFilter->FindFilter(SEC_FILTER_CAPTIONCONTROLS))) {
        pList->ApplyDescriptorsAll(pList->GetStandardControls(), FALSE);
        if (m_hWnd)
            pList->LayoutControls();
    }
}

BOOL SECDockableFrame::FilterCurrentMessage(LRESULT* pResult)
{
    return (m_pMsgFilter->FilterMessage(nullptr, pResult) & SECMsgFilter::kHandled) != 0;
}

LRESULT SECDockableFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    static const SECFilterRoutes kRoutes { { WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCRBUTTONDBLCLK, WM_MOUSEMOVE, WM_LBUTTONUP }, { WM_NCACTIVATE, WM_NCPAINT, WM_SETTEXT } };
    return SECRouteThroughFilters(*m_pMsgFilter, m_hWnd, kRoutes, message, wParam, lParam,
        [&] { return SECFrameWnd::WindowProc(message, wParam, lParam); });
}

LRESULT SECDockableFrame::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LRESULT lResult = 0; SECFilterSysCommandEx(*m_pMsgFilter, message, wParam, lParam, &lResult))
        return lResult;
    return SECFrameWnd::DefWindowProc(message, wParam, lParam);
}

// Activation ------------------------------------------------------------------------------------------------------

void SECDockableFrame::Activate()
{
    if (SECMDIFrameWnd* pMDI = GetMDIFrame())
        pMDI->SetActiveFrame(this);
}

void SECDockableFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    SECFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState != WA_INACTIVE)
        Activate();
}

int SECDockableFrame::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    const int nResult = SECFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    Activate();
    return nResult;
}

void SECDockableFrame::OnParentNotify(UINT message, LPARAM lParam)
{
    SECFrameWnd::OnParentNotify(message, lParam);
    if (LOWORD(message) == WM_LBUTTONDOWN || LOWORD(message) == WM_RBUTTONDOWN)
        Activate();
}

void SECDockableFrame::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    Activate();
    LRESULT lResult = 0;
    if (FilterCurrentMessage(&lResult))
        return;
    CControlBar* pBar = GetHostingBar();
    if (pBar && pBar->IsFloating()) {
        if (nHitTest != HTCLOSE)
            if (CFrameWnd* pMini = pBar->GetParentFrame())
                pMini->SendMessage(WM_NCLBUTTONDOWN, nHitTest, MAKELPARAM(point.x, point.y));
        return;
    }
    const BOOL bDrag = nHitTest == HTCAPTION || nHitTest == HTBORDER || (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT);
    if (pBar && pBar->m_pDockContext && bDrag) {
        pBar->m_pDockContext->StartDrag(point);
        return;
    }
    SECFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void SECDockableFrame::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetHostingBar();
    if (nHitTest != HTCAPTION || !pBar) {
        SECFrameWnd::OnNcLButtonDblClk(nHitTest, point);
        return;
    }
    if (pBar->IsFloating()) {
        if (CFrameWnd* pMini = pBar->GetParentFrame())
            pMini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(point.x, point.y));
        return;
    }
    CPoint ptBar = point;
    pBar->ScreenToClient(&ptBar);
    pBar->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(ptBar.x, ptBar.y));
}

// Title, menu and keys --------------------------------------------------------------------------------------------

void SECDockableFrame::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (SECMDIFrameWnd* pMDI = GetMDIFrame())
        pMDI->OnUpdateFrameTitle(bAddToTitle);
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* pDocument = GetActiveDocument();
    if (!pDocument)
        return;
    CString strTitle = pDocument->GetTitle();
    if (m_nWindow > 0) {
        CString strNumber;
        strNumber.Format(":%d", m_nWindow);
        strTitle += strNumber;
    }
    CString strCurrent;
    GetWindowText(strCurrent);
    if (strCurrent != strTitle)
        SetWindowText(strTitle);
}

void SECDockableFrame::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    auto* pMain = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (!pMain || !pMain->m_hWndMDIClient)
        return;
    const HWND hClient = pMain->m_hWndMDIClient;
    if (!bActivate) {
        if (pActivateWnd)
            ::SendMessage(hClient, WM_MDIREFRESHMENU, 0, 0);
        else
            ::SendMessage(hClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(pMain->m_hMenuDefault),
                reinterpret_cast<LPARAM>(pMain->GetWindowMenuPopup(pMain->m_hMenuDefault)));
        return;
    }
    HMENU hMenu = hMenuAlt;
    if (!hMenu)
        if (CDocument* pDocument = GetActiveDocument())
            hMenu = pDocument->GetDefaultMenu();
    if (!hMenu)
        hMenu = m_hMenuShared;
    if (!hMenu) {
        if (auto* pMDI = dynamic_cast<SECMDIFrameWnd*>(pMain); pMDI && pMDI->HasMenuBar()) {
            ::SetMenu(pMain->m_hWnd, nullptr);
            pMain->DrawMenuBar();
            pMDI->UpdateMenuBarMenu();
        }
        ::SendMessage(hClient, WM_MDIREFRESHMENU, 0, 0);
        return;
    }
    ::SendMessage(hClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenu),
        reinterpret_cast<LPARAM>(pMain->GetWindowMenuPopup(hMenu)));
}

BOOL SECDockableFrame::PreTranslateMessage(MSG* pMsg)
{
    if (SECFrameWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // The frame's keys act for the main window, as an MDI child's do.
    CWnd* pMain = AfxGetMainWnd();
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable && pMain && pMain->m_hWnd)
        return ::TranslateAccelerator(pMain->m_hWnd, m_hAccelTable, pMsg) != 0;
    return FALSE;
}

// Helpers of the MDI frame's activation ---------------------------------------------------------------------------

BOOL IsWindowChainVisible(CWnd* pWnd)
{
    BOOL bVisible = FALSE;
    for (HWND hWnd = pWnd ? pWnd->m_hWnd : nullptr; hWnd; hWnd = ::GetParent(hWnd)) {
        auto* pBar = dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(hWnd));
        bVisible = pBar ? pBar->IsVisible() : (::GetWindowLong(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
        if (!bVisible || !(::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return bVisible;
}

BOOL IsOtherMDIChildVisible(CWnd* pExcluded)
{
    auto* pMain = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (!pMain || !pMain->m_hWndMDIClient)
        return FALSE;
    for (HWND h = ::GetWindow(pMain->m_hWndMDIClient, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CWnd* pChild = CWnd::FromHandlePermanent(h);
        if (pChild && pChild != pExcluded && pChild->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) && (pChild->GetStyle() & WS_VISIBLE))
            return TRUE;
    }
    return FALSE;
}

BOOL ActivateOtherDockableFrame(CFrameWnd* pExcluded)
{
    auto* pMDI = dynamic_cast<SECMDIFrameWnd*>(AfxGetMainWnd());
    if (!pMDI)
        return FALSE;
    if (CFrameWnd* pActive = pMDI->GetActiveDockedView();
        pActive && pActive != pExcluded && pActive->IsKindOf(RUNTIME_CLASS(SECDockableFrame)) && IsWindowChainVisible(pActive))
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    for (POSITION posTemplate = pApp ? pApp->GetFirstDocTemplatePosition() : nullptr; posTemplate;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(posTemplate);
        for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc;) {
            CDocument* pDocument = pTemplate->GetNextDoc(posDoc);
            for (POSITION posView = pDocument->GetFirstViewPosition(); posView;) {
                auto* pFrame = dynamic_cast<SECDockableFrame*>(pDocument->GetNextView(posView)->GetParentFrame());
                if (pFrame && pFrame != pExcluded && IsWindowChainVisible(pFrame)) {
                    pMDI->SetActiveFrame(pFrame);
                    return TRUE;
                }
            }
        }
    }
    return FALSE;
}
