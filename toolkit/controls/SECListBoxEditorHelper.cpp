#include "toolkit/controls/SECListBoxEditorHelper.h"

#include "toolkit/controls/SECListBoxDragWnd.h"
#include "toolkit/controls/SECListBoxEdit.h"
#include "toolkit/controls/SECListBoxEditor.h"

IMPLEMENT_DYNAMIC(SECListBoxEditorHelper, CListBox)

BEGIN_MESSAGE_MAP(SECListBoxEditorHelper, CListBox)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_MESSAGE(SECListBoxEdit::kCancelMessage, OnEditCancelled)
END_MESSAGE_MAP()

SECListBoxEditorHelper::SECListBoxEditorHelper(SECListBoxEditor* pEditor)
    : m_pEditor(pEditor)
{
}

SECListBoxEditorHelper::~SECListBoxEditorHelper()
{
    if (m_hWnd)
        UnsubclassWindow();
}

BOOL SECListBoxEditorHelper::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader && pHeader->idFrom == SECListBoxEdit::kControlID && pHeader->code == SECListBoxEdit::kEndNotification) {
        m_pEditor->EndEdit();
        if (pResult)
            *pResult = 0;
        return TRUE;
    }
    return CListBox::OnNotify(wParam, lParam, pResult);
}

BOOL SECListBoxEditorHelper::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == SECListBoxEdit::kBrowseID) {
        m_pEditor->OnBrowse();
        return TRUE;
    }
    return CListBox::OnCommand(wParam, lParam);
}

void SECListBoxEditorHelper::OnChar(UINT nChar, UINT, UINT)
{
    if ((m_pEditor->m_dwFlags & SEC_LBE_AUTOEDIT) && ::GetKeyState(VK_CONTROL) >= 0)
        m_pEditor->EditItem(nChar);
    else
        Default();
}

void SECListBoxEditorHelper::OnKeyDown(UINT nChar, UINT, UINT)
{
    const DWORD dwFlags = m_pEditor->m_dwFlags;
    if (nChar == VK_INSERT && (dwFlags & SEC_LBE_SHORTCUTS))
        m_pEditor->AddNewItem();
    else if (nChar == VK_DELETE && (dwFlags & SEC_LBE_SHORTCUTS))
        m_pEditor->DeleteSelectedItems();
    else if (nChar == VK_F2 && (dwFlags & SEC_LBE_EDITBUTTON))
        m_pEditor->EditItem(0);
    else
        Default();
}

void SECListBoxEditorHelper::OnSysKeyDown(UINT nChar, UINT, UINT)
{
    const DWORD dwFlags = m_pEditor->m_dwFlags;
    if (nChar == VK_UP && (dwFlags & SEC_LBE_SHORTCUTS))
        m_pEditor->MoveItemUp();
    else if (nChar == VK_DOWN && (dwFlags & SEC_LBE_SHORTCUTS))
        m_pEditor->MoveItemDown();
    else
        Default();
}

void SECListBoxEditorHelper::OnLButtonDblClk(UINT, CPoint)
{
    m_pEditor->EditItem(0);
}

void SECListBoxEditorHelper::OnLButtonDown(UINT, CPoint)
{
    // Only a focus loss while this click ends an edit (a hook's message box, say) abandons the click.
    m_bLostFocus = FALSE;
    BOOL bRemembered = FALSE;
    int nPrevSel = LB_ERR;
    if (SECListBoxEdit* pEdit = m_pEditor->m_pEdit.get()) {
        // An empty edit is cancelled, any other committed.
        pEdit->Finish(pEdit->GetWindowTextLength() == 0);
    } else {
        nPrevSel = GetCurSel();
        bRemembered = TRUE;
    }
    if (m_bLostFocus) {
        m_bLostFocus = FALSE;
        return;
    }
    Default();
    if (m_pEditor->m_dwFlags & SEC_LBE_DRAGTOMOVE) {
        SECListBoxDragWnd drag(this);
        drag.m_bLastItemFixed = !(m_pEditor->m_dwFlags & SEC_LBE_NOPLACEHOLDER);
        int nFrom = 0, nTo = 0;
        if (drag.DoDrag(&nFrom, &nTo)) {
            CString text;
            GetText(nTo, text);
            m_pEditor->OnItemMoved(nFrom, nTo, text, TRUE);
        }
    }
    if (bRemembered && nPrevSel != GetCurSel())
        m_pEditor->Notify(SECListBoxEditor::kSelChange, TRUE);
}

void SECListBoxEditorHelper::ForwardToHeader(UINT message, CWnd* pOther)
{
    if (m_pEditor->GetSafeHwnd())
        m_pEditor->SendMessage(message, reinterpret_cast<WPARAM>(pOther ? pOther->GetSafeHwnd() : nullptr));
}

void SECListBoxEditorHelper::OnSetFocus(CWnd* pOldWnd)
{
    Default();
    ForwardToHeader(WM_SETFOCUS, pOldWnd);
}

void SECListBoxEditorHelper::OnKillFocus(CWnd* pNewWnd)
{
    Default();
    m_bLostFocus = TRUE;
    ForwardToHeader(WM_KILLFOCUS, pNewWnd);
}

LRESULT SECListBoxEditorHelper::OnEditCancelled(WPARAM wParam, LPARAM)
{
    m_pEditor->m_bEditCancelled = wParam != 0;
    return 0;
}
