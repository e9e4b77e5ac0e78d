// The docking frame's saved bar layout: the profile form of the dock state and the state handed in
// and out.

#include "toolkit/frames/SECDockState.h"
#include "toolkit/frames/SECFrameBarState.h"
#include "toolkit/frames/SECFrameWnd.h"

void SECFrameWnd::LoadBarState(LPCTSTR lpszProfileName)
{
    SECDockState state(GetControlBarManager());
    SECFrameBarState::Load(*this, state, m_listCreatedBars, lpszProfileName);
    SetDockState(state);
}

void SECFrameWnd::SaveBarState(LPCTSTR lpszProfileName) { SECFrameBarState::Save(*this, GetControlBarManager(), lpszProfileName); }

void SECFrameWnd::SetDockState(SECDockState& state) { SECFrameBarState::Apply(*this, state, m_listCreatedBars); }

void SECFrameWnd::GetDockState(SECDockState& state) { state.GetFrameState(this); }
