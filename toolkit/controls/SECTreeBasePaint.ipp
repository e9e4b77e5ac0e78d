// Belongs to the tree template: SECTreeBaseC.cpp and SECTreeBaseV.cpp include it and instantiate it.
// The tree's look: measuring and painting the first cell of a row (indentation, dotted lines,
// buttons, state image, icon and label), hit testing, the drop target and drag images.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/afx/CClientDC.h"
#include "platform/afx/CPen.h"
#include "toolkit/controls/SECTreeBase.h"

namespace {

constexpr UINT kSingleLineMeasure = DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX | DT_EXPANDTABS;
constexpr UINT kWrapMeasure = DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;
constexpr UINT kSingleLineDraw = DT_NOPREFIX | DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
constexpr UINT kHeadingDraw = DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE;
constexpr UINT kBodyDraw = DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK;
constexpr UINT kWrapDraw = DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER;
// The icon is drawn blended when selected only while the list asks for it with this bit.
constexpr DWORD kBlendSelectedIcons = 0x10000000;

BOOL IsPrinting(const CDC* pDC)
{
    return pDC->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER;
}

// The pens shared by every tree: button frames and the plus and minus signs.
CPen& ShadowPen()
{
    static CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    return pen;
}

CPen& TextPen()
{
    static CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWTEXT));
    return pen;
}

BOOL HasImage(CImageList* pList, int nImage)
{
    return pList != nullptr && pList->GetSafeHandle() != nullptr && nImage >= 0 && nImage < pList->GetImageCount();
}

CSize ImageSize(CImageList* pList)
{
    int cx = 0;
    int cy = 0;
    ::ImageList_GetIconSize(*pList, &cx, &cy);
    return CSize(cx, cy);
}

} // namespace

// --- paint contexts ---------------------------------------------------------------------------------

template <class TList>
std::unique_ptr<SECListPaintContext> SECTreeBase<TList>::CreatePaintContext(CDC* pDC)
{
    auto pContext = std::make_unique<SECTreePaintContext>(pDC);
    pContext->m_nView = m_dwListStyle & LVS_TYPEMASK;
    return pContext;
}

template <class TList>
BOOL SECTreeBase<TList>::PrepareItem(SECListPaintContext* pContext)
{
    auto* pTree = dynamic_cast<SECTreePaintContext*>(pContext);
    _Node* pNode = NodeOfRow(pContext->m_lvi.iItem);
    if (pTree != nullptr)
        pTree->m_pNode = nullptr;
    if (pTree == nullptr || pNode == nullptr || pContext->m_lvi.iSubItem != 0)
        return TList::PrepareItem(pContext);
    pTree->m_pNode = pNode;
    pTree->m_tvi = pNode->item;
    pTree->m_tvi.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    pTree->m_tvi.stateMask = 0xFFFF;
    m_textBuffer[0] = '\0';
    pTree->m_tvi.pszText = m_textBuffer.data();
    pTree->m_tvi.cchTextMax = textBufferSize;
    GetItem(&pTree->m_tvi, TRUE, TRUE);
    // GetItem leaves the node's own values in the fields the owner was not asked for.
    pTree->m_tvi.state = pNode->item.state;
    if (pTree->m_tvi.pszText == nullptr || pTree->m_tvi.pszText == LPSTR_TEXTCALLBACK)
        pTree->m_tvi.pszText = m_textBuffer.data();
    const int nRow = pContext->m_lvi.iItem;
    LVITEM& lvi = pContext->m_lvi;
    lvi.mask = LVIF_TEXT | LVIF_STATE | LVIF_IMAGE;
    lvi.pszText = pTree->m_tvi.pszText;
    lvi.iImage = pTree->m_tvi.iImage;
    lvi.state = pNode->item.state & (TVIS_CUT | TVIS_STATEIMAGEMASK);
    if (pNode->item.state & TVIS_OVERLAYMASK)
        lvi.state |= TVIS_OVERLAYMASK & pNode->item.state;
    if (IsSelected(nRow)) {
        lvi.state |= LVIS_SELECTED;
        pTree->m_tvi.state |= TVIS_SELECTED;
    } else {
        pTree->m_tvi.state &= ~TVIS_SELECTED;
    }
    if (m_nCaret == nRow)
        lvi.state |= LVIS_FOCUSED;
    if (m_nDropHilite == nRow)
        lvi.state |= LVIS_DROPHILITED;
    pTree->m_tviEx = SECListItemEx { 1, 0, exGrey | exHidden };
    GetItemEx(pNode->Handle(), &pTree->m_tviEx);
    pContext->m_lviEx = pTree->m_tviEx;
    SetContextBkColor(pContext);
    SetContextRowColor(pContext);
    SetContextTextColors(pContext);
    SetContextFont(pContext);
    return TRUE;
}

