// The MDI frame's saved bar layout, kept as the single-document frame keeps it.

#include "toolkit/frames/SECDockState.h"
#include "toolkit/frames/SECFrameBarState.h"
#include "toolkit/frames/SECMDIFrameWnd.h"

void SECMDIFrameWnd::LoadBarState(LPCTSTR lpszProfileName)
{
    SECDockState state(GetControlBarManager());
    SECFrameBarState::Load(*this, state, m_listCreatedBars, lpszProfileName);
    SetDockState(state);
}

void SECMDIFrameWnd::SaveBarState(LPCTSTR lpszProfileName) { SECFrameBarState::Save(*this, GetControlBarManager(), lpszProfileName); }

void SECMDIFrameWnd::SetDockState(SECDockState& state) { SECFrameBarState::Apply(*this, state, m_listCreatedBars); }

void SECMDIFrameWnd::GetDockState(SECDockState& state) { state.GetFrameState(this); }
