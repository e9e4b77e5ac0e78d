#pragma once
// A rectangle of 32-bit 0x00RRGGBB pixels: the screen, memory bitmaps and DIB sections all draw
// into one. A monochrome surface keeps its pixels as 0x000000 or 0xFFFFFF so that the raster
// operations work on it unchanged; whatever is written into it is reduced to those two values.

#include <cstdint>
#include <memory>
#include <vector>

namespace platform::gdi {

class Surface {
public:
    // Anything larger is refused: 64 Mpixels (256 MiB) is far beyond what a screen or picture needs.
    static constexpr int kMaxDimension = 32767;
    static constexpr std::int64_t kMaxPixels = std::int64_t { 1 } << 26;

    // A surface of its own pixels, cleared to black (monochrome: to 0 bits); null for bad sizes.
    static std::shared_ptr<Surface> create(int width, int height, bool monochrome);
    // A surface over pixels owned by someone else (a DIB section, the screen's back buffer).
    // Rows are `stride` pixels apart, which may be negative for bottom-up memory.
    static std::shared_ptr<Surface> wrap(std::uint32_t* firstRow, int width, int height, std::ptrdiff_t stride);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool monochrome() const { return m_monochrome; }
    std::uint32_t* row(int y) { return m_firstRow + y * m_stride; }
    const std::uint32_t* row(int y) const { return m_firstRow + y * m_stride; }
    std::uint32_t pixel(int x, int y) const { return row(y)[x]; }
    void setPixel(int x, int y, std::uint32_t value) { row(y)[x] = store(value); }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    // What a value becomes when stored: masked to 24 bits, and on a monochrome surface black or white.
    std::uint32_t store(std::uint32_t value) const;
    // Writes the pixels to a PNG file; false when it cannot be written.
    bool writePng(const char* path) const;
    // A surface of its own holding a rectangle of this one (clipped to it); null when nothing is left.
    std::shared_ptr<Surface> copy(int x, int y, int width, int height) const;
    // The pixels of a PNG file (alpha dropped); null when it cannot be read.
    static std::shared_ptr<Surface> readPng(const char* path);

private:
    Surface(std::uint32_t* firstRow, int width, int height, std::ptrdiff_t stride, bool monochrome)
        : m_firstRow(firstRow), m_width(width), m_height(height), m_stride(stride), m_monochrome(monochrome)
    {
    }

    std::vector<std::uint32_t> m_owned;
    std::uint32_t* m_firstRow { nullptr };
    int m_width { 0 };
    int m_height { 0 };
    std::ptrdiff_t m_stride { 0 };
    bool m_monochrome { false };
};

// 0x00RRGGBB pixel <-> COLORREF 0x00BBGGRR.
constexpr std::uint32_t pixelFromColor(std::uint32_t c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr std::uint32_t colorFromPixel(std::uint32_t p) { return pixelFromColor(p); }
// The nearer of black and white, for a colour drawn on a monochrome surface.
constexpr std::uint32_t monoFromPixel(std::uint32_t p)
{
    const unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return (r * 30 + g * 59 + b * 11) >= 128 * 100 ? 0xFFFFFFu : 0u;
}

} // namespace platform::gdi
