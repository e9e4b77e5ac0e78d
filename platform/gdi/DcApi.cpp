// Device contexts: creation, selection, saved states, colours and modes, mapping, capabilities,
// and the seam through which the window layer makes its DCs.

#include <algorithm>
#include <utility>
#include <cstring>

#include "platform/base/WinError.h"
#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/PrintJob.h"
#include "platform/gdi/StockObjects.h"

using namespace platform::gdi;

namespace {

constexpr int kScreenDpi = 96;

std::weak_ptr<Surface>& displaySurface()
{
    static std::weak_ptr<Surface> screen;
    return screen;
}

void retain(HGDIOBJ h, int delta)
{
    if (auto o = HandleTable::instance().find(h))
        o->selections = std::max(0, o->selections + delta);
}

void retainState(const DcState& s, int delta)
{
    retain(s.pen, delta);
    retain(s.brush, delta);
    retain(s.font, delta);
    retain(s.bitmap, delta);
    retain(s.palette, delta);
}

void attachBitmap(DeviceContext& dc, HDC hdc, HBITMAP hbm)
{
    if (auto old = lookup<BitmapObject>(dc.state.bitmap); old && old->selectedInto == hdc) {
        pushSection(*old);
        old->selectedInto = nullptr;
    }
    dc.state.bitmap = hbm;
    auto bmp = lookup<BitmapObject>(hbm);
    if (bmp && !bmp->stock && bmp->selectedInto != hdc) {
        pullSection(*bmp);
        bmp->selectedInto = hdc;
    }
    dc.surface = bmp ? bmp->surface : nullptr;
    dc.clipChanged();
}

// Releases what a DC holds, before it goes.
void detachAll(DeviceContext& dc, HDC hdc)
{
    retainState(dc.state, -1);
    for (const DcState& saved : dc.saved)
        retainState(saved, -1);
    if (auto bmp = lookup<BitmapObject>(dc.state.bitmap); bmp && bmp->selectedInto == hdc) {
        pushSection(*bmp);
        bmp->selectedInto = nullptr;
    }
    dc.state = DcState {};
    dc.saved.clear();
}

int dpiOf(const DeviceContext& dc) { return dc.print ? dc.print->dpi() : kScreenDpi; }

// The fixed extents of the metric mapping modes, for the DC's resolution.
void applyFixedExtents(DeviceContext& dc)
{
    const int dpi = dpiOf(dc);
    int units = 0;
    switch (dc.state.mapMode) {
    case MM_LOMETRIC: units = 254; break;
    case MM_HIMETRIC: units = 2540; break;
    case MM_LOENGLISH: units = 100; break;
    case MM_HIENGLISH: units = 1000; break;
    case MM_TWIPS: units = 1440; break;
    default: return;
    }
    dc.state.windowExt = { units, units };
    dc.state.viewportExt = { dpi, -dpi };
}

// In MM_ISOTROPIC one logical unit has the same size on both axes: the viewport extent of the
// longer axis is shrunk to match.
void fixIsotropic(DeviceContext& dc)
{
    if (dc.state.mapMode != MM_ISOTROPIC)
        return;
    DcState& s = dc.state;
    const double sx = static_cast<double>(s.viewportExt.cx) / s.windowExt.cx;
    const double sy = static_cast<double>(s.viewportExt.cy) / s.windowExt.cy;
    const double ax = sx < 0 ? -sx : sx, ay = sy < 0 ? -sy : sy;
    if (ax > ay)
        s.viewportExt.cx = MulDiv(s.windowExt.cx, s.viewportExt.cy < 0 ? -s.viewportExt.cy : s.viewportExt.cy,
                               s.windowExt.cy < 0 ? -s.windowExt.cy : s.windowExt.cy)
            * (sx < 0 ? -1 : 1) * (s.windowExt.cx < 0 ? -1 : 1);
    else if (ay > ax)
        s.viewportExt.cy = MulDiv(s.windowExt.cy, s.viewportExt.cx < 0 ? -s.viewportExt.cx : s.viewportExt.cx,
                               s.windowExt.cx < 0 ? -s.windowExt.cx : s.windowExt.cx)
            * (sy < 0 ? -1 : 1) * (s.windowExt.cy < 0 ? -1 : 1);
}

template <class F> BOOL withDC(HDC hdc, F&& f)
{
    auto dc = lookupDC(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return f(*dc) ? TRUE : FALSE;
}

} // namespace

HDC CreateCompatibleDC(HDC hdc)
{
    if (hdc && !lookupDC(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto dc = std::make_shared<DeviceContext>();
    dc->kind = DcKind::Memory;
    HDC h = addDC(dc);
    retainState(dc->state, +1);
    return h;
}

HDC CreateDC(LPCSTR pwszDriver, LPCSTR pwszDevice, LPCSTR pszPort, const void* pdm)
{
    if (!pwszDriver || std::strcmp(pwszDriver, "DISPLAY") != 0)
        return nullptr;
    // A DC on the whole screen when the window layer has one, else an information-only DC.
    if (auto screen = displaySurface().lock()) {
        HDC h = CreateSurfaceDC(screen, POINT {}, Region(RECT { 0, 0, screen->width(), screen->height() }));
        lookupDC(h)->created = true;
        return h;
    }
    auto dc = std::make_shared<DeviceContext>();
    dc->kind = DcKind::Info;
    HDC h = addDC(dc);
    retainState(dc->state, +1);
    return h;
}

BOOL DeleteDC(HDC hdc)
{
    auto dc = lookupDC(hdc);
    if (!dc || (dc->kind == DcKind::Surface && !dc->created)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    detachAll(*dc, hdc);
    return HandleTable::instance().remove(hdc) ? TRUE : FALSE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h)
{
    auto dc = lookupDC(hdc);
    auto object = HandleTable::instance().find(h);
    if (!dc || !object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    HGDIOBJ old = nullptr;
    switch (object->type()) {
    case OBJ_PEN: old = dc->state.pen; dc->state.pen = static_cast<HPEN>(h); break;
    case OBJ_BRUSH: old = dc->state.brush; dc->state.brush = static_cast<HBRUSH>(h); break;
    case OBJ_FONT: old = dc->state.font; dc->state.font = static_cast<HFONT>(h); break;
    case OBJ_BITMAP: {
        auto bmp = std::static_pointer_cast<BitmapObject>(object);
        if (dc->kind != DcKind::Memory)
            return nullptr;
        // A bitmap can be selected into one DC at a time.
        if (bmp->selectedInto && bmp->selectedInto != hdc && !bmp->stock)
            return nullptr;
        old = dc->state.bitmap;
        attachBitmap(*dc, hdc, static_cast<HBITMAP>(h));
        break;
    }
    case OBJ_REGION: {
        const int kind = SelectClipRgn(hdc, static_cast<HRGN>(h));
        return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(kind));
    }
    default:
        return nullptr;
    }
    if (old != h) {
        retain(h, +1);
        retain(old, -1);
    }
    return old;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return nullptr;
    switch (type) {
    case OBJ_PEN: return dc->state.pen;
    case OBJ_BRUSH: return dc->state.brush;
    case OBJ_FONT: return dc->state.font;
    case OBJ_BITMAP: return dc->state.bitmap;
    case OBJ_PAL: return dc->state.palette;
    default: return nullptr;
    }
}

int SaveDC(HDC hdc)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return 0;
    dc->saved.push_back(dc->state);
    retainState(dc->state, +1);
    return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC hdc, int nSavedDC)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return FALSE;
    const int depth = static_cast<int>(dc->saved.size());
    const int level = nSavedDC < 0 ? depth + 1 + nSavedDC : nSavedDC;
    if (level < 1 || level > depth)
        return FALSE;
    while (static_cast<int>(dc->saved.size()) > level) {
        retainState(dc->saved.back(), -1);
        dc->saved.pop_back();
    }
    DcState next = std::move(dc->saved.back());
    dc->saved.pop_back();
    retainState(dc->state, -1);
    const HBITMAP bitmap = next.bitmap;
    dc->state = std::move(next);
    if (dc->kind == DcKind::Memory) {
        // The saved bitmap may have been deleted meanwhile; the default one then takes its place.
        if (!lookup<BitmapObject>(bitmap)) {
            dc->state.bitmap = defaultBitmap();
            retain(dc->state.bitmap, +1);
        }
        attachBitmap(*dc, hdc, dc->state.bitmap);
    }
    dc->clipChanged();
    return TRUE;
}

int GetDeviceCaps(HDC hdc, int index)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return 0;
    const int dpi = dpiOf(*dc);
    const SIZE size = dc->extent();
    const bool mono = dc->surface && dc->surface->monochrome();
    switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return dc->print ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZRES: return size.cx;
    case VERTRES: return size.cy;
    case HORZSIZE: return MulDiv(size.cx, 254, dpi * 10);
    case VERTSIZE: return MulDiv(size.cy, 254, dpi * 10);
    case BITSPIXEL: return mono ? 1 : 32;
    case PLANES: return 1;
    case NUMCOLORS: return mono ? 2 : -1;
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY: return dpi;
    case SIZEPALETTE:
    case NUMRESERVED: return 0;
    case COLORRES: return 24;
    case PHYSICALWIDTH: return size.cx;
    case PHYSICALHEIGHT: return size.cy;
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY: return 0;
    default: return 0;
    }
}

