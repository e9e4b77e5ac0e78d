#pragma once
// The toolkit's tree: an owner-drawn tree on its own list control. Every shown node occupies one row
// of the list, in depth-first order; the tree keeps the node hierarchy beside the rows and speaks the
// tree view's item vocabulary (HTREEITEM, TVITEM, TVGN_/TVIS_/TVE_/TVN_ codes). Rows can carry more
// columns, labels can wrap with a heading, and a drop target can expand when hovered. The code is one
// template over the list it stands on: the window with the message map is SECTreeCtrl (on the list
// control), the view form SECTreeView (on the list view).

#include <memory>
#include <vector>

#include "platform/afx/CBitmap.h"
#include "platform/afx/CFont.h"
#include "toolkit/controls/SECListBase.h"
#include "toolkit/controls/SECSubItemTextStorage.h"
#include "toolkit/controls/SECTreePaintContext.h"
#include "toolkit/controls/_Node.h"

// The descending counterpart of TVI_SORT.
inline const HTREEITEM TVI_SORTDESCENDING = reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(-0x0FFF0));

// The tree's extended style bits.
constexpr DWORD TVXS_MULTISEL = 0x00100000;
constexpr DWORD TVXS_WORDWRAP = 0x00200000;
constexpr DWORD TVXS_COLUMNHEADER = 0x00400000;
constexpr DWORD TVXS_LABELTIPS = 0x00800000;
constexpr DWORD TVXS_ANIMATE = 0x01000000;
constexpr DWORD TVXS_HOVEREXPAND = 0x02000000;
constexpr DWORD TVXS_HEADERBUTTONS = 0x04000000;
constexpr DWORD TVXS_HEADERDRAGDROP = 0x08000000;

// The navigation codes beyond the tree view's own.
constexpr UINT TVGN_FIRSTSELECTED = 32;
constexpr UINT TVGN_NEXTSELECTED = 33;
constexpr UINT TVGN_PREVSELECTED = 34;

template <class TList>
class SECTreeBase : public TList {
public:
    // The list's members the tree works with, named here because the list is a template parameter.
    using TList::Create;
    using TList::DeleteItems;
    using TList::DeselectAll;
    using TList::GetBkColor;
    using TList::GetCaretIndex;
    using TList::GetCellRect;
    using TList::GetColumnCount;
    using TList::GetColumnRight;
    using TList::GetColumnWidth;
    using TList::GetDlgCtrlID;
    using TList::GetDropHilite;
    using TList::GetExCallbackMask;
    using TList::GetImageList;
    using TList::GetItemArea;
    using TList::GetItemCount;
    using TList::GetItemRecord;
    using TList::GetParentFrame;
    using TList::GetTextColor;
    using TList::GetTopIndex;
    using TList::HasListStyle;
    using TList::HasListStyleEx;
    using TList::InsertColumn;
    using TList::InsertItemRecords;
    using TList::Invalidate;
    using TList::IsMultiSelect;
    using TList::IsWindowEnabled;
    using TList::KillTimer;
    using TList::RedrawItems;
    using TList::SendMessage;
    using TList::SetDropHilite;
    using TList::SetFocusRow;
    using TList::SetListStyle;
    using TList::SetListStyles;
    using TList::SetTimer;
    using TList::SetTopIndex;
    using TList::UpdateScrollBars;
    using TList::UpdateWindow;
    using TList::m_hWnd;
    using TList::textBufferSize;

    static constexpr UINT_PTR hoverTimer = 3;
    static constexpr UINT hoverDelay = 1000;
    static constexpr int animationSteps = 5;
    static constexpr DWORD keptTreeStyles = 0x417;
    static constexpr UINT exGrey = _Node::exGrey;
    static constexpr UINT exHidden = _Node::exHidden;
    // The marker that splits a multi-line label into a heading and a body.
    static constexpr const char* headingMarker = "\\{HI}";

    SECTreeBase();
    ~SECTreeBase() override;

    // Insertion and deletion.
    virtual HTREEITEM InsertItem(const TVINSERTSTRUCT* pInsert);
    HTREEITEM InsertItem(LPCTSTR lpszText, HTREEITEM hParent = TVI_ROOT, HTREEITEM hAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCTSTR lpszText, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
        HTREEITEM hAfter = TVI_LAST);
    virtual BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteAllItems() override;

