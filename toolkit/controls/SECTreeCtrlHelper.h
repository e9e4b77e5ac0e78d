#pragma once
// Conveniences for a tree control: an item's has-children flag, one child per folder of a path or per
// drive, the path of an item built from its ancestors' texts, and a child found by its text. A tree
// takes it as a second base and hands it a pointer to itself.

#include "platform/afx/CString.h"
#include "platform/comctl/CommCtrl.h"

class SECTreeBaseC;

class SECTreeCtrlHelper {
public:
    explicit SECTreeCtrlHelper(SECTreeBaseC* pTree) : m_pTree(pTree) { }
    virtual ~SECTreeCtrlHelper() = default;

    BOOL SetItemHasChildren(HTREEITEM hItem, BOOL bHasChildren, BOOL bRedraw);
    // Inserts, sorted, one child per subfolder of the path (per drive, as "c:", for a null path), each
    // made from the template; unless the template's children flag is kept, every child declares
    // children so that it shows a button before its own folders are known.
    BOOL InsertFolderItems(HTREEITEM hItem, LPCTSTR lpszPath, BOOL bKeepChildrenFlag, TVITEM* pTemplate);
    // Appends to the path the texts from just below the stop item down to the item, each followed by
    // the separator.
    CString& GetItemPath(HTREEITEM hItem, CString& strPath, HTREEITEM hStop, LPCTSTR lpszSeparator);
    // The first direct child (top-level item for null) whose text equals the text exactly.
    HTREEITEM FindChildItem(HTREEITEM hItem, LPCTSTR lpszText);

private:
    SECTreeBaseC* m_pTree { nullptr };
};
