#pragma once
// The base of the program's property sheets: context help, no stock Help button, help commands sent
// on as F1 help of the sheet.

#include "platform/afx/CPropertySheet.h"

class CBasePropertySheet : public CPropertySheet {
public:
    explicit CBasePropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // Adds the context-help style, then the sheet's initialisation, then hides the Help button.
    BOOL OnInitDialog() override;

protected:
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnHelpCommand();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

// Hides the stock Help button (id 9) of a sheet when it has one.
void HideSheetHelpButton(CWnd& sheet);
