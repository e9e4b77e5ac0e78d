#pragma once
// The common controls' vocabulary: window class names, notification codes, messages, styles and the
// structures they carry, for the list view and its header, the tree view, tooltips, toolbars, rebars,
// the status bar, progress bar, up-down, IP address and animation controls, and the image list.
// InitCommonControls registers the control classes this library implements; the tree, toolbar and
// rebar vocabularies are declared for the toolkit's own controls, which speak the same language.

#include "platform/base/WinTypes.h"
#include "platform/gdi/WinGdi.h"
#include "platform/user/WinUser.h"

// ---- Registration -------------------------------------------------------------------------------

struct INITCOMMONCONTROLSEX {
    DWORD dwSize { sizeof(INITCOMMONCONTROLSEX) };
    DWORD dwICC { 0 };
};
using LPINITCOMMONCONTROLSEX = INITCOMMONCONTROLSEX*;

constexpr DWORD ICC_LISTVIEW_CLASSES = 0x0001;
constexpr DWORD ICC_TREEVIEW_CLASSES = 0x0002;
constexpr DWORD ICC_BAR_CLASSES = 0x0004;
constexpr DWORD ICC_TAB_CLASSES = 0x0008;
constexpr DWORD ICC_UPDOWN_CLASS = 0x0010;
constexpr DWORD ICC_PROGRESS_CLASS = 0x0020;
constexpr DWORD ICC_HOTKEY_CLASS = 0x0040;
constexpr DWORD ICC_ANIMATE_CLASS = 0x0080;
constexpr DWORD ICC_WIN95_CLASSES = 0x00FF;
constexpr DWORD ICC_DATE_CLASSES = 0x0100;
constexpr DWORD ICC_USEREX_CLASSES = 0x0200;
constexpr DWORD ICC_COOL_CLASSES = 0x0400;
constexpr DWORD ICC_INTERNET_CLASSES = 0x0800;

// Registers every control class of this library (idempotent).
void InitCommonControls();
// Registers the control classes; TRUE, FALSE for a null pointer or a wrong dwSize.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);

#define WC_LISTVIEW "SysListView32"
#define WC_HEADER "SysHeader32"
#define WC_TREEVIEW "SysTreeView32"
#define TOOLTIPS_CLASS "tooltips_class32"
#define TOOLBARCLASSNAME "ToolbarWindow32"
#define REBARCLASSNAME "ReBarWindow32"
#define STATUSCLASSNAME "msctls_statusbar32"
#define PROGRESS_CLASS "msctls_progress32"
#define UPDOWN_CLASS "msctls_updown32"
#define WC_IPADDRESS "SysIPAddress32"
#define ANIMATE_CLASS "SysAnimate32"
#define WC_TABCONTROL "SysTabControl32"

// ---- Notifications shared by every control -------------------------------------------------------

// The header of every WM_NOTIFY message (lParam): who sent it and what happened.
struct NMHDR {
    HWND hwndFrom { nullptr };
    UINT_PTR idFrom { 0 };
    UINT code { 0 };
};
using LPNMHDR = NMHDR*;

constexpr UINT NM_FIRST = 0U;
constexpr UINT NM_OUTOFMEMORY = NM_FIRST - 1;
constexpr UINT NM_CLICK = NM_FIRST - 2;
constexpr UINT NM_DBLCLK = NM_FIRST - 3;
constexpr UINT NM_RETURN = NM_FIRST - 4;
constexpr UINT NM_RCLICK = NM_FIRST - 5;
constexpr UINT NM_RDBLCLK = NM_FIRST - 6;
constexpr UINT NM_SETFOCUS = NM_FIRST - 7;
constexpr UINT NM_KILLFOCUS = NM_FIRST - 8;
constexpr UINT NM_CUSTOMDRAW = NM_FIRST - 12;
constexpr UINT NM_HOVER = NM_FIRST - 13;

constexpr UINT LVN_FIRST = 0U - 100;
constexpr UINT HDN_FIRST = 0U - 300;
constexpr UINT TVN_FIRST = 0U - 400;
constexpr UINT TTN_FIRST = 0U - 520;
constexpr UINT TBN_FIRST = 0U - 700;
constexpr UINT UDN_FIRST = 0U - 721;
constexpr UINT RBN_FIRST = 0U - 831;
constexpr UINT IPN_FIRST = 0U - 860;
constexpr UINT SBN_FIRST = 0U - 880;

// Custom drawing: the stages a control reports and the answers it takes.
constexpr DWORD CDDS_PREPAINT = 0x00000001;
constexpr DWORD CDDS_POSTPAINT = 0x00000002;
constexpr DWORD CDDS_PREERASE = 0x00000003;
constexpr DWORD CDDS_POSTERASE = 0x00000004;
constexpr DWORD CDDS_ITEM = 0x00010000;
constexpr DWORD CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT;
constexpr DWORD CDDS_ITEMPOSTPAINT = CDDS_ITEM | CDDS_POSTPAINT;
constexpr DWORD CDDS_SUBITEM = 0x00020000;
constexpr LRESULT CDRF_DODEFAULT = 0x00;
constexpr LRESULT CDRF_NEWFONT = 0x02;
constexpr LRESULT CDRF_SKIPDEFAULT = 0x04;
constexpr LRESULT CDRF_NOTIFYPOSTPAINT = 0x10;
constexpr LRESULT CDRF_NOTIFYITEMDRAW = 0x20;
constexpr LRESULT CDRF_NOTIFYSUBITEMDRAW = 0x20;
constexpr LRESULT CDRF_NOTIFYPOSTERASE = 0x40;
constexpr UINT CDIS_SELECTED = 0x0001;
constexpr UINT CDIS_GRAYED = 0x0002;
constexpr UINT CDIS_DISABLED = 0x0004;
constexpr UINT CDIS_CHECKED = 0x0008;
constexpr UINT CDIS_FOCUS = 0x0010;
constexpr UINT CDIS_DEFAULT = 0x0020;
constexpr UINT CDIS_HOT = 0x0040;

struct NMCUSTOMDRAW {
    NMHDR hdr;
    DWORD dwDrawStage { 0 };
    HDC hdc { nullptr };
    RECT rc {};
    DWORD_PTR dwItemSpec { 0 };
    UINT uItemState { 0 };
    LPARAM lItemlParam { 0 };
};
using LPNMCUSTOMDRAW = NMCUSTOMDRAW*;

// Common control styles: where a bar places itself in its parent.
constexpr DWORD CCS_TOP = 0x0001;
constexpr DWORD CCS_NOMOVEY = 0x0002;
constexpr DWORD CCS_BOTTOM = 0x0003;
constexpr DWORD CCS_NORESIZE = 0x0004;
constexpr DWORD CCS_NOPARENTALIGN = 0x0008;
constexpr DWORD CCS_ADJUSTABLE = 0x0020;
constexpr DWORD CCS_NODIVIDER = 0x0040;
constexpr DWORD CCS_VERT = 0x0080;
constexpr DWORD CCS_LEFT = CCS_VERT | CCS_TOP;
constexpr DWORD CCS_RIGHT = CCS_VERT | CCS_BOTTOM;
constexpr DWORD CCS_NOMOVEX = CCS_VERT | CCS_NOMOVEY;

constexpr UINT CCM_FIRST = 0x2000;
constexpr UINT CCM_SETBKCOLOR = CCM_FIRST + 1;

// Marks a text the control asks its owner for at drawing time.
inline const LPSTR LPSTR_TEXTCALLBACK = reinterpret_cast<LPSTR>(static_cast<INT_PTR>(-1));
constexpr int I_IMAGECALLBACK = -1;
constexpr int I_IMAGENONE = -2;
constexpr int I_CHILDRENCALLBACK = -1;

// ---- Tab control ----------------------------------------------------------------------------------

// One row of tabs above a panel; the owner puts its own windows on the panel (TCM_ADJUSTRECT says
// where) and hears of a change of tab before (TCN_SELCHANGING, nonzero refuses it) and after.
constexpr DWORD TCS_TABS = 0x0000;
constexpr DWORD TCS_SINGLELINE = 0x0000;
constexpr DWORD TCS_FOCUSNEVER = 0x8000;

