#pragma once
// The default drag start of a docked node: the node leaves its undoable parent when the drag begins,
// goes back to the same place when the drag is cancelled, and both trees are realized and repainted when
// it was docked. Meant as a base of a layout node, which it names as its own node.

#include "toolkit/frames/ISECDockInitiator.h"

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

    SECLayoutNode* GetStartRoot() const { return m_pStartRoot; }
    ISECLNContainer* GetStartContainer() const { return m_pStartContainer; }

protected:
    SECLayoutNode* m_pOwnNode { nullptr };
    SECLayoutNode* m_pStartRoot { nullptr };
    DWORD m_dwReserved { 0 };
    ISECLNContainer* m_pStartContainer { nullptr };
    ISECUndoableNode* m_pUndoableParent { nullptr };
};
