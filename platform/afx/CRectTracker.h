#pragma once
// A rectangle the user moves and sizes with the mouse: drawn with a border style and resize handles,
// hit-tested by handle, and tracked in a modal loop that shows the new rectangle as an inverted
// outline until the button comes up (Escape, a lost capture or a quit message cancel).

#include "platform/afx/CDC.h"
#include "platform/afx/CRect.h"

class CWnd;

class CRectTracker {
public:
    enum StyleFlags : UINT {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32,
    };
    enum TrackerHit : int {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8,
    };

    CRectTracker() = default;
    CRectTracker(LPCRECT lpSrcRect, UINT nStyle);
    virtual ~CRectTracker() = default;

    // Draws the border (by style), the hatching and the resize handles on pDC.
    void Draw(CDC* pDC) const;
    // The rectangle with the handles and border that lie outside it.
    void GetTrueRect(LPRECT lpTrueRect) const;
    // Sets the cursor for the handle under the pointer when nHitTest is HTCLIENT over pWnd; TRUE when set.
    BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
    // Tracks from a press at point (pWnd's client coordinates): a handle sizes, the middle moves.
    // TRUE when the button came up with the rectangle changed; FALSE when nothing was hit, the
    // rectangle did not change or the drag was cancelled (m_rect is then as before).
    BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = nullptr);
    // Drags a new rectangle from point.
    BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);
    // The handle or part under a point (TrackerHit), hitNothing outside.
    int HitTest(CPoint point) const;
    // The handle a hit means once an inverted rectangle is taken into account.
    int NormalizeHit(int nHandle) const;

    // Draws (and erases, drawing again at the same place) the outline while tracking.
    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    // Keeps a rectangle being tracked within limits (here: the minimum size m_sizeMin).
    virtual void AdjustRect(int nHandle, LPRECT lpRect);
    // Called after each change of m_rect while tracking.
    virtual void OnChangedRect(const CRect& rectOld) { }
    // Which handles are shown (bit per TrackerHit): the corners, and the side handles when the
    // rectangle is long enough for them.
    virtual UINT GetHandleMask() const;

    CRect m_rect;
    CSize m_sizeMin { 0, 0 };
    int m_nHandleSize { 7 };
    UINT m_nStyle { 0 };

protected:
    virtual int GetHandleSize(LPCRECT lpRect = nullptr) const;
    void GetHandleRect(int nHandle, CRect* pHandleRect) const;
    int HitTestHandles(CPoint point) const;
    BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);

    BOOL m_bAllowInvert { FALSE };
    BOOL m_bErase { FALSE }; // the next DrawTrackerRect takes the last outline away
    BOOL m_bFinalErase { FALSE }; // ... and draws none
    CRect m_rectLast;
    CSize m_sizeLast { 0, 0 };

private:
    // The corner coordinates a handle moves (null: that axis stays).
    void GetModifyPointers(int nHandle, LONG** ppx, LONG** ppy);
};
