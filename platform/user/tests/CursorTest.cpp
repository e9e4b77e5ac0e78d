// The cursor: its clip rectangle, and what the display is asked to show as it is set, hidden and shown.

#include <gtest/gtest.h>

#include <vector>

#include "platform/user/CursorImage.h"
#include "platform/user/DisplayBackend.h"
#include "platform/user/Screen.h"
#include "platform/user/TestScreen.h"

using platform::user::TestScreen;

namespace {

// A display that only writes down the cursors it is asked to show.
class CursorRecorder : public platform::user::DisplayBackend {
public:
    explicit CursorRecorder(std::vector<HCURSOR>& shown)
        : m_shown(shown)
    {
    }
    const char* name() const override { return "recorder"; }
    void resize(int, int) override { }
    void setCursor(HCURSOR cursor) override { m_shown.push_back(cursor); }
    void present(const platform::gdi::Surface&) override { }
    bool pump(unsigned) override { return false; }
    std::shared_ptr<platform::gdi::Surface> shown() override { return nullptr; }

private:
    std::vector<HCURSOR>& m_shown;
};

} // namespace

TEST(Cursor, HiddenWhileTheDisplayCountIsBelowZero)
{
    TestScreen screen;
    // The count and the cursor are process-wide: start from a shown cursor and none set.
    for (int count = ShowCursor(TRUE); count != 0;)
        count = ShowCursor(count < 0);
    SetCursor(nullptr);
    std::vector<HCURSOR> shown;
    platform::user::Screen::Instance().setBackend(std::make_unique<CursorRecorder>(shown));
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW), wait = LoadCursor(nullptr, IDC_WAIT);
    SetCursor(arrow);
    EXPECT_EQ(ShowCursor(FALSE), -1);
    SetCursor(wait); // kept for when the cursor shows again
    EXPECT_EQ(GetCursor(), wait);
    EXPECT_EQ(ShowCursor(FALSE), -2);
    EXPECT_EQ(ShowCursor(TRUE), -1);
    EXPECT_EQ(ShowCursor(TRUE), 0);
    const std::vector<HCURSOR> expected { arrow, nullptr, wait };
    EXPECT_EQ(shown, expected);
    platform::user::Screen::Instance().setBackend(nullptr);
}

TEST(CursorClip, KeepsThePointerInsideUntilFreed)
{
    TestScreen screen { 640, 480 };
    screen.moveTo(10, 10);
    const RECT box { 100, 100, 200, 150 };
    ASSERT_TRUE(ClipCursor(&box));
    POINT pt;
    GetCursorPos(&pt);
    EXPECT_EQ(pt.x, 100);
    EXPECT_EQ(pt.y, 100);
    screen.moveTo(500, 400);
    GetCursorPos(&pt);
    EXPECT_EQ(pt.x, 199);
    EXPECT_EQ(pt.y, 149);
    RECT clip;
    GetClipCursor(&clip);
    EXPECT_TRUE(EqualRect(&clip, &box));
    ClipCursor(nullptr);
    screen.moveTo(500, 400);
    GetCursorPos(&pt);
    EXPECT_EQ(pt.x, 500);
}

TEST(Cursor, PictureForTheDisplayKeepsColoursHotSpotAndTransparency)
{
    TestScreen screen;
    const DWORD colours[] = { 0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF }; // 2x2, top row first
    const BYTE mask[] = { 0x80, 0, 0, 0 }; // rows of 16 bits; the top-left pixel shows the screen
    ICONINFO info;
    info.fIcon = FALSE;
    info.xHotspot = 1;
    info.yHotspot = 0;
    info.hbmColor = CreateBitmap(2, 2, 1, 32, colours);
    info.hbmMask = CreateBitmap(2, 2, 1, 1, mask);
    HCURSOR cursor = CreateIconIndirect(&info);
    ASSERT_NE(cursor, nullptr);
    platform::user::CursorImage image;
    ASSERT_TRUE(platform::user::CursorImageOf(cursor, image));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.hotSpot.x, 1);
    const std::vector<std::uint32_t> expected { 0, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF };
    EXPECT_EQ(image.argb, expected);
    EXPECT_FALSE(platform::user::CursorImageOf(nullptr, image));
    DestroyCursor(cursor);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}
