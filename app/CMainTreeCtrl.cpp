// The library tree's nodes: inserting and deleting them with their node objects, and the lookups the
// commands, searches and refreshes use.
#include "app/CMainTreeCtrl.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

#include "app/TuneStewardIds.h"
#include "platform/afx/AfxPriv.h"
#include "platform/user/ContextHelp.h"

IMPLEMENT_DYNAMIC(CMainTreeCtrl, SECTreeCtrl)

BEGIN_MESSAGE_MAP(CMainTreeCtrl, SECTreeCtrl)
ON_WM_CREATE()
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
ON_NOTIFY_REFLECT(NM_RCLICK, OnRClick)
ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelChanged)
ON_NOTIFY_REFLECT(TVN_BEGINLABELEDIT, OnBeginLabelEdit)
ON_NOTIFY_REFLECT(TVN_ENDLABELEDIT, OnEndLabelEdit)
ON_NOTIFY_REFLECT(TVN_BEGINDRAG, OnBeginDrag)
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_INITMENUPOPUP()
ON_COMMAND(ID_TREE_PLAYLIST_NEW, OnPlaylistsNewPlaylist)
ON_COMMAND(ID_TREE_MUSIC_GROUP_NEW, OnMusicGroupNew)
ON_COMMAND(ID_TREE_RADIO_GROUP_NEW, OnRadioGroupNew)
ON_COMMAND(ID_TREE_PLAYLIST_RENAME, OnRenameNode)
ON_COMMAND(ID_TREE_MUSIC_GROUP_RENAME, OnRenameNode)
ON_COMMAND(ID_TREE_RADIO_GROUP_RENAME, OnRenameNode)
ON_COMMAND(ID_TREE_ARTIST_RENAME, OnRenameNode)
ON_COMMAND(ID_TREE_ALBUM_RENAME, OnRenameNode)
ON_COMMAND(ID_TREE_PLAYLIST_DELETE, OnPlaylistDelete)
ON_COMMAND(ID_TREE_MUSIC_GROUP_DELETE, OnMusicGroupDelete)
ON_COMMAND(ID_TREE_RADIO_GROUP_DELETE, OnRadioGroupDelete)
ON_COMMAND(ID_TREE_ALBUM_DELETE, OnAlbumDelete)
ON_COMMAND(ID_ALBUM_DELETE_TAGGED, OnAlbumDeleteTagged)
ON_COMMAND(ID_TREE_ARTIST_DELETE, OnArtistDelete)
ON_COMMAND(ID_TREE_GROUP_MEMBER_DELETE, OnGroupListDelete)
ON_COMMAND(ID_TREE_ADD_STATION, OnRadioAddStation)
ON_COMMAND(ID_TREE_ALBUM_ADD_TO_GROUP, OnAlbumAddToGroup)
ON_COMMAND(ID_TREE_ALBUM_REMOVE_FROM_GROUP, OnRemoveFromGroup)
ON_COMMAND(ID_TREE_PLAYLIST_REMOVE_FROM_GROUP, OnRemoveFromGroup)
ON_COMMAND(ID_TREE_PLAYLIST_ADD_TO_GROUP, OnPlaylistAddToGroup)
ON_UPDATE_COMMAND_UI(ID_TREE_PLAYLIST_NEW, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_TREE_PLAYLIST_RENAME, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_TREE_PLAYLIST_DELETE, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_TREE_MUSIC_GROUP_NEW, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_TREE_MUSIC_GROUP_RENAME, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_TREE_MUSIC_GROUP_DELETE, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_TREE_GROUP_MEMBER_DELETE, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_TREE_RADIO_GROUP_NEW, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_TREE_RADIO_GROUP_RENAME, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_TREE_RADIO_GROUP_DELETE, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_TREE_ARTIST_RENAME, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_TREE_ARTIST_DELETE, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_TREE_ALBUM_RENAME, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_TREE_ALBUM_DELETE, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_TREE_ADD_STATION, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_TREE_ALBUM_ADD_TO_GROUP, OnUpdateAlbumAddToGroup)
ON_UPDATE_COMMAND_UI(ID_TREE_ALBUM_REMOVE_FROM_GROUP, OnUpdateAlbumRemoveFromGroup)
ON_UPDATE_COMMAND_UI(ID_TREE_PLAYLIST_ADD_TO_GROUP, OnUpdatePlaylistAddToGroup)
ON_UPDATE_COMMAND_UI(ID_TREE_PLAYLIST_REMOVE_FROM_GROUP, OnUpdatePlaylistRemoveFromGroup)
END_MESSAGE_MAP()

