#pragma once
// The window manager: window classes and windows, per-thread message queues, painting, input,
// focus, capture, timers, hooks, carets, cursors, the classic non-client look and the system
// metrics. Every call accepts null, stale and foreign handles and fails cleanly.

#include "platform/base/MessageBox.h"
#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"
#include "platform/gdi/FrameDrawing.h"
#include "platform/gdi/Images.h"
#include "platform/gdi/WinGdi.h"

using LPINT = int*;
using PBYTE = BYTE*;
using PDWORD_PTR = DWORD_PTR*;

// Errors of the window manager.
constexpr DWORD ERROR_INVALID_HOOK_HANDLE = 1404;
constexpr DWORD ERROR_INVALID_DWP_HANDLE = 1405;
constexpr DWORD ERROR_TLW_WITH_WSCHILD = 1406;
constexpr DWORD ERROR_CANNOT_FIND_WND_CLASS = 1407;
constexpr DWORD ERROR_WINDOW_OF_OTHER_THREAD = 1408;
constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;
constexpr DWORD ERROR_CLASS_DOES_NOT_EXIST = 1411;
constexpr DWORD ERROR_CLASS_HAS_WINDOWS = 1412;
constexpr DWORD ERROR_INVALID_INDEX = 1413;
constexpr DWORD ERROR_INVALID_HOOK_FILTER = 1426;
constexpr DWORD ERROR_SCREEN_ALREADY_LOCKED = 1440;
constexpr DWORD ERROR_INVALID_THREAD_ID = 1444;

// ---- Procedures and structures ------------------------------------------------------------------

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);

struct MSG {
    HWND hwnd { nullptr };
    UINT message { 0 };
    WPARAM wParam { 0 };
    LPARAM lParam { 0 };
    DWORD time { 0 };
    POINT pt {};
};
using LPMSG = MSG*;
using PMSG = MSG*;

struct WNDCLASS {
    UINT style { 0 };
    WNDPROC lpfnWndProc { nullptr };
    int cbClsExtra { 0 };
    int cbWndExtra { 0 };
    HINSTANCE hInstance { nullptr };
    HICON hIcon { nullptr };
    HCURSOR hCursor { nullptr };
    HBRUSH hbrBackground { nullptr };
    LPCSTR lpszMenuName { nullptr };
    LPCSTR lpszClassName { nullptr };
};
using WNDCLASSA = WNDCLASS;
using LPWNDCLASS = WNDCLASS*;

struct WNDCLASSEX {
    UINT cbSize { sizeof(WNDCLASSEX) };
    UINT style { 0 };
    WNDPROC lpfnWndProc { nullptr };
    int cbClsExtra { 0 };
    int cbWndExtra { 0 };
    HINSTANCE hInstance { nullptr };
    HICON hIcon { nullptr };
    HCURSOR hCursor { nullptr };
    HBRUSH hbrBackground { nullptr };
    LPCSTR lpszMenuName { nullptr };
    LPCSTR lpszClassName { nullptr };
    HICON hIconSm { nullptr };
};
using WNDCLASSEXA = WNDCLASSEX;
using LPWNDCLASSEX = WNDCLASSEX*;

struct CREATESTRUCT {
    LPVOID lpCreateParams { nullptr };
    HINSTANCE hInstance { nullptr };
    HMENU hMenu { nullptr };
    HWND hwndParent { nullptr };
    int cy { 0 };
    int cx { 0 };
    int y { 0 };
    int x { 0 };
    LONG style { 0 };
    LPCSTR lpszName { nullptr };
    LPCSTR lpszClass { nullptr };
    DWORD dwExStyle { 0 };
};
using CREATESTRUCTA = CREATESTRUCT;
using LPCREATESTRUCT = CREATESTRUCT*;

struct WINDOWPOS {
    HWND hwnd { nullptr };
    HWND hwndInsertAfter { nullptr };
    int x { 0 };
    int y { 0 };
    int cx { 0 };
    int cy { 0 };
    UINT flags { 0 };
};
using LPWINDOWPOS = WINDOWPOS*;
using PWINDOWPOS = WINDOWPOS*;

struct NCCALCSIZE_PARAMS {
    RECT rgrc[3] {};
    PWINDOWPOS lppos { nullptr };
};
using LPNCCALCSIZE_PARAMS = NCCALCSIZE_PARAMS*;

struct MINMAXINFO {
    POINT ptReserved {};
    POINT ptMaxSize {};
    POINT ptMaxPosition {};
    POINT ptMinTrackSize {};
    POINT ptMaxTrackSize {};
};
using LPMINMAXINFO = MINMAXINFO*;

struct PAINTSTRUCT {
    HDC hdc { nullptr };
    BOOL fErase { FALSE };
    RECT rcPaint {};
    BOOL fRestore { FALSE };
    BOOL fIncUpdate { FALSE };
    BYTE rgbReserved[32] {};
};
using LPPAINTSTRUCT = PAINTSTRUCT*;

struct WINDOWPLACEMENT {
    UINT length { sizeof(WINDOWPLACEMENT) };
    UINT flags { 0 };
    UINT showCmd { 0 };
    POINT ptMinPosition {};
    POINT ptMaxPosition {};
    RECT rcNormalPosition {};
};
using LPWINDOWPLACEMENT = WINDOWPLACEMENT*;
using PWINDOWPLACEMENT = WINDOWPLACEMENT*;

struct SCROLLINFO {
    UINT cbSize { sizeof(SCROLLINFO) };
    UINT fMask { 0 };
    int nMin { 0 };
    int nMax { 0 };
    UINT nPage { 0 };
    int nPos { 0 };
    int nTrackPos { 0 };
};
using LPSCROLLINFO = SCROLLINFO*;
using LPCSCROLLINFO = const SCROLLINFO*;

struct HELPINFO {
    UINT cbSize { sizeof(HELPINFO) };
    int iContextType { 0 };
    int iCtrlId { 0 };
    HANDLE hItemHandle { nullptr };
    DWORD_PTR dwContextId { 0 };
    POINT MousePos {};
};
using LPHELPINFO = HELPINFO*;

struct MOUSEHOOKSTRUCT {
    POINT pt {};
    HWND hwnd { nullptr };
    UINT wHitTestCode { 0 };
    ULONG_PTR dwExtraInfo { 0 };
};
using LPMOUSEHOOKSTRUCT = MOUSEHOOKSTRUCT*;

struct CBT_CREATEWND {
    CREATESTRUCT* lpcs { nullptr };
    HWND hwndInsertAfter { nullptr };
};
using LPCBT_CREATEWND = CBT_CREATEWND*;

struct CBTACTIVATESTRUCT {
    BOOL fMouse { FALSE };
    HWND hWndActive { nullptr };
};

struct NONCLIENTMETRICS {
    UINT cbSize { sizeof(NONCLIENTMETRICS) };
    int iBorderWidth { 0 };
    int iScrollWidth { 0 };
    int iScrollHeight { 0 };
    int iCaptionWidth { 0 };
    int iCaptionHeight { 0 };
    LOGFONT lfCaptionFont {};
    int iSmCaptionWidth { 0 };
    int iSmCaptionHeight { 0 };
    LOGFONT lfSmCaptionFont {};
    int iMenuWidth { 0 };
    int iMenuHeight { 0 };
    LOGFONT lfMenuFont {};
    LOGFONT lfStatusFont {};
    LOGFONT lfMessageFont {};
};
using NONCLIENTMETRICSA = NONCLIENTMETRICS;

struct STYLESTRUCT {
    DWORD styleOld { 0 };
    DWORD styleNew { 0 };
};

// ---- Messages -----------------------------------------------------------------------------------

constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_SETREDRAW = 0x000B;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUERYENDSESSION = 0x0011;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_QUERYOPEN = 0x0013;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SYSCOLORCHANGE = 0x0015;
constexpr UINT WM_ENDSESSION = 0x0016;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_WININICHANGE = 0x001A;
constexpr UINT WM_SETTINGCHANGE = 0x001A;
constexpr UINT WM_ACTIVATEAPP = 0x001C;
constexpr UINT WM_CANCELMODE = 0x001F;
constexpr UINT WM_SETCURSOR = 0x0020;
constexpr UINT WM_MOUSEACTIVATE = 0x0021;
constexpr UINT WM_CHILDACTIVATE = 0x0022;
constexpr UINT WM_QUEUESYNC = 0x0023;
constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_DRAWITEM = 0x002B;
constexpr UINT WM_MEASUREITEM = 0x002C;
constexpr UINT WM_DELETEITEM = 0x002D;
constexpr UINT WM_NEXTDLGCTL = 0x0028;
constexpr UINT WM_SETFONT = 0x0030;
constexpr UINT WM_GETFONT = 0x0031;
constexpr UINT WM_WINDOWPOSCHANGING = 0x0046;
constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
constexpr UINT WM_COPYDATA = 0x004A;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_HELP = 0x0053;
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_STYLECHANGING = 0x007C;
constexpr UINT WM_STYLECHANGED = 0x007D;
constexpr UINT WM_DISPLAYCHANGE = 0x007E;
constexpr UINT WM_GETICON = 0x007F;
constexpr UINT WM_SETICON = 0x0080;
constexpr UINT WM_NCCREATE = 0x0081;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_NCCALCSIZE = 0x0083;
constexpr UINT WM_NCHITTEST = 0x0084;
constexpr UINT WM_NCPAINT = 0x0085;
constexpr UINT WM_NCACTIVATE = 0x0086;
constexpr UINT WM_GETDLGCODE = 0x0087;
constexpr UINT WM_SYNCPAINT = 0x0088;
constexpr UINT WM_NCMOUSEMOVE = 0x00A0;
constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
constexpr UINT WM_NCLBUTTONUP = 0x00A2;
constexpr UINT WM_NCLBUTTONDBLCLK = 0x00A3;
constexpr UINT WM_NCRBUTTONDOWN = 0x00A4;
constexpr UINT WM_NCRBUTTONUP = 0x00A5;
constexpr UINT WM_NCRBUTTONDBLCLK = 0x00A6;
constexpr UINT WM_NCMBUTTONDOWN = 0x00A7;
constexpr UINT WM_NCMBUTTONUP = 0x00A8;
constexpr UINT WM_NCMBUTTONDBLCLK = 0x00A9;
constexpr UINT WM_KEYFIRST = 0x0100;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_DEADCHAR = 0x0103;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_SYSCHAR = 0x0106;
constexpr UINT WM_SYSDEADCHAR = 0x0107;
constexpr UINT WM_KEYLAST = 0x0108;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;
constexpr UINT WM_INITMENU = 0x0116;
constexpr UINT WM_INITMENUPOPUP = 0x0117;
constexpr UINT WM_MENUSELECT = 0x011F;
constexpr UINT WM_MENUCHAR = 0x0120;
constexpr UINT WM_ENTERIDLE = 0x0121;
constexpr UINT WM_CTLCOLORMSGBOX = 0x0132;
constexpr UINT WM_CTLCOLOREDIT = 0x0133;
constexpr UINT WM_CTLCOLORLISTBOX = 0x0134;
constexpr UINT WM_CTLCOLORBTN = 0x0135;
constexpr UINT WM_CTLCOLORDLG = 0x0136;
constexpr UINT WM_CTLCOLORSCROLLBAR = 0x0137;
constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
constexpr UINT WM_MOUSEFIRST = 0x0200;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr UINT WM_MOUSELAST = 0x020A;
constexpr UINT WM_PARENTNOTIFY = 0x0210;
constexpr UINT WM_ENTERMENULOOP = 0x0211;
constexpr UINT WM_EXITMENULOOP = 0x0212;
constexpr UINT WM_SIZING = 0x0214;
constexpr UINT WM_CAPTURECHANGED = 0x0215;
constexpr UINT WM_MOVING = 0x0216;
constexpr UINT WM_POWERBROADCAST = 0x0218;
constexpr UINT WM_DEVICECHANGE = 0x0219;
constexpr UINT WM_MDICREATE = 0x0220;
constexpr UINT WM_MDIDESTROY = 0x0221;
constexpr UINT WM_MDIACTIVATE = 0x0222;
constexpr UINT WM_MDIRESTORE = 0x0223;
constexpr UINT WM_MDINEXT = 0x0224;
constexpr UINT WM_MDIMAXIMIZE = 0x0225;
constexpr UINT WM_MDITILE = 0x0226;
constexpr UINT WM_MDICASCADE = 0x0227;
constexpr UINT WM_MDIICONARRANGE = 0x0228;
constexpr UINT WM_MDIGETACTIVE = 0x0229;
constexpr UINT WM_MDISETMENU = 0x0230;
constexpr UINT WM_ENTERSIZEMOVE = 0x0231;
constexpr UINT WM_EXITSIZEMOVE = 0x0232;
constexpr UINT WM_DROPFILES = 0x0233;
constexpr UINT WM_MDIREFRESHMENU = 0x0234;
constexpr UINT WM_CUT = 0x0300;
constexpr UINT WM_COPY = 0x0301;
constexpr UINT WM_PASTE = 0x0302;
constexpr UINT WM_CLEAR = 0x0303;
constexpr UINT WM_UNDO = 0x0304;
constexpr UINT WM_PRINT = 0x0317;
constexpr UINT WM_PRINTCLIENT = 0x0318;
constexpr UINT WM_USER = 0x0400;
constexpr UINT WM_APP = 0x8000;

// WM_ACTIVATE
constexpr WORD WA_INACTIVE = 0;
constexpr WORD WA_ACTIVE = 1;
constexpr WORD WA_CLICKACTIVE = 2;
// WM_MOUSEACTIVATE results
constexpr LRESULT MA_ACTIVATE = 1;
constexpr LRESULT MA_ACTIVATEANDEAT = 2;
constexpr LRESULT MA_NOACTIVATE = 3;
constexpr LRESULT MA_NOACTIVATEANDEAT = 4;
// WM_SIZE
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;
constexpr WPARAM SIZE_MAXSHOW = 3;
constexpr WPARAM SIZE_MAXHIDE = 4;
// WM_NCCALCSIZE results
constexpr LRESULT WVR_ALIGNTOP = 0x0010;
constexpr LRESULT WVR_VALIDRECTS = 0x0400;
// WM_SETICON / WM_GETICON
constexpr WPARAM ICON_SMALL = 0;
constexpr WPARAM ICON_BIG = 1;
// WM_HELP
constexpr int HELPINFO_WINDOW = 0x0001;
constexpr int HELPINFO_MENUITEM = 0x0002;
// WM_DEVICECHANGE / WM_POWERBROADCAST
constexpr WPARAM DBT_DEVICEARRIVAL = 0x8000;
constexpr WPARAM DBT_DEVICEREMOVECOMPLETE = 0x8004;
constexpr WORD DBTF_MEDIA = 0x0001;
constexpr WPARAM PBT_APMQUERYSUSPEND = 0x0000;
constexpr WPARAM PBT_APMSUSPEND = 0x0004;
constexpr WPARAM PBT_APMRESUMESUSPEND = 0x0007;
constexpr LRESULT BROADCAST_QUERY_DENY = 0x424D5144;