template <class TList>
HFONT SECTreeBase<TList>::GetBoldFont(HFONT hBase)
{
    LOGFONT lf {};
    if (::GetObject(hBase, sizeof(lf), &lf) == 0)
        return hBase;
    lf.lfWeight = FW_BOLD;
    auto pFont = std::make_unique<CFont>();
    if (!pFont->CreateFontIndirect(&lf))
        return hBase;
    m_pBoldFont = std::move(pFont);
    return static_cast<HFONT>(m_pBoldFont->GetSafeHandle());
}

template <class TList>
void SECTreeBase<TList>::SetContextFont(SECListPaintContext* pContext)
{
    TList::SetContextFont(pContext);
    const auto* pTree = dynamic_cast<SECTreePaintContext*>(pContext);
    if (pTree != nullptr && pTree->m_pNode != nullptr && (pTree->m_pNode->item.state & TVIS_BOLD))
        pContext->m_hFont = GetBoldFont(pContext->m_hFont);
}

// --- measuring --------------------------------------------------------------------------------------

template <class TList>
int SECTreeBase<TList>::GetNodeIndent(const _Node* pNode) const
{
    int x = m_nIndent * (pNode->GetLevel() - 1);
    if (HasTreeStyle(TVS_LINESATROOT) && (HasTreeStyle(TVS_HASLINES) || HasTreeStyle(TVS_HASBUTTONS)))
        x += m_nIndent;
    return x;
}

template <class TList>
void SECTreeBase<TList>::MeasureLabel(SECTreePaintContext* pContext, _Node* pNode, LPCTSTR lpszText, CRect& rect)
{
    CDC* pDC = pContext->m_pDC;
    const char* pszText = lpszText ? lpszText : "";
    if (HasListStyle(LVS_NOLABELWRAP)) {
        const char* pBreak = std::strchr(pszText, '\n');
        const int nLength = pBreak ? static_cast<int>(pBreak - pszText) : static_cast<int>(std::strlen(pszText));
        const int left = rect.left;
        pDC->DrawText(pszText, nLength, &rect, kSingleLineMeasure);
        // Only a label with line breaks reaches past its first line; without them the line measured is
        // the whole label, and a second measure would cost as much again for every row.
        if (std::strpbrk(pszText, "\r\n") != nullptr) {
            const DWORD whole = ::GetTabbedTextExtent(pDC->GetSafeHdc(), pszText, static_cast<int>(std::strlen(pszText)), 0,
                nullptr);
            rect.right = std::max(static_cast<int>(rect.right), left + static_cast<int>(LOWORD(whole)));
        }
        rect.top -= 1;
        rect.bottom += 1;
        return;
    }
    const char* pMarker = std::strstr(pszText, headingMarker);
    if (pMarker == nullptr) {
        pNode->m_bHasHeading = FALSE;
        pDC->DrawText(pszText, static_cast<int>(std::strlen(pszText)), &rect, kWrapMeasure);
    } else {
        pNode->m_bHasHeading = TRUE;
        pNode->m_strHeading = CString(pszText, static_cast<int>(pMarker - pszText));
        pNode->m_strBody = CString(pMarker + std::strlen(headingMarker));
        const CSize heading = pDC->GetTextExtent(pNode->m_strHeading);
        pNode->m_nHeadingWidth = heading.cx;
        CRect body(rect.left + heading.cx, rect.top, rect.right, rect.bottom);
        pDC->DrawText(pNode->m_strBody, pNode->m_strBody.GetLength(), &body, kWrapMeasure);
        body.left = rect.left;
        body.bottom = std::max(static_cast<int>(body.bottom), rect.top + static_cast<int>(heading.cy));
        rect = body;
    }
    rect.bottom += 2;
}

