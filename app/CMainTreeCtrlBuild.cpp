// Building the library tree from the open library and the computer's drives, reading folders when a
// drive or folder is expanded, and keeping each library's expanded branches.
#include "app/CMainTreeCtrl.h"

#include <cstdlib>

#include "app/CPelicanApp.h"
#include "app/RowValues.h"
#include "app/TuneStewardIds.h"
#include "app/WindowHelpers.h"
#include "library/LibraryLocations.h"
#include "library/RegistryRoutines.h"
#include "library/ResultChecking.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADORecordsetHelper.h"
#include "platform/base/DriveApi.h"
#include "platform/com/BstrT.h"
#include "toolkit/controls/SECFileSystem.h"
#include "toolkit/frames/SECFrameWnd.h"

namespace {

constexpr long kAnyCommand = -1;
constexpr const char* kProductWithoutDisk = "Songvault";
constexpr const char* kExpanded = "E";
constexpr const char* kCollapsed = "C";

// The separators a row is read with: made once, not again for each of many thousand rows.
struct RowTextFormat {
    const _bstr_t column { "," };
    const _bstr_t row { "\n" };
    const _bstr_t null { "" };
};

// The next row as text: its fields joined by ",", Null as empty, without the row's line feed.
CString NextRowText(_Recordset* pRecordset, const RowTextFormat& format)
{
    BSTR text = nullptr;
    CheckResult(pRecordset->GetString(adClipString, 1, format.column, format.row, format.null, &text),
        theLibraryConnection.GetConnection());
    CString strRow(static_cast<const char*>(_bstr_t(text, false)));
    if (!strRow.IsEmpty() && strRow[strRow.GetLength() - 1] == '\n')
        strRow.Delete(strRow.GetLength() - 1);
    return strRow;
}

// Takes the text after the last "," off the row and gives it as a number; the label before it may
// hold commas itself.
long TakeLastField(CString& strRow)
{
    const int nComma = strRow.ReverseFind(',');
    if (nComma < 0) {
        const long nValue = std::atol(strRow);
        strRow.Empty();
        return nValue;
    }
    const long nValue = std::atol(strRow.Mid(nComma + 1));
    strRow = strRow.Left(nComma);
    return nValue;
}

// A Yes/No value read as text: the engine writes it "True" or "False", older data a number.
bool IsTrueText(const CString& strValue)
{
    return strValue.CompareNoCase("True") == 0 || std::atol(strValue) != 0;
}

CString LoadText(UINT nId)
{
    CString strText;
    strText.LoadString(nId);
    return strText;
}

// The submenu of the menu bar whose text is the string's; null when there is none.
CMenu* FindSubMenu(CMenu* pMenu, UINT nTextId)
{
    const int nAt = pMenu ? FindMenuItemByText(pMenu, LoadText(nTextId)) : -1;
    return nAt < 0 ? nullptr : pMenu->GetSubMenu(nAt);
}

// Deletes the items at the command's position plus each offset, in the order given.
void DeleteAround(CMenu* pMenu, UINT nCommand, std::initializer_list<int> offsets)
{
    const int nAt = pMenu ? FindMenuItemById(pMenu, nCommand) : -1;
    if (nAt < 0)
        return;
    for (int nOffset : offsets)
        pMenu->DeleteMenu(nAt + nOffset, MF_BYPOSITION);
}

} // namespace

CString CMainTreeCtrl::TreeStateSection()
{
    return GetLibraryFolderName() + "\\TreeState";
}

HTREEITEM CMainTreeCtrl::InsertBranch(UINT nLabelId, HTREEITEM hParent, int nKind)
{
    return InsertNode(LoadText(nLabelId), hParent, TVI_LAST, nKind, 0);
}

