#pragma once
// The customer's network settings, bound to the ISP row: addresses in IP-address controls, the proxy
// port as text. OK writes them when something changed.

#include "app/AccountBindings.h"
#include "app/BoundRecord.h"
#include "app/CBaseDialog.h"
#include "platform/afx/CIPAddressCtrl.h"

class CISPAdvancedInfoDlg : public CBaseDialog {
public:
    explicit CISPAdvancedInfoDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void Load();
    void SetReadOnly(BOOL readOnly);

    BOOL m_bServerAssignedIPAddress { FALSE };
    CString m_strAddress[CISPAdvancedInfoRsBinding::AddressCount];  // IP address, subnet mask, router
    BOOL m_bServerAssignedNameServerAddress { FALSE };
    CString m_strServer[CISPAdvancedInfoRsBinding::ServerCount];    // two name servers, proxy, proxy port
    CIPAddressCtrl m_addressCtrl[CISPAdvancedInfoRsBinding::AddressCount];
    CIPAddressCtrl m_serverCtrl[CISPAdvancedInfoRsBinding::ProxyPort];
    BOOL m_bDirty { FALSE };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg void OnAddressChanged(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCheckChanged(UINT id);
    afx_msg void OnPortChanged();
    DECLARE_MESSAGE_MAP()

private:
    BoundRecord m_record;
    CISPAdvancedInfoRsBinding m_binding;
};
