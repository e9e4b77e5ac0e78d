#include <gtest/gtest.h>

#include "platform/afx/CClientDC.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CWnd.h"

namespace {

// A memory DC with a white bitmap, read back pixel by pixel.
class MemoryDC : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        ASSERT_TRUE(bitmap.CreateBitmap(20, 20, 1, 32, nullptr));
        // The handle, not the temporary wrapper, which the test lets go of.
        old = dc.SelectObject(&bitmap)->m_hObject;
        dc.FillSolidRect(0, 0, 20, 20, kWhite);
    }
    void TearDown() override { ::SelectObject(dc.m_hDC, old); }

    int Count(COLORREF colour) const
    {
        int n = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                n += dc.GetPixel(x, y) == colour;
        return n;
    }

    static constexpr COLORREF kWhite = RGB(255, 255, 255);
    static constexpr COLORREF kRed = RGB(255, 0, 0);
    static constexpr COLORREF kBlue = RGB(0, 0, 255);
    CDC dc;
    CBitmap bitmap;
    HGDIOBJ old { nullptr };
};

} // namespace

TEST_F(MemoryDC, FillSolidRectNormalisesNegativeExtents)
{
    struct Case {
        int x, y, cx, cy;
        RECT expected;
    };
    const Case cases[] = {
        { 2, 3, 4, 5, { 2, 3, 6, 8 } },
        { 10, 10, -4, 3, { 6, 10, 10, 13 } },
        { 10, 10, 3, -4, { 10, 6, 13, 10 } },
        { 10, 10, -1, -1, { 9, 9, 10, 10 } },
        { 5, 5, 0, 4, { 0, 0, 0, 0 } },
    };
    for (const Case& c : cases) {
        dc.FillSolidRect(0, 0, 20, 20, kWhite);
        dc.FillSolidRect(c.x, c.y, c.cx, c.cy, kRed);
        const CRect expected(c.expected);
        EXPECT_EQ(Count(kRed), expected.Width() * expected.Height()) << c.x << "," << c.y << " " << c.cx << "x" << c.cy;
        if (!expected.IsRectEmpty()) {
            EXPECT_EQ(dc.GetPixel(expected.left, expected.top), kRed);
            EXPECT_EQ(dc.GetPixel(expected.right - 1, expected.bottom - 1), kRed);
        }
    }
    EXPECT_EQ(dc.GetBkColor(), kRed);
}

TEST_F(MemoryDC, Draw3dRectPutsEachColourOnItsTwoSides)
{
    dc.Draw3dRect(2, 2, 10, 6, kRed, kBlue);
    EXPECT_EQ(dc.GetPixel(2, 2), kRed); // top-left corner
    EXPECT_EQ(dc.GetPixel(10, 2), kRed); // top edge
    EXPECT_EQ(dc.GetPixel(11, 2), kBlue); // top-right corner belongs to the right side
    EXPECT_EQ(dc.GetPixel(2, 7), kBlue); // bottom-left corner belongs to the bottom side
    EXPECT_EQ(dc.GetPixel(11, 7), kBlue);
    EXPECT_EQ(dc.GetPixel(5, 5), kWhite);
    EXPECT_EQ(Count(kRed) + Count(kBlue), 2 * 10 + 2 * 6 - 4);
}

TEST_F(MemoryDC, DrawDragRectMovesTheOutlineAndTakesItAwayAgain)
{
    CBrush white(RGB(255, 255, 255));
    const CRect first(2, 2, 12, 12);
    const CRect second(4, 4, 14, 14);
    const CSize edge(2, 2);
    dc.DrawDragRect(first, edge, nullptr, edge, &white);
    // Inverting with a white brush turns the frame black and nothing else.
    EXPECT_EQ(Count(RGB(255, 255, 255)), 400 - (100 - 36));
    dc.DrawDragRect(second, edge, first, edge, &white);
    EXPECT_EQ(Count(RGB(255, 255, 255)), 400 - (100 - 36));
    EXPECT_EQ(dc.GetPixel(2, 2), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(13, 13), RGB(0, 0, 0));
    dc.DrawDragRect(CRect(0, 0, 0, 0), CSize(0, 0), second, edge, &white);
    EXPECT_EQ(Count(RGB(255, 255, 255)), 400);
}

TEST_F(MemoryDC, SelectObjectHandsBackThePreviousObject)
{
    CPen red(PS_SOLID, 1, kRed);
    CPen* previous = dc.SelectObject(&red);
    ASSERT_NE(previous, nullptr);
    EXPECT_TRUE(previous->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_EQ(dc.SelectObject(previous), &red);
    EXPECT_EQ(dc.GetCurrentPen(), previous);
    // A temporary wrapper never deletes the handle it wraps.
    HGDIOBJ stock = previous->m_hObject;
    CGdiObject::DeleteTempMap();
    EXPECT_NE(GetObjectType(stock), 0u);
}