constexpr UINT TCM_FIRST = 0x1300;
constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
constexpr UINT TCM_GETITEM = TCM_FIRST + 5;
constexpr UINT TCM_SETITEM = TCM_FIRST + 6;
constexpr UINT TCM_INSERTITEM = TCM_FIRST + 7;
constexpr UINT TCM_DELETEITEM = TCM_FIRST + 8;
constexpr UINT TCM_DELETEALLITEMS = TCM_FIRST + 9;
constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;
constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
constexpr UINT TCM_HITTEST = TCM_FIRST + 13;
constexpr UINT TCM_ADJUSTRECT = TCM_FIRST + 40;
constexpr UINT TCM_GETROWCOUNT = TCM_FIRST + 44;

constexpr UINT TCIF_TEXT = 0x0001;
constexpr UINT TCIF_IMAGE = 0x0002;
constexpr UINT TCIF_PARAM = 0x0008;

struct TCITEM {
    UINT mask { 0 };
    DWORD dwState { 0 };
    DWORD dwStateMask { 0 };
    LPSTR pszText { nullptr };
    int cchTextMax { 0 };
    int iImage { -1 };
    LPARAM lParam { 0 };
};
using TCITEMA = TCITEM;
using LPTCITEM = TCITEM*;

constexpr UINT TCHT_NOWHERE = 0x0001;
constexpr UINT TCHT_ONITEMICON = 0x0002;
constexpr UINT TCHT_ONITEMLABEL = 0x0004;
constexpr UINT TCHT_ONITEM = TCHT_ONITEMICON | TCHT_ONITEMLABEL;

struct TCHITTESTINFO {
    POINT pt {};
    UINT flags { 0 };
};

constexpr UINT TCN_FIRST = 0U - 550;
constexpr UINT TCN_KEYDOWN = TCN_FIRST - 0;
constexpr UINT TCN_SELCHANGE = TCN_FIRST - 1;
constexpr UINT TCN_SELCHANGING = TCN_FIRST - 2;

// ---- Image list ---------------------------------------------------------------------------------

constexpr COLORREF CLR_HILIGHT = CLR_DEFAULT;

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLORDDB = 0x00FE;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;

constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_BLEND25 = 0x0002;
constexpr UINT ILD_BLEND50 = 0x0004;
constexpr UINT ILD_MASK = 0x0010;
constexpr UINT ILD_IMAGE = 0x0020;
constexpr UINT ILD_OVERLAYMASK = 0x0F00;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILD_FOCUS = ILD_BLEND25;
constexpr UINT ILD_BLEND = ILD_BLEND50;
// The overlay (1-15) an ILD_ or LVIS_/TVIS_ state carries.
constexpr UINT INDEXTOOVERLAYMASK(UINT i) { return i << 8; }

struct IMAGEINFO {
    HBITMAP hbmImage { nullptr };
    HBITMAP hbmMask { nullptr };
    int Unused1 { 0 };
    int Unused2 { 0 };
    RECT rcImage {};
};

// An image list of images cx by cy (ILC_MASK keeps a mask beside each); null for a size that is not
// positive. cInitial and cGrow are capacity hints.
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow);
// Frees an image list and its bitmaps; FALSE for a bad handle.
BOOL ImageList_Destroy(HIMAGELIST himl);
// The number of images; 0 for a bad handle.
int ImageList_GetImageCount(HIMAGELIST himl);
// Grows (with black, opaque images) or shrinks the list to uNewCount images.
BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount);
// Appends the images of a bitmap strip (its width divided by cx; a last partial image is dropped),
// with a mask strip for a masked list (null: all opaque). The index of the first, -1 on failure.
int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask);
// Appends a bitmap strip whose pixels of colour crMask are transparent (they are stored black).
int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask);
// Replaces image i with the first image of a strip (and its mask); FALSE for a bad index.
BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask);
// Replaces image i with an icon (-1 appends it); the index, -1 on failure.
int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon);
// Appends an icon.
inline int ImageList_AddIcon(HIMAGELIST himl, HICON hicon) { return ImageList_ReplaceIcon(himl, -1, hicon); }
// Removes image i, or every image for -1; FALSE for a bad index.
BOOL ImageList_Remove(HIMAGELIST himl, int i);
// Removes every image.
inline BOOL ImageList_RemoveAll(HIMAGELIST himl) { return ImageList_Remove(himl, -1); }
// Sets the colour drawn behind transparent pixels by ILD_NORMAL (CLR_NONE: none); the old one.
COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk);
// The background colour; CLR_NONE for a bad handle.
COLORREF ImageList_GetBkColor(HIMAGELIST himl);
// Makes image iImage overlay number iOverlay (1-15).
BOOL ImageList_SetOverlayImage(HIMAGELIST himl, int iImage, int iOverlay);
// Draws image i at x, y: ILD_NORMAL over the background colour (or transparently when there is
// none), ILD_TRANSPARENT through the mask, ILD_MASK the mask alone, ILD_SELECTED/ILD_FOCUS dithered
// with the highlight colour, and an overlay from ILD_OVERLAYMASK on top.
BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle);
// As ImageList_Draw, clipped to dx by dy (0: the image size), with rgbBk for the background
// (CLR_DEFAULT: the list's own, CLR_NONE: transparent) and rgbFg for the selection blend
// (CLR_DEFAULT: the highlight colour).
BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, int dx, int dy, COLORREF rgbBk,
    COLORREF rgbFg, UINT fStyle);
// An icon made from image i (the caller destroys it); null for a bad index.
HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT flags);
// The image size.
BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
// Changes the image size and removes every image.
BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy);
// The list's bitmaps and where image i lies in them.
BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* pImageInfo);
// A deep copy of an image list.
HIMAGELIST ImageList_Duplicate(HIMAGELIST himl);
// A new masked list of one image big enough for both: image i2 of himl2 drawn through its mask
// over image i1 of himl1, offset by dx, dy.
HIMAGELIST ImageList_Merge(HIMAGELIST himl1, int i1, HIMAGELIST himl2, int i2, int dx, int dy);
// A masked list from a bitmap resource cut into images cx wide (crMask transparent, CLR_NONE: none).
HIMAGELIST ImageList_LoadImage(HINSTANCE hi, LPCSTR lpbmp, int cx, int cGrow, COLORREF crMask, UINT uType,
    UINT uFlags);
inline HIMAGELIST ImageList_LoadBitmap(HINSTANCE hi, LPCSTR lpbmp, int cx, int cGrow, COLORREF crMask)
{
    return ImageList_LoadImage(hi, lpbmp, cx, cGrow, crMask, IMAGE_BITMAP, 0);
}

// Starts dragging image iTrack; the hot spot is its point that follows the pointer. FALSE when a
// drag is already on or the image is bad.
BOOL ImageList_BeginDrag(HIMAGELIST himlTrack, int iTrack, int dxHotspot, int dyHotspot);
// Ends the drag (hiding the image) and frees the drag image.
void ImageList_EndDrag();
// Locks updates of a window (null: the screen) and shows the drag image at x, y relative to the
// window's top-left corner.
BOOL ImageList_DragEnter(HWND hwndLock, int x, int y);
// Hides the drag image and unlocks the window.
BOOL ImageList_DragLeave(HWND hwndLock);
// Moves the drag image to x, y (coordinates as for DragEnter), restoring what it covered.
BOOL ImageList_DragMove(int x, int y);
// Shows or hides the drag image without touching the lock.
BOOL ImageList_DragShowNolock(BOOL fShow);
// The drag image list (owned by the drag), the current position and the hot spot; null when no drag.
HIMAGELIST ImageList_GetDragImage(POINT* ppt, POINT* pptHotspot);

// ---- Header control -----------------------------------------------------------------------------

constexpr DWORD HDS_HORZ = 0x0000;
constexpr DWORD HDS_BUTTONS = 0x0002;
constexpr DWORD HDS_HOTTRACK = 0x0004;
constexpr DWORD HDS_HIDDEN = 0x0008;
constexpr DWORD HDS_DRAGDROP = 0x0040;
constexpr DWORD HDS_FULLDRAG = 0x0080;

constexpr UINT HDI_WIDTH = 0x0001;
constexpr UINT HDI_HEIGHT = HDI_WIDTH;
constexpr UINT HDI_TEXT = 0x0002;
constexpr UINT HDI_FORMAT = 0x0004;
constexpr UINT HDI_LPARAM = 0x0008;
constexpr UINT HDI_BITMAP = 0x0010;
constexpr UINT HDI_IMAGE = 0x0020;
constexpr UINT HDI_DI_SETITEM = 0x0040;
constexpr UINT HDI_ORDER = 0x0080;