namespace {

// The node images of the kinds 1 to 24 (image strip IDB_TREE_NODES); other kinds show image 8.
constexpr int kImageOfKind[] = { 18, 5, 0, 3, 1, 5, 4, 2, 19, 5, 15, 17, 14, 5, 14, 16, 13, 13, 10, 6, 7, 9, 12, 11 };
constexpr int kOtherImage = 8;
constexpr COLORREF kImageMask = RGB(255, 0, 255);

bool IsWordCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

// True when the text occurs in the label; with whole words only where no letter or "_" touches it.
// After an occurrence that fails the test, the rest of the label is searched as a label of its own.
bool LabelContains(const CString& strLabel, const CString& strText, bool bWholeWord)
{
    int nFrom = 0;
    const int nLength = strText.GetLength();
    for (int nAt = strLabel.Find(strText, nFrom); nAt >= 0; nAt = strLabel.Find(strText, nFrom)) {
        if (!bWholeWord)
            return true;
        const bool bFreeBefore = nAt == nFrom || !IsWordCharacter(strLabel[nAt - 1]);
        const bool bFreeAfter = nAt + nLength >= strLabel.GetLength() || !IsWordCharacter(strLabel[nAt + nLength]);
        if (bFreeBefore && bFreeAfter)
            return true;
        nFrom = nAt + nLength;
    }
    return false;
}

} // namespace

CMainTreeCtrl::CMainTreeCtrl(CWnd* pFrame)
    : SECTreeCtrlHelper(this)
    , m_pFrame(pFrame)
{
}

CMainTreeCtrl::~CMainTreeCtrl()
{
    // The items go with the window; their item data must not outlive it, so the nodes go afterwards.
    if (m_hWnd != nullptr)
        DestroyWindow();
    FreeAllNodes();
}

BOOL CMainTreeCtrl::Create(CWnd* pParent, const RECT& rect)
{
    return SECTreeCtrl::Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | treeStyles, treeStylesEx, rect, pParent, controlId);
}

int CMainTreeCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (SECTreeCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_imageList.Create(IDB_TREE_NODES, 16, 1, kImageMask);
    // Items are dragged to the list and to other nodes.
    ModifyTreeStyle(TVS_DISABLEDRAGDROP, 0);
    SetImageList(&m_imageList, TVSIL_NORMAL);
    SetWindowContextHelpId(m_hWnd, helpContextId);
    m_dropTarget.Register(this);
    return 0;
}

LRESULT CMainTreeCtrl::OnHelpHitTest(WPARAM, LPARAM)
{
    return helpContextId;
}

// --- nodes -----------------------------------------------------------------------------------------

CTreeNode* CMainTreeCtrl::NodeOfItem(HTREEITEM hItem)
{
    if (hItem == nullptr || hItem == TVI_ROOT)
        return nullptr;
    return reinterpret_cast<CTreeNode*>(GetItemData(hItem));
}

int CMainTreeCtrl::GetNodeKind(HTREEITEM hItem)
{
    const CTreeNode* pNode = NodeOfItem(hItem);
    return pNode ? pNode->m_nKind : 0;
}

int CMainTreeCtrl::GetNodeRecordId(HTREEITEM hItem)
{
    const CTreeNode* pNode = NodeOfItem(hItem);
    return pNode ? pNode->m_nRecordId : 0;
}

void CMainTreeCtrl::SetNodeRecordId(HTREEITEM hItem, int nRecordId)
{
    if (CTreeNode* pNode = NodeOfItem(hItem))
        pNode->m_nRecordId = nRecordId;
}

int CMainTreeCtrl::GetSelectedRecordId()
{
    return GetNodeRecordId(GetSelectedItem());
}