// WM_NCHITTEST codes
constexpr LRESULT HTERROR = -2;
constexpr LRESULT HTTRANSPARENT = -1;
constexpr LRESULT HTNOWHERE = 0;
constexpr LRESULT HTCLIENT = 1;
constexpr LRESULT HTCAPTION = 2;
constexpr LRESULT HTSYSMENU = 3;
constexpr LRESULT HTGROWBOX = 4;
constexpr LRESULT HTSIZE = 4;
constexpr LRESULT HTMENU = 5;
constexpr LRESULT HTHSCROLL = 6;
constexpr LRESULT HTVSCROLL = 7;
constexpr LRESULT HTMINBUTTON = 8;
constexpr LRESULT HTREDUCE = 8;
constexpr LRESULT HTMAXBUTTON = 9;
constexpr LRESULT HTZOOM = 9;
constexpr LRESULT HTLEFT = 10;
constexpr LRESULT HTRIGHT = 11;
constexpr LRESULT HTTOP = 12;
constexpr LRESULT HTTOPLEFT = 13;
constexpr LRESULT HTTOPRIGHT = 14;
constexpr LRESULT HTBOTTOM = 15;
constexpr LRESULT HTBOTTOMLEFT = 16;
constexpr LRESULT HTBOTTOMRIGHT = 17;
constexpr LRESULT HTBORDER = 18;
constexpr LRESULT HTOBJECT = 19;
constexpr LRESULT HTCLOSE = 20;
constexpr LRESULT HTHELP = 21;

// WM_SYSCOMMAND (the low four bits are the system's own)
constexpr WPARAM SC_SIZE = 0xF000;
constexpr WPARAM SC_MOVE = 0xF010;
constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_MAXIMIZE = 0xF030;
constexpr WPARAM SC_NEXTWINDOW = 0xF040;
constexpr WPARAM SC_PREVWINDOW = 0xF050;
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr WPARAM SC_VSCROLL = 0xF070;
constexpr WPARAM SC_HSCROLL = 0xF080;
constexpr WPARAM SC_MOUSEMENU = 0xF090;
constexpr WPARAM SC_KEYMENU = 0xF100;
constexpr WPARAM SC_ARRANGE = 0xF110;
constexpr WPARAM SC_RESTORE = 0xF120;
constexpr WPARAM SC_TASKLIST = 0xF130;
constexpr WPARAM SC_SCREENSAVE = 0xF140;
constexpr WPARAM SC_HOTKEY = 0xF150;
constexpr WPARAM SC_DEFAULT = 0xF160;
constexpr WPARAM SC_CONTEXTHELP = 0xF180;
constexpr WPARAM SC_ICON = SC_MINIMIZE;
constexpr WPARAM SC_ZOOM = SC_MAXIMIZE;

// Mouse and key state flags of mouse messages
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;
constexpr int WHEEL_DELTA = 120;
inline short GET_WHEEL_DELTA_WPARAM(WPARAM w) { return static_cast<short>(HIWORD(w)); }
inline WORD GET_KEYSTATE_WPARAM(WPARAM w) { return LOWORD(w); }
inline int GET_X_LPARAM(LPARAM l) { return static_cast<short>(LOWORD(static_cast<DWORD_PTR>(l))); }
inline int GET_Y_LPARAM(LPARAM l) { return static_cast<short>(HIWORD(static_cast<DWORD_PTR>(l))); }

// Virtual keys
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_CANCEL = 0x03;
constexpr int VK_MBUTTON = 0x04;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_CLEAR = 0x0C;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_PAUSE = 0x13;
constexpr int VK_CAPITAL = 0x14;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_SELECT = 0x29;
constexpr int VK_PRINT = 0x2A;
constexpr int VK_SNAPSHOT = 0x2C;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_HELP = 0x2F;
constexpr int VK_LWIN = 0x5B;
constexpr int VK_RWIN = 0x5C;
constexpr int VK_APPS = 0x5D;
constexpr int VK_NUMPAD0 = 0x60;
constexpr int VK_NUMPAD9 = 0x69;
constexpr int VK_MULTIPLY = 0x6A;
constexpr int VK_ADD = 0x6B;
constexpr int VK_SEPARATOR = 0x6C;
constexpr int VK_SUBTRACT = 0x6D;
constexpr int VK_DECIMAL = 0x6E;
constexpr int VK_DIVIDE = 0x6F;
constexpr int VK_F1 = 0x70;
constexpr int VK_F2 = 0x71;
constexpr int VK_F3 = 0x72;
constexpr int VK_F4 = 0x73;
constexpr int VK_F5 = 0x74;
constexpr int VK_F6 = 0x75;
constexpr int VK_F7 = 0x76;
constexpr int VK_F8 = 0x77;
constexpr int VK_F9 = 0x78;
constexpr int VK_F10 = 0x79;
constexpr int VK_F11 = 0x7A;
constexpr int VK_F12 = 0x7B;
constexpr int VK_NUMLOCK = 0x90;
constexpr int VK_SCROLL = 0x91;
constexpr int VK_LSHIFT = 0xA0;
constexpr int VK_RSHIFT = 0xA1;
constexpr int VK_LCONTROL = 0xA2;
constexpr int VK_RCONTROL = 0xA3;
constexpr int VK_LMENU = 0xA4;
constexpr int VK_RMENU = 0xA5;
constexpr int VK_OEM_1 = 0xBA;
constexpr int VK_OEM_PLUS = 0xBB;
constexpr int VK_OEM_COMMA = 0xBC;
constexpr int VK_OEM_MINUS = 0xBD;
constexpr int VK_OEM_PERIOD = 0xBE;
constexpr int VK_OEM_2 = 0xBF;
constexpr int VK_OEM_3 = 0xC0;
constexpr int VK_OEM_4 = 0xDB;
constexpr int VK_OEM_5 = 0xDC;
constexpr int VK_OEM_6 = 0xDD;
constexpr int VK_OEM_7 = 0xDE;

// Keystroke lParam bits
constexpr LPARAM KF_EXTENDED_BIT = 1 << 24;
constexpr LPARAM KF_ALTDOWN_BIT = 1 << 29;
constexpr LPARAM KF_REPEAT_BIT = 1 << 30;
constexpr LPARAM KF_UP_BIT = LPARAM { 1 } << 31;

// ---- Styles -------------------------------------------------------------------------------------

constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_MAXIMIZE = 0x01000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_TILED = WS_OVERLAPPED;
constexpr DWORD WS_ICONIC = WS_MINIMIZE;
constexpr DWORD WS_SIZEBOX = WS_THICKFRAME;
constexpr DWORD WS_CHILDWINDOW = WS_CHILD;
constexpr DWORD WS_OVERLAPPEDWINDOW
    = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD WS_TILEDWINDOW = WS_OVERLAPPEDWINDOW;
constexpr DWORD WS_POPUPWINDOW = WS_POPUP | WS_BORDER | WS_SYSMENU;

constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
constexpr DWORD WS_EX_NOPARENTNOTIFY = 0x00000004;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_ACCEPTFILES = 0x00000010;
constexpr DWORD WS_EX_TRANSPARENT = 0x00000020;
constexpr DWORD WS_EX_MDICHILD = 0x00000040;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_CONTEXTHELP = 0x00000400;
constexpr DWORD WS_EX_RIGHT = 0x00001000;
constexpr DWORD WS_EX_LEFTSCROLLBAR = 0x00004000;
constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;
constexpr DWORD WS_EX_STATICEDGE = 0x00020000;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;
constexpr DWORD WS_EX_OVERLAPPEDWINDOW = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;
constexpr DWORD WS_EX_PALETTEWINDOW = WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr DWORD WS_EX_NOACTIVATE = 0x08000000;

constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr UINT CS_OWNDC = 0x0020;
constexpr UINT CS_CLASSDC = 0x0040;
constexpr UINT CS_PARENTDC = 0x0080;
constexpr UINT CS_NOCLOSE = 0x0200;
constexpr UINT CS_SAVEBITS = 0x0800;
constexpr UINT CS_BYTEALIGNCLIENT = 0x1000;
constexpr UINT CS_BYTEALIGNWINDOW = 0x2000;
constexpr UINT CS_GLOBALCLASS = 0x4000;

constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

// ---- Window and class longs ---------------------------------------------------------------------

constexpr int GWL_WNDPROC = -4;
constexpr int GWLP_WNDPROC = -4;
constexpr int GWL_HINSTANCE = -6;
constexpr int GWLP_HINSTANCE = -6;
constexpr int GWL_HWNDPARENT = -8;
constexpr int GWLP_HWNDPARENT = -8;
constexpr int GWL_ID = -12;
constexpr int GWLP_ID = -12;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWL_USERDATA = -21;
constexpr int GWLP_USERDATA = -21;
// The dialog slots at the start of a dialog's window extra bytes (each pointer-sized).
constexpr int DWLP_MSGRESULT = 0;
constexpr int DWLP_DLGPROC = DWLP_MSGRESULT + static_cast<int>(sizeof(LRESULT));
constexpr int DWLP_USER = DWLP_DLGPROC + static_cast<int>(sizeof(DLGPROC));
constexpr int DWL_MSGRESULT = DWLP_MSGRESULT;
constexpr int DWL_DLGPROC = DWLP_DLGPROC;
constexpr int DWL_USER = DWLP_USER;
constexpr int DLGWINDOWEXTRA = DWLP_USER + static_cast<int>(sizeof(LONG_PTR));

constexpr int GCL_MENUNAME = -8;
constexpr int GCL_HBRBACKGROUND = -10;
constexpr int GCLP_HBRBACKGROUND = -10;
constexpr int GCL_HCURSOR = -12;
constexpr int GCLP_HCURSOR = -12;
constexpr int GCL_HICON = -14;
constexpr int GCLP_HICON = -14;
constexpr int GCL_HMODULE = -16;
constexpr int GCLP_HMODULE = -16;
constexpr int GCL_CBWNDEXTRA = -18;
constexpr int GCL_CBCLSEXTRA = -20;
constexpr int GCL_WNDPROC = -24;
constexpr int GCLP_WNDPROC = -24;
constexpr int GCL_STYLE = -26;
constexpr int GCW_ATOM = -32;
constexpr int GCL_HICONSM = -34;
constexpr int GCLP_HICONSM = -34;

// ---- Positions, showing, placement --------------------------------------------------------------

constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_DRAWFRAME = SWP_FRAMECHANGED;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
constexpr UINT SWP_NOCOPYBITS = 0x0100;
constexpr UINT SWP_NOOWNERZORDER = 0x0200;
constexpr UINT SWP_NOREPOSITION = SWP_NOOWNERZORDER;
constexpr UINT SWP_NOSENDCHANGING = 0x0400;
constexpr UINT SWP_DEFERERASE = 0x2000;
constexpr UINT SWP_ASYNCWINDOWPOS = 0x4000;

inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);
inline const HWND HWND_MESSAGE = reinterpret_cast<HWND>(-3);
inline const HWND HWND_BROADCAST = reinterpret_cast<HWND>(0xFFFF);

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
constexpr int SW_SHOWDEFAULT = 10;
constexpr int SW_FORCEMINIMIZE = 11;
// WM_SHOWWINDOW lParam
constexpr LPARAM SW_PARENTCLOSING = 1;
constexpr LPARAM SW_PARENTOPENING = 3;

constexpr UINT WPF_SETMINPOSITION = 0x0001;
constexpr UINT WPF_RESTORETOMAXIMIZED = 0x0002;

constexpr UINT GW_HWNDFIRST = 0;
constexpr UINT GW_HWNDLAST = 1;
constexpr UINT GW_HWNDNEXT = 2;
constexpr UINT GW_HWNDPREV = 3;
constexpr UINT GW_OWNER = 4;
constexpr UINT GW_CHILD = 5;
constexpr UINT GW_ENABLEDPOPUP = 6;
constexpr UINT GA_PARENT = 1;
constexpr UINT GA_ROOT = 2;
constexpr UINT GA_ROOTOWNER = 3;

constexpr UINT CWP_ALL = 0x0000;
constexpr UINT CWP_SKIPINVISIBLE = 0x0001;
constexpr UINT CWP_SKIPDISABLED = 0x0002;
constexpr UINT CWP_SKIPTRANSPARENT = 0x0004;

// ---- Painting -----------------------------------------------------------------------------------

constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_INTERNALPAINT = 0x0002;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_VALIDATE = 0x0008;
constexpr UINT RDW_NOINTERNALPAINT = 0x0010;
constexpr UINT RDW_NOERASE = 0x0020;
constexpr UINT RDW_NOCHILDREN = 0x0040;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ERASENOW = 0x0200;
constexpr UINT RDW_FRAME = 0x0400;
constexpr UINT RDW_NOFRAME = 0x0800;

constexpr DWORD DCX_WINDOW = 0x00000001;
constexpr DWORD DCX_CACHE = 0x00000002;
constexpr DWORD DCX_NORESETATTRS = 0x00000004;
constexpr DWORD DCX_CLIPCHILDREN = 0x00000008;
constexpr DWORD DCX_CLIPSIBLINGS = 0x00000010;
constexpr DWORD DCX_PARENTCLIP = 0x00000020;
constexpr DWORD DCX_EXCLUDERGN = 0x00000040;
constexpr DWORD DCX_INTERSECTRGN = 0x00000080;
constexpr DWORD DCX_EXCLUDEUPDATE = 0x00000100;
constexpr DWORD DCX_INTERSECTUPDATE = 0x00000200;
constexpr DWORD DCX_LOCKWINDOWUPDATE = 0x00000400;
constexpr DWORD DCX_VALIDATE = 0x00200000;

// ---- Queues -------------------------------------------------------------------------------------

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;
constexpr UINT PM_NOYIELD = 0x0002;

constexpr UINT QS_KEY = 0x0001;
constexpr UINT QS_MOUSEMOVE = 0x0002;
constexpr UINT QS_MOUSEBUTTON = 0x0004;
constexpr UINT QS_POSTMESSAGE = 0x0008;
constexpr UINT QS_TIMER = 0x0010;
constexpr UINT QS_PAINT = 0x0020;
constexpr UINT QS_SENDMESSAGE = 0x0040;
constexpr UINT QS_HOTKEY = 0x0080;
constexpr UINT QS_ALLPOSTMESSAGE = 0x0100;
constexpr UINT QS_MOUSE = QS_MOUSEMOVE | QS_MOUSEBUTTON;
constexpr UINT QS_INPUT = QS_MOUSE | QS_KEY;
constexpr UINT QS_ALLEVENTS = QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY;
constexpr UINT QS_ALLINPUT = QS_ALLEVENTS | QS_SENDMESSAGE;

constexpr DWORD MWMO_WAITALL = 0x0001;
constexpr DWORD MWMO_ALERTABLE = 0x0002;
constexpr DWORD MWMO_INPUTAVAILABLE = 0x0004;

constexpr DWORD ISMEX_NOSEND = 0x00000000;
constexpr DWORD ISMEX_SEND = 0x00000001;

constexpr UINT SMTO_NORMAL = 0x0000;
constexpr UINT SMTO_BLOCK = 0x0001;
constexpr UINT SMTO_ABORTIFHUNG = 0x0002;

