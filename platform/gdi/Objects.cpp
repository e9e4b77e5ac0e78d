// Pens, brushes, fonts, stock objects and the calls common to every object.

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/base/WinError.h"
#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/StockObjects.h"

using namespace platform::gdi;

namespace platform::gdi {

namespace {

template <class T> HGDIOBJ addStock(std::shared_ptr<T> object)
{
    object->stock = true;
    return HandleTable::instance().add(std::move(object));
}

std::shared_ptr<BrushObject> makeBrush(UINT style, COLORREF color, ULONG_PTR hatch)
{
    auto b = std::make_shared<BrushObject>();
    b->log = LOGBRUSH { style, color, hatch };
    return b;
}

std::shared_ptr<PenObject> makePen(UINT style, int width, COLORREF color)
{
    auto p = std::make_shared<PenObject>();
    p->log = LOGPEN { style, POINT { width, 0 }, color };
    return p;
}

std::shared_ptr<FontObject> makeFont(LONG height, LONG weight, const char* face)
{
    auto f = std::make_shared<FontObject>();
    f->log.lfHeight = height;
    f->log.lfWeight = weight;
    f->log.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(f->log.lfFaceName, face, LF_FACESIZE - 1);
    return f;
}

struct StockTable {
    std::array<HGDIOBJ, DEFAULT_GUI_FONT + 1> objects {};
    HBITMAP defaultBitmap { nullptr };

    StockTable()
    {
        objects[WHITE_BRUSH] = addStock(makeBrush(BS_SOLID, RGB(255, 255, 255), 0));
        objects[LTGRAY_BRUSH] = addStock(makeBrush(BS_SOLID, RGB(192, 192, 192), 0));
        objects[GRAY_BRUSH] = addStock(makeBrush(BS_SOLID, RGB(128, 128, 128), 0));
        objects[DKGRAY_BRUSH] = addStock(makeBrush(BS_SOLID, RGB(64, 64, 64), 0));
        objects[BLACK_BRUSH] = addStock(makeBrush(BS_SOLID, RGB(0, 0, 0), 0));
        objects[NULL_BRUSH] = addStock(makeBrush(BS_NULL, 0, 0));
        objects[WHITE_PEN] = addStock(makePen(PS_SOLID, 0, RGB(255, 255, 255)));
        objects[BLACK_PEN] = addStock(makePen(PS_SOLID, 0, RGB(0, 0, 0)));
        objects[NULL_PEN] = addStock(makePen(PS_NULL, 0, 0));
        // The classic dialog font stands in for every variable-pitch stock font; the system font
        // is its bold 16-pixel-cell sibling and the fixed fonts are monospaced.
        objects[OEM_FIXED_FONT] = addStock(makeFont(12, FW_NORMAL, "Courier New"));
        objects[ANSI_FIXED_FONT] = addStock(makeFont(12, FW_NORMAL, "Courier New"));
        objects[ANSI_VAR_FONT] = addStock(makeFont(-11, FW_NORMAL, "MS Sans Serif"));
        objects[SYSTEM_FONT] = addStock(makeFont(16, FW_BOLD, "System"));
        objects[DEVICE_DEFAULT_FONT] = addStock(makeFont(16, FW_BOLD, "System"));
        objects[SYSTEM_FIXED_FONT] = addStock(makeFont(12, FW_NORMAL, "Courier New"));
        objects[DEFAULT_GUI_FONT] = addStock(makeFont(-11, FW_NORMAL, "MS Sans Serif"));
        auto pal = std::make_shared<PaletteObject>();
        static constexpr std::uint8_t kDefault[20][3] = { { 0, 0, 0 }, { 128, 0, 0 }, { 0, 128, 0 },
            { 128, 128, 0 }, { 0, 0, 128 }, { 128, 0, 128 }, { 0, 128, 128 }, { 192, 192, 192 },
            { 192, 220, 192 }, { 166, 202, 240 }, { 255, 251, 240 }, { 160, 160, 164 }, { 128, 128, 128 },
            { 255, 0, 0 }, { 0, 255, 0 }, { 255, 255, 0 }, { 0, 0, 255 }, { 255, 0, 255 }, { 0, 255, 255 },
            { 255, 255, 255 } };
        for (const auto& c : kDefault)
            pal->entries.push_back(PALETTEENTRY { c[0], c[1], c[2], 0 });
        objects[DEFAULT_PALETTE] = addStock(pal);
        auto bmp = std::make_shared<BitmapObject>();
        bmp->surface = Surface::create(1, 1, true);
        bmp->bitsPixel = 1;
        defaultBitmap = static_cast<HBITMAP>(addStock(bmp));
    }
};

StockTable& stock()
{
    static StockTable table;
    return table;
}

} // namespace

HGDIOBJ stockObject(int i)
{
    if (i < 0 || i > DEFAULT_GUI_FONT)
        return nullptr;
    return stock().objects[static_cast<std::size_t>(i)];
}

HBITMAP defaultBitmap() { return stock().defaultBitmap; }

void initDefaults(DeviceContext& dc)
{
    dc.state.pen = static_cast<HPEN>(stockObject(BLACK_PEN));
    dc.state.brush = static_cast<HBRUSH>(stockObject(WHITE_BRUSH));
    dc.state.font = static_cast<HFONT>(stockObject(SYSTEM_FONT));
    dc.state.palette = static_cast<HPALETTE>(stockObject(DEFAULT_PALETTE));
    if (dc.kind == DcKind::Memory) {
        dc.state.bitmap = defaultBitmap();
        dc.surface = SurfaceOfBitmap(dc.state.bitmap);
    }
    dc.clipChanged();
}

} // namespace platform::gdi

