#include "platform/afx/CDockContext.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CControlBar.h"
#include "platform/afx/CDockBar.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CMiniFrameWnd.h"

namespace {

bool Horizontal(DWORD style) { return (style & CBRS_ORIENT_HORZ) != 0; }
bool Vertical(DWORD style) { return (style & CBRS_ORIENT_VERT) != 0; }

// Moves the rectangle the least distance that puts the point inside it.
void KeepPointInside(CRect& rect, CPoint pt)
{
    const int dx = pt.x < rect.left ? pt.x - rect.left : pt.x > rect.right ? pt.x - rect.right : 0;
    const int dy = pt.y < rect.top ? pt.y - rect.top : pt.y > rect.bottom ? pt.y - rect.bottom : 0;
    rect.OffsetRect(dx, dy);
}

// The floating frame rectangle around a bar rectangle.
CRect FrameAround(const CRect& bar)
{
    CRect frame = bar;
    CMiniFrameWnd::CalcBorders(&frame);
    frame.InflateRect(-afx::kBorder2, -afx::kBorder2);
    return frame;
}

} // namespace

CDockContext::CDockContext(CControlBar* pBar)
    : m_pBar(pBar)
    , m_pDockSite(pBar ? pBar->m_pDockSite : nullptr)
{
}

CDockContext::~CDockContext()
{
    if (m_pDC)
        CancelLoop();
}

void CDockContext::StartDrag(CPoint pt)
{
    if (!m_pBar || !m_pDockSite)
        return;
    m_bDragging = TRUE;
    InitLoop();
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptLast = pt;
    if (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        const CSize horz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
        const CSize vert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
        const CSize floating = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
        m_rectDragHorz = CRect(rect.TopLeft(), horz);
        m_rectDragVert = CRect(rect.TopLeft(), vert);
        m_rectFrameDragHorz = FrameAround(CRect(rect.TopLeft(), floating));
        m_rectFrameDragVert = FrameAround(CRect(rect.TopLeft(), floating));
    } else if (m_pBar->m_dwStyle & CBRS_SIZE_FIXED) {
        const CSize horz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
        const CSize vert = m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
        m_rectDragHorz = CRect(rect.TopLeft(), horz);
        m_rectDragVert = CRect(rect.TopLeft(), vert);
        m_rectFrameDragHorz = FrameAround(m_rectDragHorz);
        m_rectFrameDragVert = FrameAround(m_rectDragVert);
    } else {
        // The other orientation is the bar turned about the point where it was taken.
        const bool horz = Horizontal(m_dwStyle);
        const CSize turned = m_pBar->CalcDynamicLayout(-1, horz ? LM_VERTDOCK : (LM_HORZ | LM_HORZDOCK));
        if (horz) {
            m_rectDragHorz = rect;
            m_rectDragVert = CRect(CPoint(pt.x - rect.Height() / 2, rect.top), turned);
        } else {
            m_rectDragVert = rect;
            m_rectDragHorz = CRect(CPoint(rect.left, pt.y - rect.Width() / 2), turned);
        }
        m_rectFrameDragHorz = FrameAround(m_rectDragHorz);
        m_rectFrameDragVert = FrameAround(m_rectDragVert);
    }
    KeepPointInside(m_rectDragHorz, pt);
    KeepPointInside(m_rectDragVert, pt);
    KeepPointInside(m_rectFrameDragHorz, pt);
    KeepPointInside(m_rectFrameDragVert, pt);
    m_dwOverDockStyle = CanDock();
    Move(pt);
    Track();
}

void CDockContext::Move(CPoint pt)
{
    const CPoint offset = pt - m_ptLast;
    m_rectDragHorz.OffsetRect(offset);
    m_rectFrameDragHorz.OffsetRect(offset);
    m_rectDragVert.OffsetRect(offset);
    m_rectFrameDragVert.OffsetRect(offset);
    m_ptLast = pt;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown)
{
    if (nChar == VK_CONTROL)
        UpdateState(&m_bForceFrame, bDown);
    if (nChar == VK_SHIFT)
        UpdateState(&m_bFlip, bDown);
}

void CDockContext::UpdateState(BOOL* pFlag, BOOL bNewValue)
{
    if (*pFlag == bNewValue)
        return;
    *pFlag = bNewValue;
    // Turning across only means something for a bar that docks both ways.
    m_bFlip = Horizontal(m_dwDockStyle) && Vertical(m_dwDockStyle) && m_bFlip;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::EndDrag()
{
    CancelLoop();
    if (m_dwOverDockStyle != 0) {
        CDockBar* dockBar = GetDockBar(m_dwOverDockStyle);
        if (!dockBar)
            return;
        CRect rect = Vertical(m_dwOverDockStyle) ? m_rectDragVert : m_rectDragHorz;
        const UINT nID = static_cast<UINT>(dockBar->GetDlgCtrlID());
        if (nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_BOTTOM) {
            m_uMRUDockID = nID;
            m_rectMRUDockPos = rect;
            dockBar->ScreenToClient(&m_rectMRUDockPos);
        }
        m_pDockSite->DockControlBar(m_pBar, dockBar, &rect);
        m_pDockSite->RecalcLayout();
    } else if ((m_dwStyle & CBRS_SIZE_DYNAMIC) || (Horizontal(m_dwStyle) && !m_bFlip)
        || (Vertical(m_dwStyle) && m_bFlip)) {
        m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI);
        m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
        m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    } else {
        m_dwMRUFloatStyle = CBRS_ALIGN_LEFT | (m_dwDockStyle & CBRS_FLOAT_MULTI);
        m_ptMRUFloatPos = m_rectFrameDragVert.TopLeft();
        m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    }
}

