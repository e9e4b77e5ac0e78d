#include "toolkit/frames/SECDockContext.h"

#include <algorithm>
#include <cstdlib>

#include "platform/afx/AfxState.h"
#include "platform/afx/CBrush.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CDockBar.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CMiniFrameWnd.h"
#include "platform/afx/CWinApp.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECControlsLink.h"
#include "toolkit/frames/SECDisplayCache.h"
#include "toolkit/frames/SECDockBar.h"
#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/ISECDockSite.h"
#include "toolkit/frames/SECMDIFrameWnd.h"
#include "toolkit/frames/SECTrackLoop.h"

namespace {

BOOL Horizontal(DWORD dwStyle) { return (dwStyle & CBRS_ORIENT_HORZ) != 0; }
BOOL Vertical(DWORD dwStyle) { return (dwStyle & CBRS_ORIENT_VERT) != 0; }

SECControlBar* AsSECBar(CControlBar* pBar)
{
    return pBar && pBar->IsKindOf(RUNTIME_CLASS(SECControlBar)) ? static_cast<SECControlBar*>(pBar) : nullptr;
}

// A toolkit bar that takes a share of its row (rather than keeping its own length).
SECControlBar* ShareBar(CControlBar* pBar)
{
    SECControlBar* pSEC = AsSECBar(pBar);
    return pSEC && !(pSEC->m_dwExStyle & BARX_KEEP_LENGTH) ? pSEC : nullptr;
}

ISECDockSite* AsDockSite(CFrameWnd* pFrame) { return dynamic_cast<ISECDockSite*>(pFrame); }

// Moves the rectangle the least distance that puts the point inside it, a border's width from its
// far edges.
void KeepPointInside(CRect& rect, CPoint pt, int nBorder)
{
    if (pt.x < rect.left)
        rect.OffsetRect(pt.x - rect.left, 0);
    else if (pt.x > rect.right - nBorder)
        rect.OffsetRect(pt.x + nBorder - rect.right, 0);
    if (pt.y < rect.top)
        rect.OffsetRect(0, pt.y - rect.top);
    else if (pt.y > rect.bottom - nBorder)
        rect.OffsetRect(0, pt.y + nBorder - rect.bottom);
}

} // namespace

SECDockContext::SECDockContext(CControlBar* pBar)
    : CDockContext(pBar)
    , m_nMinWidth(::GetSystemMetrics(SM_CXMENUSIZE) + 2 * (::GetSystemMetrics(SM_CXFRAME) + ::GetSystemMetrics(SM_CXBORDER)))
    , m_nMinHeight(::GetSystemMetrics(SM_CYSMCAPTION) + 2 * (::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYBORDER)))
    , m_nMaxWidth(::GetSystemMetrics(SM_CXFULLSCREEN))
    , m_nMaxHeight(::GetSystemMetrics(SM_CYFULLSCREEN))
{
}

SECDockContext::~SECDockContext()
{
    *m_pAlive = FALSE;
    if (m_pDC)
        CancelLoop();
    if (m_pBar && m_pBar->m_pDockBar) {
        m_pBar->m_pDockBar->RemoveControlBar(m_pBar, -1, FALSE);
        m_pBar->m_pDockBar = nullptr;
    }
}

void SECDockContext::SetMessageString(UINT nID)
{
    if (CWnd* pMain = AfxGetMainWnd(); pMain && pMain->m_hWnd)
        pMain->SendMessage(WM_SETMESSAGESTRING, nID);
}

CRect SECDockContext::FrameAround(const CRect& rectBar) const
{
    CRect rect = rectBar;
    CFrameWnd* pFrame = m_pBar->GetParentFrame();
    const BOOL bPlainMini = pFrame && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd))
        && (pFrame->GetStyle() & WS_CAPTION) != WS_CAPTION;
    if (!bPlainMini)
        CMiniFrameWnd::CalcBorders(&rect, WS_THICKFRAME | WS_CAPTION);
    return rect;
}

BOOL SECDockContext::IsHorzOriented() const
{
    const BOOL bHorz = Horizontal(m_dwStyle);
    return m_bFlip ? !bHorz : bHorz;
}

