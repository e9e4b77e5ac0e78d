#pragma once
// Dialogs: templates, modal and modeless dialogs, the default dialog procedure, keyboard navigation
// between controls, the helpers that read and write controls by id, and the owner-draw structures
// the controls share.

#include "platform/user/WinUser.h"

// ---- Templates ----------------------------------------------------------------------------------

// The header of a classic template (followed by menu, class, caption, font and the items).
#pragma pack(push, 2)
struct DLGTEMPLATE {
    DWORD style;
    DWORD dwExtendedStyle;
    WORD cdit;
    short x;
    short y;
    short cx;
    short cy;
};
// The header of a classic item (followed by class, text and creation data).
struct DLGITEMTEMPLATE {
    DWORD style;
    DWORD dwExtendedStyle;
    short x;
    short y;
    short cx;
    short cy;
    WORD id;
};
#pragma pack(pop)
using LPDLGTEMPLATE = DLGTEMPLATE*;
using LPCDLGTEMPLATE = const DLGTEMPLATE*;
using LPCDLGTEMPLATEA = LPCDLGTEMPLATE;

// Dialog styles.
constexpr DWORD DS_ABSALIGN = 0x0001;
constexpr DWORD DS_SYSMODAL = 0x0002;
constexpr DWORD DS_3DLOOK = 0x0004;
constexpr DWORD DS_FIXEDSYS = 0x0008;
constexpr DWORD DS_NOFAILCREATE = 0x0010;
constexpr DWORD DS_LOCALEDIT = 0x0020;
constexpr DWORD DS_SETFONT = 0x0040;
constexpr DWORD DS_MODALFRAME = 0x0080;
constexpr DWORD DS_NOIDLEMSG = 0x0100;
constexpr DWORD DS_SETFOREGROUND = 0x0200;
constexpr DWORD DS_CONTROL = 0x0400;
constexpr DWORD DS_CENTER = 0x0800;
constexpr DWORD DS_CENTERMOUSE = 0x1000;
constexpr DWORD DS_CONTEXTHELP = 0x2000;
constexpr DWORD DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;

// The class of dialogs made without a CLASS of their own.
inline const LPCSTR WC_DIALOG = "#32770";

// ---- Messages and codes -------------------------------------------------------------------------

constexpr UINT WM_COMPAREITEM = 0x0039;
constexpr UINT WM_VKEYTOITEM = 0x002E;
constexpr UINT WM_CHARTOITEM = 0x002F;
constexpr UINT WM_QUERYDRAGICON = 0x0037;

constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr UINT DM_REPOSITION = WM_USER + 2;
// HIWORD of a DM_GETDEFID answer that holds an id.
constexpr WORD DC_HASDEFID = 0x534B;

// WM_GETDLGCODE answers.
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
constexpr LRESULT DLGC_HASSETSEL = 0x0008;
constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;
constexpr LRESULT DLGC_STATIC = 0x0100;
constexpr LRESULT DLGC_BUTTON = 0x2000;

constexpr int IDCLOSE = 8;
constexpr int IDHELP = 9;
// The id of controls nobody addresses.
constexpr int IDC_STATIC = -1;

// ---- Owner-drawn controls -----------------------------------------------------------------------

constexpr UINT ODT_MENU = 1;
constexpr UINT ODT_LISTBOX = 2;
constexpr UINT ODT_COMBOBOX = 3;
constexpr UINT ODT_BUTTON = 4;
constexpr UINT ODT_STATIC = 5;
constexpr UINT ODA_DRAWENTIRE = 0x0001;
constexpr UINT ODA_SELECT = 0x0002;
constexpr UINT ODA_FOCUS = 0x0004;
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_GRAYED = 0x0002;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_CHECKED = 0x0008;
constexpr UINT ODS_FOCUS = 0x0010;
constexpr UINT ODS_DEFAULT = 0x0020;
constexpr UINT ODS_COMBOBOXEDIT = 0x1000;

