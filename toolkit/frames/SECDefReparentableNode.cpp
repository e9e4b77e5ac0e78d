#include "toolkit/frames/SECDefReparentableNode.h"

#include "toolkit/frames/SECLNHwndContainer.h"
#include "toolkit/frames/SECLayoutTreeWalk.h"

BOOL SECDefReparentableNode::SetContainer(ISECLNContainer* pContainer)
{
    m_pContainer = pContainer;
    AdoptRootNodePool();
    SetContainerFromObject(pContainer);
    return TRUE;
}

void SECDefReparentableNode::AdoptRootNodePool()
{
    auto* self = dynamic_cast<SECLayoutNode*>(this);
    if (!self)
        return;
    SECLayoutNodePool* rootPool = self->GetRootNode()->GetNodePool();
    if (self->GetNodePool() && rootPool && rootPool != self->GetNodePool())
        self->SetNodePool(rootPool, FALSE);
}

BOOL SECDefReparentableNode::SetContainerFromObject(ISECLNContainer* pContainer)
{
    if (!pContainer) {
        SetContainerWindow(nullptr);
        return TRUE;
    }
    if (auto* hwndContainer = dynamic_cast<SECLNHwndContainer*>(pContainer)) {
        SetContainerWindow(hwndContainer->GetWindow());
        return TRUE;
    }
    return FALSE;
}

void SECDefReparentableNode::ClearContainerInTree(SECLayoutNode* pRoot, ISECLNContainer* pContainer)
{
    if (!pRoot || !pContainer)
        return;
    auto clear = [pContainer](SECLayoutNode* node) {
        auto* reparentable = dynamic_cast<ISECReparentableNode*>(node);
        if (reparentable && reparentable->GetContainer() == pContainer)
            reparentable->SetContainer(nullptr);
    };
    ForEachNodeInTree(pRoot, clear);
}
