#include "toolkit/frames/ScxContextMenuFilter.h"

#include "platform/afx/CWnd.h"
#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/ScxInfo.h"

namespace nsSysCommandEx {

IMPLEMENT_DYNCREATE(ScxContextMenuFilter, SECMsgFilter)

int ScxContextMenuFilter::OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (nMsg != WM_NCRBUTTONUP || static_cast<LRESULT>(wParam) != HTCAPTION || !GetOwner())
        return FilterChildren(nMsg, wParam, lParam, pResult);
    ScxInfo info;
    info.m_hWnd = GetOwner()->m_hWnd;
    info.m_x = GET_X_LPARAM(lParam);
    info.m_y = GET_Y_LPARAM(lParam);
    SendSysCommandEx(SCX_MENUREQUEST, info);
    return kConsumed | kStop;
}

} // namespace nsSysCommandEx
