#include "app/CPelicanApp.h"

#include <cstdlib>
#include <cstring>
#include <netdb.h>

#include "app/AppSettings.h"
#include "app/CAboutDlg.h"
#include "app/CLogoWnd.h"
#include "app/CMainFrame.h"
#include "app/CPelicanDoc.h"
#include "app/CPelicanView.h"
#include "app/StartupHelp.h"
#include "app/TuneStewardIds.h"
#include "library/RegistryRoutines.h"
#include "platform/afx/AfxMessageBox.h"
#include "platform/afx/AfxStartup.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CCommandLineInfo.h"
#include "platform/afx/COccManager.h"
#include "platform/afx/CSingleDocTemplate.h"
#include "platform/base/Locale.h"
#include "platform/base/Modules.h"

namespace {

constexpr UINT kMaxRecentFiles = 4;
constexpr UINT kSplashMilliseconds = 2500;
constexpr DWORD kMaxModulePath = 512;

} // namespace

const char* const kConfirmFlagNames[CPelicanApp::ConfirmKindCount] = { "ConfirmDeleteArtist", "ConfirmDeleteAlbum",
    "ConfirmDeleteGroup", "ConfirmDeletePlaylist", "ConfirmDeleteTrack", "ConfirmDeleteIRStation" };

BEGIN_MESSAGE_MAP(CPelicanApp, CWinApp)
ON_COMMAND(57664, OnAppAbout)
ON_COMMAND(57600, CWinApp::OnFileNew)
ON_COMMAND(57601, CWinApp::OnFileOpen)
ON_UPDATE_COMMAND_UI(57600, OnUpdateFileNewOpen)
ON_UPDATE_COMMAND_UI(57601, OnUpdateFileNewOpen)
END_MESSAGE_MAP()

CPelicanApp::CPelicanApp() = default;

CPelicanApp::~CPelicanApp() = default;

BOOL CPelicanApp::InitInstance()
{
    // The profile lives under Software\Corvane\Tune Steward whatever the executable is called.
    std::free(const_cast<char*>(m_pszAppName));
    m_pszAppName = strdup("Tune Steward");
    SetRegistryKey("Corvane");

    if (ReadRegistryValue("UseLCID", kSettingsSection).CompareNoCase("T") == 0) {
        m_hResourceDll = LoadResourceLibrary(GetUserDefaultLCID());
        if (m_hResourceDll)
            AfxSetResourceHandle(m_hResourceDll);
    }
    if (!AfxSocketInit()) {
        AfxMessageBox(IDS_WINSOCK_FAILED, MB_OK);
        return FALSE;
    }
    // Resolving the local host once, result unused, primes the resolver before the device link needs it.
    if (addrinfo* found = nullptr; getaddrinfo("localhost", nullptr, nullptr, &found) == 0)
        freeaddrinfo(found);
    if (!AfxOleInit()) {
        AfxMessageBox(IDS_OLE_INIT_FAILED, MB_OK);
        return FALSE;
    }
    AfxEnableControlContainer();
    Enable3dControls();
    LoadSettings();
    m_bLibraryModified = FALSE;

    AddDocTemplate(new CSingleDocTemplate(
        IDR_MAINFRAME, RUNTIME_CLASS(CPelicanDoc), RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CPelicanView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);

    // The splash is up before the main window exists; when it goes it starts Open Library.
    if (m_bShowSplash) {
        auto* splash = new CLogoWnd(IDB_SPLASH, kSplashMilliseconds);
        if (!splash->Show())
            delete splash;
    }
    if (!PrepareStartupHelp(kStartupHelpLibrary, m_strHelpFile))
        return FALSE;
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    ReadConfirmFlags();
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    m_pMainWnd->DragAcceptFiles();
    return TRUE;
}

int CPelicanApp::ExitInstance()
{
    DeleteRegistryValue("WM_INSTALL", kSettingsSection);
    if (m_hResourceDll) {
        AfxSetResourceHandle(m_hInstance);
        ::FreeLibrary(m_hResourceDll);
        m_hResourceDll = nullptr;
    }
    return CWinApp::ExitInstance();
}

BOOL CPelicanApp::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg->hwnd && m_pMainWnd && m_pMainWnd->m_hWnd && m_pMainWnd->PreTranslateMessage(pMsg))
        return TRUE;
    return CWinApp::PreTranslateMessage(pMsg);
}

void CPelicanApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd))
        frame->WinHelp(dwData, nCmd);
}

HINSTANCE CPelicanApp::LoadResourceLibrary(LCID locale)
{
    return ::LoadLibrary(ResourceLibraryName(locale));
}

BOOL CPelicanApp::LoadSettings()
{
    LoadStdProfileSettings(kMaxRecentFiles);
    m_bSyncDialogOnExit = SettingOnUnlessFalse(ReadRegistryValue("SyncDialogOnExit", kSettingsSection));
    m_bSaveWindowSettings = SettingOnUnlessFalse(ReadRegistryValue("SaveWindowSettings", kSettingsSection));
    m_bUseCDDBControl = SettingOnOnlyIfTrue(ReadRegistryValue("UseCDDBControl", kSettingsSection));
    m_bIgnoreMp3Tags = SettingOnOnlyIfTrue(ReadRegistryValue("IgnoreMp3Tags", kSettingsSection));
    m_bCopyMusicFiles = SettingOnOnlyIfTrue(ReadRegistryValue("CopyMusicFiles", kSettingsSection));
    m_strDefaultArtDirectory = ReadRegistryValue("DefaultArtDirectory", kSettingsSection);

    // An installer finds the number of the message that asks the program to go in the settings.
    m_nInstallMessage = ::RegisterWindowMessage(kInstallationMessageName);
    if (m_nInstallMessage != 0) {
        CString number;
        number.Format("%d", static_cast<int>(m_nInstallMessage));
        WriteRegistryValue(number, "WM_INSTALL", kSettingsSection);
    }

    CString directory = ReadRegistryValue("HelpFileDirectory", kSettingsSection);
    if (directory.IsEmpty()) {
        char path[kMaxModulePath] {};
        ::GetModuleFileName(nullptr, path, kMaxModulePath);
        directory = path;
    }
    m_strHelpFile = HelpFileFromDirectory(directory);
    return TRUE;
}

void CPelicanApp::ReadConfirmFlags()
{
    for (int kind = 0; kind < ConfirmKindCount; ++kind)
        ReadConfirmFlag(&m_bConfirmDelete[kind], kConfirmFlagNames[kind], kConfirmationSection);
}

void CPelicanApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}

void CPelicanApp::OnUpdateFileNewOpen(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
