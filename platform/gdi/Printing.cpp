#include "platform/gdi/Printing.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/base/Paths.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/PrintJob.h"
#include "platform/gdi/StockObjects.h"

using namespace platform::gdi;

namespace {

// Paper sizes in tenths of a millimetre.
SIZE paperSize(short paper)
{
    switch (paper) {
    case DMPAPER_A4: return { 2100, 2970 };
    case DMPAPER_A5: return { 1480, 2100 };
    case DMPAPER_LEGAL: return { 2159, 3556 };
    default: return { 2159, 2794 }; // Letter
    }
}

std::string nativeOutput(std::string path)
{
    if (path.empty())
        return path;
    return platform::ToNativePath(path);
}

} // namespace

namespace platform::gdi {

HDC CreatePrinterDC(const DEVMODE* settings, LPCSTR outputPath)
{
    DEVMODE dm;
    if (settings)
        dm = *settings;
    int dpi = dm.dmYResolution > 0 ? dm.dmYResolution : (dm.dmPrintQuality > 0 ? dm.dmPrintQuality : 300);
    dpi = std::clamp(dpi, 72, 1200);
    SIZE paper = paperSize(dm.dmPaperSize);
    if (dm.dmPaperWidth > 0 && dm.dmPaperLength > 0)
        paper = { dm.dmPaperWidth, dm.dmPaperLength };
    if (dm.dmOrientation == DMORIENT_LANDSCAPE)
        std::swap(paper.cx, paper.cy);
    // Tenths of a millimetre to dots: 254 tenths per inch.
    const SIZE dots { MulDiv(paper.cx, dpi, 254), MulDiv(paper.cy, dpi, 254) };
    if (dots.cx <= 0 || dots.cy <= 0)
        return nullptr;
    auto dc = std::make_shared<DeviceContext>();
    dc->kind = DcKind::Printer;
    dc->print = std::make_unique<PrintJob>(dots, dpi, outputPath ? outputPath : "");
    HDC h = addDC(dc);
    for (HGDIOBJ o : { static_cast<HGDIOBJ>(dc->state.pen), static_cast<HGDIOBJ>(dc->state.brush),
             static_cast<HGDIOBJ>(dc->state.font), static_cast<HGDIOBJ>(dc->state.palette) })
        if (auto obj = HandleTable::instance().find(o))
            obj->selections++;
    return h;
}

BOOL SetPrinterOutput(HDC hdc, LPCSTR outputPath)
{
    auto dc = lookupDC(hdc);
    if (!dc || !dc->print)
        return FALSE;
    dc->print->setOutputPath(outputPath ? outputPath : "");
    return TRUE;
}

BOOL StartPreviewPage(HDC hdc, int cx, int cy)
{
    auto dc = lookupDC(hdc);
    if (!dc || !dc->print || !dc->print->startPreviewPage(SIZE { cx, cy }))
        return FALSE;
    dc->clipChanged();
    return TRUE;
}

BOOL ShowPreviewPage(HDC hdc, HDC target, int x, int y)
{
    auto dc = lookupDC(hdc);
    cairo_surface_t* picture = dc && dc->print ? dc->print->takePreview() : nullptr;
    if (!picture)
        return FALSE;
    // RGB24 rows are 32-bit pixels 0x00RRGGBB, which is a top-down 32-bit DIB.
    const int width = cairo_image_surface_get_width(picture), height = cairo_image_surface_get_height(picture);
    const int stride = cairo_image_surface_get_stride(picture);
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = stride / 4;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int lines = SetDIBitsToDevice(target, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
        static_cast<UINT>(height), cairo_image_surface_get_data(picture), &info, DIB_RGB_COLORS);
    cairo_surface_destroy(picture);
    return lines > 0;
}

} // namespace platform::gdi

int StartDoc(HDC hdc, const DOCINFO* lpdi)
{
    auto dc = lookupDC(hdc);
    if (!dc || !dc->print || !lpdi)
        return SP_ERROR;
    std::string output = lpdi->lpszOutput ? lpdi->lpszOutput : dc->print->outputPath();
    if (output.empty() && lpdi->lpszDocName && *lpdi->lpszDocName) {
        output = lpdi->lpszDocName;
        const std::string tail = output.size() >= 4 ? output.substr(output.size() - 4) : "";
        if (tail != ".pdf" && tail != ".PDF")
            output += ".pdf";
    }
    if (output.empty())
        return SP_ERROR;
    static int jobs = 0;
    return dc->print->startDoc(nativeOutput(output)) ? ++jobs : SP_ERROR;
}

int StartPage(HDC hdc)
{
    auto dc = lookupDC(hdc);
    if (!dc || !dc->print || !dc->print->startPage())
        return SP_ERROR;
    dc->clipChanged();
    return 1;
}

int EndPage(HDC hdc)
{
    auto dc = lookupDC(hdc);
    return dc && dc->print && dc->print->endPage() ? 1 : SP_ERROR;
}

int EndDoc(HDC hdc)
{
    auto dc = lookupDC(hdc);
    return dc && dc->print && dc->print->endDoc() ? 1 : SP_ERROR;
}

int AbortDoc(HDC hdc)
{
    auto dc = lookupDC(hdc);
    if (!dc || !dc->print)
        return SP_ERROR;
    const std::string path = dc->print->currentFile();
    dc->print->abort();
    if (!path.empty())
        std::remove(path.c_str());
    return 1;
}
