// The control-bar and docking part of CFrameWnd.

#include "platform/afx/CControlBar.h"
#include "platform/afx/CControlBarInfo.h"
#include "platform/afx/CDockBar.h"
#include "platform/afx/CDockState.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CMemoryException.h"
#include "platform/afx/CMiniDockFrameWnd.h"
#include "platform/afx/CPrintPreviewState.h"
#include "platform/afx/CResourceException.h"

const DWORD CFrameWnd::dwDockBarMap[4][2] = {
    { AFX_IDW_DOCKBAR_TOP, CBRS_TOP },
    { AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM },
    { AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT },
    { AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT },
};

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return nullptr;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (bar->m_hWnd && static_cast<UINT>(bar->GetDlgCtrlID()) == nID)
            return bar;
    }
    return nullptr;
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (pBar && !m_listControlBars.Find(pBar))
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    if (POSITION pos = pBar ? m_listControlBars.Find(pBar) : nullptr)
        m_listControlBars.RemoveAt(pos);
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    CFrameWnd* frame = pBar->GetDockingFrame();
    if (!frame)
        frame = this;
    if (bDelay) {
        pBar->DelayShow(bShow);
        frame->DelayRecalcLayout();
    } else {
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
            SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        pBar->DelayShow(bShow);
        if (bShow || !pBar->IsFloating())
            frame->RecalcLayout(FALSE);
    }
    if (!pBar->IsFloating())
        return;
    // A floating frame shows while it has a visible bar.
    const int visible = pBar->m_pDockBar ? pBar->m_pDockBar->GetDockedVisibleCount() : (bShow ? 1 : 0);
    if (visible == 1 && bShow) {
        frame->m_nShowDelay = -1;
        if (bDelay) {
            frame->m_nShowDelay = SW_SHOWNA;
            frame->RecalcLayout(FALSE);
        } else {
            frame->ShowWindow(SW_SHOWNA);
        }
    } else if (visible == 0) {
        frame->m_nShowDelay = -1;
        if (bDelay)
            frame->m_nShowDelay = SW_HIDE;
        else
            frame->ShowWindow(SW_HIDE);
    } else if (!bDelay) {
        frame->RecalcLayout(FALSE);
    }
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    for (const auto& [nID, style] : dwDockBarMap) {
        if (!(style & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(nID))
            continue;
        auto* dockBar = new CDockBar;
        // A dock bar that fails has deleted itself (it owns itself).
        if (!dockBar->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | style, nID))
            AfxThrowResourceException();
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* dockBar = nDockBarID ? static_cast<CDockBar*>(GetControlBar(nDockBarID)) : nullptr;
    DockControlBar(pBar, dockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (!pBar)
        return;
    if (!pDockBar) {
        // The dock bar of the bar's own side.
        for (const auto& [nID, style] : dwDockBarMap) {
            if ((style & CBRS_ALIGN_ANY) == (pBar->m_dwStyle & CBRS_ALIGN_ANY)) {
                pDockBar = static_cast<CDockBar*>(GetControlBar(nID));
                break;
            }
        }
    }
    // A bar whose side has no dock bar (EnableDocking did not name it) stays where it is.
    if (!pDockBar || !pDockBar->IsDockBar())
        return;
    pDockBar->DockControlBar(pBar, lpRect);
}

void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (!pBar)
        return;
    if (!pDockBar) {
        // The dock bar that kept the bar's place, else the one of its side.
        const auto holder = reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(pBar->GetDlgCtrlID()));
        for (const auto& [nID, style] : dwDockBarMap) {
            auto* candidate = static_cast<CDockBar*>(GetControlBar(nID));
            if (candidate && candidate->FindBar(holder) > 0) {
                pDockBar = candidate;
                break;
            }
        }
    }
    if (!pDockBar) {
        DockControlBar(pBar, static_cast<CDockBar*>(nullptr), lpRect);
        return;
    }
    pDockBar->ReDockControlBar(pBar, lpRect);
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    if (pBar->m_pDockSite && !pBar->m_hWndOwner)
        pBar->SetOwner(pBar->m_pDockSite);
    // A bar alone in its floating frame, keeping its orientation, only moves the frame.
    if (pBar->m_pDockSite && pBar->m_pDockBar) {
        CDockBar* dockBar = pBar->m_pDockBar;
        if (dockBar->m_bFloating && dockBar->GetDockedCount() == 1 && (dwStyle & dockBar->m_dwStyle & CBRS_ALIGN_ANY)) {
            if (CFrameWnd* floating = dockBar->GetParentFrame()) {
                floating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                floating->RecalcLayout(TRUE);
                floating->UpdateWindow();
                return;
            }
        }
    }
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT) {
            dwStyle &= ~CBRS_ALIGN_ANY;
            dwStyle |= CBRS_ALIGN_TOP;
        }
    }
    CMiniDockFrameWnd* floating = CreateFloatingFrame(dwStyle);
    if (!floating)
        return;
    floating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!floating->m_hWndOwner)
        floating->m_hWndOwner = pBar->m_hWnd;
    floating->m_wndDockBar.DockControlBar(pBar);
    floating->RecalcLayout(TRUE);
    if (GetStyle() & WS_VISIBLE) {
        floating->ShowWindow(SW_SHOWNA);
        floating->UpdateWindow();
    }
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
    CRuntimeClass* frameClass = m_pFloatingFrameClass ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
    CObject* object = frameClass->CreateObject();
    auto* frame = dynamic_cast<CMiniDockFrameWnd*>(object);
    if (!frame) {
        delete object;
        AfxThrowMemoryException();
    }
    if (!frame->Create(this, dwStyle))
        AfxThrowResourceException();
    return frame;
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar)
{
    // A floating dock bar takes bars only when both allow several bars in one frame.
    dwDockStyle &= CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI;
    if (ppDockBar)
        *ppDockBar = nullptr;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (!bar->IsDockBar() || !bar->IsWindowVisible())
            continue;
        auto* dockBar = static_cast<CDockBar*>(bar);
        if (!(dockBar->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY))
            continue;
        if (dockBar->m_bFloating && !(dwDockStyle & dockBar->m_dwStyle & CBRS_FLOAT_MULTI))
            continue;
        CRect rectBar;
        dockBar->GetWindowRect(&rectBar);
        // An empty dock bar still catches a bar dragged over its edge.
        if (rectBar.Width() == 0)
            ++rectBar.right;
        if (rectBar.Height() == 0)
            ++rectBar.bottom;
        if (rectBar.IntersectRect(rectBar, rect)) {
            if (ppDockBar)
                *ppDockBar = dockBar;
            return dockBar->m_dwStyle & dwDockStyle;
        }
    }
    return 0;
}

