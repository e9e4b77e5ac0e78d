#include "app/CPrintListCtrl.h"

#include <algorithm>
#include <cstring>

#include "platform/afx/CPrintInfo.h"
#include "platform/base/GlobalMemory.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/gdi/Printing.h"
#include "platform/shell/CommDlg.h"
#include "platform/user/WinUser.h"

namespace {

constexpr int kMaxFace = 255;
constexpr int kTextBuffer = 256;
constexpr int kHeadingGap = 20;
constexpr int kRowsGap = 10;
constexpr int kCellInset = 4;
constexpr int kRowSpacing = 6;
constexpr int kFooterInset = 4;
constexpr int kFooterGap = 10;

// A face of at most 255 characters, as the font's name field holds.
CString FaceOf(LPCTSTR face) { return CString(face ? face : "").Left(kMaxFace); }

HFONT MakeFont(int height, const CString& face)
{
    return ::CreateFont(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, face);
}

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

void DrawIn(HDC dc, HFONT font, const CString& text, RECT rect, UINT format)
{
    const HGDIOBJ old = ::SelectObject(dc, font);
    ::DrawText(dc, text, text.GetLength(), &rect, format | DT_SINGLELINE | DT_VCENTER);
    ::SelectObject(dc, old);
}

} // namespace

// The fonts of one print run in printer pixels; deleted with the run.
struct CPrintListCtrl::Fonts {
    ~Fonts()
    {
        for (HFONT font : { header, title, footer, body })
            if (font)
                ::DeleteObject(font);
    }
    HFONT header { nullptr };
    HFONT title { nullptr };
    HFONT footer { nullptr };
    HFONT body { nullptr };
    int h { 0 };
    int f { 0 };
    int b { 0 };
};

CPrintListCtrl::CPrintListCtrl()
{
    DEVMODE settings;
    std::memcpy(settings.dmDeviceName, kPdfPrinterName, std::strlen(kPdfPrinterName) + 1);
    m_hDevMode = ::GlobalAlloc(GHND, sizeof settings);
    if (void* block = ::GlobalLock(m_hDevMode)) {
        std::memcpy(block, &settings, sizeof settings);
        ::GlobalUnlock(m_hDevMode);
    }
}

CPrintListCtrl::~CPrintListCtrl()
{
    m_fonts.reset();
    if (m_hPrinterDC && !m_bBorrowedDC)
        ::DeleteDC(m_hPrinterDC);
    ::GlobalFree(m_hDevMode);
}

void CPrintListCtrl::SetHeaderFont(LPCTSTR face, int size) { m_header = { FaceOf(face), size }; }
void CPrintListCtrl::SetFooterFont(LPCTSTR face, int size) { m_footer = { FaceOf(face), size }; }
void CPrintListCtrl::SetBodyFont(LPCTSTR face, int size) { m_body = { FaceOf(face), size }; }

void CPrintListCtrl::SetLandscape()
{
    if (auto* settings = static_cast<DEVMODE*>(::GlobalLock(m_hDevMode))) {
        settings->dmFields |= DM_ORIENTATION;
        settings->dmOrientation = DMORIENT_LANDSCAPE;
        ::GlobalUnlock(m_hDevMode);
    }
}

SYSTEMTIME CPrintListCtrl::CurrentTime() const
{
    SYSTEMTIME now {};
    ::GetLocalTime(&now);
    return now;
}

