#include "app/CGenericNewObjectDlg.h"

#include "app/TuneStewardIds.h"

CGenericNewObjectDlg::CGenericNewObjectDlg(CWnd* pParent)
    : CGenericNameDlg(IDD_GENERIC_NEW_OBJECT, IDC_NEW_OBJECT_LABEL, pParent)
{
}

void CGenericNewObjectDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_strName.Trim();
    if (m_strName.IsEmpty())
        return;
    EndDialog(IDOK);
}
