// Region objects and the DC's clip.

#include <algorithm>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Raster.h"

using namespace platform::gdi;

namespace {

// The clip of a DC that has none: further limited by the surface and visible region when drawing.
constexpr RECT kEverything { -65536, -65536, 65536, 65536 };

HRGN addRegion(Region r)
{
    auto object = std::make_shared<RegionObject>();
    object->region = std::move(r);
    return addObject<HRGN>(object);
}

// A logical rectangle in device coordinates (the clip lives there).
RECT deviceRect(DeviceContext& dc, int l, int t, int r, int b) { return dc.rectToDevice(RECT { l, t, r, b }); }

int clipKind(DeviceContext& dc) { return dc.clipRegion().kind(); }

} // namespace

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) { return addRegion(Region(RECT { x1, y1, x2, y2 })); }

HRGN CreateRectRgnIndirect(const RECT* r)
{
    return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}

HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode)
{
    if (!pptl || cPoint < 1 || cPoint > 1'000'000 || (iMode != ALTERNATE && iMode != WINDING))
        return nullptr;
    return addRegion(Region::fromPolygon(pptl, cPoint, iMode == WINDING));
}

HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    const RECT box { std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2) };
    if (box.right - box.left > Surface::kMaxDimension || box.bottom - box.top > Surface::kMaxDimension)
        return nullptr;
    return addRegion(Region::fromEllipse(box));
}

int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode)
{
    auto dst = lookup<RegionObject>(hrgnDst);
    auto a = lookup<RegionObject>(hrgnSrc1);
    if (!dst || !a || iMode < RGN_AND || iMode > RGN_COPY)
        return ERROR;
    if (iMode == RGN_COPY) {
        dst->region = a->region;
        return dst->region.kind();
    }
    auto b = lookup<RegionObject>(hrgnSrc2);
    if (!b)
        return ERROR;
    dst->region = Region::combine(a->region, b->region, iMode);
    return dst->region.kind();
}

BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom)
{
    auto r = lookup<RegionObject>(hrgn);
    if (!r)
        return FALSE;
    r->region = Region(RECT { left, top, right, bottom });
    return TRUE;
}

int OffsetRgn(HRGN hrgn, int x, int y)
{
    auto r = lookup<RegionObject>(hrgn);
    if (!r)
        return ERROR;
    r->region.offset(x, y);
    return r->region.kind();
}

int GetRgnBox(HRGN hrgn, LPRECT lprc)
{
    auto r = lookup<RegionObject>(hrgn);
    if (!r || !lprc)
        return ERROR;
    *lprc = r->region.bounds();
    return r->region.kind();
}

BOOL PtInRegion(HRGN hrgn, int x, int y)
{
    auto r = lookup<RegionObject>(hrgn);
    return r && r->region.contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN hrgn, const RECT* lprect)
{
    auto r = lookup<RegionObject>(hrgn);
    if (!r || !lprect)
        return FALSE;
    const RECT n { std::min(lprect->left, lprect->right), std::min(lprect->top, lprect->bottom),
        std::max(lprect->left, lprect->right), std::max(lprect->top, lprect->bottom) };
    return r->region.intersects(n) ? TRUE : FALSE;
}

BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2)
{
    auto a = lookup<RegionObject>(hrgn1);
    auto b = lookup<RegionObject>(hrgn2);
    return a && b && a->region == b->region ? TRUE : FALSE;
}

namespace platform::gdi {

// A region given in logical coordinates, in surface coordinates.
Region regionToSurface(DeviceContext& dc, const Region& logical)
{
    if (dc.state.mapMode == MM_TEXT) {
        Region r = logical;
        r.offset(dc.toSurface(0, 0).x, dc.toSurface(0, 0).y);
        return r;
    }
    Region out;
    for (const RECT& r : logical.rects())
        out = Region::combine(out, Region(dc.rectToSurface(r)), RGN_OR);
    return out;
}

} // namespace platform::gdi

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr)
{
    auto dc = lookupDC(hdc);
    auto r = lookup<RegionObject>(hrgn);
    if (!dc || !r || !lookup<BrushObject>(hbr))
        return FALSE;
    fillRegion(*dc, regionToSurface(*dc, r->region), Pattern(*dc, hbr), 0xF0);
    return TRUE;
}

BOOL PaintRgn(HDC hdc, HRGN hrgn)
{
    auto dc = lookupDC(hdc);
    auto r = lookup<RegionObject>(hrgn);
    if (!dc || !r)
        return FALSE;
    fillRegion(*dc, regionToSurface(*dc, r->region), Pattern(*dc), rop3FromRop2(dc->state.rop2));
    return TRUE;
}

BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h)
{
    auto dc = lookupDC(hdc);
    auto r = lookup<RegionObject>(hrgn);
    if (!dc || !r || !lookup<BrushObject>(hbr) || w <= 0 || h <= 0)
        return FALSE;
    // The frame is the region less the region shrunk by w, h: the part of it whose every pixel
    // within w, h lies inside.
    const Region& full = r->region;
    Region inner = full;
    for (const auto& [dx, dy] : { std::pair { w, 0 }, std::pair { -w, 0 }, std::pair { 0, h }, std::pair { 0, -h } }) {
        Region moved = full;
        moved.offset(dx, dy);
        inner = Region::combine(inner, moved, RGN_AND);
    }
    fillRegion(*dc, regionToSurface(*dc, Region::combine(full, inner, RGN_DIFF)), Pattern(*dc, hbr), 0xF0);
    return TRUE;
}

BOOL InvertRgn(HDC hdc, HRGN hrgn)
{
    auto dc = lookupDC(hdc);
    auto r = lookup<RegionObject>(hrgn);
    if (!dc || !r)
        return FALSE;
    fillRegion(*dc, regionToSurface(*dc, r->region), Pattern::solid(0), 0x55);
    return TRUE;
}

int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return ERROR;
    auto r = lookup<RegionObject>(hrgn);
    if (!hrgn) {
        if (mode != RGN_COPY)
            return ERROR;
        dc->state.clip.reset();
    } else if (!r || mode < RGN_AND || mode > RGN_COPY) {
        return ERROR;
    } else if (mode == RGN_COPY || (!dc->state.clip && mode == RGN_AND)) {
        dc->state.clip = r->region;
    } else if (!dc->state.clip) {
        // No clip means the whole device: OR keeps it so, XOR and DIFF cut into it.
        if (mode != RGN_OR)
            dc->state.clip = Region::combine(Region(kEverything), r->region, mode);
    } else {
        dc->state.clip = Region::combine(*dc->state.clip, r->region, mode);
    }
    dc->clipChanged();
    return clipKind(*dc);
}

int SelectClipRgn(HDC hdc, HRGN hrgn) { return ExtSelectClipRgn(hdc, hrgn, RGN_COPY); }

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return ERROR;
    const Region rect(deviceRect(*dc, left, top, right, bottom));
    dc->state.clip = dc->state.clip ? Region::combine(*dc->state.clip, rect, RGN_AND) : rect;
    dc->clipChanged();
    return clipKind(*dc);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return ERROR;
    const Region base = dc->state.clip ? *dc->state.clip : Region(kEverything);
    dc->state.clip = Region::combine(base, Region(deviceRect(*dc, left, top, right, bottom)), RGN_DIFF);
    dc->clipChanged();
    return clipKind(*dc);
}

int OffsetClipRgn(HDC hdc, int x, int y)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return ERROR;
    if (dc->state.clip) {
        dc->state.clip->offset(dc->scaleX(x), dc->scaleY(y));
        dc->clipChanged();
    }
    return clipKind(*dc);
}

int GetClipBox(HDC hdc, LPRECT lprect)
{
    auto dc = lookupDC(hdc);
    if (!dc || !lprect)
        return ERROR;
    const Region& clip = dc->clipRegion();
    RECT b = clip.bounds();
    // Back to logical coordinates.
    const POINT a = dc->toLogical(b.left - dc->origin.x, b.top - dc->origin.y);
    const POINT c = dc->toLogical(b.right - dc->origin.x, b.bottom - dc->origin.y);
    *lprect = RECT { std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y) };
    return clip.kind();
}

int GetClipRgn(HDC hdc, HRGN hrgn)
{
    auto dc = lookupDC(hdc);
    auto r = lookup<RegionObject>(hrgn);
    if (!dc || !r)
        return -1;
    if (!dc->state.clip)
        return 0;
    r->region = *dc->state.clip;
    return 1;
}

BOOL RectVisible(HDC hdc, const RECT* lprect)
{
    auto dc = lookupDC(hdc);
    if (!dc || !lprect)
        return FALSE;
    return dc->clipRegion().intersects(dc->rectToSurface(*lprect)) ? TRUE : FALSE;
}

BOOL PtVisible(HDC hdc, int x, int y)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return FALSE;
    const POINT p = dc->toSurface(x, y);
    return dc->clipRegion().contains(p.x, p.y) ? TRUE : FALSE;
}
