#include "app/PreferencePages.h"

#include "app/CBasePropertySheet.h"
#include "app/CConfirmationSettingsPage.h"
#include "app/CDiscoveryPage.h"
#include "app/CLayoutPage.h"
#include "app/CMusicPage.h"
#include "app/CPelicanApp.h"
#include "app/CPromptsPage.h"
#include "app/ListColumnHost.h"
#include "app/TuneStewardIds.h"

ListColumnHost*& TheListColumnHost()
{
    static ListColumnHost* host = nullptr;
    return host;
}

void ShowPreferences(CWnd* pParent)
{
    CString caption;
    caption.LoadString(IDS_PREFERENCES);
    CBasePropertySheet sheet(caption, pParent);
    CLayoutPage layout(TheListColumnHost());
    CMusicPage music;
    CPromptsPage prompts;
    CConfirmationSettingsPage confirmations;
    CDiscoveryPage discovery;
    sheet.AddPage(&layout);
    if (GetPelicanApp()->m_strProduct.CompareNoCase("Songvault") != 0)
        sheet.AddPage(&music);
    sheet.AddPage(&prompts);
    sheet.AddPage(&confirmations);
    sheet.AddPage(&discovery);
    sheet.DoModal();
}
