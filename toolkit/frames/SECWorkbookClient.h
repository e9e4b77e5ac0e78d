#pragma once
// The workbook's MDI client, subclassed: it leaves margins around itself for the tab strip and tells
// the workbook to refresh its tabs whenever the MDI menu changes, which happens on every activation.

#include "platform/afx/CWnd.h"

// Sent to the workbook: refresh the active tab.
constexpr UINT WM_SEC_WORKBOOK_REFRESH = 0x84D;
// Sent to the MDI client by a sheet: as WM_MDISETMENU; (-1, -1) only refreshes the tabs.
constexpr UINT WM_SEC_WORKBOOK_SETMENU = 0x84E;

class SECWorkbookClient : public CWnd {
    DECLARE_DYNCREATE(SECWorkbookClient)
public:
    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;

    CRect m_rectMargins { 0, 0, 0, 0 };

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
