#include "toolkit/frames/SECTrackLoop.h"

#include "platform/afx/AfxHandleMap.h"
#include "platform/afx/CWinApp.h"

SECTrackLoop::SECTrackLoop(HWND hWndCapture)
    : m_hWndCapture(hWndCapture)
{
    AfxLockTempMaps();
}

SECTrackLoop::~SECTrackLoop()
{
    AfxUnlockTempMaps(FALSE);
}

BOOL SECTrackLoop::Next(MSG& msg)
{
    if (::GetCapture() != m_hWndCapture)
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    for (LONG lIdle = 0; pApp && !::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) && pApp->OnIdle(lIdle); ++lIdle) { }
    if (!::GetMessage(&msg, nullptr, 0, 0)) {
        // The program is quitting: the loop that owns the program must see WM_QUIT too.
        m_bQuit = TRUE;
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return FALSE;
    }
    return !(msg.message == WM_CAPTURECHANGED && msg.hwnd == m_hWndCapture);
}

void SECTrackLoop::Dispatch(MSG& msg)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->PreTranslateMessage(&msg))
        return;
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
}
