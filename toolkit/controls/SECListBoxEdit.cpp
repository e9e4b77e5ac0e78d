#include "toolkit/controls/SECListBoxEdit.h"

#include "platform/afx/AfxThreadState.h"
#include "toolkit/controls/SECDialogItems.h"
#include "toolkit/controls/SECListBoxSelection.h"

IMPLEMENT_DYNAMIC(SECListBoxEdit, CEdit)

BEGIN_MESSAGE_MAP(SECListBoxEdit, CEdit)
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

BOOL SECListBoxEdit::Create(CListBox* pListBox, int nIndex, BOOL bIsNew, LPCTSTR lpszInitialText, UINT nAllowedFocusID,
    BOOL bSpaceAdvance, int nSpaceCount)
{
    m_pListBox = pListBox;
    m_nIndex = nIndex;
    m_bIsNew = bIsNew;
    m_nAllowedFocusID = nAllowedFocusID;
    m_bSpaceAdvance = bSpaceAdvance;
    m_nSpaceCount = nSpaceCount;
    m_nPrevSel = SECGetSelectedItem(*pListBox);
    SECSelectItem(*pListBox, nIndex);

    CRect rect;
    if (pListBox->GetItemRect(nIndex, rect) == LB_ERR)
        return FALSE;
    rect.InflateRect(0, 2);
    if (!CEdit::Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, rect, pListBox, kControlID))
        return FALSE;
    SetFont(pListBox->GetFont(), FALSE);
    CString text = lpszInitialText ? lpszInitialText : "";
    if (!text.IsEmpty()) {
        SetWindowText(text);
        SetSel(text.GetLength(), text.GetLength());
    } else {
        pListBox->GetText(nIndex, text);
        SetWindowText(text);
        SetSel(0, -1);
    }
    ShowWindow(SW_SHOW);
    SetFocus();
    return TRUE;
}

void SECListBoxEdit::Finish(BOOL bCancel)
{
    if (m_bEnding)
        return;
    m_bEnding = TRUE;
    CListBox& listBox = *m_pListBox;
    if (!bCancel) {
        CString text;
        GetWindowText(text);
        if (m_nIndex >= 0 && m_nIndex < listBox.GetCount()) {
            const DWORD_PTR dwData = listBox.GetItemData(m_nIndex);
            listBox.SetRedraw(FALSE);
            listBox.InsertString(m_nIndex, text);
            listBox.SetItemData(m_nIndex, dwData);
            listBox.DeleteString(static_cast<UINT>(m_nIndex + 1));
            SECSelectItem(listBox, m_nIndex);
            listBox.SetRedraw(TRUE);
        }
    } else if (m_bIsNew) {
        if (m_nPrevSel >= 0)
            SECSelectItem(listBox, m_nPrevSel);
        listBox.DeleteString(static_cast<UINT>(m_nIndex));
    }
    // The keyboard stays with the list once the edit is gone.
    if (::GetFocus() == m_hWnd)
        listBox.SetFocus();
    NMHDR header { m_hWnd, kControlID, kEndNotification };
    const HWND hListBox = listBox.GetSafeHwnd();
    ::SendMessage(hListBox, kCancelMessage, bCancel, 0);
    // The editor deletes this edit while it handles the notification.
    ::SendMessage(hListBox, WM_NOTIFY, kControlID, reinterpret_cast<LPARAM>(&header));
}

UINT SECListBoxEdit::OnGetDlgCode()
{
    return static_cast<UINT>(Default()) | DLGC_WANTALLKEYS;
}

void SECListBoxEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const HWND hListBox = m_pListBox->GetSafeHwnd();
    switch (nChar) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END: {
        // The key then moves the list's selection.
        const LPARAM lParam = AfxGetThreadState()->m_lastSentMsg.lParam;
        Finish(FALSE);
        ::PostMessage(hListBox, WM_KEYDOWN, nChar, lParam);
        return;
    }
    case VK_TAB: {
        const BOOL bPrevious = ::GetKeyState(VK_SHIFT) < 0;
        Finish(FALSE);
        SECFocusNextTabItem(*CWnd::FromHandle(hListBox), bPrevious);
        return;
    }
    case VK_RETURN:
        Finish(FALSE);
        return;
    case VK_ESCAPE:
        Finish(TRUE);
        return;
    case VK_F2:
        if (m_nAllowedFocusID) {
            if (CWnd* pButton = m_pListBox->GetDlgItem(static_cast<int>(m_nAllowedFocusID))) {
                pButton->SetFocus();
                ::PostMessage(hListBox, WM_COMMAND, MAKEWPARAM(m_nAllowedFocusID, BN_CLICKED), reinterpret_cast<LPARAM>(pButton->GetSafeHwnd()));
            }
            return;
        }
        break;
    default:
        break;
    }
    // A space typed behind the text (its trailing blanks not counted) ends the edit and moves on; the
    // space itself goes nowhere once the edit is gone.
    bool bAdvance = false;
    if (m_bSpaceAdvance && nChar == VK_SPACE) {
        CString text;
        GetWindowText(text);
        text.TrimRight(' ');
        int nStart = 0, nEnd = 0;
        GetSel(nStart, nEnd);
        bAdvance = nEnd - text.GetLength() >= m_nSpaceCount - 1;
    }
    Default();
    if (bAdvance) {
        Finish(FALSE);
        SECFocusNextTabItem(*CWnd::FromHandle(hListBox), FALSE);
    }
}

void SECListBoxEdit::OnKillFocus(CWnd* pNewWnd)
{
    Default();
    if (m_bEnding)
        return;
    if (m_nAllowedFocusID && pNewWnd && static_cast<UINT>(pNewWnd->GetDlgCtrlID()) == m_nAllowedFocusID)
        return;
    Finish(FALSE);
}
