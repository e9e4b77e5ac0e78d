#pragma once
// Helpers for controls that add windows of their own to a dialog or move its focus.

#include "platform/afx/CWnd.h"

// The highest control id from 32767 down that no child of pParent uses; 1 when every one is taken.
UINT SECFindFreeControlID(const CWnd& parent);
// Moves the focus to the tab item after (bPrevious: before) pControl in its parent, selecting all the
// text of that item when it takes a selection (an edit).
void SECFocusNextTabItem(const CWnd& control, BOOL bPrevious);
