#pragma once
// The account page of how the household connects to the internet, bound to the customer's ISP row;
// its buttons open the e-mail and the network settings, which write their own fields.

#include "app/AccountBindings.h"
#include "app/BoundRecord.h"
#include "app/CBasePropertyPage.h"

class CISPMainInfoPage : public CBasePropertyPage {
public:
    CISPMainInfoPage();

    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    void Load();
    void SetReadOnly(BOOL readOnly);

    int m_nConnectionMethod { 0 };
    CString m_strText[CISPMainInfoRsBinding::TextCount]; // login name, password, dial-up numbers
    int m_nDialingPrefix { 0 };
    BOOL m_bDisableCallWaiting { FALSE };
    BOOL m_bCallWaiting { FALSE };
    int m_nCallWaitingPrefix { 0 };
    BOOL m_bDirty { FALSE };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnFieldChanged(UINT id);
    afx_msg void OnCheckChanged(UINT id);
    afx_msg void OnEmail();
    afx_msg void OnAdvanced();
    DECLARE_MESSAGE_MAP()

private:
    BoundRecord m_record;
    CISPMainInfoRsBinding m_binding;
};
