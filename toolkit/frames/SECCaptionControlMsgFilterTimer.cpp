#include "toolkit/frames/SECCaptionControlMsgFilterTimer.h"

#include "toolkit/frames/SECCaptionControlMsgFilter.h"
#include "toolkit/frames/SECFrameIds.h"

SECCaptionControlMsgFilterTimer::SECCaptionControlMsgFilterTimer(
    SECCaptionControlMsgFilter* pControl, int nInterval, CPoint ptPress)
    : m_pControl(pControl)
    , m_nInterval(nInterval)
    , m_ptPress(ptPress)
{
}

HWND SECCaptionControlMsgFilterTimer::Start(
    CWnd* pOwner, SECCaptionControlMsgFilter* pControl, int nInterval, CPoint ptPress)
{
    if (!pOwner || !::IsWindow(pOwner->m_hWnd))
        return nullptr;
    auto* pTimer = new SECCaptionControlMsgFilterTimer(pControl, nInterval, ptPress);
    // A failed creation has already deleted the object through PostNcDestroy.
    if (!pTimer->CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 0, 0), pOwner, 0))
        return nullptr;
    return pTimer->m_hWnd;
}

LRESULT SECCaptionControlMsgFilterTimer::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_CREATE:
        m_bTimerSet = ::SetTimer(m_hWnd, SEC_CAPTIONCONTROL_TIMER, static_cast<UINT>(m_nInterval), nullptr) != 0;
        return m_bTimerSet ? 0 : -1;
    case WM_TIMER:
        if (wParam == SEC_CAPTIONCONTROL_TIMER && !m_bFired) {
            m_bFired = TRUE;
            // The held press ends the tracking, which destroys this window: touch nothing afterwards.
            if (m_pControl && m_pControl->IsTracking())
                m_pControl->OnRepeat(m_ptPress);
        }
        return 0;
    case WM_DESTROY:
        if (m_bTimerSet)
            ::KillTimer(m_hWnd, SEC_CAPTIONCONTROL_TIMER);
        m_bTimerSet = FALSE;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(nMsg, wParam, lParam);
}
