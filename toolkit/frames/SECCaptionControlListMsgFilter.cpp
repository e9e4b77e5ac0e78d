#include "toolkit/frames/SECCaptionControlListMsgFilter.h"

#include "platform/afx/CWnd.h"
#include "toolkit/frames/SECCaptionControlMsgFilter.h"

IMPLEMENT_DYNCREATE(SECCaptionControlListMsgFilter, SECCaptionMsgFilter)
IMPLEMENT_DYNCREATE(SECCapConLstMDIMaxChildMsgFilter, SECCaptionControlListMsgFilter)

namespace {

// Right to left along the caption: close, maximise, restore, minimise, help.
constexpr int kStandardOrder[] = { 0, 2, 3, 1, 4 };
constexpr int kClose = 0;
constexpr int kMinimize = 1;
constexpr int kRestore = 3;
// The gap between close and the others, and between the maximise/restore pair and minimise.
constexpr int kGroupGap = 2;

} // namespace

SECCaptionControlListMsgFilter::SECCaptionControlListMsgFilter(CWnd* pOwner, int nID)
    : SECCaptionMsgFilter(pOwner, nID)
{
    DescribeStandardControls();
    ApplyDescriptorsAll(m_standardControls, TRUE);
}

SECCaptionControlListMsgFilter::SECCaptionControlListMsgFilter(
    const SECCaptionControlListMsgFilter& other, CWnd* pOwner)
    : SECCaptionMsgFilter(other, pOwner)
{
    DescribeStandardControls();
}

void SECCaptionControlListMsgFilter::DescribeStandardControls()
{
    for (const int nID : kStandardOrder)
        m_standardControls.Add(nID, -1, RUNTIME_CLASS(SECCaptionControlMsgFilter));
}

int SECCaptionControlListMsgFilter::OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LayoutControls();
    return FilterChildren(nMsg, wParam, lParam, pResult);
}

void SECCaptionControlListMsgFilter::LayoutControls()
{
    const CWnd* pOwner = GetOwner();
    CRect rectCaption;
    if (!IsEnabled() || !pOwner || !GetCaptionRect(rectCaption))
        return;
    CSize size;
    GetButtonSize(size);
    const CPoint origin = GetButtonOrigin(rectCaption, size);
    const BOOL bIconic = ::IsIconic(pOwner->m_hWnd);
    int x = origin.x;
    for (int i = 0; i < GetChildCount(); ++i) {
        auto* pControl = dynamic_cast<SECCaptionControlMsgFilter*>(GetChild(i));
        if (!pControl)
            continue;
        BOOL bEnabled = TRUE;
        if (!pControl->IsEnabled() || !pControl->IsVisible(&bEnabled)) {
            pControl->SetRect(CRect());
            continue;
        }
        pControl->SetRect(CRect(CPoint(x, origin.y), size));
        UINT nState = pControl->GetState();
        // A control being pressed keeps its pushed look while the mouse moves.
        if (!pControl->IsTracking())
            nState &= ~DFCS_PUSHED;
        nState = bEnabled ? (nState & ~DFCS_INACTIVE) : (nState | DFCS_INACTIVE);
        pControl->SetState(nState);
        x -= size.cx;
        const int nID = pControl->GetID();
        if (nID == kClose || nID == kMinimize || (nID == kRestore && bIconic))
            x -= kGroupGap;
    }
}

void SECCapConLstMDIMaxChildMsgFilter::GetButtonSize(CSize& size) const
{
    SetButtonSizeFromMetrics(size, SM_CXMENUSIZE, SM_CYMENUSIZE);
}

CPoint SECCapConLstMDIMaxChildMsgFilter::GetButtonOrigin(const CRect& rectCaption, const CSize& size) const
{
    return SECCaptionControlListMsgFilter::GetButtonOrigin(rectCaption, size)
        + CPoint(0, ::GetSystemMetrics(SM_CYCAPTION));
}
