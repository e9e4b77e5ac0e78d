#include "toolkit/frames/SECLNSizableDockBorder.h"

#include "toolkit/frames/ISECHideableNode.h"
#include "toolkit/frames/ISECPreferredNodeRectSet.h"

void SECLNSizableDockBorder::OnSplitterMoved(SECLNVirtualSplitter* pSplitter, int dx, int dy)
{
    // The size the user drags to becomes the content's wish, so a later layout keeps it.
    if (SECLayoutNode* pContent = GetContentNode()) {
        if (auto* preferred = dynamic_cast<ISECPreferredNodeRectSet*>(pContent)) {
            preferred->ResetPreferredRects();
        } else {
            RECT rc {};
            pContent->GetCurrentRect(&rc);
            pContent->SetPreferredRect(rc);
        }
    }
    SECLNSizable::OnSplitterMoved(pSplitter, dx, dy);
}

BOOL SECLNSizableDockBorder::OnDockEvent(SECLayoutNode*, SECLayoutNode*, SECLayoutNode*, ISECDockTarget*,
    SECLayoutNodePool*)
{
    SECLayoutNode* pContent = GetContentNode();
    auto* hideable = dynamic_cast<ISECHideableNode*>(pContent);
    if (!hideable || hideable->IsNodeVisible())
        return TRUE;
    RECT rc {};
    pContent->GetCurrentRect(&rc);
    switch (m_nDockSide) {
    case Top:
        rc.bottom = rc.top;
        break;
    case Bottom:
        rc.top = rc.bottom;
        break;
    case Left:
        rc.right = rc.left;
        break;
    default:
        rc.left = rc.right;
        break;
    }
    RECT out {};
    pContent->RecalcLayout(&out, rc, FALSE, TRUE);
    Renegotiate();
    return TRUE;
}
