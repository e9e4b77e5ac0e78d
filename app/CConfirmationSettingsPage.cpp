#include "app/CConfirmationSettingsPage.h"

#include "app/AppSettings.h"
#include "app/TuneStewardIds.h"
#include "library/RegistryRoutines.h"
#include "platform/afx/AfxDDX.h"

namespace {

constexpr int kBoxes[CPelicanApp::ConfirmKindCount] = { IDC_CONFIRM_ARTIST, IDC_CONFIRM_ALBUM, IDC_CONFIRM_GROUP,
    IDC_CONFIRM_PLAYLIST, IDC_CONFIRM_TRACK, IDC_CONFIRM_STATION };

} // namespace

CConfirmationSettingsPage::CConfirmationSettingsPage()
    : CBasePropertyPage(IDD_PREFS_CONFIRMATIONS)
{
}

void CConfirmationSettingsPage::DoDataExchange(CDataExchange* pDX)
{
    CBasePropertyPage::DoDataExchange(pDX);
    for (int kind = 0; kind < CPelicanApp::ConfirmKindCount; ++kind)
        DDX_Check(pDX, kBoxes[kind], m_bConfirm[kind]);
}

BOOL CConfirmationSettingsPage::OnInitDialog()
{
    for (int kind = 0; kind < CPelicanApp::ConfirmKindCount; ++kind)
        m_bConfirm[kind] = GetPelicanApp()->m_bConfirmDelete[kind];
    // The radio features are off.
    if (CWnd* station = GetDlgItem(IDC_CONFIRM_STATION))
        station->ShowWindow(SW_HIDE);
    return CBasePropertyPage::OnInitDialog();
}

BOOL CConfirmationSettingsPage::OnApply()
{
    for (int kind = 0; kind < CPelicanApp::ConfirmKindCount; ++kind)
        WriteConfirmFlag(m_bConfirm[kind], &GetPelicanApp()->m_bConfirmDelete[kind], kConfirmFlagNames[kind],
            kConfirmationSection);
    return CBasePropertyPage::OnApply();
}
