#pragma once
// The account page of the customer's name, address, e-mail address and phone number, bound to the
// customer's row. It writes only when something was typed, and refuses an e-mail address that is not
// one.

#include "app/AccountBindings.h"
#include "app/BoundRecord.h"
#include "app/CBasePropertyPage.h"
#include "toolkit/controls/SECMaskEdit.h"

class CUserInfoPage : public CBasePropertyPage {
public:
    CUserInfoPage();

    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    // Members from the bound row (empty when unbound), then into the controls.
    void Load();
    void SetReadOnly(BOOL readOnly);

    CString m_strText[CUserInfoRsBinding::HomePhone];    // first name ... e-mail address
    SECMaskEdit m_phone;
    CString m_strPhoneData;    // the digits typed
    CString m_strPhoneRaw;     // with the mask's literals
    BOOL m_bDirty { FALSE };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnFieldChanged(UINT id);
    DECLARE_MESSAGE_MAP()

private:
    BoundRecord m_record;
    CUserInfoRsBinding m_binding;
    bool m_bInitialised { false };
};

// True for an empty address and for one of the shape name@domain.tld the device accepts.
bool IsAcceptedEmailAddress(const CString& address);
