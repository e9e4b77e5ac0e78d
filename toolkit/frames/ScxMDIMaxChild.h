#pragma once
// The MDI frame's filters act for its active child while that child is maximised and keeps the
// corresponding filter of its own switched on.

#include "platform/user/WinUser.h"

class CWnd;

namespace nsSysCommandEx {

// The maximised active child of pMDIFrame whose filter nFilterID (anywhere below its root) is
// enabled; null otherwise.
CWnd* GetMaximizedChildWithFilter(CWnd* pMDIFrame, int nFilterID);

} // namespace nsSysCommandEx
