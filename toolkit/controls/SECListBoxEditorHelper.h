#pragma once
// The list box of a list-box editor, subclassed: its keys, clicks and double clicks start the editor's
// commands, in-place editing and drag reordering, and it hears when the in-place edit ends.

#include "platform/afx/CListBox.h"

class SECListBoxEditor;

class SECListBoxEditorHelper : public CListBox {
    DECLARE_DYNAMIC(SECListBoxEditorHelper)
public:
    explicit SECListBoxEditorHelper(SECListBoxEditor* pEditor);
    // The list box is the dialog's: an editor that goes before it gives the list box back.
    ~SECListBoxEditorHelper() override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg LRESULT OnEditCancelled(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The list's focus messages go on to the editor's header too.
    void ForwardToHeader(UINT message, CWnd* pOther);

    SECListBoxEditor* m_pEditor { nullptr };
    BOOL m_bLostFocus { FALSE };
};
