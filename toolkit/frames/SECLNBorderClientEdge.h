#pragma once
// A sunken 3-D edge on chosen sides of a node, as a frame draws around its client area: a shadow line
// and a highlight line one pixel further in. Sides without an edge take no room.

#include "platform/afx/CPen.h"
#include "toolkit/frames/SECLayoutNodeBorderSpace.h"
#include "toolkit/frames/SECParentOfNegotiableChildNode.h"

class SECLNBorderClientEdge : public SECLayoutNodeBorderSpace, public SECParentOfNegotiableChildNode {
public:
    SECLNBorderClientEdge();

    void SetEdgeSides(BOOL bLeft, BOOL bTop, BOOL bRight, BOOL bBottom);

    void SetBorderWidths(int left, int top, int right, int bottom) override;
    RECT* OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bFirst, BOOL bSecond) override;
    void DrawBorder(HDC hDC, const RECT& rect, RECT& rcLastPainted, int nSide) override;
    void InvalidateArea(const RECT& rect) override;

    virtual void FillEdgeBand(HDC hDC, const RECT& rect);
    virtual void DrawEdgeLines(HDC hDC, const RECT& band, BOOL bHorizontal, int nSide, CPen& shadow, CPen& highlight);
    virtual void FillInnerBand(HDC hDC, const RECT& rect) { FillEdgeBand(hDC, rect); }
    // FALSE for a side without an edge or a number that is no side.
    virtual BOOL GetEdgeOrientation(int nSide, BOOL& bHorizontal);
    // The band between the distances from and to, measured inwards from the side.
    virtual void CalcEdgeBand(RECT& out, const RECT& rect, int nFrom, int nTo, int nSide);

private:
    BOOL m_bEdgeLeft { FALSE };
    BOOL m_bEdgeTop { FALSE };
    BOOL m_bEdgeRight { FALSE };
    BOOL m_bEdgeBottom { FALSE };
    int m_nOuterMargin { 0 };
    int m_nLineWidth { 2 };
    int m_nInnerMargin { 0 };
    CPen m_penHighlight;
    CPen m_penShadow;
};