void CMainTreeCtrl::FillFromRecordset(HTREEITEM hParent, int nKind, _Recordset* pRecordset, BOOL bWithRecordId)
{
    LONG nCount = 0;
    CheckResult(pRecordset->get_RecordCount(&nCount), theLibraryConnection.GetConnection());
    // Each row goes after the one before it, which is the last child: no walk to the end of the children.
    HTREEITEM hAfter = TVI_LAST;
    const RowTextFormat format;
    for (LONG n = 0; n < nCount; ++n) {
        CString strLabel = NextRowText(pRecordset, format);
        const long nRecordId = bWithRecordId ? TakeLastField(strLabel) : 0;
        if (const HTREEITEM hItem = InsertNode(strLabel, hParent, hAfter, nKind, nRecordId))
            hAfter = hItem;
    }
}

BOOL CMainTreeCtrl::FillFromSql(HTREEITEM hParent, int nKind, LPCTSTR lpszSql, BOOL bWithRecordId)
{
    _ADORecordsetHelper rows;
    if (!theLibraryConnection.ExecuteSql(lpszSql, rows.ReceivePointer(), adCmdTable))
        return FALSE;
    FillFromRecordset(hParent, nKind, rows.Get(), bWithRecordId);
    return TRUE;
}

BOOL CMainTreeCtrl::FillFromStoredQuery(
    HTREEITEM hParent, int nKind, LPCTSTR lpszQuery, const VARIANT* pParameters, int nCount, BOOL bWithRecordId)
{
    _ADORecordsetHelper rows;
    if (!theLibraryConnection.RunStoredQuery(lpszQuery, pParameters, nCount, rows.ReceivePointer(), nullptr, kAnyCommand))
        return FALSE;
    FillFromRecordset(hParent, nKind, rows.Get(), bWithRecordId);
    return TRUE;
}

BOOL CMainTreeCtrl::FillArtists(HTREEITEM hArtists)
{
    return FillFromSql(hArtists, kindArtist, "qArtistList", FALSE);
}

BOOL CMainTreeCtrl::FillPlaylists(HTREEITEM hPlaylists)
{
    const _variant_t customer(1L);
    return FillFromStoredQuery(hPlaylists, kindPlaylist, "qPlaylistsForCustomer", &customer, 1, TRUE);
}

BOOL CMainTreeCtrl::FillRadioGroups(HTREEITEM hRadioGroups)
{
    return FillFromSql(hRadioGroups, kindRadioGroup, "qIRadioGroupList", TRUE);
}

BOOL CMainTreeCtrl::FillAlbums(HTREEITEM hAlbums)
{
    _ADORecordsetHelper rows;
    if (!theLibraryConnection.ExecuteSql("qAlbumCDTitleList", rows.ReceivePointer(), adCmdTable))
        return FALSE;
    LONG nCount = 0;
    CheckResult(rows.Get()->get_RecordCount(&nCount), theLibraryConnection.GetConnection());
    HTREEITEM hAfter = TVI_LAST;
    const RowTextFormat format;
    for (LONG n = 0; n < nCount; ++n) {
        CString strLabel = NextRowText(rows.Get(), format);
        const long nRecordId = TakeLastField(strLabel);
        const int nComma = strLabel.ReverseFind(',');
        const bool bCD = nComma >= 0 && IsTrueText(strLabel.Mid(nComma + 1));
        if (nComma >= 0)
            strLabel = strLabel.Left(nComma);
        if (const HTREEITEM hItem = InsertNode(strLabel, hAlbums, hAfter, bCD ? kindCDAlbum : kindAlbum, nRecordId))
            hAfter = hItem;
    }
    return TRUE;
}

BOOL CMainTreeCtrl::FillGroups(HTREEITEM hGroups)
{
    _ADORecordsetHelper rows;
    if (!theLibraryConnection.ExecuteSql("qGroupsList", rows.ReceivePointer(), adCmdTable))
        return FALSE;
    const CString strSection = TreeStateSection();
    for (; !rows.IsEOF(); rows.MoveNext()) {
        const long nGroupId = RowValueLong(rows.GetValue("GroupID"));
        const HTREEITEM hGroup
            = InsertNode(RowValueText(rows.GetValue("GroupName")), hGroups, TVI_LAST, kindMusicGroup, nGroupId);
        if (hGroup == nullptr)
            continue;
        FillGroupContents(hGroup, nGroupId);
        RestoreNodeState(hGroup, strSection);
    }
    return TRUE;
}

