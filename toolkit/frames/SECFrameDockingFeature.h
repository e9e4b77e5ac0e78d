#pragma once
// The frame docking feature the application's main frame holds: its sides are grid dock targets, and
// nodes are docked with insertion constraints (a side, a new row or a length along a row).

#include "toolkit/frames/SECDockInsertionConstraints.h"
#include "toolkit/frames/SECFrameDockingFeatureBase.h"

class SECFrameDockingFeature : public SECFrameDockingFeatureBase {
public:
    BOOL DockNodeDefault(SECLayoutNode* pNode) override { return DockNodeWithConstraints(pNode, &m_defaults); }
    BOOL OnDelayedRecalc() override;
    SECLayoutNode* CreateDockTarget(SECLayoutNode* pParent, int nSide, CFrameWnd* pFrame) override;
    SECLNBorderClient* CreateBorderClient() override;

    virtual BOOL DockNode(SECLayoutNode* pNode, DWORD dwSide, int nSize, BOOL bNewRow);
    virtual BOOL DockNodeWithConstraints(SECLayoutNode* pNode, SECDockInsertionConstraints* pConstraints);
    virtual BOOL SetSideAttributes(DWORD dwSide, const int values[3], int nValue);
    virtual BOOL SetSideAttributesAt(int nPosition, const int values[3], int nValue);
    virtual BOOL SetAllSideAttributes(const int values[3], int nValue);
    virtual void GetBorderEdges(SECLNBorderClientEdge*& pTop, SECLNBorderClientEdge*& pBottom,
        SECLNBorderClientEdge*& pLeft, SECLNBorderClientEdge*& pRight);

private:
    SECDockInsertionConstraints m_defaults;
};
