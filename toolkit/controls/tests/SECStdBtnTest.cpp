// Toolbar buttons: what a press, a release and a drag out of the button do in each kind and state, the
// sizes taken from the image size, and every look composed from a small glyph (the raster operations of
// checked, disabled and indeterminate buttons checked pixel by pixel, the whole row against a picture).
#include <gtest/gtest.h>

#include "toolkit/controls/tests/ToolBarTestSupport.h"

using namespace toolbar_test;

namespace {

class StdBtn : public ToolBarFixture { };

TEST_F(StdBtn, PressesReleasesAndDragsOutFireWhatTheButtonAllows)
{
    enum Gesture { click, dragOut };
    struct Case {
        const char* name;
        UINT nStyle;
        bool bDisabled;
        Gesture gesture;
        std::vector<UINT> commands;
        bool bChecked;
        std::vector<UINT> notifications;
    };
    const Case cases[] = {
        { "plain click fires", 0, false, click, { ID_A }, false, {} },
        { "disabled ignores the press", 0, true, click, {}, false, {} },
        { "release outside fires nothing", 0, false, dragOut, {}, false, {} },
        { "check box toggles", TBBS_CHECKBOX, false, click, { ID_A }, true, {} },
        { "disabled check box stays", TBBS_CHECKBOX, true, click, {}, false, {} },
        { "drop-down asks its owner", TBBS_DROPDOWN, false, click, {}, false, { TBN_DROPDOWN } },
    };
    Build({ ID_A, ID_B });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_owner.m_commands.clear();
        m_owner.m_notifications.clear();
        m_owner.m_disabled.clear();
        if (c.bDisabled)
            m_owner.m_disabled[ID_A] = true;
        m_bar.GetBtn(0)->m_nStyle = c.nStyle;
        const CPoint centre = Centre(0);
        if (c.gesture == click)
            m_screen.click(centre.x, centre.y);
        else
            m_screen.drag(centre.x, centre.y, centre.x, centre.y + 60);
        EXPECT_EQ(m_owner.m_commands, c.commands);
        EXPECT_EQ(m_owner.m_notifications, c.notifications);
        EXPECT_EQ(m_bar.GetBtn(0)->TestStyle(TBBS_CHECKED), c.bChecked);
        EXPECT_FALSE(m_bar.GetBtn(0)->TestStyle(TBBS_PRESSED));
        EXPECT_EQ(m_bar.GetBtn(0)->TestStyle(TBBS_DISABLED), c.bDisabled);
    }
}

TEST_F(StdBtn, SizesFollowTheImageSize)
{
    Build({ ID_A, 0, ID_B });
    EXPECT_EQ(m_bar.GetBtn(0)->GetRect().Size(), CSize(23, 22));
    EXPECT_EQ(m_bar.GetBtn(1)->m_cx, 8);
    // Without a large resource the large images are the small ones stretched to 22 x 24.
    m_bar.GetBmpMgr()->UseSmallImages(FALSE);
    m_bar.ResetButtonSizes();
    EXPECT_EQ(m_bar.GetBtn(0)->GetRect().Size(), CSize(29, 31));
    EXPECT_EQ(m_bar.GetBtn(1)->m_cx, 10);
    EXPECT_EQ(m_bar.GetLargestButton(), CSize(29, 31));
}

// The colour of a pixel of a button, relative to the button's corner.
class Looks : public ToolBarFixture {
protected:
    COLORREF At(int nIndex, int x, int y)
    {
        CRect rect = m_bar.GetBtn(nIndex)->GetRect();
        m_bar.ClientToScreen(&rect);
        return m_screen.pixel(rect.left + x, rect.top + y);
    }
    void SetStyles(const std::vector<UINT>& styles)
    {
        for (size_t i = 0; i < styles.size(); ++i)
            m_bar.GetBtn(static_cast<int>(i))->m_nStyle |= styles[i];
        m_bar.Invalidate();
        m_screen.pump();
    }
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF black = ::GetSysColor(COLOR_BTNTEXT);
    const COLORREF blue = RGB(0, 0, 255);
};

