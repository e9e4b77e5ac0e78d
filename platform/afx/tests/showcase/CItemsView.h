#pragma once
// The items in a report list (the view is the list control); an item dragged out of it carries its
// name in the showcase's item format.

#include "platform/afx/CListView.h"

class CItemsDoc;

class CItemsView : public CListView {
    DECLARE_DYNCREATE(CItemsView)
public:
    CItemsDoc* GetDocument() const;
    void OnInitialUpdate() override;
    // Grid lines follow the options.
    void ShowGrid(BOOL bGrid);

    // The drags made and how each ended.
    int m_nDrags { 0 };
    DROPEFFECT m_lastEffect { DROPEFFECT_NONE };

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnGrid();
    afx_msg void OnUpdateGrid(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
