#pragma once
// Arranges up to five children as a frame arranges its bars around a view: a strip along each side,
// as thick as its node prefers, and a centre that takes the rest. Opposite strips that do not fit are
// scaled down in proportion; the centre node's limits then take room from, or give it back to, the strips
// beside it. Corner mode 0 lets top and bottom span the full width, mode 1 left and right the full height.

#include "toolkit/frames/ISECLNBorderClientEventRcvr.h"
#include "toolkit/frames/SECLayoutNode.h"

class SECLNBorderClient : public SECLayoutNode {
public:
    // Border positions.
    static constexpr int Top = 0;
    static constexpr int Bottom = 1;
    static constexpr int Left = 2;
    static constexpr int Right = 3;
    static constexpr int Centre = 4;

    int AddLayoutNode(SECLayoutNode* pNode) override;
    // However a child leaves (also by its own deletion), its place is cleared with it.
    BOOL RemoveChildAt(POSITION pos) override;
    int RemoveLayoutNode(SECLayoutNode* pNode) override;
    RECT* OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bFull, BOOL bForce) override;

    virtual BOOL GetBorderPosition(SECLayoutNode* pNode, int& nPos);
    virtual SECLayoutNode* GetBorderNode(int nPos);
    virtual int AddBorderNode(SECLayoutNode* pNode, int nPos);
    virtual RECT* CalcBorderRects(RECT* pCentre, const RECT& total, RECT* pTop, RECT* pBottom, RECT* pLeft,
        RECT* pRight);
    virtual BOOL FindFreeBorderPosition(int& nPos);
    virtual BOOL SetBorderNode(SECLayoutNode* pNode, int nPos);
    virtual BOOL ClearBorderNode(SECLayoutNode* pNode);
    virtual RECT* DistributeTopBottomFirst(RECT* pCentre, const RECT& total, RECT* pTop, RECT* pBottom,
        RECT* pLeft, RECT* pRight);
    virtual RECT* DistributeLeftRightFirst(RECT* pCentre, const RECT& total, RECT* pTop, RECT* pBottom,
        RECT* pLeft, RECT* pRight);
    virtual BOOL FitCentreToLimits(const RECT& total, RECT* pCentre, RECT* pTop, RECT* pBottom, RECT* pLeft,
        RECT* pRight);
    virtual void ShiftCentreAlongAxis(SECLayoutNode* pBefore, SECLayoutNode* pAfter, const RECT& total,
        RECT* pCentre, int nDelta, BOOL bHorizontal);
    virtual RECT* IntersectWithBounds(RECT* pRect, const RECT& bounds);
    virtual void FitSidesToCentre(const RECT& centre, RECT* pTop, RECT* pBottom, RECT* pLeft, RECT* pRight);
    virtual BOOL RecalcSideNodes(const RECT& total, RECT* pTop, RECT* pBottom, RECT* pLeft, RECT* pRight);
    virtual BOOL RecalcSidesTopBottomFirst(const RECT& total, RECT* pTop, RECT* pBottom, RECT* pLeft,
        RECT* pRight);
    virtual BOOL RecalcSidesLeftRightFirst(const RECT& total, RECT* pTop, RECT* pBottom, RECT* pLeft,
        RECT* pRight);
    virtual void RecalcBorderNodes(const RECT& centre, const RECT& top, const RECT& bottom, const RECT& left,
        const RECT& right);
    virtual double CalcScaleFactor(int nAvailable, int a, int b);
    virtual RECT* CentreFromSides(RECT* pOut, RECT top, RECT bottom, RECT left, RECT right);
    virtual void GetPreferredSideRects(RECT* pTop, RECT* pBottom, RECT* pLeft, RECT* pRight);
    virtual void GetNodePreferredRect(SECLayoutNode* pNode, RECT* pOut);

    void SetCornerMode(int nMode) { m_nCornerMode = nMode; }
    int GetCornerMode() const { return m_nCornerMode; }
    void SetEventReceiver(ISECLNBorderClientEventRcvr* pReceiver) { m_pEventRcvr = pReceiver; }

private:
    // Indexed by border position: top, bottom, left, right, centre.
    SECLayoutNode* m_pNodes[5] {};
    int m_nCornerMode { 0 };
    ISECLNBorderClientEventRcvr* m_pEventRcvr { nullptr };
};
