#pragma once
// A status pane's state as the frame's update handlers set it: disabled panes show no text, checked
// panes pop out, and a text goes straight to the control.

#include "platform/afx/CCmdUI.h"

class SECStatusBar;

class SECStatusCmdUI : public CCmdUI {
public:
    explicit SECStatusCmdUI(SECStatusBar& bar) : m_bar(bar) { }
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR lpszText) override;

private:
    void ChangeStyle(UINT nBit, bool bSet);

    SECStatusBar& m_bar;
};
