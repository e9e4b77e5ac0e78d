#pragma once
// A category of the commands page listing the menu bar's menus by name, from which menu buttons are
// dragged onto toolbars.

#include "toolkit/controls/SECBtnGroup.h"
#include "toolkit/controls/SECMenuListBox.h"

struct SECBtnMapEntry;

class SECMenuBtnGroup : public SECBtnGroup {
    DECLARE_DYNAMIC(SECMenuBtnGroup)
public:
    using SECBtnGroup::SECBtnGroup;

    BOOL Create(CPropertyPage* pPage, SECToolBarManager* pManager, UINT nID) override;
    void Layout(const CRect&) override { }
    void Activate(BOOL) override { }
    CWnd* GetWnd() const override { return const_cast<SECMenuListBox*>(&m_list); }
    SECMenuListBox& GetList() { return m_list; }

    // The button-map record of a command naming the menu-button class (application map first), null
    // for none.
    static const SECBtnMapEntry* FindMenuEntry(SECToolBarManager* pManager, UINT nID);

private:
    SECMenuListBox m_list;
};
