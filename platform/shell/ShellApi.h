#pragma once
// The shell's calls for dropped files and for opening programs, documents and addresses.

#include "platform/base/WinTypes.h"
#include "platform/gdi/WinGdi.h"

struct HDROP__ {
    int unused;
};
// The files of one drop (the wParam of WM_DROPFILES): global memory that DragFinish frees.
using HDROP = HDROP__*;

// The number of files (iFile 0xFFFFFFFF); the length of file iFile without its end (lpszFile null);
// else copies file iFile into lpszFile, cut to cch - 1 bytes (never inside a character), and returns
// the bytes copied. 0 for a bad handle or index.
UINT DragQueryFile(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch);
// The drop point in the client coordinates of the window; TRUE when it was in the client area.
BOOL DragQueryPoint(HDROP hDrop, LPPOINT lppt);
// Frees the drop's memory.
void DragFinish(HDROP hDrop);

// Results of ShellExecute at or below 32.
constexpr INT_PTR SE_ERR_FNF = 2;
constexpr INT_PTR SE_ERR_PNF = 3;
constexpr INT_PTR SE_ERR_ACCESSDENIED = 5;
constexpr INT_PTR SE_ERR_OOM = 8;
constexpr INT_PTR SE_ERR_NOASSOC = 31;

// The last error of a failed ShellExecuteEx that found nothing to open the file with.
constexpr DWORD ERROR_NO_ASSOCIATION = 1155;

// Opens a file: a program starts with lpParameters as its command line; a document, folder or
// address ("http://...", "mailto:...") opens through the desktop's opener. lpOperation null, "open"
// or "explore". Above 32 on success, else SE_ERR_FNF, SE_ERR_PNF, SE_ERR_ACCESSDENIED or
// SE_ERR_NOASSOC (no opener, or an operation other than opening).
HINSTANCE ShellExecute(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory, INT nShowCmd);

constexpr ULONG SEE_MASK_NOCLOSEPROCESS = 0x00000040;
constexpr ULONG SEE_MASK_FLAG_NO_UI = 0x00000400;

struct SHELLEXECUTEINFO {
    DWORD cbSize { sizeof(SHELLEXECUTEINFO) };
    ULONG fMask { 0 };
    HWND hwnd { nullptr };
    LPCSTR lpVerb { nullptr };
    LPCSTR lpFile { nullptr };
    LPCSTR lpParameters { nullptr };
    LPCSTR lpDirectory { nullptr };
    int nShow { 0 };
    HINSTANCE hInstApp { nullptr };
    void* lpIDList { nullptr };
    LPCSTR lpClass { nullptr };
    HKEY hkeyClass { nullptr };
    DWORD dwHotKey { 0 };
    HANDLE hIcon { nullptr };
    HANDLE hProcess { nullptr };
};
using LPSHELLEXECUTEINFO = SHELLEXECUTEINFO*;

// ShellExecute from a record: hInstApp gets its result; with SEE_MASK_NOCLOSEPROCESS, hProcess gets the
// started program's process handle (null when a document went to the opener). FALSE on failure.
BOOL ShellExecuteEx(LPSHELLEXECUTEINFO lpExecInfo);
