// Fills, blits, pixels, lines and shapes.

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/base/WinError.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/PrintJob.h"
#include "platform/gdi/Raster.h"

using namespace platform::gdi;

namespace platform::gdi {

namespace {

constexpr int kMaxShapeExtent = 1 << 16;

RECT normalized(int l, int t, int r, int b) { return { std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b) }; }

// The pixels a blit covers from a corner and an extent: a negative extent runs back from the
// corner pixel, which stays covered (so x + w - 1 with -w mirrors a rectangle in place).
RECT spanned(POINT a, POINT b)
{
    RECT r = normalized(a.x, a.y, b.x, b.y);
    if (b.x < a.x) {
        r.left++;
        r.right++;
    }
    if (b.y < a.y) {
        r.top++;
        r.bottom++;
    }
    return r;
}

bool absurd(const RECT& r)
{
    return r.right - static_cast<long>(r.left) > kMaxShapeExtent || r.bottom - static_cast<long>(r.top) > kMaxShapeExtent;
}

// The pen of a DC: its colour as a pixel of the surface and its width in device pixels (0 for none).
struct PenInfo {
    std::uint32_t pixel { 0 };
    int width { 0 };
};

PenInfo penOf(DeviceContext& dc)
{
    auto pen = lookup<PenObject>(dc.state.pen);
    if (!pen || pen->log.lopnStyle == PS_NULL)
        return {};
    int w = pen->log.lopnWidth.x;
    if (w > 1 && dc.state.mapMode != MM_TEXT)
        w = std::abs(dc.scaleX(w));
    return { devicePixel(dc, pen->log.lopnColor), std::max(1, w) };
}

void strokePolyline(DeviceContext& dc, const std::vector<POINT>& pts, const PenInfo& pen, bool closed)
{
    if (pts.empty() || pen.width == 0)
        return;
    if (dc.print) {
        // On paper a line is a vector stroke of the pen's width through the pixel centres.
        cairo_t* cr = dc.print->context();
        if (!cr)
            return;
        dc.print->beginClip(dc.clipRegion().rects());
        dc.print->setColor(pen.pixel);
        cairo_set_line_width(cr, pen.width);
        cairo_new_path(cr);
        cairo_move_to(cr, pts[0].x + 0.5, pts[0].y + 0.5);
        for (std::size_t i = 1; i < pts.size(); ++i)
            cairo_line_to(cr, pts[i].x + 0.5, pts[i].y + 0.5);
        if (closed)
            cairo_close_path(cr);
        cairo_stroke(cr);
        dc.print->endClip();
        return;
    }
    RECT box { pts[0].x, pts[0].y, pts[0].x, pts[0].y };
    for (const POINT& p : pts) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    InflateRect(&box, pen.width + 1, pen.width + 1);
    // Only the part of the box that can be drawn needs a mask.
    const RECT limit = dc.clipRegion().bounds();
    RECT visible;
    if (!IntersectRect(&visible, &box, &limit) || absurd(visible))
        return;
    PixelMask mask(visible);
    for (std::size_t i = 0; i + 1 < pts.size(); ++i)
        strokeLine(mask, pts[i], pts[i + 1], pen.width);
    if (closed && pts.size() > 1)
        strokeLine(mask, pts.back(), pts.front(), pen.width);
    plotMask(dc, mask, pen.pixel);
}

std::uint8_t brushRop(const DeviceContext& dc) { return rop3FromRop2(dc.state.rop2); }

// The outline ring and inside of a shape given as a region builder over a box.
template <class Build> void paintShape(DeviceContext& dc, const RECT& box, Build build)
{
    const PenInfo pen = penOf(dc);
    if (pen.width == 0) {
        // Without a pen the filled area ends one pixel short on the right and bottom.
        fillRegion(dc, build(RECT { box.left, box.top, box.right - 1, box.bottom - 1 }), Pattern(dc), brushRop(dc));
        return;
    }
    const Region outer = build(box);
    const RECT innerBox { box.left + pen.width, box.top + pen.width, box.right - pen.width, box.bottom - pen.width };
    const Region inner = innerBox.right > innerBox.left && innerBox.bottom > innerBox.top ? build(innerBox) : Region();
    fillRegion(dc, inner, Pattern(dc), brushRop(dc));
    fillRegion(dc, Region::combine(outer, inner, RGN_DIFF), Pattern::solid(pen.pixel), brushRop(dc));
}

Region rectShape(const RECT& r) { return Region(r); }

} // namespace

