#pragma once
// The program's one application object: the user's settings, the identity of the open library and the
// process-wide flags that the shell and the library code read and write. Only the window-free part is
// here; the shell adds start-up, the main window and the message loop on the same class.

#include "app/CGenre.h"
#include "library/CDeviceList.h"
#include "platform/afx/CArray.h"
#include "platform/afx/CString.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/WinTypes.h"

class CPelicanApp : public CWinApp {
public:
    // Indexes of m_bConfirmDelete.
    enum ConfirmKind { ConfirmArtist, ConfirmAlbum, ConfirmGroup, ConfirmPlaylist, ConfirmTrack, ConfirmIRStation, ConfirmKindCount };

    CPelicanApp();
    ~CPelicanApp() override;

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
};

// The application object, or null while none exists. The program's only application object is a
// CPelicanApp; the library code reaches its members through this without linking the shell.
inline CPelicanApp* GetPelicanApp() { return static_cast<CPelicanApp*>(AfxGetApp()); }
