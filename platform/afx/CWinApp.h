#pragma once
// The application object, window-free part: its names, the module handles, and the application's
// profile. The profile lives in the registry under HKEY_CURRENT_USER\Software\<registry key>\<profile
// name> once SetRegistryKey has been called, and in the profile file <profile name> before that.
// The window part (message loop, idle processing, main window, document templates) builds on this.
//
// The name members are texts the object owns, allocated with malloc (strdup): a program may replace
// one by freeing it and storing its own strdup'd text, and the destructor frees them.

#include <memory>

#include "platform/afx/CPtrList.h"
#include "platform/afx/CString.h"
#include "platform/afx/CWinThread.h"
#include "platform/shell/CommDlg.h"

class CCommandLineInfo;
class CDocTemplate;
class CDocument;
class CRecentFileList;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // Becomes the application object (AfxGetApp) and the thread object of the calling (main) thread,
    // which it does not delete. lpszAppName null: the name is taken later from string
    // AFX_IDS_APP_TITLE or, failing that, the executable's name.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // Fills in what is not yet set: the instance handle, the executable's name, the application name and
    // the profile name ("<exe name>.INI"). Called by start-up and by the profile functions.
    void SetCurrentHandles();

    // Moves the profile into the registry under HKEY_CURRENT_USER\Software\<lpszRegistryKey>\<application
    // name>; the profile name becomes the application name.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    // The same with the key name from string resource nIDRegistryKey.
    void SetRegistryKey(UINT nIDRegistryKey);

    // The application's key (created when missing), open for reading and writing; the caller closes it.
    // Null when no registry key is set or the key cannot be opened.
    HKEY GetAppRegistryKey();
    // The key of one section below the application's key (created when missing); the caller closes it.
    HKEY GetSectionKey(LPCTSTR lpszSection);

    // An integer entry of the profile; nDefault when missing or not an integer.
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    // Stores an integer entry (REG_DWORD in the registry, decimal text in a profile file).
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    // A text entry of the profile; lpszDefault ("" for null) when missing.
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // Stores a text entry; a null value deletes the entry, a null entry deletes the whole section.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // A binary entry in a new BYTE[] (*ppData, freed by the caller with delete[]) of *pBytes bytes.
    // FALSE, *ppData null and *pBytes 0 when missing or not readable as binary data.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    // Stores a binary entry (REG_BINARY in the registry, two letters 'A'-'P' per byte, low half first, in
    // a profile file).
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // Shows a message box for AfxMessageBox, captioned with the application's name; a box without an
    // icon gets the exclamation mark (OK, OK/Cancel) or the question mark (Yes/No, Yes/No/Cancel). The
    // window part gives it an owner.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // Start-up and shut-down of the application around its message loop. ExitInstance saves the
    // recent-file list and returns the code WM_QUIT carried.
    BOOL InitInstance() override { return TRUE; }
    int ExitInstance() override;
    // The message loop; an application that has no main window by then quits at once.
    int Run() override;
    // The thread's idle work, and the documents' own (OnIdle of each) on the first call.
    BOOL OnIdle(LONG lCount) override;

    // Document templates: the application owns them and deletes them when it goes.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    // Opens the file in the template that fits it best (or activates the document that has it open);
    // null when no template can.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    // Asks for a file name to open or save; there is no file dialog at this layer, so FALSE unless a
    // program provides one.
    virtual BOOL DoPromptFileName(
        CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog, CDocTemplate* pTemplate);
    // Asks every document whether it may close; FALSE when one refuses.
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);

    // Splits m_lpCmdLine into words (double quotes group) and hands them to rCmdInfo.ParseParam.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Carries out the parsed command: a new document, opening the file, or nothing. FALSE when the
    // program should end (the command failed or was a registration).
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    // Reads the recent-file list (nMaxMRU names, 0 for none) and the standard settings.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    // Asks for the 3-D look of dialog controls: every dialog has it here, so TRUE.
    BOOL Enable3dControls() { return TRUE; }
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    // Shows help for the context; the program's own help engine takes over by overriding this.
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = 0x0001 /* HELP_CONTEXT */) { }
    // The hourglass: 1 shows it (nested calls count), -1 takes one away (the last restores the cursor
    // shown before), 0 shows it again after something else changed the cursor.
    virtual void DoWaitCursor(int nCode);

    // Copies of the printer File / Print Setup chose, put into pd (whose earlier blocks are freed) for a
    // print dialog to start from; FALSE, and pd untouched, while none was chosen.
    BOOL GetPrinterDeviceDefaults(PRINTDLG* pd);

    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFilePrintSetup();
    afx_msg void OnAppExit();
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

    LPCTSTR m_pszAppName { nullptr };
    HINSTANCE m_hInstance { nullptr };
    LPTSTR m_lpCmdLine { nullptr };
    int m_nCmdShow { 1 };
    LPCTSTR m_pszExeName { nullptr };
    LPCTSTR m_pszHelpFilePath { nullptr };
    LPCTSTR m_pszProfileName { nullptr };
    LPCTSTR m_pszRegistryKey { nullptr };
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    CPtrList m_templateList;
    UINT m_nNumPreviewPages { 0 };
    int m_nWaitCursorCount { 0 };
    HCURSOR m_hcurWaitCursorRestore { nullptr };
    // The printer File / Print Setup chose (its settings and its names, with the file printed to).
    HGLOBAL m_hDevMode { nullptr };
    HGLOBAL m_hDevNames { nullptr };

    DECLARE_MESSAGE_MAP()
};

// The program's start: the application object's handles and command line, InitInstance, then Run;
// returns the program's exit code.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);

// The string id of the application's title in the resources.
constexpr UINT AFX_IDS_APP_TITLE = 0xE000;
