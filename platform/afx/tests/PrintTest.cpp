#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CDialogBar.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CPreviewView.h"
#include "platform/afx/CPrintInfo.h"
#include "platform/afx/CSingleDocTemplate.h"
#include "platform/afx/CView.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/tests/PdfPages.h"
#include "platform/afx/tests/PreviewLayout.h"
#include "platform/shell/ChooserWindow.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"

using platform::user::TestScreen;

namespace {

// How the view's rows are sized against the page, set by each test.
struct Layout {
    int rows { 100 };
    // A row's height as a fraction of the page's: 40 rows fit a page, or (oversized) none does.
    int rowsPerPage { 40 };
    bool oversized { false };
};
Layout g_layout;

class CPrintDoc : public CDocument {
    DECLARE_DYNCREATE(CPrintDoc)
};
IMPLEMENT_DYNCREATE(CPrintDoc, CDocument)

// A list laid out page by page as the toolkit's view forms do it: the pages are found by stepping
// from row to row (NextPage), the preview counts them that way, and a page always takes at least one
// row, so rows taller than a page still end.
class CRowsView : public CView {
    DECLARE_DYNCREATE(CRowsView)
public:
    void OnDraw(CDC*) override { }
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override { return DoPreparePrinting(pInfo); }
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override
    {
        if (!pDC->IsPrinting())
            CView::OnPrepareDC(pDC, pInfo);
    }
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override
    {
        const int page = pDC->GetDeviceCaps(VERTRES);
        m_rowHeight = g_layout.oversized ? page * 2 : page / g_layout.rowsPerPage;
        m_pageHeight = page;
        m_top = 0;
        if (pInfo->m_bPreview) {
            UINT pages = 1;
            while (NextPage())
                ++pages;
            pInfo->SetMaxPage(pages);
            m_top = 0;
        }
        ++begun;
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        if (pInfo->m_bPreview)
            GotoPage(pInfo->m_nCurPage);
        // Each row a black bar across the left half of the page.
        const int last = std::min(g_layout.rows, m_top + RowsOnPage());
        for (int row = m_top; row < last; ++row) {
            const int y = (row - m_top) * m_rowHeight;
            pDC->FillSolidRect(0, y, pInfo->m_rectDraw.Width() / 2, std::min(m_rowHeight, m_pageHeight) - 4, RGB(0, 0, 0));
        }
        printedPages.push_back(pInfo->m_nCurPage);
        if (!pInfo->m_bPreview)
            pInfo->m_bContinuePrinting = NextPage();
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { ++ended; }

    int begun { 0 };
    int ended { 0 };
    std::vector<UINT> printedPages;

    DECLARE_MESSAGE_MAP()

private:
    int RowsOnPage() const { return std::max(1, m_pageHeight / std::max(1, m_rowHeight)); }
    bool NextPage()
    {
        m_top += RowsOnPage();
        return m_top < g_layout.rows;
    }
    void GotoPage(UINT page)
    {
        m_top = 0;
        for (UINT i = 1; i < page && NextPage(); ++i) { }
    }

    int m_top { 0 };
    int m_rowHeight { 1 };
    int m_pageHeight { 1 };
};
IMPLEMENT_DYNCREATE(CRowsView, CView)
BEGIN_MESSAGE_MAP(CRowsView, CView)
ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

int PdfPageCount(const std::string& path) { return afx_test::PdfFile(path).PageCount(); }

// Answers the print dialog with a file name once it shows.
void ChooseFile(const std::string& name)
{
    platform::SetChooserShownHook([name](HWND) {
        for (char c : name) {
            platform::user::InjectKey(std::toupper(static_cast<unsigned char>(c)), true);
            platform::user::InjectKey(std::toupper(static_cast<unsigned char>(c)), false);
        }
        platform::user::InjectKey(VK_RETURN, true);
        platform::user::InjectKey(VK_RETURN, false);
    });
}

class ViewPrinting : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_layout = Layout {};
        app.AddDocTemplate(new CSingleDocTemplate(0, RUNTIME_CLASS(CPrintDoc), RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CRowsView)));
        app.OnFileNew();
        screen.pump();
    }
    void TearDown() override
    {
        platform::SetChooserShownHook(nullptr);
        if (app.m_pMainWnd)
            app.m_pMainWnd->DestroyWindow();
        screen.pump();
    }

    CFrameWnd* Frame() const { return static_cast<CFrameWnd*>(app.m_pMainWnd); }
    CRowsView* RowsView() const { return static_cast<CRowsView*>(Frame()->GetActiveView()); }
    void Command(UINT id)
    {
        Frame()->SendMessage(WM_COMMAND, id);
        screen.pump();
    }
    // The idle time after a command, which updates the bars' buttons.
    void Idle()
    {
        for (LONG count = 0; app.OnIdle(count); ++count) { }
        screen.pump();
    }
    // Clicks a button of the preview's bar as a person would.
    void ClickBarButton(HWND bar, UINT id)
    {
        CRect button;
        ::GetWindowRect(::GetDlgItem(bar, static_cast<int>(id)), &button);
        screen.click(button.CenterPoint().x, button.CenterPoint().y);
        Idle();
    }

    TestScreen screen { 640, 480 };
    CWinApp app { "Printing" };
};

} // namespace

