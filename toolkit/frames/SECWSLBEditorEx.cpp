#include "toolkit/frames/SECWSLBEditorEx.h"

#include "toolkit/controls/SECListBoxEditorHelper.h"
#include "toolkit/controls/SECListBoxSelection.h"
#include "toolkit/frames/SECFrameStrings.h"
#include "toolkit/frames/SECFrameResIds.h"
#include "toolkit/frames/SECWsMgrDialogEx.h"

namespace {

// Takes the entry at nFrom out and puts it at nTo; a list without both positions stays as it is.
void MoveEntry(CStringList& list, int nFrom, int nTo)
{
    if (nFrom < 0 || nTo < 0 || nFrom >= list.GetCount() || nTo >= list.GetCount())
        return;
    POSITION from = list.FindIndex(nFrom);
    const CString entry = list.GetAt(from);
    list.RemoveAt(from);
    if (nTo >= list.GetCount())
        list.AddTail(entry);
    else
        list.InsertBefore(list.FindIndex(nTo), entry);
}

} // namespace

SECWSLBEditorEx::SECWSLBEditorEx(CStringList& names, CStringList& currentNames, CStringList& deleted, SECWsMgrDialogEx* pDialog)
    : m_names(names)
    , m_currentNames(currentNames)
    , m_deleted(deleted)
    , m_pDialog(pDialog)
{
}

int SECWSLBEditorEx::Warn(UINT nID, LPCTSTR lpszDefault, const CString& strName, UINT nType)
{
    CString text;
    text.Format(SECLoadStringOr(nID, lpszDefault), static_cast<LPCTSTR>(strName));
    CWnd* pOwner = m_pDialog ? static_cast<CWnd*>(m_pDialog) : this;
    return pOwner->MessageBox(text, SECLoadStringOr(IDS_SEC_WS_MANAGER, "Workspace Manager"), nType);
}

void SECWSLBEditorEx::OnBeginEdit()
{
    SECListBoxEditor::OnBeginEdit();
    if (m_pDialog) {
        m_pDialog->EnableButtons(FALSE, FALSE);
        m_pDialog->EnableDone(FALSE);
    }
}

void SECWSLBEditorEx::OnEndEdit()
{
    SECListBoxEditor::OnEndEdit();
    if (m_pDialog) {
        m_pDialog->EnableButtons(TRUE, TRUE);
        m_pDialog->EnableDone(TRUE);
    }
}

BOOL SECWSLBEditorEx::NameExists(const CString& strName, int nExcept) const
{
    // The registry compares key names without regard to case: "b1" would be "B1".
    int i = 0;
    for (POSITION pos = m_currentNames.GetHeadPosition(); pos; ++i) {
        const CString& name = m_currentNames.GetNext(pos);
        if (i != nExcept && name.CompareNoCase(strName) == 0)
            return TRUE;
    }
    return FALSE;
}

void SECWSLBEditorEx::RestoreItem(int nIndex, const CString& strText)
{
    SECListBoxEditorHelper* pList = GetListBox();
    pList->SetRedraw(FALSE);
    pList->InsertString(nIndex, strText);
    pList->DeleteString(static_cast<UINT>(nIndex + 1));
    SECSelectItem(*pList, nIndex);
    pList->SetRedraw(TRUE);
    pList->Invalidate();
}

void SECWSLBEditorEx::OnItemChanged(int nIndex, CString strOldText, CString strNewText)
{
    if (strNewText.IsEmpty()) {
        Warn(IDS_SEC_WS_BADNAME2, "Invalid workspace name.", strNewText);
        RestoreItem(nIndex, strOldText);
        return;
    }
    if (strNewText.Find('\\') >= 0) {
        Warn(IDS_SEC_WS_BADNAME2, "Invalid workspace name.", strNewText);
        RestoreItem(nIndex, strOldText);
        return;
    }
    if (NameExists(strNewText, nIndex)) {
        Warn(IDS_SEC_WS_EXISTS2, "Workspace '%s' already exists. Please enter a unique workspace name.", strNewText);
        RestoreItem(nIndex, strOldText);
        return;
    }
    if (POSITION pos = m_currentNames.FindIndex(nIndex))
        m_currentNames.SetAt(pos, strNewText);
}

void SECWSLBEditorEx::OnItemAdded(int nIndex, CString strText)
{
    SECListBoxEditorHelper* pList = GetListBox();
    if (strText.IsEmpty() || strText.Find('\\') >= 0) {
        Warn(IDS_SEC_WS_BADNAME, "Invalid workspace name.", strText);
        pList->DeleteString(static_cast<UINT>(nIndex));
        return;
    }
    if (NameExists(strText, -1)) {
        Warn(IDS_SEC_WS_EXISTS, "Workspace '%s' already exists. Please enter a unique workspace name.", strText);
        pList->DeleteString(static_cast<UINT>(nIndex));
        return;
    }
    if (Warn(IDS_SEC_WS_SAVENEW, "Save new workspace '%s'?\n", strText, MB_YESNO) == IDYES) {
        if (m_pDialog)
            m_pDialog->PostMessage(WM_COMMAND, IDC_SEC_WS_SAVE, 0);
        return;
    }
    pList->DeleteString(static_cast<UINT>(nIndex));
}

void SECWSLBEditorEx::OnItemMoved(int nFrom, int nTo, CString, BOOL)
{
    // A drag moves an entry any distance: it is taken out and put in, in both lists alike.
    if (nFrom == nTo)
        return;
    MoveEntry(m_names, nFrom, nTo);
    MoveEntry(m_currentNames, nFrom, nTo);
}

BOOL SECWSLBEditorEx::OnItemDelete(int nIndex, CString strText)
{
    // The stored workspace is the one under its name before any rename in this dialog.
    POSITION stored = m_names.FindIndex(nIndex);
    POSITION current = m_currentNames.FindIndex(nIndex);
    if (!stored || !current)
        return TRUE;
    m_deleted.AddTail(m_names.GetAt(stored));
    m_names.RemoveAt(stored);
    m_currentNames.RemoveAt(current);
    return TRUE;
}
