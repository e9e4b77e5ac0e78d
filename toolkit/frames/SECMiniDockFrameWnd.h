#pragma once
// The small floating frame of the toolkit's bars: it holds them in a floating dock bar of its own, lays
// itself out around them, drags and resizes its bar from its caption and borders, and hides rather than
// closes.

#include "platform/afx/CMiniDockFrameWnd.h"
#include "toolkit/frames/SECDockBar.h"

class SECMiniDockFrameWnd : public CMiniDockFrameWnd {
    DECLARE_DYNCREATE(SECMiniDockFrameWnd)
public:
    SECMiniDockFrameWnd();
    ~SECMiniDockFrameWnd() override;

    // The floating frame owned by pParent, its dock bar laid out as dwBarStyle says; FALSE when the frame
    // or its dock bar could not be made.
    BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
    // Lays out and takes the dock bar's text as the caption.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // Sizes the frame to its bars and places it at the screen point (x, y).
    virtual void RecalcLayoutAt(int x, int y, BOOL bNotUsed = TRUE);

    SECDockBar* GetDockBar() { return &m_wndSECDockBar; }

    // The frame's own dock bar (the class library's m_wndDockBar is not used).
    SECDockBar m_wndSECDockBar { TRUE, FALSE };

protected:
    // The first bar docked in the frame; null when none is.
    CControlBar* GetFirstDockedBar() const;
    void BringToTop();
    void TakeDockBarTitle();

    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