// Copies from a source through a raster operation: the destination rectangle (surface
// coordinates) is filled pixel by pixel from the source pixel that maps onto it.
BOOL blit(DeviceContext& dst, RECT dr, bool mirrorX, bool mirrorY, DeviceContext* src, RECT sr, DWORD rop)
{
    const std::uint8_t code = static_cast<std::uint8_t>((rop >> 16) & 0xFF);
    const bool needSource = ropUsesSource(code);
    if (needSource && (!src || !src->surface))
        return FALSE;
    const int dw = dr.right - dr.left, dh = dr.bottom - dr.top;
    const int sw = sr.right - sr.left, sh = sr.bottom - sr.top;
    if (dw <= 0 || dh <= 0)
        return TRUE;
    const Pattern pattern = ropUsesPattern(code) ? Pattern(dst) : Pattern::solid(0);
    if (ropUsesPattern(code) && pattern.empty() && code != 0xF0 && code != 0x5A)
        return TRUE;

    if (dst.print) {
        // Printers take the source as an image painted over the page; other operations are
        // reduced to a copy, which is what printing of pictures needs.
        if (!needSource) {
            fillRegion(dst, Region(dr), pattern, code);
            return TRUE;
        }
        cairo_t* cr = dst.print->context();
        if (!cr || sw <= 0 || sh <= 0)
            return TRUE;
        cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_RGB24, sw, sh);
        unsigned char* data = cairo_image_surface_get_data(img);
        const int stride = cairo_image_surface_get_stride(img);
        for (int y = 0; y < sh; ++y)
            for (int x = 0; x < sw; ++x) {
                const int sx = sr.left + x, sy = sr.top + y;
                reinterpret_cast<std::uint32_t*>(data + std::ptrdiff_t { y } * stride)[x]
                    = src->surface->contains(sx, sy) ? src->surface->pixel(sx, sy) : 0xFFFFFF;
            }
        cairo_surface_mark_dirty(img);
        cairo_save(cr);
        cairo_rectangle(cr, dr.left, dr.top, dw, dh);
        cairo_clip(cr);
        cairo_translate(cr, dr.left, dr.top);
        cairo_scale(cr, static_cast<double>(dw) / sw, static_cast<double>(dh) / sh);
        cairo_set_source_surface(cr, img, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(img);
        return TRUE;
    }

    Surface* d = dst.surface.get();
    if (!d)
        return FALSE;
    const Region clipped = dst.clipRegion().intersected(dr);
    if (clipped.empty())
        return TRUE;

    // Source pixels read as destination pixels: colour onto monochrome by the source's background
    // colour, monochrome onto colour through the destination's text and background colours.
    const Surface* s = needSource ? src->surface.get() : nullptr;
    std::vector<std::uint32_t> copy;
    int copyW = 0;
    if (s && s == d && sw > 0 && sh > 0) {
        // Overlapping copies on one surface read the source as it was before the blit.
        copyW = sw;
        copy.assign(static_cast<std::size_t>(sw) * sh, 0);
        for (int y = 0; y < sh; ++y)
            for (int x = 0; x < sw; ++x)
                if (s->contains(sr.left + x, sr.top + y))
                    copy[static_cast<std::size_t>(y) * sw + x] = s->pixel(sr.left + x, sr.top + y);
    }
    const bool monoToColor = s && s->monochrome() && !d->monochrome();
    const bool colorToMono = s && !s->monochrome() && d->monochrome();
    const std::uint32_t fore = pixelFromColor(dst.state.textColor);
    const std::uint32_t back = pixelFromColor(dst.state.bkColor);
    const std::uint32_t srcBack = src ? pixelFromColor(src->state.bkColor) : 0;
    auto readSource = [&](int sx, int sy, std::uint32_t& out) {
        std::uint32_t p;
        if (!copy.empty()) {
            const int cx = sx - sr.left, cy = sy - sr.top;
            if (!s->contains(sx, sy) || cx < 0 || cy < 0 || cx >= sw || cy >= sh)
                return false;
            p = copy[static_cast<std::size_t>(cy) * copyW + cx];
        } else {
            if (!s->contains(sx, sy))
                return false;
            p = s->pixel(sx, sy);
        }
        if (monoToColor)
            p = p ? back : fore;
        else if (colorToMono)
            p = (p & 0xFFFFFF) == srcBack ? 0xFFFFFFu : 0u;
        out = p;
        return true;
    };

    // A plain copy between surfaces of one kind moves whole rows.
    if (code == 0xCC && s && !monoToColor && !colorToMono && sw == dw && sh == dh && !mirrorX && !mirrorY) {
        for (const RECT& c : clipped.rects()) {
            for (int y = c.top; y < c.bottom; ++y) {
                const int sy = sr.top + (y - dr.top);
                int x0 = c.left, x1 = c.right;
                // Only the part whose source lies on the source surface.
                x0 = std::max(x0, static_cast<int>(dr.left) - static_cast<int>(sr.left));
                x1 = std::min(x1, static_cast<int>(dr.left) + s->width() - static_cast<int>(sr.left));
                if (sy < 0 || sy >= s->height() || x1 <= x0)
                    continue;
                const int sx0 = sr.left + (x0 - dr.left);
                const std::uint32_t* from = copy.empty() ? s->row(sy) + sx0
                                                         : copy.data() + static_cast<std::size_t>(sy - sr.top) * copyW + (sx0 - sr.left);
                std::copy(from, from + (x1 - x0), d->row(y) + x0);
            }
        }
        return TRUE;
    }
    std::vector<int> columns(static_cast<std::size_t>(dw));
    for (int i = 0; i < dw; ++i) {
        const int ox = mirrorX ? dw - 1 - i : i;
        columns[static_cast<std::size_t>(i)] = sr.left + static_cast<int>((static_cast<long long>(ox) * sw) / dw);
    }
    const bool usesPattern = ropUsesPattern(code);
    auto run = [&](auto op) {
        for (const RECT& c : clipped.rects()) {
            for (int y = c.top; y < c.bottom; ++y) {
                std::uint32_t* row = d->row(y);
                int sy = 0;
                if (s) {
                    const int oy = mirrorY ? dh - 1 - (y - dr.top) : y - dr.top;
                    sy = sr.top + static_cast<int>((static_cast<long long>(oy) * sh) / dh);
                }
                for (int x = c.left; x < c.right; ++x) {
                    std::uint32_t sp = 0;
                    if (s && !readSource(columns[static_cast<std::size_t>(x - dr.left)], sy, sp))
                        continue;
                    const std::uint32_t pp = usesPattern ? pattern.at(x, y) : 0;
                    row[x] = d->store(op(pp, sp, row[x]));
                }
            }
        }
    };
    // The operations the program uses most get their own loops; the rest go by the truth table.
    using U = std::uint32_t;
    switch (code) {
    case 0xCC: run([](U, U s, U) { return s; }); break;
    case 0x66: run([](U, U s, U d) { return s ^ d; }); break;
    case 0x88: run([](U, U s, U d) { return s & d; }); break;
    case 0xEE: run([](U, U s, U d) { return s | d; }); break;
    case 0x22: run([](U, U s, U d) { return d & ~s; }); break;
    case 0xB8: run([](U p, U s, U d) { return ((d ^ p) & s) ^ p; }); break;
    case 0xE2: run([](U p, U s, U d) { return ((p ^ d) & s) ^ d; }); break;
    case 0x5A: run([](U p, U, U d) { return p ^ d; }); break;
    default: run([code](U p, U s, U d) { return rop3(code, p, s, d); }); break;
    }
    return TRUE;
}

} // namespace platform::gdi

