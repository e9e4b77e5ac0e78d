#pragma once
// Menus, the window menu, popup tracking and keyboard accelerators. Every call accepts null, stale
// and foreign handles and fails cleanly.

#include "platform/base/WinTypes.h"
#include "platform/user/WinUser.h"

// Sent to the owner as a popup closes (wParam: the menu; HIWORD(lParam): MF_SYSMENU for the window menu).
constexpr UINT WM_UNINITMENUPOPUP = 0x0125;

// ---- Item flags of the classic calls (AppendMenu, InsertMenu, ModifyMenu, GetMenuState) ---------

constexpr UINT MF_INSERT = 0x0000;
constexpr UINT MF_CHANGE = 0x0080;
constexpr UINT MF_APPEND = 0x0100;
constexpr UINT MF_DELETE = 0x0200;
constexpr UINT MF_REMOVE = 0x1000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_USECHECKBITMAPS = 0x0200;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_BITMAP = 0x0004;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_MENUBARBREAK = 0x0020;
constexpr UINT MF_MENUBREAK = 0x0040;
constexpr UINT MF_UNHILITE = 0x0000;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MF_DEFAULT = 0x1000;
constexpr UINT MF_SYSMENU = 0x2000;
constexpr UINT MF_HELP = 0x4000;
constexpr UINT MF_RIGHTJUSTIFY = 0x4000;
constexpr UINT MF_MOUSESELECT = 0x8000;
// Marks the last item of a level in a menu template.
constexpr UINT MF_END = 0x0080;

// ---- Item types, states and info masks (MENUITEMINFO) --------------------------------------------

constexpr UINT MFT_STRING = MF_STRING;
constexpr UINT MFT_BITMAP = MF_BITMAP;
constexpr UINT MFT_MENUBARBREAK = MF_MENUBARBREAK;
constexpr UINT MFT_MENUBREAK = MF_MENUBREAK;
constexpr UINT MFT_OWNERDRAW = MF_OWNERDRAW;
constexpr UINT MFT_RADIOCHECK = 0x0200;
constexpr UINT MFT_SEPARATOR = MF_SEPARATOR;
constexpr UINT MFT_RIGHTORDER = 0x2000;
constexpr UINT MFT_RIGHTJUSTIFY = MF_RIGHTJUSTIFY;

constexpr UINT MFS_GRAYED = 0x0003;
constexpr UINT MFS_DISABLED = MFS_GRAYED;
constexpr UINT MFS_CHECKED = MF_CHECKED;
constexpr UINT MFS_HILITE = MF_HILITE;
constexpr UINT MFS_ENABLED = MF_ENABLED;
constexpr UINT MFS_UNCHECKED = MF_UNCHECKED;
constexpr UINT MFS_UNHILITE = MF_UNHILITE;
constexpr UINT MFS_DEFAULT = MF_DEFAULT;

constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_CHECKMARKS = 0x0008;
constexpr UINT MIIM_TYPE = 0x0010;
constexpr UINT MIIM_DATA = 0x0020;
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_BITMAP = 0x0080;
constexpr UINT MIIM_FTYPE = 0x0100;

// GetMenuDefaultItem
constexpr UINT GMDI_USEDISABLED = 0x0001;
constexpr UINT GMDI_GOINTOPOPUPS = 0x0002;

// TrackPopupMenu(Ex)
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_HORIZONTAL = 0x0000;
constexpr UINT TPM_VERTICAL = 0x0040;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;
constexpr UINT TPM_RECURSE = 0x0001;

// WM_MENUCHAR answers (in the high word; the low word is an item position).
constexpr LRESULT MNC_IGNORE = 0;
constexpr LRESULT MNC_CLOSE = 1;
constexpr LRESULT MNC_EXECUTE = 2;
constexpr LRESULT MNC_SELECT = 3;

