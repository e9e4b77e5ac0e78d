#pragma once
// The class library's own window messages (0x0360 on), the structures they carry and its fixed ids.

#include "platform/afx/AfxPrintIds.h"
#include "platform/user/WinUser.h"

constexpr UINT WM_QUERYAFXWNDPROC = 0x0360; // answers 1 from windows whose procedure is AfxWndProc
constexpr UINT WM_SIZEPARENT = 0x0361; // lParam AFX_SIZEPARENTPARAMS*: a bar takes its place in the parent
constexpr UINT WM_SETMESSAGESTRING = 0x0362; // wParam string id, or lParam the text itself: the status line
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363; // wParam TRUE: disable items without handlers
constexpr UINT WM_INITIALUPDATE = 0x0364; // sent to views when a frame shows its document first
constexpr UINT WM_COMMANDHELP = 0x0365; // lParam help context: F1 help for the active window
constexpr UINT WM_HELPHITTEST = 0x0366; // lParam the client point: the help context there
constexpr UINT WM_EXITHELPMODE = 0x0367; // posted to leave context-help mode
constexpr UINT WM_RECALCPARENT = 0x0368; // asks the parent frame to lay out again
constexpr UINT WM_SIZECHILD = 0x0369;
constexpr UINT WM_KICKIDLE = 0x036A; // posted to make the idle work run (never dispatched)
constexpr UINT WM_QUERYCENTERWND = 0x036B;
constexpr UINT WM_DISABLEMODAL = 0x036C;
constexpr UINT WM_FLOATSTATUS = 0x036D; // wParam FS_* flags: a floating frame follows its owner
constexpr UINT WM_ACTIVATETOPLEVEL = 0x036E;
constexpr UINT WM_POPMESSAGESTRING = 0x0375; // the status line shows what it showed before
constexpr UINT WM_HELPPROMPTADDR = 0x0376;
constexpr UINT WM_HELPMODE_NONE = 0;

// WM_FLOATSTATUS flags.
constexpr WPARAM FS_SHOW = 0x01;
constexpr WPARAM FS_HIDE = 0x02;
constexpr WPARAM FS_ACTIVATE = 0x04;
constexpr WPARAM FS_DEACTIVATE = 0x08;
constexpr WPARAM FS_ENABLE = 0x10;
constexpr WPARAM FS_DISABLE = 0x20;
constexpr WPARAM FS_SYNCACTIVE = 0x40;

// WM_SIZEPARENT: each bar takes its strip out of rect (or, when hDWP is null, only measures).
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP { nullptr }; // where bars defer their moves; null for a layout query
    RECT rect {}; // the part of the parent still free
    SIZE sizeTotal {}; // the bars' total size (filled in by a query)
    BOOL bStretch { FALSE }; // bars stretch to the free width or height
};

// Window ids of the class library.
constexpr UINT AFX_IDW_CONTROLBAR_FIRST = 0xE800;
constexpr UINT AFX_IDW_CONTROLBAR_LAST = 0xE8FF;
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
constexpr UINT AFX_IDW_PREVIEW_BAR = 0xE802;
constexpr UINT AFX_IDW_RESIZE_BAR = 0xE803;
constexpr UINT AFX_IDW_DOCKBAR_TOP = 0xE81B;
constexpr UINT AFX_IDW_DOCKBAR_LEFT = 0xE81C;
constexpr UINT AFX_IDW_DOCKBAR_RIGHT = 0xE81D;
constexpr UINT AFX_IDW_DOCKBAR_BOTTOM = 0xE81E;
constexpr UINT AFX_IDW_DOCKBAR_FLOAT = 0xE81F;
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
constexpr UINT AFX_IDW_PANE_LAST = 0xE9FF;
constexpr UINT AFX_IDW_HSCROLL_FIRST = 0xEA00;
constexpr UINT AFX_IDW_VSCROLL_FIRST = 0xEA10;
constexpr UINT AFX_IDW_SIZE_BOX = 0xEA20;
constexpr UINT AFX_IDW_PANE_SAVE = 0xEA21;

