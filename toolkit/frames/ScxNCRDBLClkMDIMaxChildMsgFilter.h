#pragma once
// On the MDI frame: a right double click in the menu-bar row toggles the maximised active child
// between MDI child and docked, when that child keeps its own double-click filter switched on.

#include "toolkit/frames/SECNcMsgFilter.h"

namespace nsSysCommandEx {

class ScxNCRDBLClkMDIMaxChildMsgFilter : public SECNcMsgFilter {
    DECLARE_DYNCREATE(ScxNCRDBLClkMDIMaxChildMsgFilter)
public:
    explicit ScxNCRDBLClkMDIMaxChildMsgFilter(CWnd* pOwner = nullptr, int nID = -1)
        : SECNcMsgFilter(pOwner, nID)
    {
    }
    SEC_MSGFILTER_CLONE(ScxNCRDBLClkMDIMaxChildMsgFilter)

    int OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    ScxNCRDBLClkMDIMaxChildMsgFilter(const ScxNCRDBLClkMDIMaxChildMsgFilter& other, CWnd* pOwner)
        : SECNcMsgFilter(other, pOwner)
    {
    }
};

} // namespace nsSysCommandEx
