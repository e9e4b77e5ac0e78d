#include "app/CMainFrame.h"

#include <iterator>

#include "app/AppSettings.h"
#include "app/CClientAddressDlg.h"
#include "app/CPelicanApp.h"
#include "app/CPelicanDoc.h"
#include "app/CSyncMessage.h"
#include "app/CSyncProgressDlg.h"
#include "app/ComponentCheck.h"
#include "app/DeviceConnection.h"
#include "app/LibraryOpening.h"
#include "app/CPelicanView.h"
#include "app/TuneStewardIds.h"
#include "app/WindowPlacement.h"
#include "library/AppRoutines.h"
#include "library/LibraryLocations.h"
#include "library/RegistryRoutines.h"
#include "library/ServerRoutines.h"
#include "library/_ADOConnectionHelper.h"
#include "platform/afx/AfxMessageBox.h"
#include "platform/afx/AfxPriv.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CDocument.h"
#include "platform/base/FileApi.h"
#include "platform/base/PathApi.h"
#include "platform/afx/CView.h"
#include "platform/com/ObjBase.h"
#include "platform/user/Dbt.h"
#include "platform/user/WinClipboard.h"
#include "sync/Lumasync.h"
#include "toolkit/controls/SECMenuBar.h"
#include "toolkit/controls/SECToolBarManager.h"

namespace {

// The help viewer's commands: its default topic, and a topic by context id.
constexpr UINT kHtmlHelpDisplayTopic = 0;
constexpr UINT kHtmlHelpContext = 15;
constexpr UINT kHelpContext = 1;
constexpr UINT kHelpFinder = 11;
constexpr int kProgressMin = 1;
constexpr int kProgressMax = 100;

// The number the message map answers; the application registers the same name and gets the same number.
const UINT s_nInstallationMessage = ::RegisterWindowMessage(kInstallationMessageName);

const UINT kIndicators[] = { 0, IDS_STATUS_PROGRESS_PANE };

} // namespace

bool IsLibraryOpen() { return theLibraryConnection.IsOpen(); }

