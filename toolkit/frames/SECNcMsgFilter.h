#pragma once
// The base of the filters of a window's non-client area.

#include "toolkit/frames/SECMsgFilter.h"

class SECNcMsgFilter : public SECMsgFilter {
    DECLARE_DYNCREATE(SECNcMsgFilter)
public:
    explicit SECNcMsgFilter(CWnd* pOwner = nullptr, int nID = -1)
        : SECMsgFilter(pOwner, nID)
    {
    }
    SEC_MSGFILTER_CLONE(SECNcMsgFilter)

protected:
    SECNcMsgFilter(const SECNcMsgFilter& other, CWnd* pOwner)
        : SECMsgFilter(other, pOwner)
    {
    }
};