int CMainTreeCtrl::GetImageForKind(int nKind)
{
    if (nKind < kindSearchResults || nKind > kindNetworkDrive || nKind == kindUnused)
        return kOtherImage;
    return kImageOfKind[nKind - 1];
}

CTreeNode* CMainTreeCtrl::AddNode(int nKind, int nRecordId)
{
    auto* pNode = new CTreeNode(nKind);
    pNode->m_nRecordId = nRecordId;
    m_nodes.AddTail(pNode);
    return pNode;
}

void CMainTreeCtrl::ForgetNodes(const std::vector<CTreeNode*>& nodes)
{
    if (nodes.empty())
        return;
    const std::unordered_set<CTreeNode*> gone(nodes.begin(), nodes.end());
    for (POSITION pos = m_nodes.GetHeadPosition(); pos != nullptr;) {
        const POSITION at = pos;
        if (gone.count(m_nodes.GetNext(pos)) != 0)
            m_nodes.RemoveAt(at);
    }
    for (CTreeNode* pNode : gone)
        delete pNode;
}

void CMainTreeCtrl::FreeAllNodes()
{
    for (POSITION pos = m_nodes.GetHeadPosition(); pos != nullptr;)
        delete m_nodes.GetNext(pos);
    m_nodes.RemoveAll();
}

HTREEITEM CMainTreeCtrl::InsertNode(LPCTSTR lpszLabel, HTREEITEM hParent, HTREEITEM hInsertAfter, int nKind, int nRecordId)
{
    TVINSERTSTRUCT insert;
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<LPTSTR>(lpszLabel ? lpszLabel : "");
    insert.item.iImage = GetImageForKind(nKind);
    insert.item.iSelectedImage = insert.item.iImage;
    if (nKind == kindFolder) {
        // A folder shows its button before its subfolders are read.
        insert.item.mask |= TVIF_CHILDREN;
        insert.item.cChildren = 1;
    }
    CTreeNode* pNode = AddNode(nKind, nRecordId);
    insert.item.lParam = reinterpret_cast<LPARAM>(pNode);
    const HTREEITEM hItem = InsertItem(&insert);
    if (hItem == nullptr) {
        ForgetNodes({ pNode });
        return nullptr;
    }
    if (GetRedraw()) {
        EnsureVisible(hItem, FALSE);
        RedrawItem(hItem);
    } else {
        // A build with redrawing off: the collapsed ancestors open as EnsureVisible would open them, without
        // scrolling to every item on the way.
        for (HTREEITEM h = hParent; h != nullptr && h != TVI_ROOT; h = GetParentItem(h))
            if ((GetItemState(h, TVIS_EXPANDED) & TVIS_EXPANDED) == 0)
                Expand(h, TVE_EXPAND, FALSE);
    }
    return hItem;
}

void CMainTreeCtrl::CollectSubtree(HTREEITEM hItem, std::vector<HTREEITEM>& items)
{
    items.push_back(hItem);
    for (HTREEITEM hChild = GetChildItem(hItem); hChild != nullptr; hChild = GetNextSiblingItem(hChild))
        CollectSubtree(hChild, items);
}

BOOL CMainTreeCtrl::DeleteNode(HTREEITEM hItem)
{
    if (hItem == nullptr || hItem == TVI_ROOT)
        return FALSE;
    std::vector<HTREEITEM> items;
    CollectSubtree(hItem, items);
    const HTREEITEM hCaret = GetCaretItem();
    const bool bHadCaret = std::find(items.begin(), items.end(), hCaret) != items.end() && hCaret != nullptr;
    std::vector<CTreeNode*> nodes;
    for (HTREEITEM h : items)
        if (CTreeNode* pNode = NodeOfItem(h))
            nodes.push_back(pNode);
    if (!SECTreeCtrl::DeleteItem(hItem))
        return FALSE;
    // The descendants' nodes go too: nothing refers to them any more, and a node shared by siblings
    // would otherwise be freed under the siblings still holding it.
    ForgetNodes(nodes);
    ForgetBranchHandles(items);
    if (bHadCaret)
        Select(GetCaretItem(), TVGN_CARET);
    return TRUE;
}

