// Bringing the library tree up to date after edits without rebuilding it: a branch refilled, the
// children of a node merged with fresh rows, or one node checked against the database by its kind.
#include "app/CMainTreeCtrl.h"

#include <algorithm>

#include "app/ListMerge.h"
#include "app/RowValues.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADORecordsetHelper.h"
#include "platform/com/BstrT.h"

namespace {

constexpr long kAnyCommand = -1;

// Rows fetched from a record set: one _variant_t[] of one or two fields per row, freed with the list.
class FetchedRows {
public:
    ~FetchedRows()
    {
        for (POSITION pos = m_rows.GetHeadPosition(); pos != nullptr;)
            delete[] static_cast<_variant_t*>(m_rows.GetNext(pos));
    }
    bool Fetch(_Recordset* pRecordset, long nMostFields)
    {
        _ADORecordsetHelper rows(pRecordset);
        const long nFields = rows.FieldCount();
        if (nFields < 1)
            return false;
        m_nFields = nFields > 1 ? std::min(nMostFields, 2L) : 1;
        return rows.FetchRows(nullptr, m_nFields, m_rows);
    }
    void Remove(POSITION pos)
    {
        delete[] static_cast<_variant_t*>(m_rows.GetAt(pos));
        m_rows.RemoveAt(pos);
    }
    static CString Name(void* pRow) { return RowValueText(static_cast<_variant_t*>(pRow)[0]); }
    static long Id(void* pRow) { return RowValueLong(static_cast<_variant_t*>(pRow)[1]); }

    CPtrList m_rows;
    long m_nFields { 0 };
};

// What the merge of a node's children works on.
struct ChildMerge {
    CMainTreeCtrl& tree;
    HTREEITEM hParent;
    int nKind;
    CPtrList& children;
    FetchedRows& rows;
};

void* NextPosition(CPtrList& list, void* pPosition)
{
    if (pPosition == nullptr)
        return list.GetHeadPosition();
    auto pos = static_cast<POSITION>(pPosition);
    list.GetNext(pos);
    return pos;
}

ChildMerge& MergeOf(void* pContext)
{
    return *static_cast<ChildMerge*>(pContext);
}

HTREEITEM ItemAt(ChildMerge& merge, void* pPosition)
{
    return static_cast<HTREEITEM>(merge.children.GetAt(static_cast<POSITION>(pPosition)));
}

void* RowAt(ChildMerge& merge, void* pPosition)
{
    return merge.rows.m_rows.GetAt(static_cast<POSITION>(pPosition));
}

void* NextTreeEntry(void* pPosition, void* pContext)
{
    return NextPosition(MergeOf(pContext).children, pPosition);
}

void* NextRowEntry(void* pPosition, void* pContext)
{
    return NextPosition(MergeOf(pContext).rows.m_rows, pPosition);
}

int CompareTreeEntryWithRow(void* pA, void* pB, void* pContext)
{
    ChildMerge& merge = MergeOf(pContext);
    const HTREEITEM hItem = ItemAt(merge, pA);
    void* pRow = RowAt(merge, pB);
    const bool bSameName = merge.tree.GetItemText(hItem, 0).CompareNoCase(FetchedRows::Name(pRow)) == 0;
    if (merge.rows.m_nFields < 2)
        return bSameName ? ListMergeCallbacks::compareMatch : 1;
    if (FetchedRows::Id(pRow) != merge.tree.GetNodeRecordId(hItem))
        return 1;
    return bSameName ? ListMergeCallbacks::compareMatch : ListMergeCallbacks::compareChanged;
}

void RemoveTreeEntry(void* pA, void* pContext)
{
    MergeOf(pContext).children.RemoveAt(static_cast<POSITION>(pA));
}

void RemoveRowEntry(void* pB, void* pContext)
{
    MergeOf(pContext).rows.Remove(static_cast<POSITION>(pB));
}

BOOL DeleteUnmatchedTreeItem(void* pA, void* pContext)
{
    ChildMerge& merge = MergeOf(pContext);
    merge.tree.DeleteNode(ItemAt(merge, pA));
    return TRUE;
}

BOOL InsertUnmatchedRow(void* pB, void* pContext)
{
    ChildMerge& merge = MergeOf(pContext);
    void* pRow = RowAt(merge, pB);
    const long nId = merge.rows.m_nFields > 1 ? FetchedRows::Id(pRow) : 0;
    merge.tree.InsertNode(FetchedRows::Name(pRow), merge.hParent, TVI_SORT, merge.nKind, nId);
    return TRUE;
}

BOOL RenameChangedTreeItem(void* pA, void* pB, void* pContext)
{
    ChildMerge& merge = MergeOf(pContext);
    merge.tree.SetItemText(ItemAt(merge, pA), FetchedRows::Name(RowAt(merge, pB)));
    return TRUE;
}

} // namespace