struct DRAWITEMSTRUCT {
    UINT CtlType { 0 };
    UINT CtlID { 0 };
    UINT itemID { 0 };
    UINT itemAction { 0 };
    UINT itemState { 0 };
    HWND hwndItem { nullptr };
    HDC hDC { nullptr };
    RECT rcItem {};
    ULONG_PTR itemData { 0 };
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;

struct MEASUREITEMSTRUCT {
    UINT CtlType { 0 };
    UINT CtlID { 0 };
    UINT itemID { 0 };
    UINT itemWidth { 0 };
    UINT itemHeight { 0 };
    ULONG_PTR itemData { 0 };
};
using LPMEASUREITEMSTRUCT = MEASUREITEMSTRUCT*;

struct DELETEITEMSTRUCT {
    UINT CtlType { 0 };
    UINT CtlID { 0 };
    UINT itemID { 0 };
    HWND hwndItem { nullptr };
    ULONG_PTR itemData { 0 };
};
using LPDELETEITEMSTRUCT = DELETEITEMSTRUCT*;

struct COMPAREITEMSTRUCT {
    UINT CtlType { 0 };
    UINT CtlID { 0 };
    HWND hwndItem { nullptr };
    UINT itemID1 { 0 };
    ULONG_PTR itemData1 { 0 };
    UINT itemID2 { 0 };
    ULONG_PTR itemData2 { 0 };
    DWORD dwLocaleId { 0 };
};
using LPCOMPAREITEMSTRUCT = COMPAREITEMSTRUCT*;

// ---- Functions ----------------------------------------------------------------------------------

// Makes a modeless dialog from a template resource of hInstance: the controls are created, the
// dialog procedure gets WM_SETFONT and WM_INITDIALOG (dwInitParam in lParam), and the dialog is
// shown when its style has WS_VISIBLE. NULL when the template is missing or malformed or a control
// cannot be made (unless DS_NOFAILCREATE).
HWND CreateDialogParam(
    HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam);
inline HWND CreateDialogParamA(HINSTANCE i, LPCSTR t, HWND p, DLGPROC f, LPARAM l)
{
    return CreateDialogParam(i, t, p, f, l);
}
inline HWND CreateDialog(HINSTANCE i, LPCSTR t, HWND p, DLGPROC f) { return CreateDialogParam(i, t, p, f, 0); }
// As CreateDialogParam, from a template in memory (classic or extended form).
HWND CreateDialogIndirectParam(
    HINSTANCE hInstance, LPCDLGTEMPLATE lpTemplate, HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam);
inline HWND CreateDialogIndirectParamA(HINSTANCE i, LPCDLGTEMPLATE t, HWND p, DLGPROC f, LPARAM l)
{
    return CreateDialogIndirectParam(i, t, p, f, l);
}
inline HWND CreateDialogIndirect(HINSTANCE i, LPCDLGTEMPLATE t, HWND p, DLGPROC f)
{
    return CreateDialogIndirectParam(i, t, p, f, 0);
}
// Runs a modal dialog: the owner's top-level window is disabled, messages are served (through
// IsDialogMessage) until EndDialog, then the owner is enabled again and the dialog destroyed. The
// value given to EndDialog; -1 when the dialog cannot be made. A WM_QUIT ends the loop (with 0) and
// is posted again for the outer loop.
INT_PTR DialogBoxParam(
    HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam);
inline INT_PTR DialogBoxParamA(HINSTANCE i, LPCSTR t, HWND p, DLGPROC f, LPARAM l)
{
    return DialogBoxParam(i, t, p, f, l);
}
inline INT_PTR DialogBox(HINSTANCE i, LPCSTR t, HWND p, DLGPROC f) { return DialogBoxParam(i, t, p, f, 0); }
// As DialogBoxParam, from a template in memory.
INT_PTR DialogBoxIndirectParam(
    HINSTANCE hInstance, LPCDLGTEMPLATE hDialogTemplate, HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam);
inline INT_PTR DialogBoxIndirectParamA(HINSTANCE i, LPCDLGTEMPLATE t, HWND p, DLGPROC f, LPARAM l)
{
    return DialogBoxIndirectParam(i, t, p, f, l);
}
inline INT_PTR DialogBoxIndirect(HINSTANCE i, LPCDLGTEMPLATE t, HWND p, DLGPROC f)
{
    return DialogBoxIndirectParam(i, t, p, f, 0);
}
// Ends a modal dialog with nResult once its procedure returns (the dialog is hidden at once); a
// modeless dialog is only hidden. FALSE for a window that is no dialog.
BOOL EndDialog(HWND hDlg, INT_PTR nResult);
// The default handling of a dialog's messages: calls the dialog procedure (DWLP_DLGPROC) and, when
// it returns FALSE, does the dialog's own work (default button, focus, WM_CLOSE as IDCANCEL, colours).
// A procedure that returns TRUE answers with DWLP_MSGRESULT.
LRESULT DefDlgProc(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam);
inline LRESULT DefDlgProcA(HWND h, UINT m, WPARAM w, LPARAM l) { return DefDlgProc(h, m, w, l); }
// Handles a message for a dialog's keyboard interface (Tab and Shift+Tab, arrows in a group,
// mnemonics, Enter and Escape) or dispatches it; FALSE when the message is not for hDlg or its
// descendants (the caller then dispatches it).
BOOL IsDialogMessage(HWND hDlg, LPMSG lpMsg);
inline BOOL IsDialogMessageA(HWND h, LPMSG m) { return IsDialogMessage(h, m); }
// The next (or previous) control with WS_TABSTOP after hCtl, wrapping around; hCtl when there is none.
HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious);
// The next (or previous) control of hCtl's group (WS_GROUP starts one), wrapping around.
HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious);
// Converts a rectangle from dialog units to pixels for the dialog's font.
BOOL MapDialogRect(HWND hDlg, LPRECT lpRect);
// The dialog base units of the standard dialog font: MAKELONG(6, 13).
LONG GetDialogBaseUnits();

