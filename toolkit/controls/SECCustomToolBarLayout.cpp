// How a custom toolbar places its buttons: rows for a width or height, evened out, a floating bar
// fitted to the length the user drags, a docked bar in one row or column, and the button under a point.
#include <algorithm>
#include <climits>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CFrameWnd.h"
#include "toolkit/controls/SECCustomToolBar.h"

namespace {

BOOL IsSeparator(const SECStdBtn& btn) { return (btn.m_nStyle & TBBS_SEPARATOR) != 0; }

} // namespace

void SECCustomToolBar::WrapButtons(int nWidth, Rows& rows)
{
    rows.clear();
    const int nCount = GetBtnCount();
    int nStart = 0;
    while (nStart < nCount) {
        int x = 0;
        int nLastSep = -1;
        int i = nStart;
        for (; i < nCount; ++i) {
            const SECStdBtn& btn = *m_btns[static_cast<size_t>(i)];
            if (x + btn.m_cx > nWidth + 2 && i > nStart)
                break;
            if (IsSeparator(btn) && i > nStart)
                nLastSep = i;
            x += btn.m_cx;
        }
        RowInfo row;
        if (i >= nCount) {
            row.nLast = nCount - 1;
        } else if (IsSeparator(*m_btns[static_cast<size_t>(i)])) {
            // The separator that does not fit ends the row.
            row.nLast = i;
            row.bSeparator = TRUE;
        } else if (nLastSep >= 0) {
            row.nLast = nLastSep;
            row.bSeparator = TRUE;
        } else {
            row.nLast = i - 1;
        }
        for (int j = nStart; j <= row.nLast; ++j) {
            const SECStdBtn& btn = *m_btns[static_cast<size_t>(j)];
            if (j == row.nLast && row.bSeparator)
                break;
            row.nWidth += btn.m_cx;
            if (!IsSeparator(btn))
                row.nHeight = std::max(row.nHeight, btn.m_cy);
        }
        if (row.nHeight == 0)
            row.nHeight = GetButtonHeight();
        rows.push_back(row);
        nStart = row.nLast + 1;
    }
}

namespace {

int RowFirst(const SECCustomToolBar::Rows& rows, size_t nRow) { return nRow == 0 ? 0 : rows[nRow - 1].nLast + 1; }

int RowsHeight(const SECCustomToolBar::Rows& rows, int nSepGap)
{
    int nHeight = 0;
    for (const auto& row : rows)
        nHeight += row.nHeight + (row.bSeparator ? nSepGap : 0);
    return nHeight;
}

} // namespace

CSize SECCustomToolBar::CalcWrappedSize(int nLength, BOOL bFitHeight, Rows& rows)
{
    int nWidest = 0;
    int nNarrowest = INT_MAX;
    for (const auto& pBtn : m_btns) {
        nWidest = std::max(nWidest, pBtn->m_cx);
        if (!IsSeparator(*pBtn))
            nNarrowest = std::min(nNarrowest, pBtn->m_cx);
    }
    if (nNarrowest == INT_MAX)
        nNarrowest = nWidest;
    const int nSepGap = GetSeparatorWidth() * 2 / 3;
    if (!bFitHeight) {
        WrapButtons(std::max(nLength, nWidest), rows);
    } else {
        const int nButtonWidth = std::max(GetButtonWidth(), 1);
        // A bar dragged flatter than one button still has one row.
        const int nRows = std::max(nLength / std::max(GetButtonHeight(), 1), 1);
        int nWidth = nButtonWidth * GetBtnCount() / nRows;
        if (nWidth <= nNarrowest)
            nWidth = 32767;
        WrapButtons(nWidth, rows);
        int nHeight = RowsHeight(rows, nSepGap);
        if (nHeight < nLength) {
            Rows narrower;
            while (nHeight != nLength && nWidth - nButtonWidth >= nNarrowest) {
                WrapButtons(nWidth - nButtonWidth, narrower);
                const int nNarrowerHeight = RowsHeight(narrower, nSepGap);
                if (nNarrowerHeight > nLength)
                    break;
                nWidth -= nButtonWidth;
                rows.swap(narrower);
                nHeight = nNarrowerHeight;
            }
        } else {
            while (nHeight > nLength && rows.size() > 1 && nWidth < 32767) {
                nWidth += nButtonWidth;
                WrapButtons(nWidth, rows);
                nHeight = RowsHeight(rows, nSepGap);
            }
        }
    }
    BalanceRows(rows);
    for (const auto& pBtn : m_btns)
        pBtn->m_nStyle &= ~TBBS_WRAPPED;
    for (size_t r = 0; r + 1 < rows.size(); ++r)
        if (SECStdBtn* pBtn = GetBtn(rows[r].nLast))
            pBtn->m_nStyle |= TBBS_WRAPPED;
    int nWidth = 0;
    for (const auto& row : rows)
        nWidth = std::max(nWidth, row.nWidth);
    return CSize(nWidth, RowsHeight(rows, nSepGap));
}

