#pragma once
// Prints what a report list shows: its shown columns with their headings and every row, page by page,
// each page with a framed header band carrying a title and a framed footer band with the page number
// and the time the print started. File / Print runs the whole job here; the class library's print
// preview drives the same page layout page by page through the Prepare/Begin/PrintPage/End calls.

#include <memory>
#include <vector>

#include "platform/afx/CString.h"
#include "platform/base/SystemTime.h"
#include "platform/gdi/WinGdi.h"

class CPrintInfo;

class CPrintListCtrl {
public:
    CPrintListCtrl();
    virtual ~CPrintListCtrl();
    CPrintListCtrl(const CPrintListCtrl&) = delete;
    CPrintListCtrl& operator=(const CPrintListCtrl&) = delete;

    void SetListWindow(HWND list) { m_hList = list; }
    HWND GetListWindow() const { return m_hList; }
    // Faces of up to 255 characters; sizes in screen pixels.
    void SetHeaderFont(LPCTSTR face, int size);
    void SetFooterFont(LPCTSTR face, int size);
    void SetBodyFont(LPCTSTR face, int size);
    void SetLandscape();
    // The printer the first print chose; later prints go there without asking.
    HDC GetPrinterDC() const { return m_hPrinterDC; }

    // File / Print: the print dialog when no printer was chosen yet, then every row; false when
    // nothing was printed (cancelled, no list, a font or the document could not be made).
    bool PrintList(LPCTSTR title, HWND owner);

    // Print preview. Prepare counts the columns and rows and takes the print time; Begin borrows the
    // class library's printer DC, makes the fonts and widths and sets the page range; PrintPage draws
    // one page; End lets go of everything, the borrowed DC included.
    bool PreparePreview(LPCTSTR title);
    void BeginPreview(HDC printerDC, CPrintInfo* info);
    void PrintPreviewPage(HDC printerDC, CPrintInfo* info);
    void EndPreview();

    // Rows on a preview page for the fonts made; never below one, so that a page too small for a row
    // still moves through the list.
    int PreviewRowsPerPage() const;

protected:
    // The time printed in the footer; tests replace it.
    virtual SYSTEMTIME CurrentTime() const;

private:
    struct Column {
        CString heading;
        int listWidth { 0 };
        int printedWidth { 0 };
        UINT alignment { DT_LEFT };
    };
    struct Fonts;
    struct FontSpec {
        CString face { "Arial" };
        int size { 12 };
    };

    // Columns, rows and the print time; false without a list window or list header.
    bool ReadList(LPCTSTR title);
    // The fonts in the printer's pixels and the columns' printed widths; false when a font fails.
    bool MakeFonts(HDC dc);
    void FreeFonts();
    int TextWidthOfX(HDC dc) const;
    CString CellText(int row, int column) const;
    HWND ListHeader() const;

    // The parts of a page; each returns or takes the y the rows start at.
    int DrawPageFrame(HDC dc, int page) const;
    void DrawRow(HDC dc, int row, int y) const;
    void DrawCells(HDC dc, int y, int lineBelow, const std::vector<CString>& texts) const;
    int RowsTop() const;
    int FooterTop() const;

    HWND m_hList { nullptr };
    HDC m_hPrinterDC { nullptr };
    bool m_bBorrowedDC { false };
    FontSpec m_header;
    FontSpec m_footer;
    FontSpec m_body;
    HGLOBAL m_hDevMode { nullptr };
    SYSTEMTIME m_printTime {};

    CString m_title;
    int m_nRows { 0 };
    std::vector<Column> m_columns;
    std::unique_ptr<Fonts> m_fonts;
    int m_pageWidth { 0 };
    int m_pageHeight { 0 };
    int m_rowsPerPage { 1 };
};
