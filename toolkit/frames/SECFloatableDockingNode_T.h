#pragma once
// The node the docking factory wraps around every dockable window or drawn node: a gripper that starts
// drags of itself, is what is dragged, and leaves and rejoins its parent as the default dock node does.
// Dragged where no target takes it, or double-clicked, it floats: it goes into a floating window of its
// own, whose root it makes for the drag, and its docked place is remembered so that it can go back.

#include "toolkit/frames/SECDefDockNodeBase.h"
#include "toolkit/frames/SECDefDockNodeInitiatorBase.h"
#include "toolkit/frames/SECReparentableGripperEx.h"

class SECDockFloatingNode;

template<class Gripper>
class SECFloatableDockingNode_T : public SECDefDockNodeInitiatorBase, public SECDefDockNodeBase, public Gripper {
public:
    SECFloatableDockingNode_T() { m_pOwnNode = this; }

    SECLayoutNode* BeginDockDrag(SECLNDockingMgr* pMgr, BOOL bFirst, SECDockInProgressInfo& info) override;
    // With a target the node itself; without one the root of the floating window it would float in.
    ISECDockableNode* GetDragFeedback(ISECDockTarget* pTarget, POINT point, SECLNDockingMgr* pMgr,
        SECLayoutNodePool* pPool) override;
    void EndDockDrag() override;
    // Floats the node at the rectangle, or where it floated last, or where it is now.
    BOOL FloatOrDock(SECLNDockingMgr* pMgr, const RECT* pFloatRect) override;
    BOOL OnDoubleClick(SECLNDockingMgr* pMgr) override { return FloatOrDock(pMgr, nullptr); }
    void OnNodeCreated() override { SetFloatingCaption(nullptr); }
    // In a floating window, showing or hiding the node shows or hides the whole window.
    BOOL ShowNode(BOOL bShow, BOOL bForce, BOOL bRecurse) override;

    virtual SECDockFloatingNode* CreateFloatingNode();
    // The floating window showing the node takes the node's name as its caption.
    virtual void SetFloatingCaption(SECLNDockingMgr* pMgr);

    SECDockFloatingNode* GetFloatingNode() const { return m_pFloatingNode; }

private:
    SECDockFloatingNode* m_pFloatingNode { nullptr };
};

extern template class SECFloatableDockingNode_T<SECReparentableGripperEx>;
