#pragma once
// The Yes/No question before a library object is deleted, with a "don't ask again" check box. The
// caller fills in the texts before DoModal and reads the box's state after Yes; after No the state keeps
// the value the caller gave.

#include "app/CGenericDialog.h"

class CGenericConfirmationDlg : public CGenericDialog {
public:
    explicit CGenericConfirmationDlg(CWnd* pParent = nullptr);

    // Each setter stores the value and, while the window exists, shows it at once.
    void SetMessage(LPCTSTR lpszMessage);
    void SetControlFlag(BOOL bState, LPCTSTR lpszText);
    void SetControlFlagFromId(BOOL bState, UINT nStringId);

    BOOL OnInitDialog() override;

    CString m_strMessage;
    BOOL m_bControlFlag { FALSE };
    CString m_strControlFlagText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void ShowControlFlag();
};
