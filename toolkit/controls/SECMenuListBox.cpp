#include "toolkit/controls/SECMenuListBox.h"

#include "toolkit/controls/SECCustomToolBar.h"
#include "toolkit/controls/SECToolBarCmdPage.h"

namespace {

// The size of the button a dragged menu entry stands for while it moves.
constexpr int kDragButtonWidth = 23;
constexpr int kDragButtonHeight = 22;

} // namespace

IMPLEMENT_DYNAMIC(SECMenuListBox, CListBox)

BEGIN_MESSAGE_MAP(SECMenuListBox, CListBox)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

int SECMenuListBox::ItemAt(CPoint point) const
{
    if (m_bOldSystem) {
        const auto nHeight = static_cast<int>(SendMessage(LB_GETITEMHEIGHT, 0));
        CRect client;
        GetClientRect(&client);
        if (nHeight <= 0 || !client.PtInRect(point))
            return -1;
        const int nItem = GetTopIndex() + point.y / nHeight;
        return nItem < GetCount() ? nItem : -1;
    }
    BOOL bOutside = TRUE;
    const UINT nItem = ItemFromPoint(point, bOutside);
    return bOutside ? -1 : static_cast<int>(nItem);
}

void SECMenuListBox::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    const int nItem = ItemAt(point);
    if (nItem < 0)
        return;
    SetCurSel(nItem);
    if (!m_pManager)
        return;
    const auto nID = static_cast<UINT>(GetItemData(nItem));
    if (auto* pPage = dynamic_cast<SECToolBarCmdPage*>(GetParent()))
        pPage->ShowDescription(nID);
    // The entry's button exists only for the drag; the drop makes the real one from the button map.
    SECStdBtn button;
    button.m_nID = nID;
    button.SetPos(point.x, point.y);
    button.m_cx = kDragButtonWidth;
    button.m_cy = kDragButtonHeight;
    // The tracker starts moving at once rather than at the user's first move.
    PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x - 1, point.y - 1));
    SECCustomToolBar::TrackButtonDrag(m_pManager, &button, this, point, nullptr, TRUE);
}
