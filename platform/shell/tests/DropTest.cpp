#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/base/GlobalMemory.h"
#include "platform/shell/ShellApi.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"

namespace {

struct Drop {
    std::vector<std::string> names;
    std::vector<UINT> lengths;
    POINT point {};
    BOOL inClient { FALSE };
};

std::vector<Drop> g_drops;

LRESULT CALLBACK DropWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_DROPFILES)
        return DefWindowProc(hwnd, message, wParam, lParam);
    auto* drop = reinterpret_cast<HDROP>(wParam);
    Drop seen;
    const UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        seen.lengths.push_back(DragQueryFile(drop, i, nullptr, 0));
        char name[MAX_PATH] {};
        DragQueryFile(drop, i, name, MAX_PATH);
        seen.names.emplace_back(name);
    }
    seen.inClient = DragQueryPoint(drop, &seen.point);
    DragFinish(drop);
    g_drops.push_back(seen);
    return 0;
}

class DroppedFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_drops.clear();
        WNDCLASS wc {};
        wc.lpfnWndProc = DropWindowProc;
        wc.lpszClassName = "ShellDropTarget";
        RegisterClass(&wc);
    }

    platform::user::TestScreen screen { 400, 300 };
};

} // namespace

TEST_F(DroppedFiles, TheAcceptingWindowReadsNamesAndPointThenFreesTheDrop)
{
    HWND frame = CreateWindowEx(0, "ShellDropTarget", "frame", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 200, 150,
        nullptr, nullptr, nullptr, nullptr);
    DragAcceptFiles(frame, TRUE);
    POINT client { 30, 40 };
    ClientToScreen(frame, &client);
    platform::user::InjectDropFiles(client, { "Z:\\music\\a.mp3", "Z:\\music\\Bé.wma" });
    POINT caption { 50, 15 };
    platform::user::InjectDropFiles(caption, { "Z:\\x.mp3" });
    screen.pump();

    ASSERT_EQ(g_drops.size(), 2u);
    EXPECT_EQ(g_drops[0].names, (std::vector<std::string> { "Z:\\music\\a.mp3", "Z:\\music\\Bé.wma" }));
    EXPECT_EQ(g_drops[0].lengths, (std::vector<UINT> { 14, 16 }));
    EXPECT_EQ(g_drops[0].point.x, 30);
    EXPECT_EQ(g_drops[0].point.y, 40);
    EXPECT_TRUE(g_drops[0].inClient);
    EXPECT_FALSE(g_drops[1].inClient);

    DragAcceptFiles(frame, FALSE);
    platform::user::InjectDropFiles(client, { "Z:\\late.mp3" });
    screen.pump();
    EXPECT_EQ(g_drops.size(), 2u);
}

TEST_F(DroppedFiles, ShortBuffersCutWholeCharactersAndBadInputGivesNothing)
{
    HGLOBAL memory = platform::user::MakeDropFiles({ "ab\xC3\xA9" "c" }); // "abéc"
    auto* drop = static_cast<HDROP>(memory);
    struct Case {
        UINT cch;
        UINT copied;
        const char* text;
    };
    for (const Case& c : { Case { 6, 5, "ab\xC3\xA9" "c" }, Case { 5, 4, "ab\xC3\xA9" }, Case { 4, 2, "ab" }, Case { 1, 0, "" } }) {
        char buffer[8];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(DragQueryFile(drop, 0, buffer, c.cch), c.copied) << c.cch;
        EXPECT_STREQ(buffer, c.text) << c.cch;
    }
    char buffer[8] = "keep";
    EXPECT_EQ(DragQueryFile(drop, 0, buffer, 0), 0u);
    EXPECT_EQ(DragQueryFile(drop, 1, buffer, sizeof buffer), 0u);
    EXPECT_STREQ(buffer, "keep");
    DragFinish(drop);

    // A block too small to be a drop, and a stale handle, read as no files.
    HGLOBAL tiny = GlobalAlloc(GHND, 4);
    EXPECT_EQ(DragQueryFile(static_cast<HDROP>(tiny), 0xFFFFFFFF, nullptr, 0), 0u);
    POINT pt {};
    EXPECT_FALSE(DragQueryPoint(static_cast<HDROP>(tiny), &pt));
    GlobalFree(tiny);
    EXPECT_EQ(DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0), 0u);
}
