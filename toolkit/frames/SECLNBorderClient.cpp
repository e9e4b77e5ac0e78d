#include "toolkit/frames/SECLNBorderClient.h"

#include "platform/afx/CRect.h"
#include "toolkit/frames/SECOrientedRect.h"

#include <algorithm>

namespace {

// Strip thickness after proportional scaling: the product truncates toward zero.
LONG Scaled(LONG length, double factor) { return static_cast<LONG>(length * factor); }

} // namespace

int SECLNBorderClient::AddLayoutNode(SECLayoutNode* pNode)
{
    int pos = 0;
    if (!FindFreeBorderPosition(pos))
        return -1;
    return AddBorderNode(pNode, pos);
}

BOOL SECLNBorderClient::RemoveChildAt(POSITION pos)
{
    SECLayoutNode* child = GetChildAt(pos);
    if (!SECLayoutNode::RemoveChildAt(pos))
        return FALSE;
    ClearBorderNode(child);
    return TRUE;
}

int SECLNBorderClient::RemoveLayoutNode(SECLayoutNode* pNode)
{
    const int result = SECLayoutNode::RemoveLayoutNode(pNode);
    if (result >= 0)
        ClearBorderNode(pNode);
    return result;
}

RECT* SECLNBorderClient::OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bFull, BOOL /*bForce*/)
{
    SECLayoutNode* centreNode = m_pNodes[Centre];
    RECT oldCentre {};
    if (centreNode)
        centreNode->GetCurrentRect(&oldCentre);
    RECT total = rect;
    total.right = std::max(total.right, total.left);
    total.bottom = std::max(total.bottom, total.top);

    RECT centre {}, top {}, bottom {}, left {}, right {};
    CalcBorderRects(&centre, total, &top, &bottom, &left, &right);
    FitCentreToLimits(total, &centre, &top, &bottom, &left, &right);
    if (bFull && RecalcSideNodes(total, &top, &bottom, &left, &right)) {
        CentreFromSides(&centre, top, bottom, left, right);
        FitCentreToLimits(total, &centre, &top, &bottom, &left, &right);
    }
    RecalcBorderNodes(centre, top, bottom, left, right);
    if (centreNode && m_pEventRcvr && !EqualRect(&centre, &oldCentre))
        m_pEventRcvr->OnClientRectChanged(centre);
    *pOut = total;
    return pOut;
}

BOOL SECLNBorderClient::GetBorderPosition(SECLayoutNode* pNode, int& nPos)
{
    for (int pos = Top; pos <= Centre; ++pos) {
        if (pNode && m_pNodes[pos] == pNode) {
            nPos = pos;
            return TRUE;
        }
    }
    return FALSE;
}

SECLayoutNode* SECLNBorderClient::GetBorderNode(int nPos)
{
    return nPos >= Top && nPos <= Centre ? m_pNodes[nPos] : nullptr;
}

int SECLNBorderClient::AddBorderNode(SECLayoutNode* pNode, int nPos)
{
    const int result = SECLayoutNode::AddLayoutNode(pNode);
    if (result >= 0)
        SetBorderNode(pNode, nPos);
    return result;
}

RECT* SECLNBorderClient::CalcBorderRects(RECT* pCentre, const RECT& total, RECT* pTop, RECT* pBottom,
    RECT* pLeft, RECT* pRight)
{
    GetPreferredSideRects(pTop, pBottom, pLeft, pRight);
    if (m_nCornerMode == 0)
        return DistributeTopBottomFirst(pCentre, total, pTop, pBottom, pLeft, pRight);
    if (m_nCornerMode == 1)
        return DistributeLeftRightFirst(pCentre, total, pTop, pBottom, pLeft, pRight);
    *pCentre = total;
    return pCentre;
}

BOOL SECLNBorderClient::FindFreeBorderPosition(int& nPos)
{
    auto take = [&nPos, this](int pos) {
        if (m_pNodes[pos])
            return false;
        nPos = pos;
        return true;
    };
    const bool sidesTaken = m_pNodes[Left] && m_pNodes[Right];
    if (m_nCornerMode == 0) {
        if (take(Top) || take(Bottom))
            return TRUE;
        if (sidesTaken)
            return take(Centre);
        return take(Left) || take(Right);
    }
    if (sidesTaken)
        return take(Top) || take(Bottom) || take(Centre);
    return take(Left) || take(Right);
}

