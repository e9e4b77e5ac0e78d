#include "toolkit/frames/SECParentOfNegotiableChildNode.h"

#include "toolkit/frames/ISECLNContainer.h"
#include "toolkit/frames/SECLayoutNode.h"

BOOL SECParentOfNegotiableChildNode::OnChildSizeChanged(BOOL bPropagate, ISECLNContainer* pContainer)
{
    auto* self = dynamic_cast<SECLayoutNode*>(this);
    if (!self)
        return FALSE;
    SECLayoutNode* parent = self->GetParentNode();
    if (bPropagate) {
        if (auto* negotiating = dynamic_cast<ISECParentOfNegotiableChildNode*>(parent))
            return negotiating->OnChildSizeChanged(bPropagate, pContainer);
    }
    SECLayoutNode* target = parent ? parent : self;
    RECT rc {};
    RECT out {};
    target->GetCurrentRect(&rc);
    target->RecalcLayout(&out, rc, TRUE, TRUE);
    if (pContainer)
        pContainer->RecalcFrameLayout(TRUE);
    self->GetRootNode()->RecalcInPlace(&out);
    return TRUE;
}
