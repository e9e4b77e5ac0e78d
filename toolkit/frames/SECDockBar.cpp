#include "toolkit/frames/SECDockBar.h"

#include <algorithm>

#include "platform/afx/AfxState.h"
#include "platform/afx/CDockContext.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CWinApp.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECControlsLink.h"
#include "toolkit/frames/SECDisplayCache.h"

IMPLEMENT_DYNCREATE(SECDockBar, CDockBar)

BEGIN_MESSAGE_MAP(SECDockBar, CDockBar)
    ON_WM_CREATE()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

namespace {

constexpr int kSplitterCursorVert = 30980;
constexpr int kSplitterCursorHorz = 30981;

HCURSOR LoadSplitterCursor(int nID, LPCTSTR lpszFallback)
{
    HCURSOR hCursor = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(nID));
    return hCursor ? hCursor : ::LoadCursor(nullptr, lpszFallback);
}

} // namespace

SECControlBar* SECDockBar::AsSECBar(CControlBar* pBar)
{
    return pBar && pBar->IsKindOf(RUNTIME_CLASS(SECControlBar)) ? static_cast<SECControlBar*>(pBar) : nullptr;
}

BOOL SECDockBar::KeepsLength(CControlBar* pBar)
{
    const SECControlBar* pSEC = AsSECBar(pBar);
    return !pSEC || (pSEC->m_dwExStyle & BARX_KEEP_LENGTH) != 0;
}

void SECDockBar::SetShadedBorders(CControlBar* pBar, BOOL bShaded)
{
    if (SECControlBar* pSEC = AsSECBar(pBar))
        pSEC->m_dwExStyle = bShaded ? (pSEC->m_dwExStyle | BARX_SHADED_BORDERS) : (pSEC->m_dwExStyle & ~BARX_SHADED_BORDERS);
}

BOOL& SECSmoothLayout()
{
    static BOOL bSmooth = TRUE;
    return bSmooth;
}

void SECDockBar::Splitter::Draw(CDC* pDC)
{
    const SECDisplayCache& cache = displayCache();
    const CRect& r = m_rect;
    if (m_nOrientation == 1) {
        const int h = r.Height();
        pDC->FillSolidRect(r.left + 1, r.top, r.right - r.left - 3, h, cache.m_clrBtnFace);
        pDC->FillSolidRect(r.left, r.top, 1, h, cache.m_clrBtnHilite);
        pDC->FillSolidRect(r.right - 2, r.top, 1, h, cache.m_clrBtnShadow);
        pDC->FillSolidRect(r.right - 1, r.top, 1, h, cache.m_clrWindowFrame);
    } else {
        const int w = r.Width();
        pDC->FillSolidRect(r.left, r.top + 1, w, r.bottom - r.top - 3, cache.m_clrBtnFace);
        pDC->FillSolidRect(r.left, r.top, w, 1, cache.m_clrBtnHilite);
        pDC->FillSolidRect(r.left, r.bottom - 2, w, 1, cache.m_clrBtnShadow);
        pDC->FillSolidRect(r.left, r.bottom - 1, w, 1, cache.m_clrWindowFrame);
    }
}

void SECDockBar::ClientEdge::Draw(CDC* pDC)
{
    const SECDisplayCache& cache = displayCache();
    const CRect& r = m_rect;
    if (m_nOrientation == 1) {
        pDC->FillSolidRect(r.left, r.top, 1, r.Height(), cache.m_clrBtnShadow);
        pDC->FillSolidRect(r.left + 1, r.top, 1, r.Height(), cache.m_clrBtnHilite);
    } else if (m_nOrientation == 0) {
        pDC->FillSolidRect(r.left, r.top, r.Width(), 1, cache.m_clrBtnShadow);
        pDC->FillSolidRect(r.left, r.top + 1, r.Width(), 1, cache.m_clrBtnHilite);
    }
}

SECDockBar::SECDockBar(BOOL bFloating, BOOL bMDIChild)
    : CDockBar(bFloating)
    , m_bMDIChild(bMDIChild)
{
}

SECDockBar::~SECDockBar() = default;

BOOL SECDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CDockBar::Create(pParentWnd, dwStyle, nID);
}

int SECDockBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    SECDisplayCache& cache = displayCache();
    if (!cache.m_hcurVSplit) {
        cache.m_hcurVSplit = LoadSplitterCursor(kSplitterCursorVert, IDC_SIZEWE);
        cache.m_hcurHSplit = LoadSplitterCursor(kSplitterCursorHorz, IDC_SIZENS);
    }
    return 0;
}

void SECDockBar::OnDestroy()
{
    m_splitters.clear();
    m_clientEdges.clear();
    CControlBar::OnDestroy();
}

