#include "platform/gdi/DibFormat.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace platform::gdi {

namespace {

constexpr std::int64_t kMaxPixels = Surface::kMaxPixels;

struct Header {
    int width { 0 };
    int height { 0 };
    bool topDown { false };
    int bitCount { 0 };
    DWORD compression { BI_RGB };
    std::size_t headerBytes { 0 };
    std::size_t tableEntries { 0 };
    bool core { false };
    DWORD masks[3] { 0, 0, 0 };
};

DWORD readDword(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24); }
WORD readWord(const std::uint8_t* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

bool parseHeader(const BITMAPINFO* info, std::size_t available, Header& h)
{
    if (!info || available < 12)
        return false;
    const auto* raw = reinterpret_cast<const std::uint8_t*>(info);
    const DWORD size = readDword(raw);
    if (size == 12) {
        h.core = true;
        h.width = readWord(raw + 4);
        h.height = static_cast<SHORT>(readWord(raw + 6));
        h.bitCount = readWord(raw + 10);
    } else if (size >= 40 && size <= 1024 && available >= size) {
        h.width = static_cast<LONG>(readDword(raw + 4));
        h.height = static_cast<LONG>(readDword(raw + 8));
        h.bitCount = readWord(raw + 14);
        h.compression = readDword(raw + 16);
        const DWORD used = readDword(raw + 32);
        if (h.bitCount <= 8)
            h.tableEntries = used ? std::min<DWORD>(used, 1u << h.bitCount) : (1u << h.bitCount);
        else
            h.tableEntries = 0;
        if (size >= 52) {
            h.masks[0] = readDword(raw + 40);
            h.masks[1] = readDword(raw + 44);
            h.masks[2] = readDword(raw + 48);
        }
    } else {
        return false;
    }
    if (h.core && h.bitCount <= 8)
        h.tableEntries = std::size_t { 1 } << h.bitCount;
    h.headerBytes = size;
    if (h.height < 0) {
        if (h.height == std::numeric_limits<int>::min())
            return false;
        h.topDown = true;
        h.height = -h.height;
    }
    if (h.width <= 0 || h.height <= 0 || std::int64_t { h.width } * h.height > kMaxPixels || h.width > 32767
        || h.height > 32767)
        return false;
    switch (h.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return false;
    }
    if (h.compression == BI_BITFIELDS) {
        if (h.bitCount != 16 && h.bitCount != 32)
            return false;
        if (size == 40) {
            // The three masks follow a plain header in place of a colour table.
            if (available < 52)
                return false;
            h.masks[0] = readDword(raw + 40);
            h.masks[1] = readDword(raw + 44);
            h.masks[2] = readDword(raw + 48);
            h.headerBytes = 52;
        }
    } else if (h.compression != BI_RGB) {
        return false;
    }
    return true;
}

std::uint32_t fromMask(DWORD value, DWORD mask)
{
    if (!mask)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    const DWORD m = mask >> shift;
    const DWORD v = (value >> shift) & m;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(v) * 255 + m / 2) / m);
}

} // namespace

std::size_t dibStride(int width, int bitCount)
{
    return ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
}

std::size_t dibHeaderSize(const BITMAPINFO* info, std::size_t available, UINT usage)
{
    Header h;
    if (!parseHeader(info, available, h))
        return 0;
    const std::size_t entry = usage == DIB_PAL_COLORS ? 2 : (h.core ? 3 : 4);
    return h.headerBytes + h.tableEntries * entry;
}

