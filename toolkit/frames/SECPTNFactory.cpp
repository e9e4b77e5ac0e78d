#include "toolkit/frames/SECPTNFactory.h"

#include <algorithm>

#include "toolkit/frames/SECPersistentTreeNode.h"

SECPTNFactory::SECPTNFactory() = default;

SECPTNFactory::~SECPTNFactory()
{
    // Taken out of the member first: deleting a node may delete others, which must not find a list
    // that is half torn down.
    std::vector<std::unique_ptr<SECPersistentTreeNode>> nodes = std::move(m_nodes);
    nodes.clear();
}

SECPersistentTreeNode* SECPTNFactory::CreateNode(LPCTSTR lpszName, SECPersistentTreeNode* pParent)
{
    return CreateNodeOfClass(lpszName, pParent, RUNTIME_CLASS(SECPersistentTreeNode));
}

SECPersistentTreeNode* SECPTNFactory::CreateNodeOfClass(
    LPCTSTR lpszName, SECPersistentTreeNode* pParent, CRuntimeClass* pClass)
{
    if (!pClass || !pClass->IsDerivedFrom(RUNTIME_CLASS(SECPersistentTreeNode)))
        return nullptr;
    std::unique_ptr<CObject> pObject(pClass->CreateObject());
    if (!pObject)
        return nullptr;
    std::unique_ptr<SECPersistentTreeNode> pNode(static_cast<SECPersistentTreeNode*>(pObject.release()));
    if (pNode->Initialize(lpszName, pParent) != SECPersistentTreeNode::ptnSuccess)
        return nullptr; // never listed, so deleted exactly once, here
    m_nodes.push_back(std::move(pNode));
    return m_nodes.back().get();
}

BOOL SECPTNFactory::DestroyNode(SECPersistentTreeNode* pNode)
{
    if (!pNode)
        return FALSE;
    const auto found
        = std::find_if(m_nodes.begin(), m_nodes.end(), [&](const auto& pOwned) { return pOwned.get() == pNode; });
    if (found == m_nodes.end())
        return FALSE;
    std::unique_ptr<SECPersistentTreeNode> pDoomed = std::move(*found);
    m_nodes.erase(found);
    return TRUE;
}