TEST_F(ViewPrinting, PagesFollowTheViewUntilItSaysStop)
{
    struct Case {
        const char* file;
        Layout layout;
        int pages;
    } cases[] = {
        { "hundred", { 100, 40, false }, 3 },
        { "exact", { 80, 40, false }, 2 },
        // No row fits a page: one row per page, and the job still ends.
        { "tall", { 3, 40, true }, 3 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        g_layout = c.layout;
        ChooseFile(c.file);
        CRowsView* view = RowsView();
        view->printedPages.clear();
        Command(ID_FILE_PRINT);
        EXPECT_EQ(PdfPageCount(std::string(c.file) + ".pdf"), c.pages);
        EXPECT_EQ(view->printedPages.size(), static_cast<size_t>(c.pages));
        EXPECT_EQ(view->begun, view->ended);
    }

    // The first page of the hundred rows, as printed: black bars over the left half, 40 of them down
    // the page; nothing on the right.
    afx_test::PdfFile pdf("hundred.pdf");
    ASSERT_TRUE(pdf.Render(0, 1.0));
    EXPECT_EQ(pdf.PixelAt(0.25, 0.5 / 40), RGB(0, 0, 0));
    EXPECT_EQ(pdf.PixelAt(0.25, 39.4 / 40), RGB(0, 0, 0));
    EXPECT_EQ(pdf.PixelAt(0.75, 0.5 / 40), RGB(255, 255, 255));
    ASSERT_TRUE(pdf.Render(2, 1.0));
    // The last page's 20 rows fill its upper half only.
    EXPECT_EQ(pdf.PixelAt(0.25, 19.4 / 40), RGB(0, 0, 0));
    EXPECT_EQ(pdf.PixelAt(0.25, 30.5 / 40), RGB(255, 255, 255));
}

TEST_F(ViewPrinting, ACancelledDialogPrintsNothingAndARangeIsKept)
{
    platform::SetChooserShownHook([](HWND) {
        platform::user::InjectKey(VK_ESCAPE, true);
        platform::user::InjectKey(VK_ESCAPE, false);
    });
    Command(ID_FILE_PRINT);
    EXPECT_EQ(RowsView()->begun, 0);
    EXPECT_FALSE(std::filesystem::exists("document.pdf"));

    // A range the program asks for: only those pages, even from a view that would go on.
    class CRangeView : public CRowsView {
    public:
        BOOL OnPreparePrinting(CPrintInfo* pInfo) override
        {
            pInfo->m_pPD->m_pd.Flags |= PD_PAGENUMS;
            pInfo->m_pPD->m_pd.nFromPage = 2;
            pInfo->m_pPD->m_pd.nToPage = 2;
            pInfo->SetMaxPage(3);
            return DoPreparePrinting(pInfo);
        }
        void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
        {
            CRowsView::OnPrint(pDC, pInfo);
            pInfo->m_bContinuePrinting = TRUE;
        }
    };
    auto* ranged = new CRangeView;
    ASSERT_TRUE(ranged->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 50, 50), Frame(), 77));
    ChooseFile("ranged");
    ranged->OnFilePrint();
    EXPECT_EQ(PdfPageCount("ranged.pdf"), 1);
    EXPECT_EQ(ranged->printedPages, (std::vector<UINT> { 2 }));
    ranged->DestroyWindow();
}

TEST_F(ViewPrinting, PrintSetupChoosesTheFileThePrintDialogOffers)
{
    ChooseFile("chosen");
    Command(ID_FILE_PRINT_SETUP);
    // A cancelled set-up keeps the earlier choice.
    platform::SetChooserShownHook([](HWND) {
        platform::user::InjectKey(VK_ESCAPE, true);
        platform::user::InjectKey(VK_ESCAPE, false);
    });
    Command(ID_FILE_PRINT_SETUP);
    EXPECT_FALSE(std::filesystem::exists("chosen.pdf"));

    // The print dialog offers the chosen file: accepting its offer prints there.
    platform::SetChooserShownHook([](HWND) {
        platform::user::InjectKey(VK_RETURN, true);
        platform::user::InjectKey(VK_RETURN, false);
    });
    Command(ID_FILE_PRINT);
    EXPECT_EQ(PdfPageCount("chosen.pdf"), 3);
    EXPECT_FALSE(std::filesystem::exists("document.pdf"));
}

