// The view forms of the list and the tree: printing page by page, print preview, the screen state
// given back after a job, and the tree's own messages reaching the tree view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/CDocument.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CPreviewView.h"
#include "platform/afx/CPrintDialog.h"
#include "platform/afx/CPrintInfo.h"
#include "platform/afx/CSingleDocTemplate.h"
#include "platform/afx/CWinApp.h"
#include "platform/user/TestScreen.h"
#include "toolkit/controls/SECTreeCtrl.h"
#include "toolkit/controls/SECTreeView.h"

namespace {

using platform::user::TestScreen;

constexpr int kRowsPerPage = 40;

// A list view whose rows each take a fortieth of the printed page, and which notes the first row of
// every page it draws.
class PagedListView : public SECListView {
public:
    BOOL MeasureCell(SECListPaintContext* pContext, int& cy) override
    {
        const BOOL bMeasured = SECListView::MeasureCell(pContext, cy);
        if (IsPrintingList()) {
            CRect area;
            GetItemArea(area);
            cy = bOversized ? area.Height() * 2 : area.Height() / kRowsPerPage;
        }
        return bMeasured;
    }
    void OnDraw(CDC* pDC) override
    {
        pageTops.push_back(GetTopIndex());
        SECListView::OnDraw(pDC);
    }
    CString ItemFontFace()
    {
        LOGFONT lf {};
        ::GetObject(GetItemFont(), sizeof(lf), &lf);
        return lf.lfFaceName;
    }
    std::vector<int> pageTops;
    bool bOversized { false };
};

// The same list as the view of a document in a frame, filled when the frame first shows it.
class FramedListView : public PagedListView {
    DECLARE_DYNCREATE(FramedListView)
public:
    void OnInitialUpdate() override
    {
        SECListView::OnInitialUpdate();
        AddColumn("Title", LVCFMT_LEFT, 200);
        for (int n = 0; n < 100; ++n)
            InsertItem(n, ("row " + std::to_string(n)).c_str());
    }
};
IMPLEMENT_DYNCREATE(FramedListView, SECListView)

class ListDoc : public CDocument {
    DECLARE_DYNCREATE(ListDoc)
};
IMPLEMENT_DYNCREATE(ListDoc, CDocument)

class ListViewPrinting : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
        // A view deletes itself when its window goes.
        view = new PagedListView;
        ASSERT_TRUE(view->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER, 0, CRect(0, 0, 300, 200),
            &owner, 5));
        view->AddColumn("Title", LVCFMT_LEFT, 200);
        for (int n = 0; n < 100; ++n)
            view->InsertItem(n, ("row " + std::to_string(n)).c_str());
        screen.pump();
    }
    void TearDown() override
    {
        owner.DestroyWindow();
        screen.pump();
    }
    // Runs a job as the class library does for the printer (or the preview's pages), on the default
    // printer's device context; the pages it asked for.
    int Print(BOOL bPreview, UINT nOnlyPage = 0)
    {
        CPrintInfo info;
        info.m_bPreview = bPreview;
        info.m_bDirect = TRUE;
        EXPECT_TRUE(view->OnPreparePrinting(&info));
        EXPECT_TRUE(info.m_pPD->m_pd.Flags & PD_NOPAGENUMS);
        CDC dc;
        dc.Attach(info.m_pPD->m_pd.hDC);
        dc.m_bPrinting = TRUE;
        view->OnBeginPrinting(&dc, &info);
        maxPage = info.GetMaxPage();
        int nPages = 0;
        for (info.m_nCurPage = nOnlyPage ? nOnlyPage : 1; info.m_bContinuePrinting; ++info.m_nCurPage) {
            view->OnPrepareDC(&dc, &info);
            info.m_rectDraw.SetRect(0, 0, 1, 1);
            view->OnPrint(&dc, &info);
            ++nPages;
            if (nOnlyPage || (bPreview && info.m_nCurPage >= info.GetMaxPage()))
                break;
        }
        view->OnEndPrinting(&dc, &info);
        return nPages;
    }

    TestScreen screen { 640, 480 };
    CWnd owner;
    PagedListView* view { nullptr };
    UINT maxPage { 0 };
};

} // namespace

TEST_F(ListViewPrinting, PagesAreCutAtWholeRowsAndTheScreenComesBack)
{
    CFont screenFont;
    ASSERT_TRUE(screenFont.CreatePointFont(90, "DejaVu Sans"));
    view->SetItemFont(static_cast<HFONT>(screenFont.GetSafeHandle()));
    view->SetTopIndex(7);
    const int nScreenTop = view->GetTopIndex();
    const int nScreenWidth = view->GetColumnWidth(0);
    EXPECT_EQ(Print(FALSE), 3);
    EXPECT_EQ(view->pageTops, (std::vector<int> { 0, 40, 80 }));
    EXPECT_FALSE(view->IsPrintingList());
    EXPECT_EQ(view->GetTopIndex(), nScreenTop);
    EXPECT_EQ(view->GetItemFont(), static_cast<HFONT>(screenFont.GetSafeHandle()));
    EXPECT_EQ(view->GetColumnWidth(0), nScreenWidth);
}

TEST_F(ListViewPrinting, PreviewCountsThePagesAndLaysAPageOutFromTheFirstRow)
{
    EXPECT_EQ(Print(TRUE, 3), 1);
    EXPECT_EQ(maxPage, 3U);
    EXPECT_EQ(view->pageTops, (std::vector<int> { 80 }));
    // Going back to the first page starts from the first row again.
    view->pageTops.clear();
    EXPECT_EQ(Print(TRUE, 1), 1);
    EXPECT_EQ(view->pageTops, (std::vector<int> { 0 }));
}

