#pragma once
// The root of a frame's docking tree: a border client that knows its docking feature, draws the edge
// lines only where they separate something, and hands out the dock target of each side.

#include "toolkit/frames/ISECBorderTargetParent.h"
#include "toolkit/frames/SECLNBorderClient.h"

class SECFrameDockingFeature;
class SECLNBorderClientEdge;

class SECLNDockBorderClient : public SECLNBorderClient, public ISECBorderTargetParent {
public:
    static constexpr int OverhangMargin = 3;

    RECT* OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bClamp, BOOL bForce) override;
    ISECDockTarget* GetBorderTarget(int nPosition) override;

    virtual void UpdateEdgeBorders();
    // The number of nodes docked in the edge's dock target; 0 for a null edge.
    virtual int IsEdgeOccupied(SECLNBorderClientEdge* pEdge);
    virtual void GetContainerOverhang(BOOL& bLeft, BOOL& bRight);

    void SetFeature(SECFrameDockingFeature* pFeature) { m_pFeature = pFeature; }

private:
    SECFrameDockingFeature* m_pFeature { nullptr };
};
