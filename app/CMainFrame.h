#pragma once
// The program's one top-level window: a toolkit frame with a status bar that carries a progress bar,
// the open library's run-time state (the device object, the list's record set, the selected node's
// kind), closing the library, help, the installation message and the private messages that the
// library's workers send. Around the record list it carries the toolbar manager with the default
// toolbar, the menu bar with bitmap menus, the workspace manager, and the detail sheet docked below
// the list; the bars' layout comes back at the next start.

#include <memory>
#include <vector>

#include "app/CDockingTabWnd.h"
#include "app/CMusicDetailInfoSheet.h"
#include "app/CommandRules.h"
#include "app/FrameDetailHost.h"
#include "app/FrameLibraryHost.h"
#include "app/ViewSource.h"
#include "library/ImportCommands.h"
#include "library/_ADORecordsetHelper.h"
#include "platform/shell/OleIdl.h"
#include "platform/afx/CProgressCtrl.h"
#include "toolkit/frames/SECFrameDockingFeature.h"
#include "toolkit/frames/SECFrameWnd.h"
#include "toolkit/frames/SECLayoutDockFactory.h"
#include "toolkit/frames/SECStatusBar.h"

struct IQVClientDevice;
class CPelicanDoc;
class CMainTreeCtrl;
class CPelicanView;
class CView;
class SECMenuBar;
class SECToolBarManager;

// The private messages of the frame: the status bar's progress, refilling the list, letting go of the
// device. The cover-art worker sends them, so they run on the user-interface thread.
constexpr UINT WM_PROGRESS_RESET = WM_USER + 0x100;
constexpr UINT WM_PROGRESS_SHOW = WM_USER + 0x101;
constexpr UINT WM_PROGRESS_SETPOS = WM_USER + 0x102;
constexpr UINT WM_REFRESH_VIEW = WM_USER + 0x103;
constexpr UINT WM_RELEASE_DEVICE = WM_USER + 0x104;

// True while the program's database connection holds an open library.
bool IsLibraryOpen();

