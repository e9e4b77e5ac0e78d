#pragma once
// The library tree in the left pane of the main window: the toolkit's tree with typed nodes. Every item
// carries a CTreeNode as its item data; the tree builds itself from the open library and the computer's
// drives, reads a drive's folders when it is expanded, keeps each library's expanded branches in the
// registry, and brings itself up to date after edits without a rebuild so that the user keeps their place.

#include <functional>
#include <vector>

#include "app/CMainTreeDropTarget.h"
#include "app/CTreeNode.h"
#include "platform/ado/Ado.h"
#include "platform/afx/CImageList.h"
#include "platform/afx/CObList.h"
#include "platform/afx/CPtrList.h"
#include "platform/afx/CString.h"
#include "platform/afx/CTypedPtrList.h"
#include "toolkit/controls/SECTreeCtrl.h"
#include "toolkit/controls/SECTreeCtrlHelper.h"

class CCmdUI;
class CMenu;
struct NamedRecordDelete;

class CMainTreeCtrl : public SECTreeCtrl, public SECTreeCtrlHelper {
    DECLARE_DYNAMIC(CMainTreeCtrl)
public:
    static constexpr UINT controlId = 355;
    static constexpr DWORD helpContextId = 65891;
    // The tree styles the window is created with, and the hover expansion of a drop target.
    static constexpr DWORD treeStyles = 0x3F;
    static constexpr DWORD treeStylesEx = 0x00800000 | 0x02000000;
    // The label of a group member whose name is empty.
    static constexpr const char* emptyMemberLabel = "*****";

    // What a refresh of one node did.
    enum RefreshResult { refreshFailed = 0, refreshUnchanged = 1, refreshDeleted = 3, refreshRenamed = 4 };

    explicit CMainTreeCtrl(CWnd* pFrame = nullptr);
    ~CMainTreeCtrl() override;

    // Creates the window as a child of the parent with the tree's styles and control id.
    BOOL Create(CWnd* pParent, const RECT& rect);

    // --- nodes -------------------------------------------------------------------------------------
    int GetNodeKind(HTREEITEM hItem);
    int GetNodeRecordId(HTREEITEM hItem);
    void SetNodeRecordId(HTREEITEM hItem, int nRecordId);
    // The record id of the selected item; 0 when nothing is selected.
    int GetSelectedRecordId();
    static int GetImageForKind(int nKind);
    // Inserts an item with a new node of the kind; every collapsed ancestor is expanded. Null on failure.
    HTREEITEM InsertNode(LPCTSTR lpszLabel, HTREEITEM hParent, HTREEITEM hInsertAfter, int nKind, int nRecordId);
    // Deletes the item with its subtree and their nodes; when it held the caret, the item that takes the
    // caret is selected (and the list follows it).
    BOOL DeleteNode(HTREEITEM hItem);
    void DeleteAllNodes();
    // The nearest ancestor that is a music or radio group; null when there is none.
    HTREEITEM FindGroupAncestor(HTREEITEM hItem);
    // Appends every child of the parent that has the kind, in child order.
    void CollectChildrenOfKind(HTREEITEM hParent, CPtrList& list, int nKind);
    // The next item in the direction, wrapping once round the tree, whose label contains the text (as a
    // whole word when asked) and that has the record id and kind when they are not 0. The search ends at
    // the start item; null when nothing matches.
    HTREEITEM FindItem(LPCTSTR lpszText, int nRecordId, int nKind, BOOL bMatchCase, BOOL bForward, BOOL bWholeWord,
        HTREEITEM hStart, HTREEITEM hAfter);
    // The same by record id (and kind when not 0); a null start means the selected item.
    HTREEITEM FindItemById(int nRecordId, int nKind, BOOL bForward, HTREEITEM hStart);
    HTREEITEM GetNextItemInOrder(HTREEITEM hItem);
    HTREEITEM GetPrevItemInOrder(HTREEITEM hItem);
    HTREEITEM GetLastItemInOrder(HTREEITEM hItem);
    // The string's text, numbered past the children that already begin with it ("New Playlist 2").
    CString MakeUniqueChildName(UINT nStringId, HTREEITEM hParent);
    // Selects the Search Results node, making it first at the top when it is missing.
    void ShowSearchResultsNode();

