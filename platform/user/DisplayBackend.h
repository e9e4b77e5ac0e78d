#pragma once
// What shows the screen to a person. The headless back-end shows nothing; the sdl back-end shows the
// screen's pixels in one real window and turns that window's events into input.

#include <memory>

#include "platform/base/WinTypes.h"
#include "platform/gdi/Surface.h"

namespace platform::user {

class DisplayBackend {
public:
    virtual ~DisplayBackend() = default;

    // "headless" or "sdl".
    virtual const char* name() const = 0;
    // Follows a new screen size (the real window takes the screen's size).
    virtual void resize(int width, int height) = 0;
    // Shows a cursor over the display (the standard shapes; others as the arrow).
    virtual void setCursor(HCURSOR cursor) = 0;
    // Shows the screen's current pixels.
    virtual void present(const gdi::Surface& screen) = 0;
    // Waits up to timeoutMs for events of the display and turns them into input; false when this
    // back-end has no events to fetch on the calling thread.
    virtual bool pump(unsigned timeoutMs) = 0;
    // What the display shows now, read back from it; null when there is nothing to read.
    virtual std::shared_ptr<gdi::Surface> shown() = 0;
};

} // namespace platform::user
