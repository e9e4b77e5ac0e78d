// A custom toolbar's mouse: pressing and firing buttons, the hot button of the cool look, and the
// tracking of the menu bar's menu buttons.
#include "platform/afx/AfxPriv.h"
#include "platform/afx/CFrameWnd.h"
#include "toolkit/controls/SECCustomToolBar.h"
#include "toolkit/controls/SECToolBarManager.h"

namespace {

BOOL AltDown() { return ::GetKeyState(VK_MENU) < 0; }

BOOL IsMenuKind(const SECStdBtn& btn)
{
    return btn.m_nType == SECStdBtn::kindMenu || btn.m_nType == SECStdBtn::kindSysMenu;
}

} // namespace

BOOL SECCustomToolBar::PressButton(int nIndex, CPoint point)
{
    UpdateButtonCmdUI(nIndex);
    SECStdBtn* pBtn = GetBtn(nIndex);
    if (!pBtn || !pBtn->BtnPressDown(point))
        return FALSE;
    m_nPressed = nIndex;
    InvalidateButton(nIndex);
    SetCapture();
    if (CWnd* pOwner = GetOwner())
        pOwner->SendMessage(WM_SETMESSAGESTRING, pBtn->m_nID);
    return TRUE;
}

void SECCustomToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!PressOrDrag(point))
        SECControlBar::OnLButtonDown(nFlags, point);
}

// A second press in the double-click time is a press like the first (a button dragged twice in a row
// while customising must not make the bar float).
void SECCustomToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (!PressOrDrag(point))
        SECControlBar::OnLButtonDblClk(nFlags, point);
}

BOOL SECCustomToolBar::PressOrDrag(CPoint point)
{
    const int nIndex = CommandFiring() ? -1 : HitTest(point);
    SECStdBtn* pBtn = GetBtn(nIndex);
    if (!pBtn)
        return FALSE;
    const BOOL bAlt = AltDown();
    if ((pBtn->m_nStyle & TBBS_DISABLED) && !bAlt && !m_bCustomize)
        return FALSE;
    if (m_bCustomize || bAlt) {
        if (!pBtn->CanDrag())
            return TRUE;
        SECToolBarManager* pManager = m_pManager;
        if (bAlt && !m_bCustomize) {
            AltDragging() = TRUE;
            DragButton(nIndex, point);
            AltDragging() = FALSE;
            if (pManager && pManager->GetSelectedBar())
                pManager->GetSelectedBar()->ClearSelection();
        } else {
            DragButton(nIndex, point);
        }
        return TRUE;
    }
    PressButton(nIndex, point);
    return TRUE;
}

void SECCustomToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    SECStdBtn* pBtn = GetBtn(m_nPressed);
    if (!pBtn) {
        UpdateHotButton();
        SECControlBar::OnMouseMove(nFlags, point);
        return;
    }
    if (GetCapture() == this) {
        const UINT nOld = pBtn->m_nStyle;
        pBtn->BtnPressMouseMove(point);
        if (pBtn->m_nStyle != nOld)
            InvalidateButton(m_nPressed);
        return;
    }
    pBtn->BtnPressCancel();
    m_nPressed = -1;
    if (CWnd* pOwner = GetOwner())
        pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

void SECCustomToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    SECStdBtn* pBtn = GetBtn(m_nPressed);
    if (!pBtn) {
        SECControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    const int nIndex = m_nPressed;
    m_nPressed = -1;
    ::ReleaseCapture();
    UpdateButtonCmdUI(nIndex);
    const UINT nID = pBtn->BtnPressUp(point);
    CWnd* pOwner = GetOwner();
    if (pOwner)
        pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    InvalidateButton(nIndex);
    UpdateWindow();
    if (nID == 0 || !pOwner)
        return;
    // The owner may open a menu below the button (it reads where from the record) or even destroy this
    // bar: nothing of the bar is touched after the command.
    CommandFiring() = TRUE;
    SECToolBarManager::PressedButton* pRecord = m_pManager ? m_pManager->GetPressedButtonRecord() : nullptr;
    if (pRecord) {
        CRect rect = pBtn->GetRect();
        ClientToScreen(&rect);
        pRecord->rect = rect;
        pRecord->bInCommand = TRUE;
    }
    pOwner->SendMessage(WM_COMMAND, nID);
    if (pRecord) {
        pRecord->rect.SetRectEmpty();
        pRecord->bInCommand = FALSE;
        SECToolBarManager::ReleasePressedButton(pRecord);
    }
    CommandFiring() = FALSE;
}

