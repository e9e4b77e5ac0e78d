#include "toolkit/frames/SECFrameBar.h"

IMPLEMENT_DYNCREATE(SECFrameBar, SECControlBar)

BEGIN_MESSAGE_MAP(SECFrameBar, SECControlBar)
    ON_WM_DESTROY()
    ON_WM_PARENTNOTIFY()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

BOOL SECFrameBar::PreTranslateMessage(MSG* pMsg) { return CWnd::PreTranslateMessage(pMsg); }

void SECFrameBar::OnDestroy() { SECControlBar::OnDestroy(); }

void SECFrameBar::OnParentNotify(UINT, LPARAM) { Default(); }

int SECFrameBar::OnMouseActivate(CWnd*, UINT, UINT)
{
    if (!IsFloating())
        return static_cast<int>(Default());
    ActivateTopParent();
    return MA_ACTIVATE;
}
