#pragma once
// The menus the menu bar offers, listed on the customise sheet's commands page. A press on an entry
// drags a copy of its menu button, which the bar it lands on makes through the button map.

#include "platform/afx/CListBox.h"

class SECToolBarManager;

class SECMenuListBox : public CListBox {
    DECLARE_DYNAMIC(SECMenuListBox)
public:
    SECToolBarManager* m_pManager { nullptr };
    // Systems before version 4 have no item hit test of their own: the list finds the item itself.
    BOOL m_bOldSystem { LOBYTE(LOWORD(::GetVersion())) < 4 };

protected:
    // The item under a client point, -1 for none.
    int ItemAt(CPoint point) const;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
