#pragma once
// A list box with a check box before every item. The list box must be owner-drawn with strings
// (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS), made so or subclassed from a dialog's control; its parent
// passes the drawing back to it. A click on an item's box or the space bar toggles the check and
// tells the parent CLBN_CHKCHANGE. Item data stays the caller's: the checks are kept beside it.

#include <vector>

#include "platform/afx/CListBox.h"

// The notification (WM_COMMAND) a check list box sends when the user changed a check.
constexpr WORD CLBN_CHKCHANGE = 40;
#define ON_CLBN_CHKCHANGE(id, memberFxn) ON_CONTROL(CLBN_CHKCHANGE, id, memberFxn)

class CCheckListBox : public CListBox {
    DECLARE_DYNAMIC(CCheckListBox)
public:
    // Makes the control as child nID of pParentWnd; the owner-draw and string styles are added.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // 0 unchecked, 1 checked, 2 indeterminate; nothing happens for a bad index or another value.
    void SetCheck(int nIndex, int nCheck);
    // The item's check; LB_ERR for a bad index.
    int GetCheck(int nIndex) const;

    // Draws the item's check box and text.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // Items are at least as high as the check box.
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PreSubclassWindow() override;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInsertString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The check box's square in an item's rectangle.
    static CRect CheckBox(const RECT& item);
    // Toggles the item's check at a client point when the point is on its box.
    void ClickAt(CPoint point);
    // Toggles the item's check and tells the parent.
    void Toggle(int nIndex);
    // Keeps a new item's check (unchecked) where the list put the item.
    LRESULT Inserted(LRESULT index);

    std::vector<int> m_checks; // by item index, following insertions and deletions
};
