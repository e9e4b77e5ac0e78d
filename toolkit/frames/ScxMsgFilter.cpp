#include "toolkit/frames/ScxMsgFilter.h"

#include <iterator>
#include <memory>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CControlBar.h"
#include "platform/afx/CDockContext.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CMDIChildWnd.h"
#include "platform/afx/CMDIFrameWnd.h"
#include "platform/afx/CString.h"
#include "platform/user/WinMenu.h"
#include "toolkit/frames/SECDockPlacement.h"
#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/ISECDockSite.h"
#include "toolkit/frames/SECMDIFrameWnd.h"
#include "toolkit/frames/SECMultiDocTemplate.h"

namespace nsSysCommandEx {

IMPLEMENT_DYNCREATE(ScxMsgFilter, SECMsgFilter)

UINT GetSysCommandExMessage() { return ::RegisterWindowMessage("Quorvale::WM_SYSCOMMANDEX"); }

LRESULT SendSysCommandEx(UINT nCommand, ScxInfo& info)
{
    return ::SendMessage(info.m_hWnd, GetSysCommandExMessage(), nCommand, reinterpret_cast<LPARAM>(&info));
}

LRESULT SendSysCommandEx(HWND hWnd, UINT nCommand, int nState, POINT pt)
{
    ScxInfo info;
    info.m_hWnd = hWnd;
    info.m_nState = nState;
    info.m_x = pt.x;
    info.m_y = pt.y;
    return SendSysCommandEx(nCommand, info);
}

namespace {

constexpr int kAllBits = 15;

CString LoadOr(UINT nID, LPCTSTR lpszFallback)
{
    CString text;
    if (!text.LoadString(nID))
        text = lpszFallback;
    return text;
}

// The dock bar of a side state, and the bar style that aligns a bar there with its border facing
// the client area.
struct Side {
    int nState;
    UINT nDockBarID;
    DWORD dwAlign;
};
constexpr Side kSides[] = {
    { kDockedTop, AFX_IDW_DOCKBAR_TOP, 0x2800 },
    { kDockedLeft, AFX_IDW_DOCKBAR_LEFT, 0x1400 },
    { kDockedRight, AFX_IDW_DOCKBAR_RIGHT, 0x4100 },
    { kDockedBottom, AFX_IDW_DOCKBAR_BOTTOM, 0x8200 },
};
constexpr DWORD kAlignMask = 0xF000;

const Side* SideOfState(int nState)
{
    for (const Side& side : kSides)
        if (side.nState == nState)
            return &side;
    return nullptr;
}

// The states of the places a template reports: top, left, bottom, right, floating.
constexpr int kPlaceStates[] = { kDockedTop, kDockedLeft, kDockedBottom, kDockedRight, kFloating };

} // namespace

BOOL ScxMsgFilter::IsCloneCommand(UINT nCommand) const
{
    return nCommand == SCX_CHANGESTATE || nCommand == SCX_MENUREQUEST;
}

int ScxMsgFilter::OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (nMsg != GetSysCommandExMessage())
        return 0;
    const UINT nCommand = static_cast<UINT>(wParam) & 0xFFF0;
    auto* pInfo = reinterpret_cast<ScxInfo*>(lParam);
    if (!pInfo)
        return 0;
    if (!m_bInner && IsCloneCommand(nCommand)) {
        // The command may destroy the frame and this filter with it; the clone belongs to this call.
        std::unique_ptr<SECMsgFilter> pClone(Clone());
        auto* pInner = dynamic_cast<ScxMsgFilter*>(pClone.get());
        if (!pInner)
            return 0;
        pInner->m_bInner = TRUE;
        int nBits = pInner->Filter(nMsg, wParam, lParam, pResult);
        if (nBits & kHandled)
            nBits |= kStop;
        return nBits;
    }
    CWnd* pWnd = CWnd::FromHandlePermanent(pInfo->m_hWnd);
    if (!pWnd)
        return 0;
    HWND hRepaint = nullptr;
    if (pInfo->m_dwFlags & ScxInfo::kPosition) {
        hRepaint = pInfo->m_hWnd;
        if (pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) && ::IsZoomed(pInfo->m_hWnd))
            if (CFrameWnd* pParentFrame = pWnd->GetParentFrame())
                hRepaint = pParentFrame->m_hWnd;
    }
    int nBits = 0;
    switch (nCommand) {
    case SCX_CHANGESTATE:
        nBits = OnChangeState(*pInfo, pResult);
        break;
    case SCX_GETMENU:
        nBits = OnGetMenu(*pInfo, pResult);
        break;
    case SCX_MENUREQUEST:
        nBits = OnMenuRequest(*pInfo, pResult);
        break;
    default:
        return 0;
    }
    if (hRepaint && ::IsWindow(hRepaint))
        ::SendMessage(hRepaint, WM_NCPAINT, 1, 0);
    return nBits;
}