BOOL SECDockBar::PreTranslateMessage(MSG* pMsg)
{
    // Alt+key reaches the frame's menu while a docked bar has the focus.
    if (pMsg->message == WM_SYSCHAR) {
        if (CFrameWnd* pFrame = GetDockingFrame())
            pFrame->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(pMsg->wParam));
    }
    return CWnd::PreTranslateMessage(pMsg);
}

// Rows ------------------------------------------------------------------------------------------------

int SECDockBar::GetRowStart(int nPos) const
{
    while (nPos > 0 && m_arrBars[nPos - 1])
        --nPos;
    return nPos;
}

int SECDockBar::GetRowEnd(int nPos) const
{
    while (nPos < m_arrBars.GetSize() && m_arrBars[nPos])
        ++nPos;
    return nPos;
}

int SECDockBar::GetRowPosition(int nRow) const
{
    for (int i = 0, nNulls = 0; i < m_arrBars.GetSize(); ++i) {
        if (!m_arrBars[i] && nNulls++ == nRow)
            return i;
    }
    return -1;
}

CControlBar* SECDockBar::GetPrevBarInRow(int nPos) const
{
    for (int i = nPos - 1; i >= 0 && m_arrBars[i]; --i) {
        if (CControlBar* pBar = GetDockedControlBar(i))
            return pBar;
    }
    return nullptr;
}

CControlBar* SECDockBar::GetNextBarInRow(int nPos) const
{
    if (nPos < 0 || nPos >= m_arrBars.GetSize() || !m_arrBars[nPos])
        return nullptr;
    for (int i = nPos + 1; i < m_arrBars.GetSize() && m_arrBars[i]; ++i) {
        if (CControlBar* pBar = GetDockedControlBar(i))
            return pBar;
    }
    return nullptr;
}

CControlBar* SECDockBar::GetNextVisibleBarInRow(int nPos) const
{
    if (nPos < 0 || nPos >= m_arrBars.GetSize() || !m_arrBars[nPos])
        return nullptr;
    for (int i = nPos + 1; i < m_arrBars.GetSize() && m_arrBars[i]; ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar && pBar->IsVisible())
            return pBar;
    }
    return nullptr;
}

int SECDockBar::GetRowThickness(int nPos)
{
    int nThickness = 0;
    const BOOL bHorz = IsHorzSide();
    for (int i = nPos; i < m_arrBars.GetSize() && (i == nPos || m_arrBars[i]); ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar && pBar->IsVisible())
            {
            const CSize size = pBar->CalcDynamicLayout(-1, GetLayoutMode(pBar));
            nThickness = std::max(nThickness, static_cast<int>(bHorz ? size.cy : size.cx));
        }
    }
    return nThickness;
}

BOOL SECDockBar::GetBarRowCol(CControlBar* pBar, int& nRow, int& nCol) const
{
    nRow = -1;
    nCol = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        if (!m_arrBars[i]) {
            ++nRow;
            nCol = 0;
            continue;
        }
        CControlBar* pEntry = GetDockedControlBar(i);
        if (pEntry == pBar)
            return pBar->IsVisible();
        nCol += pEntry != nullptr;
    }
    return FALSE;
}

int SECDockBar::GetVisibleBarCount()
{
    int nCount = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        nCount += pBar && pBar->m_hWnd && pBar->IsVisible();
    }
    return nCount;
}

BOOL SECDockBar::GetRowBars(std::vector<CControlBar*>& bars, CControlBar* pBar)
{
    bars.clear();
    const int nPos = pBar ? FindBar(pBar) : -1;
    if (nPos < 0)
        return FALSE;
    for (int i = nPos - 1; i >= 0 && m_arrBars[i]; --i) {
        if (CControlBar* pOther = GetDockedControlBar(i))
            bars.push_back(pOther);
    }
    bars.push_back(pBar);
    for (int i = nPos + 1; i < m_arrBars.GetSize() && m_arrBars[i]; ++i) {
        if (CControlBar* pOther = GetDockedControlBar(i))
            bars.push_back(pOther);
    }
    return TRUE;
}

BOOL SECDockBar::IsBarAloneInRow(CControlBar* pBar)
{
    std::vector<CControlBar*> bars;
    if (!GetRowBars(bars, pBar))
        return FALSE;
    return std::none_of(bars.begin(), bars.end(), [pBar](CControlBar* p) { return p != pBar && p->IsVisible(); });
}

