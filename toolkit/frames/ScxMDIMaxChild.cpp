#include "toolkit/frames/ScxMDIMaxChild.h"

#include "platform/afx/CMDIChildWnd.h"
#include "platform/afx/CMDIFrameWnd.h"
#include "toolkit/frames/ISECMsgFilterHost.h"
#include "toolkit/frames/SECMsgFilter.h"

namespace nsSysCommandEx {

CWnd* GetMaximizedChildWithFilter(CWnd* pMDIFrame, int nFilterID)
{
    auto* pFrame = dynamic_cast<CMDIFrameWnd*>(pMDIFrame);
    if (!pFrame || !::IsWindow(pFrame->m_hWnd) || !pFrame->m_hWndMDIClient)
        return nullptr;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pChild = pFrame->MDIGetActive(&bMaximized);
    auto* pHost = dynamic_cast<ISECMsgFilterHost*>(pChild);
    if (!bMaximized || !pHost || !pHost->GetRootMsgFilter())
        return nullptr;
    const SECMsgFilter* pFilter = pHost->GetRootMsgFilter()->FindFilter(nFilterID, nullptr, -1);
    return pFilter && pFilter->IsEnabled() ? pChild : nullptr;
}

} // namespace nsSysCommandEx
