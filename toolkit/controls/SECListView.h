#pragma once
// The list as a document view: a frame shows it as its view and prints it. Screen painting is the
// list's own; a print job lays the rows out page by page against the printable area, with fonts of
// its own, and gives the screen its fonts and top row back at the end.

#include <memory>
#include <vector>

#include "platform/afx/CFont.h"
#include "toolkit/controls/SECListBaseV.h"

class SECListView : public SECListBaseV {
    DECLARE_DYNCREATE(SECListView)
public:
    SECListView() = default;
    ~SECListView() override;

    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnDraw(CDC* pDC) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    // While printing: the printable area and the printer's device context.
    void GetItemAreaRect(CRect& rect) const override;
    BOOL IsPrintingList() const { return m_bPrinting; }
    UINT GetCurrentPage() const { return m_nCurrentPage; }

    // Makes the row after the last one that fits on the page the top row; FALSE when none is left.
    virtual BOOL NextPage(CDC* pDC);
    // One logical unit on the printer is one screen pixel.
    virtual void PreparePrintDC(CDC* pDC);
    // Lays the rows out from the first page up to the page; the last NextPage answer.
    virtual BOOL GotoPage(UINT nPage, CDC* pDC);
    virtual BOOL CreatePrintFonts(CDC* pDC);
    virtual void DeletePrintFonts();

    afx_msg void OnPaint();

protected:
    std::unique_ptr<CDC> CreateMeasureDC() override;

    HFONT m_hSavedItemFont { nullptr };
    HFONT m_hSavedHeaderFont { nullptr };
    std::unique_ptr<CFont> m_pPrintItemFont;
    std::unique_ptr<CFont> m_pPrintHeaderFont;
    CRect m_rectPrint { 0, 0, 0, 0 };
    BOOL m_bPrinting { FALSE };
    int m_nSavedTopIndex { 0 };
    std::vector<int> m_savedColumnWidths;
    UINT m_nCurrentPage { 0 };
    CDC* m_pPrinterDC { nullptr };

    DECLARE_MESSAGE_MAP()
};
