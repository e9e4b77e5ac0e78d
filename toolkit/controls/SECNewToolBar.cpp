#include "toolkit/controls/SECNewToolBar.h"

#include "platform/afx/AfxDDX.h"
#include "toolkit/controls/SECControlIds.h"

IMPLEMENT_DYNAMIC(SECNewToolBar, CDialog)

BEGIN_MESSAGE_MAP(SECNewToolBar, CDialog)
    ON_EN_CHANGE(IDC_SEC_NEWTOOLBAR_NAME, OnNameChange)
END_MESSAGE_MAP()

SECNewToolBar::SECNewToolBar(CWnd* pParent)
    : CDialog(IDD_SEC_NEWTOOLBAR, pParent)
{
}

BOOL SECNewToolBar::OnInitDialog()
{
    CDialog::OnInitDialog();
    OnNameChange();
    return TRUE;
}

void SECNewToolBar::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SEC_NEWTOOLBAR_NAME, m_strName);
}

void SECNewToolBar::OnNameChange()
{
    CString strName;
    GetDlgItemText(IDC_SEC_NEWTOOLBAR_NAME, strName);
    if (strName.GetLength() > kMaxName) {
        SetDlgItemText(IDC_SEC_NEWTOOLBAR_NAME, strName.Left(kMaxName));
        return; // the change comes back with the cut text
    }
    if (CWnd* pOK = GetDlgItem(IDOK))
        pOK->EnableWindow(!strName.IsEmpty());
}