// A node holds at most one place: were it stored twice, removing it would clear only one place and leave
// the other pointing at a node that may be deleted.
BOOL SECLNBorderClient::SetBorderNode(SECLayoutNode* pNode, int nPos)
{
    if (!pNode || nPos < Top || nPos > Centre)
        return FALSE;
    ClearBorderNode(pNode);
    m_pNodes[nPos] = pNode;
    return TRUE;
}

BOOL SECLNBorderClient::ClearBorderNode(SECLayoutNode* pNode)
{
    int pos = 0;
    if (!GetBorderPosition(pNode, pos))
        return FALSE;
    m_pNodes[pos] = nullptr;
    return TRUE;
}

RECT* SECLNBorderClient::DistributeTopBottomFirst(RECT* pCentre, const RECT& total, RECT* pTop, RECT* pBottom,
    RECT* pLeft, RECT* pRight)
{
    const double f = CalcScaleFactor(CRect(total).Height(), CRect(*pTop).Height(), CRect(*pBottom).Height());
    const LONG topHeight = Scaled(CRect(*pTop).Height(), f);
    const LONG bottomHeight = Scaled(CRect(*pBottom).Height(), f);
    *pTop = { total.left, total.top, total.right, total.top + topHeight };
    *pBottom = { total.left, total.bottom - bottomHeight, total.right, total.bottom };
    const double g = CalcScaleFactor(CRect(total).Width(), CRect(*pLeft).Width(), CRect(*pRight).Width());
    const LONG leftWidth = Scaled(CRect(*pLeft).Width(), g);
    const LONG rightWidth = Scaled(CRect(*pRight).Width(), g);
    *pLeft = { total.left, pTop->bottom, total.left + leftWidth, pBottom->top };
    *pRight = { total.right - rightWidth, pTop->bottom, total.right, pBottom->top };
    return CentreFromSides(pCentre, *pTop, *pBottom, *pLeft, *pRight);
}

RECT* SECLNBorderClient::DistributeLeftRightFirst(RECT* pCentre, const RECT& total, RECT* pTop, RECT* pBottom,
    RECT* pLeft, RECT* pRight)
{
    const double g = CalcScaleFactor(CRect(total).Width(), CRect(*pLeft).Width(), CRect(*pRight).Width());
    const LONG leftWidth = Scaled(CRect(*pLeft).Width(), g);
    const LONG rightWidth = Scaled(CRect(*pRight).Width(), g);
    *pLeft = { total.left, total.top, total.left + leftWidth, total.bottom };
    *pRight = { total.right - rightWidth, total.top, total.right, total.bottom };
    const double f = CalcScaleFactor(CRect(total).Height(), CRect(*pTop).Height(), CRect(*pBottom).Height());
    const LONG topHeight = Scaled(CRect(*pTop).Height(), f);
    const LONG bottomHeight = Scaled(CRect(*pBottom).Height(), f);
    *pTop = { pLeft->right, total.top, pRight->left, total.top + topHeight };
    *pBottom = { pLeft->right, total.bottom - bottomHeight, pRight->left, total.bottom };
    return CentreFromSides(pCentre, *pTop, *pBottom, *pLeft, *pRight);
}

BOOL SECLNBorderClient::FitCentreToLimits(const RECT& total, RECT* pCentre, RECT* pTop, RECT* pBottom,
    RECT* pLeft, RECT* pRight)
{
    SECLayoutNode* centreNode = m_pNodes[Centre];
    if (!centreNode)
        return FALSE;
    SIZE sizeMin {};
    SIZE sizeMax {};
    int flags = 0;
    centreNode->GetMinMaxSize(sizeMin, sizeMax, flags);
    const LONG width = CRect(*pCentre).Width();
    const LONG height = CRect(*pCentre).Height();
    int dx = 0;
    int dy = 0;
    if (!(flags & NoMaxSize)) {
        if (width > sizeMax.cx)
            dx += sizeMax.cx - width;
        if (height > sizeMax.cy)
            dy += sizeMax.cy - height;
    }
    if (!(flags & NoMinSize)) {
        if (width < sizeMin.cx)
            dx += sizeMin.cx - width;
        if (height < sizeMin.cy)
            dy += sizeMin.cy - height;
    }
    ShiftCentreAlongAxis(m_pNodes[Left], m_pNodes[Right], total, pCentre, dx, TRUE);
    ShiftCentreAlongAxis(m_pNodes[Top], m_pNodes[Bottom], total, pCentre, dy, FALSE);
    IntersectWithBounds(pCentre, total);
    FitSidesToCentre(*pCentre, pTop, pBottom, pLeft, pRight);
    return TRUE;
}

