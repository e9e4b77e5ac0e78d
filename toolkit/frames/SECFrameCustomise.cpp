#include "toolkit/frames/SECFrameCustomise.h"

#include "platform/afx/CControlBar.h"
#include "toolkit/frames/SECControlsLink.h"
#include "toolkit/frames/SECDisplayCache.h"

namespace SECFrameCustomise {

BOOL InConfigMode(SECControlBarManager* pManager)
{
    const auto& inConfigMode = SECControlsLink::Get().inConfigMode;
    return pManager && inConfigMode && inConfigMode(pManager);
}

void LayoutOnDialogIdle(CFrameWnd& frame, SECControlBarManager* pManager, UINT nWhy)
{
    if (InConfigMode(pManager) && nWhy == 0 && (frame.m_nIdleFlags & CFrameWnd::idleLayout)) {
        frame.RecalcLayout((frame.m_nIdleFlags & CFrameWnd::idleNotify) != 0);
        frame.UpdateWindow();
    }
}

void SysColorChanged(CFrameWnd& frame, const std::function<void()>& defaultProcessing)
{
    displayCache().RefreshSystemColors();
    defaultProcessing();
    if (const auto& sysColorChange = SECControlsLink::Get().sysColorChange) {
        for (POSITION pos = frame.m_listControlBars.GetHeadPosition(); pos;)
            sysColorChange(static_cast<CControlBar*>(frame.m_listControlBars.GetNext(pos)));
    }
}

} // namespace SECFrameCustomise
