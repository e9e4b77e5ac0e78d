#include "toolkit/controls/SECListBoxDragWnd.h"

#include <algorithm>

#include "platform/afx/AfxState.h"
#include "platform/afx/CPen.h"
#include "platform/afx/CResourceException.h"
#include "platform/afx/CWindowDC.h"
#include "platform/base/SystemTime.h"
#include "toolkit/controls/SECListBoxSelection.h"
#include "toolkit/frames/SECTrackLoop.h"

BEGIN_MESSAGE_MAP(SECListBoxDragWnd, CWnd)
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

SECListBoxDragWnd::SECListBoxDragWnd(CListBox* pListBox)
    : m_pListBox(pListBox)
{
}

SECListBoxDragWnd::~SECListBoxDragWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL SECListBoxDragWnd::DoDrag(int* pFrom, int* pTo)
{
    if (!m_pListBox || !::IsWindow(m_pListBox->GetSafeHwnd()) || !Start())
        return FALSE;
    RunLoop();
    return Finish(pFrom, pTo);
}

BOOL SECListBoxDragWnd::Start()
{
    m_nSourceIndex = m_pListBox->GetCurSel();
    if (m_nSourceIndex == LB_ERR || (m_bLastItemFixed && m_nSourceIndex == m_pListBox->GetCount() - 1))
        return FALSE;

    const HINSTANCE hInstance = AfxGetInstanceHandle();
    WNDCLASS wc {};
    if (!::GetClassInfo(hInstance, kClassName, &wc)) {
        wc = WNDCLASS {};
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = hInstance;
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kClassName;
        if (!AfxRegisterClass(&wc))
            AfxThrowResourceException();
    }
    if (!CreateEx(0, kClassName, kClassName, WS_POPUP, CRect(0, 0, 0, 0), nullptr, 0))
        return FALSE;

    // The click that started the drag may have left the list to repaint; the line is drawn over the
    // list as it shows.
    m_pListBox->UpdateWindow();
    m_nLinePosition = -1;
    m_nTargetIndex = kNoTarget;
    m_bMoved = FALSE;
    m_bCancelled = FALSE;
    m_bActive = TRUE;
    SetCapture();
    ::GetCursorPos(&m_ptStart);
    ScreenToClient(&m_ptStart);
    m_dwStartTime = m_dwLastScrollTime = ::GetTickCount();
    SetTimer(kScrollTimer, m_dwMinScrollDelay);
    return TRUE;
}

void SECListBoxDragWnd::RunLoop()
{
    SECTrackLoop loop(m_hWnd);
    while (!m_bCancelled && m_bActive) {
        MSG msg;
        // The program quitting, or the mouse taken by another window, ends the drag as a cancel.
        if (!loop.Next(msg)) {
            m_bCancelled = TRUE;
            break;
        }
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
            if (msg.wParam == VK_ESCAPE)
                m_bCancelled = TRUE;
        } else if (!(msg.message == WM_TIMER && msg.hwnd == m_hWnd)) {
            SECTrackLoop::Dispatch(msg);
        }
        if (!m_bCancelled && m_nScrollZone)
            AutoScroll();
    }
}

BOOL SECListBoxDragWnd::Finish(int* pFrom, int* pTo)
{
    MoveLine(-1);
    m_dwEndTime = ::GetTickCount();
    KillTimer(kScrollTimer);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bActive = FALSE;
    DestroyWindow();

    if (!m_bMoved || m_dwEndTime - m_dwStartTime < m_dwDropDelay || m_bCancelled || m_nTargetIndex == kNoTarget
        || m_nTargetIndex == m_nSourceIndex || !::IsWindow(m_pListBox->GetSafeHwnd()))
        return FALSE;

    const int nTop = m_pListBox->GetTopIndex();
    CString text;
    m_pListBox->GetText(m_nSourceIndex, text);
    const DWORD_PTR dwData = m_pListBox->GetItemData(m_nSourceIndex);
    m_pListBox->SetRedraw(FALSE);
    m_pListBox->DeleteString(static_cast<UINT>(m_nSourceIndex));
    int nTarget = m_nTargetIndex;
    if (nTarget > m_nSourceIndex)
        --nTarget;
    if (m_bLastItemFixed && nTarget == kEndOfList)
        nTarget = m_pListBox->GetCount() - 1;
    int nNew = m_pListBox->InsertString(nTarget, text);
    const BOOL bMoved = nNew >= 0;
    // An item that cannot go to its new place goes back to its old one rather than being lost.
    if (!bMoved)
        nNew = m_pListBox->InsertString(m_nSourceIndex, text);
    if (nNew >= 0) {
        m_pListBox->SetItemData(nNew, dwData);
        SECSelectItem(*m_pListBox, nNew);
    }
    m_pListBox->SetTopIndex(nTop);
    m_pListBox->SetRedraw(TRUE);
    if (!bMoved)
        return FALSE;
    if (pFrom)
        *pFrom = m_nSourceIndex;
    if (pTo)
        *pTo = nNew;
    return TRUE;
}

void SECListBoxDragWnd::OnLButtonUp(UINT, CPoint)
{
    m_bActive = FALSE;
    Default();
}

