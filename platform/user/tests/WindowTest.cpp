#include <gtest/gtest.h>

#include "platform/user/TestScreen.h"

using platform::user::TestScreen;

TEST(WindowSmoke, Builds)
{
    TestScreen screen;
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
}
