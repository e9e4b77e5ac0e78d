#include "platform/user/Screen.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/gdi/SurfaceDC.h"
#include "platform/user/Internal.h"
#include "platform/user/WindowManager.h"

namespace platform::user {

namespace {

constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 768;

} // namespace

Screen& Screen::Instance()
{
    // Never destroyed: windows of other threads may still draw while the process exits.
    static Screen* screen = new Screen();
    return *screen;
}

Screen::Screen()
{
    int width = kDefaultWidth, height = kDefaultHeight;
    if (const char* size = std::getenv("TUNESTEWARD_SCREEN")) {
        int w = 0, h = 0;
        if (std::sscanf(size, "%dx%d", &w, &h) == 2 && w > 0 && h > 0 && w <= gdi::Surface::kMaxDimension
            && h <= gdi::Surface::kMaxDimension)
            width = w, height = h;
    }
    install(gdi::Surface::create(width, height, false));
    const char* display = std::getenv("TUNESTEWARD_DISPLAY");
    if (display && std::strcmp(display, "sdl") == 0)
        m_backend = CreateSdlBackend(width, height);
}

void Screen::install(std::shared_ptr<gdi::Surface> surface)
{
    m_surface = std::move(surface);
    gdi::SetDisplaySurface(m_surface);
    {
        auto lock = WindowManager::Acquire();
        Window& desktop = WindowManager::Instance().desktop();
        desktop.windowRect = { 0, 0, width(), height() };
        desktop.clientRect = desktop.windowRect;
    }
    RefreshHeldDCs();
    // Filled directly: the desktop painter goes through Screen::Instance(), which may be what is
    // being built here.
    const std::uint32_t background = gdi::pixelFromColor(GetSysColor(COLOR_DESKTOP));
    for (int y = 0; y < height(); ++y)
        std::fill(m_surface->row(y), m_surface->row(y) + width(), background);
}

bool Screen::resize(int w, int h)
{
    if (w <= 0 || h <= 0 || w > gdi::Surface::kMaxDimension || h > gdi::Surface::kMaxDimension)
        return false;
    if (w == width() && h == height())
        return true;
    auto surface = gdi::Surface::create(w, h, false);
    if (!surface)
        return false;
    install(std::move(surface));
    if (m_backend)
        m_backend->resize(w, h);
    for (HWND top : TopLevelWindows())
        SendNotifyMessage(top, WM_DISPLAYCHANGE, 32, MAKELPARAM(static_cast<unsigned>(w), static_cast<unsigned>(h)));
    InvalidateRect(nullptr, nullptr, TRUE);
    return true;
}

void Screen::setBackend(std::unique_ptr<DisplayBackend> backend) { m_backend = std::move(backend); }

void Screen::setCursor(HCURSOR cursor)
{
    if (m_backend)
        m_backend->setCursor(cursor);
}

void Screen::present()
{
    if (m_backend && m_surface)
        m_backend->present(*m_surface);
}

bool Screen::pump(unsigned timeoutMs) { return m_backend && m_backend->pump(timeoutMs); }

void PresentScreen() { Screen::Instance().present(); }

bool PumpDisplay(DWORD timeoutMs) { return Screen::Instance().pump(timeoutMs); }

} // namespace platform::user
