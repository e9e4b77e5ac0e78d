#pragma once
// The toolkit's dock bar: the class library's rows of docked bars, where the bars of a row divide its
// length by their shares and the last one stretches to the row's end, with draggable splitters between
// rows and between neighbouring bars, thin client edges on the frame side of rows, expanding one bar of
// a row over its neighbours, and a list of bars repainted after a layout instead of one by one.

#include <memory>
#include <vector>

#include "platform/afx/CDockBar.h"

class SECControlBar;

// Where a bar docks in a dock bar's rows.
struct SECDockPos {
    // Count rows from the last one (0 = the last row); columns from the row's end; a new row in front.
    static constexpr DWORD RowFromEnd = 1;
    static constexpr DWORD ColFromEnd = 2;
    static constexpr DWORD NewRow = 4;

    // From the first row (0); negative asks for new rows in front, and with RowFromEnd a positive
    // row for new rows at the end.
    int m_nRow { 0 };
    // The visible bars to pass in the row before the bar (0: at the row's start).
    int m_nCol { 0 };
    DWORD m_dwFlags { 0 };
};

// Set while layouts move windows without redrawing them (the bars to redraw are repainted afterwards).
BOOL& SECSmoothLayout();

class SECDockBar : public CDockBar {
    DECLARE_DYNCREATE(SECDockBar)
public:
    // A draggable strip between two rows (kind 0) or two bars of a row (kind 1).
    class Splitter : public CObject {
    public:
        Splitter(int nKind, int nOrientation, const CRect& rect)
            : m_nOrientation(nOrientation)
            , m_nKind(nKind)
            , m_rect(rect)
        {
        }
        virtual void Draw(CDC* pDC);

        int m_nOrientation { 0 }; // 1: a vertical strip, dragged left and right
        int m_nKind { 0 };
        CRect m_rect;
        // Kind 0: the entry where the row starts; kind 1: the entry of the bar before the splitter.
        int m_nPos { 0 };
        BOOL m_bInUse { FALSE };
        int m_nMin { 0 };
        int m_nMax { 0 };
        CRect m_rectLastDrag;
        CSize m_sizeLastDrag;
        BOOL m_bErase { FALSE };
        BOOL m_bFinal { FALSE };
    };

    // The thin edge between a row and the frame's border.
    class ClientEdge : public CObject {
    public:
        ClientEdge(int nOrientation, const CRect& rect)
            : m_nOrientation(nOrientation)
            , m_rect(rect)
        {
        }
        virtual void Draw(CDC* pDC);

        int m_nOrientation { 0 };
        CRect m_rect;
        BOOL m_bInUse { FALSE };
    };

    static constexpr int kSplitterSize = 6;
    static constexpr int kClientEdgeSize = 2;
    // The smallest length of a bar in a row (and with a splitter the room a bar needs).
    static constexpr int kMinBarLength = 18;
    static constexpr int kMinRowThickness = 19;
    static constexpr float kMaxResizedShare = 0.95F;

    explicit SECDockBar(BOOL bFloating = FALSE, BOOL bMDIChild = FALSE);
    ~SECDockBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    BOOL PreTranslateMessage(MSG* pMsg) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;

