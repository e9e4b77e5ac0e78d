// A workbook with worksheets: the tabs' widths and outlines, hidden sheets, switching sheets by their
// tabs, shortened titles with their tooltips, and how the tab strip looks.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/afx/CWinApp.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/user/TestScreen.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECControlBarWorksheet.h"
#include "toolkit/frames/SECWorkbook.h"
#include "toolkit/frames/SECWorksheet.h"
#include "toolkit/frames/tests/FramesTestGeometry.h"

namespace {

class Workbook : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_workbook = new SECWorkbook;
        // A popup without borders: the MDI client is the frame less the tab strip's margins, 395 wide.
        ASSERT_TRUE(m_workbook->Create(nullptr, "Workbook", WS_POPUP | WS_VISIBLE, CRect(0, 0, 405, 260)));
        m_app.m_pMainWnd = m_workbook;
        m_workbook->ShowTabs(TRUE);
        m_screen.pump();
    }
    void TearDown() override
    {
        m_app.m_pMainWnd = nullptr;
        if (::IsWindow(m_workbook->m_hWnd))
            m_workbook->DestroyWindow();
        m_screen.pump();
    }
    SECWorksheet* AddSheet(const char* title)
    {
        auto* pSheet = new SECWorksheet;
        EXPECT_TRUE(pSheet->LoadFrame(0, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, m_workbook));
        pSheet->SetWindowText(title);
        m_screen.pump();
        return pSheet;
    }
    std::vector<POINT> Polygon(SECWorksheet* pSheet)
    {
        POINT points[SECWorkbook::kTabPoints];
        int nCount = 0;
        m_workbook->GetTabPolygon(pSheet, points, nCount);
        return std::vector<POINT>(points, points + nCount);
    }
    // Clicks the middle of the sheet's tab.
    void ClickTab(SECWorksheet* pSheet)
    {
        const std::vector<POINT> p = Polygon(pSheet);
        ASSERT_FALSE(p.empty());
        CPoint point((p[0].x + p[4].x) / 2, (p[0].y + p[2].y) / 2);
        m_workbook->ClientToScreen(&point);
        m_screen.click(point.x, point.y);
        m_screen.pump();
    }

    platform::user::TestScreen m_screen { 640, 480 };
    CWinApp m_app { "workbook" };
    SECWorkbook* m_workbook { nullptr };
};

} // namespace

TEST_F(Workbook, TabsShareTheClientsWidthUpToTheWidestAndHiddenSheetsTakeNoPlace)
{
    CRect rectClient;
    ::GetWindowRect(m_workbook->m_hWndMDIClient, &rectClient);
    ASSERT_EQ(rectClient.Width(), 395);

    std::vector<SECWorksheet*> sheets { AddSheet("One") };
    EXPECT_EQ(m_workbook->GetTabWidth(), 90);
    for (int i = 1; i < 10; ++i)
        sheets.push_back(AddSheet("Sheet"));
    EXPECT_EQ(m_workbook->GetTabWidth(), 40);

    // The inactive second tab: seven points from the client's bottom left, 40 wide, 23 high.
    m_workbook->MDIActivate(sheets[0]);
    m_screen.pump();
    ::ScreenToClient(m_workbook->m_hWnd, reinterpret_cast<POINT*>(&rectClient.left));
    ::ScreenToClient(m_workbook->m_hWnd, reinterpret_cast<POINT*>(&rectClient.right));
    const int L = rectClient.left;
    const int B = rectClient.bottom;
    const std::vector<POINT> expected { { L + 40, B + 1 }, { L + 40, B + 22 }, { L + 42, B + 24 }, { L + 78, B + 24 },
        { L + 80, B + 22 }, { L + 80, B + 1 }, { L + 40, B + 1 } };
    const std::vector<POINT> actual = Polygon(sheets[1]);
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(actual[i].x == expected[i].x && actual[i].y == expected[i].y) << i;
    // The active tab is wider to each side and taller.
    const std::vector<POINT> active = Polygon(sheets[0]);
    EXPECT_EQ(active[0].x, L - 2);
    EXPECT_EQ(active[3].x - active[2].x, 40 - 4 + 4);
    EXPECT_EQ(active[2].y, B + 26);

    // A hidden sheet has no tab, and the next one moves into its place.
    sheets[1]->ShowWindow(SW_HIDE);
    EXPECT_TRUE(Polygon(sheets[1]).empty());
    EXPECT_EQ(Polygon(sheets[2])[0].x, L + 40);

    // With no sheet left the tabs keep the widest width instead of dividing by none.
    for (SECWorksheet* pSheet : sheets)
        pSheet->MDIDestroy();
    m_screen.pump();
    EXPECT_EQ(m_workbook->GetSheetCount(), 0);
    m_workbook->RecalcLayout();
    EXPECT_EQ(m_workbook->GetTabWidth(), 90);
}

