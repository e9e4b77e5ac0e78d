#include "platform/afx/CPrintDialog.h"

#include <algorithm>
#include <cstring>

#include "platform/afx/CWinApp.h"
#include "platform/afx/CWnd.h"
#include "platform/base/GlobalMemory.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CObject)

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd)
{
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
    m_pd.nFromPage = m_pd.nMinPage = 1;
    m_pd.nToPage = m_pd.nMaxPage = 0xFFFF;
}

CPrintDialog::~CPrintDialog()
{
    GlobalFree(m_pd.hDevMode);
    GlobalFree(m_pd.hDevNames);
}

INT_PTR CPrintDialog::DoModal()
{
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_pd.hwndOwner = owner ? owner->GetSafeHwnd() : nullptr;
    return PrintDlg(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    // The defaults are asked for afresh: the shell refuses settings blocks with PD_RETURNDEFAULT.
    GlobalFree(m_pd.hDevMode);
    GlobalFree(m_pd.hDevNames);
    m_pd.hDevMode = m_pd.hDevNames = nullptr;
    const DWORD flags = m_pd.Flags;
    m_pd.Flags |= PD_RETURNDEFAULT | PD_RETURNDC;
    const BOOL ok = PrintDlg(&m_pd);
    m_pd.Flags = flags;
    return ok;
}

HDC CPrintDialog::CreatePrinterDC()
{
    DEVMODE settings;
    if (const void* stored = m_pd.hDevMode ? GlobalLock(m_pd.hDevMode) : nullptr) {
        std::memcpy(&settings, stored, std::min<SIZE_T>(sizeof settings, GlobalSize(m_pd.hDevMode)));
        GlobalUnlock(m_pd.hDevMode);
    }
    return m_pd.hDC = platform::gdi::CreatePrinterDC(&settings, nullptr);
}