int SECDockContext::DragTravel() const { return std::abs(m_ptLast.x - m_ptDragStart.x) + std::abs(m_ptLast.y - m_ptDragStart.y); }

// Dragging ----------------------------------------------------------------------------------------------

void SECDockContext::StartDrag(CPoint pt)
{
    if (!m_pBar || !m_pDockSite || ::GetCapture())
        return;
    m_nLastOutlineRow = -1;
    m_ptDragStart = pt;
    m_bDragging = TRUE;
    SetMessageString(IDS_SEC_PREVENT_DOCKING);
    InitLoop();
    const SECDisplayCache& cache = displayCache();
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptLast = pt;
    const DWORD dwBarStyle = m_pBar->m_dwStyle;
    if (dwBarStyle & CBRS_SIZE_DYNAMIC) {
        const CSize sizeHorz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
        const CSize sizeVert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
        const CSize sizeFloat = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
        m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
        m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
        CRect floating(rect.TopLeft(), sizeFloat);
        floating.left -= 1;
        floating.top -= 1;
        m_rectFrameDragHorz = m_rectFrameDragVert = FrameAround(floating);
    } else if (dwBarStyle & CBRS_SIZE_FIXED) {
        m_rectDragHorz = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK));
        m_rectDragVert = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK));
        m_rectFrameDragHorz = FrameAround(m_rectDragHorz);
        m_rectFrameDragVert = FrameAround(m_rectDragVert);
    } else {
        // The other orientation is the bar turned about the point where it was taken.
        if (Horizontal(m_dwStyle)) {
            m_rectDragHorz = rect;
            const CSize size = m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
            m_rectDragVert = CRect(CPoint(pt.x - size.cx / 2, rect.top), size);
        } else {
            m_rectDragVert = rect;
            const CSize size = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
            m_rectDragHorz = CRect(CPoint(rect.left, pt.y - size.cy / 2), size);
        }
        m_rectFrameDragHorz = FrameAround(m_rectDragHorz);
        m_rectFrameDragVert = FrameAround(m_rectDragVert);
    }
    m_rectFrameDragHorz.DeflateRect(cache.m_nBorderX, cache.m_nBorderY);
    m_rectFrameDragVert.DeflateRect(cache.m_nBorderX, cache.m_nBorderY);
    for (CRect* pRect : { &m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert })
        KeepPointInside(*pRect, pt, cache.m_nBorderX);
    m_dwOverDockStyle = CanDock();
    Move(pt);
    Track();
}

void SECDockContext::Move(CPoint pt)
{
    const CPoint offset = pt - m_ptLast;
    for (CRect* pRect : { &m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert })
        pRect->OffsetRect(offset);
    m_ptLast = pt;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect(FALSE);
}

DWORD SECDockContext::CanDock()
{
    const BOOL bHorz = IsHorzOriented();
    if (bHorz && Horizontal(m_dwDockStyle))
        return m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
    DWORD dwDock = 0;
    if (Vertical(m_dwDockStyle)) {
        CDockBar* pDockBar = nullptr;
        dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ, &pDockBar);
        // Docking along a side needs the mouse over that side's dock bar.
        CRect rectDockBar;
        if (pDockBar)
            pDockBar->GetWindowRect(&rectDockBar);
        if (dwDock && !(pDockBar && rectDockBar.PtInRect(m_ptLast)))
            dwDock = 0;
    }
    if (!m_bFlip && dwDock == 0) {
        // Either orientation docks where both outlines agree.
        if (Horizontal(m_dwDockStyle)) {
            const DWORD dwAcross = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_VERT);
            const DWORD dwAlong = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
            dwDock = dwAcross == dwAlong ? dwAlong : 0;
        }
        if (dwDock == 0 && Vertical(m_dwDockStyle)) {
            const DWORD dwAcross = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
            const DWORD dwAlong = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
            dwDock = dwAcross == dwAlong ? dwAlong : 0;
        }
    }
    return dwDock;
}

void SECDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    if (!m_pDC)
        return;
    CBrush* pWhite = CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    CBrush* pHalftone = CDC::GetHalftoneBrush();
    CSize size(1, 1);
    CBrush* pBrush = pWhite;
    CRect rect;
    BOOL bFloating = TRUE;
    const BOOL bOverHorz = Horizontal(m_dwOverDockStyle);
    if (m_bDragging && (bOverHorz || Vertical(m_dwOverDockStyle))) {
        // A bar taken from a floating frame shows where it would dock only once it really moved.
        bFloating = m_pBar->IsFloating() && DragTravel() < kOutlineTravel;
        if (!bFloating) {
            const CRect& rectDrag = bOverHorz ? m_rectDragHorz : m_rectDragVert;
            CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle);
            if (pDockBar && pDockBar->IsKindOf(RUNTIME_CLASS(SECDockBar)))
                static_cast<SECDockBar*>(pDockBar)->CalcDragRect(rect, m_pBar, rectDrag, m_ptLast.x, m_ptLast.y,
                    m_nLastOutlineRow, m_rectLastOutline, m_ptLastOutline);
            else
                rect = rectDrag;
            if (displayCache().m_bWin4)
                rect.DeflateRect(1, 1);
        }
    }
    if (bFloating) {
        size = CSize(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1);
        pBrush = pHalftone;
        if (!m_bDragging)
            rect = m_rectActualFrameSize;
        else
            rect = IsHorzOriented() ? m_rectFrameDragHorz : m_rectFrameDragVert;
        m_nLastOutlineRow = -1;
    }
    if (bRemoveRect)
        size = CSize(0, 0);
    m_pDC->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast, pBrush, m_bDitherLast ? pHalftone : pWhite);
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = pBrush == pHalftone;
}

void SECDockContext::EndDrag()
{
    CancelLoop();
    const BOOL bWasFloating = m_pBar->IsFloating();
    if (m_dwOverDockStyle != 0 && (!bWasFloating || DragTravel() > kDockTravel)) {
        if (CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle)) {
            const CRect rect = Vertical(m_dwOverDockStyle) ? m_rectDragVert : m_rectDragHorz;
            const UINT nID = static_cast<UINT>(pDockBar->GetDlgCtrlID());
            if (nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_BOTTOM) {
                m_uMRUDockID = nID;
                m_rectMRUDockPos = rect;
                pDockBar->ScreenToClient(&m_rectMRUDockPos);
            }
            // Coming from a floating frame, the bar keeps its share of the row it joins.
            if (bWasFloating && pDockBar->IsKindOf(RUNTIME_CLASS(SECDockBar)))
                static_cast<SECDockBar*>(pDockBar)->SetResizingBar(m_pBar);
            DockAt(pDockBar, rect);
            m_pDockSite->RecalcLayout(TRUE);
            m_bDragging = FALSE;
            return;
        }
    }
    const SECDisplayCache& cache = displayCache();
    if (!(m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && !IsHorzOriented()) {
        m_dwMRUFloatStyle = CBRS_ALIGN_LEFT | (m_dwDockStyle & CBRS_FLOAT_MULTI);
        m_ptMRUFloatPos = m_rectFrameDragVert.TopLeft();
    } else {
        m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI);
        m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
        if (!SECIsKindOfName(m_pBar, "SECCustomToolBar"))
            m_ptMRUFloatPos.Offset(1 - cache.m_nBorderX, 1 - cache.m_nBorderY);
    }
    FloatAt(m_ptMRUFloatPos, m_dwMRUFloatStyle);
    m_bDragging = FALSE;
}

// Resizing a floating bar ------------------------------------------------------------------------------------

