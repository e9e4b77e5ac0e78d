#pragma once
// The drawing interface: device contexts, pens, brushes, fonts, bitmaps, regions, palettes, raster
// operations, text, the 3-D look helpers and printing. Pixels are 32-bit 0x00RRGGBB; 1-bit bitmaps
// hold black and white only. Every call accepts null or stale handles and fails cleanly.

#include "platform/base/MulDiv.h"
#include "platform/base/WinTypes.h"

// ---- Geometry ----------------------------------------------------------------------------------

struct POINT {
    LONG x { 0 };
    LONG y { 0 };
};
using LPPOINT = POINT*;
using PPOINT = POINT*;

struct SIZE {
    LONG cx { 0 };
    LONG cy { 0 };
};
using LPSIZE = SIZE*;
using PSIZE = SIZE*;

struct RECT {
    LONG left { 0 };
    LONG top { 0 };
    LONG right { 0 };
    LONG bottom { 0 };
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;
using PRECT = RECT*;

// Sets all four sides of a rectangle; fails on a null pointer.
BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom);
// Empties a rectangle.
BOOL SetRectEmpty(LPRECT lprc);
// Copies a rectangle.
BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc);
// Moves a rectangle by dx, dy.
BOOL OffsetRect(LPRECT lprc, int dx, int dy);
// Grows (or with negative values shrinks) a rectangle on every side.
BOOL InflateRect(LPRECT lprc, int dx, int dy);
// The common part of two rectangles; an empty result gives FALSE and an empty rectangle.
BOOL IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);
// The smallest rectangle holding both; empty sources are ignored.
BOOL UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);
// TRUE when the rectangle has no area (right <= left or bottom <= top).
BOOL IsRectEmpty(const RECT* lprc);
// TRUE when the point lies inside (right and bottom edges excluded).
BOOL PtInRect(const RECT* lprc, POINT pt);
// TRUE when both rectangles have the same sides.
BOOL EqualRect(const RECT* lprc1, const RECT* lprc2);


// ---- Colours -----------------------------------------------------------------------------------

// A colour from its red, green and blue parts (0x00BBGGRR).
constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

// ---- System colours (one table for the whole program: the classic grey 3-D look) -------------

constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_DESKTOP = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_ACTIVEBORDER = 10;
constexpr int COLOR_INACTIVEBORDER = 11;
constexpr int COLOR_APPWORKSPACE = 12;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_3DFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_3DSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DHIGHLIGHT = 20;
constexpr int COLOR_3DHILIGHT = 20;
constexpr int COLOR_BTNHILIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_HOTLIGHT = 26;
constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;

// The colour of a display element; black for an unknown index.
DWORD GetSysColor(int nIndex);
// A shared solid brush of a display element's colour (never deleted); null for an unknown index.
HBRUSH GetSysColorBrush(int nIndex);
// Changes display-element colours (the brushes follow); FALSE on a bad index.
BOOL SetSysColors(int cElements, const int* lpaElements, const COLORREF* lpaRgbValues);

// ---- Objects -----------------------------------------------------------------------------------

constexpr int OBJ_PEN = 1;
constexpr int OBJ_BRUSH = 2;
constexpr int OBJ_DC = 3;
constexpr int OBJ_PAL = 5;
constexpr int OBJ_FONT = 6;
constexpr int OBJ_BITMAP = 7;
constexpr int OBJ_REGION = 8;
constexpr int OBJ_MEMDC = 10;

constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int OEM_FIXED_FONT = 10;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEVICE_DEFAULT_FONT = 14;
constexpr int DEFAULT_PALETTE = 15;
constexpr int SYSTEM_FIXED_FONT = 16;
constexpr int DEFAULT_GUI_FONT = 17;

