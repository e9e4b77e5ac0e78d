#pragma once
// The one virtual screen: a surface of pixels that every top-level window paints into, and the
// back-end that shows it. TUNESTEWARD_DISPLAY=headless|sdl picks the back-end (headless by default;
// sdl falls back to headless when no display can be opened). TUNESTEWARD_SCREEN=WIDTHxHEIGHT sets the
// size of a headless screen (1024x768 by default).

#include <memory>

#include "platform/gdi/Surface.h"
#include "platform/user/DisplayBackend.h"

namespace platform::user {

class Screen {
public:
    static Screen& Instance();

    std::shared_ptr<gdi::Surface> surface() const { return m_surface; }
    int width() const { return m_surface ? m_surface->width() : 0; }
    int height() const { return m_surface ? m_surface->height() : 0; }
    const char* backendName() const { return m_backend ? m_backend->name() : "headless"; }

    // Gives the screen a new size: the desktop follows, every window is told (WM_DISPLAYCHANGE) and
    // everything is painted again. Sizes below 1x1 or above the surface limits are refused.
    bool resize(int width, int height);
    // Replaces the back-end (null: headless).
    void setBackend(std::unique_ptr<DisplayBackend> backend);
    // Shows the cursor on the back-end.
    void setCursor(HCURSOR cursor);
    // Shows what changed.
    void present();
    bool pump(unsigned timeoutMs);
    // What the back-end shows, read back (null for headless).
    std::shared_ptr<gdi::Surface> shown() { return m_backend ? m_backend->shown() : nullptr; }

private:
    Screen();
    void install(std::shared_ptr<gdi::Surface> surface);

    std::shared_ptr<gdi::Surface> m_surface;
    std::unique_ptr<DisplayBackend> m_backend;
};

// Opens the sdl back-end at the screen's size; null when SDL cannot open a display.
std::unique_ptr<DisplayBackend> CreateSdlBackend(int width, int height);

} // namespace platform::user
