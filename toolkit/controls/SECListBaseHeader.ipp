// Belongs to the list template: SECListBaseC.cpp and SECListBaseV.cpp include it and instantiate it.
// The list's column header: drawing its buttons, headings and images, resizing a column by its
// divider, and dragging a header button to move its column.
#include <algorithm>

#include "platform/afx/CBitmap.h"
#include "platform/afx/CClientDC.h"
#include "platform/gdi/Images.h"
#include "toolkit/controls/SECListBase.h"
#include "toolkit/frames/SECTrackLoop.h"

namespace {

// Header images are drawn at icon size, and need the button wider than this to show at all.
constexpr int kHeaderImageSize = 16;
constexpr int kMinButtonForImage = 22;
// The heading keeps this far from the image beside it.
constexpr int kImageTextGap = 26;
// A divider drag never makes a column narrower than this.
constexpr int kMinTrackedWidth = 10;
// After a divider drag under LVXS_FITWIDTH, no column stays narrower than this.
constexpr int kMinFittedWidth = 5;
// The band around the header in which a dragged button shows where it would go.
constexpr int kColumnDropBand = 30;
constexpr COLORREF kInsertMarkColour = RGB(0, 0, 255);
constexpr COLORREF kDragImageGrey = RGB(0x6E, 0x6E, 0x6E);

} // namespace

template <class TBase>
void SECListBase<TBase>::DrawHeading(CDC* pDC, const SECListColumn& column, CRect button)
{
    CRect rect(button.left + 6, button.top, button.right - 6, button.bottom);
    UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS;
    const int nAlign = column.m_nFormat & LVCFMT_JUSTIFYMASK;
    if (nAlign == LVCFMT_RIGHT)
        nFormat |= DT_RIGHT;
    else if (nAlign == LVCFMT_CENTER)
        nFormat |= DT_CENTER;
    if (GetImageList(3) != nullptr && column.m_nImage >= 0 && button.Width() > kMinButtonForImage)
        DrawHeaderImage(pDC, &column, rect, nFormat);
    if (pDC->GetTextExtent(column.m_strHeading).cx > rect.Width())
        nFormat |= DT_END_ELLIPSIS;
    pDC->DrawText(column.m_strHeading, &rect, nFormat);
}

template <class TBase>
void SECListBase<TBase>::DrawHeader(SECListPaintContext* pContext)
{
    CDC* pDC = pContext->m_pDC;
    CRect client;
    GetItemAreaRect(client);
    const int left = -m_nHorzScroll;
    CRect band(left, 0, left + std::max(GetTotalWidth(), client.Width() + 1), m_nHeaderHeight);
    if (!pDC->RectVisible(&band))
        return;
    CFont* pOldFont = pDC->SelectObject(CFont::FromHandle(GetHeaderFont()));
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->FillSolidRect(&band, ::GetSysColor(COLOR_3DFACE));
    int x = left;
    for (const auto& pColumn : m_columns) {
        if (pColumn->m_nWidth > 0) {
            CRect button(x, 0, x + pColumn->m_nWidth, m_nHeaderHeight);
            pDC->DrawFrameControl(&button, DFC_BUTTON, DFCS_BUTTONPUSH);
            DrawHeading(pDC, *pColumn, button);
        }
        x += pColumn->m_nWidth;
    }
    CRect rest(x, 0, client.right + 2, m_nHeaderHeight);
    if (rest.Width() > 0)
        pDC->DrawFrameControl(&rest, DFC_BUTTON, DFCS_BUTTONPUSH);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

template <class TBase>
void SECListBase<TBase>::DrawHeaderButton(int nCol, BOOL bPressed)
{
    const SECListColumn* pColumn = GetColumnRecord(nCol);
    if (pColumn == nullptr || m_hWnd == nullptr)
        return;
    CClientDC dc(this);
    if (m_dwScrollBars & WS_VSCROLL) {
        CRect area;
        GetItemArea(area);
        dc.ExcludeClipRect(area.right, 0, area.right + ::GetSystemMetrics(SM_CXVSCROLL), m_nHeaderHeight);
    }
    CRect button(GetColumnLeft(nCol), 0, GetColumnRight(nCol), m_nHeaderHeight);
    dc.FillSolidRect(&button, ::GetSysColor(COLOR_3DFACE));
    dc.DrawFrameControl(&button, DFC_BUTTON, bPressed ? (DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_FLAT) : DFCS_BUTTONPUSH);
    CFont* pOldFont = dc.SelectObject(CFont::FromHandle(GetHeaderFont()));
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    if (bPressed)
        button.OffsetRect(1, 1);
    DrawHeading(&dc, *pColumn, button);
    dc.SetBkMode(nOldMode);
    dc.SelectObject(pOldFont);
}

template <class TBase>
void SECListBase<TBase>::DrawHeaderImage(CDC* pDC, const SECListColumn* pColumn, CRect& rect, UINT& nFormat)
{
    CImageList* pList = GetImageList(3);
    if (pList == nullptr || pColumn == nullptr)
        return;
    const int cxText = pDC->GetTextExtent(pColumn->m_strHeading).cx;
    const int nAlign = pColumn->m_nFormat & LVCFMT_JUSTIFYMASK;
    int x = rect.left;
    if (nAlign == LVCFMT_RIGHT)
        x = rect.right - cxText - kImageTextGap;
    else if (nAlign == LVCFMT_CENTER)
        x = rect.left + (rect.Width() - cxText - kImageTextGap) / 2;
    const BOOL bOnRight = (pColumn->m_nFormat & LVCFMT_BITMAP_ON_RIGHT) != 0;
    if (bOnRight)
        x = std::min(x + 10 + cxText, static_cast<int>(rect.right) - kHeaderImageSize);
    x = std::max(x, static_cast<int>(rect.left));
    if (const HICON hIcon = ::ImageList_GetIcon(*pList, pColumn->m_nImage, ILD_NORMAL)) {
        ::DrawIconEx(*pDC, x, rect.top + 1, hIcon, kHeaderImageSize, kHeaderImageSize, 0, nullptr, DI_NORMAL);
        ::DestroyIcon(hIcon);
    }
    nFormat &= ~static_cast<UINT>(DT_RIGHT | DT_CENTER);
    if (bOnRight) {
        rect.right = x - 10;
        nFormat |= DT_RIGHT;
    } else {
        rect.left = x + kImageTextGap;
    }
}

template <class TBase>
std::unique_ptr<CImageList> SECListBase<TBase>::CreateHeaderDragImage(int nCol)
{
    const SECListColumn* pColumn = GetColumnRecord(nCol);
    if (pColumn == nullptr || m_hWnd == nullptr || pColumn->m_nWidth <= 0)
        return nullptr;
    const CSize size(pColumn->m_nWidth, m_nHeaderHeight + 1);
    CClientDC screen(this);
    CDC dc;
    CBitmap bitmap;
    if (!dc.CreateCompatibleDC(&screen) || !bitmap.CreateCompatibleBitmap(&screen, size.cx, size.cy))
        return nullptr;
    CBitmap* pOldBitmap = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, size.cx, size.cy, kDragImageGrey);
    CFont* pOldFont = dc.SelectObject(CFont::FromHandle(GetHeaderFont()));
    dc.SetBkMode(TRANSPARENT);
    DrawHeading(&dc, *pColumn, CRect(0, 2, size.cx, m_nHeaderHeight + 2));
    dc.SelectObject(pOldFont);
    dc.SelectObject(pOldBitmap);
    auto pImage = std::make_unique<CImageList>();
    if (!pImage->Create(size.cx, size.cy, ILC_MASK, 0, 1) || pImage->Add(&bitmap, ::GetSysColor(COLOR_3DFACE)) < 0)
        return nullptr;
    return pImage;
}