TEST_F(ListViewPrinting, RowsTallerThanAPageStillEndTheJob)
{
    view->DeleteAllItems();
    for (int n = 0; n < 3; ++n)
        view->InsertItem(n, "tall");
    view->bOversized = true;
    EXPECT_EQ(Print(FALSE), 3);
    EXPECT_EQ(view->pageTops, (std::vector<int> { 0, 1, 2 }));
    EXPECT_EQ(Print(TRUE, 2), 1);
    EXPECT_EQ(maxPage, 3U);
}

TEST_F(ListViewPrinting, AListWithoutFontsPrintsInTheFallbackFace)
{
    struct Probe : PagedListView {
        void OnDraw(CDC* pDC) override
        {
            faces.push_back(ItemFontFace());
            PagedListView::OnDraw(pDC);
        }
        std::vector<CString> faces;
    };
    owner.DestroyWindow();
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    auto* probe = new Probe;
    view = probe;
    ASSERT_TRUE(view->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, CRect(0, 0, 300, 200), &owner, 5));
    view->AddColumn("Title", LVCFMT_LEFT, 200);
    view->InsertItem(0, "only");
    EXPECT_EQ(Print(FALSE), 1);
    ASSERT_EQ(probe->faces.size(), 1U);
    EXPECT_EQ(probe->faces[0], CString("Times New Roman"));
}

TEST(ListViewInAFrame, PreviewsThroughTheFramesCommandAndGivesTheScreenBack)
{
    TestScreen screen { 640, 480 };
    CWinApp app { "ListView" };
    app.AddDocTemplate(new CSingleDocTemplate(0, RUNTIME_CLASS(ListDoc), RUNTIME_CLASS(CFrameWnd),
        RUNTIME_CLASS(FramedListView)));
    app.OnFileNew();
    screen.pump();
    auto* frame = static_cast<CFrameWnd*>(app.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    auto* view = dynamic_cast<FramedListView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->GetItemCount(), 100);
    // The frame's creation context made the view one of its document's.
    EXPECT_NE(view->GetDocument(), nullptr);
    view->SetTopIndex(5);
    frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    screen.pump();
    auto* preview = dynamic_cast<CPreviewView*>(frame->GetActiveView());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetPrintInfo()->GetMaxPage(), 3U);
    preview->SetFocus();
    screen.key(VK_NEXT);
    screen.key(VK_NEXT);
    EXPECT_EQ(preview->GetCurrentPage(), 3U);
    ASSERT_FALSE(view->pageTops.empty());
    EXPECT_EQ(view->pageTops.back(), 80);
    screen.key(VK_ESCAPE);
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_EQ(view->GetTopIndex(), 5);
    EXPECT_FALSE(view->IsPrintingList());
    frame->DestroyWindow();
    screen.pump();
}

TEST(TreeView, IsAViewAndTakesTheTreesOwnMessages)
{
    TestScreen screen { 640, 480 };
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 220, 200), nullptr, 0));
    CObject* pObject = RUNTIME_CLASS(SECTreeView)->CreateObject();
    auto* view = dynamic_cast<SECTreeView*>(pObject);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(CView)));
    ASSERT_TRUE(view->Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0,
        CRect(0, 0, 220, 200), &owner, 9));
    const HTREEITEM music = view->InsertItem("Music");
    view->InsertItem("Rock", music);
    view->InsertItem("Podcasts");
    screen.pump();
    CRect label;
    ASSERT_TRUE(view->GetItemRect(0, label, LVIR_LABEL));
    // The button toggles through the tree's own click handling; typing "+" searches nothing.
    screen.click(8, label.CenterPoint().y);
    EXPECT_EQ(view->GetItemCount(), 3);
    EXPECT_EQ(view->GetItemText(view->ItemOfRow(1)), CString("Rock"));
    screen.click(8, label.CenterPoint().y);
    EXPECT_EQ(view->GetItemCount(), 2);
    owner.DestroyWindow();
    screen.pump();
}

TEST(TreeView, PaintsAsTheTreeControlDoes)
{
    TestScreen screen { 480, 200 };
    CWnd left;
    CWnd right;
    ASSERT_TRUE(left.CreateEx(0, nullptr, "left", WS_POPUP | WS_VISIBLE, CRect(0, 0, 220, 200), nullptr, 0));
    ASSERT_TRUE(right.CreateEx(0, nullptr, "right", WS_POPUP | WS_VISIBLE, CRect(240, 0, 460, 200), nullptr, 0));
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
    SECTreeCtrl control;
    ASSERT_TRUE(control.Create(dwStyle, 0, CRect(0, 0, 220, 200), &left, 9));
    auto* view = new SECTreeView;
    ASSERT_TRUE(view->Create(dwStyle, 0, CRect(0, 0, 220, 200), &right, 9));
    const auto fill = [](auto& tree) {
        const HTREEITEM music = tree.InsertItem("Music");
        tree.InsertItem("Rock", music);
        tree.InsertItem("Jazz", music);
        tree.InsertItem("Podcasts");
        tree.Expand(music, TVE_EXPAND);
        tree.SelectItem(music);
    };
    fill(control);
    fill(*view);
    screen.pump();
    int nDiffering = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 220; ++x)
            nDiffering += screen.pixel(x, y) != screen.pixel(240 + x, y);
    EXPECT_EQ(nDiffering, 0);
    left.DestroyWindow();
    right.DestroyWindow();
    screen.pump();
}
