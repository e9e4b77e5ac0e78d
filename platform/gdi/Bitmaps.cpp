// Bitmaps: device-dependent ones, DIB sections, and the conversions to and from DIBs.

#include <algorithm>
#include <cstring>

#include "platform/base/WinError.h"
#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/Raster.h"

using namespace platform::gdi;

namespace platform::gdi {

BOOL blit(DeviceContext& dst, RECT dr, bool mirrorX, bool mirrorY, DeviceContext* src, RECT sr, DWORD rop);

HBITMAP makeBitmap(std::shared_ptr<Surface> surface)
{
    if (!surface)
        return nullptr;
    auto b = std::make_shared<BitmapObject>();
    b->bitsPixel = surface->monochrome() ? 1 : 32;
    b->surface = std::move(surface);
    return addObject<HBITMAP>(b);
}

HBITMAP makeBitmap(const DecodedImage& image, bool asSection)
{
    auto b = std::make_shared<BitmapObject>();
    if (asSection) {
        b->dibSection = true;
        b->dibHeader.biWidth = image.width;
        b->dibHeader.biHeight = image.height;
        b->dibHeader.biBitCount = static_cast<WORD>(image.bitsPerPixel);
        b->dibHeader.biSizeImage = static_cast<DWORD>(dibStride(image.width, image.bitsPerPixel) * image.height);
        b->colorTable = image.colorTable;
        b->indices = image.indices;
        if (image.bitsPerPixel == 32) {
            b->sectionPixels.resize(image.pixels.size());
            // Section memory is bottom-up, as a DIB with a positive height is.
            b->surface = Surface::wrap(b->sectionPixels.data() + static_cast<std::size_t>(image.height - 1) * image.width,
                image.width, image.height, -static_cast<std::ptrdiff_t>(image.width));
        } else {
            b->sectionBits.resize(b->dibHeader.biSizeImage);
            b->surface = Surface::create(image.width, image.height, false);
        }
    } else {
        b->surface = Surface::create(image.width, image.height, false);
    }
    if (!b->surface)
        return nullptr;
    for (int y = 0; y < image.height; ++y)
        std::copy_n(image.pixels.data() + static_cast<std::size_t>(y) * image.width, image.width, b->surface->row(y));
    pushSection(*b);
    return addObject<HBITMAP>(b);
}

void* sectionMemory(BitmapObject& b)
{
    if (!b.sectionBits.empty())
        return b.sectionBits.data();
    return b.sectionPixels.empty() ? nullptr : b.sectionPixels.data();
}

void pullSection(BitmapObject& b)
{
    if (!b.dibSection || b.sectionBits.empty() || !b.surface)
        return;
    std::vector<std::uint8_t> header(sizeof(BITMAPINFOHEADER) + b.colorTable.size() * sizeof(RGBQUAD));
    BITMAPINFOHEADER h = b.dibHeader;
    h.biSize = sizeof h;
    h.biClrUsed = static_cast<DWORD>(b.colorTable.size());
    std::memcpy(header.data(), &h, sizeof h);
    if (!b.colorTable.empty())
        std::memcpy(header.data() + sizeof h, b.colorTable.data(), b.colorTable.size() * sizeof(RGBQUAD));
    DecodedImage image;
    if (!decodeDib(reinterpret_cast<const BITMAPINFO*>(header.data()), header.size(), b.sectionBits.data(),
            b.sectionBits.size(), image))
        return;
    Surface& s = *b.surface;
    for (int y = 0; y < s.height(); ++y)
        std::copy_n(image.pixels.data() + static_cast<std::size_t>(y) * image.width, s.width(), s.row(y));
    b.indices = std::move(image.indices);
}

void pushSection(BitmapObject& b)
{
    if (!b.dibSection || b.sectionBits.empty() || !b.surface)
        return;
    const Surface& s = *b.surface;
    const int bpp = b.dibHeader.biBitCount;
    const std::size_t stride = dibStride(s.width(), bpp);
    if (b.sectionBits.size() < stride * s.height())
        return;
    const bool topDown = b.dibHeader.biHeight < 0;
    auto tableColor = [&](std::size_t i) {
        const RGBQUAD& q = b.colorTable[i];
        return (std::uint32_t { q.rgbRed } << 16) | (q.rgbGreen << 8) | q.rgbBlue;
    };
    // Pixels still showing their table colour keep their index; others take the nearest entry.
    auto indexOf = [&](int x, int y, std::uint32_t p) -> std::uint8_t {
        const std::size_t at = static_cast<std::size_t>(y) * s.width() + x;
        if (at < b.indices.size() && b.indices[at] < b.colorTable.size() && tableColor(b.indices[at]) == p)
            return b.indices[at];
        const std::size_t best = nearestColor(b.colorTable, p);
        if (at < b.indices.size())
            b.indices[at] = static_cast<std::uint8_t>(best);
        return static_cast<std::uint8_t>(best);
    };
    for (int y = 0; y < s.height(); ++y) {
        std::uint8_t* row = b.sectionBits.data() + stride * static_cast<std::size_t>(topDown ? y : s.height() - 1 - y);
        std::fill_n(row, stride, std::uint8_t { 0 });
        for (int x = 0; x < s.width(); ++x) {
            const std::uint32_t p = s.pixel(x, y);
            storeDibPixel(row, x, bpp, p, bpp <= 8 ? indexOf(x, y, p) : 0);
        }
    }
}

std::vector<std::uint32_t> topDownPixels(const Surface& s)
{
    std::vector<std::uint32_t> out(static_cast<std::size_t>(s.width()) * s.height());
    for (int y = 0; y < s.height(); ++y)
        std::copy_n(s.row(y), s.width(), out.data() + static_cast<std::size_t>(y) * s.width());
    return out;
}

} // namespace platform::gdi

