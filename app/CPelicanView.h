#pragma once
// The right-hand side of the main window: a virtual report list of the records behind the selected tree
// node. The rows live in the main frame's record set; the list asks for texts row by row and keeps a
// small cache of them. Track-like and file rows carry a tag check box, one bit per row. The list is a
// drag source of rows, and prints itself through its print control.

#include <vector>

#include "app/CPrintListCtrl.h"
#include "platform/afx/CImageList.h"
#include "platform/afx/CListView.h"

class CMainFrame;
class _ADORecordsetHelper;
struct NMHDR;

class CPelicanView : public CListView {
    DECLARE_DYNCREATE(CPelicanView)
public:
    // The help context of the list window.
    static constexpr DWORD kHelpContext = 65892;
    static constexpr const char* kEmptyText = "There are no items to show in this view.";

    CPelicanView();
    ~CPelicanView() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;

    // Builds the list from the frame's record set and selects row 0; false without a main window or
    // when reading the record set failed (the error was shown).
    bool FillFromRecordset();
    void BuildColumns();
    void ClearList();
    void SelectRow(int row);
    // Fits each column up to the last one (-1: all) to its contents and header, the last one taking
    // the rest of the width.
    void AutoSizeColumns(int lastColumn);
    void ReapplyColumnWidths();
    // The text of a cell: from the cache, else from the record set; empty outside the rows and fields.
    CString GetCellText(int row, int column);

    // Tags. A walk starts at -1 and stops at the last row: padding bits past the rows are never tags.
    bool GetNextTaggedItem(int& row) const;
    bool IsRowTagged(int row) const;
    void TagAll();
    void ClearAllTags();
    // Set by the frame as it opens a source whose rows carry tags.
    void SetTagsOn(bool on) { m_bTagsOn = on; }
    bool AreTagsOn() const { return m_bTagsOn; }
    int GetTagCount() const { return m_nTagCount; }
    bool IsEmpty() const { return m_bEmpty; }
    int GetRowCount() const { return m_nRowCount; }
    int GetCurrentRow() const { return m_nCurrentRow; }

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    // The drag itself; tests replace it to see what a drag offers.
    virtual DROPEFFECT DoDragRows(CLIPFORMAT format, DROPEFFECT effects);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnPaint();
    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnFilePrint();
    afx_msg void OnUpdateNeedsLibrary(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    CMainFrame* Frame() const;
    _ADORecordsetHelper* Recordset() const;
    void OnGetDispInfo(NMHDR* pNMHDR);
    void OnCacheHint(NMHDR* pNMHDR);
    // Moves the record set to the row and, when it is a new current row, rebinds the detail sheet.
    void MakeCurrent(int row);
    // True when the point lies on row 0's tag check box column.
    bool IsOnTagColumn(CPoint point) const;
    int ColumnCount() const;

    int m_nCurrentRow { -1 };
    bool m_bEmpty { true };
    int m_nFirstCachedRow { kNoCache };
    std::vector<std::vector<CString>> m_rowCache;
    std::vector<BYTE> m_columnShown;
    CPrintListCtrl m_printCtrl;
    bool m_bTagsOn { false };
    int m_nTagCount { 0 };
    std::vector<BYTE> m_tagBits;
    int m_nRowCount { 0 };
    CImageList m_stateImages;

    static constexpr int kNoCache = -1000000;
};
