#pragma once
// The texts of a tree's columns after the first, kept per tree item, so they survive while an item is
// collapsed away and has no list row. Columns are numbered from 1; column 0 is the item's own label and
// is never stored here. A column never set reads as empty.

#include <unordered_map>
#include <vector>

#include "platform/afx/CString.h"
#include "platform/comctl/CommCtrl.h"

class SECSubItemTextStorage {
public:
    // Forgets an item's texts (nothing when it has none).
    void RemoveItem(HTREEITEM hItem);
    // Copies a column's text into the buffer (at most nMax bytes, cut on a whole character); FALSE and
    // an empty text when the item has no text for that column.
    BOOL GetText(HTREEITEM hItem, int nCol, LPTSTR lpszBuffer, int nMax) const;
    // Stores a column's text; the columns before it that were never set read as empty.
    BOOL SetText(HTREEITEM hItem, int nCol, LPCTSTR lpszText);
    // Moves an item's text from one column to another, the columns between shifting by one; FALSE
    // when the item has no texts.
    BOOL MoveText(HTREEITEM hItem, int nFrom, int nTo);
    // Makes room for a new column before column nCol in every item's texts.
    BOOL InsertColumn(int nCol);

private:
    std::unordered_map<HTREEITEM, std::vector<CString>> m_texts;
};
