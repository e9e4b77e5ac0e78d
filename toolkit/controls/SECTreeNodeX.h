#pragma once
// The intermediate node class: the same plain links, the step between the general node and the tree
// control's item node.

#include "toolkit/controls/SECTreeNode.h"

class SECTreeNodeX : public SECTreeNode {
public:
    SECTreeNode* GetParent() const override { return m_pParent; }
    SECTreeNode* GetNextSibling() const override { return m_pNextSibling; }
    SECTreeNode* GetPrevSibling() const override { return m_pPrevSibling; }
    SECTreeNode* GetFirstChild() const override { return m_pFirstChild; }
};
