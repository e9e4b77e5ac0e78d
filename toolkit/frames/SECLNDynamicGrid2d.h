#pragma once
// A grid line whose cells are grid lines of the crossing direction: a grid of rows (or columns), each
// holding nodes side by side. A node dropped beside the rows makes a row of its own; removing the last
// node of a row removes the row.

#include "toolkit/frames/ISECPreferredNodeRectSet.h"
#include "toolkit/frames/SECLNDynamicGridLine.h"

class SECLNDynamicGrid2d : public SECLNDynamicGridLine, public ISECPreferredNodeRectSet {
public:
    SECLNDynamicGrid2d() = default;
    ~SECLNDynamicGrid2d() override;

    // The rows run across the grid: the grid's own orientation is the inverse of the one given.
    void SetLineWindow(HWND hWnd, BOOL bHorizontal) override;
    void SetSplittersEnabled(BOOL bEnabled) override;
    int InsertNode(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints) override;
    int RemoveLayoutNode(SECLayoutNode* pChild) override;
    // Nodes, not rows.
    int GetCellCount() override;
    SECLayoutNode* GetFirstNode() override;
    void CollectNodes(std::vector<SECLayoutNode*>& nodes) override;
    // The node at the point within the row at the point; pLine gets that row.
    SECLayoutNode* HitTestChild(POINT point, BOOL& bAfter, SECLNDynamicGridLine*& pLine) override;
    BOOL GetInsertConstraintsOf(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints) override;
    void AdoptLineOrientation(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints) override;
    RECT* OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bClamp, BOOL bForce) override;
    ISECUndoableNode* GetUndoableNode() override { return this; }

    void ResetPreferredRects() override;
    void SetPreferredRectFlag(BOOL bSet) override { m_bPreferredRectFlag = bSet; }

    virtual SECLNDynamicGridLine* CreateRowLine() { return new SECLNDynamicGridLine; }
    virtual SECLNDynamicGridLine* CreateRow(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints);
    virtual SECLNDynamicGridLine* FindRowOf(SECLayoutNode* pNode);
    virtual SECLNDynamicGridLine* GetFirstOrLastRow(BOOL bLast);

    int GetRowCount() const { return Count(); }
    SECLNDynamicGridLine* GetRow(int nIndex) const;
    BOOL IsRelayoutPending() const { return m_bRelayoutPending; }

protected:
    // The row a node goes into for the given constraints, or null when it needs a new row.
    SECLNDynamicGridLine* FindTargetRow(SECDynGridInsertConstraints* pConstraints);
    SECLayoutNodePool* RowPool() { return GetNodePool() ? GetNodePool() : &m_embeddedPool; }

    BOOL m_bPreferredRectFlag { FALSE };
    // Emptied rows, still owned by the row pool, waiting to be reused.
    std::vector<SECLNDynamicGridLine*> m_retiredRows;
    BOOL m_bRelayoutPending { FALSE };
};
