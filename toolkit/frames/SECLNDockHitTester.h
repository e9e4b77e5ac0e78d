#pragma once
// Finds the node that implements Interface at a screen point over every tree the docking manager knows,
// across the frame and its floating windows. Only trees in the container on top at the point count,
// and a point that more than one tree claims finds nothing. Hooks on the nodes may exclude a subtree or
// take the point for themselves. One instance serves one search.

#include <vector>

#include "platform/afx/CList.h"
#include "toolkit/frames/ISECLNContainer.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLayoutNode.h"
#include "toolkit/frames/SECLayoutTreeSearch.h"

template<class Interface> class SECLNDockHitTester {
public:
    static constexpr int HookExclude = 0x1;
    static constexpr int HookTake = 0x2;

    explicit SECLNDockHitTester(ISECLNContainer* pExcluded = nullptr)
        : m_pExcluded(pExcluded)
    {
    }
    virtual ~SECLNDockHitTester() = default;

    virtual Interface* HitTest(SECLNDockingMgr* pMgr, POINT ptScreen, BOOL bDeepestOnly)
    {
        if (!pMgr)
            return nullptr;
        std::vector<SECLayoutNode*> candidates;
        if (GetCandidateRoots(pMgr, ptScreen, candidates) == 0)
            return nullptr;
        FilterByTopContainer(pMgr, ptScreen, candidates);
        std::vector<SECLayoutNode*> hits;
        HitTestCandidates(pMgr, ptScreen, candidates, hits, bDeepestOnly);
        return hits.size() == 1 ? dynamic_cast<Interface*>(hits.front()) : nullptr;
    }
    virtual Interface* HitTestRoot(SECLNDockingMgr* pMgr, SECLayoutNode* pRoot, POINT ptScreen, BOOL bDeepestOnly)
    {
        return HitTestNode(pRoot, ptScreen, pMgr->GetRegisteredContainer(pRoot), bDeepestOnly);
    }
    virtual void HitTestCandidates(SECLNDockingMgr* pMgr, POINT ptScreen, const std::vector<SECLayoutNode*>& roots,
        std::vector<SECLayoutNode*>& hits, BOOL bDeepestOnly)
    {
        hits.clear();
        for (SECLayoutNode* root : roots) {
            if (auto* node = dynamic_cast<SECLayoutNode*>(HitTestRoot(pMgr, root, ptScreen, bDeepestOnly)))
                hits.push_back(node);
        }
    }
    virtual int HookHitTest(ISECLNContainer* /*pContainer*/, POINT /*ptScreen*/, SECLayoutNode* /*pNode*/)
    {
        return 0;
    }
    virtual int GetCandidateRoots(SECLNDockingMgr* pMgr, POINT ptScreen, std::vector<SECLayoutNode*>& roots)
    {
        CList<SECLayoutNode*> registered;
        pMgr->CollectRegisteredRoots(registered);
        int nAdded = 0;
        for (POSITION pos = registered.GetHeadPosition(); pos;) {
            SECLayoutNode* root = registered.GetNext(pos);
            if (PointInNode(root, ptScreen, pMgr->GetRegisteredContainer(root))) {
                roots.push_back(root);
                ++nAdded;
            }
        }
        return nAdded;
    }
    virtual BOOL PointInNode(SECLayoutNode* pNode, POINT ptScreen, ISECLNContainer* pContainer)
    {
        if (!pNode || !pContainer)
            return FALSE;
        POINT pt = ptScreen;
        pContainer->ScreenToNodePoint(pt);
        RECT rc {};
        pNode->GetCurrentRect(&rc);
        return ::PtInRect(&rc, pt);
    }
    virtual void FilterByTopContainer(SECLNDockingMgr* pMgr, POINT ptScreen, std::vector<SECLayoutNode*>& roots)
    {
        ISECLNContainer* top = pMgr->FindContainerAtPoint(ptScreen);
        std::erase_if(roots, [&](SECLayoutNode* root) {
            ISECLNContainer* container = pMgr->FindContainer(root);
            return container != top || container == m_pExcluded;
        });
    }
    virtual Interface* HitTestNode(SECLayoutNode* pNode, POINT ptScreen, ISECLNContainer* pContainer,
        BOOL bDeepestOnly)
    {
        if (!pNode || !pContainer || !PointInNode(pNode, ptScreen, pContainer))
            return nullptr;
        return HitTestDescend(pNode, ptScreen, pContainer, bDeepestOnly);
    }
    virtual Interface* HitTestDescend(SECLayoutNode* pNode, POINT ptScreen, ISECLNContainer* pContainer,
        BOOL bDeepestOnly)
    {
        auto* own = dynamic_cast<Interface*>(pNode);
        if (own) {
            const int nHook = HookHitTest(pContainer, ptScreen, pNode);
            if (nHook & HookExclude)
                return nullptr;
            if (nHook & HookTake)
                return own;
        }
        SECLayoutNode* child = ChildFromPoint(pNode, ptScreen, pContainer);
        if (!child)
            return own;
        if (Interface* hit = HitTestDescend(child, ptScreen, pContainer, bDeepestOnly))
            return hit;
        return bDeepestOnly ? nullptr : own;
    }
    virtual SECLayoutNode* ChildFromPoint(SECLayoutNode* pNode, POINT ptScreen, ISECLNContainer* pContainer)
    {
        for (POSITION pos = pNode->GetHeadPosition(); pos; pos = pNode->GetNextPosition(pos)) {
            SECLayoutNode* child = pNode->GetChildAt(pos);
            if (PointInNode(child, ptScreen, pContainer))
                return child;
        }
        return nullptr;
    }

    ISECLNContainer* GetExcludedContainer() const { return m_pExcluded; }

protected:
    // The direct child of pNode under a screen point, for the nodes' hooks.
    static SECLayoutNode* HookChildAt(ISECLNContainer* pContainer, POINT ptScreen, SECLayoutNode* pNode)
    {
        POINT pt = ptScreen;
        if (pContainer)
            pContainer->ScreenToNodePoint(pt);
        return FindNodeAt(pNode, pt);
    }

    ISECLNContainer* m_pExcluded { nullptr };
};
