#pragma once
// A filter of the owner's caption: where the caption lies and where its buttons go, from the owner's
// style and the system metrics.

#include "platform/afx/CRect.h"
#include "toolkit/frames/SECNcMsgFilter.h"

class SECCaptionMsgFilter : public SECNcMsgFilter {
    DECLARE_DYNCREATE(SECCaptionMsgFilter)
public:
    explicit SECCaptionMsgFilter(CWnd* pOwner = nullptr, int nID = -1)
        : SECNcMsgFilter(pOwner, nID)
    {
    }
    SEC_MSGFILTER_CLONE(SECCaptionMsgFilter)

    // The caption in window coordinates: inside the border, as wide as the window less both borders,
    // one caption less a border high (0 high without a full caption). FALSE without an owner.
    virtual BOOL GetCaptionRect(CRect& rect) const;
    // A caption button from a pair of size metrics: two narrower and four lower than the metric.
    virtual void SetButtonSizeFromMetrics(CSize& size, int nMetricX, int nMetricY) const;
    virtual void GetButtonSize(CSize& size) const;
    // The right-most button's top-left corner.
    virtual CPoint GetButtonOrigin(const CRect& rectCaption, const CSize& size) const;

protected:
    SECCaptionMsgFilter(const SECCaptionMsgFilter& other, CWnd* pOwner)
        : SECNcMsgFilter(other, pOwner)
    {
    }
    DWORD OwnerStyle() const;
    DWORD OwnerExStyle() const;
};