constexpr int HDF_LEFT = 0x0000;
constexpr int HDF_RIGHT = 0x0001;
constexpr int HDF_CENTER = 0x0002;
constexpr int HDF_JUSTIFYMASK = 0x0003;
constexpr int HDF_IMAGE = 0x0800;
constexpr int HDF_BITMAP_ON_RIGHT = 0x1000;
constexpr int HDF_BITMAP = 0x2000;
constexpr int HDF_STRING = 0x4000;
constexpr int HDF_OWNERDRAW = 0x8000;

struct HDITEM {
    UINT mask { 0 };
    int cxy { 0 };
    LPSTR pszText { nullptr };
    HBITMAP hbm { nullptr };
    int cchTextMax { 0 };
    int fmt { 0 };
    LPARAM lParam { 0 };
    int iImage { 0 };
    int iOrder { 0 };
};
using LPHDITEM = HDITEM*;
using HDITEMA = HDITEM;

struct HDLAYOUT {
    RECT* prc { nullptr };
    WINDOWPOS* pwpos { nullptr };
};
using LPHDLAYOUT = HDLAYOUT*;

constexpr UINT HHT_NOWHERE = 0x0001;
constexpr UINT HHT_ONHEADER = 0x0002;
constexpr UINT HHT_ONDIVIDER = 0x0004;
constexpr UINT HHT_ONDIVOPEN = 0x0008;
constexpr UINT HHT_ABOVE = 0x0100;
constexpr UINT HHT_BELOW = 0x0200;
constexpr UINT HHT_TORIGHT = 0x0400;
constexpr UINT HHT_TOLEFT = 0x0800;

struct HDHITTESTINFO {
    POINT pt {};
    UINT flags { 0 };
    int iItem { -1 };
};
using LPHDHITTESTINFO = HDHITTESTINFO*;

constexpr UINT HDM_FIRST = 0x1200;
constexpr UINT HDM_GETITEMCOUNT = HDM_FIRST + 0;
constexpr UINT HDM_INSERTITEM = HDM_FIRST + 1;
constexpr UINT HDM_DELETEITEM = HDM_FIRST + 2;
constexpr UINT HDM_GETITEM = HDM_FIRST + 3;
constexpr UINT HDM_SETITEM = HDM_FIRST + 4;
constexpr UINT HDM_LAYOUT = HDM_FIRST + 5;
constexpr UINT HDM_HITTEST = HDM_FIRST + 6;
constexpr UINT HDM_GETITEMRECT = HDM_FIRST + 7;
constexpr UINT HDM_SETIMAGELIST = HDM_FIRST + 8;
constexpr UINT HDM_GETIMAGELIST = HDM_FIRST + 9;
constexpr UINT HDM_ORDERTOINDEX = HDM_FIRST + 15;
constexpr UINT HDM_GETORDERARRAY = HDM_FIRST + 17;
constexpr UINT HDM_SETORDERARRAY = HDM_FIRST + 18;

// The header sends the narrow (A) forms; the W codes are declared for owners that list both.
constexpr UINT HDN_ITEMCHANGING = HDN_FIRST - 0;
constexpr UINT HDN_ITEMCHANGED = HDN_FIRST - 1;
constexpr UINT HDN_ITEMCLICK = HDN_FIRST - 2;
constexpr UINT HDN_ITEMDBLCLICK = HDN_FIRST - 3;
constexpr UINT HDN_DIVIDERDBLCLICK = HDN_FIRST - 5;
constexpr UINT HDN_BEGINTRACK = HDN_FIRST - 6;
constexpr UINT HDN_ENDTRACK = HDN_FIRST - 7;
constexpr UINT HDN_TRACK = HDN_FIRST - 8;
constexpr UINT HDN_BEGINDRAG = HDN_FIRST - 10;
constexpr UINT HDN_ENDDRAG = HDN_FIRST - 11;
constexpr UINT HDN_ITEMCHANGINGA = HDN_ITEMCHANGING;
constexpr UINT HDN_ITEMCHANGEDA = HDN_ITEMCHANGED;
constexpr UINT HDN_ENDTRACKA = HDN_ENDTRACK;
constexpr UINT HDN_ITEMCHANGINGW = HDN_FIRST - 20;
constexpr UINT HDN_ITEMCHANGEDW = HDN_FIRST - 21;
constexpr UINT HDN_ITEMCLICKW = HDN_FIRST - 22;
constexpr UINT HDN_BEGINTRACKW = HDN_FIRST - 26;
constexpr UINT HDN_ENDTRACKW = HDN_FIRST - 27;
constexpr UINT HDN_TRACKW = HDN_FIRST - 28;

struct NMHEADER {
    NMHDR hdr;
    int iItem { -1 };
    int iButton { 0 };
    HDITEM* pitem { nullptr };
};
using LPNMHEADER = NMHEADER*;
using HD_NOTIFY = NMHEADER;

// ---- List view ----------------------------------------------------------------------------------

constexpr DWORD LVS_ICON = 0x0000;
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SMALLICON = 0x0002;
constexpr DWORD LVS_LIST = 0x0003;
constexpr DWORD LVS_TYPEMASK = 0x0003;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
constexpr DWORD LVS_SORTASCENDING = 0x0010;
constexpr DWORD LVS_SORTDESCENDING = 0x0020;
constexpr DWORD LVS_SHAREIMAGELISTS = 0x0040;
constexpr DWORD LVS_NOLABELWRAP = 0x0080;
constexpr DWORD LVS_AUTOARRANGE = 0x0100;
constexpr DWORD LVS_EDITLABELS = 0x0200;
constexpr DWORD LVS_OWNERDATA = 0x1000;
constexpr DWORD LVS_NOSCROLL = 0x2000;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
constexpr DWORD LVS_NOSORTHEADER = 0x8000;

constexpr DWORD LVS_EX_GRIDLINES = 0x00000001;
constexpr DWORD LVS_EX_SUBITEMIMAGES = 0x00000002;
constexpr DWORD LVS_EX_CHECKBOXES = 0x00000004;
constexpr DWORD LVS_EX_TRACKSELECT = 0x00000008;
constexpr DWORD LVS_EX_HEADERDRAGDROP = 0x00000010;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x00000020;
constexpr DWORD LVS_EX_ONECLICKACTIVATE = 0x00000040;
constexpr DWORD LVS_EX_TWOCLICKACTIVATE = 0x00000080;

constexpr UINT LVIF_TEXT = 0x0001;
constexpr UINT LVIF_IMAGE = 0x0002;
constexpr UINT LVIF_PARAM = 0x0004;
constexpr UINT LVIF_STATE = 0x0008;
constexpr UINT LVIF_INDENT = 0x0010;
constexpr UINT LVIF_NORECOMPUTE = 0x0800;
constexpr UINT LVIF_DI_SETITEM = 0x1000;

constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr UINT LVIS_CUT = 0x0004;
constexpr UINT LVIS_DROPHILITED = 0x0008;
constexpr UINT LVIS_OVERLAYMASK = 0x0F00;
constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
// The state-image index (1-based; 0 none) as LVIS_STATEIMAGEMASK bits.
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT i) { return i << 12; }

constexpr UINT LVNI_ALL = 0x0000;
constexpr UINT LVNI_FOCUSED = 0x0001;
constexpr UINT LVNI_SELECTED = 0x0002;
constexpr UINT LVNI_CUT = 0x0004;
constexpr UINT LVNI_DROPHILITED = 0x0008;
constexpr UINT LVNI_ABOVE = 0x0100;
constexpr UINT LVNI_BELOW = 0x0200;
constexpr UINT LVNI_TOLEFT = 0x0400;
constexpr UINT LVNI_TORIGHT = 0x0800;

constexpr UINT LVHT_NOWHERE = 0x0001;
constexpr UINT LVHT_ONITEMICON = 0x0002;
constexpr UINT LVHT_ONITEMLABEL = 0x0004;
constexpr UINT LVHT_ONITEMSTATEICON = 0x0008;
constexpr UINT LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON;
constexpr UINT LVHT_ABOVE = 0x0008;
constexpr UINT LVHT_BELOW = 0x0010;
constexpr UINT LVHT_TORIGHT = 0x0020;
constexpr UINT LVHT_TOLEFT = 0x0040;

