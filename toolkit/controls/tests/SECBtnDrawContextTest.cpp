// The drawing context of toolbar buttons: its checkerboard brush.
#include <gtest/gtest.h>

#include "platform/user/TestScreen.h"
#include "toolkit/controls/SECBtnDrawContext.h"

namespace {

TEST(BtnDrawContext, TheDitherBrushIsACheckerboardOfFaceAndHighlight)
{
    platform::user::TestScreen screen;
    SECBtnDrawContext context;
    CBitmap area;
    ASSERT_TRUE(area.Attach(::CreateBitmap(16, 16, 1, 32, nullptr)));
    CBitmap* pOld = context.m_offscreenDC.SelectObject(&area);
    CBrush* pOldBrush = context.m_offscreenDC.SelectObject(&context.m_ditherBrush);
    ASSERT_TRUE(::PatBlt(context.m_offscreenDC, 0, 0, 16, 16, PATCOPY));

    const COLORREF first = context.m_offscreenDC.GetPixel(0, 0);
    const COLORREF second = context.m_offscreenDC.GetPixel(1, 0);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_TRUE((first == face && second == highlight) || (first == highlight && second == face));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(context.m_offscreenDC.GetPixel(x, y), (x + y) % 2 ? second : first) << x << "," << y;
    context.m_offscreenDC.SelectObject(pOldBrush);
    context.m_offscreenDC.SelectObject(pOld);
}

} // namespace