// A stock object (never deleted); null for an unknown index.
HGDIOBJ GetStockObject(int i);
// Deletes a pen, brush, font, bitmap, region or palette; FALSE for a stock, selected, null or stale handle.
BOOL DeleteObject(HGDIOBJ ho);
// Copies the object's description (LOGPEN, LOGBRUSH, LOGFONT, BITMAP, DIBSECTION, palette entry count)
// into pv; with a null pv returns the size needed; 0 on a bad handle.
int GetObject(HANDLE h, int c, LPVOID pv);
inline int GetObjectA(HANDLE h, int c, LPVOID pv) { return GetObject(h, c, pv); }
// The OBJ_* kind of a handle, 0 for null or stale.
DWORD GetObjectType(HGDIOBJ h);
// Selects a pen, brush, font or bitmap into the DC and returns the one it replaces; a region
// selects the clip (returns the region kind cast to a handle). Null on failure.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
// The handle of the currently selected object of a kind (OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_PAL).
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);

// Pens
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;

struct LOGPEN {
    UINT lopnStyle { 0 };
    POINT lopnWidth {};
    COLORREF lopnColor { 0 };
};

// A cosmetic pen of a style, width (0 means 1) and colour; null on a bad style or negative width.
HPEN CreatePen(int iStyle, int cWidth, COLORREF color);
// A pen from its description.
HPEN CreatePenIndirect(const LOGPEN* plpen);

// Brushes
constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = 1;
constexpr UINT BS_HATCHED = 2;
constexpr UINT BS_PATTERN = 3;
constexpr int HS_HORIZONTAL = 0;
constexpr int HS_VERTICAL = 1;
constexpr int HS_FDIAGONAL = 2;
constexpr int HS_BDIAGONAL = 3;
constexpr int HS_CROSS = 4;
constexpr int HS_DIAGCROSS = 5;

struct LOGBRUSH {
    UINT lbStyle { 0 };
    COLORREF lbColor { 0 };
    ULONG_PTR lbHatch { 0 };
};

// A brush of one colour.
HBRUSH CreateSolidBrush(COLORREF color);
// A brush of 8x8 hatch lines in a colour; the gaps take the DC's background colour when opaque.
HBRUSH CreateHatchBrush(int iHatch, COLORREF color);
// A brush tiled from a bitmap (a 1-bit one takes the DC's text and background colours); the
// bitmap is copied, so it may be deleted afterwards. Null for a bad bitmap.
HBRUSH CreatePatternBrush(HBITMAP hbm);
// A brush from its description.
HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush);
// Moves the brush origin (device units) and reports the old one.
BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
// The brush origin.
BOOL GetBrushOrgEx(HDC hdc, LPPOINT lppt);

// Fonts
constexpr int LF_FACESIZE = 32;
constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_THIN = 100;
constexpr LONG FW_LIGHT = 300;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_REGULAR = 400;
constexpr LONG FW_MEDIUM = 500;
constexpr LONG FW_SEMIBOLD = 600;
constexpr LONG FW_BOLD = 700;
constexpr LONG FW_HEAVY = 900;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SYMBOL_CHARSET = 2;
constexpr BYTE OEM_CHARSET = 255;
constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE OUT_TT_PRECIS = 4;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE DRAFT_QUALITY = 1;
constexpr BYTE PROOF_QUALITY = 2;
constexpr BYTE NONANTIALIASED_QUALITY = 3;
constexpr BYTE ANTIALIASED_QUALITY = 4;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_DONTCARE = 0x00;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;
constexpr BYTE FF_SCRIPT = 0x40;
constexpr BYTE FF_DECORATIVE = 0x50;

struct LOGFONT {
    LONG lfHeight { 0 };
    LONG lfWidth { 0 };
    LONG lfEscapement { 0 };
    LONG lfOrientation { 0 };
    LONG lfWeight { 0 };
    BYTE lfItalic { 0 };
    BYTE lfUnderline { 0 };
    BYTE lfStrikeOut { 0 };
    BYTE lfCharSet { 0 };
    BYTE lfOutPrecision { 0 };
    BYTE lfClipPrecision { 0 };
    BYTE lfQuality { 0 };
    BYTE lfPitchAndFamily { 0 };
    char lfFaceName[LF_FACESIZE] {};
};
using LOGFONTA = LOGFONT;
using LPLOGFONT = LOGFONT*;
using PLOGFONT = LOGFONT*;

