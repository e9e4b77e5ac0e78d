#include "toolkit/frames/ScxCaptionNCRDBLClkFilter.h"

#include "platform/afx/CWnd.h"
#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/ScxInfo.h"

namespace nsSysCommandEx {

IMPLEMENT_DYNCREATE(ScxCaptionNCRDBLClkFilter, SECCaptionMsgFilter)

int ScxCaptionNCRDBLClkFilter::OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (nMsg != WM_NCRBUTTONDBLCLK || static_cast<LRESULT>(wParam) != HTCAPTION || !GetOwner())
        return FilterChildren(nMsg, wParam, lParam, pResult);
    SendSysCommandEx(GetOwner()->m_hWnd, SCX_CHANGESTATE, kToggle, POINT {});
    return kConsumed | kStop;
}

} // namespace nsSysCommandEx
