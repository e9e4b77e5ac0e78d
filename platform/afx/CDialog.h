#pragma once
// A dialog of the class library: a CWnd made from a dialog template by the platform's dialog manager.
// DoModal runs it in the class library's own modal loop (so PreTranslateMessage and the application's
// idle work still run); Create makes a modeless one. OnInitDialog fills the controls from DLGINIT
// data and from the members through DoDataExchange; OnOK saves them back and ends the dialog only
// when every value passed.

#include "platform/afx/CString.h"
#include "platform/afx/CWnd.h"
#include "platform/user/WinDialogs.h"

class CDataExchange;


class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    // A modal dialog of the template of that name (or id) in the resource module.
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless creation from a template resource or a template in memory; FALSE when the template is
    // missing or the dialog manager refused it.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
    // Makes a dialog constructed without a template modal over one in memory (kept by the caller).
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

    // Runs the dialog modally: its owner is disabled meanwhile. The value given to EndDialog (IDOK or
    // IDCANCEL from OnOK and OnCancel); -1 when the template is missing or the dialog cannot be made.
    virtual INT_PTR DoModal();
    // Ends a modal dialog with nResult once the current message is handled; a modeless one is hidden.
    void EndDialog(int nResult);


    // Moves data between the controls and the members: into the members (validating them) when
    // bSaveAndValidate, into the controls otherwise. FALSE when a value was refused: the user has been
    // told and the focus is on the control at fault.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);


    // Keyboard and focus helpers of the dialog.
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID) { SendMessage(DM_SETDEFID, nID); }
    DWORD GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID)); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
    {
        ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
    }
    // The checked button among nIDFirstButton..nIDLastButton; 0 when none is.
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;

    // The dialog's keyboard interface for a modeless dialog's messages.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Called when the controls exist, before the dialog shows: fills them (DLGINIT, then
    // UpdateData(FALSE)). TRUE lets the dialog manager put the focus on the first control.
    virtual BOOL OnInitDialog();
    // Takes the members from the controls; ends the dialog with IDOK when they passed.
    virtual void OnOK();
    // Ends the dialog with IDCANCEL.
    virtual void OnCancel();

    // The help context of the dialog (the template id by default).
    UINT m_nIDHelp { 0 };

protected:
    // The members' exchange with the controls; the DDX_ and DDV_ calls of a dialog class go here.
    virtual void DoDataExchange(CDataExchange* pDX);
    // The window that owns the modal dialog (the parent's top-level window or the main window).
    HWND PreModal();
    void PostModal();

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg void OnIdOK() { OnOK(); }
    afx_msg void OnIdCancel() { OnCancel(); }
    DECLARE_MESSAGE_MAP()

    // The template resource by name (m_strTemplateName) or by id (m_nIDTemplate), or in memory.
    CString m_strTemplateName;
    UINT m_nIDTemplate { 0 };
    LPCDLGTEMPLATE m_lpDialogTemplate { nullptr };
    CWnd* m_pParentWnd { nullptr };
    HWND m_hWndTop { nullptr };

    // The name handed to FindResource: the id as MAKEINTRESOURCE or the name's text.
    LPCTSTR TemplateName() const;

private:
    // The template of the resource, with the module it came from; null when it is missing.
    LPCDLGTEMPLATE LoadTemplate(HINSTANCE& hInst) const;
};