template <class TList>
BOOL SECTreeBase<TList>::MeasureCell(SECListPaintContext* pContext, int& cy)
{
    auto* pTree = dynamic_cast<SECTreePaintContext*>(pContext);
    if (pTree == nullptr || pTree->m_pNode == nullptr || pContext->m_lvi.iSubItem != 0)
        return TList::MeasureCell(pContext, cy);
    const int cyGiven = cy;
    _Node* pNode = pTree->m_pNode;
    SECListItem* pItem = pContext->m_pItem;
    const int x0 = GetNodeIndent(pNode);
    CImageList* pState = GetImageList(LVSIL_STATE);
    CImageList* pIcons = GetImageList(LVSIL_NORMAL);
    const int nStateImage = static_cast<int>((pTree->m_tvi.state & TVIS_STATEIMAGEMASK) >> 12);
    pItem->m_rcStateIcon.SetRectEmpty();
    pItem->m_rcIcon.SetRectEmpty();
    int right = x0;
    if (nStateImage != 0 && HasImage(pState, nStateImage)) {
        const CSize size = ImageSize(pState);
        pItem->m_rcStateIcon.SetRect(x0, 0, x0 + size.cx, size.cy);
        right = pItem->m_rcStateIcon.right;
    }
    const int nImage = (pTree->m_tvi.state & TVIS_SELECTED) ? pTree->m_tvi.iSelectedImage : pTree->m_tvi.iImage;
    if (pIcons != nullptr && pIcons->GetSafeHandle() != nullptr && nImage != _Node::noImage && nImage >= 0) {
        const CSize size = ImageSize(pIcons);
        pItem->m_rcIcon.SetRect(right, 0, right + size.cx, size.cy);
        if (pItem->m_rcStateIcon.IsRectEmpty())
            pItem->m_rcStateIcon.SetRect(right, 0, right, 0);
        right = pItem->m_rcIcon.right;
    }
    CRect label(right + 6, 0, 0, 0);
    CRect area;
    GetItemArea(area);
    if (GetColumnCount() > 1)
        label.right = GetColumnWidth(0) - 5;
    else
        label.right = HasListStyle(LVS_NOLABELWRAP) ? 10000 : area.Width() - 5;
    label.right = std::max(label.right, label.left + 1);
    CFont* pOldFont = pContext->m_pDC->SelectObject(CFont::FromHandle(pContext->m_hFont));
    MeasureLabel(pTree, pNode, pContext->m_lvi.pszText, label);
    pContext->m_pDC->SelectObject(pOldFont);
    int height = std::max({ static_cast<int>(label.Height()), static_cast<int>(pItem->m_rcIcon.Height()),
        static_cast<int>(pItem->m_rcStateIcon.Height()), cyGiven });
    height += height & 1;
    label.OffsetRect(0, (height - label.Height()) / 2 - label.top);
    SetLabelRect(*pItem, label);
    // Images sit in the middle of the row as well.
    const auto centre = [height](CRect& rect) {
        if (!rect.IsRectEmpty())
            rect.OffsetRect(0, (height - rect.Height()) / 2);
    };
    centre(pItem->m_rcIcon);
    centre(pItem->m_rcStateIcon);
    cy = height;
    return TRUE;
}

// --- painting ---------------------------------------------------------------------------------------

