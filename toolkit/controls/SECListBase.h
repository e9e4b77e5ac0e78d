#pragma once
// The toolkit's owner-drawn, multi-column list: it keeps its own rows, cells and columns, draws its
// own header, rows and scroll bars, and talks to its owner in the list-view vocabulary (LVITEM,
// LVIF_/LVIS_/LVNI_/LVHT_ codes, LVN_/NM_ notifications). Rows have variable heights and every step
// is virtual, so a derived control (the tree) can replace any of them. The window class with the
// message map is SECListCtrl (SECListBaseC), or the view form SECListView (SECListBaseV) over the class
// library's view. The code is one template over the window base; SECListBaseC.cpp and SECListBaseV.cpp
// instantiate it.

#include <memory>
#include <vector>

#include "platform/afx/CImageList.h"
#include "platform/afx/CPen.h"
#include "platform/afx/CScrollBar.h"
#include "platform/afx/CWnd.h"
#include "toolkit/controls/SECListClient.h"
#include "toolkit/controls/SECListCodes.h"
#include "toolkit/controls/SECListColumn.h"
#include "toolkit/controls/SECListEdit.h"
#include "toolkit/controls/SECListItem.h"
#include "toolkit/controls/SECListLabelExtents.h"
#include "toolkit/controls/SECListPaintContext.h"
#include "toolkit/controls/SECListTip.h"

template <class TBase>
class SECListBase : public TBase, public SECListClient {
public:
    // The window's own members, named here so that the code reads the same over either window base.
    using TBase::m_hWnd;
    using TBase::Default;
    using TBase::GetClientRect;
    using TBase::GetDlgCtrlID;
    using TBase::GetParent;
    using TBase::GetParentFrame;
    using TBase::Invalidate;
    using TBase::InvalidateRect;
    using TBase::IsWindowEnabled;
    using TBase::KillTimer;
    using TBase::RedrawWindow;
    using TBase::ScreenToClient;
    using TBase::SendMessage;
    using TBase::SetFocus;
    using TBase::SetTimer;
    using TBase::UpdateWindow;

    // Timer ids and periods; the type-ahead period is the control's own (m_nTypeAheadTick).
    static constexpr UINT_PTR editStartTimer = 1;
    static constexpr UINT_PTR autoScrollTimer = 2;
    static constexpr UINT_PTR typeAheadTimer = 3;
    static constexpr UINT editStartDelay = 500;
    static constexpr UINT horzScrollBarId = 0xEA00;
    static constexpr UINT vertScrollBarId = 0xEA10;
    static constexpr int textBufferSize = 2048;
    // Type-ahead flags.
    static constexpr UINT typeAheadOpen = 1;
    static constexpr UINT typeAheadAlive = 2;
    static constexpr UINT typeAheadFailed = 4;
    static constexpr UINT typeAheadDisabled = 8;
    // The hit flags that stand for "on the item" when the keyboard selects.
    static constexpr UINT keyboardHit = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_TOLEFT;

    SECListBase();
    ~SECListBase() override;

