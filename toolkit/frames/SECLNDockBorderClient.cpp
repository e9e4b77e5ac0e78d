#include "toolkit/frames/SECLNDockBorderClient.h"

#include <utility>

#include "toolkit/frames/ISECDockTarget.h"
#include "toolkit/frames/ISECHideableNode.h"
#include "toolkit/frames/SECDynGridLineTarget.h"
#include "toolkit/frames/SECFrameDockingFeature.h"
#include "toolkit/frames/SECLNBorderClientEdge.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLNSizableDockBorder.h"

RECT* SECLNDockBorderClient::OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bClamp, BOOL bForce)
{
    UpdateEdgeBorders();
    return SECLNBorderClient::OnRecalcLayout(pOut, rect, bClamp, bForce);
}

ISECDockTarget* SECLNDockBorderClient::GetBorderTarget(int nPosition)
{
    auto* edge = dynamic_cast<SECLNBorderClientEdge*>(GetBorderNode(nPosition));
    auto* border = edge ? dynamic_cast<SECLNSizableDockBorder*>(edge->GetBorderedNode()) : nullptr;
    return border ? dynamic_cast<ISECDockTarget*>(border->GetBorderedNode()) : nullptr;
}

int SECLNDockBorderClient::IsEdgeOccupied(SECLNBorderClientEdge* pEdge)
{
    auto* border = pEdge ? dynamic_cast<SECLNSizableDockBorder*>(pEdge->GetBorderedNode()) : nullptr;
    auto* target = border ? dynamic_cast<SECLNDynamicGridLine*>(border->GetBorderedNode()) : nullptr;
    return target ? target->GetCellCount() : 0;
}

void SECLNDockBorderClient::GetContainerOverhang(BOOL& bLeft, BOOL& bRight)
{
    bLeft = bRight = FALSE;
    SECLNDockingMgr* pMgr = m_pFeature ? m_pFeature->GetDockingMgr() : nullptr;
    ISECLNContainer* container = pMgr ? pMgr->FindContainer(this) : nullptr;
    if (!container)
        return;
    RECT r {};
    container->GetContainerClientRect(r);
    RECT c {};
    GetCurrentRect(&c);
    bLeft = r.left < c.left - OverhangMargin;
    bRight = r.right > c.right + OverhangMargin;
}

void SECLNDockBorderClient::UpdateEdgeBorders()
{
    if (!m_pFeature)
        return;
    SECLNBorderClientEdge* top = nullptr;
    SECLNBorderClientEdge* bottom = nullptr;
    SECLNBorderClientEdge* left = nullptr;
    SECLNBorderClientEdge* right = nullptr;
    m_pFeature->GetBorderEdges(top, bottom, left, right);
    const BOOL bTop = IsEdgeOccupied(top) != 0;
    const BOOL bBottom = IsEdgeOccupied(bottom) != 0;
    const BOOL bLeft = IsEdgeOccupied(left) != 0;
    const BOOL bRight = IsEdgeOccupied(right) != 0;
    BOOL bOverLeft = FALSE;
    BOOL bOverRight = FALSE;
    GetContainerOverhang(bOverLeft, bOverRight);
    if (GetCornerMode() == 1) {
        const BOOL L = bLeft ? FALSE : bOverLeft;
        const BOOL R = bRight ? FALSE : bOverRight;
        if (top)
            top->SetEdgeSides(L, TRUE, R, FALSE);
        if (bottom)
            bottom->SetEdgeSides(L, FALSE, R, TRUE);
        if (left)
            left->SetEdgeSides(bOverLeft, TRUE, FALSE, TRUE);
        if (right)
            right->SetEdgeSides(FALSE, TRUE, bOverRight, TRUE);
    } else {
        if (top)
            top->SetEdgeSides(bOverLeft, TRUE, bOverRight, FALSE);
        if (bottom)
            bottom->SetEdgeSides(bOverLeft, FALSE, bOverRight, TRUE);
        if (left)
            left->SetEdgeSides(bOverLeft, !bTop, FALSE, !bBottom);
        if (right)
            right->SetEdgeSides(FALSE, !bTop, bOverRight, !bBottom);
    }
    const std::pair<SECLNBorderClientEdge*, BOOL> edges[] = { { top, bTop }, { bottom, bBottom }, { left, bLeft },
        { right, bRight } };
    for (const auto& [edge, occupied] : edges) {
        if (auto* hideable = dynamic_cast<ISECHideableNode*>(edge))
            hideable->ShowNode(occupied, TRUE, FALSE);
    }
}