template <class TList>
void SECTreeBase<TList>::GetButtonRect(CRect& rect, int, SECTreePaintContext* pContext)
{
    const SECListItem* pItem = pContext->m_pItem;
    const _Node* pNode = pContext->m_pNode;
    const CRect& cell = pContext->m_rect;
    const int nLevel = pNode->GetLevel();
    int x = 0;
    int y = 0;
    int s = 8;
    if (!pItem->m_rcIcon.IsRectEmpty() || !pItem->m_rcStateIcon.IsRectEmpty()) {
        const CRect& image = pItem->m_rcIcon.IsRectEmpty() ? pItem->m_rcStateIcon : pItem->m_rcIcon;
        x = cell.left + m_nIndent * (nLevel - 2) + image.Width() / 2;
        y = cell.top + image.top + image.Height() / 2;
        s = std::min(15, image.Height() * 20 / 33);
    } else {
        x = cell.left + m_nIndent * (nLevel - 2) + 8;
        y = cell.top + cell.Height() / 2;
    }
    // Centres on even coordinates against the scroll origin keep the pattern still while scrolling.
    x += (x + m_nHorzScroll) & 1;
    y += y & 1;
    if (HasTreeStyle(TVS_LINESATROOT) && (HasTreeStyle(TVS_HASLINES) || HasTreeStyle(TVS_HASBUTTONS)))
        x += m_nIndent;
    const int side = s + ((s & 1) == 0 ? 1 : 0);
    rect.SetRect(x - s / 2, y - s / 2, x - s / 2 + side, y - s / 2 + side);
}

// Dots on even coordinates against the scroll origin, gaps in the background between them, so the
// pattern stands still while the list scrolls; a printer gets a solid line.
static void DrawDottedLine(CDC* pDC, BOOL bPrinting, CPoint from, int nLength, BOOL bVertical, int nOrigin,
    COLORREF gap)
{
    const CPoint to = bVertical ? CPoint(from.x, from.y + nLength) : CPoint(from.x + nLength, from.y);
    if (bPrinting) {
        pDC->MoveTo(from);
        pDC->LineTo(to);
        return;
    }
    const COLORREF dot = ::GetSysColor(COLOR_BTNSHADOW);
    for (int i = 0; i < nLength; ++i) {
        const CPoint pt = bVertical ? CPoint(from.x, from.y + i) : CPoint(from.x + i, from.y);
        const int along = (bVertical ? pt.y : pt.x) + nOrigin;
        pDC->SetPixelV(pt.x, pt.y, (along & 1) == 0 ? dot : gap);
    }
}

template <class TList>
void SECTreeBase<TList>::DrawHorzLine(CDC* pDC, BOOL bPrinting, int x1, int x2, int y)
{
    DrawDottedLine(pDC, bPrinting, CPoint(std::min(x1, x2), y), std::abs(x2 - x1), FALSE, m_nHorzScroll, GetBkColor());
}

template <class TList>
void SECTreeBase<TList>::DrawVertLine(CDC* pDC, BOOL bPrinting, int x, int y1, int y2)
{
    // Rows are of even height, so a row's parity stays as it scrolls by rows.
    DrawDottedLine(pDC, bPrinting, CPoint(x, std::min(y1, y2)), std::abs(y2 - y1), TRUE, 0, GetBkColor());
}

