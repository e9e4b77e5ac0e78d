#pragma once
// The music import's question before it replaces a file in the library's music folder: Yes, Yes on
// All (for the rest of the import), No (this file is left out) or Cancel (the import stops).

#include "app/CBaseDialog.h"

class COverwriteMessage : public CBaseDialog {
public:
    explicit COverwriteMessage(LPCTSTR fileName, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    CString m_strFileName;

protected:
    afx_msg void OnYes();
    afx_msg void OnYesToAll();
    afx_msg void OnNo();
    DECLARE_MESSAGE_MAP()
};
