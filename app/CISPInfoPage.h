#pragma once
// A page with no data of its own whose buttons show the plain e-mail and connection dialogs. No
// command shows it; it can be made by class name.

#include "app/CBasePropertyPage.h"

class CISPInfoPage : public CBasePropertyPage {
    DECLARE_DYNCREATE(CISPInfoPage)
public:
    CISPInfoPage();

protected:
    afx_msg void OnEmail();
    afx_msg void OnAdvanced();
    DECLARE_MESSAGE_MAP()
};
