#include "app/CRadioStationInfoDlg.h"

#include <array>

#include "app/RadioStationFields.h"
#include "app/TuneStewardIds.h"
#include "library/AppRoutines.h"
#include "library/ConnectionString.h"
#include "library/GroupEdits.h"
#include "library/_ADOConnectionHelper.h"
#include "platform/afx/AfxMessageBox.h"

namespace {

// The customer every station of this program belongs to.
constexpr long kCustomerId = 1;
// A station's device identifier is its row id moved past the ids the device gives its own stations.
constexpr long kIdentifierOffset = 2000000;
constexpr int kTextColumnSize = 255;

// The id of the station of that name, or 0 when there is none.
long StationIdForName(const CString& name)
{
    const std::array<_variant_t, 2> parameters { _variant_t(kCustomerId), _variant_t(name.GetString()) };
    const _variant_t id = theLibraryConnection.RunStoredQueryScalar("qIRadioStationIDForStationName", parameters.data(),
        static_cast<int>(parameters.size()), adCmdUnknown);
    return id.vt == VT_EMPTY || id.vt == VT_NULL ? 0 : static_cast<long>(id);
}

_variant_t TextOrNull(const CString& text) { return text.IsEmpty() ? _variant_t() : _variant_t(text.GetString()); }

} // namespace

CRadioStationInfoDlg::CRadioStationInfoDlg(CWnd* pParent)
    : CBaseDialog(IDD_ADD_RADIO_STATION, pParent)
{
}

void CRadioStationInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    ExchangeStationFields(pDX, IDC_RADIO_DLG_CATEGORY, kTextColumnSize);
}

BOOL CRadioStationInfoDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    SetRadioStationLabels(*this);
    FillCategories();
    m_category.SetCurSel(0);
    return TRUE;
}

void CRadioStationInfoDlg::FillCategories() { FillRadioCategories(m_category); }

bool CRadioStationInfoDlg::InsertStation(long categoryId)
{
    const std::array<_variant_t, 10> names { _variant_t("CustomerID"), _variant_t("Station"), _variant_t("RadioCallSign"),
        _variant_t("Location"), _variant_t("Category"), _variant_t("SubCategory"), _variant_t("StreamType"),
        _variant_t("URL"), _variant_t("Bandwidth"), _variant_t("ModifyFlag") };
    const std::array<_variant_t, 10> values { _variant_t(kCustomerId), TextOrNull(m_strStation), TextOrNull(m_strCallSign),
        TextOrNull(m_strLocation), _variant_t(categoryId), _variant_t(static_cast<long>(m_nSubCategory)),
        _variant_t(static_cast<long>(m_nStreamType)), TextOrNull(m_strURL), TextOrNull(m_strBandwidth), _variant_t(-1L) };
    CString sql;
    return BuildInsertSql(sql, "tIRadioMain", static_cast<int>(names.size()), names.data(), values.data())
        && theLibraryConnection.ExecuteSql(sql, nullptr, adCmdText);
}

void CRadioStationInfoDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const int row = m_category.GetCurSel();
    long categoryId = 0;
    m_strCategoryText.Empty();
    if (row >= 0) {
        m_category.GetLBText(row, m_strCategoryText);
        categoryId = static_cast<long>(m_category.GetItemData(row));
    }
    if (m_strStation.IsEmpty()) {
        AfxMessageBox(IDS_RADIO_NAME_MISSING, MB_OK);
        return;
    }
    if (StationIdForName(m_strStation) != 0) {
        CString text;
        text.FormatMessage(IDS_RADIO_NAME_TAKEN, m_strStation.GetString());
        AfxMessageBox(text, MB_OK);
        return;
    }
    if (!InsertStation(categoryId)) {
        AfxMessageBox(IDS_RADIO_ADD_FAILED, MB_OK);
        EndDialog(IDOK);
        return;
    }
    m_bAdded = TRUE;
    SetLibraryModified(true);
    const long stationId = StationIdForName(m_strStation);
    CString sql;
    sql.Format("UPDATE tIRadioMain SET Identifier = '%ld' WHERE QVRadioID = %ld", stationId + kIdentifierOffset, stationId);
    theLibraryConnection.ExecuteSql(sql, nullptr, adCmdText);
    long groupId = 0;
    if (AddRadioGroup(m_strCategoryText, &groupId))
        AddStationToRadioGroup(groupId, stationId);
    EndDialog(IDOK);
}
