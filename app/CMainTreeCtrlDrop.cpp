// Drag and drop on the library tree: which effect each node offers for the list's rows and for a
// dragged node, the edits a drop carries out, and the drag of album and playlist nodes.
#include "app/CMainTreeCtrl.h"

#include <vector>

#include "app/CMainFrame.h"
#include "app/ViewSource.h"
#include "library/ChangeTracking.h"
#include "library/GroupEdits.h"
#include "library/MusicImport.h"
#include "library/MusicImportHost.h"
#include "library/PlaylistEdits.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADORecordsetHelper.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/COleDataSource.h"
#include "platform/base/GlobalMemory.h"

namespace {

// The dragged block carries nothing: the drop reads the list's rows and the tree's selection.
constexpr SIZE_T kDragBlockSize = 2;

CMainFrame* Frame() { return dynamic_cast<CMainFrame*>(AfxGetMainWnd()); }

bool IsAlbumKind(int nKind) { return nKind == kindAlbum || nKind == kindCDAlbum; }

DROPEFFECT CopyWithCtrl(DWORD dwKeyState) { return (dwKeyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE; }

// A field of the list's current row as a number; -1 when there is none.
long CurrentRowNumber(CMainFrame& frame, LPCTSTR lpszField)
{
    LONG nValue = -1;
    if (!frame.m_viewRecordset.HasRecordset() || !VariantToLong(frame.m_viewRecordset.GetValue(lpszField), nValue))
        return -1;
    return nValue;
}

} // namespace

DROPEFFECT CMainTreeCtrl::GetRowDragEffects() { return ViewSource::RowDragEffects(GetNodeKind(GetSelectedItem())); }

DROPEFFECT CMainTreeCtrl::GetRowDropEffect(HTREEITEM hTarget, DWORD dwKeyState)
{
    const HTREEITEM hSelected = GetSelectedItem();
    CMainFrame* pFrame = Frame();
    if (hTarget == nullptr || hTarget == hSelected || pFrame == nullptr)
        return DROPEFFECT_NONE;
    const int nRows = pFrame->GetSelectionKind();
    const int nSelectedKind = GetNodeKind(hSelected);
    switch (GetNodeKind(hTarget)) {
    case kindMusic:
    case kindAll:
        return nRows == selectionFiles ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    case kindAlbum:
        if (pFrame->IsCurrentRowCD())
            return DROPEFFECT_NONE;
        return nRows == selectionTracks ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
    case kindRadioGroup:
        if (nSelectedKind == kindRadioGroup)
            return CopyWithCtrl(dwKeyState);
        return nRows == selectionStations ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    case kindPlaylist:
        if (nSelectedKind == kindPlaylist)
            return CopyWithCtrl(dwKeyState);
        return nRows == selectionTracks ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    case kindFolder:
        return nSelectedKind == kindFolder ? CopyWithCtrl(dwKeyState) : DROPEFFECT_NONE;
    default:
        return DROPEFFECT_NONE;
    }
}

DROPEFFECT CMainTreeCtrl::GetNodeDropEffect(HTREEITEM hTarget, DWORD dwKeyState)
{
    const HTREEITEM hDragged = GetSelectedItem();
    if (hTarget == nullptr || hDragged == nullptr || hTarget == hDragged)
        return DROPEFFECT_NONE;
    const int nDragged = GetNodeKind(hDragged);
    switch (GetNodeKind(hTarget)) {
    case kindMusicGroup:
        if (IsAlbumKind(nDragged))
            return CopyWithCtrl(dwKeyState);
        if (nDragged == kindMusicGroup)
            return DROPEFFECT_COPY;
        if (nDragged == kindPlaylist)
            return GetNodeKind(GetParentItem(hDragged)) != kindMusicGroup ? DROPEFFECT_COPY : CopyWithCtrl(dwKeyState);
        return DROPEFFECT_NONE;
    case kindPlaylist:
        if (IsAlbumKind(nDragged))
            return DROPEFFECT_COPY;
        if (nDragged == kindPlaylist)
            return GetItemText(hTarget, 0) != GetItemText(hDragged, 0) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return DROPEFFECT_NONE;
    default:
        return DROPEFFECT_NONE;
    }
}

BOOL CMainTreeCtrl::DropRows(HTREEITEM hTarget, DROPEFFECT dropEffect)
{
    CMainFrame* pFrame = Frame();
    if (pFrame == nullptr)
        return FALSE;
    const int nRows = pFrame->GetSelectionKind();
    switch (GetNodeKind(hTarget)) {
    case kindMusic:
    case kindAll: {
        if (nRows != selectionFiles)
            return TRUE;
        // A file that is not music is passed over by the import: nothing is added and nothing shown.
        const CString strPath = pFrame->GetCurrentFilePath();
        return !strPath.IsEmpty() && ImportFile(pFrame->ImportHost(), strPath, 0) == 1;
    }
    case kindAlbum:
    case kindCDAlbum: {
        if (nRows != selectionTracks)
            return TRUE;
        return pFrame->ChangeSelectedTrackAlbum(GetNodeRecordId(hTarget));
    }
    case kindRadioGroup: {
        if (nRows != selectionStations)
            return TRUE;
        // A move adds the station too and leaves it in its old group.
        const long nStationId = CurrentRowNumber(*pFrame, "QVRadioID");
        if (nStationId == -1)
            return FALSE;
        AddStationToRadioGroup(GetNodeRecordId(hTarget), nStationId);
        return TRUE;
    }
    case kindPlaylist: {
        if (nRows != selectionTracks)
            return TRUE;
        const long nTrackId = pFrame->GetCurrentAlbumTrackId();
        // The rows leave their playlist only once they are in the new one: a failed add loses nothing.
        if (nTrackId == -1 || !AddTrackToPlaylistByName(GetItemText(hTarget, 0), nTrackId))
            return FALSE;
        if (dropEffect != DROPEFFECT_MOVE)
            return TRUE;
        return pFrame->DeleteSelectedFromPlaylist(GetItemText(GetSelectedItem(), 0));
    }
    default:
        return TRUE;
    }
}

BOOL CMainTreeCtrl::DropNode(HTREEITEM hTarget, DROPEFFECT dropEffect)
{
    const HTREEITEM hDragged = GetSelectedItem();
    const int nDragged = GetNodeKind(hDragged);
    if (!IsAlbumKind(nDragged) && nDragged != kindPlaylist)
        return TRUE;
    switch (GetNodeKind(hTarget)) {
    case kindPlaylist:
        return DropNodeOnPlaylist(hTarget);
    case kindMusicGroup:
        if (!DropNodeOnGroup(hTarget))
            return FALSE;
        // A move takes the node out of the group it came from; from Albums or Playlists nothing leaves.
        if (dropEffect == DROPEFFECT_MOVE)
            RemoveFromGroup(hDragged);
        return TRUE;
    default:
        return TRUE;
    }
}

BOOL CMainTreeCtrl::AddSelectedNodeToGroup(long nGroupId)
{
    const HTREEITEM hSelected = GetSelectedItem();
    const int nKind = GetNodeKind(hSelected);
    const long nId = GetNodeRecordId(hSelected);
    if (IsAlbumKind(nKind))
        return AddToGroup(nGroupId, 0, nId, 0);
    if (nKind == kindPlaylist)
        return AddToGroup(nGroupId, nId, 0, 0);
    return FALSE;
}

BOOL CMainTreeCtrl::DropNodeOnGroup(HTREEITEM hGroup)
{
    LONG nGroupId = 0;
    if (!VariantToLong(GroupIdForName(GetItemText(hGroup, 0)), nGroupId) || !AddSelectedNodeToGroup(nGroupId))
        return FALSE;
    const HTREEITEM hDragged = GetSelectedItem();
    InsertNode(GetItemText(hDragged, 0), hGroup, TVI_LAST, GetNodeKind(hDragged), GetNodeRecordId(hDragged));
    return TRUE;
}

BOOL CMainTreeCtrl::DropNodeOnPlaylist(HTREEITEM hPlaylist)
{
    const HTREEITEM hDragged = GetSelectedItem();
    if (Frame() == nullptr)
        return FALSE;
    const _variant_t draggedId(static_cast<long>(GetNodeRecordId(hDragged)));
    const char* pszQuery
        = GetNodeKind(hDragged) == kindPlaylist ? "qMusicTrackDetailForPlaylist" : "qMusicTrackDetailForAlbum";
    std::vector<long> tracks;
    {
        _ADORecordsetHelper rows;
        if (!theLibraryConnection.RunStoredQuery(pszQuery, &draggedId, 1, rows.ReceivePointer(), nullptr, adCmdUnknown)
            || !rows.HasRecordset())
            return FALSE;
        for (; !rows.IsEOF(); rows.MoveNext()) {
            const _variant_t trackId = rows.GetValue("AlbumTrackID");
            if (trackId.vt == VT_I4)
                tracks.push_back(trackId.lVal);
        }
    }
    const long nPlaylistId = GetNodeRecordId(hPlaylist);
    for (const long nTrackId : tracks)
        AddTrackToPlaylist(nPlaylistId, nTrackId);
    return TRUE;
}

void CMainTreeCtrl::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const HTREEITEM hItem = reinterpret_cast<NMTREEVIEW*>(pNMHDR)->itemNew.hItem;
    const int nKind = GetNodeKind(hItem);
    CMainFrame* pFrame = Frame();
    if (pFrame == nullptr || (!IsAlbumKind(nKind) && nKind != kindPlaylist))
        return;
    COleDataSource source;
    source.CacheGlobalData(pFrame->m_cfTreeNode, ::GlobalAlloc(GHND, kDragBlockSize));
    source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
}