void CMainTreeCtrl::DeleteChildren(HTREEITEM hItem)
{
    std::vector<HTREEITEM> gone;
    std::vector<CTreeNode*> nodes;
    while (const HTREEITEM hChild = GetChildItem(hItem)) {
        std::vector<HTREEITEM> items;
        CollectSubtree(hChild, items);
        std::vector<CTreeNode*> childNodes;
        for (HTREEITEM h : items)
            if (CTreeNode* pNode = NodeOfItem(h))
                childNodes.push_back(pNode);
        if (!SECTreeCtrl::DeleteItem(hChild))
            break;
        nodes.insert(nodes.end(), childNodes.begin(), childNodes.end());
        gone.insert(gone.end(), items.begin(), items.end());
    }
    ForgetNodes(nodes);
    ForgetBranchHandles(gone);
}

void CMainTreeCtrl::ForgetBranchHandles(const std::vector<HTREEITEM>& items)
{
    HTREEITEM* const handles[] = { &m_hSearchResults, &m_hMusic, &m_hAll, &m_hArtists, &m_hAlbums, &m_hGroups,
        &m_hRadioGroups, &m_hRadio, &m_hStations, &m_hPlaylists, &m_hMyComputer };
    for (HTREEITEM* pHandle : handles)
        if (std::find(items.begin(), items.end(), *pHandle) != items.end())
            *pHandle = nullptr;
}

void CMainTreeCtrl::DeleteAllNodes()
{
    DeleteAllItems();
    FreeAllNodes();
    for (HTREEITEM* pHandle : { &m_hSearchResults, &m_hMusic, &m_hAll, &m_hArtists, &m_hAlbums, &m_hGroups,
             &m_hRadioGroups, &m_hRadio, &m_hStations, &m_hPlaylists, &m_hMyComputer })
        *pHandle = nullptr;
}

HTREEITEM CMainTreeCtrl::FindGroupAncestor(HTREEITEM hItem)
{
    for (HTREEITEM h = hItem ? GetParentItem(hItem) : nullptr; h != nullptr && h != TVI_ROOT; h = GetParentItem(h)) {
        const int nKind = GetNodeKind(h);
        if (nKind == kindMusicGroup || nKind == kindRadioGroup)
            return h;
    }
    return nullptr;
}

void CMainTreeCtrl::CollectChildrenOfKind(HTREEITEM hParent, CPtrList& list, int nKind)
{
    for (HTREEITEM h = GetChildItem(hParent); h != nullptr; h = GetNextSiblingItem(h))
        if (GetNodeKind(h) == nKind)
            list.AddTail(h);
}

// --- walks and searches ----------------------------------------------------------------------------

HTREEITEM CMainTreeCtrl::GetNextItemInOrder(HTREEITEM hItem)
{
    if (const HTREEITEM hChild = GetChildItem(hItem))
        return hChild;
    for (HTREEITEM h = hItem; h != nullptr && h != TVI_ROOT; h = GetParentItem(h))
        if (const HTREEITEM hNext = GetNextSiblingItem(h))
            return hNext;
    return nullptr;
}

HTREEITEM CMainTreeCtrl::GetPrevItemInOrder(HTREEITEM hItem)
{
    if (const HTREEITEM hPrev = GetPrevSiblingItem(hItem))
        return GetLastItemInOrder(hPrev);
    const HTREEITEM hParent = GetParentItem(hItem);
    return hParent == TVI_ROOT ? nullptr : hParent;
}

HTREEITEM CMainTreeCtrl::GetLastItemInOrder(HTREEITEM hItem)
{
    if (hItem == nullptr) {
        hItem = GetRootItem();
        for (HTREEITEM h = hItem; h != nullptr; h = GetNextSiblingItem(h))
            hItem = h;
    }
    while (hItem != nullptr) {
        HTREEITEM hLast = nullptr;
        for (HTREEITEM h = GetChildItem(hItem); h != nullptr; h = GetNextSiblingItem(h))
            hLast = h;
        if (hLast == nullptr)
            break;
        hItem = hLast;
    }
    return hItem;
}

