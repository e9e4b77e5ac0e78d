#pragma once
// Questions about the nodes docked in a dock-target grid, asked by the floating window's root and
// gripper. Anything that is no grid has no nodes.

#include <vector>

#include "toolkit/frames/SECLayoutNode.h"

class SECQueryChildTargetInfo {
public:
    virtual ~SECQueryChildTargetInfo() = default;
    virtual SECLayoutNode* GetTargetFirstNode(SECLayoutNode* pTarget);
    virtual int GetTargetNodeCount(SECLayoutNode* pTarget);
    // Empties the list first.
    virtual void GetTargetNodes(SECLayoutNode* pTarget, std::vector<SECLayoutNode*>& nodes);
};
