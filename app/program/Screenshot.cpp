#include "app/program/Screenshot.h"

#include <chrono>
#include <cstdio>

#include "app/CPelicanApp.h"
#include "platform/afx/CWnd.h"
#include "platform/base/Modules.h"
#include "platform/base/Wait.h"
#include "platform/user/Screen.h"

namespace {

// Longer than the splash shows, so a slow machine still gets past it.
constexpr auto kSplashDeadline = std::chrono::seconds(20);

void PumpAndIdle(CPelicanApp& app)
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            return;
        if (!app.PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    for (LONG count = 0; app.OnIdle(count); ++count) { }
}

} // namespace

bool RunForScreenshot(CPelicanApp& app, const char* pngPath)
{
    app.m_hInstance = ::GetModuleHandle(nullptr);
    app.m_lpCmdLine = const_cast<LPTSTR>("");
    app.m_nCmdShow = SW_SHOW;
    app.SetCurrentHandles();
    if (!app.InitInstance()) {
        std::fprintf(stderr, "Tune Steward did not start.\n");
        app.ExitInstance();
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + kSplashDeadline;
    do {
        PumpAndIdle(app);
        if (app.m_bSplashUp)
            ::Sleep(20);
    } while (app.m_bSplashUp && std::chrono::steady_clock::now() < deadline);
    // Twice: the second pass paints what the first one's idle work changed (the status bar's prompt).
    PumpAndIdle(app);
    PumpAndIdle(app);

    bool saved = false;
    if (app.m_pMainWnd && app.m_pMainWnd->m_hWnd) {
        RECT window {};
        app.m_pMainWnd->GetWindowRect(&window);
        const auto screen = platform::user::Screen::Instance().surface();
        const auto picture = screen ? screen->copy(window.left, window.top, window.right - window.left,
                                          window.bottom - window.top)
                                    : nullptr;
        saved = picture && picture->writePng(pngPath);
        if (!saved)
            std::fprintf(stderr, "Could not write %s.\n", pngPath);
        app.m_pMainWnd->SendMessage(WM_CLOSE);
        PumpAndIdle(app);
    }
    app.ExitInstance();
    return saved;
}