void CFrameWnd::DestroyDockBars()
{
    // Floating frames first (their dock bars are listed here too), then the frame's own dock bars.
    CPtrList dockBars;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (bar->IsDockBar())
            dockBars.AddTail(bar);
    }
    for (POSITION pos = dockBars.GetHeadPosition(); pos;) {
        auto* dockBar = static_cast<CDockBar*>(dockBars.GetNext(pos));
        if (!m_listControlBars.Find(dockBar) || !dockBar->m_hWnd)
            continue;
        if (dockBar->m_bFloating) {
            if (CFrameWnd* floating = dockBar->GetParentFrame(); floating && floating != this)
                floating->DestroyWindow();
        } else {
            dockBar->DestroyWindow();
        }
    }
}

void CFrameWnd::GetDockState(CDockState& state) const
{
    state.Clear();
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        auto* bar = static_cast<CControlBar*>(const_cast<CPtrList&>(m_listControlBars).GetNext(pos));
        auto* info = new CControlBarInfo;
        bar->GetBarInfo(info);
        state.m_arrBarInfo.Add(info);
    }
}

void CFrameWnd::SetDockState(const CDockState& state)
{
    // First the floating frames the state names, so that every record has its bar.
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        auto* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        info->m_pBar = nullptr;
        if (info->m_bFloating) {
            CMiniDockFrameWnd* floating = CreateFloatingFrame(info->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            CRect rect(info->m_pointPos, CSize(10, 10));
            floating->CalcWindowRect(&rect);
            floating->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            info->m_pBar = &floating->m_wndDockBar;
        } else {
            info->m_pBar = GetControlBar(info->m_nBarID);
        }
        if (info->m_pBar)
            info->m_pBar->m_nMRUWidth = static_cast<UINT>(info->m_nMRUWidth);
    }
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        auto* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (info->m_pBar)
            info->m_pBar->SetBarInfo(info, this);
    }
    // Floating frames that got visible bars show again.
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        auto* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (!info->m_pBar || !info->m_bFloating || !info->m_pBar->IsDockBar())
            continue;
        auto* dockBar = static_cast<CDockBar*>(info->m_pBar);
        CFrameWnd* floating = dockBar->GetParentFrame();
        if (!floating)
            continue;
        if (dockBar->GetDockedCount() == 0)
            floating->DestroyWindow();
        else if (dockBar->GetDockedVisibleCount() > 0) {
            floating->RecalcLayout();
            floating->ShowWindow(SW_SHOWNA);
        }
    }
    DelayRecalcLayout();
}

void CFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const
{
    CDockState state;
    GetDockState(state);
    state.SaveState(lpszProfileName);
}

void CFrameWnd::LoadBarState(LPCTSTR lpszProfileName)
{
    CDockState state;
    state.LoadState(lpszProfileName);
    SetDockState(state);
}

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (!pState)
        return;
    if (bPreview) {
        // The preview has the whole client area: no menu, no bars.
        pState->hMenu = ::GetMenu(m_hWnd);
        if (pState->hMenu)
            ::SetMenu(m_hWnd, nullptr);
        for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
            auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
            if (bar->IsVisible()) {
                ShowControlBar(bar, FALSE, FALSE);
                pState->hiddenBars.push_back(bar);
            }
        }
    } else {
        if (pState->hMenu)
            ::SetMenu(m_hWnd, pState->hMenu);
        for (CControlBar* bar : pState->hiddenBars)
            ShowControlBar(bar, TRUE, FALSE);
        pState->hiddenBars.clear();
    }
    RecalcLayout();
}