    // Creation.
    virtual BOOL Create(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
        CCreateContext* pContext = nullptr);
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
        UINT nID, CCreateContext* pContext = nullptr) override;
    virtual BOOL CreateFromControl(UINT nID, CWnd* pDialog);

    // Colours, fonts and the notification window.
    virtual COLORREF GetBkColor() const;
    virtual COLORREF GetTextColor() const { return m_rgbText; }
    virtual COLORREF GetTextBkColor() const { return m_rgbTextBk; }
    virtual COLORREF GetGrayTextColor() const { return m_rgbGrayText; }
    virtual COLORREF GetRowBkColor() const { return m_rgbRowBk; }
    virtual COLORREF GetSelRowBkColor() const { return m_rgbSelRowBk; }
    virtual HFONT GetHeaderFont() const;
    virtual CWnd* GetNotifyWnd() const { return m_pNotifyWnd; }
    virtual BOOL SetBkColor(COLORREF rgb);
    virtual BOOL SetTextColor(COLORREF rgb) { m_rgbText = rgb; return TRUE; }
    virtual BOOL SetTextBkColor(COLORREF rgb) { m_rgbTextBk = rgb; return TRUE; }
    virtual BOOL SetSelBkColor(COLORREF rgb) { m_rgbSelBk = rgb; return TRUE; }
    virtual BOOL SetSelTextColor(COLORREF rgb) { m_rgbSelText = rgb; return TRUE; }
    virtual BOOL SetGrayTextColor(COLORREF rgb) { m_rgbGrayText = rgb; return TRUE; }
    virtual BOOL SetRowBkColor(COLORREF rgb) { m_rgbRowBk = rgb; return TRUE; }
    virtual BOOL SetSelRowBkColor(COLORREF rgb) { m_rgbSelRowBk = rgb; return TRUE; }
    virtual BOOL SetTipBkColor(COLORREF rgb) { m_rgbTipBk = rgb; return TRUE; }
    virtual BOOL SetTipTextColor(COLORREF rgb) { m_rgbTipText = rgb; return TRUE; }
    virtual BOOL SetItemFont(HFONT hFont) { m_hItemFont = hFont; return TRUE; }
    virtual BOOL SetHeaderFont(HFONT hFont) { m_hHeaderFont = hFont; return TRUE; }
    virtual BOOL SetNotifyWnd(CWnd* pWnd) { m_pNotifyWnd = pWnd; return TRUE; }
    virtual void SetColorsFollowSystem(BOOL bOn) { m_bColorsFollowSystem = bOn; }
    virtual BOOL GetColorsFollowSystem() const { return m_bColorsFollowSystem; }

    // Repainting and row arithmetic.
    virtual BOOL RedrawItems(int nRow, BOOL bLabelOnly, BOOL bErase, BOOL bFill, BOOL bUpdateNow);
    virtual BOOL InvalidateRows(int nFirst, int nLast);
    virtual int GetTopIndex() const { return m_nTopIndex; }
    virtual int GetCountPerPage();
    virtual int GetCountPerPageAbove();
    virtual int GetLastTopIndex();
    virtual int GetLastFullyVisible(SECListPaintContext* pContext);
    virtual int GetVisibleEnd();
    virtual int GetPageUpTop();
    virtual int RowFromY(CPoint point);
    // The same contract as RowFromY, kept as separate steps for derived controls to replace.
    virtual int RowFromYEx(CPoint point) { return RowFromY(point); }
    virtual int RowFromYAlt(CPoint point) { return RowFromY(point); }
    virtual BOOL SetItemHeight(int nRow, int cy);
    virtual int GetHeightBetween(int nFrom, int nTo, BOOL bInclusive);
    virtual int GetRowsInHeight(int cy, int nStart, BOOL bForward);
    virtual void RecalcLayout();
    virtual void RemeasureItem(int nRow);

    // Columns.
    virtual BOOL DeleteColumn(LPCTSTR lpszHeading);
    virtual BOOL DeleteColumn(int nCol);
    virtual BOOL DeleteAllColumns();
    virtual BOOL AddColumn(const LVCOLUMN* pColumn);
    virtual BOOL AddColumn(LPCTSTR lpszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1,
        int nImage = -1);
    virtual BOOL AddColumnRecord(std::unique_ptr<SECListColumn> pColumn);
    virtual BOOL InsertColumn(int nCol, const LVCOLUMN* pColumn, BOOL bRedraw = TRUE);
    virtual BOOL InsertColumn(int nCol, LPCTSTR lpszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
        int nSubItem = -1, int nImage = -1, BOOL bRedraw = TRUE);
    virtual BOOL InsertColumnRecord(int nCol, std::unique_ptr<SECListColumn> pColumn, BOOL bRedraw = TRUE);
    virtual BOOL MoveColumn(int nFrom, int nTo, BOOL bRedraw = TRUE);
    virtual BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;
    virtual BOOL SetColumn(int nCol, const LVCOLUMN* pColumn, BOOL bRedraw = TRUE);
    virtual int GetColumnLeft(int nCol) const;
    virtual int GetColumnRight(int nCol) const;
    virtual BOOL SetColumnWidth(int nCol, int cx);
    virtual int GetColumnWidth(int nCol);
    virtual BOOL SetColumnFormat(int nCol, int nFormat);
    virtual int GetColumnFormat(int nCol) const;
    virtual BOOL SetColumnHeading(int nCol, LPCTSTR lpszHeading);
    virtual CString GetColumnHeading(int nCol) const;
    virtual BOOL HasColumn(LPCTSTR lpszHeading) const;
    virtual int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    virtual BOOL FindColumn(LPCTSTR lpszHeading, int& nCol, int& nSubItem) const;
    virtual SECListColumn* GetColumnRecord(int nCol) const;

    // Rows.
    virtual LPARAM GetRecordData(const SECListItem* pItem) const { return pItem ? pItem->m_lParam : 0; }
    virtual int GetItemCount() const { return static_cast<int>(m_rows.size()); }
    virtual int GetSubItemColumnCount() const { return m_nSubItemColumns; }
    virtual BOOL SetItem(const LVITEM* pItem, BOOL bRedraw);
    virtual BOOL SetItem(int nRow, int nSubItem, UINT nMask, LPCTSTR lpszText, int nImage, UINT nState,
        UINT nStateMask, LPARAM lParam);
    virtual BOOL SetItemEx(const LVITEM* pItem, const SECListItemEx* pItemEx);
    virtual BOOL GetItem(LVITEM* pItem, BOOL bCopyText, BOOL bNotify);
    virtual BOOL GetItemEx(const LVITEM* pItem, SECListItemEx* pItemEx, BOOL bNotify);
    virtual BOOL SetItemText(int nRow, int nSubItem, LPCTSTR lpszText);
    virtual int GetItemText(int nRow, int nSubItem, LPTSTR lpszBuffer, int nMax);
    virtual BOOL DeleteItem(const SECListItem* pItem);
    virtual BOOL DeleteItems(int nRow, int nCount);
    virtual BOOL DeleteAllItems();
    virtual int GetSelectedCount() const { return static_cast<int>(m_selection.size()); }
    virtual BOOL GetItemRect(int nRow, CRect& rect, int nCode);
    virtual int InsertItemRecord(int nRow, std::unique_ptr<SECListItem> pItem);
    // Inserts records as consecutive rows in one step (a tree opening a branch of thousands).
    virtual int InsertItemRecords(int nRow, std::vector<std::unique_ptr<SECListItem>> items);
    virtual int InsertItem(UINT nMask, int nRow, LPCTSTR lpszText, UINT nState, UINT nStateMask, int nImage,
        LPARAM lParam);
    virtual int InsertItem(int nRow, LPCTSTR lpszText, int nImage);
    virtual int InsertItem(int nRow, LPCTSTR lpszText);
    virtual int InsertItem(const LVITEM* pItem);
    virtual int InsertItemAfter(const SECListItem* pItem, LVITEM* pNew);
    virtual int InsertItemBefore(const SECListItem* pItem, LVITEM* pNew);
    // The record of a row, null when there is none.
    SECListItem* GetItemRecord(int nRow) const;
    // The row that holds a record, -1 when none does.
    int FindRecord(const SECListItem* pItem) const;

    // Focus and selection.
    virtual BOOL SetCaret(int nRow, BOOL bSelect);
    virtual BOOL SetFocusRow(int nRow);
    virtual BOOL DeselectAll(int nExcept);
    virtual BOOL SelectRange(int nFirst, int nLast, BOOL bSelect);
    virtual int GetCaretIndex() const { return m_nCaret; }
    virtual void GetContentExtent(CSize& size, SECListPaintContext* pContext);
    virtual BOOL SetItemState(int nRow, UINT nState, UINT nMask);
    virtual UINT GetItemState(int nRow, UINT nMask);
    virtual BOOL SetItemData(int nRow, LPARAM lParam);
    virtual LPARAM GetItemData(int nRow);
    virtual BOOL SelectItem(int nRow, BOOL bSelect);
    virtual UINT GetCallbackMask() const { return m_nStateCallbackMask; }
    virtual void SetCallbackMask(UINT nMask) { m_nStateCallbackMask = nMask; }
    virtual UINT GetExCallbackMask() const { return m_nExCallbackMask; }
    virtual void SetExCallbackMask(UINT nMask) { m_nExCallbackMask = nMask; }
    virtual BOOL HasCallbackFields(int nRow);
    virtual int GetNextItem(int nRow, UINT nFlags);
    virtual BOOL SetDropHilite(int nRow);
    virtual int GetDropHilite() const { return m_nDropHilite; }

    // Image lists: 0 normal, 1 small, 2 state, 3 header images.
    virtual CImageList* GetImageList(int nType) const;
    virtual CImageList* SetImageList(CImageList* pImageList, int nType);
    virtual void CopyImageList(CImageList* pSource, std::unique_ptr<CImageList>& holder);

    // Hit testing and scrolling.
    virtual int HitTest(int x, int y, UINT* pFlags, int* pCol);
    virtual BOOL SetTopIndex(int nRow);
    virtual BOOL ScrollHorz(int dx);
    virtual BOOL ScrollRows(int nCount, BOOL bByHeight);
    virtual BOOL EnsureVisible(int nRow);
    virtual BOOL EnsureRangeVisible(int nFirst, int nLast);

    // In-place label editing: the edit over a cell's label, null when one is already open.
    virtual SECListEdit* EditLabel(int nRow, int nCol);
    virtual SECListEdit* GetEditControl() const { return m_pEdit.get(); }
    virtual void StopEditTimer();
    // Scrolls the list while something is dragged over its first or last shown row.
    virtual void StartAutoScrollTimer(UINT nElapse);
    virtual void StopAutoScrollTimer();

    // Styles.
    virtual BOOL HasListStyle(DWORD dwBits) const { return (m_dwListStyle & dwBits) == dwBits; }
    virtual BOOL HasListStyleEx(DWORD dwBits) const { return (m_dwListStyleEx & dwBits) == dwBits; }
    virtual void GetListStyles(DWORD& dwStyle, DWORD& dwExStyle) const;
    virtual BOOL SetListStyles(DWORD dwStyle, DWORD dwExStyle, BOOL bRedraw = TRUE);
    virtual DWORD GetListStyle() const { return m_dwListStyle; }
    virtual DWORD GetListStyleEx() const { return m_dwListStyleEx; }
    virtual BOOL SetListStyle(DWORD dwStyle, BOOL bRedraw = TRUE);
    virtual BOOL SetListStyleEx(DWORD dwExStyle, BOOL bRedraw = TRUE);
    virtual BOOL ModifyListStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    virtual BOOL ModifyListStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    virtual BOOL ModifyListStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwRemoveEx, DWORD dwAddEx, BOOL bRedraw = TRUE);
    virtual BOOL SetLabelWrap(BOOL bWrap);
    virtual BOOL SetLabelTips(BOOL bOn);
    virtual BOOL SetMultiSelect(BOOL bMulti);
    virtual BOOL GetLabelTips() const { return HasListStyleEx(LVXS_LABELTIPS); }
    virtual BOOL IsHeaderVisible() const;
    virtual BOOL ShowHeader(BOOL bShow, BOOL bButtons = TRUE);
    virtual BOOL IsMultiSelect() const { return !HasListStyle(LVS_SINGLESEL); }
    virtual void SetRedraw(BOOL bOn) { m_bRedraw = bOn; }
    virtual BOOL GetRedraw() const { return m_bRedraw; }

    // Layout.
    virtual void UpdateScrollBars();
    virtual int GetTotalWidth(SECListPaintContext* pContext = nullptr);
    virtual int GetTotalRows() { return GetItemCount(); }
    virtual void GetItemAreaRect(CRect& rect) const;
    virtual BOOL FitColumns();
    virtual void InvalidateRowHeights();

    // Client interface.
    HWND GetOwnerWindow() override { return m_hWnd; }
    BOOL IsLabelWrap() override { return !HasListStyle(LVS_NOLABELWRAP); }
    BOOL EndLabelEdit(BOOL bCommit) override;
    int GetColumnSubItem(int nCol) override;
    BOOL GetScrollPosition(CPoint& pt) override;
    BOOL GetItemArea(CRect& rect) override;
    BOOL GetCellRect(int nRow, int nCol, CRect& rect, int nCode) override;
    CString GetItemText(int nRow, int nSubItem) override;
    BOOL ClientToScreen(CPoint& pt) override;
    HWND SetCapture(BOOL bCapture) override;
    BOOL IsItemSelected(int nRow) override;
    COLORREF GetSelBkColor() override { return m_rgbSelBk; }
    COLORREF GetSelTextColor() override { return m_rgbSelText; }
    COLORREF GetTipTextColor() override { return m_rgbTipText; }
    COLORREF GetTipBkColor() override { return m_rgbTipBk; }
    HFONT GetItemFont() override;
    UINT GetTipItemState(int, UINT) override { return 0; }

    // Window message handlers (mapped by SECListCtrl).
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnCancelMode();
    afx_msg UINT OnGetDlgCode();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSysColorChange();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnEditKillFocus();
    afx_msg void OnEditUpdate();