IMPLEMENT_DYNCREATE(CMainFrame, SECFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, SECFrameWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_DROPFILES()
ON_MESSAGE(WM_DEVICECHANGE, OnDeviceChange)
ON_MESSAGE(WM_POWERBROADCAST, OnPowerBroadcast)
ON_MESSAGE(WM_PROGRESS_RESET, OnProgressReset)
ON_MESSAGE(WM_PROGRESS_SHOW, OnProgressShow)
ON_MESSAGE(WM_PROGRESS_SETPOS, OnProgressSetPos)
ON_MESSAGE(WM_REFRESH_VIEW, OnRefreshViewMessage)
ON_MESSAGE(WM_RELEASE_DEVICE, OnReleaseDeviceMessage)
ON_REGISTERED_MESSAGE(s_nInstallationMessage, OnInstallationMessage)
ON_COMMAND(ID_INSTALLATION_REQUEST, OnInstallationRequest)
ON_COMMAND(ID_HELP_TUNE_STEWARD, OnHelpFinder)
ON_COMMAND(ID_DEFAULT_HELP, OnHelpFinder)
ON_COMMAND(ID_HELP, CFrameWnd::OnHelp)
ON_COMMAND(ID_CONTEXT_HELP, CFrameWnd::OnContextHelp)
ON_COMMAND(ID_FILE_SYNCHRONIZE_LIBRARY, OnSynchronize)
ON_COMMAND(ID_FILE_OPEN_LIBRARY, OnFileOpenLibrary)
ON_UPDATE_COMMAND_UI(ID_FILE_SYNCHRONIZE_LIBRARY, OnUpdateSynchronize)
ON_COMMAND(ID_VIEW_REFRESH, OnViewRefresh)
ON_COMMAND(ID_TAGS_CLEAR_ALL, OnTagsClearAll)
ON_COMMAND(ID_TAGS_SET_ALL, OnTagsSetAll)
// The commands of the menus and the list's context menus, and the rules that enable them.
ON_COMMAND(ID_FILE_CLOSE_LIBRARY, OnFileCloseLibrary)
ON_COMMAND(ID_FILE_IMPORT_MUSIC_FILE, OnImportMusicFile)
ON_COMMAND(ID_FILE_IMPORT_PLAYLIST, OnImportPlaylist)
ON_COMMAND(ID_TRACK_UPDATE_MP3_TAGS, OnWriteMp3Tags)
ON_COMMAND(ID_FOLDERS_IMPORT_FILE, OnImportFolderFile)
ON_COMMAND(ID_FOLDERS_ADD_FILE_TO_ALBUM, OnAddFolderFileToAlbum)
ON_COMMAND(ID_FOLDERS_IMPORT_TAGGED, OnImportTaggedFiles)
ON_COMMAND(ID_FOLDERS_ADD_TAGGED_TO_ALBUM, OnAddTaggedToAlbum)
ON_COMMAND(ID_FOLDERS_ALBUM_FROM_TAGGED, OnCreateAlbumFromTagged)
ON_COMMAND(ID_MEDIA_CHANGE_ALBUM, OnMediaChangeAlbum)
ON_COMMAND(ID_MEDIA_DELETE_TRACK, OnMediaDeleteTrack)
ON_COMMAND(ID_MEDIA_ADD_STATION, OnMediaAddStationToLibrary)
ON_COMMAND(ID_MEDIA_DELETE_STATION, OnMediaDeleteStation)
ON_COMMAND(ID_STATION_DELETE, OnMediaDeleteStation)
ON_COMMAND(ID_MEDIA_RENAME_ALBUM, OnMediaRenameAlbum)
ON_COMMAND(ID_MEDIA_RENAME_ARTIST, OnMediaRenameArtist)
ON_COMMAND(ID_PLAYLIST_NEW, OnPlaylistNew)
ON_COMMAND(ID_PLAYLIST_RENAME, OnPlaylistRename)
ON_COMMAND(ID_PLAYLIST_ADD_TRACK, OnPlaylistAddTrack)
ON_COMMAND(ID_PLAYLIST_ADD_TAGGED_TRACKS, OnPlaylistAddTaggedTracks)
ON_COMMAND(ID_PLAYLIST_REMOVE_TRACK, OnPlaylistRemoveTrack)
ON_COMMAND(ID_PLAYLIST_MOVE_UP, OnPlaylistMoveUp)
ON_COMMAND(ID_PLAYLIST_MOVE_DOWN, OnPlaylistMoveDown)
ON_COMMAND(ID_MUSICGROUP_NEW, OnMusicGroupNew)
ON_COMMAND(ID_MUSICGROUP_RENAME, OnMusicGroupRename)
ON_COMMAND(ID_MUSICGROUP_ADD_ALBUM, OnMusicGroupAddAlbum)
ON_COMMAND(ID_MUSICGROUP_ADD_PLAYLIST, OnMusicGroupAddPlaylist)
ON_COMMAND(ID_RADIOGROUP_NEW, OnRadioGroupNew)
ON_COMMAND(ID_RADIOGROUP_RENAME, OnRadioGroupRename)
ON_COMMAND(ID_RADIOGROUP_ADD_STATION, OnRadioGroupAddStation)
ON_COMMAND(ID_STATION_ADD_TO_GROUP, OnRadioGroupAddStation)
ON_COMMAND(ID_RADIOGROUP_REMOVE_STATION, OnRadioGroupRemoveStation)
ON_COMMAND(ID_STATION_REMOVE_FROM_GROUP, OnRadioGroupRemoveStation)
ON_COMMAND(ID_TOOLS_ACCOUNT_MANAGEMENT, OnToolsAccountManagement)
ON_COMMAND(ID_TOOLS_PREFERENCES, OnToolsPreferences)
ON_COMMAND(ID_VIEW_CUSTOMIZE_TOOLBAR, OnViewCustomizeToolbar)
ON_COMMAND(ID_HELP_CHECK_FOR_UPDATE, OnHelpCheckForUpdate)
ON_COMMAND(ID_ALBUM_ADD_TAGGED_TO_GROUP, OnAlbumAddTaggedToGroup)
ON_COMMAND(ID_ALBUM_MOVE_TAGGED_TO_GROUP, OnAlbumMoveTaggedToGroup)
ON_COMMAND_EX(ID_MEDIA_DELETE_ALBUM, OnTreeCommand)
ON_COMMAND_EX(ID_MEDIA_DELETE_ARTIST, OnTreeCommand)
ON_COMMAND_EX(ID_PLAYLIST_DELETE, OnTreeCommand)
ON_COMMAND_EX(ID_MUSICGROUP_DELETE, OnTreeCommand)
ON_COMMAND_EX(ID_RADIOGROUP_DELETE, OnTreeCommand)
ON_COMMAND_EX(ID_MUSICGROUP_REMOVE_ALBUM, OnTreeCommand)
ON_COMMAND_EX(ID_MUSICGROUP_REMOVE_PLAYLIST, OnTreeCommand)
ON_COMMAND_EX(ID_ALBUM_DELETE_TAGGED, OnTreeCommand)
ON_UPDATE_COMMAND_UI(ID_FILE_OPEN_LIBRARY, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_FILE_CLOSE_LIBRARY, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_FILE_IMPORT_PLAYLIST, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_FILE_IMPORT_MUSIC_FILE, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_MEDIA_CHANGE_ALBUM, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_MEDIA_DELETE_TRACK, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_MEDIA_ADD_STATION, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_MEDIA_DELETE_STATION, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_MEDIA_RENAME_ALBUM, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_MEDIA_DELETE_ALBUM, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_MEDIA_RENAME_ARTIST, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_MEDIA_DELETE_ARTIST, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_PLAYLIST_NEW, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_PLAYLIST_RENAME, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_PLAYLIST_DELETE, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_PLAYLIST_ADD_TRACK, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_PLAYLIST_ADD_TAGGED_TRACKS, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_PLAYLIST_REMOVE_TRACK, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_PLAYLIST_MOVE_UP, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_PLAYLIST_MOVE_DOWN, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_MUSICGROUP_NEW, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_MUSICGROUP_RENAME, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_MUSICGROUP_DELETE, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_MUSICGROUP_ADD_ALBUM, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_MUSICGROUP_ADD_PLAYLIST, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_MUSICGROUP_REMOVE_ALBUM, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_MUSICGROUP_REMOVE_PLAYLIST, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_RADIOGROUP_NEW, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_RADIOGROUP_RENAME, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_RADIOGROUP_DELETE, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_RADIOGROUP_ADD_STATION, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_RADIOGROUP_REMOVE_STATION, OnUpdateRuledCommand)
ON_COMMAND(ID_TOOLS_SEARCH_LIBRARY, OnToolsSearchLibrary)
ON_COMMAND(ID_TOOLS_SEARCH_FOR_MUSIC_FILE, OnToolsSearchForMusicFile)
ON_UPDATE_COMMAND_UI(ID_TOOLS_SEARCH_LIBRARY, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_TOOLS_SEARCH_FOR_MUSIC_FILE, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_TOOLS_ACCOUNT_MANAGEMENT, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_STATION_DELETE, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_STATION_ADD_TO_GROUP, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_STATION_REMOVE_FROM_GROUP, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_TRACK_UPDATE_MP3_TAGS, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_FOLDERS_IMPORT_FILE, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_FOLDERS_ADD_FILE_TO_ALBUM, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_FOLDERS_IMPORT_TAGGED, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_FOLDERS_ADD_TAGGED_TO_ALBUM, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_FOLDERS_ALBUM_FROM_TAGGED, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_TAGS_CLEAR_ALL, OnUpdateRuledCommand)
ON_UPDATE_COMMAND_UI(ID_TAGS_SET_ALL, OnUpdateRuledCommand)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
    : m_cfGridRecord(static_cast<CLIPFORMAT>(::RegisterClipboardFormat("GridRecordClipFormat")))
    , m_cfTreeNode(static_cast<CLIPFORMAT>(::RegisterClipboardFormat("TreeNodeClipFormat")))
    , m_pToolBarManager(std::make_unique<SECToolBarManager>(this, nullptr))
    , m_pFrameMenuBar(std::make_unique<SECMenuBar>())
{
    // The toolkit frame takes its bar manager, menu bar and bitmap menus before its window exists.
    SetControlBarManager(m_pToolBarManager.get());
    m_pMenuBar = m_pFrameMenuBar.get();
    EnableBmpMenus(TRUE, TRUE);
}

CMainFrame::~CMainFrame()
{
    SetControlBarManager(nullptr);
    m_pToolBarManager.reset();
    m_defaultToolBarButtons.clear();
    m_pMenuBar = nullptr;
    m_pFrameMenuBar.reset();
    m_viewRecordset.Release();
    if (m_wndDetailSheet.m_hWnd)
        m_wndDetailSheet.DestroyWindow();
    m_pDetailNode.reset();
    ReleaseDevice();
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    // The caption never carries the document's name.
    cs.style &= ~FWS_ADDTOTITLE;
    return SECFrameWnd::PreCreateWindow(cs);
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    const CPelicanApp* app = GetPelicanApp();
    if (app && app->m_nInstallMessage != 0 && pMsg->message == app->m_nInstallMessage) {
        pMsg->message = WM_COMMAND;
        pMsg->wParam = ID_INSTALLATION_REQUEST;
        pMsg->lParam = 0;
        // Posted to the thread, the message has no window, and a command without one reaches nobody.
        if (!pMsg->hwnd)
            pMsg->hwnd = m_hWnd;
    }
    return SECFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A synchronisation owns the library while it runs: nothing may change or close it meanwhile.
    if (m_bSyncRunning)
        return TRUE;
    return SECFrameWnd::OnCommand(wParam, lParam);
}

void CMainFrame::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    const CPelicanApp* app = GetPelicanApp();
    const CString helpFile = app ? app->m_strHelpFile : CString();
    if (nCmd == kHelpContext)
        ShowHtmlHelp(m_hWnd, helpFile, kHtmlHelpContext, dwData);
    else if (nCmd == kHelpFinder)
        ShowHtmlHelp(m_hWnd, helpFile, kHtmlHelpDisplayTopic, 0);
}