// A font from its description. Height < 0 asks for that character (em) height in pixels,
// > 0 for that cell height, 0 for the default; escapement is in tenths of a degree
// (900 reads bottom to top, -900 / 2700 top to bottom). Null for a null description.
HFONT CreateFontIndirect(const LOGFONT* lplf);
inline HFONT CreateFontIndirectA(const LOGFONT* lplf) { return CreateFontIndirect(lplf); }
// A font from its parts (see CreateFontIndirect).
HFONT CreateFont(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
    DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
    DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName);

// ---- Bitmaps -----------------------------------------------------------------------------------

struct BITMAP {
    LONG bmType { 0 };
    LONG bmWidth { 0 };
    LONG bmHeight { 0 };
    LONG bmWidthBytes { 0 };
    WORD bmPlanes { 0 };
    WORD bmBitsPixel { 0 };
    LPVOID bmBits { nullptr };
};
using LPBITMAP = BITMAP*;
using PBITMAP = BITMAP*;

#pragma pack(push, 1)
struct BITMAPFILEHEADER {
    WORD bfType { 0 };
    DWORD bfSize { 0 };
    WORD bfReserved1 { 0 };
    WORD bfReserved2 { 0 };
    DWORD bfOffBits { 0 };
};
#pragma pack(pop)

struct BITMAPINFOHEADER {
    DWORD biSize { sizeof(BITMAPINFOHEADER) };
    LONG biWidth { 0 };
    LONG biHeight { 0 };
    WORD biPlanes { 1 };
    WORD biBitCount { 0 };
    DWORD biCompression { 0 };
    DWORD biSizeImage { 0 };
    LONG biXPelsPerMeter { 0 };
    LONG biYPelsPerMeter { 0 };
    DWORD biClrUsed { 0 };
    DWORD biClrImportant { 0 };
};
using LPBITMAPINFOHEADER = BITMAPINFOHEADER*;

struct RGBQUAD {
    BYTE rgbBlue { 0 };
    BYTE rgbGreen { 0 };
    BYTE rgbRed { 0 };
    BYTE rgbReserved { 0 };
};

// The header is followed by as many colour-table entries as the format needs (the array is
// declared with one, as callers allocate the real size).
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader {};
    RGBQUAD bmiColors[1] {};
};
using LPBITMAPINFO = BITMAPINFO*;
using PBITMAPINFO = BITMAPINFO*;

struct DIBSECTION {
    BITMAP dsBm {};
    BITMAPINFOHEADER dsBmih {};
    DWORD dsBitfields[3] {};
    HANDLE dshSection { nullptr };
    DWORD dsOffset { 0 };
};

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0;
constexpr UINT DIB_PAL_COLORS = 1;
constexpr DWORD CBM_INIT = 4;

// A device-dependent bitmap: 1 bit per pixel gives a monochrome bitmap, anything else 32 bits.
// lpBits (rows padded to 16 bits) initialises it when given. Null for sizes <= 0 or absurd ones.
HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits);
// A bitmap that fits the DC: monochrome for a memory DC with the default bitmap, else 32 bits.
HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy);
// A bitmap whose pixels the caller reaches through *ppvBits (32-bit sections share their pixels
// with the bitmap; other depths are converted to 32 bits and keep their colour table).
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection,
    DWORD offset);
// A 32-bit bitmap initialised from a device-independent one when fdwInit has CBM_INIT.
HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD fdwInit, const void* pjBits,
    const BITMAPINFO* pbmi, UINT iUsage);
// Copies rows of a bitmap into a DIB of the format in lpbmi (1, 4, 8, 24 or 32 bits, BI_RGB);
// with null lpvBits fills in the header (size, image size). Returns the rows copied, 0 on failure.
int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi, UINT usage);
// Sets rows of a bitmap from a DIB; returns the rows set, 0 on failure.
int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi,
    UINT ColorUse);