constexpr int LVIR_BOUNDS = 0;
constexpr int LVIR_ICON = 1;
constexpr int LVIR_LABEL = 2;
constexpr int LVIR_SELECTBOUNDS = 3;

constexpr int LVSIL_NORMAL = 0;
constexpr int LVSIL_SMALL = 1;
constexpr int LVSIL_STATE = 2;

constexpr UINT LVCF_FMT = 0x0001;
constexpr UINT LVCF_WIDTH = 0x0002;
constexpr UINT LVCF_TEXT = 0x0004;
constexpr UINT LVCF_SUBITEM = 0x0008;
constexpr UINT LVCF_IMAGE = 0x0010;
constexpr UINT LVCF_ORDER = 0x0020;

constexpr int LVCFMT_LEFT = 0x0000;
constexpr int LVCFMT_RIGHT = 0x0001;
constexpr int LVCFMT_CENTER = 0x0002;
constexpr int LVCFMT_JUSTIFYMASK = 0x0003;
constexpr int LVCFMT_IMAGE = 0x0800;
constexpr int LVCFMT_BITMAP_ON_RIGHT = 0x1000;
constexpr int LVCFMT_COL_HAS_IMAGES = 0x8000;

constexpr int LVSCW_AUTOSIZE = -1;
constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

constexpr UINT LVFI_PARAM = 0x0001;
constexpr UINT LVFI_STRING = 0x0002;
constexpr UINT LVFI_PARTIAL = 0x0008;
constexpr UINT LVFI_WRAP = 0x0020;
constexpr UINT LVFI_NEARESTXY = 0x0040;

constexpr DWORD LVSICF_NOINVALIDATEALL = 0x00000001;
constexpr DWORD LVSICF_NOSCROLL = 0x00000002;

struct LVITEM {
    UINT mask { 0 };
    int iItem { 0 };
    int iSubItem { 0 };
    UINT state { 0 };
    UINT stateMask { 0 };
    LPSTR pszText { nullptr };
    int cchTextMax { 0 };
    int iImage { 0 };
    LPARAM lParam { 0 };
    int iIndent { 0 };
};
using LPLVITEM = LVITEM*;
using LV_ITEM = LVITEM;
using LVITEMA = LVITEM;

struct LVCOLUMN {
    UINT mask { 0 };
    int fmt { 0 };
    int cx { 0 };
    LPSTR pszText { nullptr };
    int cchTextMax { 0 };
    int iSubItem { 0 };
    int iImage { 0 };
    int iOrder { 0 };
};
using LPLVCOLUMN = LVCOLUMN*;
using LV_COLUMN = LVCOLUMN;
using LVCOLUMNA = LVCOLUMN;

struct LVFINDINFO {
    UINT flags { 0 };
    LPCSTR psz { nullptr };
    LPARAM lParam { 0 };
    POINT pt {};
    UINT vkDirection { 0 };
};
using LPLVFINDINFO = LVFINDINFO*;

struct LVHITTESTINFO {
    POINT pt {};
    UINT flags { 0 };
    int iItem { -1 };
    int iSubItem { 0 };
};
using LPLVHITTESTINFO = LVHITTESTINFO*;

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem { -1 };
    int iSubItem { 0 };
    UINT uNewState { 0 };
    UINT uOldState { 0 };
    UINT uChanged { 0 };
    POINT ptAction {};
    LPARAM lParam { 0 };
};
using LPNMLISTVIEW = NMLISTVIEW*;
using NM_LISTVIEW = NMLISTVIEW;

struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem { -1 };
    int iSubItem { 0 };
    UINT uNewState { 0 };
    UINT uOldState { 0 };
    UINT uChanged { 0 };
    POINT ptAction {};
    LPARAM lParam { 0 };
    UINT uKeyFlags { 0 };
};
using LPNMITEMACTIVATE = NMITEMACTIVATE*;

struct NMLVDISPINFO {
    NMHDR hdr;
    LVITEM item;
};
using LV_DISPINFO = NMLVDISPINFO;

struct NMLVKEYDOWN {
    NMHDR hdr;
    WORD wVKey { 0 };
    UINT flags { 0 };
};
using LV_KEYDOWN = NMLVKEYDOWN;

struct NMLVCACHEHINT {
    NMHDR hdr;
    int iFrom { 0 };
    int iTo { 0 };
};
using LPNMLVCACHEHINT = NMLVCACHEHINT*;

struct NMLVFINDITEM {
    NMHDR hdr;
    int iStart { 0 };
    LVFINDINFO lvfi;
};
using LPNMLVFINDITEM = NMLVFINDITEM*;

struct NMLVCUSTOMDRAW {
    NMCUSTOMDRAW nmcd;
    COLORREF clrText { 0 };
    COLORREF clrTextBk { 0 };
    int iSubItem { 0 };
};
using LPNMLVCUSTOMDRAW = NMLVCUSTOMDRAW*;

constexpr UINT LVM_FIRST = 0x1000;
constexpr UINT LVM_GETBKCOLOR = LVM_FIRST + 0;
constexpr UINT LVM_SETBKCOLOR = LVM_FIRST + 1;
constexpr UINT LVM_GETIMAGELIST = LVM_FIRST + 2;
constexpr UINT LVM_SETIMAGELIST = LVM_FIRST + 3;
constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
constexpr UINT LVM_GETITEM = LVM_FIRST + 5;
constexpr UINT LVM_SETITEM = LVM_FIRST + 6;
constexpr UINT LVM_INSERTITEM = LVM_FIRST + 7;
constexpr UINT LVM_DELETEITEM = LVM_FIRST + 8;
constexpr UINT LVM_DELETEALLITEMS = LVM_FIRST + 9;
constexpr UINT LVM_GETCALLBACKMASK = LVM_FIRST + 10;
constexpr UINT LVM_SETCALLBACKMASK = LVM_FIRST + 11;
constexpr UINT LVM_GETNEXTITEM = LVM_FIRST + 12;
constexpr UINT LVM_FINDITEM = LVM_FIRST + 13;
constexpr UINT LVM_GETITEMRECT = LVM_FIRST + 14;
constexpr UINT LVM_GETSTRINGWIDTH = LVM_FIRST + 17;
constexpr UINT LVM_HITTEST = LVM_FIRST + 18;
constexpr UINT LVM_ENSUREVISIBLE = LVM_FIRST + 19;
constexpr UINT LVM_SCROLL = LVM_FIRST + 20;
constexpr UINT LVM_REDRAWITEMS = LVM_FIRST + 21;
constexpr UINT LVM_EDITLABEL = LVM_FIRST + 23;
constexpr UINT LVM_GETEDITCONTROL = LVM_FIRST + 24;
constexpr UINT LVM_GETCOLUMN = LVM_FIRST + 25;
constexpr UINT LVM_SETCOLUMN = LVM_FIRST + 26;
constexpr UINT LVM_INSERTCOLUMN = LVM_FIRST + 27;
constexpr UINT LVM_DELETECOLUMN = LVM_FIRST + 28;
constexpr UINT LVM_GETCOLUMNWIDTH = LVM_FIRST + 29;
constexpr UINT LVM_SETCOLUMNWIDTH = LVM_FIRST + 30;
constexpr UINT LVM_GETHEADER = LVM_FIRST + 31;
constexpr UINT LVM_GETVIEWRECT = LVM_FIRST + 34;
constexpr UINT LVM_GETTEXTCOLOR = LVM_FIRST + 35;
constexpr UINT LVM_SETTEXTCOLOR = LVM_FIRST + 36;
constexpr UINT LVM_GETTEXTBKCOLOR = LVM_FIRST + 37;
constexpr UINT LVM_SETTEXTBKCOLOR = LVM_FIRST + 38;
constexpr UINT LVM_GETTOPINDEX = LVM_FIRST + 39;
constexpr UINT LVM_GETCOUNTPERPAGE = LVM_FIRST + 40;
constexpr UINT LVM_GETORIGIN = LVM_FIRST + 41;
constexpr UINT LVM_UPDATE = LVM_FIRST + 42;
constexpr UINT LVM_SETITEMSTATE = LVM_FIRST + 43;
constexpr UINT LVM_GETITEMSTATE = LVM_FIRST + 44;
constexpr UINT LVM_GETITEMTEXT = LVM_FIRST + 45;
constexpr UINT LVM_SETITEMTEXT = LVM_FIRST + 46;
constexpr UINT LVM_SETITEMCOUNT = LVM_FIRST + 47;
constexpr UINT LVM_SORTITEMS = LVM_FIRST + 48;
constexpr UINT LVM_GETSELECTEDCOUNT = LVM_FIRST + 50;
constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54;
constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55;
constexpr UINT LVM_GETSUBITEMRECT = LVM_FIRST + 56;
constexpr UINT LVM_SUBITEMHITTEST = LVM_FIRST + 57;
constexpr UINT LVM_SETCOLUMNORDERARRAY = LVM_FIRST + 58;
constexpr UINT LVM_GETCOLUMNORDERARRAY = LVM_FIRST + 59;
constexpr UINT LVM_GETSELECTIONMARK = LVM_FIRST + 66;
constexpr UINT LVM_SETSELECTIONMARK = LVM_FIRST + 67;

