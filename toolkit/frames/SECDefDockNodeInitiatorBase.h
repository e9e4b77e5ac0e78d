#pragma once
// The default drag start of a docked node: the node leaves its undoable parent when the drag begins,
// goes back to the same place when the drag is cancelled, and both trees are realized and repainted when
// it was docked. Meant as a base of a layout node, which it names as its own node.

#include <memory>

#include "toolkit/frames/ISECDockInitiator.h"
#include "toolkit/frames/SECDockInsertionConstraints.h"

class ISECDragEventGarbageCollector;
class ISECLNContainer;
class ISECUndoableNode;
class SECDockingNodeConstraints;

class SECDefDockNodeInitiatorBase : public ISECDockInitiator {
public:
    SECDefDockNodeInitiatorBase();
    ~SECDefDockNodeInitiatorBase() override;
    SECDefDockNodeInitiatorBase(const SECDefDockNodeInitiatorBase&) = delete;
    SECDefDockNodeInitiatorBase& operator=(const SECDefDockNodeInitiatorBase&) = delete;

    SECLayoutNode* BeginDockDrag(SECLNDockingMgr* pMgr, BOOL bFirst, SECDockInProgressInfo& info) override;
    ISECDockableNode* GetDragFeedback(ISECDockTarget*, POINT, SECLNDockingMgr*, SECLayoutNodePool*) override;
    void OnDropped(ISECDockTarget*, POINT, SECLNDockingMgr*, SECLayoutNodePool*) override { }
    void OnDocked(ISECDockableNode* pDockable, SECLNDockingMgr* pMgr) override;
    void OnDragCancelled() override;
    void EndDockDrag() override;
    BOOL IsFloatingInitiator() override { return FALSE; }
    BOOL FloatOrDock(SECLNDockingMgr*, const RECT*) override { return FALSE; }
    BOOL OnDoubleClick(SECLNDockingMgr*) override { return FALSE; }

    // The root of the floating window the own node is in, as the initiator that moves the whole window.
    virtual ISECDockInitiator* GetFloatingRootInitiator();
    // Docks the node at the place the constraints name (or, without them, where it was last docked), as a
    // drop there would.
    virtual BOOL DockToLastPosition(SECLNDockingMgr* pMgr, const SECDockInsertionConstraints* pConstraints);
    // The dock target of that place while it is still in a registered tree; a target gone from every
    // tree is forgotten.
    virtual ISECDockTarget* FindLastTarget(SECLNDockingMgr* pMgr, SECDockingNodeConstraints* pNodeConstraints,
        const SECDockInsertionConstraints& place);

    SECLayoutNode* GetStartRoot() const { return m_pStartRoot; }
    ISECLNContainer* GetStartContainer() const { return m_pStartContainer; }

protected:
    SECLayoutNode* m_pOwnNode { nullptr };
    SECLayoutNode* m_pStartRoot { nullptr };
    DWORD m_dwReserved { 0 };
    ISECLNContainer* m_pStartContainer { nullptr };
    std::unique_ptr<SECLayoutNodePool> m_pCollectorPool;
    ISECDragEventGarbageCollector* m_pCollector { nullptr };
    ISECUndoableNode* m_pUndoableParent { nullptr };
};