// Draws a DIB, stretched, through a raster operation; returns the source rows drawn, 0 on failure.
int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc, int SrcWidth,
    int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT iUsage, DWORD rop);
// Draws a DIB unstretched (source rows from the bottom); returns the rows drawn.
int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan,
    UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse);
// Copies the colour table of the DIB section selected into a memory DC; returns the entries copied.
UINT GetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, RGBQUAD* prgbq);
// Replaces entries of the colour table of the selected DIB section and recolours its pixels.
UINT SetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, const RGBQUAD* prgbq);
// Copies bitmap bits out (rows padded to 16 bits, the device-dependent layout); returns bytes copied.
LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits);
// Sets bitmap bits from the device-dependent layout; returns bytes used.
LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits);
// Flushes pending drawing (nothing is ever pending here).
BOOL GdiFlush();

// ---- Device contexts ---------------------------------------------------------------------------

// A memory DC with a 1x1 monochrome bitmap selected; hdc (may be null) only decides compatibility.
HDC CreateCompatibleDC(HDC hdc);
// Deletes a memory or printer DC; FALSE for DCs of the window layer (they are released, not deleted).
BOOL DeleteDC(HDC hdc);
// A DC on a device: "DISPLAY" gives a screen-compatible DC; printers are made by CreatePrinterDC.
HDC CreateDC(LPCSTR pwszDriver, LPCSTR pwszDevice, LPCSTR pszPort, const void* pdm);
// Pushes the DC's state (objects, colours, modes, mapping, clip); returns the new depth, 0 on failure.
int SaveDC(HDC hdc);
// Pops to a saved depth (negative: relative to the top); FALSE for a level that was never saved.
BOOL RestoreDC(HDC hdc, int nSavedDC);

constexpr int DRIVERVERSION = 0;
constexpr int TECHNOLOGY = 2;
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int RASTERCAPS = 38;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int SIZEPALETTE = 104;
constexpr int NUMRESERVED = 106;
constexpr int COLORRES = 108;
constexpr int PHYSICALWIDTH = 110;
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;
constexpr int DT_RASDISPLAY = 1;
constexpr int DT_RASPRINTER = 2;
constexpr int RC_BITBLT = 1;
constexpr int RC_BITMAP64 = 8;
constexpr int RC_DI_BITMAP = 0x80;
constexpr int RC_PALETTE = 0x100;
constexpr int RC_DIBTODEV = 0x200;
constexpr int RC_STRETCHBLT = 0x800;
constexpr int RC_STRETCHDIB = 0x2000;

// A device capability: the screen is 96 dpi true colour without a palette; a printer reports its
// page size and resolution.
int GetDeviceCaps(HDC hdc, int index);

// ---- Colours, modes and mapping ----------------------------------------------------------------

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Sets the background colour; returns the previous one, CLR_INVALID on a bad DC.
COLORREF SetBkColor(HDC hdc, COLORREF color);
// The background colour.
COLORREF GetBkColor(HDC hdc);
// Sets TRANSPARENT or OPAQUE; returns the previous mode, 0 on failure.
int SetBkMode(HDC hdc, int mode);
// The background mode.
int GetBkMode(HDC hdc);
// Sets the text colour; returns the previous one.
COLORREF SetTextColor(HDC hdc, COLORREF color);
// The text colour.
COLORREF GetTextColor(HDC hdc);

constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;

// Sets the binary raster operation of pens and brush fills; returns the previous one, 0 on failure.
int SetROP2(HDC hdc, int rop2);
// The binary raster operation.
int GetROP2(HDC hdc);

constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;
// Sets how polygons fill; returns the previous mode.
int SetPolyFillMode(HDC hdc, int mode);
// The polygon fill mode.
int GetPolyFillMode(HDC hdc);

constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;
// Sets how StretchBlt shrinks; only recorded (every mode drops rows and columns).
int SetStretchBltMode(HDC hdc, int mode);
// The stretch mode.
int GetStretchBltMode(HDC hdc);

