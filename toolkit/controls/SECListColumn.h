#pragma once
// One column of the list's header. Sub-item number 0 is the column that shows the rows' own labels
// and images; k >= 1 shows sub-item k.

#include "platform/afx/CString.h"

struct SECListColumn {
    int m_nFormat { 0 };
    int m_nWidth { 0 };
    CString m_strHeading;
    int m_nSubItem { 0 };
    int m_nImage { -1 };
};