int ScxMsgFilter::OnMenuRequest(ScxInfo& info, LRESULT* pResult)
{
    *pResult = 0;
    const HMENU hMenu = GetMenu(info);
    if (!hMenu)
        return 0;
    // A dismissed menu chooses nothing and so changes nothing.
    if (const UINT nChosen = TrackMenu(hMenu, info))
        SendStateCommand(info, static_cast<int>(nChosen));
    ::DestroyMenu(hMenu);
    return kAllBits;
}

int ScxMsgFilter::OnGetMenu(ScxInfo& info, LRESULT* pResult)
{
    info.m_hMenu = CreateContextMenu(CWnd::FromHandlePermanent(info.m_hWnd));
    *pResult = info.m_hMenu != nullptr;
    return kAllBits;
}

HMENU ScxMsgFilter::GetMenu(const ScxInfo& info)
{
    if (info.m_hMenu)
        return info.m_hMenu;
    ScxInfo request = info;
    request.m_dwFlags &= ~ScxInfo::kPosition;
    SendSysCommandEx(SCX_GETMENU, request);
    return request.m_hMenu;
}

UINT ScxMsgFilter::TrackMenu(HMENU hMenu, const ScxInfo& info)
{
    CPoint pt(info.m_x, info.m_y);
    if (pt.x < 0) {
        CRect rectClient;
        ::GetClientRect(info.m_hWnd, rectClient);
        pt = rectClient.CenterPoint();
        ::ClientToScreen(info.m_hWnd, &pt);
    }
    return static_cast<UINT>(
        ::TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, pt.x, pt.y, 0, info.m_hWnd, nullptr));
}

void ScxMsgFilter::SendStateCommand(const ScxInfo& info, int nState)
{
    ScxInfo request = info;
    request.m_dwFlags &= ~ScxInfo::kPosition;
    request.m_nState = nState;
    SendSysCommandEx(SCX_CHANGESTATE, request);
}

HMENU ScxMsgFilter::CreateContextMenu(CWnd* pWnd)
{
    auto* pFrame = dynamic_cast<CFrameWnd*>(pWnd);
    SECMultiDocTemplate* pTemplate = pFrame ? GetDocTemplate(pFrame) : nullptr;
    return pTemplate ? BuildContextMenu(GetCurrentState(pFrame, pTemplate)) : nullptr;
}

