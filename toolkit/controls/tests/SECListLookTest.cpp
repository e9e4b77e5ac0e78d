// How the list looks, and that a list of many owner-data rows only ever asks for the rows it shows.
#include "platform/afx/CBitmap.h"
#include "platform/afx/CBrush.h"
#include "platform/afx/CClientDC.h"
#include "toolkit/controls/tests/ListTestSupport.h"

using namespace listtest;

namespace {

// Three 16x16 images: a red disc, a green square and a blue diamond-ish box, each on the mask colour.
void MakeIcons(CImageList& images, CWnd& wnd)
{
    constexpr COLORREF kMask = RGB(255, 0, 255);
    ASSERT_TRUE(images.Create(16, 16, ILC_MASK, 0, 3));
    CClientDC screen(&wnd);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    CBitmap strip;
    ASSERT_TRUE(strip.CreateCompatibleBitmap(&screen, 48, 16));
    CBitmap* pOld = dc.SelectObject(&strip);
    dc.FillSolidRect(0, 0, 48, 16, kMask);
    const COLORREF colours[] = { RGB(200, 0, 0), RGB(0, 150, 0), RGB(0, 0, 200) };
    for (int i = 0; i < 3; ++i) {
        CBrush brush(colours[i]);
        CBrush* pOldBrush = dc.SelectObject(&brush);
        if (i == 0)
            dc.Ellipse(16 * i + 1, 1, 16 * i + 15, 15);
        else
            dc.Rectangle(16 * i + 2 + i, 2 + i, 16 * i + 14 - i, 14 - i);
        dc.SelectObject(pOldBrush);
    }
    dc.SelectObject(pOld);
    ASSERT_GE(images.Add(&strip, kMask), 0);
}

TEST(ListLook, ReportWithIconsSelectionAndFocus)
{
    TestScreen screen { 320, 200 };
    Owner owner;
    ProbeList list;
    CreateOwned(owner, list, CRect(0, 0, 260, 150), LVS_REPORT | LVS_NOLABELWRAP | LVS_SHOWSELALWAYS,
        LVXS_FULLROWSELECT | LVXS_VERTGRIDLINES);
    CImageList images;
    MakeIcons(images, list);
    // The list keeps a copy of its own; the caller's list stays the caller's.
    EXPECT_EQ(list.SetImageList(&images, LVSIL_SMALL), nullptr);
    ASSERT_NE(list.GetImageList(LVSIL_SMALL), nullptr);
    EXPECT_NE(list.GetImageList(LVSIL_SMALL), &images);
    list.InsertColumn(0, "Title", LVCFMT_LEFT, 130);
    list.AddColumn("Year", LVCFMT_RIGHT, 50);
    list.AddColumn("Artist", LVCFMT_LEFT, 70);
    const char* titles[] = { "Alpha", "Bravo and the very long title", "Charlie", "Delta", "Echo" };
    const char* years[] = { "1999", "2004", "1987", "2011", "1975" };
    for (int i = 0; i < 5; ++i) {
        list.InsertItem(i, titles[i], i % 3);
        list.SetItem(i, 1, LVIF_TEXT | LVIF_DI_SETITEM, years[i], 0, 0, 0, 0);
    }
    // The third column's cells come from the owner.
    list.RecalcLayout();
    list.SetFocus();
    list.DeselectAll(-1);
    list.SetCaret(1, TRUE);
    list.SelectItem(3, TRUE);
    list.SetCaret(3, TRUE);
    list.SelectItem(1, TRUE);
    screen.pump();
    EXPECT_EQ(screen.compareWithGolden(CRect(0, 0, 260, 150), GoldenPath("ListReportIcons.png")), "");
    owner.DestroyWindow();
    screen.pump();
}

TEST(ListOwnerData, ScrollingAHundredThousandRowsAsksOnlyForTheRowsShown)
{
    TestScreen screen { 320, 200 };
    Owner owner;
    ProbeList list;
    CreateOwned(owner, list, CRect(0, 0, 240, 140), LVS_REPORT | LVS_NOLABELWRAP);
    list.InsertColumn(0, "Title", LVCFMT_LEFT, 120);
    list.AddColumn("Artist", LVCFMT_LEFT, 100);
    for (int i = 0; i < 100000; ++i)
        list.InsertItem(i, LPSTR_TEXTCALLBACK);
    list.RecalcLayout();
    screen.pump();
    const int nPerPage = list.GetCountPerPage();
    ASSERT_GT(nPerPage, 3);
    const auto askedOnlyFrom = [&](int nTop) {
        ASSERT_FALSE(owner.asked.empty());
        EXPECT_GE(*owner.asked.begin(), nTop - 1); // the row above may be measured to see if it fits
        EXPECT_LE(*owner.asked.rbegin(), nTop + nPerPage + 1);
    };
    owner.asked.clear();
    list.SetTopIndex(50000);
    screen.pump();
    askedOnlyFrom(50000);
    owner.asked.clear();
    list.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    screen.pump();
    EXPECT_GT(list.GetTopIndex(), 50000);
    askedOnlyFrom(list.GetTopIndex());
    owner.asked.clear();
    list.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    screen.pump();
    EXPECT_EQ(list.GetLastFullyVisible(nullptr), 99999);
    askedOnlyFrom(list.GetTopIndex());
    // The thumb dragged to the bottom reaches rows past what 16 bits can count.
    CRect bar;
    ::GetWindowRect(::GetDlgItem(list.m_hWnd, SECListBaseC::vertScrollBarId), &bar);
    const int cyArrow = ::GetSystemMetrics(SM_CYVSCROLL);
    list.SetTopIndex(0);
    screen.pump();
    screen.drag(bar.CenterPoint().x, bar.top + cyArrow + 2, bar.CenterPoint().x, bar.bottom - 1);
    EXPECT_GT(list.GetTopIndex(), 99000);
    owner.asked.clear();
    list.Invalidate();
    screen.pump();
    askedOnlyFrom(list.GetTopIndex());
    owner.DestroyWindow();
    screen.pump();
}

} // namespace