void CMainFrame::SetListView(CView* pView, CPelicanDoc* pDocument)
{
    m_pListView = pView;
    m_pDocument = pDocument;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (SECFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    PlaceWindow();
    // A missing toolbar resource leaves the program without its toolbar, not without its window.
    CreateToolBars();
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators))))
        return -1;
    m_bProgressVisible = FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    if (!CreateDockingTabs())
        return -1;
    CreateMenuBarAndDefaultBars();
    InstallWorkspace();
    // Without its sheet the list still shows the library.
    CreateDetailSheet();
    LoadBarLayout();
    // The base laid the frame out before its bars existed.
    RecalcLayout();
    return 0;
}

void CMainFrame::PlaceWindow()
{
    CRect window;
    GetWindowRect(&window);
    const CSize screen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    bool changed = false;
    const CRect fallback = WindowPlacement::Adjust(window, screen, changed);
    CRect placed = fallback;
    const CPelicanApp* app = GetPelicanApp();
    if (app && app->m_bSaveWindowSettings) {
        const CString saved = ReadRegistryValue("MainWindowRect", kSettingsSection);
        if (!saved.IsEmpty() && WindowPlacement::ReadSaved(saved, placed))
            changed = true;
    }
    if (!changed)
        return;
    const CRect screenRect(0, 0, screen.cx, screen.cy);
    CRect visible;
    const CRect& target = visible.IntersectRect(&placed, &screenRect) ? placed : fallback;
    MoveWindow(&target, FALSE);
}

