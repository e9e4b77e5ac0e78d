#include "platform/gdi/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/gdi/PrintJob.h"
#include "platform/gdi/Region.h"

namespace platform::gdi {

namespace {

// Rows of the six hatch styles, 8x8, one bit per pixel (bit 7 = leftmost).
constexpr std::uint8_t kHatch[6][8] = {
    { 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00 }, // horizontal
    { 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08 }, // vertical
    { 0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01 }, // forward diagonal
    { 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80 }, // backward diagonal
    { 0x08, 0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08 }, // cross
    { 0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81 }, // diagonal cross
};

} // namespace

std::uint32_t devicePixel(DeviceContext& dc, COLORREF color)
{
    const std::uint32_t p = pixelFromColor(color & 0xFFFFFF);
    return dc.surface && dc.surface->monochrome() ? monoFromPixel(p) : p;
}

Pattern Pattern::solid(std::uint32_t pixel)
{
    Pattern p;
    p.m_solid = pixel & 0xFFFFFFu;
    return p;
}

Pattern::Pattern(DeviceContext& dc, HBRUSH handle)
{
    auto brush = lookup<BrushObject>(handle ? static_cast<const void*>(handle) : dc.state.brush);
    if (!brush || brush->log.lbStyle == BS_NULL) {
        m_empty = true;
        return;
    }
    const bool monoDest = dc.surface && dc.surface->monochrome();
    auto reduce = [&](std::uint32_t p) { return monoDest ? monoFromPixel(p) : p; };
    m_orgX = dc.state.brushOrg.x + dc.origin.x;
    m_orgY = dc.state.brushOrg.y + dc.origin.y;
    switch (brush->log.lbStyle) {
    case BS_SOLID:
        m_solid = reduce(pixelFromColor(brush->log.lbColor));
        break;
    case BS_HATCHED: {
        const auto style = std::min<ULONG_PTR>(brush->log.lbHatch, 5);
        m_w = m_h = 8;
        m_tile.resize(64);
        const std::uint32_t fg = reduce(pixelFromColor(brush->log.lbColor));
        const std::uint32_t bg = reduce(pixelFromColor(dc.state.bkColor));
        if (dc.state.bkMode == TRANSPARENT)
            m_mask.resize(64);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const bool on = kHatch[style][y] & (0x80 >> x);
                m_tile[y * 8 + x] = on ? fg : bg;
                if (!m_mask.empty())
                    m_mask[y * 8 + x] = on;
            }
        break;
    }
    case BS_PATTERN: {
        const Surface* tile = brush->pattern.get();
        if (!tile) {
            m_empty = true;
            return;
        }
        m_w = tile->width();
        m_h = tile->height();
        m_tile.resize(static_cast<std::size_t>(m_w) * m_h);
        // A monochrome pattern is drawn in the DC's colours: 0 bits in the text colour, 1 bits in
        // the background colour.
        const std::uint32_t fg = reduce(pixelFromColor(dc.state.textColor));
        const std::uint32_t bg = reduce(pixelFromColor(dc.state.bkColor));
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x) {
                const std::uint32_t p = tile->pixel(x, y);
                m_tile[static_cast<std::size_t>(y) * m_w + x]
                    = tile->monochrome() ? (p ? bg : fg) : reduce(p);
            }
        break;
    }
    default:
        m_empty = true;
    }
}

PixelMask::PixelMask(const RECT& box)
    : m_box(box)
{
    if (m_box.right < m_box.left)
        m_box.right = m_box.left;
    if (m_box.bottom < m_box.top)
        m_box.bottom = m_box.top;
    m_w = m_box.right - m_box.left;
    m_bits.assign(static_cast<std::size_t>(m_w) * (m_box.bottom - m_box.top), 0);
}

void PixelMask::fillRect(int l, int t, int r, int b)
{
    l = std::max(l, static_cast<int>(m_box.left));
    t = std::max(t, static_cast<int>(m_box.top));
    r = std::min(r, static_cast<int>(m_box.right));
    b = std::min(b, static_cast<int>(m_box.bottom));
    for (int y = t; y < b; ++y)
        std::fill_n(m_bits.begin() + static_cast<std::ptrdiff_t>(y - m_box.top) * m_w + (l - m_box.left),
            std::max(0, r - l), std::uint8_t { 1 });
}

void fillRegion(DeviceContext& dc, const Region& area, const Pattern& pattern, std::uint8_t rop)
{
    if (pattern.empty() && ropUsesPattern(rop))
        return;
    const Region clipped = Region::combine(area, dc.clipRegion(), RGN_AND);
    if (dc.print) {
        for (const RECT& r : clipped.rects())
            dc.print->fillRect(r, pattern.at(r.left, r.top));
        return;
    }
    Surface* s = dc.surface.get();
    if (!s)
        return;
    for (const RECT& r : clipped.rects()) {
        for (int y = r.top; y < r.bottom; ++y) {
            std::uint32_t* row = s->row(y);
            if (rop == 0xF0 && pattern.isSolid()) {
                std::fill(row + r.left, row + r.right, s->store(pattern.at(0, 0)));
                continue;
            }
            for (int x = r.left; x < r.right; ++x) {
                if (pattern.transparentAt(x, y))
                    continue;
                row[x] = s->store(rop3(rop, pattern.at(x, y), 0, row[x]));
            }
        }
    }
}

