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
    SendSysCommandEx(GetOwner()->m_hWnd, SCX_MENUREQUEST, 0, POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
    return kConsumed | kStop;
}

} // namespace nsSysCommandEx