constexpr DWORD ERROR_INVALID_MENU_HANDLE = 1401;
constexpr DWORD ERROR_INVALID_ACCEL_HANDLE = 1403;
constexpr DWORD ERROR_MENU_ITEM_NOT_FOUND = 1456;
constexpr DWORD ERROR_POPUP_ALREADY_ACTIVE = 1446;

struct MENUITEMINFO {
    UINT cbSize { sizeof(MENUITEMINFO) };
    UINT fMask { 0 };
    UINT fType { 0 };
    UINT fState { 0 };
    UINT wID { 0 };
    HMENU hSubMenu { nullptr };
    HBITMAP hbmpChecked { nullptr };
    HBITMAP hbmpUnchecked { nullptr };
    ULONG_PTR dwItemData { 0 };
    LPSTR dwTypeData { nullptr };
    UINT cch { 0 };
    HBITMAP hbmpItem { nullptr };
};
using LPMENUITEMINFO = MENUITEMINFO*;
using LPCMENUITEMINFO = const MENUITEMINFO*;
using MENUITEMINFOA = MENUITEMINFO;

struct TPMPARAMS {
    UINT cbSize { sizeof(TPMPARAMS) };
    RECT rcExclude {};
};
using LPTPMPARAMS = TPMPARAMS*;

// ---- Menus --------------------------------------------------------------------------------------

// An empty menu bar; NULL when out of handles.
HMENU CreateMenu();
// An empty popup menu.
HMENU CreatePopupMenu();
// Destroys a menu and, recursively, its submenus; FALSE with ERROR_INVALID_MENU_HANDLE for a bad handle.
BOOL DestroyMenu(HMENU hMenu);
// TRUE for a live menu.
BOOL IsMenu(HMENU hMenu);
// Adds an item at the end (MF_POPUP: uIDNewItem is the submenu; MF_SEPARATOR; MF_BITMAP: lpNewItem is
// the bitmap; MF_OWNERDRAW: lpNewItem is the item data).
BOOL AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem);
// Inserts an item before the one named by command or position (a position past the end appends).
BOOL InsertMenu(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem);
// Inserts an item described by the fields fMask names.
BOOL InsertMenuItem(HMENU hmenu, UINT item, BOOL fByPosition, LPCMENUITEMINFO lpmi);
// Replaces an item with the one described (as for InsertMenu).
BOOL ModifyMenu(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem);
// Removes an item and destroys its submenu; FALSE when there is no such item.
BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags);
// Removes an item, keeping its submenu alive.
BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags);
// The number of items, -1 for a bad menu.
int GetMenuItemCount(HMENU hMenu);
// The command of the item at a position; 0xFFFFFFFF for a submenu or no item.
UINT GetMenuItemID(HMENU hMenu, int nPos);
// The MF_ flags of an item (a popup: its item count in the high byte, with MF_POPUP); 0xFFFFFFFF for none.
UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags);
// Copies an item's text (cut without splitting a character); the bytes copied, or the length when
// lpString is NULL; 0 for no item.
int GetMenuString(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags);
// Copies the fields fMask names; with MIIM_TYPE/MIIM_STRING and a buffer the text (cch in: size,
// out: length).
BOOL GetMenuItemInfo(HMENU hmenu, UINT item, BOOL fByPosition, LPMENUITEMINFO lpmii);
// Changes the fields fMask names.
BOOL SetMenuItemInfo(HMENU hmenu, UINT item, BOOL fByPositon, LPCMENUITEMINFO lpmii);
inline BOOL GetMenuItemInfoA(HMENU m, UINT i, BOOL p, LPMENUITEMINFO mi) { return GetMenuItemInfo(m, i, p, mi); }
inline BOOL SetMenuItemInfoA(HMENU m, UINT i, BOOL p, LPCMENUITEMINFO mi) { return SetMenuItemInfo(m, i, p, mi); }
// The submenu of the item at a position, NULL when it has none.
HMENU GetSubMenu(HMENU hMenu, int nPos);
// Checks or unchecks an item; its previous MF_CHECKED state, 0xFFFFFFFF for no item.
DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck);
// Checks one item of a range with a radio mark and unchecks the rest.
BOOL CheckMenuRadioItem(HMENU hmenu, UINT first, UINT last, UINT check, UINT flags);
// Enables, disables or grays an item; its previous MF_GRAYED/MF_DISABLED state, -1 for no item.
BOOL EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable);
// Makes an item the default (bold) one; (UINT)-1 clears it.
BOOL SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos);
// The default item's command or position, -1 for none.
UINT GetMenuDefaultItem(HMENU hMenu, UINT fByPos, UINT gmdiFlags);
// A menu from a menu template (standard or extended); NULL when the template is damaged.
HMENU LoadMenuIndirect(const void* lpMenuTemplate);
// A menu from an RT_MENU resource of a module.
HMENU LoadMenu(HINSTANCE hInstance, LPCSTR lpMenuName);
inline HMENU LoadMenuA(HINSTANCE i, LPCSTR n) { return LoadMenu(i, n); }