HGDIOBJ GetStockObject(int i)
{
    if (i == 9 || i < 0 || i > DEFAULT_GUI_FONT)
        return nullptr;
    return stockObject(i);
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color)
{
    if (iStyle < PS_SOLID || iStyle > PS_INSIDEFRAME || cWidth < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return addObject<HPEN>(makePen(static_cast<UINT>(iStyle), std::min(cWidth, 4096), color & 0xFFFFFF));
}

HPEN CreatePenIndirect(const LOGPEN* plpen)
{
    if (!plpen)
        return nullptr;
    return CreatePen(static_cast<int>(plpen->lopnStyle), plpen->lopnWidth.x, plpen->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF color) { return addObject<HBRUSH>(makeBrush(BS_SOLID, color & 0xFFFFFF, 0)); }

HBRUSH CreateHatchBrush(int iHatch, COLORREF color)
{
    if (iHatch < HS_HORIZONTAL || iHatch > HS_DIAGCROSS)
        return nullptr;
    return addObject<HBRUSH>(makeBrush(BS_HATCHED, color & 0xFFFFFF, static_cast<ULONG_PTR>(iHatch)));
}

HBRUSH CreatePatternBrush(HBITMAP hbm)
{
    auto bitmap = lookup<BitmapObject>(hbm);
    if (!bitmap || !bitmap->surface)
        return nullptr;
    const Surface& src = *bitmap->surface;
    auto copy = Surface::create(src.width(), src.height(), src.monochrome());
    if (!copy)
        return nullptr;
    for (int y = 0; y < src.height(); ++y)
        std::copy_n(src.row(y), src.width(), copy->row(y));
    auto brush = makeBrush(BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(hbm));
    brush->pattern = std::move(copy);
    return addObject<HBRUSH>(brush);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush)
{
    if (!plbrush)
        return nullptr;
    switch (plbrush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(plbrush->lbColor);
    case BS_NULL: return static_cast<HBRUSH>(stockObject(NULL_BRUSH));
    case BS_HATCHED: return CreateHatchBrush(static_cast<int>(plbrush->lbHatch), plbrush->lbColor);
    case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(plbrush->lbHatch));
    default: return nullptr;
    }
}

HFONT CreateFontIndirect(const LOGFONT* lplf)
{
    if (!lplf)
        return nullptr;
    auto f = std::make_shared<FontObject>();
    f->log = *lplf;
    f->log.lfFaceName[LF_FACESIZE - 1] = '\0';
    // Absurd sizes are clamped so that no request can make the rasteriser allocate without bound.
    f->log.lfHeight = std::clamp<LONG>(f->log.lfHeight, -2048, 2048);
    f->log.lfWidth = std::clamp<LONG>(f->log.lfWidth, -2048, 2048);
    return addObject<HFONT>(f);
}

HFONT CreateFont(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
    DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality,
    DWORD iPitchAndFamily, LPCSTR pszFaceName)
{
    LOGFONT lf;
    lf.lfHeight = cHeight;
    lf.lfWidth = cWidth;
    lf.lfEscapement = cEscapement;
    lf.lfOrientation = cOrientation;
    lf.lfWeight = cWeight;
    lf.lfItalic = static_cast<BYTE>(bItalic != 0);
    lf.lfUnderline = static_cast<BYTE>(bUnderline != 0);
    lf.lfStrikeOut = static_cast<BYTE>(bStrikeOut != 0);
    lf.lfCharSet = static_cast<BYTE>(iCharSet);
    lf.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
    lf.lfQuality = static_cast<BYTE>(iQuality);
    lf.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
    if (pszFaceName)
        std::strncpy(lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

BOOL DeleteObject(HGDIOBJ ho)
{
    auto object = HandleTable::instance().find(ho);
    if (!object || object->type() == 0 || object->type() == OBJ_DC || object->type() == OBJ_MEMDC) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // Stock objects live for the process; deleting one is harmless and reports success.
    if (object->stock)
        return TRUE;
    if (object->selections > 0)
        return FALSE;
    return HandleTable::instance().remove(ho) ? TRUE : FALSE;
}

DWORD GetObjectType(HGDIOBJ h)
{
    auto object = HandleTable::instance().find(h);
    return object ? static_cast<DWORD>(object->type()) : 0;
}

int GetObject(HANDLE h, int c, LPVOID pv)
{
    auto object = HandleTable::instance().find(h);
    if (!object || c < 0)
        return 0;
    auto copyOut = [&](const void* src, int size) {
        if (!pv)
            return size;
        const int n = std::min(c, size);
        std::memcpy(pv, src, static_cast<std::size_t>(n));
        return n;
    };
    switch (object->type()) {
    case OBJ_PEN: return copyOut(&static_cast<PenObject&>(*object).log, sizeof(LOGPEN));
    case OBJ_BRUSH: return copyOut(&static_cast<BrushObject&>(*object).log, sizeof(LOGBRUSH));
    case OBJ_FONT: return copyOut(&static_cast<FontObject&>(*object).log, sizeof(LOGFONT));
    case OBJ_PAL: {
        const WORD n = static_cast<WORD>(static_cast<PaletteObject&>(*object).entries.size());
        return copyOut(&n, sizeof(WORD));
    }
    case OBJ_BITMAP: {
        auto& b = static_cast<BitmapObject&>(*object);
        if (b.selectedInto)
            pushSection(b);
        DIBSECTION ds;
        ds.dsBm.bmWidth = b.surface->width();
        ds.dsBm.bmHeight = b.surface->height();
        ds.dsBm.bmPlanes = 1;
        ds.dsBm.bmBitsPixel = static_cast<WORD>(b.dibSection ? b.dibHeader.biBitCount : b.bitsPixel);
        if (b.dibSection) {
            ds.dsBm.bmWidthBytes = ((ds.dsBm.bmWidth * ds.dsBm.bmBitsPixel + 31) / 32) * 4;
            ds.dsBm.bmBits = sectionMemory(b);
            ds.dsBmih = b.dibHeader;
            if (pv && c >= static_cast<int>(sizeof(DIBSECTION)))
                return copyOut(&ds, sizeof(DIBSECTION));
        } else {
            ds.dsBm.bmWidthBytes = ((ds.dsBm.bmWidth * ds.dsBm.bmBitsPixel + 15) / 16) * 2;
        }
        return copyOut(&ds.dsBm, sizeof(BITMAP));
    }
    default: return 0;
    }
}
