#include "platform/afx/CPreviewView.h"

#include <algorithm>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CDialogBar.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CPrintInfo.h"
#include "platform/afx/CPrintPreviewState.h"
#include "platform/afx/CString.h"
#include "platform/gdi/Printing.h"

IMPLEMENT_DYNCREATE(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
ON_WM_KEYDOWN()
ON_WM_ERASEBKGND()
ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
END_MESSAGE_MAP()

namespace {

constexpr UINT kUnknownPageCount = 0xFFFF;
// The grey margin around the page, in screen pixels.
constexpr int kMargin = 8;
// The id the printed view keeps while the preview has its place.
constexpr UINT kSavedPaneId = AFX_IDW_PANE_FIRST + 0x100;

} // namespace

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView() = default;

BOOL CPreviewView::Start(CFrameWnd& frame, CView& printView, std::unique_ptr<CPrintInfo> pInfo)
{
    auto state = std::make_unique<CPrintPreviewState>();
    state->pViewActiveOld = frame.GetActiveView();
    // The preview takes the place of the frame's main pane: the view itself in a frame of one
    // document, the MDI client (with every document window) in a frame of several.
    HWND pane = ::GetDlgItem(frame.m_hWnd, static_cast<int>(AFX_IDW_PANE_FIRST));
    state->hWndMainPane = pane ? pane : printView.m_hWnd;
    state->nIDMainPane = static_cast<UINT>(::GetDlgCtrlID(state->hWndMainPane));

    auto* preview = new CPreviewView;
    preview->m_pPrintView = &printView;
    preview->m_printerDC.Attach(pInfo->m_pPD->m_pd.hDC);
    preview->m_printerDC.m_bPrinting = TRUE;
    preview->m_pPreviewInfo = std::move(pInfo);
    CPrintInfo& info = *preview->m_pPreviewInfo;

    printView.OnBeginPrinting(&preview->m_printerDC, &info);
    if (!info.m_bContinuePrinting) {
        printView.OnEndPrinting(&preview->m_printerDC, &info);
        delete preview;
        return FALSE;
    }

    frame.OnSetPreviewMode(TRUE, state.get());
    // The preview's own bar takes the top of the frame the hidden bars left. A program whose
    // resources lack its template still previews, through the keys alone.
    auto bar = std::make_unique<CDialogBar>();
    if (bar->Create(&frame, AFX_IDD_PREVIEW_TOOLBAR, CBRS_TOP, AFX_IDW_PREVIEW_BAR))
        preview->m_pToolBar = std::move(bar);
    SetMainPaneShown(*state, false);
    if (!preview->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(), &frame, AFX_IDW_PANE_FIRST, nullptr)) {
        // Create deleted nothing: the window never existed, so PostNcDestroy did not run.
        preview->m_pToolBar.reset();
        SetMainPaneShown(*state, true);
        frame.OnSetPreviewMode(FALSE, state.get());
        printView.OnEndPrinting(&preview->m_printerDC, &info);
        delete preview;
        return FALSE;
    }
    preview->m_pPreviewState = std::move(state);
    preview->SetCurrentPage(info.GetFromPage());
    frame.SetActiveView(preview);
    if (preview->m_pToolBar) {
        // Shown with its buttons already enabled as the first page allows, not at the next idle time.
        preview->m_pToolBar->OnUpdateCmdUI(&frame, TRUE);
        preview->m_pToolBar->ShowWindow(SW_SHOWNA);
    }
    frame.RecalcLayout();
    preview->Invalidate(TRUE);
    return TRUE;
}

void CPreviewView::SetMainPaneShown(const CPrintPreviewState& state, bool shown)
{
    if (!::IsWindow(state.hWndMainPane))
        return;
    ::SetWindowLongPtr(state.hWndMainPane, GWL_ID, static_cast<LONG_PTR>(shown ? state.nIDMainPane : kSavedPaneId));
    ::ShowWindow(state.hWndMainPane, shown ? SW_SHOW : SW_HIDE);
}