namespace {

// Decodes `lines` scan lines of a DIB whose header may describe more.
bool decodeLines(const BITMAPINFO* info, const void* bits, UINT lines, UINT usage, HDC hdc, DecodedImage& out)
{
    const std::size_t headerSize = dibHeaderSize(info, kUnknownSize, usage);
    if (!headerSize || !bits)
        return false;
    std::vector<std::uint8_t> header(reinterpret_cast<const std::uint8_t*>(info),
        reinterpret_cast<const std::uint8_t*>(info) + headerSize);
    if (info->bmiHeader.biSize >= sizeof(BITMAPINFOHEADER) && lines > 0) {
        LONG h = info->bmiHeader.biHeight;
        h = h < 0 ? -static_cast<LONG>(std::min<UINT>(lines, static_cast<UINT>(-h))) : static_cast<LONG>(std::min<UINT>(lines, static_cast<UINT>(h)));
        std::memcpy(header.data() + 8, &h, sizeof h);
    }
    std::vector<PALETTEENTRY> palette;
    if (usage == DIB_PAL_COLORS) {
        auto dc = lookupDC(hdc);
        auto pal = dc ? lookup<PaletteObject>(dc->state.palette) : nullptr;
        if (pal)
            palette = pal->entries;
    }
    return decodeDib(reinterpret_cast<const BITMAPINFO*>(header.data()), header.size(), bits, kUnknownSize, out,
        usage == DIB_PAL_COLORS ? &palette : nullptr);
}

} // namespace

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits)
{
    if (nWidth <= 0 || nHeight <= 0 || nPlanes != 1 || nBitCount > 32) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const bool mono = nBitCount == 1;
    auto surface = Surface::create(nWidth, nHeight, mono);
    if (!surface) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (lpBits) {
        const auto* bytes = static_cast<const std::uint8_t*>(lpBits);
        const std::size_t stride = ((static_cast<std::size_t>(nWidth) * nBitCount + 15) / 16) * 2;
        for (int y = 0; y < nHeight; ++y) {
            const std::uint8_t* row = bytes + stride * y;
            for (int x = 0; x < nWidth; ++x) {
                std::uint32_t p = 0;
                if (mono)
                    p = (row[x >> 3] & (0x80 >> (x & 7))) ? 0xFFFFFF : 0;
                else if (nBitCount == 32)
                    std::memcpy(&p, row + x * 4, 4);
                else if (nBitCount == 24)
                    p = (std::uint32_t { row[x * 3 + 2] } << 16) | (row[x * 3 + 1] << 8) | row[x * 3];
                surface->setPixel(x, y, p);
            }
        }
    }
    return makeBitmap(std::move(surface));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy)
{
    auto dc = lookupDC(hdc);
    if (!dc || cx < 0 || cy < 0)
        return nullptr;
    const bool mono = dc->kind == DcKind::Memory && dc->surface && dc->surface->monochrome();
    if (cx == 0 || cy == 0)
        return makeBitmap(Surface::create(1, 1, true));
    return makeBitmap(Surface::create(cx, cy, mono));
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection, DWORD offset)
{
    if (ppvBits)
        *ppvBits = nullptr;
    const std::size_t headerSize = dibHeaderSize(pbmi, kUnknownSize, usage);
    if (!headerSize || hSection)
        return nullptr;
    const BITMAPINFOHEADER& h = pbmi->bmiHeader;
    const int width = h.biWidth;
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    auto b = std::make_shared<BitmapObject>();
    b->dibSection = true;
    b->dibHeader = h;
    b->dibHeader.biSizeImage = static_cast<DWORD>(dibStride(width, h.biBitCount) * height);
    if (h.biBitCount <= 8) {
        const std::size_t n = h.biClrUsed ? std::min<DWORD>(h.biClrUsed, 1u << h.biBitCount) : (1u << h.biBitCount);
        if (usage == DIB_RGB_COLORS)
            b->colorTable.assign(pbmi->bmiColors, pbmi->bmiColors + n);
        else
            b->colorTable.assign(n, RGBQUAD {});
        b->indices.assign(static_cast<std::size_t>(width) * height, 0);
    }
    if (h.biBitCount == 32) {
        // The caller's view and the drawing surface are the same memory.
        b->sectionPixels.assign(static_cast<std::size_t>(width) * height, 0);
        std::uint32_t* base = b->sectionPixels.data();
        b->surface = h.biHeight < 0 ? Surface::wrap(base, width, height, width)
                                    : Surface::wrap(base + static_cast<std::size_t>(height - 1) * width, width, height,
                                          -static_cast<std::ptrdiff_t>(width));
    } else {
        b->sectionBits.assign(b->dibHeader.biSizeImage, 0);
        b->surface = Surface::create(width, height, false);
        if (b->surface && !b->colorTable.empty()) {
            const RGBQUAD& q = b->colorTable[0];
            const std::uint32_t p = (std::uint32_t { q.rgbRed } << 16) | (q.rgbGreen << 8) | q.rgbBlue;
            for (int y = 0; y < height; ++y)
                std::fill_n(b->surface->row(y), width, p);
        }
    }
    if (!b->surface)
        return nullptr;
    if (ppvBits)
        *ppvBits = sectionMemory(*b);
    return addObject<HBITMAP>(b);
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD fdwInit, const void* pjBits,
    const BITMAPINFO* pbmi, UINT iUsage)
{
    if (!pbmih)
        return nullptr;
    const int width = pbmih->biWidth;
    const int height = pbmih->biHeight < 0 ? -pbmih->biHeight : pbmih->biHeight;
    if (width <= 0 || height <= 0)
        return nullptr;
    if ((fdwInit & CBM_INIT) && pjBits && pbmi) {
        DecodedImage image;
        if (!decodeLines(pbmi, pjBits, 0, iUsage, hdc, image))
            return nullptr;
        return makeBitmap(image, false);
    }
    return makeBitmap(Surface::create(width, height, false));
}