COLORREF SetBkColor(HDC hdc, COLORREF color)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return CLR_INVALID;
    return std::exchange(dc->state.bkColor, color & 0xFFFFFF);
}

COLORREF GetBkColor(HDC hdc)
{
    auto dc = lookupDC(hdc);
    return dc ? dc->state.bkColor : CLR_INVALID;
}

int SetBkMode(HDC hdc, int mode)
{
    auto dc = lookupDC(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    return std::exchange(dc->state.bkMode, mode);
}

int GetBkMode(HDC hdc)
{
    auto dc = lookupDC(hdc);
    return dc ? dc->state.bkMode : 0;
}

COLORREF SetTextColor(HDC hdc, COLORREF color)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return CLR_INVALID;
    return std::exchange(dc->state.textColor, color & 0xFFFFFF);
}

COLORREF GetTextColor(HDC hdc)
{
    auto dc = lookupDC(hdc);
    return dc ? dc->state.textColor : CLR_INVALID;
}

int SetROP2(HDC hdc, int rop2)
{
    auto dc = lookupDC(hdc);
    if (!dc || rop2 < R2_BLACK || rop2 > R2_WHITE)
        return 0;
    return std::exchange(dc->state.rop2, rop2);
}

int GetROP2(HDC hdc)
{
    auto dc = lookupDC(hdc);
    return dc ? dc->state.rop2 : 0;
}

