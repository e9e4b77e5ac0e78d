#include "toolkit/controls/SECFakeButton.h"

#include "toolkit/frames/SECTrackLoop.h"

SECFakeButton::SECFakeButton(CBitmap& pressed, CBitmap& normal, const CRect& rect)
    : m_bmpPressed(pressed)
    , m_bmpNormal(normal)
    , m_rect(rect)
{
}

SECFakeButton::~SECFakeButton()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL SECFakeButton::Track()
{
    if (!CreateEx(0, "static", "", WS_POPUP, CRect(0, 0, 0, 0), nullptr, 0))
        return FALSE;
    SetCapture();
    CPoint point;
    ::GetCursorPos(&point);
    m_bPressed = m_rect.PtInRect(point);
    Draw(m_bPressed);

    BOOL bInside = FALSE;
    {
        SECTrackLoop loop(m_hWnd);
        MSG msg;
        while (!m_bDone && loop.Next(msg)) {
            if (msg.hwnd != m_hWnd || (msg.message != WM_MOUSEMOVE && msg.message != WM_LBUTTONUP)) {
                SECTrackLoop::Dispatch(msg);
                continue;
            }
            point = CPoint(msg.lParam);
            ClientToScreen(&point);
            const BOOL bOver = m_rect.PtInRect(point);
            if (msg.message == WM_LBUTTONUP) {
                bInside = bOver;
                m_bDone = TRUE;
            } else if (bOver != m_bPressed) {
                m_bPressed = bOver;
                Draw(m_bPressed);
            }
        }
    }
    Draw(FALSE);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    DestroyWindow();
    return bInside;
}

void SECFakeButton::Draw(BOOL bPressed)
{
    CBitmap& bitmap = bPressed ? m_bmpPressed : m_bmpNormal;
    BITMAP bm {};
    if (!bitmap.GetSafeHandle() || !bitmap.GetBitmap(&bm))
        return;
    HDC hScreen = ::GetDC(nullptr);
    CDC* pScreen = CDC::FromHandle(hScreen);
    CDC memory;
    if (memory.CreateCompatibleDC(pScreen)) {
        CBitmap* pOld = memory.SelectObject(&bitmap);
        pScreen->BitBlt(m_rect.left, m_rect.top, bm.bmWidth, bm.bmHeight, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(pOld);
    }
    ::ReleaseDC(nullptr, hScreen);
}