BOOL CMainTreeCtrl::MergeChildren(HTREEITEM hParent, int nKind, _Recordset* pRecordset)
{
    FetchedRows rows;
    if (pRecordset == nullptr || !rows.Fetch(pRecordset, 2))
        return FALSE;
    CPtrList children;
    CollectChildrenOfKind(hParent, children, nKind);
    // The album rows of a group hold CD albums too: their nodes are matched with them rather than
    // joined by a second node of the plain album kind.
    if (nKind == kindAlbum)
        CollectChildrenOfKind(hParent, children, kindCDAlbum);
    ChildMerge merge { *this, hParent, nKind, children, rows };
    ListMergeCallbacks callbacks;
    callbacks.pfnNextA = NextTreeEntry;
    callbacks.pfnNextB = NextRowEntry;
    callbacks.pfnCompare = CompareTreeEntryWithRow;
    callbacks.pfnRemoveA = RemoveTreeEntry;
    callbacks.pfnRemoveB = RemoveRowEntry;
    callbacks.pfnOnlyInA = DeleteUnmatchedTreeItem;
    callbacks.pfnOnlyInB = InsertUnmatchedRow;
    callbacks.pfnChanged = RenameChangedTreeItem;
    callbacks.pContext = &merge;
    return MergeLists(callbacks) == mergeCompleted;
}

BOOL CMainTreeCtrl::MergeChildrenFromSql(HTREEITEM hParent, int nKind, LPCTSTR lpszSql)
{
    _ADORecordsetHelper rows;
    if (!theLibraryConnection.ExecuteSql(lpszSql, rows.ReceivePointer(), adCmdTable))
        return FALSE;
    return MergeChildren(hParent, nKind, rows.Get());
}

BOOL CMainTreeCtrl::MergeChildrenFromStoredQuery(HTREEITEM hParent, int nKind, LPCTSTR lpszQuery, const VARIANT& parameter)
{
    _ADORecordsetHelper rows;
    if (!theLibraryConnection.RunStoredQuery(lpszQuery, &parameter, 1, rows.ReceivePointer(), nullptr, kAnyCommand))
        return FALSE;
    return MergeChildren(hParent, nKind, rows.Get());
}

