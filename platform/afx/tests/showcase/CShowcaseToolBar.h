#pragma once
// The showcase's toolbar: a row of drawn buttons (TBBS_* styles) that sends its commands to the frame,
// asks the frame's update handlers for their state and names them in tooltips and fly-by prompts.

#include <vector>

#include "platform/afx/CControlBar.h"

class CShowcaseToolBar : public CControlBar {
public:
    static constexpr int kButtonSize = 22;
    static constexpr int kSeparatorSize = 8;

    // Ids of the buttons in order; 0 is a separator.
    BOOL Create(CWnd* pParentWnd, const UINT* lpIDArray, int nIDCount, UINT nID);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    int CommandToIndex(UINT nID) const;
    UINT GetButtonStyle(int nIndex) const { return m_buttons[static_cast<size_t>(nIndex)].style; }
    void SetButtonStyle(int nIndex, UINT nStyle);
    // The button's rectangle in the bar's client area.
    CRect GetItemRect(int nIndex) const;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    DECLARE_MESSAGE_MAP()

private:
    struct Button {
        UINT id { 0 };
        UINT style { TBBS_BUTTON };
    };
    int HitTest(CPoint point) const;
    bool IsHorizontal() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || !(m_dwStyle & CBRS_ORIENT_VERT); }

    std::vector<Button> m_buttons;
    int m_nPressed { -1 };
};
