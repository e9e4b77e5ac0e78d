#pragma once
// An edit control of a dialog with a small "..." button beside it; pressing the button opens a chooser
// (each flavour its own, in OnBrowse) that puts the choice into the edit. The button follows the edit:
// it is enabled, shown and destroyed with it.

#include "platform/afx/CEdit.h"
#include "platform/afx/CString.h"

class SECBrowseButton;

class SECBrowseEditBase : public CEdit {
    DECLARE_DYNAMIC(SECBrowseEditBase)
public:
    SECBrowseEditBase() = default;
    ~SECBrowseEditBase() override;

    // Subclasses the dialog's edit control nID and puts the button beside it, enabled as the edit was.
    // FALSE when there is no such control or it cannot be subclassed.
    BOOL Initialize(UINT nID, CWnd* pDialog);
    // The button was pressed.
    virtual void OnBrowse() = 0;

    // The button, or null when it is gone or was never made.
    SECBrowseButton* GetButton() const { return LiveButton(); }

protected:
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CString m_strTitle;

private:
    SECBrowseButton* LiveButton() const;

    // The button's window deletes its object when it goes.
    SECBrowseButton* m_pButton { nullptr };
    HWND m_hButton { nullptr };
};
