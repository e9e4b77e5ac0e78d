#pragma once
// The manager of OLE controls on dialog templates. Templates here hold no OLE controls, so the manager
// only stands for "the application enabled the control container" (AfxEnableControlContainer), and
// creating a template's OLE controls always succeeds with nothing to create.

#include "platform/base/WinTypes.h"

class CWnd;

// What a dialog template says about its OLE controls; templates here carry none.
struct _AFX_OCC_DIALOG_INFO {
};

class COccManager {
public:
    virtual ~COccManager() = default;
    // Creates the OLE controls of the template in pWndParent: TRUE, there are none.
    virtual BOOL CreateDlgControls(CWnd* pWndParent, LPCTSTR lpszResourceName, _AFX_OCC_DIALOG_INFO* pOccDialogInfo)
    {
        return TRUE;
    }
};

// Makes the application a container of OLE controls; after it AfxGetOccManager is not null.
void AfxEnableControlContainer(COccManager* pOccManager = nullptr);
// The application's control manager, null until the container is enabled.
COccManager* AfxGetOccManager();
