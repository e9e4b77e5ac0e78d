#pragma once
// The property sheet the toolbars are customised in. Its caption and the captions of the frame's
// floating bars show active together, as the bars are part of the customising.

#include "platform/afx/CPropertySheet.h"

// Registered "WM_TOOLBARSTYLECHANGING", from the toolbars page to the sheet's other pages: wParam 1 the
// large buttons were switched, 2 the cool look.
UINT SECToolBarStyleChangingMessage();
constexpr WPARAM SEC_STYLE_LARGEBUTTONS = 1;
constexpr WPARAM SEC_STYLE_COOLLOOK = 2;

class SECToolBarSheet : public CPropertySheet {
    DECLARE_DYNAMIC(SECToolBarSheet)
public:
    using CPropertySheet::CPropertySheet;

protected:
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
