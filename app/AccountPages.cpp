#include "app/AccountPages.h"

#include "app/CBasePropertySheet.h"
#include "app/CISPMainInfoPage.h"
#include "app/CUserInfoPage.h"
#include "app/TuneStewardIds.h"

void ShowAccountManagement(CWnd* pParent)
{
    CString caption;
    caption.LoadString(IDS_ACCOUNT_MANAGEMENT);
    CBasePropertySheet sheet(caption, pParent);
    CUserInfoPage user;
    CISPMainInfoPage isp;
    sheet.AddPage(&user);
    sheet.AddPage(&isp);
    sheet.DoModal();
}
