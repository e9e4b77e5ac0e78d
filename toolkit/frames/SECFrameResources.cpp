#include "toolkit/frames/SECFrameResources.h"

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

} // namespace SECFrameResources