void SECCustomToolBar::OnCancelMode()
{
    SECControlBar::OnCancelMode();
    if (m_bMenuTracking)
        EndMenuTracking();
    if (SECStdBtn* pBtn = GetBtn(m_nPressed)) {
        pBtn->BtnPressCancel();
        m_nPressed = -1;
        if (GetCapture() == this)
            ::ReleaseCapture();
    }
}

// The hot button -----------------------------------------------------------------------------------------------

void SECCustomToolBar::UpdateHotButton()
{
    if (!IsCoolLook() || !GetSafeHwnd())
        return;
    int nHot = -1;
    if (::GetActiveWindow() && !AltDragging() && !CommandFiring() && m_nPressed < 0 && !m_bMenuTracking
        && !m_bCustomize) {
        CPoint point;
        ::GetCursorPos(&point);
        if (::WindowFromPoint(point) == m_hWnd) {
            ScreenToClient(&point);
            const int nIndex = HitTest(point);
            if (nIndex >= 0 && !(m_btns[static_cast<size_t>(nIndex)]->m_nStyle & TBBS_DISABLED))
                nHot = nIndex;
        }
    }
    SetHotIndex(nHot);
}

void SECCustomToolBar::SetHotIndex(int nIndex)
{
    if (nIndex == m_nHot)
        return;
    if (SECStdBtn* pOld = GetBtn(m_nHot)) {
        pOld->m_nStyle &= ~SEC_TBBS_HOT;
        pOld->Invalidate(FALSE);
    }
    const BOOL bWasHot = m_nHot >= 0;
    m_nHot = nIndex;
    if (SECStdBtn* pNew = GetBtn(nIndex)) {
        pNew->m_nStyle |= SEC_TBBS_HOT;
        pNew->Invalidate(FALSE);
        if (!bWasHot && GetSafeHwnd())
            SetTimer(kHotTimer, kHotInterval);
    } else if (GetSafeHwnd()) {
        KillTimer(kHotTimer);
    }
}

void SECCustomToolBar::ClearHot()
{
    if (SECStdBtn* pOld = GetBtn(m_nHot))
        pOld->m_nStyle &= ~SEC_TBBS_HOT;
    m_nHot = -1;
    if (GetSafeHwnd())
        KillTimer(kHotTimer);
}

void SECCustomToolBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHotTimer)
        UpdateHotButton();
    else
        SECControlBar::OnTimer(nIDEvent);
}

// Menu buttons -------------------------------------------------------------------------------------------------

void SECCustomToolBar::NotifyMenuButton(SECStdBtn* pBtn, WPARAM wValue, LPARAM lValue)
{
    m_nTracked = IndexOf(pBtn);
    UpdateHotButton();
    if (pBtn)
        pBtn->SendNotify(SEC_TBN_MENUPRESS, wValue, lValue);
}

void SECCustomToolBar::PressMenuButton(int nIndex)
{
    if (m_bMenuTracking)
        EndMenuTracking();
    SECStdBtn* pBtn = GetBtn(nIndex);
    if (!pBtn || !IsMenuKind(*pBtn))
        return;
    if (SECStdBtn* pOld = GetBtn(m_nTracked))
        pOld->BtnPressCancel();
    pBtn->BtnPressDown(CPoint(pBtn->m_x, pBtn->m_y));
}

void SECCustomToolBar::SetTrackedMenuButton(int nIndex)
{
    if (SECStdBtn* pOld = GetBtn(m_nTracked)) {
        pOld->m_nStyle &= ~SEC_TBBS_HOT;
        pOld->Invalidate(FALSE);
    }
    m_nTracked = nIndex;
    SECStdBtn* pBtn = GetBtn(nIndex);
    if (!pBtn)
        return;
    m_bMenuTracking = TRUE;
    pBtn->m_nStyle |= SEC_TBBS_HOT;
    pBtn->Invalidate(FALSE);
    pBtn->SendNotify(SEC_TBN_MENUTRACK, 0, 0);
    if (CWnd* pOwner = GetOwner())
        pOwner->SendMessage(WM_SETMESSAGESTRING, 0);
}

