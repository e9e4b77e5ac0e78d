// The dock bar's splitters: the drag that moves one, the limits it keeps and what a move does to the
// rows and shares.

#include "toolkit/frames/SECDockBar.h"

#include <algorithm>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CFrameWnd.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECTrackLoop.h"

namespace {

// A bar at its least length and the splitter beside it.
constexpr int kBarWithSplitter = SECDockBar::kMinBarLength + SECDockBar::kSplitterSize;
constexpr int kDragEdge = 5;
constexpr UINT kLeftOverPane = 0xE900;

} // namespace

SECDockBar::Splitter* SECDockBar::HitTestSplitter(CPoint point) const
{
    for (auto it = m_splitters.rbegin(); it != m_splitters.rend(); ++it) {
        if ((*it)->m_rect.PtInRect(point))
            return it->get();
    }
    return nullptr;
}

void SECDockBar::TrackSplitter(Splitter* pSplitter, int x, int y)
{
    if (!pSplitter)
        return;
    CalcSplitterLimits(pSplitter);
    m_bTracking = TRUE;
    const int nDelta = TrackSplitterLoop(pSplitter, CPoint(x, y));
    m_bTracking = FALSE;
    if (nDelta == 0)
        return;
    MoveSplitter(pSplitter, nDelta);
    DelayFrameLayout();
}

void SECDockBar::DrawTrackRect(CDC* pDC, Splitter* pSplitter, const CRect& rect, BOOL bErase)
{
    // The strip less a pixel on each long side, in the coordinates of the DC's window.
    CRect rectDraw = rect;
    if (pSplitter->m_nOrientation == 1)
        rectDraw.DeflateRect(1, 0);
    else
        rectDraw.DeflateRect(0, 1);
    CWnd* pFrame = GetDockingFrame();
    if (pFrame)
        MapWindowPoints(pFrame, &rectDraw);
    const CSize size(kDragEdge, kDragEdge);
    if (bErase) {
        pDC->DrawDragRect(CRect(0, 0, 0, 0), size, pSplitter->m_rectLastDrag, pSplitter->m_sizeLastDrag);
        pSplitter->m_rectLastDrag.SetRectEmpty();
        pSplitter->m_bErase = FALSE;
        return;
    }
    pDC->DrawDragRect(rectDraw, size, pSplitter->m_bErase ? &pSplitter->m_rectLastDrag : nullptr, pSplitter->m_sizeLastDrag);
    pSplitter->m_rectLastDrag = rectDraw;
    pSplitter->m_sizeLastDrag = size;
    pSplitter->m_bErase = TRUE;
}

int SECDockBar::TrackSplitterLoop(Splitter* pSplitter, CPoint point)
{
    if (::GetCapture() != nullptr)
        return 0;
    SetCapture();
    CFrameWnd* pFrame = GetDockingFrame();
    UpdateWindow();
    if (pFrame)
        pFrame->UpdateWindow();
    const BOOL bVert = pSplitter->m_nOrientation == 1;
    const int nOffset = bVert ? point.x - pSplitter->m_rect.left : point.y - pSplitter->m_rect.top;
    const int nOldStart = bVert ? pSplitter->m_rect.left : pSplitter->m_rect.top;
    HWND hWndDraw = pFrame ? pFrame->m_hWnd : m_hWnd;
    HDC hDC = ::GetDCEx(hWndDraw, nullptr, DCX_CACHE);
    CDC* pDC = CDC::FromHandle(hDC);
    pSplitter->m_bErase = FALSE;
    CRect rect = pSplitter->m_rect;
    BOOL bCancel = FALSE;
    BOOL bMoved = FALSE;
    {
        SECTrackLoop loop(m_hWnd);
        MSG msg {};
        for (BOOL bDone = FALSE; !bDone;) {
            if (!loop.Next(msg)) {
                bCancel = loop.IsQuitting();
                break;
            }
            switch (msg.message) {
            case WM_KEYDOWN:
                bCancel = bDone = msg.wParam == VK_ESCAPE;
                break;
            case WM_RBUTTONDOWN:
                bCancel = bDone = TRUE;
                break;
            case WM_MOUSEMOVE:
            case WM_LBUTTONUP: {
                // Captured mouse input is in the capturing window's coordinates.
                CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
                if (msg.hwnd != m_hWnd)
                    ::MapWindowPoints(msg.hwnd, m_hWnd, &pt, 1);
                int nStart = std::max((bVert ? pt.x : pt.y) - nOffset, pSplitter->m_nMin);
                if (nStart + kSplitterSize > pSplitter->m_nMax)
                    nStart = pSplitter->m_nMax - kSplitterSize;
                bVert ? rect.MoveToX(nStart) : rect.MoveToY(nStart);
                bMoved = TRUE;
                DrawTrackRect(pDC, pSplitter, rect, FALSE);
                bDone = msg.message == WM_LBUTTONUP;
                break;
            }
            default:
                SECTrackLoop::Dispatch(msg);
                break;
            }
        }
    }
    if (pSplitter->m_bErase)
        DrawTrackRect(pDC, pSplitter, rect, TRUE);
    ::ReleaseDC(hWndDraw, hDC);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (bCancel || !bMoved)
        return 0;
    return (bVert ? rect.left : rect.top) - nOldStart;
}