void SECDockContext::StartResize(int nHitTest, CPoint pt)
{
    if (!m_pBar || !m_pDockSite || ::GetCapture())
        return;
    m_bDragging = FALSE;
    InitLoop();
    m_ptLast = pt;
    m_nHitTest = nHitTest;
    const SECDisplayCache& cache = displayCache();
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_rectRequestedSize = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH));
    m_rectActualSize = m_rectRequestedSize;
    m_rectActualFrameSize = FrameAround(m_rectRequestedSize);
    const BOOL bInside = pt.x > rect.left + cache.m_nBorderX && pt.y > rect.top + cache.m_nBorderY;
    CFrameWnd* pFrame = m_pBar->GetParentFrame();
    if (!pFrame || pFrame->GetExStyle() == 0) {
        if (bInside) {
            m_rectActualFrameSize.DeflateRect(cache.m_nBorderX, cache.m_nBorderY);
        } else {
            m_rectActualFrameSize.right -= cache.m_nBorderX;
            m_rectActualFrameSize.bottom -= cache.m_nBorderY;
        }
    } else {
        int nShift = 0;
        if (bInside) {
            m_rectActualFrameSize.DeflateRect(1, 1);
            nShift = -1;
        } else {
            m_rectActualFrameSize.left -= 1;
            m_rectActualFrameSize.top -= 1;
            nShift = 1;
        }
        if (!SECIsKindOfName(m_pBar, "SECCustomToolBar"))
            m_rectActualFrameSize.OffsetRect(nShift, nShift);
    }
    m_rectFrameBorders = CRect(0, 0, m_rectActualFrameSize.Width() - m_rectActualSize.Width(),
        m_rectActualFrameSize.Height() - m_rectActualSize.Height());
    m_dwOverDockStyle = 0;
    Stretch(pt);
    Track();
}

void SECDockContext::Stretch(CPoint pt)
{
    const int nHit = m_nHitTest;
    const BOOL bLeft = nHit == HTLEFT || nHit == HTTOPLEFT || nHit == HTBOTTOMLEFT;
    const BOOL bRight = nHit == HTRIGHT || nHit == HTTOPRIGHT || nHit == HTBOTTOMRIGHT;
    const BOOL bTop = nHit == HTTOP || nHit == HTTOPLEFT || nHit == HTTOPRIGHT;
    const BOOL bBottom = nHit == HTBOTTOM || nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT;
    CPoint ptNew = pt;
    CSize size;
    if (ShareBar(m_pBar)) {
        CRect requested = m_rectRequestedSize;
        if (bLeft)
            requested.left += pt.x - m_ptLast.x;
        if (bRight)
            requested.right += pt.x - m_ptLast.x;
        if (bTop)
            requested.top += pt.y - m_ptLast.y;
        if (bBottom)
            requested.bottom += pt.y - m_ptLast.y;
        // A size outside the limits keeps the old edges, and the mouse's old place along that axis.
        if (requested.Width() < m_nMinWidth || requested.Width() > m_nMaxWidth) {
            requested.left = m_rectRequestedSize.left;
            requested.right = m_rectRequestedSize.right;
            ptNew.x = m_ptLast.x;
        }
        if (requested.Height() < m_nMinHeight || requested.Height() > m_nMaxHeight) {
            requested.top = m_rectRequestedSize.top;
            requested.bottom = m_rectRequestedSize.bottom;
            ptNew.y = m_ptLast.y;
        }
        m_rectRequestedSize = requested;
        m_pBar->CalcDynamicLayout(requested.Width(), LM_HORZ | LM_COMMIT);
        m_pBar->CalcDynamicLayout(requested.Height(), LM_HORZ | LM_LENGTHY | LM_COMMIT);
        size = m_pBar->CalcDynamicLayout(-1, LM_HORZ);
    } else {
        const CPoint offset = pt - m_ptLast;
        int nLength = 0;
        DWORD dwMode = LM_HORZ;
        if (nHit == HTLEFT || nHit == HTRIGHT) {
            (nHit == HTLEFT ? m_rectRequestedSize.left : m_rectRequestedSize.right) += offset.x;
            nLength = m_rectRequestedSize.Width();
        } else {
            dwMode |= LM_LENGTHY;
            (bTop ? m_rectRequestedSize.top : m_rectRequestedSize.bottom) += offset.y;
            nLength = m_rectRequestedSize.Height();
        }
        size = m_pBar->CalcDynamicLayout(std::max(nLength, 0), dwMode);
    }
    // The bar and its frame lie against the edge opposite the one moved, the frame keeping its borders.
    const CSize borders = m_rectFrameBorders.Size();
    auto place = [](LONG& barStart, LONG& barEnd, LONG& frameStart, LONG& frameEnd, BOOL bStartMoved, int nSize, int nBorders) {
        if (bStartMoved) {
            barStart = barEnd - nSize;
            frameStart = frameEnd - (nSize + nBorders);
        } else {
            barEnd = barStart + nSize;
            frameEnd = frameStart + nSize + nBorders;
        }
    };
    place(m_rectActualSize.left, m_rectActualSize.right, m_rectActualFrameSize.left, m_rectActualFrameSize.right, bLeft,
        size.cx, borders.cx);
    place(m_rectActualSize.top, m_rectActualSize.bottom, m_rectActualFrameSize.top, m_rectActualFrameSize.bottom, bTop,
        size.cy, borders.cy);
    m_ptLast = ptNew;
    DrawFocusRect(FALSE);
}

