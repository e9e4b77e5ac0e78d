// The oriented rectangle reads and writes the same edges under both orientations.

#include "toolkit/frames/SECOrientedRect.h"

#include <gtest/gtest.h>

namespace {

const RECT kRect { 10, 20, 110, 70 };

TEST(SECOrientedRect, AccessorsFollowTheOrientation)
{
    struct Case {
        BOOL horz;
        LONG start, end, crossStart, crossEnd, length, thickness;
    };
    const Case cases[] = {
        { TRUE, 10, 110, 20, 70, 100, 50 },
        { FALSE, 20, 70, 10, 110, 50, 100 },
        { 7, 10, 110, 20, 70, 100, 50 }, // any non-zero flag means x
    };
    for (const Case& c : cases) {
        SECOrientedRect rect(kRect, c.horz);
        SCOPED_TRACE(c.horz);
        EXPECT_EQ(rect.GetStart(), c.start);
        EXPECT_EQ(rect.GetEnd(), c.end);
        EXPECT_EQ(rect.GetCrossStart(), c.crossStart);
        EXPECT_EQ(rect.GetCrossEnd(), c.crossEnd);
        EXPECT_EQ(rect.GetLength(), c.length);
        EXPECT_EQ(rect.GetThickness(), c.thickness);
    }
}

TEST(SECOrientedRect, SettersChangeOnlyTheirEdge)
{
    SECOrientedRect vertical(kRect, FALSE);
    vertical.SetStart(5);
    EXPECT_EQ(vertical.left, 10);
    EXPECT_EQ(vertical.top, 5);
    EXPECT_EQ(vertical.right, 110);
    EXPECT_EQ(vertical.bottom, 70);

    SECOrientedRect horizontal(kRect, TRUE);
    horizontal.SetCrossEnd(90);
    horizontal.SetStart(200); // beyond the end: nothing normalises
    EXPECT_EQ(horizontal.bottom, 90);
    EXPECT_EQ(horizontal.left, 200);
    EXPECT_EQ(horizontal.GetLength(), -90);
}

TEST(SECOrientedRect, SetRectKeepsTheOrientation)
{
    SECOrientedRect rect(RECT { 0, 0, 1, 1 }, FALSE);
    rect.SetHorizontal();
    rect.SetRect(kRect);
    EXPECT_TRUE(rect.IsHorizontal());
    EXPECT_EQ(rect.GetStart(), 10);
    rect.SetOrientation(FALSE);
    EXPECT_EQ(rect.GetStart(), 20);
}

} // namespace
