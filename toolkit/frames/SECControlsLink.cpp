#include "toolkit/frames/SECControlsLink.h"

#include "platform/afx/CRuntimeClass.h"
#include "toolkit/frames/SECWndPlugIn.h"

SECControlsLink& SECControlsLink::Get()
{
    static SECControlsLink link;
    return link;
}

BOOL SECIsKindOfName(const CObject* pObject, LPCSTR lpszClassName)
{
    const CRuntimeClass* pClass = CRuntimeClass::FromName(lpszClassName);
    return pObject && pClass && pObject->IsKindOf(pClass);
}

std::unique_ptr<quorvale::foundation::SECWndPlugIn> SECAttachMenuPlugIn(
    CWnd* pFrame, SECMenuBar* pMenuBar, BOOL bBmpMenus, SECControlBarManager* pManager)
{
    const SECControlsLink& link = SECControlsLink::Get();
    std::unique_ptr<quorvale::foundation::SECWndPlugIn> pPlugIn;
    if (pMenuBar) {
        if (link.newMenuBarFeature)
            pPlugIn.reset(link.newMenuBarFeature(pMenuBar));
    } else if (bBmpMenus && link.newBmpMenuPlugIn) {
        pPlugIn.reset(link.newBmpMenuPlugIn());
    }
    if (pPlugIn)
        pPlugIn->AttachToWindow(pFrame);
    if (pPlugIn && bBmpMenus && pManager && link.shareBmpMgr)
        link.shareBmpMgr(pPlugIn.get(), pManager);
    return pPlugIn;
}