BOOL CMainTreeCtrl::RefreshCategory(int nKind)
{
    HTREEITEM hBranch = nullptr;
    BOOL (CMainTreeCtrl::*pfnFill)(HTREEITEM) = nullptr;
    switch (nKind) {
    case kindArtists:
        hBranch = m_hArtists;
        pfnFill = &CMainTreeCtrl::FillArtists;
        break;
    case kindAlbums:
        hBranch = m_hAlbums;
        pfnFill = &CMainTreeCtrl::FillAlbums;
        break;
    case kindPlaylists:
        hBranch = m_hPlaylists;
        pfnFill = &CMainTreeCtrl::FillPlaylists;
        break;
    default:
        return FALSE;
    }
    if (hBranch == nullptr)
        return FALSE;
    const bool bExpanded = (GetItemState(hBranch, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    const HTREEITEM hSelected = GetSelectedItem();
    const bool bSelectedChild = hSelected != nullptr && GetParentItem(hSelected) == hBranch;
    CString strLabel;
    CString strNextLabel;
    int nRecordId = 0;
    int nNextRecordId = 0;
    if (bSelectedChild) {
        strLabel = GetItemText(hSelected, 0);
        nRecordId = GetNodeRecordId(hSelected);
        if (const HTREEITEM hNext = GetNextSiblingItem(hSelected)) {
            strNextLabel = GetItemText(hNext, 0);
            nNextRecordId = GetNodeRecordId(hNext);
        }
    }

    SetRedraw(FALSE);
    DeleteChildren(hBranch);
    (this->*pfnFill)(hBranch);
    Expand(hBranch, bExpanded ? TVE_EXPAND : TVE_COLLAPSE, FALSE);
    SetRedraw(TRUE);
    RecalcLayout();

    if (bSelectedChild) {
        HTREEITEM hFound = nullptr;
        if (nRecordId != 0) {
            hFound = FindItemById(nRecordId, 0, TRUE, hBranch);
            if (hFound == nullptr && nNextRecordId != 0)
                hFound = FindItemById(nNextRecordId, 0, TRUE, hBranch);
        } else {
            hFound = FindItem(strLabel, 0, 0, FALSE, TRUE, TRUE, hBranch, nullptr);
            if (hFound == nullptr && !strNextLabel.IsEmpty())
                hFound = FindItem(strNextLabel, 0, 0, FALSE, TRUE, TRUE, hBranch, nullptr);
        }
        if (hFound != nullptr)
            Select(hFound, TVGN_CARET);
    } else if (hSelected != nullptr) {
        Select(hSelected, TVGN_CARET);
    }
    Invalidate();
    return TRUE;
}

BOOL CMainTreeCtrl::RefreshSelectedNode()
{
    const HTREEITEM hItem = GetSelectedItem();
    if (hItem == nullptr)
        return FALSE;
    const auto succeeded = [](RefreshResult result) { return result != refreshFailed ? TRUE : FALSE; };
    switch (GetNodeKind(hItem)) {
    case kindMusic:
        return RefreshCategory(kindArtists) && RefreshCategory(kindAlbums);
    case kindAll:
    case kindStations:
        return TRUE;
    case kindArtists:
    case kindAlbums:
    case kindPlaylists:
        return RefreshCategory(GetNodeKind(hItem));
    case kindGroupTrack:
        return succeeded(RefreshGroupTrackNode(hItem));
    case kindArtist:
        return succeeded(RefreshArtistNode(hItem));
    case kindAlbum:
    case kindCDAlbum:
        return succeeded(RefreshAlbumNode(hItem));
    case kindMusicGroups:
        return RefreshMusicGroups();
    case kindMusicGroup:
        return FillMusicGroup(hItem);
    case kindRadioGroups:
        return RefreshRadioGroups();
    case kindRadioGroup:
        return succeeded(RefreshRadioGroupNode(hItem));
    case kindPlaylist:
        return succeeded(RefreshPlaylistNode(hItem));
    default:
        return FALSE;
    }
}

CMainTreeCtrl::RefreshResult CMainTreeCtrl::RefreshNodeFromSingleRow(
    HTREEITEM hItem, LPCTSTR lpszQuery, const VARIANT* pParameters, int nCount)
{
    _ADORecordsetHelper rows;
    if (!theLibraryConnection.RunStoredQuery(lpszQuery, pParameters, nCount, rows.ReceivePointer(), nullptr, kAnyCommand))
        return refreshFailed;
    if (rows.IsEOF()) {
        DeleteNode(hItem);
        return refreshDeleted;
    }
    const CString strName = RowValueText(rows.GetFieldValue(_variant_t(0L)));
    if (GetItemText(hItem, 0).CompareNoCase(strName) == 0)
        return refreshUnchanged;
    SetItemText(hItem, strName);
    return refreshRenamed;
}

CMainTreeCtrl::RefreshResult CMainTreeCtrl::RefreshNodeFromRecordset(HTREEITEM hItem, _Recordset* pRecordset)
{
    const CString strLabel = GetItemText(hItem, 0);
    const int nRecordId = GetNodeRecordId(hItem);
    FetchedRows rows;
    if (!rows.Fetch(pRecordset, nRecordId == 0 ? 1 : 2))
        return refreshFailed;
    for (POSITION pos = rows.m_rows.GetHeadPosition(); pos != nullptr;) {
        void* pRow = rows.m_rows.GetNext(pos);
        if (nRecordId == 0) {
            if (FetchedRows::Name(pRow) == strLabel)
                return refreshUnchanged;
            continue;
        }
        if (rows.m_nFields < 2 || FetchedRows::Id(pRow) != nRecordId)
            continue;
        const CString strName = FetchedRows::Name(pRow);
        if (strLabel.CompareNoCase(strName) == 0)
            return refreshUnchanged;
        SetItemText(hItem, strName);
        return refreshRenamed;
    }
    DeleteNode(hItem);
    return refreshDeleted;
}

CMainTreeCtrl::RefreshResult CMainTreeCtrl::RefreshNodeFromSql(HTREEITEM hItem, LPCTSTR lpszSql)
{
    _ADORecordsetHelper rows;
    if (!theLibraryConnection.ExecuteSql(lpszSql, rows.ReceivePointer(), adCmdTable))
        return refreshFailed;
    return RefreshNodeFromRecordset(hItem, rows.Get());
}

CMainTreeCtrl::RefreshResult CMainTreeCtrl::RefreshNodeFromStoredQuery(
    HTREEITEM hItem, LPCTSTR lpszQuery, const VARIANT& parameter)
{
    _ADORecordsetHelper rows;
    if (!theLibraryConnection.RunStoredQuery(lpszQuery, &parameter, 1, rows.ReceivePointer(), nullptr, kAnyCommand))
        return refreshFailed;
    return RefreshNodeFromRecordset(hItem, rows.Get());
}

CMainTreeCtrl::RefreshResult CMainTreeCtrl::RefreshArtistNode(HTREEITEM hItem)
{
    return RefreshNodeFromSql(hItem, "qArtistList");
}

CMainTreeCtrl::RefreshResult CMainTreeCtrl::RefreshMembership(HTREEITEM hItem, LPCTSTR lpszQuery)
{
    // The membership queries declare the member's id first and the group's second, and bind by position.
    const _variant_t parameters[] = { _variant_t(static_cast<long>(GetNodeRecordId(hItem))),
        _variant_t(static_cast<long>(GetNodeRecordId(FindGroupAncestor(hItem)))) };
    return RefreshNodeFromSingleRow(hItem, lpszQuery, parameters, 2);
}

CMainTreeCtrl::RefreshResult CMainTreeCtrl::RefreshGroupTrackNode(HTREEITEM hItem)
{
    return RefreshMembership(hItem, "qGetGroupTrack");
}

CMainTreeCtrl::RefreshResult CMainTreeCtrl::RefreshAlbumNode(HTREEITEM hItem)
{
    if (FindGroupAncestor(hItem) != nullptr)
        return RefreshMembership(hItem, "qGetGroupAlbum");
    const int nRecordId = GetNodeRecordId(hItem);
    if (nRecordId == 0) {
        DeleteNode(hItem);
        return refreshDeleted;
    }
    // A query that cannot run says nothing about the album: the node stays. An album no longer in the
    // library has no row: the node goes.
    _ADORecordsetHelper rows;
    const _variant_t albumId(static_cast<long>(nRecordId));
    if (!theLibraryConnection.RunStoredQuery("qAlbumbyId", &albumId, 1, rows.ReceivePointer(), nullptr, kAnyCommand))
        return refreshFailed;
    if (!rows.IsEOF())
        return refreshUnchanged;
    DeleteNode(hItem);
    return refreshDeleted;
}

CMainTreeCtrl::RefreshResult CMainTreeCtrl::RefreshPlaylistNode(HTREEITEM hItem)
{
    if (FindGroupAncestor(hItem) != nullptr)
        return RefreshMembership(hItem, "qGetGroupPlaylist");
    return RefreshNodeFromStoredQuery(hItem, "qPlaylistsForCustomer", _variant_t(1L));
}

CMainTreeCtrl::RefreshResult CMainTreeCtrl::RefreshRadioGroupNode(HTREEITEM hItem)
{
    const _variant_t groupId(static_cast<long>(GetNodeRecordId(hItem)));
    return RefreshNodeFromSingleRow(hItem, "qGetRadioGroup", &groupId, 1);
}

BOOL CMainTreeCtrl::FillMusicGroup(HTREEITEM hGroup)
{
    const _variant_t groupId(static_cast<long>(GetNodeRecordId(hGroup)));
    switch (RefreshNodeFromSingleRow(hGroup, "qGetMusicGroup", &groupId, 1)) {
    case refreshFailed:
        return FALSE;
    case refreshDeleted:
        return TRUE;
    default:
        break;
    }
    return MergeChildrenFromStoredQuery(hGroup, kindGroupTrack, "qGetGroupTracks", groupId)
        && MergeChildrenFromStoredQuery(hGroup, kindAlbum, "qGetGroupAlbums", groupId)
        && MergeChildrenFromStoredQuery(hGroup, kindPlaylist, "qGetGroupPlaylists", groupId);
}

BOOL CMainTreeCtrl::RefreshMusicGroups()
{
    return m_hGroups != nullptr && MergeChildrenFromSql(m_hGroups, kindMusicGroup, "qGroupsList");
}

BOOL CMainTreeCtrl::RefreshRadioGroups()
{
    return m_hRadioGroups != nullptr && MergeChildrenFromSql(m_hRadioGroups, kindRadioGroup, "qIRadioGroupList");
}