    // Navigation.
    using TList::GetNextItem;
    virtual HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode);
    HTREEITEM GetRootItem() { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetChildItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetFirstVisibleItem() { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
    HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE); }
    HTREEITEM GetDropHilightItem() { return GetNextItem(nullptr, TVGN_DROPHILITE); }
    HTREEITEM GetCaretItem() { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetSelectedItem() { return GetCaretItem(); }
    HTREEITEM GetFirstSelectedItem() { return GetNextItem(nullptr, TVGN_FIRSTSELECTED); }
    HTREEITEM GetNextSelectedItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_NEXTSELECTED); }
    HTREEITEM GetPrevSelectedItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_PREVSELECTED); }

    // Item access.
    using TList::GetItem;
    using TList::SetItem;
    using TList::GetItemEx;
    using TList::SetItemEx;
    using TList::GetItemText;
    using TList::SetItemText;
    using TList::GetItemState;
    using TList::SetItemState;
    using TList::GetItemData;
    using TList::SetItemData;
    using TList::HitTest;
    using TList::EnsureVisible;
    using TList::EditLabel;
    using TList::SelectItem;
    using TList::DeleteItem;
    virtual BOOL GetItem(TVITEM* pItem, BOOL bCopyText = TRUE, BOOL bNotify = TRUE);
    virtual BOOL SetItem(const TVITEM* pItem);
    virtual BOOL SetItemEx(HTREEITEM hItem, const SECListItemEx* pItemEx);
    virtual BOOL GetItemEx(HTREEITEM hItem, SECListItemEx* pItemEx);
    virtual BOOL SetItemText(HTREEITEM hItem, int nCol, LPCTSTR lpszText);
    virtual BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszText);
    CString GetItemText(HTREEITEM hItem, int nCol = 0);
    UINT GetItemState(HTREEITEM hItem, UINT nMask);
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nMask);
    LPARAM GetItemData(HTREEITEM hItem);
    BOOL SetItemData(HTREEITEM hItem, LPARAM lParam);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage);
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    BOOL ItemHasChildren(HTREEITEM hItem);
    BOOL GetItemChildrenFlag(HTREEITEM hItem);
    int GetChildCount(HTREEITEM hItem, BOOL bRecursive = FALSE, BOOL bExpandedOnly = FALSE);
    virtual BOOL EnableSubItemStorage(BOOL bEnable);
    virtual BOOL HasSubItemStorage() const { return m_pStorage != nullptr; }
    // The row an item occupies, -1 when it has none; the item of a row, null when there is none.
    int RowOfItem(HTREEITEM hItem);
    HTREEITEM ItemOfRow(int nRow) const;

    // Expansion, selection, visibility, label editing and sorting.
    virtual BOOL Expand(HTREEITEM hItem, UINT nCode, BOOL bRedraw = TRUE, BOOL bForce = FALSE);
    BOOL ExpandBranch(HTREEITEM hItem, BOOL bRedraw = TRUE);
    BOOL Select(HTREEITEM hItem, UINT nCode);
    BOOL SelectItem(HTREEITEM hItem);
    BOOL SelectSetFirstVisible(HTREEITEM hItem);
    BOOL SelectDropTarget(HTREEITEM hItem, BOOL bEnsureVisible = FALSE);
    BOOL EnsureVisible(HTREEITEM hItem, BOOL bWithParent = FALSE);
    SECListEdit* EditLabel(HTREEITEM hItem, int nCol = 0);
    BOOL SortChildren(HTREEITEM hItem, BOOL bRecursive = FALSE, BOOL bAscending = TRUE);
    virtual int CompareItems(HTREEITEM hItem1, HTREEITEM hItem2);
    virtual BOOL RedrawItem(HTREEITEM hItem, BOOL bLabelOnly = FALSE, BOOL bErase = FALSE, BOOL bFill = FALSE,
        BOOL bUpdateNow = FALSE);

    // Hit testing and drag images.
    HTREEITEM HitTest(CPoint point, UINT* pFlags = nullptr);
    virtual std::unique_ptr<CImageList> CreateDragImage(HTREEITEM hItem);

    // Indent, images and styles.
    void SetIndent(int nIndent);
    int GetIndent() const { return m_nIndent; }
    CImageList* SetImageList(CImageList* pImageList, int nType) override;
    virtual void GetTreeStyles(DWORD& dwStyle, DWORD& dwExStyle) const;
    virtual BOOL SetTreeStyles(DWORD dwStyle, DWORD dwExStyle, BOOL bRedraw = TRUE);
    virtual DWORD GetTreeStyle() const;
    virtual DWORD GetTreeStyleEx() const { return m_dwTreeStyleEx; }
    virtual BOOL SetTreeStyle(DWORD dwStyle, BOOL bRedraw = TRUE);
    virtual BOOL SetTreeStyleEx(DWORD dwExStyle, BOOL bRedraw = TRUE);
    virtual BOOL ModifyTreeStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    virtual BOOL ModifyTreeStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    virtual BOOL ModifyTreeStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwRemoveEx, DWORD dwAddEx, BOOL bRedraw = TRUE);
    BOOL HasTreeStyle(DWORD dwBits) const { return (GetTreeStyle() & dwBits) == dwBits; }
    BOOL HasTreeStyleEx(DWORD dwBits) const { return (m_dwTreeStyleEx & dwBits) == dwBits; }
    BOOL CreateEx(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    void SetExpandRevealsChildren(BOOL bOn) { m_bExpandRevealsChildren = bOn; }

    // The list style switches keep the tree's extended style in step.
    BOOL SetLabelWrap(BOOL bWrap) override;
    BOOL SetLabelTips(BOOL bOn) override;
    BOOL SetMultiSelect(BOOL bMulti) override;
    BOOL ShowHeader(BOOL bShow, BOOL bButtons = TRUE) override;

    // Message handlers (mapped by SECTreeCtrl).
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);

