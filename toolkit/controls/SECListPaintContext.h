#pragma once
// The drawing state of one cell: the row's fields as the owner gave them, where to draw, and the
// colours and font chosen for it. Made per paint, per measuring and per label edit.

#include "platform/afx/CDC.h"
#include "platform/afx/CRect.h"
#include "platform/comctl/CommCtrl.h"
#include "toolkit/controls/SECListColumn.h"
#include "toolkit/controls/SECListItem.h"

// A row's second state word and which of its bits a caller asks for.
struct SECListItemEx {
    UINT mask { 0 };
    UINT state { 0 };
    UINT stateMask { 0 };
};

class SECListPaintContext {
public:
    explicit SECListPaintContext(CDC* pDC) : m_pDC(pDC) { }
    virtual ~SECListPaintContext() = default;

    LVITEM m_lvi {};
    SECListItemEx m_lviEx {};
    CDC* m_pDC { nullptr };
    CRect m_rect { 0, 0, 0, 0 };
    int m_nColumn { 0 };
    UINT m_nView { 0 };
    DWORD m_dwReserved { 0 };
    HFONT m_hFont { nullptr };
    SECListItem* m_pItem { nullptr };
    SECListSubItem* m_pSubItem { nullptr };
    SECListColumn* m_pColumn { nullptr };
    COLORREF m_rgbText { 0 };
    COLORREF m_rgbTextBk { 0 };
    COLORREF m_rgbBk { 0 };
    COLORREF m_rgbRowBk { 0 };
};