BOOL SECDockBar::IsBarExpanded(CControlBar* pBar)
{
    std::vector<CControlBar*> bars;
    if (!GetRowBars(bars, pBar))
        return FALSE;
    int nLarge = 0;
    BOOL bBarIsLarge = FALSE;
    for (CControlBar* p : bars) {
        const SECControlBar* pSEC = AsSECBar(p);
        if (pSEC && p->IsVisible() && pSEC->m_fPctWidth > m_fMinShare) {
            ++nLarge;
            bBarIsLarge |= p == pBar;
        }
    }
    return nLarge < 2 && bBarIsLarge;
}

// Shares ------------------------------------------------------------------------------------------------

int SECDockBar::GetRowLength() const
{
    CRect client;
    GetClientRect(&client);
    return IsHorzSide() ? client.Width() : client.Height();
}

void SECDockBar::UpdateMinShare()
{
    const int nLength = m_hWnd ? GetRowLength() : 0;
    m_fMinShare = nLength > 0 ? std::min(static_cast<float>(kMinBarLength) / static_cast<float>(nLength), 1.0F) : 0.05F;
}

void SECDockBar::NormalizeRow(int nStart, CControlBar* pResizingBar, int& nShareBars, int& nFixedBars)
{
    nShareBars = nFixedBars = 0;
    UpdateMinShare();
    SECControlBar* pResizing = AsSECBar(pResizingBar);
    if (pResizing && pResizing->IsVisible() && pResizing->m_fPctWidth > kMaxResizedShare)
        pResizing = nullptr;
    float fResizing = 0.0F;
    float fOthers = 0.0F;
    // A start at a row end is an empty row: the layout asks at entry 0 too, which holds no row.
    int nEnd = nStart;
    for (; nEnd < m_arrBars.GetSize() && m_arrBars[nEnd]; ++nEnd) {
        CControlBar* pBar = GetDockedControlBar(nEnd);
        if (!pBar || !pBar->IsVisible())
            continue;
        ++(KeepsLength(pBar) ? nFixedBars : nShareBars);
        SECControlBar* pSEC = AsSECBar(pBar);
        if (!pSEC)
            continue;
        if (pSEC == pResizing) {
            pSEC->m_fPctWidth = std::clamp(pSEC->m_fPctWidth, m_fMinShare, kMaxResizedShare);
            fResizing += pSEC->m_fPctWidth;
        } else {
            fOthers += pSEC->m_fPctWidth;
        }
    }
    if (fResizing > 0.0F) {
        float fFactor = 1.0F;
        if (fOthers <= 0.0F) {
            fFactor = 1.0F / fResizing;
        } else {
            fResizing = std::min(fResizing, kMaxResizedShare);
            fFactor = fOthers == fResizing ? 1.0F : fOthers / (fOthers - fResizing);
        }
        pResizing->m_fPctWidth = std::max(fFactor * pResizing->m_fPctWidth, m_fMinShare);
        fOthers += pResizing->m_fPctWidth;
    }
    if (fOthers <= 0.0F)
        return;
    for (int i = nStart; i < nEnd; ++i) {
        SECControlBar* pSEC = AsSECBar(GetDockedControlBar(i));
        if (pSEC && pSEC->IsVisible())
            pSEC->m_fPctWidth = std::max(pSEC->m_fPctWidth / fOthers, m_fMinShare);
    }
}

float SECDockBar::AdjustShare(float fDelta, CControlBar* pBar)
{
    SECControlBar* pSEC = AsSECBar(pBar);
    if (!pSEC)
        return fDelta;
    pSEC->m_fPctWidth += fDelta;
    if (pSEC->m_fPctWidth >= m_fMinShare)
        return 0.0F;
    const float fRest = pSEC->m_fPctWidth - m_fMinShare;
    pSEC->m_fPctWidth = m_fMinShare;
    return fRest;
}

void SECDockBar::ExpandBar(CControlBar* pBar, int nMode)
{
    std::vector<CControlBar*> bars;
    if (!GetRowBars(bars, pBar))
        return;
    for (CControlBar* p : bars) {
        if (SECControlBar* pSEC = AsSECBar(p))
            pSEC->m_fPctWidth = nMode == 1 ? (p == pBar ? 1.0F : 0.0F) : 0.1F;
    }
    // The row list starts with the bars before the bar, nearest first: its first bar's entry or the bar's.
    CControlBar* pFirst = GetPrevBarInRow(FindBar(pBar));
    const int nPos = FindBar(pFirst ? pFirst : pBar);
    int nShare = 0;
    int nFixed = 0;
    // Not as the resizing bar: an expanded bar's 1.0 would be ignored anyway, and a contracted row
    // must come out even rather than with the bar keeping its 0.1 against the others' 0.2.
    NormalizeRow(nPos, nullptr, nShare, nFixed);
    AddBarsToRedrawFrom(nPos);
    DelayFrameLayout();
}

