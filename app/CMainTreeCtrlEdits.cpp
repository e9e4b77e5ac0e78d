// The library edits the tree carries out for its commands, for the main frame, the import and the
// album page: deleting and renaming albums and playlists, taking members out of groups and filing
// albums under their genre's group, each followed by the tree.
#include "app/CMainTreeCtrl.h"

#include <initializer_list>

#include "app/CPelicanApp.h"
#include "library/AppRoutines.h"
#include "library/ChangeTracking.h"
#include "library/GroupEdits.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADORecordsetHelper.h"
#include "platform/com/BstrT.h"

namespace {

constexpr const char* kOtherGenre = "Other";

bool RunAction(LPCTSTR lpszQuery, std::initializer_list<_variant_t> parameters)
{
    return theLibraryConnection.RunStoredQuery(
        lpszQuery, parameters.begin(), static_cast<int>(parameters.size()), nullptr, nullptr, adCmdUnknown);
}

CString TextOf(const _variant_t& value)
{
    return value.vt == VT_BSTR ? CString(static_cast<const char*>(_bstr_t(value))) : CString();
}

} // namespace

std::vector<HTREEITEM> CMainTreeCtrl::FindRecordNodes(HTREEITEM hBranch, long nRecordId, int nKind, int nOtherKind)
{
    std::vector<HTREEITEM> found;
    if (nRecordId == 0)
        return found;
    std::vector<HTREEITEM> items;
    if (hBranch != nullptr)
        CollectSubtree(hBranch, items);
    else
        for (HTREEITEM h = GetRootItem(); h != nullptr; h = GetNextSiblingItem(h))
            CollectSubtree(h, items);
    for (const HTREEITEM h : items) {
        const int nNodeKind = GetNodeKind(h);
        if ((nNodeKind == nKind || nNodeKind == nOtherKind) && GetNodeRecordId(h) == nRecordId)
            found.push_back(h);
    }
    return found;
}

void CMainTreeCtrl::DeleteRecordNodes(HTREEITEM hBranch, long nRecordId, int nKind, int nOtherKind)
{
    for (const HTREEITEM h : FindRecordNodes(hBranch, nRecordId, nKind, nOtherKind))
        DeleteNode(h);
}

BOOL CMainTreeCtrl::DeleteAlbum(long nAlbumId, BOOL bRefresh)
{
    const _variant_t id(nAlbumId);
    if (!RunAction("qDeleteAlbumbyId", { id }))
        return FALSE;
    RunAction("qDeleteTracksbyAlbumId", { id });
    MarkRowDeleted("tMusicTracks", "QVCDID", nAlbumId);
    MarkRowDeleted("tGroupList", "QVCDID", nAlbumId);
    SetLibraryModified(true);
    if (bRefresh) {
        RefreshCategory(kindAlbums);
        RefreshCategory(kindArtists);
    }
    return TRUE;
}

BOOL CMainTreeCtrl::RenameAlbum(long nAlbumId, LPCTSTR lpszNewTitle, LPCTSTR lpszOldTitle, BOOL bUpdateOthers)
{
    (void)lpszOldTitle; // the record is found by its id; the nodes too
    const CString strTitle = NameForColumn(lpszNewTitle, "tMusicMain", "Title");
    if (strTitle.IsEmpty() || !RunAction("qRenameAlbumbyId", { _variant_t(strTitle.GetString()), _variant_t(nAlbumId) }))
        return FALSE;
    SetLibraryModified(true);
    if (bUpdateOthers) {
        for (const HTREEITEM h : FindRecordNodes(nullptr, nAlbumId, kindAlbum, kindCDAlbum))
            SetItemText(h, strTitle);
        if (m_hAlbums != nullptr)
            SortChildren(m_hAlbums, TRUE, TRUE);
    }
    return TRUE;
}

BOOL CMainTreeCtrl::RenamePlaylist(long nPlaylistId, LPCTSTR lpszNewName, LPCTSTR lpszOldName, BOOL bUpdateOthers)
{
    (void)lpszOldName;
    const CString strName = NameForColumn(lpszNewName, "tPlaylists", "PlaylistName");
    if (strName.IsEmpty() || !RunAction("qRenamePlaylist", { _variant_t(strName.GetString()), _variant_t(nPlaylistId) }))
        return FALSE;
    SetLibraryModified(true);
    if (bUpdateOthers) {
        for (const HTREEITEM h : FindRecordNodes(nullptr, nPlaylistId, kindPlaylist, kindPlaylist))
            SetItemText(h, strName);
        if (m_hPlaylists != nullptr)
            SortChildren(m_hPlaylists, TRUE, TRUE);
    }
    return TRUE;
}

