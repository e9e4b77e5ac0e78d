// The dialogs the main frame's commands and the library's edits ask through, and the library tree's
// part in them.
#include "app/CMainFrame.h"

#include "app/CGenericConfirmationDlg.h"
#include "app/CGenericNewObjectDlg.h"
#include "app/CGenericRenameObjectDlg.h"
#include "app/CGenericSelectionDlg.h"
#include "app/CMainTreeCtrl.h"
#include "app/TuneStewardIds.h"
#include "library/_ADOConnectionHelper.h"

bool CMainFrame::ChooseRecord(UINT captionId, LPCTSTR query, long& id, CString* text, const long* parameter)
{
    CGenericSelectionDlg dialog(this, TRUE);
    dialog.SetCaptionFromId(captionId);
    if (parameter) {
        // A query with a parameter runs here; the dialog takes the rows over.
        const _variant_t value(static_cast<LONG>(*parameter));
        _Recordset* rows = nullptr;
        if (!theLibraryConnection.RunStoredQuery(query, &value, 1, &rows, nullptr, adCmdStoredProc) || !rows)
            return false;
        dialog.SetSourceRecordset(rows);
    } else {
        dialog.SetSourceQuery(query);
    }
    if (dialog.DoModal() != IDOK)
        return false;
    id = static_cast<long>(dialog.m_dwSelectedId);
    if (text)
        *text = dialog.m_strSelectedText;
    return true;
}

bool CMainFrame::AskNewName(UINT captionId, UINT labelId, CString& name)
{
    CGenericNewObjectDlg dialog(this);
    dialog.SetCaptionFromId(captionId);
    dialog.SetLabelFromId(labelId);
    if (dialog.DoModal() != IDOK)
        return false;
    name = dialog.m_strName;
    return !name.IsEmpty();
}

bool CMainFrame::AskRename(UINT captionId, UINT labelId, LPCTSTR current, CString& name)
{
    CGenericRenameObjectDlg dialog(this);
    dialog.SetCaptionFromId(captionId);
    CString label;
    label.Format(CString(MAKEINTRESOURCE(labelId)), current);
    dialog.SetLabel(label);
    dialog.SetName(current);
    if (dialog.DoModal() != IDOK)
        return false;
    name = dialog.m_strName;
    // An empty or unchanged name renames nothing.
    return !name.IsEmpty() && name != current;
}

bool CMainFrame::ConfirmDelete(UINT captionId, UINT messageId, LPCTSTR name, bool& dontAskAgain)
{
    CGenericConfirmationDlg dialog(this);
    dialog.SetCaptionFromId(captionId);
    CString message;
    message.Format(CString(MAKEINTRESOURCE(messageId)), name);
    dialog.SetMessage(message);
    dialog.SetControlFlagFromId(FALSE, IDS_CONFIRM_DONT_ASK_AGAIN);
    if (dialog.DoModal() != IDOK)
        return false;
    dontAskAgain = dialog.m_bControlFlag != FALSE;
    return true;
}

void CMainFrame::DeleteAlbum(long albumId)
{
    if (m_pLibraryTree)
        m_pLibraryTree->DeleteAlbum(albumId, TRUE);
}

bool CMainFrame::RenameSelectedAlbum(LPCTSTR newName)
{
    return m_pLibraryTree
        && m_pLibraryTree->RenameAlbum(GetSelectedRecordId(), newName, m_selectedNode.text, TRUE) != FALSE;
}

bool CMainFrame::RenameSelectedPlaylist(LPCTSTR newName)
{
    return m_pLibraryTree
        && m_pLibraryTree->RenamePlaylist(GetSelectedRecordId(), newName, m_selectedNode.text, TRUE) != FALSE;
}

bool CMainFrame::RemoveFromSelectedGroup(HTREEITEM hItem)
{
    return m_pLibraryTree && m_pLibraryTree->RemoveFromGroup(hItem) != FALSE;
}
