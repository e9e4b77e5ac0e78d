// The program's entry: starts Tune Steward in a real window, or, with --screenshot FILE, on the
// headless screen, where it saves a picture of its main window and ends.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/CPelicanApp.h"
#include "app/program/Screenshot.h"
#include "platform/user/Screen.h"

namespace {

bool HasDisplay()
{
    for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY" })
        if (const char* value = std::getenv(name); value && *value)
            return true;
    return false;
}

void PrintDisplayHint()
{
    std::fprintf(stderr, "Tune Steward needs a display: start it under Xvfb with `xvfb-run -a -s \"-screen 0 1024x768x24\" "
                         "bash scripts/start`, or save a picture of its window with `bash scripts/start --screenshot main.png`.\n");
}

} // namespace

// The program's one application object.
CPelicanApp theApp;

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--screenshot") == 0) {
        unsetenv("TUNESTEWARD_DISPLAY");
        return RunForScreenshot(theApp, argv[2]) ? 0 : 1;
    }
    if (argc != 1) {
        std::fprintf(stderr, "usage: tunesteward [--screenshot FILE.png]\n");
        return 2;
    }
    const char* display = std::getenv("TUNESTEWARD_DISPLAY");
    if (!display) {
        if (!HasDisplay()) {
            PrintDisplayHint();
            return 1;
        }
        setenv("TUNESTEWARD_DISPLAY", "sdl", 1);
    }
    if (std::strcmp(std::getenv("TUNESTEWARD_DISPLAY"), "sdl") == 0 && !platform::user::Screen::Instance().shown()) {
        PrintDisplayHint();
        return 1;
    }
    return AfxWinMain(nullptr, nullptr, const_cast<LPTSTR>(""), SW_SHOW);
}
