// The main frame's commands: the handlers of the main menu and of the list's context menus, the rule
// that enables each, and the commands that hand over to the library tree.
#include "app/CMainFrame.h"

#include "app/AccountPages.h"
#include "app/CMainTreeCtrl.h"
#include "app/CPelicanApp.h"
#include "app/CPelicanView.h"
#include "app/CRadioStationInfoDlg.h"
#include "app/CSyncMessage.h"
#include "app/PreferencePages.h"
#include "app/TreeNodeKind.h"
#include "app/TuneStewardIds.h"
#include "library/AppRoutines.h"
#include "library/GroupEdits.h"
#include "library/PlaylistEdits.h"
#include "library/TagWriting.h"
#include "platform/afx/CCmdUI.h"
#include "platform/base/HandleTable.h"
#include "platform/shell/Process.h"

namespace {

// The customer every playlist of the library belongs to.
constexpr long kCustomerId = 1;

// The child of the parent with that kind and record id; null when there is none.
HTREEITEM ChildNode(CMainTreeCtrl& tree, HTREEITEM parent, int kind, long recordId)
{
    if (!parent)
        return nullptr;
    for (HTREEITEM item = tree.GetChildItem(parent); item != nullptr; item = tree.GetNextSiblingItem(item))
        if (tree.GetNodeKind(item) == kind && tree.GetNodeRecordId(item) == recordId)
            return item;
    return nullptr;
}

// Shows a member under its group's node, expanded, unless it is there already.
void ShowMemberInGroup(CMainTreeCtrl* tree, long groupId, int memberKind, long memberId, LPCTSTR label)
{
    if (!tree)
        return;
    HTREEITEM group = ChildNode(*tree, tree->m_hGroups, kindMusicGroup, groupId);
    if (!group)
        return;
    tree->Expand(group, TVE_EXPAND);
    if (!ChildNode(*tree, group, memberKind, memberId))
        tree->InsertNode(label, group, TVI_SORT, memberKind, static_cast<int>(memberId));
}

} // namespace

CommandState CMainFrame::GetCommandState(UINT id)
{
    CommandState state;
    const CPelicanApp* app = GetPelicanApp();
    state.open = IsLibraryOpen();
    state.splashShowing = app && app->m_bSplashUp;
    state.busy = app && app->m_bBusy;
    state.rows = m_viewRecordset.HasRecordset() && !m_viewRecordset.IsEOF();
    state.kind = m_nSelectedKind;
    state.selection = GetSelectionKind();
    if (const CPelicanView* list = GetListView()) {
        state.notEmpty = !list->IsEmpty();
        state.tagCount = list->GetTagCount();
        state.tagsOn = list->AreTagsOn();
    }
    // A record set at its end has no current row to read.
    state.playableRow = state.rows && !IsCurrentRowCD() && !IsCurrentRowHidden();
    if (CMainTreeCtrl* tree = m_pLibraryTree) {
        state.playlistsExist = tree->m_hPlaylists && tree->ItemHasChildren(tree->m_hPlaylists);
        state.musicGroupsExist = tree->m_hGroups && tree->ItemHasChildren(tree->m_hGroups);
        state.radioGroupsExist = tree->m_hRadioGroups && tree->ItemHasChildren(tree->m_hRadioGroups);
        HTREEITEM selected = tree->GetSelectedItem();
        state.inGroup = selected && tree->FindGroupAncestor(selected) != nullptr;
    }
    // The file test touches the disk: only for the command that needs it, and only when the rest holds.
    if (id == ID_TRACK_UPDATE_MP3_TAGS && state.rows && !state.busy && state.playlistsExist
        && state.selection == selectionTracks) {
        CString path;
        const long track = GetCurrentAlbumTrackId();
        state.trackFileWritable = track != -1 && WritableTrackFile(track, path);
    }
    return state;
}

void CMainFrame::OnUpdateRuledCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CommandEnabled(pCmdUI->m_nID, GetCommandState(pCmdUI->m_nID)).value_or(true));
}

BOOL CMainFrame::OnTreeCommand(UINT nId)
{
    if (!m_pLibraryTree || !m_pLibraryTree->m_hWnd)
        return FALSE;
    // The tree's own menus carry these commands under ids of their own.
    UINT treeId = 0;
    switch (nId) {
    case ID_MEDIA_DELETE_ALBUM:
        m_pLibraryTree->OnAlbumDelete();
        return TRUE;
    case ID_ALBUM_DELETE_TAGGED:
        m_pLibraryTree->OnAlbumDeleteTagged();
        return TRUE;
    case ID_MEDIA_DELETE_ARTIST:
        treeId = ID_TREE_ARTIST_DELETE;
        break;
    case ID_PLAYLIST_DELETE:
        treeId = ID_TREE_PLAYLIST_DELETE;
        break;
    case ID_MUSICGROUP_DELETE:
        treeId = ID_TREE_MUSIC_GROUP_DELETE;
        break;
    case ID_RADIOGROUP_DELETE:
        treeId = ID_TREE_RADIO_GROUP_DELETE;
        break;
    case ID_MUSICGROUP_REMOVE_ALBUM:
    case ID_MUSICGROUP_REMOVE_PLAYLIST:
        // Not through the tree's own commands: those come back here, and would again.
        m_pLibraryTree->RemoveFromGroup();
        return TRUE;
    default:
        return FALSE;
    }
    m_pLibraryTree->SendMessage(WM_COMMAND, treeId, 0);
    return TRUE;
}