template <class TList>
void SECTreeBase<TList>::DrawLines(SECTreePaintContext* pContext)
{
    CDC* pDC = pContext->m_pDC;
    const BOOL bPrinting = IsPrinting(pDC);
    const SECListItem* pItem = pContext->m_pItem;
    _Node* pNode = pContext->m_pNode;
    const CRect& row = pContext->m_rect;
    CRect box;
    GetButtonRect(box, pContext->m_lvi.iItem, pContext);
    int x = box.left + box.Width() / 2;
    const BOOL bImages = !pItem->m_rcIcon.IsRectEmpty() || !pItem->m_rcStateIcon.IsRectEmpty();
    const CRect& image = !pItem->m_rcIcon.IsRectEmpty() ? pItem->m_rcIcon : pItem->m_rcStateIcon;
    const int y = box.top + box.Height() / 2;
    const BOOL bAtRoot = HasTreeStyle(TVS_LINESATROOT);
    const BOOL bTopLevel = pNode->Parent() == m_pRoot.get();
    int right = row.left + pItem->m_rcLabel.left;
    if (!pItem->m_rcStateIcon.IsRectEmpty() && pItem->m_rcStateIcon.Width() > 0)
        right = row.left + pItem->m_rcStateIcon.left;
    else if (!pItem->m_rcIcon.IsRectEmpty())
        right = row.left + pItem->m_rcIcon.left;
    if (!bTopLevel || bAtRoot)
        DrawHorzLine(pDC, bPrinting, x, right - 1, y);
    if (pContext->m_lvi.iItem > 0 && (!bTopLevel || bAtRoot))
        DrawVertLine(pDC, bPrinting, x, row.top, y);
    const BOOL bChildren = pNode->FirstChild() != nullptr || GetItemChildrenFlag(pNode->Handle());
    if (bChildren && pNode->IsExpanded()) {
        const int half = bImages ? image.Height() / 2 : row.Height() / 2;
        DrawVertLine(pDC, bPrinting, x + m_nIndent, y + half, row.bottom);
    }
    int nLevels = pNode->GetLevel() - (bAtRoot ? 0 : 1);
    for (_Node* p = pNode; p != nullptr && p != m_pRoot.get() && nLevels > 0; p = p->Parent(), --nLevels) {
        if (p->Next() != nullptr)
            DrawVertLine(pDC, bPrinting, x, p == pNode ? y : row.top, row.bottom);
        x -= m_nIndent;
    }
}

