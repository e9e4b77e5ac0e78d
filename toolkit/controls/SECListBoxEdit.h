#pragma once
// The in-place edit of a list-box editor: it stands over one item of the list box while that item is
// edited. Enter (and every key or focus change that ends the edit as Enter does) writes its text into
// the item, Esc leaves the item as it was and removes an item that was just added; either way the
// list box is told with WM_NOTIFY code kEndNotification, and the editor then deletes the edit.

#include "platform/afx/CEdit.h"
#include "platform/afx/CListBox.h"

class SECListBoxEdit : public CEdit {
    DECLARE_DYNAMIC(SECListBoxEdit)
public:
    // The edit's control id, the id of the "..." button beside it, and the notification that it ended.
    static constexpr UINT kControlID = 100;
    static constexpr UINT kBrowseID = 101;
    static constexpr UINT kEndNotification = 1000;
    // Sent to the list box before the end notification: wParam TRUE when the edit was cancelled.
    static constexpr UINT kCancelMessage = WM_USER + 0x100;

    SECListBoxEdit() = default;

    // Selects item nIndex and makes the edit over it, grown by 2 pixels above and below, in the list's
    // font, shown and focused: with lpszInitialText as its text (caret at the end) or, when that is
    // empty, with the item's text all selected. nAllowedFocusID names a control that may take the focus
    // without ending the edit (0: none); with bSpaceAdvance a space typed nSpaceCount - 1 characters
    // behind the text ends the edit and moves on as Tab does.
    BOOL Create(CListBox* pListBox, int nIndex, BOOL bIsNew, LPCTSTR lpszInitialText, UINT nAllowedFocusID,
        BOOL bSpaceAdvance, int nSpaceCount);
    // Ends the edit as Enter (bCancel FALSE) or Esc does. The object may be deleted when this returns.
    void Finish(BOOL bCancel);

    int GetItemIndex() const { return m_nIndex; }

protected:
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    CListBox* m_pListBox { nullptr };
    BOOL m_bIsNew { FALSE };
    int m_nIndex { -1 };
    int m_nPrevSel { LB_ERR };
    UINT m_nAllowedFocusID { 0 };
    BOOL m_bSpaceAdvance { FALSE };
    int m_nSpaceCount { 1 };
    // Set once the edit started ending: losing the focus while it goes ends nothing twice.
    BOOL m_bEnding { FALSE };
};
