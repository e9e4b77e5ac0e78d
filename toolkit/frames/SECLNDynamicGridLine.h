#pragma once
// A layout node that places its nodes one after another along one axis (left to right when horizontal,
// top to bottom otherwise), each across the line's full thickness, with a virtual splitter between every
// two neighbours that are both sizable. The line shares its length among its nodes within their limits
// whenever its length changes, a node comes or goes, or a splitter is dragged. In grow mode the line
// lengthens and shortens with its nodes instead. It remembers where a removed node was, so the node can
// be put back.

#include <map>
#include <memory>
#include <vector>

#include "toolkit/frames/ISECUndoableNode.h"
#include "toolkit/frames/ISECVirtualSplitterObserver.h"
#include "toolkit/frames/SECDefHideableNode.h"
#include "toolkit/frames/SECDefReparentableNode.h"
#include "toolkit/frames/SECDynGridInsertConstraints.h"
#include "toolkit/frames/SECLNDynamicGridLineCell.h"
#include "toolkit/frames/SECLayoutNode.h"
#include "toolkit/frames/SECParentOfNegotiableChildNode.h"

class SECLNVirtualSplitter;

class SECLNDynamicGridLine : public SECLayoutNode,
                             public ISECUndoableNode,
                             public ISECVirtualSplitterObserver,
                             public SECDefReparentableNode,
                             public SECParentOfNegotiableChildNode,
                             public SECDefHideableNode {
public:
    static constexpr DWORD SplitterStyle = WS_CHILD | WS_VISIBLE;
    // A node inserted without a length and without a usable preferred one.
    static constexpr int DefaultLength = 150;

    SECLNDynamicGridLine() = default;
    ~SECLNDynamicGridLine() override;
    SECLNDynamicGridLine(const SECLNDynamicGridLine&) = delete;
    SECLNDynamicGridLine& operator=(const SECLNDynamicGridLine&) = delete;

    // A node added plainly goes to the tail with initial constraints.
    int AddLayoutNode(SECLayoutNode* pChild) override;
    int RemoveLayoutNode(SECLayoutNode* pChild) override;
    RECT* OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bClamp, BOOL bForce) override;

    virtual void SetSplittersEnabled(BOOL bEnabled);
    virtual void SetLineWindow(HWND hWnd, BOOL bHorizontal);
    // The new child count, or -1.
    virtual int InsertNode(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints);
    virtual SECLayoutNode* HitTestChild(POINT point, BOOL& bAfter, SECLNDynamicGridLine*& pLine);
    virtual BOOL IsInLine(SECLayoutNode* pNode);
    virtual int GetCellCount();
    virtual SECLayoutNode* GetFirstNode();
    virtual SECLayoutNode* GetNeighbour(SECLayoutNode* pNode, BOOL bNext);
    virtual SECLNDynamicGridLineCell* GetCell(SECLayoutNode* pNode);
    virtual int GetAverageLength(BOOL bPlusOne);
    virtual void CollectNodes(std::vector<SECLayoutNode*>& nodes);
    virtual BOOL GetInsertConstraintsOf(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints);
    virtual void AdoptLineOrientation(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints);
    virtual SECLNVirtualSplitter* CreateSplitter();
    virtual void SizeNewNode(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints);
    virtual SECLNDynamicGridLineCell* CreateCell(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints);
    virtual BOOL DeleteCell(SECLayoutNode* pNode);
    virtual BOOL InsertInLine(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints);
    // The index in the line list of the given index; an index beyond the last node is the last node
    // with bAfter set; -1 for a negative index or an empty line.
    virtual int GetPositionOfIndex(int nIndex, BOOL& bAfter);
    virtual BOOL RemoveFromLine(SECLayoutNode* pNode);
    virtual void ShrinkAfterRemoval(SECLayoutNode* pNode);
    virtual BOOL AddSplittersFor(SECLayoutNode* pNode);
    virtual BOOL SplitBetween(SECLayoutNode* pPrevious, SECLayoutNode* pNode, SECLayoutNode* pNext);
    virtual BOOL AddSplitterBetween(SECLayoutNode* pA, SECLayoutNode* pB);
    virtual BOOL RemoveSplittersFor(SECLayoutNode* pNode);
    virtual BOOL JoinAround(SECLayoutNode* pPrevious, SECLayoutNode* pNode, SECLayoutNode* pNext);
    virtual BOOL RemoveSplitterBetween(SECLayoutNode* pA, SECLayoutNode* pB);
    virtual int GetSplitterSpace(SECLayoutNode* pExclude);
    virtual BOOL DistributeLength(int nLength, SECLayoutNode* pFixed);
    virtual void FitAroundNode(SECLayoutNode* pNode);
    virtual int SumLengths(int& nSum, SECLayoutNode* pExclude);
    virtual BOOL SpreadEvenly(int nDelta, int nCount, SECLayoutNode* pExclude);
    virtual BOOL ResizeInOrder(int nDelta, int nCount, BOOL bFromHead, SECLayoutNode* pExclude);
    virtual BOOL ForceResize(int nDelta, BOOL bFromHead);
    virtual BOOL LayoutCells(const RECT& rect);
    virtual void RelayoutCells();
    virtual BOOL UpdateSplitterLimits(SECLayoutNode* pFirst, SECLayoutNode* pLast);
    virtual int CollectMinimums(std::vector<int>& minimums, SECLayoutNode* pFirst, SECLayoutNode* pLast);
    virtual RECT* GetSpanRect(RECT* pOut, SECLayoutNode* pFirst, SECLayoutNode* pLast);
    virtual BOOL GetSplitterNeighbours(SECLNVirtualSplitter* pSplitter, SECLayoutNode*& pBefore,
        SECLayoutNode*& pAfter);
    virtual int ShiftAlong(SECLayoutNode* pNode, int nAmount, BOOL bForward, SECLayoutNode*& pLast);
    virtual BOOL RealizeRange(SECLayoutNode* pFrom, SECLayoutNode* pTo);
    virtual BOOL GetNeighbours(SECLayoutNode* pNode, SECLayoutNode*& pPrevious, SECLayoutNode*& pNext);
    virtual void ClampChildRect(SECLayoutNode* pNode, RECT* pRect);
    virtual void DeleteAllCells();
    virtual BOOL IsPastMiddle(const RECT& rect, POINT point);
    virtual BOOL ApplyPendingGrowth(RECT* pRect);
    virtual BOOL GetIndexOf(SECLayoutNode* pNode, int& nIndex, int& nCount);
    virtual int InsertNodeAndRecalc(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints);
    virtual void SetGrowMode(BOOL bGrow);

    ISECUndoableNode* GetUndoableNode() override;
    int RemoveChildUndoable(SECLayoutNode* pChild) override;
    int UndoChildRemoval() override;
    int UndoChildRemovalOf(SECLayoutNode* pChild) override;

    void OnSplitterMoved(SECLNVirtualSplitter* pSplitter, int dx, int dy) override;

    // The line window goes with the container that shows the line.
    BOOL SetContainer(ISECLNContainer* pContainer) override;

    BOOL GetGrowMode() const { return m_bGrowMode; }
    HWND GetLineWindow() const { return m_hWndLine; }
    BOOL GetSplittersEnabled() const { return m_bSplittersEnabled; }

    // Extents along and across the line.
    int Length(const RECT& rc) const { return IsHorizontal() ? rc.right - rc.left : rc.bottom - rc.top; }
    int NodeLength(SECLayoutNode* pNode) const;
    LONG& Start(RECT& rc) const { return IsHorizontal() ? rc.left : rc.top; }
    LONG& End(RECT& rc) const { return IsHorizontal() ? rc.right : rc.bottom; }

protected:
    // Asks the nearest negotiating ancestor to lay the tree out again after the line changed length.
    void NotifySizeChanged();
    int IndexOf(SECLayoutNode* pNode) const;
    // Entries of the line list, whatever a derived grid counts as its nodes.
    int Count() const { return static_cast<int>(m_line.size()); }

    std::vector<SECLayoutNode*> m_line;
    std::map<SECLayoutNode*, std::unique_ptr<SECLNDynamicGridLineCell>> m_cells;
    HWND m_hWndLine { nullptr };
    BOOL m_bGrowMode { FALSE };
    BOOL m_bSplittersEnabled { TRUE };
    SIZE m_sizePendingGrowth {};
    SIZE m_sizeSavedMin {};
    SIZE m_sizeSavedMax {};
    int m_nSavedSizeFlags { NoMinSize | NoMaxSize };
    SECLayoutNodePool m_embeddedPool;
    SECDynGridInsertConstraints m_scratch;
    SECLayoutNode* m_pRemovedChild { nullptr };
    quorvale::foundation::SECObjectMemoryManager_T<SECDynGridInsertConstraints> m_placesPool;
    std::map<SECLayoutNode*, SECDynGridInsertConstraints*> m_places;
};
