#pragma once
// The outline that follows a toolbar button dragged while customising: the whole rectangle moves, drawn
// on the desktop so that it can leave the bar.

#include "platform/afx/CRectTracker.h"

class SECToolBarRectTracker : public CRectTracker {
public:
    explicit SECToolBarRectTracker(const CRect& rect)
        : CRectTracker(&rect, hatchedBorder)
    {
    }

    // Moves the rectangle from a press at point (pWnd's client coordinates) until the button comes up;
    // FALSE when it did not move or the drag was cancelled.
    BOOL Track(CWnd* pWnd, CPoint point);
};
