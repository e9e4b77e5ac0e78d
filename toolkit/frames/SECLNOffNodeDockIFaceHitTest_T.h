#pragma once
// Finds a node that takes points outside its own rectangle (an off-node target such as a frame side in
// grow mode), searching each tree's children before its grandchildren, over every registered tree.

#include "platform/afx/CList.h"
#include "toolkit/frames/ISECOffNodeHitTest.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLayoutNode.h"

template<class Interface> class SECLNOffNodeIFaceHitTest_T {
public:
    virtual ~SECLNOffNodeIFaceHitTest_T() = default;

    virtual Interface* HitTest(SECLayoutNode* pNode, POINT ptNode)
    {
        if (!pNode)
            return nullptr;
        if (Interface* hit = HitTestSelf(pNode, ptNode))
            return hit;
        return HitTestChildren(pNode, ptNode);
    }
    virtual Interface* HitTestChildren(SECLayoutNode* pNode, POINT ptNode)
    {
        for (POSITION pos = pNode->GetHeadPosition(); pos; pos = pNode->GetNextPosition(pos)) {
            if (Interface* hit = HitTestSelf(pNode->GetChildAt(pos), ptNode))
                return hit;
        }
        for (POSITION pos = pNode->GetHeadPosition(); pos; pos = pNode->GetNextPosition(pos)) {
            if (Interface* hit = HitTestChildren(pNode->GetChildAt(pos), ptNode))
                return hit;
        }
        return nullptr;
    }
    virtual Interface* HitTestSelf(SECLayoutNode* pNode, POINT ptNode)
    {
        auto* offNode = dynamic_cast<ISECOffNodeHitTest*>(pNode);
        auto* own = dynamic_cast<Interface*>(pNode);
        return offNode && own && offNode->HitTestOffNode(ptNode) ? own : nullptr;
    }
};

template<class Interface> class SECLNOffNodeDockIFaceHitTest_T : public SECLNOffNodeIFaceHitTest_T<Interface> {
public:
    virtual Interface* HitTestAllRoots(SECLNDockingMgr* pMgr, POINT ptScreen)
    {
        if (!pMgr)
            return nullptr;
        CList<SECLayoutNode*> roots;
        pMgr->CollectRegisteredRoots(roots);
        for (POSITION pos = roots.GetHeadPosition(); pos;) {
            SECLayoutNode* root = roots.GetNext(pos);
            POINT pt = ptScreen;
            if (ISECLNContainer* container = pMgr->GetRegisteredContainer(root))
                container->ScreenToNodePoint(pt);
            if (Interface* hit = this->HitTest(root, pt))
                return hit;
        }
        return nullptr;
    }
};