using PFNLVCOMPARE = int (*)(LPARAM, LPARAM, LPARAM);

constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0;
constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1;
constexpr UINT LVN_INSERTITEM = LVN_FIRST - 2;
constexpr UINT LVN_DELETEITEM = LVN_FIRST - 3;
constexpr UINT LVN_DELETEALLITEMS = LVN_FIRST - 4;
constexpr UINT LVN_BEGINLABELEDIT = LVN_FIRST - 5;
constexpr UINT LVN_ENDLABELEDIT = LVN_FIRST - 6;
constexpr UINT LVN_COLUMNCLICK = LVN_FIRST - 8;
constexpr UINT LVN_BEGINDRAG = LVN_FIRST - 9;
constexpr UINT LVN_BEGINRDRAG = LVN_FIRST - 11;
constexpr UINT LVN_ODCACHEHINT = LVN_FIRST - 13;
constexpr UINT LVN_ITEMACTIVATE = LVN_FIRST - 14;
constexpr UINT LVN_ODSTATECHANGED = LVN_FIRST - 15;
constexpr UINT LVN_GETDISPINFO = LVN_FIRST - 50;
constexpr UINT LVN_SETDISPINFO = LVN_FIRST - 51;
constexpr UINT LVN_ODFINDITEM = LVN_FIRST - 52;
constexpr UINT LVN_KEYDOWN = LVN_FIRST - 55;

// ---- Tree view ----------------------------------------------------------------------------------

constexpr DWORD TVS_HASBUTTONS = 0x0001;
constexpr DWORD TVS_HASLINES = 0x0002;
constexpr DWORD TVS_LINESATROOT = 0x0004;
constexpr DWORD TVS_EDITLABELS = 0x0008;
constexpr DWORD TVS_DISABLEDRAGDROP = 0x0010;
constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;
constexpr DWORD TVS_NOTOOLTIPS = 0x0080;
constexpr DWORD TVS_CHECKBOXES = 0x0100;
constexpr DWORD TVS_TRACKSELECT = 0x0200;
constexpr DWORD TVS_SINGLEEXPAND = 0x0400;
constexpr DWORD TVS_FULLROWSELECT = 0x1000;

constexpr UINT TVIF_TEXT = 0x0001;
constexpr UINT TVIF_IMAGE = 0x0002;
constexpr UINT TVIF_PARAM = 0x0004;
constexpr UINT TVIF_STATE = 0x0008;
constexpr UINT TVIF_HANDLE = 0x0010;
constexpr UINT TVIF_SELECTEDIMAGE = 0x0020;
constexpr UINT TVIF_CHILDREN = 0x0040;
constexpr UINT TVIF_DI_SETITEM = 0x1000;

constexpr UINT TVIS_SELECTED = 0x0002;
constexpr UINT TVIS_CUT = 0x0004;
constexpr UINT TVIS_DROPHILITED = 0x0008;
constexpr UINT TVIS_BOLD = 0x0010;
constexpr UINT TVIS_EXPANDED = 0x0020;
constexpr UINT TVIS_EXPANDEDONCE = 0x0040;
constexpr UINT TVIS_OVERLAYMASK = 0x0F00;
constexpr UINT TVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT TVIS_USERMASK = 0xF000;

// Insertion places and the root: pointer-wide values no item can have (the low 32 bits are the
// classic 0xFFFF0000..0xFFFF0003, sign-extended).
inline const HTREEITEM TVI_ROOT = reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(-0x10000));
inline const HTREEITEM TVI_FIRST = reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(-0x0FFFF));
inline const HTREEITEM TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(-0x0FFFE));
inline const HTREEITEM TVI_SORT = reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(-0x0FFFD));

constexpr UINT TVGN_ROOT = 0x0000;
constexpr UINT TVGN_NEXT = 0x0001;
constexpr UINT TVGN_PREVIOUS = 0x0002;
constexpr UINT TVGN_PARENT = 0x0003;
constexpr UINT TVGN_CHILD = 0x0004;
constexpr UINT TVGN_FIRSTVISIBLE = 0x0005;
constexpr UINT TVGN_NEXTVISIBLE = 0x0006;
constexpr UINT TVGN_PREVIOUSVISIBLE = 0x0007;
constexpr UINT TVGN_DROPHILITE = 0x0008;
constexpr UINT TVGN_CARET = 0x0009;
constexpr UINT TVGN_LASTVISIBLE = 0x000A;

constexpr UINT TVE_COLLAPSE = 0x0001;
constexpr UINT TVE_EXPAND = 0x0002;
constexpr UINT TVE_TOGGLE = 0x0003;
constexpr UINT TVE_EXPANDPARTIAL = 0x4000;
constexpr UINT TVE_COLLAPSERESET = 0x8000;

constexpr UINT TVC_UNKNOWN = 0x0000;
constexpr UINT TVC_BYMOUSE = 0x0001;
constexpr UINT TVC_BYKEYBOARD = 0x0002;

constexpr UINT TVHT_NOWHERE = 0x0001;
constexpr UINT TVHT_ONITEMICON = 0x0002;
constexpr UINT TVHT_ONITEMLABEL = 0x0004;
constexpr UINT TVHT_ONITEMINDENT = 0x0008;
constexpr UINT TVHT_ONITEMBUTTON = 0x0010;
constexpr UINT TVHT_ONITEMRIGHT = 0x0020;
constexpr UINT TVHT_ONITEMSTATEICON = 0x0040;
constexpr UINT TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;
constexpr UINT TVHT_ABOVE = 0x0100;
constexpr UINT TVHT_BELOW = 0x0200;
constexpr UINT TVHT_TORIGHT = 0x0400;
constexpr UINT TVHT_TOLEFT = 0x0800;

constexpr int TVSIL_NORMAL = 0;
constexpr int TVSIL_STATE = 2;

struct TVITEM {
    UINT mask { 0 };
    HTREEITEM hItem { nullptr };
    UINT state { 0 };
    UINT stateMask { 0 };
    LPSTR pszText { nullptr };
    int cchTextMax { 0 };
    int iImage { 0 };
    int iSelectedImage { 0 };
    int cChildren { 0 };
    LPARAM lParam { 0 };
};
using LPTVITEM = TVITEM*;
using TV_ITEM = TVITEM;
using TVITEMA = TVITEM;

struct TVINSERTSTRUCT {
    HTREEITEM hParent { nullptr };
    HTREEITEM hInsertAfter { nullptr };
    TVITEM item;
};
using LPTVINSERTSTRUCT = TVINSERTSTRUCT*;
using TV_INSERTSTRUCT = TVINSERTSTRUCT;

struct TVHITTESTINFO {
    POINT pt {};
    UINT flags { 0 };
    HTREEITEM hItem { nullptr };
};
using LPTVHITTESTINFO = TVHITTESTINFO*;

using PFNTVCOMPARE = int (*)(LPARAM, LPARAM, LPARAM);

struct TVSORTCB {
    HTREEITEM hParent { nullptr };
    PFNTVCOMPARE lpfnCompare { nullptr };
    LPARAM lParam { 0 };
};
using LPTVSORTCB = TVSORTCB*;

