#include "app/CGenericRenameObjectDlg.h"

#include "app/TuneStewardIds.h"

CGenericRenameObjectDlg::CGenericRenameObjectDlg(CWnd* pParent)
    : CGenericNameDlg(IDD_GENERIC_RENAME, IDC_RENAME_LABEL, pParent)
{
}

void CGenericRenameObjectDlg::SetName(LPCTSTR lpszName)
{
    m_strName = lpszName ? lpszName : "";
    if (m_hWnd != nullptr)
        SetDlgItemText(IDC_OBJECT_NAME, m_strName);
}

BOOL CGenericRenameObjectDlg::OnInitDialog()
{
    CGenericNameDlg::OnInitDialog();
    // The whole old name selected: typing replaces it, an arrow key keeps it for editing.
    if (!m_strName.IsEmpty())
        if (CWnd* pEdit = GetDlgItem(IDC_OBJECT_NAME)) {
            pEdit->SendMessage(EM_SETSEL, 0, -1);
            pEdit->SendMessage(EM_SCROLLCARET);
        }
    return TRUE;
}
