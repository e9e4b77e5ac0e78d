#include "toolkit/frames/SECFrameDockingFeature.h"

#include "platform/afx/CFrameWnd.h"
#include "toolkit/frames/ISECDockInitiator.h"
#include "toolkit/frames/SECDefDockNodeInitiatorBase.h"
#include "toolkit/frames/SECDynGridLineTarget.h"
#include "toolkit/frames/SECLNDockBorderClient.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLNSizableDockBorder.h"

BOOL SECFrameDockingFeature::OnDelayedRecalc()
{
    if (!m_pRoot)
        return TRUE;
    RECT rc {};
    RECT out {};
    m_pRoot->GetCurrentRect(&rc);
    m_pRoot->RecalcLayout(&out, rc, FALSE, TRUE);
    m_pRoot->RealizeLayout(0);
    return TRUE;
}

SECLayoutNode* SECFrameDockingFeature::CreateDockTarget(SECLayoutNode* pParent, int nSide, CFrameWnd* pFrame)
{
    if (!pParent || !pFrame)
        return nullptr;
    BOOL bHorizontal = FALSE;
    GetSideSizingEdge(nSide, bHorizontal);
    auto* target = new SECDynGridLineTarget;
    target->SetLineWindow(pFrame->m_hWnd, bHorizontal);
    target->SetGrowMode(TRUE);
    target->SetDockSide(nSide);
    pParent->AddLayoutNode(target);
    return target;
}

SECLNBorderClient* SECFrameDockingFeature::CreateBorderClient()
{
    auto* client = new SECLNDockBorderClient;
    client->SetFeature(this);
    return client;
}

BOOL SECFrameDockingFeature::DockNode(SECLayoutNode* pNode, DWORD dwSide, int nSize, BOOL bNewRow)
{
    SECDockInsertionConstraints constraints;
    constraints.CopyDockConstraints(m_defaults);
    constraints.m_nBorderPosition = SideToBorderPosition(dwSide);
    constraints.m_bNewRow = bNewRow;
    if (!bNewRow)
        constraints.m_nLength = nSize;
    constraints.m_nThickness = nSize;
    return DockNodeWithConstraints(pNode, &constraints);
}

BOOL SECFrameDockingFeature::DockNodeWithConstraints(SECLayoutNode* pNode, SECDockInsertionConstraints* pConstraints)
{
    auto* initiator = dynamic_cast<SECDefDockNodeInitiatorBase*>(pNode);
    if (!initiator || !pConstraints || !m_pDockingMgr)
        return FALSE;
    SECDockingNodeConstraints* nodeConstraints = m_pDockingMgr->GetNodeConstraints(pNode, TRUE);
    nodeConstraints->m_bSizable = pConstraints->m_bSizable;
    if (auto* parent = dynamic_cast<ISECBorderTargetParent*>(m_pBorderClient))
        nodeConstraints->m_pBorderTargetParent = parent;
    return initiator->DockToLastPosition(m_pDockingMgr, pConstraints);
}

BOOL SECFrameDockingFeature::SetSideAttributes(DWORD dwSide, const int values[3], int nValue)
{
    return SetSideAttributesAt(SideToBorderPosition(dwSide), values, nValue);
}

BOOL SECFrameDockingFeature::SetSideAttributesAt(int nPosition, const int values[3], int nValue)
{
    SECLNSizableDockBorder* border = GetSizableBorder(nPosition);
    if (!border || !values)
        return FALSE;
    // Whether the side's bar is there and whether it tracks live; the single value is not used here.
    (void)nValue;
    border->EnableSides(values[0] != 0, values[2] != 0, FALSE);
    if (auto* target = dynamic_cast<SECDynGridLineTarget*>(GetDockTarget(nPosition))) {
        target->SetGrowMode(values[1]);
        target->SetSplittersEnabled(values[2]);
    }
    return TRUE;
}

BOOL SECFrameDockingFeature::SetAllSideAttributes(const int values[3], int nValue)
{
    for (int nPos = 0; nPos < 4; ++nPos)
        SetSideAttributesAt(nPos, values, nValue);
    return TRUE;
}

void SECFrameDockingFeature::GetBorderEdges(SECLNBorderClientEdge*& pTop, SECLNBorderClientEdge*& pBottom,
    SECLNBorderClientEdge*& pLeft, SECLNBorderClientEdge*& pRight)
{
    pTop = m_pEdges[0];
    pBottom = m_pEdges[1];
    pLeft = m_pEdges[2];
    pRight = m_pEdges[3];
}
