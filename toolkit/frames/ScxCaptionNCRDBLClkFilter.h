#pragma once
// A right double click on the caption toggles the frame between MDI child and docked.

#include "toolkit/frames/SECCaptionMsgFilter.h"

namespace nsSysCommandEx {

class ScxCaptionNCRDBLClkFilter : public SECCaptionMsgFilter {
    DECLARE_DYNCREATE(ScxCaptionNCRDBLClkFilter)
public:
    explicit ScxCaptionNCRDBLClkFilter(CWnd* pOwner = nullptr, int nID = -1)
        : SECCaptionMsgFilter(pOwner, nID)
    {
    }
    SEC_MSGFILTER_CLONE(ScxCaptionNCRDBLClkFilter)

    int OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    ScxCaptionNCRDBLClkFilter(const ScxCaptionNCRDBLClkFilter& other, CWnd* pOwner)
        : SECCaptionMsgFilter(other, pOwner)
    {
    }
};

} // namespace nsSysCommandEx
