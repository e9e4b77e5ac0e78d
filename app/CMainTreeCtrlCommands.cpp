// The library tree towards the user: its context menus and their commands, the selection's link to
// the record list, the arrow-key rule, label editing that names new objects and renames old ones, and
// the delete commands with their confirmations.
#include "app/CMainTreeCtrl.h"

#include <initializer_list>
#include <utility>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CPelicanApp.h"
#include "app/CRadioStationInfoDlg.h"
#include "app/DeleteConfirmation.h"
#include "app/TuneStewardIds.h"
#include "library/AppRoutines.h"
#include "library/ChangeTracking.h"
#include "library/GroupEdits.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADORecordsetHelper.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/AfxText.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CMenu.h"
#include "toolkit/controls/SECListEdit.h"

namespace {

// Where on a row a right click opens the node's menu: the icon, the label and the state icon.
constexpr UINT kMenuHitFlags = 0x46;
constexpr int kLabelLimit = 50;
// Bit 30 of a key message's data: the key was down already (an auto-repeat).
constexpr LPARAM kKeyWasDown = LPARAM(1) << 30;

CMainFrame* Frame() { return dynamic_cast<CMainFrame*>(AfxGetMainWnd()); }

UINT MenuOfKind(int nKind)
{
    switch (nKind) {
    case kindArtist:
        return IDR_TREE_ARTIST_MENU;
    case kindAlbum:
        return IDR_TREE_ALBUM_MENU;
    case kindCDAlbum:
        return IDR_TREE_CD_ALBUM_MENU;
    case kindStations:
        return IDR_TREE_STATIONS_MENU;
    case kindMusicGroups:
        return IDR_TREE_MUSIC_GROUPS_MENU;
    case kindMusicGroup:
        return IDR_TREE_MUSIC_GROUP_MENU;
    case kindRadioGroups:
        return IDR_TREE_RADIO_GROUPS_MENU;
    case kindRadioGroup:
        return IDR_TREE_RADIO_GROUP_MENU;
    case kindPlaylists:
        return IDR_TREE_PLAYLISTS_MENU;
    case kindPlaylist:
        return IDR_TREE_PLAYLIST_MENU;
    default:
        return 0;
    }
}

bool CanEditLabel(int nKind)
{
    return nKind == kindArtist || nKind == kindAlbum || nKind == kindCDAlbum || nKind == kindMusicGroup
        || nKind == kindRadioGroup || nKind == kindPlaylist;
}

bool IsAlbumKind(int nKind) { return nKind == kindAlbum || nKind == kindCDAlbum; }

bool RunQuery(LPCTSTR lpszQuery, const _variant_t& parameter)
{
    return theLibraryConnection.RunStoredQuery(lpszQuery, &parameter, 1, nullptr, nullptr, adCmdUnknown);
}

} // namespace

// --- context menus ---------------------------------------------------------------------------------

void CMainTreeCtrl::OnRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bInContextMenu)
        return;
    m_bInContextMenu = true;
    const DWORD dwPos = ::GetMessagePos();
    POINT point {static_cast<short>(LOWORD(dwPos)), static_cast<short>(HIWORD(dwPos)) };
    ::ScreenToClient(m_hWnd, &point);
    UINT nFlags = 0;
    const HTREEITEM hItem = HitTest(point, &nFlags);
    const UINT nMenuId = hItem != nullptr && (nFlags & kMenuHitFlags) != 0 ? MenuOfKind(GetNodeKind(hItem)) : 0;
    CMenu menu;
    if (nMenuId != 0 && menu.LoadMenu(nMenuId)) {
        if (CMenu* pPopup = menu.GetSubMenu(0)) {
            ::ClientToScreen(m_hWnd, &point);
            pPopup->TrackPopupMenu(TPM_LEFTALIGN, point.x, point.y, this);
        }
        menu.DestroyMenu();
    }
    m_bInContextMenu = false;
}

void CMainTreeCtrl::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    // An item without an update handler keeps the state its menu gives it.
    if (!bSysMenu)
        AfxUpdateMenuItems(pPopupMenu, this, FALSE);
}