// The glyph (image coordinates): a black square (5..10, 4..9), a white dot (3, 3), a dark grey line
// (4..11, 11) and a blue dot (12, 4). A button of 23 x 22 shows its 16 x 15 image at (3, 3), and one
// pressed in (checked) at (4, 4).
TEST_F(Looks, CheckedDisabledAndIndeterminateAreRasterOperationsOverTheGlyphsMask)
{
    Build({ ID_A, ID_A, ID_A, ID_A });
    SetStyles({ TBBS_CHECKED, TBBS_DISABLED, TBBS_INDETERMINATE, TBBS_DISABLED | TBBS_CHECKED });
    const auto isDither = [&](int nIndex, int x, int y) {
        const COLORREF here = At(nIndex, x, y);
        const COLORREF right = At(nIndex, x + 1, y);
        return ((here == face && right == highlight) || (here == highlight && right == face)) && At(nIndex, x, y + 1) == right;
    };

    // Checked: the checkerboard wherever the image shows face or highlight, the drawing kept.
    EXPECT_TRUE(isDither(0, 2, 2));
    EXPECT_TRUE(isDither(0, 4 + 3, 4 + 3)) << "the white dot is background";
    EXPECT_EQ(At(0, 4 + 5, 4 + 4), black);
    EXPECT_EQ(At(0, 4 + 4, 4 + 11), shadow);
    EXPECT_EQ(At(0, 4 + 12, 4 + 4), blue);

    // Disabled: everything drawn becomes shadow with a highlight copy one pixel down and right.
    EXPECT_EQ(At(1, 3 + 5, 3 + 4), shadow);
    EXPECT_EQ(At(1, 3 + 12, 3 + 4), shadow);
    EXPECT_EQ(At(1, 3 + 11, 3 + 10), highlight);
    EXPECT_EQ(At(1, 3 + 3, 3 + 3), face) << "highlight pixels are background";
    EXPECT_EQ(At(1, 2, 2), face);

    // Indeterminate: the drawing in shadow over the checkerboard.
    EXPECT_EQ(At(2, 3 + 5, 3 + 4), shadow);
    EXPECT_EQ(At(2, 3 + 4, 3 + 11), shadow);
    EXPECT_TRUE(isDither(2, 3 + 3, 3 + 3));

    // Disabled and checked: embossed, with the checkerboard round the drawing and its highlight copy.
    EXPECT_EQ(At(3, 4 + 5, 4 + 4), shadow);
    EXPECT_EQ(At(3, 4 + 11, 4 + 10), highlight);
    EXPECT_TRUE(isDither(3, 2, 2));
}

TEST_F(Looks, EveryStateInTheClassicLook)
{
    Build({ ID_A, ID_A, ID_A, ID_A, ID_A, ID_A, 0, ID_B, ID_B });
    SetStyles({ 0, TBBS_PRESSED, TBBS_CHECKED, TBBS_DISABLED, TBBS_INDETERMINATE, TBBS_DISABLED | TBBS_CHECKED, 0,
        SEC_TBBS_MARKED, SEC_TBBS_HOT });
    CRect rect;
    m_bar.GetWindowRect(&rect);
    EXPECT_EQ(m_screen.compareWithGolden(rect, GoldenPath("ToolBarClassic.png")), "");
}

TEST_F(Looks, EveryStateInTheCoolLook)
{
    Build({ ID_A, ID_A, ID_A, ID_A, ID_A, ID_A, 0, ID_B, ID_B }, SEC_TBX_COOLLOOK);
    SetStyles({ 0, TBBS_PRESSED, TBBS_CHECKED, TBBS_DISABLED, TBBS_INDETERMINATE, TBBS_DISABLED | TBBS_CHECKED, 0,
        SEC_TBBS_MARKED, SEC_TBBS_HOT });
    CRect rect;
    m_bar.GetWindowRect(&rect);
    EXPECT_EQ(m_screen.compareWithGolden(rect, GoldenPath("ToolBarCool.png")), "");
}

TEST_F(Looks, HiddenButtonsTakeNoRoomAndAreNotDrawn)
{
    Build({ ID_A, ID_B, ID_A });
    const int xThird = m_bar.GetBtn(2)->m_x;
    m_bar.GetBtn(1)->m_nStyle |= TBBS_HIDDEN;
    Place();
    EXPECT_EQ(m_bar.GetBtn(2)->m_x, m_bar.GetBtn(0)->m_x + 23);
    EXPECT_LT(m_bar.GetBtn(2)->m_x, xThird);
}

} // namespace
