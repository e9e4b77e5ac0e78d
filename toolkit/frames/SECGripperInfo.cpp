#include "toolkit/frames/SECGripperInfo.h"

#include "toolkit/frames/SECFrameIds.h"

namespace {

CString LoadOr(UINT nID, LPCTSTR lpszFallback)
{
    CString text;
    if (!text.LoadString(nID))
        text = lpszFallback;
    return text;
}

} // namespace

SECGripperInfo::SECGripperInfo()
    : m_strCloseTip(LoadOr(IDS_SEC_HIDE_DOCKED, "Hide docked window"))
    , m_strExpandTip(LoadOr(IDS_SEC_EXPAND_DOCKED, "Expand docked window"))
    , m_strContractTip(LoadOr(IDS_SEC_CONTRACT_DOCKED, "Contract docked window"))
{
}