void CMainFrame::SaveWindowSettings()
{
    if (CDocument* document = Document())
        document->SetModifiedFlag(FALSE);
    const CPelicanApp* app = GetPelicanApp();
    if (!app || !app->m_bSaveWindowSettings)
        return;
    SaveTreeState();
    SaveBarLayout();
    CRect window;
    GetWindowRect(&window);
    WriteRegistryValue(WindowPlacement::Format(window), "MainWindowRect", kSettingsSection);
}

void CMainFrame::OnClose()
{
    if (m_bSyncRunning)
        return;
    SaveWindowSettings();
    if (CloseLibrary())
        SECFrameWnd::OnClose();
}

void CMainFrame::OnInstallationRequest()
{
    SaveWindowSettings();
    CloseLibrary();
    SECFrameWnd::OnClose();
}

LRESULT CMainFrame::OnInstallationMessage(WPARAM, LPARAM)
{
    PostMessage(WM_COMMAND, ID_INSTALLATION_REQUEST, 0);
    return 0;
}

bool CMainFrame::CloseLibrary()
{
    // The collector writes through the connection that closes here.
    if (CPelicanApp* app = GetPelicanApp())
        app->m_artGrabber.Cancel();
    if (CDocument* document = Document())
        document->SetModifiedFlag(FALSE);
    // The tree's state is the open library's: save it before the library goes, never after.
    const CPelicanApp* app = GetPelicanApp();
    if (app && app->m_bSaveWindowSettings)
        SaveTreeState();
    if (IsDeviceLibraryOpen()) {
        // Without changes there is nothing to send; with them the user decides unless asked not to be.
        int answer = IDNO;
        if (IsLibraryModified())
            answer = app && app->m_bSyncDialogOnExit ? AskSynchronizeOnClose() : IDYES;
        if (answer == IDCANCEL)
            return false;
        CloseListAndConnection();
        if (answer == IDYES)
            SynchronizeOnClose();
        ReleaseDevice();
    } else {
        CloseListAndConnection();
    }
    SetLibraryModified(false);
    // No node is selected any more: the list and the detail sheet ask the selection what they show.
    m_selectedNode = ViewNode();
    m_nSelectedKind = 0;
    SetWindowText(kClosedCaption);
    ::CoFreeUnusedLibraries();
    return true;
}

