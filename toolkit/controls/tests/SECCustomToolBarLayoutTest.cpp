// How a custom toolbar breaks its buttons into rows: wrapping at a width (at the last separator when
// the row has one), evening the rows out, fitting a height, a docked column, and placing the rows.
// Buttons are 23 wide and separators 8 (images of 16 x 15).
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "toolkit/controls/SECCustomToolBar.h"

namespace {

// A bar without window whose items are given as letters: B a button, S a separator.
void Fill(SECCustomToolBar& bar, const std::string& items)
{
    for (char c : items)
        bar.InsertButton(bar.GetBtnCount(), c == 'S' ? 0 : 100, c == 'S', TRUE);
}

// Rows as "last index" (with "s" when a separator ended the row) and "/width".
std::string Describe(const SECCustomToolBar::Rows& rows)
{
    std::ostringstream out;
    for (const auto& row : rows)
        out << row.nLast << (row.bSeparator ? "s" : "") << "/" << row.nWidth << " ";
    return out.str();
}

TEST(ToolBarLayout, WrapsAtTheWidthPreferringTheLastSeparator)
{
    struct Case {
        const char* items;
        int nWidth;
        const char* rows;
    };
    const Case cases[] = {
        { "BBBBB", 70, "2/69 4/46 " },
        // The separator ends the row and counts in no row's width.
        { "BBSBB", 60, "2s/46 4/46 " },
        { "BSBBB", 50, "1s/23 3/46 4/23 " },
        // A separator that does not fit ends its row itself.
        { "BBSB", 46, "2s/46 3/23 " },
        // Buttons wider than the width stay one to a row.
        { "BBB", 10, "0/23 1/23 2/23 " },
    };
    for (const Case& c : cases) {
        SECCustomToolBar bar;
        Fill(bar, c.items);
        SECCustomToolBar::Rows rows;
        bar.WrapButtons(c.nWidth, rows);
        EXPECT_EQ(Describe(rows), c.rows) << c.items << " in " << c.nWidth;
    }
}

TEST(ToolBarLayout, WrappedSizesAreBalancedAndMarkTheirRows)
{
    struct Case {
        const char* items;
        int nLength;
        BOOL bFitHeight;
        const char* rows;
        CSize size;
    };
    const Case cases[] = {
        // Three and one become two and two.
        { "BBBB", 75, FALSE, "1/46 3/46 ", CSize(46, 44) },
        // A trailing group moves down when the row below stays narrower; rows broken at a separator
        // are 2/3 of a separator further apart.
        { "BBBSBSB", 110, FALSE, "3s/69 6/54 ", CSize(69, 49) },
        { "BBSBBBB", 100, FALSE, "2s/46 6/92 ", CSize(92, 49) },
        // Fitting a height of two rows.
        { "BBBBBB", 44, TRUE, "2/69 5/69 ", CSize(69, 44) },
        // A bar dragged flatter than a button keeps one row.
        { "BBB", 0, TRUE, "2/69 ", CSize(69, 22) },
    };
    for (const Case& c : cases) {
        SECCustomToolBar bar;
        Fill(bar, c.items);
        SECCustomToolBar::Rows rows;
        const CSize size = bar.CalcWrappedSize(c.nLength, c.bFitHeight, rows);
        EXPECT_EQ(Describe(rows), c.rows) << c.items;
        EXPECT_EQ(size, c.size) << c.items;
        for (int i = 0; i < bar.GetBtnCount(); ++i) {
            bool bRowEnd = false;
            for (size_t r = 0; r + 1 < rows.size(); ++r)
                bRowEnd = bRowEnd || rows[r].nLast == i;
            EXPECT_EQ(bar.GetBtn(i)->TestStyle(TBBS_WRAPPED), bRowEnd) << c.items << " button " << i;
        }
    }
}

TEST(ToolBarLayout, CommittedLayoutsPlaceRowsAndColumns)
{
    SECCustomToolBar bar;
    bar.m_dwStyle = CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC;
    Fill(bar, "BBBSBSB");
    CRect border(0, 0, 0, 0);
    bar.AdjustBorderRect(border, TRUE, TRUE);
    const int cxBorder = border.left - border.right;
    bar.CalcLayout(110 + cxBorder, LM_HORZ | LM_COMMIT);
    const SECStdBtn& first = *bar.GetBtn(0);
    EXPECT_EQ(bar.GetBtn(2)->m_x, first.m_x + 46);
    EXPECT_EQ(bar.GetBtn(4)->m_x, first.m_x) << "the moved group starts the second row";
    EXPECT_EQ(bar.GetBtn(4)->m_y, first.m_y + 22 + 5);

    // Docked at a side (length 0): one column; each separator ends a row, undrawn.
    bar.CalcLayout(0, LM_VERTDOCK | LM_COMMIT);
    EXPECT_TRUE(bar.IsVertical());
    for (int i = 1; i < bar.GetBtnCount(); ++i)
        if (!bar.GetBtn(i)->TestStyle(TBBS_SEPARATOR))
            EXPECT_EQ(bar.GetBtn(i)->m_x, first.m_x) << i;
        else
            EXPECT_TRUE(bar.GetBtn(i)->TestStyle(TBBS_WRAPPED)) << i;
    EXPECT_EQ(bar.GetBtn(1)->m_y, first.m_y + 22);

    // Hidden buttons leave no gap.
    bar.GetBtn(1)->m_nStyle |= TBBS_HIDDEN;
    bar.CalcLayout(-1, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    EXPECT_EQ(bar.GetBtn(2)->m_x, first.m_x + 23);
    EXPECT_EQ(bar.HitTest(CPoint(first.m_x + 30, first.m_y + 5)), 2);
    EXPECT_EQ(bar.HitTest(CPoint(first.m_x + 23 + 23 + 3, first.m_y + 5)), -1) << "a separator is no hit";
}

} // namespace
