// The program's own clips in the dialogs that play them: each opens, fits the place its dialog keeps
// for it without covering the control below, and moves while it plays.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "app/TuneStewardIds.h"
#include "platform/base/Modules.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/user/TestScreen.h"

using namespace std::chrono_literals;

namespace {

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

RECT RectIn(HWND dialog, int id)
{
    RECT r {};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(ProgramClips, EachFitsItsDialogAndMovesWhilePlaying)
{
    struct Case {
        int dialog;
        int control;
        int clip;
        int below; // the control the clip must not cover
    };
    const Case cases[] = {
        { IDD_SYNC_PROGRESS, IDC_SYNC_ANIMATION, IDR_SYNC_ANIMATION, IDC_SYNC_STATUS },
        { IDD_CLIENT_ADDRESS, IDC_CLIENT_SEARCH_ANIMATION, IDR_SEARCH_ANIMATION, IDOK },
    };
    platform::user::TestScreen screen { 640, 480 };
    InitCommonControls();
    const HMODULE program = GetModuleHandle(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clip);
        HWND dialog = CreateDialogParam(program, MAKEINTRESOURCE(c.dialog), nullptr, PlainDialog, 0);
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
        HWND animation = GetDlgItem(dialog, c.control);
        ASSERT_TRUE(SendMessage(animation, ACM_OPEN, reinterpret_cast<WPARAM>(program),
            reinterpret_cast<LPARAM>(MAKEINTRESOURCE(c.clip))));
        const RECT clip = RectIn(dialog, c.control);
        const RECT below = RectIn(dialog, c.below);
        RECT client {};
        GetClientRect(dialog, &client);
        EXPECT_GT(clip.right - clip.left, 16);
        EXPECT_LE(clip.right, client.right);
        EXPECT_LE(clip.bottom, below.top);

        // Two frames apart the picture differs somewhere.
        const auto picture = [&] {
            screen.pump();
            POINT origin { clip.left, clip.top };
            ClientToScreen(dialog, &origin);
            std::string pixels;
            for (int y = 0; y < clip.bottom - clip.top; ++y)
                for (int x = 0; x < clip.right - clip.left; ++x)
                    pixels += std::to_string(screen.pixel(origin.x + x, origin.y + y)) + ",";
            return pixels;
        };
        SendMessage(animation, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, static_cast<WORD>(-1)));
        const std::string first = picture();
        if (const char* folder = std::getenv("TS_CLIP_PICTURES"))
            screen.savePng(std::string(folder) + "/clip" + std::to_string(c.clip) + ".png");
        screen.advance(250ms);
        EXPECT_NE(picture(), first);
        SendMessage(animation, ACM_STOP, 0, 0);
        DestroyWindow(dialog);
    }
}

} // namespace
