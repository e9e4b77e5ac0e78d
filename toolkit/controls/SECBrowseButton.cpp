#include "toolkit/controls/SECBrowseButton.h"

#include "toolkit/controls/SECBrowseEditBase.h"
#include "toolkit/controls/SECDialogItems.h"

IMPLEMENT_DYNAMIC(SECBrowseButton, CButton)

SECBrowseButton::SECBrowseButton(SECBrowseEditBase* pEdit)
    : m_pEdit(pEdit)
{
}

BOOL SECBrowseButton::AttachToEdit()
{
    CWnd* pDialog = m_pEdit ? m_pEdit->GetParent() : nullptr;
    if (!pDialog)
        return FALSE;
    CRect rect;
    m_pEdit->GetWindowRect(rect);
    pDialog->ScreenToClient(rect);
    m_pEdit->SetWindowPos(nullptr, 0, 0, rect.Width() - kNarrowing, rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_nID = SECFindFreeControlID(*pDialog);
    const CRect button(rect.right - kButtonWidth, rect.top, rect.right, rect.bottom);
    if (!Create("...", WS_CHILD | WS_VISIBLE | WS_TABSTOP, button, pDialog, m_nID))
        return FALSE;
    m_bOwnedByWindow = TRUE;
    SetFont(pDialog->GetFont(), FALSE);
    SetWindowPos(m_pEdit, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EnableWindow(pDialog->IsWindowEnabled());
    return TRUE;
}

BOOL SECBrowseButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == m_nID) {
        m_pEdit->OnBrowse();
        return TRUE;
    }
    return CButton::OnChildNotify(message, wParam, lParam, pResult);
}

void SECBrowseButton::PostNcDestroy()
{
    if (m_bOwnedByWindow)
        delete this;
}
