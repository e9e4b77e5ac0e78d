#include "platform/afx/CIPAddressCtrl.h"

IMPLEMENT_DYNAMIC(CIPAddressCtrl, CWnd)

BOOL CIPAddressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    // The control classes exist once the common controls are registered.
    InitCommonControls();
    return CWnd::Create(WC_IPADDRESS, nullptr, dwStyle, rect, pParentWnd, nID);
}
