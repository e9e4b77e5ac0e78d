#pragma once
// A splitter that is also a node of a layout tree: its panes are layout nodes, and when the node is
// resized the change is shared between the panes within their minimum and maximum sizes.

#include "toolkit/frames/SECLayoutNodeWnd.h"
#include "toolkit/frames/SECSplitterBase.h"

class SECLayoutNodeSplitter : public SECSplitterBase, public SECLayoutNodeWnd {
public:
    // The limits of one column (or row) of panes, and the widest current extent in it.
    struct Extents {
        int nMin { 0 };
        int nMax { 0 };
        int nCurrent { 0 };
    };

    SECLayoutNodeSplitter() { m_dwNodeStyle |= InvalidateUncovered; }
    ~SECLayoutNodeSplitter() override;

    BOOL Create(CWnd* pParent, int left, int top, int right, int bottom, DWORD dwStyle, UINT nID,
        DWORD dwFlags) override;
    void SetSplitPosition(int x, int y) override;
    void ApplyPaneRects(const SECSplitterPaneInfo& panes) override;
    void OnSplitterMoved(int dx, int dy) override;
    void InvalidateArea(const RECT& rect) override;
    BOOL ApplyBarRect(const RECT& rect, BOOL bHorizontal) override;

    void SetNodeStyle(DWORD dwStyle, BOOL bRecurse) override;
    RECT* OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bClamp, BOOL bForce) override;

    virtual BOOL AddPaneNode(int nRow, int nCol, SECLayoutNode* pNode);
    virtual BOOL RemovePaneNode(int nRow, int nCol);
    // Shares the change from rcOld to rcNew between the panes; mode 0 splits what no limit absorbs
    // evenly, any other mode takes it off the right and bottom edges of rcNew.
    virtual void DistributeResize(const RECT& rcOld, RECT& rcNew, int& x, int& y, int nMode);
    virtual Extents ColumnExtents(int nCol, int nWhole);
    virtual Extents RowExtents(int nRow, int nWhole);

    // One axis of DistributeResize: nFirst is the extent before the bar, nOld the whole old extent.
    // Answers the new first extent; nLeft gets what no pane could take.
    static int DistributeAxis(int nFirst, int nOld, int nDelta, const Extents& first, const Extents& second,
        int nMode, BOOL& bToggle, int& nLeft);
    // Moves nDelta into a and b towards their limits (half to a first); answers what is left.
    static int AdjustPair(int& a, int& b, int nLimitA, int nLimitB, int nDelta);

    SECLayoutNode* GetPaneNode(int nRow, int nCol) const { return m_pPanes[nRow + 2 * nCol]; }

protected:
    // The limits of the two panes of a column (widths) or a row (heights) together.
    static Extents PaneExtents(SECLayoutNode* pA, SECLayoutNode* pB, BOOL bWidth, int nWhole);

    SECLayoutNode* m_pPanes[4] {};
    RECT m_rcLastHorz {};
    RECT m_rcLastVert {};
    BOOL m_bToggleX { FALSE };
    BOOL m_bToggleY { FALSE };
};
