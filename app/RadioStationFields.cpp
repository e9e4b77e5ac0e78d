#include "app/RadioStationFields.h"

#include "app/HelpRequests.h"
#include "app/TuneStewardIds.h"
#include "app/WindowHelpers.h"
#include "platform/afx/CComboBox.h"
#include "platform/afx/CWnd.h"

namespace {

constexpr UINT kStationLabels[] = { IDC_RADIO_LABEL_STATION, IDC_RADIO_LABEL_CALL_SIGN, IDC_RADIO_LABEL_LOCATION,
    IDC_RADIO_LABEL_CATEGORY, IDC_RADIO_LABEL_SUBCATEGORY, IDC_RADIO_LABEL_STREAM_TYPE, IDC_RADIO_LABEL_URL,
    IDC_RADIO_LABEL_BANDWIDTH };

} // namespace

void SetRadioStationLabels(CWnd& form)
{
    for (UINT id : kStationLabels)
        SetControlTextFromStringId(form, id);
}

void FillRadioCategories(CComboBox& box)
{
    box.ResetContent();
    FillComboFromSql(box, "qRadioGenreList", true);
}

int FindCategoryRow(CComboBox& box, long categoryId)
{
    for (int row = 0; row < box.GetCount(); ++row) {
        if (static_cast<long>(box.GetItemData(row)) == categoryId)
            return row;
    }
    return -1;
}
