// The list view's messages: clicks on rows and tag boxes, keys, the context menus, sorting by column,
// dragging rows, the header's width rules, painting the empty list, help, printing and print preview.
#include "app/CPelicanView.h"

#include "app/CMainFrame.h"
#include "app/CPelicanApp.h"
#include "app/CPelicanDoc.h"
#include "app/TuneStewardIds.h"
#include "app/ViewSource.h"
#include "library/ServerRoutines.h"
#include "library/_ADORecordsetHelper.h"
#include "platform/afx/AfxPriv.h"
#include "platform/afx/CClientDC.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/COleDataSource.h"
#include "platform/afx/CPrintDialog.h"
#include "platform/afx/CPrintInfo.h"
#include "platform/base/GlobalMemory.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/user/ContextHelp.h"

namespace {

constexpr UINT kHtmlHelpContext = 15;
constexpr int kMinShownWidth = 10;
constexpr int kEmptyTextGap = 10;
constexpr COLORREF kSelectedBack = 0xA0A0A0;
constexpr int kDragBlockSize = 2;

CRect IconRect(HWND list, int row)
{
    CRect rect;
    rect.left = LVIR_ICON;
    ::SendMessage(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(static_cast<RECT*>(&rect)));
    return rect;
}

} // namespace

BEGIN_MESSAGE_MAP(CPelicanView, CListView)
ON_WM_CREATE()
ON_WM_RBUTTONDOWN()
ON_WM_HELPINFO()
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
ON_WM_KEYUP()
ON_WM_PAINT()
ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
ON_NOTIFY_REFLECT(LVN_BEGINDRAG, OnBeginDrag)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, OnUpdateNeedsLibrary)
ON_UPDATE_COMMAND_UI(ID_FILE_PRINT_PREVIEW, OnUpdateNeedsLibrary)
END_MESSAGE_MAP()

int CPelicanView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (CMainFrame* frame = Frame())
        frame->SetListView(this, dynamic_cast<CPelicanDoc*>(GetDocument()));
    ::SetWindowContextHelpId(m_hWnd, kHelpContext);
    return 0;
}

BOOL CPelicanView::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        switch (header->code) {
        case LVN_GETDISPINFO:
            OnGetDispInfo(header);
            return TRUE;
        case LVN_ODCACHEHINT:
            OnCacheHint(header);
            return TRUE;
        case LVN_ODFINDITEM:
            if (pResult)
                *pResult = -1;
            return TRUE;
        default:
            break;
        }
    }
    return CListView::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CPelicanView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* notify = reinterpret_cast<NMHEADER*>(lParam);
    switch (notify->hdr.code) {
    case HDN_ITEMCHANGINGA:
    case HDN_ITEMCHANGINGW:
        if (notify->pitem && (notify->pitem->mask & HDI_WIDTH) && notify->iItem >= 0
            && notify->iItem < static_cast<int>(m_columnShown.size())) {
            // A hidden column stays hidden; a shown one never shrinks out of reach.
            if (!m_columnShown[notify->iItem])
                notify->pitem->cxy = 0;
            else if (notify->pitem->cxy < kMinShownWidth)
                notify->pitem->cxy = kMinShownWidth;
        }
        break;
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW:
        // View / Refresh is the frame's command: a view passes no commands on to its frame.
        if (CMainFrame* frame = Frame())
            frame->PostMessage(WM_COMMAND, ID_VIEW_REFRESH, 0);
        break;
    default:
        break;
    }
    return CListView::OnNotify(wParam, lParam, pResult);
}

bool CPelicanView::IsOnTagColumn(CPoint point) const
{
    return !m_tagBits.empty() && point.x < IconRect(m_hWnd, 0).left;
}

void CPelicanView::OnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bEmpty)
        return;
    const auto* click = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
    const int row = click->iItem;
    if (row < 0 || row >= m_nRowCount)
        return;
    if (!m_tagBits.empty() && click->iSubItem == 0 && click->ptAction.x < IconRect(m_hWnd, row).left) {
        m_tagBits[row / 8] ^= static_cast<BYTE>(1 << (row % 8));
        m_nTagCount += IsRowTagged(row) ? 1 : -1;
        SendMessage(LVM_REDRAWITEMS, row, row);
        return;
    }
    MakeCurrent(row);
}

void CPelicanView::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_UP || nChar == VK_DOWN) {
        const int selected = static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        if (selected >= 0)
            MakeCurrent(selected);
    }
    CListView::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CPelicanView::OnRButtonDown(UINT, CPoint point)
{
    UINT menuId = 0;
    if (IsOnTagColumn(point)) {
        menuId = IDR_TAGS_MENU;
    } else {
        CMainFrame* frame = Frame();
        switch (frame ? frame->GetSelectionKind() : selectionNone) {
        case selectionTracks:
            menuId = IDR_TRACK_MENU;
            break;
        case selectionStations:
            menuId = IDR_STATION_MENU;
            break;
        case selectionFiles:
            menuId = IDR_FOLDERS_MENU;
            break;
        case selectionAlbums:
            menuId = IDR_ALBUM_MENU;
            break;
        case selectionGroupAlbums:
            menuId = IDR_GROUP_ALBUM_MENU;
            break;
        default:
            return;
        }
    }
    CMenu menu;
    if (!menu.LoadMenu(menuId))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    ClientToScreen(&point);
    if (popup)
        popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, AfxGetMainWnd());
}

