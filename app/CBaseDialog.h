#pragma once
// The base of every dialog of the program: What's This help through the caption's question mark and
// F1, answered from the help file, and label texts taken from the string table so that they follow
// the language resource library.

#include "platform/afx/CDialog.h"

class CBaseDialog : public CDialog {
public:
    CBaseDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Adds the context-help style, then the dialog's own initialisation; derived dialogs call it first.
    BOOL OnInitDialog() override;
    // The control with this id gets the string with the same id.
    void SetControlTextFromId(UINT id);

protected:
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
