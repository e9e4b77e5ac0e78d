#include "app/CRadioStationInfoPage.h"

#include <array>

#include "app/BindingFields.h"
#include "app/CMusicDetailInfoSheet.h"
#include "app/RadioStationFields.h"
#include "app/TuneStewardIds.h"
#include "library/AppRoutines.h"
#include "library/GroupEdits.h"
#include "library/_ADOConnectionHelper.h"

namespace {

constexpr int kEdits[] = { IDC_RADIO_STATION, IDC_RADIO_CALL_SIGN, IDC_RADIO_LOCATION, IDC_RADIO_SUBCATEGORY,
    IDC_RADIO_STREAM_TYPE, IDC_RADIO_URL, IDC_RADIO_BANDWIDTH };

} // namespace

BEGIN_MESSAGE_MAP(CRadioStationInfoPage, CDetailPage)
ON_CBN_SELCHANGE(IDC_RADIO_PAGE_CATEGORY, OnSelChangeRadioGroup)
END_MESSAGE_MAP()

CRadioStationInfoPage::CRadioStationInfoPage(CMusicDetailInfoSheet* pSheet)
    : CDetailPage(IDD_RADIO_STATION_PAGE, pSheet)
{
}

void CRadioStationInfoPage::DoDataExchange(CDataExchange* pDX)
{
    CDetailPage::DoDataExchange(pDX);
    ExchangeStationFields(pDX, IDC_RADIO_PAGE_CATEGORY, 0);
}

BOOL CRadioStationInfoPage::OnInitDialog()
{
    CDetailPage::OnInitDialog();
    SetRadioStationLabels(*this);
    FillRadioCategories(m_category);
    SelectCategory(m_lCategory);
    SetReadOnly(m_bReadOnly);
    return TRUE;
}

void CRadioStationInfoPage::SelectCategory(long categoryId)
{
    if (!m_category.m_hWnd)
        return;
    m_category.SetCurSel(categoryId <= 0 ? 0 : FindCategoryRow(m_category, categoryId));
}

void CRadioStationInfoPage::Load(BOOL clear)
{
    const CRadioStationRsBinding& row = m_pSheet->m_station;
    if (clear) {
        ClearStationFields();
        m_lCategory = 0;
        SetReadOnly(TRUE);
    } else {
        m_strStation = FieldText(row.m_szStation, row.m_lStationStatus);
        m_strCallSign = FieldText(row.m_szRadioCallSign, row.m_lRadioCallSignStatus);
        m_strLocation = FieldText(row.m_szLocation, row.m_lLocationStatus);
        m_nSubCategory = static_cast<int>(FieldLong(row.m_lSubCategory, row.m_lSubCategoryStatus));
        m_nStreamType = static_cast<int>(FieldLong(row.m_lStreamType, row.m_lStreamTypeStatus));
        m_strURL = FieldText(row.m_szURL, row.m_lURLStatus);
        m_strBandwidth = FieldText(row.m_szBandwidth, row.m_lBandwidthStatus);
        m_lCategory = FieldLong(row.m_lCategory, row.m_lCategoryStatus);
        // Stations have no hidden rows: a station shown is always editable.
        SetReadOnly(FALSE);
    }
    m_bDirty = FALSE;
    ShowMembers();
    SelectCategory(m_lCategory);
}

void CRadioStationInfoPage::SetReadOnly(BOOL readOnly)
{
    CDetailPage::SetReadOnly(readOnly);
    if (m_category.m_hWnd)
        m_category.EnableWindow(!readOnly);
}

void CRadioStationInfoPage::OnKillFocusField()
{
    if (!m_bDirty || m_bReadOnly || !m_hWnd)
        return;
    CRadioStationRsBinding& row = m_pSheet->m_station;
    CString typed;
    GetDlgItemText(IDC_RADIO_STATION, typed);
    if (RestoreEmptiedText(IDC_RADIO_STATION, typed, FieldText(row.m_szStation, row.m_lStationStatus))) {
        m_bDirty = FALSE;
        return;
    }
    if (!UpdateData(TRUE))
        return;
    PutFieldText(row.m_szStation, row.m_lStationStatus, m_strStation);
    PutFieldText(row.m_szRadioCallSign, row.m_lRadioCallSignStatus, m_strCallSign);
    PutFieldText(row.m_szLocation, row.m_lLocationStatus, m_strLocation);
    PutFieldText(row.m_szURL, row.m_lURLStatus, m_strURL);
    const int selected = m_category.GetCurSel();
    PutFieldLong(row.m_lCategory, row.m_lCategoryStatus, selected >= 0 ? static_cast<long>(m_category.GetItemData(selected)) : 0);
    PutFieldLong(row.m_lSubCategory, row.m_lSubCategoryStatus, m_nSubCategory);
    PutFieldLong(row.m_lStreamType, row.m_lStreamTypeStatus, m_nStreamType);
    PutFieldText(row.m_szBandwidth, row.m_lBandwidthStatus, m_strBandwidth);
    WriteBackRow(row);
}

void CRadioStationInfoPage::OnSelChangeRadioGroup()
{
    if (m_bReadOnly)
        return;
    SetLibraryModified(true);
    m_bDirty = TRUE;
    OnKillFocusField();
    const CRadioStationRsBinding& row = m_pSheet->m_station;
    const int categoryRow = FindCategoryRow(m_category, row.m_lCategory);
    if (categoryRow < 0)
        return;
    CString category;
    m_category.GetLBText(categoryRow, category);
    long groupId = 0;
    bool existed = false;
    if (!AddRadioGroup(category, &groupId, &existed))
        return;
    if (existed && IsStationInRadioGroup(groupId, row.m_lQVRadioID))
        return;
    const std::array<_variant_t, 2> parameters { _variant_t(groupId), _variant_t(row.m_lQVRadioID) };
    theLibraryConnection.RunStoredQuery("qChangeRadioGroup", parameters.data(), static_cast<int>(parameters.size()),
        nullptr, nullptr, adCmdStoredProc);
    if (!existed && m_pSheet->Host())
        m_pSheet->Host()->InsertRadioGroupNode(groupId, category);
}
