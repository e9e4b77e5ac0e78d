// Palettes. The screen is true colour, so a palette only describes colours (the splash screen's
// picture, halftoning); selecting and realising one changes no pixel.

#include <algorithm>
#include <utility>
#include <climits>

#include "platform/gdi/DeviceContext.h"

using namespace platform::gdi;

HPALETTE CreatePalette(const LOGPALETTE* plpal)
{
    if (!plpal || plpal->palNumEntries == 0 || plpal->palNumEntries > 256)
        return nullptr;
    auto p = std::make_shared<PaletteObject>();
    p->entries.assign(plpal->palPalEntry, plpal->palPalEntry + plpal->palNumEntries);
    return addObject<HPALETTE>(p);
}

HPALETTE CreateHalftonePalette(HDC hdc)
{
    auto p = std::make_shared<PaletteObject>();
    // A 6x6x6 colour cube plus a grey ramp, 256 entries in all.
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p->entries.push_back(PALETTEENTRY { static_cast<BYTE>(r * 51), static_cast<BYTE>(g * 51),
                    static_cast<BYTE>(b * 51), 0 });
    for (int i = 0; p->entries.size() < 256; ++i) {
        const auto v = static_cast<BYTE>(8 + i * 6);
        p->entries.push_back(PALETTEENTRY { v, v, v, 0 });
    }
    return addObject<HPALETTE>(p);
}

HPALETTE SelectPalette(HDC hdc, HPALETTE hPal, BOOL bForceBkgd)
{
    auto dc = lookupDC(hdc);
    auto pal = lookup<PaletteObject>(hPal);
    if (!dc || !pal)
        return nullptr;
    if (auto old = lookup<PaletteObject>(dc->state.palette))
        old->selections = std::max(0, old->selections - 1);
    pal->selections++;
    return std::exchange(dc->state.palette, hPal);
}

UINT RealizePalette(HDC hdc) { return lookupDC(hdc) ? 0 : GDI_ERROR; }

UINT GetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries, PALETTEENTRY* pPalEntries)
{
    auto pal = lookup<PaletteObject>(hpal);
    if (!pal)
        return 0;
    const auto size = static_cast<UINT>(pal->entries.size());
    if (!pPalEntries)
        return size;
    if (iStart >= size)
        return 0;
    const UINT n = std::min(cEntries, size - iStart);
    std::copy_n(pal->entries.begin() + iStart, n, pPalEntries);
    return n;
}

UINT GetNearestPaletteIndex(HPALETTE h, COLORREF color)
{
    auto pal = lookup<PaletteObject>(h);
    if (!pal || pal->entries.empty())
        return CLR_INVALID;
    UINT best = 0;
    long bestDistance = LONG_MAX;
    for (UINT i = 0; i < pal->entries.size(); ++i) {
        const PALETTEENTRY& e = pal->entries[i];
        const long dr = e.peRed - GetRValue(color), dg = e.peGreen - GetGValue(color), db = e.peBlue - GetBValue(color);
        const long d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}
