#pragma once
// The base of every property page of the program: the same help and label rules as the dialogs, and
// an empty data exchange that derived pages call first.

#include "platform/afx/CPropertyPage.h"

class CBasePropertyPage : public CPropertyPage {
    DECLARE_DYNCREATE(CBasePropertyPage)
public:
    // Without a template: for creation by class; the template follows through Construct.
    CBasePropertyPage() = default;
    CBasePropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);

    BOOL OnInitDialog() override;
    void SetControlTextFromId(UINT id);

protected:
    void DoDataExchange(CDataExchange*) override { }

    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The shared key rule of the detail pages that sit in the main frame: Enter (with any modifier) moves
// to the next field, so it is turned into Tab before the page sees it.
void TurnEnterIntoTab(MSG* pMsg);