template <class TList>
void SECTreeBase<TList>::DrawButton(SECTreePaintContext* pContext)
{
    _Node* pNode = pContext->m_pNode;
    if (pNode->FirstChild() == nullptr && !GetItemChildrenFlag(pNode->Handle()))
        return;
    CDC* pDC = pContext->m_pDC;
    CRect box;
    GetButtonRect(box, pContext->m_lvi.iItem, pContext);
    const BOOL bEnabled = m_hWnd == nullptr || IsWindowEnabled();
    pDC->FillSolidRect(&box, bEnabled ? RGB(255, 255, 255) : GetBkColor());
    CPen* pOldPen = pDC->SelectObject(&ShadowPen());
    CBrush* pOldBrush = static_cast<CBrush*>(pDC->SelectStockObject(NULL_BRUSH));
    pDC->Rectangle(&box);
    const int w = box.Width();
    const int x = box.left + w / 2;
    const int y = box.top + box.Height() / 2;
    pDC->SelectObject(&TextPen());
    pDC->MoveTo(x - w / 3 + 1, y);
    pDC->LineTo(x + w / 3, y);
    if (!pNode->IsExpanded()) {
        pDC->MoveTo(x, y - w / 3 + 1);
        pDC->LineTo(x, y + w / 3);
    }
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

template <class TList>
void SECTreeBase<TList>::DrawCell(SECListPaintContext* pContext)
{
    auto* pTree = dynamic_cast<SECTreePaintContext*>(pContext);
    if (pTree == nullptr || pTree->m_pNode == nullptr || pContext->m_lvi.iSubItem != 0) {
        TList::DrawCell(pContext);
        return;
    }
    CDC* pDC = pContext->m_pDC;
    const CRect cell = pContext->m_rect;
    const SECListItem* pItem = pContext->m_pItem;
    const int nRow = pContext->m_lvi.iItem;
    const BOOL bFocus = m_hWnd != nullptr && ::GetFocus() == m_hWnd;
    if (pContext->m_rgbBk != m_rgbPaintFill)
        pDC->FillSolidRect(&cell, pContext->m_rgbBk);
    // The state image, then the icon with its overlay.
    CImageList* pState = GetImageList(LVSIL_STATE);
    if (!pItem->m_rcStateIcon.IsRectEmpty() && pState != nullptr && pState->GetSafeHandle() != nullptr) {
        int nImage = static_cast<int>((pTree->m_tvi.state & TVIS_STATEIMAGEMASK) >> 12);
        if (nImage >= pState->GetImageCount())
            nImage = 0;
        ::ImageList_DrawEx(*pState, nImage, pDC->GetSafeHdc(), cell.left + pItem->m_rcStateIcon.left,
            cell.top + pItem->m_rcStateIcon.top, 0, 0, pContext->m_rgbRowBk, CLR_NONE, ILD_NORMAL);
    }
    CImageList* pIcons = GetImageList(LVSIL_NORMAL);
    if (!pItem->m_rcIcon.IsRectEmpty() && pIcons != nullptr && pIcons->GetSafeHandle() != nullptr) {
        const BOOL bSelected = (pTree->m_tvi.state & TVIS_SELECTED) != 0;
        int nImage = bSelected ? pTree->m_tvi.iSelectedImage : pTree->m_tvi.iImage;
        if (nImage < 0 || nImage >= pIcons->GetImageCount())
            nImage = 0;
        UINT nStyle = ILD_TRANSPARENT | INDEXTOOVERLAYMASK((pTree->m_tvi.state & TVIS_OVERLAYMASK) >> 8);
        if ((HasListStyleEx(kBlendSelectedIcons) && bSelected && bFocus) || nRow == m_nDropHilite)
            nStyle |= ILD_SELECTED;
        pIcons->Draw(pDC, nImage, CPoint(cell.left + pItem->m_rcIcon.left, cell.top + pItem->m_rcIcon.top), nStyle);
    }
    if (IsPrinting(pDC) || pDC->RectVisible(&cell)) {
        if (HasTreeStyle(TVS_HASLINES))
            DrawLines(pTree);
        if (HasTreeStyle(TVS_HASBUTTONS))
            DrawButton(pTree);
    }
    CRect label(cell.left + pItem->m_rcLabel.left - 3, cell.top, cell.left + pItem->m_rcLabel.right + 3, cell.bottom);
    const BOOL bFullRow = HasListStyleEx(LVXS_FULLROWSELECT);
    if (bFullRow)
        label.right = std::max(static_cast<int>(label.right), GetColumnCount() > 1 ? GetColumnRight(0) : cell.right);
    else if (GetColumnCount() > 1)
        label.right = std::min(static_cast<int>(label.right), cell.left + GetColumnWidth(0) - 2);
    const BOOL bEdited = nRow == m_nEditedRow && pContext->m_nColumn == m_nCurrentColumn;
    if (!bEdited || bFullRow) {
        if (pContext->m_rgbTextBk != pContext->m_rgbBk)
            pDC->FillSolidRect(&label, pContext->m_rgbTextBk);
        CFont* pOldFont = pDC->SelectObject(CFont::FromHandle(pContext->m_hFont));
        const COLORREF oldText = pDC->SetTextColor(pContext->m_rgbText);
        const COLORREF oldBk = pDC->SetBkColor(pContext->m_rgbTextBk);
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        CRect text(cell.left + pItem->m_rcLabel.left, cell.top + pItem->m_rcLabel.top + 1,
            cell.left + pItem->m_rcLabel.right, cell.top + pItem->m_rcLabel.bottom + 1);
        const char* pszText = pContext->m_lvi.pszText ? pContext->m_lvi.pszText : "";
        _Node* pNode = pTree->m_pNode;
        if (HasListStyle(LVS_NOLABELWRAP)) {
            const char* pBreak = std::strchr(pszText, '\n');
            const int nLength = pBreak ? static_cast<int>(pBreak - pszText) : static_cast<int>(std::strlen(pszText));
            pDC->DrawText(pszText, nLength, &text, kSingleLineDraw);
        } else if (pNode->m_bHasHeading) {
            CRect heading(text.left, text.top, text.left + pNode->m_nHeadingWidth, text.bottom);
            pDC->DrawText(pNode->m_strHeading, pNode->m_strHeading.GetLength(), &heading, kHeadingDraw);
            CRect body(text.left + pNode->m_nHeadingWidth, text.top, text.right, text.bottom);
            pDC->DrawText(pNode->m_strBody, pNode->m_strBody.GetLength(), &body, kBodyDraw);
        } else {
            pDC->DrawText(pszText, static_cast<int>(std::strlen(pszText)), &text, kWrapDraw);
        }
        pDC->SetBkMode(nOldMode);
        pDC->SetBkColor(oldBk);
        pDC->SetTextColor(oldText);
        pDC->SelectObject(pOldFont);
    }
    const BOOL bListDrawsFocus = bFullRow && GetColumnCount() > 1;
    if (nRow == m_nCaret && bFocus && !bEdited && !bListDrawsFocus)
        pDC->DrawFocusRect(&label);
}

// --- hit testing ------------------------------------------------------------------------------------

template <class TList>
HTREEITEM SECTreeBase<TList>::HitTest(CPoint point, UINT* pFlags)
{
    UINT nList = 0;
    int nCol = -1;
    const int nRow = TList::HitTest(point.x, point.y, &nList, &nCol);
    UINT flags = 0;
    HTREEITEM hItem = nullptr;
    if (nList & LVHT_ABOVE)
        flags |= TVHT_ABOVE;
    if (nList & LVHT_BELOW)
        flags |= TVHT_BELOW;
    if (nList & LVHT_TOLEFT)
        flags |= TVHT_TOLEFT;
    if (nList & LVHT_TORIGHT)
        flags |= TVHT_TORIGHT;
    if (nList & LVHT_ONHEADERDIVIDER)
        flags |= 0x1000;
    else if (nList & LVHT_ONHEADER)
        flags |= 0x2000;
    if ((nList & LVHT_ONROW) && nRow >= 0) {
        flags |= 0x4000;
        hItem = ItemOfRow(nRow);
        if (nList & LVHT_ONITEMLABEL) {
            flags |= TVHT_ONITEMLABEL;
        } else if (nList & LVHT_ONITEMICON) {
            flags |= TVHT_ONITEMICON;
        } else if (nList & LVHT_ONITEMSTATEICON) {
            flags |= TVHT_ONITEMSTATEICON;
        } else if (nList & LVHT_RIGHTOFLABEL) {
            flags |= TVHT_ONITEMRIGHT;
        } else if (nList & LVHT_LEFTOFLABEL) {
            flags |= TVHT_ONITEMINDENT;
            if (HasTreeStyle(TVS_HASBUTTONS)) {
                CRect cell;
                if (GetCellRect(nRow, std::max(0, nCol), cell, LVIR_BOUNDS)) {
                    auto pDC = CreateMeasureDC();
                    SECTreePaintContext context(pDC.get());
                    context.m_pItem = GetItemRecord(nRow);
                    context.m_pNode = NodeOfRow(nRow);
                    context.m_rect = cell;
                    CRect box;
                    GetButtonRect(box, nRow, &context);
                    if (box.PtInRect(point))
                        flags = (flags & ~TVHT_ONITEMINDENT) | TVHT_ONITEMBUTTON;
                }
            }
        } else if (!HasListStyleEx(LVXS_FULLROWSELECT)) {
            hItem = nullptr;
        }
    }
    if (flags == 0)
        flags = TVHT_NOWHERE;
    if (pFlags != nullptr)
        *pFlags = flags;
    return hItem;
}

// --- drag images ------------------------------------------------------------------------------------

template <class TList>
std::unique_ptr<CBitmap> SECTreeBase<TList>::CreateTextBitmap(CDC* pDC, LPCTSTR lpszText)
{
    CRect rect(0, 0, 0, 0);
    pDC->DrawText(lpszText, static_cast<int>(std::strlen(lpszText)), &rect, DT_NOPREFIX | DT_CALCRECT | DT_EXPANDTABS);
    if (rect.IsRectEmpty())
        return nullptr;
    auto pBitmap = std::make_unique<CBitmap>();
    if (!pBitmap->CreateCompatibleBitmap(pDC, rect.Width(), rect.Height()))
        return nullptr;
    CBitmap* pOld = pDC->SelectObject(pBitmap.get());
    pDC->FillSolidRect(&rect, GetBkColor());
    pDC->SetTextColor(GetTextColor());
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(lpszText, static_cast<int>(std::strlen(lpszText)), &rect, DT_NOPREFIX | DT_EXPANDTABS);
    pDC->SelectObject(pOld);
    return pBitmap;
}

template <class TList>
std::unique_ptr<CImageList> SECTreeBase<TList>::CreateLabelDragImage(CDC* pDC, LPCTSTR lpszText)
{
    auto pBitmap = CreateTextBitmap(pDC, lpszText);
    if (!pBitmap)
        return nullptr;
    BITMAP info {};
    pBitmap->GetBitmap(&info);
    auto pList = std::make_unique<CImageList>();
    if (!pList->Create(info.bmWidth, info.bmHeight, ILC_MASK, 0, 1) || pList->Add(pBitmap.get(), GetBkColor()) < 0)
        return nullptr;
    return pList;
}

template <class TList>
std::unique_ptr<CImageList> SECTreeBase<TList>::CreateIconDragImage(CImageList* pList, int nImage)
{
    if (!HasImage(pList, nImage))
        nImage = 0;
    if (!HasImage(pList, nImage))
        return nullptr;
    HIMAGELIST hCopy = ::ImageList_Merge(*pList, nImage, *pList, nImage, 0, 0);
    if (hCopy == nullptr)
        return nullptr;
    auto pIcon = std::make_unique<CImageList>();
    pIcon->Attach(hCopy);
    return pIcon;
}

template <class TList>
std::unique_ptr<CImageList> SECTreeBase<TList>::MergeDragImages(CImageList* pIcons, CImageList* pLabels)
{
    if (pIcons == nullptr || pLabels == nullptr)
        return nullptr;
    const CSize icon = ImageSize(pIcons);
    HIMAGELIST hMerged = ::ImageList_Merge(*pIcons, 0, *pLabels, 0, icon.cx + 6, 0);
    if (hMerged == nullptr)
        return nullptr;
    auto pMerged = std::make_unique<CImageList>();
    pMerged->Attach(hMerged);
    return pMerged;
}

template <class TList>
std::unique_ptr<CImageList> SECTreeBase<TList>::CreateDragImage(HTREEITEM hItem)
{
    CImageList* pIcons = GetImageList(LVSIL_NORMAL);
    const int nRow = RowOfItem(hItem);
    if (pIcons == nullptr || pIcons->GetSafeHandle() == nullptr || nRow < 0 || m_hWnd == nullptr)
        return nullptr;
    TVITEM item;
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_HANDLE;
    item.hItem = hItem;
    std::vector<char> text(textBufferSize, '\0');
    item.pszText = text.data();
    item.cchTextMax = textBufferSize;
    GetItem(&item, TRUE, TRUE);
    const char* pszText = (item.pszText && item.pszText != LPSTR_TEXTCALLBACK) ? item.pszText : "";
    CClientDC screen(this);
    CDC dc;
    if (!dc.CreateCompatibleDC(&screen))
        return nullptr;
    auto pContext = CreatePaintContext(&dc);
    pContext->m_lvi.iItem = nRow;
    pContext->m_pItem = GetItemRecord(nRow);
    PrepareItem(pContext.get());
    CFont* pOldFont = dc.SelectObject(CFont::FromHandle(pContext->m_hFont));
    auto pLabel = CreateLabelDragImage(&dc, pszText);
    dc.SelectObject(pOldFont);
    auto pIcon = CreateIconDragImage(pIcons, item.iImage);
    if (!pLabel || !pIcon)
        return nullptr;
    return MergeDragImages(pIcon.get(), pLabel.get());
}