void CMainTreeCtrl::OnUpdateTreeCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void CMainTreeCtrl::ForwardToFrame(UINT nFrameCommand)
{
    if (CMainFrame* pFrame = Frame())
        pFrame->SendMessage(WM_COMMAND, nFrameCommand);
}

void CMainTreeCtrl::ForwardUpdateToFrame(UINT nFrameCommand, CCmdUI* pCmdUI)
{
    CMainFrame* pFrame = Frame();
    if (pFrame == nullptr) {
        pCmdUI->Enable(FALSE);
        return;
    }
    // The frame's rule runs under the frame's command; the item keeps its own.
    const UINT nOwnId = pCmdUI->m_nID;
    pCmdUI->m_nID = nFrameCommand;
    if (!pFrame->OnCmdMsg(nFrameCommand, CN_UPDATE_COMMAND_UI, pCmdUI, nullptr))
        pCmdUI->Enable(FALSE);
    pCmdUI->m_nID = nOwnId;
}

void CMainTreeCtrl::OnAlbumAddToGroup() { ForwardToFrame(ID_MUSICGROUP_ADD_ALBUM); }
void CMainTreeCtrl::OnPlaylistAddToGroup() { ForwardToFrame(ID_MUSICGROUP_ADD_PLAYLIST); }

void CMainTreeCtrl::OnRemoveFromGroup()
{
    ForwardToFrame(IsAlbumKind(GetNodeKind(GetSelectedItem())) ? ID_MUSICGROUP_REMOVE_ALBUM : ID_MUSICGROUP_REMOVE_PLAYLIST);
}

void CMainTreeCtrl::OnUpdateAlbumAddToGroup(CCmdUI* pCmdUI) { ForwardUpdateToFrame(ID_MUSICGROUP_ADD_ALBUM, pCmdUI); }
void CMainTreeCtrl::OnUpdateAlbumRemoveFromGroup(CCmdUI* pCmdUI) { ForwardUpdateToFrame(ID_MUSICGROUP_REMOVE_ALBUM, pCmdUI); }
void CMainTreeCtrl::OnUpdatePlaylistAddToGroup(CCmdUI* pCmdUI) { ForwardUpdateToFrame(ID_MUSICGROUP_ADD_PLAYLIST, pCmdUI); }
void CMainTreeCtrl::OnUpdatePlaylistRemoveFromGroup(CCmdUI* pCmdUI)
{
    ForwardUpdateToFrame(ID_MUSICGROUP_REMOVE_PLAYLIST, pCmdUI);
}

// --- selection and list ----------------------------------------------------------------------------

void CMainTreeCtrl::ReloadListFor(HTREEITEM hItem)
{
    if (CMainFrame* pFrame = Frame(); pFrame != nullptr && hItem != nullptr)
        pFrame->ReloadViewForItem(*this, hItem);
}

void CMainTreeCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    m_bRightButtonDown = true;
    SECTreeCtrl::OnRButtonDown(nFlags, point);
}

void CMainTreeCtrl::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    // A right press selects without reloading: the list follows when the button comes up.
    if (m_bRightButtonDown)
        return;
    ReloadListFor(reinterpret_cast<NMTREEVIEW*>(pNMHDR)->itemNew.hItem);
}

void CMainTreeCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    m_bRightButtonDown = false;
    ReloadListFor(GetSelectedItem());
    SECTreeCtrl::OnRButtonUp(nFlags, point);
}

void CMainTreeCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    // The button came up outside the window.
    if (m_bRightButtonDown && (::GetKeyState(VK_RBUTTON) & 0x8000) == 0) {
        m_bRightButtonDown = false;
        ReloadListFor(GetSelectedItem());
    }
    SECTreeCtrl::OnMouseMove(nFlags, point);
}

BOOL CMainTreeCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_UP || pMsg->wParam == VK_DOWN)) {
        const CPelicanApp* pApp = GetPelicanApp();
        if ((pApp != nullptr && (pApp->m_bUpdatingDetails || pApp->m_bBusy)) || ::GetInputState()
            || (pMsg->lParam & kKeyWasDown) != 0)
            return TRUE;
    }
    return SECTreeCtrl::PreTranslateMessage(pMsg);
}

