#include "app/CGenericConfirmationDlg.h"

#include "app/TuneStewardIds.h"
#include "platform/afx/AfxDDX.h"

CGenericConfirmationDlg::CGenericConfirmationDlg(CWnd* pParent)
    : CBaseDialog(IDD_GENERIC_CONFIRM, pParent)
{
}

void CGenericConfirmationDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CONFIRM_MESSAGE, m_strMessage);
    DDX_Check(pDX, IDC_CONFIRM_FLAG, m_bControlFlag);
}

void CGenericConfirmationDlg::SetCaption(LPCTSTR lpszCaption)
{
    m_strCaption = lpszCaption ? lpszCaption : "";
    if (m_hWnd != nullptr)
        SetWindowText(m_strCaption);
}

void CGenericConfirmationDlg::SetCaptionFromId(UINT nStringId)
{
    CString strCaption;
    strCaption.LoadString(nStringId);
    SetCaption(strCaption);
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

void CGenericConfirmationDlg::SetControlFlagFromId(BOOL bState, UINT nStringId)
{
    CString strText;
    strText.LoadString(nStringId);
    SetControlFlag(bState, strText);
}

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
    CBaseDialog::OnInitDialog();
    if (!m_strCaption.IsEmpty())
        SetWindowText(m_strCaption);
    ShowControlFlag();
    return TRUE;
}
