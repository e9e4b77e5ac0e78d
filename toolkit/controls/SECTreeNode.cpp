#include "toolkit/controls/SECTreeNode.h"

void SECTreeNode::AddChild(SECTreeNode* pChild, SECTreeNode* pAfter)
{
    pChild->m_pParent = this;
    pChild->m_pPrevSibling = pAfter;
    if (pAfter == nullptr) {
        pChild->m_pNextSibling = m_pFirstChild;
        m_pFirstChild = pChild;
    } else {
        pChild->m_pNextSibling = pAfter->m_pNextSibling;
        pAfter->m_pNextSibling = pChild;
    }
    if (pChild->m_pNextSibling != nullptr)
        pChild->m_pNextSibling->m_pPrevSibling = pChild;
}

void SECTreeNode::Unlink()
{
    if (m_pPrevSibling != nullptr)
        m_pPrevSibling->m_pNextSibling = m_pNextSibling;
    else if (m_pParent != nullptr && m_pParent->m_pFirstChild == this)
        m_pParent->m_pFirstChild = m_pNextSibling;
    if (m_pNextSibling != nullptr)
        m_pNextSibling->m_pPrevSibling = m_pPrevSibling;
    m_pParent = m_pNextSibling = m_pPrevSibling = nullptr;
}

SECTreeNode* SECTreeNode::GetLastChild() const
{
    SECTreeNode* pLast = GetFirstChild();
    while (pLast != nullptr && pLast->GetNextSibling() != nullptr)
        pLast = pLast->GetNextSibling();
    return pLast;
}

int SECTreeNode::GetLevel() const
{
    int nLevel = 0;
    for (const SECTreeNode* p = GetParent(); p != nullptr; p = p->GetParent())
        ++nLevel;
    return nLevel;
}

BOOL SECTreeNode::IsDescendantOf(const SECTreeNode* pAncestor) const
{
    for (const SECTreeNode* p = GetParent(); p != nullptr; p = p->GetParent())
        if (p == pAncestor)
            return TRUE;
    return FALSE;
}
