#pragma once
// What a print job or a print preview tells the view and the view tells it back: the page range,
// the page being printed, where to draw on it, and whether to go on.

#include <memory>

#include "platform/afx/CPrintDialog.h"
#include "platform/afx/CRect.h"
#include "platform/afx/CString.h"

class CPrintInfo {
public:
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    // The document's pages; the highest is 0xFFFF while the view does not know its page count.
    void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage); }
    void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage); }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    // The pages to print: the range asked for (PD_PAGENUMS), else all of them.
    UINT GetFromPage() const;
    UINT GetToPage() const;
    UINT GetOffsetPage() const { return m_nOffsetPage; }

    std::unique_ptr<CPrintDialog> m_pPD;
    // Printed without showing the print dialog (the defaults).
    BOOL m_bDirect { FALSE };
    BOOL m_bPreview { FALSE };
    // Cleared by the view to end the job after the current page (or to refuse it from OnBeginPrinting).
    BOOL m_bContinuePrinting { TRUE };
    UINT m_nCurPage { 1 };
    // Pages shown side by side in the preview (1 or 2).
    UINT m_nNumPreviewPages { 1 };
    // The preview's page-number text ("Page %u"); empty shows none.
    CString m_strPageDesc;
    void* m_lpUserData { nullptr };
    // The printable area of the page in logical units, set before each OnPrint.
    CRect m_rectDraw;
    UINT m_nOffsetPage { 0 };
};