template <class TBase>
void SECListBase<TBase>::DrawColumnInsertMark(int x, int, int nCol)
{
    if (GetColumnCount() < 2 || m_hWnd == nullptr)
        return;
    if (nCol < 0 || nCol >= GetColumnCount())
        nCol = GetColumnCount() - 1;
    // Nothing goes in front of the first column.
    nCol = std::max(nCol, 1);
    const int left = GetColumnLeft(nCol);
    const int right = GetColumnRight(nCol);
    int xLine = right;
    int nMark = nCol + 1;
    if (x < (left + right) / 2) {
        if (x < GetColumnLeft(0) + GetColumnWidth(0) / 2)
            return;
        xLine = left;
        nMark = nCol;
    }
    CClientDC dc(this);
    dc.FillSolidRect(xLine, 0, 1, m_nHeaderHeight, kInsertMarkColour);
    m_nColumnInsertMark = nMark;
}

template <class TBase>
void SECListBase<TBase>::EraseColumnInsertMark(int nMark)
{
    if (nMark < 0 || m_hWnd == nullptr)
        return;
    if (nMark < GetColumnCount()) {
        DrawHeaderButton(nMark, nMark == m_nPressedHeaderColumn);
        return;
    }
    CRect client;
    GetItemAreaRect(client);
    const CRect rest(GetColumnRight(GetColumnCount() - 1), 0, client.right + 2, m_nHeaderHeight);
    InvalidateRect(&rest, FALSE);
    UpdateWindow();
}