protected:
    // Record building.
    virtual BOOL AddSubItems(SECListItem* pItem);
    virtual BOOL RemoveSubItems(SECListItem* pItem);
    virtual int InitItemRecord(SECListItem* pItem);
    virtual std::unique_ptr<SECListItem> CreateItemRecord();
    virtual CScrollBar* CreateScrollBarCtrl(DWORD dwStyle, UINT nID);
    virtual void ShowScrollBarCtrl(int nBar, BOOL bShow, SCROLLINFO* pInfo);
    CScrollBar* GetScrollBarCtrl(int nBar) const;

    // Painting colours and measuring.
    virtual void SetContextBkColor(SECListPaintContext* pContext);
    virtual void SetContextRowColor(SECListPaintContext* pContext);
    virtual void SetContextTextColors(SECListPaintContext* pContext);
    virtual void SetContextFont(SECListPaintContext* pContext);
    virtual void MeasureItem(SECListPaintContext* pContext);
    virtual void MeasureRow(int nRow, SECListPaintContext* pContext);
    virtual BOOL MeasureCell(SECListPaintContext* pContext, int& cy);
    virtual void CalcIconRect(SECListPaintContext* pContext, CRect& rect);
    virtual void CalcTextRect(SECListPaintContext* pContext, CRect& rect);
    virtual void PositionScrollBars();
    virtual void FitFirstColumn();
    virtual int GetRowSpacing() const { return 0; }

    // Painting.
    virtual void Paint(CDC* pDC);
    virtual BOOL PrepareItem(SECListPaintContext* pContext);
    virtual std::unique_ptr<SECListPaintContext> CreatePaintContext(CDC* pDC);
    virtual void DrawHeader(SECListPaintContext* pContext);
    virtual void DrawHeaderButton(int nCol, BOOL bPressed);
    virtual void DrawHeaderImage(CDC* pDC, const SECListColumn* pColumn, CRect& rect, UINT& nFormat);
    virtual std::unique_ptr<CImageList> CreateHeaderDragImage(int nCol);
    virtual void DrawColumnInsertMark(int x, int y, int nCol);
    // The modal loop of a header divider drag; returns the change of the column's width.
    virtual int TrackColumnResize(int x, int y, int nCol);
    // An off-screen context over the rectangle, owned through owned; the screen itself during drags.
    virtual CDC* CreateOffscreenDC(CDC* pDC, std::unique_ptr<CDC>& owned, const CRect& rect);
    // A device context on the control for measuring rows outside painting.
    virtual std::unique_ptr<CDC> CreateMeasureDC();
    // The shared pens of the horizontal and the vertical grid lines.
    virtual CPen* GetGridPen();
    virtual CPen* GetGridPen2();
    // After a column moved from one position to another: its cells move with it in every row, so the
    // rows' data stays under its heading (columns after the first show the cell of their position).
    virtual void MoveColumnData(int nFrom, int nTo);
    virtual void DrawRows(SECListPaintContext* pContext);
    virtual void DrawRow(SECListPaintContext* pContext);
    virtual void DrawCell(SECListPaintContext* pContext);
    virtual void DrawCellIcon(SECListPaintContext* pContext);
    virtual void DrawCellText(SECListPaintContext* pContext);
    virtual void DrawHorzGridLine(CDC* pDC, int nRow, const CRect& rect);
    virtual void DrawVertGridLines(CDC* pDC, int nRow, const CRect& rect);
    virtual void UpdateVertScroll(int nCount);
    virtual void UpdateHorzScroll(int nWidth);

    // Key actions.
    virtual void OnKeySelect(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl);
    virtual void OnKeyLineUp(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl);
    virtual void OnKeyLineDown(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl);
    virtual void OnKeyReturn(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl);
    virtual void OnKeyEdit(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl);
    virtual void OnKeyHome(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl);
    virtual void OnKeyEnd(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl);
    virtual void OnKeyCollapse(int, int, BOOL, BOOL) { }
    virtual void OnKeyBack(int, int, BOOL, BOOL) { }
    virtual void OnKeyExpand(int, int, BOOL, BOOL) { }
    virtual void OnKeyExpandAll(int, int, BOOL, BOOL) { }
    virtual void OnKeyPageUp(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl);
    virtual void OnKeyPageDown(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl);

    // Notifications.
    virtual LRESULT SendNotify(UINT nCode);
    virtual void NotifyDeleteItem(int nRow);
    virtual BOOL NotifyBeginLabelEdit(int nRow, int nSubItem);
    virtual BOOL NotifyEndLabelEdit(int nRow, int nSubItem, CString& strText, BOOL bCommit);
    virtual void OnLabelChanged(int, int) { }
    virtual void NotifySelChanged(int, int, BOOL) { }
    virtual LRESULT NotifySelChanging(int, int, BOOL) { return 0; }
    virtual void NotifyGetDispInfo(LVITEM* pItem);
    virtual void NotifySetDispInfo(LVITEM*) { }
    virtual void NotifyBeginDrag() { }
    virtual void NotifyBeginRDrag(int, CPoint) { }
    virtual void NotifyGetExDispInfo(const LVITEM*, SECListItemEx*) { }
    virtual void NotifyInsertItem(int nRow);
    virtual void NotifyKeyDown(UINT nVKey);
    virtual void NotifyColumnClick(int nCol);
    virtual BOOL SelectFromInput(int nRow, UINT nHitFlags, UINT nKeys, BOOL bByMouse);
    virtual void OnRowSelected(int, BOOL) { }
    virtual CWnd* GetNotifyTarget() const;
    virtual void ApplyCreateStyles(CREATESTRUCT& cs);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void DecideClickAction(CPoint point, int nRow, UINT nHitFlags, BOOL& bArm, BOOL& bSelect);

    // A row's height, measured first when it needs it.
    int MeasuredHeight(int nRow, BOOL bWithSpacing);
    // Stores a row's measured label rectangle and counts its extent for the horizontal scroll range.
    void SetLabelRect(SECListItem& row, const CRect& rect);
    // The row is measured again when next met, and before the scroll range is next worked out.
    void MarkForMeasure(int nRow);
    // The widest label extent over all rows, measuring only the rows changed since the last call.
    int GetWidestLabelExtent();
    // The first column whose sub-item number is 0, -1 when none is.
    int GetFirstDataColumn() const;
    // Sends a WM_NOTIFY with a header already filled by the caller's record.
    LRESULT SendNotifyRecord(NMHDR& header, UINT nCode);
    void LoadColors();
    void ScrollAndRepaint(int nRowDelta);
    BOOL SearchTypeAhead();
    void HideTip() { m_pTip->Hide(); }
    // A heading inside its button: the header image first, then the text fitted with an ellipsis.
    void DrawHeading(CDC* pDC, const SECListColumn& column, CRect button);
    // Repaints what an insert mark covered: the header button at that position, or the empty area
    // after the last column.
    void EraseColumnInsertMark(int nMark);
    // The header steps of the mouse: a divider drag, and a header button dragged to a new place.
    void ResizeColumnFromDivider(CPoint point, int nCol);
    void StartColumnDrag(CPoint point);
    void TrackColumnDrag(CPoint point, int nCol);
    void EndColumnDrag();
    // Selects a row the keyboard paged or jumped to, and repaints.
    void SelectPageRow(int nRow, BOOL bShift, BOOL bCtrl);
    // Closes the label edit without storing anything or asking the owner.
    void AbandonLabelEdit();
    // The sub-item number of the column being edited, 0 when it does not exist.
    int GetEditedSubItem();
    BOOL IsSelected(int nRow) const;
    // The selected, focused and drop-target bits a row has by its place in the list.
    UINT RowStateBits(int nRow) const;
    // Selection array upkeep: sorted, each row once.
    BOOL SelectionAdd(int nRow);
    BOOL SelectionRemove(int nRow);

    UINT m_nTypeAheadTick { 250 };
    int m_nWheelRemainder { 0 };
    int m_nTopIndex { 0 };
    int m_nHeaderHeight { 20 };
    int m_nPendingRow { -1 };
    int m_nArmedEditRow { -1 };
    int m_nCurrentColumn { 0 };
    int m_nEditedRow { -1 };
    int m_nSubItemColumns { 0 };
    int m_nCaret { -1 };
    int m_nDropHilite { -1 };
    int m_nAnchor { -1 };
    LRESULT m_lLastNotifyResult { 0 };
    UINT m_nStateCallbackMask { 0 };
    UINT m_nExCallbackMask { 0 };
    UINT_PTR m_nEditTimer { 0 };
    UINT_PTR m_nAutoScrollTimer { 0 };
    UINT_PTR m_nTypeAheadTimer { 0 };
    UINT m_nTypeAheadFlags { 0 };
    DWORD m_dwListStyle { 0 };
    DWORD m_dwListStyleEx { 0 };
    DWORD m_dwScrollBars { 0 };
    COLORREF m_rgbBk { 0 };
    COLORREF m_rgbText { 0 };
    COLORREF m_rgbTextBk { 0 };
    COLORREF m_rgbSelBk { 0 };
    COLORREF m_rgbSelText { 0 };
    COLORREF m_rgbGrayText { 0 };
    COLORREF m_rgbRowBk { 0 };
    COLORREF m_rgbSelRowBk { 0 };
    COLORREF m_rgbTipBk { 0 };
    COLORREF m_rgbTipText { 0 };
    BOOL m_bOverDivider { FALSE };
    LRESULT m_lSelectionVeto { 0 };
    BOOL m_bEndingEdit { FALSE };
    BOOL m_bRedraw { FALSE };
    BOOL m_bItemDrag { FALSE };
    BOOL m_bColumnDrag { FALSE };
    BOOL m_bClickArmed { FALSE };
    BOOL m_bColorsFollowSystem { FALSE };
    HCURSOR m_hDividerCursor { nullptr };
    std::vector<char> m_textBuffer = std::vector<char>(textBufferSize);
    HFONT m_hItemFont { nullptr };
    HFONT m_hHeaderFont { nullptr };
    std::unique_ptr<CImageList> m_ownedImageLists[4];
    CImageList* m_pImageLists[4] { nullptr, nullptr, nullptr, nullptr };
    int m_nHorzScroll { 0 };
    int m_nScrollWord2 { 0 };
    CPoint m_ptClick { 0, 0 };
    CString m_strLabelBeforeEdit;
    CString m_strTypeAhead;
    std::vector<std::unique_ptr<SECListColumn>> m_columns;
    std::vector<std::unique_ptr<SECListItem>> m_rows;
    SECListLabelExtents m_labelExtents;
    std::vector<int> m_selection;
    CWnd* m_pNotifyWnd { nullptr };
    int m_nPressedHeaderColumn { -1 };
    int m_nColumnInsertMark { -1 };
    std::unique_ptr<CScrollBar> m_pHorzBar;
    std::unique_ptr<CScrollBar> m_pVertBar;
    // While a paint or a layout pass runs: the context rows are measured on, and the colours the whole
    // area and the cell being drawn already hold (CLR_NONE when unknown).
    SECListPaintContext* m_pMeasureContext { nullptr };
    COLORREF m_rgbPaintFill { CLR_NONE };
    COLORREF m_rgbCellFill { CLR_NONE };
    std::unique_ptr<CImageList> m_pColumnDragImage;
    BOOL m_bDragImageEntered { FALSE };
    std::unique_ptr<SECListTip> m_pTip = std::make_unique<SECListTip>(this);
    std::unique_ptr<SECListEdit> m_pEdit = std::make_unique<SECListEdit>(this);
};

