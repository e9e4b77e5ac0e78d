#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

#include "platform/base/Modules.h"
#include "platform/comctl/ClipFormat.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/tests/ComctlTestSupport.h"
#include "platform/user/TestScreen.h"

using comctltest::parentLog;
using namespace std::chrono_literals;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

class AnimationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent = comctltest::MakeParent(200, 100);
        anim = CreateWindowEx(0, ANIMATE_CLASS, "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, parent,
            reinterpret_cast<HMENU>(9), nullptr, nullptr);
    }
    void TearDown() override { parentLog() = comctltest::ParentLog {}; }

    std::pair<COLORREF, COLORREF> shown()
    {
        screen.pump();
        return { screen.pixel(10, 10), screen.pixel(11, 10) };
    }
    std::vector<WORD> notices() const
    {
        std::vector<WORD> out;
        for (const auto& [id, code] : parentLog().commands)
            if (id == 9)
                out.push_back(code);
        return out;
    }
    static LRESULT open(HWND anim, int id)
    {
        return SendMessage(anim, ACM_OPEN, reinterpret_cast<WPARAM>(GetModuleHandle(nullptr)),
            reinterpret_cast<LPARAM>(MAKEINTRESOURCE(id)));
    }

    platform::user::TestScreen screen { 320, 240 };
    HWND parent { nullptr };
    HWND anim { nullptr };
};

} // namespace

TEST_F(AnimationTest, PlaysTheClipFrameByFrameOnTheClock)
{
    ASSERT_TRUE(open(anim, 310));
    RECT r {};
    GetWindowRect(anim, &r);
    EXPECT_EQ(r.right - r.left, 2); // the control takes the clip's size
    EXPECT_EQ(shown(), std::make_pair(kRed, kBlue));

    ASSERT_TRUE(SendMessage(anim, ACM_PLAY, 1, MAKELPARAM(0, static_cast<WORD>(-1))));
    screen.advance(100ms);
    EXPECT_EQ(shown(), std::make_pair(kBlue, kRed));
    screen.advance(100ms);
    EXPECT_EQ(shown(), std::make_pair(kGreen, kGreen));
    screen.advance(100ms);
    EXPECT_EQ(notices(), (std::vector<WORD> { ACN_START, ACN_STOP }));
    screen.advance(500ms);
    EXPECT_EQ(shown(), std::make_pair(kGreen, kGreen)); // played once, then stays on its last frame

    // For ever from frame 1, until told to stop.
    parentLog().commands.clear();
    SendMessage(anim, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(1, 2));
    screen.advance(1000ms);
    SendMessage(anim, ACM_STOP, 0, 0);
    const auto stopped = shown();
    screen.advance(1000ms);
    EXPECT_EQ(shown(), stopped);
    EXPECT_EQ(notices(), (std::vector<WORD> { ACN_START, ACN_STOP }));
    EXPECT_FALSE(SendMessage(anim, ACM_PLAY, 1, MAKELPARAM(3, 3)));
}

TEST_F(AnimationTest, ADamagedOrMissingClipKeepsTheOneThereIs)
{
    ASSERT_TRUE(open(anim, 310));
    EXPECT_FALSE(open(anim, 311));
    EXPECT_FALSE(open(anim, 999));
    EXPECT_EQ(shown(), std::make_pair(kRed, kBlue));
    EXPECT_TRUE(SendMessage(anim, ACM_PLAY, 1, MAKELPARAM(0, static_cast<WORD>(-1))));
}

TEST(ClipFormat, RefusesWhatIsNoClip)
{
    const unsigned char good[] = { 'T', 'S', 'C', 'L', 1, 0, 1, 0, 1, 0, 1, 0, 50, 0, 1, 0, 0x11, 0x22, 0x33, 0, 0, 0 };
    auto clip = platform::comctl::ParseClip(good, sizeof good);
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->frames.at(0).at(0), 0x00332211u);
    struct Case {
        const char* name;
        std::size_t at;
        unsigned char value;
    } cases[] = {
        { "magic", 0, 'X' },
        { "version", 4, 2 },
        { "no width", 6, 0 },
        { "no frames", 10, 0 },
        { "no time", 12, 0 },
        { "empty palette", 14, 0 },
        { "index outside the palette", 20, 1 },
    };
    for (const auto& c : cases) {
        unsigned char bad[sizeof good];
        std::memcpy(bad, good, sizeof good);
        bad[c.at] = c.value;
        EXPECT_EQ(platform::comctl::ParseClip(bad, sizeof bad), nullptr) << c.name;
    }
    EXPECT_EQ(platform::comctl::ParseClip(good, sizeof good - 1), nullptr);
    EXPECT_EQ(platform::comctl::ParseClip(nullptr, 0), nullptr);
}