int CMainFrame::AskSynchronizeOnClose() { return static_cast<int>(CSyncMessage(this).DoModal()); }

void CMainFrame::SynchronizeOnClose() { RunSync(false); }

void CMainFrame::SaveTreeState()
{
    if (IsLibraryOpen())
        m_wndDockingTabs.m_wndTree.SaveTreeState();
}

void CMainFrame::CloseListAndConnection()
{
    CloseViewRecordset();
    // The list must not go on reading rows of a library that is gone.
    if (CPelicanView* list = GetListView())
        list->ClearList();
    theLibraryConnection.Close();
}

void CMainFrame::ReleaseDevice()
{
    if (m_pDevice) {
        m_pDevice->Release();
        m_pDevice = nullptr;
    }
}

CDocument* CMainFrame::Document()
{
    if (m_pDocument)
        return m_pDocument;
    return GetActiveDocument();
}

void CMainFrame::CreateProgressBar()
{
    if (m_wndProgress.m_hWnd)
        return;
    CRect pane;
    m_wndStatusBar.GetItemRect(kProgressPane, &pane);
    if (!m_wndProgress.Create(WS_CHILD | WS_VISIBLE, pane, &m_wndStatusBar, 1))
        return;
    m_wndProgress.SetRange(0, 100);
    m_wndProgress.SetStep(1);
    m_bProgressVisible = TRUE;
}

LRESULT CMainFrame::OnProgressReset(WPARAM, LPARAM)
{
    if (m_wndProgress.m_hWnd)
        m_wndProgress.SetPos(0);
    return 1;
}

LRESULT CMainFrame::OnProgressShow(WPARAM, LPARAM)
{
    CreateProgressBar();
    return 1;
}

LRESULT CMainFrame::OnProgressSetPos(WPARAM wParam, LPARAM)
{
    CreateProgressBar();
    const int position = static_cast<int>(wParam);
    if (m_wndProgress.m_hWnd)
        m_wndProgress.SetPos(position < kProgressMin ? kProgressMin : position > kProgressMax ? kProgressMax : position);
    return 1;
}

LRESULT CMainFrame::OnRefreshViewMessage(WPARAM, LPARAM)
{
    UpdateListView();
    return 0;
}