    // --- building ----------------------------------------------------------------------------------
    void BuildTree();
    // Saves the expanded branches, deletes every node and builds the tree again.
    void RebuildTree();
    void SaveTreeState();
    BOOL FillArtists(HTREEITEM hArtists);
    BOOL FillAlbums(HTREEITEM hAlbums);
    BOOL FillPlaylists(HTREEITEM hPlaylists);
    BOOL FillGroups(HTREEITEM hGroups);
    BOOL FillGroupContents(HTREEITEM hGroup, long nGroupId);
    BOOL FillRadioGroups(HTREEITEM hRadioGroups);
    BOOL FillMyComputer(HTREEITEM hMyComputer);
    BOOL FillFromSql(HTREEITEM hParent, int nKind, LPCTSTR lpszSql, BOOL bWithRecordId);
    BOOL FillFromStoredQuery(HTREEITEM hParent, int nKind, LPCTSTR lpszQuery, const VARIANT* pParameters, int nCount,
        BOOL bWithRecordId);
    // Forgets the folders read below the drive, so that its next expansion reads them again.
    void ResetDriveNode(LPCTSTR lpszDrive);

    // --- refreshing --------------------------------------------------------------------------------
    // Merges the children of the kind with the rows (name, or name and id): gone records lose their
    // items, renamed ones are renamed in place, new ones are inserted sorted, the rest stay untouched.
    BOOL MergeChildren(HTREEITEM hParent, int nKind, _Recordset* pRecordset);
    BOOL MergeChildrenFromSql(HTREEITEM hParent, int nKind, LPCTSTR lpszSql);
    BOOL MergeChildrenFromStoredQuery(HTREEITEM hParent, int nKind, LPCTSTR lpszQuery, const VARIANT& parameter);
    // Refills Artists (4), Albums (5) or Playlists (17), keeping expansion and selection; FALSE for other kinds.
    BOOL RefreshCategory(int nKind);
    BOOL RefreshSelectedNode();
    RefreshResult RefreshNodeFromSingleRow(HTREEITEM hItem, LPCTSTR lpszQuery, const VARIANT* pParameters, int nCount);
    RefreshResult RefreshNodeFromRecordset(HTREEITEM hItem, _Recordset* pRecordset);
    RefreshResult RefreshNodeFromSql(HTREEITEM hItem, LPCTSTR lpszSql);
    RefreshResult RefreshNodeFromStoredQuery(HTREEITEM hItem, LPCTSTR lpszQuery, const VARIANT& parameter);
    RefreshResult RefreshArtistNode(HTREEITEM hItem);
    RefreshResult RefreshGroupTrackNode(HTREEITEM hItem);
    RefreshResult RefreshAlbumNode(HTREEITEM hItem);
    RefreshResult RefreshPlaylistNode(HTREEITEM hItem);
    RefreshResult RefreshRadioGroupNode(HTREEITEM hItem);
    BOOL FillMusicGroup(HTREEITEM hGroup);
    BOOL RefreshMusicGroups();
    BOOL RefreshRadioGroups();

