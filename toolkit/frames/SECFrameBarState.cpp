#include "toolkit/frames/SECFrameBarState.h"

#include "platform/afx/CControlBar.h"
#include "platform/afx/CWinThread.h"
#include "toolkit/frames/SECDockState.h"

namespace SECFrameBarState {

void Load(CFrameWnd& frame, SECDockState& state, CPtrList& createdBars, LPCTSTR lpszProfileName)
{
    state.SetCreatedBarList(&createdBars);
    state.LoadFromProfile(lpszProfileName);
    if (CWinThread* pThread = AfxGetThread(); pThread && !pThread->m_pMainWnd)
        pThread->m_pMainWnd = &frame;
}

void Save(CFrameWnd& frame, SECControlBarManager* pManager, LPCTSTR lpszProfileName)
{
    SECDockState state(pManager);
    if (!state.GetFrameState(&frame))
        return;
    state.RemoveDuplicateBarIds();
    state.SaveToProfile(lpszProfileName);
}

void Apply(CFrameWnd& frame, SECDockState& state, CPtrList& createdBars)
{
    state.SetCreatedBarList(&createdBars);
    state.SetFrameState(&frame);
}

void DeleteCreatedBars(CPtrList& createdBars)
{
    for (POSITION pos = createdBars.GetHeadPosition(); pos;)
        delete static_cast<CControlBar*>(createdBars.GetNext(pos));
    createdBars.RemoveAll();
}

} // namespace SECFrameBarState
