#pragma once
// The dialog that adds an internet radio station: it inserts the station's row itself, gives it its
// device identifier and files it under the radio group named after its category.

#include "app/CBaseDialog.h"
#include "platform/afx/CComboBox.h"

class CRadioStationInfoDlg : public CBaseDialog {
public:
    explicit CRadioStationInfoDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    // Refills the category list from the library's radio genres.
    void FillCategories();

    CString m_strStation;
    CString m_strCallSign;
    CString m_strLocation;
    CComboBox m_category;
    int m_nSubCategory { 0 };
    int m_nStreamType { 0 };
    CString m_strURL;
    CString m_strBandwidth;
    BOOL m_bAdded { FALSE };       // the station's row was inserted
    CString m_strCategoryText;     // the text of the chosen category

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    // Inserts the row; false (reported) when the library refuses it.
    bool InsertStation(long categoryId);
};
