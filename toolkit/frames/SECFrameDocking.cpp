#include "toolkit/frames/SECFrameDocking.h"

#include <algorithm>

#include "platform/afx/CMiniDockFrameWnd.h"
#include "platform/afx/CResourceException.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECDockBar.h"
#include "toolkit/frames/SECMiniDockFrameWnd.h"

namespace SECFrameDocking {

namespace {

// The dock bars of a frame, in the order they are looked through, with the bar style of their side.
struct DockBarSide {
    UINT nID;
    DWORD dwStyle;
};
constexpr DockBarSide kDockBarMap[] = {
    { AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM },
    { AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP },
    { AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT },
    { AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT },
};

// A floating bar keeps this much of itself inside the work area.
constexpr int kFloatMargin = 10;

SECControlBar* AsSECBar(CControlBar* pBar)
{
    return pBar && pBar->IsKindOf(RUNTIME_CLASS(SECControlBar)) ? static_cast<SECControlBar*>(pBar) : nullptr;
}

// Docking as the frames do it: the bar's hooks around the step that places it.
template <typename Place>
void DockWithHooks(CControlBar* pBar, Place place)
{
    if (!pBar)
        return;
    SECControlBar* pSEC = AsSECBar(pBar);
    if (pSEC)
        pSEC->PrepareDock();
    place(pSEC);
    if (pSEC)
        pSEC->OnDockFinished();
}

} // namespace

void EnableDocking(CFrameWnd& frame, DWORD dwDockStyle, const std::function<SECDockBar*()>& createDockBar)
{
    if (!frame.m_pFloatingFrameClass)
        frame.m_pFloatingFrameClass = RUNTIME_CLASS(SECMiniDockFrameWnd);
    for (const DockBarSide& side : kDockBarMap) {
        if (!(side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) || frame.GetControlBar(side.nID))
            continue;
        SECDockBar* pDockBar = createDockBar();
        if (!pDockBar->Create(&frame, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | side.dwStyle, side.nID)) {
            // A dock bar whose window existed has deleted itself.
            if (!pDockBar->m_hWnd)
                delete pDockBar;
            AfxThrowResourceException();
        }
    }
}

CDockBar* DockBarOfSide(CFrameWnd& frame, CControlBar* pBar)
{
    for (const DockBarSide& side : kDockBarMap)
        if ((side.dwStyle & CBRS_ALIGN_ANY) == (pBar->m_dwStyle & CBRS_ALIGN_ANY))
            return DockBarOfID(frame, side.nID);
    return nullptr;
}

CDockBar* DockBarOfID(CFrameWnd& frame, UINT nDockBarID)
{
    CControlBar* pFound = nDockBarID ? frame.GetControlBar(nDockBarID) : nullptr;
    return pFound && pFound->IsDockBar() ? static_cast<CDockBar*>(pFound) : nullptr;
}

void DockControlBar(CFrameWnd& frame, CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    DockWithHooks(pBar, [&](SECControlBar*) {
        if (!pDockBar)
            pDockBar = DockBarOfSide(frame, pBar);
        if (pDockBar)
            pDockBar->DockControlBar(pBar, lpRect);
    });
}

void ReDockControlBar(CFrameWnd& frame, CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    DockWithHooks(pBar, [&](SECControlBar*) {
        if (!pDockBar && pBar->m_hWnd && pBar->GetDlgCtrlID() != 0) {
            // The dock bar that kept the bar's place.
            auto* pHolder = reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(static_cast<UINT>(pBar->GetDlgCtrlID())));
            for (const DockBarSide& side : kDockBarMap) {
                CDockBar* pFound = DockBarOfID(frame, side.nID);
                if (pFound && pFound->FindBar(pHolder) > 0) {
                    pDockBar = pFound;
                    break;
                }
            }
        }
        if (!pDockBar)
            pDockBar = DockBarOfSide(frame, pBar);
        if (pDockBar)
            pDockBar->ReDockControlBar(pBar, lpRect);
    });
}