int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi, UINT usage)
{
    auto b = lookup<BitmapObject>(hbm);
    if (!lookupDC(hdc) || !b || !lpbmi || !b->surface)
        return 0;
    if (!b->selectedInto)
        pullSection(*b);
    const Surface& s = *b->surface;
    BITMAPINFOHEADER& h = lpbmi->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER))
        return 0;
    if (!lpvBits) {
        if (h.biBitCount == 0) {
            h.biWidth = s.width();
            h.biHeight = s.height();
            h.biPlanes = 1;
            h.biBitCount = static_cast<WORD>(b->dibSection ? b->dibHeader.biBitCount : b->bitsPixel);
            h.biCompression = BI_RGB;
        }
        h.biSizeImage = static_cast<DWORD>(dibStride(h.biWidth, h.biBitCount) * (h.biHeight < 0 ? -h.biHeight : h.biHeight));
        return 1;
    }
    if (h.biWidth != s.width() || (h.biHeight != s.height() && h.biHeight != -s.height()))
        return 0;
    switch (h.biBitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return 0;
    }
    if (h.biCompression != BI_RGB || start >= static_cast<UINT>(s.height()))
        return 0;
    const int lines = static_cast<int>(std::min<UINT>(cLines, static_cast<UINT>(s.height()) - start));
    const auto pixels = topDownPixels(s);
    if (!encodeDib(pixels.data(), s.width(), s.height(), lpbmi, lpvBits, static_cast<int>(start), lines))
        return 0;
    return lines;
}