// --- label editing ---------------------------------------------------------------------------------

void CMainTreeCtrl::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = TRUE;
    if (m_bInContextMenu)
        return;
    const HTREEITEM hItem = reinterpret_cast<NMTVDISPINFO*>(pNMHDR)->item.hItem;
    m_strOldLabel = GetItemText(hItem, 0);
    if (!CanEditLabel(GetNodeKind(hItem)))
        return;
    if (SECListEdit* pEdit = GetEditControl(); pEdit != nullptr && pEdit->m_hWnd != nullptr)
        pEdit->SendMessage(EM_LIMITTEXT, kLabelLimit);
    *pResult = FALSE;
}

void CMainTreeCtrl::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pInfo = reinterpret_cast<NMTVDISPINFO*>(pNMHDR);
    *pResult = FALSE;
    const HTREEITEM hItem = pInfo->item.hItem;
    // Every end of an edit ends the naming of a new node, or the next rename would insert a record.
    const bool bNewNode = m_bNewNodePending;
    m_bNewNodePending = false;
    CString strText(pInfo->item.pszText != nullptr ? pInfo->item.pszText : "");
    strText.Trim();
    if (strText.IsEmpty()) {
        // Escape or an empty name: the new node keeps its generated name, which names its record, so
        // that no node stands for a record that was never made.
        if (bNewNode)
            NameNewNode(hItem, m_strOldLabel);
        return;
    }
    const BOOL bTaken = bNewNode ? NameNewNode(hItem, strText) : RenameNodeRecord(hItem, strText);
    if (strText != pInfo->item.pszText && pInfo->item.cchTextMax > strText.GetLength())
        afx::CopyText(pInfo->item.pszText, static_cast<UINT>(pInfo->item.cchTextMax), strText.GetString());
    *pResult = bTaken;
}

BOOL CMainTreeCtrl::NameNewNode(HTREEITEM hItem, const CString& strName)
{
    bool (*pfnAdd)(LPCTSTR, long*, bool*) = nullptr;
    switch (GetNodeKind(hItem)) {
    case kindMusicGroup:
        pfnAdd = AddGroup;
        break;
    case kindRadioGroup:
        pfnAdd = AddRadioGroup;
        break;
    case kindPlaylist:
        pfnAdd = AddPlaylist;
        break;
    default:
        return FALSE;
    }
    long nId = 0;
    bool bExisted = false;
    if (!pfnAdd(strName, &nId, &bExisted))
        return FALSE;
    if (!bExisted) {
        SetNodeRecordId(hItem, static_cast<int>(nId));
        return TRUE;
    }
    // The name is taken: the node keeps its generated name, and that names its record.
    if (strName != m_strOldLabel && !pfnAdd(m_strOldLabel, &nId, &bExisted))
        return FALSE;
    SetNodeRecordId(hItem, static_cast<int>(nId));
    return FALSE;
}

BOOL CMainTreeCtrl::RenameNodeRecord(HTREEITEM hItem, const CString& strName)
{
    if (strName == m_strOldLabel)
        return FALSE;
    const long nId = GetNodeRecordId(hItem);
    BOOL bRenamed = FALSE;
    switch (GetNodeKind(hItem)) {
    case kindArtist:
        bRenamed = RenameArtist(m_strOldLabel, strName);
        break;
    case kindAlbum:
    case kindCDAlbum:
        bRenamed = RenameAlbum(nId, strName, m_strOldLabel, FALSE);
        break;
    case kindMusicGroup:
        bRenamed = RenameGroup(m_strOldLabel, strName);
        break;
    case kindRadioGroup:
        bRenamed = RenameRadioGroup(m_strOldLabel, strName);
        break;
    case kindPlaylist:
        bRenamed = RenamePlaylist(nId, strName, m_strOldLabel, FALSE);
        break;
    default:
        return FALSE;
    }
    if (bRenamed && hItem == GetSelectedItem())
        ReloadListFor(hItem);
    return bRenamed;
}

// --- new objects -----------------------------------------------------------------------------------

