#pragma once
// The shell's namespace as far as choosing folders goes: item lists naming folders, the desktop
// folder that parses a path into one, and the folder browser.

#include <string>

#include "platform/base/WinTypes.h"
#include "platform/com/ObjBase.h"

// One item of an item list: its size in bytes (this field included), then its data. Here an item
// list holds one item, the folder's program path with its zero, and ends with an empty item.
struct SHITEMID {
    USHORT cb;
    BYTE abID[1];
};
struct ITEMIDLIST {
    SHITEMID mkid;
};
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using PIDLIST_ABSOLUTE = ITEMIDLIST*;
using PCIDLIST_ABSOLUTE = const ITEMIDLIST*;

// The folder browser's callback: BFFM_INITIALIZED once it shows, BFFM_SELCHANGED with the new item
// list in lParam; lpData is the caller's lParam. Returns 0.
using BFFCALLBACK = int (*)(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

struct BROWSEINFO {
    HWND hwndOwner { nullptr };
    // The folder the browser cannot go above; null for the whole namespace.
    LPCITEMIDLIST pidlRoot { nullptr };
    // Out: the chosen folder's name (MAX_PATH bytes).
    LPSTR pszDisplayName { nullptr };
    LPCSTR lpszTitle { nullptr };
    UINT ulFlags { 0 };
    BFFCALLBACK lpfn { nullptr };
    LPARAM lParam { 0 };
    int iImage { 0 };
};
using BROWSEINFOA = BROWSEINFO;
using LPBROWSEINFO = BROWSEINFO*;

constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001;
constexpr UINT BIF_DONTGOBELOWDOMAIN = 0x0002;
constexpr UINT BIF_EDITBOX = 0x0010;
constexpr UINT BIF_NEWDIALOGSTYLE = 0x0040;

// Callback notifications.
constexpr UINT BFFM_INITIALIZED = 1;
constexpr UINT BFFM_SELCHANGED = 2;
// Messages to the browser window: select a folder (wParam TRUE: lParam is a path; FALSE: an item list).
constexpr UINT BFFM_SETSTATUSTEXT = 0x0400 + 100;
constexpr UINT BFFM_ENABLEOK = 0x0400 + 101;
constexpr UINT BFFM_SETSELECTION = 0x0400 + 102;

// Shows the folder browser, modal to the owner; the chosen folder's item list (freed with
// CoTaskMemFree or the shell allocator), or null when cancelled.
LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFO lpbi);
// The program path of an item list's folder (no trailing "\" but at a drive's root) into pszPath
// (MAX_PATH bytes); FALSE for a list that names no file-system folder.
BOOL SHGetPathFromIDList(LPCITEMIDLIST pidl, LPSTR pszPath);
// The allocator of item lists (the task allocator).
HRESULT SHGetMalloc(IMalloc** ppMalloc);
// Frees an item list; null is allowed.
void ILFree(LPITEMIDLIST pidl);

struct IBindCtx;
struct IEnumIDList;

struct IShellFolder : IUnknown {
    // The item list of a path (a program path in UTF-16); HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)
    // when no such folder or file exists. pchEaten and pdwAttributes may be null.
    virtual HRESULT ParseDisplayName(HWND hwnd, IBindCtx* pbc, LPOLESTR pszDisplayName, ULONG* pchEaten,
        LPITEMIDLIST* ppidl, ULONG* pdwAttributes) = 0;
    // The rest of the folder's interface is not offered: E_NOTIMPL.
    virtual HRESULT EnumObjects(HWND hwnd, DWORD grfFlags, IEnumIDList** ppenumIDList) = 0;
    virtual HRESULT BindToObject(LPCITEMIDLIST pidl, IBindCtx* pbc, REFIID riid, void** ppv) = 0;
    virtual HRESULT BindToStorage(LPCITEMIDLIST pidl, IBindCtx* pbc, REFIID riid, void** ppv) = 0;
    virtual HRESULT CompareIDs(LPARAM lParam, LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2) = 0;
    virtual HRESULT CreateViewObject(HWND hwndOwner, REFIID riid, void** ppv) = 0;
    virtual HRESULT GetAttributesOf(UINT cidl, LPCITEMIDLIST* apidl, ULONG* rgfInOut) = 0;
    virtual HRESULT GetUIObjectOf(HWND hwndOwner, UINT cidl, LPCITEMIDLIST* apidl, REFIID riid, UINT* rgfReserved, void** ppv) = 0;
    virtual HRESULT GetDisplayNameOf(LPCITEMIDLIST pidl, DWORD uFlags, void* pName) = 0;
    virtual HRESULT SetNameOf(HWND hwnd, LPCITEMIDLIST pidl, LPCOLESTR pszName, DWORD uFlags, LPITEMIDLIST* ppidlOut) = 0;
};
using LPSHELLFOLDER = IShellFolder*;
TS_DEFINE_IID(IShellFolder, "000214E6-0000-0000-C000-000000000046");
inline constexpr IID IID_IShellFolder = platform::IidOf<IShellFolder>();

// The desktop folder, the root of the namespace, which parses paths into item lists.
HRESULT SHGetDesktopFolder(IShellFolder** ppshf);

namespace platform {

// A new item list naming a program path (CoTaskMemAlloc'd); null when out of memory.
LPITEMIDLIST MakeItemList(const std::string& programPath);
// The program path an item list names; empty for the empty list (the namespace's root).
std::string PathOfItemList(LPCITEMIDLIST pidl);

} // namespace platform
