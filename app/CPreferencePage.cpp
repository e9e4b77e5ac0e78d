#include "app/CPreferencePage.h"

#include "app/AppSettings.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CWinApp.h"

const char* FlagText(BOOL value) { return value ? "T" : "F"; }

void WriteSettingFlag(BOOL newValue, BOOL& setting, const char* valueName)
{
    if ((newValue != FALSE) == (setting != FALSE))
        return;
    setting = newValue ? TRUE : FALSE;
    AfxGetApp()->WriteProfileString(kSettingsSection, valueName, FlagText(setting));
}

// Every page's check boxes lie in this range; the handler only counts the first click.
BEGIN_MESSAGE_MAP(CPreferencePage, CBasePropertyPage)
ON_CONTROL_RANGE(BN_CLICKED, 1000, 2999, OnCheckBoxClicked)
END_MESSAGE_MAP()

CPreferencePage::CPreferencePage(UINT nIDTemplate)
    : CBasePropertyPage(nIDTemplate)
{
}

BOOL CPreferencePage::OnInitDialog()
{
    CBasePropertyPage::OnInitDialog();
    m_bDirty = FALSE;
    return TRUE;
}

void CPreferencePage::MarkDirty()
{
    SetModified();
    m_bDirty = TRUE;
}

void CPreferencePage::OnCheckBoxClicked(UINT id)
{
    CWnd* control = GetDlgItem(static_cast<int>(id));
    if (m_bDirty || !control)
        return;
    const LONG style = static_cast<LONG>(control->GetStyle() & BS_TYPEMASK);
    if (style == BS_AUTOCHECKBOX || style == BS_CHECKBOX)
        MarkDirty();
}

void CPreferencePage::OnOK()
{
    if (!m_bDirty)
        return;
    if (!UpdateData(TRUE))
        return;
    WriteSettings();
    m_bDirty = FALSE;
    CBasePropertyPage::OnOK();
}
