#pragma once
// The Yes/No question before a library object is deleted, with a "don't ask again" check box. The
// caller fills in the texts before DoModal and reads the box's state after Yes; after No the state keeps
// the value the caller gave.

#include "app/CBaseDialog.h"

class CGenericConfirmationDlg : public CBaseDialog {
public:
    explicit CGenericConfirmationDlg(CWnd* pParent = nullptr);

    // Each setter stores the value and, while the window exists, shows it at once.
    void SetCaption(LPCTSTR lpszCaption);
    void SetCaptionFromId(UINT nStringId);
    void SetMessage(LPCTSTR lpszMessage);
    void SetControlFlag(BOOL bState, LPCTSTR lpszText);
    void SetControlFlagFromId(BOOL bState, UINT nStringId);

    BOOL OnInitDialog() override;

    CString m_strMessage;
    BOOL m_bControlFlag { FALSE };
    CString m_strControlFlagText;
    CString m_strCaption;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void ShowControlFlag();
};