UINT CPreviewView::GetPageCount() const
{
    const UINT max = m_pPreviewInfo->GetMaxPage();
    if (max == kUnknownPageCount)
        return 0;
    // A document of no pages still shows one (empty) page.
    return std::max(1u, max - std::min(max, m_pPreviewInfo->GetMinPage() - 1));
}

bool CPreviewView::HasPage(UINT nPage)
{
    CPrintInfo& info = *m_pPreviewInfo;
    if (nPage < info.GetMinPage())
        return false;
    if (info.GetMaxPage() != kUnknownPageCount)
        return nPage < info.GetMinPage() + GetPageCount();
    // An unknown count: the printed view says, as it would when printing, whether the page exists.
    const UINT current = info.m_nCurPage;
    const int saved = m_printerDC.SaveDC();
    info.m_nCurPage = nPage;
    info.m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(&m_printerDC, &info);
    const bool exists = info.m_bContinuePrinting != FALSE;
    m_printerDC.RestoreDC(saved);
    info.m_nCurPage = current;
    info.m_bContinuePrinting = TRUE;
    return exists;
}

BOOL CPreviewView::SetCurrentPage(UINT nPage)
{
    if (!HasPage(nPage))
        return FALSE;
    m_nCurrentPage = nPage;
    m_pPreviewInfo->m_nCurPage = nPage;
    if (m_hWnd)
        Invalidate(TRUE);
    return TRUE;
}

void CPreviewView::SetZoomState(UINT nNewState)
{
    m_nZoomState = nNewState == ZOOM_IN ? ZOOM_IN : ZOOM_OUT;
    if (m_hWnd)
        Invalidate(TRUE);
}

CRect CPreviewView::GetPageRect(UINT nIndex) const
{
    CRect client;
    GetClientRect(&client);
    // Two pages share the width, each in its own column with a margin between them.
    const int columns = m_nZoomState == ZOOM_OUT ? static_cast<int>(m_nPages) : 1;
    const int column = std::min(static_cast<int>(nIndex), columns - 1);
    const int columnWidth = (client.Width() - (columns - 1) * kMargin) / columns;
    const int pageWidth = std::max(1, m_printerDC.GetDeviceCaps(HORZRES));
    const int pageHeight = std::max(1, m_printerDC.GetDeviceCaps(VERTRES));
    int width = 0;
    int height = 0;
    if (m_nZoomState == ZOOM_IN) {
        // About the page's real size on the screen.
        const int printerDpi = std::max(1, m_printerDC.GetDeviceCaps(LOGPIXELSX));
        width = MulDiv(pageWidth, 96, printerDpi);
        height = MulDiv(pageHeight, 96, printerDpi);
    } else {
        // The whole page in the window, its proportions kept.
        const int roomX = std::max(1, columnWidth - 2 * kMargin);
        const int roomY = std::max(1, client.Height() - 2 * kMargin);
        width = roomX;
        height = MulDiv(pageHeight, roomX, pageWidth);
        if (height > roomY) {
            height = roomY;
            width = MulDiv(pageWidth, roomY, pageHeight);
        }
    }
    width = std::max(1, width);
    height = std::max(1, height);
    const int left = column * (columnWidth + kMargin) + std::max(kMargin, (columnWidth - width) / 2);
    const int top = std::max(kMargin, (client.Height() - height) / 2);
    return CRect(left, top, left + width, top + height);
}

UINT CPreviewView::ShownPages()
{
    return m_nZoomState == ZOOM_OUT && m_nPages == 2 && HasPage(m_nCurrentPage + 1) ? 2 : 1;
}

