#pragma once
// The root of a floating window's layout tree. Its rectangle is the whole mini frame, its child area the
// frame's client area (the frame's non-client insets are its borders). It holds one gripper around a dock
// target that takes the floated node and any node docked into the window later. It makes its window when
// it is set up, fills and shows it on the first placement, and hands the window to the docking manager
// once the float is done. Dragged by its caption it moves the window; dropped on a target, it docks what
// it holds there and the emptied window goes.

#include <memory>

#include "toolkit/frames/ISECFloatingNode.h"
#include "toolkit/frames/ISECHookDockSourceHitTester.h"
#include "toolkit/frames/SECDefDockNodeBase.h"
#include "toolkit/frames/SECDefDockNodeInitiatorBase.h"
#include "toolkit/frames/SECFloatDynGridLineTarget.h"
#include "toolkit/frames/SECFloatingTargetGripper.h"
#include "toolkit/frames/SECLNBorder_T.h"
#include "toolkit/frames/SECLayoutDockFactory.h"
#include "toolkit/frames/SECQueryChildTargetInfo.h"

class SECDockFloatingNode : public SECDefDockNodeInitiatorBase,
                            public SECDefDockNodeBase,
                            public SECLNBorder_T<SECLayoutNode>,
                            public SECQueryChildTargetInfo,
                            public ISECFloatingNode,
                            public ISECHookDockSourceHitTester {
public:
    SECDockFloatingNode();
    ~SECDockFloatingNode() override;

    // Makes the floating window for pFloated through pContainer (the container pFloated was shown in).
    virtual BOOL InitFloatingNode(SECLayoutNode* pFloated, SECLNDockingMgr* pMgr, ISECLNContainer* pContainer,
        LPCTSTR lpszTitle);
    SECLayoutNode* BeginDockDrag(SECLNDockingMgr* pMgr, BOOL bFirst, SECDockInProgressInfo& info) override;
    // Null until the window was shown; without a target the root itself, with one what the window holds.
    ISECDockableNode* GetDragFeedback(ISECDockTarget* pTarget, POINT point, SECLNDockingMgr* pMgr,
        SECLayoutNodePool* pPool) override;
    // When what the window held was docked away, the window goes.
    void OnDropped(ISECDockTarget* pTarget, POINT point, SECLNDockingMgr* pMgr, SECLayoutNodePool* pPool) override;
    BOOL IsFloatingInitiator() override { return TRUE; }
    BOOL DockToLastPosition(SECLNDockingMgr* pMgr, const SECDockInsertionConstraints* pConstraints) override;
    BOOL DockToLastPosition(SECLNDockingMgr* pMgr) { return DockToLastPosition(pMgr, nullptr); }

    // The window's rectangle for a drag: the floated node's size plus the frame, at the cursor less the
    // grab offset, moved so that the cursor is inside it.
    BOOL GetFloatRect(POINT point, RECT& rect, SECLNDockingMgr* pMgr, SECDockInProgressInfo& info) override;
    // Fills the window on first use, lays the tree out and shows the window at the drag's rectangle.
    BOOL Float(POINT point, SECLNDockingMgr* pMgr, SECDockInProgressInfo& info) override;
    // The docking manager takes over the window; the tree moves into a node pool of the manager's when it
    // was still in the given (temporary) pool.
    void OnDockedIn(SECLNDockingMgr* pMgr, SECLayoutNodePool* pPool) override;

    BOOL ShowFloatingWindow(BOOL bShow) override;
    int HookDockSourceHitTest(POINT ptScreen, SECLayoutNode* pChild) override;

    virtual SECFloatDynGridLineTarget* CreateContents(ISECLNContainer* pContainer);
    virtual BOOL GetFrameInsets(int& left, int& top, int& right, int& bottom, SECLNDockingMgr* pMgr);
    virtual ISECLNContainer* GetFloatingContainer(SECLNDockingMgr* pMgr);
    // The single node the window holds, or the gripper around the window's target when it holds several.
    virtual ISECDockableNode* GetInnerNode();
    virtual BOOL RememberFloatingRect(SECLNDockingMgr* pMgr);
    virtual void Undock(BOOL bDetach, SECLNDockingMgr* pMgr);

    SECFloatDynGridLineTarget* GetGridTarget() const { return m_pGridTarget; }
    SECLNDockingMgr* GetDockingMgr() const { return m_pDockingMgr; }
    BOOL IsShown() const { return m_bShown; }

private:
    SECLayoutDockFactory m_factory;
    quorvale::foundation::SECClassFactory_T<SECFloatDynGridLineTarget, SECLayoutNode> m_targetFactory;
    quorvale::foundation::SECClassFactory_T<SECFloatingTargetGripper, SECLayoutNodeDCBase> m_gripperFactory;
    std::unique_ptr<ISECLNContainer> m_pFloatingContainer;
    BOOL m_bInsetsValid { FALSE };
    BOOL m_bShown { FALSE };
    BOOL m_bCreated { FALSE };
    SECFloatDynGridLineTarget* m_pGridTarget { nullptr };
    SECLayoutNode* m_pFloatedNode { nullptr };
    SECLNDockingMgr* m_pDockingMgr { nullptr };
};
