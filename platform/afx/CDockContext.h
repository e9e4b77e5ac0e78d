#pragma once
// The dragging of a control bar: an outline follows the mouse over the screen (thin where the bar would
// dock, a thick frame where it would float) until the button goes up, Escape or the right button
// cancels, Control keeps it from docking and Shift turns it across. Also resizing a floating bar by its
// frame, and the double-click toggle between its last docked and floating places.

#include "platform/afx/CRect.h"

class CControlBar;
class CDC;
class CDockBar;
class CFrameWnd;

class CDockContext {
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();

    // Drags the bar from the screen point; returns when the drag is over.
    virtual void StartDrag(CPoint pt);
    void Move(CPoint pt);
    void EndDrag();
    // Resizes the floating bar by the frame edge nHitTest from the screen point.
    virtual void StartResize(int nHitTest, CPoint pt);
    void Stretch(CPoint pt);
    void EndResize();
    // Floats a docked bar at its last floating place, or docks a floating one at its last docked place.
    virtual void ToggleDocking();
    // Control and Shift during a drag.
    void OnKey(int nChar, BOOL bDown);

    // Starts the outline on the screen (window updates locked) and ends it.
    void InitLoop();
    void CancelLoop();
    // Draws the outline for the current state (bRemoveRect: takes it away).
    void DrawFocusRect(BOOL bRemoveRect = FALSE);
    // The dock style of the dock bar under the drag rectangles (0: none).
    DWORD CanDock();
    CDockBar* GetDockBar(DWORD dwOverDockStyle);
    // The modal loop of a drag or resize; FALSE when it was cancelled.
    BOOL Track();

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    DWORD m_dwDockStyle { 0 };
    DWORD m_dwOverDockStyle { 0 };
    DWORD m_dwStyle { 0 };
    BOOL m_bFlip { FALSE };
    BOOL m_bForceFrame { FALSE };
    CDC* m_pDC { nullptr };
    BOOL m_bDragging { FALSE };
    int m_nHitTest { 0 };
    UINT m_uMRUDockID { 0 };
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle { 0 };
    CPoint m_ptMRUFloatPos { -1, -1 };
    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bDitherLast { FALSE };
    CRect m_rectDragHorz;
    CRect m_rectDragVert;
    CRect m_rectFrameDragHorz;
    CRect m_rectFrameDragVert;
    CRect m_rectRequestedSize;
    CRect m_rectActualSize;
    CRect m_rectActualFrameSize;
    CRect m_rectFrameBorders;

protected:
    void UpdateState(BOOL* pFlag, BOOL bNewValue);
};