bool CPrintListCtrl::ReadList(LPCTSTR title)
{
    m_columns.clear();
    m_nRows = 0;
    const HWND header = ListHeader();
    if (!header)
        return false;
    m_title = title ? title : "";
    m_printTime = CurrentTime();
    m_nRows = static_cast<int>(::SendMessage(m_hList, LVM_GETITEMCOUNT, 0, 0));
    const int count = static_cast<int>(::SendMessage(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[kTextBuffer] {};
        HDITEM item;
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = text;
        item.cchTextMax = kTextBuffer;
        ::SendMessage(header, HDM_GETITEM, i, reinterpret_cast<LPARAM>(&item));
        Column column;
        column.heading = text;
        column.listWidth = item.cxy;
        const int justify = item.fmt & HDF_JUSTIFYMASK;
        column.alignment = justify == HDF_CENTER ? DT_CENTER : justify == HDF_RIGHT ? DT_RIGHT : DT_LEFT;
        m_columns.push_back(column);
    }
    return true;
}

HWND CPrintListCtrl::ListHeader() const
{
    return m_hList ? reinterpret_cast<HWND>(::SendMessage(m_hList, LVM_GETHEADER, 0, 0)) : nullptr;
}

CString CPrintListCtrl::CellText(int row, int column) const
{
    char text[kTextBuffer] {};
    LVITEM item;
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = kTextBuffer;
    ::SendMessage(m_hList, LVM_GETITEMTEXT, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

int CPrintListCtrl::TextWidthOfX(HDC dc) const
{
    const HGDIOBJ old = ::SelectObject(dc, m_fonts->body);
    SIZE size {};
    ::GetTextExtentPoint32(dc, "X", 1, &size);
    ::SelectObject(dc, old);
    return size.cx;
}

bool CPrintListCtrl::MakeFonts(HDC dc)
{
    const HDC screen = ::GetDC(nullptr);
    const int screenDpi = std::max(1, ::GetDeviceCaps(screen, LOGPIXELSY));
    ::ReleaseDC(nullptr, screen);
    const int printerDpi = ::GetDeviceCaps(dc, LOGPIXELSY);
    const auto toPrinter = [&](int size) { return size * printerDpi / screenDpi; };

    auto fonts = std::make_unique<Fonts>();
    fonts->h = toPrinter(m_header.size);
    fonts->f = toPrinter(m_footer.size);
    fonts->b = toPrinter(m_body.size);
    fonts->header = MakeFont(fonts->h, m_header.face);
    fonts->title = MakeFont(2 * fonts->h, m_header.face);
    fonts->footer = MakeFont(fonts->f, m_footer.face);
    fonts->body = MakeFont(fonts->b, m_body.face);
    if (!fonts->header || !fonts->title || !fonts->footer || !fonts->body)
        return false;
    m_fonts = std::move(fonts);
    m_pageWidth = ::GetDeviceCaps(dc, HORZRES);
    m_pageHeight = ::GetDeviceCaps(dc, VERTRES);

    const int x = TextWidthOfX(dc);
    for (size_t i = 0; i < m_columns.size(); ++i) {
        Column& column = m_columns[i];
        if (column.listWidth == 0) {
            column.printedWidth = 0;
            continue;
        }
        int longest = column.heading.GetLength();
        for (int row = 0; row < m_nRows; ++row)
            longest = std::max(longest, CellText(row, static_cast<int>(i)).GetLength());
        column.printedWidth = (longest + 1) * x;
    }
    return true;
}

void CPrintListCtrl::FreeFonts() { m_fonts.reset(); }

int CPrintListCtrl::RowsTop() const { return 4 * m_fonts->h + kHeadingGap + m_fonts->b + kRowsGap; }
int CPrintListCtrl::FooterTop() const { return m_pageHeight - (m_fonts->f + kFooterInset); }

int CPrintListCtrl::PreviewRowsPerPage() const
{
    if (!m_fonts)
        return 1;
    const int room = FooterTop() - kFooterGap - RowsTop();
    return std::max(1, room / (m_fonts->b + kRowSpacing));
}

void CPrintListCtrl::DrawCells(HDC dc, int y, int lineBelow, const std::vector<CString>& texts) const
{
    int x = 0;
    bool first = true;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const int width = m_columns[i].printedWidth;
        if (width == 0)
            continue;
        if (x > m_pageWidth || x + width > m_pageWidth)
            break;
        if (!first)
            Line(dc, x - 2, y, x - 2, y + m_fonts->b + lineBelow);
        first = false;
        const RECT cell { x + kCellInset, y, x + width - kCellInset, y + m_fonts->b };
        DrawIn(dc, m_fonts->body, texts[i], cell, m_columns[i].alignment);
        x += width;
    }
}

int CPrintListCtrl::DrawPageFrame(HDC dc, int page) const
{
    const int h = m_fonts->h;
    const HBRUSH black = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));

    const RECT band { 0, 0, m_pageWidth - 1, 4 * h };
    ::FrameRect(dc, &band, black);
    DrawIn(dc, m_fonts->title, m_title, RECT { 0, h, m_pageWidth - 1, 3 * h }, DT_CENTER);

    const int headingsTop = 4 * h + kHeadingGap;
    std::vector<CString> headings;
    for (const Column& column : m_columns)
        headings.push_back(column.heading);
    DrawCells(dc, headingsTop, kRowsGap, headings);
    const HPEN thick = ::CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
    const HGDIOBJ oldPen = ::SelectObject(dc, thick);
    Line(dc, 0, headingsTop + m_fonts->b, m_pageWidth, headingsTop + m_fonts->b);
    ::DeleteObject(::SelectObject(dc, oldPen));

    const RECT footer { 0, FooterTop(), m_pageWidth - 1, m_pageHeight };
    ::FrameRect(dc, &footer, black);
    CString pageText;
    pageText.Format("Page : %d", page);
    DrawIn(dc, m_fonts->footer, pageText, RECT { 2, footer.top, m_pageWidth / 2, m_pageHeight }, DT_LEFT);
    CString when;
    const SYSTEMTIME& t = m_printTime;
    when.Format("%02d/%02d/%04d  %02d:%02d:%02d", t.wMonth, t.wDay, t.wYear, t.wHour, t.wMinute, t.wSecond);
    DrawIn(dc, m_fonts->footer, when, RECT { m_pageWidth / 2, footer.top, m_pageWidth - 3, m_pageHeight }, DT_RIGHT);
    return RowsTop();
}

