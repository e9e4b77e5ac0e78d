#pragma once
// The dock target of a frame side or a floating window: a grid of rows that finds where a node dropped
// at a point goes (beside a node near its ends, into a new row in the end zones before or after the
// rows, or split into a row at the node's middle), puts it there, and takes it out again after a trial.
// A target that loses its last row keeps its thickness for the next node docked there.

#include "toolkit/frames/ISECOffNodeHitTest.h"
#include "toolkit/frames/SECDefDockTargetBase.h"
#include "toolkit/frames/SECDockInsertionConstraints.h"
#include "toolkit/frames/SECLNDynamicGrid2d.h"

class SECDynGridLineTarget : public SECLNDynamicGrid2d, public SECDefDockTargetBase, public ISECOffNodeHitTest {
public:
    static constexpr int DefaultEndZone = 25;
    static constexpr float DefaultEdgeFraction = 0.2F;

    int InsertNode(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints) override;
    int RemoveLayoutNode(SECLayoutNode* pChild) override;
    BOOL InsertDockedNode(SECLayoutNode* pNode, POINT ptNode, POINT ptScreen, BOOL bCommit, SECLNDockingMgr* pMgr,
        SECDockInProgressInfo& info) override;
    BOOL RemoveInsertedNode(SECLayoutNode* pNode) override;
    BOOL HitTestOffNode(POINT ptNode) override;

    virtual BOOL GetDockInsertConstraints(SECLayoutNode* pNode, SECDockInsertionConstraints* pConstraints);
    virtual BOOL FindDropPlace(POINT point, SECDynGridInsertConstraints* pConstraints);
    virtual BOOL IsInDropZone(SECLayoutNode* pNode, POINT point, SECDynGridInsertConstraints* pConstraints,
        BOOL bEdges);

    void SetDockSide(int nSide) { m_nDockSide = nSide; }
    int GetDockSide() const { return m_nDockSide; }
    SECLayoutNode* GetInsertedNode() const { return m_pInserted; }
    BOOL IsEmptied() const { return m_bEmptied; }

private:
    int m_nEndZone { DefaultEndZone };
    float m_fEdgeFraction { DefaultEdgeFraction };
    SECLayoutNode* m_pInserted { nullptr };
    BOOL m_bEmptied { FALSE };
    int m_nRememberedThickness { 0 };
    int m_nDockSide { 0 };
    RECT m_rcSaved {};
    BOOL m_bSavedHorizontal { TRUE };
};
