#include "platform/afx/CDockBar.h"

#include <algorithm>

#include "platform/afx/CControlBarInfo.h"
#include "platform/afx/CDockContext.h"
#include "platform/afx/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

namespace {

void* AsEntry(UINT nID) { return reinterpret_cast<void*>(static_cast<UINT_PTR>(nID)); }

} // namespace

CDockBar::CDockBar(BOOL bFloating)
    : m_bFloating(bFloating)
{
    m_bAutoDelete = TRUE;
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    m_arrBars.Add(nullptr);
}

CDockBar::~CDockBar()
{
    // The docked bars stay; they only forget this dock bar.
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        if (CControlBar* bar = GetDockedControlBar(static_cast<int>(i)); bar && bar->m_pDockBar == this)
            bar->m_pDockBar = nullptr;
    }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    const DWORD windowStyle = (dwStyle & ~CBRS_ALL) | WS_CLIPCHILDREN | WS_CHILD;
    return CWnd::Create(AFX_WNDCONTROLBAR, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const
{
    if (nPos < 0 || nPos >= m_arrBars.GetSize())
        return nullptr;
    void* entry = m_arrBars[nPos];
    return !entry || AfxIsPlaceHolder(entry) ? nullptr : static_cast<CControlBar*>(entry);
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        if (i != nPosExclude && m_arrBars[i] == pBar)
            return static_cast<int>(i);
    }
    return -1;
}

int CDockBar::GetDockedCount() const
{
    int count = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        count += GetDockedControlBar(static_cast<int>(i)) != nullptr;
    return count;
}

int CDockBar::GetDockedVisibleCount() const
{
    int count = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* bar = GetDockedControlBar(static_cast<int>(i));
        count += bar && bar->IsVisible();
    }
    return count;
}

