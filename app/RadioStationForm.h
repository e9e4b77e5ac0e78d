#pragma once
// The fields of a radio station as the station dialog and the station page both show them.

#include "platform/afx/CComboBox.h"
#include "platform/afx/CString.h"

class CDataExchange;

class RadioStationForm {
public:
    CString m_strStation;
    CString m_strCallSign;
    CString m_strLocation;
    CComboBox m_category;
    int m_nSubCategory { 0 };
    int m_nStreamType { 0 };
    CString m_strURL;
    CString m_strBandwidth;

protected:
    // Exchanges the fields with the form's controls; the category list is the control categoryId.
    // maxChars > 0 refuses longer texts (a new row's columns); 0 leaves their length to the binding.
    void ExchangeStationFields(CDataExchange* pDX, int categoryId, int maxChars);
    // Empties every field.
    void ClearStationFields();
};