    virtual int GetVisibleBarCount();
    virtual BOOL IsBarExpanded(CControlBar* pBar);
    virtual BOOL IsBarAloneInRow(CControlBar* pBar);
    // Docks the bar at a row and column, keeping its share while its neighbours make room.
    virtual void DockControlBar(CControlBar* pBar, const SECDockPos& pos);
    virtual void DockControlBar(CControlBar* pBar, int nCol, int nRow);
    virtual BOOL GetRowBars(std::vector<CControlBar*>& bars, CControlBar* pBar);
    // Mode 1 gives the bar its whole row; any other mode gives every bar of the row the same share.
    virtual void ExpandBar(CControlBar* pBar, int nMode);
    virtual void SetResizingBar(CControlBar* pBar);
    virtual void RedrawPendingBars();
    // Drags the splitter from the press at (x, y); the frame is laid out again when it moved.
    virtual void TrackSplitter(Splitter* pSplitter, int x, int y);
    virtual void AddSplitter(int nKind, int nOrientation, int l, int t, int r, int b, int nPos);
    virtual void CalcSplitterLimits(Splitter* pSplitter);
    virtual void AddClientEdge(int nOrientation, int l, int t, int r, int b);
    virtual void AddRowToolBarsToRedraw(CControlBar* pBar);
    // Scales the shares of the row starting at nStart so that they fill it, the resizing bar keeping
    // its own; the counts of bars that take shares and of bars that keep their length.
    virtual void NormalizeRow(int nStart, CControlBar* pResizingBar, int& nShareBars, int& nFixedBars);
    virtual void UpdateMinShare();
    // Adds delta to the bar's share; what could not be taken below the minimum share (0 or negative).
    virtual float AdjustShare(float fDelta, CControlBar* pBar);
    // Entry positions where the bar went: at the row and place the rectangle (client coordinates,
    // centre x, y) falls in; at a row and column; as a new first row; at an entry.
    virtual int InsertByPoint(CControlBar* pBar, int l, int t, int r, int b, int x, int y);
    virtual int Insert(CControlBar* pBar, const SECDockPos& pos);
    virtual int Insert(CControlBar* pBar, int nCol, int nRow);
    virtual int InsertAsFirstRow(CControlBar* pBar);
    virtual int InsertAt(int nPos, CControlBar* pBar);
    // The outline of a bar dragged over this dock bar (screen coordinates); the caller keeps the last
    // row, rectangle and point between calls.
    virtual void CalcDragRect(CRect& rect, CControlBar* pBar, const CRect& rectDrag, int x, int y, int& nLastRow,
        CRect& rectLast, CPoint& ptLast);
    // Docks the bar back where its placeholder stands, or at the rectangle (screen coordinates).
    void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr) override;
    // Takes the bar out, leaving its placeholder; TRUE when the floating frame of this dock bar went.
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, BOOL bAddPlaceHolder = FALSE) override;
    virtual void MoveSplitter(Splitter* pSplitter, int nDelta);

    // Docks the bar in the row and place the rectangle (screen coordinates) falls in, or as a new last row.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr) override;
    // The entry a bar with this rectangle and centre (client coordinates) would be inserted at.
    int GetInsertPosition(CControlBar* pBar, const CRect& rect, CPoint ptCentre);

    CControlBar* GetFirstBar() const { return m_arrBars.GetSize() >= 2 ? GetDockedControlBar(1) : nullptr; }
    // The thickest bar from nPos to the row's end.
    int GetRowThickness(int nPos);
    int GetRowStart(int nPos) const;
    // The row end (null entry) of the row holding nPos.
    int GetRowEnd(int nPos) const;
    CControlBar* GetPrevBarInRow(int nPos) const;
    CControlBar* GetNextBarInRow(int nPos) const;
    CControlBar* GetNextVisibleBarInRow(int nPos) const;
    // The entry where row nRow (counted from 0) starts; -1 when there are fewer rows.
    int GetRowPosition(int nRow) const;
    // Row and column of a visible bar; FALSE when the bar is not a visible bar of this dock bar.
    BOOL GetBarRowCol(CControlBar* pBar, int& nRow, int& nCol) const;
    // The splitter holding the client point, the last laid out first; null when none does.
    Splitter* HitTestSplitter(CPoint point) const;

    const std::vector<std::unique_ptr<Splitter>>& GetSplitters() const { return m_splitters; }
    const std::vector<std::unique_ptr<ClientEdge>>& GetClientEdges() const { return m_clientEdges; }
    // A bar being destroyed leaves the bars to repaint.
    void RemoveFromRedrawList(CControlBar* pBar);
    const std::vector<CControlBar*>& GetBarsToRedraw() const { return m_barsToRedraw; }
    float GetMinShare() const { return m_fMinShare; }
    BOOL IsMDIChild() const { return m_bMDIChild; }

protected:
    // The toolkit bar behind a bar, or null for the class library's bars.
    static SECControlBar* AsSECBar(CControlBar* pBar);
    // Class library bars and bars with BARX_KEEP_LENGTH keep their own length in a row.
    static BOOL KeepsLength(CControlBar* pBar);
    static void SetShadedBorders(CControlBar* pBar, BOOL bShaded);
    // The splitter drag: how far the splitter moved (0 when cancelled or unmoved).
    int TrackSplitterLoop(Splitter* pSplitter, CPoint point);
    BOOL IsHorzSide() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    // Dimensions of the dock bar along its rows.
    int GetRowLength() const;
    // The room a layout has: the frame's layout rectangle, or the frame's client size.
    CSize GetAvailableSize() const;
    // Positions a bar through the deferred batch (or at once), skipping one already in place.
    void PositionBar(CControlBar* pBar, const CRect& rect, UINT nFlags);
    CRect GetBarRect(CControlBar* pBar) const;
    // Adds the bars from nPos on, or on a right or bottom dock bar the bars before it.
    void AddBarsToRedrawFrom(int nPos);
    // The mode a bar is measured with in this dock bar.
    DWORD GetLayoutMode(CControlBar* pBar) const;
    // Takes nDelta pixels of length for the bar; what it could not take.
    int TakeLength(CControlBar* pBar, int nDelta, int nTotal);
    void DrawTrackRect(CDC* pDC, Splitter* pSplitter, const CRect& rect, BOOL bErase);
    void DelayFrameLayout();
    // What every way of docking does to the bar and the dock bar before the bar is placed, and after.
    void PrepareBarForDock(CControlBar* pBar);
    void FinishDock(CControlBar* pBar, int nPosPlaced);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

    std::vector<CControlBar*> m_barsToRedraw;
    std::vector<std::unique_ptr<ClientEdge>> m_clientEdges;
    std::vector<std::unique_ptr<Splitter>> m_splitters;
    BOOL m_bMDIChild { FALSE };
    CControlBar* m_pResizingBar { nullptr };
    BOOL m_bRedrawNow { FALSE };
    BOOL m_bRowsChanged { FALSE };
    float m_fMinShare { 0.05F };
    HDWP m_hDWP { nullptr };
    // Set while a splitter is dragged: layouts run by the loop keep the splitter objects alive.
    BOOL m_bTracking { FALSE };

    DECLARE_MESSAGE_MAP()
};
