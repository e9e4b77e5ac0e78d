// Device contexts: creation, selection, saved states, colours and modes, mapping, capabilities,
// and the seam through which the window layer makes its DCs.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <cstring>
#include <type_traits>

#include "platform/base/WinError.h"
#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/PrintJob.h"
#include "platform/gdi/StockObjects.h"

using namespace platform::gdi;

namespace {

constexpr int kScreenDpi = 96;
// What the character-extra calls return for a handle that is not a DC.
constexpr int kCharExtraFailed = static_cast<int>(0x80000000);

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
    auto sign = [](auto v) { return v < 0 ? -1 : 1; };
    if (std::abs(sx) > std::abs(sy))
        s.viewportExt.cx = MulDiv(s.windowExt.cx, std::abs(s.viewportExt.cy), std::abs(s.windowExt.cy)) * sign(sx)
            * sign(s.windowExt.cx);
    else if (std::abs(sy) > std::abs(sx))
        s.viewportExt.cy = MulDiv(s.windowExt.cy, std::abs(s.viewportExt.cx), std::abs(s.windowExt.cx)) * sign(sy)
            * sign(s.windowExt.cy);
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

// One field of the DC's state, or `failed` for a handle that is not a DC.
template <class T> T readField(HDC hdc, T DcState::*field, std::type_identity_t<T> failed)
{
    auto dc = lookupDC(hdc);
    return dc ? dc->state.*field : failed;
}

// Replaces one field of the DC's state and returns its old value; `failed` for a handle that is not
// a DC or a value the field does not take.
template <class T> T swapField(HDC hdc, T DcState::*field, std::type_identity_t<T> value, bool valid,
    std::type_identity_t<T> failed)
{
    auto dc = lookupDC(hdc);
    if (!dc || !valid)
        return failed;
    return std::exchange(dc->state.*field, value);
}

// Copies one point or size of the DC's state out; the reader must give somewhere to put it.
template <class T> BOOL readState(HDC hdc, T DcState::*field, T* out)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (!out)
            return false;
        *out = dc.state.*field;
        return true;
    });
}

// Moves an origin to (x, y), or by (x, y) when relative; the old origin goes to `old` if asked.
BOOL moveOrigin(HDC hdc, POINT DcState::*field, int x, int y, bool relative, LPPOINT old)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        POINT& org = dc.state.*field;
        if (old)
            *old = org;
        org = relative ? POINT { org.x + x, org.y + y } : POINT { x, y };
        return true;
    });
}

// Converts c points in place between device and logical space.
BOOL mapPoints(HDC hdc, POINT (DeviceContext::*map)(int, int) const, LPPOINT lppt, int c)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (!lppt || c < 0)
            return false;
        for (int i = 0; i < c; ++i)
            lppt[i] = (dc.*map)(lppt[i].x, lppt[i].y);
        return true;
    });
}

// Extents only change in the scalable mapping modes; elsewhere the call reports the old extent
// and succeeds, as the fixed modes keep their own.
BOOL setExtent(HDC hdc, SIZE DcState::*field, int x, int y, LPSIZE old)
{
    return withDC(hdc, [&](DeviceContext& dc) {
        if (old)
            *old = dc.state.*field;
        if (dc.state.mapMode != MM_ISOTROPIC && dc.state.mapMode != MM_ANISOTROPIC)
            return true;
        if (x == 0 || y == 0)
            return false;
        dc.state.*field = { x, y };
        fixIsotropic(dc);
        return true;
    });
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
    return swapField(hdc, &DcState::bkColor, color & 0xFFFFFF, true, CLR_INVALID);
}

COLORREF GetBkColor(HDC hdc) { return readField(hdc, &DcState::bkColor, CLR_INVALID); }

int SetBkMode(HDC hdc, int mode)
{
    return swapField(hdc, &DcState::bkMode, mode, mode == TRANSPARENT || mode == OPAQUE, 0);
}

int GetBkMode(HDC hdc) { return readField(hdc, &DcState::bkMode, 0); }

COLORREF SetTextColor(HDC hdc, COLORREF color)
{
    return swapField(hdc, &DcState::textColor, color & 0xFFFFFF, true, CLR_INVALID);
}

COLORREF GetTextColor(HDC hdc) { return readField(hdc, &DcState::textColor, CLR_INVALID); }

int SetROP2(HDC hdc, int rop2)
{
    return swapField(hdc, &DcState::rop2, rop2, rop2 >= R2_BLACK && rop2 <= R2_WHITE, 0);
}

int GetROP2(HDC hdc) { return readField(hdc, &DcState::rop2, 0); }

int SetPolyFillMode(HDC hdc, int mode)
{
    return swapField(hdc, &DcState::polyFillMode, mode, mode == ALTERNATE || mode == WINDING, 0);
}

int GetPolyFillMode(HDC hdc) { return readField(hdc, &DcState::polyFillMode, 0); }

int SetStretchBltMode(HDC hdc, int mode)
{
    return swapField(hdc, &DcState::stretchMode, mode, mode >= BLACKONWHITE && mode <= HALFTONE, 0);
}

int GetStretchBltMode(HDC hdc) { return readField(hdc, &DcState::stretchMode, 0); }

UINT SetTextAlign(HDC hdc, UINT align)
{
    return swapField(hdc, &DcState::textAlign, align, true, GDI_ERROR);
}

UINT GetTextAlign(HDC hdc) { return readField(hdc, &DcState::textAlign, GDI_ERROR); }

int SetTextCharacterExtra(HDC hdc, int extra)
{
    return swapField(hdc, &DcState::charExtra, extra, true, kCharExtraFailed);
}

int GetTextCharacterExtra(HDC hdc) { return readField(hdc, &DcState::charExtra, kCharExtraFailed); }

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return moveOrigin(hdc, &DcState::brushOrg, x, y, false, lppt);
}

BOOL GetBrushOrgEx(HDC hdc, LPPOINT lppt) { return readState(hdc, &DcState::brushOrg, lppt); }

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

int GetMapMode(HDC hdc) { return readField(hdc, &DcState::mapMode, 0); }

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return moveOrigin(hdc, &DcState::windowOrg, x, y, false, lppt);
}

BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppt) { return readState(hdc, &DcState::windowOrg, lppt); }

BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return moveOrigin(hdc, &DcState::windowOrg, x, y, true, lppt);
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return moveOrigin(hdc, &DcState::viewportOrg, x, y, false, lppt);
}

BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppt) { return readState(hdc, &DcState::viewportOrg, lppt); }

BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return moveOrigin(hdc, &DcState::viewportOrg, x, y, true, lppt);
}

BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz) { return setExtent(hdc, &DcState::windowExt, x, y, lpsz); }

BOOL GetWindowExtEx(HDC hdc, LPSIZE lpsize) { return readState(hdc, &DcState::windowExt, lpsize); }

BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz) { return setExtent(hdc, &DcState::viewportExt, x, y, lpsz); }

BOOL GetViewportExtEx(HDC hdc, LPSIZE lpsize) { return readState(hdc, &DcState::viewportExt, lpsize); }

BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c) { return mapPoints(hdc, &DeviceContext::toLogical, lppt, c); }

BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c) { return mapPoints(hdc, &DeviceContext::toDevice, lppt, c); }

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
