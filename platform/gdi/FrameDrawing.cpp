#include "platform/gdi/FrameDrawing.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Raster.h"

using namespace platform::gdi;

namespace {

std::uint32_t sys(DeviceContext& dc, int index) { return devicePixel(dc, GetSysColor(index)); }

void fill(DeviceContext& dc, const RECT& r, std::uint32_t pixel) { fillRect(dc, r, Pattern::solid(pixel), 0xF0); }

// One ring of a 3-D edge: the top-left colour on the top and left, the bottom-right colour on the
// bottom and right (which own the corners they share).
void ring(DeviceContext& dc, const RECT& r, UINT sides, std::uint32_t topLeft, std::uint32_t bottomRight)
{
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    if (sides & BF_TOP)
        fill(dc, RECT { r.left, r.top, r.right - 1, r.top + 1 }, topLeft);
    if (sides & BF_LEFT)
        fill(dc, RECT { r.left, r.top, r.left + 1, r.bottom - 1 }, topLeft);
    if (sides & BF_BOTTOM)
        fill(dc, RECT { r.left, r.bottom - 1, r.right, r.bottom }, bottomRight);
    if (sides & BF_RIGHT)
        fill(dc, RECT { r.right - 1, r.top, r.right, r.bottom }, bottomRight);
}

RECT shrink(RECT r, UINT sides)
{
    if (sides & BF_LEFT)
        r.left++;
    if (sides & BF_TOP)
        r.top++;
    if (sides & BF_RIGHT)
        r.right--;
    if (sides & BF_BOTTOM)
        r.bottom--;
    return r;
}

// The edge in surface coordinates; returns the inside.
RECT edge(DeviceContext& dc, RECT r, UINT kind, UINT flags)
{
    const UINT sides = flags & BF_RECT;
    if (flags & (BF_MONO | BF_FLAT)) {
        const std::uint32_t outer = sys(dc, (flags & BF_MONO) ? COLOR_WINDOWFRAME : COLOR_3DSHADOW);
        const std::uint32_t inner = sys(dc, (flags & BF_MONO) ? COLOR_WINDOW : COLOR_3DFACE);
        if (kind & BDR_OUTER) {
            ring(dc, r, sides, outer, outer);
            r = shrink(r, sides);
        }
        if (kind & BDR_INNER) {
            ring(dc, r, sides, inner, inner);
            r = shrink(r, sides);
        }
    } else {
        if (kind & BDR_OUTER) {
            const bool raised = kind & BDR_RAISEDOUTER;
            ring(dc, r, sides, sys(dc, raised ? COLOR_3DLIGHT : COLOR_3DSHADOW),
                sys(dc, raised ? COLOR_3DDKSHADOW : COLOR_3DHIGHLIGHT));
            r = shrink(r, sides);
        }
        if (kind & BDR_INNER) {
            const bool raised = kind & BDR_RAISEDINNER;
            ring(dc, r, sides, sys(dc, raised ? COLOR_3DHIGHLIGHT : COLOR_3DDKSHADOW),
                sys(dc, raised ? COLOR_3DSHADOW : COLOR_3DLIGHT));
            r = shrink(r, sides);
        }
    }
    if (flags & BF_MIDDLE)
        fill(dc, r, sys(dc, (flags & BF_MONO) ? COLOR_WINDOW : COLOR_3DFACE));
    return r;
}

// Glyphs are drawn as masks of pixels: an inactive glyph is embossed (highlight one pixel down
// and right, shadow on top), an active one is drawn in the given colour.
using Mask = std::vector<POINT>;

void drawGlyph(DeviceContext& dc, const Mask& mask, POINT at, std::uint32_t pixel, bool inactive)
{
    auto paint = [&](int dx, int dy, std::uint32_t p) {
        Region region;
        for (const POINT& m : mask)
            region = Region::combine(region, Region(RECT { at.x + m.x + dx, at.y + m.y + dy, at.x + m.x + dx + 1, at.y + m.y + dy + 1 }), RGN_OR);
        fillRegion(dc, region, Pattern::solid(p), 0xF0);
    };
    if (inactive) {
        paint(1, 1, sys(dc, COLOR_3DHIGHLIGHT));
        paint(0, 0, sys(dc, COLOR_3DSHADOW));
    } else {
        paint(0, 0, pixel);
    }
}

// A filled triangle pointing a direction (0 up, 1 down, 2 left, 3 right) with its base `size` rows deep.
Mask arrow(int direction, int size)
{
    Mask m;
    for (int i = 0; i < size; ++i)
        for (int j = -i; j <= i; ++j) {
            switch (direction) {
            case 0: m.push_back({ j, i }); break;
            case 1: m.push_back({ j, size - 1 - i }); break;
            case 2: m.push_back({ i, j }); break;
            default: m.push_back({ size - 1 - i, j }); break;
            }
        }
    return m;
}

Mask crossMark(int size)
{
    Mask m;
    for (int i = 0; i < size; ++i) {
        m.push_back({ i, i });
        m.push_back({ i + 1, i });
        m.push_back({ size - 1 - i, i });
        m.push_back({ size - i, i });
    }
    return m;
}

Mask checkMark()
{
    // Seven pixels wide and three thick, as the classic check boxes and menus draw it.
    Mask m;
    const int ys[7] = { 2, 3, 4, 3, 2, 1, 0 };
    for (int x = 0; x < 7; ++x)
        for (int t = 0; t < 3; ++t)
            m.push_back({ x, ys[x] + t });
    return m;
}

Mask box(int w, int h, int thickTop)
{
    Mask m;
    for (int x = 0; x < w; ++x) {
        for (int t = 0; t < thickTop; ++t)
            m.push_back({ x, t });
        m.push_back({ x, h - 1 });
    }
    for (int y = 0; y < h; ++y) {
        m.push_back({ 0, y });
        m.push_back({ w - 1, y });
    }
    return m;
}

POINT centred(const RECT& r, int w, int h) { return { r.left + (r.right - r.left - w) / 2, r.top + (r.bottom - r.top - h) / 2 }; }

void buttonFace(DeviceContext& dc, RECT& r, UINT state)
{
    if (state & DFCS_FLAT) {
        if (!(state & DFCS_TRANSPARENT))
            fill(dc, r, sys(dc, COLOR_3DFACE));
        r = edge(dc, r, (state & DFCS_PUSHED) ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        return;
    }
    r = edge(dc, r, (state & (DFCS_PUSHED | DFCS_CHECKED)) ? EDGE_SUNKEN : EDGE_RAISED,
        BF_RECT | ((state & DFCS_TRANSPARENT) ? 0 : BF_MIDDLE) | ((state & DFCS_MONO) ? BF_MONO : 0));
}

void caption(DeviceContext& dc, RECT r, UINT state)
{
    buttonFace(dc, r, state);
    const int side = std::max<int>(3, std::min(r.right - r.left, r.bottom - r.top));
    const POINT shift { (state & DFCS_PUSHED) ? 1 : 0, (state & DFCS_PUSHED) ? 1 : 0 };
    const bool inactive = state & DFCS_INACTIVE;
    const std::uint32_t ink = sys(dc, COLOR_BTNTEXT);
    Mask glyph;
    int gw = side, gh = side;
    switch (state & 0xFF) {
    case DFCS_CAPTIONCLOSE:
        // A small caption's button leaves little room: its cross uses all of it to stay readable.
        gh = side >= 8 ? side - 3 : std::max(2, side - 1);
        gw = gh + 1;
        glyph = crossMark(gh);
        break;
    case DFCS_CAPTIONMIN:
        gw = std::max(2, side - 4);
        gh = 2;
        for (int x = 0; x < gw; ++x)
            glyph.push_back({ x, 0 }), glyph.push_back({ x, 1 });
        r.top = r.bottom - 2 - gh;
        break;
    case DFCS_CAPTIONMAX:
        gw = gh = std::max(3, side - 1);
        glyph = box(gw, gh, 2);
        break;
    case DFCS_CAPTIONRESTORE: {
        const int s = std::max(3, (side - 1) * 2 / 3);
        gw = gh = s + 3;
        for (const POINT& p : box(s, s, 2))
            glyph.push_back({ p.x + 3, p.y }), glyph.push_back({ p.x, p.y + 3 });
        break;
    }
    default: { // help: a question mark
        static constexpr const char* kRows[] = { ".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.." };
        gw = 5;
        gh = 7;
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 5; ++x)
                if (kRows[y][x] == '#')
                    glyph.push_back({ x, y });
    }
    }
    POINT at = centred(r, gw, gh);
    drawGlyph(dc, glyph, POINT { at.x + shift.x, at.y + shift.y }, ink, inactive);
}

void scroll(DeviceContext& dc, RECT r, UINT state)
{
    const UINT kind = state & 0xFF;
    if (kind == DFCS_SCROLLSIZEGRIP) {
        fill(dc, r, sys(dc, COLOR_3DFACE));
        // Three diagonal ridges in the corner, highlight over shadow.
        const int size = std::min(r.right - r.left, r.bottom - r.top);
        for (int k = 0; k < 3; ++k)
            for (int i = 0; i < size - 4 * k - 1; ++i) {
                const int x = r.right - 1 - i, y = r.bottom - size + 4 * k + 1 + i;
                if (y >= r.bottom)
                    continue;
                fill(dc, RECT { x, y, x + 1, y + 1 }, sys(dc, COLOR_3DHIGHLIGHT));
                if (y + 1 < r.bottom)
                    fill(dc, RECT { x, y + 1, x + 1, y + 3 < r.bottom ? y + 3 : r.bottom }, sys(dc, COLOR_3DSHADOW));
            }
        return;
    }
    buttonFace(dc, r, state);
    const int side = std::min(r.right - r.left, r.bottom - r.top);
    const int depth = std::max(1, (side + 2) / 4 + (side >= 10 ? 1 : 0));
    int direction = 1;
    switch (kind) {
    case DFCS_SCROLLUP: direction = 0; break;
    case DFCS_SCROLLLEFT: direction = 2; break;
    case DFCS_SCROLLRIGHT: direction = 3; break;
    default: direction = 1; break;
    }
    const Mask glyph = arrow(direction, depth);
    const bool vertical = direction < 2;
    const int gw = vertical ? 2 * depth - 1 : depth, gh = vertical ? depth : 2 * depth - 1;
    POINT at = centred(r, gw, gh);
    if (vertical)
        at.x += depth - 1;
    else
        at.y += depth - 1;
    if (state & DFCS_PUSHED) {
        at.x++;
        at.y++;
    }
    drawGlyph(dc, glyph, at, sys(dc, COLOR_BTNTEXT), state & DFCS_INACTIVE);
}

void button(DeviceContext& dc, RECT r, UINT state)
{
    const UINT kind = state & 0xFF;
    if (kind & DFCS_BUTTONPUSH) {
        buttonFace(dc, r, state);
        return;
    }
    const int side = std::min(r.right - r.left, r.bottom - r.top);
    const POINT at = centred(r, side, side);
    const RECT square { at.x, at.y, at.x + side, at.y + side };
    const std::uint32_t inside = sys(dc, (state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_3DFACE : COLOR_WINDOW);
    if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
        // A sunken circle: shadow arcs on the upper left, light ones on the lower right.
        const Region outer = Region::fromEllipse(square);
        const RECT in1 { square.left + 1, square.top + 1, square.right - 1, square.bottom - 1 };
        const RECT in2 { square.left + 2, square.top + 2, square.right - 2, square.bottom - 2 };
        const Region ring1 = Region::combine(outer, Region::fromEllipse(in1), RGN_DIFF);
        const Region ring2 = Region::combine(Region::fromEllipse(in1), Region::fromEllipse(in2), RGN_DIFF);
        const int cx = (square.left + square.right) / 2, cy = (square.top + square.bottom) / 2;
        auto half = [&](const Region& ringRegion, bool upperLeft) {
            Region part;
            for (const RECT& rr : ringRegion.rects())
                for (int y = rr.top; y < rr.bottom; ++y)
                    for (int x = rr.left; x < rr.right; ++x)
                        if (((x - cx) + (y - cy) < 0) == upperLeft)
                            part = Region::combine(part, Region(RECT { x, y, x + 1, y + 1 }), RGN_OR);
            return part;
        };
        fillRegion(dc, half(ring1, true), Pattern::solid(sys(dc, COLOR_3DSHADOW)), 0xF0);
        fillRegion(dc, half(ring1, false), Pattern::solid(sys(dc, COLOR_3DHIGHLIGHT)), 0xF0);
        fillRegion(dc, half(ring2, true), Pattern::solid(sys(dc, COLOR_3DDKSHADOW)), 0xF0);
        fillRegion(dc, half(ring2, false), Pattern::solid(sys(dc, COLOR_3DLIGHT)), 0xF0);
        fillRegion(dc, Region::fromEllipse(in2), Pattern::solid(inside), 0xF0);
        if (state & DFCS_CHECKED) {
            const int dot = std::max(2, side / 3);
            const POINT d = centred(square, dot, dot);
            fillRegion(dc, Region::fromEllipse(RECT { d.x, d.y, d.x + dot, d.y + dot }),
                Pattern::solid(sys(dc, (state & DFCS_INACTIVE) ? COLOR_3DSHADOW : COLOR_BTNTEXT)), 0xF0);
        }
        return;
    }
    // Check box: a sunken square with the mark inside.
    const RECT in = (state & DFCS_FLAT) ? edge(dc, square, BDR_SUNKENOUTER, BF_RECT | BF_FLAT)
                                        : edge(dc, square, EDGE_SUNKEN, BF_RECT | ((state & DFCS_MONO) ? BF_MONO : 0));
    fill(dc, in, inside);
    if (state & DFCS_CHECKED) {
        const POINT m = centred(in, 7, 7);
        drawGlyph(dc, checkMark(), m,
            sys(dc, (state & DFCS_INACTIVE) || (kind & DFCS_BUTTON3STATE) ? COLOR_3DSHADOW : COLOR_BTNTEXT), false);
    }
}

void menu(DeviceContext& dc, RECT r, UINT state)
{
    // Menu glyphs are black on white: callers copy them through a mask in their own colours.
    fill(dc, r, 0xFFFFFF);
    const int side = std::min(r.right - r.left, r.bottom - r.top);
    Mask glyph;
    int gw = 0, gh = 0;
    switch (state & 0xFF) {
    case DFCS_MENUCHECK:
        glyph = checkMark();
        gw = 7;
        gh = 7;
        break;
    case DFCS_MENUBULLET: {
        const int d = std::max(2, side / 3);
        const Region dot = Region::fromEllipse(RECT { 0, 0, d, d });
        for (const RECT& rr : dot.rects())
            for (int y = rr.top; y < rr.bottom; ++y)
                for (int x = rr.left; x < rr.right; ++x)
                    glyph.push_back({ x, y });
        gw = gh = d;
        break;
    }
    default: {
        const int depth = std::max(2, side / 3);
        glyph = arrow((state & 0xFF) == DFCS_MENUARROWRIGHT ? 2 : 3, depth);
        gw = depth;
        gh = 2 * depth - 1;
        POINT at = centred(r, gw, gh);
        at.y += depth - 1;
        drawGlyph(dc, glyph, at, 0, false);
        return;
    }
    }
    drawGlyph(dc, glyph, centred(r, gw, gh), 0, false);
}

} // namespace

BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edgeKind, UINT grfFlags)
{
    auto dc = lookupDC(hdc);
    if (!dc || !qrc)
        return FALSE;
    const RECT inside = edge(*dc, dc->rectToSurface(*qrc), edgeKind, grfFlags);
    if (grfFlags & BF_ADJUST) {
        const POINT a = dc->toLogical(inside.left - dc->origin.x, inside.top - dc->origin.y);
        const POINT b = dc->toLogical(inside.right - dc->origin.x, inside.bottom - dc->origin.y);
        *qrc = RECT { a.x, a.y, b.x, b.y };
    }
    return TRUE;
}

BOOL DrawFrameControl(HDC hdc, LPRECT lprc, UINT uType, UINT uState)
{
    auto dc = lookupDC(hdc);
    if (!dc || !lprc)
        return FALSE;
    const RECT r = dc->rectToSurface(*lprc);
    if (r.right - r.left > 4096 || r.bottom - r.top > 4096)
        return FALSE;
    switch (uType) {
    case DFC_CAPTION: caption(*dc, r, uState); break;
    case DFC_SCROLL: scroll(*dc, r, uState); break;
    case DFC_BUTTON: button(*dc, r, uState); break;
    case DFC_MENU: menu(*dc, r, uState); break;
    default: return FALSE;
    }
    if (uState & DFCS_ADJUSTRECT)
        InflateRect(lprc, -2, -2);
    return TRUE;
}

