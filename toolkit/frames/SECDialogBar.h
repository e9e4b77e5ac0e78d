#pragma once
// A control bar made from a dialog template: the template's controls, filled from its DLGINIT data,
// at the template's size, docked and floated like any toolkit bar.

#include "platform/afx/COccManager.h"
#include "toolkit/frames/SECControlBar.h"

class SECDialogBar : public SECControlBar {
    DECLARE_DYNCREATE(SECDialogBar)
public:
    SECDialogBar() = default;
    ~SECDialogBar() override;

    // FALSE, leaving no window behind, when the template is missing or its controls cannot be made
    // or filled.
    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, DWORD dwExStyle, UINT nID);
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, DWORD dwExStyle, UINT nID)
    {
        return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, dwExStyle, nID);
    }
    using SECControlBar::Create;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // Records the template (a resource id; a template named by text cannot be recorded), so that a
    // saved layout can make the bar again.
    void GetBarInfoEx(SECControlBarInfo* pInfo) override;
    // Keeps the template's OLE control information for the controls' creation; TRUE.
    BOOL SetOccDialogInfo(_AFX_OCC_DIALOG_INFO* pOccDialogInfo);

    // The template's window size.
    CSize m_sizeDefault;

protected:
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    LPCTSTR m_lpszTemplateName { nullptr };
    _AFX_OCC_DIALOG_INFO* m_pOccDialogInfo { nullptr };
    // Only while Create makes the window.
    LPCTSTR m_lpszCreatingTemplate { nullptr };
};