BOOL CMainTreeCtrl::RemoveFromGroup(HTREEITEM hItem)
{
    if (hItem == nullptr)
        hItem = GetSelectedItem();
    const int nKind = GetNodeKind(hItem);
    const bool bAlbum = nKind == kindAlbum || nKind == kindCDAlbum;
    if (!bAlbum && nKind != kindPlaylist)
        return FALSE;
    // Only a member of a music group leaves one: an album under Albums is in no group, whatever a group
    // happens to be called.
    const HTREEITEM hGroup = GetParentItem(hItem);
    if (GetNodeKind(hGroup) != kindMusicGroup)
        return FALSE;
    const CString strGroup = GetItemText(hGroup, 0);
    LONG nGroupId = 0;
    const long nMemberId = GetNodeRecordId(hItem);
    if (!VariantToLong(GroupIdForName(strGroup), nGroupId) || nMemberId == 0)
        return FALSE;
    CString strSql;
    strSql.Format(bAlbum ? "UPDATE tGroupList SET  tGroupList.TimeStamp = Now(), DeleteFlag = True WHERE GroupID=%ld AND QVCDID=%ld"
                         : "UPDATE tGroupList SET  tGroupList.TimeStamp = Now(), DeleteFlag = True WHERE GroupID=%ld AND PlaylistID=%ld",
        static_cast<long>(nGroupId), nMemberId);
    if (!theLibraryConnection.ExecuteSql(strSql, nullptr, adCmdText))
        return FALSE;
    DeleteNode(hItem);
    SetLibraryModified(true);
    if (!bAlbum)
        return TRUE;
    // An album that left the group of its own genre takes the genre of another of its groups.
    const _variant_t albumId(nMemberId);
    const CString strGenre = TextOf(theLibraryConnection.RunStoredQueryScalar("qGenreNameByAlbumId", &albumId, 1, adCmdUnknown));
    if (strGenre.IsEmpty() || strGenre.CompareNoCase(strGroup) != 0)
        return TRUE;
    CString strNewGenre(kOtherGenre);
    _ADORecordsetHelper rows;
    if (theLibraryConnection.RunStoredQuery("qGroupNameByAlbumId", &albumId, 1, rows.ReceivePointer(), nullptr, adCmdUnknown)
        && rows.HasRecordset())
        for (; !rows.IsEOF(); rows.MoveNext()) {
            const CString strName = TextOf(rows.GetValue("GroupName"));
            if (GenreIdForName(strName) != -1) {
                strNewGenre = strName;
                break;
            }
        }
    rows.Release();
    // A library without the genre has no id to give: the album keeps the genre it has.
    const long nGenreId = GenreIdForName(strNewGenre);
    if (nGenreId == -1)
        return TRUE;
    strSql.Format("UPDATE tMusicMain SET tMusicMain.TimeStamp = Now(), ModifyFlag = True, QVGenreID=%ld WHERE QVCDID=%ld", nGenreId,
        nMemberId);
    theLibraryConnection.ExecuteSql(strSql, nullptr, adCmdText);
    return TRUE;
}

BOOL CMainTreeCtrl::FindGenreGroup(long nGenreId, long nAlbumId, CString& strGenre, long& nGroupId, bool& bExisted)
{
    const CPelicanApp* pApp = GetPelicanApp();
    if (pApp == nullptr)
        return FALSE;
    strGenre.Empty();
    for (INT_PTR i = 0; i < pApp->m_genres.GetSize(); ++i)
        if (pApp->m_genres[i].m_nGenreId == nGenreId) {
            strGenre = pApp->m_genres[i].m_strGenre;
            break;
        }
    if (strGenre.IsEmpty() || !AddGroup(strGenre, &nGroupId, &bExisted))
        return FALSE;
    return !(bExisted && IsInGroup(nGroupId, 0, nAlbumId, 0));
}

HTREEITEM CMainTreeCtrl::GenreGroupItem(const CString& strGenre, long nGroupId, bool bExisted)
{
    if (m_hGroups == nullptr)
        return nullptr;
    Expand(m_hGroups, TVE_EXPAND);
    if (bExisted)
        return FindChildItem(m_hGroups, strGenre);
    return InsertNode(strGenre, m_hGroups, TVI_LAST, kindMusicGroup, static_cast<int>(nGroupId));
}

BOOL CMainTreeCtrl::AddAlbumToGenreGroup(long nGenreId, long nAlbumId, LPCTSTR lpszTitle)
{
    CString strGenre;
    long nGroupId = 0;
    bool bExisted = false;
    if (!FindGenreGroup(nGenreId, nAlbumId, strGenre, nGroupId, bExisted) || !AddToGroup(nGroupId, 0, nAlbumId, 0))
        return FALSE;
    SetLibraryModified(true);
    if (const HTREEITEM hGroup = GenreGroupItem(strGenre, nGroupId, bExisted))
        InsertNode(lpszTitle, hGroup, TVI_LAST, kindAlbum, static_cast<int>(nAlbumId));
    return TRUE;
}

BOOL CMainTreeCtrl::MoveAlbumToGenreGroup(long nGenreId, long nAlbumId, LPCTSTR lpszTitle)
{
    CString strGenre;
    long nGroupId = 0;
    bool bExisted = false;
    if (!FindGenreGroup(nGenreId, nAlbumId, strGenre, nGroupId, bExisted)
        || !RunAction("qChangeMusicGroup", { _variant_t(nGroupId), _variant_t(nAlbumId) }))
        return FALSE;
    if (!IsInGroup(nGroupId, 0, nAlbumId, 0) && !AddToGroup(nGroupId, 0, nAlbumId, 0))
        return FALSE;
    SetLibraryModified(true);
    // Every membership moved, so every node of the album in a group goes; its node under Albums stays.
    HTREEITEM hSelected = GetSelectedItem();
    for (const HTREEITEM h : FindRecordNodes(m_hGroups, nAlbumId, kindAlbum, kindCDAlbum)) {
        if (h == hSelected)
            hSelected = nullptr;
        DeleteNode(h);
    }
    HTREEITEM hNew = nullptr;
    if (const HTREEITEM hGroup = GenreGroupItem(strGenre, nGroupId, bExisted))
        hNew = InsertNode(lpszTitle, hGroup, TVI_LAST, kindAlbum, static_cast<int>(nAlbumId));
    if (hSelected != nullptr)
        SelectItem(hSelected);
    else if (hNew != nullptr)
        SelectItem(hNew);
    return TRUE;
}
