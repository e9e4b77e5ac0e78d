#pragma once
// Takes one child out of its layout node and puts it back after the sibling it stood behind. Only the
// last removal is remembered. Meant as a second base of a layout node, whose children it edits.

#include "toolkit/frames/ISECUndoableNode.h"

class SECDefUndoableNode : public ISECUndoableNode {
public:
    ISECUndoableNode* GetUndoableNode() override { return this; }
    // The new child count, or -1 for a node that is no child.
    int RemoveChildUndoable(SECLayoutNode* pChild) override;
    int UndoChildRemoval() override;
    int UndoChildRemovalOf(SECLayoutNode* pChild) override;

    SECLayoutNode* GetRemovedChild() const { return m_pRemoved; }

private:
    SECLayoutNode* Self();

    SECLayoutNode* m_pRemoved { nullptr };
    SECLayoutNode* m_pPrevious { nullptr };
};