int SetPolyFillMode(HDC hdc, int mode)
{
    auto dc = lookupDC(hdc);
    if (!dc || (mode != ALTERNATE && mode != WINDING))
        return 0;
    return std::exchange(dc->state.polyFillMode, mode);
}

int GetPolyFillMode(HDC hdc)
{
    auto dc = lookupDC(hdc);
    return dc ? dc->state.polyFillMode : 0;
}

int SetStretchBltMode(HDC hdc, int mode)
{
    auto dc = lookupDC(hdc);
    if (!dc || mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    return std::exchange(dc->state.stretchMode, mode);
}

int GetStretchBltMode(HDC hdc)
{
    auto dc = lookupDC(hdc);
    return dc ? dc->state.stretchMode : 0;
}

UINT SetTextAlign(HDC hdc, UINT align)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return GDI_ERROR;
    return std::exchange(dc->state.textAlign, align);
}

UINT GetTextAlign(HDC hdc)
{
    auto dc = lookupDC(hdc);
    return dc ? dc->state.textAlign : GDI_ERROR;
}

int SetTextCharacterExtra(HDC hdc, int extra)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return static_cast<int>(0x80000000);
    return std::exchange(dc->state.charExtra, extra);
}

int GetTextCharacterExtra(HDC hdc)
{
    auto dc = lookupDC(hdc);
    return dc ? dc->state.charExtra : static_cast<int>(0x80000000);
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (lppt)
            *lppt = dc.state.brushOrg;
        dc.state.brushOrg = { x, y };
        return true;
    });
}

BOOL GetBrushOrgEx(HDC hdc, LPPOINT lppt)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (!lppt)
            return false;
        *lppt = dc.state.brushOrg;
        return true;
    });
}

// ---- Mapping ---------------------------------------------------------------------------------------

int SetMapMode(HDC hdc, int iMode)
{
    auto dc = lookupDC(hdc);
    if (!dc || iMode < MM_TEXT || iMode > MM_ANISOTROPIC)
        return 0;
    const int old = dc->state.mapMode;
    dc->state.mapMode = iMode;
    if (iMode == MM_TEXT) {
        dc->state.windowExt = { 1, 1 };
        dc->state.viewportExt = { 1, 1 };
    } else if (iMode == MM_ISOTROPIC && old != MM_ISOTROPIC && old != MM_ANISOTROPIC) {
        applyFixedExtents(*dc);
        dc->state.mapMode = MM_LOMETRIC;
        applyFixedExtents(*dc);
        dc->state.mapMode = MM_ISOTROPIC;
    } else {
        applyFixedExtents(*dc);
    }
    return old;
}

int GetMapMode(HDC hdc)
{
    auto dc = lookupDC(hdc);
    return dc ? dc->state.mapMode : 0;
}

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (lppt)
            *lppt = dc.state.windowOrg;
        dc.state.windowOrg = { x, y };
        return true;
    });
}

BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppt)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (!lppt)
            return false;
        *lppt = dc.state.windowOrg;
        return true;
    });
}

BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (lppt)
            *lppt = dc.state.windowOrg;
        dc.state.windowOrg.x += x;
        dc.state.windowOrg.y += y;
        return true;
    });
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (lppt)
            *lppt = dc.state.viewportOrg;
        dc.state.viewportOrg = { x, y };
        return true;
    });
}

BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppt)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (!lppt)
            return false;
        *lppt = dc.state.viewportOrg;
        return true;
    });
}

BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (lppt)
            *lppt = dc.state.viewportOrg;
        dc.state.viewportOrg.x += x;
        dc.state.viewportOrg.y += y;
        return true;
    });
}

BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (lpsz)
            *lpsz = dc.state.windowExt;
        if (dc.state.mapMode != MM_ISOTROPIC && dc.state.mapMode != MM_ANISOTROPIC)
            return true;
        if (x == 0 || y == 0)
            return false;
        dc.state.windowExt = { x, y };
        fixIsotropic(dc);
        return true;
    });
}

BOOL GetWindowExtEx(HDC hdc, LPSIZE lpsize)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (!lpsize)
            return false;
        *lpsize = dc.state.windowExt;
        return true;
    });
}

BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (lpsz)
            *lpsz = dc.state.viewportExt;
        if (dc.state.mapMode != MM_ISOTROPIC && dc.state.mapMode != MM_ANISOTROPIC)
            return true;
        if (x == 0 || y == 0)
            return false;
        dc.state.viewportExt = { x, y };
        fixIsotropic(dc);
        return true;
    });
}

BOOL GetViewportExtEx(HDC hdc, LPSIZE lpsize)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (!lpsize)
            return false;
        *lpsize = dc.state.viewportExt;
        return true;
    });
}

BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (!lppt || c < 0)
            return false;
        for (int i = 0; i < c; ++i)
            lppt[i] = dc.toLogical(lppt[i].x, lppt[i].y);
        return true;
    });
}

BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (!lppt || c < 0)
            return false;
        for (int i = 0; i < c; ++i)
            lppt[i] = dc.toDevice(lppt[i].x, lppt[i].y);
        return true;
    });
}

// ---- The window layer's seam ---------------------------------------------------------------------

namespace platform::gdi {

HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, POINT origin, const Region& visible)
{
    if (!surface)
        return nullptr;
    auto dc = std::make_shared<DeviceContext>();
    dc->kind = DcKind::Surface;
    dc->surface = std::move(surface);
    dc->origin = origin;
    dc->visible = visible;
    HDC h = addDC(dc);
    retainState(dc->state, +1);
    return h;
}

void SetDisplaySurface(std::shared_ptr<Surface> screen) { displaySurface() = screen; }

BOOL UpdateSurfaceDC(HDC hdc, POINT origin, const Region& visible)
{
    auto dc = lookupDC(hdc);
    if (!dc || dc->kind != DcKind::Surface)
        return FALSE;
    dc->origin = origin;
    dc->visible = visible;
    dc->clipChanged();
    return TRUE;
}

BOOL ResetSurfaceDC(HDC hdc)
{
    auto dc = lookupDC(hdc);
    if (!dc || dc->kind != DcKind::Surface)
        return FALSE;
    detachAll(*dc, hdc);
    initDefaults(*dc);
    retainState(dc->state, +1);
    return TRUE;
}

BOOL ReleaseSurfaceDC(HDC hdc)
{
    auto dc = lookupDC(hdc);
    if (!dc || dc->kind != DcKind::Surface)
        return FALSE;
    detachAll(*dc, hdc);
    return HandleTable::instance().remove(hdc) ? TRUE : FALSE;
}

std::shared_ptr<Surface> SurfaceOfDC(HDC hdc)
{
    auto dc = lookupDC(hdc);
    return dc ? dc->surface : nullptr;
}

std::shared_ptr<Surface> SurfaceOfBitmap(HBITMAP hbm)
{
    auto bmp = lookup<BitmapObject>(hbm);
    return bmp ? bmp->surface : nullptr;
}

BOOL SaveSurfacePng(HDC hdc, const char* path)
{
    auto s = SurfaceOfDC(hdc);
    return s && path && s->writePng(path) ? TRUE : FALSE;
}

BOOL SaveBitmapPng(HBITMAP hbm, const char* path)
{
    auto s = SurfaceOfBitmap(hbm);
    return s && path && s->writePng(path) ? TRUE : FALSE;
}

} // namespace platform::gdi