int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi, UINT ColorUse)
{
    auto b = lookup<BitmapObject>(hbm);
    if (!b || !b->surface || !lpBits || !lpbmi || cLines == 0)
        return 0;
    DecodedImage image;
    if (!decodeLines(lpbmi, lpBits, cLines, ColorUse, hdc, image))
        return 0;
    Surface& s = *b->surface;
    const bool topDown = lpbmi->bmiHeader.biHeight < 0;
    // Scan line k of the data is scan line start + k of the bitmap, counted from the bottom unless
    // the DIB is top-down.
    for (int k = 0; k < image.height; ++k) {
        const int dataRow = topDown ? k : image.height - 1 - k;
        const int scan = static_cast<int>(start) + k;
        const int y = topDown ? scan : s.height() - 1 - scan;
        if (y < 0 || y >= s.height())
            continue;
        const std::uint32_t* src = image.pixels.data() + static_cast<std::size_t>(dataRow) * image.width;
        for (int x = 0; x < std::min(image.width, s.width()); ++x)
            s.setPixel(x, y, src[x]);
    }
    pushSection(*b);
    return image.height;
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc, int SrcWidth,
    int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT iUsage, DWORD rop)
{
    auto dc = lookupDC(hdc);
    if (!dc || !lpBits || !lpbmi || DestWidth == 0 || DestHeight == 0 || SrcWidth == 0 || SrcHeight == 0)
        return 0;
    DecodedImage image;
    if (!decodeLines(lpbmi, lpBits, 0, iUsage, hdc, image))
        return 0;
    DeviceContext source;
    source.kind = DcKind::Memory;
    source.surface = Surface::create(image.width, image.height, false);
    if (!source.surface)
        return 0;
    for (int y = 0; y < image.height; ++y)
        std::copy_n(image.pixels.data() + static_cast<std::size_t>(y) * image.width, image.width, source.surface->row(y));
    // Source coordinates count from the bottom-left of a bottom-up DIB.
    const bool topDown = lpbmi->bmiHeader.biHeight < 0;
    const int top = topDown ? ySrc : image.height - ySrc - SrcHeight;
    const RECT sr { std::min(xSrc, xSrc + SrcWidth), std::min(top, top + SrcHeight), std::max(xSrc, xSrc + SrcWidth),
        std::max(top, top + SrcHeight) };
    const POINT d0 = dc->toSurface(xDest, yDest);
    const POINT d1 = dc->toSurface(xDest + DestWidth, yDest + DestHeight);
    const RECT dr { std::min(d0.x, d1.x), std::min(d0.y, d1.y), std::max(d0.x, d1.x), std::max(d0.y, d1.y) };
    const bool mirrorX = (d1.x < d0.x) != (SrcWidth < 0);
    const bool mirrorY = (d1.y < d0.y) != (SrcHeight < 0);
    if (!blit(*dc, dr, mirrorX, mirrorY, &source, sr, rop))
        return 0;
    return image.height;
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan, UINT cLines,
    const void* lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse)
{
    if (StartScan != 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF)
        return 0;
    const int drawn = StretchDIBits(hdc, xDest, yDest, static_cast<int>(w), static_cast<int>(h), xSrc, ySrc,
        static_cast<int>(w), static_cast<int>(h), lpvBits, lpbmi, ColorUse, SRCCOPY);
    return drawn ? static_cast<int>(std::min<UINT>(cLines, static_cast<UINT>(drawn))) : 0;
}

