#pragma once
// Pictures of the component model: a loaded image (BMP, JPEG or GIF) as an IPicture, its size in
// HIMETRIC units (hundredths of a millimetre) and drawing it stretched into any rectangle.

#include "platform/base/WinTypes.h"
#include "platform/com/Unknwn.h"
#include "platform/gdi/WinGdi.h"

using OLE_HANDLE = UINT;
using OLE_XPOS_HIMETRIC = LONG;
using OLE_YPOS_HIMETRIC = LONG;
using OLE_XSIZE_HIMETRIC = LONG;
using OLE_YSIZE_HIMETRIC = LONG;
using OLE_COLOR = DWORD;

enum PICTYPE : SHORT {
    PICTYPE_UNINITIALIZED = -1,
    PICTYPE_NONE = 0,
    PICTYPE_BITMAP = 1,
    PICTYPE_METAFILE = 2,
    PICTYPE_ICON = 3,
    PICTYPE_ENHMETAFILE = 4,
};

struct IPicture : IUnknown {
    // The bitmap (or icon) the picture holds, as an OLE_HANDLE; 0 for an empty picture.
    virtual HRESULT get_Handle(OLE_HANDLE* pHandle) = 0;
    // The palette of a palettised picture, 0 for none.
    virtual HRESULT get_hPal(OLE_HANDLE* phPal) = 0;
    virtual HRESULT get_Type(SHORT* pType) = 0;
    virtual HRESULT get_Width(OLE_XSIZE_HIMETRIC* pWidth) = 0;
    virtual HRESULT get_Height(OLE_YSIZE_HIMETRIC* pHeight) = 0;
    // Draws the source part (HIMETRIC, y measured from the bottom: pass ySrc = height and a negative
    // cySrc for the picture upright) stretched into x, y, cx, cy of hdc. E_INVALIDARG for no DC or an
    // empty target or source.
    virtual HRESULT Render(HDC hdc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc, OLE_YPOS_HIMETRIC ySrc,
        OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc, LPCRECT pRcWBounds)
        = 0;
    // Replaces the palette (the picture does not own it).
    virtual HRESULT set_hPal(OLE_HANDLE hPal) = 0;
    virtual HRESULT get_Attributes(DWORD* pDwAttr) = 0;
};
using LPPICTURE = IPicture*;
TS_DEFINE_IID(IPicture, "7BF80980-BF32-101A-8BBB-00AA00300CAB");
inline constexpr IID IID_IPicture = platform::IidOf<IPicture>();

// What OleCreatePictureIndirect makes a picture of.
struct PICTDESC {
    UINT cbSizeofstruct { sizeof(PICTDESC) };
    UINT picType { PICTYPE_NONE };
    struct {
        HBITMAP hbitmap { nullptr };
        HPALETTE hpal { nullptr };
    } bmp;
};
using LPPICTDESC = PICTDESC*;

constexpr HRESULT CTL_E_FILENOTFOUND = static_cast<HRESULT>(0x800A0035u);
constexpr HRESULT CTL_E_INVALIDPICTURE = static_cast<HRESULT>(0x800A01E1u);

// Loads a picture file (a path, or a file: URL) into a new picture, asked for as riid. The file's
// format is found from its content. CTL_E_FILENOTFOUND when it cannot be read, CTL_E_INVALIDPICTURE
// when it is no BMP, JPEG or GIF or is damaged; *ppvRet is null on any failure.
HRESULT OleLoadPicturePath(LPCOLESTR szURLorPath, IUnknown* punkCaller, DWORD dwReserved, OLE_COLOR clrReserved,
    REFIID riid, void** ppvRet);
// A picture of a bitmap (PICTYPE_BITMAP) or an empty one (PICTYPE_NONE); with fOwn the picture
// deletes the bitmap when it goes.
HRESULT OleCreatePictureIndirect(LPPICTDESC lpPictDesc, REFIID riid, BOOL fOwn, void** lplpvObj);