BOOL CMainTreeCtrl::FillGroupContents(HTREEITEM hGroup, long nGroupId)
{
    struct Member {
        const char* idColumn;
        int nKind;
        const char* query;
        const char* labelColumn;
    };
    // A row names one member: the first of these ids that is not 0.
    static constexpr Member members[] = {
        { "AlbumTrackID", kindGroupTrack, "qGroupTrackbyId", "TrackTitle" },
        { "PlaylistID", kindPlaylist, "qGroupPlaylistbyId", "PlaylistName" },
        { "QVCDID", kindAlbum, "qAlbumbyId", "Title" },
    };
    _ADORecordsetHelper rows;
    const _variant_t groupId(nGroupId);
    if (!theLibraryConnection.RunStoredQuery("qGroupContentbyId", &groupId, 1, rows.ReceivePointer(), nullptr, kAnyCommand))
        return FALSE;
    for (; !rows.IsEOF(); rows.MoveNext()) {
        const Member* pMember = nullptr;
        long nMemberId = 0;
        for (const Member& member : members) {
            nMemberId = RowValueLong(rows.GetValue(member.idColumn));
            if (nMemberId != 0) {
                pMember = &member;
                break;
            }
        }
        if (pMember == nullptr)
            continue;
        _ADORecordsetHelper detail;
        const _variant_t memberId(nMemberId);
        if (!theLibraryConnection.RunStoredQuery(pMember->query, &memberId, 1, detail.ReceivePointer(), nullptr, kAnyCommand))
            return FALSE;
        // The member was deleted from the library: it leaves the group's branch.
        if (detail.IsEOF())
            continue;
        CString strLabel = RowValueText(detail.GetValue(pMember->labelColumn));
        if (strLabel.IsEmpty())
            strLabel = emptyMemberLabel;
        int nKind = pMember->nKind;
        if (nKind == kindAlbum && RowValueLong(detail.GetValue("IsCD")) != 0)
            nKind = kindCDAlbum;
        InsertNode(strLabel, hGroup, TVI_LAST, nKind, nMemberId);
    }
    return TRUE;
}

BOOL CMainTreeCtrl::FillMyComputer(HTREEITEM hMyComputer)
{
    SECFileSystem files;
    const std::unique_ptr<CStringList> roots(files.GetDriveList());
    for (POSITION pos = roots ? roots->GetHeadPosition() : nullptr; pos != nullptr;) {
        const CString strRoot = roots->GetNext(pos);
        int nKind = kindFixedDrive;
        switch (GetDriveType(strRoot)) {
        case DRIVE_REMOVABLE:
            nKind = kindRemovableDrive;
            break;
        case DRIVE_REMOTE:
            nKind = kindNetworkDrive;
            break;
        case DRIVE_CDROM:
            nKind = kindCDRomDrive;
            break;
        default:
            break;
        }
        CString strLabel = strRoot;
        if (!strLabel.IsEmpty() && strLabel[strLabel.GetLength() - 1] == '\\')
            strLabel.Delete(strLabel.GetLength() - 1);
        TVINSERTSTRUCT insert;
        insert.hParent = hMyComputer;
        insert.hInsertAfter = TVI_SORT;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
        insert.item.pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(strLabel));
        insert.item.iImage = GetImageForKind(nKind);
        insert.item.iSelectedImage = insert.item.iImage;
        insert.item.cChildren = 1;
        CTreeNode* pNode = AddNode(nKind, 0);
        insert.item.lParam = reinterpret_cast<LPARAM>(pNode);
        if (InsertItem(&insert) == nullptr)
            ForgetNodes({ pNode });
    }
    return TRUE;
}

LRESULT CMainTreeCtrl::NotifyItemExpanding(_Node* pNode, UINT nCode)
{
    if (pNode != nullptr && nCode == TVE_EXPAND) {
        const HTREEITEM hItem = pNode->Handle();
        const int nKind = GetNodeKind(hItem);
        if ((IsDriveKind(nKind) || nKind == kindFolder) && GetChildItem(hItem) == nullptr)
            FillFolders(hItem);
    }
    return SECTreeCtrl::NotifyItemExpanding(pNode, nCode);
}

