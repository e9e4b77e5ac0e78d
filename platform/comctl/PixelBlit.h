#pragma once
// Moving 32-bit pixels kept in memory (0x00RRGGBB, rows top-down) onto DCs and into bitmaps.

#include <cstdint>

#include "platform/gdi/WinGdi.h"

namespace platform::comctl {

// Draws w by h pixels at x, y through a raster operation.
void BlitPixels(HDC dc, int x, int y, int w, int h, const std::uint32_t* pixels, DWORD rop);
// A new 32-bit bitmap holding the pixels (the caller deletes it).
HBITMAP MakeBitmap(int w, int h, const std::uint32_t* pixels);

} // namespace platform::comctl
