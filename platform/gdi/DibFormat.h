#pragma once
// Reading and writing device-independent bitmaps: the header forms, colour tables and row
// layouts, checked against the bytes actually available so that damaged data fails cleanly.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/gdi/Surface.h"
#include "platform/gdi/WinGdi.h"

namespace platform::gdi {

struct DecodedImage {
    int width { 0 };
    int height { 0 };
    // Top-down 0x00RRGGBB pixels.
    std::vector<std::uint32_t> pixels;
    int bitsPerPixel { 32 };
    std::vector<RGBQUAD> colorTable;
    // For palettised images: the colour-table index of each pixel, top-down.
    std::vector<std::uint8_t> indices;
};

constexpr std::size_t kUnknownSize = std::numeric_limits<std::size_t>::max();

// The bytes of the header plus colour table at `info`, or 0 when the header is not valid.
std::size_t dibHeaderSize(const BITMAPINFO* info, std::size_t available, UINT usage = DIB_RGB_COLORS);
// Bytes per row of a DIB of that width and depth (rows are padded to 32 bits).
std::size_t dibStride(int width, int bitCount);
// Index of the colour-table entry nearest to a 0x00RRGGBB colour (the first of equals; 0 for an empty table).
std::size_t nearestColor(const std::vector<RGBQUAD>& table, std::uint32_t rgb);
// Writes a 0x00RRGGBB pixel at column x of a zero-filled DIB row of that depth; `index` is its
// colour-table entry for depths up to 8 bits. False for a depth a row cannot hold.
bool storeDibPixel(std::uint8_t* row, int x, int bpp, std::uint32_t rgb, std::uint8_t index);
// Decodes header, colour table and bits; `bitsAvailable` bounds the reading of the bits. With
// `palette` (DIB_PAL_COLORS) the table holds indices into it.
bool decodeDib(const BITMAPINFO* info, std::size_t headerAvailable, const void* bits, std::size_t bitsAvailable,
    DecodedImage& out, const std::vector<PALETTEENTRY>* palette = nullptr);
// Decodes a whole .bmp file held in memory.
bool decodeBmpFile(const std::uint8_t* data, std::size_t size, DecodedImage& out);
// Encodes scan lines [firstScan, firstScan + count) (in the DIB's own order: from the bottom unless
// the header's height is negative) of top-down 0x00RRGGBB pixels at the header's depth (1, 4, 8,
// 16, 24 or 32; for 1-8 bits the colour table is written into info too).
bool encodeDib(const std::uint32_t* pixels, int width, int height, BITMAPINFO* info, void* bits, int firstScan,
    int count);

} // namespace platform::gdi
