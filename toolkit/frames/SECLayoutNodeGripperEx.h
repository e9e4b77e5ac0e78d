#pragma once
// A gripper that listens to its draw window's mouse and can show a close and an expand button in its
// strip. A button fires only when the press and the release are both on it; in between, its pushed look
// follows the pointer. Presses elsewhere go on to whoever drags the node.

#include "toolkit/frames/SECLayoutNodeGripper.h"
#include "toolkit/frames/SECWndListener.h"

class SECLayoutNodeGripperEx : public quorvale::foundation::SECWndListener, public SECLayoutNodeGripper {
public:
    // The result flags that end the listener chain with the listener's result.
    static constexpr DWORD kEndChain = 0xFF;

    SECLayoutNodeGripperEx() = default;

    void SetDrawWindow(HWND hWnd) override;
    std::unique_ptr<SECGripperMetrics> CreateGripperMetrics() override;
    std::unique_ptr<SECGripperLayout> CreateGripperLayout() override;
    void DrawGripper(HDC hDC, const RECT& strip, int nSide, const SECGripperLayout& layout) override;
    void CalcDoubleBarMetrics(SECGripperMetrics& m, int nLength, int nThickness, int nSide) override;
    void LayoutVerticalGripper(const RECT& strip, const SECGripperMetrics& m, SECGripperLayout& layout) override;
    void LayoutHorizontalGripper(const RECT& strip, const SECGripperMetrics& m, SECGripperLayout& layout) override;

    virtual void OnCloseButton() { }
    virtual void OnExpandButton() { }
    virtual UINT GetExpandButtonState(int nSide);
    virtual UINT GetCloseButtonState();
    // FALSE before the first layout.
    virtual BOOL GetCloseButtonRect(RECT& rect);
    virtual BOOL GetExpandButtonRect(RECT& rect);

    BOOL m_bShowClose { FALSE };
    BOOL m_bShowExpand { FALSE };
    BOOL m_bCloseEnabled { TRUE };
    BOOL m_bExpanded { TRUE };
    BOOL m_bExpandEnabled { TRUE };
    BOOL m_bClosePressed { FALSE };
    BOOL m_bExpandPressed { FALSE };
    BOOL m_bCloseTracking { FALSE };
    BOOL m_bExpandTracking { FALSE };

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // The point in node coordinates, inside the button's rectangle.
    BOOL HitButton(BOOL bClose, CPoint point);
    void InvalidateButton(BOOL bClose);
    // Pressed follows the pointer while tracking; a change repaints the button.
    void TrackButton(BOOL bClose, BOOL& bPressed, CPoint point);
};
