#pragma once
// The print dialog of the class library on the platform's chooser: choosing where to print is
// choosing the PDF file. The dialog owns its printer settings blocks; the DC it returns is the
// caller's to delete.

#include "platform/afx/CObject.h"
#include "platform/shell/CommDlg.h"

class CWnd;

class CPrintDialog : public CObject {
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
        DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
        CWnd* pParentWnd = nullptr);
    ~CPrintDialog() override;
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    // IDOK with the choice (and, with PD_RETURNDC, its DC) in m_pd; IDCANCEL when cancelled or failed.
    virtual INT_PTR DoModal();
    // The default printer without asking: a DC (PD_RETURNDC) writing to no file yet.
    BOOL GetDefaults();
    HDC GetPrinterDC() const { return m_pd.hDC; }
    // A new DC for the chosen printer, or null.
    HDC CreatePrinterDC();

    int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
    int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }

    PRINTDLG m_pd;

private:
    CWnd* m_pParentWnd { nullptr };
};
