#pragma once
// The fixed numbers of the toolkit's frames and bars that other parts of the program refer to.

#include "platform/base/WinTypes.h"

// Control-bar context menu commands.
constexpr UINT ID_SEC_ALLOWDOCKING = 43040;
constexpr UINT ID_SEC_HIDE = 43041;
constexpr UINT ID_SEC_MDIFLOAT = 43042;

// The status prompt while a bar is dragged.
constexpr UINT IDS_SEC_PREVENT_DOCKING = 20535;

// Tooltip texts of the gripper buttons.
constexpr UINT IDS_SEC_HIDE_DOCKED = 20655;
constexpr UINT IDS_SEC_EXPAND_DOCKED = 20657;
constexpr UINT IDS_SEC_CONTRACT_DOCKED = 20658;

// Sent to the dock site before a bar's context menu opens: wParam the bar, lParam the menu.
constexpr UINT WM_SEC_BAR_CONTEXTMENU = 0x38FF;

// Tool ids of the gripper buttons.
constexpr UINT SEC_TOOLID_CLOSE = 1024;
constexpr UINT SEC_TOOLID_EXPAND = 2048;

// The extended system commands (wParam & 0xFFF0 of the registered "Quorvale::WM_SYSCOMMANDEX"): change
// to the record's state, fill the record with the context menu, show the menu and change to the choice.
constexpr UINT SCX_CHANGESTATE = 0xC000;
constexpr UINT SCX_GETMENU = 0xC010;
constexpr UINT SCX_MENUREQUEST = 0xC020;

// Ids of the frames' message filters below their root filter.
constexpr int SEC_FILTER_CAPTIONCONTROLS = 256;
constexpr int SEC_FILTER_SYSCOMMANDEX = 257;
constexpr int SEC_FILTER_SCXBUTTON = 258;
constexpr int SEC_FILTER_SCXRDBLCLK = 259;
constexpr int SEC_FILTER_SCXCONTEXTMENU = 262;

// The timer of a caption control's held press and its delay for the docking-state button.
constexpr UINT_PTR SEC_CAPTIONCONTROL_TIMER = 1;
constexpr int SEC_SCXBUTTON_HOLD_MS = 400;

// The docking-state context menu.
constexpr UINT IDS_SCX_DOCKED = 21009;
constexpr UINT IDS_SCX_FLOATING = 21076;
constexpr UINT IDS_SCX_MDICHILD = 21077;
constexpr UINT IDS_SCX_TOP = 21078;
constexpr UINT IDS_SCX_LEFT = 21079;
constexpr UINT IDS_SCX_BOTTOM = 21080;
constexpr UINT IDS_SCX_RIGHT = 21081;
constexpr UINT IDS_SCX_DOCKEDTO = 21082;
constexpr UINT IDS_SCX_MINIMIZED = 21083;
constexpr UINT IDS_SCX_MAXIMIZED = 21084;
constexpr UINT IDS_SCX_RESTORED = 21085;
constexpr UINT IDS_SCX_MDICHILDAS = 21086;
