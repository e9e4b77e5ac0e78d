#pragma once
// Asks for the name of a new toolbar: OK only while there is a name, and never more than a toolbar's
// title may hold.

#include "platform/afx/CDialog.h"

class SECNewToolBar : public CDialog {
    DECLARE_DYNAMIC(SECNewToolBar)
public:
    explicit SECNewToolBar(CWnd* pParent = nullptr);

    // The longest name a toolbar takes.
    static constexpr int kMaxName = 128;

    CString m_strName;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnNameChange();
    DECLARE_MESSAGE_MAP()
};
