#include "app/CLayoutPage.h"

#include "app/CMainFrame.h"
#include "app/CPelicanApp.h"
#include "app/ListColumnHost.h"
#include "app/TuneStewardIds.h"
#include "library/RegistryRoutines.h"
#include "platform/afx/AfxDDX.h"

namespace {

struct LayoutColumn {
    int control;
    const char* field;
};

constexpr LayoutColumn kColumns[CLayoutPage::kColumnCount] = { { IDC_LAYOUT_TRACK_NUMBER, "TrackNumber" },
    { IDC_LAYOUT_TITLE_SORT, "TitleSort" }, { IDC_LAYOUT_LABEL, "Label" }, { IDC_LAYOUT_YEAR, "Year" },
    { IDC_LAYOUT_NOTE, "Note" }, { IDC_LAYOUT_LANGUAGE, "Language" }, { IDC_LAYOUT_SUBGENRE, "SecondaryGenreID" },
    { IDC_LAYOUT_HOME_PAGE, "HomePage" }, { IDC_LAYOUT_DESCRIPTION, "Description" },
    { IDC_LAYOUT_FREQUENCY, "Frequency" }, { IDC_LAYOUT_LONG_DESCRIPTION, "LongDescription" },
    { IDC_LAYOUT_BANDWIDTH, "Bandwidth" }, { IDC_LAYOUT_LAST_MODIFIED, "LastModified" },
    { IDC_LAYOUT_CREATED, "Created" }, { IDC_LAYOUT_LAST_ACCESSED, "LastAccessed" }, { IDC_LAYOUT_PATH, "Path" } };

// The radio features are off: their columns are not offered.
constexpr int kRadioControls[] = { IDC_LAYOUT_HOME_PAGE, IDC_LAYOUT_DESCRIPTION, IDC_LAYOUT_LONG_DESCRIPTION,
    IDC_LAYOUT_BANDWIDTH, IDC_LAYOUT_FREQUENCY };
constexpr UINT kLabels[] = { IDC_LAYOUT_MUSIC_GROUP, IDC_LAYOUT_FILES_GROUP };
constexpr const char* kGridViewsSection = "GridViews";

} // namespace

const char* LayoutColumnField(int column) { return kColumns[column].field; }

CLayoutPage::CLayoutPage(ListColumnHost* host)
    : CPreferencePage(IDD_PREFS_LAYOUT)
    , m_pHost(host)
{
}

void CLayoutPage::DoDataExchange(CDataExchange* pDX)
{
    CPreferencePage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_LAYOUT_SAVE_WINDOW, m_bSaveWindowSettings);
    for (int i = 0; i < kColumnCount; ++i)
        DDX_Check(pDX, kColumns[i].control, m_bColumn[i]);
}

BOOL CLayoutPage::OnInitDialog()
{
    for (int i = 0; i < kColumnCount; ++i)
        m_bColumn[i] = GetColumnVisible(kColumns[i].field);
    m_bSaveWindowSettings = GetPelicanApp()->m_bSaveWindowSettings;
    CPreferencePage::OnInitDialog();
    for (UINT id : kLabels)
        SetControlTextFromId(id);
    for (int id : kRadioControls) {
        if (CWnd* box = GetDlgItem(id))
            box->ShowWindow(SW_HIDE);
    }
    SetDlgItemText(IDC_LAYOUT_RADIO_GROUP, "");
    return TRUE;
}

BOOL CLayoutPage::GetColumnVisible(const char* field) const
{
    return m_pHost && m_pHost->HasColumn(field) && m_pHost->IsColumnVisible(field);
}

void CLayoutPage::SetColumnVisible(const char* field, BOOL visible)
{
    if (m_pHost && m_pHost->HasColumn(field)) {
        if (m_pHost->IsColumnVisible(field) == (visible != FALSE))
            return;
        m_pHost->SetColumnVisible(field, visible != FALSE);
        m_bColumnsChanged = TRUE;
    }
    WriteRegistryValue(FlagText(visible), field, kGridViewsSection);
}

void CLayoutPage::WriteSettings()
{
    WriteSettingFlag(m_bSaveWindowSettings, GetPelicanApp()->m_bSaveWindowSettings, "SaveWindowSettings");
    m_bColumnsChanged = FALSE;
    for (int i = 0; i < kColumnCount; ++i)
        SetColumnVisible(kColumns[i].field, m_bColumn[i]);
    if (m_bColumnsChanged && IsLibraryOpen() && m_pHost)
        m_pHost->ReloadView();
}
