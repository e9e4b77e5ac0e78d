#pragma once
// The drag-and-dock and floating-resize tracker of a toolkit bar. It keeps the class library's model
// (drag rectangles for docking along either side and for floating, Shift turning the bar across, Ctrl
// keeping it from docking, one modal mouse loop) and adds the dock bar's share-sized outline, a least
// travel before a floating bar docks, sizing a floating bar from all eight edges within limits, the
// bar's row share kept across floating, and docking and floating through the toolkit's frames.

#include <memory>

#include "platform/afx/CDockContext.h"

class CDockBar;
class CFrameWnd;

class SECDockContext : public CDockContext {
public:
    explicit SECDockContext(CControlBar* pBar);
    // Takes the bar out of its dock bar.
    ~SECDockContext() override;

    void StartDrag(CPoint pt) override;
    void StartResize(int nHitTest, CPoint pt) override;
    void ToggleDocking() override;
    // Moves the bar between an MDI child of the MDI frame and its docked or floating place.
    virtual void FloatInMainWindow();

    // The steps of the loop, used in place of the class library's.
    void Move(CPoint pt);
    void Stretch(CPoint pt);
    void EndDrag();
    void EndResize();
    DWORD CanDock();
    void DrawFocusRect(BOOL bRemoveRect = FALSE);
    void CancelLoop();
    // The modal loop of a drag or resize; FALSE when it was cancelled.
    BOOL Track();

    // A floating bar docks only after the mouse travelled more than this (|dx| + |dy|).
    static constexpr int kDockTravel = 4;
    // A floating bar dragged over a dock side shows the dock outline only from this travel on.
    static constexpr int kOutlineTravel = 5;

    CRect m_rectLastOutline;
    CPoint m_ptDragStart;
    CPoint m_ptLastOutline;
    int m_nLastOutlineRow { -1 };
    BOOL m_bWasFloating { FALSE };
    int m_nMinWidth { 0 };
    int m_nMinHeight { 0 };
    int m_nMaxWidth { 0 };
    int m_nMaxHeight { 0 };

protected:
    // The frame rectangle around a bar rectangle: the mini frame's borders, unless the bar's own frame
    // is a mini frame without a full caption.
    CRect FrameAround(const CRect& rectBar) const;
    // Whether the bar lies along a horizontal side, Shift taken into account.
    BOOL IsHorzOriented() const;
    // The travel of the mouse since the drag began.
    int DragTravel() const;
    // Docking and floating go through the frame's own operations, whatever its class.
    void DockAt(CDockBar* pDockBar, const CRect& rect);
    void ReDockAt(CDockBar* pDockBar, const CRect* pRect);
    void FloatAt(CPoint point, DWORD dwStyle);
    // Tells the main window's status bar what a drag offers.
    static void SetMessageString(UINT nID);

private:
    // Cleared when the context is destroyed, so that a loop running in it notices.
    std::shared_ptr<BOOL> m_pAlive { std::make_shared<BOOL>(TRUE) };
};