void SECDockBar::SetResizingBar(CControlBar* pBar)
{
    const int nPos = FindBar(pBar);
    if (nPos >= 0 && !GetPrevBarInRow(nPos) && !GetNextBarInRow(nPos))
        AddBarsToRedrawFrom(nPos);
    m_barsToRedraw.push_back(pBar);
    m_pResizingBar = pBar;
}

// Redrawing ----------------------------------------------------------------------------------------------

void SECDockBar::AddBarsToRedrawFrom(int nPos)
{
    if (nPos < 0)
        return;
    const BOOL bBefore = (m_dwStyle & (CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM)) != 0;
    const int nFirst = bBefore ? 0 : nPos;
    const int nLast = bBefore ? nPos : static_cast<int>(m_arrBars.GetSize());
    for (int i = nFirst; i < nLast; ++i) {
        if (CControlBar* pBar = GetDockedControlBar(i))
            m_barsToRedraw.push_back(pBar);
    }
}

void SECDockBar::AddRowToolBarsToRedraw(CControlBar* pBar)
{
    // Customisable toolbars paint their own borders, which a moved neighbour leaves stale.
    std::vector<CControlBar*> bars;
    GetRowBars(bars, pBar);
    for (CControlBar* pRowBar : bars) {
        if (SECIsKindOfName(pRowBar, "SECCustomToolBar"))
            m_barsToRedraw.push_back(pRowBar);
    }
}

void SECDockBar::RedrawPendingBars()
{
    m_bRedrawNow = TRUE;
    if (!m_barsToRedraw.empty() && m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    m_bRedrawNow = FALSE;
}

void SECDockBar::DoPaint(CDC* pDC)
{
    for (auto it = m_clientEdges.rbegin(); it != m_clientEdges.rend(); ++it)
        (*it)->Draw(pDC);
    for (auto it = m_splitters.rbegin(); it != m_splitters.rend(); ++it)
        (*it)->Draw(pDC);
    if (m_bRedrawNow) {
        // A bar may have gone since it was listed.
        for (CControlBar* pBar : m_barsToRedraw) {
            if (FindBar(pBar) >= 0 && pBar->m_hWnd)
                pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        }
        m_barsToRedraw.clear();
        m_bRowsChanged = FALSE;
    }
    CDockBar::DoPaint(pDC);
}

void SECDockBar::AddSplitter(int nKind, int nOrientation, int l, int t, int r, int b, int nPos)
{
    const CRect rect(l, t, r, b);
    auto it = std::find_if(m_splitters.begin(), m_splitters.end(), [&](const auto& s) { return s->m_rect == rect; });
    Splitter* pSplitter = it != m_splitters.end() ? it->get() : m_splitters.emplace_back(std::make_unique<Splitter>(nKind, nOrientation, rect)).get();
    pSplitter->m_nKind = nKind;
    pSplitter->m_nOrientation = nOrientation;
    pSplitter->m_nPos = nPos;
    pSplitter->m_bInUse = TRUE;
}

void SECDockBar::AddClientEdge(int nOrientation, int l, int t, int r, int b)
{
    const CRect rect(l, t, r, b);
    auto it = std::find_if(m_clientEdges.begin(), m_clientEdges.end(), [&](const auto& e) { return e->m_rect == rect; });
    ClientEdge* pEdge = it != m_clientEdges.end() ? it->get() : m_clientEdges.emplace_back(std::make_unique<ClientEdge>(nOrientation, rect)).get();
    pEdge->m_nOrientation = nOrientation;
    pEdge->m_bInUse = TRUE;
}

void SECDockBar::DelayFrameLayout()
{
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->DelayRecalcLayout();
}

// The mouse ------------------------------------------------------------------------------------------------

void SECDockBar::OnMouseMove(UINT nFlags, CPoint point)
{
    const SECDisplayCache& cache = displayCache();
    const Splitter* pSplitter = HitTestSplitter(point);
    ::SetCursor(!pSplitter ? cache.m_hcurArrow : pSplitter->m_nOrientation == 1 ? cache.m_hcurVSplit : cache.m_hcurHSplit);
    CDockBar::OnMouseMove(nFlags, point);
}

BOOL SECDockBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    // The cursor the last mouse move chose stays over the dock bar's own client area.
    if (pWnd == this && nHitTest == HTCLIENT)
        return TRUE;
    return CDockBar::OnSetCursor(pWnd, nHitTest, message);
}

void SECDockBar::OnLButtonDown(UINT, CPoint point)
{
    if (Splitter* pSplitter = HitTestSplitter(point))
        TrackSplitter(pSplitter, point.x, point.y);
}
