#include "toolkit/controls/SECListView.h"

#include <algorithm>

#include "platform/afx/CClientDC.h"
#include "platform/afx/CPaintDC.h"
#include "platform/afx/CPrintDialog.h"
#include "platform/afx/CPrintInfo.h"

namespace {

constexpr int kFallbackPointSize = 110;
constexpr const char* kFallbackFace = "Times New Roman";

// The printer's device context lent to the list for measuring: the job owns it, so it is handed
// back rather than deleted.
class BorrowedDC : public CDC {
public:
    explicit BorrowedDC(HDC hDC) { Attach(hDC); }
    ~BorrowedDC() override { Detach(); }
};

// A copy of the list's font, else the fallback face; null when neither can be made.
std::unique_ptr<CFont> MakePrintFont(HFONT hScreenFont, CDC* pDC)
{
    auto pFont = std::make_unique<CFont>();
    LOGFONT lf {};
    if (hScreenFont && ::GetObject(hScreenFont, sizeof(lf), &lf) == sizeof(lf) && pFont->CreateFontIndirect(&lf))
        return pFont;
    if (pFont->CreatePointFont(kFallbackPointSize, kFallbackFace, pDC))
        return pFont;
    return nullptr;
}

} // namespace

IMPLEMENT_DYNCREATE(SECListView, CView)

BEGIN_MESSAGE_MAP(SECListView, CView)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
SEC_LIST_MESSAGE_ENTRIES()
ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

SECListView::~SECListView() = default;

void SECListView::OnPaint()
{
    if (m_bPrinting) {
        ValidateRect(nullptr);
        return;
    }
    CPaintDC dc(this);
    Paint(&dc);
}

void SECListView::OnDraw(CDC* pDC)
{
    // The screen is painted through WM_PAINT; drawing is only ever asked for a page.
    if (pDC->IsPrinting())
        Paint(pDC);
}

BOOL SECListView::OnPreparePrinting(CPrintInfo* pInfo)
{
    pInfo->m_pPD->m_pd.Flags |= PD_NOPAGENUMS | PD_NOSELECTION;
    return DoPreparePrinting(pInfo);
}

void SECListView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (!CreatePrintFonts(pDC)) {
        pInfo->m_bContinuePrinting = FALSE;
        return;
    }
    m_nSavedTopIndex = m_nTopIndex;
    m_hSavedItemFont = m_hItemFont;
    m_hSavedHeaderFont = m_hHeaderFont;
    m_nTopIndex = 0;
    m_nCurrentPage = 0;
    m_hItemFont = static_cast<HFONT>(m_pPrintItemFont->GetSafeHandle());
    m_hHeaderFont = static_cast<HFONT>(m_pPrintHeaderFont->GetSafeHandle());
    m_pPrinterDC = pDC;
    PreparePrintDC(pDC);
    m_bPrinting = TRUE;
    // Rows are measured again in the print fonts; the first column takes the page's width, and the
    // screen gets its widths back at the end.
    InvalidateRowHeights();
    m_savedColumnWidths.clear();
    for (int nCol = 0; nCol < GetColumnCount(); ++nCol)
        m_savedColumnWidths.push_back(GetColumnRecord(nCol)->m_nWidth);
    FitFirstColumn();
    if (pInfo->m_bPreview) {
        UINT nPages = 1;
        while (NextPage(pDC))
            ++nPages;
        pInfo->SetMaxPage(nPages);
        m_nTopIndex = 0;
    }
}

void SECListView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC->IsPrinting() && pInfo != nullptr)
        PreparePrintDC(pDC);
    else
        CView::OnPrepareDC(pDC, pInfo);
}

void SECListView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (pInfo->m_bPreview) {
        GotoPage(pInfo->m_nCurPage, pDC);
        CView::OnPrint(pDC, pInfo);
        return;
    }
    CView::OnPrint(pDC, pInfo);
    pInfo->m_bContinuePrinting = NextPage(pDC);
}

void SECListView::OnEndPrinting(CDC*, CPrintInfo*)
{
    if (!m_bPrinting)
        return;
    m_rectPrint.SetRectEmpty();
    m_hItemFont = m_hSavedItemFont;
    m_hHeaderFont = m_hSavedHeaderFont;
    DeletePrintFonts();
    m_bPrinting = FALSE;
    m_pPrinterDC = nullptr;
    m_nTopIndex = m_nSavedTopIndex;
    for (int nCol = 0; nCol < GetColumnCount() && nCol < static_cast<int>(m_savedColumnWidths.size()); ++nCol)
        GetColumnRecord(nCol)->m_nWidth = m_savedColumnWidths[static_cast<size_t>(nCol)];
    RecalcLayout();
    if (m_hWnd)
        Invalidate();
}

void SECListView::GetItemAreaRect(CRect& rect) const
{
    if (m_bPrinting)
        rect = m_rectPrint;
    else
        SECListBaseV::GetItemAreaRect(rect);
}

std::unique_ptr<CDC> SECListView::CreateMeasureDC()
{
    if (m_bPrinting && m_pPrinterDC != nullptr)
        return std::make_unique<BorrowedDC>(m_pPrinterDC->GetSafeHdc());
    return SECListBaseV::CreateMeasureDC();
}

void SECListView::PreparePrintDC(CDC* pDC)
{
    CClientDC screen(nullptr);
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(screen.GetDeviceCaps(LOGPIXELSX), screen.GetDeviceCaps(LOGPIXELSY));
    pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    m_rectPrint.SetRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    pDC->DPtoLP(&m_rectPrint);
}

BOOL SECListView::NextPage(CDC* pDC)
{
    auto pContext = CreatePaintContext(pDC);
    const int nLast = GetLastFullyVisible(pContext.get());
    // A row taller than the page still makes its own page, so the job always moves on.
    const int nNext = std::max(nLast, m_nTopIndex) + 1;
    if (nNext >= GetItemCount())
        return FALSE;
    m_nTopIndex = nNext;
    return TRUE;
}

BOOL SECListView::GotoPage(UINT nPage, CDC* pDC)
{
    if (m_nCurrentPage == nPage)
        return TRUE;
    m_nTopIndex = 0;
    BOOL bMore = TRUE;
    for (UINT n = 1; n < nPage && bMore; ++n)
        bMore = NextPage(pDC);
    m_nCurrentPage = nPage;
    return bMore;
}

BOOL SECListView::CreatePrintFonts(CDC* pDC)
{
    m_pPrintItemFont = MakePrintFont(m_hItemFont, pDC);
    m_pPrintHeaderFont = MakePrintFont(m_hHeaderFont, pDC);
    if (m_pPrintItemFont && m_pPrintHeaderFont)
        return TRUE;
    DeletePrintFonts();
    return FALSE;
}

void SECListView::DeletePrintFonts()
{
    m_pPrintItemFont.reset();
    m_pPrintHeaderFont.reset();
}