constexpr int MM_TEXT = 1;
constexpr int MM_LOMETRIC = 2;
constexpr int MM_HIMETRIC = 3;
constexpr int MM_LOENGLISH = 4;
constexpr int MM_HIENGLISH = 5;
constexpr int MM_TWIPS = 6;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

// Sets the mapping mode (MM_TEXT, MM_ANISOTROPIC, MM_ISOTROPIC and the metric ones); returns the old one.
int SetMapMode(HDC hdc, int iMode);
// The mapping mode.
int GetMapMode(HDC hdc);
// Sets the window (logical) origin.
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
// The window origin.
BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppt);
// Sets the window extents (ignored in fixed modes; zero extents fail).
BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz);
// The window extents.
BOOL GetWindowExtEx(HDC hdc, LPSIZE lpsize);
// Sets the viewport (device) origin.
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
// The viewport origin.
BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppt);
// Moves the viewport origin.
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
// Moves the window origin.
BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
// Sets the viewport extents (ignored in fixed modes; zero extents fail).
BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz);
// The viewport extents.
BOOL GetViewportExtEx(HDC hdc, LPSIZE lpsize);
// Converts device points to logical ones.
BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c);
// Converts logical points to device ones.
BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c);

// ---- Regions and clipping ----------------------------------------------------------------------

constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
constexpr int RGN_ERROR = ERROR;
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

// A rectangular region (right and bottom excluded); the corners are put in order.
HRGN CreateRectRgn(int x1, int y1, int x2, int y2);
// A rectangular region from a rectangle.
HRGN CreateRectRgnIndirect(const RECT* lprect);
// A region from a polygon filled in the given mode; null for fewer than 1 point.
HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode);
// An elliptic region inside the box.
HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2);
// Combines two regions into the destination (which may be one of them); returns the result's kind.
int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode);
// Makes a region the rectangle given.
BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom);
// Moves a region; returns its kind.
int OffsetRgn(HRGN hrgn, int x, int y);
// The bounding box of a region; returns its kind.
int GetRgnBox(HRGN hrgn, LPRECT lprc);
// TRUE when the point lies in the region.
BOOL PtInRegion(HRGN hrgn, int x, int y);
// TRUE when any part of the rectangle lies in the region.
BOOL RectInRegion(HRGN hrgn, const RECT* lprect);
// TRUE when both regions cover the same pixels.
BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2);
// Fills a region (logical coordinates) with a brush.
BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr);
// Paints a region with the DC's brush.
BOOL PaintRgn(HDC hdc, HRGN hrgn);
// Frames a region's outline with a brush, w by h pixels.
BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h);
// Inverts the colours inside a region.
BOOL InvertRgn(HDC hdc, HRGN hrgn);

// Makes a copy of the region (device coordinates) the DC's clip, or removes the clip for null; returns
// the clip's kind.
int SelectClipRgn(HDC hdc, HRGN hrgn);
// Combines the DC's clip with a region.
int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode);
// Narrows the clip to a logical rectangle; returns the clip's kind.
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
// Removes a logical rectangle from the clip; returns the clip's kind.
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
// Moves the clip by logical units.
int OffsetClipRgn(HDC hdc, int x, int y);
// The logical bounding box of what can be drawn; returns the clip's kind.
int GetClipBox(HDC hdc, LPRECT lprect);
// Copies the application clip into hrgn: 1 when there is one, 0 when none, -1 on error.
int GetClipRgn(HDC hdc, HRGN hrgn);
// TRUE when any part of the logical rectangle can be drawn.
BOOL RectVisible(HDC hdc, const RECT* lprect);
// TRUE when the logical point can be drawn.
BOOL PtVisible(HDC hdc, int x, int y);

// ---- Drawing -----------------------------------------------------------------------------------