void CMainTreeCtrl::FillFolders(HTREEITEM hItem)
{
    CString strPath;
    GetItemPath(hItem, strPath, m_hMyComputer, "\\");
    TVITEM model;
    model.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    model.iImage = GetImageForKind(kindFolder);
    model.iSelectedImage = model.iImage;
    model.lParam = 0;
    InsertFolderItems(hItem, strPath, FALSE, &model);
    // Each folder gets a node of its own, so that deleting one never frees what its siblings hold.
    bool bAny = false;
    for (HTREEITEM hChild = GetChildItem(hItem); hChild != nullptr; hChild = GetNextSiblingItem(hChild)) {
        bAny = true;
        if (GetItemData(hChild) == 0)
            SetItemData(hChild, reinterpret_cast<LPARAM>(AddNode(kindFolder, 0)));
    }
    if (!bAny)
        SetItemHasChildren(hItem, FALSE, TRUE);
}

void CMainTreeCtrl::ResetDriveNode(LPCTSTR lpszDrive)
{
    if (m_hMyComputer == nullptr || lpszDrive == nullptr)
        return;
    // Only the drive items themselves are candidates: a folder read below another drive may carry the
    // drive's name as a word ("e-books" for "e").
    CString strDrive(lpszDrive);
    if (!strDrive.IsEmpty() && strDrive[strDrive.GetLength() - 1] == '\\')
        strDrive.Delete(strDrive.GetLength() - 1);
    HTREEITEM hDrive = nullptr;
    for (HTREEITEM h = GetChildItem(m_hMyComputer); h != nullptr && hDrive == nullptr; h = GetNextSiblingItem(h)) {
        const CString strLabel = GetItemText(h, 0);
        if (strLabel.CompareNoCase(strDrive) == 0 || strLabel.CompareNoCase(strDrive + ":") == 0)
            hDrive = h;
    }
    if (hDrive == nullptr)
        return;
    // Collapsed first, so that the next expansion shows the folders it reads.
    Expand(hDrive, TVE_COLLAPSE, FALSE);
    DeleteChildren(hDrive);
    SetItemHasChildren(hDrive, TRUE, FALSE);
    RecalcLayout();
}

void CMainTreeCtrl::RestoreNodeState(HTREEITEM hItem, const CString& strSection)
{
    if (ReadRegistryValue(GetItemText(hItem, 0), strSection).CompareNoCase(kCollapsed) == 0)
        Expand(hItem, TVE_COLLAPSE);
}

void CMainTreeCtrl::FillBranch(HTREEITEM hBranch, const CString& strSection, BOOL (CMainTreeCtrl::*pfnFill)(HTREEITEM))
{
    if (hBranch == nullptr)
        return;
    try {
        (this->*pfnFill)(hBranch);
        RestoreNodeState(hBranch, strSection);
    } catch (const _com_error&) {
        // Shown where it was met; the branch keeps what it was given so far and the build goes on.
    }
}

