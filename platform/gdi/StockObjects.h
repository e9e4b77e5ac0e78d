#pragma once
// The process-wide stock objects and the defaults a new DC starts with.

#include "platform/gdi/SurfaceDC.h"
#include "platform/gdi/WinGdi.h"

namespace platform::gdi {

HGDIOBJ stockObject(int i);
// The 1x1 monochrome bitmap every memory DC starts with.
HBITMAP defaultBitmap();

} // namespace platform::gdi
