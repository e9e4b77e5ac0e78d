#pragma once
// The node that starts a drag: it takes itself out of its tree when the drag begins, offers what is
// dragged, and is told how the drag ended.

#include "toolkit/frames/SECDockInProgressInfo.h"
#include "toolkit/frames/SECLayoutNode.h"

class ISECDockTarget;
class ISECDockableNode;
class SECLNDockingMgr;

class ISECDockInitiator {
public:
    virtual ~ISECDockInitiator() = default;
    // The drag source (the node's former parent, or the node itself when it is a root); null when the
    // drag cannot begin.
    virtual SECLayoutNode* BeginDockDrag(SECLNDockingMgr* pMgr, BOOL bFirst, SECDockInProgressInfo& info) = 0;
    virtual ISECDockableNode* GetDragFeedback(ISECDockTarget* pTarget, POINT point, SECLNDockingMgr* pMgr,
        SECLayoutNodePool* pPool) = 0;
    virtual void OnDropped(ISECDockTarget* pTarget, POINT point, SECLNDockingMgr* pMgr, SECLayoutNodePool* pPool) = 0;
    virtual void OnDocked(ISECDockableNode* pDockable, SECLNDockingMgr* pMgr) = 0;
    virtual void OnDragCancelled() = 0;
    virtual void EndDockDrag() = 0;
    virtual BOOL IsFloatingInitiator() = 0;
    virtual BOOL FloatOrDock(SECLNDockingMgr* pMgr, const RECT* pFloatRect) = 0;
    virtual BOOL OnDoubleClick(SECLNDockingMgr* pMgr) = 0;
};
