#pragma once
// What the dialogs that ask for a new object's name and for an object's changed name share: a caption,
// a prompt above the edit and the name in the edit. The two differ in the prompt's control and in OK.

#include "app/CGenericDialog.h"

class CGenericNameDlg : public CGenericDialog {
public:
    // Each setter stores the value and, while the window exists, shows it at once.
    void SetLabel(LPCTSTR lpszLabel);
    void SetLabelFromId(UINT nStringId);

    BOOL OnInitDialog() override;

    CString m_strName;
    CString m_strLabel;

protected:
    CGenericNameDlg(UINT nIDTemplate, UINT nLabelId, CWnd* pParent);
    void DoDataExchange(CDataExchange* pDX) override;

    const UINT m_nLabelId;
};