template <class TBase>
int SECListBase<TBase>::TrackColumnResize(int, int, int nCol)
{
    if (m_hWnd == nullptr || GetColumnRecord(nCol) == nullptr)
        return 0;
    if (const HWND hCapture = ::GetCapture(); hCapture != nullptr && hCapture != m_hWnd)
        return 0;
    ::SetCapture(m_hWnd);
    UpdateWindow();
    const int left = GetColumnLeft(nCol);
    const int xStart = GetColumnRight(nCol);
    int x = xStart;
    {
        SECTrackLoop loop(m_hWnd);
        CClientDC dc(this);
        CRect area;
        GetItemArea(area);
        const CSize thickness(1, 1);
        const auto lineAt = [&](int xLine) { return CRect(xLine - 1, 0, xLine + 1, area.bottom); };
        CRect last = lineAt(x);
        dc.DrawDragRect(&last, thickness, nullptr, thickness);
        MSG msg {};
        for (BOOL bDone = FALSE; !bDone && loop.Next(msg);) {
            switch (msg.message) {
            case WM_MOUSEMOVE:
            case WM_LBUTTONUP: {
                x = std::max(GET_X_LPARAM(msg.lParam), left + kMinTrackedWidth);
                const CRect next = lineAt(x);
                dc.DrawDragRect(&next, thickness, &last, thickness);
                last = next;
                bDone = msg.message == WM_LBUTTONUP;
                break;
            }
            case WM_KEYDOWN:
                if (msg.wParam != VK_ESCAPE) {
                    SECTrackLoop::Dispatch(msg);
                    break;
                }
                [[fallthrough]];
            case WM_RBUTTONDOWN:
                x = xStart;
                bDone = TRUE;
                break;
            default: SECTrackLoop::Dispatch(msg); break;
            }
        }
        dc.DrawDragRect(CRect(0, 0, 0, 0), thickness, &last, thickness);
    }
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    return std::max(x, left + kMinTrackedWidth) - xStart;
}

template <class TBase>
void SECListBase<TBase>::ResizeColumnFromDivider(CPoint point, int nCol)
{
    SECListColumn* pColumn = GetColumnRecord(nCol);
    if (pColumn == nullptr)
        return;
    const int dx = TrackColumnResize(point.x, point.y, nCol);
    // The owner may have changed the columns while the loop ran.
    pColumn = GetColumnRecord(nCol);
    if (dx == 0 || pColumn == nullptr)
        return;
    pColumn->m_nWidth += dx;
    if (HasListStyleEx(LVXS_FITWIDTH)) {
        if (SECListColumn* pNext = GetColumnRecord(nCol + 1))
            pNext->m_nWidth -= dx;
        int cxTotal = 0;
        for (const auto& pEach : m_columns) {
            if (pEach->m_nWidth < kMinFittedWidth + 1)
                pEach->m_nWidth = kMinFittedWidth;
            cxTotal += pEach->m_nWidth;
        }
        CRect area;
        GetItemArea(area);
        if (cxTotal > area.Width())
            m_columns.front()->m_nWidth = std::max(kMinFittedWidth, m_columns.front()->m_nWidth - (cxTotal - area.Width()));
    }
    if (IsLabelWrap()) {
        for (const auto& pRow : m_rows) {
            pRow->m_cy = -1;
            pRow->m_bMeasure = TRUE;
        }
        m_labelExtents.MarkAllPending();
    }
    RecalcLayout();
    Invalidate();
}

template <class TBase>
void SECListBase<TBase>::StartColumnDrag(CPoint point)
{
    const int nCol = m_nPressedHeaderColumn;
    m_bClickArmed = FALSE;
    m_bColumnDrag = TRUE;
    if (!m_pColumnDragImage)
        m_pColumnDragImage = CreateHeaderDragImage(nCol);
    if (m_pColumnDragImage && ::ImageList_BeginDrag(*m_pColumnDragImage, 0, point.x - GetColumnLeft(nCol), 0))
        ::ImageList_DragShowNolock(TRUE);
}

template <class TBase>
void SECListBase<TBase>::TrackColumnDrag(CPoint point, int nCol)
{
    const BOOL bInBand = point.y >= 0 && point.y < m_nHeaderHeight + kColumnDropBand;
    if (!bInBand) {
        if (m_bDragImageEntered)
            ::ImageList_DragLeave(m_hWnd);
        m_bDragImageEntered = FALSE;
        // Released out here, the button goes nowhere.
        EraseColumnInsertMark(m_nColumnInsertMark);
        m_nColumnInsertMark = -1;
        return;
    }
    if (!m_bDragImageEntered)
        ::ImageList_DragEnter(m_hWnd, point.x, 0);
    m_bDragImageEntered = TRUE;
    ::ImageList_DragMove(point.x, 0);
    const int nOldMark = m_nColumnInsertMark;
    DrawColumnInsertMark(point.x, point.y, nCol);
    if (m_nColumnInsertMark != nOldMark) {
        ::ImageList_DragLeave(m_hWnd);
        EraseColumnInsertMark(nOldMark);
        DrawColumnInsertMark(point.x, point.y, nCol);
        ::ImageList_DragEnter(m_hWnd, point.x, 0);
    }
}

template <class TBase>
void SECListBase<TBase>::EndColumnDrag()
{
    const int nCol = m_nPressedHeaderColumn;
    const int nMark = m_nColumnInsertMark;
    m_bColumnDrag = FALSE;
    if (m_bDragImageEntered)
        ::ImageList_DragLeave(m_hWnd);
    m_bDragImageEntered = FALSE;
    ::ImageList_EndDrag();
    m_pColumnDragImage.reset();
    EraseColumnInsertMark(nMark);
    m_nColumnInsertMark = -1;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_nPressedHeaderColumn = -1;
    DrawHeaderButton(nCol, FALSE);
    // Dropped on itself or on the gap just after it, the column stays.
    if (nMark >= 0 && nMark != nCol && nMark != nCol + 1)
        MoveColumn(nCol, nMark, TRUE);
}
