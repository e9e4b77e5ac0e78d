#include "app/CBasePropertyPage.h"

#include "app/HelpRequests.h"
#include "platform/afx/AfxPriv.h"

IMPLEMENT_DYNCREATE(CBasePropertyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CBasePropertyPage, CPropertyPage)
ON_WM_HELPINFO()
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

CBasePropertyPage::CBasePropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CPropertyPage(nIDTemplate, nIDCaption)
{
}

BOOL CBasePropertyPage::OnInitDialog()
{
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    CPropertyPage::OnInitDialog();
    return TRUE;
}

void CBasePropertyPage::SetControlTextFromId(UINT id) { SetControlTextFromStringId(*this, id); }

BOOL CBasePropertyPage::OnHelpInfo(HELPINFO* pHelpInfo) { return AnswerHelpRequest(pHelpInfo); }

LRESULT CBasePropertyPage::OnHelpHitTest(WPARAM, LPARAM lParam) { return HelpContextAtPoint(*this, lParam); }

void TurnEnterIntoTab(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
        pMsg->wParam = VK_TAB;
}
