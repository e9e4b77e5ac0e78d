// CView's printing protocol: the print job on a printer DC and the start of a print preview.
#include "platform/afx/AfxPriv.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CPreviewView.h"
#include "platform/afx/CPrintInfo.h"
#include "platform/afx/CView.h"
#include "platform/afx/CWinApp.h"
#include "platform/gdi/Printing.h"

namespace {

constexpr UINT kUnknownPageCount = 0xFFFF;

// The printable area of the DC's page in its current logical units.
CRect PageRect(const CDC& dc)
{
    CRect rect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    dc.DPtoLP(&rect);
    return rect;
}

} // namespace

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pInfo && pDC && pDC->IsPrinting() && pInfo->GetMaxPage() == kUnknownPageCount)
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
}

void CView::PrintPage(CDC& dc, CPrintInfo& info)
{
    info.m_rectDraw = PageRect(dc);
    OnPrint(&dc, &info);
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CPrintDialog& dialog = *pInfo->m_pPD;
    // The chooser offers no page range: one the program asked for stands.
    const PRINTDLG asked = dialog.m_pd;
    if (pInfo->m_bPreview || pInfo->m_bDirect) {
        if (!dialog.GetDefaults())
            return FALSE;
    } else {
        dialog.m_pd.Flags |= PD_RETURNDC;
        // The dialog offers the printer File / Print Setup chose.
        if (CWinApp* app = AfxGetApp())
            app->GetPrinterDeviceDefaults(&dialog.m_pd);
        if (dialog.DoModal() != IDOK)
            return FALSE;
    }
    if (asked.Flags & PD_PAGENUMS) {
        dialog.m_pd.Flags |= PD_PAGENUMS;
        dialog.m_pd.nFromPage = asked.nFromPage;
        dialog.m_pd.nToPage = asked.nToPage;
    }
    return dialog.m_pd.hDC != nullptr;
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    if (!OnPreparePrinting(&info) || !info.m_pPD->m_pd.hDC)
        return;
    CDC dc;
    dc.Attach(info.m_pPD->m_pd.hDC);
    dc.m_bPrinting = TRUE;

    CString title = m_pDocument ? m_pDocument->GetTitle() : CString();
    if (title.IsEmpty())
        (GetParentFrame() ? static_cast<CWnd*>(GetParentFrame()) : this)->GetWindowText(title);
    DOCINFO doc;
    doc.lpszDocName = title;
    OnBeginPrinting(&dc, &info);
    if (!info.m_bContinuePrinting || StartDoc(dc.m_hDC, &doc) <= 0) {
        OnEndPrinting(&dc, &info);
        return;
    }
    bool failed = false;
    // The range ends the loop even for a view that never clears m_bContinuePrinting.
    for (info.m_nCurPage = info.GetFromPage(); info.m_nCurPage <= info.GetToPage(); ++info.m_nCurPage) {
        OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting)
            break;
        if (StartPage(dc.m_hDC) <= 0) {
            failed = true;
            break;
        }
        PrintPage(dc, info);
        if (EndPage(dc.m_hDC) <= 0) {
            failed = true;
            break;
        }
        if (!info.m_bContinuePrinting)
            break;
    }
    OnEndPrinting(&dc, &info);
    if (failed)
        AbortDoc(dc.m_hDC);
    else
        EndDoc(dc.m_hDC);
}

void CView::OnFilePrintPreview()
{
    auto info = std::make_unique<CPrintInfo>();
    info->m_bPreview = TRUE;
    if (!OnPreparePrinting(info.get()) || !info->m_pPD->m_pd.hDC) {
        if (info->m_pPD->m_pd.hDC)
            ::DeleteDC(info->m_pPD->m_pd.hDC);
        return;
    }
    DoPrintPreview(std::move(info));
}

BOOL CView::DoPrintPreview(std::unique_ptr<CPrintInfo> pInfo)
{
    // The preview fills the main window when the view lies in it (a document window of an MDI frame
    // included), as the main window's menu and bars are the ones put aside.
    auto* main = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    CFrameWnd* frame = main && ::IsChild(main->m_hWnd, m_hWnd) ? main : GetParentFrame();
    if (!frame || !pInfo || !pInfo->m_pPD->m_pd.hDC)
        return FALSE;
    return CPreviewView::Start(*frame, *this, std::move(pInfo));
}

void CView::OnEndPrintPreview(CDC*, CPrintInfo*, POINT, CPreviewView*)
{
    if (CFrameWnd* frame = GetParentFrame()) {
        frame->SetActiveView(this);
        frame->RecalcLayout();
    }
}