namespace {

// The trailing group of a row that ends at a separator: the buttons after its previous separator.
// -1 when the row has no previous separator (the group would be the whole row).
int TrailingGroupStart(const SECCustomToolBar& bar, const SECCustomToolBar::Rows& rows, size_t nRow)
{
    const int nFirst = RowFirst(rows, nRow);
    for (int i = rows[nRow].nLast - 1; i > nFirst; --i)
        if (IsSeparator(*bar.GetBtn(i - 1)))
            return i;
    return -1;
}

int WidthOf(const SECCustomToolBar& bar, int nFirst, int nLast)
{
    int nWidth = 0;
    for (int i = nFirst; i <= nLast; ++i)
        nWidth += bar.GetBtn(i)->m_cx;
    return nWidth;
}

int TallestOf(const SECCustomToolBar& bar, int nFirst, int nLast)
{
    int nHeight = 0;
    for (int i = nFirst; i <= nLast; ++i)
        if (!IsSeparator(*bar.GetBtn(i)))
            nHeight = std::max(nHeight, bar.GetBtn(i)->m_cy);
    return nHeight;
}

// Whether row nRow can take nExtra more pixels and stay narrower than nLimit, passing its own trailing
// group on to the rows after it as far as they end at separators.
bool CanTake(const SECCustomToolBar& bar, const SECCustomToolBar::Rows& rows, size_t nRow, int nExtra, int nLimit,
    int nDepth)
{
    if (nRow >= rows.size())
        return false;
    const auto& row = rows[nRow];
    if (row.nWidth + nExtra < nLimit)
        return true;
    if (!row.bSeparator || nRow + 1 >= rows.size() || nDepth > 8)
        return false;
    const int nGroup = TrailingGroupStart(bar, rows, nRow);
    if (nGroup < 0)
        return false;
    const int nGroupWidth = WidthOf(bar, nGroup, row.nLast - 1);
    const int nLeft = row.nWidth + nExtra - nGroupWidth - bar.GetBtn(nGroup - 1)->m_cx;
    return nLeft < nLimit
        && CanTake(bar, rows, nRow + 1, nGroupWidth + bar.GetBtn(row.nLast)->m_cx, nLimit, nDepth + 1);
}

} // namespace

