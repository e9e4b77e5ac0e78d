#include "platform/afx/AfxThreadState.h"

#include "platform/afx/AfxHandleMap.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CGdiObject.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/CWnd.h"

AFX_THREAD_STATE* AfxGetThreadState()
{
    thread_local AFX_THREAD_STATE state;
    return &state;
}

void AfxLockTempMaps() { ++AfxGetThreadState()->m_nTempMapLock; }

BOOL AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_nTempMapLock > 0)
        --state->m_nTempMapLock;
    if (state->m_nTempMapLock != 0 || !bDeleteTemps)
        return FALSE;
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    return TRUE;
}