void CPelicanView::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    _ADORecordsetHelper* recordset = Recordset();
    if (m_bEmpty || !recordset)
        return;
    const CString field = recordset->FieldName(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
    if (recordset->GetCursorLocation() == adUseClient) {
        recordset->SetSort(field);
    } else if (CMainFrame* frame = Frame()) {
        frame->ReopenViewOrdered(" ORDER BY [" + field + "]");
    }
    m_rowCache.clear();
    m_nFirstCachedRow = kNoCache;
    Invalidate();
    SelectRow(0);
}

void CPelicanView::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    CMainFrame* frame = Frame();
    if (m_bEmpty || !frame)
        return;
    MakeCurrent(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iItem);
    const DROPEFFECT effects = frame->GetRowDragEffects();
    if (effects != DROPEFFECT_NONE)
        DoDragRows(frame->m_cfGridRecord, effects);
}

DROPEFFECT CPelicanView::DoDragRows(CLIPFORMAT format, DROPEFFECT effects)
{
    // The block carries nothing: the drop target reads the frame's current row and the tagged rows.
    COleDataSource source;
    source.CacheGlobalData(format, ::GlobalAlloc(GHND, kDragBlockSize));
    return source.DoDragDrop(effects);
}

void CPelicanView::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
    } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        const int row = static_cast<int>(draw->nmcd.dwItemSpec);
        if (SendMessage(LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) {
            draw->clrText = RGB(0, 0, 0);
            draw->clrTextBk = kSelectedBack;
            *pResult = CDRF_NEWFONT;
        }
    }
}

void CPelicanView::OnPaint()
{
    Default();
    if (!IsLibraryOpen() || !m_bEmpty)
        return;
    CRect area;
    GetClientRect(&area);
    const HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER, 0, 0));
    RECT headerItem {};
    if (header && ::SendMessage(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&headerItem)))
        area.top = headerItem.bottom;
    area.top += kEmptyTextGap;
    CClientDC dc(this);
    dc.FillSolidRect(&area, ::GetSysColor(COLOR_MENU));
    const HGDIOBJ oldFont = ::SelectObject(dc.m_hDC, ::GetStockObject(ANSI_VAR_FONT));
    ::SetTextColor(dc.m_hDC, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkMode(dc.m_hDC, TRANSPARENT);
    ::DrawText(dc.m_hDC, kEmptyText, -1, &area, DT_CENTER | DT_WORDBREAK);
    ::SelectObject(dc.m_hDC, oldFont);
}

BOOL CPelicanView::OnHelpInfo(HELPINFO* pHelpInfo)
{
    const CPelicanApp* app = GetPelicanApp();
    ShowHtmlHelp(m_hWnd, app ? app->m_strHelpFile : CString(), kHtmlHelpContext, pHelpInfo ? pHelpInfo->dwContextId : 0);
    return TRUE;
}

LRESULT CPelicanView::OnHelpHitTest(WPARAM, LPARAM) { return kHelpContext; }

void CPelicanView::OnUpdateNeedsLibrary(CCmdUI* pCmdUI) { pCmdUI->Enable(IsLibraryOpen()); }

void CPelicanView::OnFilePrint()
{
    m_printCtrl.SetHeaderFont("Times New Roman", 12);
    m_printCtrl.SetFooterFont("Times New Roman", 12);
    m_printCtrl.SetLandscape();
    m_printCtrl.SetListWindow(m_hWnd);
    m_printCtrl.PrintList("Tune Steward", m_hWnd);
}

BOOL CPelicanView::OnPreparePrinting(CPrintInfo* pInfo)
{
    m_printCtrl.SetListWindow(m_hWnd);
    const CDocument* document = GetDocument();
    m_printCtrl.PreparePreview(document ? document->GetTitle() : CString());
    // The page carries its own number in the footer band.
    pInfo->m_strPageDesc.Empty();
    if (!DoPreparePrinting(pInfo))
        return FALSE;
    // File / Print puts the list across a landscape page (OnFilePrint): the preview shows that page.
    CPrintDialog& dialog = *pInfo->m_pPD;
    if (auto* settings = static_cast<DEVMODE*>(::GlobalLock(dialog.m_pd.hDevMode))) {
        settings->dmFields |= DM_ORIENTATION;
        settings->dmOrientation = DMORIENT_LANDSCAPE;
        ::GlobalUnlock(dialog.m_pd.hDevMode);
        ::DeleteDC(dialog.m_pd.hDC);
        dialog.CreatePrinterDC();
    }
    return dialog.m_pd.hDC != nullptr;
}

void CPelicanView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_printCtrl.BeginPreview(pDC->m_hDC, pInfo);
    CListView::OnBeginPrinting(pDC, pInfo);
}

void CPelicanView::OnPrint(CDC* pDC, CPrintInfo* pInfo) { m_printCtrl.PrintPreviewPage(pDC->m_hDC, pInfo); }

void CPelicanView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_printCtrl.EndPreview();
    CListView::OnEndPrinting(pDC, pInfo);
}
