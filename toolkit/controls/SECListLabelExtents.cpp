#include "toolkit/controls/SECListLabelExtents.h"

#include <algorithm>

void SECListLabelExtents::Count(SECListItem& row, int cx)
{
    if (row.m_cxCounted == cx)
        return;
    Forget(row);
    row.m_cxCounted = cx;
    if (!IsWidestKnown())
        return; // found by the next Recount, which reads every row's counted extent
    m_bEmpty = FALSE;
    if (m_nWidestCount == 0 || cx > m_cxWidest) {
        m_cxWidest = cx;
        m_nWidestCount = 1;
    } else if (cx == m_cxWidest) {
        ++m_nWidestCount;
    }
}

void SECListLabelExtents::Forget(SECListItem& row)
{
    if (row.m_cxCounted < 0)
        return;
    if (row.m_cxCounted == m_cxWidest && m_nWidestCount > 0)
        --m_nWidestCount;
    row.m_cxCounted = -1;
}

void SECListLabelExtents::RowsInserted(int nRow, int nCount)
{
    m_bEmpty = FALSE;
    if (m_bAllPending)
        return;
    if (m_pending.size() + static_cast<size_t>(nCount) > maxPending) {
        MarkAllPending();
        return;
    }
    for (int& n : m_pending)
        if (n >= nRow)
            n += nCount;
    for (int i = 0; i < nCount; ++i)
        m_pending.push_back(nRow + i);
}

void SECListLabelExtents::RowsDeleted(int nRow, int nCount)
{
    std::erase_if(m_pending, [&](int n) { return n >= nRow && n < nRow + nCount; });
    for (int& n : m_pending)
        if (n >= nRow + nCount)
            n -= nCount;
}

void SECListLabelExtents::MarkPending(int nRow)
{
    if (m_bAllPending || std::ranges::find(m_pending, nRow) != m_pending.end())
        return;
    if (m_pending.size() >= maxPending)
        MarkAllPending();
    else
        m_pending.push_back(nRow);
}

void SECListLabelExtents::MarkAllPending()
{
    m_bAllPending = TRUE;
    m_pending.clear();
}

void SECListLabelExtents::Clear()
{
    m_pending.clear();
    m_bAllPending = FALSE;
    m_bEmpty = TRUE;
    m_cxWidest = 0;
    m_nWidestCount = 0;
}

std::vector<int> SECListLabelExtents::TakePending()
{
    return std::exchange(m_pending, {});
}

void SECListLabelExtents::Recount(const std::vector<std::unique_ptr<SECListItem>>& rows)
{
    m_bEmpty = rows.empty();
    m_cxWidest = 0;
    m_nWidestCount = 0;
    for (const auto& pRow : rows) {
        if (pRow->m_cxCounted < 0)
            continue;
        if (m_nWidestCount == 0 || pRow->m_cxCounted > m_cxWidest) {
            m_cxWidest = pRow->m_cxCounted;
            m_nWidestCount = 1;
        } else if (pRow->m_cxCounted == m_cxWidest) {
            ++m_nWidestCount;
        }
    }
}
