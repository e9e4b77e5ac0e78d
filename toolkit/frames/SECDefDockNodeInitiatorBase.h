#pragma once
// The default drag start of a docked node: the node leaves its undoable parent when the drag begins,
// goes back to the same place when the drag is cancelled, and both trees are realized and repainted when
// it was docked. Meant as a base of a layout node, which it names as its own node.

#include "toolkit/frames/ISECDockInitiator.h"
#include "toolkit/frames/SECDockInsertionConstraints.h"

class ISECLNContainer;
class ISECUndoableNode;

class SECDefDockNodeInitiatorBase : public ISECDockInitiator {
public:
    SECLayoutNode* BeginDockDrag(SECLNDockingMgr* pMgr, BOOL bFirst, SECDockInProgressInfo& info) override;
    ISECDockableNode* GetDragFeedback(ISECDockTarget*, POINT, SECLNDockingMgr*, SECLayoutNodePool*) override;
    void OnDropped(ISECDockTarget*, POINT, SECLNDockingMgr*, SECLayoutNodePool*) override { }
    void OnDocked(ISECDockableNode* pDockable, SECLNDockingMgr* pMgr) override;
    void OnDragCancelled() override;
    void EndDockDrag() override;
    BOOL IsFloatingInitiator() override { return FALSE; }
    BOOL FloatOrDock(SECLNDockingMgr*, const RECT*) override { return FALSE; }
    BOOL OnDoubleClick(SECLNDockingMgr*) override { return FALSE; }

    // Docks the node at the place the constraints name (or, without them, where it was last docked):
    // the dock target of that border position in the node's border target parent.
    virtual BOOL DockToLastPosition(SECLNDockingMgr* pMgr, const SECDockInsertionConstraints* pConstraints);

    SECLayoutNode* GetStartRoot() const { return m_pStartRoot; }
    ISECLNContainer* GetStartContainer() const { return m_pStartContainer; }

protected:
    SECLayoutNode* m_pOwnNode { nullptr };
    SECLayoutNode* m_pStartRoot { nullptr };
    DWORD m_dwReserved { 0 };
    ISECLNContainer* m_pStartContainer { nullptr };
    ISECUndoableNode* m_pUndoableParent { nullptr };
};