void SECDockContext::EndResize()
{
    CancelLoop();
    m_pBar->CalcDynamicLayout(m_rectActualSize.Width(), LM_HORZ | LM_COMMIT);
    if (ShareBar(m_pBar))
        m_pBar->CalcDynamicLayout(m_rectActualSize.Height(), LM_HORZ | LM_LENGTHY | LM_COMMIT);
    FloatAt(m_rectActualFrameSize.TopLeft(), CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC | (m_dwDockStyle & CBRS_FLOAT_MULTI));
}

// The loop ------------------------------------------------------------------------------------------------------

void SECDockContext::CancelLoop()
{
    DrawFocusRect(TRUE);
    if (m_pBar && ::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
    CWnd* pDesktop = CWnd::GetDesktopWindow();
    pDesktop->UnlockWindowUpdate();
    if (m_pDC) {
        pDesktop->ReleaseDC(m_pDC);
        m_pDC = nullptr;
    }
    SetMessageString(AFX_IDS_IDLEMESSAGE);
}

BOOL SECDockContext::Track()
{
    if (::GetCapture()) {
        CancelLoop();
        return FALSE;
    }
    m_pBar->SetCapture();
    const HWND hWndBar = m_pBar->m_hWnd;
    // The bar, and this context with it, may go while the loop dispatches messages.
    const std::shared_ptr<BOOL> pAlive = m_pAlive;
    {
        SECTrackLoop loop(hWndBar);
        MSG msg {};
        while (loop.Next(msg)) {
            switch (msg.message) {
            case WM_KEYDOWN:
            case WM_KEYUP:
                if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
                    CancelLoop();
                    return FALSE;
                }
                if (m_bDragging && (msg.wParam == VK_CONTROL || msg.wParam == VK_SHIFT)) {
                    const BOOL bDown = msg.message == WM_KEYDOWN;
                    BOOL& bFlag = msg.wParam == VK_CONTROL ? m_bForceFrame : m_bFlip;
                    if (bFlag != bDown) {
                        bFlag = bDown;
                        // Turning across only means something for a bar that docks both ways.
                        m_bFlip = m_bFlip && Horizontal(m_dwDockStyle) && Vertical(m_dwDockStyle);
                        m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
                        DrawFocusRect(FALSE);
                    }
                }
                break;
            case WM_MOUSEMOVE:
                if (m_bDragging)
                    Move(msg.pt);
                else
                    Stretch(msg.pt);
                break;
            case WM_LBUTTONUP:
                if (m_bDragging)
                    EndDrag();
                else
                    EndResize();
                return TRUE;
            case WM_RBUTTONDOWN:
                CancelLoop();
                return FALSE;
            default:
                SECTrackLoop::Dispatch(msg);
                if (!*pAlive)
                    return FALSE;
                break;
            }
        }
    }
    if (!*pAlive)
        return FALSE;
    CancelLoop();
    m_bDragging = FALSE;
    return FALSE;
}

// Docking and floating through the frame ------------------------------------------------------------------------

void SECDockContext::DockAt(CDockBar* pDockBar, const CRect& rect)
{
    if (ISECDockSite* pFrame = AsDockSite(m_pDockSite))
        pFrame->DockControlBar(m_pBar, pDockBar, &rect);
    else
        m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
}

