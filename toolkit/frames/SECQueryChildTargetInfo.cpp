#include "toolkit/frames/SECQueryChildTargetInfo.h"

#include "toolkit/frames/SECLNDynamicGrid2d.h"

SECLayoutNode* SECQueryChildTargetInfo::GetTargetFirstNode(SECLayoutNode* pTarget)
{
    auto* grid = dynamic_cast<SECLNDynamicGrid2d*>(pTarget);
    return grid ? grid->GetFirstNode() : nullptr;
}

int SECQueryChildTargetInfo::GetTargetNodeCount(SECLayoutNode* pTarget)
{
    auto* grid = dynamic_cast<SECLNDynamicGrid2d*>(pTarget);
    return grid ? grid->GetCellCount() : 0;
}

void SECQueryChildTargetInfo::GetTargetNodes(SECLayoutNode* pTarget, std::vector<SECLayoutNode*>& nodes)
{
    nodes.clear();
    if (auto* grid = dynamic_cast<SECLNDynamicGrid2d*>(pTarget))
        grid->CollectNodes(nodes);
}
