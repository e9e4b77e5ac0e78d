#include "app/CGenericDialog.h"

CString CGenericDialog::LoadText(UINT nStringId)
{
    CString strText;
    strText.LoadString(nStringId);
    return strText;
}

void CGenericDialog::SetCaption(LPCTSTR lpszCaption)
{
    m_strCaption = lpszCaption ? lpszCaption : "";
    if (m_hWnd != nullptr)
        SetWindowText(m_strCaption);
}

void CGenericDialog::SetCaptionFromId(UINT nStringId) { SetCaption(LoadText(nStringId)); }

BOOL CGenericDialog::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    if (!m_strCaption.IsEmpty())
        SetWindowText(m_strCaption);
    return TRUE;
}
