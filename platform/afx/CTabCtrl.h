#pragma once
// The tab control of the common controls: a row of tabs over a panel.

#include "platform/afx/CWnd.h"
#include "platform/comctl/CommCtrl.h"

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    // Makes the control as child nID of pParentWnd.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    // The index the tab went to, -1 when it was refused.
    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem)
    {
        return static_cast<LONG>(SendMessage(TCM_INSERTITEM, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem)));
    }
    LONG InsertItem(int nItem, LPCTSTR lpszItem);
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const
    {
        return static_cast<BOOL>(SendMessage(TCM_GETITEM, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem)));
    }
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem)
    {
        return static_cast<BOOL>(SendMessage(TCM_SETITEM, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem)));
    }
    BOOL DeleteItem(int nItem) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(nItem))); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    // Chooses a tab without telling the parent; the tab chosen before, -1 for a bad index.
    int SetCurSel(int nItem) { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(nItem))); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const
    {
        return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(lpRect)));
    }
    int HitTest(TCHITTESTINFO* pHitTestInfo) const
    {
        return static_cast<int>(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
    }
    // The panel's rectangle for a window rectangle (bLarger FALSE), or the reverse.
    void AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, static_cast<WPARAM>(bLarger), reinterpret_cast<LPARAM>(lpRect)); }
    int GetRowCount() const { return static_cast<int>(SendMessage(TCM_GETROWCOUNT)); }
};