bool decodeDib(const BITMAPINFO* info, std::size_t headerAvailable, const void* bits, std::size_t bitsAvailable,
    DecodedImage& out, const std::vector<PALETTEENTRY>* palette)
{
    Header h;
    if (!parseHeader(info, headerAvailable, h) || !bits)
        return false;
    const auto* raw = reinterpret_cast<const std::uint8_t*>(info);
    const std::size_t entry = palette ? 2 : (h.core ? 3 : 4);
    if (headerAvailable != kUnknownSize && h.headerBytes + h.tableEntries * entry > headerAvailable)
        return false;
    out = DecodedImage {};
    out.width = h.width;
    out.height = h.height;
    out.bitsPerPixel = h.bitCount;
    for (std::size_t i = 0; i < h.tableEntries; ++i) {
        const std::uint8_t* e = raw + h.headerBytes + i * entry;
        RGBQUAD q;
        if (palette) {
            const WORD index = readWord(e);
            if (index < palette->size()) {
                const PALETTEENTRY& p = (*palette)[index];
                q = RGBQUAD { p.peBlue, p.peGreen, p.peRed, 0 };
            }
        } else {
            q = RGBQUAD { e[0], e[1], e[2], 0 };
        }
        out.colorTable.push_back(q);
    }
    const std::size_t stride = dibStride(h.width, h.bitCount);
    if (bitsAvailable != kUnknownSize && stride * h.height > bitsAvailable)
        return false;
    const auto* src = static_cast<const std::uint8_t*>(bits);
    out.pixels.resize(static_cast<std::size_t>(h.width) * h.height);
    if (h.bitCount <= 8)
        out.indices.resize(out.pixels.size());
    DWORD masks[3] = { h.masks[0], h.masks[1], h.masks[2] };
    if (h.compression != BI_BITFIELDS) {
        if (h.bitCount == 16) {
            masks[0] = 0x7C00;
            masks[1] = 0x03E0;
            masks[2] = 0x001F;
        } else {
            masks[0] = 0xFF0000;
            masks[1] = 0xFF00;
            masks[2] = 0xFF;
        }
    }
    auto tableColor = [&](unsigned index) -> std::uint32_t {
        if (index >= out.colorTable.size())
            return 0;
        const RGBQUAD& q = out.colorTable[index];
        return (std::uint32_t { q.rgbRed } << 16) | (std::uint32_t { q.rgbGreen } << 8) | q.rgbBlue;
    };
    for (int y = 0; y < h.height; ++y) {
        const std::uint8_t* row = src + stride * static_cast<std::size_t>(h.topDown ? y : h.height - 1 - y);
        std::uint32_t* dst = out.pixels.data() + static_cast<std::size_t>(y) * h.width;
        for (int x = 0; x < h.width; ++x) {
            unsigned index = 0;
            switch (h.bitCount) {
            case 1: index = (row[x >> 3] >> (7 - (x & 7))) & 1; break;
            case 4: index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF; break;
            case 8: index = row[x]; break;
            case 16: {
                const DWORD v = readWord(row + x * 2);
                dst[x] = (fromMask(v, masks[0]) << 16) | (fromMask(v, masks[1]) << 8) | fromMask(v, masks[2]);
                continue;
            }
            case 24: dst[x] = (std::uint32_t { row[x * 3 + 2] } << 16) | (row[x * 3 + 1] << 8) | row[x * 3]; continue;
            case 32: {
                const DWORD v = readDword(row + x * 4);
                dst[x] = (fromMask(v, masks[0]) << 16) | (fromMask(v, masks[1]) << 8) | fromMask(v, masks[2]);
                continue;
            }
            }
            out.indices[static_cast<std::size_t>(y) * h.width + x] = static_cast<std::uint8_t>(index);
            dst[x] = tableColor(index);
        }
    }
    return true;
}

bool decodeBmpFile(const std::uint8_t* data, std::size_t size, DecodedImage& out)
{
    if (!data || size < 14 + 12 || data[0] != 'B' || data[1] != 'M')
        return false;
    const DWORD offBits = readDword(data + 10);
    if (offBits < 14 + 12 || offBits >= size)
        return false;
    return decodeDib(reinterpret_cast<const BITMAPINFO*>(data + 14), offBits - 14, data + offBits, size - offBits, out);
}

