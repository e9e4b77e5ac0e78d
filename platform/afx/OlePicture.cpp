#include "platform/afx/OlePicture.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/base/CodePage.h"
#include "platform/base/MulDiv.h"
#include "platform/base/Paths.h"
#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/PictureCodec.h"
#include "platform/shell/SingleInterfaceObject.h"
#include "platform/user/WinUser.h"

namespace {

// HIMETRIC units per inch; the screen is 96 pixels per inch.
constexpr int kHimetricPerInch = 2540;

int ScreenDpi(int index)
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, index) : 96;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// A property read: E_POINTER without a place for it.
template<class Out, class Value> HRESULT Give(Out* out, Value value)
{
    if (!out)
        return E_POINTER;
    *out = static_cast<Out>(value);
    return S_OK;
}

// A bitmap picture, freed (with the handles it owns) at its last Release.
class Picture final : public platform::SingleInterfaceObject<IPicture> {
public:
    Picture(SHORT type, HBITMAP bitmap, HPALETTE palette, bool ownsBitmap, bool ownsPalette)
        : m_type(type)
        , m_bitmap(bitmap)
        , m_palette(palette)
        , m_ownsBitmap(ownsBitmap)
        , m_ownsPalette(ownsPalette)
    {
        BITMAP bm {};
        if (m_bitmap && ::GetObject(m_bitmap, sizeof bm, &bm)) {
            m_width = ::MulDiv(bm.bmWidth, kHimetricPerInch, ScreenDpi(LOGPIXELSX));
            m_height = ::MulDiv(bm.bmHeight, kHimetricPerInch, ScreenDpi(LOGPIXELSY));
            m_pixelWidth = bm.bmWidth;
            m_pixelHeight = bm.bmHeight;
        }
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    HRESULT get_Handle(OLE_HANDLE* pHandle) override { return Give(pHandle, reinterpret_cast<UINT_PTR>(m_bitmap)); }
    HRESULT get_hPal(OLE_HANDLE* phPal) override { return Give(phPal, reinterpret_cast<UINT_PTR>(m_palette)); }
    HRESULT get_Type(SHORT* pType) override { return Give(pType, m_type); }
    HRESULT get_Width(OLE_XSIZE_HIMETRIC* pWidth) override { return Give(pWidth, m_width); }
    HRESULT get_Height(OLE_YSIZE_HIMETRIC* pHeight) override { return Give(pHeight, m_height); }
    HRESULT Render(HDC hdc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc, OLE_YPOS_HIMETRIC ySrc,
        OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc, LPCRECT) override
    {
        if (!hdc || cx == 0 || cy == 0 || cxSrc == 0 || cySrc == 0)
            return E_INVALIDARG;
        if (m_type != PICTYPE_BITMAP || !m_bitmap || m_width == 0 || m_height == 0)
            return S_OK; // an empty picture draws nothing
        // HIMETRIC runs upward from the bottom edge; pixel rows run downward from the top.
        const int left = ::MulDiv(xSrc, m_pixelWidth, m_width);
        const int top = ::MulDiv(m_height - ySrc, m_pixelHeight, m_height);
        const int width = ::MulDiv(cxSrc, m_pixelWidth, m_width);
        const int height = ::MulDiv(-cySrc, m_pixelHeight, m_height);
        HDC source = ::CreateCompatibleDC(hdc);
        HGDIOBJ old = ::SelectObject(source, m_bitmap);
        const int oldMode = ::SetStretchBltMode(hdc, COLORONCOLOR);
        const BOOL drawn = ::StretchBlt(hdc, x, y, cx, cy, source, left, top, width, height, SRCCOPY);
        ::SetStretchBltMode(hdc, oldMode);
        ::SelectObject(source, old);
        ::DeleteDC(source);
        return drawn ? S_OK : E_FAIL;
    }
    HRESULT set_hPal(OLE_HANDLE hPal) override
    {
        if (m_ownsPalette && m_palette)
            ::DeleteObject(m_palette);
        m_palette = reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(hPal));
        m_ownsPalette = false;
        return S_OK;
    }
    HRESULT get_Attributes(DWORD* pDwAttr) override
    {
        if (!pDwAttr)
            return E_POINTER;
        *pDwAttr = 0; // opaque and not scalable
        return S_OK;
    }

private:
    ~Picture() override
    {
        if (m_ownsBitmap && m_bitmap)
            ::DeleteObject(m_bitmap);
        if (m_ownsPalette && m_palette)
            ::DeleteObject(m_palette);
    }