// ---- Hooks --------------------------------------------------------------------------------------

constexpr int WH_MSGFILTER = -1;
constexpr int WH_KEYBOARD = 2;
constexpr int WH_GETMESSAGE = 3;
constexpr int WH_CALLWNDPROC = 4;
constexpr int WH_CBT = 5;
constexpr int WH_SYSMSGFILTER = 6;
constexpr int WH_MOUSE = 7;

constexpr int HC_ACTION = 0;
constexpr int HC_GETNEXT = 1;
constexpr int HC_SKIP = 2;
constexpr int HC_NOREMOVE = 3;

constexpr int HCBT_MOVESIZE = 0;
constexpr int HCBT_MINMAX = 1;
constexpr int HCBT_QS = 2;
constexpr int HCBT_CREATEWND = 3;
constexpr int HCBT_DESTROYWND = 4;
constexpr int HCBT_ACTIVATE = 5;
constexpr int HCBT_CLICKSKIPPED = 6;
constexpr int HCBT_KEYSKIPPED = 7;
constexpr int HCBT_SYSCOMMAND = 8;
constexpr int HCBT_SETFOCUS = 9;

constexpr int MSGF_DIALOGBOX = 0;
constexpr int MSGF_MESSAGEBOX = 1;
constexpr int MSGF_MENU = 2;
constexpr int MSGF_SCROLLBAR = 5;
constexpr int MSGF_NEXTWINDOW = 6;
constexpr int MSGF_USER = 4096;

struct CWPSTRUCT {
    LPARAM lParam { 0 };
    WPARAM wParam { 0 };
    UINT message { 0 };
    HWND hwnd { nullptr };
};

// ---- Scroll bars --------------------------------------------------------------------------------

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;

constexpr WORD SB_LINEUP = 0;
constexpr WORD SB_LINELEFT = 0;
constexpr WORD SB_LINEDOWN = 1;
constexpr WORD SB_LINERIGHT = 1;
constexpr WORD SB_PAGEUP = 2;
constexpr WORD SB_PAGELEFT = 2;
constexpr WORD SB_PAGEDOWN = 3;
constexpr WORD SB_PAGERIGHT = 3;
constexpr WORD SB_THUMBPOSITION = 4;
constexpr WORD SB_THUMBTRACK = 5;
constexpr WORD SB_TOP = 6;
constexpr WORD SB_LEFT = 6;
constexpr WORD SB_BOTTOM = 7;
constexpr WORD SB_RIGHT = 7;
constexpr WORD SB_ENDSCROLL = 8;

constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

constexpr UINT ESB_ENABLE_BOTH = 0x0000;
constexpr UINT ESB_DISABLE_LTUP = 0x0001;
constexpr UINT ESB_DISABLE_RTDN = 0x0002;
constexpr UINT ESB_DISABLE_BOTH = 0x0003;

// ---- Metrics and parameters ---------------------------------------------------------------------

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CXFIXEDFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CYFIXEDFRAME = 8;
constexpr int SM_CYVTHUMB = 9;
constexpr int SM_CXHTHUMB = 10;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXCURSOR = 13;
constexpr int SM_CYCURSOR = 14;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;
constexpr int SM_MOUSEPRESENT = 19;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXHSCROLL = 21;
constexpr int SM_DEBUG = 22;
constexpr int SM_SWAPBUTTON = 23;
constexpr int SM_CXMIN = 28;
constexpr int SM_CYMIN = 29;
constexpr int SM_CXSIZE = 30;
constexpr int SM_CYSIZE = 31;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CXSIZEFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_CYSIZEFRAME = 33;
constexpr int SM_CXMINTRACK = 34;
constexpr int SM_CYMINTRACK = 35;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXICONSPACING = 38;
constexpr int SM_CYICONSPACING = 39;
constexpr int SM_MENUDROPALIGNMENT = 40;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXMINSPACING = 47;
constexpr int SM_CYMINSPACING = 48;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
constexpr int SM_CYSMCAPTION = 51;
constexpr int SM_CXSMSIZE = 52;
constexpr int SM_CYSMSIZE = 53;
constexpr int SM_CXMENUSIZE = 54;
constexpr int SM_CYMENUSIZE = 55;
constexpr int SM_ARRANGE = 56;
constexpr int SM_CXMINIMIZED = 57;
constexpr int SM_CYMINIMIZED = 58;
constexpr int SM_CXMAXTRACK = 59;
constexpr int SM_CYMAXTRACK = 60;
constexpr int SM_CXMAXIMIZED = 61;
constexpr int SM_CYMAXIMIZED = 62;
constexpr int SM_NETWORK = 63;
constexpr int SM_CLEANBOOT = 67;
constexpr int SM_CXDRAG = 68;
constexpr int SM_CYDRAG = 69;
constexpr int SM_SHOWSOUNDS = 70;
constexpr int SM_CXMENUCHECK = 71;
constexpr int SM_CYMENUCHECK = 72;
constexpr int SM_MOUSEWHEELPRESENT = 75;
constexpr int SM_XVIRTUALSCREEN = 76;
constexpr int SM_YVIRTUALSCREEN = 77;
constexpr int SM_CXVIRTUALSCREEN = 78;
constexpr int SM_CYVIRTUALSCREEN = 79;
constexpr int SM_CMONITORS = 80;
constexpr int SM_CXFOCUSBORDER = 83;
constexpr int SM_CYFOCUSBORDER = 84;

constexpr UINT SPI_GETBEEP = 0x0001;
constexpr UINT SPI_GETMOUSE = 0x0003;
constexpr UINT SPI_GETBORDER = 0x0005;
constexpr UINT SPI_GETKEYBOARDSPEED = 0x000A;
constexpr UINT SPI_ICONHORIZONTALSPACING = 0x000D;
constexpr UINT SPI_GETSCREENSAVETIMEOUT = 0x000E;
constexpr UINT SPI_GETKEYBOARDDELAY = 0x0016;
constexpr UINT SPI_ICONVERTICALSPACING = 0x0018;
constexpr UINT SPI_GETICONTITLEWRAP = 0x0019;
constexpr UINT SPI_GETMENUDROPALIGNMENT = 0x001B;
constexpr UINT SPI_GETDRAGFULLWINDOWS = 0x0026;
constexpr UINT SPI_GETNONCLIENTMETRICS = 0x0029;
constexpr UINT SPI_GETWORKAREA = 0x0030;
constexpr UINT SPI_GETHIGHCONTRAST = 0x0042;
constexpr UINT SPI_GETWHEELSCROLLLINES = 0x0068;
constexpr UINT SPI_GETMENUSHOWDELAY = 0x006A;
constexpr UINT SPI_GETSHOWIMEUI = 0x006E;
constexpr UINT SPI_GETMOUSEHOVERWIDTH = 0x0062;
constexpr UINT SPI_GETMOUSEHOVERHEIGHT = 0x0064;
constexpr UINT SPI_GETMOUSEHOVERTIME = 0x0066;
constexpr UINT SPI_GETMENUANIMATION = 0x1002;
constexpr UINT SPI_GETCOMBOBOXANIMATION = 0x1004;
constexpr UINT SPI_GETLISTBOXSMOOTHSCROLLING = 0x1006;
constexpr UINT SPI_GETGRADIENTCAPTIONS = 0x1008;
constexpr UINT SPI_GETKEYBOARDCUES = 0x100A;
constexpr UINT SPI_GETMENUUNDERLINES = SPI_GETKEYBOARDCUES;
constexpr UINT SPI_GETHOTTRACKING = 0x100E;
constexpr UINT SPI_GETMENUFADE = 0x1012;
constexpr UINT SPI_GETSELECTIONFADE = 0x1014;
constexpr UINT SPI_GETTOOLTIPANIMATION = 0x1016;
constexpr UINT SPI_GETTOOLTIPFADE = 0x1018;
constexpr UINT SPI_GETCURSORSHADOW = 0x101A;
constexpr UINT SPI_GETFLATMENU = 0x1022;
constexpr UINT SPI_GETDROPSHADOW = 0x1024;
constexpr UINT SPI_GETFOCUSBORDERWIDTH = 0x200E;
constexpr UINT SPI_GETFOCUSBORDERHEIGHT = 0x2010;