void SECListBoxDragWnd::OnMouseMove(UINT, CPoint point)
{
    if (!m_bActive) {
        Default();
        return;
    }
    if (!m_bMoved) {
        const int dx = point.x - m_ptStart.x;
        const int dy = point.y - m_ptStart.y;
        const int cx = ::GetSystemMetrics(SM_CXDOUBLECLK);
        const int cy = ::GetSystemMetrics(SM_CYDOUBLECLK);
        m_bMoved = dx * dx + dy * dy > cx * cx + cy * cy;
    }

    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CPoint ptList = ptScreen;
    m_pListBox->ScreenToClient(&ptList);
    BOOL bOutside = FALSE;
    int nItem = static_cast<int>(m_pListBox->ItemFromPoint(ptList, bOutside));
    const int nCount = m_pListBox->GetCount();
    // Nothing goes below the placeholder: a point on it counts as a point on the item before it.
    if (m_bLastItemFixed && nItem == nCount - 1)
        nItem = std::max(nItem - 1, -1);
    if (!bOutside) {
        if (m_bLastItemFixed && nItem < 0)
            nItem = nCount - 1;
        CRect rect;
        m_pListBox->GetItemRect(nItem, rect);
        int nEdge = rect.top;
        if (ptList.y >= rect.top + (rect.bottom - rect.top) / 2) {
            m_nTargetIndex = nItem + 1 == nCount ? kEndOfList : nItem + 1;
            nEdge = rect.bottom;
        } else {
            m_nTargetIndex = nItem;
        }
        MoveLine(nEdge + 1);
    }

    if (m_bMoved && ::GetTickCount() - m_dwStartTime >= m_dwDropDelay) {
        const UINT nZone = ZoneOf(ptScreen);
        if (m_nScrollZone == 0 && nZone != 0)
            m_dwScrollDelay = m_dwInitialScrollDelay;
        m_nScrollZone = nZone;
    }
    Default();
}

UINT SECListBoxDragWnd::ZoneOf(CPoint ptScreen) const
{
    CRect rect;
    m_pListBox->GetClientRect(rect);
    m_pListBox->ClientToScreen(rect);
    UINT nZone = 0;
    if (ptScreen.x < rect.left)
        nZone |= kZoneLeft;
    if (ptScreen.y < rect.top)
        nZone |= kZoneAbove;
    if (ptScreen.x >= rect.right)
        nZone |= kZoneRight;
    if (ptScreen.y >= rect.bottom)
        nZone |= kZoneBelow;
    return nZone;
}

void SECListBoxDragWnd::AutoScroll()
{
    const DWORD dwNow = ::GetTickCount();
    if (dwNow - m_dwLastScrollTime < m_dwScrollDelay)
        return;
    if (m_nScrollZone & kZoneAbove)
        ScrollOneItem(-1);
    if (m_nScrollZone & kZoneBelow)
        ScrollOneItem(1);
    m_dwLastScrollTime = dwNow;
    m_dwScrollDelay = std::max(m_dwMinScrollDelay, m_dwScrollDelay > m_dwScrollDelayStep ? m_dwScrollDelay - m_dwScrollDelayStep : 0);
}

void SECListBoxDragWnd::ScrollOneItem(int nDirection)
{
    const int nTop = m_pListBox->GetTopIndex();
    const int nCount = m_pListBox->GetCount();
    CRect client;
    m_pListBox->GetClientRect(client);
    CRect rect;
    if (nDirection < 0 && nTop == 0)
        return;
    if (nDirection > 0 && (nCount == 0 || (m_pListBox->GetItemRect(nCount - 1, rect), rect.bottom <= client.bottom)))
        return;

    // Scrolling down, the line goes under the last item that was wholly shown before the scroll.
    int nLastShown = -1;
    for (int i = nTop; nDirection > 0 && i < nCount; ++i) {
        m_pListBox->GetItemRect(i, rect);
        if (rect.bottom > client.bottom) {
            nLastShown = i - 1;
            break;
        }
    }
    MoveLine(-1);
    m_pListBox->SetTopIndex(nTop + nDirection);
    m_pListBox->UpdateWindow();
    int nLine = -1;
    if (nDirection > 0) {
        const int nAbove = nLastShown >= 0 ? nLastShown : nCount - 2;
        // The drop goes where the line shows: in front of the item under it.
        m_nTargetIndex = nAbove + 1 >= nCount ? kEndOfList : nAbove + 1;
        m_pListBox->GetItemRect(nAbove, rect);
        nLine = rect.bottom + 1;
    } else {
        m_nTargetIndex = nTop - 1;
        m_pListBox->GetItemRect(nTop - 1, rect);
        nLine = rect.top + 1;
    }
    MoveLine(nLine);
}

void SECListBoxDragWnd::MoveLine(int nPosition)
{
    if (nPosition == m_nLinePosition)
        return;
    if (m_nLinePosition >= 0)
        DrawLine(m_nLinePosition);
    m_nLinePosition = nPosition;
    if (m_nLinePosition >= 0)
        DrawLine(m_nLinePosition);
}

void SECListBoxDragWnd::DrawLine(int nPosition)
{
    // Drawn with NOTXOR, so drawing it again erases it.
    CWindowDC dc(m_pListBox);
    CRect client;
    m_pListBox->GetClientRect(client);
    CPen pen(PS_SOLID, 1, RGB(128, 128, 128));
    CPen* pOldPen = dc.SelectObject(&pen);
    const int nOldRop = dc.SetROP2(R2_NOTXORPEN);
    dc.MoveTo(client.left + 2, nPosition);
    dc.LineTo(client.right + 1, nPosition);
    dc.SetROP2(nOldRop);
    dc.SelectObject(pOldPen);
}
