#include "app/CPromptsPage.h"

#include "app/CPelicanApp.h"
#include "app/TuneStewardIds.h"
#include "platform/afx/AfxDDX.h"

CPromptsPage::CPromptsPage()
    : CPreferencePage(IDD_PREFS_PROMPTS)
{
}

void CPromptsPage::DoDataExchange(CDataExchange* pDX)
{
    CPreferencePage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_PROMPT_SYNC_ON_EXIT, m_bSyncDialogOnExit);
}

BOOL CPromptsPage::OnInitDialog()
{
    m_bSyncDialogOnExit = GetPelicanApp()->m_bSyncDialogOnExit;
    return CPreferencePage::OnInitDialog();
}

void CPromptsPage::WriteSettings()
{
    WriteSettingFlag(m_bSyncDialogOnExit, GetPelicanApp()->m_bSyncDialogOnExit, "SyncDialogOnExit");
}