TEST_F(Workbook, ThreeSheetsSwitchByTheirTabsAndALongTitleIsShortenedWithATooltip)
{
    EXPECT_EQ(m_workbook->GetToolTip(), nullptr);
    SECWorksheet* pSales = AddSheet("Sales");
    // The workbook's own tooltip control comes with the first sheet, and only once.
    CToolTipCtrl* pToolTip = m_workbook->GetToolTip();
    ASSERT_NE(pToolTip, nullptr);
    char className[32] {};
    ::GetClassName(pToolTip->m_hWnd, className, sizeof className);
    EXPECT_STREQ(className, TOOLTIPS_CLASS);
    SECWorksheet* pCosts = AddSheet("Costs");
    SECWorksheet* pLong = AddSheet("Quarterly summary");
    EXPECT_EQ(m_workbook->GetToolTip(), pToolTip);
    EXPECT_EQ(m_workbook->MDIGetActive(), pLong);

    ClickTab(pSales);
    EXPECT_EQ(m_workbook->MDIGetActive(), pSales);
    ClickTab(pCosts);
    EXPECT_EQ(m_workbook->MDIGetActive(), pCosts);
    EXPECT_FALSE(pCosts->m_bPressed);

    // Only the title that does not fit gets a tooltip with the whole title.
    EXPECT_TRUE(m_workbook->TabLabelFits(pSales->m_nSheetIndex));
    EXPECT_FALSE(m_workbook->TabLabelFits(pLong->m_nSheetIndex));
    const std::vector<POINT> p = Polygon(pLong);
    TOOLINFO info;
    const CPoint inside((p[0].x + p[4].x) / 2, (p[0].y + p[2].y) / 2);
    EXPECT_EQ(m_workbook->OnToolHitTest(inside, &info), pLong->m_nSheetIndex + 1);
    EXPECT_STREQ(info.lpszText, "Quarterly summary");
    std::free(info.lpszText);
    const std::vector<POINT> ps = Polygon(pSales);
    EXPECT_EQ(m_workbook->OnToolHitTest(CPoint((ps[0].x + ps[4].x) / 2, (ps[0].y + ps[2].y) / 2), nullptr), -1);

    // The second sheet's tab in front, raised; the long title shortened.
    m_workbook->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    m_screen.pump();
    const std::string diff = m_screen.compareWithGolden({ 0, 180, 405, 260 }, Golden("workbook_tabs.png"));
    EXPECT_TRUE(diff.empty()) << diff;
}

TEST_F(Workbook, ABarFloatingInTheWorkbookGetsASheetWithATab)
{
    AddSheet("Sales");
    m_workbook->EnableDocking(CBRS_ALIGN_ANY);
    auto* pBar = new SECControlBar;
    pBar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pBar->Create(m_workbook, "Tools", WS_CHILD | WS_VISIBLE | CBRS_TOP, 0, 0xE840));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_workbook->DockControlBar(pBar);
    m_workbook->FloatControlBarInMDIChild(pBar, -1, -1);
    m_screen.pump();
    auto* pSheet = dynamic_cast<SECControlBarWorksheet*>(pBar->GetParentFrame());
    ASSERT_NE(pSheet, nullptr);
    EXPECT_EQ(m_workbook->GetSheetCount(), 2);
    EXPECT_EQ(pSheet->m_nSheetIndex, 1);
    // The idle title update gives it the system's icon, the bar having none.
    pSheet->OnUpdateFrameTitle(TRUE);
    EXPECT_NE(pSheet->m_hSheetIcon, nullptr);
    // Closing it only hides the bar.
    pSheet->SendMessage(WM_CLOSE);
    m_screen.pump();
    EXPECT_TRUE(::IsWindow(pSheet->m_hWnd));
    EXPECT_FALSE(pBar->IsWindowVisible());
}
