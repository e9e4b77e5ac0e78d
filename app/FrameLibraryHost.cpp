#include "app/FrameLibraryHost.h"

#include "app/CMainFrame.h"
#include "app/CMainTreeCtrl.h"
#include "app/TreeNodeKind.h"
#include "app/TuneStewardIds.h"
#include "app/WindowHelpers.h"
#include "library/MusicImportStrings.h"
#include "platform/afx/AfxMessageBox.h"
#include "platform/afx/AfxPriv.h"
#include "platform/user/WinDialogs.h"

namespace {


HTREEITEM ChildWith(CMainTreeCtrl& tree, HTREEITEM parent, int kind, long recordId, LPCTSTR text)
{
    for (HTREEITEM item = tree.GetChildItem(parent); item != nullptr; item = tree.GetNextSiblingItem(item)) {
        if (tree.GetNodeKind(item) != kind)
            continue;
        if (text ? tree.GetItemText(item, 0) == text : tree.GetNodeRecordId(item) == recordId)
            return item;
    }
    return nullptr;
}

} // namespace

bool FrameLibraryHost::YesToAll() const { return m_frame.m_bYesToAll != FALSE; }

void FrameLibraryHost::SetYesToAll(bool yesToAll) { m_frame.m_bYesToAll = yesToAll ? TRUE : FALSE; }

void FrameLibraryHost::SetSyncRunning(bool running) { m_frame.m_bSyncRunning = running ? TRUE : FALSE; }

int FrameLibraryHost::AskOverwrite(LPCTSTR fileName) { return m_frame.AskOverwrite(fileName); }

void FrameLibraryHost::SetStatusText(LPCTSTR text)
{
    if (!m_frame.m_hWnd)
        return;
    if (text)
        m_frame.SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(text));
    else
        m_frame.SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
}

void FrameLibraryHost::PumpMessages() { ::PumpMessages(); }

void FrameLibraryHost::BeginWaitCursor() { m_frame.BeginWaitCursor(); }

void FrameLibraryHost::RestoreWaitCursor() { m_frame.RestoreWaitCursor(); }

void FrameLibraryHost::EndWaitCursor() { m_frame.EndWaitCursor(); }

CString FrameLibraryHost::MakeUniqueAlbumName(LPCTSTR baseName)
{
    CMainTreeCtrl* tree = m_frame.GetLibraryTree();
    if (!tree || !tree->m_hAlbums)
        return baseName;
    return tree->MakeUniqueChildName(IDS_NEW_ALBUM, tree->m_hAlbums);
}

void FrameLibraryHost::AddAlbumToTree(long albumId, LPCTSTR title, LPCTSTR artist, long genreId)
{
    CMainTreeCtrl* tree = m_frame.GetLibraryTree();
    if (!tree)
        return;
    if (tree->m_hAlbums && !ChildWith(*tree, tree->m_hAlbums, kindAlbum, albumId, nullptr))
        tree->InsertNode(title, tree->m_hAlbums, TVI_LAST, kindAlbum, static_cast<int>(albumId));
    if (tree->m_hArtists && !ChildWith(*tree, tree->m_hArtists, kindArtist, 0, artist))
        tree->InsertNode(artist, tree->m_hArtists, TVI_LAST, kindArtist, 0);
    tree->AddAlbumToGenreGroup(genreId, albumId, title);
}

void FrameLibraryHost::RefreshPlaylists()
{
    if (CMainTreeCtrl* tree = m_frame.GetLibraryTree())
        tree->RefreshCategory(kindPlaylists);
}

void FrameLibraryHost::RefreshTree()
{
    if (CMainTreeCtrl* tree = m_frame.GetLibraryTree())
        tree->RecalcLayout();
}

void FrameLibraryHost::RequeryView() { m_frame.RequeryView(); }

void FrameLibraryHost::BeginProgress()
{
    if (m_frame.m_hWnd)
        m_frame.SendMessage(WM_PROGRESS_SHOW);
}

void FrameLibraryHost::SetProgress(int percent)
{
    if (m_frame.m_hWnd)
        m_frame.SendMessage(WM_PROGRESS_SETPOS, static_cast<WPARAM>(percent));
}

void FrameLibraryHost::EndProgress()
{
    if (m_frame.m_hWnd)
        m_frame.SendMessage(WM_PROGRESS_RESET);
}

bool FrameLibraryHost::RaiseMatchWindow()
{
    HWND match = ::FindWindow(WC_DIALOG, "Match");
    if (!match)
        return false;
    ::BringWindowToTop(match);
    return true;
}

bool FrameLibraryHost::AskDeleteEmptyAlbum(LPCTSTR albumTitle)
{
    CString question;
    question.Format(CString(MAKEINTRESOURCE(IDS_ALBUM_NOW_EMPTY)), albumTitle);
    return AfxMessageBox(question, MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

void FrameLibraryHost::DeleteAlbum(long albumId) { m_frame.DeleteAlbum(albumId); }

bool FrameLibraryHost::ConfirmDelete(CPelicanApp::ConfirmKind kind, LPCTSTR name, bool& dontAskAgain)
{
    const bool station = kind == CPelicanApp::ConfirmIRStation;
    return m_frame.ConfirmDelete(station ? IDS_CONFIRM_DELETE_STATION : IDS_CONFIRM_DELETE_TRACK,
        station ? IDS_CONFIRM_DELETE_STATION_TEXT : IDS_CONFIRM_DELETE_TRACK_TEXT, name, dontAskAgain);
}