TEST_F(ViewPrinting, PreviewCountsPagesNavigatesAndDrawsThePageOnTheScreen)
{
    CRowsView* view = RowsView();
    Command(ID_FILE_PRINT_PREVIEW);
    auto* preview = dynamic_cast<CPreviewView*>(Frame()->GetActiveView());
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(view->IsWindowVisible());
    EXPECT_EQ(preview->GetPrintInfo()->GetMaxPage(), 3u);
    EXPECT_EQ(preview->GetCurrentPage(), 1u);

    // The page: white with the rows as black bars over its left half, on the grey background.
    CRect page = preview->GetPageRect();
    preview->ClientToScreen(&page);
    EXPECT_EQ(screen.pixel(page.left + 4, page.top + 2), RGB(0, 0, 0));
    EXPECT_EQ(screen.pixel(page.left + page.Width() * 3 / 4, page.top + 2), RGB(255, 255, 255));
    EXPECT_EQ(screen.pixel(page.left - 4, page.top + 2), GetSysColor(COLOR_APPWORKSPACE));
    // The last page holds 20 rows: its lower half is empty.
    preview->SetFocus();
    screen.key(VK_NEXT);
    screen.key(VK_NEXT);
    EXPECT_EQ(preview->GetCurrentPage(), 3u);
    EXPECT_EQ(screen.pixel(page.left + 4, page.top + 2), RGB(0, 0, 0));
    EXPECT_EQ(screen.pixel(page.left + 4, page.top + page.Height() * 3 / 4), RGB(255, 255, 255));
    screen.key(VK_NEXT);
    EXPECT_EQ(preview->GetCurrentPage(), 3u);
    screen.key(VK_PRIOR);
    EXPECT_EQ(preview->GetCurrentPage(), 2u);

    Command(AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_GT(preview->GetPageRect().Height(), page.Height());

    screen.key(VK_ESCAPE);
    EXPECT_EQ(Frame()->GetActiveView(), view);
    EXPECT_TRUE(view->IsWindowVisible());
    EXPECT_EQ(view->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(view->begun, 1);
    EXPECT_EQ(view->ended, 1);
}

TEST_F(ViewPrinting, AnEmptyDocumentPreviewsOnePage)
{
    g_layout.rows = 0;
    Command(ID_FILE_PRINT_PREVIEW);
    auto* preview = dynamic_cast<CPreviewView*>(Frame()->GetActiveView());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetPageCount(), 1u);
    preview->OnNextPage();
    EXPECT_EQ(preview->GetCurrentPage(), 1u);
    preview->OnPreviewClose();
    screen.pump();
}

TEST_F(ViewPrinting, ThePreviewsBarCarriesItsCommandsAndGoesWithThePreview)
{
    // Wide enough for the whole row of buttons.
    Frame()->MoveWindow(0, 0, 640, 480);
    screen.pump();
    CRowsView* view = RowsView();
    CRect viewBefore;
    view->GetWindowRect(&viewBefore);
    Command(ID_FILE_PRINT_PREVIEW);
    auto* preview = dynamic_cast<CPreviewView*>(Frame()->GetActiveView());
    ASSERT_NE(preview, nullptr);
    CDialogBar* bar = preview->GetToolBar();
    ASSERT_NE(bar, nullptr);
    const HWND barWnd = bar->m_hWnd;
    EXPECT_EQ(Frame()->GetControlBar(AFX_IDW_PREVIEW_BAR), bar);
    EXPECT_TRUE(::IsWindowVisible(barWnd));

    // Across the top of the frame's client area, the pages below it.
    const afxtest::PreviewLayout layout = afxtest::MeasurePreview(*Frame(), *preview);
    EXPECT_EQ(layout.bar.TopLeft(), layout.client.TopLeft());
    EXPECT_EQ(layout.bar.Width(), layout.client.Width());
    EXPECT_GT(layout.bar.Height(), 0);
    EXPECT_EQ(layout.pages.top, layout.bar.bottom);
    EXPECT_EQ(layout.pages.bottom, layout.client.bottom);

    // A classic print preview: the grey button row over the grey background and the white page.
    EXPECT_EQ(screen.compareWithGolden(layout.client, TS_AFX_GOLDEN_DIR "/PrintPreview.png"), "");

    auto enabled = [&](UINT id) { return ::IsWindowEnabled(::GetDlgItem(barWnd, static_cast<int>(id))) != FALSE; };
    auto text = [&](UINT id) {
        char buffer[64] {};
        ::GetWindowText(::GetDlgItem(barWnd, static_cast<int>(id)), buffer, sizeof buffer);
        return std::string(buffer);
    };
    struct State {
        UINT page;
        bool prev, next, zoomIn, zoomOut;
    };
    auto expectState = [&](const State& want) {
        EXPECT_EQ(preview->GetCurrentPage(), want.page);
        EXPECT_EQ(enabled(AFX_ID_PREVIEW_PREV), want.prev);
        EXPECT_EQ(enabled(AFX_ID_PREVIEW_NEXT), want.next);
        EXPECT_EQ(enabled(AFX_ID_PREVIEW_ZOOMIN), want.zoomIn);
        EXPECT_EQ(enabled(AFX_ID_PREVIEW_ZOOMOUT), want.zoomOut);
        EXPECT_TRUE(enabled(AFX_ID_PREVIEW_PRINT));
        EXPECT_TRUE(enabled(AFX_ID_PREVIEW_CLOSE));
    };
    // Enabled as the first page allows from the start, not only after the first idle time.
    expectState({ 1, false, true, true, false });
    EXPECT_EQ(text(AFX_ID_PREVIEW_NUMPAGE), "&Two Page");
    // Idle time that changes nothing repaints no button (the named one included): no flicker.
    Idle();
    for (LONG count = 0; app.OnIdle(count); ++count) { }
    for (UINT id = AFX_ID_PREVIEW_CLOSE; id <= AFX_ID_PREVIEW_ZOOMOUT; ++id)
        EXPECT_FALSE(::GetUpdateRect(::GetDlgItem(barWnd, static_cast<int>(id)), nullptr, FALSE)) << id;

    // Each click, and the buttons' state idle time leaves after it, along the three pages.
    const struct {
        UINT button;
        State after;
    } clicks[] = {
        { AFX_ID_PREVIEW_NEXT, { 2, true, true, true, false } },
        { AFX_ID_PREVIEW_NEXT, { 3, true, false, true, false } },
        { AFX_ID_PREVIEW_PREV, { 2, true, true, true, false } },
        { AFX_ID_PREVIEW_ZOOMIN, { 2, true, true, false, true } },
        { AFX_ID_PREVIEW_ZOOMOUT, { 2, true, true, true, false } },
    };
    for (const auto& c : clicks) {
        SCOPED_TRACE(text(c.button));
        ClickBarButton(barWnd, c.button);
        expectState(c.after);
    }
    // A zoomed-in preview shows one page: no two-page choice then.
    Command(AFX_ID_PREVIEW_ZOOMIN);
    Idle();
    EXPECT_FALSE(enabled(AFX_ID_PREVIEW_NUMPAGE));
    Command(AFX_ID_PREVIEW_ZOOMOUT);
    Idle();
    EXPECT_TRUE(enabled(AFX_ID_PREVIEW_NUMPAGE));

    // Two pages side by side, the second's rows on the right; the button now offers one page, and
    // with the last page on the right there is no next.
    ClickBarButton(barWnd, AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(preview->GetNumPages(), 2u);
    EXPECT_EQ(text(AFX_ID_PREVIEW_NUMPAGE), "&One Page");
    expectState({ 2, true, false, true, false });
    CRect left = preview->GetPageRect(0);
    CRect right = preview->GetPageRect(1);
    EXPECT_LT(left.right, right.left);
    EXPECT_EQ(left.top, right.top);
    preview->ClientToScreen(&right);
    EXPECT_EQ(screen.pixel(right.left + 4, right.top + 2), RGB(0, 0, 0));
    EXPECT_EQ(screen.pixel(right.left + 4, right.top + right.Height() * 3 / 4), RGB(255, 255, 255));

    // Close gives the frame back as it was: no bar, the view where it stood.
    ClickBarButton(barWnd, AFX_ID_PREVIEW_CLOSE);
    EXPECT_FALSE(::IsWindow(barWnd));
    EXPECT_EQ(Frame()->GetControlBar(AFX_IDW_PREVIEW_BAR), nullptr);
    EXPECT_EQ(Frame()->GetActiveView(), view);
    CRect viewAfter;
    view->GetWindowRect(&viewAfter);
    EXPECT_EQ(viewAfter, viewBefore);
    EXPECT_EQ(view->begun, view->ended);
}
