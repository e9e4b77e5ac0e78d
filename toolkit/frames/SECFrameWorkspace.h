#pragma once
// The workspace-manager plug-in of the toolkit's frames: how it is installed and how it sees the
// frame's commands first. Shared by the single- and the multiple-document frame, which derive from
// different class-library frames.

#include <memory>

#include "platform/afx/CCmdTarget.h"

class CRuntimeClass;
class CWnd;

namespace quorvale::foundation {
class SECWndPlugIn;
}

namespace SECFrameWorkspace {

using SECWndPlugIn = quorvale::foundation::SECWndPlugIn;

// Creates the plug-in of the class, initialised under HKEY_CURRENT_USER with the key when it is a
// workspace manager, and attaches it to the window; the slot keeps it. Null (and an empty slot when
// the class made a plug-in that would not attach) when it cannot be made or attached.
SECWndPlugIn* Install(CWnd& wnd, std::unique_ptr<SECWndPlugIn>& slot, LPCTSTR lpszKey, int nStorageMode,
    CRuntimeClass* pClass, BOOL bFlag);
// Offers the command to the plug-in; TRUE when it consumed it, with its result in bResult. The
// consumed flag is cleared for the next command.
BOOL RouteCommand(SECWndPlugIn* pPlugIn, UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo, BOOL& bResult);

} // namespace SECFrameWorkspace
