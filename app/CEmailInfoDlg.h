#pragma once
// The customer's e-mail account, bound to the ISP row; OK writes it when something changed.

#include "app/AccountBindings.h"
#include "app/BoundRecord.h"
#include "app/CBaseDialog.h"

class CEmailInfoDlg : public CBaseDialog {
public:
    explicit CEmailInfoDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void Load();
    void SetReadOnly(BOOL readOnly);

    BOOL m_bEnableEmail { FALSE };
    CString m_strText[CEmailInfoRsBinding::TextCount]; // login, password, POP3 and SMTP servers
    BOOL m_bDirty { FALSE };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg void OnFieldChanged(UINT id);
    afx_msg void OnEnableClicked();
    DECLARE_MESSAGE_MAP()

private:
    BoundRecord m_record;
    CEmailInfoRsBinding m_binding;
};