void SECLNBorderClient::ShiftCentreAlongAxis(SECLayoutNode* pBefore, SECLayoutNode* pAfter, const RECT& total,
    RECT* pCentre, int nDelta, BOOL bHorizontal)
{
    if (nDelta == 0)
        return;
    SECOrientedRect centre(*pCentre, bHorizontal);
    const SECOrientedRect bounds(total, bHorizontal);
    if (pBefore) {
        const LONG start = centre.GetStart();
        // Half of the change goes to the leading strip; the division truncates toward zero.
        const LONG moved = std::max<LONG>(start - nDelta / 2, bounds.GetStart());
        centre.SetStart(moved);
        nDelta -= start - moved;
    }
    if (pAfter) {
        const LONG end = centre.GetEnd();
        const LONG moved = std::min<LONG>(end + nDelta, bounds.GetEnd());
        centre.SetEnd(moved);
        nDelta -= moved - end;
    }
    centre.SetStart(centre.GetStart() - nDelta);
    *pCentre = centre;
}

RECT* SECLNBorderClient::IntersectWithBounds(RECT* pRect, const RECT& bounds)
{
    pRect->left = std::max(pRect->left, bounds.left);
    pRect->top = std::max(pRect->top, bounds.top);
    pRect->right = std::min(pRect->right, bounds.right);
    pRect->bottom = std::min(pRect->bottom, bounds.bottom);
    return pRect;
}

void SECLNBorderClient::FitSidesToCentre(const RECT& centre, RECT* pTop, RECT* pBottom, RECT* pLeft,
    RECT* pRight)
{
    pLeft->right = centre.left;
    pRight->left = centre.right;
    pTop->bottom = centre.top;
    pBottom->top = centre.bottom;
    if (m_nCornerMode == 0) {
        pLeft->top = pRight->top = pTop->bottom;
        pLeft->bottom = pRight->bottom = pBottom->top;
    } else {
        pTop->left = pBottom->left = pLeft->right;
        pTop->right = pBottom->right = pRight->left;
    }
}

BOOL SECLNBorderClient::RecalcSideNodes(const RECT& total, RECT* pTop, RECT* pBottom, RECT* pLeft, RECT* pRight)
{
    if (m_nCornerMode == 0)
        return RecalcSidesTopBottomFirst(total, pTop, pBottom, pLeft, pRight);
    return RecalcSidesLeftRightFirst(total, pTop, pBottom, pLeft, pRight);
}

BOOL SECLNBorderClient::RecalcSidesTopBottomFirst(const RECT& total, RECT* pTop, RECT* pBottom, RECT* pLeft,
    RECT* pRight)
{
    BOOL changed = FALSE;
    RECT r {};
    if (SECLayoutNode* node = m_pNodes[Top]) {
        node->RecalcLayout(&r, *pTop, TRUE, TRUE);
        if (CRect(r).Height() != CRect(*pTop).Height()) {
            pTop->bottom = pTop->top + CRect(r).Height();
            changed = TRUE;
        }
        pTop->bottom = std::min(pTop->bottom, total.bottom);
        pLeft->top = pRight->top = pTop->bottom;
    }
    if (SECLayoutNode* node = m_pNodes[Bottom]) {
        node->RecalcLayout(&r, *pBottom, TRUE, TRUE);
        if (CRect(r).Height() != CRect(*pBottom).Height()) {
            pBottom->top = pBottom->bottom - CRect(r).Height();
            changed = TRUE;
        }
        pBottom->top = std::max({ pBottom->top, total.top, pTop->bottom });
        pLeft->bottom = pRight->bottom = pBottom->top;
    }
    if (SECLayoutNode* node = m_pNodes[Left]) {
        node->RecalcLayout(&r, *pLeft, TRUE, TRUE);
        if (CRect(r).Width() != CRect(*pLeft).Width()) {
            pLeft->right = pLeft->left + CRect(r).Width();
            changed = TRUE;
        }
        pLeft->right = std::min(pLeft->right, total.right);
    }
    if (SECLayoutNode* node = m_pNodes[Right]) {
        node->RecalcLayout(&r, *pRight, TRUE, TRUE);
        if (CRect(r).Width() != CRect(*pRight).Width()) {
            pRight->left = pRight->right - CRect(r).Width();
            changed = TRUE;
        }
        pRight->left = std::max({ pRight->left, total.left, pLeft->right });
    }
    return changed;
}