class CMainFrame : public SECFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    // The status bar's panes: the message pane and the pane the progress bar lives in.
    static constexpr int kProgressPane = 1;
    // The caption while no library is open, after one was closed.
    static constexpr const char* kClosedCaption = "Aldercrest Tune Steward";
    // Where the bars' layout is kept between runs, in the application's settings.
    static constexpr const char* kBarStateSection = "BarState";
    // The toolkit's own key for the workspace manager's saved workspaces.
    static constexpr const char* kWorkspaceKey = "Software\\MyCompany\\Pelican\\v1.0";

    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // HELP_CONTEXT opens the help file at the topic, HELP_FINDER at its default topic.
    void WinHelp(DWORD_PTR dwData, UINT nCmd);

    // Remembers the list view and its document.
    void SetListView(CView* pView, CPelicanDoc* pDocument);
    // Closes the open library; false when the user cancelled and the library stays open.
    bool CloseLibrary();
    // The progress bar over the status bar's second pane, made once.
    void CreateProgressBar();
    // Lets go of the device object.
    void ReleaseDevice();

    // Synchronisation with the device. Opens the open library's device into m_pDevice (expected
    // empty): 0, or 1 (no connection object), 3 (the device did not open), 4 (no device object).
    int ConnectDevice();
    // Runs a synchronisation in its progress dialog, connecting first when no device is held; true when
    // it completed and the rebuilt library is in place. ask: ask before sending unsent changes.
    virtual bool RunSync(bool ask);
    // After a completed synchronisation: the rebuilt library is open again; its tree and covers follow.
    virtual void OnLibraryRebuilt();
    // The Open Library command's work: the component check, the chooser, a device library brought up to
    // date first, the database opened, then what shows the library. False when no library was opened;
    // a device obtained on the way is then let go.
    bool OpenLibrary();
    // After a search: the tree tab in front with its Search Results node selected, the list showing
    // what the search found.
    void ShowSearchResults();
    // What the last search searched: 0 the library, 1 the disks.
    int GetSearchMode() const;
    // The library chooser: IDOK once it has filled the application's library identity and, for a device
    // library, put the device into m_pDevice.
    virtual INT_PTR ChooseLibrary();
    // After the database opened: the library tree and the search tab are built here.
    virtual void OnLibraryOpened();
    // The record list's source: the selected node's records in m_viewRecordset, shown by the list view.
    // Opening closes the old record set, remembers the node and sets the list's tags; false when the
    // node shows nothing or its source failed (shown), the record set then closed.
    bool OpenViewForNode(const ViewNode& node, LPCTSTR order = nullptr);
    // The same for a tree item: its kind, label, record id and, below My Computer, its folder path.
    bool OpenViewForSelection(CMainTreeCtrl& tree, HTREEITEM hItem, LPCTSTR order = nullptr);
    // What the tree calls when its selection changes: the item's records, filled into the list.
    bool ReloadViewForItem(CMainTreeCtrl& tree, HTREEITEM hItem);
    // The selected node again with an order text (" ORDER BY [field]").
    bool ReopenViewOrdered(LPCTSTR order);
    // Opens the node's records and fills the list, busy meanwhile.
    bool ReloadView(const ViewNode& node);
    // Refills the list from the record set and rebinds the detail sheet to its current row.
    bool UpdateListView();
    // Reads the record set again after a library edit; true without a record set.
    bool RequeryView();
    void CloseViewRecordset();
    int GetSelectionKind() const { return ViewSource::SelectionKindOf(m_selectedNode); }
    bool IsTrackSelection() const { return GetSelectionKind() == selectionTracks; }
    bool IsStationSelection() const { return GetSelectionKind() == selectionStations; }
    long GetSelectedRecordId() const { return m_selectedNode.recordId; }
    DROPEFFECT GetRowDragEffects() const { return ViewSource::RowDragEffects(m_nSelectedKind); }
    // Readers of the record set's current row.
    long GetCurrentAlbumTrackId();
    CString GetCurrentTrackTitle();
    bool IsCurrentRowCD();
    bool IsCurrentRowHidden();
    CString GetCurrentFilePath();
    // The same; false when the row's folder or name is missing.
    bool ReadCurrentFilePath(CString& path);
    // Tag iteration over the list's tagged rows, reading the id field (AlbumTrackID, for albums QVCDID)
    // of each; -1 when no tagged row follows. m_nCurrentRow is the walk's cursor.
    long GetFirstTaggedId(LPCTSTR idField);
    long GetNextTaggedId(LPCTSTR idField);
    // Asks the detail sheet to follow the row once the current message is done; the row asked for and
    // the number of requests are kept.
    void PostDetailRebind(int row);
    int m_nRebindRow { -1 };
    int m_nRebindsPosted { 0 };
    CPelicanView* GetListView() const;
    ViewNode m_selectedNode;

    // --- the library's edits, imports and commands ---------------------------------------------------
    // The library tree the commands update; the window that holds it hands it over.
    void SetLibraryTree(CMainTreeCtrl* pTree) { m_pLibraryTree = pTree; }
    CMainTreeCtrl* GetLibraryTree() const { return m_pLibraryTree; }
    // What the library's import and edits ask of the main window.
    MusicImportHost& ImportHost() { return m_libraryHost; }
    LibraryEditHost& EditHost() { return m_libraryHost; }

    // Edits of the current list row. Each is false when the row has no track or station (or the edit
    // failed); the list is requeried after a change.
    bool AddSelectedTrackToPlaylist(long playlistId);
    bool AddSelectedTrackToNamedPlaylist(LPCTSTR playlistName);
    bool DeleteSelectedTracks();
    bool DeleteSelectedFromPlaylist(LPCTSTR playlistName);
    bool DeleteFromCurrentPlaylist();
    bool MoveSelectedTrack(bool up);
    bool ChangeSelectedTrackAlbum(long albumId);
    bool ChangeSelectedTrackAlbumByName(LPCTSTR albumTitle);
    long StationIdOfRow();
    CString StationNameOfRow();
    bool DeleteSelectedStations();
    bool RemoveStationFromGroup(LPCTSTR radioGroupName);
    bool RemoveStationsFromCurrentGroup();
    // What the library tree does for the commands: deleting an album with its node, renaming the
    // selected album or playlist with its record, taking an album or playlist out of the selected group.
    virtual void DeleteAlbum(long albumId);
    virtual bool RenameSelectedAlbum(LPCTSTR newName);
    virtual bool RenameSelectedPlaylist(LPCTSTR newName);
    virtual bool RemoveFromSelectedGroup(HTREEITEM hItem);

    // The folder view's tagged rows as full paths; m_nCurrentRow is the walk's cursor. False when no
    // tagged row follows or its path is incomplete (what was read is in path).
    bool GetFirstTaggedFile(CString& path);
    bool GetNextTaggedFile(CString& path);
    // The snapshot the command rules look at.
    CommandState GetCommandState(UINT id);

    // The dialogs of the commands. A selection gives the chosen row's id (and its text when asked); a
    // name dialog the name typed. False on Cancel.
    virtual bool ChooseRecord(
        UINT captionId, LPCTSTR query, long& id, CString* text = nullptr, const long* parameter = nullptr);
    virtual bool AskNewName(UINT captionId, UINT labelId, CString& name);
    virtual bool AskRename(UINT captionId, UINT labelId, LPCTSTR current, CString& name);
    // The delete confirmation with its "don't ask again" box; false on Cancel.
    virtual bool ConfirmDelete(UINT captionId, UINT messageId, LPCTSTR name, bool& dontAskAgain);
    // The music import's overwrite prompt: IDYES, IDYESTOALL, IDNO or IDCANCEL.
    virtual int AskOverwrite(LPCTSTR fileName);
    // Where the program update's updater is and the product it updates.
    static constexpr const char* kUpdaterCommandLine
        = "\"C:\\Program Files\\Common Files\\InstallShield\\WebUpdate\\WebUpdate.exe\" CorvaneTuneSteward";
    CString m_strUpdaterCommandLine { kUpdaterCommandLine };

    int m_nSelectedKind { 0 };
    CLIPFORMAT m_cfGridRecord { 0 };
    CLIPFORMAT m_cfTreeNode { 0 };
    BOOL m_bProgressVisible { FALSE };
    CProgressCtrl m_wndProgress;
    int m_nCurrentRow { -1 };
    BOOL m_bYesToAll { FALSE };
    BOOL m_bSyncRunning { FALSE };
    IQVClientDevice* m_pDevice { nullptr };
    _ADORecordsetHelper m_viewRecordset;
    SECStatusBar m_wndStatusBar;
    CDockingTabWnd m_wndDockingTabs;
    // The frame's toolbars and menu bar; the frame hands them to the toolkit frame and owns them.
    std::unique_ptr<SECToolBarManager> m_pToolBarManager;
    std::unique_ptr<SECMenuBar> m_pFrameMenuBar;
    // The buttons of the default toolbar as its resource gives them; Customize Toolbar starts from them.
    std::vector<UINT> m_defaultToolBarButtons;
    SECLayoutDockFactory m_layoutFactory;
    SECFrameDockingFeature m_dockingFeature;
    // The detail sheet's dockable node; it goes before the feature it is docked in.
    std::unique_ptr<SECLayoutNodeDCBase> m_pDetailNode;
    CMusicDetailInfoSheet m_wndDetailSheet { "Detail" };
    CView* m_pListView { nullptr };
    CPelicanDoc* m_pDocument { nullptr };
    BOOL m_bListFilled { FALSE };
    BOOL m_bDetailRebindPosted { FALSE };
    CMainTreeCtrl* m_pLibraryTree { nullptr };
    FrameLibraryHost m_libraryHost { *this };
    // What the detail sheet asks of the frame.
    FrameDetailHost m_detailHost { *this };

