#include "toolkit/frames/ScxNCRDBLClkMDIMaxChildMsgFilter.h"

#include "platform/afx/CWnd.h"
#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/ScxInfo.h"
#include "toolkit/frames/ScxMDIMaxChild.h"

namespace nsSysCommandEx {

IMPLEMENT_DYNCREATE(ScxNCRDBLClkMDIMaxChildMsgFilter, SECNcMsgFilter)

int ScxNCRDBLClkMDIMaxChildMsgFilter::OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (nMsg != WM_NCRBUTTONDBLCLK || static_cast<LRESULT>(wParam) != HTMENU)
        return FilterChildren(nMsg, wParam, lParam, pResult);
    CWnd* pChild = GetMaximizedChildWithFilter(GetOwner(), SEC_FILTER_SCXRDBLCLK);
    if (!pChild)
        return 0;
    SendSysCommandEx(pChild->m_hWnd, SCX_CHANGESTATE, kToggle, POINT {});
    return kConsumed | kStop;
}

} // namespace nsSysCommandEx
