#pragma once
// The styles of a status bar's panes and a toolbar's buttons as the bars built on CControlBar keep
// them. A pane's low word goes to the status control with its text (SB_SETTEXT), so the border bits are
// the control's own; the high bits stay with the bar.

#include "platform/afx/AfxTypes.h"
#include "platform/comctl/CommCtrl.h"

// Status-bar panes.
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = static_cast<UINT>(SBT_NOBORDERS);
constexpr UINT SBPS_POPOUT = static_cast<UINT>(SBT_POPOUT);
constexpr UINT SBPS_DISABLED = 0x04000000; // the pane shows no text
constexpr UINT SBPS_STRETCH = 0x08000000; // the pane shares the bar's spare width

// Toolbar buttons: the kind in the low word, the state above it.
constexpr UINT TBBS_BUTTON = 0x0000;
constexpr UINT TBBS_SEPARATOR = 0x0001;
constexpr UINT TBBS_CHECKBOX = 0x0002; // a click toggles TBBS_CHECKED
constexpr UINT TBBS_DROPDOWN = 0x0008; // a press asks for the drop-down instead of pressing
constexpr UINT TBBS_CHECKED = 0x00010000;
constexpr UINT TBBS_PRESSED = 0x00020000;
constexpr UINT TBBS_DISABLED = 0x00040000;
constexpr UINT TBBS_HIDDEN = 0x00080000; // takes no room and is not drawn
constexpr UINT TBBS_INDETERMINATE = 0x00100000;
constexpr UINT TBBS_WRAPPED = 0x00200000; // the row ends after this button
