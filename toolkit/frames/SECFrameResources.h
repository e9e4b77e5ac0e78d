#pragma once
// The resources a toolkit frame loads by its resource id: its title (the first line of the string),
// its menu and its accelerators; none of them need exist.

#include "platform/afx/CString.h"
#include "platform/user/WinUser.h"

namespace SECFrameResources {

// The first newline-separated part of the string; empty (and FALSE) without the string.
BOOL LoadTitle(UINT nID, CString& strTitle);
// Null when there is no such menu.
HMENU LoadMenuOf(UINT nID);
// Null when there is no such table.
HACCEL LoadAcceleratorsOf(UINT nID);

} // namespace SECFrameResources
