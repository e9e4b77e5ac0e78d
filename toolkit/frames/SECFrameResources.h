#pragma once
// The resources a toolkit frame loads by its resource id: its title (the first line of the string),
// its menu and its accelerators; none of them need exist.

#include <functional>

#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CString.h"
#include "platform/user/WinUser.h"

namespace SECFrameResources {

// The first newline-separated part of the string; empty (and FALSE) without the string.
BOOL LoadTitle(UINT nID, CString& strTitle);
// Null when there is no such menu.
HMENU LoadMenuOf(UINT nID);
// Null when there is no such table.
HACCEL LoadAcceleratorsOf(UINT nID);

// The loading both toolkit frames share around the creation of the window, which `create` does: the
// help id, the title, the default menu (without a menu bar), then the window's menu as the default,
// with a menu bar the menu kept in hMenuStored (and `menusLoaded`, when given), the accelerators, and
// without a creation context the first update of the views.
BOOL LoadFrame(CFrameWnd& frame, UINT nIDResource, BOOL bHasMenuBar, HMENU& hMenuStored, CCreateContext* pContext,
    const std::function<BOOL()>& create, const std::function<void()>& menusLoaded = {});

} // namespace SECFrameResources
