// The dialogs the main frame's commands and the library's edits ask through, and the library tree's
// part in them.
#include "app/CMainFrame.h"

#include "app/CMainTreeCtrl.h"

bool CMainFrame::ChooseRecord(UINT, LPCTSTR, long&, CString*, const long*) { return false; }

bool CMainFrame::AskNewName(UINT, UINT, CString&) { return false; }

bool CMainFrame::AskRename(UINT, UINT, LPCTSTR, CString&) { return false; }

bool CMainFrame::ConfirmDelete(UINT, UINT, LPCTSTR, bool&) { return false; }

void CMainFrame::DeleteAlbum(long) { }

bool CMainFrame::RenameSelectedAlbum(LPCTSTR) { return false; }

bool CMainFrame::RenameSelectedPlaylist(LPCTSTR) { return false; }

bool CMainFrame::RemoveFromSelectedGroup(HTREEITEM) { return false; }
