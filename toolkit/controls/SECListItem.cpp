#include "toolkit/controls/SECListItem.h"

#include <algorithm>

int SECListItem::AddSubItem()
{
    m_subItems.push_back(std::make_unique<SECListSubItem>());
    return GetSubItemCount() - 1;
}

void SECListItem::InsertSubItem(int nPos)
{
    nPos = std::clamp(nPos, 0, GetSubItemCount());
    m_subItems.insert(m_subItems.begin() + nPos, std::make_unique<SECListSubItem>());
}

BOOL SECListItem::RemoveSubItem(int nSubItem)
{
    // Sub-item 0 is the row's own label: a column showing it has no cell to remove.
    if (nSubItem < 1 || nSubItem > GetSubItemCount())
        return FALSE;
    m_subItems.erase(m_subItems.begin() + (nSubItem - 1));
    return TRUE;
}

SECListSubItem* SECListItem::GetSubItem(int nSubItem) const
{
    if (nSubItem < 1 || nSubItem > GetSubItemCount())
        return nullptr;
    return m_subItems[static_cast<size_t>(nSubItem - 1)].get();
}

void SECListItem::MoveSubItem(int nFrom, int nTo)
{
    if (nFrom < 1 || nTo < 1 || nFrom > GetSubItemCount() || nTo > GetSubItemCount() || nFrom == nTo)
        return;
    auto pCell = std::move(m_subItems[static_cast<size_t>(nFrom - 1)]);
    m_subItems.erase(m_subItems.begin() + (nFrom - 1));
    m_subItems.insert(m_subItems.begin() + (nTo - 1), std::move(pCell));
}
