#pragma once
// The widest label extent of a list's rows, kept up to date as rows are measured, inserted and deleted,
// so the horizontal scroll range costs what changed rather than a measure of every row. The widest
// value is recomputed from the rows' counted extents only when the last row holding it changes or goes.

#include <vector>

#include "toolkit/controls/SECListItem.h"

class SECListLabelExtents {
public:
    // Records the extent a row now reaches, replacing the one it counted before.
    void Count(SECListItem& row, int cx);
    // Takes out the extent of a row that is going.
    void Forget(SECListItem& row);
    // Rows inserted at nRow: they are to be measured, and pending rows below move down.
    void RowsInserted(int nRow, int nCount);
    // Rows [nRow, nRow + nCount) are deleted (after Forget): their pending marks go, those below move up.
    void RowsDeleted(int nRow, int nCount);
    // A row whose label may have changed is measured again before the widest extent is known.
    void MarkPending(int nRow);
    // Every row is measured again (heights invalidated, style or font changed).
    void MarkAllPending();
    void Clear();

    BOOL IsAllPending() const { return m_bAllPending; }
    // The rows to measure before the widest extent is known, in no particular order; clears them.
    std::vector<int> TakePending();
    void AllMeasured() { m_bAllPending = FALSE; }
    // The widest counted extent (0 with no rows); bKnown is FALSE when it has to be found among the rows
    // again with Recount.
    BOOL IsWidestKnown() const { return m_nWidestCount > 0 || m_bEmpty; }
    int GetWidest() const { return m_cxWidest; }
    void Recount(const std::vector<std::unique_ptr<SECListItem>>& rows);

private:
    // Beyond this many pending rows one walk over every row is cheaper than keeping their places.
    static constexpr size_t maxPending = 256;

    std::vector<int> m_pending;
    BOOL m_bAllPending { FALSE };
    BOOL m_bEmpty { TRUE };
    int m_cxWidest { 0 };
    int m_nWidestCount { 0 };
};
