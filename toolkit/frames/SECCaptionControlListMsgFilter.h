#pragma once
// The caption controls of a window, right to left: close, maximise, restore, minimise and help, and
// whatever controls the frame adds below (the docking-state button). Before each message it lays the
// controls out along the caption from the owner's style, then offers the message to them.

#include "toolkit/frames/SECCaptionMsgFilter.h"

class SECCaptionControlListMsgFilter : public SECCaptionMsgFilter {
    DECLARE_DYNCREATE(SECCaptionControlListMsgFilter)
public:
    explicit SECCaptionControlListMsgFilter(CWnd* pOwner = nullptr, int nID = -1);
    SEC_MSGFILTER_CLONE(SECCaptionControlListMsgFilter)

    int OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    virtual void LayoutControls();
    // The standard controls, so that a frame can switch them on and off together.
    const DescriptorTable& GetStandardControls() const { return m_standardControls; }

protected:
    SECCaptionControlListMsgFilter(const SECCaptionControlListMsgFilter& other, CWnd* pOwner);

    DescriptorTable m_standardControls;

private:
    void DescribeStandardControls();
};

// The caption controls of a maximised MDI child, drawn in the MDI frame's menu-bar row.
class SECCapConLstMDIMaxChildMsgFilter : public SECCaptionControlListMsgFilter {
    DECLARE_DYNCREATE(SECCapConLstMDIMaxChildMsgFilter)
public:
    explicit SECCapConLstMDIMaxChildMsgFilter(CWnd* pOwner = nullptr, int nID = -1)
        : SECCaptionControlListMsgFilter(pOwner, nID)
    {
    }
    SEC_MSGFILTER_CLONE(SECCapConLstMDIMaxChildMsgFilter)

    void GetButtonSize(CSize& size) const override;
    CPoint GetButtonOrigin(const CRect& rectCaption, const CSize& size) const override;

protected:
    SECCapConLstMDIMaxChildMsgFilter(const SECCapConLstMDIMaxChildMsgFilter& other, CWnd* pOwner)
        : SECCaptionControlListMsgFilter(other, pOwner)
    {
    }
};
