#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "platform/gdi/FrameDrawing.h"

namespace {

int count(const Canvas& c, int w, int h, COLORREF colour, const RECT* within = nullptr)
{
    int n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (c.at(x, y) == colour && (!within || PtInRect(within, POINT { x, y })))
                ++n;
    return n;
}

} // namespace

TEST(FrameDrawing, EdgesUseTheClassicColours)
{
    const struct {
        UINT edge;
        COLORREF outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    } cases[] = {
        { EDGE_RAISED, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DSHADOW) },
        { EDGE_SUNKEN, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT) },
        { EDGE_ETCHED, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DSHADOW) },
    };
    for (const auto& k : cases) {
        Canvas c(8, 8);
        c.fill(RGB(1, 2, 3));
        RECT r { 0, 0, 8, 8 };
        ASSERT_TRUE(DrawEdge(c.dc, &r, k.edge, BF_RECT | BF_MIDDLE | BF_ADJUST));
        EXPECT_EQ(c.at(3, 0), k.outerTopLeft) << k.edge;
        EXPECT_EQ(c.at(0, 3), k.outerTopLeft) << k.edge;
        EXPECT_EQ(c.at(3, 7), k.outerBottomRight) << k.edge;
        EXPECT_EQ(c.at(7, 0), k.outerBottomRight) << k.edge; // the right side owns its top corner
        EXPECT_EQ(c.at(3, 1), k.innerTopLeft) << k.edge;
        EXPECT_EQ(c.at(6, 3), k.innerBottomRight) << k.edge;
        EXPECT_EQ(c.at(3, 3), GetSysColor(COLOR_3DFACE)) << k.edge;
        EXPECT_EQ(r.left, 2);
        EXPECT_EQ(r.bottom, 6);
    }
    // Only the sides asked for.
    Canvas c(6, 6);
    c.fill(RGB(1, 2, 3));
    RECT r { 0, 0, 6, 6 };
    DrawEdge(c.dc, &r, BDR_RAISEDINNER, BF_TOP);
    EXPECT_EQ(c.at(2, 0), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(c.at(0, 3), RGB(1, 2, 3));
    EXPECT_EQ(c.at(2, 5), RGB(1, 2, 3));
}

TEST(FrameDrawing, FocusRectangleIsDottedAndUndoesItself)
{
    Canvas c(7, 5);
    c.fill(RGB(255, 255, 255));
    RECT r { 0, 0, 7, 5 };
    ASSERT_TRUE(DrawFocusRect(c.dc, &r));
    EXPECT_EQ(c.row(0, 7, RGB(0, 0, 0)), "#.#.#.#");
    EXPECT_EQ(c.row(2, 7, RGB(0, 0, 0)), "#.....#");
    DrawFocusRect(c.dc, &r);
    EXPECT_EQ(c.row(0, 7, RGB(255, 255, 255)), "#######");
}

TEST(FrameDrawing, FrameControlsShowTheirStates)
{
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    // A scroll arrow: ink inside, pushed moves the glyph by one pixel, inactive draws it embossed.
    Canvas c(16, 16);
    RECT r { 0, 0, 16, 16 };
    RECT inner { 2, 2, 14, 14 };
    ASSERT_TRUE(DrawFrameControl(c.dc, &r, DFC_SCROLL, DFCS_SCROLLDOWN));
    const int inkPixels = count(c, 16, 16, ink, &inner);
    EXPECT_GT(inkPixels, 4);
    int top = 16;
    for (int y = 0; y < 16 && top == 16; ++y)
        for (int x = 2; x < 14; ++x)
            if (c.at(x, y) == ink && y >= 2) {
                top = y;
                break;
            }
    DrawFrameControl(c.dc, &r, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED);
    EXPECT_EQ(count(c, 16, 16, ink, &inner), inkPixels);
    EXPECT_EQ(c.at(0, 0), GetSysColor(COLOR_3DSHADOW)); // sunken
    int pushedTop = 16;
    for (int y = 2; y < 16 && pushedTop == 16; ++y)
        for (int x = 2; x < 14; ++x)
            if (c.at(x, y) == ink) {
                pushedTop = y;
                break;
            }
    EXPECT_EQ(pushedTop, top + 1);
    DrawFrameControl(c.dc, &r, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE);
    EXPECT_EQ(count(c, 16, 16, ink, &inner), 0);
    EXPECT_GT(count(c, 16, 16, shadow, &inner), 4);

    // Caption close and a checked check box have their marks; an unknown type fails.
    RECT cap { 0, 0, 16, 14 };
    DrawFrameControl(c.dc, &cap, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    EXPECT_GT(count(c, 16, 14, ink), 10);
    RECT box { 0, 0, 13, 13 };
    DrawFrameControl(c.dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK);
    EXPECT_EQ(count(c, 13, 13, ink, &inner), 0);
    DrawFrameControl(c.dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_GE(count(c, 13, 13, ink), 15);
    EXPECT_FALSE(DrawFrameControl(c.dc, &box, 99, 0));
    EXPECT_FALSE(DrawFrameControl(nullptr, &box, DFC_BUTTON, 0));
}
