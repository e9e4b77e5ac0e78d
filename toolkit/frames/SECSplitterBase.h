#pragma once
// A window that divides an area into up to four pane places (2 rows by 2 columns) with at most one
// horizontal and one vertical bar. Which part of the area a bar crosses follows from the places that hold
// panes (the bar kinds). Dragging a bar runs a modal loop with the mouse captured: with live tracking
// the panes follow the mouse, otherwise an inverted ghost bar shows the new place until the release.
// Escape, the right button and a lost capture cancel the drag and leave the panes where they were.

#include "platform/afx/CWnd.h"
#include "toolkit/frames/SECSplitterPaneInfo.h"

class CDC;

class SECSplitterBase : public CWnd {
public:
    // How far a bar reaches across the area.
    enum BarKind { ToCrossing = 0, FromCrossing = 1, Across = 2, NoBar = 3 };
    // Flags word bits.
    static constexpr DWORD LiveTracking = 0x1;
    static constexpr DWORD HorizontalWins = 0x2;
    static constexpr UINT DefaultId = 60911;

    // One width for every bar of the program; the grid lines and sizable borders share it.
    static int GetBarWidth() { return s_nBarWidth; }
    static void SetBarWidth(int nWidth) { s_nBarWidth = nWidth; }

    SECSplitterBase();
    ~SECSplitterBase() override = default;

    virtual BOOL Create(CWnd* pParent, int left, int top, int right, int bottom, DWORD dwStyle, UINT nID,
        DWORD dwFlags);
    virtual void SetSplitPosition(int x, int y);
    virtual BOOL AddPane(int nRow, int nCol);
    virtual BOOL RemovePane(int nRow, int nCol);
    virtual void ApplyPaneRects(const SECSplitterPaneInfo& /*panes*/) { }
    virtual void DrawBars(CDC* pDC);
    virtual void DrawHorizontalBar3D(CDC* pDC, const RECT& rect);
    virtual void DrawVerticalBar3D(CDC* pDC, const RECT& rect);
    // Other looks than the three-dimensional one; the bar style in use never selects them.
    virtual void DrawHorizontalBarFlat(CDC* pDC, const RECT& rect);
    virtual void DrawVerticalBarFlat(CDC* pDC, const RECT& rect);
    virtual void FillBar(CDC* pDC, const RECT& rect);
    virtual BOOL MayStartTracking() { return TRUE; }
    virtual void OnSplitterMoved(int /*dx*/, int /*dy*/) { }
    virtual void InvalidateArea(const RECT& rect);
    virtual void MoveTracking(int x, int y);
    virtual HDC GetTrackingDC();
    virtual void ReleaseTrackingDC(HDC hDC);
    virtual void ConvertTrackingRect(RECT& /*rect*/) { }
    virtual void GetTrackingLimits(RECT* pLimits);
    // Brings a dragged distance back inside the area; the correction is taken off the distance.
    virtual void ClampBar(int& dx, int& dy);
    virtual BOOL IsPaintAllowed(CDC* /*pDC*/) { return TRUE; }
    virtual void ComputeBarKinds();
    virtual void InvalidateAlongBar(const RECT& rcOld, const RECT& rcNew);
    // Makes rect the current bar of its orientation; FALSE when nothing changed.
    virtual BOOL ApplyBarRect(const RECT& rect, BOOL bHorizontal);
    virtual void HitTest(int x, int y, BOOL& bInHorizontal, BOOL& bInVertical);
    virtual void RecalcBars();
    virtual void ComputeBarRects(int& x, int& y, RECT* pHorz, RECT* pVert);
    virtual void UpdateHitRects();
    virtual void StartTracking(int x, int y, BOOL bHorizontal, BOOL bVertical);
    // Runs the drag; answers the distance the bars moved (0, 0 for a cancelled or live drag).
    virtual SIZE Track(BOOL bHorizontal, BOOL bVertical);
    virtual void DrawGhostBar(HDC hDC, const RECT& bar, BOOL bHorizontal, BOOL bErase);
    virtual BOOL TrackingLoop(HDC hDC, BOOL bHorizontal, BOOL bVertical);
    virtual void RecalcPanes(const RECT& rcHorz, const RECT& rcVert);
    virtual void LayoutPanes();
    virtual void FlushPaints();
    virtual int GetBarStyle() { return 2; }

    // The pane rectangles inside rcArea for the given bars and kinds.
    static void ComputePaneRects(const RECT& rcArea, const RECT& rcHorz, const RECT& rcVert, int nHorzKind,
        int nVertKind, const BOOL bPresent[4], SECSplitterPaneInfo& info);
    // The kinds of the two bars for the present places (top-left, top-right, bottom-left, bottom-right).
    static void BarKindsFor(const BOOL bPresent[4], BOOL bHorizontalWins, int& nHorzKind, int& nVertKind);

    int GetHorzKind() const { return m_nHorzKind; }
    int GetVertKind() const { return m_nVertKind; }
    const RECT& GetHorzBar() const { return m_rcHorz; }
    const RECT& GetVertBar() const { return m_rcVert; }
    const RECT& GetArea() const { return m_rcArea; }
    POINT GetSplitPosition() const { return { m_nSplitX, m_nSplitY }; }
    BOOL IsTracking() const { return m_bTracking; }
    DWORD GetSplitterFlags() const { return m_dwFlags; }
    void SetSplitterFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }

protected:
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

    void SetArea(const RECT& rect) { m_rcArea = rect; }
    BOOL SetPanePresent(int nRow, int nCol, BOOL bPresent);
    // The bar computation over a given kind pair; the tracking copies use it even where a derived class
    // computes its own bars differently.
    void ComputeBarRectsAt(int& x, int& y, RECT* pHorz, RECT* pVert);

    DWORD m_dwFlags { 0 };
    BOOL m_bPane[4] {};
    int m_nSplitY { 0 };
    int m_nSplitX { 0 };
    RECT m_rcHorz {};
    RECT m_rcVert {};
    RECT m_rcHorzHit {};
    RECT m_rcVertHit {};
    RECT m_rcArea {};
    int m_nHorzKind { NoBar };
    int m_nVertKind { NoBar };
    BOOL m_bTracking { FALSE };
    RECT m_rcLastGhost[2] {};
    SIZE m_sizeLastGhost[2] {};
    BOOL m_bGhostDrawn[2] {};
    // Which bars the drag moves; the other keeps its place.
    BOOL m_bDragHorz { FALSE };
    BOOL m_bDragVert { FALSE };
    // What a live drag has reported so far, so a cancel can report it back.
    SIZE m_sizeLiveMoved {};
    // The bars being dragged, in the parent's coordinates.
    RECT m_rcTrackHorz {};
    RECT m_rcTrackVert {};

private:
    inline static int s_nBarWidth = 6;
};