protected:
    // The list's protected members the tree works with.
    using TList::CreateItemRecord;
    using TList::CreateMeasureDC;
    using TList::GetNotifyTarget;
    using TList::HideTip;
    using TList::IsSelected;
    using TList::MarkForMeasure;
    using TList::RowStateBits;
    using TList::SelectionAdd;
    using TList::SelectionRemove;
    using TList::SendNotifyRecord;
    using TList::SetContextBkColor;
    using TList::SetContextRowColor;
    using TList::SetContextTextColors;
    using TList::SetLabelRect;
    using TList::m_bItemDrag;
    using TList::m_bRedraw;
    using TList::m_dwListStyle;
    using TList::m_dwListStyleEx;
    using TList::m_lLastNotifyResult;
    using TList::m_nCaret;
    using TList::m_nCurrentColumn;
    using TList::m_nDropHilite;
    using TList::m_nEditedRow;
    using TList::m_nHorzScroll;
    using TList::m_pTip;
    using TList::m_ptClick;
    using TList::m_rgbPaintFill;
    using TList::m_textBuffer;

    // The tree's drawing steps.
    virtual void MeasureLabel(SECTreePaintContext* pContext, _Node* pNode, LPCTSTR lpszText, CRect& rect);
    virtual void DrawLines(SECTreePaintContext* pContext);
    virtual void DrawButton(SECTreePaintContext* pContext);
    virtual void DrawHorzLine(CDC* pDC, BOOL bPrinting, int x1, int x2, int y);
    virtual void DrawVertLine(CDC* pDC, BOOL bPrinting, int x, int y1, int y2);
    virtual void GetButtonRect(CRect& rect, int nRow, SECTreePaintContext* pContext);
    virtual std::unique_ptr<CBitmap> CreateTextBitmap(CDC* pDC, LPCTSTR lpszText);
    virtual std::unique_ptr<CImageList> CreateLabelDragImage(CDC* pDC, LPCTSTR lpszText);
    virtual std::unique_ptr<CImageList> CreateIconDragImage(CImageList* pList, int nImage);
    virtual std::unique_ptr<CImageList> MergeDragImages(CImageList* pIcons, CImageList* pLabels);

    // The tree's notifications.
    virtual void NotifyGetDispInfo(TVITEM* pItem);
    virtual void NotifySetDispInfo(TVITEM* pItem);
    virtual void NotifyItemExpanded(_Node* pNode, UINT nCode);
    virtual LRESULT NotifyItemExpanding(_Node* pNode, UINT nCode);
    virtual void NotifyDeleteItem(_Node* pNode);
    LRESULT NotifyTree(UINT nCode, UINT nAction, _Node* pNew, _Node* pOld, CPoint ptDrag = CPoint(0, 0));
    // Owner hooks for the extended state when the owner supplies it.
    virtual void OnGetExDispInfo(HTREEITEM, SECListItemEx*) { }
    virtual void OnSetExDispInfo(HTREEITEM, const SECListItemEx*) { }

    virtual BOOL DeleteSubtree(HTREEITEM hItem);
    virtual std::unique_ptr<_Node> CreateNode();

    // The list's item operations, turned onto the nodes for the first column.
    LPARAM GetRecordData(const SECListItem* pItem) const override;
    BOOL SetItem(const LVITEM* pItem, BOOL bRedraw) override;
    BOOL GetItem(LVITEM* pItem, BOOL bCopyText, BOOL bNotify) override;
    BOOL SetItemEx(const LVITEM* pItem, const SECListItemEx* pItemEx) override;
    BOOL GetItemEx(const LVITEM* pItem, SECListItemEx* pItemEx, BOOL bNotify) override;
    BOOL HasCallbackFields(int nRow) override;
    CString GetItemText(int nRow, int nSubItem) override;
    void NotifyDeleteItem(int) override { }
    LRESULT NotifySelChanging(int nRow, int nOld, BOOL bByMouse) override;
    void NotifySelChanged(int nRow, int nOld, BOOL bByMouse) override;
    void NotifyBeginDrag() override;
    void NotifyBeginRDrag(int nRow, CPoint point) override;
    BOOL NotifyBeginLabelEdit(int nRow, int nSubItem) override;
    BOOL NotifyEndLabelEdit(int nRow, int nSubItem, CString& strText, BOOL bCommit) override;
    void OnLabelChanged(int nRow, int nSubItem) override;
    void NotifyKeyDown(UINT nVKey) override;
    void ApplyCreateStyles(CREATESTRUCT& cs) override;
    void MoveColumnData(int nFrom, int nTo) override;

    // The list's painting, turned into a tree's for the first column.
    std::unique_ptr<SECListPaintContext> CreatePaintContext(CDC* pDC) override;
    BOOL PrepareItem(SECListPaintContext* pContext) override;
    void SetContextFont(SECListPaintContext* pContext) override;
    BOOL MeasureCell(SECListPaintContext* pContext, int& cy) override;
    void DrawCell(SECListPaintContext* pContext) override;

    // The tree's keys.
    void OnKeyCollapse(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl) override;
    void OnKeyBack(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl) override;
    void OnKeyExpand(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl) override;
    void OnKeyExpandAll(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl) override;

    // Holds a node across a notification: the owner may delete the node while it is told, and then the
    // watch reads null instead of a node that is gone.
    class NodeWatch {
    public:
        NodeWatch(SECTreeBase& tree, _Node* pNode);
        ~NodeWatch();
        NodeWatch(const NodeWatch&) = delete;
        NodeWatch& operator=(const NodeWatch&) = delete;
        _Node* get() const { return m_pNode; }

    private:
        SECTreeBase& m_tree;
        _Node* m_pNode;
    };
    friend class NodeWatch;
    // Called for every node that goes: watches on it read null from then on.
    void ForgetNode(_Node* pNode);

    // The node of a handle: the hidden root for null and TVI_ROOT.
    _Node* NodeOf(HTREEITEM hItem) const;
    static _Node* AsNode(SECTreeNode* pNode) { return static_cast<_Node*>(pNode); }
    _Node* NodeOfRow(int nRow) const;
    BOOL IsShown(const _Node* pNode) const;
    // The depth-first neighbours over the whole tree, the root excluded.
    _Node* NextInOrder(_Node* pNode) const;
    _Node* PrevInOrder(_Node* pNode) const;
    // Gives every shown node its row and takes the rows of nodes no longer shown.
    void SyncRows();
    // Inserts rows for the shown descendants of an item, after the item's own row; returns how many.
    int InsertChildRows(_Node* pNode, int nRow);
    // Inserts the row of a newly shown node after the row of the shown node before it.
    void InsertNodeRow(_Node* pNode);
    std::unique_ptr<SECListItem> CreateNodeRow(_Node* pNode);
    void RelayoutAfterChange();
    void CollapseRows(_Node* pNode, int nRow);
    int CompareNodes(_Node* a, _Node* b, BOOL bAscending);
    void SortNodeChildren(_Node* pParent, BOOL bRecursive, BOOL bAscending);
    void ApplyTreeStyleEx();
    void KillHoverTimer();
    // The x at which a row's column-0 drawing starts, and the row's level.
    int GetNodeIndent(const _Node* pNode) const;
    // Fills a TVITEM's fields from a node; the mask names the callback fields found.
    UINT FillItem(_Node* pNode, TVITEM* pItem, BOOL bCopyText, BOOL bNotify);
    HFONT GetBoldFont(HFONT hBase);

    std::unique_ptr<SECSubItemTextStorage> m_pStorage;
    std::unique_ptr<_Node> m_pRoot;
    int m_nIndent { 20 };
    DWORD m_dwTreeStyle { 0 };
    DWORD m_dwTreeStyleEx { 0 };
    UINT_PTR m_nHoverTimer { 0 };
    UINT m_nHoverDelay { hoverDelay };
    int m_nAnimationSteps { animationSteps };
    int m_nAnimationCount { 0 };
    BOOL m_bExpandRevealsChildren { TRUE };
    // The column whose label is being edited through EditLabel.
    int m_nEditColumn { 0 };
    // While a selection change comes from the tree itself, the action its notifications report.
    UINT m_nSelectAction { 0 };
    std::unique_ptr<CFont> m_pBoldFont;
    std::vector<_Node**> m_watches;
};

// The window messages the tree handles before the list, shared by the maps of its window and its view
// form.
#define SEC_TREE_MESSAGE_ENTRIES() \
    ON_WM_CREATE() \
    ON_WM_DESTROY() \
    ON_WM_LBUTTONDOWN() \
    ON_WM_LBUTTONDBLCLK() \
    ON_WM_TIMER() \
    ON_WM_CHAR()