void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    if (!m_pBar || !m_pDockSite || !(m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC))
        return;
    m_bDragging = FALSE;
    InitLoop();
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptLast = pt;
    m_nHitTest = nHitTest;
    const CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    m_rectRequestedSize = CRect(rect.TopLeft(), size);
    m_rectActualSize = m_rectRequestedSize;
    m_rectActualFrameSize = FrameAround(m_rectRequestedSize);
    m_rectFrameBorders = CRect(CPoint(0, 0), m_rectActualFrameSize.Size() - m_rectActualSize.Size());
    m_dwOverDockStyle = 0;
    Stretch(pt);
    Track();
}

void CDockContext::Stretch(CPoint pt)
{
    const CPoint offset = pt - m_ptLast;
    int length = 0;
    DWORD mode = LM_HORZ;
    if (m_nHitTest == HTLEFT || m_nHitTest == HTRIGHT) {
        if (m_nHitTest == HTLEFT)
            m_rectRequestedSize.left += offset.x;
        else
            m_rectRequestedSize.right += offset.x;
        length = m_rectRequestedSize.Width();
    } else {
        mode |= LM_LENGTHY;
        if (m_nHitTest == HTTOP)
            m_rectRequestedSize.top += offset.y;
        else
            m_rectRequestedSize.bottom += offset.y;
        length = m_rectRequestedSize.Height();
    }
    const CSize size = m_pBar->CalcDynamicLayout(length >= 0 ? length : 0, mode);
    CRect desktop;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    CRect frame = m_rectActualFrameSize;
    CRect seen;
    // The frame grows from the edge held; it must stay on the screen.
    if (m_nHitTest == HTLEFT || m_nHitTest == HTTOP) {
        frame.left = frame.right - (size.cx + m_rectFrameBorders.Width());
        frame.top = frame.bottom - (size.cy + m_rectFrameBorders.Height());
        if (seen.IntersectRect(desktop, frame)) {
            m_rectActualSize.left = m_rectActualSize.right - size.cx;
            m_rectActualSize.top = m_rectActualSize.bottom - size.cy;
            m_rectActualFrameSize.left = frame.left;
            m_rectActualFrameSize.top = frame.top;
        }
    } else {
        frame.right = frame.left + size.cx + m_rectFrameBorders.Width();
        frame.bottom = frame.top + size.cy + m_rectFrameBorders.Height();
        if (seen.IntersectRect(desktop, frame)) {
            m_rectActualSize.right = m_rectActualSize.left + size.cx;
            m_rectActualSize.bottom = m_rectActualSize.top + size.cy;
            m_rectActualFrameSize.right = frame.right;
            m_rectActualFrameSize.bottom = frame.bottom;
        }
    }
    m_ptLast = pt;
    DrawFocusRect();
}

void CDockContext::EndResize()
{
    CancelLoop();
    m_pBar->CalcDynamicLayout(m_rectActualSize.Width(), LM_HORZ | LM_COMMIT);
    m_pDockSite->FloatControlBar(m_pBar, m_rectActualFrameSize.TopLeft(),
        CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI) | CBRS_SIZE_DYNAMIC);
}

void CDockContext::ToggleDocking()
{
    if (!m_pBar || !m_pDockSite)
        return;
    if (m_pBar->IsFloating()) {
        if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
            return;
        CRect rect = m_rectMRUDockPos;
        CDockBar* dockBar = nullptr;
        if (m_uMRUDockID != 0) {
            dockBar = static_cast<CDockBar*>(m_pDockSite->GetControlBar(m_uMRUDockID));
            if (dockBar)
                dockBar->ClientToScreen(&rect);
        }
        m_pDockSite->ReDockControlBar(m_pBar, dockBar, dockBar ? &rect : nullptr);
        m_pDockSite->RecalcLayout();
        return;
    }
    CPoint floatAt = m_ptMRUFloatPos;
    if (floatAt.x < 0 || floatAt.y < 0) {
        floatAt = m_rectMRUDockPos.TopLeft();
        if (CWnd* parent = m_pBar->GetParent())
            parent->ClientToScreen(&floatAt);
    }
    m_pDockSite->FloatControlBar(m_pBar, floatAt, m_dwMRUFloatStyle ? m_dwMRUFloatStyle : CBRS_ALIGN_TOP);
}