HMENU ScxMsgFilter::BuildContextMenu(int nCurrent)
{
    const HMENU hMenu = ::CreatePopupMenu();
    const HMENU hDockedTo = ::CreatePopupMenu();
    const HMENU hMDIAs = ::CreatePopupMenu();
    if (!hMenu || !hDockedTo || !hMDIAs) {
        for (HMENU h : { hMenu, hDockedTo, hMDIAs })
            if (h)
                ::DestroyMenu(h);
        return nullptr;
    }
    const int nKind = StateKind(nCurrent);
    auto add = [](HMENU h, UINT nString, LPCTSTR lpszFallback, int nCommand, bool bChecked) {
        ::AppendMenu(h, MF_STRING | (bChecked ? MF_CHECKED : MF_UNCHECKED), static_cast<UINT_PTR>(nCommand),
            LoadOr(nString, lpszFallback));
    };
    add(hMenu, IDS_SCX_DOCKED, "&Docked", kDocked, nKind == kDocked);
    add(hMenu, IDS_SCX_FLOATING, "&Floating", kFloating, nKind == kFloating);
    add(hMenu, IDS_SCX_MDICHILD, "&MDI Child", kMDIChild, nKind == kMDIChild);
    ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
    add(hDockedTo, IDS_SCX_TOP, "&Top", kDockedTop, nCurrent == kDockedTop);
    add(hDockedTo, IDS_SCX_LEFT, "&Left", kDockedLeft, nCurrent == kDockedLeft);
    add(hDockedTo, IDS_SCX_BOTTOM, "&Bottom", kDockedBottom, nCurrent == kDockedBottom);
    add(hDockedTo, IDS_SCX_RIGHT, "&Right", kDockedRight, nCurrent == kDockedRight);
    ::AppendMenu(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hDockedTo), LoadOr(IDS_SCX_DOCKEDTO, "D&ocked to"));
    add(hMDIAs, IDS_SCX_MINIMIZED, "Mi&nimized", kMDIMinimized, nCurrent == kMDIMinimized);
    add(hMDIAs, IDS_SCX_MAXIMIZED, "Ma&ximized", kMDIMaximized, nCurrent == kMDIMaximized);
    add(hMDIAs, IDS_SCX_RESTORED, "&Restored", kMDIRestored, nCurrent == kMDIRestored);
    ::AppendMenu(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hMDIAs), LoadOr(IDS_SCX_MDICHILDAS, "MD&I Child as"));
    return hMenu;
}

int ScxMsgFilter::OnChangeState(ScxInfo& info, LRESULT* pResult)
{
    *pResult = FALSE;
    auto* pFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(info.m_hWnd));
    SECMultiDocTemplate* pTemplate = pFrame ? GetDocTemplate(pFrame) : nullptr;
    if (!pTemplate)
        return 0;
    const int nCurrent = GetCurrentState(pFrame, pTemplate);
    const int nState = info.m_nState == kToggle ? ToggleState(nCurrent) : info.m_nState;
    BOOL bDone = FALSE;
    switch (StateKind(nState)) {
    case kMDIChild:
        bDone = ToMDIChild(pFrame, pTemplate, nCurrent, nState, info);
        break;
    case kDocked:
        bDone = ToDocked(pFrame, pTemplate, nCurrent, nState, info);
        break;
    case kFloating:
        bDone = ToFloating(pFrame, pTemplate, nCurrent, info);
        break;
    default:
        return 0;
    }
    *pResult = bDone;
    return kAllBits;
}

int ScxMsgFilter::StateKind(int nState) const
{
    if (nState >= kMDIChild && nState <= kMDIRestored)
        return kMDIChild;
    if (nState == 0 || (nState >= kDocked && nState <= kDockedBottom))
        return kDocked;
    return nState == kFloating ? kFloating : 0;
}

int ScxMsgFilter::ToggleState(int nCurrent) const { return StateKind(nCurrent) == kMDIChild ? kDocked : kMDIChild; }

int ScxMsgFilter::GetCurrentState(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate) const
{
    if (!pFrame)
        return 0;
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) {
        if (::IsZoomed(pFrame->m_hWnd))
            return kMDIMaximized;
        return ::IsIconic(pFrame->m_hWnd) ? kMDIMinimized : kMDIRestored;
    }
    const int nPlace = pTemplate ? pTemplate->GetDockingPlace(pFrame) : SECMultiDocTemplate::kNone;
    return nPlace >= 0 && nPlace < static_cast<int>(std::size(kPlaceStates)) ? kPlaceStates[nPlace] : 0;
}

SECMultiDocTemplate* ScxMsgFilter::GetDocTemplate(CFrameWnd* pFrame) const
{
    CDocument* pDoc = pFrame ? pFrame->GetActiveDocument() : nullptr;
    return pDoc ? dynamic_cast<SECMultiDocTemplate*>(pDoc->GetDocTemplate()) : nullptr;
}