void SECCustomToolBar::BalanceRows(Rows& rows)
{
    // Each move narrows the widest row; the bound only guards against rows that trade places forever.
    for (int nGuard = 0; nGuard < 4 * GetBtnCount() + 4; ++nGuard) {
        size_t nWidest = 0;
        for (size_t r = 1; r < rows.size(); ++r)
            if (rows[r].nWidth > rows[nWidest].nWidth)
                nWidest = r;
        if (nWidest + 1 >= rows.size())
            return;
        RowInfo& row = rows[nWidest];
        RowInfo& next = rows[nWidest + 1];
        const int nFirst = RowFirst(rows, nWidest);
        const int nMoveLast = row.nLast;
        int nMoveFirst = 0;
        if (!row.bSeparator) {
            if (row.nLast == nFirst)
                return;
            const int nButton = GetBtn(row.nLast)->m_cx;
            if (row.nWidth <= nButton + next.nWidth) {
                bool bLater = false;
                for (size_t r = nWidest + 2; r < rows.size(); ++r)
                    if (rows[r].bSeparator) {
                        bLater = row.nWidth >= rows[r].nWidth + nButton;
                        break;
                    }
                if (!bLater)
                    return;
            }
            nMoveFirst = row.nLast;
            row.nLast -= 1;
            row.nWidth -= nButton;
            next.nWidth += nButton;
        } else {
            const int nGroup = TrailingGroupStart(*this, rows, nWidest);
            if (nGroup < 0)
                return;
            const int nGroupWidth = WidthOf(*this, nGroup, row.nLast - 1);
            const int nEndSep = GetBtn(row.nLast)->m_cx;
            const int nPrevSep = GetBtn(nGroup - 1)->m_cx;
            // The group takes the separator that ended this row along; the one before it ends the row now.
            if (next.nWidth + nGroupWidth + nEndSep >= row.nWidth
                && !CanTake(*this, rows, nWidest + 1, nGroupWidth + nEndSep, row.nWidth, 0))
                return;
            nMoveFirst = nGroup;
            row.nLast = nGroup - 1;
            row.nWidth -= nGroupWidth + nPrevSep;
            next.nWidth += nGroupWidth + nEndSep;
        }
        const int nRemaining = TallestOf(*this, nFirst, row.nLast);
        if (nRemaining > 0 && nRemaining < row.nHeight)
            row.nHeight = nRemaining;
        next.nHeight = std::max(next.nHeight, TallestOf(*this, nMoveFirst, nMoveLast));
    }
}

CSize SECCustomToolBar::CalcLayout(int nLength, DWORD dwMode)
{
    // Hidden buttons take no room: they are out of the array while it is laid out.
    std::vector<std::pair<int, std::unique_ptr<SECStdBtn>>> hidden;
    for (int i = GetBtnCount() - 1; i >= 0; --i)
        if (m_btns[static_cast<size_t>(i)]->m_nStyle & TBBS_HIDDEN) {
            hidden.emplace_back(i, std::move(m_btns[static_cast<size_t>(i)]));
            m_btns.erase(m_btns.begin() + i);
        }

    const BOOL bCommit = (dwMode & LM_COMMIT) != 0;
    const BOOL bHorz = (dwMode & LM_HORZ) != 0;
    CRect border(0, 0, 0, 0);
    AdjustBorderRect(border, bHorz, TRUE);
    const CSize szBorder(border.left - border.right, border.top - border.bottom);
    const BOOL bStretch = (m_dwExStyle & SEC_TBX_STRETCH) != 0;
    if (bStretch && m_pDockSite && m_pDockSite->GetSafeHwnd()) {
        CRect rectSite;
        m_pDockSite->GetClientRect(&rectSite);
        nLength = (dwMode & LM_VERTDOCK) ? rectSite.Height() : rectSite.Width();
    }

    // Without a commit the wrapping is only measured: the buttons keep the rows they are drawn in.
    std::vector<UINT> wrapped;
    if (!bCommit)
        for (const auto& pBtn : m_btns)
            wrapped.push_back(pBtn->m_nStyle & TBBS_WRAPPED);

    CSize size;
    Rows rows;
    if (m_btns.empty()) {
        size = CSize(GetButtonWidth(), GetButtonHeight());
    } else {
        if (bCommit) {
            m_bVertical = (dwMode & LM_VERTDOCK) != 0;
            for (const auto& pBtn : m_btns)
                pBtn->SetVertical(m_bVertical);
        }
        constexpr int kOneRow = 32767;
        if ((m_dwStyle & CBRS_SIZE_FIXED) || !(m_dwStyle & CBRS_SIZE_DYNAMIC))
            size = CalcWrappedSize(kOneRow, FALSE, rows);
        else if (dwMode & LM_MRUWIDTH)
            size = CalcWrappedSize(static_cast<int>(m_nMRUWidth), FALSE, rows);
        else if (nLength != -1) {
            const BOOL bFitHeight = (dwMode & LM_LENGTHY) != 0;
            size = CalcWrappedSize(nLength - (bFitHeight ? szBorder.cy : szBorder.cx), bFitHeight, rows);
        } else if (IsFloating())
            size = CalcWrappedSize(static_cast<int>(m_nMRUWidth), FALSE, rows);
        else
            size = CalcWrappedSize(kOneRow, FALSE, rows);
    }
    size += szBorder;
    if (bStretch && nLength > 0) {
        if (dwMode & LM_VERTDOCK)
            size.cy = std::max(size.cy, nLength);
        else
            size.cx = std::max(size.cx, nLength);
    }

    if (bCommit) {
        int y = border.top;
        const int nSepGap = GetSeparatorWidth() * 2 / 3;
        for (size_t r = 0; r < rows.size(); ++r) {
            int x = border.left;
            for (int i = RowFirst(rows, r); i <= rows[r].nLast; ++i) {
                SECStdBtn& btn = *m_btns[static_cast<size_t>(i)];
                const int yOffset = (btn.m_nStyle & SEC_TBBS_VCENTER) ? (rows[r].nHeight - btn.m_cy) / 2 : 0;
                btn.SetPos(x, y + yOffset);
                x += btn.m_cx;
            }
            y += rows[r].nHeight + (rows[r].bSeparator ? nSepGap : 0);
        }
        if (bStretch && !m_btns.empty() && m_btns.back()->m_nType == SECStdBtn::kindCaption) {
            SECStdBtn& btn = *m_btns.back();
            btn.SetPos(size.cx + border.right - btn.m_cx - 2, btn.m_y);
        }
    } else {
        for (size_t i = 0; i < wrapped.size(); ++i)
            m_btns[i]->m_nStyle = (m_btns[i]->m_nStyle & ~TBBS_WRAPPED) | wrapped[i];
    }

    for (auto it = hidden.rbegin(); it != hidden.rend(); ++it)
        m_btns.insert(m_btns.begin() + it->first, std::move(it->second));
    return size;
}

