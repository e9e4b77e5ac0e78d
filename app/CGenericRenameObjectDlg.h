#pragma once
// Asks for an object's new name, showing the current one selected. The name comes back as typed,
// blanks and all; the callers decide what an empty or unchanged name means.

#include "app/CGenericNameDlg.h"

class CGenericRenameObjectDlg : public CGenericNameDlg {
public:
    explicit CGenericRenameObjectDlg(CWnd* pParent = nullptr);

    // The current name, put into the edit at once while the window exists.
    void SetName(LPCTSTR lpszName);

    BOOL OnInitDialog() override;
};
