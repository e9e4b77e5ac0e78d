#include "toolkit/frames/SECGripperInfo.h"

#include "toolkit/frames/SECFrameIds.h"
#include "toolkit/frames/SECFrameStrings.h"

SECGripperInfo::SECGripperInfo()
    : m_strCloseTip(SECLoadStringOr(IDS_SEC_HIDE_DOCKED, "Hide docked window"))
    , m_strExpandTip(SECLoadStringOr(IDS_SEC_EXPAND_DOCKED, "Expand docked window"))
    , m_strContractTip(SECLoadStringOr(IDS_SEC_CONTRACT_DOCKED, "Contract docked window"))
{
}