// ---- Window classes -----------------------------------------------------------------------------

// Registers a window class (names compare without regard to case); its atom, 0 with
// ERROR_CLASS_ALREADY_EXISTS for a taken name or ERROR_INVALID_PARAMETER for no name or procedure.
ATOM RegisterClass(const WNDCLASS* lpWndClass);
// Registers a window class with its small icon; as RegisterClass, 0 also for a wrong cbSize.
ATOM RegisterClassEx(const WNDCLASSEX* lpwcx);
// Removes a class no window uses any more; FALSE with ERROR_CLASS_DOES_NOT_EXIST or ERROR_CLASS_HAS_WINDOWS.
BOOL UnregisterClass(LPCSTR lpClassName, HINSTANCE hInstance);
// Copies a class's description (the name pointer given back is the caller's); FALSE for an unknown class.
BOOL GetClassInfo(HINSTANCE hInstance, LPCSTR lpClassName, LPWNDCLASS lpWndClass);
// As GetClassInfo, with the small icon.
BOOL GetClassInfoEx(HINSTANCE hInstance, LPCSTR lpszClass, LPWNDCLASSEX lpwcx);
// Copies the window's class name; the characters copied, 0 for a bad window.
int GetClassName(HWND hWnd, LPSTR lpClassName, int nMaxCount);
// A class value (GCL_*/GCLP_*) or a class extra slot at a byte offset; 0 for a bad window or index.
ULONG_PTR GetClassLongPtr(HWND hWnd, int nIndex);
// Sets a class value or extra slot and returns the old one.
ULONG_PTR SetClassLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
// The 32-bit forms of the class values.
DWORD GetClassLong(HWND hWnd, int nIndex);
DWORD SetClassLong(HWND hWnd, int nIndex, LONG dwNewLong);
// The class atom of a window, 0 for a bad window.
inline WORD GetClassWord(HWND hWnd, int nIndex) { return static_cast<WORD>(GetClassLongPtr(hWnd, nIndex)); }

// ---- Windows ------------------------------------------------------------------------------------

// Creates a window: the CBT hook, then WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE,
// WM_SIZE and WM_MOVE, WM_PARENTNOTIFY to the parent of a child, and showing with WS_VISIBLE. NULL when
// the class is unknown, the parent invalid, a hook or WM_NCCREATE refuses, or WM_CREATE returns -1.
HWND CreateWindowEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y, int nWidth,
    int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam);
inline HWND CreateWindowExA(DWORD ex, LPCSTR cls, LPCSTR name, DWORD style, int x, int y, int w, int h, HWND parent,
    HMENU menu, HINSTANCE inst, LPVOID param)
{
    return CreateWindowEx(ex, cls, name, style, x, y, w, h, parent, menu, inst, param);
}
// CreateWindowEx without extended styles.
inline HWND CreateWindow(LPCSTR cls, LPCSTR name, DWORD style, int x, int y, int w, int h, HWND parent, HMENU menu,
    HINSTANCE inst, LPVOID param)
{
    return CreateWindowEx(0, cls, name, style, x, y, w, h, parent, menu, inst, param);
}
// Destroys a window of the calling thread, its owned windows and its children: hidden first, then
// WM_DESTROY parent before children and WM_NCDESTROY children before parent. FALSE with
// ERROR_INVALID_WINDOW_HANDLE for a bad window, ERROR_ACCESS_DENIED for another thread's window.
// Destroying a window that is already being destroyed does nothing more and returns TRUE.
BOOL DestroyWindow(HWND hWnd);
// TRUE for a live window.
BOOL IsWindow(HWND hWnd);
// TRUE when the window and all its ancestors have WS_VISIBLE.
BOOL IsWindowVisible(HWND hWnd);
// TRUE when the window is not disabled.
BOOL IsWindowEnabled(HWND hWnd);
// TRUE when hWnd is a descendant of hWndParent.
BOOL IsChild(HWND hWndParent, HWND hWnd);
// TRUE when minimised.
BOOL IsIconic(HWND hWnd);
// TRUE when maximised.
BOOL IsZoomed(HWND hWnd);
// Enables or disables input (WM_ENABLE; a disabled window loses focus); returns TRUE when it was disabled.
BOOL EnableWindow(HWND hWnd, BOOL bEnable);

// A window value (GWL_*/GWLP_*, or a byte offset into the window's extra bytes); 0 for a bad window or index.
LONG_PTR GetWindowLongPtr(HWND hWnd, int nIndex);
// Sets a window value and returns the old one; GWLP_WNDPROC subclasses (call the old procedure with
// CallWindowProc); GWL_STYLE and GWL_EXSTYLE send WM_STYLECHANGING and WM_STYLECHANGED.
LONG_PTR SetWindowLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
// The 32-bit forms (a procedure does not fit: use the pointer-sized forms for GWLP_WNDPROC).
LONG GetWindowLong(HWND hWnd, int nIndex);
LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong);
inline LONG_PTR GetWindowLongPtrA(HWND h, int i) { return GetWindowLongPtr(h, i); }
inline LONG_PTR SetWindowLongPtrA(HWND h, int i, LONG_PTR v) { return SetWindowLongPtr(h, i, v); }
// Calls a window procedure (a subclass's previous one).
LRESULT CallWindowProc(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// Attaches a named value to a window (names compare without regard to case; an atom name works too).
BOOL SetProp(HWND hWnd, LPCSTR lpString, HANDLE hData);
// The value of a property, NULL when absent.
HANDLE GetProp(HWND hWnd, LPCSTR lpString);
// Removes a property and returns its value.
HANDLE RemoveProp(HWND hWnd, LPCSTR lpString);

// Sets the window text through WM_SETTEXT.
BOOL SetWindowText(HWND hWnd, LPCSTR lpString);
// Copies the window text through WM_GETTEXT (cut without splitting a character); the bytes copied.
int GetWindowText(HWND hWnd, LPSTR lpString, int nMaxCount);
// The length of the window text through WM_GETTEXTLENGTH.
int GetWindowTextLength(HWND hWnd);
inline BOOL SetWindowTextA(HWND h, LPCSTR s) { return SetWindowText(h, s); }
inline int GetWindowTextA(HWND h, LPSTR s, int n) { return GetWindowText(h, s, n); }

// The parent of a child, the owner of a popup; NULL for the desktop's children without an owner.
HWND GetParent(HWND hWnd);
// The parent, root or root owner.
HWND GetAncestor(HWND hwnd, UINT gaFlags);
// Moves a window under a new parent (NULL: the desktop) keeping its position in the parent's client
// coordinates; the old parent, NULL on failure.
HWND SetParent(HWND hWndChild, HWND hWndNewParent);
// A related window: siblings in z-order, the first child, the owner.
HWND GetWindow(HWND hWnd, UINT uCmd);
// The topmost child, NULL for none.
HWND GetTopWindow(HWND hWnd);
inline HWND GetNextWindow(HWND h, UINT cmd) { return GetWindow(h, cmd); }
// The desktop window, parent of every top-level window.
HWND GetDesktopWindow();
// Calls the function for every descendant in z-order (children before their own children) until it
// returns FALSE; windows created or destroyed during the walk are handled safely.
BOOL EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam);
// Calls the function for every top-level window.
BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam);
// Calls the function for every top-level window of a thread.
BOOL EnumThreadWindows(DWORD dwThreadId, WNDENUMPROC lpfn, LPARAM lParam);
// The first top-level window matching class and title (NULL matches anything).
HWND FindWindow(LPCSTR lpClassName, LPCSTR lpWindowName);
// The next child of a parent (NULL: top-level windows) after hWndChildAfter matching class and title.
HWND FindWindowEx(HWND hWndParent, HWND hWndChildAfter, LPCSTR lpszClass, LPCSTR lpszWindow);
// The thread that made the window (and the process id into lpdwProcessId); 0 for a bad window.
DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId);
// The child's id (GWL_ID).
int GetDlgCtrlID(HWND hWnd);
// The child with the given id.
HWND GetDlgItem(HWND hDlg, int nIDDlgItem);

