#pragma once
// Asks for the name of a new group or playlist. The name comes back trimmed; OK with a blank name
// leaves the dialog open.

#include "app/CGenericNameDlg.h"

class CGenericNewObjectDlg : public CGenericNameDlg {
public:
    explicit CGenericNewObjectDlg(CWnd* pParent = nullptr);

protected:
    void OnOK() override;
};
