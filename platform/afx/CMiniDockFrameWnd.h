#pragma once
// The floating frame of control bars: a mini frame holding one floating dock bar. Dragging its caption
// drags the bar (back into the frame, when it is dropped over a dock bar); its frame resizes a bar of
// dynamic size; closing it hides its bars.

#include "platform/afx/CDockBar.h"
#include "platform/afx/CMiniFrameWnd.h"

class CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();
    ~CMiniDockFrameWnd() override;

    // The floating frame owned by pParent, its dock bar laid out as dwBarStyle says (CBRS_ALIGN_*,
    // CBRS_FLOAT_MULTI, CBRS_SIZE_DYNAMIC).
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    // Lays out and takes the dock bar's text as the caption.
    void RecalcLayout(BOOL bNotify = TRUE) override;

    CDockBar m_wndDockBar { TRUE };

protected:
    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    // The first bar docked in the frame, or null.
    CControlBar* FirstBar() const;
};
