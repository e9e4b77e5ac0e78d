#pragma once
// A border space whose border on one side is widened into a gripper: a strip with two raised bars that
// the user grabs to drag the bordered node away. The side follows the node's orientation: left for a
// horizontal node, top for a vertical one.

#include <memory>

#include "toolkit/frames/SECGripperRecords.h"
#include "toolkit/frames/SECLayoutNodeBorderSpace.h"

class SECLayoutNodeGripper : public SECLayoutNodeBorderSpace {
public:
    SECLayoutNodeGripper();

    void SetOrientation(BOOL bHorizontal, BOOL bRecurse) override;
    void SetBorderWidths(int left, int top, int right, int bottom) override;
    RECT* OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bFirst, BOOL bSecond) override;
    void DrawBorder(HDC hDC, const RECT& rect, RECT& rcLastPainted, int nSide) override;
    void InvalidateArea(const RECT& rect) override;

    virtual std::unique_ptr<SECGripperMetrics> CreateGripperMetrics() { return std::make_unique<SECGripperMetrics>(); }
    virtual std::unique_ptr<SECGripperLayout> CreateGripperLayout() { return std::make_unique<SECGripperLayout>(); }
    virtual void DrawGripper(HDC hDC, const RECT& strip, int nSide, const SECGripperLayout& layout);
    virtual void CalcGripperLayout(const RECT& strip, int nSide, SECGripperLayout& layout);
    virtual void CalcDoubleBarMetrics(SECGripperMetrics& m, int nLength, int nThickness, int nSide);
    virtual void CalcSingleBarMetrics(SECGripperMetrics& m, int nLength, int nThickness, int nSide);
    virtual void LayoutVerticalGripper(const RECT& strip, const SECGripperMetrics& m, SECGripperLayout& layout);
    virtual void LayoutHorizontalGripper(const RECT& strip, const SECGripperMetrics& m, SECGripperLayout& layout);

    void SetGripperSide(int nSide);
    int GetGripperSide() const { return m_nGripperSide; }
    int GetGripperThickness() const { return m_nThickness; }
    // Null before the first layout.
    const SECGripperLayout* GetGripperLayout() const { return m_pLayout.get(); }

protected:
    static bool IsVerticalSide(int nSide) { return nSide == SideLeft || nSide == SideRight; }
    void SetInsets(SECGripperMetrics& m, int nSide) const;

    int m_nGripperSide { SideLeft };
    int m_nThickness { 18 };
    std::unique_ptr<SECGripperLayout> m_pLayout;
    BOOL m_bSingleBar;
};