UINT GetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, RGBQUAD* prgbq)
{
    auto dc = lookupDC(hdc);
    auto b = dc ? lookup<BitmapObject>(dc->state.bitmap) : nullptr;
    if (!b || !b->dibSection || !prgbq || iStart >= b->colorTable.size())
        return 0;
    const UINT n = std::min<UINT>(cEntries, static_cast<UINT>(b->colorTable.size()) - iStart);
    std::copy_n(b->colorTable.begin() + iStart, n, prgbq);
    return n;
}

UINT SetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, const RGBQUAD* prgbq)
{
    auto dc = lookupDC(hdc);
    auto b = dc ? lookup<BitmapObject>(dc->state.bitmap) : nullptr;
    if (!b || !b->dibSection || !prgbq || iStart >= b->colorTable.size())
        return 0;
    const UINT n = std::min<UINT>(cEntries, static_cast<UINT>(b->colorTable.size()) - iStart);
    std::copy_n(prgbq, n, b->colorTable.begin() + iStart);
    Surface& s = *b->surface;
    if (b->indices.size() == static_cast<std::size_t>(s.width()) * s.height()) {
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x) {
                const std::uint8_t i = b->indices[static_cast<std::size_t>(y) * s.width() + x];
                if (i < iStart || i >= iStart + n)
                    continue;
                const RGBQUAD& q = b->colorTable[i];
                s.setPixel(x, y, (std::uint32_t { q.rgbRed } << 16) | (q.rgbGreen << 8) | q.rgbBlue);
            }
    }
    pushSection(*b);
    return n;
}

LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits)
{
    auto b = lookup<BitmapObject>(hbit);
    if (!b || !b->surface || cb < 0)
        return 0;
    const Surface& s = *b->surface;
    const int bpp = s.monochrome() ? 1 : 32;
    const std::size_t stride = ((static_cast<std::size_t>(s.width()) * bpp + 15) / 16) * 2;
    const std::size_t total = stride * s.height();
    if (!lpvBits)
        return static_cast<LONG>(total);
    auto* out = static_cast<std::uint8_t*>(lpvBits);
    const std::size_t limit = std::min<std::size_t>(static_cast<std::size_t>(cb), total);
    std::vector<std::uint8_t> all(total, 0);
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            const std::uint32_t p = s.pixel(x, y);
            if (bpp == 1) {
                if (p)
                    all[stride * y + (x >> 3)] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
            } else {
                std::memcpy(&all[stride * y + x * 4], &p, 4);
            }
        }
    std::memcpy(out, all.data(), limit);
    return static_cast<LONG>(limit);
}

LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits)
{
    auto b = lookup<BitmapObject>(hbm);
    if (!b || !b->surface || !pvBits)
        return 0;
    Surface& s = *b->surface;
    const int bpp = s.monochrome() ? 1 : 32;
    const std::size_t stride = ((static_cast<std::size_t>(s.width()) * bpp + 15) / 16) * 2;
    const auto* in = static_cast<const std::uint8_t*>(pvBits);
    std::size_t used = 0;
    for (int y = 0; y < s.height(); ++y) {
        if (stride * (y + 1) > cb)
            break;
        for (int x = 0; x < s.width(); ++x) {
            std::uint32_t p = 0;
            if (bpp == 1)
                p = (in[stride * y + (x >> 3)] & (0x80 >> (x & 7))) ? 0xFFFFFF : 0;
            else
                std::memcpy(&p, in + stride * y + x * 4, 4);
            s.setPixel(x, y, p);
        }
        used = stride * (y + 1);
    }
    return static_cast<LONG>(used);
}

BOOL GdiFlush()
{
    // Drawing is never deferred; what remains is handing drawn pixels to the bits of sections in DCs.
    HandleTable::instance().forEach([](GdiObject& o) {
        if (o.type() == OBJ_BITMAP) {
            auto& b = static_cast<BitmapObject&>(o);
            if (b.dibSection && b.selectedInto)
                pushSection(b);
        }
    });
    return TRUE;
}
