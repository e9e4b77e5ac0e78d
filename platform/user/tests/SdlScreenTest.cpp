#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "platform/user/Screen.h"
#include "platform/user/TestScreen.h"
#include "platform/user/tests/UserTestSupport.h"

using platform::user::Screen;
using platform::user::TestScreen;

namespace {

constexpr const char* kChildMarker = "TS_USER_SDL_CHILD";

std::string selfPath()
{
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).string();
}

} // namespace

// The sdl back-end under a real X server: a small window tree is shown in the SDL window, and what
// that window shows (read back from it) is the screen's picture. The picture is written to
// sdl-screen.png (in TS_USER_SCREENSHOT_DIR when set) for a person to look at.
TEST(SdlScreen, ShowsAWindowTreeInARealWindow)
{
    // The real window is opened in a child process of its own, under a fresh X server unless there is
    // a display already. The display libraries (the message bus SDL talks to, X) keep memory until the
    // process ends, which a leak checker would report: leak checking is off in that child alone, whose
    // own code the other tests already cover.
    if (!std::getenv(kChildMarker)) {
        const bool haveDisplay = std::getenv("DISPLAY") != nullptr;
        if (!haveDisplay && std::system("command -v xvfb-run > /dev/null 2>&1") != 0)
            GTEST_SKIP() << "no display, and xvfb-run is not installed to make one";
        const std::string command = std::string(kChildMarker) + "=1 ASAN_OPTIONS=detect_leaks=0 "
            + (haveDisplay ? "" : "xvfb-run -a -s '-screen 0 800x600x24' ") + "'" + selfPath()
            + "' --gtest_filter=SdlScreen.ShowsAWindowTreeInARealWindow";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return;
    }
    usertest::reset();
    TestScreen screen(320, 200);
    auto backend = platform::user::CreateSdlBackend(320, 200);
    ASSERT_TRUE(backend) << "SDL could not open the display";
    Screen::Instance().setBackend(std::move(backend));

    HWND main = CreateWindowEx(0, "Rec", "Tune Steward", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, 20, 20, 240,
        150, nullptr, nullptr, nullptr, nullptr);
    HWND panel = CreateWindowEx(
        WS_EX_CLIENTEDGE, "RecPlain", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 60, main, nullptr, nullptr, nullptr);
    ASSERT_TRUE(main && panel);
    HWND tool = CreateWindowEx(WS_EX_TOOLWINDOW, "Rec", "Tool", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 180,
        110, 120, 70, main, nullptr, nullptr, nullptr);
    ASSERT_TRUE(tool);
    screen.pump();
    Screen::Instance().present();

    // The real window follows the screen's size.
    ASSERT_TRUE(Screen::Instance().resize(330, 210));
    screen.pump();
    Screen::Instance().present();
    auto shown = Screen::Instance().shown();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->height(), 210);
    auto surface = Screen::Instance().surface();
    ASSERT_EQ(shown->width(), surface->width());
    int differing = 0;
    for (int y = 0; y < surface->height(); y += 7)
        for (int x = 0; x < surface->width(); x += 7)
            differing += shown->pixel(x, y) != surface->pixel(x, y);
    EXPECT_EQ(differing, 0);
    const char* dir = std::getenv("TS_USER_SCREENSHOT_DIR");
    const std::string path = std::string(dir ? dir : ".") + "/sdl-screen.png";
    EXPECT_TRUE(shown->writePng(path.c_str()));
}
