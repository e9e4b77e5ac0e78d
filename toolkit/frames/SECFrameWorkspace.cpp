#include "toolkit/frames/SECFrameWorkspace.h"

#include "platform/afx/CWnd.h"
#include "toolkit/frames/SECWndPlugIn.h"
#include "toolkit/frames/SECWorkspaceManagerEx.h"

namespace SECFrameWorkspace {

SECWndPlugIn* Install(CWnd& wnd, std::unique_ptr<SECWndPlugIn>& slot, LPCTSTR lpszKey, int nStorageMode,
    CRuntimeClass* pClass, BOOL bFlag)
{
    if (!pClass)
        return nullptr;
    CObject* pObject = pClass->CreateObject();
    auto* pPlugIn = dynamic_cast<SECWndPlugIn*>(pObject);
    if (!pPlugIn) {
        delete pObject;
        return nullptr;
    }
    slot.reset(pPlugIn);
    if (auto* pManager = dynamic_cast<SECWorkspaceManagerEx*>(pPlugIn))
        pManager->Initialize(lpszKey, nStorageMode, HKEY_CURRENT_USER, bFlag);
    if (!slot->AttachToWindow(&wnd))
        slot.reset();
    return slot.get();
}

BOOL RouteCommand(SECWndPlugIn* pPlugIn, UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo, BOOL& bResult)
{
    if (!pPlugIn)
        return FALSE;
    bResult = pPlugIn->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    if (!pPlugIn->m_bConsumed)
        return FALSE;
    pPlugIn->m_bConsumed = FALSE;
    return TRUE;
}

} // namespace SECFrameWorkspace
