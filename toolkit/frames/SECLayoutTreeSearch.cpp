#include "toolkit/frames/SECLayoutTreeSearch.h"

SECLayoutNode* FindNodeAt(SECLayoutNode* pRoot, POINT point)
{
    if (!pRoot)
        return nullptr;
    for (POSITION pos = pRoot->GetHeadPosition(); pos; pos = pRoot->GetNextPosition(pos)) {
        SECLayoutNode* child = pRoot->GetChildAt(pos);
        RECT rc {};
        child->GetCurrentRect(&rc);
        if (::PtInRect(&rc, point))
            return child;
    }
    return nullptr;
}

BOOL IsDescendantNode(SECLayoutNode* pAncestor, SECLayoutNode* pNode)
{
    if (!pAncestor || !pNode || pAncestor == pNode)
        return FALSE;
    for (SECLayoutNode* parent = pNode->GetParentNode(); parent; parent = parent->GetParentNode()) {
        if (parent == pAncestor)
            return TRUE;
    }
    return FALSE;
}
