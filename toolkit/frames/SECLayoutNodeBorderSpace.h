#pragma once
// A drawn border around one node: four strips filled with the button face. Painting a strip also
// invalidates what it newly covers, so a strip that grew is repainted whole.

#include "toolkit/frames/ISECBorderWrapper.h"
#include "toolkit/frames/SECLNBorder_T.h"
#include "toolkit/frames/SECLayoutNodeDCBase.h"

class SECLayoutNodeBorderSpace : public SECLNBorder_T<SECLayoutNodeDCBase>, public ISECBorderWrapper {
public:
    // Side codes.
    static constexpr int SideTop = 0;
    static constexpr int SideBottom = 1;
    static constexpr int SideLeft = 2;
    static constexpr int SideRight = 3;

    SECLayoutNodeBorderSpace();

    void EnableBorder(BOOL bEnable, BOOL bRecalcChildren) override;
    BOOL IsBorderEnabled() override { return m_bBorderEnabled; }
    RECT* OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bFirst, BOOL bSecond) override;
    void DrawNode(HDC hDC, const RECT& rcNode) override;

    virtual void SetBorderWidths(int left, int top, int right, int bottom);
    virtual void DrawBorder(HDC hDC, const RECT& rect, RECT& rcLastPainted, int nSide);
    virtual BOOL InvalidateChangedArea(const RECT& rcNow, RECT& rcBefore);
    virtual void InvalidateArea(const RECT& rect);
    virtual void CalcBorderRects(const RECT& rect, BOOL bVerticalFirst, RECT& rcLeft, RECT& rcRight, RECT& rcTop,
        RECT& rcBottom);

    // Applies the requested widths through SetBorderWidths.
    void ApplyBorderWidths();
    // The computed strip of a side code.
    RECT GetBorderRect(int nSide) const;

protected:
    BOOL m_bVerticalFirst { TRUE };
    BOOL m_bBorderEnabled { TRUE };
    int m_nReqLeft { 6 };
    int m_nReqTop { 3 };
    int m_nReqRight { 6 };
    int m_nReqBottom { 3 };
    RECT m_rcLeft {};
    RECT m_rcTop {};
    RECT m_rcBottom {};
    RECT m_rcRight {};
    RECT m_rcLastLeft {};
    RECT m_rcLastRight {};
    RECT m_rcLastTop {};
    RECT m_rcLastBottom {};
};