// Moves the current position; the old one goes to lppt.
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt);
// The current position.
BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt);
// Draws from the current position up to, not including, the point, and moves there.
BOOL LineTo(HDC hdc, int x, int y);
// Draws connected lines (the last point not drawn).
BOOL Polyline(HDC hdc, const POINT* apt, int cpt);
// Draws a closed polygon outlined with the pen and filled with the brush.
BOOL Polygon(HDC hdc, const POINT* apt, int cpt);
// A rectangle outlined with the pen and filled with the brush (right and bottom excluded).
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
// An ellipse inside the box, outlined with the pen and filled with the brush.
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
// A rectangle with rounded corners of the given ellipse size.
BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height);
// Fills a rectangle with a brush (or a system colour index + 1 cast to a brush).
int FillRect(HDC hdc, const RECT* lprc, HBRUSH hbr);
// Draws a one-pixel border of a brush around a rectangle.
int FrameRect(HDC hdc, const RECT* lprc, HBRUSH hbr);
// Inverts the colours of a rectangle.
BOOL InvertRect(HDC hdc, const RECT* lprc);
// Sets a pixel; returns the colour set, -1 (CLR_INVALID) when clipped or on failure.
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
// Sets a pixel without reporting the colour.
BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color);
// The colour of a pixel; CLR_INVALID outside the clip or the surface.
COLORREF GetPixel(HDC hdc, int x, int y);

constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD SRCERASE = 0x00440328;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD NOTSRCERASE = 0x001100A6;
constexpr DWORD MERGECOPY = 0x00C000CA;
constexpr DWORD MERGEPAINT = 0x00BB0226;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATPAINT = 0x00FB0A09;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Fills a rectangle through a raster operation of pattern and destination.
BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);
// Copies a rectangle through a ternary raster operation of source, pattern (the DC's brush) and
// destination. Monochrome sources onto colour take the destination's text (0) and background (1)
// colours; colour sources onto monochrome give 1 where the source has its DC's background colour.
BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);
// BitBlt with scaling (negative sizes mirror).
BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
    int wSrc, int hSrc, DWORD rop);
// Copies a rectangle leaving out the pixels of one colour.
BOOL TransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc,
    int xoriginSrc, int yoriginSrc, int wSrc, int hSrc, UINT crTransparent);

// ---- Text --------------------------------------------------------------------------------------

struct TEXTMETRIC {
    LONG tmHeight { 0 };
    LONG tmAscent { 0 };
    LONG tmDescent { 0 };
    LONG tmInternalLeading { 0 };
    LONG tmExternalLeading { 0 };
    LONG tmAveCharWidth { 0 };
    LONG tmMaxCharWidth { 0 };
    LONG tmWeight { 0 };
    LONG tmOverhang { 0 };
    LONG tmDigitizedAspectX { 0 };
    LONG tmDigitizedAspectY { 0 };
    BYTE tmFirstChar { 0 };
    BYTE tmLastChar { 0 };
    BYTE tmDefaultChar { 0 };
    BYTE tmBreakChar { 0 };
    BYTE tmItalic { 0 };
    BYTE tmUnderlined { 0 };
    BYTE tmStruckOut { 0 };
    BYTE tmPitchAndFamily { 0 };
    BYTE tmCharSet { 0 };
};
using TEXTMETRICA = TEXTMETRIC;
using LPTEXTMETRIC = TEXTMETRIC*;

constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

// Sets where TextOut's point lies on the text; returns the old alignment, GDI_ERROR on failure.
UINT SetTextAlign(HDC hdc, UINT align);
// The text alignment.
UINT GetTextAlign(HDC hdc);
constexpr UINT GDI_ERROR = 0xFFFFFFFF;

// Draws c bytes of UTF-8 text at a logical point in the selected font and text colour (the cell
// filled with the background colour when opaque).
BOOL TextOut(HDC hdc, int x, int y, LPCSTR lpString, int c);
inline BOOL TextOutA(HDC hdc, int x, int y, LPCSTR s, int c) { return TextOut(hdc, x, y, s, c); }

constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;
// TextOut with an optional rectangle that is filled first (ETO_OPAQUE) and/or clips (ETO_CLIPPED),
// and optional per-character advances (one per character). A null text with ETO_OPAQUE only fills.
BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c,
    const INT* lpDx);