HTREEITEM CMainTreeCtrl::FindInOrder(HTREEITEM hStart, HTREEITEM hAfter, BOOL bForward,
    const std::function<bool(HTREEITEM)>& matches)
{
    const auto step = [&](HTREEITEM h) { return bForward ? GetNextItemInOrder(h) : GetPrevItemInOrder(h); };
    const auto wrap = [&]() { return bForward ? GetRootItem() : GetLastItemInOrder(nullptr); };
    HTREEITEM hCandidate = step(hAfter ? hAfter : hStart);
    // One round of the tree at most: the start ends it, and a start no longer in the tree cannot hold
    // the search in a loop.
    int nWraps = 0;
    for (;;) {
        if (hCandidate == nullptr) {
            if (hStart == nullptr || ++nWraps > 1)
                return nullptr;
            hCandidate = wrap();
            if (hCandidate == nullptr)
                return nullptr;
        }
        if (hCandidate == hStart)
            return nullptr;
        if (matches(hCandidate))
            return hCandidate;
        hCandidate = step(hCandidate);
    }
}

HTREEITEM CMainTreeCtrl::FindItem(LPCTSTR lpszText, int nRecordId, int nKind, BOOL bMatchCase, BOOL bForward,
    BOOL bWholeWord, HTREEITEM hStart, HTREEITEM hAfter)
{
    CString strText(lpszText ? lpszText : "");
    if (strText.IsEmpty())
        return nullptr;
    if (!bMatchCase)
        strText.MakeLower();
    return FindInOrder(hStart, hAfter, bForward, [&](HTREEITEM h) {
        CString strLabel = GetItemText(h, 0);
        if (!bMatchCase)
            strLabel.MakeLower();
        return LabelContains(strLabel, strText, bWholeWord) && (nRecordId == 0 || GetNodeRecordId(h) == nRecordId)
            && (nKind == 0 || GetNodeKind(h) == nKind);
    });
}

HTREEITEM CMainTreeCtrl::FindItemById(int nRecordId, int nKind, BOOL bForward, HTREEITEM hStart)
{
    if (nRecordId == 0)
        return nullptr;
    if (hStart == nullptr)
        hStart = GetSelectedItem();
    const auto matches
        = [&](HTREEITEM h) { return GetNodeRecordId(h) == nRecordId && (nKind == 0 || GetNodeKind(h) == nKind); };
    if (hStart == nullptr) {
        // Nothing selected: one pass over the whole tree.
        for (HTREEITEM h = GetRootItem(); h != nullptr; h = GetNextItemInOrder(h))
            if (matches(h))
                return h;
        return nullptr;
    }
    return FindInOrder(hStart, nullptr, bForward, matches);
}

CString CMainTreeCtrl::MakeUniqueChildName(UINT nStringId, HTREEITEM hParent)
{
    CString strBase;
    strBase.LoadString(nStringId);
    const HTREEITEM hFirst = GetChildItem(hParent);
    if (hFirst == nullptr)
        return strBase;
    long nNumber = -1;
    for (HTREEITEM h = hFirst; h != nullptr; h = GetNextSiblingItem(h)) {
        const CString strLabel = GetItemText(h, 0);
        if (strLabel.GetLength() < strBase.GetLength() || strLabel.Left(strBase.GetLength()).CompareNoCase(strBase) != 0)
            continue;
        CString strRest = strLabel.Mid(strBase.GetLength());
        strRest.Trim();
        nNumber = std::max({ nNumber, 0L, std::atol(strRest) });
    }
    if (nNumber < 0)
        return strBase;
    CString strName;
    strName.Format("%s %ld", static_cast<LPCTSTR>(strBase), nNumber + 1);
    return strName;
}

void CMainTreeCtrl::ShowSearchResultsNode()
{
    if (m_hSearchResults == nullptr) {
        CString strLabel;
        strLabel.LoadString(IDS_TREE_SEARCH_RESULTS);
        m_hSearchResults = InsertNode(strLabel, TVI_ROOT, TVI_FIRST, kindSearchResults, 0);
    }
    SelectItem(m_hSearchResults);
}
