#pragma once
// Images: bitmaps, icons and cursors loaded from module resources and files, icon drawing, and
// pictures (BMP, JPEG, GIF) decoded into DIB sections.

#include <cstddef>

#include "platform/base/Resources.h"
#include "platform/gdi/WinGdi.h"

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT IMAGE_CURSOR = 2;

constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_MONOCHROME = 0x0001;
constexpr UINT LR_COPYRETURNORG = 0x0004;
constexpr UINT LR_COPYDELETEORG = 0x0008;
constexpr UINT LR_LOADFROMFILE = 0x0010;
constexpr UINT LR_LOADTRANSPARENT = 0x0020;
constexpr UINT LR_DEFAULTSIZE = 0x0040;
constexpr UINT LR_VGACOLOR = 0x0080;
constexpr UINT LR_LOADMAP3DCOLORS = 0x1000;
constexpr UINT LR_CREATEDIBSECTION = 0x2000;
constexpr UINT LR_SHARED = 0x8000;

// System bitmaps drawn by the platform (LoadBitmap with a null module).
constexpr int OBM_CLOSE = 32754;
constexpr int OBM_UPARROW = 32753;
constexpr int OBM_DNARROW = 32752;
constexpr int OBM_RGARROW = 32751;
constexpr int OBM_LFARROW = 32750;
constexpr int OBM_MNARROW = 32739;
constexpr int OBM_CHECK = 32760;
constexpr int OBM_CHECKBOXES = 32759;

// System icons and cursors (LoadIcon / LoadCursor with a null module).
#define IDI_APPLICATION MAKEINTRESOURCE(32512)
#define IDI_HAND MAKEINTRESOURCE(32513)
#define IDI_QUESTION MAKEINTRESOURCE(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCE(32515)
#define IDI_ASTERISK MAKEINTRESOURCE(32516)
#define IDI_WINLOGO MAKEINTRESOURCE(32517)
#define IDI_WARNING IDI_EXCLAMATION
#define IDI_ERROR IDI_HAND
#define IDI_INFORMATION IDI_ASTERISK
#define IDC_ARROW MAKEINTRESOURCE(32512)
#define IDC_IBEAM MAKEINTRESOURCE(32513)
#define IDC_WAIT MAKEINTRESOURCE(32514)
#define IDC_CROSS MAKEINTRESOURCE(32515)
#define IDC_UPARROW MAKEINTRESOURCE(32516)
#define IDC_SIZENWSE MAKEINTRESOURCE(32642)
#define IDC_SIZENESW MAKEINTRESOURCE(32643)
#define IDC_SIZEWE MAKEINTRESOURCE(32644)
#define IDC_SIZENS MAKEINTRESOURCE(32645)
#define IDC_SIZEALL MAKEINTRESOURCE(32646)
#define IDC_NO MAKEINTRESOURCE(32648)
#define IDC_HAND MAKEINTRESOURCE(32649)
#define IDC_APPSTARTING MAKEINTRESOURCE(32650)
#define IDC_HELP MAKEINTRESOURCE(32651)

struct ICONINFO {
    BOOL fIcon { TRUE };
    DWORD xHotspot { 0 };
    DWORD yHotspot { 0 };
    HBITMAP hbmMask { nullptr };
    HBITMAP hbmColor { nullptr };
};
using PICONINFO = ICONINFO*;

constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = 0x0003;
constexpr UINT DI_COMPAT = 0x0004;
constexpr UINT DI_DEFAULTSIZE = 0x0008;

// A bitmap, icon or cursor from a module's resources (ids by MAKEINTRESOURCE) or, with
// LR_LOADFROMFILE, from a .bmp/.ico/.cur file. LR_LOADMAP3DCOLORS turns the greys of the image
// into the 3-D system colours; LR_LOADTRANSPARENT turns the colour of the first pixel into the
// window colour; LR_CREATEDIBSECTION makes a DIB section. cx, cy pick the icon size (0: the
// image's own, or with LR_DEFAULTSIZE the system size). Null when missing or damaged.
HANDLE LoadImage(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad);
inline HANDLE LoadImageA(HINSTANCE h, LPCSTR n, UINT t, int cx, int cy, UINT f) { return LoadImage(h, n, t, cx, cy, f); }
// A bitmap resource; with a null module one of the system's OBM_ bitmaps.
HBITMAP LoadBitmap(HINSTANCE hInstance, LPCSTR lpBitmapName);
// An icon resource (the best 32x32 image of its group); with a null module a system icon. Shared.
HICON LoadIcon(HINSTANCE hInstance, LPCSTR lpIconName);
// A cursor resource; with a null module a system cursor. Shared.
HCURSOR LoadCursor(HINSTANCE hInstance, LPCSTR lpCursorName);
// An icon or cursor from a mask and a colour bitmap (both copied); a null colour bitmap means a
// monochrome icon whose mask holds the AND half above the XOR half.
HICON CreateIconIndirect(PICONINFO piconinfo);
// Fresh copies of an icon's mask and colour bitmaps, and its hot spot.
BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo);
// A copy of an icon.
HICON CopyIcon(HICON hIcon);
// Frees an icon; shared icons stay and report success.
BOOL DestroyIcon(HICON hIcon);
// Frees a cursor.
BOOL DestroyCursor(HCURSOR hCursor);
// Draws an icon or cursor: the mask with SRCAND, then the image with SRCINVERT (DI_NORMAL),
// stretched to cx, cy (0: its own size); a brush makes it draw flicker-free through an off-screen copy.
BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
    HBRUSH hbrFlickerFreeDraw, UINT diFlags);
// Draws an icon at its own size.
BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon);

namespace platform::gdi {

// A picture (BMP, JPEG or GIF) held in memory, as a 32-bit DIB section; `size` receives its size
// in pixels. Null for data that is none of these or is damaged.
HBITMAP DecodePicture(const void* data, std::size_t bytes, SIZE* size);
// A picture from a file (a program path).
HBITMAP LoadPictureFile(LPCSTR path, SIZE* size);

} // namespace platform::gdi