void SECDockContext::ReDockAt(CDockBar* pDockBar, const CRect* pRect)
{
    if (ISECDockSite* pFrame = AsDockSite(m_pDockSite))
        pFrame->ReDockControlBar(m_pBar, pDockBar, pRect);
    else
        m_pDockSite->ReDockControlBar(m_pBar, pDockBar, pRect);
}

void SECDockContext::FloatAt(CPoint point, DWORD dwStyle)
{
    if (ISECDockSite* pFrame = AsDockSite(m_pDockSite))
        pFrame->FloatControlBar(m_pBar, point, dwStyle);
    else
        m_pDockSite->FloatControlBar(m_pBar, point, dwStyle);
}

void SECDockContext::ToggleDocking()
{
    if (!m_pBar || !m_pDockSite)
        return;
    SECControlBar* pSEC = AsSECBar(m_pBar);
    if (m_pBar->IsFloating()) {
        if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
            return;
        if (pSEC)
            pSEC->m_fPctWidth = pSEC->m_fSavedPctWidth;
        CRect rect = m_rectMRUDockPos;
        CDockBar* pDockBar = nullptr;
        if (m_uMRUDockID != 0) {
            CControlBar* pFound = m_pDockSite->GetControlBar(m_uMRUDockID);
            pDockBar = pFound && pFound->IsDockBar() ? static_cast<CDockBar*>(pFound) : nullptr;
            if (pDockBar)
                pDockBar->ClientToScreen(&rect);
        }
        if (m_pBar->m_dwStyle & CBRS_BORDER_TOP)
            rect.right += 1;
        ReDockAt(pDockBar, pDockBar ? &rect : nullptr);
        m_pDockSite->RecalcLayout(TRUE);
        return;
    }
    if (pSEC)
        pSEC->m_fSavedPctWidth = pSEC->m_fPctWidth;
    CPoint point = m_ptMRUFloatPos;
    if (point.x < 0 || point.y < 0) {
        point = m_rectMRUDockPos.TopLeft();
        if (CWnd* pParent = m_pBar->GetParent())
            pParent->ClientToScreen(&point);
    }
    FloatAt(point, m_dwMRUFloatStyle ? m_dwMRUFloatStyle : CBRS_ALIGN_TOP);
}

void SECDockContext::FloatInMainWindow()
{
    // Only the MDI frame has a main window's client for a bar to float in.
    auto* pMDI = dynamic_cast<SECMDIFrameWnd*>(m_pDockSite);
    SECControlBar* pSEC = AsSECBar(m_pBar);
    if (!pMDI || !pSEC)
        return;
    const DWORD dwStyle = m_dwMRUFloatStyle ? m_dwMRUFloatStyle : CBRS_ALIGN_TOP;
    if (!pSEC->IsMDIChild()) {
        pSEC->m_fSavedPctWidth = pSEC->m_fPctWidth;
        m_bWasFloating = m_pBar->IsFloating();
        pMDI->FloatControlBarInMDIChild(m_pBar, m_ptMRUFloatPos.x, m_ptMRUFloatPos.y, dwStyle);
    } else if (m_bWasFloating) {
        pSEC->m_fPctWidth = pSEC->m_fSavedPctWidth;
        CPoint point = m_ptMRUFloatPos;
        if (point.x < 0 || point.y < 0) {
            CRect rect;
            m_pBar->GetWindowRect(&rect);
            point = rect.TopLeft();
        }
        pMDI->ReFloatControlBar(m_pBar, point, dwStyle);
    } else if (m_dwDockStyle & CBRS_ALIGN_ANY) {
        pSEC->m_fPctWidth = pSEC->m_fSavedPctWidth;
        CControlBar* pDockBar = m_uMRUDockID ? pMDI->GetControlBar(m_uMRUDockID) : nullptr;
        pMDI->DockControlBar(m_pBar, pDockBar && pDockBar->IsDockBar() ? static_cast<CDockBar*>(pDockBar) : nullptr,
            m_rectMRUDockPos.IsRectEmpty() ? nullptr : &m_rectMRUDockPos);
        pMDI->RecalcLayout();
    }
}
