#include "platform/afx/CCommandLineInfo.h"

#include "platform/base/CaseFold.h"

void CCommandLineInfo::ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL)
{
    if (!pszParam)
        return;
    if (bFlag) {
        if (platform::EqualsNoCase(pszParam, "pt"))
            m_nShellCommand = FilePrintTo;
        else if (platform::EqualsNoCase(pszParam, "p"))
            m_nShellCommand = FilePrint;
        else if (platform::EqualsNoCase(pszParam, "Unregister") || platform::EqualsNoCase(pszParam, "Unregserver"))
            m_nShellCommand = AppUnregister;
        else if (platform::EqualsNoCase(pszParam, "Register") || platform::EqualsNoCase(pszParam, "Regserver"))
            m_nShellCommand = AppRegister;
        else if (platform::EqualsNoCase(pszParam, "dde"))
            m_nShellCommand = FileDDE;
        else if (platform::EqualsNoCase(pszParam, "Embedding")) {
            m_bRunEmbedded = TRUE;
            m_bShowSplash = FALSE;
        } else if (platform::EqualsNoCase(pszParam, "Automation")) {
            m_bRunAutomated = TRUE;
            m_bShowSplash = FALSE;
        }
        return;
    }
    // The first plain word is the file; after a print-to command come printer, driver and port.
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    } else if (m_nShellCommand == FilePrintTo) {
        if (m_strPrinterName.IsEmpty())
            m_strPrinterName = pszParam;
        else if (m_strDriverName.IsEmpty())
            m_strDriverName = pszParam;
        else if (m_strPortName.IsEmpty())
            m_strPortName = pszParam;
    }
}
