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

// The frames' message-map entries of the workspace commands: the plug-in carries them out, so the
// frame's own handlers do nothing, and the recent-workspace range answers TRUE.
#define SEC_ON_WORKSPACE_COMMANDS() \
    ON_COMMAND(ID_WORKSPACE_NEW, OnWorkspaceCommand) \
    ON_COMMAND(ID_WORKSPACE_OPEN, OnWorkspaceCommand) \
    ON_COMMAND(ID_WORKSPACE_SAVE, OnWorkspaceCommand) \
    ON_COMMAND(ID_WORKSPACE_CLOSE, OnWorkspaceCommand) \
    ON_COMMAND(ID_WORKSPACE_SAVESEL, OnWorkspaceCommand) \
    ON_COMMAND(ID_WORKSPACE_DELETE, OnWorkspaceCommand) \
    ON_UPDATE_COMMAND_UI(ID_WORKSPACE_NEW, OnUpdateWorkspaceCommand) \
    ON_UPDATE_COMMAND_UI(ID_WORKSPACE_OPEN, OnUpdateWorkspaceCommand) \
    ON_UPDATE_COMMAND_UI(ID_WORKSPACE_SAVE, OnUpdateWorkspaceCommand) \
    ON_UPDATE_COMMAND_UI(ID_WORKSPACE_CLOSE, OnUpdateWorkspaceCommand) \
    ON_UPDATE_COMMAND_UI(ID_WORKSPACE_SAVESEL, OnUpdateWorkspaceCommand) \
    ON_UPDATE_COMMAND_UI(ID_WORKSPACE_DELETE, OnUpdateWorkspaceCommand) \
    ON_COMMAND_EX_RANGE(ID_WORKSPACE_MRU_FIRST, ID_WORKSPACE_MANAGER, OnWorkspaceRange) \
    ON_UPDATE_COMMAND_UI(ID_WORKSPACE_MRU_FIRST, OnUpdateWorkspaceCommand)

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
