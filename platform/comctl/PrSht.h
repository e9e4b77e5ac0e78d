#pragma once
// The property sheet vocabulary: the header and page descriptions a sheet and its pages carry, their
// flags, and the buttons a sheet can be asked to press.

#include "platform/comctl/CommCtrl.h"

// Sheet flags.
constexpr DWORD PSH_DEFAULT = 0x00000000;
constexpr DWORD PSH_PROPTITLE = 0x00000001;
constexpr DWORD PSH_USEHICON = 0x00000002;
constexpr DWORD PSH_WIZARD = 0x00000020;
constexpr DWORD PSH_NOAPPLYNOW = 0x00000080; // no Apply button
constexpr DWORD PSH_HASHELP = 0x00000200;    // a Help button

// Page flags.
constexpr DWORD PSP_DEFAULT = 0x00000000;
constexpr DWORD PSP_USETITLE = 0x00000008; // the tab shows pszTitle instead of the template's caption
constexpr DWORD PSP_HASHELP = 0x00000020;

struct PROPSHEETHEADER {
    DWORD dwSize { sizeof(PROPSHEETHEADER) };
    DWORD dwFlags { PSH_DEFAULT };
    HWND hwndParent { nullptr };
    HINSTANCE hInstance { nullptr };
    LPCSTR pszCaption { nullptr };
    UINT nPages { 0 };
    UINT nStartPage { 0 };
};

struct PROPSHEETPAGE {
    DWORD dwSize { sizeof(PROPSHEETPAGE) };
    DWORD dwFlags { PSP_DEFAULT };
    HINSTANCE hInstance { nullptr };
    LPCSTR pszTemplate { nullptr };
    LPCSTR pszTitle { nullptr };
    LPARAM lParam { 0 };
};

// PressButton's buttons.
constexpr int PSBTN_BACK = 0;
constexpr int PSBTN_NEXT = 1;
constexpr int PSBTN_FINISH = 2;
constexpr int PSBTN_OK = 3;
constexpr int PSBTN_APPLYNOW = 4;
constexpr int PSBTN_CANCEL = 5;
constexpr int PSBTN_HELP = 6;

// The Apply button's id.
constexpr int ID_APPLY_NOW = 0x3021;
