#include "app/CISPInfoPage.h"

#include "app/CBaseDialog.h"
#include "app/TuneStewardIds.h"

IMPLEMENT_DYNCREATE(CISPInfoPage, CBasePropertyPage)

BEGIN_MESSAGE_MAP(CISPInfoPage, CBasePropertyPage)
ON_BN_CLICKED(IDC_ISP_EMAIL_BUTTON, OnEmail)
ON_BN_CLICKED(IDC_ISP_ADVANCED_BUTTON, OnAdvanced)
END_MESSAGE_MAP()

CISPInfoPage::CISPInfoPage()
    : CBasePropertyPage(IDD_ISP_INFO_PAGE)
{
}

void CISPInfoPage::OnEmail()
{
    CBaseDialog dialog(IDD_ISP_EMAIL_PLAIN, this);
    dialog.DoModal();
}

void CISPInfoPage::OnAdvanced()
{
    CBaseDialog dialog(IDD_ISP_CONNECTION_PLAIN, this);
    dialog.DoModal();
}