inline BOOL ExtTextOutA(HDC hdc, int x, int y, UINT o, const RECT* r, LPCSTR s, UINT c, const INT* dx)
{
    return ExtTextOut(hdc, x, y, o, r, s, c, dx);
}
// The width and height of c bytes of text in the selected font (logical units).
BOOL GetTextExtentPoint32(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl);
inline BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR s, int c, LPSIZE sz) { return GetTextExtentPoint32(hdc, s, c, sz); }
inline BOOL GetTextExtentPoint(HDC hdc, LPCSTR s, int c, LPSIZE sz) { return GetTextExtentPoint32(hdc, s, c, sz); }
// How many characters fit in nMaxExtent (and, in alpDx, the extent after each); FALSE on failure.
BOOL GetTextExtentExPoint(HDC hdc, LPCSTR lpszString, int cchString, int nMaxExtent, INT* lpnFit, INT* lpnDx,
    LPSIZE lpSize);
// The extent of text with tabs expanded to the given stops (none: every 8 average characters);
// MAKELONG(width, height).
DWORD GetTabbedTextExtent(HDC hdc, LPCSTR lpString, int chCount, int nTabPositions, const INT* lpnTabStopPositions);
// Draws text with tabs expanded; returns MAKELONG(width, height).
LONG TabbedTextOut(HDC hdc, int x, int y, LPCSTR lpString, int chCount, int nTabPositions,
    const INT* lpnTabStopPositions, int nTabOrigin);
// The metrics of the selected font.
BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC lptm);
inline BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRIC lptm) { return GetTextMetrics(hdc, lptm); }
// Copies the selected font's face name; returns the characters copied (without the zero), or the
// size needed (with it) when lpName is null.
int GetTextFace(HDC hdc, int c, LPSTR lpName);
// Extra space added to each character.
int SetTextCharacterExtra(HDC hdc, int extra);
// The extra space per character.
int GetTextCharacterExtra(HDC hdc);

constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_TABSTOP = 0x00000080;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_EXTERNALLEADING = 0x00000200;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_INTERNAL = 0x00001000;
constexpr UINT DT_EDITCONTROL = 0x00002000;
constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_MODIFYSTRING = 0x00010000;
constexpr UINT DT_RTLREADING = 0x00020000;
constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x00080000;
constexpr UINT DT_HIDEPREFIX = 0x00100000;
constexpr UINT DT_PREFIXONLY = 0x00200000;

// Formats UTF-8 text (cchText bytes, -1 for zero-terminated) into a logical rectangle: alignment,
// word breaks, tabs, "&" prefixes, end ellipsis. With DT_CALCRECT only measures and updates the
// rectangle. Returns the height of the text, 0 on failure.
int DrawText(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format);
inline int DrawTextA(HDC hdc, LPCSTR t, int c, LPRECT r, UINT f) { return DrawText(hdc, t, c, r, f); }

// ---- Palettes ----------------------------------------------------------------------------------

struct PALETTEENTRY {
    BYTE peRed { 0 };
    BYTE peGreen { 0 };
    BYTE peBlue { 0 };
    BYTE peFlags { 0 };
};
struct LOGPALETTE {
    WORD palVersion { 0x300 };
    WORD palNumEntries { 0 };
    PALETTEENTRY palPalEntry[1] {};
};
using LPLOGPALETTE = LOGPALETTE*;

// A palette from its entries; null for none or more than 256.
HPALETTE CreatePalette(const LOGPALETTE* plpal);
// The 256-colour halftone palette.
HPALETTE CreateHalftonePalette(HDC hdc);
// Selects a palette (the true-colour screen needs none, so this only records it); returns the old one.
HPALETTE SelectPalette(HDC hdc, HPALETTE hPal, BOOL bForceBkgd);
// Maps the selected palette; returns the entries changed (always 0 on a true-colour device).
UINT RealizePalette(HDC hdc);
// Copies palette entries; returns the count copied (or the size with a null buffer).
UINT GetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries, PALETTEENTRY* pPalEntries);
// The index of the entry nearest a colour.
UINT GetNearestPaletteIndex(HPALETTE h, COLORREF color);
