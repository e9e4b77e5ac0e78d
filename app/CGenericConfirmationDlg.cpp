#include "app/CGenericConfirmationDlg.h"

#include "app/TuneStewardIds.h"
#include "platform/afx/AfxDDX.h"

CGenericConfirmationDlg::CGenericConfirmationDlg(CWnd* pParent)
    : CGenericDialog(IDD_GENERIC_CONFIRM, pParent)
{
}

void CGenericConfirmationDlg::DoDataExchange(CDataExchange* pDX)
{
    CGenericDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CONFIRM_MESSAGE, m_strMessage);
    DDX_Check(pDX, IDC_CONFIRM_FLAG, m_bControlFlag);
}

void CGenericConfirmationDlg::SetMessage(LPCTSTR lpszMessage)
{
    m_strMessage = lpszMessage ? lpszMessage : "";
    if (m_hWnd != nullptr)
        SetDlgItemText(IDC_CONFIRM_MESSAGE, m_strMessage);
}

void CGenericConfirmationDlg::SetControlFlag(BOOL bState, LPCTSTR lpszText)
{
    m_bControlFlag = bState;
    m_strControlFlagText = lpszText ? lpszText : "";
    if (m_hWnd != nullptr)
        ShowControlFlag();
}

void CGenericConfirmationDlg::SetControlFlagFromId(BOOL bState, UINT nStringId) { SetControlFlag(bState, LoadText(nStringId)); }

void CGenericConfirmationDlg::ShowControlFlag()
{
    CWnd* pBox = GetDlgItem(IDC_CONFIRM_FLAG);
    if (pBox == nullptr)
        return;
    pBox->SetWindowText(m_strControlFlagText);
    pBox->SendMessage(BM_SETCHECK, m_bControlFlag ? BST_CHECKED : BST_UNCHECKED);
    pBox->ShowWindow(SW_SHOW);
}

BOOL CGenericConfirmationDlg::OnInitDialog()
{
    CGenericDialog::OnInitDialog();
    ShowControlFlag();
    return TRUE;
}