    SHORT m_type;
    HBITMAP m_bitmap;
    HPALETTE m_palette;
    bool m_ownsBitmap;
    bool m_ownsPalette;
    LONG m_width { 0 };
    LONG m_height { 0 };
    int m_pixelWidth { 0 };
    int m_pixelHeight { 0 };
};

HRESULT Hand(Picture* picture, REFIID riid, void** ppv)
{
    const HRESULT hr = picture->QueryInterface(riid, ppv);
    picture->Release();
    return hr;
}

// The palette of a palettised image (8 bits or fewer), null for a true-colour one.
HPALETTE PaletteOf(const platform::gdi::DecodedImage& image)
{
    if (image.bitsPerPixel > 8 || image.colorTable.empty())
        return nullptr;
    const std::size_t count = std::min<std::size_t>(image.colorTable.size(), 256);
    std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    for (std::size_t i = 0; i < count; ++i) {
        const RGBQUAD& c = image.colorTable[i];
        palette->palPalEntry[i] = PALETTEENTRY { c.rgbRed, c.rgbGreen, c.rgbBlue, 0 };
    }
    return ::CreatePalette(palette);
}

} // namespace

HRESULT OleLoadPicturePath(LPCOLESTR szURLorPath, IUnknown*, DWORD, OLE_COLOR, REFIID riid, void** ppvRet)
{
    if (!ppvRet)
        return E_POINTER;
    *ppvRet = nullptr;
    if (!szURLorPath)
        return E_INVALIDARG;
    std::string path = platform::Utf16ToUtf8(szURLorPath);
    if (path.rfind("file://", 0) == 0)
        path.erase(0, 7);
    // The program names files by its own paths (Z:\...); a POSIX path maps to itself.
    const std::string native = platform::ToNativePath(path);
    std::ifstream file(native.empty() ? path : native, std::ios::binary);
    if (!file)
        return CTL_E_FILENOTFOUND;
    const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    platform::gdi::DecodedImage image;
    if (data.empty() || !platform::gdi::decodePicture(data.data(), data.size(), image) || image.width <= 0
        || image.height <= 0)
        return CTL_E_INVALIDPICTURE;
    HBITMAP bitmap = platform::gdi::makeBitmap(image, false);
    if (!bitmap)
        return E_OUTOFMEMORY;
    return Hand(new Picture(PICTYPE_BITMAP, bitmap, PaletteOf(image), true, true), riid, ppvRet);
}

HRESULT OleCreatePictureIndirect(LPPICTDESC lpPictDesc, REFIID riid, BOOL fOwn, void** lplpvObj)
{
    if (!lplpvObj)
        return E_POINTER;
    *lplpvObj = nullptr;
    if (!lpPictDesc || lpPictDesc->picType == PICTYPE_NONE || lpPictDesc->picType == static_cast<UINT>(PICTYPE_UNINITIALIZED))
        return Hand(new Picture(PICTYPE_NONE, nullptr, nullptr, false, false), riid, lplpvObj);
    if (lpPictDesc->picType != PICTYPE_BITMAP || !lpPictDesc->bmp.hbitmap)
        return E_INVALIDARG;
    return Hand(new Picture(PICTYPE_BITMAP, lpPictDesc->bmp.hbitmap, lpPictDesc->bmp.hpal, fOwn != FALSE, false),
        riid, lplpvObj);
}