namespace {

// The logical points of a drawing call in the surface's pixels.
std::vector<POINT> surfacePoints(const DeviceContext& dc, const POINT* apt, int cpt)
{
    std::vector<POINT> pts;
    pts.reserve(static_cast<std::size_t>(cpt));
    for (int i = 0; i < cpt; ++i)
        pts.push_back(dc.toSurface(apt[i].x, apt[i].y));
    return pts;
}

// Fills and outlines the shape that makeShape(dc) builds for the box in surface pixels; FALSE for a
// handle that is not a DC or a box too large to draw.
template <class MakeShape>
BOOL paintInBox(HDC hdc, int left, int top, int right, int bottom, MakeShape&& makeShape)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return FALSE;
    const RECT r = dc->rectToSurface(normalized(left, top, right, bottom));
    if (absurd(r))
        return FALSE;
    paintShape(*dc, r, makeShape(*dc));
    return TRUE;
}

// A rectangle whose corners are quarters of an ew by eh ellipse (in pixels, cut to the box).
auto roundRectShape(int ew, int eh)
{
    return [ew, eh](const RECT& b) {
        const int w = std::min<int>(ew, b.right - b.left), h = std::min<int>(eh, b.bottom - b.top);
        Region out = Region::combine(Region(RECT { b.left + w / 2, b.top, b.right - w / 2, b.bottom }),
            Region(RECT { b.left, b.top + h / 2, b.right, b.bottom - h / 2 }), RGN_OR);
        if (w > 0 && h > 0) {
            for (const RECT& c : { RECT { b.left, b.top, b.left + w, b.top + h },
                     RECT { b.right - w, b.top, b.right, b.top + h }, RECT { b.left, b.bottom - h, b.left + w, b.bottom },
                     RECT { b.right - w, b.bottom - h, b.right, b.bottom } })
                out = Region::combine(out, Region::fromEllipse(c), RGN_OR);
        }
        return out;
    };
}

} // namespace

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return FALSE;
    const std::uint8_t code = static_cast<std::uint8_t>((rop >> 16) & 0xFF);
    if (ropUsesSource(code))
        return FALSE;
    const RECT r = dc->rectToSurface(normalized(x, y, x + w, y + h));
    const Pattern pattern = ropUsesPattern(code) ? Pattern(*dc) : Pattern::solid(0);
    fillRect(*dc, r, pattern, code);
    return TRUE;
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
    int hSrc, DWORD rop)
{
    auto dst = lookupDC(hdcDest);
    if (!dst)
        return FALSE;
    auto src = lookupDC(hdcSrc);
    const std::uint8_t code = static_cast<std::uint8_t>((rop >> 16) & 0xFF);
    if (ropUsesSource(code) && !src)
        return FALSE;
    const long long area = static_cast<long long>(wDest) * hDest;
    if (area == 0)
        return TRUE;
    const POINT d0 = dst->toSurface(xDest, yDest);
    const POINT d1 = dst->toSurface(xDest + wDest, yDest + hDest);
    const RECT dr = spanned(d0, d1);
    RECT sr {};
    bool mirrorX = d1.x < d0.x, mirrorY = d1.y < d0.y;
    if (src) {
        const POINT s0 = src->toSurface(xSrc, ySrc);
        const POINT s1 = src->toSurface(xSrc + wSrc, ySrc + hSrc);
        sr = spanned(s0, s1);
        mirrorX = mirrorX != (s1.x < s0.x);
        mirrorY = mirrorY != (s1.y < s0.y);
        if (ropUsesSource(code) && (sr.right == sr.left || sr.bottom == sr.top))
            return FALSE;
    }
    return blit(*dst, dr, mirrorX, mirrorY, src.get(), sr, rop);
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop)
{
    return StretchBlt(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL TransparentBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
    int wSrc, int hSrc, UINT crTransparent)
{
    auto dst = lookupDC(hdcDest);
    auto src = lookupDC(hdcSrc);
    if (!dst || !src || !dst->surface || !src->surface || wDest <= 0 || hDest <= 0 || wSrc <= 0 || hSrc <= 0)
        return FALSE;
    const std::uint32_t key = pixelFromColor(crTransparent);
    const POINT d0 = dst->toSurface(xDest, yDest);
    const POINT s0 = src->toSurface(xSrc, ySrc);
    const RECT dr { d0.x, d0.y, d0.x + dst->scaleX(wDest), d0.y + dst->scaleY(hDest) };
    const int dw = dr.right - dr.left, dh = dr.bottom - dr.top;
    if (dw <= 0 || dh <= 0)
        return FALSE;
    const Region clipped = dst->clipRegion().intersected(dr);
    for (const RECT& c : clipped.rects())
        for (int y = c.top; y < c.bottom; ++y)
            for (int x = c.left; x < c.right; ++x) {
                const int sx = s0.x + (x - dr.left) * src->scaleX(wSrc) / dw;
                const int sy = s0.y + (y - dr.top) * src->scaleY(hSrc) / dh;
                if (!src->surface->contains(sx, sy))
                    continue;
                const std::uint32_t p = src->surface->pixel(sx, sy);
                if (p != key)
                    dst->surface->setPixel(x, y, p);
            }
    return TRUE;
}

int FillRect(HDC hdc, const RECT* lprc, HBRUSH hbr)
{
    auto dc = lookupDC(hdc);
    if (!dc || !lprc)
        return 0;
    // A small number is a system colour index plus one.
    const auto value = reinterpret_cast<std::uintptr_t>(hbr);
    if (value > 0 && value <= 64)
        hbr = GetSysColorBrush(static_cast<int>(value - 1));
    if (!lookup<BrushObject>(hbr))
        return 0;
    fillRect(*dc, dc->rectToSurface(*lprc), Pattern(*dc, hbr), 0xF0);
    return 1;
}

int FrameRect(HDC hdc, const RECT* lprc, HBRUSH hbr)
{
    auto dc = lookupDC(hdc);
    if (!dc || !lprc || !lookup<BrushObject>(hbr))
        return 0;
    const RECT r = dc->rectToSurface(*lprc);
    if (r.right <= r.left || r.bottom <= r.top)
        return 1;
    Region frame = Region::combine(Region(r), Region(RECT { r.left + 1, r.top + 1, r.right - 1, r.bottom - 1 }), RGN_DIFF);
    fillRegion(*dc, frame, Pattern(*dc, hbr), 0xF0);
    return 1;
}

BOOL InvertRect(HDC hdc, const RECT* lprc)
{
    auto dc = lookupDC(hdc);
    if (!dc || !lprc)
        return FALSE;
    fillRect(*dc, dc->rectToSurface(*lprc), Pattern::solid(0), 0x55);
    return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return CLR_INVALID;
    const POINT p = dc->toSurface(x, y);
    if (!dc->clipRegion().contains(p.x, p.y))
        return CLR_INVALID;
    const std::uint32_t pixel = devicePixel(*dc, color);
    if (dc->print) {
        dc->print->fillRect(RECT { p.x, p.y, p.x + 1, p.y + 1 }, pixel);
        return color & 0xFFFFFF;
    }
    dc->surface->setPixel(p.x, p.y, pixel);
    return colorFromPixel(dc->surface->pixel(p.x, p.y));
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) { return SetPixel(hdc, x, y, color) != CLR_INVALID; }

COLORREF GetPixel(HDC hdc, int x, int y)
{
    auto dc = lookupDC(hdc);
    if (!dc || !dc->surface)
        return CLR_INVALID;
    const POINT p = dc->toSurface(x, y);
    if (!dc->clipRegion().contains(p.x, p.y))
        return CLR_INVALID;
    return colorFromPixel(dc->surface->pixel(p.x, p.y));
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return FALSE;
    if (lppt)
        *lppt = dc->state.current;
    dc->state.current = { x, y };
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt)
{
    auto dc = lookupDC(hdc);
    if (!dc || !lppt)
        return FALSE;
    *lppt = dc->state.current;
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return FALSE;
    const POINT from = dc->toSurface(dc->state.current.x, dc->state.current.y);
    dc->state.current = { x, y };
    strokePolyline(*dc, { from, dc->toSurface(x, y) }, penOf(*dc), false);
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt)
{
    auto dc = lookupDC(hdc);
    if (!dc || !apt || cpt < 2)
        return FALSE;
    const std::vector<POINT> pts = surfacePoints(*dc, apt, cpt);
    strokePolyline(*dc, pts, penOf(*dc), false);
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* apt, int cpt)
{
    auto dc = lookupDC(hdc);
    if (!dc || !apt || cpt < 2)
        return FALSE;
    const std::vector<POINT> pts = surfacePoints(*dc, apt, cpt);
    const RECT limit = dc->clipRegion().bounds();
    const bool winding = dc->state.polyFillMode == WINDING;
    fillRegion(*dc, Region::fromPolygon(pts.data(), cpt, winding, { limit.top, limit.bottom }), Pattern(*dc),
        brushRop(*dc));
    strokePolyline(*dc, pts, penOf(*dc), true);
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    return paintInBox(hdc, left, top, right, bottom, [](const DeviceContext&) { return rectShape; });
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom)
{
    return paintInBox(hdc, left, top, right, bottom,
        [](const DeviceContext&) { return [](const RECT& box) { return Region::fromEllipse(box); }; });
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height)
{
    return paintInBox(hdc, left, top, right, bottom, [width, height](const DeviceContext& dc) {
        return roundRectShape(std::abs(dc.scaleX(width)), std::abs(dc.scaleY(height)));
    });
}