struct NMTREEVIEW {
    NMHDR hdr;
    UINT action { 0 };
    TVITEM itemOld;
    TVITEM itemNew;
    POINT ptDrag {};
};
using LPNMTREEVIEW = NMTREEVIEW*;
using NM_TREEVIEW = NMTREEVIEW;

struct NMTVDISPINFO {
    NMHDR hdr;
    TVITEM item;
};
using LPNMTVDISPINFO = NMTVDISPINFO*;
using TV_DISPINFO = NMTVDISPINFO;

struct NMTVKEYDOWN {
    NMHDR hdr;
    WORD wVKey { 0 };
    UINT flags { 0 };
};
using TV_KEYDOWN = NMTVKEYDOWN;

constexpr UINT TV_FIRST = 0x1100;
constexpr UINT TVM_INSERTITEM = TV_FIRST + 0;
constexpr UINT TVM_DELETEITEM = TV_FIRST + 1;
constexpr UINT TVM_EXPAND = TV_FIRST + 2;
constexpr UINT TVM_GETITEMRECT = TV_FIRST + 4;
constexpr UINT TVM_GETCOUNT = TV_FIRST + 5;
constexpr UINT TVM_GETINDENT = TV_FIRST + 6;
constexpr UINT TVM_SETINDENT = TV_FIRST + 7;
constexpr UINT TVM_GETIMAGELIST = TV_FIRST + 8;
constexpr UINT TVM_SETIMAGELIST = TV_FIRST + 9;
constexpr UINT TVM_GETNEXTITEM = TV_FIRST + 10;
constexpr UINT TVM_SELECTITEM = TV_FIRST + 11;
constexpr UINT TVM_GETITEM = TV_FIRST + 12;
constexpr UINT TVM_SETITEM = TV_FIRST + 13;
constexpr UINT TVM_EDITLABEL = TV_FIRST + 14;
constexpr UINT TVM_GETEDITCONTROL = TV_FIRST + 15;
constexpr UINT TVM_GETVISIBLECOUNT = TV_FIRST + 16;
constexpr UINT TVM_HITTEST = TV_FIRST + 17;
constexpr UINT TVM_CREATEDRAGIMAGE = TV_FIRST + 18;
constexpr UINT TVM_SORTCHILDREN = TV_FIRST + 19;
constexpr UINT TVM_ENSUREVISIBLE = TV_FIRST + 20;
constexpr UINT TVM_SORTCHILDRENCB = TV_FIRST + 21;
constexpr UINT TVM_ENDEDITLABELNOW = TV_FIRST + 22;
constexpr UINT TVM_GETISEARCHSTRING = TV_FIRST + 23;
constexpr UINT TVM_SETTOOLTIPS = TV_FIRST + 24;
constexpr UINT TVM_GETTOOLTIPS = TV_FIRST + 25;

constexpr UINT TVN_SELCHANGING = TVN_FIRST - 1;
constexpr UINT TVN_SELCHANGED = TVN_FIRST - 2;
constexpr UINT TVN_GETDISPINFO = TVN_FIRST - 3;
constexpr UINT TVN_SETDISPINFO = TVN_FIRST - 4;
constexpr UINT TVN_ITEMEXPANDING = TVN_FIRST - 5;
constexpr UINT TVN_ITEMEXPANDED = TVN_FIRST - 6;
constexpr UINT TVN_BEGINDRAG = TVN_FIRST - 7;
constexpr UINT TVN_BEGINRDRAG = TVN_FIRST - 8;
constexpr UINT TVN_DELETEITEM = TVN_FIRST - 9;
constexpr UINT TVN_BEGINLABELEDIT = TVN_FIRST - 10;
constexpr UINT TVN_ENDLABELEDIT = TVN_FIRST - 11;
constexpr UINT TVN_KEYDOWN = TVN_FIRST - 12;

// ---- Tooltip ------------------------------------------------------------------------------------

constexpr DWORD TTS_ALWAYSTIP = 0x01;
constexpr DWORD TTS_NOPREFIX = 0x02;

constexpr UINT TTF_IDISHWND = 0x0001;
constexpr UINT TTF_CENTERTIP = 0x0002;
constexpr UINT TTF_RTLREADING = 0x0004;
constexpr UINT TTF_SUBCLASS = 0x0010;
constexpr UINT TTF_TRACK = 0x0020;
constexpr UINT TTF_ABSOLUTE = 0x0080;
constexpr UINT TTF_TRANSPARENT = 0x0100;
constexpr UINT TTF_DI_SETITEM = 0x8000;

constexpr WPARAM TTDT_AUTOMATIC = 0;
constexpr WPARAM TTDT_RESHOW = 1;
constexpr WPARAM TTDT_AUTOPOP = 2;
constexpr WPARAM TTDT_INITIAL = 3;

struct TOOLINFO {
    UINT cbSize { sizeof(TOOLINFO) };
    UINT uFlags { 0 };
    HWND hwnd { nullptr };
    UINT_PTR uId { 0 };
    RECT rect {};
    HINSTANCE hinst { nullptr };
    LPSTR lpszText { nullptr };
    LPARAM lParam { 0 };
};
using LPTOOLINFO = TOOLINFO*;
using TOOLINFOA = TOOLINFO;
using TTTOOLINFO = TOOLINFO;

struct TTHITTESTINFO {
    HWND hwnd { nullptr };
    POINT pt {};
    TOOLINFO ti;
};
using LPTTHITTESTINFO = TTHITTESTINFO*;

struct NMTTDISPINFO {
    NMHDR hdr;
    LPSTR lpszText { nullptr };
    char szText[80] {};
    HINSTANCE hinst { nullptr };
    UINT uFlags { 0 };
    LPARAM lParam { 0 };
};
using LPNMTTDISPINFO = NMTTDISPINFO*;
using TOOLTIPTEXT = NMTTDISPINFO;
using TOOLTIPTEXTA = NMTTDISPINFO;

constexpr UINT TTM_ACTIVATE = WM_USER + 1;
constexpr UINT TTM_SETDELAYTIME = WM_USER + 3;
constexpr UINT TTM_ADDTOOL = WM_USER + 4;
constexpr UINT TTM_DELTOOL = WM_USER + 5;
constexpr UINT TTM_NEWTOOLRECT = WM_USER + 6;
constexpr UINT TTM_RELAYEVENT = WM_USER + 7;
constexpr UINT TTM_GETTOOLINFO = WM_USER + 8;
constexpr UINT TTM_SETTOOLINFO = WM_USER + 9;
constexpr UINT TTM_HITTEST = WM_USER + 10;
constexpr UINT TTM_GETTEXT = WM_USER + 11;
constexpr UINT TTM_UPDATETIPTEXT = WM_USER + 12;
constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
constexpr UINT TTM_ENUMTOOLS = WM_USER + 14;
constexpr UINT TTM_GETCURRENTTOOL = WM_USER + 15;
constexpr UINT TTM_WINDOWFROMPOINT = WM_USER + 16;
constexpr UINT TTM_TRACKACTIVATE = WM_USER + 17;
constexpr UINT TTM_TRACKPOSITION = WM_USER + 18;
constexpr UINT TTM_SETTIPBKCOLOR = WM_USER + 19;
constexpr UINT TTM_SETTIPTEXTCOLOR = WM_USER + 20;
constexpr UINT TTM_GETDELAYTIME = WM_USER + 21;
constexpr UINT TTM_GETTIPBKCOLOR = WM_USER + 22;
constexpr UINT TTM_GETTIPTEXTCOLOR = WM_USER + 23;
constexpr UINT TTM_SETMAXTIPWIDTH = WM_USER + 24;
constexpr UINT TTM_GETMAXTIPWIDTH = WM_USER + 25;
constexpr UINT TTM_POP = WM_USER + 28;
constexpr UINT TTM_UPDATE = WM_USER + 29;

constexpr UINT TTN_GETDISPINFO = TTN_FIRST - 0;
constexpr UINT TTN_SHOW = TTN_FIRST - 1;
constexpr UINT TTN_POP = TTN_FIRST - 2;
constexpr UINT TTN_NEEDTEXT = TTN_GETDISPINFO;
constexpr UINT TTN_NEEDTEXTA = TTN_GETDISPINFO;
constexpr UINT TTN_NEEDTEXTW = TTN_FIRST - 10;

// ---- Toolbar ------------------------------------------------------------------------------------

