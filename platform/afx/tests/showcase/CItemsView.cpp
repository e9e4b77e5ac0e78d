#include "platform/afx/tests/showcase/CItemsView.h"

#include <cstring>

#include "platform/afx/CCmdUI.h"
#include "platform/afx/COleDataSource.h"
#include "platform/base/GlobalMemory.h"
#include "platform/afx/tests/showcase/CItemsDoc.h"
#include "platform/afx/tests/showcase/CShowcaseApp.h"
#include "platform/afx/tests/showcase/ShowcaseIds.h"
#include "platform/comctl/CommCtrl.h"

IMPLEMENT_DYNCREATE(CItemsView, CListView)

BEGIN_MESSAGE_MAP(CItemsView, CListView)
ON_COMMAND(ID_SHOWCASE_GRID, OnGrid)
ON_UPDATE_COMMAND_UI(ID_SHOWCASE_GRID, OnUpdateGrid)
END_MESSAGE_MAP()

CItemsDoc* CItemsView::GetDocument() const { return static_cast<CItemsDoc*>(m_pDocument); }

void CItemsView::OnInitialUpdate()
{
    ModifyStyle(LVS_TYPEMASK, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
    LVCOLUMN column {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 160;
    column.pszText = const_cast<LPSTR>("Item");
    SendMessage(LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&column));
    SendMessage(LVM_DELETEALLITEMS);
    int row = 0;
    for (const CString& name : GetDocument()->m_items) {
        LVITEM item {};
        item.mask = LVIF_TEXT;
        item.iItem = row++;
        item.pszText = const_cast<LPSTR>(static_cast<LPCTSTR>(name));
        SendMessage(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
    ShowGrid(ShowcaseApp().m_settings.grid);
}

void CItemsView::ShowGrid(BOOL bGrid)
{
    SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, bGrid ? LVS_EX_GRIDLINES : 0);
}

BOOL CItemsView::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != LVN_BEGINDRAG)
        return CListView::OnChildNotify(message, wParam, lParam, pResult);
    const auto* drag = reinterpret_cast<NMLISTVIEW*>(lParam);
    const std::vector<CString>& items = GetDocument()->m_items;
    if (drag->iItem < 0 || drag->iItem >= static_cast<int>(items.size()))
        return TRUE;
    const CString& name = items[static_cast<size_t>(drag->iItem)];
    HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(name.GetLength()) + 1);
    std::memcpy(::GlobalLock(data), static_cast<LPCTSTR>(name), static_cast<size_t>(name.GetLength()) + 1);
    ::GlobalUnlock(data);
    COleDataSource source;
    source.CacheGlobalData(ShowcaseItemFormat(), data);
    ++m_nDrags;
    m_lastEffect = source.DoDragDrop(DROPEFFECT_COPY);
    *pResult = 0;
    return TRUE;
}

void CItemsView::OnGrid()
{
    ShowcaseSettings& settings = ShowcaseApp().m_settings;
    settings.grid = !settings.grid;
    ShowGrid(settings.grid);
}

void CItemsView::OnUpdateGrid(CCmdUI* pCmdUI) { pCmdUI->SetCheck(ShowcaseApp().m_settings.grid ? 1 : 0); }
