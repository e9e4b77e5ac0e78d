#pragma once
// Visits every node of a tree, children before their parents and the root last; unlike the plain
// children-first walk it also visits a root that has no children.

#include "toolkit/frames/IteratorPreOrder_T.h"
#include "toolkit/frames/SECLayoutNode.h"

template<typename Fn> void ForEachNodeInTree(SECLayoutNode* pRoot, Fn fn)
{
    if (!pRoot)
        return;
    if (!pRoot->GetHeadPosition()) {
        fn(pRoot);
        return;
    }
    quorvale::foundation::IteratorPreOrder_T<SECLayoutNode*> it(pRoot);
    for (it.First(); SECLayoutNode* node = it.Current(); it.Next())
        fn(node);
}
