#include "toolkit/frames/SECFrameResources.h"

#include "platform/afx/AfxPriv.h"
#include "platform/afx/AfxState.h"

namespace SECFrameResources {

BOOL LoadTitle(UINT nID, CString& strTitle)
{
    CString strings;
    if (!strings.LoadString(nID))
        return FALSE;
    const int nCut = strings.Find('\n');
    strTitle = nCut >= 0 ? strings.Left(nCut) : strings;
    return TRUE;
}

HMENU LoadMenuOf(UINT nID)
{
    LPCTSTR lpszResource = MAKEINTRESOURCE(nID);
    HINSTANCE hModule = AfxFindResourceHandle(lpszResource, RT_MENU);
    return ::FindResource(hModule, lpszResource, RT_MENU) ? ::LoadMenu(hModule, lpszResource) : nullptr;
}

HACCEL LoadAcceleratorsOf(UINT nID)
{
    LPCTSTR lpszResource = MAKEINTRESOURCE(nID);
    HINSTANCE hModule = AfxFindResourceHandle(lpszResource, RT_ACCELERATOR);
    return ::FindResource(hModule, lpszResource, RT_ACCELERATOR) ? ::LoadAccelerators(hModule, lpszResource) : nullptr;
}

BOOL LoadFrame(CFrameWnd& frame, UINT nIDResource, BOOL bHasMenuBar, HMENU& hMenuStored, CCreateContext* pContext,
    const std::function<BOOL()>& create, const std::function<void()>& menusLoaded)
{
    frame.m_nIDHelp = nIDResource;
    LoadTitle(nIDResource, frame.m_strTitle);
    if (!bHasMenuBar && !frame.m_hMenuDefault)
        frame.m_hMenuDefault = LoadMenuOf(nIDResource);
    if (!create())
        return FALSE;
    frame.m_hMenuDefault = ::GetMenu(frame.m_hWnd);
    if (bHasMenuBar) {
        hMenuStored = LoadMenuOf(nIDResource);
        if (menusLoaded)
            menusLoaded();
    }
    if (!frame.m_hAccelTable)
        frame.m_hAccelTable = LoadAcceleratorsOf(nIDResource);
    if (!pContext)
        frame.SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

} // namespace SECFrameResources