BOOL CMainTreeCtrl::CreateNamedNode(HTREEITEM hBranch, UINT nLabelId, int nKind)
{
    if (hBranch == nullptr)
        return FALSE;
    Expand(hBranch, TVE_EXPAND);
    const CString strLabel = MakeUniqueChildName(nLabelId, hBranch);
    const HTREEITEM hItem = InsertNode(strLabel, hBranch, TVI_LAST, nKind, 0);
    if (hItem == nullptr)
        return FALSE;
    m_bNewNodePending = true;
    m_strOldLabel = strLabel;
    if (EditLabel(hItem, 0) == nullptr) {
        // No edit could start: the generated name names the record at once.
        m_bNewNodePending = false;
        NameNewNode(hItem, strLabel);
    }
    return TRUE;
}

BOOL CMainTreeCtrl::CreatePlaylistNode() { return CreateNamedNode(m_hPlaylists, IDS_TREE_NEW_PLAYLIST, kindPlaylist); }
BOOL CMainTreeCtrl::CreateMusicGroupNode() { return CreateNamedNode(m_hGroups, IDS_TREE_NEW_GROUP, kindMusicGroup); }
BOOL CMainTreeCtrl::CreateRadioGroupNode() { return CreateNamedNode(m_hRadioGroups, IDS_TREE_NEW_GROUP, kindRadioGroup); }

void CMainTreeCtrl::OnPlaylistsNewPlaylist() { CreatePlaylistNode(); }
void CMainTreeCtrl::OnMusicGroupNew() { CreateMusicGroupNode(); }
void CMainTreeCtrl::OnRadioGroupNew() { CreateRadioGroupNode(); }

void CMainTreeCtrl::OnRenameNode()
{
    if (const HTREEITEM hItem = GetSelectedItem())
        EditLabel(hItem, 0);
}

// --- deletes ---------------------------------------------------------------------------------------

bool CMainTreeCtrl::ConfirmNodeDelete(int nConfirmKind, UINT nCaptionId, UINT nMessageId, HTREEITEM hItem)
{
    return ConfirmDeleteObject(this, static_cast<CPelicanApp::ConfirmKind>(nConfirmKind), nCaptionId, nMessageId,
        hItem != nullptr ? GetItemText(hItem, 0) : CString());
}

// A delete of a record known by its node's label: the node's kind, its confirmation and texts, the
// record's look-up and delete query, and the rows that refer to it, flagged with it.
struct NamedRecordDelete {
    int kind;
    CPelicanApp::ConfirmKind confirm;
    UINT captionId;
    UINT messageId;
    _variant_t (*idForName)(LPCTSTR);
    const char* deleteQuery;
    std::initializer_list<std::pair<const char*, const char*>> referringRows;
};

long CMainTreeCtrl::DeleteNamedRecord(const NamedRecordDelete& what)
{
    const HTREEITEM hItem = GetSelectedItem();
    if (GetNodeKind(hItem) != what.kind || !ConfirmNodeDelete(what.confirm, what.captionId, what.messageId, hItem))
        return 0;
    LONG nId = 0;
    if (!VariantToLong(what.idForName(GetItemText(hItem, 0)), nId) || !RunQuery(what.deleteQuery, _variant_t(nId)))
        return 0;
    for (const auto& [table, field] : what.referringRows)
        MarkRowDeleted(table, field, nId);
    DeleteNode(hItem);
    SetLibraryModified(true);
    return nId;
}

void CMainTreeCtrl::OnPlaylistDelete()
{
    const long nId = DeleteNamedRecord({ kindPlaylist, CPelicanApp::ConfirmPlaylist, IDS_CONFIRM_DELETE_PLAYLIST,
        IDS_CONFIRM_DELETE_PLAYLIST_TEXT, PlaylistIdForName, "qDeletePlaylist",
        { { "tPlaylistTracks", "PlaylistID" }, { "tGroupList", "PlaylistID" } } });
    // Its nodes in the groups stand for memberships just deleted.
    DeleteRecordNodes(m_hGroups, nId, kindPlaylist, kindPlaylist);
}

