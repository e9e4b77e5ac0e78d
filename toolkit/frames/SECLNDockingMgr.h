#pragma once
// Ties layout trees to the windows that show them and to each other: it owns the container of every
// registered tree, the docking constraints of each node and the node pools nodes live in while they are
// moved; it finds the container under a screen point and sends dock events through trees.

#include <unordered_map>

#include "platform/afx/CList.h"
#include "toolkit/frames/ISECLNContainer.h"
#include "toolkit/frames/SECDockMgrMemMgr.h"
#include "toolkit/frames/SECDockingNodeConstraints.h"

class ISECDockTarget;

class SECLNDockingMgr {
public:
    SECLNDockingMgr() = default;
    SECLNDockingMgr(const SECLNDockingMgr&) = delete;
    SECLNDockingMgr& operator=(const SECLNDockingMgr&) = delete;
    // Members go in reverse order: pools with their nodes, constraints, containers.
    virtual ~SECLNDockingMgr() = default;

    virtual SECLayoutNodePool* CreateNodePool();
    virtual BOOL DestroyNodePool(SECLayoutNodePool* pPool);
    virtual BOOL FireDockEvent(SECLayoutNode* pNode, SECLayoutNode* pSource, ISECDockTarget* pTarget,
        SECLayoutNodePool* pPool);
    virtual BOOL GetScreenOffset(POINT ptScreen, SECLayoutNode* pNode, POINT& offset);
    virtual BOOL SetNodeConstraints(SECLayoutNode* pNode, SECDockingNodeConstraints* pConstraints);
    virtual BOOL RemoveNodeConstraints(SECLayoutNode* pNode);
    virtual SECDockingNodeConstraints* GetNodeConstraints(SECLayoutNode* pNode, BOOL bCreate);
    virtual ISECLNContainer* FindContainerAtPoint(POINT ptScreen);
    virtual BOOL PropagateContainer(SECLayoutNode* pNode);
    virtual BOOL DispatchDockEvent(SECLayoutNode* pTreeNode, SECLayoutNode* pNode, SECLayoutNode* pSource,
        SECLayoutNode* pParent, ISECDockTarget* pTarget, SECLayoutNodePool* pPool);
    virtual void CollectWindowContainers(CList<ISECLNContainer*>& containers);
    virtual ISECLNContainer* FindContainerForWindow(HWND hWnd, const CList<ISECLNContainer*>& containers);

    BOOL RegisterContainer(SECLayoutNode* pRoot, ISECLNContainer* pContainer);
    BOOL UnregisterContainer(SECLayoutNode* pRoot);
    ISECLNContainer* GetRegisteredContainer(SECLayoutNode* pRoot) const;
    // The container of the nearest registered node at or above pNode.
    ISECLNContainer* FindContainer(SECLayoutNode* pNode) const;
    // Strictly below a registered root.
    BOOL IsInRegisteredTree(SECLayoutNode* pNode) const;
    void CollectRegisteredRoots(CList<SECLayoutNode*>& roots) const;

    const SECDockMgrMemMgr& GetNodePools() const { return m_pools; }

    static void SetDefaultDockingMgr(SECLNDockingMgr* pMgr);
    static SECLNDockingMgr* GetDefaultDockingMgr();

private:
    std::unordered_map<SECLayoutNode*, ISECLNContainer*> m_containerMap;
    quorvale::foundation::SECObjectMemoryManager_T<ISECLNContainer> m_containers;
    std::unordered_map<SECLayoutNode*, SECDockingNodeConstraints*> m_constraintsMap;
    quorvale::foundation::SECObjectMemoryManager_T<SECDockingNodeConstraints> m_constraints;
    SECDockMgrMemMgr m_pools;
};