protected:
    // The answer to the synchronise-on-close question: IDYES, IDNO or IDCANCEL.
    virtual int AskSynchronizeOnClose();
    // Sends the library's changes to the device before it closes; its result is not looked at.
    virtual void SynchronizeOnClose();
    // Lets the library tree keep its expanded branches; only while a library is open, since saving
    // replaces the library's stored state.
    virtual void SaveTreeState();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg LRESULT OnDeviceChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPowerBroadcast(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnProgressReset(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnProgressShow(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnProgressSetPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRefreshViewMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReleaseDeviceMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInstallationMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnInstallationRequest();
    afx_msg void OnHelpFinder();
    afx_msg void OnSynchronize();
    afx_msg void OnFileOpenLibrary();
    afx_msg void OnUpdateSynchronize(CCmdUI* pCmdUI);
    afx_msg void OnViewRefresh();
    afx_msg void OnTagsClearAll();
    afx_msg void OnTagsSetAll();
    // The command rules, for every command they decide.
    afx_msg void OnUpdateRuledCommand(CCmdUI* pCmdUI);
    afx_msg void OnFileCloseLibrary();
    afx_msg void OnImportMusicFile();
    afx_msg void OnImportPlaylist();
    afx_msg void OnWriteMp3Tags();
    afx_msg void OnImportFolderFile();
    afx_msg void OnAddFolderFileToAlbum();
    afx_msg void OnImportTaggedFiles();
    afx_msg void OnAddTaggedToAlbum();
    afx_msg void OnCreateAlbumFromTagged();
    // The tagged files of the folder view, imported in one go.
    void ImportTagged(TaggedFileImport kind, long albumId);
    afx_msg void OnMediaChangeAlbum();
    afx_msg void OnMediaDeleteTrack();
    afx_msg void OnMediaAddStationToLibrary();
    afx_msg void OnMediaDeleteStation();
    afx_msg void OnMediaRenameAlbum();
    afx_msg void OnMediaRenameArtist();
    afx_msg void OnPlaylistNew();
    afx_msg void OnPlaylistRename();
    afx_msg void OnPlaylistAddTrack();
    afx_msg void OnPlaylistAddTaggedTracks();
    afx_msg void OnPlaylistRemoveTrack();
    afx_msg void OnPlaylistMoveUp();
    afx_msg void OnPlaylistMoveDown();
    afx_msg void OnMusicGroupNew();
    afx_msg void OnMusicGroupRename();
    afx_msg void OnMusicGroupAddAlbum();
    afx_msg void OnMusicGroupAddPlaylist();
    afx_msg void OnRadioGroupNew();
    afx_msg void OnRadioGroupRename();
    afx_msg void OnRadioGroupAddStation();
    afx_msg void OnRadioGroupRemoveStation();
    afx_msg void OnToolsAccountManagement();
    afx_msg void OnToolsPreferences();
    afx_msg void OnViewCustomizeToolbar();
    afx_msg void OnHelpCheckForUpdate();
    afx_msg void OnAlbumAddTaggedToGroup();
    afx_msg void OnAlbumMoveTaggedToGroup();
    // The tree's own commands (deleting and regrouping its nodes) go to the tree.
    afx_msg BOOL OnTreeCommand(UINT nId);
    // A new playlist or group named by the user, with its node under the branch when it is new.
    void AddNamedNode(UINT captionId, UINT labelId, bool (*add)(LPCTSTR, long*, bool*), HTREEITEM branch, int kind);
    // The selected music or radio group renamed by the user.
    void RenameSelectedGroup(bool (*rename)(LPCTSTR, LPCTSTR));
    // The synchronise question before a program update: IDYES, IDNO or IDCANCEL.
    virtual int AskSynchronizeBeforeUpdate();
    // Starts the updater; false when it could not be started.
    virtual bool StartUpdater();
    DECLARE_MESSAGE_MAP()

private:
    // The default toolbar, the menu bar and the workspace manager; FALSE when the toolbar's resource is
    // missing (the frame then goes on without it).
    BOOL CreateToolBars();
    void CreateMenuBarAndDefaultBars();
    void InstallWorkspace();
    // The detail sheet as a visible child, docked below the list with its own height.
    BOOL CreateDetailSheet();
    // The bars' layout of the last run, and keeping it for the next.
    void LoadBarLayout();
    void SaveBarLayout();
    // Where the window goes at creation: the default placement, then the saved one.
    void PlaceWindow();
    // What closing the window and the installer's request share: the document is not asked about, and
    // the tree's state and the window's rectangle are saved.
    void SaveWindowSettings();
    // The list's record set and the database connection.
    void CloseListAndConnection();
    // The docking tab window, docked on the left; false when it could not be made.
    bool CreateDockingTabs();
    // Tools / Search Library and Search for Music File: the search tab, searching in that place.
    afx_msg void OnToolsSearchLibrary();
    afx_msg void OnToolsSearchForMusicFile();
    // A Search Results node lists what the search dialog found last.
    void AttachSearchResults(ViewNode& node) const;
    // Media left the lowest drive of the mask (bit 0 is A:): its tree node reads its folders again,
    // and a disk search's finds on it are forgotten.
    void OnMediaRemoved(DWORD unitMask);
    CDocument* Document();
};
