#pragma once
// The docking logic of a drag: a press on a dock initiator takes its node out of its tree, an outline
// follows the pointer over the screen, and the release docks the node into the target under the pointer
// or floats it there. Ctrl refuses every target. While a drag runs, the dragged tree's layout and the
// desktop's window updates are locked and window containers do not lay their frames out.

#include <memory>

#include "toolkit/frames/ISECDragDropFeature.h"
#include "toolkit/frames/SECDockInProgressInfo.h"
#include "toolkit/frames/SECLayoutNode.h"

class ISECDockInitiator;
class ISECDockTarget;
class ISECDockableNode;
class ISECLNContainer;
class SECLNDockingMgr;

class SECDragDropDockingFeature : public ISECDragDropFeature {
public:
    SECDragDropDockingFeature() = default;
    ~SECDragDropDockingFeature() override;
    SECDragDropDockingFeature(const SECDragDropDockingFeature&) = delete;
    SECDragDropDockingFeature& operator=(const SECDragDropDockingFeature&) = delete;

    BOOL CanStartDrag(UINT nFlags, POINT point) override;
    BOOL BeginDrag(UINT nFlags, POINT point) override;
    BOOL DragOver(UINT nFlags, POINT point) override;
    BOOL EndDrag(UINT nFlags, POINT point, BOOL bCommit) override;
    BOOL OnDoubleClick(UINT nFlags, POINT point) override;

    virtual BOOL StartDockDrag(UINT nFlags, POINT point, BOOL bFirst);
    virtual BOOL TrackDrag(UINT nFlags, POINT point);
    virtual BOOL FinishDrag(UINT nFlags, POINT point, BOOL bCommit, BOOL bFinal);
    virtual HDC GetDesktopDC();
    virtual void ReleaseDesktopDC(HDC hDC);
    virtual ISECDockInitiator* HitTestInitiator(SECLNDockingMgr* pMgr, POINT point, BOOL bFirst);
    virtual BOOL DoDock(POINT point, ISECDockableNode* pDockable, ISECDockTarget* pTarget, SECLNDockingMgr* pMgr);
    virtual ISECDockTarget* HitTestTarget(POINT point, SECLNDockingMgr* pMgr, ISECLNContainer* pContainer);
    virtual BOOL IsDockingSuppressed(POINT point, UINT nFlags, ISECDockTarget*& pTarget);
    virtual ISECDockableNode* GetDragFeedback(POINT point, ISECDockTarget* pTarget, SECLNDockingMgr* pMgr);
    virtual void LockDraggedLayout(SECLayoutNode* pNode, BOOL bBegin, SECLNDockingMgr* pMgr);

    // Null means the default docking manager.
    void SetDockingMgr(SECLNDockingMgr* pMgr) { m_pMgr = pMgr; }
    SECLNDockingMgr* GetDockingMgr() const;

    // The drag in progress, program-wide.
    static ISECDockInitiator* GetCurrentInitiator() { return s_pCurrentInitiator; }
    static SECLayoutNode* GetDraggedNode() { return s_pDraggedNode; }
    // A node that goes while a drag runs: the drag lets go of it, and one whose initiator went ends
    // without docking anything.
    static void ForgetNode(SECLayoutNode* pNode);

private:
    void OnNodeGone(SECLayoutNode* pNode);
    // Unlocks and lets go of everything the drag held.
    void ReleaseDrag(BOOL bFinal);

    SECLNDockingMgr* m_pMgr { nullptr };
    HDC m_hDesktopDC { nullptr };
    std::unique_ptr<SECLayoutNodePool> m_pDragPool;
    ISECDockableNode* m_pFeedback { nullptr };
    SECLayoutNode* m_pFeedbackNode { nullptr };
    SECLayoutNode* m_pInitiatorNode { nullptr };
    BOOL m_bInitiatorGone { FALSE };
    SECLayoutNode* m_pDragSource { nullptr };
    SECDockInProgressInfo m_info;
    BOOL m_bBusy { FALSE };
    POINT m_ptLast { -1, -1 };
    SECLayoutNode* m_pLockedNode { nullptr };
    SECLayoutNode* m_pLockedRoot { nullptr };
    ISECLNContainer* m_pLockedContainer { nullptr };

    inline static ISECDockInitiator* s_pCurrentInitiator = nullptr;
    inline static SECLayoutNode* s_pDraggedNode = nullptr;
    inline static SECDragDropDockingFeature* s_pActive = nullptr;
};
