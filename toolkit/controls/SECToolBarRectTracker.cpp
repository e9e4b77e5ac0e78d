#include "toolkit/controls/SECToolBarRectTracker.h"

#include "platform/afx/CWnd.h"

BOOL SECToolBarRectTracker::Track(CWnd* pWnd, CPoint point)
{
    if (HitTest(point) < 0)
        return FALSE;
    return TrackHandle(hitMiddle, pWnd, point, CWnd::FromHandle(::GetDesktopWindow()));
}