// The window messages the list handles, shared by the maps of its window and its view form.
#define SEC_LIST_MESSAGE_ENTRIES() \
    ON_WM_PAINT() \
    ON_WM_CREATE() \
    ON_WM_ERASEBKGND() \
    ON_WM_SETCURSOR() \
    ON_WM_MOUSEMOVE() \
    ON_WM_CANCELMODE() \
    ON_WM_LBUTTONDOWN() \
    ON_WM_LBUTTONUP() \
    ON_WM_LBUTTONDBLCLK() \
    ON_WM_DESTROY() \
    ON_WM_SIZE() \
    ON_WM_HSCROLL() \
    ON_WM_VSCROLL() \
    ON_WM_TIMER() \
    ON_WM_KEYDOWN() \
    ON_WM_CHAR() \
    ON_WM_SYSKEYDOWN() \
    ON_WM_ENABLE() \
    ON_WM_GETDLGCODE() \
    ON_WM_RBUTTONDOWN() \
    ON_WM_RBUTTONUP() \
    ON_WM_SETFOCUS() \
    ON_WM_KILLFOCUS() \
    ON_WM_MOUSEWHEEL() \
    ON_WM_SYSCOLORCHANGE() \
    ON_CONTROL(EN_KILLFOCUS, SECListEdit::controlId, OnEditKillFocus) \
    ON_CONTROL(EN_UPDATE, SECListEdit::controlId, OnEditUpdate)
