#pragma once
// The thread's tooltip for the class library's windows: which window's tool the pointer is on, so
// that a message going to another window still lets that tool (and its fly-by prompt) go.

#include "platform/user/WinUser.h"

// Called before a message is pre-translated: a mouse or key message outside the window whose tool
// the pointer was on goes to that window's FilterToolTipMessage, which hides the tip.
void AfxLeaveToolTip(MSG* pMsg);
