#include "app/CGenericNameDlg.h"

#include "app/TuneStewardIds.h"
#include "platform/afx/AfxDDX.h"

CGenericNameDlg::CGenericNameDlg(UINT nIDTemplate, UINT nLabelId, CWnd* pParent)
    : CBaseDialog(nIDTemplate, pParent)
    , m_nLabelId(nLabelId)
{
}

void CGenericNameDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_OBJECT_NAME, m_strName);
    DDX_Text(pDX, static_cast<int>(m_nLabelId), m_strLabel);
}

void CGenericNameDlg::SetCaption(LPCTSTR lpszCaption)
{
    m_strCaption = lpszCaption ? lpszCaption : "";
    if (m_hWnd != nullptr)
        SetWindowText(m_strCaption);
}

void CGenericNameDlg::SetCaptionFromId(UINT nStringId)
{
    CString strCaption;
    strCaption.LoadString(nStringId);
    SetCaption(strCaption);
}

void CGenericNameDlg::SetLabel(LPCTSTR lpszLabel)
{
    m_strLabel = lpszLabel ? lpszLabel : "";
    if (m_hWnd != nullptr)
        SetDlgItemText(static_cast<int>(m_nLabelId), m_strLabel);
}

void CGenericNameDlg::SetLabelFromId(UINT nStringId)
{
    CString strLabel;
    strLabel.LoadString(nStringId);
    SetLabel(strLabel);
}

BOOL CGenericNameDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    if (!m_strCaption.IsEmpty())
        SetWindowText(m_strCaption);
    if (CWnd* pEdit = GetDlgItem(IDC_OBJECT_NAME))
        pEdit->SetFocus();
    return TRUE;
}