void CDockContext::InitLoop()
{
    // Paint what is pending first, so the outline is not painted over.
    MSG msg;
    while (::PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE)) {
        if (!::GetMessage(&msg, nullptr, WM_PAINT, WM_PAINT))
            return;
        ::DispatchMessage(&msg);
    }
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle & CBRS_ALIGN_ANY;
    if (!m_dwStyle)
        m_dwStyle = CBRS_ALIGN_TOP;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bForceFrame = m_bFlip = m_bDitherLast = FALSE;
    CWnd* desktop = CWnd::GetDesktopWindow();
    if (desktop->LockWindowUpdate())
        m_pDC = desktop->GetDCEx(nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    else
        m_pDC = desktop->GetDCEx(nullptr, DCX_WINDOW | DCX_CACHE);
}

void CDockContext::CancelLoop()
{
    if (m_pDC)
        DrawFocusRect(TRUE);
    ::ReleaseCapture();
    CWnd* desktop = CWnd::GetDesktopWindow();
    desktop->UnlockWindowUpdate();
    if (m_pDC) {
        desktop->ReleaseDC(m_pDC);
        m_pDC = nullptr;
    }
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    if (!m_pDC)
        return;
    CSize size(1, 1);
    CBrush* white = CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    CBrush* dither = CDC::GetHalftoneBrush();
    CBrush* brush = white;
    CRect rect;
    if (Horizontal(m_dwOverDockStyle)) {
        rect = m_rectDragHorz;
    } else if (Vertical(m_dwOverDockStyle)) {
        rect = m_rectDragVert;
    } else {
        // Floating: a thick dithered frame the size of the floating frame.
        size.cx = ::GetSystemMetrics(SM_CXFRAME) - 1;
        size.cy = ::GetSystemMetrics(SM_CYFRAME) - 1;
        if (!m_bDragging)
            rect = m_rectActualFrameSize;
        else if ((Horizontal(m_dwStyle) && !m_bFlip) || (Vertical(m_dwStyle) && m_bFlip))
            rect = m_rectFrameDragHorz;
        else
            rect = m_rectFrameDragVert;
        brush = dither;
    }
    if (bRemoveRect)
        size.cx = size.cy = 0;
    // A docking outline one pixel in looks like the bar pressed into place.
    if (Horizontal(m_dwOverDockStyle) || Vertical(m_dwOverDockStyle))
        rect.InflateRect(-1, -1);
    m_pDC->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast, brush, m_bDitherLast ? dither : white);
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = brush == dither;
}

DWORD CDockContext::CanDock()
{
    bool horz = Horizontal(m_dwStyle);
    if (m_bFlip)
        horz = !horz;
    DWORD dock = 0;
    if (horz && Horizontal(m_dwDockStyle))
        dock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
    else if (Vertical(m_dwDockStyle))
        dock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
    if (!m_bFlip) {
        // The other orientation docks only where both outlines agree.
        if (dock == 0 && Horizontal(m_dwDockStyle)) {
            const DWORD across = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_VERT);
            dock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
            dock = dock == across ? dock : 0;
        }
        if (dock == 0 && Vertical(m_dwDockStyle)) {
            const DWORD across = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
            dock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
            dock = dock == across ? dock : 0;
        }
    }
    return dock;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle)
{
    CDockBar* dockBar = nullptr;
    if (Horizontal(dwOverDockStyle))
        m_pDockSite->CanDock(m_rectDragHorz, dwOverDockStyle & ~CBRS_ORIENT_VERT, &dockBar);
    else if (Vertical(dwOverDockStyle))
        m_pDockSite->CanDock(m_rectDragVert, dwOverDockStyle & ~CBRS_ORIENT_HORZ, &dockBar);
    return dockBar;
}

BOOL CDockContext::Track()
{
    if (::GetCapture())
        return FALSE;
    m_pBar->SetCapture();
    while (::GetCapture() == m_pBar->m_hWnd) {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message) {
        case WM_LBUTTONUP:
            if (m_bDragging)
                EndDrag();
            else
                EndResize();
            return TRUE;
        case WM_MOUSEMOVE:
            if (m_bDragging)
                Move(msg.pt);
            else
                Stretch(msg.pt);
            break;
        case WM_KEYUP:
            if (m_bDragging)
                OnKey(static_cast<int>(msg.wParam), FALSE);
            break;
        case WM_KEYDOWN:
            if (m_bDragging)
                OnKey(static_cast<int>(msg.wParam), TRUE);
            if (msg.wParam == VK_ESCAPE) {
                CancelLoop();
                return FALSE;
            }
            break;
        case WM_RBUTTONDOWN:
            CancelLoop();
            return FALSE;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    CancelLoop();
    return FALSE;
}