void fillRect(DeviceContext& dc, const RECT& r, const Pattern& pattern, std::uint8_t rop)
{
    fillRegion(dc, Region(r), pattern, rop);
}

void plotMask(DeviceContext& dc, const PixelMask& mask, std::uint32_t pixel)
{
    const int code = dc.state.rop2;
    if (code == R2_NOP)
        return;
    for (const RECT& c : dc.clipRegion().rects()) {
        const RECT& b = mask.box();
        const int l = std::max(c.left, b.left), r = std::min(c.right, b.right);
        const int t = std::max(c.top, b.top), btm = std::min(c.bottom, b.bottom);
        for (int y = t; y < btm; ++y) {
            for (int x = l; x < r; ++x) {
                if (!mask.test(x, y))
                    continue;
                if (dc.print) {
                    dc.print->fillRect(RECT { x, y, x + 1, y + 1 }, pixel);
                    continue;
                }
                std::uint32_t& d = dc.surface->row(y)[x];
                d = dc.surface->store(rop2(code, pixel, d));
            }
        }
    }
}

namespace {

// Cuts a segment to a box (Liang-Barsky); false when it misses the box.
bool clipSegment(double& x0, double& y0, double& x1, double& y1, const RECT& box)
{
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = { -dx, dx, -dy, dy };
    const double q[4] = { x0 - box.left, box.right - 1 - x0, y0 - box.top, box.bottom - 1 - y0 };
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const double sx = x0, sy = y0;
    x0 = sx + t0 * dx;
    y0 = sy + t0 * dy;
    x1 = sx + t1 * dx;
    y1 = sy + t1 * dy;
    return true;
}

// Pens up to this width are stamped pixel by pixel along the line; wider ones are filled as polygons.
constexpr int kStampedWidth = 8;

bool inside(const POINT& p, const RECT& box) { return p.x >= box.left && p.x < box.right && p.y >= box.top && p.y < box.bottom; }

} // namespace

void strokeLine(PixelMask& mask, POINT a, POINT b, int width)
{
    if (width > kStampedWidth) {
        // A wide pen is the segment's rectangle with square ends, filled as a polygon: stamping a
        // square at every step would cost the width squared per pixel of length.
        const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
        const double length = std::sqrt(dx * dx + dy * dy);
        const double half = width / 2.0;
        const double ux = length > 0 ? dx / length : 1, uy = length > 0 ? dy / length : 0;
        const double px = -uy * half, py = ux * half;
        const double ax = a.x + 0.5 - ux * half, ay = a.y + 0.5 - uy * half;
        const double bx = b.x + 0.5 + ux * half, by = b.y + 0.5 + uy * half;
        auto clampPoint = [](double x, double y) {
            const double limit = 1 << 24;
            return POINT { static_cast<LONG>(std::lround(std::clamp(x, -limit, limit))),
                static_cast<LONG>(std::lround(std::clamp(y, -limit, limit))) };
        };
        const POINT quad[4] = { clampPoint(ax + px, ay + py), clampPoint(bx + px, by + py), clampPoint(bx - px, by - py),
            clampPoint(ax - px, ay - py) };
        const RECT& box = mask.box();
        const Region stroke = Region::fromPolygon(quad, 4, true, { box.top, box.bottom });
        for (const RECT& r : stroke.rects())
            mask.fillRect(r.left, r.top, r.right, r.bottom);
        return;
    }
    // A segment reaching far outside the mask is first cut to it, so that no stroke walks
    // billions of pixels to draw a few.
    RECT box = mask.box();
    InflateRect(&box, width + 1, width + 1);
    if (!inside(a, box) || !inside(b, box)) {
        double x0 = a.x, y0 = a.y, x1 = b.x, y1 = b.y;
        if (!clipSegment(x0, y0, x1, y1, box))
            return;
        const bool endInside = inside(b, box);
        a = POINT { static_cast<LONG>(std::lround(x0)), static_cast<LONG>(std::lround(y0)) };
        const POINT end { static_cast<LONG>(std::lround(x1)), static_cast<LONG>(std::lround(y1)) };
        if (!endInside) {
            // The real end lies beyond the box: the cut end is an ordinary pixel of the line.
            strokeLine(mask, a, end, width);
            if (width <= 1)
                mask.set(end.x, end.y);
            else
                mask.fillRect(end.x - (width - 1) / 2, end.y - (width - 1) / 2, end.x + width / 2 + 1, end.y + width / 2 + 1);
            return;
        }
        b = end;
    }
    // Bresenham from a towards b; b itself is left for the next segment.
    int x = a.x, y = a.y;
    const int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    const int lo = (width - 1) / 2, hi = width / 2 + 1;
    while (x != b.x || y != b.y) {
        if (width <= 1)
            mask.set(x, y);
        else
            mask.fillRect(x - lo, y - lo, x + hi - 0, y + hi - 0);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            if (x == b.x)
                break;
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            if (y == b.y)
                break;
            err += dx;
            y += sy;
        }
    }
}

} // namespace platform::gdi
