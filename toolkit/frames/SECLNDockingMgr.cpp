#include "toolkit/frames/SECLNDockingMgr.h"

#include <vector>

#include "toolkit/frames/ISECDockEventReceiver.h"
#include "toolkit/frames/ISECReparentableNode.h"
#include "toolkit/frames/SECLNHwndContainer.h"
#include "toolkit/frames/SECLayoutTreeWalk.h"

namespace {

SECLNDockingMgr* g_pDefaultDockingMgr = nullptr;

} // namespace

void SECLNDockingMgr::SetDefaultDockingMgr(SECLNDockingMgr* pMgr) { g_pDefaultDockingMgr = pMgr; }

SECLNDockingMgr* SECLNDockingMgr::GetDefaultDockingMgr() { return g_pDefaultDockingMgr; }

SECLayoutNodePool* SECLNDockingMgr::CreateNodePool()
{
    auto* pool = new SECLayoutNodePool;
    m_pools.AddObject(pool);
    return pool;
}

BOOL SECLNDockingMgr::DestroyNodePool(SECLayoutNodePool* pPool)
{
    if (!pPool)
        return FALSE;
    m_pools.RemoveObject(pPool);
    delete pPool;
    return TRUE;
}

BOOL SECLNDockingMgr::FireDockEvent(SECLayoutNode* pNode, SECLayoutNode* pSource, ISECDockTarget* pTarget,
    SECLayoutNodePool* pPool)
{
    if (!pNode)
        return FALSE;
    SECLayoutNode* firstRoot = pSource ? pSource->GetRootNode() : pNode->GetRootNode();
    SECLayoutNode* parent = pNode->GetParentNode();
    DispatchDockEvent(firstRoot, pNode, pSource, parent, pTarget, pPool);
    if (SECLayoutNode* nodeRoot = pNode->GetRootNode(); nodeRoot != firstRoot)
        DispatchDockEvent(nodeRoot, pNode, pSource, parent, pTarget, pPool);
    return TRUE;
}

BOOL SECLNDockingMgr::DispatchDockEvent(SECLayoutNode* pTreeNode, SECLayoutNode* pNode, SECLayoutNode* pSource,
    SECLayoutNode* pParent, ISECDockTarget* pTarget, SECLayoutNodePool* pPool)
{
    if (!pTreeNode)
        return FALSE;
    if (auto* receiver = dynamic_cast<ISECDockEventReceiver*>(pTreeNode)) {
        if (!receiver->OnDockEvent(pNode, pSource, pParent, pTarget, pPool))
            return TRUE;
    }
    // A receiver may leave its parent while it hears the event (an emptied gripper does), so the
    // children are taken before any of them is told.
    std::vector<SECLayoutNode*> children;
    for (POSITION pos = pTreeNode->GetHeadPosition(); pos; pos = pTreeNode->GetNextPosition(pos))
        children.push_back(pTreeNode->GetChildAt(pos));
    for (SECLayoutNode* child : children)
        DispatchDockEvent(child, pNode, pSource, pParent, pTarget, pPool);
    return TRUE;
}

BOOL SECLNDockingMgr::GetScreenOffset(POINT ptScreen, SECLayoutNode* pNode, POINT& offset)
{
    ISECLNContainer* container = pNode ? FindContainer(pNode) : nullptr;
    if (!container)
        return FALSE;
    RECT rc {};
    pNode->GetCurrentRect(&rc);
    container->NodeToScreenRect(rc);
    offset = { ptScreen.x - rc.left, ptScreen.y - rc.top };
    return TRUE;
}

BOOL SECLNDockingMgr::SetNodeConstraints(SECLayoutNode* pNode, SECDockingNodeConstraints* pConstraints)
{
    if (!pNode || !pConstraints)
        return FALSE;
    // Setting the record a node already has would delete it and keep the freed record.
    if (const auto it = m_constraintsMap.find(pNode); it != m_constraintsMap.end() && it->second == pConstraints)
        return TRUE;
    RemoveNodeConstraints(pNode);
    m_constraintsMap[pNode] = pConstraints;
    m_constraints.AddObject(pConstraints);
    return TRUE;
}

BOOL SECLNDockingMgr::RemoveNodeConstraints(SECLayoutNode* pNode)
{
    const auto it = m_constraintsMap.find(pNode);
    if (it == m_constraintsMap.end())
        return FALSE;
    SECDockingNodeConstraints* constraints = it->second;
    m_constraintsMap.erase(it);
    m_constraints.RemoveObject(constraints);
    delete constraints;
    return TRUE;
}

