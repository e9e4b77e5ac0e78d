#pragma once
// The program's one application object: start-up and exit, the user's settings, the identity of the
// open library and the process-wide flags that the shell and the library code read and write.

#include "app/CArtGrabber.h"
#include "app/CGenre.h"
#include "app/FieldDisplayMap.h"
#include "library/CDeviceList.h"
#include "platform/afx/CArray.h"
#include "platform/afx/CString.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CWinApp.h"

class CCmdUI;
#include "platform/base/WinTypes.h"

class CPelicanApp : public CWinApp {
public:
    // Indexes of m_bConfirmDelete.
    enum ConfirmKind { ConfirmArtist, ConfirmAlbum, ConfirmGroup, ConfirmPlaylist, ConfirmTrack, ConfirmIRStation, ConfirmKindCount };

    CPelicanApp();
    ~CPelicanApp() override;

    // Settings, resources, the document template, the splash and the main window; FALSE ends the program.
    BOOL InitInstance() override;
    // Removes the installation message's number from the settings and lets go of the language library.
    int ExitInstance() override;
    // A message posted to the thread rather than to a window is offered to the main window too: the
    // installer's request may come that way.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Help goes to the main frame, which opens the help file.
    void WinHelp(DWORD_PTR dwData, UINT nCmd = 0x0001) override;

    // Loads the language resource library of the locale's primary language; null when there is none.
    HINSTANCE LoadResourceLibrary(LCID locale);
    // Reads the settings flags, registers the installation message and builds the help file's path.
    BOOL LoadSettings();

    HINSTANCE m_hResourceDll { nullptr };      // language resource library, null when none
    BOOL m_bLibraryModified { FALSE };         // the open library has changes not yet sent to the device
    BOOL m_bSyncDialogOnExit { FALSE };        // setting SyncDialogOnExit: "F" (any case) off, else on
    BOOL m_bSaveWindowSettings { FALSE };      // setting SaveWindowSettings: "F" (any case) off, else on
    CDeviceList m_deviceList;                  // the libraries the chooser offers
    CArray<CGenre, CGenre> m_genres;           // genre table of the open library
    BOOL m_bShowSplash { TRUE };
    CString m_strMaker;                        // maker of the chosen device; source of the library folder name
    CString m_strDeviceName;                   // the device's name in its registry key and library folder
    CString m_strPassword;
    CString m_strDescription;                  // display name of the chosen library (main window caption)
    CString m_strAddress;                      // the device's network address
    CString m_strDataSource;                   // folder that holds the library folders; empty: current folder
    CString m_strProduct;
    CString m_strHelpFile;                     // full path of the help file
    BOOL m_bSplashUp { FALSE };
    BOOL m_bUseCDDBControl { FALSE };          // setting UseCDDBControl: "T" (any case) on, else off
    BOOL m_bCDDBControlPresent { FALSE };      // the CD-database control could be created
    BOOL m_bIgnoreMp3Tags { FALSE };           // setting IgnoreMp3Tags
    BOOL m_bUpdatingDetails { FALSE };
    BOOL m_bBusy { FALSE };                    // a long operation runs
    BOOL m_bRadioSupported { FALSE };          // nothing sets it: the radio features stay off
    BOOL m_bAccountsSupported { FALSE };
    BOOL m_bCopyMusicFiles { FALSE };          // setting CopyMusicFiles
    BOOL m_bLocalLibrary { FALSE };            // the open library is the local sample library
    UINT m_nInstallMessage { 0 };
    CString m_strDefaultArtDirectory;          // setting DefaultArtDirectory
    BOOL m_bConfirmDelete[ConfirmKindCount] {}; // ask before deleting; read at start-up
    CArtGrabber m_artGrabber;                  // fetches the device library's cover pictures
    FieldDisplayMap m_fieldDisplay;            // the list's columns by field; filled by the list's first update

protected:
    afx_msg void OnAppAbout();
    afx_msg void OnUpdateFileNewOpen(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    // Reads the six delete confirmations.
    void ReadConfirmFlags();
};

// The names of the delete confirmations in the ConfirmationFlags section, in ConfirmKind order.
extern const char* const kConfirmFlagNames[CPelicanApp::ConfirmKindCount];

// The application object, or null while none exists. The program's only application object is a
// CPelicanApp; the library code reaches its members through this without linking the shell.
inline CPelicanApp* GetPelicanApp() { return static_cast<CPelicanApp*>(AfxGetApp()); }