void SECCustomToolBar::TrackMenuButtonAt(CPoint point)
{
    const int nIndex = HitTest(point);
    if (nIndex >= 0)
        SetTrackedMenuButton(nIndex);
}

void SECCustomToolBar::EndMenuTracking()
{
    m_bMenuTracking = FALSE;
    SECStdBtn* pBtn = GetBtn(m_nTracked);
    if (pBtn) {
        pBtn->SendNotify(SEC_TBN_MENUEND, 0, 0);
        pBtn->m_nStyle &= ~SEC_TBBS_HOT;
        pBtn->Invalidate(FALSE);
    }
    m_nTracked = -1;
    if (CWnd* pOwner = GetOwner(); pOwner && GetSafeHwnd())
        pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

void SECCustomToolBar::CancelMenuTracking()
{
    if (SECStdBtn* pBtn = GetBtn(m_nTracked))
        pBtn->BtnPressCancel();
    m_nTracked = -1;
    UpdateHotButton();
}

BOOL SECCustomToolBar::OnMenuMouseMessage(UINT nMessage, CPoint point)
{
    SECStdBtn* pTracked = GetBtn(m_nTracked);
    if (!pTracked)
        return FALSE;
    const int nIndex = HitTest(point);
    if (nMessage == WM_MOUSEMOVE && nIndex >= 0 && nIndex != m_nTracked) {
        // The popup under the mouse replaces the open one: the button drops its menu, which the frame
        // opens once the open popup has closed.
        if (IsMenuKind(*m_btns[static_cast<size_t>(nIndex)]))
            PressMenuButton(nIndex);
        else
            pTracked->SendNotify(SEC_TBN_MENUCLOSE, 0, 0);
        return TRUE;
    }
    if (nMessage == WM_LBUTTONDOWN && nIndex == m_nTracked) {
        pTracked->SendNotify(SEC_TBN_MENUCLOSE, 0, 0);
        return TRUE;
    }
    return FALSE;
}

int SECCustomToolBar::FirstMenuButton() const
{
    for (int i = 0; i < GetBtnCount(); ++i) {
        const SECStdBtn& btn = *m_btns[static_cast<size_t>(i)];
        if (!(btn.m_nStyle & TBBS_HIDDEN) && IsMenuKind(btn))
            return i;
    }
    return -1;
}

int SECCustomToolBar::LastMenuButton() const
{
    for (int i = GetBtnCount() - 1; i >= 0; --i) {
        const SECStdBtn& btn = *m_btns[static_cast<size_t>(i)];
        if (!(btn.m_nStyle & TBBS_HIDDEN) && IsMenuKind(btn))
            return i;
    }
    return -1;
}

int SECCustomToolBar::FirstDropMenuButton() const
{
    for (int i = 0; i < GetBtnCount(); ++i) {
        const SECStdBtn& btn = *m_btns[static_cast<size_t>(i)];
        if (!(btn.m_nStyle & TBBS_HIDDEN) && btn.m_nType == SECStdBtn::kindMenu)
            return i;
    }
    return -1;
}

int SECCustomToolBar::NextMenuButton(BOOL bForward) const
{
    if (m_nTracked < 0)
        return bForward ? FirstMenuButton() : LastMenuButton();
    const int nStep = bForward ? 1 : -1;
    for (int i = m_nTracked + nStep; i >= 0 && i < GetBtnCount(); i += nStep) {
        const SECStdBtn& btn = *m_btns[static_cast<size_t>(i)];
        if (!(btn.m_nStyle & TBBS_HIDDEN) && IsMenuKind(btn))
            return i;
    }
    return -1;
}

BOOL SECCustomToolBar::IsCopyDrag() const { return ::GetKeyState(VK_CONTROL) < 0; }
