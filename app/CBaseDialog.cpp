#include "app/CBaseDialog.h"

#include "app/HelpRequests.h"
#include "platform/afx/AfxPriv.h"

BEGIN_MESSAGE_MAP(CBaseDialog, CDialog)
ON_WM_HELPINFO()
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

CBaseDialog::CBaseDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd)
{
}

BOOL CBaseDialog::OnInitDialog()
{
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    CDialog::OnInitDialog();
    return TRUE;
}

void CBaseDialog::SetControlTextFromId(UINT id) { SetControlTextFromStringId(*this, id); }

BOOL CBaseDialog::OnHelpInfo(HELPINFO* pHelpInfo) { return AnswerHelpRequest(pHelpInfo); }

LRESULT CBaseDialog::OnHelpHitTest(WPARAM, LPARAM lParam) { return HelpContextAtPoint(*this, lParam); }