SECDockingNodeConstraints* SECLNDockingMgr::GetNodeConstraints(SECLayoutNode* pNode, BOOL bCreate)
{
    if (!pNode)
        return nullptr;
    if (const auto it = m_constraintsMap.find(pNode); it != m_constraintsMap.end())
        return it->second;
    if (!bCreate)
        return nullptr;
    auto* constraints = new SECDockingNodeConstraints;
    SetNodeConstraints(pNode, constraints);
    return constraints;
}

ISECLNContainer* SECLNDockingMgr::FindContainerAtPoint(POINT ptScreen)
{
    CList<ISECLNContainer*> containers;
    CollectWindowContainers(containers);
    for (HWND hWnd = ::WindowFromPoint(ptScreen); hWnd;) {
        if (ISECLNContainer* container = FindContainerForWindow(hWnd, containers))
            return container;
        if (!(::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
            return nullptr;
        hWnd = ::GetParent(hWnd);
    }
    return nullptr;
}

BOOL SECLNDockingMgr::PropagateContainer(SECLayoutNode* pNode)
{
    if (!pNode)
        return FALSE;
    ISECLNContainer* container = FindContainer(pNode->GetRootNode());
    if (!container)
        return FALSE;
    POINT origin {};
    container->GetDrawingOrigin(origin);
    ForEachNodeInTree(pNode->GetRootNode(), [container, origin](SECLayoutNode* node) {
        if (auto* reparentable = dynamic_cast<ISECReparentableNode*>(node))
            reparentable->SetContainer(container);
        node->SetDrawOffset(origin.x, origin.y);
    });
    return TRUE;
}

void SECLNDockingMgr::CollectWindowContainers(CList<ISECLNContainer*>& containers)
{
    for (POSITION pos = m_containers.GetObjects().GetHeadPosition(); pos;) {
        ISECLNContainer* container = m_containers.GetObjects().GetNext(pos);
        if (dynamic_cast<SECLNHwndContainer*>(container))
            containers.AddTail(container);
    }
}

ISECLNContainer* SECLNDockingMgr::FindContainerForWindow(HWND hWnd, const CList<ISECLNContainer*>& containers)
{
    for (POSITION pos = containers.GetHeadPosition(); pos;) {
        ISECLNContainer* container = containers.GetNext(pos);
        auto* hwndContainer = dynamic_cast<SECLNHwndContainer*>(container);
        if (hwndContainer && hwndContainer->GetWindow() == hWnd)
            return container;
    }
    return nullptr;
}

BOOL SECLNDockingMgr::RegisterContainer(SECLayoutNode* pRoot, ISECLNContainer* pContainer)
{
    if (!pRoot || !pContainer)
        return FALSE;
    if (GetRegisteredContainer(pRoot) == pContainer)
        return TRUE;
    UnregisterContainer(pRoot);
    m_containerMap[pRoot] = pContainer;
    m_containers.AddObject(pContainer);
    return TRUE;
}

BOOL SECLNDockingMgr::UnregisterContainer(SECLayoutNode* pRoot)
{
    const auto it = m_containerMap.find(pRoot);
    if (it == m_containerMap.end())
        return FALSE;
    ISECLNContainer* container = it->second;
    m_containerMap.erase(it);
    m_containers.RemoveObject(container);
    delete container;
    return TRUE;
}

ISECLNContainer* SECLNDockingMgr::GetRegisteredContainer(SECLayoutNode* pRoot) const
{
    const auto it = m_containerMap.find(pRoot);
    return it == m_containerMap.end() ? nullptr : it->second;
}

ISECLNContainer* SECLNDockingMgr::FindContainer(SECLayoutNode* pNode) const
{
    for (SECLayoutNode* node = pNode; node; node = node->GetParentNode()) {
        if (ISECLNContainer* container = GetRegisteredContainer(node))
            return container;
    }
    return nullptr;
}

BOOL SECLNDockingMgr::IsInRegisteredTree(SECLayoutNode* pNode) const
{
    for (SECLayoutNode* node = pNode ? pNode->GetParentNode() : nullptr; node; node = node->GetParentNode()) {
        if (GetRegisteredContainer(node))
            return TRUE;
    }
    return FALSE;
}

void SECLNDockingMgr::CollectRegisteredRoots(CList<SECLayoutNode*>& roots) const
{
    for (const auto& [root, container] : m_containerMap)
        roots.AddTail(root);
}