void CMainFrame::OnFileCloseLibrary()
{
    if (!CloseLibrary())
        return;
    if (CPelicanView* list = GetListView())
        list->SetTagsOn(false);
    // Refilled as every list is, so the detail sheet follows to its empty page instead of keeping the
    // closed library's last row editable.
    UpdateListView();
    if (m_pLibraryTree)
        m_pLibraryTree->DeleteAllNodes();
    if (m_wndDockingTabs.m_hWnd)
        m_wndDockingTabs.EnableSearchTab(FALSE);
}

void CMainFrame::OnMediaChangeAlbum()
{
    long album = 0;
    if (ChooseRecord(IDS_SELECT_NEW_ALBUM, "qAlbumTitleList", album))
        ChangeSelectedTrackAlbum(album);
}

void CMainFrame::OnMediaDeleteTrack() { DeleteSelectedTracks(); }

void CMainFrame::OnMediaAddStationToLibrary()
{
    CRadioStationInfoDlg dialog(this);
    dialog.DoModal();
    if (dialog.m_bAdded && m_pLibraryTree)
        m_pLibraryTree->RefreshRadioGroups();
}

void CMainFrame::OnMediaDeleteStation() { DeleteSelectedStations(); }

void CMainFrame::OnMediaRenameAlbum()
{
    CString name;
    if (AskRename(IDS_RENAME_ALBUM_CAPTION, IDS_RENAME_ALBUM_LABEL, m_selectedNode.text, name) && RenameSelectedAlbum(name))
        RequeryView();
}

void CMainFrame::OnMediaRenameArtist()
{
    CString name;
    const CString old = m_selectedNode.text;
    if (!AskRename(IDS_RENAME_ARTIST_CAPTION, IDS_RENAME_ARTIST_LABEL, old, name) || !RenameArtist(old, name))
        return;
    if (m_pLibraryTree)
        m_pLibraryTree->RefreshCategory(kindArtists);
    RequeryView();
}

void CMainFrame::OnPlaylistNew()
{
    AddNamedNode(IDS_CREATE_PLAYLIST_CAPTION, IDS_CREATE_PLAYLIST_LABEL, AddPlaylist,
        m_pLibraryTree ? m_pLibraryTree->m_hPlaylists : nullptr, kindPlaylist);
}

void CMainFrame::AddNamedNode(UINT captionId, UINT labelId, bool (*add)(LPCTSTR, long*, bool*), HTREEITEM branch, int kind)
{
    CString name;
    long id = 0;
    bool existed = false;
    if (!AskNewName(captionId, labelId, name) || !add(name, &id, &existed))
        return;
    if (existed || !m_pLibraryTree || !branch)
        return;
    m_pLibraryTree->Expand(branch, TVE_EXPAND);
    m_pLibraryTree->InsertNode(name, branch, TVI_SORT, kind, static_cast<int>(id));
}

void CMainFrame::RenameSelectedGroup(bool (*rename)(LPCTSTR, LPCTSTR))
{
    CString name;
    const CString old = m_selectedNode.text;
    if (!AskRename(IDS_RENAME_GROUP_CAPTION, IDS_RENAME_GROUP_LABEL, old, name) || !rename(old, name))
        return;
    if (m_pLibraryTree)
        m_pLibraryTree->RefreshSelectedNode();
    RequeryView();
}
void CMainFrame::OnPlaylistRename()
{
    CString name;
    if (AskRename(IDS_RENAME_PLAYLIST_CAPTION, IDS_RENAME_PLAYLIST_LABEL, m_selectedNode.text, name)
        && RenameSelectedPlaylist(name))
        RequeryView();
}

void CMainFrame::OnPlaylistAddTrack()
{
    long playlist = 0;
    if (ChooseRecord(IDS_SELECT_PLAYLIST, "qPlaylistsForCustomer", playlist, nullptr, &kCustomerId))
        AddSelectedTrackToPlaylist(playlist);
}

void CMainFrame::OnPlaylistAddTaggedTracks()
{
    long playlist = 0;
    if (!ChooseRecord(IDS_SELECT_PLAYLIST, "qPlaylistsForCustomer", playlist, nullptr, &kCustomerId))
        return;
    for (long track = GetFirstTaggedId("AlbumTrackID"); track != -1; track = GetNextTaggedId("AlbumTrackID"))
        AddTrackToPlaylist(playlist, track);
    OnTagsClearAll();
}

void CMainFrame::OnPlaylistRemoveTrack() { DeleteFromCurrentPlaylist(); }

void CMainFrame::OnPlaylistMoveUp() { MoveSelectedTrack(true); }

void CMainFrame::OnPlaylistMoveDown() { MoveSelectedTrack(false); }