    // --- commands and edits ------------------------------------------------------------------------
    // Holding an arrow key moves the selection once: repeats, and presses while busy or while more input
    // waits, are swallowed so that the list reloads only where the user stops.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // A new playlist or group: a node with a generated name under its branch, whose label editing then
    // names the record; FALSE when the node could not be made.
    BOOL CreatePlaylistNode();
    BOOL CreateMusicGroupNode();
    BOOL CreateRadioGroupNode();
    // Flags the album, its tracks and its group memberships deleted; with refresh the Albums and Artists
    // branches follow. FALSE when the album could not be flagged.
    BOOL DeleteAlbum(long nAlbumId, BOOL bRefresh);
    // The nodes of the record (of either kind) below the branch, or in the whole tree for null.
    std::vector<HTREEITEM> FindRecordNodes(HTREEITEM hBranch, long nRecordId, int nKind, int nOtherKind);
    // Renames by id; with update others every node of the record in the tree takes the new name.
    BOOL RenameAlbum(long nAlbumId, LPCTSTR lpszNewTitle, LPCTSTR lpszOldTitle, BOOL bUpdateOthers);
    BOOL RenamePlaylist(long nPlaylistId, LPCTSTR lpszNewName, LPCTSTR lpszOldName, BOOL bUpdateOthers);
    // Takes the album or playlist node (null: the selected one) out of its music group; an album that
    // leaves the group of its own genre takes the genre of another of its groups, else "Other".
    BOOL RemoveFromGroup(HTREEITEM hItem = nullptr);
    // Puts an album into the music group named after the genre (made when missing); the move takes it
    // out of every other group. FALSE when the genre is unknown or the album is in that group already.
    BOOL AddAlbumToGenreGroup(long nGenreId, long nAlbumId, LPCTSTR lpszTitle);
    BOOL MoveAlbumToGenreGroup(long nGenreId, long nAlbumId, LPCTSTR lpszTitle);
    // The delete commands of the selected node, each after its confirmation; the main frame runs the
    // album's and the tagged albums' too.
    afx_msg void OnAlbumDelete();
    afx_msg void OnAlbumDeleteTagged();

    // --- drag and drop -----------------------------------------------------------------------------
    // The effects list rows of the selected node may be dragged with.
    DROPEFFECT GetRowDragEffects();
    // What dropping list rows or the selected node on the target would do; none when nothing.
    DROPEFFECT GetRowDropEffect(HTREEITEM hTarget, DWORD dwKeyState);
    DROPEFFECT GetNodeDropEffect(HTREEITEM hTarget, DWORD dwKeyState);
    // Carry out a drop; FALSE when an edit reported failure.
    BOOL DropRows(HTREEITEM hTarget, DROPEFFECT dropEffect);
    BOOL DropNode(HTREEITEM hTarget, DROPEFFECT dropEffect);
    // TRUE when the selected node was added to the group, or its tracks appended to the playlist.
    BOOL DropNodeOnGroup(HTREEITEM hGroup);
    BOOL DropNodeOnPlaylist(HTREEITEM hPlaylist);
    BOOL AddSelectedNodeToGroup(long nGroupId);

