#include "toolkit/controls/SECStdBtn.h"

#include "platform/afx/AfxState.h"
#include "toolkit/controls/SECCustomToolBar.h"

const SECButtonClass SECStdBtn::classSECStdBtn = { [] { return new SECStdBtn; } };

void SECStdBtn::SetPos(int x, int y)
{
    m_x = x;
    m_y = y;
}

void SECStdBtn::Invalidate(BOOL bErase) const
{
    if (m_pToolBar && m_pToolBar->GetSafeHwnd()) {
        const CRect rect = GetRect();
        m_pToolBar->InvalidateRect(&rect, bErase);
    }
}

void SECStdBtn::Init(SECCustomToolBar* pToolBar, const UINT_PTR*)
{
    m_pToolBar = pToolBar;
    AdjustSize();
}

BOOL SECStdBtn::BtnPressDown(CPoint)
{
    if (m_nStyle & TBBS_DISABLED)
        return FALSE;
    if (!(m_nStyle & TBBS_DROPDOWN)) {
        m_nStyle |= TBBS_PRESSED;
        return TRUE;
    }
    // A drop-down never stays down: its owner shows the drop-down while the button looks pressed.
    m_nStyle |= TBBS_PRESSED;
    Invalidate();
    if (m_pToolBar && m_pToolBar->GetSafeHwnd())
        m_pToolBar->UpdateWindow();
    BOOL& bFiring = SECCustomToolBar::CommandFiring();
    bFiring = TRUE;
    SendNotify(TBN_DROPDOWN, 0, 0);
    bFiring = FALSE;
    m_nStyle &= ~TBBS_PRESSED;
    Invalidate();
    if (m_pToolBar)
        m_pToolBar->UpdateHotButton();
    return FALSE;
}

void SECStdBtn::BtnPressMouseMove(CPoint point)
{
    const CRect rect = GetRect();
    if (point.x >= rect.left && point.x <= rect.right && point.y >= rect.top && point.y <= rect.bottom)
        m_nStyle |= TBBS_PRESSED;
    else
        m_nStyle &= ~TBBS_PRESSED;
}

void SECStdBtn::BtnPressCancel()
{
    m_nStyle &= ~TBBS_PRESSED;
    Invalidate(FALSE);
}

UINT SECStdBtn::BtnPressUp(CPoint point)
{
    m_nStyle &= ~TBBS_PRESSED;
    if (!GetRect().PtInRect(point))
        return 0;
    if ((m_nStyle & TBBS_CHECKBOX) && !(m_nStyle & TBBS_DISABLED)) {
        // Every copy of the command on every bar shows the same check.
        const BOOL bChecked = (m_nStyle & TBBS_CHECKED) != 0;
        const UINT nAdd = bChecked ? 0 : TBBS_CHECKED;
        const UINT nRemove = (bChecked ? TBBS_CHECKED : 0) | TBBS_INDETERMINATE;
        if (m_pToolBar)
            m_pToolBar->SetButtonStyleAll(m_nID, kStyleBits, nAdd, nRemove);
        else
            ModifyStyle(kStyleBits, nAdd, nRemove);
    }
    return m_nID;
}

INT_PTR SECStdBtn::OnToolHitTest(CPoint, TOOLINFO* pTI) const
{
    if (pTI && m_pToolBar) {
        pTI->hwnd = m_pToolBar->GetSafeHwnd();
        pTI->uId = m_nID;
        pTI->rect = GetRect();
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return static_cast<INT_PTR>(m_nID);
}

void SECStdBtn::ModifyStyle(int nOperation, UINT nAdd, UINT nRemove)
{
    if (nOperation != kStyleBits)
        return;
    m_nStyle = (m_nStyle & ~nRemove) | nAdd;
    Invalidate(FALSE);
}

void SECStdBtn::AdjustSize()
{
    if (!m_pToolBar)
        return;
    if (m_nStyle & TBBS_SEPARATOR) {
        m_cx = m_pToolBar->GetSeparatorWidth();
        m_cy = m_pToolBar->GetSeparatorHeight();
    } else {
        m_cx = m_pToolBar->GetButtonWidth();
        m_cy = m_pToolBar->GetButtonHeight();
    }
    m_pToolBar->GrowLargestButton(CSize(m_cx, m_cy));
}

LRESULT SECStdBtn::SendNotify(UINT nCode, WPARAM wValue, LPARAM lValue)
{
    if (!m_pToolBar || !m_pToolBar->GetSafeHwnd())
        return 0;
    SECBtnNotify notify;
    notify.hdr.hwndFrom = m_pToolBar->GetSafeHwnd();
    notify.hdr.idFrom = static_cast<UINT_PTR>(m_pToolBar->GetDlgCtrlID());
    notify.hdr.code = nCode;
    notify.iItem = static_cast<int>(m_nID);
    notify.nIndex = m_pToolBar->IndexOf(this);
    notify.wValue = wValue;
    notify.lValue = lValue;
    CWnd* pOwner = m_pToolBar->GetOwner();
    if (!pOwner)
        return 0;
    return pOwner->SendMessage(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
}

BOOL SECStdBtn::IsCoolLook() const { return m_pToolBar && m_pToolBar->IsCoolLook(); }
