// Insertion records reset to what a fresh insertion means and survive being copied onto themselves;
// the scale root maps its children's rectangles in proportion.

#include "toolkit/frames/SECDockInProgressInfo.h"
#include "toolkit/frames/SECDockInsertionConstraints.h"
#include "toolkit/frames/SECLNScale.h"

#include <gtest/gtest.h>

namespace {

TEST(SECDockInsertionConstraints, ResetAndCopy)
{
    SECDockInsertionConstraints c;
    c.SetInsertIndex(3, FALSE, TRUE);
    c.SetDropPoint({ 4, 5 }, TRUE);
    c.m_nLength = 70;
    c.m_nBorderPosition = 2;
    c.CopyDockConstraints(c);
    int index = 0;
    EXPECT_TRUE(c.GetInsertIndex(index));
    EXPECT_EQ(index, 3);

    SECDockInsertionConstraints copy;
    copy.CopyDockConstraints(c);
    EXPECT_EQ(copy.m_nBorderPosition, 2);
    EXPECT_EQ(copy.m_nLength, 70);
    EXPECT_EQ(copy.m_ptDrop.y, 5);

    c.ResetConstraints();
    EXPECT_EQ(c.m_nBorderPosition, 0);
    EXPECT_TRUE(c.m_bAfter);
    EXPECT_TRUE(c.m_bSizable);
    EXPECT_EQ(c.m_nLength, -1);
    EXPECT_EQ(c.m_nThickness, -1);
    EXPECT_FALSE(c.GetInsertIndex(index));
    EXPECT_FALSE(c.m_bDropPointGiven);

    SECDockInProgressInfo info;
    RECT r {};
    EXPECT_FALSE(info.GetRequestedRect(r));
    info.SetRequestedRect({ 1, 2, 3, 4 });
    EXPECT_TRUE(info.GetRequestedRect(r));
    info.ResetDockInProgressInfo();
    EXPECT_FALSE(info.GetRequestedRect(r));
}

TEST(SECLNScale, ScalesChildrenInProportion)
{
    struct Case {
        RECT from, to, r, expected;
    };
    const Case cases[] = {
        { { 0, 0, 100, 50 }, { 0, 0, 150, 100 }, { 10, 10, 60, 40 }, { 15, 20, 90, 80 } },
        { {}, { 0, 0, 150, 100 }, { 10, 10, 60, 40 }, { 10, 10, 60, 40 } }, // empty source: factor 1
        { { 0, 0, 3, 3 }, { 0, 0, 1, 1 }, { 1, 2, 3, 3 }, { 0, 1, 1, 1 } }, // 1/3 rounds half up
    };
    for (const Case& c : cases) {
        RECT out {};
        SECLNScale::ScaleRect(&out, c.from, c.to, c.r);
        EXPECT_EQ(out.left, c.expected.left);
        EXPECT_EQ(out.top, c.expected.top);
        EXPECT_EQ(out.right, c.expected.right);
        EXPECT_EQ(out.bottom, c.expected.bottom);
    }

    SECLNScale root;
    SECLayoutNode child;
    root.SetInitialRect({ 0, 0, 100, 50 });
    child.SetInitialRect({ 10, 10, 60, 40 });
    root.AddLayoutNode(&child);
    RECT out {};
    root.RecalcLayout(&out, { 0, 0, 150, 100 }, FALSE, TRUE);
    child.GetCurrentRect(&out);
    EXPECT_EQ(out.right, 90);
    EXPECT_EQ(out.bottom, 80);
}

} // namespace