// The window's own copy of the window menu (Restore, Move, Size, Minimize, Maximize, Close), made on
// first use; bRevert drops the copy and returns NULL.
HMENU GetSystemMenu(HWND hWnd, BOOL bRevert);
// Gives a top-level window a menu bar (NULL removes it) and lays out its frame again; the old menu is
// not destroyed.
BOOL SetMenu(HWND hWnd, HMENU hMenu);
// The menu bar of a top-level window.
HMENU GetMenu(HWND hWnd);
// Repaints the menu bar after its items changed.
BOOL DrawMenuBar(HWND hWnd);
// The screen rectangle of an item of the window's menu bar or of a popup being shown.
BOOL GetMenuItemRect(HWND hWnd, HMENU hMenu, UINT uItem, LPRECT lprcItem);

// Shows a popup menu at a screen point and runs its loop until an item is chosen or the menu is
// dismissed (click outside, Escape, EndMenu, WM_CANCELMODE, lost capture, deactivation, WM_QUIT
// which is posted again). Every message of the loop goes through the WH_MSGFILTER hooks with
// MSGF_MENU first. With TPM_RETURNCMD the chosen command (0 for none); otherwise the command is posted
// to the owner as WM_COMMAND and the result is nonzero on success.
BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd, const RECT* prcRect);
// As TrackPopupMenu; the popup avoids lptpm->rcExclude.
BOOL TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hwnd, LPTPMPARAMS lptpm);
// Ends the calling thread's active menu loop.
BOOL EndMenu();

// ---- Accelerators -------------------------------------------------------------------------------

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct ACCEL {
    BYTE fVirt { 0 };
    WORD key { 0 };
    WORD cmd { 0 };
};
using LPACCEL = ACCEL*;

// A table from an RT_ACCELERATOR resource; NULL when missing or empty.
HACCEL LoadAccelerators(HINSTANCE hInstance, LPCSTR lpTableName);
inline HACCEL LoadAcceleratorsA(HINSTANCE i, LPCSTR n) { return LoadAccelerators(i, n); }
// A table of cAccel entries; NULL for none.
HACCEL CreateAcceleratorTable(LPACCEL paccel, int cAccel);
// Frees a table; FALSE for a bad handle.
BOOL DestroyAcceleratorTable(HACCEL hAccel);
// Copies up to cAccelEntries entries; with a NULL buffer, the number of entries.
int CopyAcceleratorTable(HACCEL hAccelSrc, LPACCEL lpAccelDst, int cAccelEntries);
// A key message matching an entry becomes WM_COMMAND (HIWORD 1) or, for a command of the window
// menu, WM_SYSCOMMAND, sent to the window; nonzero when it did.
int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg);
inline int TranslateAcceleratorA(HWND h, HACCEL a, LPMSG m) { return TranslateAccelerator(h, a, m); }
