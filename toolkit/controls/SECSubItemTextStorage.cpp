#include "toolkit/controls/SECSubItemTextStorage.h"

#include <algorithm>

#include "platform/afx/AfxText.h"

void SECSubItemTextStorage::RemoveItem(HTREEITEM hItem)
{
    m_texts.erase(hItem);
}

BOOL SECSubItemTextStorage::GetText(HTREEITEM hItem, int nCol, LPTSTR lpszBuffer, int nMax) const
{
    const auto it = m_texts.find(hItem);
    const BOOL bFound = it != m_texts.end() && nCol >= 1 && static_cast<size_t>(nCol) <= it->second.size();
    if (nMax > 0)
        afx::CopyText(lpszBuffer, static_cast<UINT>(nMax),
            bFound ? static_cast<LPCTSTR>(it->second[static_cast<size_t>(nCol - 1)]) : "");
    return bFound;
}

BOOL SECSubItemTextStorage::SetText(HTREEITEM hItem, int nCol, LPCTSTR lpszText)
{
    if (nCol < 1)
        return FALSE;
    std::vector<CString>& texts = m_texts[hItem];
    if (texts.size() < static_cast<size_t>(nCol))
        texts.resize(static_cast<size_t>(nCol));
    texts[static_cast<size_t>(nCol - 1)] = lpszText ? lpszText : "";
    return TRUE;
}

BOOL SECSubItemTextStorage::MoveText(HTREEITEM hItem, int nFrom, int nTo)
{
    const auto it = m_texts.find(hItem);
    if (it == m_texts.end() || nFrom < 1 || nTo < 1)
        return FALSE;
    // Columns past the stored ones are empty texts, so moving one of them still shifts the others.
    std::vector<CString>& texts = it->second;
    texts.resize(std::max({ texts.size(), static_cast<size_t>(nFrom), static_cast<size_t>(nTo) }));
    const CString text = texts[static_cast<size_t>(nFrom - 1)];
    texts.erase(texts.begin() + (nFrom - 1));
    texts.insert(texts.begin() + (nTo - 1), text);
    return TRUE;
}

BOOL SECSubItemTextStorage::InsertColumn(int nCol)
{
    if (nCol < 1)
        return FALSE;
    for (auto& [hItem, texts] : m_texts) {
        if (texts.size() < static_cast<size_t>(nCol - 1))
            texts.resize(static_cast<size_t>(nCol - 1));
        texts.insert(texts.begin() + (nCol - 1), CString());
    }
    return TRUE;
}