void CPreviewView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_APPWORKSPACE));
    const UINT shown = ShownPages();
    CPrintInfo& info = *m_pPreviewInfo;
    for (UINT index = 0; index < shown; ++index) {
        const CRect page = GetPageRect(index);
        CRect shadow(page);
        shadow.OffsetRect(3, 3);
        pDC->FillSolidRect(&shadow, RGB(0, 0, 0));

        info.m_nCurPage = m_nCurrentPage + index;
        info.m_bContinuePrinting = TRUE;
        const int saved = m_printerDC.SaveDC();
        if (platform::gdi::StartPreviewPage(m_printerDC.m_hDC, page.Width(), page.Height())) {
            m_pPrintView->OnPrepareDC(&m_printerDC, &info);
            m_pPrintView->PrintPage(m_printerDC, info);
            ::EndPage(m_printerDC.m_hDC);
            platform::gdi::ShowPreviewPage(m_printerDC.m_hDC, pDC->m_hDC, page.left, page.top);
        }
        m_printerDC.RestoreDC(saved);
    }
    info.m_nCurPage = m_nCurrentPage;
    info.m_bContinuePrinting = TRUE;
}

BOOL CPreviewView::OnEraseBkgnd(CDC*) { return TRUE; }

void CPreviewView::OnNextPage()
{
    // Two pages side by side move on by one, until the last page shows.
    if (HasPage(m_nCurrentPage + ShownPages()))
        SetCurrentPage(m_nCurrentPage + 1);
}

void CPreviewView::OnPrevPage()
{
    if (m_nCurrentPage > 1)
        SetCurrentPage(m_nCurrentPage - 1);
}

void CPreviewView::OnZoomIn() { SetZoomState(ZOOM_IN); }

void CPreviewView::OnZoomOut() { SetZoomState(ZOOM_OUT); }

void CPreviewView::SetNumPages(UINT nPages)
{
    m_nPages = nPages == 2 ? 2 : 1;
    if (m_hWnd)
        Invalidate(TRUE);
}

void CPreviewView::OnNumPageChange() { SetNumPages(3 - m_nPages); }

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI) { pCmdUI->Enable(HasPage(m_nCurrentPage + ShownPages())); }

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nCurrentPage > m_pPreviewInfo->GetMinPage()); }

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState != ZOOM_IN); }

void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState != ZOOM_OUT); }

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI)
{
    // The button names what a press would show; a document of one page has no second to show.
    CString text;
    if (text.LoadString(m_nPages == 1 ? AFX_IDS_TWOPAGE : AFX_IDS_ONEPAGE))
        pCmdUI->SetText(text);
    pCmdUI->Enable(m_nZoomState == ZOOM_OUT && GetPageCount() != 1);
}

void CPreviewView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_NEXT: OnNextPage(); break;
    case VK_PRIOR: OnPrevPage(); break;
    case VK_ESCAPE: OnPreviewClose(); break;
    default: CView::OnKeyDown(nChar, nRepCnt, nFlags); break;
    }
}

void CPreviewView::OnPreviewPrint()
{
    CFrameWnd* frame = GetParentFrame();
    OnPreviewClose();
    // The printed view is the frame's active view again, where the print command goes.
    if (frame)
        frame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::OnPreviewClose()
{
    CFrameWnd* frame = GetParentFrame();
    CView* printView = m_pPrintView;
    printView->OnEndPrinting(&m_printerDC, m_pPreviewInfo.get());
    // The bar goes before the frame lays itself out again with its own bars.
    m_pToolBar.reset();
    SetMainPaneShown(*m_pPreviewState, true);
    if (frame) {
        frame->OnSetPreviewMode(FALSE, m_pPreviewState.get());
        frame->SetActiveView(m_pPreviewState->pViewActiveOld, FALSE);
    }
    const std::unique_ptr<CPrintInfo> info = std::move(m_pPreviewInfo);
    // The view goes with its window (PostNcDestroy); nothing of it is touched after.
    DestroyWindow();
    printView->OnEndPrintPreview(nullptr, info.get(), POINT {}, nullptr);
}