int CDockBar::Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid)
{
    const bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    int insertAfter = 0;
    int rowThickness = 0;
    int total = 0;
    for (int pos = 0; pos < m_arrBars.GetSize(); ++pos) {
        CControlBar* bar = GetDockedControlBar(pos);
        if (bar) {
            if (bar->IsVisible()) {
                CRect rectBar;
                bar->GetWindowRect(&rectBar);
                ScreenToClient(&rectBar);
                rowThickness = std::max(rowThickness, horz ? rectBar.Height() : rectBar.Width() - 1);
                if (horz ? rect.left > rectBar.left : rect.top > rectBar.top)
                    insertAfter = pos;
            }
            continue;
        }
        if (m_arrBars[pos] != nullptr)
            continue; // a place holder takes no room
        // The end of a row: the bar goes into it when its middle is above the row's far edge.
        total += rowThickness - afx::kBorder2;
        rowThickness = 0;
        if ((horz ? ptMid.y : ptMid.x) < total) {
            if (pos == 0)
                m_arrBars.InsertAt(insertAfter + 1, static_cast<void*>(nullptr));
            m_arrBars.InsertAt(insertAfter + 1, pBarIns);
            return insertAfter + 1;
        }
        insertAfter = pos;
    }
    // Below every row: a new row at the end.
    m_arrBars.InsertAt(insertAfter + 1, static_cast<void*>(nullptr));
    m_arrBars.InsertAt(insertAfter + 1, pBarIns);
    return insertAfter + 1;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    if (pBar->m_pDockBar == this && (!lpRect || rectBar == *lpRect))
        return;

    if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
        m_dwStyle |= CBRS_FLOAT_MULTI;
    m_dwStyle &= ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
    m_dwStyle |= pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
    if (!(m_dwStyle & CBRS_FLOAT_MULTI)) {
        CString title;
        pBar->GetWindowText(title);
        SetWindowText(title);
    }

    // The bar takes the dock bar's side, all borders, and the floating flag of its new place.
    DWORD style = pBar->GetBarStyle();
    style &= ~CBRS_ALIGN_ANY;
    style |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    if (m_bFloating)
        style |= CBRS_FLOATING;
    else
        style &= ~CBRS_FLOATING;
    pBar->SetBarStyle(style);

    // Hidden while it moves to another dock bar, so it does not flash at the old place.
    bool show = false;
    if (pBar->m_pDockBar != this && pBar->IsWindowVisible()) {
        pBar->SetWindowPos(
            nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        show = true;
    }

    int pos = -1;
    if (lpRect) {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        const CPoint middle = rect.CenterPoint();
        pos = Insert(pBar, rect, middle);
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
            SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    } else {
        // A new row at the end; the layout puts the bar in place.
        if (m_arrBars.GetSize() == 0 || m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
            m_arrBars.Add(nullptr);
        m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
        pBar->SetWindowPos(nullptr, -afx::kBorder2, -afx::kBorder2, 0, 0,
            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }

    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (pBar->m_pDockBar == this)
        RemoveControlBar(pBar, pos);
    else if (pBar->m_pDockBar)
        pBar->m_pDockBar->RemoveControlBar(pBar, -1, m_bFloating && !pBar->m_pDockBar->m_bFloating);
    pBar->m_pDockBar = this;
    if (show)
        pBar->SetWindowPos(
            nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RemovePlaceHolder(pBar);
    if (CFrameWnd* frame = GetDockingFrame())
        frame->DelayRecalcLayout();
}

void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    const int holder = FindBar(static_cast<CControlBar*>(AsEntry(static_cast<UINT>(pBar->GetDlgCtrlID()))));
    if (holder < 0 || pBar->GetDlgCtrlID() == 0) {
        DockControlBar(pBar, lpRect);
        return;
    }
    DWORD style = pBar->GetBarStyle();
    style &= ~CBRS_ALIGN_ANY;
    style |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    if (m_bFloating)
        style |= CBRS_FLOATING;
    else
        style &= ~CBRS_FLOATING;
    pBar->SetBarStyle(style);
    // The bar takes its place holder's entry back.
    m_arrBars[holder] = pBar;
    if (lpRect) {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
            SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (pBar->m_pDockBar && pBar->m_pDockBar != this)
        pBar->m_pDockBar->RemoveControlBar(pBar);
    pBar->m_pDockBar = this;
    if (CFrameWnd* frame = GetDockingFrame())
        frame->DelayRecalcLayout();
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, BOOL bAddPlaceHolder)
{
    const int pos = FindBar(pBar, nPosExclude);
    if (pos <= 0)
        return FALSE;
    // Drops a row end that follows another one (an emptied row).
    auto dropEmptyRow = [this](int at) {
        if (at > 0 && at < m_arrBars.GetSize() && m_arrBars[at - 1] == nullptr && m_arrBars[at] == nullptr)
            m_arrBars.RemoveAt(at);
    };
    const auto nID = static_cast<UINT>(pBar->m_hWnd ? pBar->GetDlgCtrlID() : 0);
    if (bAddPlaceHolder && nID != 0 && nID <= 0xFFFF) {
        m_arrBars[pos] = AsEntry(nID);
        // One place holder per bar is enough.
        if (FindBar(static_cast<CControlBar*>(AsEntry(nID)), pos) > 0) {
            m_arrBars.RemoveAt(pos);
            dropEmptyRow(pos);
        }
    } else {
        m_arrBars.RemoveAt(pos);
        dropEmptyRow(pos);
        if (nID != 0)
            RemovePlaceHolder(pBar);
    }
    // While a bar shuts down nothing more happens here.
    if (!pBar->m_pDockContext)
        return FALSE;
    CFrameWnd* frame = GetDockingFrame();
    if (m_bFloating && GetDockedVisibleCount() == 0) {
        if (GetDockedCount() == 0) {
            if (frame)
                frame->DestroyWindow();
            return TRUE;
        }
        if (frame)
            frame->ShowWindow(SW_HIDE);
    } else if (frame) {
        frame->DelayRecalcLayout();
    }
    return FALSE;
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    const int pos = FindBar(static_cast<CControlBar*>(AsEntry(static_cast<UINT>(pBar->GetDlgCtrlID()))));
    if (pos <= 0)
        return;
    m_arrBars.RemoveAt(pos);
    if (pos < m_arrBars.GetSize() && m_arrBars[pos - 1] == nullptr && m_arrBars[pos] == nullptr)
        m_arrBars.RemoveAt(pos);
}

void CDockBar::ShowAll(BOOL bShow)
{
    for (int pos = 0; pos < m_arrBars.GetSize(); ++pos) {
        CControlBar* bar = GetDockedControlBar(pos);
        if (!bar)
            continue;
        if (CFrameWnd* frame = bar->m_pDockSite ? bar->m_pDockSite : bar->GetDockingFrame())
            frame->ShowControlBar(bar, bShow, FALSE);
    }
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!layout)
        return 0;
    const BOOL query = m_bLayoutQuery;
    const CRect room = m_rectLayout;
    m_bLayoutQuery = layout->hDWP == nullptr;
    m_rectLayout = layout->rect;
    const LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = query;
    m_rectLayout = room;
    return result;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize fixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
    CSize maximum;
    if (!m_rectLayout.IsRectEmpty()) {
        maximum = m_rectLayout.Size();
    } else if (CFrameWnd* frame = GetParentFrame()) {
        CRect client;
        frame->GetClientRect(&client);
        maximum = client.Size();
    }

    AFX_SIZEPARENTPARAMS layout;
    layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
    CPoint pt(-afx::kBorder2, -afx::kBorder2);
    int thickness = 0;
    bool wrapped = false;
    for (int pos = 0; pos < m_arrBars.GetSize(); ++pos) {
        CControlBar* bar = GetDockedControlBar(pos);
        void* entry = m_arrBars[pos];
        if (bar) {
            if (bar->IsVisible()) {
                DWORD mode = 0;
                if ((bar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (bar->m_dwStyle & CBRS_FLOATING))
                    mode |= LM_HORZ | LM_MRUWIDTH;
                else if (bar->m_dwStyle & CBRS_ORIENT_HORZ)
                    mode |= LM_HORZ | LM_HORZDOCK;
                else
                    mode |= LM_VERTDOCK;
                const CSize sizeBar = bar->CalcDynamicLayout(-1, mode);
                CRect rect(pt, sizeBar);
                CRect current;
                bar->GetWindowRect(&current);
                ScreenToClient(&current);
                // Along the row a bar keeps its place unless it would leave the dock bar; a bar that
                // starts past the end wraps into a row of its own.
                const LONG along = bHorz ? rect.left : rect.top;
                const LONG currentAlong = bHorz ? current.left : current.top;
                const LONG room = bHorz ? maximum.cx : maximum.cy;
                const LONG length = bHorz ? rect.Width() : rect.Height();
                auto offset = [&](LONG by) { bHorz ? rect.OffsetRect(by, 0) : rect.OffsetRect(0, by); };
                if (currentAlong > along && !m_bFloating)
                    offset(currentAlong - along);
                const LONG end = bHorz ? rect.right : rect.bottom;
                if (end > room && !m_bFloating) {
                    const LONG start = std::max(room - (length - afx::kBorder2), bHorz ? pt.x : pt.y);
                    offset(start - (bHorz ? rect.left : rect.top));
                }
                if (wrapped) {
                    wrapped = false;
                    offset(-((bHorz ? rect.left : rect.top) + afx::kBorder2));
                } else if ((bHorz ? rect.left : rect.top) >= room - afx::kBorder2 && pos > 0
                    && m_arrBars[pos - 1] != nullptr) {
                    m_arrBars.InsertAt(pos, static_cast<void*>(nullptr));
                    bar = nullptr;
                    entry = nullptr;
                    wrapped = true;
                }
                if (!wrapped) {
                    if (rect != current) {
                        if (!m_bLayoutQuery && !(bar->m_dwStyle & CBRS_FLOATING) && bar->m_pDockContext)
                            bar->m_pDockContext->m_rectMRUDockPos = rect;
                        afx::RepositionWindow(&layout, bar->m_hWnd, &rect);
                    }
                    if (bHorz) {
                        pt.x = rect.left + sizeBar.cx - afx::kBorder2;
                        thickness = std::max<int>(thickness, sizeBar.cy);
                    } else {
                        pt.y = rect.top + sizeBar.cy - afx::kBorder2;
                        thickness = std::max<int>(thickness, sizeBar.cx);
                    }
                }
            }
            if (!wrapped && bar)
                bar->RecalcDelayShow(&layout);
        }
        if (!bar && !entry && thickness != 0) {
            // The end of a row: the next one starts past its thickest bar.
            if (bHorz) {
                pt.y += thickness - afx::kBorder2;
                fixed.cx = std::max(fixed.cx, pt.x);
                fixed.cy = std::max(fixed.cy, pt.y);
                pt.x = -afx::kBorder2;
            } else {
                pt.x += thickness - afx::kBorder2;
                fixed.cx = std::max(fixed.cx, pt.x);
                fixed.cy = std::max(fixed.cy, pt.y);
                pt.y = -afx::kBorder2;
            }
            thickness = 0;
        }
    }
    if (!m_bLayoutQuery && layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);

    // The dock bar's own borders.
    CRect borders;
    CalcInsideRect(borders, bHorz);
    if ((!bStretch || !bHorz) && fixed.cx != 0)
        fixed.cx += -borders.right + borders.left;
    if ((!bStretch || bHorz) && fixed.cy != 0)
        fixed.cy += -borders.bottom + borders.top;
    return fixed;
}

void CDockBar::GetBarInfo(CControlBarInfo* pInfo)
{
    pInfo->m_bDockBar = TRUE;
    pInfo->m_bVisible = TRUE;
    pInfo->m_nBarID = static_cast<UINT>(GetDlgCtrlID());
    pInfo->m_pBar = this;
    pInfo->m_bFloating = m_bFloating;
    if (m_bFloating) {
        CRect rect;
        GetWindowRect(&rect);
        pInfo->m_pointPos = rect.TopLeft();
        pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    }
    pInfo->m_arrBarID.RemoveAll();
    for (int pos = 0; pos < m_arrBars.GetSize(); ++pos) {
        void* entry = m_arrBars[pos];
        if (!entry) {
            pInfo->m_arrBarID.Add(0);
        } else if (AfxIsPlaceHolder(entry)) {
            pInfo->m_arrBarID.Add(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(entry)) | 0x10000);
        } else {
            pInfo->m_arrBarID.Add(static_cast<DWORD>(static_cast<CControlBar*>(entry)->GetDlgCtrlID()));
        }
    }
}

void CDockBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    if (!pFrameWnd)
        return;
    // The rows are rebuilt from the ids; bars not named keep their dock bars.
    for (int pos = 0; pos < m_arrBars.GetSize(); ++pos) {
        if (CControlBar* bar = GetDockedControlBar(pos))
            bar->m_pDockBar = nullptr;
    }
    m_arrBars.RemoveAll();
    m_arrBars.Add(nullptr);
    for (INT_PTR i = 0; i < pInfo->m_arrBarID.GetSize(); ++i) {
        const DWORD value = pInfo->m_arrBarID[i];
        if (value == 0) {
            if (m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
                m_arrBars.Add(nullptr);
            continue;
        }
        const UINT nID = LOWORD(value);
        CControlBar* bar = pFrameWnd->GetControlBar(nID);
        // A stored state may be damaged: a dock bar never docks in a dock bar, and a bar docks once.
        if (!bar || bar == this || bar->IsDockBar() || bar->m_pDockBar == this)
            continue;
        if (HIWORD(value) != 0) {
            m_arrBars.Add(AsEntry(nID));
            continue;
        }
        // Moved here first: leaving a floating dock bar may take its frame, and the frame its children.
        if (bar->GetParent() != this)
            bar->SetParent(this);
        if (bar->m_pDockBar && bar->m_pDockBar != this)
            bar->m_pDockBar->RemoveControlBar(bar);
        DWORD style = bar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING);
        style |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY | (m_bFloating ? CBRS_FLOATING : 0);
        bar->SetBarStyle(style);
        bar->m_pDockBar = this;
        m_arrBars.Add(bar);
    }
    if (m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
        m_arrBars.Add(nullptr);
}