BOOL SECLNBorderClient::RecalcSidesLeftRightFirst(const RECT& total, RECT* pTop, RECT* pBottom, RECT* pLeft,
    RECT* pRight)
{
    BOOL changed = FALSE;
    RECT r {};
    if (SECLayoutNode* node = m_pNodes[Top]) {
        node->RecalcLayout(&r, *pTop, TRUE, TRUE);
        if (CRect(r).Height() != CRect(*pTop).Height()) {
            pTop->bottom = pTop->top + CRect(r).Height();
            changed = TRUE;
        }
        pTop->bottom = std::min(pTop->bottom, total.bottom);
    }
    if (SECLayoutNode* node = m_pNodes[Bottom]) {
        node->RecalcLayout(&r, *pBottom, TRUE, TRUE);
        if (CRect(r).Height() != CRect(*pBottom).Height()) {
            pBottom->top = pBottom->bottom - CRect(r).Height();
            changed = TRUE;
        }
        pBottom->top = std::max({ pBottom->top, total.top, pTop->bottom });
    }
    if (SECLayoutNode* node = m_pNodes[Left]) {
        node->RecalcLayout(&r, *pLeft, TRUE, TRUE);
        if (CRect(r).Width() != CRect(*pLeft).Width()) {
            pLeft->right = pLeft->left + CRect(r).Width();
            changed = TRUE;
        }
        pLeft->right = std::min(pLeft->right, total.right);
        pTop->left = pBottom->left = pLeft->right;
    }
    if (SECLayoutNode* node = m_pNodes[Right]) {
        node->RecalcLayout(&r, *pRight, TRUE, TRUE);
        if (CRect(r).Width() != CRect(*pRight).Width()) {
            pRight->left = pRight->right - CRect(r).Width();
            changed = TRUE;
        }
        pRight->left = std::max({ pRight->left, total.left, pLeft->right });
        pTop->right = pBottom->right = pRight->left;
    }
    return changed;
}

void SECLNBorderClient::RecalcBorderNodes(const RECT& centre, const RECT& top, const RECT& bottom,
    const RECT& left, const RECT& right)
{
    const RECT* rects[] = { &top, &bottom, &left, &right, &centre };
    RECT tmp {};
    for (int pos : { Centre, Top, Bottom, Left, Right }) {
        if (SECLayoutNode* node = m_pNodes[pos])
            node->RecalcLayout(&tmp, *rects[pos], FALSE, TRUE);
    }
}

double SECLNBorderClient::CalcScaleFactor(int nAvailable, int a, int b)
{
    if (nAvailable < 0)
        return 0.0;
    if (a + b > nAvailable)
        return static_cast<double>(nAvailable) / (a + b);
    return 1.0;
}

RECT* SECLNBorderClient::CentreFromSides(RECT* pOut, RECT top, RECT bottom, RECT left, RECT right)
{
    *pOut = { left.right, top.bottom, right.left, bottom.top };
    return pOut;
}

void SECLNBorderClient::GetPreferredSideRects(RECT* pTop, RECT* pBottom, RECT* pLeft, RECT* pRight)
{
    RECT* rects[] = { pTop, pBottom, pLeft, pRight };
    for (int pos = Top; pos <= Right; ++pos) {
        *rects[pos] = {};
        GetNodePreferredRect(m_pNodes[pos], rects[pos]);
    }
}

void SECLNBorderClient::GetNodePreferredRect(SECLayoutNode* pNode, RECT* pOut)
{
    if (!pNode)
        return;
    pNode->GetPreferredRect(pOut);
    pNode->ClampRectToLimits(pOut);
}
