#include "toolkit/frames/SECDefHideableNode.h"

#include "toolkit/frames/IteratorPreOrder_T.h"
#include "toolkit/frames/SECLayoutNode.h"

BOOL SECDefHideableNode::ShowNode(BOOL bShow, BOOL bForce, BOOL bRecurse)
{
    if (bShow)
        m_nShowCount = bForce ? 1 : m_nShowCount + 1;
    else
        m_nShowCount = bForce ? 0 : m_nShowCount - 1;
    if (m_nShowCount != (bShow ? 1 : 0))
        return FALSE;
    if (!SetNodeVisible(bShow))
        return FALSE;
    auto* self = dynamic_cast<SECLayoutNode*>(this);
    if (bRecurse && self) {
        quorvale::foundation::IteratorPreOrder_T<SECLayoutNode*> it(self);
        for (it.First(); SECLayoutNode* node = it.Current(); it.Next()) {
            if (node == self)
                break;
            if (auto* hideable = dynamic_cast<ISECHideableNode*>(node))
                hideable->ShowNode(bShow, TRUE, FALSE);
        }
    }
    return TRUE;
}

BOOL SECDefHideableNode::SetNodeVisible(BOOL bVisible)
{
    const BOOL bOld = m_bVisible;
    m_bVisible = bVisible ? TRUE : FALSE;
    return bOld != m_bVisible;
}