BOOL ScxMsgFilter::ToMDIChild(
    CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate, int nCurrent, int nState, const ScxInfo&)
{
    if (StateKind(nCurrent) != kMDIChild) {
        // The template may make a new frame and destroy this one: pFrame is not used afterwards.
        if (!pTemplate->MakeMDIChild(pFrame, nState))
            return FALSE;
    } else {
        ::ShowWindow(pFrame->m_hWnd,
            nState == kMDIMinimized       ? SW_MINIMIZE
                : nState == kMDIMaximized ? SW_SHOWMAXIMIZED
                                          : SW_RESTORE);
    }
    // The MDI layout is redone from scratch.
    auto* pMDIFrame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    const HWND hClient = pMDIFrame ? pMDIFrame->m_hWndMDIClient : nullptr;
    if (hClient && ::IsWindowVisible(hClient)) {
        CRect rectClient;
        ::GetClientRect(hClient, rectClient);
        ::SendMessage(hClient, WM_SIZE, 0, 0);
        ::SendMessage(hClient, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rectClient.Width(), rectClient.Height()));
    }
    return TRUE;
}

BOOL ScxMsgFilter::ToDocked(
    CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate, int nCurrent, int nState, const ScxInfo& info)
{
    const int nCurrentKind = StateKind(nCurrent);
    if ((nState == kDocked || nState == 0) && !(info.m_dwFlags & (ScxInfo::kPosition | ScxInfo::kSize))) {
        if (nCurrentKind == kMDIChild)
            return RedockMDIChild(pFrame, pTemplate);
        if (nCurrentKind == kFloating)
            return ToggleBarDocking(pFrame, info);
        return TRUE;
    }
    const Side* pSide = SideOfState(nState);
    if (!pSide)
        return FALSE;
    if (nCurrentKind == kMDIChild)
        return DockMDIChildAt(pFrame, pTemplate, pSide->nDockBarID, info);
    CControlBar* pBar = SECMultiDocTemplate::GetHostingBar(pFrame);
    if (!pBar)
        return FALSE;
    pBar->SetBarStyle((pBar->GetBarStyle() & ~kAlignMask) | pSide->dwAlign);
    return DockBarAtSide(pBar, pSide->nDockBarID, info);
}

BOOL ScxMsgFilter::DockBarAtSide(CControlBar* pBar, UINT nDockBarID, const ScxInfo& info)
{
    auto* pDockSite = dynamic_cast<ISECDockSite*>(pBar->m_pDockSite);
    if (!pDockSite)
        return FALSE;
    const bool bTopOrLeft = nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_LEFT;
    const SECDockPlacement defaultPlacement { bTopOrLeft ? 1 : 0, 0, bTopOrLeft ? 3U : 4U };
    const SECDockSize defaultSize { 1.0F, 150, 0 };
    const SECDockPlacement& placement = (info.m_dwFlags & ScxInfo::kPosition) && info.m_pDockedPlacement
        ? *info.m_pDockedPlacement
        : defaultPlacement;
    const SECDockSize& size
        = (info.m_dwFlags & ScxInfo::kSize) && info.m_pSizePlacement ? *info.m_pSizePlacement : defaultSize;
    if (auto* pMDIFrame = dynamic_cast<SECMDIFrameWnd*>(pDockSite))
        pMDIFrame->DockSizedControlBarEx(pBar, placement, nDockBarID, size);
    else
        pDockSite->DockSizedControlBar(pBar, nDockBarID, placement.m_nCol, placement.m_nRow, size.m_fPct, size.m_nLength);
    pBar->m_pDockSite->RecalcLayout();
    return TRUE;
}

