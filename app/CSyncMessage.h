#pragma once
// The question whether to synchronise the open device library before it goes away, with a check box
// that switches the question off for the future (the SyncDialogOnExit setting).

#include "app/CBaseDialog.h"

class CSyncMessage : public CBaseDialog {
public:
    explicit CSyncMessage(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    BOOL m_bDontShow { FALSE };
    // The question's string; the program update asks its own.
    UINT m_nMessageId;

protected:
    afx_msg void OnYes();
    afx_msg void OnNo();
    DECLARE_MESSAGE_MAP()

private:
    // Writes the setting when the box changes it, then ends with the answer.
    void Answer(int result);
};
