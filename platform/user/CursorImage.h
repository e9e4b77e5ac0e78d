#pragma once
// A cursor's picture as a display that draws its own cursors wants it: straight ARGB pixels with the
// transparent ones at alpha 0, and the hot spot.

#include <cstdint>
#include <vector>

#include "platform/user/WinUser.h"

namespace platform::user {

struct CursorImage {
    int width { 0 };
    int height { 0 };
    POINT hotSpot {};
    std::vector<std::uint32_t> argb; // rows top to bottom
};

// The picture of a cursor (or icon); false for a bad handle.
bool CursorImageOf(HCURSOR cursor, CursorImage& image);

} // namespace platform::user
