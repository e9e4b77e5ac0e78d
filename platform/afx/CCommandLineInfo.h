#pragma once
// What the program's command line asks for: a shell command and its file, parsed by
// CWinApp::ParseCommandLine through ParseParam (flags start with '/' or '-').

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CCommandLineInfo : public CObject {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };

    CCommandLineInfo() = default;
    ~CCommandLineInfo() override = default;

    // One word of the command line (bFlag: it began with '/' or '-', which is taken off).
    virtual void ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash { TRUE };
    BOOL m_bRunEmbedded { FALSE };
    BOOL m_bRunAutomated { FALSE };
    int m_nShellCommand { FileNew };
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;
};
