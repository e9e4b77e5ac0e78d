#pragma once
// The common dialogs: choosing a file to open or save, choosing where to print, and the reason the
// last of them failed.

#include "platform/base/WinTypes.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/gdi/Printing.h"
#include "platform/user/WinUser.h"

// The hook of a file dialog: sees the dialog's messages first (WM_INITDIALOG with the OPENFILENAME in
// lParam); a non-zero result means it handled them. A classic dialog gives the hook its own window;
// a caller's template that makes a whole dialog (not a child) is that dialog, its standard items
// filled and driven by it (see TemplateFileDialog.h), whether or not OFN_EXPLORER is set, and the hook
// gets its window. An Explorer-style dialog without a template gives it an empty child
// of the dialog's window, as that style does: the hook finds the dialog's items (the name field 1152,
// the file-type box 1136, OK and Cancel) on its parent, may add controls there and grow it (what it
// adds goes below the chooser's own area), and is told of OK with WM_NOTIFY CDN_FILEOK, the choice
// already in the record; a non-zero answer keeps the dialog open.
using LPOFNHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

struct OPENFILENAME {
    DWORD lStructSize { sizeof(OPENFILENAME) };
    HWND hwndOwner { nullptr };
    HINSTANCE hInstance { nullptr };
    // Pairs of description and patterns ("Music\0*.mp3;*.wma\0"), ended by an empty description.
    LPCSTR lpstrFilter { nullptr };
    LPSTR lpstrCustomFilter { nullptr };
    DWORD nMaxCustFilter { 0 };
    // The filter in use, from 1; 0 picks the first.
    DWORD nFilterIndex { 0 };
    // In: the initial name; out: the chosen path (or, multi-selected, the folder and then the names).
    LPSTR lpstrFile { nullptr };
    DWORD nMaxFile { 0 };
    // Out: the chosen file's name without its folder.
    LPSTR lpstrFileTitle { nullptr };
    DWORD nMaxFileTitle { 0 };
    LPCSTR lpstrInitialDir { nullptr };
    LPCSTR lpstrTitle { nullptr };
    DWORD Flags { 0 };
    // Out: where the name and its extension start in lpstrFile.
    WORD nFileOffset { 0 };
    WORD nFileExtension { 0 };
    // Added to a typed name that has no extension.
    LPCSTR lpstrDefExt { nullptr };
    LPARAM lCustData { 0 };
    LPOFNHOOKPROC lpfnHook { nullptr };
    LPCSTR lpTemplateName { nullptr };
};
using OPENFILENAMEA = OPENFILENAME;
using LPOPENFILENAME = OPENFILENAME*;

// The notifications an Explorer-style dialog sends its hook's window (WM_NOTIFY, lParam).
struct OFNOTIFY {
    NMHDR hdr;
    LPOPENFILENAME lpOFN { nullptr };
    LPSTR pszFile { nullptr };
};
using LPOFNOTIFY = OFNOTIFY*;
constexpr UINT CDN_FIRST = 0U - 601U;
constexpr UINT CDN_FILEOK = CDN_FIRST - 5U;

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_SHOWHELP = 0x00000010;
constexpr DWORD OFN_ENABLEHOOK = 0x00000020;
constexpr DWORD OFN_ENABLETEMPLATE = 0x00000040;
constexpr DWORD OFN_ENABLETEMPLATEHANDLE = 0x00000080;
constexpr DWORD OFN_NOVALIDATE = 0x00000100;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x00000400;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
constexpr DWORD OFN_SHAREAWARE = 0x00004000;
constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000;
constexpr DWORD OFN_NOTESTFILECREATE = 0x00010000;
constexpr DWORD OFN_NONETWORKBUTTON = 0x00020000;
constexpr DWORD OFN_NOLONGNAMES = 0x00040000;
constexpr DWORD OFN_EXPLORER = 0x00080000;
constexpr DWORD OFN_NODEREFERENCELINKS = 0x00100000;
constexpr DWORD OFN_LONGNAMES = 0x00200000;
constexpr DWORD OFN_ENABLESIZING = 0x00800000;

