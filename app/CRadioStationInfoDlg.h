#pragma once
// The dialog that adds an internet radio station: it inserts the station's row itself, gives it its
// device identifier and files it under the radio group named after its category.

#include "app/CBaseDialog.h"
#include "app/RadioStationForm.h"

class CRadioStationInfoDlg : public CBaseDialog, public RadioStationForm {
public:
    explicit CRadioStationInfoDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    // Refills the category list from the library's radio genres.
    void FillCategories();

    BOOL m_bAdded { FALSE };       // the station's row was inserted
    CString m_strCategoryText;     // the text of the chosen category

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    // Inserts the row; false (reported) when the library refuses it.
    bool InsertStation(long categoryId);
};
