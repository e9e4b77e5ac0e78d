#include "toolkit/frames/SECDefUndoableNode.h"

SECLayoutNode* SECDefUndoableNode::Self() { return dynamic_cast<SECLayoutNode*>(this); }

int SECDefUndoableNode::RemoveChildUndoable(SECLayoutNode* pChild)
{
    SECLayoutNode* self = Self();
    POSITION pos = nullptr;
    if (!self || !pChild || !self->FindChild(pChild, pos))
        return -1;
    m_pPrevious = self->GetChildAt(self->GetPrevPosition(pos));
    const int count = self->RemoveLayoutNode(pChild);
    m_pRemoved = count == -1 ? nullptr : pChild;
    return count;
}

int SECDefUndoableNode::UndoChildRemoval()
{
    SECLayoutNode* self = Self();
    if (!self || !m_pRemoved)
        return -1;
    SECLayoutNode* child = m_pRemoved;
    m_pRemoved = nullptr;
    const int count = self->AddLayoutNode(child);
    if (count == -1)
        return -1;
    // A previous sibling that has left the parent since puts the child at the head.
    POSITION pos = nullptr;
    SECLayoutNode* previous = m_pPrevious && self->FindChild(m_pPrevious, pos) ? m_pPrevious : nullptr;
    self->MoveLayoutNode(child, previous, previous != nullptr);
    m_pPrevious = nullptr;
    return count;
}

int SECDefUndoableNode::UndoChildRemovalOf(SECLayoutNode* pChild)
{
    return pChild && pChild == m_pRemoved ? UndoChildRemoval() : -1;
}