    HTREEITEM m_hSearchResults { nullptr };
    HTREEITEM m_hMusic { nullptr };
    HTREEITEM m_hAll { nullptr };
    HTREEITEM m_hArtists { nullptr };
    HTREEITEM m_hAlbums { nullptr };
    HTREEITEM m_hGroups { nullptr };
    HTREEITEM m_hRadioGroups { nullptr };
    HTREEITEM m_hRadio { nullptr };
    HTREEITEM m_hStations { nullptr };
    HTREEITEM m_hPlaylists { nullptr };
    HTREEITEM m_hMyComputer { nullptr };
    bool m_bRightButtonDown { false };

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    // A drive or folder reads its subfolders the first time it is expanded.
    LRESULT NotifyItemExpanding(_Node* pNode, UINT nCode) override;
    // The context menus, the selection's link to the list and the label edits.
    afx_msg void OnRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    // The commands of the context menus.
    afx_msg void OnPlaylistsNewPlaylist();
    afx_msg void OnMusicGroupNew();
    afx_msg void OnRadioGroupNew();
    afx_msg void OnRenameNode();
    afx_msg void OnPlaylistDelete();
    afx_msg void OnMusicGroupDelete();
    afx_msg void OnRadioGroupDelete();
    afx_msg void OnArtistDelete();
    afx_msg void OnGroupListDelete();
    afx_msg void OnRadioAddStation();
    afx_msg void OnAlbumAddToGroup();
    afx_msg void OnRemoveFromGroup();
    afx_msg void OnPlaylistAddToGroup();
    afx_msg void OnUpdateTreeCommand(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAlbumAddToGroup(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAlbumRemoveFromGroup(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePlaylistAddToGroup(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePlaylistRemoveFromGroup(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    CWnd* m_pFrame { nullptr };
    CImageList m_imageList;
    CTypedPtrList<CObList, CTreeNode*> m_nodes { 10 };
    bool m_bInContextMenu { false };
    bool m_bNewNodePending { false };
    CString m_strOldLabel;
    CMainTreeDropTarget m_dropTarget;

private:
    CTreeNode* NodeOfItem(HTREEITEM hItem);
    CTreeNode* AddNode(int nKind, int nRecordId);
    // Takes the nodes out of the node list and frees them.
    void ForgetNodes(const std::vector<CTreeNode*>& nodes);
    void FreeAllNodes();
    // The item and its descendants, depth first.
    void CollectSubtree(HTREEITEM hItem, std::vector<HTREEITEM>& items);
    // Deletes every child of the item with the nodes of their subtrees, leaving the selection to the caller.
    void DeleteChildren(HTREEITEM hItem);
    // Clears the branch handles that name one of the items.
    void ForgetBranchHandles(const std::vector<HTREEITEM>& items);
    // The first item after hAfter (or hStart) in the direction that matches, wrapping once round the
    // tree and ending at hStart.
    HTREEITEM FindInOrder(HTREEITEM hStart, HTREEITEM hAfter, BOOL bForward, const std::function<bool(HTREEITEM)>& matches);
    // Reads the subfolders of a drive or folder item, each child with a node of its own.
    void FillFolders(HTREEITEM hItem);
    // One child per row of the record set; a failure while the rows are read is shown and raised.
    void FillFromRecordset(HTREEITEM hParent, int nKind, _Recordset* pRecordset, BOOL bWithRecordId);
    // Checks a member of a music group by its membership query (member id, group id).
    RefreshResult RefreshMembership(HTREEITEM hItem, LPCTSTR lpszQuery);
    // Inserts a branch node under the parent with its label from the string table.
    HTREEITEM InsertBranch(UINT nLabelId, HTREEITEM hParent, int nKind);
    // Fills a branch and restores its saved state; a database failure ends this branch only.
    void FillBranch(HTREEITEM hBranch, const CString& strSection, BOOL (CMainTreeCtrl::*pfnFill)(HTREEITEM));
    // The registry section of the open library's saved tree state.
    static CString TreeStateSection();
    void RestoreNodeState(HTREEITEM hItem, const CString& strSection);
    void SaveNodeState(HTREEITEM hItem, const CString& strSection);
    // Takes out of the main window's menu what the open library's product and settings leave out.
    void PruneMenus();
    // Creates the node of a new playlist or group under the branch and starts editing its label.
    BOOL CreateNamedNode(HTREEITEM hBranch, UINT nLabelId, int nKind);
    // Names the record of a node a New command made; TRUE when the typed name was taken.
    BOOL NameNewNode(HTREEITEM hItem, const CString& strName);
    // Renames the node's record; TRUE when it was renamed.
    BOOL RenameNodeRecord(HTREEITEM hItem, const CString& strName);
    // Deletes every node of the record (of either kind) below the branch, or in the whole tree for null:
    // nodes of other kinds that carry the same number stand for other records and stay.
    void DeleteRecordNodes(HTREEITEM hBranch, long nRecordId, int nKind, int nOtherKind);
    // Asks before the delete when its confirmation is on; true when the delete may go ahead.
    bool ConfirmNodeDelete(int nConfirmKind, UINT nCaptionId, UINT nMessageId, HTREEITEM hItem);
    // Deletes the record of the selected node, found by its label, after its confirmation, with the rows
    // that refer to it; the node goes. The record's id, or 0 when nothing was deleted.
    long DeleteNamedRecord(const NamedRecordDelete& what);
    // The child of music Groups labelled exactly with the name, else a new group node of the id.
    HTREEITEM GenreGroupItem(const CString& strGenre, long nGroupId, bool bExisted);
    // Steps 1 and 2 shared by the genre-group edits: the genre's name and its group's id.
    BOOL FindGenreGroup(long nGenreId, long nAlbumId, CString& strGenre, long& nGroupId, bool& bExisted);
    // Runs the main frame's command, or its update rule, for a tree command.
    void ForwardToFrame(UINT nFrameCommand);
    void ForwardUpdateToFrame(UINT nFrameCommand, CCmdUI* pCmdUI);
    // Reloads the list for the item when the program has a main frame.
    void ReloadListFor(HTREEITEM hItem);
};