void DockSizedControlBar(
    CFrameWnd& frame, CControlBar* pBar, UINT nDockBarID, DWORD dwMode, float fPctWidth, int nSize, const SECDockPos& pos)
{
    DockWithHooks(pBar, [&](SECControlBar* pSEC) {
        CDockBar* pDockBar = DockBarOfID(frame, nDockBarID);
        if (!pDockBar)
            pDockBar = DockBarOfSide(frame, pBar);
        if (pSEC)
            pSEC->m_fPctWidth = fPctWidth;
        pBar->CalcDynamicLayout(nSize, dwMode | LM_COMMIT);
        if (pDockBar && pDockBar->IsKindOf(RUNTIME_CLASS(SECDockBar)))
            static_cast<SECDockBar*>(pDockBar)->DockControlBar(pBar, pos);
        else if (pDockBar)
            pDockBar->DockControlBar(pBar);
    });
}

void ApplySizableStyle(CControlBar* pBar, CFrameWnd* pFloating)
{
    SECControlBar* pSEC = AsSECBar(pBar);
    if (pSEC && !(pSEC->m_dwExStyle & BARX_KEEP_LENGTH)) {
        pFloating->ModifyStyle(MFS_4THICKFRAME, WS_THICKFRAME | MFS_THICKFRAME);
        pFloating->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void FloatControlBar(CFrameWnd& frame, CControlBar* pBar, CPoint point, DWORD dwStyle, const FloatHooks& hooks)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    CRect work;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    int x = std::min(point.x, work.right - kFloatMargin);
    if (x + rectBar.Width() < work.left + kFloatMargin)
        x = work.left + kFloatMargin - rectBar.Width();
    int y = std::min(point.y, work.bottom - kFloatMargin);
    if (y + rectBar.Height() < work.top + kFloatMargin)
        y = work.top + kFloatMargin - rectBar.Height();

    // A bar alone in its floating frame, keeping its orientation, only moves the frame.
    if (CDockBar* pDockBar = pBar->m_pDockBar;
        pDockBar && pDockBar->m_bFloating && pDockBar->GetDockedCount() == 1 && (pDockBar->m_dwStyle & dwStyle & CBRS_ALIGN_ANY)) {
        if (CFrameWnd* pFloating = pDockBar->GetParentFrame(); pFloating && pFloating->IsKindOf(RUNTIME_CLASS(SECMiniDockFrameWnd))) {
            static_cast<SECMiniDockFrameWnd*>(pFloating)->RecalcLayoutAt(x, y, TRUE);
            pFloating->UpdateWindow();
            if (hooks.afterMove)
                hooks.afterMove();
            return;
        }
    }
    SECControlBar* pSEC = AsSECBar(pBar);
    if (pSEC)
        pSEC->PrepareFloat();
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT)
            dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }
    CMiniDockFrameWnd* pFloating = frame.CreateFloatingFrame(dwStyle);
    if (!pFloating->m_hWndOwner)
        pFloating->m_hWndOwner = pBar->m_hWnd;
    auto* pSECFloating = pFloating->IsKindOf(RUNTIME_CLASS(SECMiniDockFrameWnd)) ? static_cast<SECMiniDockFrameWnd*>(pFloating) : nullptr;
    if (pSECFloating)
        pSECFloating->m_wndSECDockBar.DockControlBar(pBar, nullptr);
    else
        pFloating->m_wndDockBar.DockControlBar(pBar);
    if (hooks.afterDock)
        hooks.afterDock(pFloating);
    ApplySizableStyle(pBar, pFloating);
    if (pSECFloating) {
        pSECFloating->RecalcLayoutAt(x, y, TRUE);
    } else {
        pFloating->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pFloating->RecalcLayout(TRUE);
    }
    if (hooks.afterPlace)
        hooks.afterPlace();
    if (pBar->GetStyle() & WS_VISIBLE) {
        pFloating->ShowWindow(SW_SHOWNA);
        pFloating->UpdateWindow();
    }
    if (pSEC)
        pSEC->OnFloatFinished();
}

} // namespace SECFrameDocking
