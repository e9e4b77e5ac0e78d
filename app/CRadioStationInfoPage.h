#pragma once
// The detail page of an internet radio station. Edits go back through the sheet's binding; a new
// category moves the station into the radio group of that category.

#include "app/CDetailPage.h"
#include "app/RadioStationForm.h"

class CRadioStationInfoPage : public CDetailPage, public RadioStationForm {
public:
    explicit CRadioStationInfoPage(CMusicDetailInfoSheet* pSheet);

    BOOL OnInitDialog() override;
    void Load(BOOL clear) override;
    void SetReadOnly(BOOL readOnly) override;
    void OnKillFocusField() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSelChangeRadioGroup();
    DECLARE_MESSAGE_MAP()

private:
    // The category row of the bound row: its id's row, none when absent, row 0 for no category.
    void SelectCategory(long categoryId);
    long m_lCategory { 0 };
};
