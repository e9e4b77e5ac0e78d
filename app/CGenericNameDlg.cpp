#include "app/CGenericNameDlg.h"

#include "app/TuneStewardIds.h"
#include "platform/afx/AfxDDX.h"

CGenericNameDlg::CGenericNameDlg(UINT nIDTemplate, UINT nLabelId, CWnd* pParent)
    : CGenericDialog(nIDTemplate, pParent)
    , m_nLabelId(nLabelId)
{
}

void CGenericNameDlg::DoDataExchange(CDataExchange* pDX)
{
    CGenericDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_OBJECT_NAME, m_strName);
    DDX_Text(pDX, static_cast<int>(m_nLabelId), m_strLabel);
}

void CGenericNameDlg::SetLabel(LPCTSTR lpszLabel)
{
    m_strLabel = lpszLabel ? lpszLabel : "";
    if (m_hWnd != nullptr)
        SetDlgItemText(static_cast<int>(m_nLabelId), m_strLabel);
}

void CGenericNameDlg::SetLabelFromId(UINT nStringId) { SetLabel(LoadText(nStringId)); }

BOOL CGenericNameDlg::OnInitDialog()
{
    CGenericDialog::OnInitDialog();
    if (CWnd* pEdit = GetDlgItem(IDC_OBJECT_NAME))
        pEdit->SetFocus();
    return TRUE;
}