// The deepest visible, enabled window under a screen point.
HWND WindowFromPoint(POINT Point);
// The child of hWndParent holding a client point (the parent itself when none does, NULL outside it).
HWND ChildWindowFromPoint(HWND hWndParent, POINT Point);
// As ChildWindowFromPoint, skipping the kinds of child CWP_* names.
HWND ChildWindowFromPointEx(HWND hwnd, POINT pt, UINT flags);
// Converts points between two windows' client coordinates (NULL: the screen); returns
// MAKELONG(dx, dy) of the move.
int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints);
// Client to screen coordinates.
BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint);
// Screen to client coordinates.
BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint);
// The client area (0, 0, width, height).
BOOL GetClientRect(HWND hWnd, LPRECT lpRect);
// The window rectangle in screen coordinates.
BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);
// The window rectangle that gives the client rectangle for a style (no menu is taken into account
// when bMenu is FALSE).
BOOL AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu);
BOOL AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle);

// Moves, sizes, reorders, shows or hides a window as the SWP_* flags say, with WM_WINDOWPOSCHANGING,
// WM_NCCALCSIZE, WM_WINDOWPOSCHANGED (whose default handling sends WM_MOVE and WM_SIZE) and repainting.
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags);
// Moves and sizes a window, repainting it when bRepaint.
BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint);
// Starts a batch of positions for up to nNumWindows windows (grows as needed).
HDWP BeginDeferWindowPos(int nNumWindows);
// Adds (or updates) a window's position in a batch; the batch, NULL when it failed (the batch is then freed).
HDWP DeferWindowPos(HDWP hWinPosInfo, HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags);
// Applies a batch, in the order added, and frees it.
BOOL EndDeferWindowPos(HDWP hWinPosInfo);
// Shows, hides, minimises, maximises or restores a window as the SW_* code says; WM_SHOWWINDOW comes
// first where visibility changes. TRUE when the window was visible before.
BOOL ShowWindow(HWND hWnd, int nCmdShow);
// The normal (restored) position and the show state.
BOOL GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl);
// Sets the normal position and the show state; FALSE for a wrong length.
BOOL SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl);
// Puts a window at the top of its siblings and activates a top-level one.
BOOL BringWindowToTop(HWND hWnd);
// Restores a minimised window.
BOOL OpenIcon(HWND hWnd);
// Minimises a window.
BOOL CloseWindow(HWND hWnd);

// ---- Messages -----------------------------------------------------------------------------------

// Calls the window's procedure and returns its result. A window of another thread gets the message
// while that thread waits for messages, and the caller serves messages sent to it meanwhile; 0 for a
// bad window or a window destroyed before it was served.
LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
inline LRESULT SendMessageA(HWND h, UINT m, WPARAM w, LPARAM l) { return SendMessage(h, m, w, l); }
// As SendMessage, giving up after uTimeout milliseconds on the clock (FALSE, ERROR_TIMEOUT).
LRESULT SendMessageTimeout(
    HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT fuFlags, UINT uTimeout, PDWORD_PTR lpdwResult);
// Sends without waiting for the result (a plain send for the caller's own windows).
BOOL SendNotifyMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// Queues a message for the window's thread (NULL: the calling thread's thread message); FALSE for a bad window.
BOOL PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
inline BOOL PostMessageA(HWND h, UINT m, WPARAM w, LPARAM l) { return PostMessage(h, m, w, l); }
// Queues a thread message; FALSE with ERROR_INVALID_THREAD_ID for a thread without a queue.
BOOL PostThreadMessage(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam);
// Waits for a message of the window (NULL: any; (HWND)-1: thread messages) in the range (0, 0: any)
// serving sent messages meanwhile; FALSE for WM_QUIT, -1 for a bad window.
BOOL GetMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
inline BOOL GetMessageA(LPMSG m, HWND h, UINT a, UINT b) { return GetMessage(m, h, a, b); }
// Looks for a message without waiting (serving sent messages); removes it with PM_REMOVE.
BOOL PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
inline BOOL PeekMessageA(LPMSG m, HWND h, UINT a, UINT b, UINT r) { return PeekMessage(m, h, a, b, r); }
// Posts WM_CHAR or WM_SYSCHAR for a key message that makes a character; TRUE for key messages.
BOOL TranslateMessage(const MSG* lpMsg);
// Hands a message to its window's procedure (a WM_TIMER with a procedure calls the procedure).
LRESULT DispatchMessage(const MSG* lpMsg);
inline LRESULT DispatchMessageA(const MSG* m) { return DispatchMessage(m); }
// Waits until a message arrives for the calling thread, serving sent messages.
BOOL WaitMessage();
// Waits for objects or for input of the kinds dwWakeMask names (WAIT_OBJECT_0 + nCount), serving
// sent messages; WAIT_TIMEOUT after dwMilliseconds on the clock.
DWORD MsgWaitForMultipleObjects(
    DWORD nCount, const HANDLE* pHandles, BOOL fWaitAll, DWORD dwMilliseconds, DWORD dwWakeMask);
// As MsgWaitForMultipleObjects with MWMO_* flags.
DWORD MsgWaitForMultipleObjectsEx(
    DWORD nCount, const HANDLE* pHandles, DWORD dwMilliseconds, DWORD dwWakeMask, DWORD dwFlags);
// Asks the thread's message loop to end: GetMessage returns FALSE once the queue holds nothing else.
void PostQuitMessage(int nExitCode);
// The message number for a name (the same for every caller of the same name, without regard to case),
// from 0xC000 up; 0 for an empty name.
UINT RegisterWindowMessage(LPCSTR lpString);
inline UINT RegisterWindowMessageA(LPCSTR s) { return RegisterWindowMessage(s); }
// TRUE while serving a message sent by another thread.
BOOL InSendMessage();
// ISMEX_SEND while serving a message sent by another thread, else ISMEX_NOSEND.
DWORD InSendMessageEx(LPVOID lpReserved);
// Lets the sending thread go on with lResult while the receiver carries on.
BOOL ReplyMessage(LRESULT lResult);
// The screen position of the pointer when the last message was retrieved, MAKELONG(x, y).
DWORD GetMessagePos();
// The time (tick count) of the last message retrieved.
LONG GetMessageTime();
// TRUE when mouse or keyboard input waits in the calling thread's queue.
BOOL GetInputState();
// HIWORD: kinds of message in the queue; LOWORD: kinds arrived since the last call (QS_* flags).
DWORD GetQueueStatus(UINT flags);
// Runs the thread's WH_MSGFILTER hooks; TRUE when one of them handled the message.
BOOL CallMsgFilter(LPMSG lpMsg, int nCode);
inline BOOL CallMsgFilterA(LPMSG m, int c) { return CallMsgFilter(m, c); }