constexpr BYTE TBSTATE_CHECKED = 0x01;
constexpr BYTE TBSTATE_PRESSED = 0x02;
constexpr BYTE TBSTATE_ENABLED = 0x04;
constexpr BYTE TBSTATE_HIDDEN = 0x08;
constexpr BYTE TBSTATE_INDETERMINATE = 0x10;
constexpr BYTE TBSTATE_WRAP = 0x20;
constexpr BYTE TBSTATE_ELLIPSES = 0x40;
constexpr BYTE TBSTATE_MARKED = 0x80;

constexpr BYTE TBSTYLE_BUTTON = 0x00;
constexpr BYTE TBSTYLE_SEP = 0x01;
constexpr BYTE TBSTYLE_CHECK = 0x02;
constexpr BYTE TBSTYLE_GROUP = 0x04;
constexpr BYTE TBSTYLE_CHECKGROUP = TBSTYLE_GROUP | TBSTYLE_CHECK;
constexpr BYTE TBSTYLE_DROPDOWN = 0x08;
constexpr BYTE TBSTYLE_AUTOSIZE = 0x10;
constexpr BYTE TBSTYLE_NOPREFIX = 0x20;
constexpr DWORD TBSTYLE_TOOLTIPS = 0x0100;
constexpr DWORD TBSTYLE_WRAPABLE = 0x0200;
constexpr DWORD TBSTYLE_ALTDRAG = 0x0400;
constexpr DWORD TBSTYLE_FLAT = 0x0800;
constexpr DWORD TBSTYLE_LIST = 0x1000;
constexpr DWORD TBSTYLE_CUSTOMERASE = 0x2000;
constexpr DWORD TBSTYLE_TRANSPARENT = 0x8000;
constexpr DWORD TBSTYLE_EX_DRAWDDARROWS = 0x00000001;

struct TBBUTTON {
    int iBitmap { 0 };
    int idCommand { 0 };
    BYTE fsState { 0 };
    BYTE fsStyle { 0 };
    BYTE bReserved[sizeof(void*) - 2] {};
    DWORD_PTR dwData { 0 };
    INT_PTR iString { 0 };
};
using LPTBBUTTON = TBBUTTON*;
using LPCTBBUTTON = const TBBUTTON*;

struct NMTOOLBAR {
    NMHDR hdr;
    int iItem { 0 };
    TBBUTTON tbButton;
    int cchText { 0 };
    LPSTR pszText { nullptr };
    RECT rcButton {};
};
using LPNMTOOLBAR = NMTOOLBAR*;
using TBNOTIFY = NMTOOLBAR;

constexpr UINT TB_ENABLEBUTTON = WM_USER + 1;
constexpr UINT TB_CHECKBUTTON = WM_USER + 2;
constexpr UINT TB_PRESSBUTTON = WM_USER + 3;
constexpr UINT TB_HIDEBUTTON = WM_USER + 4;
constexpr UINT TB_INDETERMINATE = WM_USER + 5;
constexpr UINT TB_ISBUTTONENABLED = WM_USER + 9;
constexpr UINT TB_ISBUTTONCHECKED = WM_USER + 10;
constexpr UINT TB_ISBUTTONPRESSED = WM_USER + 11;
constexpr UINT TB_ISBUTTONHIDDEN = WM_USER + 12;
constexpr UINT TB_SETSTATE = WM_USER + 17;
constexpr UINT TB_GETSTATE = WM_USER + 18;
constexpr UINT TB_ADDBITMAP = WM_USER + 19;
constexpr UINT TB_ADDBUTTONS = WM_USER + 20;
constexpr UINT TB_INSERTBUTTON = WM_USER + 21;
constexpr UINT TB_DELETEBUTTON = WM_USER + 22;
constexpr UINT TB_GETBUTTON = WM_USER + 23;
constexpr UINT TB_BUTTONCOUNT = WM_USER + 24;
constexpr UINT TB_COMMANDTOINDEX = WM_USER + 25;
constexpr UINT TB_GETITEMRECT = WM_USER + 29;
constexpr UINT TB_BUTTONSTRUCTSIZE = WM_USER + 30;
constexpr UINT TB_SETBUTTONSIZE = WM_USER + 31;
constexpr UINT TB_SETBITMAPSIZE = WM_USER + 32;
constexpr UINT TB_AUTOSIZE = WM_USER + 33;
constexpr UINT TB_GETTOOLTIPS = WM_USER + 35;
constexpr UINT TB_SETTOOLTIPS = WM_USER + 36;
constexpr UINT TB_SETPARENT = WM_USER + 37;
constexpr UINT TB_GETRECT = WM_USER + 51;
constexpr UINT TB_SETEXTENDEDSTYLE = WM_USER + 84;
constexpr UINT TB_GETEXTENDEDSTYLE = WM_USER + 85;

constexpr UINT TBN_GETBUTTONINFO = TBN_FIRST - 0;
constexpr UINT TBN_BEGINDRAG = TBN_FIRST - 1;
constexpr UINT TBN_ENDDRAG = TBN_FIRST - 2;
constexpr UINT TBN_BEGINADJUST = TBN_FIRST - 3;
constexpr UINT TBN_ENDADJUST = TBN_FIRST - 4;
constexpr UINT TBN_RESET = TBN_FIRST - 5;
constexpr UINT TBN_QUERYINSERT = TBN_FIRST - 6;
constexpr UINT TBN_QUERYDELETE = TBN_FIRST - 7;
constexpr UINT TBN_TOOLBARCHANGE = TBN_FIRST - 8;
constexpr UINT TBN_CUSTHELP = TBN_FIRST - 9;
constexpr UINT TBN_DROPDOWN = TBN_FIRST - 10;
constexpr LRESULT TBDDRET_DEFAULT = 0;
constexpr LRESULT TBDDRET_NODEFAULT = 1;
constexpr LRESULT TBDDRET_TREATPRESSED = 2;

// ---- Rebar --------------------------------------------------------------------------------------

constexpr UINT RBBIM_STYLE = 0x0001;
constexpr UINT RBBIM_COLORS = 0x0002;
constexpr UINT RBBIM_TEXT = 0x0004;
constexpr UINT RBBIM_IMAGE = 0x0008;
constexpr UINT RBBIM_CHILD = 0x0010;
constexpr UINT RBBIM_CHILDSIZE = 0x0020;
constexpr UINT RBBIM_SIZE = 0x0040;
constexpr UINT RBBIM_BACKGROUND = 0x0080;
constexpr UINT RBBIM_ID = 0x0100;
constexpr UINT RBBIM_IDEALSIZE = 0x0200;
constexpr UINT RBBIM_LPARAM = 0x0400;
constexpr UINT RBBIM_HEADERSIZE = 0x0800;

constexpr UINT RBBS_BREAK = 0x0001;
constexpr UINT RBBS_FIXEDSIZE = 0x0002;
constexpr UINT RBBS_CHILDEDGE = 0x0004;
constexpr UINT RBBS_HIDDEN = 0x0008;
constexpr UINT RBBS_NOVERT = 0x0010;
constexpr UINT RBBS_FIXEDBMP = 0x0020;
constexpr UINT RBBS_VARIABLEHEIGHT = 0x0040;
constexpr UINT RBBS_GRIPPERALWAYS = 0x0080;
constexpr UINT RBBS_NOGRIPPER = 0x0100;

struct REBARBANDINFO {
    UINT cbSize { sizeof(REBARBANDINFO) };
    UINT fMask { 0 };
    UINT fStyle { 0 };
    COLORREF clrFore { 0 };
    COLORREF clrBack { 0 };
    LPSTR lpText { nullptr };
    UINT cch { 0 };
    int iImage { 0 };
    HWND hwndChild { nullptr };
    UINT cxMinChild { 0 };
    UINT cyMinChild { 0 };
    UINT cx { 0 };
    HBITMAP hbmBack { nullptr };
    UINT wID { 0 };
    UINT cyChild { 0 };
    UINT cyMaxChild { 0 };
    UINT cyIntegral { 0 };
    UINT cxIdeal { 0 };
    LPARAM lParam { 0 };
    UINT cxHeader { 0 };
};
using LPREBARBANDINFO = REBARBANDINFO*;

