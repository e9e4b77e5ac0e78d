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
