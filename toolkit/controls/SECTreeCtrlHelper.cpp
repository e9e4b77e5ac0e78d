#include "toolkit/controls/SECTreeCtrlHelper.h"

#include <cstring>
#include <memory>

#include "toolkit/controls/SECFileSystem.h"
#include "toolkit/controls/SECTreeBaseC.h"

BOOL SECTreeCtrlHelper::SetItemHasChildren(HTREEITEM hItem, BOOL bHasChildren, BOOL bRedraw)
{
    TVITEM item;
    item.mask = TVIF_HANDLE | TVIF_CHILDREN;
    item.hItem = hItem;
    item.cChildren = bHasChildren ? 1 : 0;
    m_pTree->SetItem(&item);
    return bRedraw ? m_pTree->RedrawItem(hItem) : FALSE;
}

BOOL SECTreeCtrlHelper::InsertFolderItems(HTREEITEM hItem, LPCTSTR lpszPath, BOOL bKeepChildrenFlag,
    TVITEM* pTemplate)
{
    TVITEM blank;
    TVITEM& model = pTemplate ? *pTemplate : blank;
    if (!bKeepChildrenFlag) {
        model.mask |= TVIF_CHILDREN;
        model.cChildren = 1;
    }
    SECFileSystem files;
    std::unique_ptr<CStringList> names(lpszPath ? files.GetSubdirList(lpszPath, FALSE) : files.GetDriveList());
    for (POSITION pos = names->GetHeadPosition(); pos != nullptr;) {
        CString name = names->GetNext(pos);
        if (lpszPath == nullptr && !name.IsEmpty())
            name = name.Left(name.GetLength() - 1);
        if (name == "." || name == "..")
            continue;
        TVINSERTSTRUCT insert;
        insert.hParent = hItem;
        insert.hInsertAfter = TVI_SORT;
        insert.item = model;
        insert.item.mask |= TVIF_TEXT;
        insert.item.pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(name));
        m_pTree->InsertItem(&insert);
    }
    m_pTree->RedrawItem(hItem);
    return TRUE;
}

CString& SECTreeCtrlHelper::GetItemPath(HTREEITEM hItem, CString& strPath, HTREEITEM hStop, LPCTSTR lpszSeparator)
{
    if (hItem == nullptr || hItem == hStop || hItem == TVI_ROOT)
        return strPath;
    GetItemPath(m_pTree->GetParentItem(hItem), strPath, hStop, lpszSeparator);
    strPath += m_pTree->GetItemText(hItem, 0);
    strPath += lpszSeparator ? lpszSeparator : "";
    return strPath;
}

HTREEITEM SECTreeCtrlHelper::FindChildItem(HTREEITEM hItem, LPCTSTR lpszText)
{
    const char* pszText = lpszText ? lpszText : "";
    const int nCount = m_pTree->GetChildCount(hItem, FALSE);
    HTREEITEM hChild = m_pTree->GetChildItem(hItem);
    for (int i = 0; i < nCount && hChild != nullptr; ++i, hChild = m_pTree->GetNextSiblingItem(hChild))
        if (std::strcmp(m_pTree->GetItemText(hChild, 0), pszText) == 0)
            return hChild;
    return nullptr;
}
