#include "toolkit/frames/SECDockingNodeConstraints.h"

#include "toolkit/frames/SECDynGridLineTarget.h"

void SECDockingNodeConstraints::RecordLastInsertion(SECLayoutNode* pNode)
{
    if (!pNode)
        return;
    for (SECLayoutNode* node = pNode->GetParentNode(); node; node = node->GetParentNode()) {
        if (auto* target = dynamic_cast<SECDynGridLineTarget*>(node)) {
            SECDockInsertionConstraints place;
            if (target->GetDockInsertConstraints(pNode, &place))
                SetLastInsertion(place);
            return;
        }
    }
}