void CMainTreeCtrl::BuildTree()
{
    const CString strSection = TreeStateSection();
    SetRedraw(FALSE);
    m_hSearchResults = nullptr;

    m_hMusic = InsertBranch(IDS_TREE_MUSIC, TVI_ROOT, kindMusic);
    m_hAll = InsertBranch(IDS_TREE_ALL, m_hMusic, kindAll);
    m_hArtists = InsertBranch(IDS_TREE_ARTISTS, m_hMusic, kindArtists);
    FillBranch(m_hArtists, strSection, &CMainTreeCtrl::FillArtists);
    m_hAlbums = InsertBranch(IDS_TREE_ALBUMS, m_hMusic, kindAlbums);
    FillBranch(m_hAlbums, strSection, &CMainTreeCtrl::FillAlbums);
    m_hGroups = InsertBranch(IDS_TREE_GROUPS, m_hMusic, kindMusicGroups);
    FillBranch(m_hGroups, strSection, &CMainTreeCtrl::FillGroups);
    m_hPlaylists = InsertBranch(IDS_TREE_PLAYLISTS, m_hMusic, kindPlaylists);
    FillBranch(m_hPlaylists, strSection, &CMainTreeCtrl::FillPlaylists);

    CPelicanApp* pApp = GetPelicanApp();
    if (pApp != nullptr && pApp->m_bRadioSupported) {
        m_hRadio = InsertBranch(IDS_TREE_RADIO, TVI_ROOT, kindRadio);
        m_hStations = InsertBranch(IDS_TREE_STATIONS, m_hRadio, kindStations);
        m_hRadioGroups = InsertBranch(IDS_TREE_GROUPS, m_hRadio, kindRadioGroups);
        FillBranch(m_hRadioGroups, strSection, &CMainTreeCtrl::FillRadioGroups);
    } else {
        m_hRadio = m_hStations = m_hRadioGroups = nullptr;
    }
    if (pApp == nullptr || pApp->m_strProduct.CompareNoCase(kProductWithoutDisk) != 0) {
        m_hMyComputer = InsertBranch(IDS_TREE_MY_COMPUTER, TVI_ROOT, kindMyComputer);
        if (m_hMyComputer != nullptr)
            FillMyComputer(m_hMyComputer);
    } else {
        m_hMyComputer = nullptr;
    }
    PruneMenus();

    SetRedraw(TRUE);
    RecalcLayout();
    Invalidate();
    Select(m_hAll, TVGN_CARET);
}

void CMainTreeCtrl::PruneMenus()
{
    CPelicanApp* pApp = GetPelicanApp();
    auto* pFrame = dynamic_cast<SECFrameWnd*>(AfxGetMainWnd());
    CMenu* pMenu = pFrame ? pFrame->GetCurrentMenu() : nullptr;
    if (pApp == nullptr || pMenu == nullptr)
        return;
    if (!pApp->m_bRadioSupported) {
        if (CMenu* pMedia = FindSubMenu(pMenu, IDS_TREE_MEDIA_MENU)) {
            const int nRadioGroup = FindMenuItemByText(pMedia, LoadText(IDS_TREE_RADIO_GROUP_MENU));
            if (nRadioGroup >= 0)
                pMedia->DeleteMenu(nRadioGroup, MF_BYPOSITION);
            DeleteAround(pMedia, ID_MEDIA_DELETE_STATION, { +1, 0, -1 });
        }
    }
    if (!pApp->m_bAccountsSupported)
        DeleteAround(FindSubMenu(pMenu, IDS_TREE_TOOLS_MENU), ID_TOOLS_ACCOUNT_MANAGEMENT, { +1, 0 });
    if (pApp->m_strProduct.CompareNoCase(kProductWithoutDisk) == 0) {
        DeleteAround(FindSubMenu(pMenu, IDS_TREE_FILE_MENU), ID_FILE_IMPORT_PLAYLIST, { +1, 0, -1 });
        DeleteAround(FindSubMenu(pMenu, IDS_TREE_MEDIA_MENU), ID_MEDIA_CHANGE_ALBUM, { +2, +1, 0 });
        DeleteAround(FindSubMenu(pMenu, IDS_TREE_TOOLS_MENU), ID_TOOLS_SEARCH_FOR_MUSIC_FILE, { 0 });
    }
}

void CMainTreeCtrl::RebuildTree()
{
    SetRedraw(FALSE);
    SaveTreeState();
    DeleteAllNodes();
    BuildTree();
}

void CMainTreeCtrl::SaveTreeState()
{
    const CString strSection = TreeStateSection();
    DeleteRegistryKey(strSection);
    for (HTREEITEM h = GetRootItem(); h != nullptr; h = GetNextSiblingItem(h))
        if (GetChildItem(h) != nullptr)
            SaveNodeState(h, strSection);
}

void CMainTreeCtrl::SaveNodeState(HTREEITEM hItem, const CString& strSection)
{
    const bool bExpanded = (GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    WriteRegistryValue(bExpanded ? kExpanded : kCollapsed, GetItemText(hItem, 0), strSection);
    for (HTREEITEM hChild = GetChildItem(hItem); hChild != nullptr; hChild = GetNextSiblingItem(hChild))
        if (GetChildItem(hChild) != nullptr)
            SaveNodeState(hChild, strSection);
}
