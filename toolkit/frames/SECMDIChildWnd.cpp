#include "toolkit/frames/SECMDIChildWnd.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CCreateContext.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CMultiDocTemplate.h"
#include "platform/afx/CView.h"
#include "toolkit/frames/SECCaptionControlListMsgFilter.h"
#include "toolkit/frames/SECFilterRouting.h"
#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/SECFrameResources.h"
#include "toolkit/frames/SECMDIFrameWnd.h"
#include "toolkit/frames/SECMultiDocTemplate.h"
#include "toolkit/frames/ScxButtonMsgFilter.h"
#include "toolkit/frames/ScxCaptionNCRDBLClkFilter.h"
#include "toolkit/frames/ScxContextMenuFilter.h"
#include "toolkit/frames/ScxInfo.h"
#include "toolkit/frames/ScxMsgFilter.h"

IMPLEMENT_DYNCREATE(SECMDIChildWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(SECMDIChildWnd, CMDIChildWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEACTIVATE()
    ON_WM_PARENTNOTIFY()
    ON_WM_CHILDACTIVATE()
    ON_WM_MDIACTIVATE()
    ON_WM_SIZE()
    ON_WM_NCACTIVATE()
END_MESSAGE_MAP()

namespace {

// A sizing border: the hit codes from HTLEFT to HTBOTTOMRIGHT.
BOOL IsSizingBorder(UINT nHitTest) { return nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT; }

BOOL FocusIn(CWnd* pWnd)
{
    const HWND hFocus = ::GetFocus();
    return pWnd && hFocus && (hFocus == pWnd->m_hWnd || ::IsChild(pWnd->m_hWnd, hFocus));
}

} // namespace

SECMDIChildWnd::SECMDIChildWnd()
    : m_pMsgFilter(std::make_unique<SECMsgFilter>(this, -1))
{
    using namespace nsSysCommandEx;
    m_descriptors.Add(SEC_FILTER_SYSCOMMANDEX, -1, RUNTIME_CLASS(ScxMsgFilter));
    m_descriptors.Add(SEC_FILTER_CAPTIONCONTROLS, -1, RUNTIME_CLASS(SECCaptionControlListMsgFilter),
        SECMsgFilter::Descriptor::kNeverDisable);
    m_descriptors.Add(SEC_FILTER_SCXBUTTON, SEC_FILTER_CAPTIONCONTROLS, RUNTIME_CLASS(ScxButtonMDIChildMsgFilter));
    m_descriptors.Add(SEC_FILTER_SCXRDBLCLK, -1, RUNTIME_CLASS(ScxCaptionNCRDBLClkFilter));
    m_descriptors.Add(SEC_FILTER_SCXCONTEXTMENU, -1, RUNTIME_CLASS(ScxContextMenuFilter));
}

SECMDIChildWnd::~SECMDIChildWnd() = default;

SECMDIFrameWnd* SECMDIChildWnd::ToolkitMDIFrame() { return dynamic_cast<SECMDIFrameWnd*>(AfxGetMainWnd()); }

SECMDIFrameWnd* SECMDIChildWnd::MenuBarFrame()
{
    SECMDIFrameWnd* pFrame = ToolkitMDIFrame();
    return pFrame && pFrame->HasMenuBar() ? pFrame : nullptr;
}

BOOL SECMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    auto* pTemplate = pContext ? dynamic_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate) : nullptr;
    if (pTemplate) {
        m_hAccelTable = pTemplate->m_hAccelTable;
        if (MenuBarFrame()) {
            m_nIDMenuBarMenu = pTemplate->m_nIDResource;
            m_bUsesMenuBar = TRUE;
        } else {
            m_bUsesMenuBar = FALSE;
            m_hMenuShared = pTemplate->m_hMenuShared;
        }
    } else if (nIDResource && MenuBarFrame()) {
        m_nIDMenuBarMenu = nIDResource;
        m_bUsesMenuBar = TRUE;
    }
    if (m_bUsesMenuBar) {
        // The menu bar shows the menu; the child loads none of its own.
        m_nIDHelp = nIDResource;
        CString strTitle;
        SECFrameResources::LoadTitle(nIDResource, strTitle);
        HICON hIcon = ::LoadIcon(AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_GROUP_ICON), MAKEINTRESOURCE(nIDResource));
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), hIcon);
        if (!Create(lpszClass, strTitle, dwDefaultStyle | WS_CHILD, rectDefault, dynamic_cast<CMDIFrameWnd*>(pParentWnd), pContext))
            return FALSE;
        if (!pContext)
            SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        return TRUE;
    }
    return CMDIChildWnd::LoadFrame(nIDResource, dwDefaultStyle | WS_CHILD, pParentWnd, pContext);
}

int SECMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIChildWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetCaptionControls(SECMultiDocTemplate::AnyInApp() ? 1 : 0);
    return 0;
}

void SECMDIChildWnd::SetCaptionControls(DWORD dwFlags)
{
    m_pMsgFilter->ApplyDescriptors(m_descriptors, nsSysCommandEx::ViewFrameFilterMask(dwFlags));
    if (auto* pList = dynamic_cast<SECCaptionControlListMsgFilter*>(m_pMsgFilter->FindFilter(SEC_FILTER_CAPTIONCONTROLS)))
        if (m_hWnd)
            pList->LayoutControls();
}

void SECMDIChildWnd::RefreshFrameMenu(CWnd* pActivateWnd) { OnUpdateFrameMenu(TRUE, pActivateWnd, m_hMenuAltLast); }

void SECMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    m_hMenuAltLast = hMenuAlt;
    SECMDIFrameWnd* pFrame = MenuBarFrame();
    if (!pFrame || !m_bUsesMenuBar) {
        CMDIChildWnd::OnUpdateFrameMenu(bActivate, pActivateWnd, hMenuAlt);
        if (pFrame)
            pFrame->RefreshWindowMenu();
        return;
    }
    // The menu bar shows the menu: the frame keeps no window menu of its own.
    if (bActivate && !hMenuAlt) {
        if (CDocument* pDocument = GetActiveDocument())
            pDocument->GetDefaultMenu();
        ::SetMenu(pFrame->m_hWnd, nullptr);
        pFrame->DrawMenuBar();
    }
    pFrame->RefreshWindowMenu();
}

LRESULT SECMDIChildWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    static const SECFilterRoutes kRoutes { { WM_MOUSEMOVE, WM_LBUTTONUP, WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCRBUTTONDBLCLK }, { WM_NCPAINT, WM_SETTEXT } };
    return SECRouteThroughFilters(*m_pMsgFilter, m_hWnd, kRoutes, message, wParam, lParam,
        [&] { return CMDIChildWnd::WindowProc(message, wParam, lParam); });
}

LRESULT SECMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LRESULT lResult = 0; SECFilterSysCommandEx(*m_pMsgFilter, message, wParam, lParam, &lResult))
        return lResult;
    return CMDIChildWnd::DefWindowProc(message, wParam, lParam);
}

// Activation ------------------------------------------------------------------------------------------------------

void SECMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    SECMDIFrameWnd* pFrame = MenuBarFrame();
    if (!pFrame)
        return;
    if (m_nIDMenuBarMenu) {
        if (bActivate && pActivateWnd == this)
            pFrame->SetMenuBarMenu(m_nIDMenuBarMenu);
        else if (!pActivateWnd)
            pFrame->SetMenuBarMenu(static_cast<UINT>(-1));
    }
    if (!pActivateWnd) {
        BOOL bOtherVisible = FALSE;
        for (HWND h = ::GetWindow(::GetParent(m_hWnd), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
            bOtherVisible = bOtherVisible || (h != m_hWnd && (::GetWindowLong(h, GWL_STYLE) & WS_VISIBLE));
        if (!bOtherVisible)
            pFrame->SetMenuBarMenu(static_cast<UINT>(-1));
    }
}

void SECMDIChildWnd::TakeActivation(BOOL bFromMouse)
{
    SECMDIFrameWnd* pFrame = ToolkitMDIFrame();
    if (pFrame)
        pFrame->DeactivateDockedView(FALSE);
    if (CMDIFrameWnd* pMDI = GetMDIFrame(); pMDI && pMDI->MDIGetActive() != this)
        ::SendMessage(pMDI->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
    if (CView* pView = GetActiveView(); pView && !FocusIn(pView))
        pView->OnActivateView(TRUE, pView, pView);
    SendMessage(WM_NCACTIVATE, TRUE);
    OnUpdateFrameTitle(TRUE);
    RefreshFrameMenu(this);
    if (pFrame) {
        pFrame->DrawMenuBar();
        if (bFromMouse && pFrame->HasMenuBar() && m_nIDMenuBarMenu)
            pFrame->SetMenuBarMenu(m_nIDMenuBarMenu);
    }
}

int SECMDIChildWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    TakeActivation(TRUE);
    return MA_ACTIVATE;
}

void SECMDIChildWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    CMDIChildWnd::OnParentNotify(message, lParam);
    const UINT nEvent = LOWORD(message);
    CView* pView = GetActiveView();
    if ((nEvent == WM_LBUTTONDOWN || nEvent == WM_RBUTTONDOWN) && pView && !FocusIn(pView))
        TakeActivation(FALSE);
}

void SECMDIChildWnd::OnChildActivate()
{
    if (SECMDIFrameWnd* pFrame = ToolkitMDIFrame())
        pFrame->DeactivateDockedView(FALSE);
    CMDIChildWnd::OnChildActivate();
    SendMessage(WM_NCACTIVATE, TRUE);
}

BOOL SECMDIChildWnd::OnNcActivate(BOOL bActive)
{
    // A docked view that holds the activation keeps the child's caption inactive.
    if (SECMDIFrameWnd* pFrame = ToolkitMDIFrame(); bActive && pFrame)
        if (CFrameWnd* pDocked = pFrame->GetActiveDockedView(); pDocked && !pDocked->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)))
            bActive = FALSE;
    const BOOL bResult = static_cast<BOOL>(CWnd::DefWindowProc(WM_NCACTIVATE, static_cast<WPARAM>(bActive), 0));
    LRESULT lResult = 0;
    m_pMsgFilter->FilterMessage(nullptr, &lResult);
    return bResult;
}

BOOL SECMDIChildWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    const BOOL bResult = CFrameWnd::OnSetCursor(pWnd, nHitTest, message);
    if (IsSizingBorder(nHitTest)) {
        LRESULT lResult = 0;
        m_pMsgFilter->FilterMessage(nullptr, &lResult);
    }
    return bResult;
}

void SECMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    if (nType == SIZE_RESTORED || nType == SIZE_MINIMIZED || nType == SIZE_MAXIMIZED)
        if (SECMDIFrameWnd* pFrame = MenuBarFrame())
            pFrame->RefreshMDIButtons();
    CMDIChildWnd::OnSize(nType, cx, cy);
}

void SECMDIChildWnd::OnDestroy()
{
    // A maximised child leaves the frame's menu row: the frame recomputes its non-client area.
    if (::IsZoomed(m_hWnd))
        if (CWnd* pMain = AfxGetMainWnd(); pMain && pMain->m_hWnd)
            pMain->SetWindowPos(nullptr, 0, 0, 0, 0,
                SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    CMDIChildWnd::OnDestroy();
}