BOOL ScxMsgFilter::ToFloating(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate, int nCurrent, const ScxInfo& info)
{
    const int nCurrentKind = StateKind(nCurrent);
    if (nCurrentKind == kMDIChild) {
        // Docked first, then floated where the child stood unless the record says where.
        CRect rectChild;
        pFrame->GetWindowRect(rectChild);
        if (::IsIconic(pFrame->m_hWnd))
            ::ShowWindow(pFrame->m_hWnd, SW_RESTORE);
        const HWND hFrame = pFrame->m_hWnd;
        if (!RedockMDIChild(pFrame, pTemplate))
            return FALSE;
        // The view may have moved into a new frame in a bar, the MDI child going.
        if (CWnd::FromHandlePermanent(hFrame) != pFrame)
            pFrame = pTemplate->GetMovedFrame();
        if (!pFrame || !::IsWindow(pFrame->m_hWnd))
            return FALSE;
        ScxInfo at = info;
        if (!(at.m_dwFlags & ScxInfo::kPosition)) {
            at.m_x = rectChild.left;
            at.m_y = rectChild.top;
        }
        if (!(at.m_dwFlags & ScxInfo::kSize)) {
            at.m_cx = rectChild.Width();
            at.m_cy = rectChild.Height();
        }
        at.m_dwFlags |= ScxInfo::kPosition | ScxInfo::kSize;
        return ToggleBarDocking(pFrame, at);
    }
    if (nCurrentKind == kDocked)
        return ToggleBarDocking(pFrame, info);
    // Already floating: only moved or sized as the record says.
    CControlBar* pBar = SECMultiDocTemplate::GetHostingBar(pFrame);
    CFrameWnd* pMiniFrame = pBar ? pBar->GetParentFrame() : nullptr;
    if (!pMiniFrame)
        return FALSE;
    UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!(info.m_dwFlags & ScxInfo::kPosition))
        nFlags |= SWP_NOMOVE;
    if (!(info.m_dwFlags & ScxInfo::kSize))
        nFlags |= SWP_NOSIZE;
    pMiniFrame->SetWindowPos(nullptr, info.m_x, info.m_y, info.m_cx, info.m_cy, nFlags);
    return TRUE;
}

BOOL ScxMsgFilter::RedockMDIChild(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate)
{
    return pTemplate->RedockMDIChild(pFrame);
}

BOOL ScxMsgFilter::DockMDIChildAt(
    CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate, UINT nDockBarID, const ScxInfo& info)
{
    const SECDockPlacement* pPlacement = (info.m_dwFlags & ScxInfo::kPosition) ? info.m_pDockedPlacement : nullptr;
    const SECDockSize* pSize = (info.m_dwFlags & ScxInfo::kSize) ? info.m_pSizePlacement : nullptr;
    return pTemplate->DockMDIChildAt(pFrame, nDockBarID, pPlacement, pSize);
}

BOOL ScxMsgFilter::ToggleBarDocking(CFrameWnd* pFrame, const ScxInfo& info)
{
    CControlBar* pBar = SECMultiDocTemplate::GetHostingBar(pFrame);
    if (!pBar || !pBar->m_pDockContext)
        return FALSE;
    if (pBar->IsFloating() || !(info.m_dwFlags & ScxInfo::kPosition)) {
        pBar->m_pDockContext->ToggleDocking();
        return TRUE;
    }
    CFrameWnd* pDockSite = pBar->m_pDockSite;
    if (!pDockSite)
        return FALSE;
    if (auto* pSECDockSite = dynamic_cast<ISECDockSite*>(pDockSite))
        pSECDockSite->FloatControlBar(pBar, CPoint(info.m_x, info.m_y));
    else
        pDockSite->FloatControlBar(pBar, CPoint(info.m_x, info.m_y));
    if ((info.m_dwFlags & ScxInfo::kSize) && info.m_cx > 0 && info.m_cy > 0)
        if (CFrameWnd* pMiniFrame = pBar->GetParentFrame(); pMiniFrame && pMiniFrame != pDockSite)
            pMiniFrame->SetWindowPos(nullptr, 0, 0, info.m_cx, info.m_cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

} // namespace nsSysCommandEx
