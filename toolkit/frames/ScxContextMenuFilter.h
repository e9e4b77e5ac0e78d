#pragma once
// A right click released on the caption opens the docking-state menu there.

#include "toolkit/frames/SECMsgFilter.h"

namespace nsSysCommandEx {

class ScxContextMenuFilter : public SECMsgFilter {
    DECLARE_DYNCREATE(ScxContextMenuFilter)
public:
    explicit ScxContextMenuFilter(CWnd* pOwner = nullptr, int nID = -1)
        : SECMsgFilter(pOwner, nID)
    {
    }
    SEC_MSGFILTER_CLONE(ScxContextMenuFilter)

    int OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    ScxContextMenuFilter(const ScxContextMenuFilter& other, CWnd* pOwner)
        : SECMsgFilter(other, pOwner)
    {
    }
};

} // namespace nsSysCommandEx