void SECDockBar::CalcSplitterLimits(Splitter* pSplitter)
{
    CRect client;
    GetClientRect(&client);
    const BOOL bVert = pSplitter->m_nOrientation == 1;
    if (pSplitter->m_nKind == 1) {
        const int nStart = GetRowStart(pSplitter->m_nPos);
        int nBefore = 0;
        int nAfter = 0;
        for (int i = nStart; i < m_arrBars.GetSize() && (i == nStart || m_arrBars[i]); ++i) {
            if (GetDockedControlBar(i))
                ++(i <= pSplitter->m_nPos ? nBefore : nAfter);
        }
        pSplitter->m_nMin = (bVert ? client.left : client.top) + kBarWithSplitter * nBefore;
        pSplitter->m_nMax = (bVert ? client.right : client.bottom) - kBarWithSplitter * nAfter;
        return;
    }
    const int nThick = GetRowThickness(pSplitter->m_nPos);
    // What the frame's bars leave of the main window's client area, in this dock bar's coordinates.
    CRect free;
    CWnd* pMain = AfxGetMainWnd();
    if (!pMain)
        pMain = GetDockingFrame();
    if (pMain) {
        pMain->RepositionBars(0, 0xFFFF, kLeftOverPane, reposQuery, &free);
        pMain->MapWindowPoints(this, &free);
    }
    const CRect& r = pSplitter->m_rect;
    if (m_dwStyle & CBRS_ALIGN_TOP) {
        pSplitter->m_nMin = r.top - nThick + kMinRowThickness;
        pSplitter->m_nMax = std::max(free.bottom - kMinRowThickness, static_cast<int>(r.bottom));
    } else if (m_dwStyle & CBRS_ALIGN_BOTTOM) {
        pSplitter->m_nMin = std::min(free.top + kMinRowThickness, static_cast<int>(r.top));
        pSplitter->m_nMax = r.top + nThick - kMinRowThickness;
    } else if (m_dwStyle & CBRS_ALIGN_LEFT) {
        pSplitter->m_nMin = r.left - nThick + kMinRowThickness;
        pSplitter->m_nMax = std::max(free.right - kMinRowThickness, static_cast<int>(r.right));
    } else {
        pSplitter->m_nMin = std::min(free.left + kMinRowThickness, static_cast<int>(r.left));
        pSplitter->m_nMax = r.left + nThick - kMinRowThickness;
    }
}

int SECDockBar::TakeLength(CControlBar* pBar, int nDelta, int nTotal)
{
    const DWORD nMode = GetLayoutMode(pBar);
    const BOOL bHorz = (nMode & LM_HORZ) != 0;
    const CSize size = pBar->CalcDynamicLayout(-1, nMode);
    const int nOld = bHorz ? size.cx : size.cy;
    int nNew = std::max(nOld + nDelta, static_cast<int>(kMinBarLength));
    pBar->CalcDynamicLayout(nNew, nMode | LM_COMMIT);
    if (SECControlBar* pSEC = AsSECBar(pBar)) {
        pSEC->m_fPctWidth = nTotal > 0 ? static_cast<float>(nNew) / static_cast<float>(nTotal) : m_fMinShare;
        if (pSEC->m_fPctWidth < m_fMinShare) {
            pSEC->m_fPctWidth = m_fMinShare;
            nNew = static_cast<int>(static_cast<float>(nTotal) * m_fMinShare);
        }
    }
    return nOld - nNew + nDelta;
}

void SECDockBar::MoveSplitter(Splitter* pSplitter, int nDelta)
{
    m_bRowsChanged = TRUE;
    AddRowToolBarsToRedraw(GetDockedControlBar(pSplitter->m_nPos));
    const int nStart = GetRowStart(pSplitter->m_nPos);
    int nEnd = nStart;
    while (nEnd < m_arrBars.GetSize() && (nEnd == nStart || m_arrBars[nEnd]))
        ++nEnd;
    if (pSplitter->m_nKind == 0) {
        if (m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_TOP))
            nDelta = -nDelta;
        for (int i = nStart; i < nEnd; ++i) {
            CControlBar* pBar = GetDockedControlBar(i);
            if (!pBar)
                continue;
            DWORD nMode = LM_VERTDOCK;
            if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
                nMode = LM_HORZ | LM_MRUWIDTH | LM_LENGTHY;
            else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
                nMode = LM_HORZ | LM_HORZDOCK | LM_LENGTHY;
            const CSize size = pBar->CalcDynamicLayout(-1, nMode);
            const int nAcross = (nMode & LM_LENGTHY) ? size.cy : size.cx;
            pBar->CalcDynamicLayout(nAcross - nDelta, nMode | LM_COMMIT);
        }
        return;
    }
    CRect window;
    GetWindowRect(&window);
    std::vector<CControlBar*> visible;
    for (int i = nStart; i < nEnd; ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar && pBar->IsVisible())
            visible.push_back(pBar);
    }
    const int nTotal = (IsHorzSide() ? window.Width() : window.Height())
        - kSplitterSize * std::max(static_cast<int>(visible.size()) - 1, 0);
    CControlBar* pSplitBar = GetDockedControlBar(pSplitter->m_nPos);
    auto it = std::find(visible.begin(), visible.end(), pSplitBar);
    if (it == visible.end() || it + 1 == visible.end())
        return;
    // One bar takes the length; its neighbours on the other side give it back, nearest first.
    auto giveBack = [&](auto first, auto last, int nRest) {
        for (; first != last && nRest != 0; ++first) {
            nRest = TakeLength(*first, nRest, nTotal);
            m_barsToRedraw.push_back(*first);
        }
    };
    if (nDelta >= 0) {
        TakeLength(*it, nDelta, nTotal);
        giveBack(it + 1, visible.end(), -nDelta);
    } else {
        TakeLength(*(it + 1), -nDelta, nTotal);
        giveBack(std::make_reverse_iterator(it + 1), visible.rend(), nDelta);
    }
}
