#pragma once
// The seam through which the window layer makes its device contexts. A window, client, screen
// or desktop DC draws onto a shared surface (the screen's pixels) with its device origin at a
// point of that surface (the window's or client area's top-left corner in screen coordinates)
// and clipped to a visible region given in surface coordinates (the window's visible part, less
// covering windows and, for WS_CLIPCHILDREN, its children). The application's own clip
// (SelectClipRgn, IntersectClipRect...) is further intersected with it. Such DCs are released with
// ReleaseSurfaceDC, not DeleteDC.

#include <memory>
#include <vector>

#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/WinGdi.h"

namespace platform::gdi {

// Tells the drawing layer which surface is the screen (CreateDC("DISPLAY") draws on it); it is
// held weakly, so the window layer stays its owner.
void SetDisplaySurface(std::shared_ptr<Surface> screen);
// A DC on `surface` with device origin `origin` and drawing limited to `visible` (surface
// coordinates). Null when the surface is null.
HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, POINT origin, const Region& visible);
// Moves or re-clips a surface DC (a window moved while its DC is held); FALSE for any other DC.
BOOL UpdateSurfaceDC(HDC hdc, POINT origin, const Region& visible);
// Resets a surface DC to its defaults (objects, colours, modes, mapping, clip) so that a cached DC
// is clean for its next user.
BOOL ResetSurfaceDC(HDC hdc);
// Frees a surface DC; FALSE for any other DC.
BOOL ReleaseSurfaceDC(HDC hdc);
// The surface a DC draws on (for a memory DC: its selected bitmap's), or null.
std::shared_ptr<Surface> SurfaceOfDC(HDC hdc);
// The surface behind a bitmap handle, or null.
std::shared_ptr<Surface> SurfaceOfBitmap(HBITMAP hbm);
// Writes what a DC's surface holds (or, for a bitmap handle, the bitmap) to a PNG file.
BOOL SaveSurfacePng(HDC hdc, const char* path);
BOOL SaveBitmapPng(HBITMAP hbm, const char* path);

} // namespace platform::gdi