// String ids of the class library.
constexpr UINT AFX_IDS_IDLEMESSAGE = 0xE001;
constexpr UINT AFX_IDS_HELPMODEMESSAGE = 0xE002;
constexpr UINT AFX_IDS_APP_TITLE_EMBEDDING = 0xE003;
constexpr UINT AFX_IDS_UNTITLED = 0xE007;
constexpr UINT AFX_IDS_HIDE = 0xF011;

// Cursor ids of the class library.
constexpr UINT AFX_IDC_CONTEXTHELP = 30977;
constexpr UINT AFX_IDC_MAGNIFY = 30978;
constexpr UINT AFX_IDC_SMALLARROWS = 30979;
constexpr UINT AFX_IDC_HSPLITBAR = 30980;
constexpr UINT AFX_IDC_VSPLITBAR = 30981;
constexpr UINT AFX_IDC_NODROPCRSR = 30982;
constexpr UINT AFX_IDC_TRACKNWSE = 30983;
constexpr UINT AFX_IDC_TRACKNESW = 30984;
constexpr UINT AFX_IDC_TRACKNS = 30985;
constexpr UINT AFX_IDC_TRACKWE = 30986;
constexpr UINT AFX_IDC_TRACK4WAY = 30987;
constexpr UINT AFX_IDC_MOVE4WAY = 30988;

// Standard commands.
constexpr UINT ID_FILE_NEW = 0xE100;
constexpr UINT ID_FILE_OPEN = 0xE101;
constexpr UINT ID_FILE_CLOSE = 0xE102;
constexpr UINT ID_FILE_SAVE = 0xE103;
constexpr UINT ID_FILE_SAVE_AS = 0xE104;
constexpr UINT ID_FILE_PAGE_SETUP = 0xE105;
constexpr UINT ID_FILE_PRINT_SETUP = 0xE106;
constexpr UINT ID_FILE_PRINT = 0xE107;
constexpr UINT ID_FILE_PRINT_DIRECT = 0xE108;
constexpr UINT ID_FILE_PRINT_PREVIEW = 0xE109;
constexpr UINT ID_FILE_MRU_FILE1 = 0xE110;
constexpr UINT ID_FILE_MRU_FIRST = 0xE110;
constexpr UINT ID_FILE_MRU_LAST = 0xE11F;
constexpr UINT ID_NEXT_PANE = 0xE150;
constexpr UINT ID_PREV_PANE = 0xE151;
constexpr UINT ID_WINDOW_NEW = 0xE130;
constexpr UINT ID_WINDOW_ARRANGE = 0xE131;
constexpr UINT ID_WINDOW_CASCADE = 0xE132;
constexpr UINT ID_WINDOW_TILE_HORZ = 0xE133;
constexpr UINT ID_WINDOW_TILE_VERT = 0xE134;
constexpr UINT ID_APP_ABOUT = 0xE140;
constexpr UINT ID_APP_EXIT = 0xE141;
constexpr UINT ID_HELP_INDEX = 0xE142;
constexpr UINT ID_HELP_FINDER = 0xE143;
constexpr UINT ID_HELP_USING = 0xE144;
constexpr UINT ID_CONTEXT_HELP = 0xE145;
constexpr UINT ID_HELP = 0xE146;
constexpr UINT ID_DEFAULT_HELP = 0xE147;
constexpr UINT ID_VIEW_TOOLBAR = 0xE800;
constexpr UINT ID_VIEW_STATUS_BAR = 0xE801;
constexpr UINT ID_INDICATOR_CAPS = 0xE700;
constexpr UINT ID_INDICATOR_NUM = 0xE701;
constexpr UINT ID_INDICATOR_SCRL = 0xE702;
constexpr UINT ID_SEPARATOR = 0;