// Reasons of CommDlgExtendedError.
constexpr DWORD CDERR_DIALOGFAILURE = 0xFFFF;
constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
constexpr DWORD CDERR_INITIALIZATION = 0x0002;
constexpr DWORD CDERR_NOTEMPLATE = 0x0003;
constexpr DWORD CDERR_NOHINSTANCE = 0x0004;
constexpr DWORD CDERR_FINDRESFAILURE = 0x0006;
constexpr DWORD CDERR_MEMALLOCFAILURE = 0x0009;
constexpr DWORD CDERR_NOHOOK = 0x000B;
constexpr DWORD PDERR_NODEFAULTPRN = 0x1008;
constexpr DWORD FNERR_SUBCLASSFAILURE = 0x3001;
constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

// Lets the person choose an existing file (or files) to open. TRUE with the choice in the record;
// FALSE when cancelled (CommDlgExtendedError 0) or failed (its reason). A buffer too small for the
// choice gives FNERR_BUFFERTOOSMALL with the size needed in its first two bytes.
BOOL GetOpenFileName(LPOPENFILENAME lpofn);
// As GetOpenFileName, for a file to write (the default extension added, an existing file confirmed
// when OFN_OVERWRITEPROMPT asks for it).
BOOL GetSaveFileName(LPOPENFILENAME lpofn);
// Why the last common dialog of the thread failed; 0 after a success or a cancel.
DWORD CommDlgExtendedError();
// The name part of a path (after the last "\", "/" or ":"), copied into buf; 0 on success, the size
// needed when buf is too small, -1 for a bad path.
short GetFileTitle(LPCSTR lpszFile, LPSTR buf, WORD cchSize);

// Printing: where a printer is, and which one was chosen (offsets in bytes from the start).
struct DEVNAMES {
    WORD wDriverOffset;
    WORD wDeviceOffset;
    WORD wOutputOffset;
    WORD wDefault;
};
using LPDEVNAMES = DEVNAMES*;

struct PRINTDLG {
    DWORD lStructSize { sizeof(PRINTDLG) };
    HWND hwndOwner { nullptr };
    // Global memory holding a DEVMODE and a DEVNAMES; made when null, owned by the caller.
    HGLOBAL hDevMode { nullptr };
    HGLOBAL hDevNames { nullptr };
    HDC hDC { nullptr };
    DWORD Flags { 0 };
    WORD nFromPage { 0 };
    WORD nToPage { 0 };
    WORD nMinPage { 0 };
    WORD nMaxPage { 0 };
    WORD nCopies { 1 };
    HINSTANCE hInstance { nullptr };
    LPARAM lCustData { 0 };
    void* lpfnPrintHook { nullptr };
    void* lpfnSetupHook { nullptr };
    LPCSTR lpPrintTemplateName { nullptr };
    LPCSTR lpSetupTemplateName { nullptr };
    HGLOBAL hPrintTemplate { nullptr };
    HGLOBAL hSetupTemplate { nullptr };
};
using PRINTDLGA = PRINTDLG;
using LPPRINTDLG = PRINTDLG*;

constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_SELECTION = 0x00000001;
constexpr DWORD PD_PAGENUMS = 0x00000002;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_COLLATE = 0x00000010;
constexpr DWORD PD_PRINTTOFILE = 0x00000020;
constexpr DWORD PD_PRINTSETUP = 0x00000040;
constexpr DWORD PD_NOWARNING = 0x00000080;
constexpr DWORD PD_RETURNDC = 0x00000100;
constexpr DWORD PD_RETURNIC = 0x00000200;
constexpr DWORD PD_RETURNDEFAULT = 0x00000400;
constexpr DWORD PD_SHOWHELP = 0x00000800;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
constexpr DWORD PD_USEDEVMODECOPIESANDCOLLATE = 0x00040000;
constexpr DWORD PD_DISABLEPRINTTOFILE = 0x00080000;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;

// The one printer: it writes PDF documents to the file the print dialog chooses.
constexpr const char* kPdfPrinterName = "PDF";

// Chooses where to print: the PDF file to write, through a save dialog for "*.pdf" (with
// PD_RETURNDEFAULT no dialog: the defaults). Fills hDevMode and hDevNames (the file as the output)
// and, with PD_RETURNDC or PD_RETURNIC, a printer DC writing to that file. FALSE when cancelled
// (CommDlgExtendedError 0) or failed.
BOOL PrintDlg(LPPRINTDLG lppd);
