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
    // The docking tab window (the library tree and the search) is created here and docked at the left.
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
    m_nSelectedKind = 0;
    SetWindowText(kClosedCaption);
    ::CoFreeUnusedLibraries();
    return true;
}

int CMainFrame::AskSynchronizeOnClose() { return static_cast<int>(CSyncMessage(this).DoModal()); }

void CMainFrame::SynchronizeOnClose() { RunSync(false); }

void CMainFrame::SaveTreeState()
{
    // The library tree is not part of the frame yet; when it is, it saves here while a library is open.
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

LRESULT CMainFrame::OnDeviceChange(WPARAM, LPARAM)
{
    // The tree's drive nodes and the search dialog's results follow removed media once they are part
    // of the frame.
    return Default();
}

void CMainFrame::OnDropFiles(HDROP hDropInfo)
{
    // Dropped files are imported into an open library once the import's window side is part of the
    // program; without a library nothing happens.
    CWnd::OnDropFiles(hDropInfo);
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
    // The library tree rebuilds from the new file here once it joins the frame.
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
    // The library tree and the search tab are built here once they join the frame.
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
