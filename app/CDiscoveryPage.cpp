#include "app/CDiscoveryPage.h"

#include "app/AppSettings.h"
#include "app/CMainFrame.h"
#include "app/CPelicanApp.h"
#include "app/TuneStewardIds.h"
#include "app/WindowHelpers.h"
#include "library/LibraryLocations.h"
#include "library/RegistryRoutines.h"
#include "platform/afx/AfxDDX.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/afx/AfxMessageBox.h"
#include "platform/base/MessageBox.h"

namespace {

constexpr const char* kCustomMaskValue = "CustomBroadcastMask";
constexpr const char* kMaskListValue = "CustomBroadcastMaskList";
constexpr const char* kDeviceNameValue = "DeviceName";
constexpr int kMaskControls[] = { IDC_DISCOVERY_MASKS, IDC_DISCOVERY_ADDRESS, IDC_DISCOVERY_ADD, IDC_DISCOVERY_EDIT,
    IDC_DISCOVERY_REMOVE };

} // namespace

bool IsValidMask(const CString& mask) { return !mask.IsEmpty() && mask != "0.0.0.0"; }

BEGIN_MESSAGE_MAP(CDiscoveryPage, CPreferencePage)
ON_BN_CLICKED(IDC_DISCOVERY_DEFAULTS, OnUseDefaultMasks)
ON_BN_CLICKED(IDC_DISCOVERY_CUSTOM, OnUseCustomMasks)
ON_BN_CLICKED(IDC_DISCOVERY_ADD, OnAddMask)
ON_BN_CLICKED(IDC_DISCOVERY_EDIT, OnEditMask)
ON_LBN_DBLCLK(IDC_DISCOVERY_MASKS, OnEditMask)
ON_BN_CLICKED(IDC_DISCOVERY_REMOVE, OnRemoveMask)
ON_EN_CHANGE(IDC_DISCOVERY_NAME, OnDeviceNameChanged)
END_MESSAGE_MAP()

CDiscoveryPage::CDiscoveryPage()
    : CPreferencePage(IDD_PREFS_DISCOVERY)
{
    // The template holds common controls, which are registered on first use.
    InitCommonControls();
}

void CDiscoveryPage::DoDataExchange(CDataExchange* pDX)
{
    CPreferencePage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DISCOVERY_MASKS, m_masks);
    DDX_Control(pDX, IDC_DISCOVERY_ADDRESS, m_address);
    DDX_Text(pDX, IDC_DISCOVERY_NAME, m_strDeviceName);
}

BOOL CDiscoveryPage::OnInitDialog()
{
    m_strDeviceName = GetPelicanApp()->m_strDescription;
    CPreferencePage::OnInitDialog();
    SetControlTextFromId(IDC_DISCOVERY_NAME_LABEL);
    m_bCustomMasks = SettingOnOnlyIfTrue(AfxGetApp()->GetProfileString(kSettingsSection, kCustomMaskValue));
    CheckRadioButton(IDC_DISCOVERY_DEFAULTS, IDC_DISCOVERY_CUSTOM,
        m_bCustomMasks ? IDC_DISCOVERY_CUSTOM : IDC_DISCOVERY_DEFAULTS);
    EnableMaskControls(m_bCustomMasks);
    if (m_bCustomMasks)
        FillMasks();
    const BOOL open = IsLibraryOpen();
    GetDlgItem(IDC_DISCOVERY_NAME_LABEL)->EnableWindow(open);
    GetDlgItem(IDC_DISCOVERY_NAME)->EnableWindow(open);
    // Filling the controls above counts as no change.
    m_bDirty = FALSE;
    SetModified(FALSE);
    return TRUE;
}

void CDiscoveryPage::EnableMaskControls(BOOL enable)
{
    for (int id : kMaskControls)
        GetDlgItem(id)->EnableWindow(enable);
}

void CDiscoveryPage::FillMasks()
{
    m_masks.ResetContent();
    const CString list = AfxGetApp()->GetProfileString(kSettingsSection, kMaskListValue);
    if (list.IsEmpty())
        return;
    int start = 0;
    for (;;) {
        const int comma = list.Find(',', start);
        m_masks.AddString(list.Mid(start, comma < 0 ? list.GetLength() - start : comma - start));
        if (comma < 0)
            break;
        start = comma + 1;
    }
}

void CDiscoveryPage::OnUseDefaultMasks()
{
    if (!m_bCustomMasks)
        return;
    m_bCustomMasks = FALSE;
    CheckRadioButton(IDC_DISCOVERY_DEFAULTS, IDC_DISCOVERY_CUSTOM, IDC_DISCOVERY_DEFAULTS);
    EnableMaskControls(FALSE);
    MarkDirty();
}

void CDiscoveryPage::OnUseCustomMasks()
{
    if (m_bCustomMasks)
        return;
    m_bCustomMasks = TRUE;
    CheckRadioButton(IDC_DISCOVERY_DEFAULTS, IDC_DISCOVERY_CUSTOM, IDC_DISCOVERY_CUSTOM);
    EnableMaskControls(TRUE);
    FillMasks();
    MarkDirty();
}

void CDiscoveryPage::OnAddMask()
{
    CString mask;
    CDataExchange take(this, TRUE);
    DDX_IPAddressText(&take, m_address, mask);
    if (!IsValidMask(mask)) {
        AfxMessageBox(IDS_MASK_INVALID, MB_OK);
        m_address.SetFocus();
        return;
    }
    m_masks.AddString(mask);
    m_address.ClearAddress();
    MarkDirty();
}

void CDiscoveryPage::OnEditMask()
{
    const int row = m_masks.GetCurSel();
    if (row < 0) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    CString mask;
    m_masks.GetText(row, mask);
    CDataExchange show(this, FALSE);
    DDX_IPAddressText(&show, m_address, mask);
    m_masks.DeleteString(static_cast<UINT>(row));
    MarkDirty();
}

void CDiscoveryPage::OnRemoveMask()
{
    const int row = m_masks.GetCurSel();
    if (row < 0) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    m_masks.DeleteString(static_cast<UINT>(row));
    MarkDirty();
}

void CDiscoveryPage::OnDeviceNameChanged() { MarkDirty(); }

void CDiscoveryPage::WriteSettings()
{
    CWinApp* app = AfxGetApp();
    if (m_bCustomMasks) {
        CString list;
        for (int row = 0; row < m_masks.GetCount(); ++row) {
            CString mask;
            m_masks.GetText(row, mask);
            if (row > 0)
                list += ",";
            list += mask;
        }
        app->WriteProfileString(kSettingsSection, kCustomMaskValue, "T");
        app->WriteProfileString(kSettingsSection, kMaskListValue, list);
    } else {
        // The stored list stays for the next time custom masks are chosen.
        app->WriteProfileString(kSettingsSection, kCustomMaskValue, "F");
    }
    if (!IsLibraryOpen())
        return;
    CPelicanApp* pelican = GetPelicanApp();
    if (!m_strDeviceName.IsEmpty()) {
        WriteRegistryValue(m_strDeviceName, kDeviceNameValue, GetLibraryFolderName());
        pelican->m_strDescription = m_strDeviceName;
    } else {
        DeleteRegistryValue(kDeviceNameValue, GetLibraryFolderName());
        pelican->m_strDescription = pelican->m_strDeviceName;
    }
    if (CWnd* frame = AfxGetMainWnd())
        frame->SetWindowText(CString("Aldercrest") + " " + "Tune Steward" + "(" + pelican->m_strDescription + " )");
}
