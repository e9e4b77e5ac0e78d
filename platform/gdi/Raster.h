#pragma once
// Bit-exact raster operations on 32-bit pixels and the primitives every drawing call reduces to:
// filling a region through a pattern, and plotting a set of pixels in one colour.

#include <cstdint>
#include <vector>

#include "platform/gdi/DeviceContext.h"

namespace platform::gdi {

// A ternary operation by its truth table: bit (P*4 + S*2 + D) of `code` is the result for those
// input bits, applied to each of the 24 colour bits.
constexpr std::uint32_t rop3(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d)
{
    std::uint32_t out = 0;
    for (int i = 0; i < 8; ++i) {
        if (!(code & (1u << i)))
            continue;
        out |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    }
    return out & 0xFFFFFFu;
}

// A binary operation R2_*: bit (P*2 + D) of (code - 1) is the result for those input bits.
constexpr std::uint32_t rop2(int code, std::uint32_t p, std::uint32_t d)
{
    const unsigned table = static_cast<unsigned>(code - 1) & 0xF;
    std::uint32_t out = 0;
    for (int i = 0; i < 4; ++i)
        if (table & (1u << i))
            out |= ((i & 2) ? p : ~p) & ((i & 1) ? d : ~d);
    return out & 0xFFFFFFu;
}

// The ternary code that does what a binary one does with the pattern in place of the pen.
constexpr std::uint8_t rop3FromRop2(int code)
{
    const unsigned t = static_cast<unsigned>(code - 1) & 0xF;
    std::uint8_t out = 0;
    for (int i = 0; i < 8; ++i) {
        const int p = (i >> 2) & 1, d = i & 1;
        if (t & (1u << (p * 2 + d)))
            out |= static_cast<std::uint8_t>(1u << i);
    }
    return out;
}

constexpr bool ropUsesSource(std::uint8_t code) { return ((code >> 2) & 0x33) != (code & 0x33); }
constexpr bool ropUsesPattern(std::uint8_t code) { return ((code >> 4) & 0x0F) != (code & 0x0F); }

// A brush made ready for one DC: its pixels already in the destination's terms (monochrome
// patterns through the DC's text and background colours; everything reduced for a monochrome
// destination).
class Pattern {
public:
    // The DC's selected brush, or `brush` when given. A null brush gives an empty pattern.
    Pattern(DeviceContext& dc, HBRUSH brush = nullptr);
    static Pattern solid(std::uint32_t pixel);

    bool empty() const { return m_empty; }
    bool isSolid() const { return m_tile.empty(); }
    std::uint32_t at(int x, int y) const
    {
        if (m_tile.empty())
            return m_solid;
        const int tx = ((x - m_orgX) % m_w + m_w) % m_w;
        const int ty = ((y - m_orgY) % m_h + m_h) % m_h;
        return m_tile[static_cast<std::size_t>(ty) * m_w + tx];
    }
    // For a hatched brush in transparent mode: the gaps are not drawn.
    bool transparentAt(int x, int y) const
    {
        if (m_mask.empty())
            return false;
        const int tx = ((x - m_orgX) % m_w + m_w) % m_w;
        const int ty = ((y - m_orgY) % m_h + m_h) % m_h;
        return !m_mask[static_cast<std::size_t>(ty) * m_w + tx];
    }

private:
    Pattern() = default;

    bool m_empty { false };
    std::uint32_t m_solid { 0 };
    std::vector<std::uint32_t> m_tile;
    std::vector<std::uint8_t> m_mask;
    int m_w { 1 };
    int m_h { 1 };
    int m_orgX { 0 };
    int m_orgY { 0 };
};

// A set of surface pixels to paint in one colour (pens): kept as a bitmap over a bounding box so
// that overlapping strokes touch each pixel once, which XOR outlines depend on.
class PixelMask {
public:
    PixelMask(const RECT& box);
    void set(int x, int y)
    {
        if (x >= m_box.left && x < m_box.right && y >= m_box.top && y < m_box.bottom)
            m_bits[static_cast<std::size_t>(y - m_box.top) * m_w + (x - m_box.left)] = 1;
    }
    void fillRect(int l, int t, int r, int b);
    bool test(int x, int y) const { return m_bits[static_cast<std::size_t>(y - m_box.top) * m_w + (x - m_box.left)] != 0; }
    const RECT& box() const { return m_box; }

private:
    RECT m_box {};
    int m_w { 0 };
    std::vector<std::uint8_t> m_bits;
};

// The DC's text colour, background colour and a colour as pixels of its surface.
std::uint32_t devicePixel(DeviceContext& dc, COLORREF color);

// Fills the part of `area` (surface coordinates) inside the clip with the pattern through a
// ternary operation that uses no source.
void fillRegion(DeviceContext& dc, const Region& area, const Pattern& pattern, std::uint8_t rop);
// Fills a surface rectangle (clipped) with the pattern through a ternary operation.
void fillRect(DeviceContext& dc, const RECT& r, const Pattern& pattern, std::uint8_t rop);
// Paints the mask's pixels inside the clip with a colour through the DC's binary operation.
void plotMask(DeviceContext& dc, const PixelMask& mask, std::uint32_t pixel);

// Stamps a pen's line from a to b (surface coordinates) into a mask, leaving out the end point.
void strokeLine(PixelMask& mask, POINT a, POINT b, int width);

} // namespace platform::gdi