void CMainTreeCtrl::OnMusicGroupDelete()
{
    DeleteNamedRecord({ kindMusicGroup, CPelicanApp::ConfirmGroup, IDS_CONFIRM_DELETE_GROUP, IDS_CONFIRM_DELETE_GROUP_TEXT,
        GroupIdForName, "qGroupDelete", { { "tGroupList", "GroupID" } } });
}

void CMainTreeCtrl::OnRadioGroupDelete()
{
    DeleteNamedRecord({ kindRadioGroup, CPelicanApp::ConfirmGroup, IDS_CONFIRM_DELETE_GROUP, IDS_CONFIRM_DELETE_GROUP_TEXT,
        RadioGroupIdForName, "qIRadioGroupDelete", { { "tIRadioGroupList", "RadioGroupID" } } });
}

void CMainTreeCtrl::OnAlbumDelete()
{
    const HTREEITEM hItem = GetSelectedItem();
    if (!IsAlbumKind(GetNodeKind(hItem))
        || !ConfirmNodeDelete(CPelicanApp::ConfirmAlbum, IDS_CONFIRM_DELETE_ALBUM, IDS_CONFIRM_DELETE_ALBUM_TEXT, hItem))
        return;
    const long nId = GetNodeRecordId(hItem);
    if (!DeleteAlbum(nId, FALSE))
        return;
    DeleteNode(hItem);
    // An artist left without albums goes.
    RefreshCategory(kindArtists);
    DeleteRecordNodes(nullptr, nId, kindAlbum, kindCDAlbum);
}

void CMainTreeCtrl::OnAlbumDeleteTagged()
{
    CMainFrame* pFrame = Frame();
    if (pFrame == nullptr
        || !ConfirmNodeDelete(CPelicanApp::ConfirmAlbum, IDS_CONFIRM_DELETE_ALBUM, IDS_CONFIRM_DELETE_TAGGED_ALBUMS, nullptr))
        return;
    // The ids first: deleting nodes may move the selection, and the list with it.
    std::vector<long> ids;
    for (long nId = pFrame->GetFirstTaggedId("QVCDID"); nId > 0; nId = pFrame->GetNextTaggedId("QVCDID"))
        ids.push_back(nId);
    for (const long nId : ids)
        if (DeleteAlbum(nId, FALSE))
            DeleteRecordNodes(nullptr, nId, kindAlbum, kindCDAlbum);
    RefreshCategory(kindArtists);
    pFrame->SendMessage(WM_COMMAND, ID_TAGS_CLEAR_ALL);
}

void CMainTreeCtrl::OnArtistDelete()
{
    const HTREEITEM hItem = GetSelectedItem();
    if (GetNodeKind(hItem) != kindArtist
        || !ConfirmNodeDelete(CPelicanApp::ConfirmArtist, IDS_CONFIRM_DELETE_ARTIST, IDS_CONFIRM_DELETE_ARTIST_TEXT, hItem))
        return;
    std::vector<long> ids;
    {
        const _variant_t artist(GetItemText(hItem, 0).GetString());
        _ADORecordsetHelper rows;
        if (theLibraryConnection.RunStoredQuery("qAlbumIdbyArtist", &artist, 1, rows.ReceivePointer(), nullptr, adCmdUnknown)
            && rows.HasRecordset())
            for (; !rows.IsEOF(); rows.MoveNext()) {
                LONG nId = 0;
                if (VariantToLong(rows.GetValue("QVCDID"), nId))
                    ids.push_back(nId);
            }
    }
    for (const long nId : ids)
        if (DeleteAlbum(nId, FALSE))
            DeleteRecordNodes(nullptr, nId, kindAlbum, kindCDAlbum);
    DeleteNode(hItem);
    SetLibraryModified(true);
}

void CMainTreeCtrl::OnGroupListDelete() { RemoveFromGroup(nullptr); }

void CMainTreeCtrl::OnRadioAddStation()
{
    CRadioStationInfoDlg dialog(this);
    dialog.DoModal();
    if (!dialog.m_bAdded)
        return;
    RefreshRadioGroups();
    ReloadListFor(GetSelectedItem());
}
