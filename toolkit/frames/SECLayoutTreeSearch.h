#pragma once
// Small searches over layout trees shared by the hit testers and the docking engine.

#include "toolkit/frames/SECLayoutNode.h"

// The first direct child of pRoot, in child order, whose current rectangle holds the point.
SECLayoutNode* FindNodeAt(SECLayoutNode* pRoot, POINT point);
// TRUE when pNode lies below pAncestor; FALSE for null arguments or the same node.
BOOL IsDescendantNode(SECLayoutNode* pAncestor, SECLayoutNode* pNode);
