#pragma once
// A view larger than its window: the document's total size, page and line steps are set in logical
// units of a mapping mode; the scroll bars move the view's origin, which OnPrepareDC applies to
// screen drawing (a printing DC is left to the printing code).

#include "platform/afx/CView.h"

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    // Steps of zero are worked out: a page is a tenth of the total, a line a tenth of a page.
    static const SIZE sizeDefault;

    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault, const SIZE& sizeLine = sizeDefault);
    CSize GetTotalSize() const { return m_totalLog; }
    // The top left corner shown, in logical and in device units.
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const;
    // Scrolls so that the logical point is the top left corner (within the scroll range).
    void ScrollToPosition(POINT pt);

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

    DECLARE_MESSAGE_MAP()

private:
    // Sets the bars' ranges and pages from the device sizes and the client area.
    void UpdateBars();
    void ScrollToDevicePosition(CPoint pt);
    int ScrollTarget(int nBar, UINT nSBCode, UINT nPos) const;

    int m_nMapMode { MM_TEXT };
    CSize m_totalLog;
    // The sizes in device units.
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
};