BOOL DrawFocusRect(HDC hDC, const RECT* lprc)
{
    auto dc = lookupDC(hDC);
    if (!dc || !lprc)
        return FALSE;
    const RECT r = dc->rectToSurface(*lprc);
    if (r.right <= r.left || r.bottom <= r.top || r.right - r.left > 65536 || r.bottom - r.top > 65536)
        return TRUE;
    // Every other pixel of the frame, counted along it, so that the dots line up at the corners.
    PixelMask mask(r);
    for (int x = r.left; x < r.right; x += 2) {
        mask.set(x, r.top);
        mask.set(x, r.bottom - 1 - ((r.bottom - r.top - 1) & 1 ? 0 : 0));
    }
    for (int y = r.top; y < r.bottom; y += 2) {
        mask.set(r.left, y);
        mask.set(r.right - 1, y);
    }
    const int rop = std::exchange(dc->state.rop2, R2_XORPEN);
    plotMask(*dc, mask, 0xFFFFFF);
    dc->state.rop2 = rop;
    return TRUE;
}

namespace platform::gdi {

HBRUSH HalftoneBrush()
{
    static HBRUSH brush = [] {
        const WORD rows[8] = { 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA };
        HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
        HBRUSH b = CreatePatternBrush(pattern);
        DeleteObject(pattern);
        if (auto o = HandleTable::instance().find(b))
            o->stock = true;
        return b;
    }();
    return brush;
}

} // namespace platform::gdi