std::size_t nearestColor(const std::vector<RGBQUAD>& table, std::uint32_t rgb)
{
    std::size_t best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const long dr = table[i].rgbRed - static_cast<long>((rgb >> 16) & 0xFF);
        const long dg = table[i].rgbGreen - static_cast<long>((rgb >> 8) & 0xFF);
        const long db = table[i].rgbBlue - static_cast<long>(rgb & 0xFF);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

bool storeDibPixel(std::uint8_t* row, int x, int bpp, std::uint32_t rgb, std::uint8_t index)
{
    switch (bpp) {
    case 1:
        if (index)
            row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
        return true;
    case 4: row[x >> 1] |= static_cast<std::uint8_t>(index << ((x & 1) ? 0 : 4)); return true;
    case 8: row[x] = index; return true;
    case 16: {
        // 5-5-5: the top five bits of each channel.
        const auto v
            = static_cast<WORD>((((rgb >> 19) & 0x1F) << 10) | (((rgb >> 11) & 0x1F) << 5) | ((rgb >> 3) & 0x1F));
        row[x * 2] = static_cast<std::uint8_t>(v);
        row[x * 2 + 1] = static_cast<std::uint8_t>(v >> 8);
        return true;
    }
    case 24:
        row[x * 3] = static_cast<std::uint8_t>(rgb);
        row[x * 3 + 1] = static_cast<std::uint8_t>(rgb >> 8);
        row[x * 3 + 2] = static_cast<std::uint8_t>(rgb >> 16);
        return true;
    case 32: std::memcpy(row + x * 4, &rgb, 4); return true;
    default: return false;
    }
}

bool encodeDib(const std::uint32_t* pixels, int width, int height, BITMAPINFO* info, void* bits, int firstScan,
    int count)
{
    BITMAPINFOHEADER& h = info->bmiHeader;
    const int bpp = h.biBitCount;
    const bool topDown = h.biHeight < 0;
    const std::size_t stride = dibStride(width, bpp);
    auto* out = static_cast<std::uint8_t*>(bits);
    // The colour table: black and white for 1 bit, a grey ramp for 4, the halftone cube for 8.
    std::vector<RGBQUAD> table;
    if (bpp <= 8) {
        const int n = 1 << bpp;
        for (int i = 0; i < n; ++i) {
            if (bpp == 1) {
                const auto v = static_cast<BYTE>(i ? 255 : 0);
                table.push_back(RGBQUAD { v, v, v, 0 });
            } else if (bpp == 4) {
                const auto v = static_cast<BYTE>(i * 17);
                table.push_back(RGBQUAD { v, v, v, 0 });
            } else if (i < 216) {
                table.push_back(RGBQUAD { static_cast<BYTE>((i % 6) * 51), static_cast<BYTE>(((i / 6) % 6) * 51),
                    static_cast<BYTE>((i / 36) * 51), 0 });
            } else {
                const auto v = static_cast<BYTE>(8 + (i - 216) * 6);
                table.push_back(RGBQUAD { v, v, v, 0 });
            }
        }
        std::memcpy(info->bmiColors, table.data(), table.size() * sizeof(RGBQUAD));
        h.biClrUsed = 0;
    }
    for (int k = 0; k < count; ++k) {
        const int scan = firstScan + k;
        const int y = topDown ? scan : height - 1 - scan;
        if (y < 0 || y >= height)
            continue;
        const std::uint32_t* src = pixels + static_cast<std::size_t>(y) * width;
        std::uint8_t* row = out + stride * static_cast<std::size_t>(k);
        std::memset(row, 0, stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = src[x] & 0xFFFFFF;
            const auto index = static_cast<std::uint8_t>(bpp <= 8 ? nearestColor(table, p) : 0);
            if (!storeDibPixel(row, x, bpp, p, index))
                return false;
        }
    }
    return true;
}

} // namespace platform::gdi
