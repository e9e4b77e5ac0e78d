#pragma once
// What the dialogs that ask for a new object's name and for an object's changed name share: a caption,
// a prompt above the edit and the name in the edit. The two differ in the prompt's control and in OK.

#include "app/CBaseDialog.h"

class CGenericNameDlg : public CBaseDialog {
public:
    // Each setter stores the value and, while the window exists, shows it at once.
    void SetCaption(LPCTSTR lpszCaption);
    void SetCaptionFromId(UINT nStringId);
    void SetLabel(LPCTSTR lpszLabel);
    void SetLabelFromId(UINT nStringId);

    BOOL OnInitDialog() override;

    CString m_strName;
    CString m_strLabel;
    CString m_strCaption;

protected:
    CGenericNameDlg(UINT nIDTemplate, UINT nLabelId, CWnd* pParent);
    void DoDataExchange(CDataExchange* pDX) override;

    const UINT m_nLabelId;
};
