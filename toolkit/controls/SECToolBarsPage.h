#pragma once
// The customise sheet's "Toolbars" page (see SECToolBarsBase). While it is active the manager
// customises, as on the commands page.

#include "platform/afx/CPropertyPage.h"
#include "toolkit/controls/SECToolBarsBase.h"

class SECToolBarsPage : public CPropertyPage, public SECToolBarsBase {
    DECLARE_DYNAMIC(SECToolBarsPage)
public:
    SECToolBarsPage();
    ~SECToolBarsPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void OnOK() override;
    void OnReset() override;

protected:
    void StyleChanged(WPARAM nWhat) override;
    void EnterModes(BOOL bOn);

    afx_msg void OnSelChange();
    afx_msg void OnCheckChanged();
    afx_msg void OnNameKillFocus();
    afx_msg void OnNewBar();
    afx_msg void OnResetBar();
    afx_msg void OnToolTips();
    afx_msg void OnCoolLook();
    afx_msg void OnLargeButtons();
    afx_msg LRESULT OnBarNotifyMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
