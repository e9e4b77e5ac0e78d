#include "platform/afx/tests/showcase/CNotesView.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CFont.h"
#include "platform/afx/COleDataObject.h"
#include "platform/base/GlobalMemory.h"
#include "platform/afx/CPrintInfo.h"
#include "platform/afx/tests/showcase/CNotesDoc.h"
#include "platform/afx/tests/showcase/CShowcaseApp.h"

IMPLEMENT_DYNCREATE(CNotesView, CView)

BEGIN_MESSAGE_MAP(CNotesView, CView)
ON_WM_CREATE()
ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

CNotesDoc* CNotesView::GetDocument() const { return static_cast<CNotesDoc*>(m_pDocument); }

int CNotesView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_dropTarget.Register(this);
    return 0;
}

void CNotesView::DrawLines(CDC* pDC, size_t first, size_t last, const CRect& rect, int lineHeight)
{
    const std::vector<CString>& lines = GetDocument()->m_lines;
    pDC->SetBkMode(TRANSPARENT);
    for (size_t i = first; i < last && i < lines.size(); ++i) {
        const int top = rect.top + static_cast<int>(i - first) * lineHeight;
        const int mark = std::max(2, lineHeight / 2);
        pDC->FillSolidRect(rect.left + 4, top + (lineHeight - mark) / 2, mark, mark, RGB(0, 0, 96));
        pDC->TextOut(rect.left + 8 + mark, top, lines[i]);
    }
}

void CNotesView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    DrawLines(pDC, 0, GetDocument()->m_lines.size(), client, kLineHeight);
}

UINT CNotesView::PageCount() const
{
    const size_t perPage = static_cast<size_t>(std::max(1, ShowcaseApp().m_settings.linesPerPage));
    return static_cast<UINT>(std::max<size_t>(1, (GetDocument()->m_lines.size() + perPage - 1) / perPage));
}

BOOL CNotesView::OnPreparePrinting(CPrintInfo* pInfo)
{
    pInfo->SetMaxPage(PageCount());
    return DoPreparePrinting(pInfo);
}

void CNotesView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    const ShowcaseSettings& settings = ShowcaseApp().m_settings;
    const int perPage = std::max(1, settings.linesPerPage);
    CRect page = pInfo->m_rectDraw;
    const int lineHeight = page.Height() / (perPage + 1);
    // Text a little smaller than a line, whatever the printer's resolution.
    CFont font;
    font.CreateFont(-lineHeight * 6 / 10, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Liberation Sans");
    CFont* oldFont = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    // The header band: a rule across the page under the author's name.
    if (settings.header) {
        const int rule = std::max(1, lineHeight / 8);
        pDC->FillSolidRect(page.left, page.top + lineHeight - rule, page.Width(), rule, RGB(0, 0, 0));
        pDC->TextOut(page.left + 4, page.top, settings.author);
    }
    page.top += lineHeight;
    const size_t first = static_cast<size_t>(pInfo->m_nCurPage - 1) * static_cast<size_t>(perPage);
    DrawLines(pDC, first, first + static_cast<size_t>(perPage), page, lineHeight);
    pDC->SelectObject(oldFont);
}

DROPEFFECT CNotesView::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CNotesView::OnDragOver(COleDataObject* pDataObject, DWORD, CPoint)
{
    return pDataObject->IsDataAvailable(ShowcaseItemFormat()) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

BOOL CNotesView::OnDrop(COleDataObject* pDataObject, DROPEFFECT, CPoint)
{
    HGLOBAL data = pDataObject->GetGlobalData(ShowcaseItemFormat());
    if (!data)
        return FALSE;
    // The text need not end inside the block that came.
    const auto* text = static_cast<const char*>(::GlobalLock(data));
    const CString item = text ? std::string(text, ::strnlen(text, ::GlobalSize(data))).c_str() : "";
    ::GlobalUnlock(data);
    ::GlobalFree(data);
    GetDocument()->AddLine(item);
    return TRUE;
}
