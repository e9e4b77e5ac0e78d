#pragma once
// One row's cell in a column other than the first data column. Cells start as callbacks, so their
// texts come from the owner until they are set.

#include "platform/afx/CRect.h"
#include "toolkit/controls/SECListText.h"

class SECListSubItem {
public:
    SECListSubItem() { m_text.Set(LPSTR_TEXTCALLBACK); }
    virtual ~SECListSubItem() = default;

    SECListText m_text;
    DWORD m_dwReserved { 0 };
    CRect m_rcText { 0, 0, 0, 0 };
};