// Sends a message to a control of a dialog; 0 when there is no such control.
LRESULT SendDlgItemMessage(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam);
inline LRESULT SendDlgItemMessageA(HWND h, int id, UINT m, WPARAM w, LPARAM l)
{
    return SendDlgItemMessage(h, id, m, w, l);
}
// Sets a control's text.
BOOL SetDlgItemText(HWND hDlg, int nIDDlgItem, LPCSTR lpString);
inline BOOL SetDlgItemTextA(HWND h, int id, LPCSTR s) { return SetDlgItemText(h, id, s); }
// Copies a control's text; the bytes copied (0 when there is no such control).
UINT GetDlgItemText(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax);
inline UINT GetDlgItemTextA(HWND h, int id, LPSTR s, int n) { return GetDlgItemText(h, id, s, n); }
// Sets a control's text to a number (signed or unsigned).
BOOL SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned);
// Reads a control's text as a number (spaces around it allowed); *lpTranslated is FALSE and the
// result 0 when the text is no number or does not fit.
UINT GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned);
// Sets a button's check state (BST_*).
BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck);
// A button's check state.
UINT IsDlgButtonChecked(HWND hDlg, int nIDButton);
// Checks nIDCheckButton and clears the other buttons with ids from nIDFirstButton to nIDLastButton.
BOOL CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton);

namespace platform::user {

// The font a dialog template names (height from the point size at 96 dots per inch); the standard
// dialog font when face is empty. The caller owns it.
HFONT CreateDialogFont(const char* face, int pointSize, int weight, bool italic, BYTE charset);
// The dialog base units of a font: the average width of the Latin letters and the text height.
SIZE DialogBaseUnitsOf(HFONT font);

} // namespace platform::user