void CPrintListCtrl::DrawRow(HDC dc, int row, int y) const
{
    std::vector<CString> texts;
    for (size_t i = 0; i < m_columns.size(); ++i)
        texts.push_back(m_columns[i].printedWidth ? CellText(row, static_cast<int>(i)) : CString());
    DrawCells(dc, y, kRowSpacing, texts);
}

bool CPrintListCtrl::PrintList(LPCTSTR title, HWND owner)
{
    if (!ListHeader())
        return false;
    if (!m_hPrinterDC) {
        PRINTDLG dialog;
        dialog.hwndOwner = owner;
        dialog.hDevMode = m_hDevMode;
        dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_DISABLEPRINTTOFILE;
        const BOOL chosen = ::PrintDlg(&dialog);
        m_hDevMode = dialog.hDevMode;
        ::GlobalFree(dialog.hDevNames);
        if (!chosen || !dialog.hDC)
            return false;
        m_hPrinterDC = dialog.hDC;
        m_bBorrowedDC = false;
    }
    if (!ReadList(title))
        return false;
    if (!MakeFonts(m_hPrinterDC)) {
        m_columns.clear();
        return false;
    }

    DOCINFO document;
    document.lpszDocName = m_title;
    if (::StartDoc(m_hPrinterDC, &document) <= 0) {
        // The chosen output cannot be written: the next print asks for another one.
        FreeFonts();
        m_columns.clear();
        ::DeleteDC(m_hPrinterDC);
        m_hPrinterDC = nullptr;
        return false;
    }
    const int rowHeight = m_fonts->b;
    const int lastTop = FooterTop() - kFooterGap;
    int page = 0;
    int rowsOnPage = 0;
    int y = 0;
    for (int row = 0; row < m_nRows; ++row) {
        // A page too small for even one row still takes one, so the run always moves on.
        if (page > 0 && rowsOnPage > 0 && y + rowHeight > lastTop) {
            ::EndPage(m_hPrinterDC);
            rowsOnPage = 0;
        }
        if (rowsOnPage == 0) {
            ::StartPage(m_hPrinterDC);
            y = DrawPageFrame(m_hPrinterDC, ++page);
        }
        DrawRow(m_hPrinterDC, row, y);
        y += rowHeight + kRowSpacing;
        ++rowsOnPage;
    }
    if (rowsOnPage > 0)
        ::EndPage(m_hPrinterDC);
    ::EndDoc(m_hPrinterDC);
    FreeFonts();
    m_columns.clear();
    return true;
}

bool CPrintListCtrl::PreparePreview(LPCTSTR title) { return ReadList(title); }

void CPrintListCtrl::BeginPreview(HDC printerDC, CPrintInfo* info)
{
    if (m_hPrinterDC && !m_bBorrowedDC)
        ::DeleteDC(m_hPrinterDC);
    m_hPrinterDC = printerDC;
    m_bBorrowedDC = true;
    if (!printerDC || !MakeFonts(printerDC))
        return;
    m_rowsPerPage = PreviewRowsPerPage();
    const int pages = std::max(1, (m_nRows + m_rowsPerPage - 1) / m_rowsPerPage);
    info->SetMinPage(1);
    info->SetMaxPage(static_cast<UINT>(pages));
}

void CPrintListCtrl::PrintPreviewPage(HDC printerDC, CPrintInfo* info)
{
    if (!m_fonts) {
        info->m_bContinuePrinting = FALSE;
        return;
    }
    const int page = static_cast<int>(info->m_nCurPage);
    int y = DrawPageFrame(printerDC, page);
    const int last = std::min(page * m_rowsPerPage, m_nRows);
    for (int row = (page - 1) * m_rowsPerPage; row < last; ++row) {
        DrawRow(printerDC, row, y);
        y += m_fonts->b + kRowSpacing;
    }
}

void CPrintListCtrl::EndPreview()
{
    FreeFonts();
    m_columns.clear();
    if (m_bBorrowedDC)
        m_hPrinterDC = nullptr;
    m_bBorrowedDC = false;
}
