#include "app/CMusicPage.h"

#include "app/CPelicanApp.h"
#include "app/TuneStewardIds.h"
#include "platform/afx/AfxDDX.h"

CMusicPage::CMusicPage()
    : CPreferencePage(IDD_PREFS_MUSIC)
{
}

void CMusicPage::DoDataExchange(CDataExchange* pDX)
{
    CPreferencePage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_MUSIC_USE_CDDB, m_bUseCDDBControl);
    DDX_Check(pDX, IDC_MUSIC_IGNORE_TAGS, m_bIgnoreMp3Tags);
    DDX_Check(pDX, IDC_MUSIC_COPY_FILES, m_bCopyMusicFiles);
}

BOOL CMusicPage::OnInitDialog()
{
    const CPelicanApp* app = GetPelicanApp();
    m_bUseCDDBControl = app->m_bUseCDDBControl;
    m_bIgnoreMp3Tags = app->m_bIgnoreMp3Tags;
    m_bCopyMusicFiles = app->m_bCopyMusicFiles;
    // The check boxes keep their template texts: their ids name the ISP page's labels in the string table.
    return CPreferencePage::OnInitDialog();
}

void CMusicPage::WriteSettings()
{
    CPelicanApp* app = GetPelicanApp();
    WriteSettingFlag(m_bUseCDDBControl, app->m_bUseCDDBControl, "UseCDDBControl");
    WriteSettingFlag(m_bIgnoreMp3Tags, app->m_bIgnoreMp3Tags, "IgnoreMp3Tags");
    WriteSettingFlag(m_bCopyMusicFiles, app->m_bCopyMusicFiles, "CopyMusicFiles");
}
