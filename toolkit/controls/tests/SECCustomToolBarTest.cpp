// The custom toolbar's own handling of its buttons: separators left without a neighbour go, a user's
// bar goes with its last button, command handlers set the buttons' states, the common toolbar
// messages add and delete buttons, and the hot button of the cool look follows the mouse on a timer.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/controls/tests/ToolBarTestSupport.h"

using namespace toolbar_test;

namespace {

std::string Items(const SECCustomToolBar& bar)
{
    std::string items;
    for (int i = 0; i < bar.GetBtnCount(); ++i)
        items += bar.GetBtn(i)->TestStyle(TBBS_SEPARATOR) ? 'S' : 'B';
    return items;
}

TEST(CustomToolBar, RemovingAButtonTakesTheSeparatorItLeavesAlone)
{
    struct Case {
        const char* items;
        int nIndex;
        const char* left;
        BOOL bResult;
    };
    const Case cases[] = {
        { "BSB", 0, "B", TRUE },
        { "BSBSB", 2, "BSB", TRUE },
        { "BSB", 2, "B", TRUE },
        { "BB", 1, "B", TRUE },
        { "BBS", 1, "B", TRUE },
        { "B", 0, "", FALSE },
        { "BSB", 3, "BSB", FALSE },
    };
    for (const Case& c : cases) {
        SECCustomToolBar bar;
        for (const char* p = c.items; *p; ++p)
            bar.InsertButton(bar.GetBtnCount(), *p == 'S' ? 0 : ID_A, *p == 'S', TRUE);
        EXPECT_EQ(bar.RemoveButton(c.nIndex, TRUE), c.bResult) << c.items << " less " << c.nIndex;
        EXPECT_EQ(Items(bar), c.left) << c.items << " less " << c.nIndex;
    }
}

class CustomToolBarWindow : public ToolBarFixture { };

TEST_F(CustomToolBarWindow, CommandHandlersSetCheckIndeterminateAndDisabled)
{
    Build({ ID_A, ID_B, ID_C });
    m_owner.m_checks[ID_A] = 1;
    m_owner.m_checks[ID_B] = 2;
    m_owner.m_disabled[ID_C] = true;
    for (int i = 0; i < 3; ++i)
        m_bar.UpdateButtonCmdUI(i);
    EXPECT_EQ(m_bar.GetBtn(0)->m_nStyle & 0xFFFFFF, TBBS_CHECKBOX | TBBS_CHECKED);
    EXPECT_EQ(m_bar.GetBtn(1)->m_nStyle & 0xFFFFFF, TBBS_CHECKBOX | TBBS_INDETERMINATE);
    EXPECT_EQ(m_bar.GetBtn(2)->m_nStyle & 0xFFFFFF, TBBS_DISABLED);
    m_owner.m_checks[ID_A] = 0;
    m_bar.UpdateButtonCmdUI(0);
    EXPECT_EQ(m_bar.GetBtn(0)->m_nStyle & 0xFFFFFF, TBBS_CHECKBOX);
}

TEST_F(CustomToolBarWindow, CommonToolbarMessagesAddAndDeleteButtons)
{
    Build({ ID_A });
    TBBUTTON added[2];
    added[0].idCommand = ID_B;
    added[0].fsState = TBSTATE_CHECKED;
    added[0].fsStyle = static_cast<BYTE>(TBBS_CHECKBOX);
    added[1].idCommand = 0;
    EXPECT_TRUE(m_bar.SendMessage(TB_ADDBUTTONS, 2, reinterpret_cast<LPARAM>(added)));
    ASSERT_EQ(Items(m_bar), "BBS");
    EXPECT_EQ(m_bar.GetBtn(1)->m_nID, ID_B);
    EXPECT_TRUE(m_bar.GetBtn(1)->TestStyle(TBBS_CHECKED | TBBS_CHECKBOX));
    EXPECT_TRUE(m_bar.SendMessage(TB_DELETEBUTTON, 1));
    EXPECT_EQ(Items(m_bar), "B") << "the separator left last went too";
}

TEST_F(CustomToolBarWindow, TheHotButtonFollowsTheMouseUntilItLeaves)
{
    Build({ ID_A, ID_B }, SEC_TBX_COOLLOOK);
    m_owner.SetActiveWindow();
    const CPoint first = Centre(0);
    m_screen.moveTo(first.x, first.y);
    EXPECT_EQ(m_bar.GetHotIndex(), 0);
    EXPECT_TRUE(m_bar.GetBtn(0)->TestStyle(SEC_TBBS_HOT));
    const CPoint second = Centre(1);
    m_screen.moveTo(second.x, second.y);
    EXPECT_EQ(m_bar.GetHotIndex(), 1);
    EXPECT_FALSE(m_bar.GetBtn(0)->TestStyle(SEC_TBBS_HOT));

    // Leaving the bar sends it nothing: the timer finds the mouse gone, and stops.
    m_screen.moveTo(300, 150);
    m_screen.advance(std::chrono::milliseconds(SECCustomToolBar::kHotInterval));
    EXPECT_EQ(m_bar.GetHotIndex(), -1);
    EXPECT_FALSE(m_bar.GetBtn(1)->TestStyle(SEC_TBBS_HOT));
    EXPECT_FALSE(::KillTimer(m_bar.GetSafeHwnd(), SECCustomToolBar::kHotTimer)) << "the timer is still running";
}

} // namespace

namespace {

// Drops of a bar's own selected button, by rectangle (client coordinates), as the drag ends them.
class CustomiseDrops : public ToolBarFixture {
protected:
    std::string Drop(int nIndex, int dx, int dy)
    {
        m_bar.SelectButton(nIndex, FALSE);
        SECStdBtn* pBtn = m_bar.GetBtn(nIndex);
        CRect rect = pBtn->GetRect();
        rect.OffsetRect(dx, dy);
        m_bar.DropButton(rect, pBtn, FALSE);
        Place();
        std::string items;
        for (int i = 0; i < m_bar.GetBtnCount(); ++i)
            items += m_bar.GetBtn(i)->TestStyle(TBBS_SEPARATOR) ? std::string("S") : std::to_string(m_bar.GetBtn(i)->m_nID - ID_A);
        return items;
    }
};

TEST_F(CustomiseDrops, SlidesGroupAndUngroupAndDropsAboveOrBelowLeadOrEnd)
{
    Build({ ID_A, ID_B, ID_C });
    m_bar.EnterCustomizeMode(TRUE);
    EXPECT_EQ(Drop(1, 1, 0), "012") << "a slide of less than 2 pixels changes nothing";
    EXPECT_EQ(Drop(1, 0, 0), "012");
    EXPECT_EQ(Drop(1, 5, 0), "0S12") << "sliding right starts a group before the button";
    EXPECT_EQ(Drop(2, -5, 0), "012") << "sliding left again takes that separator away";
    EXPECT_EQ(Drop(1, -5, 0), "01S2") << "with no separator before it, a group starts after it";
    EXPECT_EQ(Drop(0, 25 + 8 + 23 + 3, 0), "1S20") << "a move past the others, leaving no separator first";
    const int nHeight = m_bar.GetBtn(0)->m_cy;
    EXPECT_EQ(Drop(3, 0, -nHeight - 10), "0S1S2") << "wholly above: first, followed by a new separator";
    EXPECT_EQ(Drop(0, 0, nHeight + 30), "1S2S0") << "wholly below: a separator, then the button last";
    EXPECT_EQ(m_bar.GetSelectedIndex(), 4);
    EXPECT_TRUE(m_bar.GetBtn(4)->TestStyle(SEC_TBBS_MARKED));
}

} // namespace