void CMainFrame::OnMusicGroupNew()
{
    AddNamedNode(IDS_CREATE_GROUP_CAPTION, IDS_CREATE_GROUP_LABEL, AddGroup,
        m_pLibraryTree ? m_pLibraryTree->m_hGroups : nullptr, kindMusicGroup);
}
void CMainFrame::OnMusicGroupRename() { RenameSelectedGroup(RenameGroup); }
void CMainFrame::OnMusicGroupAddAlbum()
{
    long group = 0;
    const long album = GetSelectedRecordId();
    if (ChooseRecord(IDS_SELECT_GROUP, "qGroupsList", group) && AddToGroup(group, 0, album, 0))
        ShowMemberInGroup(m_pLibraryTree, group, m_nSelectedKind, album, m_selectedNode.text);
}

void CMainFrame::OnMusicGroupAddPlaylist()
{
    long group = 0;
    const long playlist = GetSelectedRecordId();
    if (ChooseRecord(IDS_SELECT_GROUP, "qGroupsList", group) && AddToGroup(group, playlist, 0, 0))
        ShowMemberInGroup(m_pLibraryTree, group, kindPlaylist, playlist, m_selectedNode.text);
}

void CMainFrame::OnRadioGroupNew()
{
    AddNamedNode(IDS_CREATE_GROUP_CAPTION, IDS_CREATE_GROUP_LABEL, AddRadioGroup,
        m_pLibraryTree ? m_pLibraryTree->m_hRadioGroups : nullptr, kindRadioGroup);
}
void CMainFrame::OnRadioGroupRename() { RenameSelectedGroup(RenameRadioGroup); }
void CMainFrame::OnRadioGroupAddStation()
{
    long group = 0;
    if (!ChooseRecord(IDS_SELECT_GROUP, "qIRadioGroupList", group))
        return;
    const long station = StationIdOfRow();
    if (station != -1)
        AddStationToRadioGroup(group, station);
}

void CMainFrame::OnRadioGroupRemoveStation() { RemoveStationsFromCurrentGroup(); }

void CMainFrame::OnToolsAccountManagement() { ShowAccountManagement(this); }

void CMainFrame::OnToolsPreferences() { ShowPreferences(this); }

void CMainFrame::OnAlbumAddTaggedToGroup()
{
    long group = 0;
    if (ChooseRecord(IDS_SELECT_GROUP, "qGroupsList", group)) {
        for (long album = GetFirstTaggedId("QVCDID"); album != -1; album = GetNextTaggedId("QVCDID")) {
            if (!AddToGroup(group, 0, album, 0) || !m_pLibraryTree)
                continue;
            // The album's label is its node's under Albums.
            HTREEITEM node = ChildNode(*m_pLibraryTree, m_pLibraryTree->m_hAlbums, kindAlbum, album);
            if (node)
                ShowMemberInGroup(m_pLibraryTree, group, kindAlbum, album, m_pLibraryTree->GetItemText(node, 0));
        }
    }
    OnTagsClearAll();
}

void CMainFrame::OnAlbumMoveTaggedToGroup()
{
    long group = 0;
    CString groupName;
    // Moving onto the group the albums are in would take them out of it.
    if (!ChooseRecord(IDS_SELECT_GROUP, "qGroupsList", group, &groupName)
        || groupName.CompareNoCase(m_selectedNode.text) == 0) {
        OnTagsClearAll();
        return;
    }
    HTREEITEM source = m_pLibraryTree ? m_pLibraryTree->GetSelectedItem() : nullptr;
    for (long album = GetFirstTaggedId("QVCDID"); album != -1; album = GetNextTaggedId("QVCDID")) {
        if (!AddToGroup(group, 0, album, 0) || !m_pLibraryTree)
            continue;
        if (HTREEITEM node = ChildNode(*m_pLibraryTree, m_pLibraryTree->m_hAlbums, kindAlbum, album))
            ShowMemberInGroup(m_pLibraryTree, group, kindAlbum, album, m_pLibraryTree->GetItemText(node, 0));
        // Only an album that reached the new group leaves the old one.
        if (HTREEITEM member = ChildNode(*m_pLibraryTree, source, kindAlbum, album))
            RemoveFromSelectedGroup(member);
    }
    OnTagsClearAll();
    RequeryView();
}

void CMainFrame::OnHelpCheckForUpdate()
{
    if (IsLibraryModified()) {
        const int answer = AskSynchronizeBeforeUpdate();
        if (answer == IDCANCEL)
            return;
        if (answer == IDYES)
            OnSynchronize();
    }
    StartUpdater();
}

int CMainFrame::AskSynchronizeBeforeUpdate()
{
    CSyncMessage prompt(this);
    prompt.m_nMessageId = IDS_SYNC_BEFORE_UPDATE_QUESTION;
    return static_cast<int>(prompt.DoModal());
}

bool CMainFrame::StartUpdater()
{
    STARTUPINFO startup;
    GetStartupInfo(&startup);
    startup.dwFlags |= STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process;
    std::string commandLine(m_strUpdaterCommandLine.GetString());
    // The updater runs on its own; the program goes on and learns of an installation by message.
    if (!CreateProcess(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, nullptr,
            &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
