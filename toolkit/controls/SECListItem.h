#pragma once
// One row of the list: its label, image, state, application value, measured height and rectangles,
// and one cell per sub-item column. Sub-item k (1-based) is cell k-1.

#include <memory>
#include <vector>

#include "platform/afx/CRect.h"
#include "toolkit/controls/SECListSubItem.h"

class SECListItem {
public:
    SECListItem() = default;
    virtual ~SECListItem() = default;
    SECListItem(const SECListItem&) = delete;
    SECListItem& operator=(const SECListItem&) = delete;

    // Appends a callback cell; returns its position.
    int AddSubItem();
    // Inserts a callback cell at a position (clamped to the cells there are).
    void InsertSubItem(int nPos);
    // Removes cell k (1-based); FALSE when there is no such cell.
    BOOL RemoveSubItem(int nSubItem);
    // Moves cell nFrom to place nTo (both 1-based), the cells between shifting by one; nothing when either
    // is out of range.
    void MoveSubItem(int nFrom, int nTo);
    // Cell k (1-based), null when k is out of range.
    SECListSubItem* GetSubItem(int nSubItem) const;
    int GetSubItemCount() const { return static_cast<int>(m_subItems.size()); }

    SECListText m_text;
    UINT m_nState { 0 };
    int m_nImage { 0 };
    LPARAM m_lParam { 0 };
    int m_cy { 0 };
    UINT m_nStateEx { 0 };
    BOOL m_bMeasure { TRUE };
    CRect m_rcLabel { 0, 0, 0, 0 };
    CRect m_rcIcon { 0, 0, 0, 0 };
    CRect m_rcStateIcon { 0, 0, 0, 0 };
    // The label extent the list's widest-label record counts for this row; -1 while none is counted.
    int m_cxCounted { -1 };

private:
    std::vector<std::unique_ptr<SECListSubItem>> m_subItems;
};
