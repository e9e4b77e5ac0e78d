#pragma once
// A node of a general tree of polymorphic nodes: the four plain links and the operations that
// navigation goes through, so that a derived node can present other links or an expanded state.
// A node never deletes its relatives; whoever owns the tree deletes leaves first.

#include "platform/base/WinTypes.h"

class SECTreeNode {
public:
    SECTreeNode() = default;
    virtual ~SECTreeNode() = default;
    SECTreeNode(const SECTreeNode&) = delete;
    SECTreeNode& operator=(const SECTreeNode&) = delete;

    virtual SECTreeNode* GetParent() const { return m_pParent; }
    virtual SECTreeNode* GetNextSibling() const { return m_pNextSibling; }
    virtual SECTreeNode* GetPrevSibling() const { return m_pPrevSibling; }
    virtual SECTreeNode* GetFirstChild() const { return m_pFirstChild; }
    virtual int GetReserved() const { return 0; }
    virtual BOOL IsExpanded() const { return FALSE; }
    virtual void SetExpanded(BOOL) { }

    // Link upkeep. AddChild puts the node after pAfter (first when null); Unlink takes the node out of
    // its parent and siblings, leaving its own children with it.
    void AddChild(SECTreeNode* pChild, SECTreeNode* pAfter);
    void Unlink();
    SECTreeNode* GetLastChild() const;
    // The number of ancestors, the parentless root being one of them for every other node.
    int GetLevel() const;
    BOOL IsDescendantOf(const SECTreeNode* pAncestor) const;

protected:
    SECTreeNode* m_pParent { nullptr };
    SECTreeNode* m_pNextSibling { nullptr };
    SECTreeNode* m_pPrevSibling { nullptr };
    SECTreeNode* m_pFirstChild { nullptr };
};
