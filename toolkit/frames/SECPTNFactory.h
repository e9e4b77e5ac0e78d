#pragma once
// Makes the nodes of a persistent tree and owns them: every node it made is deleted with it, unless
// DestroyNode took it back earlier. A node is owned by exactly one factory (or by no factory at all
// when it is a plain object of its own, such as a root on the stack).

#include <memory>
#include <vector>

#include "platform/afx/CRuntimeClass.h"
#include "platform/base/WinTypes.h"

class SECPersistentTreeNode;

class SECPTNFactory {
public:
    SECPTNFactory();
    ~SECPTNFactory();
    SECPTNFactory(const SECPTNFactory&) = delete;
    SECPTNFactory& operator=(const SECPTNFactory&) = delete;

    // A new SECPersistentTreeNode initialised with the name under pParent (null for a root); null when
    // the node could not be initialised (empty name, a sibling of the same name), in which case nothing
    // of it remains.
    SECPersistentTreeNode* CreateNode(LPCTSTR lpszName, SECPersistentTreeNode* pParent);
    // The same with a class derived from SECPersistentTreeNode that can be created by name; null for a
    // class that is neither.
    SECPersistentTreeNode* CreateNodeOfClass(LPCTSTR lpszName, SECPersistentTreeNode* pParent, CRuntimeClass* pClass);
    // Deletes a node this factory made (which unlinks it from its parent); FALSE for null or a node
    // this factory does not own.
    BOOL DestroyNode(SECPersistentTreeNode* pNode);
    // How many nodes the factory owns.
    int GetNodeCount() const { return static_cast<int>(m_nodes.size()); }

private:
    std::vector<std::unique_ptr<SECPersistentTreeNode>> m_nodes;
};