CSize SECCustomToolBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (!(nMode & LM_COMMIT)
        && (((nMode & LM_HORZDOCK) && m_bOwnHorzLayout) || ((nMode & LM_VERTDOCK) && m_bOwnVertLayout)
            || ((nMode & LM_MRUWIDTH) && m_bOwnMRULayout)))
        return CalcLayout((nMode & LM_VERTDOCK) ? 0 : 32767, nMode | LM_COMMIT);
    if ((nMode & LM_COMMIT)
        && (((nMode & LM_HORZDOCK) && (nMode & LM_LENGTHY)) || ((nMode & LM_VERTDOCK) && !(nMode & LM_LENGTHY))))
        return SECControlBar::CalcDynamicLayout(nLength, nMode);
    if ((nMode & LM_COMMIT) && !(nMode & (LM_HORZDOCK | LM_VERTDOCK)) && !(nMode & LM_LENGTHY) && nLength > 0)
        m_nMRUWidth = static_cast<UINT>(nLength);
    return CalcLayout(nLength, nMode);
}

CSize SECCustomToolBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return CalcLayout(-1, bHorz ? (LM_HORZ | LM_HORZDOCK | LM_COMMIT) : (LM_VERTDOCK | LM_COMMIT));
}

int SECCustomToolBar::HitTest(CPoint point, CRect* pRect) const
{
    for (int i = 0; i < GetBtnCount(); ++i) {
        const SECStdBtn& btn = *m_btns[static_cast<size_t>(i)];
        if (btn.m_nStyle & TBBS_HIDDEN)
            continue;
        const CRect rect = btn.GetRect();
        if (!rect.PtInRect(point))
            continue;
        if (IsSeparator(btn))
            return -1;
        if (pRect)
            *pRect = rect;
        return i;
    }
    return -1;
}

void SECCustomToolBar::StretchToParent()
{
    CWnd* pParent = GetParent();
    if (m_pDockBar || !pParent)
        return;
    CRect rectParent;
    pParent->GetClientRect(&rectParent);
    CRect rect;
    GetWindowRect(&rect);
    const BOOL bVert = (m_dwStyle & CBRS_ORIENT_VERT) != 0;
    SetWindowPos(nullptr, 0, 0, bVert ? rect.Width() : rectParent.Width(), bVert ? rectParent.Height() : rect.Height(),
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