constexpr UINT RB_INSERTBAND = WM_USER + 1;
constexpr UINT RB_DELETEBAND = WM_USER + 2;
constexpr UINT RB_SETBANDINFO = WM_USER + 6;
constexpr UINT RB_SETPARENT = WM_USER + 7;
constexpr UINT RB_GETBANDCOUNT = WM_USER + 12;
constexpr UINT RB_GETROWCOUNT = WM_USER + 13;
constexpr UINT RB_GETROWHEIGHT = WM_USER + 14;
constexpr UINT RB_GETBANDINFO = WM_USER + 29;

constexpr UINT RBN_HEIGHTCHANGE = RBN_FIRST - 0;

// ---- Status bar ---------------------------------------------------------------------------------

constexpr DWORD SBARS_SIZEGRIP = 0x0100;
constexpr DWORD SBARS_TOOLTIPS = 0x0800;

// SB_SETTEXT: the drawing kind, or-ed with the part index in wParam.
constexpr WPARAM SBT_NOBORDERS = 0x0100;
constexpr WPARAM SBT_POPOUT = 0x0200;
constexpr WPARAM SBT_RTLREADING = 0x0400;
constexpr WPARAM SBT_NOTABPARSING = 0x0800;
constexpr WPARAM SBT_OWNERDRAW = 0x1000;
// The index of SB_SETTEXT and SB_GETTEXT that means the simple-mode text.
constexpr WPARAM SB_SIMPLEID = 0x00FF;

constexpr UINT SB_SETTEXT = WM_USER + 1;
constexpr UINT SB_GETTEXT = WM_USER + 2;
constexpr UINT SB_GETTEXTLENGTH = WM_USER + 3;
constexpr UINT SB_SETPARTS = WM_USER + 4;
constexpr UINT SB_GETPARTS = WM_USER + 6;
constexpr UINT SB_GETBORDERS = WM_USER + 7;
constexpr UINT SB_SETMINHEIGHT = WM_USER + 8;
constexpr UINT SB_SIMPLE = WM_USER + 9;
constexpr UINT SB_GETRECT = WM_USER + 10;
constexpr UINT SB_ISSIMPLE = WM_USER + 14;
constexpr UINT SB_SETTIPTEXT = WM_USER + 16;
constexpr UINT SB_GETTIPTEXT = WM_USER + 18;
constexpr UINT SB_SETBKCOLOR = CCM_SETBKCOLOR;
constexpr UINT SB_SETTEXTA = SB_SETTEXT;
constexpr UINT SB_GETTEXTA = SB_GETTEXT;

constexpr UINT SBN_SIMPLEMODECHANGE = SBN_FIRST - 0;

// ---- Progress bar -------------------------------------------------------------------------------

constexpr DWORD PBS_SMOOTH = 0x01;
constexpr DWORD PBS_VERTICAL = 0x04;

struct PBRANGE {
    int iLow { 0 };
    int iHigh { 0 };
};
using PPBRANGE = PBRANGE*;

constexpr UINT PBM_SETRANGE = WM_USER + 1;
constexpr UINT PBM_SETPOS = WM_USER + 2;
constexpr UINT PBM_DELTAPOS = WM_USER + 3;
constexpr UINT PBM_SETSTEP = WM_USER + 4;
constexpr UINT PBM_STEPIT = WM_USER + 5;
constexpr UINT PBM_SETRANGE32 = WM_USER + 6;
constexpr UINT PBM_GETRANGE = WM_USER + 7;
constexpr UINT PBM_GETPOS = WM_USER + 8;
constexpr UINT PBM_SETBARCOLOR = WM_USER + 9;
constexpr UINT PBM_SETBKCOLOR = CCM_SETBKCOLOR;

// ---- Up-down ------------------------------------------------------------------------------------

constexpr DWORD UDS_WRAP = 0x0001;
constexpr DWORD UDS_SETBUDDYINT = 0x0002;
constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
constexpr DWORD UDS_ALIGNLEFT = 0x0008;
constexpr DWORD UDS_AUTOBUDDY = 0x0010;
constexpr DWORD UDS_ARROWKEYS = 0x0020;
constexpr DWORD UDS_HORZ = 0x0040;
constexpr DWORD UDS_NOTHOUSANDS = 0x0080;
constexpr DWORD UDS_HOTTRACK = 0x0100;

constexpr int UD_MAXVAL = 0x7FFF;
constexpr int UD_MINVAL = -UD_MAXVAL;

struct UDACCEL {
    UINT nSec { 0 };
    UINT nInc { 0 };
};
using LPUDACCEL = UDACCEL*;

struct NMUPDOWN {
    NMHDR hdr;
    int iPos { 0 };
    int iDelta { 0 };
};
using LPNMUPDOWN = NMUPDOWN*;
using NM_UPDOWN = NMUPDOWN;

constexpr UINT UDM_SETRANGE = WM_USER + 101;
constexpr UINT UDM_GETRANGE = WM_USER + 102;
constexpr UINT UDM_SETPOS = WM_USER + 103;
constexpr UINT UDM_GETPOS = WM_USER + 104;
constexpr UINT UDM_SETBUDDY = WM_USER + 105;
constexpr UINT UDM_GETBUDDY = WM_USER + 106;
constexpr UINT UDM_SETACCEL = WM_USER + 107;
constexpr UINT UDM_GETACCEL = WM_USER + 108;
constexpr UINT UDM_SETBASE = WM_USER + 109;
constexpr UINT UDM_GETBASE = WM_USER + 110;
constexpr UINT UDM_SETRANGE32 = WM_USER + 111;
constexpr UINT UDM_GETRANGE32 = WM_USER + 112;
constexpr UINT UDM_SETPOS32 = WM_USER + 113;
constexpr UINT UDM_GETPOS32 = WM_USER + 114;

constexpr UINT UDN_DELTAPOS = UDN_FIRST - 1;

// ---- IP address ---------------------------------------------------------------------------------

// An address from its four fields (b1 first), and the fields of an address.
constexpr LPARAM MAKEIPADDRESS(unsigned b1, unsigned b2, unsigned b3, unsigned b4)
{
    return static_cast<LPARAM>(static_cast<DWORD>(((b1 & 0xFF) << 24) | ((b2 & 0xFF) << 16) | ((b3 & 0xFF) << 8) | (b4 & 0xFF)));
}
constexpr int FIRST_IPADDRESS(DWORD_PTR x) { return static_cast<int>((x >> 24) & 0xFF); }
constexpr int SECOND_IPADDRESS(DWORD_PTR x) { return static_cast<int>((x >> 16) & 0xFF); }
constexpr int THIRD_IPADDRESS(DWORD_PTR x) { return static_cast<int>((x >> 8) & 0xFF); }
constexpr int FOURTH_IPADDRESS(DWORD_PTR x) { return static_cast<int>(x & 0xFF); }
// A field's allowed range for IPM_SETRANGE.
constexpr LPARAM MAKEIPRANGE(unsigned low, unsigned high) { return static_cast<LPARAM>(((high & 0xFF) << 8) | (low & 0xFF)); }

struct NMIPADDRESS {
    NMHDR hdr;
    int iField { 0 };
    int iValue { 0 };
};
using LPNMIPADDRESS = NMIPADDRESS*;

constexpr UINT IPM_CLEARADDRESS = WM_USER + 100;
constexpr UINT IPM_SETADDRESS = WM_USER + 101;
constexpr UINT IPM_GETADDRESS = WM_USER + 102;
constexpr UINT IPM_SETRANGE = WM_USER + 103;
constexpr UINT IPM_SETFOCUS = WM_USER + 104;
constexpr UINT IPM_ISBLANK = WM_USER + 105;

constexpr UINT IPN_FIELDCHANGED = IPN_FIRST - 0;

// ---- Animation ----------------------------------------------------------------------------------

constexpr DWORD ACS_CENTER = 0x0001;
constexpr DWORD ACS_TRANSPARENT = 0x0002;
constexpr DWORD ACS_AUTOPLAY = 0x0004;
constexpr DWORD ACS_TIMER = 0x0008;

constexpr UINT ACM_OPEN = WM_USER + 100;
constexpr UINT ACM_PLAY = WM_USER + 101;
constexpr UINT ACM_STOP = WM_USER + 102;

// WM_COMMAND notifications of the animation control.
constexpr WORD ACN_START = 1;
constexpr WORD ACN_STOP = 2;
