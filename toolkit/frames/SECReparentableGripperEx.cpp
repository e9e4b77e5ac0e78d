#include "toolkit/frames/SECReparentableGripperEx.h"

BOOL SECReparentableGripperEx::OnDockEvent(SECLayoutNode*, SECLayoutNode*, SECLayoutNode*, ISECDockTarget*,
    SECLayoutNodePool* pPool)
{
    if (!HasBorderedNode()) {
        if (SECLayoutNode* parent = GetParentNode())
            parent->RemoveLayoutNode(this);
        SetNodePool(pPool, FALSE);
        return FALSE;
    }
    EnableBorder(TRUE, FALSE);
    return TRUE;
}
