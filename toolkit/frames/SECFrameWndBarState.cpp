// The docking frame's saved bar layout: the profile form of the dock state and the state handed in
// and out.

#include "platform/afx/CWinThread.h"
#include "toolkit/frames/SECDockState.h"
#include "toolkit/frames/SECFrameWnd.h"

void SECFrameWnd::LoadBarState(LPCTSTR lpszProfileName)
{
    SECDockState state(GetControlBarManager());
    state.SetCreatedBarList(&m_listCreatedBars);
    state.LoadFromProfile(lpszProfileName);
    if (CWinThread* pThread = AfxGetThread(); pThread && !pThread->m_pMainWnd)
        pThread->m_pMainWnd = this;
    SetDockState(state);
}

void SECFrameWnd::SaveBarState(LPCTSTR lpszProfileName)
{
    SECDockState state(GetControlBarManager());
    if (!state.GetFrameState(this))
        return;
    state.RemoveDuplicateBarIds();
    state.SaveToProfile(lpszProfileName);
}

void SECFrameWnd::SetDockState(SECDockState& state)
{
    // Bars the state creates from class names belong to the frame.
    state.SetCreatedBarList(&m_listCreatedBars);
    state.SetFrameState(this);
}

void SECFrameWnd::GetDockState(SECDockState& state) { state.GetFrameState(this); }