// ---- Default handling ---------------------------------------------------------------------------

// The default handling of every message (the classic non-client model, moving and sizing loops,
// system commands, background erasing, scroll bars, and passing help and context menus to the parent).
LRESULT DefWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
inline LRESULT DefWindowProcA(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

// ---- Painting -----------------------------------------------------------------------------------

// Adds a client rectangle (NULL: the whole client area) to the update region; children are included
// unless the window has WS_CLIPCHILDREN. NULL for hWnd repaints every window.
BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
// Adds a region (client coordinates) to the update region.
BOOL InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase);
// Removes a client rectangle from the update region.
BOOL ValidateRect(HWND hWnd, const RECT* lpRect);
// Removes a region from the update region.
BOOL ValidateRgn(HWND hWnd, HRGN hRgn);
// Sends WM_PAINT at once to the window and its children that need painting.
BOOL UpdateWindow(HWND hWnd);
// Invalidates, validates and repaints as the RDW_* flags say.
BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags);
// Starts painting: WM_NCPAINT and WM_ERASEBKGND when due, a DC clipped to the update region, which
// is then validated.
HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint);
// Ends painting and frees the DC of BeginPaint.
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);
// The bounding box of the update region (client coordinates); FALSE when empty. bErase sends
// WM_ERASEBKGND when erasing is due.
BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase);
// Copies the update region into hRgn; returns its kind.
int GetUpdateRgn(HWND hWnd, HRGN hRgn, BOOL bErase);
// A DC for the client area (NULL: the whole screen, drawing over every window).
HDC GetDC(HWND hWnd);
// A DC with DCX_* options: DCX_WINDOW for the whole window, DCX_LOCKWINDOWUPDATE to draw while
// window updates are locked, clip and visible-region options.
HDC GetDCEx(HWND hWnd, HRGN hrgnClip, DWORD flags);
// A DC for the whole window, frame included (NULL or the desktop: the whole screen).
HDC GetWindowDC(HWND hWnd);
// Gives back a DC of GetDC, GetDCEx or GetWindowDC; 1 when released.
int ReleaseDC(HWND hWnd, HDC hDC);
// The window a DC of this layer draws into.
HWND WindowFromDC(HDC hDC);
// Locks drawing into one window and its children (NULL unlocks, repainting what was held back);
// FALSE while another window is locked.
BOOL LockWindowUpdate(HWND hWndLock);
// Scrolls the client area (or part) by moving pixels; uncovered parts are invalidated.
BOOL ScrollWindow(HWND hWnd, int XAmount, int YAmount, const RECT* lpRect, const RECT* lpClipRect);
// The visible region kind of a window's client area within the given rectangle.
int GetWindowRgnBox(HWND hWnd, LPRECT lprc);

// ---- Input, focus and capture -------------------------------------------------------------------

// Routes all mouse input to the window (WM_CAPTURECHANGED to the window losing it); the previous holder.
HWND SetCapture(HWND hWnd);
// Ends capture (WM_CAPTURECHANGED to the holder).
BOOL ReleaseCapture();
// The capture window of the calling thread.
HWND GetCapture();
// Gives the keyboard focus to a window of the calling thread (activating its top-level window);
// WM_KILLFOCUS and WM_SETFOCUS. NULL as hWnd removes the focus. The previous focus, NULL on failure.
HWND SetFocus(HWND hWnd);
// The focus window of the calling thread.
HWND GetFocus();
// Activates a top-level window of the calling thread; the previously active window.
HWND SetActiveWindow(HWND hWnd);
// The active window of the calling thread.
HWND GetActiveWindow();
// Activates a window and makes its thread the foreground thread.
BOOL SetForegroundWindow(HWND hWnd);
// The active window of the foreground thread.
HWND GetForegroundWindow();
// The state of a virtual key as of the last message retrieved: bit 15 down, bit 0 toggled.
SHORT GetKeyState(int nVirtKey);
// The state of a virtual key now: bit 15 down.
SHORT GetAsyncKeyState(int vKey);
// Copies the 256 key states as of the last message retrieved.
BOOL GetKeyboardState(PBYTE lpKeyState);
// The pointer's screen position.
BOOL GetCursorPos(LPPOINT lpPoint);
// Moves the pointer (mouse-move input follows).
BOOL SetCursorPos(int X, int Y);
// Makes a cursor the current one; the previous one.
HCURSOR SetCursor(HCURSOR hCursor);
// The current cursor.
HCURSOR GetCursor();
// Shows (counter up) or hides the cursor; the new display count.
int ShowCursor(BOOL bShow);
// Milliseconds between the clicks of a double click.
UINT GetDoubleClickTime();
// Sets the double-click time (0: the default 500 ms).
BOOL SetDoubleClickTime(UINT uInterval);
// Whether a window receives dropped files.
void DragAcceptFiles(HWND hWnd, BOOL fAccept);

// Carets: one per thread, owned by a window.
BOOL CreateCaret(HWND hWnd, HBITMAP hBitmap, int nWidth, int nHeight);
BOOL DestroyCaret();
BOOL ShowCaret(HWND hWnd);
BOOL HideCaret(HWND hWnd);
BOOL SetCaretPos(int X, int Y);
BOOL GetCaretPos(LPPOINT lpPoint);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT uMSeconds);

// ---- Timers and hooks ---------------------------------------------------------------------------

// Starts (or restarts) a timer that produces WM_TIMER every uElapse milliseconds of the clock, or
// calls lpTimerFunc; with a NULL window a new id is made. The id, 0 on failure.
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
// Stops a timer; FALSE when there was none.
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);
// Installs a hook procedure for a thread (0: every thread) at the front of its chain.
HHOOK SetWindowsHookEx(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId);
inline HHOOK SetWindowsHookExA(int id, HOOKPROC fn, HINSTANCE mod, DWORD tid)
{
    return SetWindowsHookEx(id, fn, mod, tid);
}
// Calls the next hook of the chain after hhk; 0 at the end of the chain.
LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam);
// Removes a hook; FALSE for an unknown one.
BOOL UnhookWindowsHookEx(HHOOK hhk);

// ---- Scroll bars of windows ---------------------------------------------------------------------

// Sets a window scroll bar's range, page and position (showing or hiding the bar as needed); the position.
int SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw);
// Copies the parts of a scroll bar's state the mask asks for.
BOOL GetScrollInfo(HWND hwnd, int nBar, LPSCROLLINFO lpsi);
// Sets the position; the old one.
int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw);
// The position.
int GetScrollPos(HWND hWnd, int nBar);
// Sets the range.
BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw);
// The range.
BOOL GetScrollRange(HWND hWnd, int nBar, LPINT lpMinPos, LPINT lpMaxPos);
// Shows or hides a window scroll bar.
BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow);
// Enables or disables the arrows of a scroll bar.
BOOL EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows);

// ---- Metrics and parameters ---------------------------------------------------------------------

// A system metric of the classic look; 0 for an unknown index.
int GetSystemMetrics(int nIndex);
// Reads a system parameter (SPI_GETWORKAREA, SPI_GETNONCLIENTMETRICS, ...); FALSE for an unknown one.
BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni);
inline BOOL SystemParametersInfoA(UINT a, UINT p, PVOID v, UINT f) { return SystemParametersInfo(a, p, v, f); }
// The platform version: 5.1 (major in the low byte, minor in the next).
DWORD GetVersion();

// Menus, accelerators, the clipboard and the cursor clip live in headers of their own.
#include "platform/user/WinClipboard.h"
#include "platform/user/WinMenu.h"
// Dialogs and the standard controls.
#include "platform/user/WinControls.h"
#include "platform/user/WinDialogs.h"