LRESULT CMainFrame::OnReleaseDeviceMessage(WPARAM, LPARAM)
{
    ReleaseDevice();
    return 1;
}

LRESULT CMainFrame::OnPowerBroadcast(WPARAM wParam, LPARAM)
{
    // Suspending would cut the device's connection in the middle of its work.
    if (wParam == PBT_APMQUERYSUSPEND && m_pDevice)
        return BROADCAST_QUERY_DENY;
    return Default();
}

LRESULT CMainFrame::OnDeviceChange(WPARAM wParam, LPARAM lParam)
{
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if (IsLibraryOpen() && wParam == DBT_DEVICEREMOVECOMPLETE && header && header->dbch_devicetype == DBT_DEVTYP_VOLUME) {
        const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(lParam);
        if (volume->dbcv_flags & DBTF_MEDIA)
            OnMediaRemoved(volume->dbcv_unitmask);
    }
    return Default();
}

void CMainFrame::OnHelpFinder() { WinHelp(0, kHelpFinder); }

int CMainFrame::ConnectDevice() { return ConnectLibraryDevice(&m_pDevice); }

bool CMainFrame::RunSync(bool ask)
{
    // A connection failure says nothing: the user sees the library close.
    if (!m_pDevice && ConnectDevice() != kDeviceConnected)
        return false;
    // The collector writes through the library's connection, which the run closes.
    if (CPelicanApp* app = GetPelicanApp(); app && app->m_artGrabber.IsRunning())
        app->m_artGrabber.Cancel();
    // The component leaves its properties files in the current folder, which the swap cleans.
    SetCurrentDirectory(GetDataSourceDirectory());
    CSyncProgressDlg dialog(this);
    dialog.m_bAsk = ask ? TRUE : FALSE;
    const bool completed = dialog.DoModal() == IDOK;
    ::CoFreeUnusedLibraries();
    return completed;
}

void CMainFrame::OnSynchronize()
{
    if (!RunSync(false)) {
        CloseLibrary();
        return;
    }
    theLibraryConnection.OpenDatabase(GetDatabasePath());
    OnLibraryRebuilt();
}

void CMainFrame::OnLibraryRebuilt()
{
    if (CPelicanApp* app = GetPelicanApp())
        app->m_artGrabber.GrabCoverArt();
    m_wndDockingTabs.m_wndTree.RebuildTree();
}

void CMainFrame::OnUpdateSynchronize(CCmdUI* pCmdUI) { pCmdUI->Enable(IsDeviceLibraryOpen() && IsLibraryModified()); }

void CMainFrame::OnFileOpenLibrary() { OpenLibrary(); }

INT_PTR CMainFrame::ChooseLibrary()
{
    CClientAddressDlg chooser(this);
    return chooser.DoModal();
}

void CMainFrame::OnLibraryOpened()
{
    m_wndDockingTabs.m_wndTree.BuildTree();
    m_wndDockingTabs.EnableSearchTab(IsLibraryOpen());
}

bool CMainFrame::OpenLibrary()
{
    if (!CheckPrerequisites() || ChooseLibrary() != IDOK)
        return false;
    CPelicanApp* app = GetPelicanApp();
    try {
        bool ready = true;
        if (!app->m_bLocalLibrary) {
            // The main window repaints after the chooser before the synchronisation's dialog comes up.
            MSG msg;
            while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
            ready = RunSync(true) && GetFileAttributes(GetDatabasePath()) != INVALID_FILE_ATTRIBUTES;
        } else {
            ready = PrepareLocalLibraryFile();
        }
        if (!ready || !theLibraryConnection.OpenDatabase(GetDatabasePath())) {
            // Nothing else would let go of the device the chooser connected.
            ReleaseDevice();
            return false;
        }
        LoadGenreTable();
        OnLibraryOpened();
        SetWindowText(CString("Aldercrest Tune Steward(") + app->m_strDescription + " )");
        app->m_artGrabber.GrabCoverArt();
        return true;
    } catch (...) {
        m_bSyncRunning = FALSE;
        ReleaseDevice();
        return false;
    }
}
