#pragma once
// The subclass record of one window handle that listeners have joined: the procedure the chain
// replaced (exactly one of the two is set) and the listeners in joining order.

#include <list>

#include "platform/user/WinUser.h"

namespace quorvale::foundation {

class SECWndListener;

struct SECListenerChain {
    DWORD m_dwSize { 16 };
    WNDPROC m_pfnSavedWndProc { nullptr };
    DLGPROC m_pfnSavedDlgProc { nullptr };
    // A list, so that a listener may leave while the chain walks past it.
    std::list<SECWndListener*> m_listeners;
};

} // namespace quorvale::foundation
