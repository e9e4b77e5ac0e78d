#pragma once
// Preferences of the delete confirmations. Every apply offers all six to the registry, which keeps
// only the changed ones.

#include "app/CBasePropertyPage.h"
#include "app/CPelicanApp.h"

class CConfirmationSettingsPage : public CBasePropertyPage {
public:
    CConfirmationSettingsPage();

    BOOL OnInitDialog() override;
    BOOL OnApply() override;

    BOOL m_bConfirm[CPelicanApp::ConfirmKindCount] { TRUE, TRUE, TRUE, TRUE, TRUE, TRUE };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
